// Opening the invitation wizard with 50 backgrounds of 1417 x 1417 pixels
// (12 x 12 cm at 300 dpi) until the window is shown and usable.

#include "core/globals.h"
#include "mainwindow/controller/Invitation_Wizard.h"
#include "widgets/GuiHooks.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QString resourceFolder() {
    static QTemporaryDir dir;
    static const QString folder = [] {
        const QDir root(dir.path());
        root.mkpath(QStringLiteral("Background"));
        QImage image(1417, 1417, QImage::Format_RGB32);
        for (int i = 0; i < 50; ++i) {
            image.fill(QColor::fromHsv((i * 41) % 360, 120, 230));
            QPainter painter(&image);
            painter.setBrush(Qt::white);
            painter.drawEllipse(QPoint(700, 700), 300 + i, 300);
            painter.end();
            image.save(root.filePath(
                           QStringLiteral("Background/bg_%1.jpg").arg(i, 2, 10, QLatin1Char('0'))),
                       "JPG", 90);
        }
        return dir.path();
    }();
    return folder;
}

void BM_WizardOpening(benchmark::State& state) {
    Resource_Path = resourceFolder();
    Invitation_Wizard* wizard = Invitation_Wizard::defaultInstance();
    bool usable = false;
    hooks::setModalRunner([&](QDialog& dialog) {
        dialog.show();
        QCoreApplication::processEvents();
        usable = dialog.isVisible();
        return 0;
    });
    for (auto _ : state) {
        wizard->Open_Wnd();
        if (!usable || wizard->images().size() != 50) {
            state.SkipWithError("the wizard did not open with its backgrounds");
            break;
        }
    }
    hooks::setModalRunner({});
}
BENCHMARK(BM_WizardOpening)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace
