// The card background: white base in the card's shape, the four fills, the
// border styles, and the side whose record is painted.
#include "core/globals.h"
#include "drawing_test_support.h"
#include "editor/render/Card_Base_Drawing.h"

#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using drawingtest::filledWith;
const QSizeF kCard(200, 120);
const QColor kClear(0, 0, 0, 0);

QImage paint(const Card_Property& page, int shape, const QString& resources = {},
             const QRectF& rect = QRectF(QPointF(0, 0), kCard)) {
    QImage image(kCard.toSize(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    Card_Base_Drawing(painter, rect, page, shape, kCard, resources);
    return image;
}

Card_Property withPicture(const QString& layout, float alpha = 1.0f) {
    Card_Property page = filledWith(Qt::white, QStringLiteral("I"));
    QImage red(10, 10, QImage::Format_ARGB32);
    red.fill(Qt::red);
    page.setCard_BG_Image(CardPicture::fromImage(red));
    page.setCard_BG_Image_Layout(layout);
    page.setCard_alpha_Stepper(alpha);
    return page;
}

TEST(CardBackground, OutlineByCardShape) {
    // Shapes other than 1 (rounded, radius 10) and 2 (oval) are rectangles.
    for (int shape : {0, 3, -1, 1, 2}) {
        const QImage image = paint(filledWith(Qt::red), shape);
        const bool rectangular = shape != 1 && shape != 2;
        EXPECT_EQ(image.pixelColor(0, 0), rectangular ? QColor(Qt::red) : kClear) << shape;
        EXPECT_EQ(image.pixelColor(100, 60), QColor(Qt::red)) << shape;
    }
    const QImage rounded = paint(filledWith(Qt::red), 1);
    EXPECT_EQ(rounded.pixelColor(1, 1), kClear);
    EXPECT_EQ(rounded.pixelColor(100, 0), QColor(Qt::red));
}

TEST(CardBackground, FillOffOrPictureMissingLeavesTheWhiteBase) {
    for (const char* style : {"S", "G", "H", "I", "X"}) {
        Card_Property page = withPicture(QStringLiteral("Stretch"));
        page.setCard_fill_style(QString::fromLatin1(style));
        page.setCard_fill_clr(Qt::red);
        page.setCard_fill_chk(false);
        const QImage image = paint(page, 2);
        EXPECT_EQ(image.pixelColor(100, 60), QColor(Qt::white)) << style;
        EXPECT_EQ(image.pixelColor(1, 1), kClear) << style;
    }
    for (const char* layout : {"Tile", "Stretch"}) {
        Card_Property page = filledWith(Qt::red, QStringLiteral("I"));
        page.setCard_BG_Image_Layout(QString::fromLatin1(layout));
        EXPECT_EQ(paint(page, 0).pixelColor(100, 60), QColor(Qt::white)) << layout;
    }
}

TEST(CardBackground, StretchedPictureCoversTheWholeCanvasTiledStaysInTheOutline) {
    for (int shape : {1, 2}) {
        const QImage stretched = paint(withPicture(QStringLiteral("Stretch")), shape);
        EXPECT_EQ(stretched.pixelColor(0, 0), QColor(Qt::red)) << shape;
        const QImage tiled = paint(withPicture(QStringLiteral("Tile")), shape);
        EXPECT_EQ(tiled.pixelColor(0, 0), kClear) << shape;
        EXPECT_EQ(tiled.pixelColor(100, 60), QColor(Qt::red)) << shape;
    }
    // A partial rectangle still stretches the picture over the whole canvas.
    const QImage part = paint(withPicture(QStringLiteral("Stretch")), 0, {}, {0, 0, 50, 50});
    EXPECT_EQ(part.pixelColor(190, 110), QColor(Qt::red));
}

TEST(CardBackground, TilesRepeatAtThePictureSizeInPoints) {
    QImage dot(10, 10, QImage::Format_ARGB32);
    dot.fill(Qt::white);
    dot.setPixelColor(0, 0, Qt::black);
    Card_Property page = withPicture(QStringLiteral("Tile"));
    page.setCard_BG_Image(CardPicture::fromImage(dot, QSizeF(20, 20)));
    const QImage image = paint(page, 0);
    EXPECT_EQ(image.pixelColor(41, 21), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(10, 0), QColor(Qt::white));
}

TEST(CardBackground, PictureTakesTheCardOpacity) {
    struct {
        const char* layout;
        float alpha;
        QColor centre;
    } cases[] = {{"Tile", 0.5f, QColor(255, 127, 127)},
                 {"Stretch", 0.5f, QColor(255, 127, 127)},
                 {"Tile", 3.0f, Qt::red},
                 {"Stretch", 0.0f, Qt::white}};
    for (const auto& c : cases) {
        const QColor got =
            paint(withPicture(QString::fromLatin1(c.layout), c.alpha), 0).pixelColor(100, 60);
        EXPECT_NEAR(got.green(), c.centre.green(), 2) << c.layout << " " << c.alpha;
        EXPECT_EQ(got.red(), 255) << c.layout << " " << c.alpha;
    }
}

TEST(CardBackground, GradientEndColoursAtZeroAndNinetyDegrees) {
    Card_Property page = filledWith(Qt::white, QStringLiteral("G"));
    page.setCard_fill_Grd_1_clr(Qt::red);
    page.setCard_fill_Grd_2_clr(Qt::blue);
    // Angle, then the pixels nearest the start and the end colour.
    struct {
        int angle;
        QPoint start, end;
    } cases[] = {{0, {0, 60}, {199, 60}}, {90, {100, 0}, {100, 119}}};
    for (const auto& c : cases) {
        page.setCard_grad_Stepper(c.angle);
        const QImage image = paint(page, 0);
        EXPECT_GE(image.pixelColor(c.start).red(), 250) << c.angle;
        EXPECT_GE(image.pixelColor(c.end).blue(), 250) << c.angle;
    }
}

TEST(CardBackground, HatchPatternOverItsBackgroundColour) {
    QTemporaryDir resources;
    QDir(resources.path()).mkpath(QStringLiteral("Fill_Style_Image"));
    QImage dot(4, 4, QImage::Format_ARGB32);
    dot.fill(Qt::white);
    dot.setPixelColor(0, 0, Qt::black);
    dot.save(resources.filePath(QStringLiteral("Fill_Style_Image/dots.png")));
    Card_Property page = filledWith(Qt::white, QStringLiteral("H"));
    page.setCard_hatch_bk_clr(Qt::green);
    page.setCard_hatch_style(QStringLiteral("dots"));
    const QImage image = paint(page, 0, resources.path());
    EXPECT_EQ(image.pixelColor(8, 4), QColor(Qt::black)) << "repeats from the card origin";
    EXPECT_EQ(image.pixelColor(9, 4), QColor(Qt::white));
    // Missing, or outside the pattern folder: the background colour alone.
    dot.save(resources.filePath(QStringLiteral("outside.png")));
    for (const char* name : {"missing", "../outside", "..\\outside"}) {
        page.setCard_hatch_style(QString::fromLatin1(name));
        EXPECT_EQ(paint(page, 0, resources.path()).pixelColor(8, 4), QColor(Qt::green)) << name;
    }
}

// Inked (positive) and white (negative) run lengths along row y, the last
// run cut off.
std::vector<int> runsAlong(const QImage& image, int y, int x0, int x1) {
    std::vector<int> runs;
    int length = 0;
    for (int x = x0; x < x1; ++x, ++length) {
        const bool inked = qGray(image.pixel(x, y)) < 200;
        if (x > x0 && inked != (qGray(image.pixel(x - 1, y)) < 200)) {
            runs.push_back(inked ? -length : length);
            length = 0;
        }
    }
    return runs;
}

TEST(CardBackground, BorderDashLengthsInPointsAlongTheTopEdge) {
    struct {
        const char* style;
        int width;
        std::vector<int> runs;
    } cases[] = {{"DA", 2, {8, -2, 8, -2, 8}},
                 {"DA", 1, {8, -2, 8, -2}},
                 {"DO", 3, {4, -6, 4, -6}},
                 {"DD", 2, {24, -10, 6, -10, 24}},
                 {"DDD", 2, {24, -8, 8, -8, 8, -8, 24}},
                 {"Q", 2, {}},
                 {"S", 2, {}}};
    for (const auto& c : cases) {
        Card_Property page;
        page.setCard_border_chk(true);
        page.setCard_bordr_clr(QColor(10, 20, 200));
        page.setCard_alpha_Stepper(0.25f); // the border ignores the card opacity
        page.setCard_bor_Stepper(c.width);
        page.setCard_border_style(QString::fromLatin1(c.style));
        const QImage image = paint(page, 0, {}, QRectF(10, 10, 180, 100));
        std::vector<int> runs = runsAlong(image, 10, 10, 190);
        runs.resize(std::min(runs.size(), c.runs.size()));
        EXPECT_EQ(runs, c.runs) << c.style << " width " << c.width;
        if (c.width > 1) {
            EXPECT_EQ(image.pixelColor(11, 10), QColor(10, 20, 200)) << c.style;
        }
    }
}

TEST(CardBackground, AnySideButZeroPaintsTheBackRecord) {
    drawingtest::RenderInputsGuard guard(kCard);
    CardRenderInputs::setPageRecord(0, filledWith(Qt::red));
    CardRenderInputs::setPageRecord(1, filledWith(Qt::blue));
    for (int side : {0, 1, 7}) {
        Card_Front_Or_Back = side;
        QImage image(kCard.toSize(), QImage::Format_ARGB32);
        QPainter painter(&image);
        Card_Base_Drawing(painter, QRectF(QPointF(0, 0), kCard), CardBackgroundInputs::current());
        EXPECT_EQ(image.pixelColor(50, 50), side == 0 ? QColor(Qt::red) : QColor(Qt::blue));
    }
}

} // namespace
