#include "barcodes/Pdf417Compaction.h"
#include "barcodes/Pdf417Encoder.h"
#include "barcodes/Pdf417ErrorCorrection.h"
#include "barcodes/Pdf417Segmentation.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct Encoded {
    int error = 0;
    std::vector<int> codewords; // the whole list, check codewords included
    int dataCount = 0;
    int rows = 0;
    int columns = 0;
    int bitColumns = 0;
    int lenBits = 0;
};

// Encodes as the designer's view does: given level, inverted bitmap, ratio 1.
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
    if (p.error == 0) {
        e.rows = p.codeRows;
        e.columns = p.codeColumns;
        e.dataCount = p.lenCodewords;
        e.codewords.assign(p.codewords, p.codewords + p.codeRows * p.codeColumns);
        e.bitColumns = p.bitColumns;
        e.lenBits = p.lenBits;
        EXPECT_TRUE(p.outBits != nullptr);
    } else {
        EXPECT_TRUE(p.outBits == nullptr);
    }
    pdf417free(&p);
    return e;
}

// Data codewords after the descriptor, without padding.
std::vector<int> dataOf(const std::string& text) {
    std::vector<int> cw(pdf417::kMaxCodewords);
    int pos = 1;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const int err = pdf417::assemble(pdf417::breakString(bytes, static_cast<int>(text.size())),
                                     bytes, cw.data(), pos);
    EXPECT_EQ(err, 0);
    return std::vector<int>(cw.begin() + 1, cw.begin() + pos);
}

std::string segmentsOf(const std::string& text) {
    std::string out;
    for (const auto& s : pdf417::breakString(reinterpret_cast<const unsigned char*>(text.data()),
                                             static_cast<int>(text.size()))) {
        out += s.type + std::to_string(s.start) + "-" + std::to_string(s.end) + " ";
    }
    return out;
}

TEST(Pdf417Encoder, AbcAtLevelTwo) {
    const Encoded e = encode("ABC");
    ASSERT_EQ(e.error, 0);
    EXPECT_EQ(e.dataCount, 3);
    EXPECT_EQ(e.codewords[0], 3);
    EXPECT_EQ(e.codewords[1], 1);  // A, B: 0 x 30 + 1
    EXPECT_EQ(e.codewords[2], 89); // C and the pad: 2 x 30 + 29
    EXPECT_EQ(e.columns, 1);
    EXPECT_EQ(e.rows, 11);
    EXPECT_EQ(e.rows * e.columns - e.dataCount, 8); // level 2
    EXPECT_EQ(e.bitColumns, 86);
    EXPECT_EQ(e.lenBits, 121);
}

TEST(Pdf417Encoder, LowerCaseLatchesFirst) {
    EXPECT_EQ(dataOf("abc"), (std::vector<int>{810, 32}));
}

TEST(Pdf417Encoder, TextSubModeChanges) {
    // A1: Alpha 0, latch Mixed 28, 1.
    EXPECT_EQ(dataOf("A1"), (std::vector<int>{0 * 30 + 28, 1 * 30 + 29}));
    // aB then b: one shifted capital (27) stays in Lower.
    EXPECT_EQ(dataOf("aBb"), (std::vector<int>{27 * 30 + 0, 27 * 30 + 1, 1 * 30 + 29}));
    // aBCD: three capitals latch back to Alpha through Mixed (28 28).
    EXPECT_EQ(dataOf("aBCD"),
              (std::vector<int>{27 * 30 + 0, 28 * 30 + 28, 1 * 30 + 2, 3 * 30 + 29}));
    // A lone punctuation character is shifted (29), a run of three latched.
    EXPECT_EQ(dataOf("A;B"), (std::vector<int>{0 * 30 + 29, 0 * 30 + 1}));
    EXPECT_EQ(dataOf("A;<>"), (std::vector<int>{0 * 30 + 28, 25 * 30 + 0, 1 * 30 + 2}));
    // From Punctuation any other character latches back to Alpha first.
    EXPECT_EQ(dataOf("A;<>B"),
              (std::vector<int>{0 * 30 + 28, 25 * 30 + 0, 1 * 30 + 2, 29 * 30 + 1}));
}

