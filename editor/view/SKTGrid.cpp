#include "editor/view/SKTGrid.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QTimer>
#include <cmath>

namespace {

// The nearest multiple of the spacing, halves rounding up; the value itself
// when that is not a finite number.
double snapped(double value, double spacing) {
    const double result = std::floor(value / spacing + 0.5) * spacing;
    return std::isfinite(result) ? result : value;
}

} // namespace

SKTGrid::SKTGrid(QObject* parent) : QObject(parent), _color(Qt::lightGray) {}

SKTGrid::~SKTGrid() = default;

bool SKTGrid::isShowing() const {
    return isUsable() && (_isAlwaysShown || _hidingTimer);
}

void SKTGrid::setSpacing(double spacing) {
    if (spacing == _spacing) {
        return;
    }
    _spacing = spacing;
    if (_spacing > 0 && !_isAlwaysShown) {
        if (_hidingTimer) {
            _hidingTimer->start(); // moves the pending end
        } else {
            _hidingTimer = new QTimer(this);
            _hidingTimer->setSingleShot(true);
            _hidingTimer->setInterval(static_cast<int>(SKTGridTemporaryShowingTime * 1000));
            connect(_hidingTimer, &QTimer::timeout, this, &SKTGrid::stopShowingGridForTimer);
            _hidingTimer->start();
        }
    }
    emit changed();
}

void SKTGrid::setAlwaysShown(bool shown) {
    if (shown != _isAlwaysShown) {
        _isAlwaysShown = shown;
        emit alignWithGridEnabled(_isAlwaysShown);
        if (_hidingTimer) {
            _hidingTimer->stop();
            _hidingTimer->deleteLater();
            _hidingTimer = nullptr;
        }
    }
    emit changed();
}

void SKTGrid::setConstraining(bool constraining) {
    _isConstraining = constraining;
    emit changed();
}

QPointF SKTGrid::constrainedPoint(const QPointF& point) const {
    if (!isUsable() || !_isConstraining) {
        return point;
    }
    return {snapped(point.x(), _spacing), snapped(point.y(), _spacing)};
}

QRectF SKTGrid::alignedRect(const QRectF& rect) const {
    if (!isUsable()) {
        return rect;
    }
    const double left = snapped(rect.left(), _spacing);
    const double top = snapped(rect.top(), _spacing);
    const double right = snapped(rect.left() + rect.width(), _spacing);
    const double bottom = snapped(rect.top() + rect.height(), _spacing);
    const QRectF aligned(left, top, right - left, bottom - top);
    if (!std::isfinite(aligned.width()) || !std::isfinite(aligned.height())) {
        return rect;
    }
    return aligned;
}

void SKTGrid::drawRect(QPainter& painter, const QRectF& dirtyRect) const {
    if (!isShowing() || dirtyRect.isEmpty()) {
        return;
    }
    const double minX = dirtyRect.left();
    const double maxX = dirtyRect.right();
    const double minY = dirtyRect.top();
    const double maxY = dirtyRect.bottom();
    const double firstColumn = std::ceil(minX / _spacing);
    const double lastColumn = std::floor(maxX / _spacing);
    const double firstRow = std::ceil(minY / _spacing);
    const double lastRow = std::floor(maxY / _spacing);
    // A spacing so small that the dirty rectangle would hold more lines than
    // any screen has pixels draws nothing instead of stalling the canvas.
    constexpr double kMaxLines = 100000;
    if (!std::isfinite(firstColumn) || !std::isfinite(lastColumn) ||
        lastColumn - firstColumn > kMaxLines || lastRow - firstRow > kMaxLines) {
        return;
    }
    QPainterPath path;
    for (double i = firstColumn; i <= lastColumn; ++i) {
        path.moveTo(i * _spacing, minY);
        path.lineTo(i * _spacing, maxY);
    }
    for (double j = firstRow; j <= lastRow; ++j) {
        path.moveTo(minX, j * _spacing);
        path.lineTo(maxX, j * _spacing);
    }
    QPen pen(_color);
    pen.setWidthF(0); // cosmetic: one device pixel at any zoom
    pen.setCosmetic(true);
    painter.save();
    painter.strokePath(path, pen);
    painter.restore();
}

void SKTGrid::stopShowingGridForTimer() {
    if (_hidingTimer) {
        _hidingTimer->deleteLater();
        _hidingTimer = nullptr;
    }
    emit changed();
}
