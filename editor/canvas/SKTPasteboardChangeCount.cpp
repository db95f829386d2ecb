#include "editor/canvas/SKTPasteboardChangeCount.h"

#include <QClipboard>
#include <QGuiApplication>
#include <atomic>

namespace {

std::atomic<qint64> g_changeCount{0};

} // namespace

qint64 SKTPasteboardChangeCount() {
    static const bool connected = [] {
        if (QClipboard* clipboard = QGuiApplication::clipboard()) {
            QObject::connect(clipboard, &QClipboard::dataChanged, clipboard,
                             [] { g_changeCount.fetch_add(1); });
        }
        return true;
    }();
    Q_UNUSED(connected);
    return g_changeCount.load();
}
