#include "platform/CardPicture.h"
#include "platform/CardUnits.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

QImage filledImage(QSize pixels, double dpi, QColor colour) {
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(colour);
    CardUnits::markResolution(image, dpi);
    return image;
}

// A 50 x 30 point vector picture: a red 20 x 10 rectangle at (10, 10).
CardPicture redRectangle(int* draws = nullptr) {
    return CardPicture::fromDrawer(QSizeF(50, 30), [draws](QPainter& painter) {
        if (draws) {
            ++*draws;
        }
        painter.fillRect(QRectF(10, 10, 20, 10), Qt::red);
    });
}

QImage whiteCanvas(QSize size) {
    QImage canvas(size, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::white);
    return canvas;
}

TEST(CardPicture, RasterSizeInPointsComesFromItsResolution) {
    struct Case {
        QSize pixels;
        double dpi;
        QSizeF points;
    };
    for (const Case c : {Case{{600, 600}, 600, {72, 72}}, Case{{600, 300}, 300, {144, 72}},
                         Case{{100, 40}, 72, {100, 40}}, Case{{300, 150}, 150, {144, 72}}}) {
        const CardPicture picture = CardPicture::fromImage(filledImage(c.pixels, c.dpi, Qt::red));
        ASSERT_TRUE(picture.isRaster());
        EXPECT_NEAR(picture.size().width(), c.points.width(), 1e-9) << c.dpi;
        EXPECT_NEAR(picture.size().height(), c.points.height(), 1e-9) << c.dpi;
    }
    const CardPicture shown =
        CardPicture::fromImage(filledImage({10, 10}, 72, Qt::red), QSizeF(40, 20));
    EXPECT_EQ(shown.size(), QSizeF(40, 20));
}

TEST(CardPicture, NoneForUnusableInput) {
    EXPECT_TRUE(CardPicture().isNull());
    EXPECT_TRUE(CardPicture::fromImage(QImage()).isNull());
    EXPECT_TRUE(CardPicture::fromImage(filledImage({4, 4}, 72, Qt::red), QSizeF(0, 4)).isNull());
    EXPECT_TRUE(
        CardPicture::fromImage(filledImage({4, 4}, 72, Qt::red), QSizeF(qInf(), 4)).isNull());
    EXPECT_TRUE(CardPicture::fromDrawer(QSizeF(10, 10), {}).isNull());
    EXPECT_TRUE(CardPicture::fromDrawer(QSizeF(-1, 10), [](QPainter&) {}).isNull());
    EXPECT_TRUE(redRectangle().toImage(0).isNull());
    EXPECT_TRUE(redRectangle().toImage(-2).isNull());
    EXPECT_TRUE(CardPicture().toImage(1).isNull());
}

TEST(CardPicture, VectorToImageAtScaleTwo) {
    const CardPicture picture = redRectangle();
    ASSERT_TRUE(picture.isVector());
    const QImage image = picture.toImage(2.0);
    ASSERT_EQ(image.size(), QSize(100, 60));
    EXPECT_DOUBLE_EQ(CardUnits::imageDpiX(image), 144.0);
    EXPECT_EQ(CardUnits::imageSizeInPoints(image), QSizeF(50, 30));
    // The rectangle covers pixels 20..59 x 20..39; the rest stays transparent.
    struct Probe {
        QPoint at;
        bool red;
    };
    for (const Probe p : {Probe{{20, 20}, true}, Probe{{59, 39}, true}, Probe{{40, 30}, true},
                          Probe{{19, 30}, false}, Probe{{60, 30}, false}, Probe{{40, 40}, false},
                          Probe{{5, 5}, false}}) {
        const QColor colour = image.pixelColor(p.at);
        if (p.red) {
            EXPECT_EQ(colour, QColor(Qt::red)) << p.at.x() << "," << p.at.y();
        } else {
            EXPECT_EQ(colour.alpha(), 0) << p.at.x() << "," << p.at.y();
        }
    }
    // A raster comes back at its size in points too.
    const QImage raster =
        CardPicture::fromImage(filledImage({600, 600}, 600, Qt::blue)).toImage(1.0);
    EXPECT_EQ(raster.size(), QSize(72, 72));
    EXPECT_EQ(raster.pixelColor(36, 36), QColor(Qt::blue));
}

TEST(CardPicture, DrawsStretchedIntoTheTarget) {
    int draws = 0;
    const CardPicture vector = redRectangle(&draws);
    QImage canvas = whiteCanvas({300, 200});
    {
        QPainter painter(&canvas);
        // Target twice as wide and as high: the rectangle lands at
        // (100 + 20, 50 + 20) with size 40 x 20.
        vector.draw(painter, QRectF(100, 50, 100, 60));
        vector.draw(painter, QRectF(0, 0, 0, 10)); // an empty target draws nothing
    }
    EXPECT_EQ(draws, 1);
    EXPECT_EQ(canvas.pixelColor(121, 71), QColor(Qt::red));
    EXPECT_EQ(canvas.pixelColor(159, 89), QColor(Qt::red));
    EXPECT_EQ(canvas.pixelColor(119, 71), QColor(Qt::white));
    EXPECT_EQ(canvas.pixelColor(161, 71), QColor(Qt::white));
    EXPECT_EQ(canvas.pixelColor(121, 91), QColor(Qt::white));

    // A raster drawn at its own size from an origin.
    const CardPicture raster = CardPicture::fromImage(filledImage({20, 20}, 144, Qt::blue));
    QImage second = whiteCanvas({40, 40});
    {
        QPainter painter(&second);
        raster.draw(painter, QPointF(5, 5));
    }
    EXPECT_EQ(second.pixelColor(5, 5), QColor(Qt::blue));
    EXPECT_EQ(second.pixelColor(14, 14), QColor(Qt::blue));
    EXPECT_EQ(second.pixelColor(16, 16), QColor(Qt::white));
}

} // namespace