TEST(Pdf417Encoder, ByteInsideTextIsShifted) {
    // One byte between text segments of 3 or more bytes in all stays in text.
    EXPECT_EQ(segmentsOf("AB\x01"
                         "C"),
              "T0-4 ");
    // Odd value count: pad 29 before the shift 913.
    EXPECT_EQ(dataOf("A\x01"
                     "BC"),
              (std::vector<int>{0 * 30 + 29, 913, 1, 1 * 30 + 2}));
    // Two text bytes in all: the byte segment takes them in.
    EXPECT_EQ(segmentsOf("A\x01"
                         "B"),
              "B0-3 ");
}

TEST(Pdf417Encoder, SegmentationCases) {
    const struct {
        const char* text;
        const char* segments;
    } cases[] = {
        {"AB1234567890123CD", "T0-2 N2-15 T15-17 "}, // 13 digits are numeric
        {"AB123456789012CD", "T0-16 "},              // 12 digits stay text
        {"1234567890123", "N0-13 "},
        {"12345678", "N0-8 "}, // a value of only 8 or more digits
        {"1234567", "T0-7 "},
        {"Hello\x80\x81World", "T0-5 B5-7 T7-12 "},
        {"Hello\x80World", "T0-11 "},
        {"\x80\x81\x82\x83", "B0-4 "},
        {"\x80"
         "ab\x81",
         "B0-4 "}, // short text between bytes goes to bytes
    };
    for (const auto& c : cases)
        EXPECT_EQ(segmentsOf(c.text), c.segments) << c.text;
}

TEST(Pdf417Encoder, NumericCompaction) {
    // "1" + 13 digits in base 900, most significant first.
    const std::vector<int> cw = dataOf("1234567890123");
    ASSERT_EQ(cw.size(), 6u);
    EXPECT_EQ(cw[0], 902);
    long long v = 0;
    for (std::size_t i = 1; i < cw.size(); ++i)
        v = v * 900 + cw[i];
    EXPECT_EQ(v, 11234567890123LL);
    // 44 digits make 15 codewords, one more digit a second group of 1.
    const std::string digits(45, '7');
    EXPECT_EQ(dataOf(digits).size(), 1u + 15u + 1u);
}

TEST(Pdf417Encoder, ByteLatchFollowsTheLength) {
    const std::string six = "\x80\x81\x82\x83\x84\x85";
    const std::vector<int> cw6 = dataOf(six);
    ASSERT_EQ(cw6.size(), 6u);
    EXPECT_EQ(cw6[0], 924);
    unsigned long long v = 0;
    for (std::size_t i = 1; i < 6; ++i)
        v = v * 900 + static_cast<unsigned>(cw6[i]);
    EXPECT_EQ(v, 0x808182838485ULL);
    const std::vector<int> cw7 = dataOf(six + "\x86");
    ASSERT_EQ(cw7.size(), 7u);
    EXPECT_EQ(cw7[0], 901);
    EXPECT_EQ(cw7[6], 0x86);
    EXPECT_EQ(dataOf("\x90\x91\x92\x93\x94")[0], 901);
}

TEST(Pdf417Encoder, SymbolCodewordsHaveVanishingSyndromes) {
    const Encoded e = encode("PDF417 symbol, 2D. 12345678901234567890 done!", 3);
    ASSERT_EQ(e.error, 0);
    const int k = e.rows * e.columns - e.dataCount;
    EXPECT_GE(k, 16);
    EXPECT_EQ(k & (k - 1), 0); // a power of two
    int root = 1;
    for (int i = 1; i <= k; ++i) {
        root = root * 3 % pdf417::kModulus;
        int v = 0;
        for (int c : e.codewords)
            v = (v * root + c) % pdf417::kModulus;
        EXPECT_EQ(v, 0) << "root 3^" << i;
    }
    for (int i = e.codewords[0]; i < e.dataCount; ++i)
        EXPECT_EQ(e.codewords[static_cast<std::size_t>(i)], 900);
}

