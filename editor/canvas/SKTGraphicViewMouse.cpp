// Mouse and keys of the canvas. A press starts one of the trackings (move,
// resize, rubber band, or waiting for the release); moves feed it and the
// release ends it. A release that never comes (the focus goes, or a move
// arrives without the button) ends it as a release would. Keys are ignored
// while tracking.

#include "core/MessageFunctions.h"
#include "core/globals.h"
#include "editor/canvas/SKTCanvasHost.h"
#include "editor/canvas/SKTGraphicView.h"
#include "editor/canvas/SKTSelectionHolder.h"
#include "editor/model/SKTBarcode.h"
#include "editor/model/SKTDocument.h"
#include "editor/view/SKTRulerView.h"
#include "editor/view/SKTZoomingScrollView.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QTimer>
#include <cmath>

namespace {

// Moves start once the pointer is this far from the press, in x or y.
constexpr double kMoveThreshold = 2.0;

} // namespace

// ---- Hit testing ----

std::shared_ptr<SKTGraphic> SKTGraphicView::graphicUnderPoint(const QPointF& point, int* index,
                                                              bool* isSelected, int* handle) const {
    const SKTGraphicList list = graphics();
    const QList<int> selection = selectionIndexes();
    for (int i = 0; i < list.size(); ++i) {
        const std::shared_ptr<SKTGraphic>& graphic = list.at(i);
        if (!graphic->drawingBounds().contains(point)) {
            continue;
        }
        const bool selected = std::binary_search(selection.begin(), selection.end(), i);
        int hitHandle = selected ? graphic->handleUnderPoint(point) : 0;
        if (hitHandle == 0 && !graphic->isContentsUnderPoint(point)) {
            continue;
        }
        if (index) {
            *index = i;
        }
        if (isSelected) {
            *isSelected = selected;
        }
        if (handle) {
            *handle = hitHandle;
        }
        return graphic;
    }
    return nullptr;
}

QList<int> SKTGraphicView::indexesOfGraphicsIntersectingRect(const QRectF& rect) const {
    QList<int> result;
    const SKTGraphicList list = graphics();
    for (int i = 0; i < list.size(); ++i) {
        if (list.at(i)->drawingBounds().intersects(rect)) {
            result.append(i);
        }
    }
    return result;
}

void SKTGraphicView::select(const QList<int>& indexes) {
    if (m_selectionHolder) {
        changeSelectionIndexes(indexes);
    }
}

// ---- Qt events ----

void SKTGraphicView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || isTracking()) {
        event->ignore();
        return;
    }
    setFocus(Qt::MouseFocusReason);
    mouseDown(event, 1);
    // Moves without the button reach the canvas only with mouse tracking:
    // they tell that the release went elsewhere.
    setMouseTracking(isTracking());
}

void SKTGraphicView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || isTracking()) {
        event->ignore();
        return;
    }
    mouseDown(event, 2);
    setMouseTracking(isTracking());
}

void SKTGraphicView::mouseMoveEvent(QMouseEvent* event) {
    if (!isTracking()) {
        return;
    }
    if (!(event->buttons() & Qt::LeftButton)) {
        // The release went elsewhere.
        finishTracking();
        return;
    }
    trackTo(cardPoint(event->position()), event->position());
}

void SKTGraphicView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isTracking()) {
        return;
    }
    trackTo(cardPoint(event->position()), event->position());
    finishTracking();
}

void SKTGraphicView::focusOutEvent(QFocusEvent* event) {
    SKTZoomableCanvas::focusOutEvent(event);
    if (isTracking()) {
        finishTracking();
    }
}

void SKTGraphicView::keyPressEvent(QKeyEvent* event) {
    if (isTracking()) {
        event->accept();
        return;
    }
    // Arrows with a modifier mean other commands (extending a selection,
    // word moves) that the canvas does not take.
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool isArrow = event->key() == Qt::Key_Left || event->key() == Qt::Key_Right ||
                         event->key() == Qt::Key_Up || event->key() == Qt::Key_Down;
    if (isArrow && modifiers != Qt::NoModifier) {
        SKTZoomableCanvas::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
        moveLeft();
        break;
    case Qt::Key_Right:
        moveRight();
        break;
    case Qt::Key_Up:
        moveUp();
        break;
    case Qt::Key_Down:
        moveDown();
        break;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        deleteSelection();
        break;
    case Qt::Key_Escape:
        deselectAllAndShowCard();
        break;
    default:
        SKTZoomableCanvas::keyPressEvent(event);
        return;
    }
    event->accept();
}

