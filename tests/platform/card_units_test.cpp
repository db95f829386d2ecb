#include "platform/CardUnits.h"

#include "common/TestSupport.h"

#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// The text is drawn in card points with the painter scaled by kScale, so
// every raster has kScale pixels per point and ink is measured finely.
constexpr double kScale = 8.0;
const QSizeF kCard(160, 40);
const QPointF kBaseline(10, 28);

QFont cardFont() {
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSizeF(14);
    return font;
}

void drawCardText(QPainter& painter, const QPaintDevice* device) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Qt::black);
    painter.setFont(CardUnits::fontForDevice(cardFont(), device));
    painter.drawText(kBaseline, QStringLiteral("Hello World"));
}

// Width of the ink (pixels darker than mid grey) in points.
double inkWidthInPoints(const QImage& raster, double pixelsPerPoint) {
    const QImage image = raster.convertToFormat(QImage::Format_RGB32);
    int left = image.width();
    int right = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(line[x]) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    return right < left ? 0.0 : (right - left + 1) / pixelsPerPoint;
}

double inkOnImage() {
    QImage image(qCeil(kCard.width() * kScale), qCeil(kCard.height() * kScale),
                 QImage::Format_RGB32);
    CardUnits::markResolution(image, 72);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(kScale, kScale);
    drawCardText(painter, &image);
    painter.end();
    return inkWidthInPoints(image, kScale);
}

class TextWidget : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.scale(kScale, kScale);
        drawCardText(painter, this);
    }
};

double inkOnWidget() {
    TextWidget widget;
    widget.resize(qCeil(kCard.width() * kScale), qCeil(kCard.height() * kScale));
    const QImage grabbed = widget.grab().toImage();
    return inkWidthInPoints(grabbed, kScale * grabbed.devicePixelRatio());
}