TEST(Pdf417Encoder, LevelFillsTheGrid) {
    // Level 0 asks for 2 check codewords, but the grid's spare room decides.
    const Encoded e = encode("ABC", 0);
    ASSERT_EQ(e.error, 0);
    EXPECT_EQ(e.rows * e.columns, e.dataCount + (2 << pdf417::maxPossibleErrorLevel(
                                                     e.rows * e.columns - e.codewords[0])));
    EXPECT_EQ(pdf417::maxPossibleErrorLevel(3), 0);
    EXPECT_EQ(pdf417::maxPossibleErrorLevel(4), 1);
    EXPECT_EQ(pdf417::maxPossibleErrorLevel(511), 7);
    EXPECT_EQ(pdf417::maxPossibleErrorLevel(928), 8);
}

TEST(Pdf417Encoder, TooLongTextsAreRefused) {
    EXPECT_EQ(encode(std::string(5421, 'A')).error, PDF417_ERROR_TEXT_TOO_BIG);
    // 5,420 capitals fit the byte limit but not the codeword limit.
    EXPECT_EQ(encode(std::string(5420, 'A')).error, PDF417_ERROR_TEXT_TOO_BIG);
    // Bytes: 184 groups of 6 (920 codewords) and 4 single bytes, with the
    // latch and the descriptor 926 codewords, the most a symbol holds.
    const std::string bytes(1108, '\x80');
    const Encoded largest = encode(bytes, 0);
    EXPECT_EQ(largest.error, 0);
    EXPECT_EQ(largest.dataCount, 926);
    EXPECT_EQ(largest.rows * largest.columns, 928);
    EXPECT_EQ(encode(bytes + "\x80").error, PDF417_ERROR_TEXT_TOO_BIG); // 927
    // Text: 926 codewords fit, 927 do not.
    EXPECT_EQ(encode(std::string(2 * 925, 'A'), 0).dataCount, 926);
    EXPECT_EQ(encode(std::string(2 * 925 + 1, 'A'), 0).error, PDF417_ERROR_TEXT_TOO_BIG);
    // Numeric: 61 full groups (915 codewords) and a partial group.
    EXPECT_EQ(encode(std::string(44 * 61 + 26, '5'), 0).dataCount, 926);
    EXPECT_EQ(encode(std::string(44 * 61 + 27, '5'), 0).error, PDF417_ERROR_TEXT_TOO_BIG);
}

TEST(Pdf417Encoder, RawCodewords) {
    _pdf417param p;
    pdf417init(&p);
    p.options = PDF417_USE_RAW_CODEWORDS;
    p.lenCodewords = 4;
    p.codewords[0] = 4;
    p.codewords[1] = 1;
    p.codewords[2] = 2;
    p.codewords[3] = 3;
    paintCode(&p);
    EXPECT_EQ(p.error, 0);
    p.codewords[0] = 5; // descriptor disagrees
    paintCode(&p);
    EXPECT_EQ(p.error, PDF417_ERROR_INVALID_PARAMS);
    EXPECT_TRUE(p.outBits == nullptr);
    p.lenCodewords = 927;
    p.codewords[0] = 927;
    paintCode(&p);
    EXPECT_EQ(p.error, PDF417_ERROR_INVALID_PARAMS);
    // A codeword value outside 0..928 is refused, not looked up.
    p.lenCodewords = 4;
    p.codewords[0] = 4;
    p.codewords[2] = 929;
    paintCode(&p);
    EXPECT_EQ(p.error, PDF417_ERROR_INVALID_PARAMS);
}

TEST(Pdf417Encoder, LargestGrids) {
    _pdf417param p;
    pdf417init(&p);
    p.options = PDF417_USE_RAW_CODEWORDS;
    p.lenCodewords = 926;
    p.codewords[0] = 926;
    p.aspectRatio = 1.0f;
    paintCode(&p); // 11 columns by the aspect ratio, 85 rows: too many
    ASSERT_EQ(p.error, 0);
    EXPECT_EQ(p.codeColumns, 16);
    EXPECT_EQ(p.codeRows, 58);
    p.aspectRatio = 0.1f;
    p.lenCodewords = 926;
    p.codewords[0] = 926;
    paintCode(&p); // 30 columns, 31 rows
    ASSERT_EQ(p.error, 0);
    EXPECT_EQ(p.codeColumns, 29);
    EXPECT_EQ(p.codeRows, 32);
    EXPECT_EQ(p.bitColumns, 17 * 32 + 18);
}

