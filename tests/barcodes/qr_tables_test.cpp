// QR Code tables, mask patterns, the mask penalty and the codeword walk,
// checked against figures typed from the standard.
#include "barcodes/CQR_Encode.h"
#include "barcodes/QrBitGrid.h"
#include "barcodes/QrTables.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

using namespace qr;

namespace {

const VersionInfo& info(int version) {
    return QR_VersonInfo[static_cast<std::size_t>(version)];
}

std::size_t at(int version, int level) {
    return static_cast<std::size_t>((version - 1) * 4 + level);
}

} // namespace

TEST(QrTables, TotalCodewordsOfVersions) {
    const struct {
        int version;
        int total;
    } cases[] = {{1, 26},    {2, 44},    {7, 196},   {10, 346}, {14, 581},
                 {21, 1156}, {27, 1828}, {33, 2611}, {40, 3706}};
    for (const auto& c : cases) {
        EXPECT_EQ(info(c.version).allCodewords, c.total) << "version " << c.version;
    }
    for (int v = 1; v <= kMaxVersion; ++v) {
        EXPECT_EQ(info(v).version, v);
    }
}

TEST(QrTables, DataCodewordsPerLevel) {
    const struct {
        int version;
        std::array<std::int64_t, 4> data; // L, M, Q, H
    } cases[] = {{1, {19, 16, 13, 9}},         {5, {108, 86, 62, 46}},
                 {10, {274, 216, 154, 122}},   {20, {861, 669, 485, 385}},
                 {27, {1468, 1128, 808, 628}}, {40, {2956, 2334, 1666, 1276}}};
    for (const auto& c : cases) {
        EXPECT_EQ(info(c.version).dataCodewords, c.data) << "version " << c.version;
        for (int level = 0; level < 4; ++level) {
            EXPECT_EQ(data_bit_size_array[at(c.version, level)],
                      c.data[static_cast<std::size_t>(level)] * 8);
        }
    }
}

// Every version and level: the blocks add up to the version's total and to
// the level's data codewords, the second group's blocks are one data
// codeword longer, and every block has the same error-correction count.
TEST(QrTables, BlocksAddUpToTheTotals) {
    for (int v = 1; v <= kMaxVersion; ++v) {
        for (std::size_t level = 0; level < 4; ++level) {
            SCOPED_TRACE(testing::Message() << "version " << v << " level " << level);
            const RSBlock& a = info(v).rsBlock1[level];
            const RSBlock& b = info(v).rsBlock2[level];
            EXPECT_GT(a.count, 0);
            EXPECT_EQ(a.count * a.allCodewords + b.count * b.allCodewords, info(v).allCodewords);
            EXPECT_EQ(a.count * a.dataCodewords + b.count * b.dataCodewords,
                      info(v).dataCodewords[level]);
            if (b.count > 0) {
                EXPECT_EQ(b.allCodewords, a.allCodewords + 1);
                EXPECT_EQ(b.dataCodewords, a.dataCodewords + 1);
            } else {
                EXPECT_EQ(b.allCodewords, 0);
                EXPECT_EQ(b.dataCodewords, 0);
            }
            EXPECT_LE(a.allCodewords + (b.count > 0 ? 1 : 0), kMaxRSCodewords);
            if (level > 0) {
                // Higher levels keep fewer data codewords.
                EXPECT_LT(info(v).dataCodewords[level], info(v).dataCodewords[level - 1]);
            }
        }
        if (v > 1) {
            EXPECT_GT(info(v).allCodewords, info(v - 1).allCodewords);
        }
    }
}

