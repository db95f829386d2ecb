#include "widgets/DialogOwner.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace dialogs {
namespace {

QPointer<QWidget>& mainWindowSlot() {
    static QPointer<QWidget> window;
    return window;
}

// The opener's window, unless it is the dialog itself or owned by it (the
// dialog would own itself).
QWidget* usableWindow(QWidget* widget, const QWidget* except) {
    QWidget* window = widget ? widget->window() : nullptr;
    for (const QWidget* w = window; w && except; w = w->parentWidget()) {
        if (w == except) {
            return nullptr;
        }
    }
    return window;
}

} // namespace

void setMainWindow(QWidget* window) {
    mainWindowSlot() = window;
}

QWidget* currentWindow(const QWidget* except) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        return nullptr;
    }
    for (QWidget* candidate : {QApplication::activeModalWidget(), QApplication::activeWindow(),
                               mainWindowSlot().data()}) {
        QWidget* window = usableWindow(candidate, except);
        // A hidden window (the main window before the start window closes)
        // cannot hold a dialog in front of it.
        if (window && window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

void ownBy(QWidget& dialog, QWidget* opener) {
    QWidget* owner = opener ? usableWindow(opener, &dialog) : currentWindow(&dialog);
    // A shown dialog keeps its owner: moving it would hide it.
    if (!owner || dialog.parentWidget() == owner || dialog.isVisible()) {
        return;
    }
    // setParent without flags would make the dialog a child widget inside
    // the opener; with its own flags it stays a window of its own.
    dialog.setParent(owner, dialog.windowFlags());
    // The dialog outlives its opener: it stands alone again, not deleted,
    // when the opener goes.
    QObject::connect(owner, &QObject::destroyed, &dialog, [&dialog, owner] {
        if (dialog.parent() == owner) {
            dialog.setParent(nullptr, dialog.windowFlags());
        }
    });
}

} // namespace dialogs
