#include "ModuleRuns.h"

#include "../common/TestSupport.h"
#include "barcodes/JapanPostBarcode.h"
#include "barcodes/LinearSymbologies.h"
#include "barcodes/NKDCodabarBarcode.h"
#include "barcodes/NKDCode128Barcode.h"
#include "barcodes/NKDCode39Barcode.h"
#include "barcodes/NKDEAN13Barcode.h"
#include "barcodes/NKDEAN8Barcode.h"
#include "barcodes/NKDExtendedCode39Barcode.h"
#include "barcodes/NKDIndustrialTwoOfFiveBarcode.h"
#include "barcodes/NKDInterleavedTwoOfFiveBarcode.h"
#include "barcodes/NKDModifiedPlesseyBarcode.h"
#include "barcodes/NKDModifiedPlesseyHexBarcode.h"
#include "barcodes/NKDPlanetBarcode.h"
#include "barcodes/NKDPostnetBarcode.h"
#include "barcodes/NKDRoyalMailBarcode.h"
#include "barcodes/NKDUPCABarcode.h"
#include "barcodes/NKDUPCEBarcode.h"

#include <QFileInfo>
#include <gtest/gtest.h>
#include <typeindex>

namespace {

struct TitleCase {
    const char* title;
    std::type_index type;
    const char* goodValue;
    const char* badValue;
};

const TitleCase kTitles[] = {
    {"Code 39", typeid(NKDCode39Barcode), "CARD-1", "A*B"},
    {"Extended Code 39", typeid(NKDExtendedCode39Barcode), "Card 1", "A\rB"},
    {"Interleaved 2 of 5", typeid(NKDInterleavedTwoOfFiveBarcode), "1234", "12A4"},
    {"UPCA", typeid(NKDUPCABarcode), "03600029145", "0360002914534"},
    {"PostNet", typeid(NKDPostnetBarcode), "12345", "1234"},
    {"Modified Plessey", typeid(NKDModifiedPlesseyBarcode), "1234", "12A"},
    {"Modified Plessey (Hex)", typeid(NKDModifiedPlesseyHexBarcode), "12AF", "12G"},
    {"Industrial 2 of 5", typeid(NKDIndustrialTwoOfFiveBarcode), "1234", "12-4"},
    {"EAN-13", typeid(NKDEAN13Barcode), "400638133393", "4006381333932"},
    {"Code 128", typeid(NKDCode128Barcode), "Card\t1", "caf\u00e9"},
    {"Code 128 SET A", typeid(NKDCode128Barcode), "CARD", "caf\u00e9"},
    {"Code 128 SET B", typeid(NKDCode128Barcode), "Card", "caf\u00e9"},
    {"Code 128 SET C", typeid(NKDCode128Barcode), "1234", "caf\u00e9"},
    {"Codabar", typeid(NKDCodabarBarcode), "A1234B", "1234"},
    {"UPCE", typeid(NKDUPCEBarcode), "0425261", "04252615"},
    {"EAN-8", typeid(NKDEAN8Barcode), "9638507", "96385070"},
    {"Royal Mail Barcode (RM4SCC / CBC)", typeid(NKDRoyalMailBarcode), "SN34RD1A", "SN34 RD1A"},
    {"Planet", typeid(NKDPlanetBarcode), "12345", "123456"},
    {"Japan Post Barcode", typeid(JapanPostBarcode), "1060032 3-2-10", "A060032"},
};

TEST(LinearSymbologies, TitlesInTheDesignersOrder) {
    QStringList expected;
    for (const auto& c : kTitles) {
        expected << QString::fromUtf8(c.title);
    }
    EXPECT_EQ(LinearSymbologies::titles(), expected);
}

TEST(LinearSymbologies, EveryTitleMakesItsClassAndJudgesValues) {
    for (const auto& c : kTitles) {
        SCOPED_TRACE(c.title);
        const QString title = QString::fromUtf8(c.title);
        auto good = LinearSymbologies::create(title, QString::fromUtf8(c.goodValue), true);
        ASSERT_TRUE(good);
        EXPECT_EQ(std::type_index(typeid(*good)), c.type);
        EXPECT_TRUE(good->isContentValid());
        EXPECT_TRUE(modulerun::isModuleString(good->completeBarcode()));
        EXPECT_FALSE(good->completeBarcode().isEmpty());
        auto bad = LinearSymbologies::create(title, QString::fromUtf8(c.badValue), true);
        ASSERT_TRUE(bad);
        EXPECT_FALSE(bad->isContentValid());
        EXPECT_FALSE(LinearSymbologies::create(title, QString(), true)) << "null content";
    }
    EXPECT_FALSE(LinearSymbologies::create(QStringLiteral("QR Code"), QStringLiteral("1"), true));
    EXPECT_FALSE(LinearSymbologies::create(QStringLiteral("code 39"), QStringLiteral("1"), true));
}

TEST(LinearSymbologies, Code128TitlesSetTheCodeSet) {
    const struct {
        const char* title;
        int set;
    } cases[] = {{"Code 128", NKDCode128Barcode::kSetC},
                 {"Code 128 SET A", NKDCode128Barcode::kSetA},
                 {"Code 128 SET B", NKDCode128Barcode::kSetB},
                 {"Code 128 SET C", NKDCode128Barcode::kSetC}};
    for (const auto& c : cases) {
        auto model =
            LinearSymbologies::create(QString::fromLatin1(c.title), QStringLiteral("1234"), false);
        auto* code128 = dynamic_cast<NKDCode128Barcode*>(model.get());
        ASSERT_NE(code128, nullptr);
        EXPECT_EQ(code128->codeSet(), c.set) << c.title;
    }
}

// Any text, valid or not, gives a module string and answers for every bar
// without reading outside a table.
TEST(LinearSymbologies, AnyValueIsSafeToEncode) {
    const QString values[] = {
        QStringLiteral(""),
        QStringLiteral("0"),
        QStringLiteral("*"),
        QStringLiteral("abc\x01\x7f"),
        QStringLiteral("9999999999999999999999999"),
        QStringLiteral("\u00e9\u00df\u4e2d"),
        QStringLiteral("A-Z a-z 0-9 !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~"),
        QString(QChar(0)),
    };
    for (const QString& title : LinearSymbologies::titles()) {
        for (const QString& value : values) {
            SCOPED_TRACE(title.toStdString() + " / " + value.toStdString());
            auto model = LinearSymbologies::create(title, value, true);
            ASSERT_TRUE(model);
            model->setBarWidth(1.0f);
            model->setHeight(40.0f);
            model->calculateWidth();
            const QString modules = model->completeBarcode();
            EXPECT_TRUE(modulerun::isModuleString(modules));
            (void)model->isContentValid();
            (void)model->caption();
            (void)model->leftCaption();
            (void)model->rightCaption();
            for (int i = 0; i < modules.size(); ++i) {
                EXPECT_GE(model->barTop(i), model->barBottom(i));
            }
        }
    }
}

TEST(BarcodeDump, PrintsModulesAndCheck) {
    const QString tool = QStringLiteral(CARD_BINARY_DIR "/tools/barcode_dump/barcode_dump");
    if (!QFileInfo(tool).isExecutable()) {
        GTEST_SKIP() << "barcode_dump not built";
    }
    auto result =
        testsupport::runProcess(tool, {QStringLiteral("Code 128"), QStringLiteral("12345")});
    ASSERT_TRUE(result.started);
    EXPECT_EQ(result.exitCode, 0);
    auto model =
        LinearSymbologies::create(QStringLiteral("Code 128"), QStringLiteral("12345"), true);
    EXPECT_TRUE(result.out.contains("modules: " + model->completeBarcode().toLatin1() + "\n"));
    EXPECT_TRUE(result.out.contains("check: 54\n"));

    result = testsupport::runProcess(
        tool, {QStringLiteral("Royal Mail Barcode (RM4SCC / CBC)"), QStringLiteral("SN34RD1A")});
    EXPECT_TRUE(result.out.contains("check: K\n"));
    result = testsupport::runProcess(tool, {QStringLiteral("Codabar"), QStringLiteral("1234")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.out.contains("valid: no"));
    result = testsupport::runProcess(tool, {QStringLiteral("Nothing"), QStringLiteral("1")});
    EXPECT_EQ(result.exitCode, 2);
}

} // namespace
