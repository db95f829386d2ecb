#include "platform/Hooks.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QMutex>
#include <QtDebug>
#include <cstdlib>

namespace hooks {
namespace {

// The hooks are set by start-up code and tests, and read from any thread.
QMutex& hookMutex() {
    static QMutex mutex;
    return mutex;
}

template <typename F> F read(const F& slot) {
    QMutexLocker lock(&hookMutex());
    return slot;
}

template <typename F> void write(F& slot, F value) {
    QMutexLocker lock(&hookMutex());
    slot = std::move(value);
}

AlertAnswerer& alertSlot() {
    static AlertAnswerer slot;
    return slot;
}
UrlOpener& urlSlot() {
    static UrlOpener slot;
    return slot;
}
Terminator& terminatorSlot() {
    static Terminator slot;
    return slot;
}
ResourceFolderLocator& resourceSlot() {
    static ResourceFolderLocator slot;
    return slot;
}

} // namespace

void setAlertAnswerer(AlertAnswerer answerer) { write(alertSlot(), std::move(answerer)); }

int answerAlert(const AlertRequest& request) {
    if (auto answerer = read(alertSlot())) {
        return answerer(request);
    }
    qWarning().noquote() << "alert without a window:" << request.text;
    return 0;
}

void setUrlOpener(UrlOpener opener) { write(urlSlot(), std::move(opener)); }

bool openUrl(const QUrl& url) {
    if (auto opener = read(urlSlot())) {
        return opener(url);
    }
    return QDesktopServices::openUrl(url);
}

void setTerminator(Terminator terminator) { write(terminatorSlot(), std::move(terminator)); }

void terminate(int exitCode) {
    if (auto terminator = read(terminatorSlot())) {
        terminator(exitCode);
        return;
    }
    std::exit(exitCode);
}

void setResourceFolderLocator(ResourceFolderLocator locator) {
    write(resourceSlot(), std::move(locator));
}

QString resourceFolder() {
    if (auto locator = read(resourceSlot())) {
        return locator();
    }
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("resources"));
}

} // namespace hooks
