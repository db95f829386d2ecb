#include "platform/DrawingDefaults.h"

#include <cmath>
#include <numbers>

namespace DrawingDefaults {

QVector<qreal> dashPatternInPoints(const QString& style) {
    if (style == QLatin1String("DA")) {
        return {8, 2};
    }
    if (style == QLatin1String("DO")) {
        return {4, 6};
    }
    if (style == QLatin1String("DD")) {
        return {24, 10, 6, 10};
    }
    if (style == QLatin1String("DDD")) {
        return {24, 8, 8, 8, 8, 8};
    }
    return {};
}

QPen outlinePen(const QColor& color, qreal width, const QString& style) {
    QPen pen(color);
    pen.setWidthF(width);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setMiterLimit(kMiterLimit);
    QVector<qreal> pattern = dashPatternInPoints(style);
    if (!pattern.isEmpty()) {
        const qreal unit = width > 0 ? width : 1.0;
        for (qreal& length : pattern) {
            length /= unit;
        }
        pen.setDashPattern(pattern);
        pen.setDashOffset(0);
    }
    return pen;
}

QLinearGradient gradientAtAngle(const QRectF& rect, double degrees, const QColor& from,
                                const QColor& to) {
    const double a = degrees * std::numbers::pi / 180.0;
    const QPointF d(std::cos(a), std::sin(a));
    const double length =
        std::abs(rect.width() * std::cos(a)) + std::abs(rect.height() * std::sin(a));
    const QPointF c = rect.center();
    QLinearGradient gradient(c - d * (length / 2), c + d * (length / 2));
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    return gradient;
}

} // namespace DrawingDefaults
