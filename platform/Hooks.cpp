#include "platform/Hooks.h"

#include "platform/HookSlot.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QtDebug>
#include <cstdlib>

namespace hooks {
namespace {

HookSlot<AlertAnswerer>& alertSlot() {
    static HookSlot<AlertAnswerer> slot;
    return slot;
}
HookSlot<UrlOpener>& urlSlot() {
    static HookSlot<UrlOpener> slot;
    return slot;
}
HookSlot<Terminator>& terminatorSlot() {
    static HookSlot<Terminator> slot;
    return slot;
}
HookSlot<ResourceFolderLocator>& resourceSlot() {
    static HookSlot<ResourceFolderLocator> slot;
    return slot;
}

} // namespace

void setAlertAnswerer(AlertAnswerer answerer) {
    alertSlot().set(std::move(answerer));
}

int answerAlert(const AlertRequest& request) {
    if (auto answerer = alertSlot().get()) {
        return answerer(request);
    }
    qWarning().noquote() << "alert without a window:" << request.text;
    return 0;
}

void setUrlOpener(UrlOpener opener) {
    urlSlot().set(std::move(opener));
}

bool openUrl(const QUrl& url) {
    if (auto opener = urlSlot().get()) {
        return opener(url);
    }
    return QDesktopServices::openUrl(url);
}

void setTerminator(Terminator terminator) {
    terminatorSlot().set(std::move(terminator));
}

void terminate(int exitCode) {
    if (auto terminator = terminatorSlot().get()) {
        terminator(exitCode);
        return;
    }
    std::exit(exitCode);
}

void setResourceFolderLocator(ResourceFolderLocator locator) {
    resourceSlot().set(std::move(locator));
}

QString resourceFolder() {
    if (auto locator = resourceSlot().get()) {
        return locator();
    }
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("resources"));
}

} // namespace hooks
