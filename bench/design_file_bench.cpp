// Saving and opening a design file: N objects on two sides (texts, shapes
// and lines, barcodes with pictures, pictures of one 400 x 300 PNG in the
// proportions 6:2:1:1) and a 5 x 1,000 imported table. The file alone
// (array built and written; file read, checked and objects unarchived), and
// the whole command in the main window (the open puts everything into the
// window and draws both sides; the save collects the design from it).

#include "common/BenchMainWindow.h"
#include "dataseries/ImportedTable.h"
#include "editor/model/SKTBarcode.h"
#include "editor/model/SKTDocument.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTLine.h"
#include "editor/model/SKTText.h"
#include "editor/model/Shape_Control.h"
#include "mainwindow/controller/DesignFile.h"
#include "mainwindow/controller/Invitation_Wizard.h"
#include "mainwindow/controller/SKTWindowController.h"
#include "mainwindow/controller/WizardGlobals.h"
#include "platform/Hooks.h"
#include "widgets/GuiHooks.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

design_file::DesignContent makeDesign(int objects, const QString& picturePath) {
    design_file::DesignContent content;
    content.front.setCard_Size(QSizeF(360, 252));
    content.back.setCard_Size(QSizeF(360, 252));
    QImage code(120, 60, QImage::Format_RGB32);
    code.fill(Qt::white);
    {
        QPainter painter(&code);
        for (int x = 0; x < 120; x += 4) {
            painter.fillRect(x, 0, 2, 60, Qt::black);
        }
    }
    const CardPicture codePicture = CardPicture::fromImage(code);
    for (int i = 0; i < objects; ++i) {
        std::shared_ptr<SKTGraphic> graphic;
        const int kind = i % 10;
        if (kind < 6) {
            auto text = std::make_shared<SKTText>();
            text->Text_Value = QStringLiteral("Guest name %1").arg(i);
            graphic = text;
        } else if (kind == 6) {
            graphic = std::make_shared<Shape_Control>();
        } else if (kind == 7) {
            graphic = std::make_shared<SKTLine>();
        } else if (kind == 8) {
            auto barcode = std::make_shared<SKTBarcode>();
            barcode->Set_Barcode_image(codePicture);
            graphic = barcode;
        } else {
            auto image = std::make_shared<SKTImage>();
            image->setFilePath(picturePath);
            graphic = image;
        }
        graphic->setBounds(QRectF(i % 300, i % 200, 40, 20));
        (i % 2 == 0 ? content.frontObjects : content.backObjects).append(graphic);
    }
    content.titles = {QStringLiteral("Row No.")};
    for (int c = 1; c <= 5; ++c) {
        content.titles << QStringLiteral("Column title %1").arg(c);
    }
    for (int r = 0; r < 1000; ++r) {
        design_file::TableRow row;
        row.insert(QStringLiteral("Extension"), QString::number(r + 1));
        for (int c = 1; c <= 5; ++c) {
            row.insert(QStringLiteral("Column%1").arg(c),
                       QStringLiteral("cell %1-%2").arg(r).arg(c));
        }
        content.rows.append(row);
    }
    content.excelBindingUse = true;
    return content;
}

struct Fixture {
    QTemporaryDir dir;
    QString picture;
    QString file;
    design_file::DesignContent content;

    explicit Fixture(int objects) {
        picture = QDir(dir.path()).filePath(QStringLiteral("photo.png"));
        QImage image(400, 300, QImage::Format_RGB32);
        image.fill(QColor(90, 140, 200));
        image.save(picture, "PNG");
        file = QDir(dir.path()).filePath(QStringLiteral("design.dcard"));
        content = makeDesign(objects, picture);
    }
};

void BM_SaveDesign(benchmark::State& state) {
    Fixture fixture(int(state.range(0)));
    for (auto _ : state) {
        const bool ok = design_file::Write_Design_Array(design_file::Design_Array(fixture.content),
                                                        fixture.file);
        benchmark::DoNotOptimize(ok);
    }
    state.counters["file_bytes"] = double(QFileInfo(fixture.file).size());
}

void BM_OpenDesign(benchmark::State& state) {
    Fixture fixture(int(state.range(0)));
    design_file::Write_Design_Array(design_file::Design_Array(fixture.content), fixture.file);
    for (auto _ : state) {
        auto read = design_file::Read_Design_File(fixture.file);
        if (!read) {
            state.SkipWithError("the design did not read");
            break;
        }
        benchmark::DoNotOptimize(read->frontObjects.size());
    }
    state.counters["file_bytes"] = double(QFileInfo(fixture.file).size());
}

void BM_OpenDesignInWindow(benchmark::State& state) {
    Fixture fixture(int(state.range(0)));
    design_file::Write_Design_Array(design_file::Design_Array(fixture.content), fixture.file);
    BenchMainWindow window;
    for (auto _ : state) {
        const int opened =
            window.controller().Read_and_load_design_Log(fixture.file, QStringLiteral("L"));
        QCoreApplication::processEvents();
        if (opened != 1) {
            state.SkipWithError("the design did not open");
            break;
        }
        benchmark::DoNotOptimize(window.document().graphics().size());
    }
    state.counters["file_bytes"] = double(QFileInfo(fixture.file).size());
}

void BM_SaveDesignInWindow(benchmark::State& state) {
    Fixture fixture(int(state.range(0)));
    design_file::Write_Design_Array(design_file::Design_Array(fixture.content), fixture.file);
    BenchMainWindow window;
    if (window.controller().Read_and_load_design_Log(fixture.file, QStringLiteral("L")) != 1) {
        state.SkipWithError("the design did not open");
        return;
    }
    for (auto _ : state) {
        const auto saved = window.controller().Save_project_file(false, 0);
        if (saved != window_entries::SaveResult::Saved) {
            state.SkipWithError("the design was not saved");
            break;
        }
    }
    state.counters["file_bytes"] = double(QFileInfo(fixture.file).size());
}

} // namespace

BENCHMARK(BM_SaveDesign)->Arg(200)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenDesign)->Arg(200)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenDesignInWindow)->Arg(500)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveDesignInWindow)->Arg(500)->Unit(benchmark::kMillisecond);
