#include "barcodes/Pdf417Encoder.h"

#include "barcodes/Pdf417Compaction.h"
#include "barcodes/Pdf417ErrorCorrection.h"
#include "barcodes/Pdf417Segmentation.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace pdf417 {

int maxPossibleErrorLevel(int room) {
    for (int level = 8; level > 0; --level) {
        if ((2 << level) <= room)
            return level;
    }
    return 0;
}

namespace {

constexpr int kMaxColumns = 30;
constexpr int kMinRows = 3;
constexpr int kMaxRows = 90;

int levelForLength(int codewords) {
    if (codewords < 41)
        return 2;
    if (codewords < 161)
        return 3;
    if (codewords < 321)
        return 4;
    return 5;
}

// The largest grids that hold 928 codewords.
int getMaxSquare(_pdf417param* p) {
    if (p->codeColumns < 22) {
        p->codeColumns = 16;
        p->codeRows = 58;
    } else {
        p->codeColumns = 29;
        p->codeRows = 32;
    }
    return kMaxCodewords;
}

// Rows for the record's columns, within 3..90 (more columns when 90 rows
// are not enough).
void rowsFromColumns(_pdf417param* p, int tot) {
    p->codeRows = (tot - 1) / p->codeColumns + 1;
    if (p->codeRows < kMinRows) {
        p->codeRows = kMinRows;
    } else if (p->codeRows > kMaxRows) {
        p->codeRows = kMaxRows;
        p->codeColumns = (tot - 1) / kMaxRows + 1;
    }
}

// Chooses rows and columns for `tot` codewords; answers the grid's size.
int sizeGrid(_pdf417param* p, int tot) {
    if (p->options & PDF417_FIXED_RECTANGLE) {
        int fixed = p->codeColumns * p->codeRows;
        if (fixed > kMaxCodewords)
            fixed = getMaxSquare(p);
        if (fixed >= tot)
            return fixed;
    }
    if ((p->options & (PDF417_FIXED_COLUMNS | PDF417_FIXED_ROWS)) == 0) {
        const double ratio = std::clamp(static_cast<double>(p->aspectRatio), 0.001, 1000.0);
        const double b = 73 * ratio - 4;
        const double c =
            (-b + std::sqrt(b * b + 4 * 17 * ratio * tot * static_cast<double>(p->yHeight))) /
            (2 * 17 * ratio);
        p->codeColumns = std::clamp(static_cast<int>(c + 0.5), 1, kMaxColumns);
        rowsFromColumns(p, tot);
    } else if ((p->options & PDF417_FIXED_ROWS) == 0) {
        rowsFromColumns(p, tot);
    } else {
        p->codeColumns = (tot - 1) / p->codeRows + 1;
        if (p->codeColumns > kMaxColumns) {
            p->codeColumns = kMaxColumns;
            p->codeRows = (tot - 1) / kMaxColumns + 1;
        }
    }
    return p->codeRows * p->codeColumns;
}

// Writes `count` bits of `pattern`, most significant first, at bit `pos`.
void outBits(unsigned char* bits, int& pos, std::uint32_t pattern, int count) {
    for (int i = count - 1; i >= 0; --i, ++pos) {
        if ((pattern >> i) & 1u)
            bits[pos / 8] |= static_cast<unsigned char>(0x80 >> (pos % 8));
    }
}

void outPaintCode(_pdf417param* p, int level) {
    const int rows = p->codeRows;
    const int columns = p->codeColumns;
    p->bitColumns = 17 * (columns + 3) + 18;
    const int bytesPerRow = (p->bitColumns - 1) / 8 + 1;
    p->lenBits = bytesPerRow * rows;
    p->outBits = std::make_unique<unsigned char[]>(static_cast<std::size_t>(p->lenBits));
    unsigned char* bits = p->outBits.get();
    std::memset(bits, 0, static_cast<std::size_t>(p->lenBits));

    int next = 0; // next codeword
    for (int row = 0; row < rows; ++row) {
        const int cluster = row % 3;
        const auto& table = CLUSTERS[static_cast<std::size_t>(cluster)];
        const int r = 30 * (row / 3);
        int left = 0;
        int right = 0;
        switch (cluster) {
        case 0:
            left = r + (rows - 1) / 3;
            right = r + columns - 1;
            break;
        case 1:
            left = r + level * 3 + (rows - 1) % 3;
            right = r + (rows - 1) / 3;
            break;
        default:
            left = r + columns - 1;
            right = r + level * 3 + (rows - 1) % 3;
            break;
        }
        int pos = 8 * bytesPerRow * row;
        outBits(bits, pos, kStartPattern, 17);
        outBits(bits, pos, table[static_cast<std::size_t>(left)], 17);
        for (int c = 0; c < columns; ++c)
            outBits(bits, pos, table[static_cast<std::size_t>(p->codewords[next++])], 17);
        outBits(bits, pos, table[static_cast<std::size_t>(right)], 17);
        outBits(bits, pos, kStopPattern, 18);
    }
    if (p->options & PDF417_INVERT_BITMAP) {
        for (int i = 0; i < p->lenBits; ++i)
            bits[i] = static_cast<unsigned char>(~bits[i]);
    }
}

// Data codewords of the record's text into codewords[]; answers the error.
int encodeText(_pdf417param* p) {
    const char* text = p->text ? p->text : "";
    if (p->lenText < 0)
        p->lenText = static_cast<int>(std::strlen(text));
    if (p->lenText > PDF417_MAX_TEXT)
        return PDF417_ERROR_TEXT_TOO_BIG;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    const SegmentList segments = breakString(bytes, p->lenText);
    int pos = 1;
    if (assemble(segments, bytes, p->codewords, pos) != 0)
        return PDF417_ERROR_TEXT_TOO_BIG;
    p->lenCodewords = pos;
    p->codewords[0] = pos;
    return PDF417_ERROR_SUCCESS;
}

} // namespace

} // namespace pdf417