// ---- The backdrop around the card ----

void SKTGraphicView::backdropMousePress(const QPointF& point, QMouseEvent* event) {
    if (isTracking()) {
        return;
    }
    stopEditing();
    setFocus(Qt::MouseFocusReason);
    _Selected_Graphic.reset();
    m_mouseSetsCurrent = true;
    // A selected object reaching past the card's edge has handles out here:
    // a press on one resizes it, as on the card.
    int handle = 0;
    if (SKTCanvasMain::currentGraphicClass().isEmpty() &&
        graphicUnderPoint(point, nullptr, nullptr, &handle) && handle != 0) {
        selectAndTrackMouseWithEvent(point, event->modifiers().testFlag(Qt::ShiftModifier));
        if (!isTracking()) {
            mouseDownEnd();
        }
        return;
    }
    if (!event->modifiers().testFlag(Qt::ShiftModifier)) {
        deselectAll();
    }
    marqueeSelectWithEvent(point);
}

void SKTGraphicView::backdropMouseMove(const QPointF& point, QMouseEvent* event) {
    if (!isTracking()) {
        return;
    }
    if (!(event->buttons() & Qt::LeftButton)) {
        finishTracking();
        return;
    }
    trackTo(point, point * zoomFactor());
}

void SKTGraphicView::backdropMouseRelease(const QPointF& point, QMouseEvent*) {
    if (!isTracking()) {
        return;
    }
    trackTo(point, point * zoomFactor());
    finishTracking();
}

void SKTGraphicView::drawBeyondCard(QPainter& painter) const {
    if (_isHidingHandles) {
        return;
    }
    const SKTGraphicList list = graphics();
    const QRectF card = cardBounds();
    for (int index : selectionIndexes()) {
        if (index < 0 || index >= list.size()) {
            continue;
        }
        const std::shared_ptr<SKTGraphic>& graphic = list.at(index);
        if (graphic == _creatingGraphic || graphic == _editingGraphic ||
            card.contains(graphic->drawingBounds())) {
            continue;
        }
        graphic->drawHandlesInView(painter, graphic->ctrl_is_locked);
    }
}

QRectF SKTGraphicView::reachBounds() const {
    QRectF reach = cardBounds();
    const SKTGraphicList list = graphics();
    for (int index : selectionIndexes()) {
        if (index >= 0 && index < list.size()) {
            reach = reach.united(list.at(index)->drawingBounds());
        }
    }
    return reach;
}

void SKTGraphicView::deselectAllAndShowCard() {
    _Selected_Graphic.reset();
    deselectAll();
    SKTCanvasMain::Show_RHS_Properties(nullptr);
}

// ---- Mouse down ----

void SKTGraphicView::mouseDown(QMouseEvent* event, int clickCount) {
    stopEditing();
    m_mouseSetsCurrent = true;
    const QPointF point = cardPoint(event->position());
    const QString cls = SKTCanvasMain::currentGraphicClass();
    if (!cls.isEmpty()) {
        const QString side =
            Current_Card_Side_Is_Back() ? QStringLiteral("B") : QStringLiteral("F");
        createGraphicOfClass(cls, event, false, QRectF(), side, QString(), QString());
        if (!isTracking()) {
            _Selected_Graphic.reset();
            mouseDownEnd();
        }
        return;
    }
    _Selected_Graphic.reset();
    if (clickCount > 1) {
        int index = -1;
        auto graphic = graphicUnderPoint(point, &index);
        if (graphic) {
            _Selected_Graphic = graphic;
            if (!graphic->ctrl_is_visible) {
                m_mouseSetsCurrent = false;
                return;
            }
            if (!graphic->ctrl_is_locked) {
                startEditingGraphic(graphic);
                if (dynamic_cast<SKTBarcode*>(graphic.get())) {
                    SKTCanvasMain::Open_Barcode_Window();
                }
            }
            mouseDownEnd();
            return;
        }
    }
    selectAndTrackMouseWithEvent(point, event->modifiers().testFlag(Qt::ShiftModifier));
    if (!isTracking()) {
        mouseDownEnd();
    }
}