TEST(QrTables, BlockRowsOfTheStandard) {
    const struct {
        int version;
        int level;
        RSBlock first;
        RSBlock second;
    } cases[] = {
        {1, 3, {1, 26, 9}, {}},
        {3, 2, {2, 35, 17}, {}},
        {5, 2, {2, 33, 15}, {2, 34, 16}},
        {5, 3, {2, 33, 11}, {2, 34, 12}},
        {10, 0, {2, 86, 68}, {2, 87, 69}},
        {14, 1, {4, 64, 40}, {5, 65, 41}},
        {40, 0, {19, 148, 118}, {6, 149, 119}},
        {40, 1, {18, 75, 47}, {31, 76, 48}},
        {40, 2, {34, 54, 24}, {34, 55, 25}},
        {40, 3, {20, 45, 15}, {61, 46, 16}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "version " << c.version << " level " << c.level);
        const RSBlock& a = info(c.version).rsBlock1[static_cast<std::size_t>(c.level)];
        const RSBlock& b = info(c.version).rsBlock2[static_cast<std::size_t>(c.level)];
        EXPECT_EQ(a.count, c.first.count);
        EXPECT_EQ(a.allCodewords, c.first.allCodewords);
        EXPECT_EQ(a.dataCodewords, c.first.dataCodewords);
        EXPECT_EQ(b.count, c.second.count);
        EXPECT_EQ(b.allCodewords, c.second.allCodewords);
        EXPECT_EQ(b.dataCodewords, c.second.dataCodewords);
    }
}

TEST(QrTables, AlignmentCentres) {
    const struct {
        int version;
        std::vector<std::int64_t> centres; // besides 6
    } cases[] = {{1, {}},
                 {2, {18}},
                 {6, {34}},
                 {7, {22, 38}},
                 {14, {26, 46, 66}},
                 {21, {28, 50, 72, 94}},
                 {32, {34, 60, 86, 112, 138}},
                 {36, {24, 50, 76, 102, 128, 154}},
                 {40, {30, 58, 86, 114, 142, 170}}};
    for (const auto& c : cases) {
        const VersionInfo& v = info(c.version);
        std::vector<std::int64_t> listed(v.alignPoints.begin(),
                                         v.alignPoints.begin() + v.alignPointCount);
        EXPECT_EQ(listed, c.centres) << "version " << c.version;
    }
    // Every version: even centres, evenly spaced, the last 7 modules from
    // the far edge.
    for (int v = 2; v <= kMaxVersion; ++v) {
        SCOPED_TRACE(testing::Message() << "version " << v);
        const VersionInfo& i = info(v);
        ASSERT_GE(i.alignPointCount, 1);
        ASSERT_LE(i.alignPointCount, 6);
        EXPECT_EQ(i.alignPoints[static_cast<std::size_t>(i.alignPointCount - 1)], 17 + 4 * v - 7);
        for (std::size_t k = 0; k < static_cast<std::size_t>(i.alignPointCount); ++k) {
            EXPECT_EQ(i.alignPoints[k] % 2, 0);
            EXPECT_GT(i.alignPoints[k], 6);
            if (k >= 1 && k + 1 < static_cast<std::size_t>(i.alignPointCount)) {
                EXPECT_EQ(i.alignPoints[k + 1] - i.alignPoints[k],
                          i.alignPoints[k] - i.alignPoints[k - 1]);
            }
        }
    }
}

TEST(QrTables, CharacterCapacitiesOfTheStandard) {
    const struct {
        int version;
        int level;
        std::int64_t numeric, alphanumeric, bytes, kanji;
    } cases[] = {
        {1, 0, 41, 25, 17, 10},          {1, 1, 34, 20, 14, 8},
        {1, 2, 27, 16, 11, 7},           {1, 3, 17, 10, 7, 4},
        {10, 0, 652, 395, 271, 167},     {10, 1, 513, 311, 213, 131},
        {10, 2, 364, 221, 151, 93},      {10, 3, 288, 174, 119, 74},
        {20, 1, 1600, 970, 666, 410},    {27, 2, 1933, 1172, 805, 496},
        {40, 0, 7089, 4296, 2953, 1817}, {40, 1, 5596, 3391, 2331, 1435},
        {40, 2, 3993, 2420, 1663, 1024}, {40, 3, 3057, 1852, 1273, 784},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "version " << c.version << " level " << c.level);
        const std::size_t i = at(c.version, c.level);
        EXPECT_EQ(QR_Numric_size_array[i], c.numeric);
        EXPECT_EQ(QR_AlphaNumric_size_array[i], c.alphanumeric);
        EXPECT_EQ(QR_8_BIT_size_array[i], c.bytes);
        EXPECT_EQ(QR_Kanji_size_array[i], c.kanji);
    }
}

