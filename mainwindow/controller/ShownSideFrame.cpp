#include "mainwindow/controller/ShownSideFrame.h"

#include <QEvent>
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
    if (QWidget* page = m_target.currentWidget()) {
        const QSize bounds = m_target.contentsRect().size();
        page->setGeometry(QRect(m_target.contentsRect().topLeft(),
                                QSize(bounds.width(), bounds.height() + kExtraHeight)));
    }
}

bool ShownSideFrame::eventFilter(QObject* watched, QEvent* event) {
    // The target's layout has placed the page by the time a filter sees
    // these events: the frame is widened again after it.
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
