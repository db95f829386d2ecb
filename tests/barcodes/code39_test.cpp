#include "ModuleRuns.h"

#include "barcodes/Code39Tables.h"
#include "barcodes/NKDBarcode.h"
#include "barcodes/NKDCode39Barcode.h"
#include "barcodes/NKDExtendedCode39Barcode.h"

#include <gtest/gtest.h>
#include <set>

namespace {

QString patternOf(char c) {
    return QString::fromLatin1(code39::pattern(c).data(), 13);
}

TEST(Code39Table, EveryCharacterIsNineElementsThreeWideAndAGap) {
    std::set<std::string_view> seen;
    for (const auto& entry : code39::kPatterns) {
        SCOPED_TRACE(entry.ch);
        ASSERT_EQ(entry.modules.size(), 13u);
        EXPECT_EQ(entry.modules.back(), '0') << "gap between characters";
        const auto widths = modulerun::runs(entry.modules.substr(0, 12));
        ASSERT_EQ(widths.size(), 9u);
        int wide = 0;
        for (int w : widths) {
            EXPECT_TRUE(w == 1 || w == 2);
            wide += w == 2;
        }
        EXPECT_EQ(wide, 3);
        EXPECT_TRUE(seen.insert(entry.modules).second) << "patterns differ";
    }
}

TEST(Code39Table, FullAsciiPairsOfPublishedTable) {
    const struct {
        char c;
        const char* pair;
    } cases[] = {{'\t', "$I"}, {'\n', "$J"}, {'!', "/A"},  {'*', "/J"}, {':', "/Z"}, {'@', "%V"},
                 {'`', "%W"},  {'~', "%S"},  {'a', "+A"},  {'z', "+Z"}, {' ', " "},  {'Q', "Q"},
                 {'7', "7"},   {'\r', ""},   {'\x7f', ""}, {'\0', ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(code39::extendedPair(c.c), c.pair) << int(c.c);
    }
}

TEST(Code39, ContentIsUpperCasedAndFramedByStars) {
    auto model = NKDBarcode::create<NKDCode39Barcode>(QStringLiteral("abc-12"), true);
    ASSERT_TRUE(model);
    EXPECT_EQ(model->content(), QStringLiteral("ABC-12"));
    EXPECT_EQ(model->caption(), QStringLiteral("ABC-12"));
    EXPECT_TRUE(model->isContentValid());
    EXPECT_EQ(model->checkDigit(), -1) << "no check character";
    const QString modules = model->completeBarcode();
    EXPECT_EQ(modules.size(), 8 * 13);
    EXPECT_EQ(modules.left(13), patternOf('*'));
    EXPECT_EQ(modules.right(13), patternOf('*'));
    EXPECT_EQ(modules.mid(13, 13), patternOf('A'));
    EXPECT_EQ(modules.mid(52, 13), patternOf('-'));
}

TEST(Code39, Validity) {
    const struct {
        const char* content;
        bool valid;
    } cases[] = {
        {"", true},     {"HELLO WORLD", true}, {"$/+%.-", true}, {"a1", true},
        {"A*B", false}, // "*" would read as the end of the symbol
        {"*", false},   {"A#", false},         {"A_B", false},   {"tab\t", false},
    };
    for (const auto& c : cases) {
        auto model = NKDBarcode::create<NKDCode39Barcode>(QString::fromLatin1(c.content), false);
        ASSERT_TRUE(model);
        EXPECT_EQ(model->isContentValid(), c.valid) << c.content;
    }
    auto accented = NKDBarcode::create<NKDCode39Barcode>(QStringLiteral("CAF\u00c9"), false);
    EXPECT_FALSE(accented->isContentValid());
    auto sharp = NKDBarcode::create<NKDCode39Barcode>(QStringLiteral("\u00df"), false);
    EXPECT_FALSE(sharp->isContentValid()) << "upper-casing never makes a character ASCII";
    EXPECT_FALSE(NKDBarcode::create<NKDCode39Barcode>(QString(), false));
}

TEST(ExtendedCode39, PairsAndCaptionAsTyped) {
    auto model = NKDBarcode::create<NKDExtendedCode39Barcode>(QStringLiteral("a_b"), true);
    ASSERT_TRUE(model);
    EXPECT_EQ(model->content(), QStringLiteral("a_b"));
    EXPECT_EQ(model->caption(), QStringLiteral("a_b"));
    QString expected = patternOf('*');
    for (char c : std::string_view("+A%O+B")) {
        expected += patternOf(c);
    }
    expected += patternOf('*');
    EXPECT_EQ(model->completeBarcode(), expected);
    EXPECT_TRUE(model->isContentValid());

    auto mixed = NKDBarcode::create<NKDExtendedCode39Barcode>(QStringLiteral("Ab"), true);
    EXPECT_EQ(mixed->caption(), QStringLiteral("Ab"));
    model->setBarWidth(1.0f);
    model->calculateWidth();
    EXPECT_FLOAT_EQ(model->width(), 8 * 13.0f);
}

TEST(ExtendedCode39, ControlCharactersOtherThanTabAndLineFeedAreRefused) {
    const struct {
        QString content;
        bool valid;
    } cases[] = {
        {QStringLiteral("A\tB"), true},    {QStringLiteral("A\nB"), true},
        {QStringLiteral("A\rB"), false},   {QStringLiteral("A\x7f"), false},
        {QStringLiteral("x*y"), true},     {QStringLiteral("{|}~"), true},
        {QStringLiteral("\u00e9"), false},
    };
    for (const auto& c : cases) {
        auto model = NKDBarcode::create<NKDExtendedCode39Barcode>(c.content, false);
        EXPECT_EQ(model->isContentValid(), c.valid) << c.content.toStdString();
    }
    auto tab = NKDBarcode::create<NKDExtendedCode39Barcode>(QStringLiteral("\t"), false);
    EXPECT_EQ(tab->barcode(), patternOf('$') + patternOf('I'));
}

} // namespace