// Each capacity is what the encoder fits: that many characters of the mode
// make a symbol of exactly that version, one more does not.
TEST(QrTables, CapacitiesFitTheirVersionExactly) {
    const std::string kanjiPair = "\x93\xfa";
    const struct {
        const char* name;
        const std::array<std::int64_t, 160>& table;
        std::string unit;
    } modes[] = {{"numeric", QR_Numric_size_array, "7"},
                 {"alphanumeric", QR_AlphaNumric_size_array, "Q"},
                 {"8-bit", QR_8_BIT_size_array, "q"},
                 {"Kanji", QR_Kanji_size_array, kanjiPair}};
    auto encoder = std::make_unique<CQR_Encode>();
    for (int v = 1; v <= kMaxVersion; ++v) {
        for (int level = 0; level < 4; ++level) {
            for (const auto& m : modes) {
                SCOPED_TRACE(testing::Message()
                             << "version " << v << " level " << level << " " << m.name);
                const std::int64_t capacity = m.table[at(v, level)];
                std::string value;
                for (std::int64_t k = 0; k < capacity; ++k) {
                    value += m.unit;
                }
                ASSERT_TRUE(encoder->EncodeData(level, v, false, 0, value.c_str()));
                EXPECT_EQ(encoder->version(), v);
                value += m.unit;
                EXPECT_FALSE(encoder->EncodeData(level, v, false, 0, value.c_str()));
            }
        }
    }
}

// The top-left 6 x 6 modules of each mask pattern (1 inverts), as the
// standard draws them, one row a string.
TEST(QrMasks, PatternsOfTheStandard) {
    const std::array<std::array<const char*, 6>, 8> tiles = {{
        {"101010", "010101", "101010", "010101", "101010", "010101"},
        {"111111", "000000", "111111", "000000", "111111", "000000"},
        {"100100", "100100", "100100", "100100", "100100", "100100"},
        {"100100", "001001", "010010", "100100", "001001", "010010"},
        {"111000", "111000", "000111", "000111", "111000", "111000"},
        {"111111", "100000", "100100", "101010", "100100", "100000"},
        {"111111", "111000", "110110", "101010", "101101", "100011"},
        {"101010", "000111", "100011", "010101", "111000", "011100"},
    }};
    for (int mask = 0; mask < 8; ++mask) {
        for (int y = 0; y < 6; ++y) {
            std::string row;
            for (int x = 0; x < 6; ++x) {
                row += maskInverts(mask, x, y) ? '1' : '0';
            }
            EXPECT_EQ(row, tiles[static_cast<std::size_t>(mask)][static_cast<std::size_t>(y)])
                << "mask " << mask << " row " << y;
        }
    }
}

// A mask applied to the bit planes inverts the same modules seen by rows
// and by columns, across the largest symbol.
TEST(QrMasks, RowsAndColumnsAgree) {
    auto fixed = std::make_unique<BitGrid>();
    auto open = std::make_unique<BitGrid>();
    auto masked = std::make_unique<BitGrid>();
    const int size = kMaxSymbolSize;
    fixed->reset(size);
    open->reset(size);
    for (int x = 0; x < size; ++x) {
        for (int y = 0; y < size; ++y) {
            open->set(x, y, (x * 7 + y * 3) % 5 != 0); // some modules stay fixed
            fixed->set(x, y, (x + 2 * y) % 7 == 0);
        }
    }
    for (int mask = 0; mask < 8; ++mask) {
        masked->applyMask(*fixed, *open, mask);
        for (int x = 0; x < size; ++x) {
            for (int y = 0; y < size; ++y) {
                const bool expected =
                    ((x + 2 * y) % 7 == 0) != ((x * 7 + y * 3) % 5 != 0 && maskInverts(mask, x, y));
                const bool inRow =
                    (masked->row(y).words[static_cast<std::size_t>(x / 64)] >> (x % 64)) & 1;
                const bool inColumn =
                    (masked->column(x).words[static_cast<std::size_t>(y / 64)] >> (y % 64)) & 1;
                ASSERT_EQ(inRow, expected) << "mask " << mask << " at " << x << "," << y;
                ASSERT_EQ(inColumn, expected) << "mask " << mask << " at " << x << "," << y;
            }
        }
    }
}

