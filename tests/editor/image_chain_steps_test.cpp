// The picture adjustment chain: size limit, filters, order, rotation and
// failing steps.

#include "common/TestSupport.h"
#include "editor/model/ImageFilters.h"
#include "editor/model/ImageProcesser.h"
#include "objects_test_support.h"

#include <QRandomGenerator>

namespace {

QImage noise(int w, int h, quint32 seed = 7) {
    QImage image(w, h, QImage::Format_ARGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            image.setPixel(x, y, random.generate() | 0xff000000u);
        }
    }
    CardUnits::markResolution(image, 72);
    return image;
}

CardPicture pictureOf(const QImage& image) {
    return CardPicture::fromImage(image);
}

// The chain with everything neutral but the named changes.
struct Settings {
    bool grey = false, sepia = false, invert = false;
    float hue = 0, sat = 1, brt = 0, con = 1;
    int rotate = 0;
    float sharp = 0, ev = 0, blur = 0;
};

CardPicture run(const CardPicture& picture, const Settings& s,
                const ImageProcesser::Filters& filters = ImageProcesser::Filters::standard()) {
    return ImageProcesser::Get_Processed_Image(picture, s.grey, s.sepia, s.invert, s.hue, s.sat,
                                               s.brt, s.con, s.rotate, s.sharp, s.ev, s.blur, 100,
                                               filters);
}

QRgb centre(const CardPicture& picture) {
    const QImage image = picture.image();
    return image.pixel(image.width() / 2, image.height() / 2);
}

} // namespace

TEST(ImageChainSize, ScalesDownToFitAtThePicturesProportions) {
    struct Case {
        QSizeF in, out;
    };
    const Case cases[] = {{{1000, 300}, {724, 217.2}},  {{500, 600}, {390, 468}},
                          {{724, 468}, {724, 468}},     {{2000, 2000}, {468, 468}},
                          {{3000, 4000}, {351, 468}},   {{1000, 200}, {724, 144.8}},
                          {{723.5, 100}, {723.5, 100}}, {{100, 468}, {100, 468}}};
    for (const Case& c : cases) {
        const CardPicture picture = CardPicture::fromImage(objtest::solid(8, 8, Qt::red), c.in);
        const CardPicture limited = ImageProcesser::Set_Dimaension(picture);
        EXPECT_NEAR(limited.size().width(), c.out.width(), 1e-9)
            << c.in.width() << "x" << c.in.height();
        EXPECT_NEAR(limited.size().height(), c.out.height(), 1e-9)
            << c.in.width() << "x" << c.in.height();
        EXPECT_EQ(picture.size(), c.in); // the argument stays as it was
        EXPECT_EQ(limited.sharesDataWith(picture), c.in == c.out);
    }
    EXPECT_TRUE(ImageProcesser::Get_Processed_Image(CardPicture(), true, true, true, 1, 0, 0, 2, 45,
                                                    1, 1, 1, 100)
                    .isNull());
}

TEST(ImageChainNeutral, NeutralValuesGiveTheIdenticalPicture) {
    const QImage image = noise(37, 23);
    const CardPicture picture = pictureOf(image);
    const CardPicture result = run(picture, Settings{});
    EXPECT_TRUE(result.sharesDataWith(picture));
    EXPECT_EQ(result.image(), image);
    // Values that are not numbers count as neutral.
    Settings odd;
    odd.hue = std::nanf("");
    odd.sat = std::numeric_limits<float>::infinity();
    odd.blur = -4;
    EXPECT_EQ(run(picture, odd).image(), image);
    // A vector picture stays vector.
    const CardPicture vector =
        CardPicture::fromDrawer({30, 20}, [](QPainter& p) { p.fillRect(0, 0, 30, 20, Qt::red); });
    EXPECT_TRUE(run(vector, Settings{}).isVector());
    Settings grey;
    grey.grey = true;
    EXPECT_TRUE(run(vector, grey).isRaster());
}