void SKTGraphicView::mouseDownEnd() {
    m_mouseSetsCurrent = false;
    if (!selectedGraphic()) {
        SKTCanvasMain::Show_RHS_Properties(nullptr);
    }
}

void SKTGraphicView::selectAndTrackMouseWithEvent(const QPointF& point, bool extending) {
    int index = -1;
    bool isSelected = false;
    int handle = 0;
    const auto graphic = graphicUnderPoint(point, &index, &isSelected, &handle);
    if (!graphic) {
        if (!extending) {
            select({});
        }
        marqueeSelectWithEvent(point);
        return;
    }
    _Selected_Graphic = graphic;
    Show_NSLog_Message(QFileInfo(graphic->_file_path).fileName());
    if (!graphic->ctrl_is_visible) {
        return;
    }
    if (graphic->ctrl_is_locked) {
        if (!isSelected) {
            select({index});
        }
        SKTCanvasMain::Refresh_Canvas(*this);
        SKTCanvasMain::Show_RHS_Properties(graphic);
        return;
    }
    m_track.showCurrent = true;
    if (handle == 0) {
        if (extending) {
            QList<int> selection = selectionIndexes();
            if (isSelected) {
                selection.removeAll(index);
            } else {
                selection.append(index);
            }
            isSelected = !isSelected;
            select(selection);
        } else if (!isSelected) {
            select({index});
            isSelected = true;
        }
        if (isSelected) {
            moveSelectedGraphicsWithEvent(point);
        } else {
            m_track.mode = TrackMode::WaitRelease;
        }
    } else {
        resizeGraphic(graphic, handle, point);
        if (!isTracking()) {
            m_track.showCurrent = false;
            SKTCanvasMain::Show_RHS_Properties(graphic);
        }
    }
}

// ---- Trackings ----

void SKTGraphicView::moveSelectedGraphicsWithEvent(const QPointF& point) {
    m_track.mode = TrackMode::Move;
    m_track.graphics = selectedGraphics();
    m_track.rulers = rulersShown();
    m_track.selBounds = SKTGraphic::boundsOfGraphics(m_track.graphics);
    m_track.downPoint = point;
    m_track.lastPoint = point;
    m_track.offset = point - m_track.selBounds.topLeft();
    m_track.isMoving = false;
    if (m_track.rulers) {
        beginEchoingMoveToRulers(m_track.selBounds);
    }
    beginGroup();
    m_track.undoGroupOpen = true;
}

void SKTGraphicView::resizeGraphic(const std::shared_ptr<SKTGraphic>& graphic, int handle,
                                   const QPointF& point) {
    if (graphic->ctrl_is_locked) {
        return;
    }
    m_track.mode = TrackMode::Resize;
    m_track.graphic = graphic;
    m_track.handle = handle;
    m_track.downPoint = point;
    m_track.lastPoint = point;
    m_track.rulers = rulersShown();
    if (m_track.rulers) {
        beginEchoingMoveToRulers(graphic->bounds());
    }
    beginGroup();
    m_track.undoGroupOpen = true;
}

void SKTGraphicView::marqueeSelectWithEvent(const QPointF& point) {
    m_track.mode = TrackMode::Marquee;
    m_track.startSelection = selectionIndexes();
    m_track.downPoint = point;
    m_track.lastPoint = point;
}

