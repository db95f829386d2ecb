#include "platform/PictureHeaders.h"

#include <QIODevice>
#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace PictureHeaders {
namespace {

// Headers are read in bounded steps: at most this many segments or chunks
// before the pixels, and EXIF data of at most this many bytes.
constexpr int kMaxSegments = 4096;
constexpr qint64 kMaxExifBytes = 1024 * 1024;

quint16 big16(const uchar* p) {
    return quint16((p[0] << 8) | p[1]);
}

// Reads exactly `count` bytes, or gives an empty array.
QByteArray readExactly(QIODevice& file, qint64 count) {
    if (count < 0) {
        return {};
    }
    QByteArray bytes = file.read(count);
    return bytes.size() == count ? bytes : QByteArray();
}

bool skip(QIODevice& file, qint64 count) {
    return count >= 0 && file.seek(file.pos() + count) && file.pos() <= file.size();
}

// Reads a file forward through blocks of bytes, so that a run of stray or
// fill bytes costs one read of the file per block, not one per byte.
class BlockReader {
public:
    explicit BlockReader(QIODevice& file) : m_file(file) {}

    // Exactly `count` bytes, or an empty array.
    QByteArray take(qint64 count) {
        if (count < 0) {
            return {};
        }
        QByteArray bytes = m_block.mid(m_at, count);
        m_at += bytes.size();
        if (bytes.size() < count) {
            bytes += m_file.read(count - bytes.size());
        }
        return bytes.size() == count ? bytes : QByteArray();
    }

    // Passes over `count` bytes; false when the file ends before them.
    bool skip(qint64 count) {
        if (count < 0) {
            return false;
        }
        const qint64 inBlock = std::min<qint64>(count, m_block.size() - m_at);
        m_at += inBlock;
        if (inBlock == count) {
            return true;
        }
        const qint64 to = m_file.pos() + (count - inBlock);
        return to <= m_file.size() && m_file.seek(to);
    }

    // The code of the next marker, found as libjpeg finds it: bytes up to
    // an 0xff are passed over, then every further 0xff (fill); an 0xff
    // followed by 0 marks no marker and is passed over too. -1 when the
    // file ends first.
    int nextMarker() {
        for (;;) {
            if (!passStray()) {
                return -1;
            }
            ++m_at;
            if (!passFill()) {
                return -1;
            }
            const int code = uchar(m_block[m_at++]);
            if (code != 0) {
                return code;
            }
        }
    }

private:
    static constexpr qint64 kBlock = 64 * 1024;

    // Passes over the bytes before the next 0xff, which is left next.
    bool passStray() {
        for (;;) {
            const char* data = m_block.constData();
            if (m_at < m_block.size()) {
                if (const void* ff =
                        std::memchr(data + m_at, 0xff, size_t(m_block.size() - m_at))) {
                    m_at = static_cast<const char*>(ff) - data;
                    return true;
                }
            }
            if (!nextBlock()) {
                return false;
            }
        }
    }

    // Passes over a run of 0xff bytes; the byte after it is left next.
    bool passFill() {
        for (;;) {
            const auto* data = reinterpret_cast<const uchar*>(m_block.constData());
            while (m_at < m_block.size() && data[m_at] == 0xff) {
                ++m_at;
            }
            if (m_at < m_block.size()) {
                return true;
            }
            if (!nextBlock()) {
                return false;
            }
        }
    }

    bool nextBlock() {
        m_block = m_file.read(kBlock);
        m_at = 0;
        return !m_block.isEmpty();
    }

    QIODevice& m_file;
    QByteArray m_block;
    qsizetype m_at = 0;
};

} // namespace

QSize jfifDotsPerMetre(int unit, int x, int y) {
    if (x <= 0 || y <= 0) {
        return {};
    }
    if (unit == 1) {
        return QSize(qRound(x / 0.0254), qRound(y / 0.0254));
    }
    if (unit == 2) {
        return QSize(x * 100, y * 100);
    }
    return {};
}

int exifOrientation(const QByteArray& tiff) {
    const auto* data = reinterpret_cast<const uchar*>(tiff.constData());
    const qsizetype size = tiff.size();
    if (size < 8) {
        return 0;
    }
    bool little = false;
    if (data[0] == 'I' && data[1] == 'I') {
        little = true;
    } else if (!(data[0] == 'M' && data[1] == 'M')) {
        return 0;
    }
    const auto u16 = [&](qsizetype at) {
        return little ? quint16(data[at] | (data[at + 1] << 8)) : big16(data + at);
    };
    const auto u32 = [&](qsizetype at) {
        return little ? qFromLittleEndian<quint32>(data + at) : qFromBigEndian<quint32>(data + at);
    };
    if (u16(2) != 42) {
        return 0;
    }
    const qint64 ifd = u32(4);
    if (ifd < 8 || ifd + 2 > size) {
        return 0;
    }
    const int entries = u16(ifd);
    for (int i = 0; i < entries; ++i) {
        const qint64 entry = ifd + 2 + qint64(i) * 12;
        if (entry + 12 > size) {
            break;
        }
        if (u16(entry) != 0x0112) {
            continue;
        }
        // Orientation: SHORT, count 1, the value in the entry itself.
        const int value = u16(entry + 8);
        return u16(entry + 2) == 3 && u32(entry + 4) >= 1 && value >= 1 && value <= 8 ? value : 0;
    }
    return 0;
}

