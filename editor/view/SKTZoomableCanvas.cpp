#include "editor/view/SKTZoomableCanvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

SKTZoomableCanvas::SKTZoomableCanvas(QWidget* parent) : QWidget(parent) {
    // Not opaque: outside a rounded or oval card the backdrop shows through.
    setAutoFillBackground(false);
}

void SKTZoomableCanvas::setCardSize(const QSizeF& size) {
    m_cardSize = size;
    updateWidgetSize();
    update();
}

void SKTZoomableCanvas::setZoomFactor(double factor) {
    if (!(factor > 0) || !std::isfinite(factor) || factor == m_factor) {
        return;
    }
    m_factor = factor;
    updateWidgetSize();
    update();
}

void SKTZoomableCanvas::updateWidgetSize() {
    const double w = std::round(m_cardSize.width() * m_factor);
    const double h = std::round(m_cardSize.height() * m_factor);
    constexpr double kMaxPixels = 1 << 24; // Qt's widget size limit
    resize(static_cast<int>(std::clamp(w, 0.0, kMaxPixels)),
           static_cast<int>(std::clamp(h, 0.0, kMaxPixels)));
}

QPointF SKTZoomableCanvas::cardPoint(const QPointF& widgetPoint) const {
    return widgetPoint / m_factor;
}

QRectF SKTZoomableCanvas::cardRect(const QRectF& widgetRect) const {
    return {widgetRect.topLeft() / m_factor, widgetRect.size() / m_factor};
}

QRectF SKTZoomableCanvas::widgetRect(const QRectF& cardRect) const {
    return {cardRect.topLeft() * m_factor, cardRect.size() * m_factor};
}

void SKTZoomableCanvas::drawCard(QPainter&, const QRectF&) {}
void SKTZoomableCanvas::cardMousePress(const QPointF&, QMouseEvent*) {}
void SKTZoomableCanvas::cardMouseMove(const QPointF&, QMouseEvent*) {}
void SKTZoomableCanvas::cardMouseRelease(const QPointF&, QMouseEvent*) {}

void SKTZoomableCanvas::setBackdropPainter(BackdropPainter painter) {
    m_backdrop = std::move(painter);
    prepareMove();
}

void SKTZoomableCanvas::prepareMove() {
    const bool opaque = m_backdrop && (visibleRegion() - opaqueCardRegion()).isEmpty();
    if (opaque != testAttribute(Qt::WA_OpaquePaintEvent)) {
        setAttribute(Qt::WA_OpaquePaintEvent, opaque);
    }
}

void SKTZoomableCanvas::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    prepareMove();
}

void SKTZoomableCanvas::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    prepareMove();
}

QRegion SKTZoomableCanvas::opaqueCardRegion() const {
    return {};
}

void SKTZoomableCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (m_backdrop && testAttribute(Qt::WA_OpaquePaintEvent)) {
        // What the parent would have painted beneath, should backdrop come
        // into view while opaque: the corners outside a rounded or oval
        // card, a partly covered last row or column. (While backdrop is in
        // view the canvas is not opaque and the parent paints it.)
        const QRegion fringe = event->region() - opaqueCardRegion();
        if (!fringe.isEmpty()) {
            painter.save();
            painter.setClipRegion(fringe);
            painter.translate(-pos());
            m_backdrop(painter);
            painter.restore();
        }
    }
    painter.setClipRegion(event->region());
    painter.scale(m_factor, m_factor);
    drawCard(painter, cardRect(QRectF(event->rect())));
}

void SKTZoomableCanvas::mousePressEvent(QMouseEvent* event) {
    cardMousePress(cardPoint(event->position()), event);
}

void SKTZoomableCanvas::mouseMoveEvent(QMouseEvent* event) {
    cardMouseMove(cardPoint(event->position()), event);
}

void SKTZoomableCanvas::mouseReleaseEvent(QMouseEvent* event) {
    cardMouseRelease(cardPoint(event->position()), event);
}
