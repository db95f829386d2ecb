#pragma once
// Qt's drawing defaults differ from what card designs were made with; every
// card background and object outline goes through these helpers so the two
// agree: non-zero winding fills, dash lengths in points, flat caps, miter
// joins with limit 10, gradients at an angle across a rectangle.

#include <QColor>
#include <QLinearGradient>
#include <QPen>
#include <QRectF>
#include <QString>
#include <QVector>

namespace DrawingDefaults {

inline constexpr Qt::FillRule kFillRule = Qt::WindingFill;
inline constexpr double kMiterLimit = 10.0;

// Dash pattern of an outline style in points, phase 0: "S" solid (empty),
// "DA" 8 2, "DO" 4 6, "DD" 24 10 6 10, "DDD" 24 8 8 8 8 8. An unknown style
// is solid.
QVector<qreal> dashPatternInPoints(const QString& style);

// A pen of the given width in points with the style's dashes (converted to
// Qt's units of pen width; width 0 counts as 1), flat cap, miter join, miter
// limit 10.
QPen outlinePen(const QColor& color, qreal width, const QString& style);

// A linear gradient over rect at `degrees`: from c - d*L/2 to c + d*L/2 with
// c the centre, d = (cos a, sin a) in y-down coordinates and
// L = |w cos a| + |h sin a|.
QLinearGradient gradientAtAngle(const QRectF& rect, double degrees, const QColor& from,
                                const QColor& to);

} // namespace DrawingDefaults
