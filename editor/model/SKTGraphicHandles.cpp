// Selection handles, hit testing and resizing of card objects. Coordinates
// are canvas points with y growing downwards, so handle 1 is the top left.

#include "editor/model/SKTGraphic.h"

#include <QPainter>
#include <array>

namespace {

// Handle replaced when the width turns negative, indexed by handle 0..8.
constexpr std::array<int, 9> kHorizontalFlip{0, 3, 2, 1, 5, 4, 8, 7, 6};
// Handle replaced when the height turns negative.
constexpr std::array<int, 9> kVerticalFlip{0, 6, 7, 8, 4, 5, 1, 2, 3};

const QColor kHandleShadowColor(0x55, 0x55, 0x55);
const QColor kHandleKnobColor(0xB0, 0xB0, 0xB0);

} // namespace

QPointF SKTGraphic::handlePoint(const QRectF& bounds, int handle) {
    const double minX = bounds.left();
    const double midX = bounds.left() + bounds.width() / 2.0;
    const double maxX = bounds.left() + bounds.width();
    const double minY = bounds.top();
    const double midY = bounds.top() + bounds.height() / 2.0;
    const double maxY = bounds.top() + bounds.height();
    switch (handle) {
    case 1:
        return {minX, minY};
    case 2:
        return {midX, minY};
    case 3:
        return {maxX, minY};
    case 4:
        return {minX, midY};
    case 5:
        return {maxX, midY};
    case 6:
        return {minX, maxY};
    case 7:
        return {midX, maxY};
    case 8:
        return {maxX, maxY};
    default:
        return {};
    }
}

void SKTGraphic::drawHandlesInView(QPainter& painter, bool lock_hai) const {
    for (int handle = 1; handle <= 8; ++handle) {
        drawHandleInView(painter, handlePoint(bounds(), handle), lock_hai);
    }
}

void SKTGraphic::drawHandleInView(QPainter& painter, const QPointF& point, bool lock_hai) const {
    const QRectF square(point.x() - SKTGraphicHandleHalfWidth,
                        point.y() - SKTGraphicHandleHalfWidth, SKTGraphicHandleWidth,
                        SKTGraphicHandleWidth);
    painter.fillRect(square.translated(1.0, 1.0), kHandleShadowColor);
    painter.fillRect(square, lock_hai ? QColor(Qt::red) : kHandleKnobColor);
}

bool SKTGraphic::isHandleAtPoint(const QPointF& handlePoint, const QPointF& point) const {
    const double left = handlePoint.x() - SKTGraphicHandleHalfWidth;
    const double top = handlePoint.y() - SKTGraphicHandleHalfWidth;
    return point.x() >= left && point.x() < left + SKTGraphicHandleWidth && point.y() >= top &&
           point.y() < top + SKTGraphicHandleWidth;
}

int SKTGraphic::handleUnderPoint(const QPointF& point) const {
    for (int handle = 1; handle <= 8; ++handle) {
        if (isHandleAtPoint(handlePoint(bounds(), handle), point)) {
            return handle;
        }
    }
    return 0;
}

bool SKTGraphic::isContentsUnderPoint(const QPointF& point) const {
    const QRectF b = bounds();
    return point.x() >= b.left() && point.x() < b.left() + b.width() && point.y() >= b.top() &&
           point.y() < b.top() + b.height();
}

int SKTGraphic::resizeByMovingHandle(int handle, const QPointF& point) {
    double x = _bounds.x();
    double y = _bounds.y();
    double w = _bounds.width();
    double h = _bounds.height();
    if (handle < 0 || handle > 8) {
        return handle;
    }

    if (handle == 1 || handle == 4 || handle == 6) {
        w = x + w - point.x();
        x = point.x();
    } else if (handle == 3 || handle == 5 || handle == 8) {
        w = point.x() - x;
    }
    if (w < 0.0) {
        handle = kHorizontalFlip[static_cast<size_t>(handle)];
        w = -w;
        x -= w;
        flipHorizontally();
    }

    if (handle == 1 || handle == 2 || handle == 3) {
        h = y + h - point.y();
        y = point.y();
    } else if (handle == 6 || handle == 7 || handle == 8) {
        h = point.y() - y;
    }
    if (h < 0.0) {
        handle = kVerticalFlip[static_cast<size_t>(handle)];
        h = -h;
        y -= h;
        flipVertically();
    }

    setBounds(QRectF(x, y, w, h));
    return handle;
}
