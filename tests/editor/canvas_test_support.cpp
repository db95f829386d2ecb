#include "canvas_test_support.h"

#include <QCoreApplication>
#include <QPainter>

void RecordingCanvasHost::Card_Base_Drawing(QPainter& painter, const QRectF& card) {
    backgroundRects.append(card);
    painter.fillRect(card, Qt::white);
}

CanvasFixture::CanvasFixture(const QString& listKey) : key(listKey) {
    document = std::make_unique<SKTDocument>();
    selection = std::make_unique<SKTSelectionHolder>();
    selection->setContent(document.get(), key);
    view = std::make_unique<SKTGraphicView>();
    view->setCardSize(QSizeF(400, 300));
    view->bind(key, document.get(), QStringLiteral("document.") + key);
    view->bind(SKTGraphicViewSelectionIndexesBindingName, selection.get(),
               QStringLiteral("selectionIndexes"));
}

CanvasFixture::~CanvasFixture() {
    view.reset();
    selection.reset();
    document.reset();
}

std::shared_ptr<SKTGraphic> CanvasFixture::add(const std::shared_ptr<SKTGraphic>& graphic) {
    // Appended behind the objects already there, without an undo step.
    document->Enable_Disable_Undo_Registraion(0);
    document->insertGraphicsInList(key, {graphic}, {static_cast<int>(list().size())});
    document->Enable_Disable_Undo_Registraion(1);
    return graphic;
}

void CanvasFixture::settle() {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

namespace canvasmouse {
namespace {

void send(SKTGraphicView& view, QEvent::Type type, const QPointF& point, Qt::MouseButton button,
          Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    const QPointF local = point * view.zoomFactor();
    QMouseEvent event(type, local, view.mapToGlobal(local), button, buttons, modifiers);
    QCoreApplication::sendEvent(&view, &event);
}

} // namespace

void press(SKTGraphicView& view, const QPointF& point, Qt::KeyboardModifiers modifiers) {
    send(view, QEvent::MouseButtonPress, point, Qt::LeftButton, Qt::LeftButton, modifiers);
}

void drag(SKTGraphicView& view, const QPointF& point) {
    send(view, QEvent::MouseMove, point, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
}

void release(SKTGraphicView& view, const QPointF& point) {
    send(view, QEvent::MouseButtonRelease, point, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
}

void moveWithoutButton(SKTGraphicView& view, const QPointF& point) {
    send(view, QEvent::MouseMove, point, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
}

void doubleClick(SKTGraphicView& view, const QPointF& point) {
    press(view, point);
    release(view, point);
    send(view, QEvent::MouseButtonDblClick, point, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    release(view, point);
}

void dragPath(SKTGraphicView& view, const QList<QPointF>& points, Qt::KeyboardModifiers modifiers) {
    press(view, points.first(), modifiers);
    for (int i = 1; i < points.size(); ++i) {
        drag(view, points.at(i));
    }
    release(view, points.last());
}

} // namespace canvasmouse
