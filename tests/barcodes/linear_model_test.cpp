// The linear barcode model: module strings, widths, check characters,
// captions, band heights and bar extents.

#include "barcodes/NKDAbstractUPCEANBarcode.h"

#include <QFontMetricsF>
#include <QImage>
#include <array>
#include <gtest/gtest.h>

namespace {

class PlainUPCEAN : public NKDAbstractUPCEANBarcode {};

double capHeightAt72Dpi(const QFont& font) {
    QImage device(1, 1, QImage::Format_ARGB32);
    device.setDotsPerMeterX(2835); // 72 dpi
    device.setDotsPerMeterY(2835);
    return QFontMetricsF(font, &device).capHeight();
}

} // namespace

TEST(LinearModel, ModuleStringAndWidth) {
    struct Case {
        const char* content;
        signed char check;
        const char* modules;
    };
    const Case cases[] = {{"AB", -1, "10101010"},
                          {"AB", 'Z', "101010101010"},
                          {"AB", 0, "101010101010"},
                          {"", -1, ""}};
    for (const Case& c : cases) {
        auto model = NKDBarcode::create<NKDBarcode>(QString::fromLatin1(c.content), false);
        ASSERT_TRUE(model);
        model->setCheckDigit(c.check);
        model->setBarWidth(1.0f);
        EXPECT_EQ(model->width(), 0.0f); // until calculated again
        model->calculateWidth();
        EXPECT_EQ(model->completeBarcode(), QString::fromLatin1(c.modules)) << c.content;
        EXPECT_EQ(model->width(), static_cast<float>(qstrlen(c.modules))) << c.content;
        EXPECT_TRUE(model->isContentValid()) << c.content;
    }
    EXPECT_EQ(NKDBarcode::create<NKDBarcode>(QString(), true), nullptr);
    EXPECT_EQ(NKDBarcode::create<PlainUPCEAN>(QString(), true), nullptr);
}

TEST(LinearModel, ContentWithoutAsciiFormIsRefused) {
    for (const QString& text : {QStringLiteral("caf\u00e9"), QStringLiteral("\u65e5\u672c")}) {
        auto model = NKDBarcode::create<NKDBarcode>(text, true);
        EXPECT_FALSE(model->isContentValid());
        EXPECT_EQ(model->barcode(), QString());
        EXPECT_FALSE(NKDBarcode::create<PlainUPCEAN>(text, true)->isContentValid());
    }
}

TEST(LinearModel, UpcEanCheckDigit) {
    const std::pair<const char*, signed char> cases[] = {
        {"00000001799", '2'}, // weighted sum 3 x 16 + 10 = 58
        {"00000020909", '0'}, // 3 x 20 = 60: 0, not 10
        {"03600029145", '2'}, // a published UPC-A: 036000291452
        {"012345678905", -1}, // 12 characters: unchanged
        {"0123456789", -1},
    };
    for (const auto& [content, expected] : cases) {
        auto model = NKDBarcode::create<PlainUPCEAN>(QString::fromLatin1(content), true);
        model->generateChecksum();
        EXPECT_EQ(model->checkDigit(), expected) << content;
    }
}

TEST(LinearModel, UpcEanModulesCaptionsAndBars) {
    auto model = NKDBarcode::create<PlainUPCEAN>(QStringLiteral("03600029145"), true);
    model->generateChecksum();
    model->setBarWidth(1.44f);
    model->calculateWidth();
    EXPECT_TRUE(model->completeBarcode().startsWith(QStringLiteral("1010001101")));
    EXPECT_TRUE(model->completeBarcode().endsWith(QStringLiteral("0010011101"))); // "2", guard
    const float modules = 3 + 12 * 7 + 3;
    EXPECT_EQ(model->width(), static_cast<float>(static_cast<double>(modules * 1.44f) * 1.2));
    EXPECT_EQ(model->firstBar(), static_cast<float>(model->width() * 0.1));
    EXPECT_EQ(model->lastBar(), static_cast<float>(model->width() * 0.9 - 1.44f));
    EXPECT_EQ(model->leftCaption(), QStringLiteral("0"));
    EXPECT_EQ(model->caption(), QStringLiteral("360002914"));
    EXPECT_EQ(model->rightCaption(), QStringLiteral("2")); // the check, not the last "5"
    EXPECT_FALSE(NKDBarcode::create<PlainUPCEAN>(QStringLiteral("05A"), true)->isContentValid());
    auto empty = NKDBarcode::create<PlainUPCEAN>(QStringLiteral(""), true);
    empty->setBarWidth(1.0f);
    empty->calculateWidth();
    EXPECT_EQ(empty->width(), 0.0f);
    EXPECT_EQ(empty->rightCaption(), QString());
}

TEST(LinearModel, SwapHandednessAndParity) {
    const std::array<const char*, 3> cases[] = {
        {"0001101", "1110010", "0100111"}, {"0110001", "1001110", "0111001"}, {"", "", ""}};
    for (const auto& [pattern, handed, parity] : cases) {
        EXPECT_EQ(swapHandedness(QString::fromLatin1(pattern)), QString::fromLatin1(handed));
        EXPECT_EQ(swapParity(QString::fromLatin1(pattern)), QString::fromLatin1(parity));
    }
}