bool readJpeg(QIODevice& file, PictureDecoder::Header& header) {
    BlockReader reader(file);
    if (reader.take(2) != QByteArray("\xff\xd8", 2)) {
        return false;
    }
    header.format = "jpeg";
    bool frame = false;
    bool progressive = false;
    int orientation = 0;
    for (int segment = 0; segment < kMaxSegments; ++segment) {
        const int marker = reader.nextMarker();
        if (marker < 0) {
            return false;
        }
        if (marker == 0x01 || (marker >= 0xd0 && marker <= 0xd7)) {
            continue; // markers without a length
        }
        if (marker == 0xd8 || marker == 0xd9) {
            return false; // a second start, or ended before a scan
        }
        const QByteArray lengthBytes = reader.take(2);
        if (lengthBytes.isEmpty()) {
            return false;
        }
        // libjpeg passes over a segment whose length is too short to count
        // its own two bytes as an empty one.
        const qint64 length =
            std::max(0, big16(reinterpret_cast<const uchar*>(lengthBytes.constData())) - 2);
        const bool startOfFrame =
            marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc;
        if (marker == 0xe0 && !header.dotsPerMetre.isValid() && length >= 12) {
            const QByteArray body = reader.take(length);
            const auto* p = reinterpret_cast<const uchar*>(body.constData());
            if (body.size() >= 12 && body.startsWith(QByteArray("JFIF\0", 5))) {
                header.dotsPerMetre = jfifDotsPerMetre(p[7], big16(p + 8), big16(p + 10));
            }
        } else if (marker == 0xe1 && orientation == 0 && length >= 14) {
            const QByteArray body = reader.take(length);
            if (body.startsWith(QByteArray("Exif\0\0", 6))) {
                orientation = exifOrientation(body.mid(6));
            }
        } else if (startOfFrame) {
            const QByteArray body = reader.take(length);
            const auto* p = reinterpret_cast<const uchar*>(body.constData());
            if (frame || body.size() < 6) {
                return false;
            }
            const int components = p[5];
            if (components < 1 || components > 4 || body.size() < 6 + 3 * components) {
                return false;
            }
            header.storedPixels = QSize(big16(p + 3), big16(p + 1));
            header.components = components;
            for (int c = 0; c < components; ++c) {
                const int factors = p[6 + 3 * c + 1];
                header.sampling[c][0] = std::max(1, factors >> 4);
                header.sampling[c][1] = std::max(1, factors & 15);
            }
            // SOF2 and SOF10: progressive, Huffman or arithmetic coded.
            progressive = marker == 0xc2 || marker == 0xca;
            frame = true;
        } else if (marker == 0xda) {
            const QByteArray body = reader.take(1);
            if (!frame || body.isEmpty()) {
                return false;
            }
            // A sequential picture whose first scan holds fewer than all its
            // components is decoded through whole-picture coefficients too.
            header.wholeCoefficients = progressive || uchar(body[0]) < header.components;
            header.orientation = orientation == 0 ? 1 : orientation;
            return header.storedPixels.width() > 0 && header.storedPixels.height() > 0;
        } else if (!reader.skip(length)) {
            return false;
        }
    }
    return false;
}

bool readPng(QIODevice& file, PictureDecoder::Header& header) {
    if (readExactly(file, 8) != QByteArray("\x89PNG\r\n\x1a\n", 8)) {
        return false;
    }
    header.format = "png";
    int orientation = 0;
    for (int chunk = 0; chunk < kMaxSegments; ++chunk) {
        const QByteArray head = readExactly(file, 8);
        if (head.isEmpty()) {
            return false;
        }
        const qint64 length = qFromBigEndian<quint32>(head.constData());
        const QByteArray type = head.mid(4);
        if (length > 0x7fffffff) {
            return false;
        }
        if (chunk == 0) {
            const QByteArray body = readExactly(file, 13);
            if (type != "IHDR" || length != 13 || body.isEmpty()) {
                return false;
            }
            const auto* p = reinterpret_cast<const uchar*>(body.constData());
            const quint32 width = qFromBigEndian<quint32>(p);
            const quint32 height = qFromBigEndian<quint32>(p + 4);
            if (width == 0 || height == 0 || width > 0x7fffffff || height > 0x7fffffff) {
                return false;
            }
            header.storedPixels = QSize(int(width), int(height));
            header.bitDepth = p[8];
            header.colourType = p[9];
            header.interlaced = p[12] != 0;
            if (!skip(file, 4)) {
                return false;
            }
            continue;
        }
        if (type == "IDAT" || type == "IEND") {
            break;
        }
        if (type == "pHYs" && length == 9) {
            const QByteArray body = readExactly(file, 9);
            if (body.isEmpty()) {
                return false;
            }
            const auto* p = reinterpret_cast<const uchar*>(body.constData());
            if (p[8] == 1) {
                header.dotsPerMetre = QSize(int(qFromBigEndian<quint32>(p) & 0x7fffffff),
                                            int(qFromBigEndian<quint32>(p + 4) & 0x7fffffff));
            }
            if (!skip(file, 4)) {
                return false;
            }
            continue;
        }
        if (type == "eXIf" && orientation == 0 && length <= kMaxExifBytes) {
            QByteArray body = readExactly(file, length);
            // Some writers keep the "Exif" prefix of the JPEG segment.
            if (body.startsWith(QByteArray("Exif\0\0", 6))) {
                body.remove(0, 6);
            }
            orientation = exifOrientation(body);
            if (!skip(file, 4)) {
                return false;
            }
            continue;
        }
        if (!skip(file, length + 4)) {
            return false;
        }
    }
    header.orientation = orientation == 0 ? 1 : orientation;
    return true;
}

} // namespace PictureHeaders