TEST(ImageChainFilters, EveryFilterKeepsThePictureSize) {
    const QImage image = noise(31, 17);
    const std::vector<std::pair<const char*, QImage>> results = {
        {"grey", ImageFilters::grayScale(image)},
        {"sepia", ImageFilters::sepia(image)},
        {"invert", ImageFilters::invertColor(image)},
        {"hue", ImageFilters::adjustHue(image, 1.2f)},
        {"controls", ImageFilters::colorControls(image, 0.3f, 0.1f, 1.5f)},
        {"sharpen", ImageFilters::sharpenLuminance(image, 0.8f)},
        {"blur", ImageFilters::boxBlur(image, 3.0f)},
        {"blur huge", ImageFilters::boxBlur(image, 1e9f)},
        {"exposure", ImageFilters::exposure(image, -1.0f)},
    };
    for (const auto& [name, result] : results) {
        EXPECT_EQ(result.size(), image.size()) << name;
        EXPECT_NE(result, image) << name;
    }
}

TEST(ImageChainFilters, ArithmeticInTheDocumentedUnits) {
    const QImage mid = objtest::solid(4, 4, QColor(64, 128, 32));
    const QRgb grey = ImageFilters::grayScale(mid).pixel(1, 1);
    EXPECT_EQ(qRed(grey), qGreen(grey));
    EXPECT_EQ(qGreen(grey), qBlue(grey));
    EXPECT_EQ(ImageFilters::invertColor(mid).pixel(1, 1), qRgb(191, 127, 223));
    EXPECT_EQ(ImageFilters::exposure(mid, 1).pixel(1, 1), qRgb(128, 255, 64));
    EXPECT_TRUE(objtest::near(ImageFilters::colorControls(mid, 1, 0.25f, 1).pixel(1, 1),
                              qRgb(128, 192, 96), 1));
    EXPECT_TRUE(objtest::near(ImageFilters::colorControls(mid, 1, 0, 0).pixel(1, 1),
                              qRgb(128, 128, 128), 1));
    const QRgb desaturated = ImageFilters::colorControls(mid, 0, 0, 1).pixel(1, 1);
    EXPECT_TRUE(objtest::near(desaturated, grey, 1));
    // A full turn of hue is no change; half a turn makes red cyan-ish.
    const QImage red = objtest::solid(4, 4, QColor(200, 30, 30));
    EXPECT_TRUE(objtest::near(ImageFilters::adjustHue(red, 2 * 3.14159265f).pixel(1, 1),
                              qRgb(200, 30, 30), 2));
    const QRgb turned = ImageFilters::adjustHue(red, 3.14159265f).pixel(1, 1);
    EXPECT_LT(qRed(turned), qGreen(turned));
    EXPECT_LT(qRed(turned), qBlue(turned));
    // Blur spreads one white pixel over the (2r + 1) square.
    QImage dot = objtest::solid(9, 9, Qt::black);
    dot.setPixel(4, 4, qRgb(255, 255, 255));
    const QImage blurred = ImageFilters::boxBlur(dot, 1);
    EXPECT_GT(qRed(blurred.pixel(3, 3)), 0);
    EXPECT_EQ(qRed(blurred.pixel(2, 2)), 0);
    EXPECT_LT(qRed(blurred.pixel(4, 4)), 255);
    // Sharpening steepens an edge.
    QImage edge = objtest::solid(8, 8, QColor(100, 100, 100));
    for (int y = 0; y < 8; ++y) {
        for (int x = 4; x < 8; ++x) {
            edge.setPixel(x, y, qRgb(150, 150, 150));
        }
    }
    const QImage sharp = ImageFilters::sharpenLuminance(edge, 1);
    EXPECT_LT(qRed(sharp.pixel(3, 4)), 100);
    EXPECT_GT(qRed(sharp.pixel(4, 4)), 150);
    EXPECT_EQ(qRed(sharp.pixel(0, 4)), 100);
    // Alpha is kept.
    const QImage clear = objtest::solid(2, 2, QColor(10, 20, 30, 77));
    EXPECT_EQ(qAlpha(ImageFilters::sepia(clear).pixel(0, 0)), 77);
}

TEST(ImageChainOrder, GreyThenSepiaThenInvert) {
    const CardPicture picture = pictureOf(objtest::solid(6, 6, QColor(30, 200, 90)));
    Settings s;
    s.grey = true;
    const QRgb grey = centre(run(picture, s));
    EXPECT_EQ(qRed(grey), qBlue(grey));
    s.sepia = true;
    const QRgb toned = centre(run(picture, s));
    EXPECT_GT(qRed(toned), qGreen(toned));
    EXPECT_GT(qGreen(toned), qBlue(toned));
    s.invert = true;
    const QRgb inverted = centre(run(picture, s));
    EXPECT_EQ(inverted, qRgb(255 - qRed(toned), 255 - qGreen(toned), 255 - qBlue(toned)));
}

