#include "editor/render/Card_Base_Drawing.h"

#include "core/MessageFunctions.h"
#include "editor/model/Card_Property.h"
#include "editor/render/CardSideDrawing.h"
#include "platform/CardUnits.h"
#include "platform/DrawingDefaults.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTransform>
#include <cmath>
#include <exception>

namespace {

// Opacity of the picture fill: 1 or more is opaque, below 0 (or NaN) none.
double pictureOpacity(float alpha) {
    if (std::isnan(alpha) || alpha <= 0.0f) {
        return 0.0;
    }
    return alpha >= 1.0f ? 1.0 : static_cast<double>(alpha);
}

// A brush that repeats the image from the card origin, the whole image
// covering `points` (its size in card points).
QBrush patternBrush(const QImage& image, const QSizeF& points) {
    QBrush brush(image);
    const double sx = points.width() / image.width();
    const double sy = points.height() / image.height();
    if (sx != 1.0 || sy != 1.0) {
        brush.setTransform(QTransform::fromScale(sx, sy));
    }
    return brush;
}

// The picture as a raster for tiling: its own pixels, or a vector picture
// drawn at one pixel per point.
QImage pictureRaster(const CardPicture& picture) {
    return picture.isRaster() ? picture.image() : picture.toImage(1.0);
}

void paintHatch(QPainter& painter, const QPainterPath& outline, const Card_Property& page,
                const QString& resourcePath) {
    painter.fillPath(outline, page.Card_hatch_bk_clr());
    // The name comes from design files: a name that would leave the pattern
    // folder loads nothing.
    const QString name = page.Card_hatch_style();
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name.startsWith(QLatin1String(".."))) {
        return;
    }
    const QString file =
        QDir(resourcePath)
            .filePath(QStringLiteral("Fill_Style_Image/") + name + QStringLiteral(".png"));
    const QImage pattern(file);
    if (pattern.isNull()) {
        return; // the outline keeps the hatch background colour
    }
    painter.fillPath(outline, patternBrush(pattern, CardUnits::imageSizeInPoints(pattern)));
}

void paintPicture(QPainter& painter, const QPainterPath& outline, const Card_Property& page,
                  const QSizeF& cardSize) {
    const CardPicture picture = page.Card_BG_Image();
    if (picture.isNull()) {
        return; // the white base stays
    }
    const PainterStateGuard state(painter);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setOpacity(pictureOpacity(page.Card_alpha_Stepper()));
    if (page.Card_BG_Image_Layout() == QLatin1String("Tile")) {
        const QImage tile = pictureRaster(picture);
        if (!tile.isNull()) {
            painter.fillPath(outline, patternBrush(tile, picture.size()));
        }
    } else {
        // Stretched over the whole front canvas, not clipped to the outline.
        picture.draw(painter, QRectF(QPointF(0, 0), cardSize));
    }
}

void paintFill(QPainter& painter, const QPainterPath& outline, const Card_Property& page,
               const QSizeF& cardSize, const QString& resourcePath) {
    const QString style = page.Card_fill_style();
    if (style == QLatin1String("G")) {
        painter.fillPath(outline, DrawingDefaults::gradientAtAngle(
                                      outline.boundingRect(), page.Card_grad_Stepper(),
                                      page.Card_fill_Grd_1_clr(), page.Card_fill_Grd_2_clr()));
    } else if (style == QLatin1String("H")) {
        paintHatch(painter, outline, page, resourcePath);
    } else if (style == QLatin1String("I")) {
        paintPicture(painter, outline, page, cardSize);
    } else {
        painter.fillPath(outline, page.Card_fill_clr());
    }
}

// The outline with its curves turned into line segments.
QPainterPath flattened(const QPainterPath& outline) {
    QPainterPath path;
    for (const QPolygonF& polygon : outline.toSubpathPolygons()) {
        path.addPolygon(polygon);
    }
    return path;
}

void paintBorder(QPainter& painter, const QPainterPath& outline, const Card_Property& page) {
    QColor color = page.Card_bordr_clr();
    painter.strokePath(
        flattened(outline),
        DrawingDefaults::outlinePen(color, page.Card_bor_Stepper(), page.Card_border_style()));
}

} // namespace

QPainterPath cardOutlinePath(const QRectF& rect, int cardShape) {
    QPainterPath path;
    path.setFillRule(DrawingDefaults::kFillRule);
    if (cardShape == 1) {
        path.addRoundedRect(rect, kCardCornerRadius, kCardCornerRadius);
    } else if (cardShape == 2) {
        path.addEllipse(rect);
    } else {
        path.addRect(rect);
    }
    return path;
}

void Card_Base_Drawing(QPainter& painter, const QRectF& rect, const Card_Property& page,
                       int cardShape, const QSizeF& cardSize, const QString& resourcePath) {
    const PainterStateGuard state(painter);
    try {
        const QPainterPath outline = cardOutlinePath(rect, cardShape);
        painter.fillPath(outline, Qt::white);
        if (page.Card_fill_chk()) {
            paintFill(painter, outline, page, cardSize, resourcePath);
        }
        if (page.Card_border_chk()) {
            paintBorder(painter, outline, page);
        }
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    } catch (...) {
        Show_NSLog_Message(QStringLiteral("Card background drawing failed."));
    }
}

void Card_Base_Drawing(QPainter& painter, const QRectF& rect, const CardBackgroundInputs& inputs) {
    Card_Base_Drawing(painter, rect, inputs.page, inputs.cardShape, inputs.cardSize,
                      inputs.resourcePath);
}
