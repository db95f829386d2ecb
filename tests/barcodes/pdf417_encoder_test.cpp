#include "barcodes/Pdf417Compaction.h"
#include "barcodes/Pdf417Encoder.h"
#include "barcodes/Pdf417Segmentation.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Encodes as the designer's view does: given level, inverted bitmap, ratio 1.
struct Encoded {
    int error = 0;
    std::vector<int> codewords; // the whole grid, check codewords included
    int dataCount = 0, rows = 0, columns = 0, bitColumns = 0, lenBits = 0;
};

Encoded encode(const std::string& text, int level = 2) {
    _pdf417param p;
    pdf417init(&p);
    p.text = text.data();
    p.lenText = static_cast<int>(text.size());
    p.options = PDF417_USE_ERROR_LEVEL | PDF417_INVERT_BITMAP;
    p.errorLevel = level;
    p.aspectRatio = 1.0f;
    paintCode(&p);
    Encoded e;
    e.error = p.error;
    EXPECT_EQ(p.outBits == nullptr, p.error != 0);
    if (p.error == 0) {
        e = {0,
             std::vector<int>(p.codewords, p.codewords + p.codeRows * p.codeColumns),
             p.lenCodewords,
             p.codeRows,
             p.codeColumns,
             p.bitColumns,
             p.lenBits};
    }
    return e;
}

// Data codewords after the descriptor, without padding.
std::vector<int> dataOf(const std::string& text) {
    std::vector<int> cw(pdf417::kMaxCodewords);
    int pos = 1;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const int size = static_cast<int>(text.size());
    EXPECT_EQ(pdf417::assemble(pdf417::breakString(bytes, size), bytes, cw.data(), pos), 0);
    return std::vector<int>(cw.begin() + 1, cw.begin() + pos);
}

std::string segmentsOf(const std::string& text) {
    std::string out;
    for (const auto& s : pdf417::breakString(reinterpret_cast<const unsigned char*>(text.data()),
                                             static_cast<int>(text.size())))
        out += s.type + std::to_string(s.start) + "-" + std::to_string(s.end) + " ";
    return out;
}

TEST(Pdf417Encoder, AbcAtLevelTwo) {
    const Encoded e = encode("ABC");
    ASSERT_EQ(e.error, 0);
    // Descriptor 3; A and B as 0 x 30 + 1; C and the pad as 2 x 30 + 29.
    EXPECT_EQ(std::vector<int>(e.codewords.begin(), e.codewords.begin() + 3),
              (std::vector<int>{3, 1, 89}));
    EXPECT_EQ(e.dataCount, 3);
    EXPECT_EQ(e.columns, 1);
    EXPECT_EQ(e.rows, 11); // 8 check codewords fill the grid
    EXPECT_EQ(e.bitColumns, 86);
    EXPECT_EQ(e.lenBits, 121);
}

TEST(Pdf417Encoder, TextCompactionSubModes) {
    const struct {
        std::string text;
        std::vector<int> codewords;
    } cases[] = {
        {"abc", {27 * 30 + 0, 1 * 30 + 2}},                             // latch Lower first
        {"A1", {0 * 30 + 28, 1 * 30 + 29}},                             // latch Mixed, pad
        {"aBb", {27 * 30 + 0, 27 * 30 + 1, 1 * 30 + 29}},               // one shifted capital
        {"aBCD", {27 * 30 + 0, 28 * 30 + 28, 1 * 30 + 2, 3 * 30 + 29}}, // back to Alpha
        {"A;B", {0 * 30 + 29, 0 * 30 + 1}},                             // shifted punctuation
        {"A;<>", {0 * 30 + 28, 25 * 30 + 0, 1 * 30 + 2}},               // latched punctuation
        {"A;<>B", {0 * 30 + 28, 25 * 30 + 0, 1 * 30 + 2, 29 * 30 + 1}}, // and back to Alpha
        {"1a", {28 * 30 + 1, 27 * 30 + 0}},                             // Mixed to Lower
        {"A\x01"
         "BC",
         {0 * 30 + 29, 913, 1, 1 * 30 + 2}},   // pad before a byte
        {"x y", {27 * 30 + 23, 26 * 30 + 24}}, // space in Lower
    };
    for (const auto& c : cases)
        EXPECT_EQ(dataOf(c.text), c.codewords) << c.text;
}

