#pragma once
// 2D symbols as vector pictures: a raster with one or more pixels per module
// becomes, per colour, one filled path of rectangles (runs of equal pixels),
// so PDF and print keep sharp module edges whatever the printer's pipeline
// does with images, and rasters get crisp blocks without smoothing.

#include "platform/CardPicture.h"

#include <QImage>
#include <QSizeF>

// The raster's pixels drawn as rectangles stretched to `points`. Fully
// transparent pixels draw nothing. A raster of more than a few colours (not a
// symbol) stays a raster. None for a null raster or an empty size.
CardPicture modulePicture(const QImage& modules, const QSizeF& points);