// Penalties worked out by hand for 21 x 21 grids.
TEST(QrMasks, PenaltyRules) {
    const struct {
        const char* name;
        bool (*dark)(int x, int y);
        int penalty;
    } cases[] = {
        // 21 rows and 21 columns with a run of 21 (19 each), 400 squares of
        // one colour (3 each), no dark module (10 for each 5 % off half).
        {"all light", [](int, int) { return false; }, 42 * 19 + 400 * 3 + 100},
        // No runs, no squares, 221 dark of 441.
        {"checkerboard", [](int x, int y) { return (x + y) % 2 == 0; }, 0},
        // Row 10 starts dark, light, dark, dark, dark, light, dark: its
        // light run of 14 (12) and the finder-like pattern at the edge (40);
        // 20 light rows (380); five columns split into two light runs of 10
        // (16 each) and 16 light columns (19 each); 386 squares; 436 of 441
        // light is 98 %.
        {"finder-like row", [](int x, int y) { return y == 10 && x < 7 && x != 1 && x != 5; },
         12 + 40 + 380 + 5 * 16 + 16 * 19 + 386 * 3 + 90},
    };
    for (const auto& c : cases) {
        auto grid = std::make_unique<BitGrid>();
        grid->reset(21);
        for (int x = 0; x < 21; ++x) {
            for (int y = 0; y < 21; ++y) {
                grid->set(x, y, c.dark(x, y));
            }
        }
        EXPECT_EQ(maskPenalty(*grid), c.penalty) << c.name;
    }
}

// The first codewords of a version 1 symbol sit where the standard's
// placement figure puts them: up the two right-hand columns from the
// bottom-right corner, right module before left, most significant bit
// first, then down the next two columns.
TEST(QrPlacement, FirstCodewordsOfVersion1) {
    const int mask = 2;
    CQR_Encode encoder;
    ASSERT_TRUE(encoder.EncodeData(1, 1, false, mask, "HELLO WORLD"));
    const auto codewords = encoder.allCodewords();
    // Column and row of bits 7 down to 0 of codewords 1, 3 and 4.
    const struct {
        int index;
        int at[8][2];
    } cases[] = {
        {0, {{20, 20}, {19, 20}, {20, 19}, {19, 19}, {20, 18}, {19, 18}, {20, 17}, {19, 17}}},
        {2, {{20, 12}, {19, 12}, {20, 11}, {19, 11}, {20, 10}, {19, 10}, {20, 9}, {19, 9}}},
        {3, {{18, 9}, {17, 9}, {18, 10}, {17, 10}, {18, 11}, {17, 11}, {18, 12}, {17, 12}}},
    };
    for (const auto& c : cases) {
        int value = 0;
        for (const auto& xy : c.at) {
            const int bit =
                encoder.module(xy[0], xy[1]) ^ (maskInverts(mask, xy[0], xy[1]) ? 1 : 0);
            value = value << 1 | bit;
        }
        EXPECT_EQ(value, codewords[static_cast<std::size_t>(c.index)]) << "codeword " << c.index;
    }
}

// The modules left free by the function patterns hold every codeword of the
// version and the standard's remainder bits: 7 for versions 2-6, 3 for
// 14-20 and 28-34, 4 for 21-27, none otherwise.
TEST(QrPlacement, FreeModulesHoldTheVersionsCodewords) {
    auto remainderBits = [](int v) {
        if (v >= 2 && v <= 6) {
            return 7;
        }
        if ((v >= 14 && v <= 20) || (v >= 28 && v <= 34)) {
            return 3;
        }
        return v >= 21 && v <= 27 ? 4 : 0;
    };
    auto encoder = std::make_unique<CQR_Encode>();
    for (int v = 1; v <= kMaxVersion; ++v) {
        ASSERT_TRUE(encoder->EncodeData(0, v, false, 0, "1"));
        // Drawing the function patterns again flags them (0x20) over the
        // finished 0/1 modules; the rest are the data modules.
        encoder->SetFunctionModule();
        int free = 0;
        for (int x = 0; x < encoder->symbolSize(); ++x) {
            for (int y = 0; y < encoder->symbolSize(); ++y) {
                free += (encoder->module(x, y) & 0x20) == 0 ? 1 : 0;
            }
        }
        EXPECT_EQ(free, info(v).allCodewords * 8 + remainderBits(v)) << "version " << v;
    }
}
