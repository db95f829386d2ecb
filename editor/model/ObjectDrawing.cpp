#include "editor/model/ObjectDrawing.h"

#include "editor/model/PicturePlaceholders.h"
#include "editor/model/SKTGraphic.h"
#include "platform/CardUnits.h"
#include "platform/DrawingDefaults.h"

#include <QBrush>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace ObjectDrawing {

QColor withOpacity(const QColor& color, float opacity) {
    if (!color.isValid()) {
        return color;
    }
    QColor result = color;
    const double alpha =
        std::isnan(opacity) ? 0.0 : std::clamp(static_cast<double>(opacity), 0.0, 1.0);
    result.setAlphaF(static_cast<float>(alpha));
    return result;
}

QColor fillColorOf(const SKTGraphic& g) {
    return withOpacity(g._fillColor, g.alpha_val);
}
QColor strokeColorOf(const SKTGraphic& g) {
    return withOpacity(g._strokeColor, g.alpha_val_stroke);
}
QColor gradientColor1Of(const SKTGraphic& g) {
    return withOpacity(g._fill_Grad_clr1, g.alpha_val);
}
QColor gradientColor2Of(const SKTGraphic& g) {
    return withOpacity(g._fill_Grad_clr2, g.alpha_val);
}
QColor hatchBackgroundOf(const SKTGraphic& g) {
    return withOpacity(g._fill_htch_clr, g.alpha_val);
}

void fillPath(QPainter& painter, const SKTGraphic& graphic, const QPainterPath& source,
              FillKinds kinds) {
    QPainterPath path = source;
    path.setFillRule(DrawingDefaults::kFillRule);
    const QString type = graphic.fill_type();
    if (type == QLatin1String("G")) {
        const QColor from = gradientColor1Of(graphic);
        const QColor to = gradientColor2Of(graphic);
        if (!from.isValid() && !to.isValid()) {
            return;
        }
        const double angle =
            std::isfinite(graphic.fill_grad_angle()) ? graphic.fill_grad_angle() : 0.0;
        painter.fillPath(path, QBrush(DrawingDefaults::gradientAtAngle(path.boundingRect(), angle,
                                                                       from.isValid() ? from : to,
                                                                       to.isValid() ? to : from)));
        return;
    }
    if (type == QLatin1String("H") && kinds == FillKinds::GradientHatchOrPlain) {
        const QColor background = hatchBackgroundOf(graphic);
        if (background.isValid()) {
            painter.fillPath(path, background);
        }
        const QImage pattern = PicturePlaceholders::hatchPattern(graphic.fill_hatch_type());
        if (!pattern.isNull()) {
            // The pattern is laid in points (its pixels at its own
            // resolution), fully opaque whatever the fill opacity.
            QBrush brush(pattern);
            brush.setTransform(QTransform::fromScale(72.0 / CardUnits::imageDpiX(pattern),
                                                     72.0 / CardUnits::imageDpiY(pattern)));
            painter.fillPath(path, brush);
        }
        return;
    }
    const QColor color = fillColorOf(graphic);
    if (color.isValid()) {
        painter.fillPath(path, color);
    }
}

void strokePath(QPainter& painter, const SKTGraphic& graphic, const QPainterPath& path,
                Qt::PenCapStyle cap) {
    const QColor color = strokeColorOf(graphic);
    const double width = graphic.strokeWidth();
    // Qt refuses pens wider than 2^16; no card shows an outline that wide.
    constexpr double kMaxWidth = 32768.0;
    if (!color.isValid() || !std::isfinite(width) || width < 0 || width > kMaxWidth) {
        return;
    }
    QPen pen = DrawingDefaults::outlinePen(color, width, graphic.strokeBorderType());
    pen.setCapStyle(cap);
    painter.strokePath(path, pen);
}

void strokeRect(QPainter& painter, const SKTGraphic& graphic, const QRectF& rect) {
    QPainterPath path;
    path.addRect(rect);
    strokePath(painter, graphic, path);
}

Qt::PenCapStyle capStyleOf(int lineCapStyle) {
    switch (lineCapStyle) {
    case 1:
        return Qt::RoundCap;
    case 2:
        return Qt::SquareCap;
    default:
        return Qt::FlatCap;
    }
}

} // namespace ObjectDrawing
