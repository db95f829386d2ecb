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

void SKTZoomableCanvas::update() {
    m_keptValid = QRegion();
    QWidget::update();
}

void SKTZoomableCanvas::update(const QRect& rect) {
    m_keptValid -= rect;
    QWidget::update(rect);
    updateBeyondCard(QRegion(rect));
}

void SKTZoomableCanvas::update(const QRegion& region) {
    m_keptValid -= region;
    QWidget::update(region);
    updateBeyondCard(region);
}

void SKTZoomableCanvas::repaint() {
    m_keptValid = QRegion();
    QWidget::repaint();
}

void SKTZoomableCanvas::repaint(const QRect& rect) {
    m_keptValid -= rect;
    QWidget::repaint(rect);
    updateBeyondCard(QRegion(rect));
}

void SKTZoomableCanvas::repaint(const QRegion& region) {
    m_keptValid -= region;
    QWidget::repaint(region);
    updateBeyondCard(region);
}

void SKTZoomableCanvas::updateBeyondCard(const QRegion& region) {
    QWidget* parent = parentWidget();
    if (!parent) {
        return;
    }
    const QRegion beyond = region - rect();
    if (!beyond.isEmpty()) {
        parent->update(beyond.translated(pos()));
        emit beyondCardChanged();
    }
}

void SKTZoomableCanvas::drawBeyondCard(QPainter&) const {}

QRectF SKTZoomableCanvas::reachBounds() const {
    return cardBounds();
}

void SKTZoomableCanvas::dropKeptPicture() {
    m_kept = QImage();
    m_keptRect = QRect();
    m_keptValid = QRegion();
}

void SKTZoomableCanvas::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
    case QEvent::FontChange:
    case QEvent::EnabledChange:
    case QEvent::LayoutDirectionChange:
        dropKeptPicture();
        break;
    default:
        break;
    }
}

void SKTZoomableCanvas::hideEvent(QHideEvent* event) {
    // A hidden canvas hears no redraw requests of the window (they go to the
    // side shown), so it starts afresh when shown again.
    dropKeptPicture();
    QWidget::hideEvent(event);
}

bool SKTZoomableCanvas::placeKeptPicture() {
    const QRect visible = visibleRegion().boundingRect();
    const double ratio = devicePixelRatioF();
    if (visible.isEmpty()) {
        return false;
    }
    if (m_keptRect.contains(visible) && m_kept.devicePixelRatio() == ratio) {
        return true;
    }
    // A quarter of the visible size kept on every side, so scrolling back
    // and forth over it is served from the picture.
    const int marginX = visible.width() / 4;
    const int marginY = visible.height() / 4;
    const QRect rect = visible.adjusted(-marginX, -marginY, marginX, marginY) & this->rect();
    constexpr qint64 kMaxPixels = qint64(4096) * 4096;
    if (qint64(rect.width() * ratio) * qint64(rect.height() * ratio) > kMaxPixels) {
        dropKeptPicture();
        return false;
    }
    QImage kept(rect.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    kept.setDevicePixelRatio(ratio);
    kept.fill(Qt::transparent);
    QRegion valid;
    if (!m_kept.isNull() && m_kept.devicePixelRatio() == ratio) {
        valid = m_keptValid & rect;
        if (!valid.isEmpty()) {
            QPainter painter(&kept);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.translate(-rect.topLeft());
            painter.setClipRegion(valid);
            painter.drawImage(m_keptRect.topLeft(), m_kept);
        }
    }
    m_kept = std::move(kept);
    m_keptRect = rect;
    m_keptValid = valid;
    return true;
}

void SKTZoomableCanvas::paintCard(QPainter& painter, const QRegion& region) {
    painter.save();
    painter.setClipRegion(region, Qt::IntersectClip);
    painter.scale(m_factor, m_factor);
    drawCard(painter, cardRect(QRectF(region.boundingRect())));
    painter.restore();
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
    const QRegion region = event->region();
    painter.setClipRegion(region);
    const QRegion kept = placeKeptPicture() ? region & m_keptRect : QRegion();
    if (!kept.isEmpty()) {
        const QRegion stale = kept - m_keptValid;
        if (!stale.isEmpty()) {
            // Marked valid first: a redraw request made while drawing
            // marks it stale again.
            m_keptValid += stale;
            QPainter keeper(&m_kept);
            keeper.translate(-m_keptRect.topLeft());
            keeper.setClipRegion(stale);
            keeper.setCompositionMode(QPainter::CompositionMode_Source);
            keeper.fillRect(stale.boundingRect(), Qt::transparent);
            keeper.setCompositionMode(QPainter::CompositionMode_SourceOver);
            paintCard(keeper, stale);
        }
        const double ratio = m_kept.devicePixelRatio();
        for (const QRect& rect : kept) {
            const QRect source = rect.translated(-m_keptRect.topLeft());
            painter.drawImage(QRectF(rect), m_kept,
                              QRectF(source.topLeft() * ratio, source.size() * ratio));
        }
    }
    const QRegion direct = region - kept;
    if (!direct.isEmpty()) {
        paintCard(painter, direct);
    }
}

void SKTZoomableCanvas::backdropMousePress(const QPointF&, QMouseEvent*) {}
void SKTZoomableCanvas::backdropMouseMove(const QPointF&, QMouseEvent*) {}
void SKTZoomableCanvas::backdropMouseRelease(const QPointF&, QMouseEvent*) {}

void SKTZoomableCanvas::mousePressEvent(QMouseEvent* event) {
    cardMousePress(cardPoint(event->position()), event);
}

void SKTZoomableCanvas::mouseMoveEvent(QMouseEvent* event) {
    cardMouseMove(cardPoint(event->position()), event);
}

void SKTZoomableCanvas::mouseReleaseEvent(QMouseEvent* event) {
    cardMouseRelease(cardPoint(event->position()), event);
}