TEST(CardUnits, FourteenPointTextHasOneSizeOnImageWidgetAndPdf) {
    CARD_REQUIRE_TOOL(pdftoppm, "pdftoppm");
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString pdfPath = temp.filePath(QStringLiteral("card.pdf"));
    {
        QPdfWriter writer(pdfPath);
        writer.setResolution(72);
        writer.setPageSize(QPageSize(kCard, QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        drawCardText(painter, &writer);
    }
    const auto result = testsupport::runProcess(
        pdftoppm, {QStringLiteral("-r"), QString::number(72 * kScale), QStringLiteral("-png"),
                   QStringLiteral("-singlefile"), pdfPath, temp.filePath(QStringLiteral("page"))});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QImage page(temp.filePath(QStringLiteral("page.png")));
    ASSERT_FALSE(page.isNull());

    const double image = inkOnImage();
    const double pdf = inkWidthInPoints(page, kScale);
    const double widget = inkOnWidget();
    // A 14-point "Hello World" is some 68 points wide, never the 91 of a text
    // resolved at 96 dpi.
    EXPECT_NEAR(image, 68.25, 68.25 * 0.05);
    EXPECT_NEAR(pdf, image, image * 0.005) << "pdf " << pdf << " image " << image;
    EXPECT_NEAR(widget, image, image * 0.005) << "widget " << widget << " image " << image;
    RecordProperty("ink_points_image", QString::number(image).toStdString());
    RecordProperty("ink_points_pdf", QString::number(pdf).toStdString());
    RecordProperty("ink_points_widget", QString::number(widget).toStdString());
}

TEST(CardUnits, FontsFollowTheDeviceResolution) {
    for (const double dpi : {72.0, 96.0, 144.0, 300.0}) {
        QImage image(400, 100, QImage::Format_RGB32);
        CardUnits::markResolution(image, dpi);
        image.fill(Qt::white);
        QPainter painter(&image);
        // One card point is one device unit: scale to the device's own dpi.
        const QFont font = CardUnits::fontForDevice(cardFont(), &image);
        painter.setFont(font);
        EXPECT_NEAR(painter.fontInfo().pixelSize(), 14, 1) << dpi;
        EXPECT_EQ(CardUnits::fontForPainter(cardFont(), painter), font) << dpi;
        EXPECT_NEAR(font.pointSizeF() * image.logicalDpiY() / 72.0, 14.0, 0.01) << dpi;
    }
    EXPECT_EQ(CardUnits::fontForDevice(cardFont(), nullptr), cardFont());
}

// Ink width in points of "HEADER" drawn in card points on a raster of
// `dpi` (the painter scaled so one unit is one point, as printing does).
double headerInk(const QFont& cardFont, double dpi) {
    const double scale = dpi / 72.0;
    QImage image(qCeil(200 * scale), qCeil(40 * scale), QImage::Format_RGB32);
    CardUnits::markResolution(image, dpi);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    painter.setPen(Qt::black);
    painter.setFont(CardUnits::fontForPainter(cardFont, painter));
    painter.drawText(QPointF(10, 28), QStringLiteral("HEADER"));
    painter.end();
    return inkWidthInPoints(image, scale);
}

TEST(CardUnits, LetterSpacingKeepsItsSizeInPointsOnEveryDevice) {
    // Barcode captions are spread letter by letter: the spread caption is
    // wider than the plain one, by the same points on a screen, an export
    // raster and a printer (it once grew with the device's resolution).
    QFont spaced = cardFont();
    spaced.setLetterSpacing(QFont::AbsoluteSpacing, 2.0);
    const double onScreen = headerInk(spaced, 96);
    EXPECT_GT(onScreen, headerInk(cardFont(), 96) + 4.0);
    for (const double dpi : {300.0, 600.0, 1200.0}) {
        EXPECT_NEAR(headerInk(spaced, dpi), onScreen, onScreen * 0.02) << dpi;
    }
}

TEST(CardUnits, FontsLaidOutWithoutADeviceMeasureInPoints) {
    // Text laid out without a device (QTextLayout, metrics of a bare font)
    // resolves at Qt's default resolution, the screen's (96 dpi offscreen).
    const QFont font = CardUnits::fontForLayout(cardFont());
    EXPECT_NEAR(QFontInfo(font).pixelSize(), 14, 1) << font.pointSizeF();
    QImage image(400, 100, QImage::Format_RGB32);
    CardUnits::markResolution(image, 72);
    const double onCard =
        QFontMetricsF(cardFont(), &image).horizontalAdvance(QStringLiteral("Hello World"));
    const double laidOut = QFontMetricsF(font).horizontalAdvance(QStringLiteral("Hello World"));
    EXPECT_NEAR(laidOut, onCard, onCard * 0.005);
    // Some 69 points, never the 92 of a text resolved at 96 dpi.
    EXPECT_NEAR(laidOut, 69.0, 3.0);
}

TEST(CardUnits, MillimetresAndPoints) {
    struct Case {
        double mm;
        float points;
    };
    // 1 inch = 25.4 mm = 72 pt; an A6 card is 105 x 148 mm.
    for (const Case c : {Case{25.4, 72.0f}, Case{105, 297.6378f}, Case{148, 419.5276f},
                         Case{0, 0.0f}, Case{-10, -28.34646f}}) {
        EXPECT_NEAR(CardUnits::mmToPoints(c.mm), c.points, 1e-3) << c.mm;
        EXPECT_NEAR(CardUnits::pointsToMm(c.points), c.mm, 1e-3) << c.mm;
    }
}

TEST(CardUnits, RastersKnowTheirSizeInPoints) {
    const QImage raster =
        CardUnits::makeRaster(QSizeF(100.2, 50), 3.0, QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(raster.size(), QSize(301, 150));
    EXPECT_DOUBLE_EQ(CardUnits::imageDpiX(raster), 72.0);
    EXPECT_TRUE(CardUnits::makeRaster(QSizeF(0, 10), 1, QImage::Format_RGB32).isNull());
    EXPECT_TRUE(CardUnits::makeRaster(QSizeF(-5, 10), 1, QImage::Format_RGB32).isNull());
    EXPECT_TRUE(CardUnits::makeRaster(QSizeF(qQNaN(), 10), 1, QImage::Format_RGB32).isNull());

    struct Case {
        double dpi;
        QSize pixels;
        QSizeF points;
    };
    for (const Case c : {Case{72, {100, 50}, {100, 50}}, Case{144, {100, 50}, {50, 25}},
                         Case{300, {600, 300}, {144, 72}}, Case{600, {600, 600}, {72, 72}}}) {
        QImage image(c.pixels, QImage::Format_RGB32);
        CardUnits::markResolution(image, c.dpi);
        EXPECT_DOUBLE_EQ(CardUnits::imageDpiX(image), c.dpi);
        EXPECT_DOUBLE_EQ(CardUnits::imageDpiY(image), c.dpi);
        EXPECT_NEAR(CardUnits::imageSizeInPoints(image).width(), c.points.width(), 1e-9);
        EXPECT_NEAR(CardUnits::imageSizeInPoints(image).height(), c.points.height(), 1e-9);
    }
    // An image without a resolution of its own counts as 72 dpi.
    EXPECT_EQ(CardUnits::imageSizeInPoints(QImage(30, 20, QImage::Format_RGB32)), QSizeF(30, 20));
    EXPECT_TRUE(CardUnits::imageSizeInPoints(QImage()).isEmpty());
}

} // namespace