void SKTGraphicView::trackTo(QPointF point, const QPointF& widgetPosition) {
    autoscroll(widgetPosition);
    switch (m_track.mode) {
    case TrackMode::Move: {
        if (!m_track.isMoving) {
            const QPointF delta = point - m_track.downPoint;
            if (std::abs(delta.x()) >= kMoveThreshold || std::abs(delta.y()) >= kMoveThreshold) {
                m_track.isMoving = true;
                _isHidingHandles = true;
                invalidateHandlesOfGraphics(m_track.graphics);
            }
        }
        if (m_track.isMoving) {
            if (_grid) {
                point = constrainedPoint(point - m_track.offset) + m_track.offset;
            }
            if (point != m_track.lastPoint) {
                const QPointF delta = point - m_track.lastPoint;
                SKTGraphic::translateGraphics(m_track.graphics, delta.x(), delta.y());
                if (m_track.rulers) {
                    continueEchoingMoveToRulers(
                        QRectF(point - m_track.offset, m_track.selBounds.size()));
                }
                m_track.lastPoint = point;
            }
        }
        break;
    }
    case TrackMode::Resize:
        if (m_track.graphic) {
            m_track.handle =
                m_track.graphic->resizeByMovingHandle(m_track.handle, constrainedPoint(point));
            if (m_track.rulers) {
                continueEchoingMoveToRulers(m_track.graphic->bounds());
            }
        }
        break;
    case TrackMode::Marquee: {
        const QPointF& a = m_track.downPoint;
        const QRectF band(QPointF(std::min(a.x(), point.x()), std::min(a.y(), point.y())),
                          QSizeF(std::abs(point.x() - a.x()), std::abs(point.y() - a.y())));
        if (band != _marqueeSelectionBounds) {
            invalidateOutline(_marqueeSelectionBounds);
            _marqueeSelectionBounds = band;
            invalidateOutline(band);
            const QList<int> met = indexesOfGraphicsIntersectingRect(band);
            if (!met.isEmpty()) {
                QList<int> selection = m_track.startSelection;
                for (int index : met) {
                    if (selection.contains(index)) {
                        selection.removeAll(index);
                    } else {
                        selection.append(index);
                    }
                }
                select(selection);
            }
        }
        break;
    }
    case TrackMode::WaitRelease:
    case TrackMode::None:
        break;
    }
    m_track.lastPoint = m_track.mode == TrackMode::Move ? m_track.lastPoint : point;
}

void SKTGraphicView::finishTracking() {
    switch (m_track.mode) {
    case TrackMode::Move:
        endMove();
        break;
    case TrackMode::Resize:
        if (m_track.rulers) {
            stopEchoingMoveToRulers();
        }
        break;
    case TrackMode::Marquee:
        endMarquee();
        break;
    case TrackMode::WaitRelease:
    case TrackMode::None:
        break;
    }
    if (m_track.undoGroupOpen) {
        endGroup();
    }
    const bool creating = m_track.creating;
    const bool showCurrent = m_track.showCurrent;
    m_track = Tracking();
    setMouseTracking(false);
    if (creating) {
        finishCreation();
        _Selected_Graphic.reset();
    } else if (showCurrent) {
        SKTCanvasMain::Show_RHS_Properties(selectedGraphic());
    }
    mouseDownEnd();
}

void SKTGraphicView::endMove() {
    if (m_track.rulers) {
        stopEchoingMoveToRulers();
    }
    if (m_track.isMoving) {
        _isHidingHandles = false;
        setNeedsDisplayInRect(SKTGraphic::drawingBoundsOfGraphics(m_track.graphics));
    }
    SKTCanvasMain::Refresh_Canvas(*this);
}

void SKTGraphicView::endMarquee() {
    invalidateOutline(_marqueeSelectionBounds);
    _marqueeSelectionBounds = QRectF();
    SKTCanvasMain::Refresh_Canvas(*this);
    // What the band selected stays selected; its front-most object becomes
    // current and shows its inspector.
    const SKTGraphicList selected = selectedGraphics();
    if (!selected.isEmpty()) {
        _Selected_Graphic = selected.first();
        m_track.showCurrent = true;
    }
}

void SKTGraphicView::invalidateOutline(const QRectF& rect) {
    if (rect.isNull()) {
        return;
    }
    const double w = 2.0;
    setNeedsDisplayInRect(QRectF(rect.left() - w, rect.top() - w, rect.width() + 2 * w, 2 * w));
    setNeedsDisplayInRect(QRectF(rect.left() - w, rect.bottom() - w, rect.width() + 2 * w, 2 * w));
    setNeedsDisplayInRect(QRectF(rect.left() - w, rect.top() - w, 2 * w, rect.height() + 2 * w));
    setNeedsDisplayInRect(QRectF(rect.right() - w, rect.top() - w, 2 * w, rect.height() + 2 * w));
}

