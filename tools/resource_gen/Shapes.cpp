#include "Shapes.h"

#include <QTransform>
#include <cmath>
#include <numbers>

namespace resgen {

namespace {
double radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}
} // namespace

QPainterPath heartPath(const QRectF& box) {
    const double x = box.x();
    const double y = box.y();
    const double w = box.width();
    const double h = box.height();
    QPainterPath path;
    path.moveTo(x + w * 0.5, y + h * 0.28);
    path.cubicTo(x + w * 0.5, y + h * 0.05, x + w * 0.08, y - h * 0.02, x + w * 0.02, y + h * 0.3);
    path.cubicTo(x - w * 0.03, y + h * 0.58, x + w * 0.3, y + h * 0.78, x + w * 0.5, y + h);
    path.cubicTo(x + w * 0.7, y + h * 0.78, x + w * 1.03, y + h * 0.58, x + w * 0.98, y + h * 0.3);
    path.cubicTo(x + w * 0.92, y - h * 0.02, x + w * 0.5, y + h * 0.05, x + w * 0.5, y + h * 0.28);
    path.closeSubpath();
    return path;
}

QPainterPath starPath(const QPointF& centre, double outer, double inner, int points,
                      double turnDegrees) {
    QPainterPath path;
    for (int i = 0; i < points * 2; ++i) {
        const double radius = i % 2 == 0 ? outer : inner;
        const double angle = radians(turnDegrees - 90.0 + 180.0 * i / points);
        const QPointF p(centre.x() + radius * std::cos(angle),
                        centre.y() + radius * std::sin(angle));
        if (i == 0) {
            path.moveTo(p);
        } else {
            path.lineTo(p);
        }
    }
    path.closeSubpath();
    return path;
}

void drawLeaf(QPainter& painter, const QPointF& base, double length, double width,
              double angleDegrees, const QColor& colour) {
    QPainterPath leaf;
    leaf.moveTo(0, 0);
    leaf.cubicTo(length * 0.3, -width, length * 0.75, -width * 0.8, length, 0);
    leaf.cubicTo(length * 0.75, width * 0.8, length * 0.3, width, 0, 0);
    QTransform place;
    place.translate(base.x(), base.y());
    place.rotate(angleDegrees);
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPath(place.map(leaf));
    painter.setPen(QPen(colour.darker(130), std::max(0.8, width * 0.12)));
    painter.drawLine(place.map(QPointF(0, 0)), place.map(QPointF(length * 0.85, 0)));
    painter.restore();
}

void drawFlower(QPainter& painter, const QPointF& centre, double radius, int petals,
                const QColor& petal, const QColor& heart, double turnDegrees) {
    painter.save();
    painter.translate(centre);
    painter.rotate(turnDegrees);
    painter.setPen(QPen(petal.darker(115), std::max(0.6, radius * 0.03)));
    painter.setBrush(petal);
    const double petalWidth = radius * std::min(0.55, 2.6 / petals + 0.12);
    for (int i = 0; i < petals; ++i) {
        painter.save();
        painter.rotate(360.0 * i / petals);
        painter.drawEllipse(QRectF(radius * 0.15, -petalWidth / 2, radius * 0.85, petalWidth));
        painter.restore();
    }
    painter.setPen(QPen(heart.darker(125), std::max(0.6, radius * 0.03)));
    painter.setBrush(heart);
    painter.drawEllipse(QPointF(0, 0), radius * 0.3, radius * 0.3);
    painter.restore();
}

void drawBalloon(QPainter& painter, const QRectF& body, const QColor& colour, double stringLength) {
    painter.save();
    const QPointF knot(body.center().x(), body.bottom());
    QPainterPath string;
    string.moveTo(knot + QPointF(0, body.height() * 0.06));
    const double third = stringLength / 3.0;
    string.cubicTo(knot + QPointF(-body.width() * 0.15, third),
                   knot + QPointF(body.width() * 0.15, 2 * third), knot + QPointF(0, stringLength));
    painter.setPen(QPen(QColor(120, 120, 120), std::max(0.8, body.width() * 0.015)));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(string);

    painter.setPen(QPen(colour.darker(125), std::max(0.8, body.width() * 0.02)));
    painter.setBrush(colour);
    painter.drawEllipse(body);
    QPolygonF tie;
    tie << knot << knot + QPointF(-body.width() * 0.07, body.height() * 0.08)
        << knot + QPointF(body.width() * 0.07, body.height() * 0.08);
    painter.drawPolygon(tie);
    // Highlight.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 110));
    painter.drawEllipse(QRectF(body.x() + body.width() * 0.2, body.y() + body.height() * 0.14,
                               body.width() * 0.22, body.height() * 0.3));
    painter.restore();
}

} // namespace resgen
