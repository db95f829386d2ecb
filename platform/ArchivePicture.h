#pragma once
// Card pictures in archives: the bitmap as TIFF bytes. Vector pictures are
// rasterised at 144 dots per inch (fewer only when that would exceed 32
// million pixels); rasters are written as they are, with their resolution.

#include "platform/CardPicture.h"

#include <QByteArray>
#include <QString>

namespace ArchivePicture {

// LZW-compressed TIFF of the picture's bitmap; empty (and a reason) when the
// picture is null or cannot be rendered or encoded.
QByteArray tiffData(const CardPicture& picture, QString* reason = nullptr);

// A raster picture from image bytes (TIFF or any format Qt reads) shown at
// `points` when that is a valid size, else at the image's own resolution.
// Null (and a reason) for bytes that do not decode or an image over Qt's
// allocation limit.
CardPicture fromImageData(const QByteArray& bytes, const QSizeF& points, QString* reason = nullptr);

} // namespace ArchivePicture
