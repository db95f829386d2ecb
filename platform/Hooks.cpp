#include "platform/Hooks.h"

#include "platform/HookSlot.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QtDebug>
#include <cstdlib>
#include <memory>
#include <optional>

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

// How long the opener is waited for. One still running then is taken to
// have opened the address (it may be the program that shows it).
constexpr int kOpenerWaitMs = 4000;

// Qt reports success as soon as xdg-open starts, even when no program can
// open the address; run it here so its exit status decides.
bool openWithOpener(const QUrl& url) {
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        return QDesktopServices::openUrl(url);
    }
    // Not owned by a scope: an opener still running after the wait is left
    // to finish and deletes itself then.
    auto* process = new QProcess();
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    auto outcome = std::make_shared<std::optional<bool>>();
    QObject::connect(process, &QProcess::finished, process,
                     [process, outcome](int exitCode, QProcess::ExitStatus status) {
                         *outcome = status == QProcess::NormalExit && exitCode == 0;
                         process->deleteLater();
                     });
    process->start(opener, {QString::fromUtf8(url.toEncoded())});
    if (!process->waitForStarted()) {
        delete process;
        return false;
    }
    const QCoreApplication* app = QCoreApplication::instance();
    if (app && QThread::currentThread() == app->thread()) {
        // The windows keep drawing while the opener decides; clicks wait.
        QEventLoop loop;
        QObject::connect(process, &QProcess::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(kOpenerWaitMs, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    } else {
        process->waitForFinished(kOpenerWaitMs);
    }
    return outcome->value_or(true);
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
    return openWithOpener(url);
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
