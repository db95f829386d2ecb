#include "mainwindow/controller/ShownSideFrame.h"

#include <QEvent>
#include <QLayout>
#include <QStackedWidget>

ShownSideFrame::ShownSideFrame(QStackedWidget& target) : QObject(&target), m_target(target) {
    setObjectName(QStringLiteral("ShownSideFrame"));
    target.installEventFilter(this);
}

void ShownSideFrame::show(QStackedWidget& target, int index) {
    auto* keeper = dynamic_cast<ShownSideFrame*>(
        target.findChild<QObject*>(QStringLiteral("ShownSideFrame"), Qt::FindDirectChildrenOnly));
    if (!keeper) {
        keeper = new ShownSideFrame(target); // owned by the target
    }
    target.setCurrentIndex(index);
    keeper->apply();
}

void ShownSideFrame::apply() {
    QWidget* page = m_target.currentWidget();
    if (!page) {
        return;
    }
    // The strip above the target holds nothing: the page's content starts
    // below it.
    if (QLayout* layout = page->layout()) {
        const QMargins margins(0, kExtraHeight, 0, 0);
        if (layout->contentsMargins() != margins) {
            layout->setContentsMargins(margins);
        }
    }
    const QRect bounds = m_target.contentsRect();
    const QRect frame(bounds.left(), bounds.top() - kExtraHeight, bounds.width(),
                      bounds.height() + kExtraHeight);
    if (page->geometry() != frame) {
        page->setGeometry(frame);
    }
}

bool ShownSideFrame::eventFilter(QObject* watched, QEvent* event) {
    // The target's layout has placed the page by the time a filter sees
    // these events: the frame is set again after it.
    if (watched == &m_target) {
        switch (event->type()) {
        case QEvent::Resize:
        case QEvent::LayoutRequest:
        case QEvent::Show:
            apply();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}
