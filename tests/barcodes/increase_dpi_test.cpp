// Re-rastering 2D barcode pictures at a chosen resolution.

#include "barcodes/IncreaseDpi.h"
#include "platform/CardUnits.h"

#include <QPainter>
#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

QStringList g_messages;

void recordMessage(QtMsgType, const QMessageLogContext&, const QString& text) {
    g_messages.append(text);
}

// Collects log lines for the life of the object.
class LogCapture {
public:
    LogCapture() {
        g_messages.clear();
        m_previous = qInstallMessageHandler(recordMessage);
    }
    ~LogCapture() { qInstallMessageHandler(m_previous); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;
    QStringList messages() const { return g_messages; }

private:
    QtMessageHandler m_previous = nullptr;
};

// A checkerboard of n x n squares, one pixel each, shown at `points`.
CardPicture checkerboard(int n, const QSizeF& points) {
    QImage image(n, n, QImage::Format_ARGB32);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            image.setPixel(x, y, (x + y) % 2 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        }
    }
    return CardPicture::fromImage(image, points);
}

} // namespace

TEST(IncreaseDpi, PixelCountFollowsResolutionSizeStays) {
    struct Case {
        QSizeF points;
        int dpi;
        QSize pixels;
    };
    const Case cases[] = {
        {{100.5, 20}, 300, {419, 84}}, // ceilings of 418.75 and 83.33
        {{60, 60}, 600, {500, 500}},   {{72, 36}, 72, {72, 36}},
        {{1, 1}, 1, {1, 1}},           {{10, 10}, 144, {20, 20}},
    };
    for (const Case& c : cases) {
        for (const bool vector : {false, true}) {
            const CardPicture source =
                vector
                    ? CardPicture::fromDrawer(c.points,
                                              [](QPainter& painter) {
                                                  painter.fillRect(QRectF(0, 0, 1, 1), Qt::black);
                                              })
                    : checkerboard(4, c.points);
            const CardPicture result = Increase_DPI(source, c.dpi);
            ASSERT_FALSE(result.isNull()) << c.dpi;
            EXPECT_TRUE(result.isRaster());
            EXPECT_EQ(result.image().size(), c.pixels) << c.dpi << " vector " << vector;
            EXPECT_EQ(result.size(), c.points) << c.dpi;
            EXPECT_NEAR(CardUnits::imageDpiX(result.image()), c.dpi, 0.5);
            EXPECT_NEAR(CardUnits::imageDpiY(result.image()), c.dpi, 0.5);
        }
    }
}

TEST(IncreaseDpi, CheckerboardStaysTwoColoured) {
    for (const int dpi : {300, 600, 97}) {
        const CardPicture result = Increase_DPI(checkerboard(21, QSizeF(21, 21)), dpi);
        ASSERT_FALSE(result.isNull());
        const QImage image = result.image().convertToFormat(QImage::Format_ARGB32);
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                colours.insert(image.pixel(x, y));
            }
        }
        EXPECT_EQ(colours, (QSet<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)})) << dpi;
        // Nearest neighbour: the top left square is white, its neighbour black.
        const int cell = image.width() / 21;
        EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
        EXPECT_EQ(image.pixel(cell + 1, 0), qRgb(0, 0, 0)) << dpi;
    }
}

TEST(IncreaseDpi, TransparentMarginStaysTransparent) {
    QImage image(3, 3, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    image.setPixel(1, 1, qRgba(0, 0, 0, 255));
    const CardPicture result = Increase_DPI(CardPicture::fromImage(image, QSizeF(3, 3)), 144);
    ASSERT_FALSE(result.isNull());
    const QImage out = result.image().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(out.pixel(0, 0)), 0);
    EXPECT_EQ(out.pixel(2, 2), qRgba(0, 0, 0, 255));
}

TEST(IncreaseDpi, InvalidInputGivesNoneAndALogLine) {
    const CardPicture good = checkerboard(2, QSizeF(10, 10));
    const std::pair<CardPicture, int> cases[] = {{good, 0}, {good, -300}, {CardPicture(), 300}};
    for (const auto& [picture, dpi] : cases) {
        LogCapture log;
        EXPECT_TRUE(Increase_DPI(picture, dpi).isNull()) << dpi;
        EXPECT_TRUE(log.messages().contains(QStringLiteral("Invalid image"))) << dpi;
    }
}
