#pragma once
// The two sides of a card as one picture: the front on top, the back below
// it. Used by image export and user templates.

#include "platform/CardPicture.h"

#include <QImage>

// A raster of int(w x dpi / 72) x int(2h x dpi / 72) pixels, w x h being the
// front's size in points, whose stored resolution is `dotsPerInch`. Both
// sides are drawn at their own size without smoothing of scaled pixels;
// the rest stays transparent. Null when either side is missing, the
// resolution is not positive or the raster cannot be allocated.
QImage combinedFrontAboveBack(const CardPicture& front, const CardPicture& back,
                              double dotsPerInch);
