#include "OutputWindowsSupport.h"

#include "editor/render/CardRenderInputs.h"
#include "output/PrinterList.h"
#include "platform/Hooks.h"
#include "widgets/GuiHooks.h"

#include <QDir>
#include <QWidget>

OutputWindowsEnvironment::OutputWindowsEnvironment(QStringList printers) {
    OutputHost::setCurrent(&host);
    CardRenderInputs::setFrontCanvasSize(QSizeF(85.6 * 72 / 25.4, 54.0 * 72 / 25.4));
    hooks::setResourceFolderLocator([] { return QStringLiteral(CARD_SOURCE_DIR "/resources"); });
    output::printerLister.set([printers] { return printers; });
    hooks::setModalRunner([](QDialog&) { return 0; });
}

OutputWindowsEnvironment::~OutputWindowsEnvironment() {
    OutputHost::setCurrent(nullptr);
    hooks::setResourceFolderLocator({});
    output::printerLister.set({});
    hooks::setModalRunner({});
    hooks::setSavePanel({});
    hooks::setOpenPanel({});
}

void OutputWindowsEnvironment::setRunner(Runner runner) {
    hooks::setModalRunner(std::move(runner));
}

void saveScreenshot(QWidget& widget, const QString& name) {
    const QString folder = qEnvironmentVariable("CARD_SCREENSHOT_DIR");
    if (folder.isEmpty()) {
        return;
    }
    QDir().mkpath(folder);
    widget.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}
