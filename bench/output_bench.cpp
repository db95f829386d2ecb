// Printing and exporting a batch of bound cards: an 85.6 x 54 mm card with a
// picture background and three texts bound to a series of 1,000 records,
// and one with a rectangle, two bound texts and a bound Code 128.
// - Sheets of 2 x 5 cards on A4 into a PDF: the marginal cost of a card,
//   (time of 1,000 cards - time of 100) / 900, and PDF bytes per card.
// - The batch export at 300 dpi as the export command runs it (worker, pool
//   jobs, progress sheet): cards per second, cores used, peak RSS, bytes per
//   file, and the share of PNG encoding in one card's rasterising and
//   encoding, beside the time and size of Qt's own PNG writer.

#include "barcodes/designer/core/DesignerLists.h"
#include "core/BatchState.h"
#include "core/globals.h"
#include "dataseries/SeriesFiles.h"
#include "editor/model/SKTBarcode.h"
#include "editor/model/SKTDocument.h"
#include "editor/model/SKTText.h"
#include "editor/model/Shape_Control.h"
#include "mainwindow/controller/ControllerOutputHost.h"
#include "mainwindow/controller/SKTWindowController.h"
#include "mainwindow/controller/WizardGlobals.h"
#include "output/BatchExporter.h"
#include "output/core/CardExport.h"
#include "output/core/PngEncoding.h"
#include "output/core/SheetDrawing.h"
#include "platform/Hooks.h"
#include "widgets/GuiHooks.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>
#include <sys/resource.h>

namespace {

constexpr int kRecords = 1000;

enum class CardKind { PhotoThreeTexts, ShapeTwoTextsCode128 };

struct BoundCard {
    QTemporaryDir dir;
    std::unique_ptr<SKTDocument> document;
    std::unique_ptr<SKTWindowController> controller;
    std::unique_ptr<ControllerOutputHost> host;

    explicit BoundCard(CardKind kind = CardKind::PhotoThreeTexts) {
        const QString folder = dir.path();
        hooks::setResourceFolderLocator([folder] { return folder; });
        hooks::setAlertAnswerer([](const AlertRequest&) { return 0; });
        // The start window answers with an empty card of 85.6 x 54 mm.
        hooks::setModalRunner([](QDialog&) {
            Start_Card_Option = QStringLiteral("L");
            if (SKTWindowController* controller = SKTWindowController::defaultInstance()) {
                controller->Set_Card_Size_In_Control(QSizeF(85.6, 54));
                controller->Set_Document_Size(QSizeF(85.6 * 72 / 25.4, 54 * 72 / 25.4));
            }
            return 1;
        });
        document = std::make_unique<SKTDocument>();
        controller = std::make_unique<SKTWindowController>(*document);
        Data_Folder_Path = QDir(folder).filePath(QStringLiteral("data"));
        QDir().mkpath(Data_Folder_Path);
        CARD_SIDE_STR = QStringLiteral("1");
        controller->Set_Document_Size(QSizeF(85.6 * 72 / 25.4, 54 * 72 / 25.4));
        if (kind == CardKind::ShapeTwoTextsCode128) {
            addShapeTextsAndBarcode();
        } else {
            addPhotoAndTexts();
        }
        controller->Check_Series_Or_Excel_Use_or_not();
        host = std::make_unique<ControllerOutputHost>(*controller);
        OutputHost::setCurrent(host.get());
    }

