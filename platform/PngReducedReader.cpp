#include "platform/PngReducedReader.h"

#include <QFile>
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <png.h>
#include <vector>

namespace PngReducedReader {
namespace {

// Everything a reading holds, released on every way out; libpng jumps back
// to the reading on an error, so no object with a destructor may live in
// the frames it leaves.
struct Reading {
    FILE* file = nullptr;
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::vector<png_byte> pixels;  // one row, or every row when interlaced
    std::vector<png_bytep> rows;   // the rows of an interlaced picture
    std::vector<int> targetColumn; // the target column of each source column
    std::vector<int> columnWidth;  // source columns per target column
    std::vector<quint64> sums;     // per target column: r, g, b weighted by alpha, alpha
    QImage out;

    ~Reading() {
        if (png) {
            png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
        }
        if (file) {
            std::fclose(file);
        }
    }
};

[[noreturn]] void failed(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void warned(png_structp, png_const_charp) {}

void addRow(Reading& r, const png_byte* row) {
    const int width = int(r.targetColumn.size());
    for (int x = 0; x < width; ++x) {
        const png_byte* p = row + 4 * x;
        quint64* sum = r.sums.data() + 4 * r.targetColumn[x];
        const quint64 alpha = p[3];
        sum[0] += p[0] * alpha;
        sum[1] += p[1] * alpha;
        sum[2] += p[2] * alpha;
        sum[3] += alpha;
    }
}

void writeRow(Reading& r, int y, int rowsInBand) {
    auto* line = reinterpret_cast<QRgb*>(r.out.scanLine(y));
    for (int x = 0; x < r.out.width(); ++x) {
        quint64* sum = r.sums.data() + 4 * x;
        const quint64 count = quint64(r.columnWidth[x]) * quint64(rowsInBand);
        const quint64 alpha = sum[3];
        const auto channel = [&](quint64 weighted) {
            return alpha == 0 ? 0 : int(std::min<quint64>(255, (weighted + alpha / 2) / alpha));
        };
        line[x] = qRgba(channel(sum[0]), channel(sum[1]), channel(sum[2]),
                        count == 0 ? 0 : int((alpha + count / 2) / count));
        sum[0] = sum[1] = sum[2] = sum[3] = 0;
    }
}

// The reading itself; false when libpng gave up.
bool decode(Reading& r, QSize target) {
    if (setjmp(png_jmpbuf(r.png))) {
        return false;
    }
    png_init_io(r.png, r.file);
    png_read_info(r.png, r.info);
    const int width = int(png_get_image_width(r.png, r.info));
    const int height = int(png_get_image_height(r.png, r.info));
    const int depth = png_get_bit_depth(r.png, r.info);
    const int colour = png_get_color_type(r.png, r.info);
    const bool transparency = png_get_valid(r.png, r.info, PNG_INFO_tRNS) != 0;
    if (depth == 16) {
        png_set_scale_16(r.png);
    }
    if (colour == PNG_COLOR_TYPE_PALETTE) {
        png_set_palette_to_rgb(r.png);
    }
    if (colour == PNG_COLOR_TYPE_GRAY && depth < 8) {
        png_set_expand_gray_1_2_4_to_8(r.png);
    }
    if (transparency) {
        png_set_tRNS_to_alpha(r.png);
    }
    if (colour == PNG_COLOR_TYPE_GRAY || colour == PNG_COLOR_TYPE_GRAY_ALPHA) {
        png_set_gray_to_rgb(r.png);
    }
    const bool alpha = (colour & PNG_COLOR_MASK_ALPHA) != 0 || transparency;
    if (!alpha) {
        png_set_filler(r.png, 0xff, PNG_FILLER_AFTER);
    }
    const int passes = png_set_interlace_handling(r.png);
    png_read_update_info(r.png, r.info);
    const size_t rowBytes = png_get_rowbytes(r.png, r.info);
    if (width <= 0 || height <= 0 || rowBytes != size_t(width) * 4) {
        return false;
    }
    if (!target.isValid() || target.isEmpty() || target.width() > width ||
        target.height() > height) {
        target = QSize(width, height);
    }
    r.out = QImage(target, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (r.out.isNull()) {
        return false;
    }
    r.targetColumn.resize(size_t(width));
    r.columnWidth.assign(size_t(target.width()), 0);
    for (int x = 0; x < width; ++x) {
        r.targetColumn[size_t(x)] = int(qint64(x) * target.width() / width);
        ++r.columnWidth[size_t(r.targetColumn[size_t(x)])];
    }
    r.sums.assign(size_t(target.width()) * 4, 0);
    if (passes > 1) {
        r.pixels.resize(rowBytes * size_t(height));
        r.rows.resize(size_t(height));
        for (int y = 0; y < height; ++y) {
            r.rows[size_t(y)] = r.pixels.data() + rowBytes * size_t(y);
        }
        png_read_image(r.png, r.rows.data());
    } else {
        r.pixels.resize(rowBytes);
    }
    int bandStart = 0;
    for (int y = 0; y < height; ++y) {
        const png_byte* row = r.pixels.data();
        if (passes > 1) {
            row = r.rows[size_t(y)];
        } else {
            png_read_row(r.png, r.pixels.data(), nullptr);
        }
        addRow(r, row);
        const int band = int(qint64(y) * target.height() / height);
        const bool last = y + 1 == height || int(qint64(y + 1) * target.height() / height) != band;
        if (last) {
            writeRow(r, band, y + 1 - bandStart);
            bandStart = y + 1;
        }
    }
    return true;
}

} // namespace

QImage read(const QString& path, const QSize& target) {
    Reading r;
    r.file = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (!r.file) {
        return {};
    }
    r.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, failed, warned);
    if (!r.png) {
        return {};
    }
    r.info = png_create_info_struct(r.png);
    if (!r.info) {
        return {};
    }
    if (!decode(r, target)) {
        return {};
    }
    return r.out;
}

} // namespace PngReducedReader
