#include "editor/model/SKTLine.h"

#include "editor/model/ObjectDrawing.h"

#include "platform/KeyedUnarchiver.h"
#include "platform/RectStrings.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

std::shared_ptr<SKTGraphic> SKTLine::newOfSameClass() const {
    return std::make_shared<SKTLine>();
}

std::shared_ptr<SKTGraphic> SKTLine::copyOfObject() const {
    return std::shared_ptr<SKTGraphic>(new SKTLine(*this));
}

std::shared_ptr<SKTGraphic> SKTLine::clone() const {
    auto copy = std::static_pointer_cast<SKTLine>(SKTGraphic::clone());
    copy->_pointsRight = _pointsRight;
    copy->_pointsDown = _pointsDown;
    return copy;
}

QPointF SKTLine::beginPoint() const {
    const QRectF b = bounds();
    return QPointF(_pointsRight ? b.x() : b.x() + b.width(),
                   _pointsDown ? b.y() : b.y() + b.height());
}

QPointF SKTLine::endPoint() const {
    const QRectF b = bounds();
    return QPointF(_pointsRight ? b.x() + b.width() : b.x(),
                   _pointsDown ? b.y() + b.height() : b.y());
}

QRectF SKTLine::boundsWithBeginPoint(const QPointF& begin, const QPointF& end, bool* pointsRight,
                                     bool* pointsDown) {
    if (pointsRight) {
        *pointsRight = end.x() > begin.x();
    }
    if (pointsDown) {
        *pointsDown = end.y() > begin.y();
    }
    return QRectF(std::min(begin.x(), end.x()), std::min(begin.y(), end.y()),
                  std::fabs(end.x() - begin.x()), std::fabs(end.y() - begin.y()));
}

void SKTLine::setBeginPoint(const QPointF& point) {
    ChangeScope scope(*this);
    const QRectF b = boundsWithBeginPoint(point, endPoint(), &_pointsRight, &_pointsDown);
    setBounds(b);
}

void SKTLine::setEndPoint(const QPointF& point) {
    ChangeScope scope(*this);
    const QRectF b = boundsWithBeginPoint(beginPoint(), point, &_pointsRight, &_pointsDown);
    setBounds(b);
}

QPainterPath SKTLine::bezierPathForDrawing() const {
    QPainterPath path;
    path.moveTo(beginPoint());
    path.lineTo(endPoint());
    return path;
}

void SKTLine::drawHandlesInView(QPainter& painter, bool lock_hai) const {
    drawHandleInView(painter, beginPoint(), lock_hai);
    drawHandleInView(painter, endPoint(), lock_hai);
}

int SKTLine::handleUnderPoint(const QPointF& point) const {
    if (isHandleAtPoint(endPoint(), point)) {
        return 2;
    }
    if (isHandleAtPoint(beginPoint(), point)) {
        return 1;
    }
    return 0;
}

int SKTLine::resizeByMovingHandle(int handle, const QPointF& point) {
    if (handle == 1) {
        setBeginPoint(point);
    } else if (handle == 2) {
        setEndPoint(point);
    }
    return handle;
}

bool SKTLine::isContentsUnderPoint(const QPointF& point) const {
    const QRectF area = drawingBounds();
    if (!(point.x() >= area.left() && point.x() < area.left() + area.width() &&
          point.y() >= area.top() && point.y() < area.top() + area.height())) {
        return false;
    }
    const double tolerance = strokeWidth() / 2.0 + 2.0;
    const QPointF b = beginPoint();
    const QPointF e = endPoint();
    const double dx = e.x() - b.x();
    const double dy = e.y() - b.y();
    const double length = std::hypot(dx, dy);
    if (length == 0.0) {
        return std::hypot(point.x() - b.x(), point.y() - b.y()) <= tolerance;
    }
    // Distance from the point to the line through b and e.
    const double distance = std::fabs(dx * (point.y() - b.y()) - dy * (point.x() - b.x())) / length;
    return distance <= tolerance;
}

void SKTLine::drawContentsInView(QPainter& painter, bool) {
    if (!ctrl_is_visible) {
        return;
    }
    ObjectDrawing::strokePath(painter, *this, bezierPathForDrawing(),
                              ObjectDrawing::capStyleOf(Get_Line_Cap_Style()));
}

void SKTLine::setColor(const QColor& color) {
    setValueForKey(SKTGraphicStrokeColorKey, color);
}

QStringList SKTLine::keysForValuesToObserveForUndo() const {
    QStringList keys = SKTGraphic::keysForValuesToObserveForUndo();
    keys.removeAll(SKTGraphicBoundsKey);
    keys << SKTLineBeginPointKey << SKTLineEndPointKey;
    return keys;
}

QString SKTLine::presentablePropertyNameForKey(const QString& key) const {
    if (key == SKTLineBeginPointKey) {
        return QCoreApplication::translate("UndoStrings", "Beginpoint");
    }
    if (key == SKTLineEndPointKey) {
        return QCoreApplication::translate("UndoStrings", "Endpoint");
    }
    return SKTGraphic::presentablePropertyNameForKey(key);
}

QVariant SKTLine::valueForKey(const QString& key) {
    if (key == SKTLineBeginPointKey) {
        return beginPoint();
    }
    if (key == SKTLineEndPointKey) {
        return endPoint();
    }
    return SKTGraphic::valueForKey(key);
}

bool SKTLine::setValueForKey(const QString& key, const QVariant& value) {
    if ((key == SKTLineBeginPointKey || key == SKTLineEndPointKey) &&
        value.typeId() == QMetaType::QPointF) {
        key == SKTLineBeginPointKey ? setBeginPoint(value.toPointF())
                                    : setEndPoint(value.toPointF());
        return true;
    }
    return SKTGraphic::setValueForKey(key, value);
}

QVariantMap SKTLine::properties() {
    QVariantMap result = SKTGraphic::properties();
    result.remove(SKTGraphicBoundsKey);
    result.insert(SKTLineBeginPointKey, RectStrings::fromPoint(beginPoint()));
    result.insert(SKTLineEndPointKey, RectStrings::fromPoint(endPoint()));
    return result;
}

void SKTLine::initWithProperties(const QVariantMap& properties) {
    SKTGraphic::initWithProperties(properties);
    auto pointFor = [&properties](const QString& key) {
        const QVariant value = properties.value(key);
        if (value.typeId() == QMetaType::QString) {
            if (auto point = RectStrings::toPoint(value.toString())) {
                return *point;
            }
        }
        return QPointF();
    };
    _bounds = boundsWithBeginPoint(pointFor(SKTLineBeginPointKey), pointFor(SKTLineEndPointKey),
                                   &_pointsRight, &_pointsDown);
}

void SKTLine::encodeWithCoder(KeyedArchiver& coder) const {
    SKTGraphic::encodeWithCoder(coder);
    coder.encodeBool("_pointsRight", _pointsRight);
    coder.encodeBool("_pointsDown", _pointsDown);
}

void SKTLine::initWithCoder(const KeyedUnarchiver& coder) {
    SKTGraphic::initWithCoder(coder);
    if (auto right = coder.decodeBool("_pointsRight")) {
        _pointsRight = *right;
    }
    if (auto down = coder.decodeBool("_pointsDown")) {
        _pointsDown = *down;
    }
}