TEST(Pdf417Encoder, Segmentation) {
    const struct {
        const char* text;
        const char* segments;
    } cases[] = {
        {"AB1234567890123CD", "T0-2 N2-15 T15-17 "}, // 13 digits are numeric
        {"AB123456789012CD", "T0-16 "},              // 12 digits stay text
        {"1234567890123", "N0-13 "},
        {"12345678", "N0-8 "}, // a value of only 8 or more digits
        {"1234567", "T0-7 "},
        {"AB\x01"
         "C",
         "T0-4 "}, // one byte between texts of 3 in all
        {"A\x01"
         "B",
         "B0-3 "}, // 2 in all: the bytes take the short texts
        {"Hello\x80World", "T0-11 "},
        {"Hello\x80\x81World", "T0-5 B5-7 T7-12 "},
        {"\x80"
         "ab\x81",
         "B0-4 "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(segmentsOf(c.text), c.segments) << c.text;
}

TEST(Pdf417Encoder, NumericAndByteCompaction) {
    // "1" + the digits in base 900, most significant first.
    const std::vector<int> n = dataOf("1234567890123");
    ASSERT_EQ(n.size(), 6u);
    EXPECT_EQ(n[0], 902);
    long long v = 0;
    for (std::size_t i = 1; i < n.size(); ++i)
        v = v * 900 + n[i];
    EXPECT_EQ(v, 11234567890123LL);
    EXPECT_EQ(dataOf(std::string(45, '7')).size(), 1u + 15u + 1u); // 44 digits per group

    // 6 bytes are one 48-bit number in 5 codewords; a length that is a
    // multiple of 6 latches with 924, any other with 901.
    const std::string six = "\x80\x81\x82\x83\x84\x85";
    const std::vector<int> b6 = dataOf(six);
    ASSERT_EQ(b6.size(), 6u);
    EXPECT_EQ(b6[0], 924);
    unsigned long long bits = 0;
    for (std::size_t i = 1; i < 6; ++i)
        bits = bits * 900 + static_cast<unsigned>(b6[i]);
    EXPECT_EQ(bits, 0x808182838485ULL);
    const std::vector<int> b7 = dataOf(six + "\x86");
    EXPECT_EQ(b7.front(), 901);
    EXPECT_EQ(b7.back(), 0x86);
}

TEST(Pdf417Encoder, SymbolCodewordsHaveVanishingSyndromes) {
    const std::string text = "PDF417 symbol, 2D. 12345678901234567890 done!";
    const Encoded e = encode(text, 3);
    ASSERT_EQ(e.error, 0);
    const int k = e.rows * e.columns - e.dataCount;
    EXPECT_GE(k, 16);
    EXPECT_EQ(k & (k - 1), 0); // the level the grid's spare room holds
    for (int i = 1, root = 3; i <= k; ++i, root = root * 3 % 929) {
        int v = 0;
        for (int c : e.codewords)
            v = (v * root + c) % 929;
        EXPECT_EQ(v, 0) << "root 3^" << i;
    }
    // Pad codewords 900 after the data; the descriptor counts them.
    EXPECT_EQ(e.codewords[0], e.dataCount);
    for (std::size_t i = dataOf(text).size() + 1; i < static_cast<std::size_t>(e.dataCount); ++i)
        EXPECT_EQ(e.codewords[i], 900);
}

TEST(Pdf417Encoder, TooMuchDataIsRefused) {
    EXPECT_EQ(encode(std::string(5421, 'A')).error, PDF417_ERROR_TEXT_TOO_BIG);
    EXPECT_EQ(encode(std::string(5420, 'A')).error, PDF417_ERROR_TEXT_TOO_BIG); // 2,711 codewords
    // Bytes: 184 groups of 6 and 4 single bytes, with latch and descriptor
    // 926 codewords, the most a symbol holds with its 2 check codewords.
    const std::string bytes(1108, '\x80');
    const Encoded largest = encode(bytes, 0);
    EXPECT_EQ(largest.dataCount, 926);
    EXPECT_EQ(largest.rows * largest.columns, 928);
    EXPECT_EQ(encode(bytes + "\x80").error, PDF417_ERROR_TEXT_TOO_BIG); // 927
    EXPECT_EQ(encode(std::string(2 * 925, 'A'), 0).dataCount, 926);
    EXPECT_EQ(encode(std::string(2 * 925 + 1, 'A'), 0).error, PDF417_ERROR_TEXT_TOO_BIG);
    EXPECT_EQ(encode(std::string(44 * 61 + 26, '5'), 0).dataCount, 926);
    EXPECT_EQ(encode(std::string(44 * 61 + 27, '5'), 0).error, PDF417_ERROR_TEXT_TOO_BIG);
}

TEST(Pdf417Encoder, RawCodewordsAndLargestGrids) {
    _pdf417param p;
    pdf417init(&p);
    p.options = PDF417_USE_RAW_CODEWORDS;
    const auto run = [&](int len, int descriptor, int value) {
        p.lenCodewords = len;
        p.codewords[0] = descriptor;
        std::fill(p.codewords + 1, p.codewords + len, value);
        paintCode(&p);
        return p.error;
    };
    EXPECT_EQ(run(4, 4, 7), 0);
    EXPECT_EQ(run(4, 5, 7), PDF417_ERROR_INVALID_PARAMS); // descriptor disagrees
    EXPECT_TRUE(p.outBits == nullptr);
    EXPECT_EQ(run(927, 927, 7), PDF417_ERROR_INVALID_PARAMS);
    EXPECT_EQ(run(4, 4, 929), PDF417_ERROR_INVALID_PARAMS); // not a codeword value
    // 926 codewords: the aspect rule gives 11 columns and 85 rows, too many.
    p.aspectRatio = 1.0f;
    ASSERT_EQ(run(926, 926, 7), 0);
    EXPECT_EQ(p.codeColumns, 16);
    EXPECT_EQ(p.codeRows, 58);
    p.aspectRatio = 0.1f; // 30 columns, 31 rows
    ASSERT_EQ(run(926, 926, 7), 0);
    EXPECT_EQ(p.codeColumns, 29);
    EXPECT_EQ(p.codeRows, 32);
    EXPECT_EQ(p.bitColumns, 17 * 32 + 18);
}

TEST(Pdf417Encoder, FixedGridOptions) {
    const std::string text = "FIXED GRID"; // 6 data codewords
    _pdf417param p;
    pdf417init(&p);
    p.text = text.c_str();
    p.errorLevel = 1;
    const auto run = [&](int options, int columns, int rows) {
        p.options = options | PDF417_USE_ERROR_LEVEL;
        p.codeColumns = columns;
        p.codeRows = rows;
        paintCode(&p);
        EXPECT_EQ(p.error, 0);
        return std::make_pair(p.codeColumns, p.codeRows);
    };
    EXPECT_EQ(run(PDF417_FIXED_RECTANGLE, 4, 6), std::make_pair(4, 6));
    EXPECT_EQ(run(PDF417_FIXED_RECTANGLE, 1, 3), std::make_pair(1, 10)); // too small: derived
    EXPECT_EQ(run(PDF417_FIXED_COLUMNS, 2, 3), std::make_pair(2, 5));
    EXPECT_EQ(run(PDF417_FIXED_ROWS, 1, 3), std::make_pair(4, 3));
}

bool barAt(const _pdf417param& p, int row, int column) {
    const int bytesPerRow = p.lenBits / p.codeRows;
    return (p.outBits[static_cast<std::size_t>(row * bytesPerRow + column / 8)] >>
            (7 - column % 8)) &
           1;
}

std::uint32_t readBits(const _pdf417param& p, int row, int from, int count) {
    std::uint32_t v = 0;
    for (int i = 0; i < count; ++i)
        v = (v << 1) | (barAt(p, row, from + i) ? 1u : 0u);
    return v;
}

TEST(Pdf417Encoder, PaintedRowsCarryIndicatorsAndCodewords) {
    const std::string text = "Row indicators and clusters";
    _pdf417param p;
    pdf417init(&p);
    p.text = text.c_str();
    p.options = PDF417_USE_ERROR_LEVEL;
    p.errorLevel = 2;
    paintCode(&p);
    ASSERT_EQ(p.error, 0);
    const int rows = p.codeRows;
    const int cols = p.codeColumns;
    const int level = pdf417::maxPossibleErrorLevel(rows * cols - p.lenCodewords);
    for (int row = 0; row < rows; ++row) {
        const auto& table = pdf417::CLUSTERS[static_cast<std::size_t>(row % 3)];
        const auto pattern = [&](int value) { return table[static_cast<std::size_t>(value)]; };
        EXPECT_EQ(readBits(p, row, 0, 17), pdf417::kStartPattern);
        EXPECT_EQ(readBits(p, row, 17 * (cols + 3), 18), pdf417::kStopPattern);
        for (int c = 0; c < cols; ++c)
            EXPECT_EQ(readBits(p, row, 17 * (c + 2), 17), pattern(p.codewords[row * cols + c]));
        // Together the indicators give rows, columns and level.
        const int r = 30 * (row / 3);
        const int left[] = {r + (rows - 1) / 3, r + level * 3 + (rows - 1) % 3, r + cols - 1};
        const int right[] = {r + cols - 1, r + (rows - 1) / 3, r + level * 3 + (rows - 1) % 3};
        EXPECT_EQ(readBits(p, row, 17, 17), pattern(left[row % 3]));
        EXPECT_EQ(readBits(p, row, 17 * (cols + 2), 17), pattern(right[row % 3]));
    }
    // The inverted matrix is the exact complement.
    const std::vector<unsigned char> plain(p.outBits.get(), p.outBits.get() + p.lenBits);
    p.options |= PDF417_INVERT_BITMAP;
    paintCode(&p);
    for (std::size_t i = 0; i < plain.size(); ++i)
        ASSERT_EQ(p.outBits[i], static_cast<unsigned char>(~plain[i]));
}

} // namespace
