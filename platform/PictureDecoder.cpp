#include "platform/PictureDecoder.h"

#include "platform/CardUnits.h"
#include "platform/JpegReader.h"
#include "platform/PictureHeaders.h"
#include "platform/PngReducedReader.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTransform>
#include <algorithm>
#include <filesystem>

namespace PictureDecoder {
namespace {

qint64 pixelCount(const QSize& size) {
    return size.isValid() ? qint64(size.width()) * size.height() : 0;
}

qint64 ceilDiv(qint64 a, qint64 b) {
    return (a + b - 1) / b;
}

// The EXIF orientation Qt's reader reports for formats read through it.
int orientationOf(QImageIOHandler::Transformations transformation) {
    switch (int(transformation)) {
    case QImageIOHandler::TransformationMirror:
        return 2;
    case QImageIOHandler::TransformationRotate180:
        return 3;
    case QImageIOHandler::TransformationFlip:
        return 4;
    case QImageIOHandler::TransformationFlipAndRotate90:
        return 5;
    case QImageIOHandler::TransformationRotate90:
        return 6;
    case QImageIOHandler::TransformationMirrorAndRotate90:
        return 7;
    case QImageIOHandler::TransformationRotate270:
        return 8;
    default:
        return 1;
    }
}

// The scale libjpeg decodes a JPEG at for `target` stored pixels: the
// smallest of 1/1, 1/2, 1/4, 1/8 that still gives at least the target.
int jpegDenominator(const QSize& stored, const QSize& target) {
    if (!target.isValid() || target.isEmpty()) {
        return 1;
    }
    for (int denominator : {8, 4, 2}) {
        if (ceilDiv(stored.width(), denominator) >= target.width() &&
            ceilDiv(stored.height(), denominator) >= target.height()) {
            return denominator;
        }
    }
    return 1;
}

// The size libjpeg decodes a JPEG at for `stored` pixels.
QSize jpegDecoded(const Header& header, const QSize& stored) {
    const int d = jpegDenominator(header.storedPixels, stored);
    return QSize(int(ceilDiv(header.storedPixels.width(), d)),
                 int(ceilDiv(header.storedPixels.height(), d)));
}

// Whether a JPEG read at `stored` pixels is decoded in one grey byte a
// pixel. A grey picture that is then scaled is decoded in colour: the
// smooth scaling works in colour and would otherwise make a copy.
bool jpegDecodedGrey(const Header& header, const QSize& stored) {
    return header.components == 1 && jpegDecoded(header, stored) == stored;
}

// Bytes of libjpeg's whole-picture coefficient buffers: 64 coefficients of
// 2 bytes for every 8 x 8 block of every component, at its own sampling.
qint64 jpegCoefficientBytes(const Header& header) {
    int maxH = 1;
    int maxV = 1;
    for (int c = 0; c < header.components; ++c) {
        maxH = std::max(maxH, header.sampling[c][0]);
        maxV = std::max(maxV, header.sampling[c][1]);
    }
    qint64 bytes = 0;
    for (int c = 0; c < header.components; ++c) {
        const int h = header.sampling[c][0];
        const int v = header.sampling[c][1];
        const qint64 columns =
            ceilDiv(ceilDiv(qint64(header.storedPixels.width()) * h, maxH * 8), h) * h;
        const qint64 rows =
            ceilDiv(ceilDiv(qint64(header.storedPixels.height()) * v, maxV * 8), v) * v;
        bytes += columns * rows * 64 * 2;
    }
    return bytes;
}

// The largest single picture Qt allocates for a reading at `target` stored
// pixels, in bytes (it refuses those over its allocation limit).
qint64 qtAllocationBytes(const Header& header, const QSize& target) {
    if (header.format == "jpeg") {
        const qint64 decoded =
            pixelCount(jpegDecoded(header, target)) * (jpegDecodedGrey(header, target) ? 1 : 4);
        return std::max(decoded, pixelCount(target) * 4);
    }
    if (header.format == "png" && header.bitDepth == 16) {
        return 0; // read by our own reader
    }
    if (header.format == "png" && !header.interlaced) {
        return pixelCount(target) * 4; // read row by row into the target
    }
    return std::max(pixelCount(header.storedPixels), pixelCount(target)) * 4;
}

QImage turned(const QImage& image, int quarters) {
    QImage result = image.transformed(QTransform().rotate(90.0 * quarters));
    result.setDotsPerMeterX(image.dotsPerMeterY());
    result.setDotsPerMeterY(image.dotsPerMeterX());
    return result;
}

void tell(PictureFileProblem* problem, PictureFileProblem value) {
    if (problem) {
        *problem = value;
    }
}

} // namespace

qint64 Header::decodingBytes(const QSize& target) const {
    if (!pixels.isValid() || pixels.isEmpty()) {
        return 0;
    }
    const QSize shown = target.isValid() && !target.isEmpty() ? target.boundedTo(pixels) : pixels;
    const QSize stored = shownFor(shown);
    const qint64 out = pixelCount(shown) * 4;
    // Turning the picture upright makes one copy of it.
    const qint64 turning = orientation == 1 ? 0 : out;
    const qint64 whole = pixelCount(storedPixels);
    if (format == "jpeg") {
        const QSize decoded = jpegDecoded(*this, stored);
        const qint64 decodedBytes = pixelCount(decoded) * (jpegDecodedGrey(*this, stored) ? 1 : 4);
        const qint64 scaling = decoded == stored ? 0 : out;
        const qint64 coefficients = wholeCoefficients ? jpegCoefficientBytes(*this) : 0;
        return decodedBytes + scaling + coefficients + turning;
    }
    if (format == "png") {
        if (bitDepth == 16) {
            // Our reader: one 16-bit row, its sums, the result; an
            // interlaced file whole at 4 bytes a pixel.
            const qint64 rows = interlaced ? whole * 4 : qint64(storedPixels.width()) * 8;
            return rows + qint64(stored.width()) * 32 + out + turning;
        }
        if (!interlaced && stored != storedPixels) {
            // Qt reads the rows one by one into the smaller picture.
            return qint64(storedPixels.width()) * 8 + out + turning;
        }
    }
    return whole * 4 + (stored == storedPixels ? 0 : out) + turning;
}

QSizeF Header::points(const QImage& decoded) const {
    QImage resolution(1, 1, QImage::Format_RGB32);
    if (!dotsPerMetre.isEmpty()) {
        resolution.setDotsPerMeterX(dotsPerMetre.width());
        resolution.setDotsPerMeterY(dotsPerMetre.height());
    } else if (!decoded.isNull()) {
        resolution.setDotsPerMeterX(decoded.dotsPerMeterX());
        resolution.setDotsPerMeterY(decoded.dotsPerMeterY());
    }
    const QSize size = pixels.isValid() ? pixels : decoded.size();
    return QSizeF(size.width() * CardUnits::kPointsPerInch / CardUnits::imageDpiX(resolution),
                  size.height() * CardUnits::kPointsPerInch / CardUnits::imageDpiY(resolution));
}

Header readHeader(const QString& path) {
    Header header;
    const QString clean = QDir::cleanPath(path);
    std::error_code error;
    const std::filesystem::path file(QFile::encodeName(clean).toStdString());
    if (path.isEmpty() || !std::filesystem::exists(file, error)) {
        header.problem = PictureFileProblem::Missing;
        return header;
    }
    // Only regular files are read: a FIFO or a device named by a design
    // file would otherwise hang the reader.
    if (!std::filesystem::is_regular_file(file, error)) {
        return header;
    }
    QFile device(clean);
    if (!device.open(QIODevice::ReadOnly)) {
        return header;
    }
    const QByteArray start = device.peek(8);
    if (start.startsWith("\xff\xd8")) {
        if (!PictureHeaders::readJpeg(device, header)) {
            return header;
        }
    } else if (start.startsWith("\x89PNG")) {
        if (!PictureHeaders::readPng(device, header)) {
            return header;
        }
    } else {
        device.close();
        QImageReader reader(clean);
        reader.setAutoTransform(false);
        header.format = reader.format();
        if (header.format.isEmpty()) {
            return header;
        }
        header.storedPixels = reader.size();
        header.orientation = orientationOf(reader.transformation());
    }
    if (header.turned()) {
        header.dotsPerMetre = header.dotsPerMetre.transposed();
    }
    header.pixels = header.shownFor(header.storedPixels);
    header.problem = PictureFileProblem::None;
    if (pixelCount(header.pixels) > kMaxPixels ||
        header.decodingBytes(QSize(1, 1)) > kMaxDecodingBytes) {
        header.problem = PictureFileProblem::TooLarge;
    }
    return header;
}

qint64 decodingCost(const QString& path, const QSize& target) {
    const Header header = readHeader(path);
    return header.problem == PictureFileProblem::None ? header.decodingBytes(target) : 0;
}

QImage decode(const QString& path, const QSize& target, PictureFileProblem* problem,
              const Header* known) {
    const Header header = known ? *known : readHeader(path);
    if (header.problem != PictureFileProblem::None) {
        tell(problem, header.problem);
        return {};
    }
    const QString clean = QDir::cleanPath(path);
    QSize shown = header.pixels;
    if (target.isValid() && !target.isEmpty() && shown.isValid()) {
        shown = target.boundedTo(shown);
    }
    const QSize stored = header.shownFor(shown);
    const qint64 limit = qint64(QImageReader::allocationLimit()) * 1024 * 1024;
    if (header.decodingBytes(shown) > kMaxDecodingBytes ||
        (limit > 0 && qtAllocationBytes(header, stored) > limit)) {
        tell(problem, PictureFileProblem::TooLarge);
        return {};
    }
    QImage image;
    if (header.format == "png" && header.bitDepth == 16) {
        image = PngReducedReader::read(clean, stored);
        if (!image.isNull() && !header.dotsPerMetre.isEmpty()) {
            // As Qt's reader does: the resolution scaled with the pixels.
            const QSize dotsPerMetre = header.shownFor(header.dotsPerMetre);
            image.setDotsPerMeterX(
                int(qint64(dotsPerMetre.width()) * image.width() / header.storedPixels.width()));
            image.setDotsPerMeterY(
                int(qint64(dotsPerMetre.height()) * image.height() / header.storedPixels.height()));
        }
    } else if (header.format == "jpeg") {
        // libjpeg scales while it decodes; the rest of the way is smooth
        // scaling, the resolution kept as the file gives it.
        const int denominator = jpegDenominator(header.storedPixels, stored);
        image = JpegReader::read(clean, header, denominator, !jpegDecodedGrey(header, stored));
        if (!image.isNull() && image.size() != stored) {
            const int dotsPerMetreX = image.dotsPerMeterX();
            const int dotsPerMetreY = image.dotsPerMeterY();
            image = image.scaled(stored, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            image.setDotsPerMeterX(dotsPerMetreX);
            image.setDotsPerMeterY(dotsPerMetreY);
        }
    } else {
        QImageReader reader(clean, header.format);
        reader.setAutoTransform(false);
        if (stored.isValid() && stored != header.storedPixels) {
            reader.setScaledSize(stored);
        }
        image = reader.read();
    }
    if (image.isNull()) {
        tell(problem, PictureFileProblem::NotPicture);
        return {};
    }
    tell(problem, PictureFileProblem::None);
    return applyOrientation(image, header.orientation);
}

QImage applyOrientation(const QImage& stored, int orientation) {
    // Where the stored first row and first column are shown (EXIF): 2 top,
    // right; 3 bottom, right; 4 bottom, left; 5 left, top; 6 right, top;
    // 7 right, bottom; 8 left, bottom.
    switch (orientation) {
    case 2:
        return stored.mirrored(true, false);
    case 3:
        return stored.mirrored(true, true);
    case 4:
        return stored.mirrored(false, true);
    case 5:
        return turned(stored, 1).mirrored(true, false);
    case 6:
        return turned(stored, 1);
    case 7:
        return turned(stored, 1).mirrored(false, true);
    case 8:
        return turned(stored, 3);
    default:
        return stored;
    }
}

} // namespace PictureDecoder