TEST(Pdf417Encoder, FixedGridOptions) {
    const std::string text = "FIXED GRID";
    _pdf417param p;
    pdf417init(&p);
    p.text = text.c_str();
    p.options = PDF417_FIXED_RECTANGLE | PDF417_USE_ERROR_LEVEL;
    p.errorLevel = 1;
    p.codeColumns = 4;
    p.codeRows = 6;
    paintCode(&p);
    ASSERT_EQ(p.error, 0);
    EXPECT_EQ(p.codeColumns, 4);
    EXPECT_EQ(p.codeRows, 6);
    p.options = PDF417_FIXED_COLUMNS | PDF417_USE_ERROR_LEVEL;
    p.codeColumns = 2;
    paintCode(&p);
    EXPECT_EQ(p.codeColumns, 2);
    p.options = PDF417_FIXED_ROWS | PDF417_USE_ERROR_LEVEL;
    p.codeRows = 3;
    paintCode(&p);
    EXPECT_EQ(p.codeRows, 3);
    // The text is 6 data codewords; with 4 check codewords 10 in 3 rows.
    EXPECT_EQ(p.codeColumns, 4);
}

// Module of the painted matrix at (row, column): true for a bar.
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
        const auto patternOf = [&](int value) { return table[static_cast<std::size_t>(value)]; };
        EXPECT_EQ(readBits(p, row, 0, 17), pdf417::kStartPattern);
        EXPECT_EQ(readBits(p, row, 17 * (cols + 3), 18), pdf417::kStopPattern);
        for (int c = 0; c < cols; ++c)
            EXPECT_EQ(readBits(p, row, 17 * (c + 2), 17), patternOf(p.codewords[row * cols + c]));
        // The indicators together give rows, columns and level.
        const int r = 30 * (row / 3);
        const int left = static_cast<int>(readBits(p, row, 17, 17));
        const int right = static_cast<int>(readBits(p, row, 17 * (cols + 2), 17));
        const int expectedLeft[] = {r + (rows - 1) / 3, r + level * 3 + (rows - 1) % 3,
                                    r + cols - 1};
        const int expectedRight[] = {r + cols - 1, r + (rows - 1) / 3,
                                     r + level * 3 + (rows - 1) % 3};
        EXPECT_EQ(left, static_cast<int>(patternOf(expectedLeft[row % 3])));
        EXPECT_EQ(right, static_cast<int>(patternOf(expectedRight[row % 3])));
    }
    // The inverted matrix is the exact complement.
    const std::vector<unsigned char> plain(p.outBits.get(), p.outBits.get() + p.lenBits);
    p.options |= PDF417_INVERT_BITMAP;
    paintCode(&p);
    ASSERT_EQ(static_cast<std::size_t>(p.lenBits), plain.size());
    for (int i = 0; i < p.lenBits; ++i)
        ASSERT_EQ(p.outBits[static_cast<std::size_t>(i)],
                  static_cast<unsigned char>(~plain[static_cast<std::size_t>(i)]));
}

TEST(Pdf417Encoder, InitResetsTheRecord) {
    _pdf417param p;
    p.options = 99;
    p.error = 2;
    p.lenText = 4;
    p.yHeight = 1;
    p.aspectRatio = 7;
    pdf417init(&p);
    EXPECT_EQ(p.options, 0);
    EXPECT_EQ(p.error, 0);
    EXPECT_EQ(p.lenText, -1);
    EXPECT_STREQ(p.text, "");
    EXPECT_FLOAT_EQ(p.yHeight, 3.0f);
    EXPECT_FLOAT_EQ(p.aspectRatio, 0.5f);
    EXPECT_TRUE(p.outBits == nullptr);
    EXPECT_EQ(p.lenBits, 0);
}

} // namespace