    void addPhotoAndTexts() {
        // A photo-like background picture.
        QImage photo(1011, 638, QImage::Format_RGB32);
        QPainter painter(&photo);
        QLinearGradient gradient(0, 0, photo.width(), photo.height());
        gradient.setColorAt(0, QColor(250, 230, 200));
        gradient.setColorAt(1, QColor(120, 160, 220));
        painter.fillRect(photo.rect(), gradient);
        for (int i = 0; i < 40; ++i) {
            painter.setBrush(QColor::fromHsv((i * 37) % 360, 90, 240, 120));
            painter.drawEllipse(QPointF((i * 97) % photo.width(), (i * 53) % photo.height()), 60,
                                40);
        }
        painter.end();
        controller->Front_card_Prop.setCard_fill_chk(true);
        controller->Front_card_Prop.setCard_fill_style(QStringLiteral("I"));
        controller->Front_card_Prop.setCard_BG_Image(
            CardPicture::fromImage(photo, QSizeF(242.65, 153.07)));
        controller->Publish_Page_Records();

        QStringList names;
        QStringList places;
        QStringList dates;
        for (int i = 0; i < kRecords; ++i) {
            names << QStringLiteral("Guest number %1").arg(i + 1);
            places << QStringLiteral("Table %1, Hall %2").arg(i % 40 + 1).arg(i % 3 + 1);
            dates << QStringLiteral("2027-06-%1 18:00").arg(i % 28 + 1, 2, 10, QLatin1Char('0'));
        }
        const std::pair<QString, QStringList> columns[] = {{QStringLiteral("names"), names},
                                                           {QStringLiteral("places"), places},
                                                           {QStringLiteral("dates"), dates}};
        int row = 0;
        for (const auto& [name, values] : columns) {
            Write_Series_File(name, values);
            auto text = std::make_shared<SKTText>();
            text->setBounds(QRectF(12, 20 + 36 * row++, 210, 24));
            text->data_source_type = 1;
            text->batch_list_name = name;
            document->insertGraphic(text, int(document->graphics().size()));
        }
    }

    // A framed rectangle, a name and a ticket number bound to two series,
    // and a Code 128 of the ticket number.
    void addShapeTextsAndBarcode() {
        controller->Publish_Page_Records();
        QStringList names;
        QStringList tickets;
        for (int i = 0; i < kRecords; ++i) {
            names << QStringLiteral("Guest number %1").arg(i + 1);
            tickets << QStringLiteral("TK-%1").arg(100000 + i * 7);
        }
        Write_Series_File(QStringLiteral("names"), names);
        Write_Series_File(QStringLiteral("tickets"), tickets);
        auto frame = std::make_shared<Shape_Control>();
        frame->Set_Shape_Type(QStringLiteral("R"));
        frame->setBounds(QRectF(6, 6, 230, 141));
        document->insertGraphic(frame, int(document->graphics().size()));
        int row = 0;
        for (const QString& name : {QStringLiteral("names"), QStringLiteral("tickets")}) {
            auto text = std::make_shared<SKTText>();
            text->setBounds(QRectF(14, 14 + 28 * row++, 210, 24));
            text->data_source_type = 1;
            text->batch_list_name = name;
            document->insertGraphic(text, int(document->graphics().size()));
        }
        auto barcode = std::make_shared<SKTBarcode>();
        barcode->setBounds(QRectF(14, 76, 150, 60));
        barcode->barcode_font_index =
            int(DesignerLists::symbologies().indexOf(QStringLiteral("Code 128")));
        barcode->data_source_type = 1;
        barcode->batch_list_name = QStringLiteral("tickets");
        document->insertGraphic(barcode, int(document->graphics().size()));
    }
    ~BoundCard() {
        OutputHost::setCurrent(nullptr);
        Card_Value_In_Process = 0;
        host.reset();
        controller.reset();
        document.reset();
        hooks::setAlertAnswerer({});
        hooks::setModalRunner({});
        hooks::setResourceFolderLocator({});
    }
    BatchState state() const {
        BatchState s;
        s.Use_Data_Sheet_Values = true;
        s.Total_Batch_Excel_Card = Total_Batch_Excel_Card;
        return s;
    }
};

struct PrintOutcome {
    double seconds = 0;
    qint64 bytes = 0;
};

PrintOutcome printCards(BoundCard& card, int cards) {
    SheetLayout layout;
    layout.paperWidth = 595;
    layout.paperHeight = 842;
    sheet::Check_Max_Cell_Value(layout, {85.6f, 54.0f, 0, 0, 2, 5, true});
    layout.Total_Label = cards;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QElapsedTimer timer;
    timer.start();
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(1200);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
        std::unique_ptr<CardSource> source = card.host->batchSource(card.state(), true);
        sheet::printSheets(writer, layout, *source, sheet::pagesToDraw(layout, false).pages);
    }
    return {timer.nsecsElapsed() / 1e9, bytes.size()};
}

