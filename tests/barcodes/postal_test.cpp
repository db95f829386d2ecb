#include "barcodes/JapanPostBarcode.h"
#include "barcodes/NKDBarcode.h"
#include "barcodes/NKDPlanetBarcode.h"
#include "barcodes/NKDPostnetBarcode.h"
#include "barcodes/NKDRoyalMailBarcode.h"
#include "barcodes/PostalTables.h"

#include <gtest/gtest.h>
#include <set>

namespace {

constexpr float pt(double mm) {
    return static_cast<float>(mm * 72.0 / 25.4);
}

TEST(PostnetTable, TwoFullBarsPerDigit) {
    std::set<std::string_view> seen;
    for (const std::string_view bars : postnet::kBars) {
        EXPECT_EQ(std::count(bars.begin(), bars.end(), 'F'), 2) << bars;
        EXPECT_TRUE(seen.insert(bars).second);
    }
    EXPECT_EQ(postnet::checkDigit("12345"), '5');
    EXPECT_EQ(postnet::checkDigit("00000"), '0');
    EXPECT_EQ(postnet::checkDigit("12a"), 0);
}

TEST(Postnet, SymbolOfFiveDigits) {
    auto model = NKDBarcode::create<NKDPostnetBarcode>(QStringLiteral("12345"), true);
    ASSERT_TRUE(model);
    EXPECT_EQ(model->checkDigit(), '5');
    EXPECT_FLOAT_EQ(model->barWidth(), 1.08f);
    EXPECT_FLOAT_EQ(model->height(), 9.0f);
    const QString modules = model->completeBarcode();
    EXPECT_EQ(modules.size(), 94);
    EXPECT_FLOAT_EQ(model->width(), 94 * 1.08f);
    EXPECT_FLOAT_EQ(model->barTop(0), 9.0f);
    EXPECT_FLOAT_EQ(model->barTop(93), 9.0f);
    EXPECT_FLOAT_EQ(model->barTop(3), 3.6f) << "digit 1, bar 1 is half";
    EXPECT_FLOAT_EQ(model->barTop(12), 9.0f) << "digit 1, bar 4 is full";
    // The check digit 5: bars 2 and 4 full.
    EXPECT_FLOAT_EQ(model->barTop(3 + 75 + 3), 9.0f);
    EXPECT_FLOAT_EQ(model->barTop(3 + 75 + 6), 3.6f);
    EXPECT_FLOAT_EQ(model->barBottom(3), 0.0f);
}

TEST(Postnet, LengthsAndPlanet) {
    const struct {
        const char* content;
        bool valid;
    } cases[] = {{"12345", true},   {"123456789", true}, {"12345678901", true}, {"1234", false},
                 {"123456", false}, {"12345a", false},   {"1234a", false},      {"", false}};
    for (const auto& c : cases) {
        EXPECT_EQ(NKDBarcode::create<NKDPostnetBarcode>(QString::fromLatin1(c.content), true)
                      ->isContentValid(),
                  c.valid)
            << c.content;
        EXPECT_EQ(NKDBarcode::create<NKDPlanetBarcode>(QString::fromLatin1(c.content), true)
                      ->isContentValid(),
                  c.valid)
            << c.content;
    }
    auto planet = NKDBarcode::create<NKDPlanetBarcode>(QStringLiteral("12345"), true);
    EXPECT_FLOAT_EQ(planet->barTop(3), 9.0f);
    EXPECT_FLOAT_EQ(planet->barTop(12), 3.6f);
    EXPECT_FLOAT_EQ(planet->barTop(0), 9.0f) << "frame bars stay full";
}

TEST(RoyalMailTable, GridRowsAndColumns) {
    // Weights 4, 2, 1, 0 of bars 1 to 4: ascenders add up to the row and
    // descenders to the column of the character in the 6 x 6 grid.
    const int weights[] = {4, 2, 1, 0};
    for (std::size_t i = 0; i < royalmail::kChars.size(); ++i) {
        const auto& entry = royalmail::kChars[i];
        SCOPED_TRACE(entry.ch);
        int row = 0;
        int column = 0;
        int ascenders = 0;
        int descenders = 0;
        for (int bar = 0; bar < 4; ++bar) {
            const int value = postal::barValue(entry.bars[bar]);
            if (postal::hasAscender(value)) {
                row += weights[bar];
                ++ascenders;
            }
            if (postal::hasDescender(value)) {
                column += weights[bar];
                ++descenders;
            }
        }
        EXPECT_EQ(ascenders, 2);
        EXPECT_EQ(descenders, 2);
        EXPECT_EQ(row, static_cast<int>(i / 6) + 1);
        EXPECT_EQ(column, static_cast<int>(i % 6) + 1);
        EXPECT_EQ(royalmail::gridIndex(entry.ch), static_cast<int>(i));
    }
    EXPECT_EQ(royalmail::bars('0'), "TTFF");
    EXPECT_EQ(royalmail::bars('Z'), "FFTT");
    EXPECT_EQ(royalmail::bars('A'), "DADA");
}

TEST(RoyalMail, CheckCharacters) {
    const struct {
        const char* content;
        char check;
    } cases[] = {{"SN34RD1A", 'K'}, {"", 'Z'}, {"0", '0'}, {"Z", 'Z'}, {"00", '7'}};
    for (const auto& c : cases) {
        EXPECT_EQ(royalmail::checkCharacter(c.content), c.check) << c.content;
    }
    auto lower = NKDBarcode::create<NKDRoyalMailBarcode>(QStringLiteral("sn34rd1a"), false);
    EXPECT_EQ(lower->content(), QStringLiteral("SN34RD1A"));
    EXPECT_EQ(lower->checkDigit(), 'K');
    EXPECT_TRUE(lower->isContentValid());
}

TEST(RoyalMail, OnlyGridCharactersAreValid) {
    const struct {
        QString content;
        bool valid;
    } cases[] = {{QStringLiteral("SN34RD1A"), true},
                 {QStringLiteral("SN34 RD1A"), false},
                 {QStringLiteral("AB-1"), false},
                 {QStringLiteral("\u00c5"), false}};
    for (const auto& c : cases) {
        EXPECT_EQ(NKDBarcode::create<NKDRoyalMailBarcode>(c.content, false)->isContentValid(),
                  c.valid)
            << c.content.toStdString();
    }
}

TEST(RoyalMail, BarsAndTexts) {
    auto model = NKDBarcode::create<NKDRoyalMailBarcode>(QStringLiteral("0Z"), false);
    ASSERT_TRUE(model);
    EXPECT_TRUE(model->printsCaption());
    EXPECT_TRUE(model->printsHeader());
    EXPECT_TRUE(model->printsFooter());
    EXPECT_FLOAT_EQ(model->barWidth(), pt(0.5));
    EXPECT_FLOAT_EQ(model->height(), pt(5.05));
    const QString modules = model->completeBarcode();
    ASSERT_EQ(modules.size(), 2 + 3 * 8 + 1);
    // Start bar: ascender. "0" (row 1, column 1): T T F F. "Z" (6, 6): F F T
    // T. Rows 1 + 6 and columns 1 + 6 are 1 modulo 6: check "0". Stop: full.
    const struct {
        int index;
        int bar;
        float bottom;
        float top;
    } bars[] = {
        {0, 2, pt(1.9), pt(5.05)}, {2, 0, pt(1.9), pt(3.15)},  {6, 3, 0.0f, pt(5.05)},
        {10, 3, 0.0f, pt(5.05)},   {14, 0, pt(1.9), pt(3.15)}, {18, 0, pt(1.9), pt(3.15)},
        {22, 3, 0.0f, pt(5.05)},   {26, 3, 0.0f, pt(5.05)},
    };
    EXPECT_EQ(model->checkDigit(), '0');
    for (const auto& b : bars) {
        SCOPED_TRACE(b.index);
        EXPECT_EQ(modules.at(b.index), QLatin1Char('1'));
        EXPECT_EQ(model->_barDescriptor(b.index), b.bar);
        EXPECT_FLOAT_EQ(model->barBottom(b.index), b.bottom);
        EXPECT_FLOAT_EQ(model->barTop(b.index), b.top);
    }
    auto asc = NKDBarcode::create<NKDRoyalMailBarcode>(QStringLiteral("A"), false);
    EXPECT_EQ(asc->_barDescriptor(4), 2) << "A: D A D A";
    EXPECT_FLOAT_EQ(asc->barBottom(4), pt(1.9));
    EXPECT_EQ(asc->_barDescriptor(2), 1);
    EXPECT_FLOAT_EQ(asc->barTop(2), pt(3.15));
}

TEST(JapanPostTable, CheckCharacters) {
    // 1+0+6+0+0+3+2+3 + 10 + 2 + 10 + 1 + 0 + 7 x 14 = 136 = 7 x 19 + 3,
    // so 19 - 3 = 16: CC6 "?".
    EXPECT_EQ(japanpost::checkCharacter("10600323-2-10======="), '?');
    // 33 + 11 + 0 + 10 x 14 = 184 = 9 x 19 + 13: 6.
    EXPECT_EQ(japanpost::checkCharacter("12345675:0=========="), '6');
    // 20 x 14 = 280 = 14 x 19 + 14: 5.
    EXPECT_EQ(japanpost::checkCharacter("===================="), '5');
    // 19 x 14 = 266 = 14 x 19: a multiple of 19 gives "0", not 19.
    EXPECT_EQ(japanpost::checkCharacter("0==================="), '0');
    // 5 + 266 = 271 = 14 x 19 + 5: 14, CC4 "=".
    EXPECT_EQ(japanpost::checkCharacter("5==================="), '=');
    // 10 + 266 = 276 = 14 x 19 + 10: 9.
    EXPECT_EQ(japanpost::checkCharacter("-==================="), '9');
    // 9 x 20 = 180 = 9 x 19 + 9: 10, "-".
    EXPECT_EQ(japanpost::checkCharacter("99999999999999999999"), '-');
    EXPECT_EQ(japanpost::bars('-'), "TFT");
    EXPECT_EQ(japanpost::bars('9'), "TFF");
    EXPECT_EQ(japanpost::bars('/'), "FFF");
    EXPECT_EQ(japanpost::bars('@'), "");
    std::set<std::string_view> distinct(japanpost::kChars.begin(), japanpost::kChars.end());
    EXPECT_EQ(distinct.size(), japanpost::kChars.size());
    EXPECT_EQ(japanpost::bars(','), "");
}

TEST(JapanPost, ContentEncoding) {
    const struct {
        const char* content;
        const char* caption;
        const char* contents;
    } cases[] = {
        {"1060032 3-2-10", "10600323-2-10", "10600323-2-10======="},
        {"1234567 5A", "12345675A", "12345675:0=========="},
        {"1234567kz", "1234567KZ", "1234567;0<5========="},
        {"1234567890123456789A", "1234567890123456789", "1234567890123456789="},
        {"123456789012345678901", "12345678901234567890", "12345678901234567890"},
    };
    for (const auto& c : cases) {
        auto model = NKDBarcode::create<JapanPostBarcode>(QString::fromLatin1(c.content), true);
        ASSERT_TRUE(model);
        EXPECT_EQ(model->content(), QString::fromLatin1(c.caption)) << c.content;
        EXPECT_EQ(model->japanpostContents(), QString::fromLatin1(c.contents)) << c.content;
        EXPECT_TRUE(model->isContentValid());
        EXPECT_EQ(model->completeBarcode().size(), 133);
    }
    const char* invalid[] = {"106003", "A060032", "", "106-0032"};
    for (const char* content : invalid) {
        EXPECT_FALSE(NKDBarcode::create<JapanPostBarcode>(QString::fromLatin1(content), true)
                         ->isContentValid())
            << content;
    }
    EXPECT_FALSE(NKDBarcode::create<JapanPostBarcode>(QString(), true));
}

TEST(JapanPost, SizeIsKeptApartFromHeight) {
    auto model = std::make_unique<JapanPostBarcode>();
    ASSERT_TRUE(model->initWithContent(QStringLiteral("1060032"), true, 1.0f, 8.2f, 6.0f, -1));
    EXPECT_FLOAT_EQ(model->symbolSize(), 8.5f);
    EXPECT_FLOAT_EQ(model->barWidth(), 8.5f / 6.0f);
    model->setBarWidth(2.0f);
    EXPECT_FLOAT_EQ(model->barWidth(), 1.9166666f);
    EXPECT_FLOAT_EQ(model->symbolSize(), 11.5f);
    EXPECT_FLOAT_EQ(model->width(), 133 * 1.9166666f);
    model->setBarWidth(1.0f);
    EXPECT_FLOAT_EQ(model->barWidth(), 1.3333334f);
    model->setHeight(50.0f);
    EXPECT_FLOAT_EQ(model->height(), 50.0f) << "the picture height in points";
    EXPECT_FLOAT_EQ(model->symbolSize(), 6.0f * 1.3333334f);

    auto common = NKDBarcode::create<JapanPostBarcode>(QStringLiteral("1060032"), false);
    EXPECT_FLOAT_EQ(common->symbolSize(), 10.0f) << "height argument 36 gives the nominal size";
    EXPECT_TRUE(common->printsCaption());
    EXPECT_TRUE(common->printsHeader());
    EXPECT_TRUE(common->printsFooter());
    auto large = std::make_unique<JapanPostBarcode>();
    ASSERT_TRUE(large->initWithContent(QStringLiteral("1060032"), true, 1.0f, 11.0f, 6.0f, -1));
    EXPECT_FLOAT_EQ(large->symbolSize(), 11.0f);
}

TEST(JapanPost, BarExtentsScaleWithSize) {
    auto model = NKDBarcode::create<JapanPostBarcode>(QStringLiteral("1060032"), true);
    // Start: full, descender. "1": full, full, timing. Stop: descender, full.
    const struct {
        int index;
        int bar;
        float bottom;
        float top;
    } bars[] = {
        {0, 3, 0.0f, pt(3.6)},    {2, 1, 0.0f, pt(2.4)},   {4, 3, 0.0f, pt(3.6)},
        {8, 0, pt(1.2), pt(2.4)}, {130, 1, 0.0f, pt(2.4)}, {132, 3, 0.0f, pt(3.6)},
    };
    const QString modules = model->completeBarcode();
    for (const auto& b : bars) {
        SCOPED_TRACE(b.index);
        EXPECT_EQ(modules.at(b.index), QLatin1Char('1'));
        EXPECT_EQ(model->_barDescriptor(b.index), b.bar);
        EXPECT_FLOAT_EQ(model->barBottom(b.index), b.bottom);
        EXPECT_FLOAT_EQ(model->barTop(b.index), b.top);
    }
    model->setBarWidth(1.9166666f);
    EXPECT_FLOAT_EQ(model->barTop(0), pt(3.6 * 11.5 / 10.0));
    EXPECT_FLOAT_EQ(model->barBottom(8), pt(1.2 * 11.5 / 10.0));
}

} // namespace
