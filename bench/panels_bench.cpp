// The picture library over 300 photos of 4000 x 3000 (time to a shown
// window, time until every thumbnail is read, peak memory), and the
// inspector's write side over large selections: a slider moved over 500
// selected pictures, the shape opacity over 500 selected shapes, and the
// content colour pushed into 2,000 texts.

#include "common/BenchRun.h"
#include "editor/canvas/SKTGraphicView.h"
#include "editor/model/SKTDocument.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTText.h"
#include "editor/model/Shape_Control.h"
#include "mainwindow/controller/Image_Library.h"
#include "mainwindow/controller/Invitation_Wizard.h"
#include "mainwindow/controller/MainWindowFrame.h"
#include "mainwindow/controller/SKTWindowController.h"
#include "mainwindow/controller/WizardGlobals.h"
#include "platform/Hooks.h"
#include "widgets/ColorWell.h"
#include "widgets/FloatSlider.h"
#include "widgets/GuiHooks.h"
#include "widgets/ImageBrowser.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <functional>
#include <memory>

namespace {

// Answers what a new main window asks before anyone could: the start
// wizard opens an empty design at once and alerts answer 0. Every other
// modal run goes to `other` (none: it ends at once with 0).
class AnsweredDialogs {
public:
    explicit AnsweredDialogs(std::function<int(QDialog&)> other = {}) {
        hooks::setModalRunner([other = std::move(other)](QDialog& dialog) {
            if (qobject_cast<Invitation_Wizard*>(&dialog)) {
                Start_Card_Option = QStringLiteral("L");
                return 1;
            }
            return other ? other(dialog) : 0;
        });
        hooks::setAlertAnswerer([](const AlertRequest&) { return 0; });
    }
    ~AnsweredDialogs() {
        hooks::setModalRunner({});
        hooks::setAlertAnswerer({});
    }
    AnsweredDialogs(const AnsweredDialogs&) = delete;
    AnsweredDialogs& operator=(const AnsweredDialogs&) = delete;
};

// Peak resident memory of the process in MiB (VmHWM).
double peakRssMiB() {
    const QByteArray kib = peakResidentKiB();
    return kib.isEmpty() ? -1 : kib.toDouble() / 1024.0;
}

// A resource folder with 300 photo-like 4000 x 3000 JPEGs in one library
// category, made once for the run.
QString libraryFolder() {
    static QTemporaryDir dir;
    static const QString folder = [] {
        const QString root = QDir(dir.path()).filePath(QStringLiteral("resources"));
        const QString category = QDir(root).filePath(QStringLiteral("LibraryImage/photos"));
        QDir().mkpath(category);
        QByteArray bytes;
        {
            QImage image(4000, 3000, QImage::Format_RGB32);
            QPainter painter(&image);
            QLinearGradient gradient(0, 0, 4000, 3000);
            gradient.setColorAt(0, QColor(250, 200, 120));
            gradient.setColorAt(1, QColor(40, 80, 160));
            painter.fillRect(image.rect(), gradient);
            for (int i = 0; i < 300; ++i) {
                painter.setBrush(QColor::fromHsv((i * 37) % 360, 160, 220));
                painter.drawEllipse(QPoint((i * 151) % 4000, (i * 97) % 3000), 80, 80);
            }
            painter.end();
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "JPG", 90);
        }
        for (int i = 0; i < 300; ++i) {
            QFile file(QDir(category).filePath(
                QStringLiteral("photo_%1.jpg").arg(i, 3, 10, QLatin1Char('0'))));
            file.open(QIODevice::WriteOnly);
            file.write(bytes);
        }
        return root;
    }();
    return folder;
}

void BM_LibraryOver300LargePhotos(benchmark::State& state) {
    const QString folder = libraryFolder();
    hooks::setResourceFolderLocator([folder] { return folder; });
    double shownSeconds = 0;
    double allSeconds = 0;
    int loaded = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        Image_Library* library = nullptr;
        const AnsweredDialogs answers([&](QDialog& dialog) {
            if (!library || &dialog != library) {
                return 0;
            }
            dialog.show();
            QCoreApplication::processEvents();
            shownSeconds = timer.nsecsElapsed() / 1e9;
            // Every thumbnail, not only those in view.
            ImageBrowserModel* model = library->imageBrowser()->browserModel();
            for (int row = 0; row < model->rowCount(); ++row) {
                model->data(model->index(row), Qt::DecorationRole);
            }
            model->waitForThumbnails();
            allSeconds = timer.nsecsElapsed() / 1e9;
            loaded = model->loadedThumbnailCount();
            dialog.done(0);
            return 0;
        });
        SKTDocument document;
        SKTWindowController controller(document);
        QCoreApplication::processEvents();
        library = controller.imageLibrary();
        timer.start();
        controller.Open_Image_Library(false);
    }
    state.counters["shown_s"] = shownSeconds;
    state.counters["all_thumbnails_s"] = allSeconds;
    state.counters["thumbnails"] = loaded;
    state.counters["peak_rss_MiB"] = peakRssMiB();
    hooks::setResourceFolderLocator({});
}
BENCHMARK(BM_LibraryOver300LargePhotos)->Unit(benchmark::kMillisecond)->Iterations(1);

