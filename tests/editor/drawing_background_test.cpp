// The card background: white base in the card's shape, the four fills, the
// border styles, and the side whose record is painted.
#include "drawing_test_support.h"
#include "editor/render/Card_Base_Drawing.h"
#include "mainwindow/core/globals.h"

#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using drawingtest::near;

const QSizeF kCard(200, 120);

QImage transparentRaster(const QSizeF& size = kCard) {
    QImage image(size.toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage paintBackground(const Card_Property& page, int shape, const QString& resources = {},
                       const QRectF& rect = QRectF(QPointF(0, 0), kCard)) {
    QImage image = transparentRaster();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    Card_Base_Drawing(painter, rect, page, shape, kCard, resources);
    painter.end();
    return image;
}

QColor at(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

Card_Property filled(const QString& style, const QColor& color = Qt::red) {
    Card_Property page;
    page.setCard_fill_chk(true);
    page.setCard_fill_style(style);
    page.setCard_fill_clr(color);
    return page;
}

CardPicture redPicture() {
    QImage image(10, 10, QImage::Format_ARGB32);
    image.fill(Qt::red);
    return CardPicture::fromImage(image);
}

TEST(CardBackgroundShape, OutlineByCardShape) {
    struct Case {
        int shape;
        bool cornerPainted;
    } cases[] = {{0, true}, {3, true}, {-1, true}, {1, false}, {2, false}};
    for (const Case& c : cases) {
        const QImage image = paintBackground(filled(QStringLiteral("S")), c.shape);
        EXPECT_EQ(at(image, 0, 0) == QColor(Qt::red), c.cornerPainted) << "shape " << c.shape;
        EXPECT_EQ(at(image, 0, 0).alpha() == 0, !c.cornerPainted) << "shape " << c.shape;
        EXPECT_EQ(at(image, 100, 60), QColor(Qt::red)) << "shape " << c.shape;
    }
    // The rounded card is rounded by 10 points: 3 points in along the
    // diagonal is still outside, the middle of an edge is inside.
    const QImage rounded = paintBackground(filled(QStringLiteral("S")), 1);
    EXPECT_EQ(at(rounded, 1, 1).alpha(), 0);
    EXPECT_EQ(at(rounded, 100, 0), QColor(Qt::red));
    EXPECT_EQ(at(rounded, 0, 60), QColor(Qt::red));
}

TEST(CardBackgroundFill, FillOffLeavesTheWhiteBaseWhateverTheStyle) {
    for (const char* style : {"S", "G", "H", "I", "X"}) {
        Card_Property page = filled(QString::fromLatin1(style));
        page.setCard_fill_chk(false);
        page.setCard_fill_Grd_1_clr(Qt::red);
        page.setCard_fill_Grd_2_clr(Qt::blue);
        page.setCard_hatch_bk_clr(Qt::green);
        page.setCard_BG_Image(redPicture());
        const QImage image = paintBackground(page, 2);
        EXPECT_EQ(at(image, 100, 60), QColor(Qt::white)) << style;
        EXPECT_EQ(at(image, 1, 1).alpha(), 0) << style << ": nothing outside the oval";
    }
}

TEST(CardBackgroundFill, PictureFillWithoutAPictureLeavesWhite) {
    Card_Property page = filled(QStringLiteral("I"));
    page.setCard_BG_Image_Layout(QStringLiteral("Tile"));
    EXPECT_EQ(at(paintBackground(page, 0), 100, 60), QColor(Qt::white));
    page.setCard_BG_Image_Layout(QStringLiteral("Stretch"));
    EXPECT_EQ(at(paintBackground(page, 0), 100, 60), QColor(Qt::white));
}

TEST(CardBackgroundFill, StretchedPictureCoversTheCornersTiledDoesNot) {
    Card_Property page = filled(QStringLiteral("I"));
    page.setCard_BG_Image(redPicture());
    for (int shape : {1, 2}) {
        page.setCard_BG_Image_Layout(QStringLiteral("Stretch"));
        const QImage stretched = paintBackground(page, shape);
        EXPECT_EQ(at(stretched, 0, 0), QColor(Qt::red)) << shape;
        EXPECT_EQ(at(stretched, 199, 119), QColor(Qt::red)) << shape;
        page.setCard_BG_Image_Layout(QStringLiteral("Tile"));
        const QImage tiled = paintBackground(page, shape);
        EXPECT_EQ(at(tiled, 0, 0).alpha(), 0) << shape;
        EXPECT_EQ(at(tiled, 100, 60), QColor(Qt::red)) << shape;
    }
}

TEST(CardBackgroundFill, StretchedPictureFillsTheFrontCanvasNotTheGivenRectangle) {
    Card_Property page = filled(QStringLiteral("I"));
    QImage picture(2, 1, QImage::Format_ARGB32);
    picture.setPixelColor(0, 0, Qt::red);
    picture.setPixelColor(1, 0, Qt::blue);
    page.setCard_BG_Image(CardPicture::fromImage(picture));
    // A partial rectangle still stretches the picture over the whole card.
    const QImage image = paintBackground(page, 0, {}, QRectF(0, 0, 50, 50));
    EXPECT_EQ(at(image, 10, 100).red(), 255);
    EXPECT_EQ(at(image, 190, 100).blue(), 255);
}

TEST(CardBackgroundFill, PictureTakesTheCardOpacity) {
    Card_Property page = filled(QStringLiteral("I"));
    page.setCard_BG_Image(redPicture());
    page.setCard_alpha_Stepper(0.5f);
    for (const char* layout : {"Tile", "Stretch"}) {
        page.setCard_BG_Image_Layout(QString::fromLatin1(layout));
        const QImage image = paintBackground(page, 0);
        EXPECT_TRUE(near(at(image, 100, 60), QColor(255, 128, 128), 2))
            << layout << " " << at(image, 100, 60).name().toStdString();
    }
    page.setCard_alpha_Stepper(3.0f); // 1 or more is opaque
    EXPECT_EQ(at(paintBackground(page, 0), 100, 60), QColor(Qt::red));
    page.setCard_alpha_Stepper(0.0f);
    EXPECT_EQ(at(paintBackground(page, 0), 100, 60), QColor(Qt::white));
}

TEST(CardBackgroundFill, GradientEndColoursAtZeroAndNinetyDegrees) {
    Card_Property page = filled(QStringLiteral("G"));
    page.setCard_fill_Grd_1_clr(Qt::red);
    page.setCard_fill_Grd_2_clr(Qt::blue);
    page.setCard_grad_Stepper(0);
    const QImage across = paintBackground(page, 0);
    EXPECT_TRUE(near(at(across, 0, 60), Qt::red, 4));
    EXPECT_TRUE(near(at(across, 199, 60), Qt::blue, 4));
    EXPECT_TRUE(near(at(across, 0, 0), at(across, 0, 119), 1)) << "no change downwards";
    page.setCard_grad_Stepper(90);
    const QImage down = paintBackground(page, 0);
    EXPECT_TRUE(near(at(down, 100, 0), Qt::red, 4)) << "starts at the top";
    EXPECT_TRUE(near(at(down, 100, 119), Qt::blue, 4));
}

TEST(CardBackgroundFill, HatchPatternOverItsBackgroundColour) {
    QTemporaryDir resources;
    drawingtest::writeHatchPattern(resources, QStringLiteral("dots"), 4);
    Card_Property page = filled(QStringLiteral("H"));
    page.setCard_hatch_bk_clr(Qt::green);
    page.setCard_hatch_style(QStringLiteral("dots"));
    const QImage image = paintBackground(page, 0, resources.path());
    // The pattern is opaque white with a black dot every 4 points from the
    // card's origin.
    EXPECT_EQ(at(image, 0, 0), QColor(Qt::black));
    EXPECT_EQ(at(image, 8, 4), QColor(Qt::black));
    EXPECT_EQ(at(image, 9, 4), QColor(Qt::white));

    page.setCard_hatch_style(QStringLiteral("missing"));
    const QImage fallback = paintBackground(page, 0, resources.path());
    EXPECT_EQ(at(fallback, 0, 0), QColor(Qt::green));
    EXPECT_EQ(at(fallback, 9, 4), QColor(Qt::green));
}

// Lengths of the alternating inked and white runs along row y from x0 (the
// last run, cut by x1, is left out).
std::vector<int> runsAlong(const QImage& image, int y, int x0, int x1) {
    auto inked = [&](int x) { return qGray(image.pixel(x, y)) < 200; };
    std::vector<int> runs;
    bool painted = inked(x0);
    int length = 0;
    for (int x = x0; x < x1; ++x) {
        const bool p = inked(x);
        if (p == painted) {
            ++length;
        } else {
            runs.push_back(painted ? length : -length);
            painted = p;
            length = 1;
        }
    }
    return runs;
}

TEST(CardBackgroundBorder, DashLengthsInPointsAlongTheTopEdge) {
    struct Case {
        const char* style;
        int width;
        std::vector<int> runs; // painted positive, gaps negative
    } cases[] = {
        {"DA", 2, {8, -2, 8, -2, 8, -2}},
        {"DA", 1, {8, -2, 8, -2}},
        {"DO", 2, {4, -6, 4, -6}},
        {"DD", 2, {24, -10, 6, -10, 24}},
        {"DDD", 2, {24, -8, 8, -8, 8, -8, 24}},
    };
    for (const Case& c : cases) {
        Card_Property page;
        page.setCard_border_chk(true);
        page.setCard_bordr_clr(Qt::black);
        page.setCard_bor_Stepper(c.width);
        page.setCard_border_style(QString::fromLatin1(c.style));
        // The outline from (10, 10): the top edge runs along row 10.
        const QImage image = paintBackground(page, 0, {}, QRectF(10, 10, 180, 100));
        std::vector<int> runs = runsAlong(image, 10, 10, 190);
        runs.resize(std::min(runs.size(), c.runs.size()));
        EXPECT_EQ(runs, c.runs) << c.style << " width " << c.width;
    }
}

TEST(CardBackgroundBorder, UnknownStyleIsSolidInItsOwnColour) {
    Card_Property page;
    page.setCard_border_chk(true);
    page.setCard_bordr_clr(QColor(10, 20, 200));
    page.setCard_bor_Stepper(2);
    page.setCard_alpha_Stepper(0.25f); // the border ignores the card opacity
    for (const char* style : {"Q", "S", ""}) {
        page.setCard_border_style(QString::fromLatin1(style));
        const QImage image = paintBackground(page, 0, {}, QRectF(10, 10, 180, 100));
        EXPECT_EQ(runsAlong(image, 10, 10, 190), std::vector<int>{}) << style;
        EXPECT_EQ(at(image, 100, 10), QColor(10, 20, 200)) << style;
        EXPECT_EQ(at(image, 100, 60), QColor(Qt::white)) << style;
    }
}

TEST(CardBackgroundSide, BackSideUsesTheBackRecord) {
    drawingtest::RenderInputsGuard guard(kCard);
    CardRenderInputs::setPageRecord(0, filled(QStringLiteral("S"), Qt::red));
    CardRenderInputs::setPageRecord(1, filled(QStringLiteral("S"), Qt::blue));
    auto paintCurrent = [] {
        QImage image = transparentRaster();
        QPainter painter(&image);
        Card_Base_Drawing(painter, QRectF(QPointF(0, 0), kCard), CardBackgroundInputs::current());
        return image;
    };
    EXPECT_EQ(at(paintCurrent(), 50, 50), QColor(Qt::red));
    Card_Front_Or_Back = 1;
    EXPECT_EQ(at(paintCurrent(), 50, 50), QColor(Qt::blue));
    Card_Front_Or_Back = 7; // any value but 0 is the back
    EXPECT_EQ(at(paintCurrent(), 50, 50), QColor(Qt::blue));
}

} // namespace