TEST(LinearModel, BarTopLeavesTheBarHeight) {
    BarcodeStyle style;
    style.value_margin = 1.5f;
    style.header_margin = 2.25f;
    style.footer_margin = 0.75f;
    style.header_font.setPointSizeF(14.0);
    const std::array<bool, 3> cases[] = {
        {false, false, false}, {true, false, false}, {false, true, true}, {true, true, true}};
    for (const float tb : {0.0f, 3.0f}) {
        style.TB_margin = tb;
        for (const auto& [caption, header, footer] : cases) {
            auto model = NKDBarcode::create<NKDBarcode>(QStringLiteral("AB"), caption);
            model->setStyle(style);
            model->setPrintsHeader(header);
            model->setPrintsFooter(footer);
            model->setCaptionFontSize(10.0f);
            model->setHeaderFontSize(14.0f);
            model->setFooterFontSize(10.0f);
            // The height as the designer sets it around 40 points of bars.
            float height = 40.0f + 2.0f * tb;
            height += caption ? model->captionHeight() * 72.0f + style.value_margin : 0.0f;
            height += header ? model->headerHeight() * 72.0f + style.header_margin : 0.0f;
            height += footer ? model->footerHeight() * 72.0f + style.footer_margin : 0.0f;
            model->setHeight(height);
            EXPECT_NEAR(model->barTop(3), 40.0f, 1e-4);
            EXPECT_EQ(model->barBottom(3), 0.0f);
        }
    }
}

TEST(LinearModel, ANewStyleMeasuresTheMeasuredBandsAgain) {
    BarcodeStyle large;
    large.value_font.setPointSizeF(24.0);
    large.header_font.setPointSizeF(24.0);
    large.footer_font.setPointSizeF(24.0);
    auto model = NKDBarcode::create<NKDBarcode>(QStringLiteral("AB"), true);
    model->setHeader(QStringLiteral("Invitation"));
    model->setFooter(QStringLiteral("RSVP"));
    model->setCaptionFontSize(10.0f);
    model->setHeaderFontSize(10.0f);
    model->setFooterFontSize(10.0f);
    const float smallHeader = model->headerWidth();
    model->setStyle(large);
    // Twice and a half the font size, about as much more room.
    EXPECT_NEAR(model->captionHeight(), 1.35 * capHeightAt72Dpi(large.value_font) / 72.0, 1e-6);
    EXPECT_NEAR(model->headerHeight(), 1.35 * capHeightAt72Dpi(large.header_font) / 72.0, 1e-6);
    EXPECT_NEAR(model->footerHeight(), 1.35 * capHeightAt72Dpi(large.footer_font) / 72.0, 1e-6);
    EXPECT_GT(model->headerWidth(), 2.0f * smallHeader);
    EXPECT_LT(model->headerWidth(), 3.0f * smallHeader);

    // A band set by hand, or never measured, is left alone.
    auto byHand = NKDBarcode::create<NKDBarcode>(QStringLiteral("AB"), true);
    byHand->setCaptionFontSize(10.0f);
    byHand->setCaptionHeight(0.5f);
    byHand->setStyle(large);
    EXPECT_EQ(byHand->captionHeight(), 0.5f);
    EXPECT_EQ(byHand->headerHeight(), 0.0f);
    EXPECT_EQ(byHand->headerWidth(), 0.0f);
}

TEST(LinearModel, BandHeightsAndTextWidthsFromTheFonts) {
    for (const double size : {6.0, 10.0, 24.0}) {
        BarcodeStyle style;
        style.value_font.setPointSizeF(size);
        style.header_font.setPointSizeF(size * 2);
        auto model = NKDBarcode::create<NKDBarcode>(QStringLiteral("AB"), true);
        model->setStyle(style);
        model->setCaptionFontSize(99.0f); // stored, not used
        model->setHeaderFontSize(1.0f);
        EXPECT_EQ(model->caption_fontSize(), 99.0f);
        const double cap = capHeightAt72Dpi(style.value_font);
        EXPECT_NEAR(model->captionHeight(), 1.35 * cap / 72.0, 1e-6) << size;
        EXPECT_NEAR(model->headerHeight(), 1.35 * capHeightAt72Dpi(style.header_font) / 72.0, 1e-6);
        // In points, whatever the screen's resolution: a cap is about 2/3 em.
        EXPECT_GT(cap, 0.5 * size);
        EXPECT_LT(cap, 0.8 * size);
        // The header is measured when its size is set, from the text held.
        EXPECT_EQ(model->headerWidth(), 0.0f);
        model->setHeader(QStringLiteral("Invitation"));
        EXPECT_EQ(model->headerWidth(), 0.0f);
        model->setHeaderFontSize(1.0f);
        EXPECT_GT(model->headerWidth(), 4.0 * size);
        EXPECT_LT(model->headerWidth(), 12.0 * size);
    }
}
