// The linear barcode model: module strings, widths, check characters,
// captions, band heights and bar extents.

#include "barcodes/BarcodeText.h"
#include "barcodes/NKDAbstractUPCEANBarcode.h"
#include "barcodes/NKDBarcode.h"

#include <QFontMetricsF>
#include <QImage>
#include <gtest/gtest.h>

namespace {

// The EAN/UPC base is abstract in use; a plain subclass shows its behaviour.
class PlainUPCEAN : public NKDAbstractUPCEANBarcode {};

BarcodeStyle noMargins() {
    BarcodeStyle style;
    style.value_margin = 0.0f;
    style.header_margin = 0.0f;
    style.footer_margin = 0.0f;
    style.LR_margin = 0.0f;
    style.TB_margin = 0.0f;
    return style;
}

double capHeightAt72Dpi(const QFont& font) {
    QImage device(1, 1, QImage::Format_ARGB32);
    device.setDotsPerMeterX(2835);
    device.setDotsPerMeterY(2835);
    return QFontMetricsF(font, &device).capHeight();
}

} // namespace

TEST(LinearModel, FreshModelHasNoWidthUntilBarWidthIsSet) {
    auto model = NKDBarcode::create<NKDBarcode>(QStringLiteral("AB"), false);
    ASSERT_TRUE(model);
    EXPECT_EQ(model->width(), 0.0f);
    EXPECT_EQ(model->barWidth(), 0.0f);
    EXPECT_EQ(model->height(), 0.0f);
    EXPECT_EQ(model->checkDigit(), -1);
    model->setBarWidth(1.0f);
    EXPECT_EQ(model->width(), 0.0f);
    model->calculateWidth();
    EXPECT_EQ(model->width(), 8.0f);
}

TEST(LinearModel, NullContentGivesNoModel) {
    EXPECT_EQ(NKDBarcode::create<NKDBarcode>(QString(), true), nullptr);
    EXPECT_EQ(NKDBarcode::create<PlainUPCEAN>(QString(), true), nullptr);
    EXPECT_NE(NKDBarcode::create<NKDBarcode>(QStringLiteral(""), true), nullptr);
}

TEST(LinearModel, ModuleStringOfBaseModel) {
    struct Case {
        const char* content;
        signed char check;
        const char* modules;
    };
    const Case cases[] = {
        {"AB", -1, "10101010"}, {"AB", 'Z', "101010101010"}, {"AB", 0, "101010101010"},
        {"", -1, ""},           {"7", -1, "1010"},
    };
    for (const Case& c : cases) {
        auto model = NKDBarcode::create<NKDBarcode>(QString::fromLatin1(c.content), false);
        ASSERT_TRUE(model);
        model->setCheckDigit(c.check);
        model->setBarWidth(1.0f);
        model->calculateWidth();
        EXPECT_EQ(model->completeBarcode(), QString::fromLatin1(c.modules)) << c.content;
        EXPECT_EQ(model->width(), static_cast<float>(qstrlen(c.modules))) << c.content;
        EXPECT_TRUE(model->isContentValid()) << c.content;
    }
}

TEST(LinearModel, ContentWithoutAsciiFormIsRefusedAndEncodesNothing) {
    const QString texts[] = {QStringLiteral("caf\u00e9"), QStringLiteral("\u65e5\u672c"),
                             QStringLiteral("A\u00a0B")};
    for (const QString& text : texts) {
        auto model = NKDBarcode::create<NKDBarcode>(text, true);
        ASSERT_TRUE(model);
        EXPECT_FALSE(model->isContentValid()) << text.toStdString();
        EXPECT_EQ(model->barcode(), QString()) << text.toStdString();
        auto upc = NKDBarcode::create<PlainUPCEAN>(text, true);
        EXPECT_FALSE(upc->isContentValid()) << text.toStdString();
    }
}

TEST(LinearModel, CaptionsOfBaseModel) {
    auto model = NKDBarcode::create<NKDBarcode>(QStringLiteral("HELLO"), true);
    EXPECT_EQ(model->leftCaption(), QString());
    EXPECT_EQ(model->caption(), QStringLiteral("HELLO"));
    EXPECT_EQ(model->rightCaption(), QString());
    EXPECT_EQ(model->header(), QString());
    EXPECT_FALSE(model->header().isNull());
    EXPECT_FALSE(model->footer().isNull());
    EXPECT_EQ(model->firstBar(), 0.0f);
}

