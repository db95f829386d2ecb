#include "platform/ArchivePicture.h"

#include "platform/ArchiveClasses.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <cmath>

namespace ArchivePicture {
namespace {

void setReason(QString* reason, const QString& text) {
    if (reason) {
        *reason = text;
    }
}

QImage rasterFor(const CardPicture& picture) {
    if (picture.isRaster()) {
        return picture.image();
    }
    const QSizeF size = picture.size();
    double scale = ArchiveClasses::kPictureArchiveScale;
    const double pixels = size.width() * size.height() * scale * scale;
    if (pixels > ArchiveClasses::kPictureArchiveMaxPixels) {
        scale *= std::sqrt(ArchiveClasses::kPictureArchiveMaxPixels / pixels);
    }
    return picture.toImage(scale);
}

} // namespace

QByteArray tiffData(const CardPicture& picture, QString* reason) {
    if (picture.isNull()) {
        setReason(reason, QStringLiteral("no picture"));
        return {};
    }
    const QImage image = rasterFor(picture);
    if (image.isNull()) {
        setReason(reason, QStringLiteral("the picture could not be rendered"));
        return {};
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "tiff");
    writer.setCompression(1); // LZW: keeps large pictures well under the archive size limit
    if (!writer.write(image)) {
        setReason(reason, QStringLiteral("TIFF encoding failed: %1").arg(writer.errorString()));
        return {};
    }
    return bytes;
}

CardPicture fromImageData(const QByteArray& bytes, const QSizeF& points, QString* reason) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize pixels = reader.size();
    if (!pixels.isValid()) {
        setReason(
            reason,
            QStringLiteral("picture data that does not decode: %1").arg(reader.errorString()));
        return {};
    }
    // Refuse before decoding what Qt would refuse to allocate anyway.
    const double megabytes = double(pixels.width()) * pixels.height() * 4 / (1024.0 * 1024.0);
    if (reader.allocationLimit() > 0 && megabytes > reader.allocationLimit()) {
        setReason(reason, QStringLiteral("picture of %1 x %2 pixels is too large")
                              .arg(pixels.width())
                              .arg(pixels.height()));
        return {};
    }
    const QImage image = reader.read();
    if (image.isNull()) {
        setReason(
            reason,
            QStringLiteral("picture data that does not decode: %1").arg(reader.errorString()));
        return {};
    }
    const bool validSize = points.width() > 0 && points.height() > 0 &&
                           std::isfinite(points.width()) && std::isfinite(points.height());
    const CardPicture picture =
        validSize ? CardPicture::fromImage(image, points) : CardPicture::fromImage(image);
    if (picture.isNull()) {
        setReason(reason, QStringLiteral("picture data that does not decode"));
    }
    return picture;
}

} // namespace ArchivePicture
