// Start-up to a shown main window with 0, 100 and 500 large pictures in the
// "Background" folder of the resource folder (the card inspector's browser
// lists them all; only the thumbnails in view are read).

#include "editor/model/SKTDocument.h"
#include "mainwindow/controller/Invitation_Wizard.h"
#include "mainwindow/controller/MainWindowFrame.h"
#include "mainwindow/controller/SKTWindowController.h"
#include "mainwindow/controller/WizardGlobals.h"
#include "platform/Hooks.h"
#include "widgets/GuiHooks.h"
#include "widgets/ImageBrowser.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <unordered_map>

namespace {

// One 3000 x 2000 photo-like picture, encoded once.
const QByteArray& largePicture() {
    static const QByteArray bytes = [] {
        QImage image(3000, 2000, QImage::Format_RGB32);
        QPainter painter(&image);
        QLinearGradient gradient(0, 0, 3000, 2000);
        gradient.setColorAt(0, QColor(250, 200, 120));
        gradient.setColorAt(1, QColor(40, 80, 160));
        painter.fillRect(image.rect(), gradient);
        for (int i = 0; i < 200; ++i) {
            painter.setBrush(QColor::fromHsv((i * 37) % 360, 160, 220));
            painter.drawEllipse(QPoint((i * 151) % 3000, (i * 97) % 2000), 60, 60);
        }
        painter.end();
        QByteArray data;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPG", 90);
        return data;
    }();
    return bytes;
}

// A resource folder with `count` pictures in "Background", made once per
// count and kept for the run.
QString resourceFolderWith(int count) {
    static std::unordered_map<int, std::unique_ptr<QTemporaryDir>> folders;
    auto& slot = folders[count];
    if (!slot) {
        slot = std::make_unique<QTemporaryDir>();
        const QDir root(slot->path());
        root.mkpath(QStringLiteral("resources/Background"));
        for (int i = 0; i < count; ++i) {
            QFile file(root.filePath(QStringLiteral("resources/Background/card_%1.jpg").arg(i)));
            file.open(QIODevice::WriteOnly);
            file.write(largePicture());
        }
    }
    return QDir(slot->path()).filePath(QStringLiteral("resources"));
}

void BM_StartupToShownWindow(benchmark::State& state) {
    const QString folder = resourceFolderWith(static_cast<int>(state.range(0)));
    hooks::setResourceFolderLocator([folder] { return folder; });
    // The start wizard opens a 120 x 120 mm design at once.
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
    for (auto _ : state) {
        SKTDocument document;
        SKTWindowController controller(document);
        QCoreApplication::processEvents();
        if (!controller.window()->isVisible()) {
            state.SkipWithError("the main window is not shown");
            break;
        }
        benchmark::DoNotOptimize(controller.images().size());
        state.PauseTiming();
        // The thumbnails of the pictures in view finish outside the timing.
        controller.imageBrowser()->browserModel()->waitForThumbnails();
        state.ResumeTiming();
    }
    hooks::setResourceFolderLocator({});
    hooks::setModalRunner({});
}
BENCHMARK(BM_StartupToShownWindow)
    ->Arg(0)
    ->Arg(100)
    ->Arg(500)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

} // namespace
