#include "barcodes/NKDBarcode.h"
#include "barcodes/NKDEAN13Barcode.h"
#include "barcodes/NKDEAN8Barcode.h"
#include "barcodes/NKDUPCABarcode.h"
#include "barcodes/NKDUPCEBarcode.h"
#include "barcodes/UpcEanTables.h"

#include <gtest/gtest.h>
#include <set>

namespace {

// Left-hand odd-parity patterns of the published table.
const char* const kOdd[] = {"0001101", "0011001", "0010011", "0111101", "0100011",
                            "0110001", "0101111", "0111011", "0110111", "0001011"};

QString odd(char d) {
    return QString::fromLatin1(kOdd[d - '0']);
}

TEST(UpcEanTables, ParityRows) {
    std::set<std::string_view> ean;
    for (std::size_t i = 0; i < upcean::kEan13Parity.size(); ++i) {
        const std::string_view row = upcean::kEan13Parity[i];
        EXPECT_EQ(row.front(), 'O');
        EXPECT_EQ(std::count(row.begin(), row.end(), 'E'), i == 0 ? 0 : 3) << i;
        EXPECT_TRUE(ean.insert(row).second);
    }
    std::set<std::string_view> upcE;
    for (const std::string_view row : upcean::kUpcEParity) {
        EXPECT_EQ(row.front(), 'E');
        EXPECT_EQ(std::count(row.begin(), row.end(), 'E'), 3);
        EXPECT_TRUE(upcE.insert(row).second);
    }
    EXPECT_FALSE(upcean::ean13EvenParity('x', 1));
    EXPECT_FALSE(upcean::upcEEvenParity('0', static_cast<char>(-1), 1));
    EXPECT_TRUE(upcean::upcEEvenParity('1', '4', 2)) << "number system 1 inverts";
}

TEST(UpcEanTables, CheckDigits) {
    const struct {
        const char* digits;
        char check;
    } cases[] = {
        {"400638133393", '1'}, {"03600029145", '2'}, {"9638507", '4'}, {"00000000000", '0'},
        {"04210000526", '4'},  {"12a", 0},           {"", 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(upcean::checkDigit(c.digits), c.check) << c.digits;
    }
}

TEST(UpcEanTables, UpcEExpandsAndCompressesBack) {
    const struct {
        const char* upcE;
        const char* upcA;
    } cases[] = {
        {"0425261", "04210000526"}, {"0127890", "01200000789"}, {"0123453", "01230000045"},
        {"0123454", "01234000005"}, {"0123456", "01234500006"}, {"1987659", "19876500009"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.upcE);
        const std::string upcA = upcean::upcEToUpcA(c.upcE);
        EXPECT_EQ(upcA, c.upcA);
        EXPECT_EQ(upcean::upcAToUpcE(upcA + upcean::checkDigit(upcA)), std::string(c.upcE + 1));
    }
    EXPECT_EQ(upcean::upcAToUpcE("123456789012"), "") << "no rule applies";
    EXPECT_EQ(upcean::upcAToUpcE("012000107895"), "") << "rule 1 with product digits";
    EXPECT_EQ(upcean::upcAToUpcE("0120000078"), "") << "too short";
    EXPECT_EQ(upcean::upcEToUpcA("042526"), "");
}

TEST(EAN13, ComputedCheckAndCaptions) {
    auto model = NKDBarcode::create<NKDEAN13Barcode>(QStringLiteral("400638133393"), true);
    ASSERT_TRUE(model);
    EXPECT_EQ(model->checkDigit(), '1');
    EXPECT_TRUE(model->isContentValid());
    EXPECT_EQ(model->caption(), QStringLiteral("  006381\t333931"));
    EXPECT_EQ(model->leftCaption(), QStringLiteral("4"));
    EXPECT_EQ(model->rightCaption(), QStringLiteral(""));

    const QString modules = model->completeBarcode();
    ASSERT_EQ(modules.size(), 95);
    EXPECT_EQ(modules.left(3), QStringLiteral("101"));
    EXPECT_EQ(modules.mid(45, 5), QStringLiteral("01010"));
    EXPECT_EQ(modules.right(3), QStringLiteral("101"));
    // First digit 4: parities O E O O E E for digits 2 to 7 (0 0 6 3 8 1).
    EXPECT_EQ(modules.mid(3, 7), odd('0'));
    EXPECT_EQ(modules.mid(10, 7), swapParity(odd('0')));
    EXPECT_EQ(modules.mid(38, 7), swapParity(odd('1')));
    // Right half: check digit 1 right-handed last.
    EXPECT_EQ(modules.mid(85, 7), swapHandedness(odd('1')));
}

TEST(EAN13, Validity) {
    const struct {
        const char* content;
        bool valid;
    } cases[] = {
        {"4006381333931", true},   {"4006381333932", false}, // wrong typed check digit
        {"40063813339312", false},                           // longer than 13 is refused, not cut
        {"40063813339", false},                              // too short: no check digit
        {"40063813339A", false},   {"400638133393X", false},
    };
    for (const auto& c : cases) {
        auto model = NKDBarcode::create<NKDEAN13Barcode>(QString::fromLatin1(c.content), true);
        EXPECT_EQ(model->isContentValid(), c.valid) << c.content;
    }
    auto longer = NKDBarcode::create<NKDEAN13Barcode>(QStringLiteral("40063813339312"), true);
    EXPECT_EQ(longer->content(), QStringLiteral("40063813339312"));
    auto shorter = NKDBarcode::create<NKDEAN13Barcode>(QStringLiteral("40063813339"), true);
    EXPECT_EQ(shorter->checkDigit(), -1);
}

TEST(EAN8, CheckDigitMustBeRight) {
    const struct {
        const char* content;
        bool valid;
        signed char check;
    } cases[] = {
        {"9638507", true, '4'}, {"96385074", true, '4'}, {"96385070", false, '0'},
        {"963850A", false, -1}, {"963850", false, -1},   {"963850741", false, -1},
    };
    for (const auto& c : cases) {
        auto model = NKDBarcode::create<NKDEAN8Barcode>(QString::fromLatin1(c.content), true);
        EXPECT_EQ(model->isContentValid(), c.valid) << c.content;
        EXPECT_EQ(model->checkDigit(), c.check) << c.content;
    }
}

TEST(EAN8, ModulesAndCaption) {
    auto model = NKDBarcode::create<NKDEAN8Barcode>(QStringLiteral("9638507"), true);
    const QString modules = model->completeBarcode();
    ASSERT_EQ(modules.size(), 67);
    EXPECT_EQ(modules.mid(3, 7), odd('9'));
    EXPECT_EQ(modules.mid(31, 5), QStringLiteral("01010"));
    EXPECT_EQ(modules.mid(36, 7), swapHandedness(odd('5')));
    EXPECT_EQ(modules.mid(57, 7), swapHandedness(odd('4')));
    EXPECT_EQ(model->caption(), QStringLiteral(" 9638\t5074"));
    EXPECT_EQ(model->leftCaption(), QStringLiteral(""));
    EXPECT_EQ(model->rightCaption(), QStringLiteral(""));
}

TEST(UPCA, CheckCaptionsAndValidity) {
    auto model = NKDBarcode::create<NKDUPCABarcode>(QStringLiteral("03600029145"), true);
    EXPECT_EQ(model->checkDigit(), '2');
    EXPECT_EQ(model->caption(), QStringLiteral("36000\t29145"));
    EXPECT_EQ(model->leftCaption(), QStringLiteral("0"));
    EXPECT_EQ(model->rightCaption(), QStringLiteral("2"));
    const QString modules = model->completeBarcode();
    ASSERT_EQ(modules.size(), 95);
    EXPECT_EQ(modules.mid(3, 7), odd('0'));
    EXPECT_EQ(modules.mid(45, 5), QStringLiteral("01010"));

    const struct {
        const char* content;
        bool valid;
    } cases[] = {{"036000291452", true},
                 {"036000291453", false},
                 {"0360002914521", false},
                 {"0360002914", false}};
    for (const auto& c : cases) {
        auto m = NKDBarcode::create<NKDUPCABarcode>(QString::fromLatin1(c.content), true);
        EXPECT_EQ(m->isContentValid(), c.valid) << c.content;
    }
}

TEST(UPCE, ContentForms) {
    const struct {
        const char* content;
        const char* stored;
        signed char check;
        bool valid;
    } cases[] = {
        {"04252614", "0425261", '4', true},
        {"0425261", "0425261", '4', true},     // check from the UPC-A expansion
        {"04252615", "0425261", '5', false},   // a typed check must match
        {"01200000789", "0127890", '7', true}, // compressed by rule 1
        {"01234500006", "0123456", '5', true}, // compressed by rule 4
        {"12345678901", "1", '2', false},      // does not compress
        {"2425261", "2425261", '8', false},    // number system 2
        {"042526", "042526", -1, false},
        {"04252A1", "04252A1", -1, false},
    };
    for (const auto& c : cases) {
        auto model = NKDBarcode::create<NKDUPCEBarcode>(QString::fromLatin1(c.content), true);
        SCOPED_TRACE(c.content);
        EXPECT_EQ(model->content(), QString::fromLatin1(c.stored));
        EXPECT_EQ(model->checkDigit(), c.check);
        EXPECT_EQ(model->isContentValid(), c.valid);
        const QString modules = model->completeBarcode();
        for (const QChar ch : modules) {
            ASSERT_TRUE(ch == QLatin1Char('0') || ch == QLatin1Char('1'));
        }
    }
}

TEST(UPCE, ParityFromCheckAndNumberSystem) {
    auto model = NKDBarcode::create<NKDUPCEBarcode>(QStringLiteral("04252614"), true);
    const QString modules = model->completeBarcode();
    ASSERT_EQ(modules.size(), 51);
    EXPECT_EQ(modules.right(6), QStringLiteral("010101"));
    // Check digit 4 in number system 0: E O E E O O.
    const char* digits = "425261";
    const char* parity = "EOEEOO";
    for (int i = 0; i < 6; ++i) {
        const QString expected = parity[i] == 'E' ? swapParity(odd(digits[i])) : odd(digits[i]);
        EXPECT_EQ(modules.mid(3 + 7 * i, 7), expected) << i;
        EXPECT_EQ(model->parityForDigit(i + 1), parity[i] == 'E');
    }
    EXPECT_EQ(model->caption(), QStringLiteral("425261"));
    EXPECT_EQ(model->leftCaption(), QStringLiteral("0"));
    EXPECT_EQ(model->rightCaption(), QStringLiteral("4"));

    // 1 42100 00526 has check digit 1: E E O E O O, inverted for system 1.
    auto system1 = NKDBarcode::create<NKDUPCEBarcode>(QStringLiteral("1425261"), true);
    EXPECT_EQ(system1->checkDigit(), '1');
    const char* parity1 = "OOEOEE";
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(system1->parityForDigit(i + 1), parity1[i] == 'E') << i;
    }
    EXPECT_EQ(NKDUPCEBarcode::UPCAToUPCE(QStringLiteral("012000007897")), QStringLiteral("127890"));
}

} // namespace
