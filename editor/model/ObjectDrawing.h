#pragma once
// Fill and outline drawing shared by the card objects: gradient, hatch
// pattern or plain fill, and the solid or dashed outline, with the drawing
// defaults card designs were made with (non-zero winding, dashes in points,
// miter joins). Drawing only reads the object: colours get their opacity
// here without being stored back.

#include <QColor>
#include <QPainterPath>
#include <QRectF>
#include <QString>

class QPainter;
class SKTGraphic;

namespace ObjectDrawing {

// The colour with its alpha replaced by the opacity (limited to 0..1, NaN as
// 0); an invalid colour (none) stays invalid.
QColor withOpacity(const QColor& color, float opacity);

// The object's colours as drawn: fill, gradient ends and hatch background
// with the fill opacity, outline with the outline opacity.
QColor fillColorOf(const SKTGraphic& graphic);
QColor strokeColorOf(const SKTGraphic& graphic);
QColor gradientColor1Of(const SKTGraphic& graphic);
QColor gradientColor2Of(const SKTGraphic& graphic);
QColor hatchBackgroundOf(const SKTGraphic& graphic);

enum class FillKinds { GradientHatchOrPlain, GradientOrPlain };

// Fills the path by the object's fill type: "G" a gradient at the fill
// angle across the path's bounds, "H" (when allowed) the hatch background
// and then the pattern, otherwise the fill colour.
void fillPath(QPainter& painter, const SKTGraphic& graphic, const QPainterPath& path,
              FillKinds kinds);

// Strokes the path with the object's outline colour, width and dash style.
// `cap` is the line's cap style (flat for outlines of closed shapes).
void strokePath(QPainter& painter, const SKTGraphic& graphic, const QPainterPath& path,
                Qt::PenCapStyle cap = Qt::FlatCap);

// The outline of a picture, signature or text object: the bounds
// rectangle.
void strokeRect(QPainter& painter, const SKTGraphic& graphic, const QRectF& rect);

// The pen cap of a stored line cap style: 0 flat, 1 round, 2 square.
Qt::PenCapStyle capStyleOf(int lineCapStyle);

} // namespace ObjectDrawing