void BM_PrintBoundCardsToPdf(benchmark::State& state) {
    const auto kind = static_cast<CardKind>(state.range(0));
    BoundCard card(kind);
    double bytesPerCard = 0;
    for (auto _ : state) {
        const PrintOutcome small = printCards(card, 100);
        const PrintOutcome large = printCards(card, kRecords);
        state.SetIterationTime((large.seconds - small.seconds) / (kRecords - 100));
        bytesPerCard = double(large.bytes - small.bytes) / (kRecords - 100);
    }
    state.counters["PDF_bytes_per_card"] = bytesPerCard;
    state.SetLabel(kind == CardKind::PhotoThreeTexts
                       ? "marginal time per card, 2 x 5 on A4, picture background, 3 bound texts"
                       : "marginal time per card, 2 x 5 on A4, rectangle, 2 bound texts, bound "
                         "Code 128");
}
BENCHMARK(BM_PrintBoundCardsToPdf)
    ->Arg(int(CardKind::PhotoThreeTexts))
    ->Arg(int(CardKind::ShapeTwoTextsCode128))
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
           usage.ru_stime.tv_usec / 1e6;
}

void BM_ExportBoundCards300dpi(benchmark::State& state) {
    BoundCard card;
    BatchExporter* exporter = BatchExporter::defaultInstance();
    double cardsPerSecond = 0;
    double cores = 0;
    double bytesPerFile = 0;
    for (auto _ : state) {
        QTemporaryDir out;
        ExportRequest request;
        request.dotsPerInch = 300;
        request.extension = QStringLiteral("png");
        bool finished = false;
        const auto connection =
            QObject::connect(exporter, &BatchExporter::runFinished, [&] { finished = true; });
        const double cpuStart = cpuSeconds();
        QElapsedTimer timer;
        timer.start();
        exporter->start(out.path(), request, card.host->batchSource(card.state(), false), nullptr);
        while (!finished) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        const double seconds = timer.nsecsElapsed() / 1e9;
        QObject::disconnect(connection);
        qint64 fileBytes = 0;
        QDirIterator files(out.path(), QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            fileBytes += QFileInfo(files.next()).size();
        }
        bytesPerFile = double(fileBytes) / kRecords;
        if (exporter->lastResult().filesWritten != kRecords) {
            state.SkipWithError("not every card was written");
            return;
        }
        state.SetIterationTime(seconds);
        cardsPerSecond = kRecords / seconds;
        cores = (cpuSeconds() - cpuStart) / seconds;
    }
    // One card alone: rasterising at 300 dpi, then encoding it as PNG.
    std::unique_ptr<CardSource> source = card.host->batchSource(card.state(), false);
    const CardPicture front = source->picture(7, CardSide::Front);
    source->finish();
    QElapsedTimer timer;
    timer.start();
    QImage raster;
    for (int i = 0; i < 10; ++i) {
        raster = cardexport::rasterAt(front, 300);
    }
    const double rasterMs = timer.nsecsElapsed() / 1e6 / 10;
    timer.restart();
    qint64 pngBytes = 0;
    for (int i = 0; i < 10; ++i) {
        pngBytes = png::encode(raster).size();
    }
    const double encodeMs = timer.nsecsElapsed() / 1e6 / 10;
    // Qt's own PNG writer on the same picture, for comparison.
    timer.restart();
    qint64 qtBytes = 0;
    for (int i = 0; i < 10; ++i) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter(&buffer, "png").write(raster);
        qtBytes = bytes.size();
    }
    const double qtEncodeMs = timer.nsecsElapsed() / 1e6 / 10;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["cards_per_s"] = cardsPerSecond;
    state.counters["cores_used"] = cores;
    state.counters["peak_RSS_MiB"] = usage.ru_maxrss / 1024.0;
    state.counters["raster_ms"] = rasterMs;
    state.counters["png_encode_ms"] = encodeMs;
    state.counters["png_share"] = encodeMs / (encodeMs + rasterMs);
    state.counters["file_bytes"] = bytesPerFile;
    state.counters["png_bytes"] = double(pngBytes);
    state.counters["qt_png_ms"] = qtEncodeMs;
    state.counters["qt_png_bytes"] = double(qtBytes);
    state.SetLabel(QStringLiteral("1000 cards of %1 x %2 px, pool of %3 jobs")
                       .arg(raster.width())
                       .arg(raster.height())
                       .arg(QThread::idealThreadCount())
                       .toStdString());
}
BENCHMARK(BM_ExportBoundCards300dpi)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(2);

} // namespace
