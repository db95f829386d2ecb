#pragma once
// The headers of JPEG and PNG files read without their pixels, bounded by
// the file: size, EXIF orientation, resolution and what the decoder will
// spend. Used by PictureDecoder.

#include "platform/PictureDecoder.h"

#include <QByteArray>
#include <QSize>

class QIODevice;

namespace PictureHeaders {

// The Orientation tag (1 to 8) of EXIF data in TIFF form ("II*\0" or
// "MM\0*" first), or 0 when it has none.
int exifOrientation(const QByteArray& tiff);

// Dots per metre for a JFIF density and its unit (1 dots per inch, 2 dots
// per centimetre); empty for another unit or a density of 0.
QSize jfifDotsPerMetre(int unit, int x, int y);

// Fills `header` from a JPEG file (stored size, components and sampling,
// whole-picture coefficients, JFIF resolution, EXIF orientation). Markers
// are found as libjpeg finds them: stray bytes before a marker are passed
// over, and so is any run of 0xff fill bytes. False when the markers
// before the first scan are not those of a JPEG the decoder reads.
bool readJpeg(QIODevice& file, PictureDecoder::Header& header);

// Fills `header` from a PNG file (IHDR, pHYs and eXIf before the pixels).
// False when it is no PNG.
bool readPng(QIODevice& file, PictureDecoder::Header& header);

} // namespace PictureHeaders
