#include "output/core/PngEncoding.h"

#include <QColorSpace>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <libdeflate.h>
#include <memory>
#include <vector>

namespace png {

namespace {

// libdeflate's level 6: files within a few percent of libpng's adaptive
// filters at zlib's default level, in well under half the time.
constexpr int kCompressionLevel = 6;

void putUint32(std::vector<unsigned char>& out, std::uint32_t value) {
    out.push_back(static_cast<unsigned char>(value >> 24));
    out.push_back(static_cast<unsigned char>(value >> 16));
    out.push_back(static_cast<unsigned char>(value >> 8));
    out.push_back(static_cast<unsigned char>(value));
}

// Appends a chunk: length, type, data, CRC of type and data.
void putChunk(std::vector<unsigned char>& out, const char (&type)[5], const unsigned char* data,
              std::size_t size) {
    putUint32(out, static_cast<std::uint32_t>(size));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    if (size > 0) {
        out.insert(out.end(), data, data + size);
    }
    putUint32(out, libdeflate_crc32(0, out.data() + typeAt, size + 4));
}

struct CompressorDeleter {
    void operator()(libdeflate_compressor* compressor) const {
        libdeflate_free_compressor(compressor);
    }
};

// Working memory kept by each thread between pictures: fresh pages cost a
// fault each on first touch, which for a 300 dpi card was as much as the
// compression itself.
struct Scratch {
    std::vector<unsigned char> filtered;
    std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor;
};

} // namespace

bool canEncode(const QImage& image) {
    switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        break;
    default:
        return false;
    }
    return !image.isNull() && image.textKeys().isEmpty() && !image.colorSpace().isValid();
}

QByteArray encode(const QImage& image) {
    if (!canEncode(image)) {
        return {};
    }
    const bool alpha = image.hasAlphaChannel();
    // Straight (not premultiplied) samples in R, G, B(, A) byte order.
    const QImage samples =
        image.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    if (samples.isNull()) {
        return {};
    }
    const auto width = static_cast<std::size_t>(samples.width());
    const auto height = static_cast<std::size_t>(samples.height());
    const std::size_t rowBytes = width * (alpha ? 4 : 3);

    // Each row: filter type 2 (up), then each byte less the byte above.
    thread_local Scratch scratch;
    const std::size_t filteredSize = (rowBytes + 1) * height;
    if (scratch.filtered.size() < filteredSize) {
        scratch.filtered.resize(filteredSize);
    }
    unsigned char* const filtered = scratch.filtered.data();
    for (std::size_t y = 0; y < height; ++y) {
        unsigned char* out = filtered + y * (rowBytes + 1);
        const uchar* row = samples.constScanLine(static_cast<int>(y));
        *out++ = 2;
        if (y == 0) {
            std::memcpy(out, row, rowBytes);
            continue;
        }
        const uchar* above = samples.constScanLine(static_cast<int>(y - 1));
        for (std::size_t x = 0; x < rowBytes; ++x) {
            out[x] = static_cast<unsigned char>(row[x] - above[x]);
        }
    }

    if (!scratch.compressor) {
        scratch.compressor.reset(libdeflate_alloc_compressor(kCompressionLevel));
        if (!scratch.compressor) {
            return {};
        }
    }
    libdeflate_compressor* const compressor = scratch.compressor.get();

    // The file is laid out in one buffer: the stream is compressed straight
    // into the IDAT chunk, then the buffer is cut to its length.
    std::vector<unsigned char> head;
    static constexpr unsigned char kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    head.insert(head.end(), std::begin(kSignature), std::end(kSignature));
    std::vector<unsigned char> header;
    putUint32(header, static_cast<std::uint32_t>(width));
    putUint32(header, static_cast<std::uint32_t>(height));
    header.push_back(8);               // bits per sample
    header.push_back(alpha ? 6 : 2);   // colour type: RGBA or RGB
    header.insert(header.end(), 3, 0); // deflate, adaptive filtering, no interlace
    putChunk(head, "IHDR", header.data(), header.size());
    if (image.dotsPerMeterX() > 0 && image.dotsPerMeterY() > 0) {
        std::vector<unsigned char> physical;
        putUint32(physical, static_cast<std::uint32_t>(image.dotsPerMeterX()));
        putUint32(physical, static_cast<std::uint32_t>(image.dotsPerMeterY()));
        physical.push_back(1); // unit: metre
        putChunk(head, "pHYs", physical.data(), physical.size());
    }

    const std::size_t bound = libdeflate_zlib_compress_bound(compressor, filteredSize);
    constexpr std::size_t kChunkFrame = 12; // length, type, CRC
    constexpr std::size_t kEnd = 12;        // the IEND chunk
    if (bound > std::size_t(0x7fffffff) - head.size() - kChunkFrame - kEnd) {
        return {};
    }
    QByteArray file(static_cast<qsizetype>(head.size() + kChunkFrame + bound + kEnd),
                    Qt::Uninitialized);
    auto* bytes = reinterpret_cast<unsigned char*>(file.data());
    std::memcpy(bytes, head.data(), head.size());
    unsigned char* chunk = bytes + head.size();
    unsigned char* data = chunk + 8;
    const std::size_t zlibSize =
        libdeflate_zlib_compress(compressor, filtered, filteredSize, data, bound);
    if (zlibSize == 0) {
        return {};
    }
    std::vector<unsigned char> tail;
    putUint32(tail, static_cast<std::uint32_t>(zlibSize));
    std::memcpy(chunk, tail.data(), 4);
    std::memcpy(chunk + 4, "IDAT", 4);
    tail.clear();
    putUint32(tail, libdeflate_crc32(0, chunk + 4, zlibSize + 4));
    putChunk(tail, "IEND", nullptr, 0);
    std::memcpy(data + zlibSize, tail.data(), tail.size());
    file.resize(static_cast<qsizetype>(head.size() + 8 + zlibSize + tail.size()));
    return file;
}

} // namespace png