TEST(LinearModel, UpcEanCheckDigitFromWeightedSum) {
    struct Case {
        const char* content;
        signed char expected;
    };
    const Case cases[] = {
        {"00000001799", '2'},                       // 3 x 16 + 10 = 58
        {"00000020909", '0'},                       // 3 x 20 + 0 = 60: 0, not 10
        {"03600029145", '2'},                       // a published UPC-A: 036000291452
        {"00000000000", '0'}, {"012345678905", -1}, // 12 characters: unchanged
        {"0123456789", -1},                         // 10 characters: unchanged
    };
    for (const Case& c : cases) {
        auto model = NKDBarcode::create<PlainUPCEAN>(QString::fromLatin1(c.content), true);
        ASSERT_TRUE(model);
        model->generateChecksum();
        EXPECT_EQ(model->checkDigit(), c.expected) << c.content;
    }
    auto kept = NKDBarcode::create<PlainUPCEAN>(QStringLiteral("012345678905"), true);
    kept->setCheckDigit('7');
    kept->generateChecksum();
    EXPECT_EQ(kept->checkDigit(), '7');
}

TEST(LinearModel, UpcEanGuardsPatternsAndWidth) {
    auto model = NKDBarcode::create<PlainUPCEAN>(QStringLiteral("05"), true);
    model->setBarWidth(1.44f);
    model->calculateWidth();
    EXPECT_EQ(model->completeBarcode(), QStringLiteral("101") + QStringLiteral("0001101") +
                                            QStringLiteral("0110001") + QStringLiteral("101"));
    const float modules = 20.0f * 1.44f;
    EXPECT_EQ(model->width(), static_cast<float>(static_cast<double>(modules) * 1.2));
    EXPECT_EQ(model->firstBar(), static_cast<float>(model->width() * 0.1));
    EXPECT_EQ(model->lastBar(), static_cast<float>(model->width() * 0.9 - 1.44f));
    EXPECT_FALSE(NKDBarcode::create<PlainUPCEAN>(QStringLiteral("05A"), true)->isContentValid());

    auto empty = NKDBarcode::create<PlainUPCEAN>(QStringLiteral(""), true);
    empty->setBarWidth(1.0f);
    empty->calculateWidth();
    EXPECT_EQ(empty->width(), 0.0f);
    EXPECT_TRUE(empty->isContentValid());
}

TEST(LinearModel, UpcEanCaptionsShowCheckDigit) {
    auto model = NKDBarcode::create<PlainUPCEAN>(QStringLiteral("03600029145"), true);
    model->generateChecksum();
    EXPECT_EQ(model->leftCaption(), QStringLiteral("0"));
    EXPECT_EQ(model->caption(), QStringLiteral("360002914"));
    EXPECT_EQ(model->rightCaption(), QStringLiteral("2")); // not the content's "5"
    auto single = NKDBarcode::create<PlainUPCEAN>(QStringLiteral("7"), true);
    EXPECT_EQ(single->caption(), QString());
    EXPECT_EQ(single->rightCaption(), QString()); // no check character yet
}

