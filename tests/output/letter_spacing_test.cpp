// Letter spacing reaches every device: a Code 128 caption with the
// designer's kerning box off (2 points after each character) and on (the
// caption spread over the symbol's width), and a text object's character
// spacing of 0 and 5 points, measured as ink in a 300-dpi raster and as
// word boxes in a PDF (pdftotext -bbox).
#include "barcodes/BarcodeRenderer.h"
#include "barcodes/designer/core/BarcodeDesigner.h"
#include "barcodes/designer/core/DesignerLists.h"
#include "common/TestSupport.h"
#include "editor/model/SKTText.h"

#include <QBuffer>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr double kDpi = 300;
constexpr double kScale = kDpi / 72;
const QString kCaption = QStringLiteral("RSVP2026");

// Horizontal ink extent in points of the dark pixels in rows [top, bottom).
double inkWidth(const QImage& image, int top, int bottom) {
    int left = image.width();
    int right = -1;
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() > 128 && c.lightness() < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    return right < left ? 0.0 : (right - left + 1) / kScale;
}

bool rowHasInk(const QImage& image, int y) {
    for (int x = 0; x < image.width(); ++x) {
        const QColor c = image.pixelColor(x, y);
        if (c.alpha() > 128 && c.lightness() < 128) {
            return true;
        }
    }
    return false;
}

// The ink of plain text drawn here with Qt alone: the font at 300 dpi.
double plainInkWidth(const QString& text, const QFont& font) {
    QFont big = font;
    big.setPixelSize(qRound(font.pointSizeF() * kScale));
    QImage image(qRound(text.size() * font.pointSizeF() * 2 * kScale),
                 qRound(font.pointSizeF() * 3 * kScale), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(big);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(big.pixelSize(), big.pixelSize() * 2), text);
    painter.end();
    return inkWidth(image, 0, image.height());
}

// Horizontal extent of all words pdftotext finds.
double pdfTextWidth(const QString& pdftotext, const QByteArray& pdf, const QString& file) {
    QFile out(file);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(pdf);
    out.close();
    const auto run =
        testsupport::runProcess(pdftotext, {QStringLiteral("-bbox"), file, QStringLiteral("-")});
    const QRegularExpression word(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"[0-9.]+\" xMax=\"([0-9.]+)\""));
    double left = 1e9;
    double right = -1e9;
    for (auto it = word.globalMatch(QString::fromUtf8(run.out)); it.hasNext();) {
        const auto m = it.next();
        left = std::min(left, m.captured(1).toDouble());
        right = std::max(right, m.captured(2).toDouble());
    }
    EXPECT_LT(left, right) << run.out.toStdString();
    return right - left;
}

// A Code 128 picture of the caption without header and footer, and the
// linear model it was drawn from.
BarcodeBuild captionedCode(bool kerningBox) {
    BarcodeSettings settings;
    settings.barcode_font_index =
        int(DesignerLists::symbologies().indexOf(QStringLiteral("Code 128")));
    settings.show_hide_hdr = 1;
    settings.show_hide_ftr = 1;
    settings.kerning_value = kerningBox;
    return BarcodeDesigner::Generate_Barcode_Variable(settings, kCaption, QString(), QString());
}

// Ink width of the caption: the first inked band below the bars.
double captionInk(const CardPicture& picture) {
    const QImage image = picture.toImage(kScale);
    int y = 0;
    while (y < image.height() && !rowHasInk(image, y)) {
        ++y;
    }
    while (y < image.height() && rowHasInk(image, y)) {
        ++y; // the bars
    }
    while (y < image.height() && !rowHasInk(image, y)) {
        ++y;
    }
    const int top = y;
    while (y < image.height() && rowHasInk(image, y)) {
        ++y;
    }
    EXPECT_LT(top, y) << "no caption below the bars";
    return inkWidth(image, top, y);
}

