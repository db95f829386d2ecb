#pragma once

#include "platform/CardPicture.h"

// A raster of a 2D barcode picture at `dpi`: ceil(float(dpi * w / 72)) by
// ceil(float(dpi * h / 72)) pixels, drawn without interpolation, keeping the
// picture's size in points. None (and "Invalid image" logged) for a null or
// empty picture or dpi <= 0.
CardPicture Increase_DPI(const CardPicture& picture, int dpi);
