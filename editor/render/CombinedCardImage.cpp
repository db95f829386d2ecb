#include "editor/render/CombinedCardImage.h"

#include "platform/CardUnits.h"

#include <QPaintEngine>
#include <QPainter>
#include <cmath>

namespace {

constexpr double kMaxPixels = 400.0 * 1000.0 * 1000.0;

void drawSide(QPainter& painter, const CardPicture& side, const QPointF& origin) {
    painter.save();
    if (side.isRaster()) {
        // A raster side replaces what lies below it, alpha included.
        painter.setCompositionMode(QPainter::CompositionMode_Source);
    }
    side.draw(painter, origin);
    painter.restore();
}

} // namespace

QImage combinedFrontAboveBack(const CardPicture& front, const CardPicture& back,
                              double dotsPerInch) {
    if (front.isNull() || back.isNull() || !(dotsPerInch > 0) || !std::isfinite(dotsPerInch)) {
        return {};
    }
    const double scale = dotsPerInch / CardUnits::kPointsPerInch;
    const double w = front.size().width();
    const double h = front.size().height();
    const double widthPx = std::trunc(w * scale);
    const double heightPx = std::trunc(2.0 * h * scale);
    if (widthPx < 1 || heightPx < 1 || widthPx * heightPx > kMaxPixels) {
        return {};
    }
    QImage image(static_cast<int>(widthPx), static_cast<int>(heightPx),
                 QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        return {};
    }
    image.fill(Qt::transparent);
    // Painted in points: fonts resolve for 72 dpi, then the painter scales.
    CardUnits::markResolution(image, CardUnits::kPointsPerInch);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.scale(scale, scale);
        drawSide(painter, front, QPointF(0, 0));
        drawSide(painter, back, QPointF(0, h));
    }
    CardUnits::markResolution(image, dotsPerInch);
    return image;
}
