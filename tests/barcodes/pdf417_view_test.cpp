#include "barcodes/BarcodeGlobals.h"
#include "barcodes/pdf417View.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

// Sets the 2D resolution for one test and puts the old one back.
class DpiGuard {
public:
    explicit DpiGuard(int dpi) : m_old(USED_DPI_VALUE.load()) { USED_DPI_VALUE = dpi; }
    ~DpiGuard() { USED_DPI_VALUE = m_old; }
    DpiGuard(const DpiGuard&) = delete;
    DpiGuard& operator=(const DpiGuard&) = delete;

private:
    int m_old;
};

bool isBlack(QRgb c) {
    return qAlpha(c) == 255 && qGray(c) < 64;
}
bool isWhite(QRgb c) {
    return qAlpha(c) == 255 && qGray(c) > 192;
}

TEST(Pdf417View, StartsEmptyAtLevelTwo) {
    pdf417View view(QSizeF(100, 20));
    EXPECT_EQ(view.getErrorLevel(), 2);
    EXPECT_EQ(view.getImageState(), pdf417View::kImageEmpty);
    EXPECT_TRUE(view.getImage().isNull());
    view.setErrorLevel(5);
    EXPECT_EQ(view.getErrorLevel(), 5);
    EXPECT_EQ(view.drawWithText(QString()), pdf417View::kImageEmpty);
    EXPECT_TRUE(view.getImage().isNull());
}

TEST(Pdf417View, PictureHasTheFrameSizeAtTheResolution) {
    const DpiGuard dpi(300);
    pdf417View view(QSizeF(100.5, 20));
    ASSERT_EQ(view.drawWithText("PDF417 picture"), pdf417View::kImageReady);
    const CardPicture picture = view.getImage();
    ASSERT_TRUE(picture.isRaster());
    EXPECT_DOUBLE_EQ(picture.size().width(), 100.5);
    EXPECT_DOUBLE_EQ(picture.size().height(), 20.0);
    const QImage image = picture.image();
    EXPECT_EQ(image.width(), 419); // ceil(418.75)
    EXPECT_EQ(image.height(), 84); // ceil(83.33)
    // The start pattern begins and the stop pattern ends with a bar; the
    // module after the start pattern's 8-module bar is a space.
    for (int y : {0, image.height() / 2, image.height() - 1}) {
        EXPECT_TRUE(isBlack(image.pixel(0, y)));
        EXPECT_TRUE(isBlack(image.pixel(image.width() - 1, y)));
    }
}

TEST(Pdf417View, ModulesMapToWholePixels) {
    const DpiGuard dpi(72);
    const QString text = "ABC"; // 1 column, 11 rows, 86 modules
    pdf417View view(QSizeF(86 * 3, 11 * 9));
    ASSERT_EQ(view.drawWithText(text), pdf417View::kImageReady);
    const QImage image = view.getImage().image();
    ASSERT_EQ(image.size(), QSize(258, 99));
    // Start pattern 81111113: 8 bars then a space of one module.
    EXPECT_TRUE(isBlack(image.pixel(8 * 3 - 1, 4)));
    EXPECT_TRUE(isWhite(image.pixel(8 * 3, 4)));
    EXPECT_TRUE(isWhite(image.pixel(8 * 3 + 2, 4)));
    EXPECT_TRUE(isBlack(image.pixel(9 * 3, 4)));
}

TEST(Pdf417View, EncodingErrorLeavesNoPicture) {
    pdf417View view(QSizeF(100, 20));
    ASSERT_EQ(view.drawWithText("first record"), pdf417View::kImageReady);
    ASSERT_FALSE(view.getImage().isNull());
    // Too long: the next record must not show the first record's symbol.
    EXPECT_EQ(view.drawWithText(QString(5421, QLatin1Char('x'))), pdf417View::kImageError);
    EXPECT_TRUE(view.getImage().isNull());
    EXPECT_EQ(view.getImageState(), pdf417View::kImageError);
    // Likewise an empty value.
    ASSERT_EQ(view.drawWithText("third record"), pdf417View::kImageReady);
    EXPECT_EQ(view.drawWithText(QString()), pdf417View::kImageEmpty);
    EXPECT_TRUE(view.getImage().isNull());
}

TEST(Pdf417View, DrawRectShowsTheState) {
    pdf417View view(QSizeF(200, 60));
    QImage canvas(200, 60, QImage::Format_ARGB32);
    const auto render = [&] {
        canvas.fill(Qt::transparent);
        QPainter painter(&canvas);
        view.drawRect(painter);
    };
    render();
    EXPECT_EQ(canvas.pixel(10, 10), QColor(Qt::lightGray).rgb());

    view.drawWithText(QString(5421, QLatin1Char('x')));
    render();
    EXPECT_TRUE(isWhite(canvas.pixel(1, 1)));
    int dark = 0;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            dark += qGray(canvas.pixel(x, y)) < 128 ? 1 : 0;
    EXPECT_GT(dark, 50); // the message

    view.drawWithText("ready");
    render();
    EXPECT_TRUE(isBlack(canvas.pixel(0, 30)));
    EXPECT_TRUE(isBlack(canvas.pixel(199, 30)));
}

} // namespace
