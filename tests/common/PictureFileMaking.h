#pragma once
// Picture files as cameras and hostile senders make them, built byte by
// byte: JPEGs (baseline or progressive) with an EXIF orientation, PNGs with
// an eXIf chunk, a progressive JPEG whose header claims a huge size, a JPEG
// cut short but ending in its end marker, a 16-bit PNG; and the pictures in
// them.

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>
#include <QString>
#include <QtEndian>

namespace picturefiles {

// A w x h picture in four flat quarters: red top left, green top right,
// blue bottom left, yellow bottom right.
inline QImage quarters(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, width / 2, height / 2, Qt::red);
    painter.fillRect(width / 2, 0, width - width / 2, height / 2, Qt::green);
    painter.fillRect(0, height / 2, width / 2, height - height / 2, Qt::blue);
    painter.fillRect(width / 2, height / 2, width - width / 2, height - height / 2, Qt::yellow);
    return image;
}

// Grainy colour fields, which JPEG cannot make small.
inline QImage grain(int width, int height, quint32 seed) {
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int g = int(random.bounded(64u));
            line[x] = qRgb((x * 255 / width + g) & 255, (y * 255 / height + g) & 255, g * 3);
        }
    }
    return image;
}

// A photo-like picture at `dpi`: smooth colours from `from` and a round
// shape, which PNG and JPEG keep apart from noise.
inline QImage photo(int width, int height, double dpi = 72,
                    const QColor& from = QColor(230, 190, 60)) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, width, height);
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, QColor(40, 90, 160));
    painter.fillRect(image.rect(), gradient);
    painter.setBrush(QColor(200, 40, 60));
    painter.drawEllipse(QRectF(width / 4.0, height / 4.0, width / 2.0, height / 2.0));
    painter.end();
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    return image;
}

inline QByteArray jpeg(const QImage& image, bool progressive, int quality = 92) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

inline QByteArray insertedAt(const QByteArray& bytes, qsizetype at, const QByteArray& inserted) {
    return bytes.left(at) + inserted + bytes.mid(at);
}

// Where a JPEG's first segment after the start marker ends (Qt writes APP0
// JFIF there).
inline qsizetype afterFirstSegment(const QByteArray& jpegBytes) {
    const auto* p = reinterpret_cast<const uchar*>(jpegBytes.constData());
    return 4 + ((p[4] << 8) | p[5]);
}

inline QByteArray png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// EXIF data in TIFF form holding one tag, Orientation (0x0112, SHORT, 1).
inline QByteArray exifTiff(int orientation, bool bigEndian) {
    QByteArray tiff;
    const auto u16 = [&](quint16 v) {
        QByteArray b(2, '\0');
        bigEndian ? qToBigEndian(v, b.data()) : qToLittleEndian(v, b.data());
        tiff += b;
    };
    const auto u32 = [&](quint32 v) {
        QByteArray b(4, '\0');
        bigEndian ? qToBigEndian(v, b.data()) : qToLittleEndian(v, b.data());
        tiff += b;
    };
    tiff += bigEndian ? "MM" : "II";
    u16(42);
    u32(8); // the first directory follows the header
    u16(1); // one entry
    u16(0x0112);
    u16(3);
    u32(1);
    u16(quint16(orientation));
    u16(0);
    u32(0); // no next directory
    return tiff;
}

// The JPEG with an APP1 Exif segment holding the orientation right after
// its start marker.
inline QByteArray withOrientation(const QByteArray& jpegBytes, int orientation,
                                  bool bigEndian = true) {
    const QByteArray body = QByteArray("Exif\0\0", 6) + exifTiff(orientation, bigEndian);
    QByteArray segment("\xff\xe1", 2);
    QByteArray length(2, '\0');
    qToBigEndian(quint16(body.size() + 2), length.data());
    segment += length + body;
    return jpegBytes.left(2) + segment + jpegBytes.mid(2);
}

inline quint32 crc32Of(const QByteArray& bytes) {
    quint32 crc = 0xffffffffu;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

inline QByteArray pngChunk(const char* type, const QByteArray& data) {
    QByteArray chunk(4, '\0');
    qToBigEndian(quint32(data.size()), chunk.data());
    const QByteArray body = QByteArray(type, 4) + data;
    QByteArray crc(4, '\0');
    qToBigEndian(crc32Of(body), crc.data());
    return chunk + body + crc;
}

// The PNG with an eXIf chunk holding the orientation after its IHDR.
inline QByteArray pngWithOrientation(const QByteArray& pngBytes, int orientation,
                                     bool bigEndian = true) {
    constexpr int afterHeader = 8 + 25;
    return pngBytes.left(afterHeader) + pngChunk("eXIf", exifTiff(orientation, bigEndian)) +
           pngBytes.mid(afterHeader);
}

// A progressive JPEG of a few hundred bytes whose frame header claims
// `width` x `height` pixels: a 16 x 16 one with its size changed.
inline QByteArray claimingProgressiveJpeg(int width, int height) {
    QByteArray bytes = jpeg(quarters(16, 16), true, 50);
    const int frame = int(bytes.indexOf(QByteArray("\xff\xc2", 2)));
    if (frame < 0) {
        return {};
    }
    qToBigEndian(quint16(height), bytes.data() + frame + 5);
    qToBigEndian(quint16(width), bytes.data() + frame + 7);
    return bytes;
}

// A JPEG cut at a fraction of its bytes that still ends in its end marker,
// as a broken transfer patched up gives.
inline QByteArray cutJpeg(bool progressive, double kept) {
    const QByteArray whole = jpeg(grain(320, 240, 11), progressive, 90);
    return whole.left(qsizetype(whole.size() * kept)) + QByteArray("\xff\xd9", 2);
}

// A 16-bit RGBA PNG in four quarters (see quarters) at `dpi`.
inline QByteArray png16(int width, int height, double dpi = 72) {
    QImage image = quarters(width, height).convertToFormat(QImage::Format_RGBA64);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    return png(image);
}

inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace picturefiles