using namespace pdf417;

void pdf417init(_pdf417param* p) {
    p->outBits.reset();
    p->lenBits = 0;
    p->options = 0;
    p->error = PDF417_ERROR_SUCCESS;
    p->lenText = -1;
    p->text = "";
    p->yHeight = 3.0f;
    p->aspectRatio = 0.5f;
}

void pdf417free(_pdf417param* p) {
    p->outBits.reset();
    p->lenBits = 0;
}

void paintCode(_pdf417param* p) {
    p->error = PDF417_ERROR_SUCCESS;
    pdf417free(p);
    if (p->options & PDF417_USE_RAW_CODEWORDS) {
        if (p->lenCodewords < 1 || p->lenCodewords > kDataLimit - 1 ||
            p->lenCodewords != p->codewords[0]) {
            p->error = PDF417_ERROR_INVALID_PARAMS;
            return;
        }
        for (int i = 1; i < p->lenCodewords; ++i) {
            if (p->codewords[i] < 0 || p->codewords[i] >= kCodewordValues) {
                p->error = PDF417_ERROR_INVALID_PARAMS;
                return;
            }
        }
    } else {
        p->error = encodeText(p);
        if (p->error != PDF417_ERROR_SUCCESS)
            return;
    }

    const int maxErr = maxPossibleErrorLevel(kMaxCodewords - p->lenCodewords);
    int level =
        (p->options & PDF417_USE_ERROR_LEVEL) ? p->errorLevel : levelForLength(p->lenCodewords);
    if (level > maxErr)
        level = maxErr;
    if (level < 0)
        level = 0;

    p->codeColumns = std::clamp(p->codeColumns, 1, kMaxColumns);
    p->codeRows = std::clamp(p->codeRows, kMinRows, kMaxRows);
    int tot = sizeGrid(p, p->lenCodewords + errorCorrectionCount(level));
    if (tot > kMaxCodewords)
        tot = getMaxSquare(p);

    // The symbol gets the strongest level the grid's spare room holds.
    level = maxPossibleErrorLevel(tot - p->lenCodewords);
    const int dataCount = tot - errorCorrectionCount(level);
    for (int i = p->lenCodewords; i < dataCount; ++i)
        p->codewords[i] = kLatchText; // pad
    p->lenCodewords = dataCount;
    p->codewords[0] = dataCount;
    calculateErrorCorrection(p->codewords, dataCount, level);
    outPaintCode(p, level);
}
