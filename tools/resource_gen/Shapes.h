#pragma once
// Ornament shapes shared by the backgrounds and the picture library.

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>

namespace resgen {

// A heart filling the rectangle, point down.
QPainterPath heartPath(const QRectF& box);

// A star with `points` tips on the outer radius and notches on the inner
// one; the first tip points up, turned by `turnDegrees` clockwise.
QPainterPath starPath(const QPointF& centre, double outer, double inner, int points,
                      double turnDegrees = 0.0);

// A pointed leaf from `base`, `length` long along `angleDegrees` (0 = right,
// clockwise on screen), with its vein.
void drawLeaf(QPainter& painter, const QPointF& base, double length, double width,
              double angleDegrees, const QColor& colour);

// A flower seen from above: `petals` rounded petals around a round heart.
void drawFlower(QPainter& painter, const QPointF& centre, double radius, int petals,
                const QColor& petal, const QColor& heart, double turnDegrees = 0.0);

// A balloon with its knot and a curling string hanging `stringLength` below.
void drawBalloon(QPainter& painter, const QRectF& body, const QColor& colour, double stringLength);

} // namespace resgen