TEST(ImageChainRotation, WholeDegreesAndSizes) {
    struct Case {
        double stored;
        int degrees;
        QSizeF size;
    };
    const Case cases[] = {{359.9, 359, {220, 220}},     {-90.5, -90, {100, 200}},
                          {450, 90, {100, 200}},        {720, 0, {200, 100}},
                          {180, 180, {200, 100}},       {-270, -270, {100, 200}},
                          {std::nan(""), 0, {200, 100}}};
    const CardPicture picture = CardPicture::fromImage(objtest::solid(200, 100, Qt::red));
    for (const Case& c : cases) {
        const int degrees = ImageProcesser::wholeDegrees(c.stored);
        EXPECT_EQ(degrees, c.degrees) << c.stored;
        Settings s;
        s.rotate = degrees;
        const CardPicture turned = run(picture, s);
        EXPECT_EQ(turned.size(), c.size) << c.stored;
        EXPECT_EQ(turned.sharesDataWith(picture), degrees % 360 == 0) << c.stored;
    }
}

TEST(ImageChainRotation, FortyFiveDegreesOnASquareCanvasWithNoCornerCut) {
    const CardPicture wide = CardPicture::fromImage(objtest::solid(200, 100, Qt::red));
    const CardPicture turned = ImageProcesser::imageRotated(wide, 45);
    EXPECT_EQ(turned.size(), QSizeF(220, 220));
    const QImage image = turned.image();
    EXPECT_EQ(centre(turned), qRgb(255, 0, 0));
    EXPECT_EQ(qAlpha(image.pixel(2, 2)), 0);
    // A square's turned corners reach further than side + 20.
    const CardPicture square = CardPicture::fromImage(objtest::solid(100, 100, Qt::red));
    const CardPicture diamond = ImageProcesser::imageRotated(square, 45);
    EXPECT_NEAR(diamond.size().width(), 100 * std::sqrt(2.0), 1e-6);
    const QImage d = diamond.image();
    EXPECT_GT(qAlpha(d.pixel(d.width() / 2, 1)), 128); // the top corner is there
}

TEST(ImageChainRotation, PositiveAnglesTurnCounterClockwise) {
    // Red on the right half; a quarter turn counter-clockwise brings it to
    // the top.
    QImage image = objtest::solid(40, 20, Qt::blue);
    QPainter(&image).fillRect(20, 0, 20, 20, Qt::red);
    const QImage quarter = ImageProcesser::imageRotated(pictureOf(image), 90).image();
    ASSERT_EQ(quarter.size(), QSize(20, 40));
    EXPECT_EQ(quarter.pixel(10, 5), qRgb(255, 0, 0));
    EXPECT_EQ(quarter.pixel(10, 35), qRgb(0, 0, 255));
    // 30 degrees: the red end rises.
    const QImage tilted = ImageProcesser::imageRotated(pictureOf(image), 30).image();
    const int side = tilted.width();
    EXPECT_EQ(tilted.pixel(side / 2 + 15, side / 2 - 8), qRgb(255, 0, 0));
}

TEST(ImageChainFailure, AFailingStepIsLoggedAndSkipped) {
    objtest::LogCapture log;
    testsupport::ScriptedAlerts alerts;
    ImageProcesser::Filters filters = ImageProcesser::Filters::standard();
    filters.hue = [](const QImage&, float) { return QImage(); };
    const CardPicture picture = pictureOf(objtest::solid(8, 8, QColor(64, 64, 64)));
    Settings s;
    s.hue = 1;
    s.ev = 1;
    const CardPicture result = run(picture, s, filters);
    ASSERT_FALSE(result.isNull());
    EXPECT_EQ(centre(result), qRgb(128, 128, 128)); // the exposure still ran
    EXPECT_TRUE(log.messages().contains("adjust_Hue"));
    EXPECT_TRUE(alerts.requests().empty());

    filters.grayScale = [](const QImage&) { return QImage(); };
    s.grey = true;
    const QStringList before = log.messages();
    run(picture, s, filters);
    const QStringList after = log.messages().mid(before.size());
    const qsizetype at = after.indexOf("GrayScale");
    ASSERT_GT(at, 0);
    EXPECT_FALSE(after[at - 1].isEmpty()); // the reason comes first
}