TEST(LetterSpacing, BarcodeCaptionKerningInRasterAndPdf) {
    CARD_REQUIRE_TOOL(pdftotext, "pdftotext");
    QTemporaryDir dir;
    const BarcodeBuild off = captionedCode(false);
    const BarcodeBuild on = captionedCode(true);
    ASSERT_FALSE(off.picture.isNull());
    ASSERT_FALSE(on.picture.isNull());
    ASSERT_TRUE(on.linear);
    const QFont font = BarcodeStyle::defaultFont();
    const auto q = double(kCaption.size());
    // Kerning on: k = (symbol width - text width) / (2 q), applied twice.
    QImage pointDevice(1, 1, QImage::Format_RGB32);
    pointDevice.setDotsPerMeterX(2835); // 72 dpi: metrics in points
    pointDevice.setDotsPerMeterY(2835);
    const double w = QFontMetricsF(font, &pointDevice).horizontalAdvance(kCaption);
    const double k = (on.linear->width() - w) / (q * 2);
    const double spacingOn = 2 * k;
    ASSERT_GT(std::abs(spacingOn - 2.0), 1.0) << "the two settings would not differ";

    const double plain = plainInkWidth(kCaption, font);
    EXPECT_NEAR(captionInk(off.picture) - plain, (q - 1) * 2.0, 0.5);
    EXPECT_NEAR(captionInk(on.picture) - captionInk(off.picture), (q - 1) * (spacingOn - 2.0), 0.5);
    const double pdfOff =
        pdfTextWidth(pdftotext, pdfFromPicture(off.picture), dir.filePath("off.pdf"));
    const double pdfOn =
        pdfTextWidth(pdftotext, pdfFromPicture(on.picture), dir.filePath("on.pdf"));
    EXPECT_NEAR(pdfOn - pdfOff, (q - 1) * (spacingOn - 2.0), 0.5);
}

// A text object of one line, drawn as the card renderer draws it.
std::shared_ptr<SKTText> textObject(float spacing) {
    auto text = std::make_shared<SKTText>();
    text->_bounds = QRectF(10, 10, 500, 40);
    text->Text_Value = QStringLiteral("Garden Party");
    text->text_kerning = spacing;
    text->_isDrawingFill = false; // the letters alone
    text->_isDrawingStroke = false;
    return text;
}

QImage rasterOf(SKTText& text) {
    QImage image(qRound(520 * kScale), qRound(60 * kScale), QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(2835); // 72 dpi: one card point per unit before the scale
    image.setDotsPerMeterY(2835);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(kScale, kScale);
    text.drawContentsInView(painter, false);
    painter.end();
    return image;
}

QByteArray pdfOf(SKTText& text) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(72);
    writer.setPageLayout(QPageLayout(QPageSize(QSizeF(520, 60), QPageSize::Point),
                                     QPageLayout::Portrait, QMarginsF(), QPageLayout::Point));
    QPainter painter(&writer);
    text.drawContentsInView(painter, false);
    painter.end();
    return bytes;
}

TEST(LetterSpacing, TextObjectCharacterSpacingInRasterAndPdf) {
    CARD_REQUIRE_TOOL(pdftotext, "pdftotext");
    QTemporaryDir dir;
    const auto none = textObject(0);
    const auto spread = textObject(5);
    const double n = none->Text_Value.size();
    const QImage noneRaster = rasterOf(*none);
    const double noneInk = inkWidth(noneRaster, 0, noneRaster.height());
    // 0 changes nothing: the text as Qt draws it plainly.
    EXPECT_NEAR(noneInk, plainInkWidth(none->Text_Value, none->Text_Font_value()), 0.5);
    const QImage spreadRaster = rasterOf(*spread);
    EXPECT_NEAR(inkWidth(spreadRaster, 0, spreadRaster.height()) - noneInk, (n - 1) * 5, 0.5);
    const double pdfNone = pdfTextWidth(pdftotext, pdfOf(*none), dir.filePath("none.pdf"));
    const double pdfSpread = pdfTextWidth(pdftotext, pdfOf(*spread), dir.filePath("spread.pdf"));
    EXPECT_NEAR(pdfSpread - pdfNone, (n - 1) * 5, 0.5);
}

} // namespace
