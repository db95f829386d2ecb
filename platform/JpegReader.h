#pragma once
// Reads a JPEG file through libjpeg with an error manager of our own, so
// whether the file decoded whole is known from the decoder itself: libjpeg's
// warnings that the data ends before the picture does (the file, or one of
// its entropy-coded segments, cut short) refuse the file, whatever the
// process does with its log. Used by PictureDecoder.
//
// The picture comes out as stored (no EXIF orientation applied), at 1/1,
// 1/2, 1/4 or 1/8 of its size: libjpeg scales while it decodes, so a small
// reading never holds the whole pixels.

#include "platform/PictureDecoder.h"

#include <QImage>
#include <QString>

namespace JpegReader {

// How a reading went.
enum class Outcome {
    Read,
    // The file is no JPEG libjpeg decodes, or not the one `header` tells,
    // or it has more scans than any encoder writes.
    NotPicture,
    // Its data ends before its picture does.
    Cut,
};

// The JPEG at `path` decoded at 1/`denominator` of its stored size (1, 2,
// 4 or 8, rounded up), for a file whose header `header` was read before:
// a file whose frame differs from it is refused, so the reading spends
// what the header counted. One colour component gives Format_Grayscale8
// unless `greyAsColour`, every other Format_RGB32 (CMYK and YCCK as Adobe
// writes them, inverted). The JFIF resolution, when given, is carried in
// dots per metre. Null with `outcome` telling why when it does not read.
QImage read(const QString& path, const PictureDecoder::Header& header, int denominator,
            bool greyAsColour, Outcome* outcome = nullptr);

} // namespace JpegReader
