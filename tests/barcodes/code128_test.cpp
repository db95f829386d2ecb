#include "ModuleRuns.h"

#include "barcodes/Code128Tables.h"
#include "barcodes/NKDBarcode.h"
#include "barcodes/NKDCode128Barcode.h"

#include <gtest/gtest.h>
#include <set>

namespace {

TEST(Code128Table, EverySymbolIsThreeBarsAndThreeSpacesOfElevenModules) {
    std::set<std::string_view> seen;
    for (int value = 0; value < 106; ++value) {
        SCOPED_TRACE(value);
        const std::string_view modules = code128::pattern(value);
        ASSERT_EQ(modules.size(), 11u);
        EXPECT_EQ(modules.front(), '1');
        const auto widths = modulerun::runs(modules);
        ASSERT_EQ(widths.size(), 6u);
        int barModules = 0;
        for (std::size_t i = 0; i < widths.size(); ++i) {
            EXPECT_GE(widths[i], 1);
            EXPECT_LE(widths[i], 4);
            if (i % 2 == 0) {
                barModules += widths[i];
            }
        }
        EXPECT_EQ(barModules % 2, 0) << "bar modules are even in every symbol";
        EXPECT_TRUE(seen.insert(modules).second);
    }
    EXPECT_EQ(modulerun::runs(code128::kStop), (std::vector<int>{2, 3, 3, 1, 1, 1, 2}));
    EXPECT_TRUE(code128::pattern(106).empty());
    EXPECT_TRUE(code128::pattern(-1).empty());
}

TEST(Code128Table, PublishedExamples) {
    EXPECT_EQ(code128::pattern(0), "11011001100");
    EXPECT_EQ(code128::pattern(16), "10011101100");
    EXPECT_EQ(code128::pattern(64), "10100001100");
    EXPECT_EQ(code128::pattern(98), "11110100010");
    EXPECT_EQ(code128::pattern(102), "11110101110");
    EXPECT_EQ(code128::pattern(103), "11010000100");
    EXPECT_EQ(code128::pattern(104), "11010010000");
    EXPECT_EQ(code128::pattern(105), "11010011100");
}

TEST(Code128Encoder, AutomaticSetChoice) {
    const struct {
        const char* content;
        int set;
    } cases[] = {
        {"12345", code128::kSetC}, {"", code128::kSetC},     {"Hello", code128::kSetB},
        {"HELLO", code128::kSetB}, {"12a", code128::kSetB},  {"A\t\tb", code128::kSetA},
        {"A\tb", code128::kSetB},  {"\x7f", code128::kSetA},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(code128::bestCodeSet(c.content), c.set) << c.content;
    }
}

TEST(Code128Encoder, SymbolValuesAndCheck) {
    const struct {
        std::string content;
        int set;
        std::vector<int> values;
        int check;
    } cases[] = {
        // 105 + 12 + 2*34 + 3*100 + 4*21 = 569 = 5*103 + 54
        {"12345", code128::kSetC, {12, 34, 100, 21}, 54},
        // 104 + 33 + 0 + 3*34 = 239 = 2*103 + 33
        {"A B", code128::kSetB, {33, 0, 34}, 33},
        {"", code128::kSetC, {}, 2},
        // switch to B for letters, stay there
        {"12AB345", code128::kSetC, {12, 100, 33, 34, 19, 20, 21}, -1},
        // a control character switches to A
        {"12\t34", code128::kSetC, {12, 101, 73, 19, 20}, -1},
        // lower case in set A is shifted
        {"Ad", code128::kSetA, {33, 98, 68}, -1},
        // control characters in set B are shifted; DEL is 95 in set B
        {"a\x01\x7f", code128::kSetB, {65, 98, 65, 95}, -1},
        {"\x7f", code128::kSetA, {98, 95}, -1},
        {std::string(1, '\0'), code128::kSetA, {64}, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.content);
        const auto values = code128::symbolValues(c.content, c.set);
        ASSERT_TRUE(values.has_value());
        EXPECT_EQ(*values, c.values);
        if (c.check >= 0) {
            EXPECT_EQ(code128::checkValue(c.set, *values), c.check);
        }
    }
    EXPECT_FALSE(code128::symbolValues("\x80", code128::kSetB).has_value());
    EXPECT_FALSE(code128::symbolValues("1", 7).has_value());
}

TEST(Code128, AutomaticDigitsOfOddLength) {
    auto model = NKDBarcode::create<NKDCode128Barcode>(QStringLiteral("12345"), true);
    ASSERT_TRUE(model);
    EXPECT_EQ(model->codeSet(), NKDCode128Barcode::kSetC);
    EXPECT_EQ(model->checkDigit(), 54);
    EXPECT_TRUE(model->isContentValid());
    QString expected = QString::fromLatin1(code128::pattern(105).data(), 11);
    for (int v : {12, 34, 100, 21, 54}) {
        expected += NKDCode128Barcode::_encodeNumberPair(v);
    }
    expected += QString::fromLatin1(code128::kStop.data(), 13);
    EXPECT_EQ(model->completeBarcode(), expected);
    EXPECT_EQ(model->caption(), QStringLiteral("12345"));
}

TEST(Code128, FixedSetsAndEmptyContent) {
    auto setB = std::make_unique<NKDCode128Barcode>();
    setB->setCodeSet(NKDCode128Barcode::kSetB);
    ASSERT_TRUE(setB->initWithContent(QStringLiteral("A B"), false));
    EXPECT_EQ(setB->codeSet(), NKDCode128Barcode::kSetB);
    EXPECT_EQ(setB->checkDigit(), 33);

    auto empty = NKDBarcode::create<NKDCode128Barcode>(QStringLiteral(""), false);
    EXPECT_EQ(empty->codeSet(), NKDCode128Barcode::kSetC);
    EXPECT_EQ(empty->completeBarcode(), QStringLiteral("11010011100") +
                                            NKDCode128Barcode::_encodeNumberPair(2) +
                                            QStringLiteral("1100011101011"));
    EXPECT_TRUE(NKDCode128Barcode::_encodeNumberPair(103).isEmpty());
    EXPECT_TRUE(NKDCode128Barcode::_encodeNumberPair(-1).isEmpty());
}

TEST(Code128, EveryAsciiCharacterEncodesInEverySet) {
    for (int set : {NKDCode128Barcode::kSetA, NKDCode128Barcode::kSetB, NKDCode128Barcode::kSetC,
                    NKDCode128Barcode::kAutomatic}) {
        for (int c = 0; c < 128; ++c) {
            auto model = std::make_unique<NKDCode128Barcode>();
            model->setCodeSet(set);
            ASSERT_TRUE(model->initWithContent(QString(QChar(c)) + QStringLiteral("7"), false));
            EXPECT_TRUE(model->isContentValid()) << set << " " << c;
            EXPECT_GE(model->checkDigit(), 0);
            EXPECT_LE(model->checkDigit(), 102);
            EXPECT_FALSE(model->_encodeChar(static_cast<char>(c)).isEmpty());
            EXPECT_EQ((model->completeBarcode().size() - 24) % 11, 0);
        }
    }
    auto accented = NKDBarcode::create<NKDCode128Barcode>(QStringLiteral("caf\u00e9"), false);
    EXPECT_FALSE(accented->isContentValid());
}

TEST(Code128, UnknownCodeSetHasNoStart) {
    auto model = std::make_unique<NKDCode128Barcode>();
    model->setCodeSet(7);
    ASSERT_TRUE(model->initWithContent(QStringLiteral("AB"), false));
    EXPECT_TRUE(model->initiator().isEmpty());
    EXPECT_FALSE(model->isContentValid());
}

} // namespace