void SKTGraphicView::autoscroll(const QPointF& widgetPosition) {
    if (SKTZoomingScrollView* scrollView = enclosingScrollView();
        scrollView && scrollView->documentView() == this) {
        // Past the card's edge too, as far as the selection reaches.
        scrollView->scrollToShow(widgetPosition.toPoint());
        return;
    }
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* area = qobject_cast<QScrollArea*>(w)) {
            if (QWidget* content = area->widget()) {
                const QPoint p = content == this ? widgetPosition.toPoint()
                                                 : mapTo(content, widgetPosition.toPoint());
                area->ensureVisible(p.x(), p.y(), 0, 0);
            }
            return;
        }
    }
}

// ---- Handles and keys ----

void SKTGraphicView::hideHandlesMomentarily() {
    _handleShowingTimer->start();
    _isHidingHandles = true;
    setNeedsDisplayInRect(SKTGraphic::drawingBoundsOfGraphics(selectedGraphics()));
}

void SKTGraphicView::unhideHandlesForTimer() {
    _isHidingHandles = false;
    _handleShowingTimer->stop();
    setNeedsDisplayInRect(SKTGraphic::drawingBoundsOfGraphics(selectedGraphics()));
}

void SKTGraphicView::invalidateHandlesOfGraphics(const SKTGraphicList& list) {
    for (const auto& graphic : list) {
        setNeedsDisplayInRect(graphic->drawingBounds());
    }
}

void SKTGraphicView::moveSelectedGraphicsByX(double x, double y) {
    const SKTGraphicList selected = selectedGraphics();
    if (selected.isEmpty()) {
        return;
    }
    hideHandlesMomentarily();
    beginGroup();
    SKTGraphic::translateGraphics(selected, x, y);
    endGroup();
}

// ---- Rulers ----

namespace {

// The three marker lines of a ruler at the minimum, middle and maximum of
// the rectangle along it; a null rectangle takes them away.
void placeMarkers(SKTRulerView* ruler, const QRectF& rect) {
    if (!ruler) {
        return;
    }
    const bool horizontal = ruler->orientation() == Qt::Horizontal;
    const double low = horizontal ? rect.left() : rect.top();
    const double extent = horizontal ? rect.width() : rect.height();
    const double locations[SKTRulerView::kMarkerCount] = {low, low + extent / 2.0, low + extent};
    for (int i = 0; i < SKTRulerView::kMarkerCount; ++i) {
        ruler->setMarkerLocation(i, rect.isNull() ? SKTRulerView::kHiddenLocation : locations[i]);
    }
}

} // namespace

SKTZoomingScrollView* SKTGraphicView::enclosingScrollView() const {
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* scrollView = qobject_cast<SKTZoomingScrollView*>(w)) {
            return scrollView;
        }
    }
    return nullptr;
}

bool SKTGraphicView::rulersShown() const {
    const SKTZoomingScrollView* scrollView = enclosingScrollView();
    return scrollView && scrollView->rulersVisible();
}

void SKTGraphicView::beginEchoingMoveToRulers(const QRectF& rect) {
    continueEchoingMoveToRulers(rect);
}

void SKTGraphicView::continueEchoingMoveToRulers(const QRectF& rect) {
    if (SKTZoomingScrollView* scrollView = enclosingScrollView()) {
        placeMarkers(scrollView->horizontalRuler(), rect);
        placeMarkers(scrollView->verticalRuler(), rect);
    }
    _rulerEchoedBounds = rect;
}

void SKTGraphicView::stopEchoingMoveToRulers() {
    continueEchoingMoveToRulers(QRectF());
}

// ---- Undo groups of gestures ----

void SKTGraphicView::beginGroup() {
    if (m_document) {
        m_document->beginUndoGroup();
    }
}

void SKTGraphicView::endGroup() {
    if (m_document) {
        m_document->endUndoGroup();
    }
}
