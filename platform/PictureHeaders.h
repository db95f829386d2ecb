#pragma once
// The headers of JPEG and PNG files read byte by byte, bounded by the file:
// size, EXIF orientation, resolution and what the decoder will spend. Used
// by PictureDecoder.

#include "platform/PictureDecoder.h"

#include <QByteArray>

class QIODevice;

namespace PictureHeaders {

// The Orientation tag (1 to 8) of EXIF data in TIFF form ("II*\0" or
// "MM\0*" first), or 0 when it has none.
int exifOrientation(const QByteArray& tiff);

// Fills `header` from a JPEG file (stored size, components and sampling,
// whole-picture coefficients, JFIF resolution, EXIF orientation). False
// when the markers before the first scan are not those of a JPEG the
// decoder reads.
bool readJpeg(QIODevice& file, PictureDecoder::Header& header);

// Fills `header` from a PNG file (IHDR, pHYs and eXIf before the pixels).
// False when it is no PNG.
bool readPng(QIODevice& file, PictureDecoder::Header& header);

// Whether a JPEG file holds its end marker near its end. Entropy-coded data
// never holds the marker (0xFF is followed by 0x00 or a restart there), so
// a file without it in its last bytes was cut.
bool jpegEnds(QIODevice& file);

} // namespace PictureHeaders
