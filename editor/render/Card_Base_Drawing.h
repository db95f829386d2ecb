#pragma once
// The card background of one side: a white base in the card's shape, the
// side's fill (plain colour, gradient, hatch pattern or picture) and its
// border. Every picture of a card side starts with it. It reads only its
// arguments, so it runs on whatever thread draws.

#include "editor/render/CardRenderInputs.h"

#include <QPainterPath>
#include <QRectF>
#include <QSizeF>
#include <QString>

class Card_Property;
class QPainter;

// Corner radius of the rounded card, in points on both axes.
inline constexpr double kCardCornerRadius = 10.0;

// The card outline inside rect: shape 1 a rounded rectangle (radius 10),
// 2 the inscribed ellipse, any other value the rectangle itself.
QPainterPath cardOutlinePath(const QRectF& rect, int cardShape);

// Paints the background of the side whose record is `page` into the
// painter's card coordinates (points, y down). `rect` is the area the card
// outline fills; a stretched background picture fills (0, 0, cardSize).
// Hatch pictures are read from resourcePath/Fill_Style_Image/<name>.png.
// An exception while drawing is logged and ends the drawing; what was
// painted stays.
void Card_Base_Drawing(QPainter& painter, const QRectF& rect, const Card_Property& page,
                       int cardShape, const QSizeF& cardSize, const QString& resourcePath);

// The same with the inputs gathered in one value.
void Card_Base_Drawing(QPainter& painter, const QRectF& rect, const CardBackgroundInputs& inputs);