TEST(LinearModel, SwapHandednessAndParity) {
    struct Case {
        const char* pattern;
        const char* handed;
        const char* parity;
    };
    const Case cases[] = {
        {"0001101", "1110010", "0100111"},
        {"0110001", "1001110", "0111001"},
        {"", "", ""},
        {"1x0", "001", "100"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(swapHandedness(QString::fromLatin1(c.pattern)), QString::fromLatin1(c.handed));
        EXPECT_EQ(swapParity(QString::fromLatin1(c.pattern)), QString::fromLatin1(c.parity));
    }
}

TEST(LinearModel, BarTopWithNothingPrintedIsHeight) {
    auto model = NKDBarcode::create<NKDBarcode>(QStringLiteral("AB"), false);
    model->setStyle(noMargins());
    model->setHeight(36.5f);
    EXPECT_EQ(model->barTop(0), 36.5f);
    EXPECT_EQ(model->barTop(7), 36.5f);
    EXPECT_EQ(model->barBottom(3), 0.0f);
    BarcodeStyle margins = noMargins();
    margins.TB_margin = 2.0f;
    model->setStyle(margins);
    EXPECT_EQ(model->barTop(0), 32.5f);
}

TEST(LinearModel, BarTopGivesBackTheDesignersBarHeight) {
    BarcodeStyle style;
    style.value_margin = 1.5f;
    style.header_margin = 2.25f;
    style.footer_margin = 0.75f;
    style.TB_margin = 3.0f;
    style.header_font.setPointSizeF(14.0);
    struct Case {
        bool caption, header, footer;
    };
    const Case cases[] = {
        {true, false, false}, {false, true, false}, {false, false, true}, {true, true, true}};
    for (const Case& c : cases) {
        auto model = NKDBarcode::create<NKDBarcode>(QStringLiteral("AB"), c.caption);
        model->setStyle(style);
        model->setPrintsHeader(c.header);
        model->setPrintsFooter(c.footer);
        model->setHeader(QStringLiteral("Top"));
        model->setFooter(QStringLiteral("Bottom"));
        model->setCaptionFontSize(10.0f);
        model->setHeaderFontSize(14.0f);
        model->setFooterFontSize(10.0f);
        const float bars = 40.0f;
        float height = bars;
        if (c.caption) {
            height += model->captionHeight() * 72.0f + style.value_margin;
        }
        if (c.header) {
            height += model->headerHeight() * 72.0f + style.header_margin;
        }
        if (c.footer) {
            height += model->footerHeight() * 72.0f + style.footer_margin;
        }
        model->setHeight(height + 2.0f * style.TB_margin);
        EXPECT_NEAR(model->barTop(0), bars, 1e-4);
    }
}

TEST(LinearModel, BandHeightsComeFromTheFontsCapHeight) {
    for (const double size : {6.0, 10.0, 24.0}) {
        BarcodeStyle style;
        style.value_font.setPointSizeF(size);
        style.header_font.setPointSizeF(size * 2);
        style.footer_font.setPointSizeF(size / 2);
        auto model = NKDBarcode::create<NKDBarcode>(QStringLiteral("AB"), true);
        model->setStyle(style);
        model->setCaptionFontSize(99.0f); // the argument is stored, not used
        model->setHeaderFontSize(1.0f);
        model->setFooterFontSize(1.0f);
        EXPECT_EQ(model->caption_fontSize(), 99.0f);
        const double cap = capHeightAt72Dpi(style.value_font);
        ASSERT_GT(cap, 0.0);
        EXPECT_NEAR(model->captionHeight(), 1.35 * cap / 72.0, 1e-6) << size;
        EXPECT_NEAR(model->headerHeight(), 1.35 * capHeightAt72Dpi(style.header_font) / 72.0, 1e-6);
        EXPECT_NEAR(model->footerHeight(), 1.35 * capHeightAt72Dpi(style.footer_font) / 72.0, 1e-6);
        // Roughly the size of the type, whatever the screen's resolution.
        EXPECT_GT(model->captionHeight() * 72.0, 0.5 * size);
        EXPECT_LT(model->captionHeight() * 72.0, 1.2 * size);
    }
}

TEST(LinearModel, HeaderWidthIsMeasuredFromTheTextHeldAtThatMoment) {
    BarcodeStyle style;
    auto model = NKDBarcode::create<NKDBarcode>(QStringLiteral("AB"), true);
    model->setStyle(style);
    model->setHeaderFontSize(10.0f);
    EXPECT_EQ(model->headerWidth(), 0.0f);
    model->setHeader(QStringLiteral("Invitation"));
    EXPECT_EQ(model->headerWidth(), 0.0f); // not measured again by itself
    model->setHeaderFontSize(10.0f);
    const float narrow = model->headerWidth();
    EXPECT_NEAR(narrow,
                BarcodeText::textSize(QStringLiteral("Invitation"), style.header_font).width(),
                1e-3);
    style.header_font.setPointSizeF(20.0);
    model->setStyle(style);
    model->setHeaderFontSize(20.0f);
    EXPECT_NEAR(model->headerWidth(), 2.0f * narrow, 0.1f * narrow);
    model->setFooter(QStringLiteral("x"));
    model->setFooterFontSize(10.0f);
    EXPECT_GT(model->footerWidth(), 0.0f);
    EXPECT_LT(model->footerWidth(), narrow);
}

TEST(LinearModel, BarWidthOfTwentyMilsIsExact) {
    // The designer converts mils to points: (w / 1000 in single precision)
    // x 72 in double precision, stored as a float.
    auto model = NKDBarcode::create<NKDBarcode>(QStringLiteral("AB"), false);
    model->setBarWidth(static_cast<float>(static_cast<double>(20.0f / 1000.0f) * 72.0));
    EXPECT_FLOAT_EQ(model->barWidth(), 1.44f);
    model->calculateWidth();
    EXPECT_EQ(model->width(), 8.0f * model->barWidth()); // single precision
    EXPECT_FLOAT_EQ(model->width(), 11.52f);
}