// A main window with `count` objects of one kind on the front, all selected.
struct SelectedObjects {
    QTemporaryDir dir;
    AnsweredDialogs answers;
    std::unique_ptr<SKTDocument> document;
    std::unique_ptr<SKTWindowController> controller;

    template <typename Make> SelectedObjects(int count, Make make) {
        const QString folder = dir.path();
        hooks::setResourceFolderLocator([folder] { return folder; });
        document = std::make_unique<SKTDocument>();
        controller = std::make_unique<SKTWindowController>(*document);
        QList<int> rows;
        for (int i = 0; i < count; ++i) {
            std::shared_ptr<SKTGraphic> graphic = make(i);
            graphic->setBounds(QRectF((i % 25) * 12, (i / 25) * 12, 10, 10));
            document->insertGraphic(graphic, i);
            rows << i;
        }
        controller->currentGraphicView()->changeSelectionIndexes(rows);
        controller->Show_RHS_Properties(document->graphics().first());
        QCoreApplication::processEvents();
    }
    ~SelectedObjects() { hooks::setResourceFolderLocator({}); }
};

void BM_PictureSliderOver500Selected(benchmark::State& state) {
    SelectedObjects objects(500, [](int) { return std::make_shared<SKTImage>(); });
    auto* slider =
        objects.controller->window()->findChild<FloatSlider*>(QStringLiteral("Hue_slidr"));
    double value = 0;
    for (auto _ : state) {
        value = value > 1 ? 0 : value + 0.01;
        slider->setFloatValue(value);
        emit slider->userValueChanged(value); // as a user's move
        // The canvas repaint the update asked for.
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_PictureSliderOver500Selected)->Unit(benchmark::kMillisecond);

void BM_ShapeOpacityOver500Selected(benchmark::State& state) {
    SelectedObjects objects(500, [](int) {
        auto shape = std::make_shared<Shape_Control>();
        shape->_shape_type = QStringLiteral("R");
        return shape;
    });
    for (auto _ : state) {
        objects.controller->Update_Shape_Graphics();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_ShapeOpacityOver500Selected)->Unit(benchmark::kMillisecond);

void BM_ContentColourInto2000Texts(benchmark::State& state) {
    SelectedObjects objects(2000, [](int i) {
        auto text = std::make_shared<SKTText>();
        text->Text_Value = QStringLiteral("Guest %1").arg(i);
        return text;
    });
    objects.controller->Show_RHS_Properties(nullptr);
    auto* well =
        objects.controller->window()->findChild<ColorWell*>(QStringLiteral("All_Text_clr"));
    int step = 0;
    for (auto _ : state) {
        well->setColor(QColor::fromHsv(step++ % 360, 200, 200));
        objects.controller->Update_All_Card_Content();
    }
}
BENCHMARK(BM_ContentColourInto2000Texts)->Unit(benchmark::kMillisecond);

// The same with the canvas repaint it asks for.
void BM_ContentColourInto2000TextsAndRepaint(benchmark::State& state) {
    SelectedObjects objects(2000, [](int i) {
        auto text = std::make_shared<SKTText>();
        text->Text_Value = QStringLiteral("Guest %1").arg(i);
        return text;
    });
    objects.controller->Show_RHS_Properties(nullptr);
    auto* well =
        objects.controller->window()->findChild<ColorWell*>(QStringLiteral("All_Text_clr"));
    int step = 0;
    for (auto _ : state) {
        well->setColor(QColor::fromHsv(step++ % 360, 200, 200));
        objects.controller->Update_All_Card_Content();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_ContentColourInto2000TextsAndRepaint)->Unit(benchmark::kMillisecond);

} // namespace
