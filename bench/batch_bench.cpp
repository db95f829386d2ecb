// The batch walk: filling one record into a card of eight bound texts, a
// shape and a bound barcode; one side rendered per record on the GUI thread
// and from a worker; a bound picture per record; the binding check over a
// 100,000-line series.

#include "barcodes/designer/core/DesignerLists.h"
#include "core/BatchState.h"
#include "core/globals.h"
#include "dataseries/SeriesFiles.h"
#include "editor/model/SKTBarcode.h"
#include "editor/model/SKTDocument.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTText.h"
#include "editor/render/SKTRenderingView.h"
#include "mainwindow/controller/BatchRun.h"
#include "mainwindow/controller/Invitation_Wizard.h"
#include "mainwindow/controller/SKTWindowController.h"
#include "mainwindow/controller/WizardGlobals.h"
#include "platform/Hooks.h"
#include "widgets/GuiHooks.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>
#include <thread>

namespace {

// A main window over a fresh document with its own resource and data
// folders.
struct BatchCard {
    QTemporaryDir dir;
    std::unique_ptr<SKTDocument> document;
    std::unique_ptr<SKTWindowController> controller;

    BatchCard() {
        const QString folder = dir.path();
        hooks::setResourceFolderLocator([folder] { return folder; });
        // The start wizard of a new main window opens a 120 x 120 mm design
        // at once instead of waiting for a person.
        hooks::setModalRunner([](QDialog& dialog) {
            if (qobject_cast<Invitation_Wizard*>(&dialog)) {
                Start_Card_Option = QStringLiteral("L");
                SKTWindowController* controller = SKTWindowController::defaultInstance();
                const float points = SKTWindowController::MM_to_Points_Convert(120);
                controller->Set_Card_Size_In_Control(QSizeF(120, 120));
                controller->Set_Document_Size(QSizeF(points, points));
                return 1;
            }
            return 0;
        });
        document = std::make_unique<SKTDocument>();
        controller = std::make_unique<SKTWindowController>(*document);
        Data_Folder_Path = QDir(folder).filePath(QStringLiteral("data"));
        QDir().mkpath(Data_Folder_Path);
        CARD_SIDE_STR = QStringLiteral("1");
    }
    ~BatchCard() {
        Card_Value_In_Process = 0;
        controller.reset();
        document.reset();
        hooks::setResourceFolderLocator({});
        hooks::setModalRunner({});
    }
    void add(const std::shared_ptr<SKTGraphic>& graphic) {
        document->insertGraphic(graphic, int(document->graphics().size()));
    }
    void series(const QString& name, int count, const QString& pattern) {
        QStringList values;
        for (int i = 0; i < count; ++i) {
            values << pattern.arg(i);
        }
        Write_Series_File(name, values);
    }
};

// Eight texts bound to a series, a shape, and (when asked) a Code 128
// barcode bound to the same series.
void buildTypicalCard(BatchCard& card, bool withBarcode, int records) {
    card.series(QStringLiteral("guests"), records, QStringLiteral("Guest %1"));
    for (int i = 0; i < 8; ++i) {
        auto text = std::make_shared<SKTText>();
        text->setBounds(QRectF(10, 10 + 20 * i, 150, 18));
        text->data_source_type = 1;
        text->batch_list_name = QStringLiteral("guests");
        card.add(text);
    }
    auto shape = std::make_shared<SKTGraphic>();
    shape->setBounds(QRectF(170, 10, 40, 40));
    card.add(shape);
    if (withBarcode) {
        auto barcode = std::make_shared<SKTBarcode>();
        barcode->setBounds(QRectF(170, 60, 100, 60));
        barcode->barcode_font_index =
            int(DesignerLists::symbologies().indexOf(QStringLiteral("Code 128")));
        barcode->data_source_type = 1;
        barcode->batch_list_name = QStringLiteral("guests");
        card.add(barcode);
    }
    card.controller->Check_Series_Or_Excel_Use_or_not();
}

void BM_AssignRecord(benchmark::State& state) {
    BatchCard card;
    const bool withBarcode = state.range(0) != 0;
    buildTypicalCard(card, withBarcode, 10000);
    card.controller->Graphics_array_Batch = card.controller->Get_Front_Controls_Array();
    Card_Value_In_Process = 1;
    int record = 0;
    for (auto _ : state) {
        card.controller->Assign_Batch_Values_To_Control(record);
        record = (record + 1) % 10000;
    }
    Card_Value_In_Process = 0;
    state.SetLabel(withBarcode ? "8 texts, shape, Code 128 barcode" : "8 texts, shape");
}
BENCHMARK(BM_AssignRecord)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// record(i, "F") with a 500 x 500 point QR Code on the card.
void buildRenderCard(BatchCard& card) {
    buildTypicalCard(card, false, 1000);
    auto qr = std::make_shared<SKTBarcode>();
    qr->setBounds(QRectF(10, 200, 500, 500));
    qr->barcode_font_index = int(DesignerLists::symbologies().indexOf(QStringLiteral("QR Code")));
    qr->linear_or_2d = 1;
    qr->data_source_type = 1;
    qr->batch_list_name = QStringLiteral("guests");
    card.add(qr);
    card.controller->Check_Series_Or_Excel_Use_or_not();
}

void BM_RecordFrontOnGuiThread(benchmark::State& state) {
    BatchCard card;
    buildRenderCard(card);
    BatchRun run(*card.controller, false);
    int record = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(run.record(record, QStringLiteral("F")));
        record = (record + 1) % 1000;
    }
    const CardPicture qr = card.controller->Get_Front_Controls_Array().last()->_barcode_image;
    state.SetLabel(qr.isVector() ? std::string("QR picture vector")
                                 : QStringLiteral("QR raster %1 x %2 px")
                                       .arg(qr.image().width())
                                       .arg(qr.image().height())
                                       .toStdString());
}
BENCHMARK(BM_RecordFrontOnGuiThread)->Unit(benchmark::kMillisecond);

