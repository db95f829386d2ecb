// 2 of 5, MSI and Plessey, Codabar.

#include "ModuleRuns.h"

#include "barcodes/CodabarTables.h"
#include "barcodes/NKDBarcode.h"
#include "barcodes/NKDCodabarBarcode.h"
#include "barcodes/NKDIndustrialTwoOfFiveBarcode.h"
#include "barcodes/NKDInterleavedTwoOfFiveBarcode.h"
#include "barcodes/NKDModifiedPlesseyBarcode.h"
#include "barcodes/NKDModifiedPlesseyHexBarcode.h"
#include "barcodes/PlesseyTables.h"
#include "barcodes/TwoOfFiveTables.h"

#include <gtest/gtest.h>
#include <set>

namespace {

TEST(TwoOfFiveTable, EveryDigitHasTwoWideElements) {
    std::set<std::string_view> seen;
    for (const std::string_view row : twoOfFive::kElements) {
        EXPECT_EQ(std::count(row.begin(), row.end(), 'W'), 2) << row;
        EXPECT_TRUE(seen.insert(row).second);
    }
    EXPECT_TRUE(NKDInterleavedTwoOfFiveBarcode::_getBarForDigit('0', 0));
    EXPECT_FALSE(NKDInterleavedTwoOfFiveBarcode::_getBarForDigit('0', 2));
    EXPECT_TRUE(NKDInterleavedTwoOfFiveBarcode::_getBarForDigit('x', 2)) << "others all narrow";
}

TEST(Interleaved2Of5, PairsStartAndStop) {
    // 1 (W N N N W) in the bars, 2 (N W N N W) in the spaces.
    EXPECT_EQ(twoOfFive::interleavedModules("12"), "111010001010111000");

    auto model = NKDBarcode::create<NKDInterleavedTwoOfFiveBarcode>(QStringLiteral("123"), true);
    ASSERT_TRUE(model);
    EXPECT_TRUE(model->isContentValid());
    EXPECT_EQ(model->checkDigit(), -1);
    const QString modules = model->completeBarcode();
    // Drawn as 0123, a leading zero kept for an odd count: two pairs of 18.
    EXPECT_EQ(modules.size(), 4 + 18 + 18 + 5);
    EXPECT_EQ(modules.left(4), QStringLiteral("1010"));
    EXPECT_EQ(modules.right(5), QStringLiteral("11101"));
    // 2 (N W N N W) in the bars, 3 (W W N N N) in the spaces.
    EXPECT_EQ(modules.mid(22, 18), QStringLiteral("100011100010101110"));

    const struct {
        const char* content;
        bool valid;
    } cases[] = {{"", true}, {"0123456789", true}, {"12A", false}, {"12 3", false}};
    for (const auto& c : cases) {
        auto m =
            NKDBarcode::create<NKDInterleavedTwoOfFiveBarcode>(QString::fromLatin1(c.content), 0);
        EXPECT_EQ(m->isContentValid(), c.valid) << c.content;
    }
    auto empty = NKDBarcode::create<NKDInterleavedTwoOfFiveBarcode>(QStringLiteral(""), false);
    EXPECT_EQ(empty->completeBarcode(), QStringLiteral("101011101"));
}

TEST(Industrial2Of5, EveryElementABarWithTwoModuleSpace) {
    auto model = NKDBarcode::create<NKDIndustrialTwoOfFiveBarcode>(QStringLiteral("5"), true);
    EXPECT_EQ(model->completeBarcode(), QStringLiteral("1010"
                                                       "11100"
                                                       "100"
                                                       "11100"
                                                       "100"
                                                       "100"
                                                       "11101"));
    EXPECT_FALSE(NKDBarcode::create<NKDIndustrialTwoOfFiveBarcode>(QStringLiteral("5x"), true)
                     ->isContentValid());
}

TEST(PlesseyTable, BitsAreTheValueLowestFirst) {
    for (std::size_t value = 0; value < plessey::kBits.size(); ++value) {
        int sum = 0;
        for (int bit = 0; bit < 4; ++bit) {
            sum += (plessey::kBits[value][bit] == '1') << bit;
        }
        EXPECT_EQ(sum, static_cast<int>(value));
    }
    EXPECT_EQ(plessey::charModules('1'), "1110100010001000");
    EXPECT_EQ(plessey::charModules('8'), "1000100010001110");
    EXPECT_EQ(plessey::charModules('g'), "");
}

TEST(PlesseyTable, CrcOfPublishedExample) {
    EXPECT_EQ(plessey::crcBits("01234567890"), "01100111");
    EXPECT_EQ(plessey::crcBits(""), "00000000");
    EXPECT_EQ(plessey::crcBits("0"), "00000000");
    // 1000 then eight zeros: XOR at bit 0 gives 0111 0100 1000, at bit 1
    // gives 0000 1110 1100.
    EXPECT_EQ(plessey::crcBits("1"), "11101100");
    EXPECT_EQ(plessey::crcBits("12x"), "");
}

TEST(MsiTable, DigitsAndCheck) {
    EXPECT_EQ(msi::digitModules('5'), "100110100110");
    EXPECT_EQ(msi::digitModules('9'), "110100100110");
    EXPECT_EQ(msi::digitModules('A'), "");
    const struct {
        const char* digits;
        char check;
    } cases[] = {{"1234", '4'},  {"1234567", '4'}, {"1", '8'}, {"0", '0'},
                 {"80523", '4'}, {"", 0},          {"12a", 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(msi::checkDigit(c.digits), c.check) << c.digits;
    }
}

TEST(ModifiedPlessey, MsiSymbol) {
    auto model = NKDBarcode::create<NKDModifiedPlesseyBarcode>(QStringLiteral("1"), true);
    ASSERT_TRUE(model);
    EXPECT_EQ(model->checkDigit(), '8');
    EXPECT_EQ(model->caption(), QStringLiteral("1"));
    EXPECT_EQ(model->completeBarcode(), QStringLiteral("110"
                                                       "100100100110"
                                                       "110100100100"
                                                       "1001"));
    auto seven = NKDBarcode::create<NKDModifiedPlesseyBarcode>(QStringLiteral("1234567"), true);
    EXPECT_EQ(seven->checkDigit(), '4');
    EXPECT_EQ(seven->completeBarcode().size(), 3 + 12 * 8 + 4);

    auto letters = NKDBarcode::create<NKDModifiedPlesseyBarcode>(QStringLiteral("12a"), true);
    EXPECT_EQ(letters->content(), QStringLiteral("12A"));
    EXPECT_FALSE(letters->isContentValid());
}

TEST(ModifiedPlesseyHex, PlesseySymbolWithCrc) {
    auto model =
        NKDBarcode::create<NKDModifiedPlesseyHexBarcode>(QStringLiteral("01234567890"), true);
    ASSERT_TRUE(model);
    EXPECT_EQ(model->checkDigit(), -1) << "the CRC takes the check digit's place";
    const QString modules = model->completeBarcode();
    ASSERT_EQ(modules.size(), 16 + 11 * 16 + 8 * 4 + 19);
    EXPECT_EQ(modules.left(16), QStringLiteral("1110111010001110"));
    EXPECT_EQ(modules.right(19), QStringLiteral("1110001000101110111"));
    EXPECT_EQ(modules.mid(16, 16), QStringLiteral("1000100010001000"));
    // The CRC bits 0 1 1 0 0 1 1 1 drawn in order.
    EXPECT_EQ(modules.mid(16 + 176, 32), QStringLiteral("10001110111010001000111011101110"));

    auto lower = NKDBarcode::create<NKDModifiedPlesseyHexBarcode>(QStringLiteral("12a"), true);
    EXPECT_EQ(lower->content(), QStringLiteral("12A"));
    EXPECT_TRUE(lower->isContentValid());
    EXPECT_FALSE(NKDBarcode::create<NKDModifiedPlesseyHexBarcode>(QStringLiteral("12G"), true)
                     ->isContentValid());
}

TEST(CodabarTable, SevenElementsOfWhichTwoOrThreeWide) {
    std::set<std::string_view> seen;
    for (const auto& entry : codabar::kPatterns) {
        SCOPED_TRACE(entry.ch);
        const auto widths = modulerun::runs(entry.modules);
        ASSERT_EQ(widths.size(), 7u);
        EXPECT_EQ(entry.modules.front(), '1');
        const auto wide = std::count(widths.begin(), widths.end(), 2);
        EXPECT_TRUE(wide == 2 || wide == 3);
        EXPECT_EQ(entry.modules.size(), 7u + static_cast<std::size_t>(wide));
        EXPECT_TRUE(seen.insert(entry.modules).second);
    }
}

TEST(Codabar, StartAndStopLettersOnlyAtTheEnds) {
    const struct {
        const char* content;
        bool valid;
    } cases[] = {
        {"A1234B", true},  {"C-$:/.+D", true}, {"AB", true}, {"1234", false},
        {"a1234b", false}, {"A12B34C", false}, {"A", false}, {"A1234", false},
        {"1234B", false},  {"A12E4B", false},  {"", false},
    };
    for (const auto& c : cases) {
        auto model = NKDBarcode::create<NKDCodabarBarcode>(QString::fromLatin1(c.content), true);
        EXPECT_EQ(model->isContentValid(), c.valid) << c.content;
    }
    auto model = NKDBarcode::create<NKDCodabarBarcode>(QStringLiteral("A1234B"), true);
    EXPECT_EQ(model->caption(), QStringLiteral("A1234B"));
    EXPECT_EQ(model->checkDigit(), -1);
    const QString modules = model->completeBarcode();
    EXPECT_EQ(modules.size(), 10 + 4 * 9 + 10 + 5);
    EXPECT_EQ(modules.left(11), QStringLiteral("10110010010"));
    EXPECT_EQ(modules.right(10), QStringLiteral("1001001011"));
}

} // namespace
