#include "fuzz/FuzzSupport.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <clocale>
#include <memory>

namespace fuzz_support {

namespace {

void dropMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

void startOnce() {
    static const bool started = [] {
        qInstallMessageHandler(dropMessage);
        if (QCoreApplication::instance() == nullptr) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
                qputenv("QT_QPA_PLATFORM", "offscreen");
            }
            static int argc = 1;
            static char name[] = "card_fuzz";
            static char* argv[] = {name, nullptr};
            // Lives until the process ends: the fuzzer never returns to main.
            static QGuiApplication app(argc, argv);
        }
        std::setlocale(LC_NUMERIC, "C");
        return true;
    }();
    (void)started;
}

QByteArray bytesOf(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

QString scratchFolder() {
    static const std::unique_ptr<QTemporaryDir> folder = [] {
        auto made = std::make_unique<QTemporaryDir>();
        return made->isValid() ? std::move(made) : nullptr;
    }();
    return folder ? folder->path() : QString();
}

} // namespace fuzz_support