// The snapshot of the filled card alone (image_From_Card_Graphics, nothing
// rasterised) with the barcode's picture a raster of N x N pixels: the time
// should not grow with N.
void BM_CardSnapshot(benchmark::State& state) {
    BatchCard card;
    buildRenderCard(card);
    BatchRun run(*card.controller, false);
    run.record(0, QStringLiteral("F"));
    const SKTGraphicList front = card.controller->Get_Front_Controls_Array();
    const int pixels = int(state.range(0));
    QImage raster(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    raster.fill(Qt::black);
    front.last()->Set_Barcode_image(CardPicture::fromImage(raster, QSizeF(500, 500)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(SKTRenderingView::image_From_Card_Graphics(front, false));
    }
    state.SetLabel(QStringLiteral("barcode raster %1 x %1 px").arg(pixels).toStdString());
}
BENCHMARK(BM_CardSnapshot)->Arg(100)->Arg(500)->Arg(2000)->Unit(benchmark::kMicrosecond);

void BM_RecordFrontFromWorker(benchmark::State& state) {
    BatchCard card;
    buildRenderCard(card);
    for (auto _ : state) {
        std::atomic<bool> done{false};
        double seconds = 0;
        std::thread worker([&] {
            BatchRun run(*card.controller, false);
            const auto start = std::chrono::steady_clock::now();
            for (int i = 0; i < 50; ++i) {
                benchmark::DoNotOptimize(run.record(i, QStringLiteral("F")));
            }
            seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            run.end();
            done = true;
        });
        while (!done) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        worker.join();
        state.SetIterationTime(seconds / 50);
    }
    state.SetLabel("per record, 50 records a run");
}
BENCHMARK(BM_RecordFrontFromWorker)->UseManualTime()->Unit(benchmark::kMillisecond);

// The bare round trip of a worker to an idle GUI thread.
void BM_WorkerRoundTrip(benchmark::State& state) {
    BatchCard card;
    for (auto _ : state) {
        std::atomic<bool> done{false};
        double seconds = 0;
        std::thread worker([&] {
            const auto start = std::chrono::steady_clock::now();
            for (int i = 0; i < 1000; ++i) {
                card.controller->runOnGuiThread([] {});
            }
            seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            done = true;
        });
        while (!done) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        worker.join();
        state.SetIterationTime(seconds / 1000);
    }
}
// Fixed iterations: each one is 1000 round trips, timed per trip.
BENCHMARK(BM_WorkerRoundTrip)->UseManualTime()->Iterations(20)->Unit(benchmark::kMicrosecond);

// One bound picture per record: 300 x 225 PNGs or 1000 x 750 JPEGs.
void BM_BoundPicture(benchmark::State& state) {
    BatchCard card;
    const bool large = state.range(0) != 0;
    const int count = 20;
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        QImage image(large ? 1000 : 300, large ? 750 : 225, QImage::Format_RGB32);
        QPainter painter(&image);
        painter.fillRect(image.rect(), QColor::fromHsv((i * 17) % 360, 200, 200));
        painter.drawEllipse(image.rect().adjusted(10, 10, -10, -10));
        painter.end();
        paths << QDir(card.dir.path())
                     .filePath(QStringLiteral("p%1.%2").arg(i).arg(large ? "jpg" : "png"));
        image.save(paths.last());
    }
    Write_Series_File(QStringLiteral("photos"), paths);
    auto picture = std::make_shared<SKTImage>();
    picture->setBounds(QRectF(10, 10, 100, 75));
    picture->data_source_type = 1;
    picture->batch_list_name = QStringLiteral("photos");
    card.add(picture);
    card.controller->Check_Series_Or_Excel_Use_or_not();
    card.controller->Graphics_array_Batch = card.controller->Get_Front_Controls_Array();
    int record = 0;
    for (auto _ : state) {
        card.controller->Assign_Batch_Values_To_Control(record);
        record = (record + 1) % count;
    }
    state.SetLabel(large ? "1000 x 750 JPEG" : "300 x 225 PNG");
}
BENCHMARK(BM_BoundPicture)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_CheckWith100000LineSeries(benchmark::State& state) {
    BatchCard card;
    card.series(QStringLiteral("big"), 100000, QStringLiteral("Value number %1"));
    auto text = std::make_shared<SKTText>();
    text->setBounds(QRectF(10, 10, 100, 20));
    text->data_source_type = 1;
    text->batch_list_name = QStringLiteral("big");
    card.add(text);
    for (auto _ : state) {
        card.controller->Check_Series_Or_Excel_Use_or_not();
    }
    if (Total_Batch_Excel_Card != 100000) {
        state.SkipWithError("wrong record count");
    }
}
BENCHMARK(BM_CheckWith100000LineSeries)->Unit(benchmark::kMillisecond);

} // namespace
