#include "platform/DrawingDefaults.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <gtest/gtest.h>

namespace {

// Lengths of the alternating on and off runs along row y, starting at the
// first inked pixel and leaving out the last (possibly cut) run.
std::vector<int> runsAlong(const QImage& image, int y) {
    std::vector<int> runs;
    int x = 0;
    while (x < image.width() && qGray(image.pixel(x, y)) > 128) {
        ++x;
    }
    bool on = true;
    int length = 0;
    for (; x < image.width(); ++x) {
        const bool ink = qGray(image.pixel(x, y)) <= 128;
        if (ink == on) {
            ++length;
        } else {
            runs.push_back(length);
            on = ink;
            length = 1;
        }
    }
    return runs;
}

struct DashCase {
    const char* style;
    double width;
    std::vector<int> pattern; // points = pixels at 72 dpi
};

void PrintTo(const DashCase& c, std::ostream* os) {
    *os << c.style << " width " << c.width;
}

class DashRuns : public ::testing::TestWithParam<DashCase> {};

TEST_P(DashRuns, MeasuredInPointsWhateverThePenWidth) {
    const DashCase& c = GetParam();
    QImage image(400, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setPen(
            DrawingDefaults::outlinePen(Qt::black, c.width, QString::fromLatin1(c.style)));
        painter.drawLine(QPointF(10, 10.5), QPointF(390, 10.5));
    }
    const std::vector<int> runs = runsAlong(image, 10);
    ASSERT_GE(runs.size(), 2 * c.pattern.size());
    for (size_t i = 0; i + 1 < runs.size(); ++i) {
        EXPECT_NEAR(runs[i], c.pattern[i % c.pattern.size()], 1) << "run " << i;
    }
    // Flat caps: the first dash starts where the line starts.
    EXPECT_EQ(qGray(image.pixel(9, 10)), 255);
    EXPECT_LT(qGray(image.pixel(10, 10)), 128);
}

INSTANTIATE_TEST_SUITE_P(Styles, DashRuns,
                         ::testing::Values(DashCase{"DA", 3, {8, 2}}, DashCase{"DA", 1, {8, 2}},
                                           DashCase{"DA", 0, {8, 2}}, DashCase{"DO", 2, {4, 6}},
                                           DashCase{"DD", 4, {24, 10, 6, 10}},
                                           DashCase{"DDD", 3, {24, 8, 8, 8, 8, 8}}));

TEST(DashRuns, SolidAndUnknownStylesDrawOneRun) {
    for (const char* style : {"S", "", "XYZ"}) {
        QImage image(200, 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.setPen(DrawingDefaults::outlinePen(Qt::black, 3, QString::fromLatin1(style)));
            painter.drawLine(QPointF(10, 10.5), QPointF(190, 10.5));
        }
        // One run of ink from 10 to 190 with flat ends, then white.
        EXPECT_EQ(runsAlong(image, 10), std::vector<int>{180}) << style;
    }
}

TEST(OutlinePen, JoinsAreMiteredUpToTenTimesTheWidth) {
    // A sharp corner: with a miter join the outline reaches well past the
    // corner point, which a bevel or round join would not.
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setPen(DrawingDefaults::outlinePen(Qt::black, 6, QStringLiteral("S")));
        QPainterPath path;
        path.moveTo(40, 150);
        path.lineTo(100, 50); // apex
        path.lineTo(160, 150);
        painter.drawPath(path);
    }
    int top = 200;
    for (int y = 0; y < 200 && top == 200; ++y) {
        if (qGray(image.pixel(100, y)) < 128) {
            top = y;
        }
    }
    // Half-angle at the apex is atan(60/100); the miter tip lies
    // (w/2) / sin(half-angle) = 3 / 0.5145 = 5.8 above the apex.
    EXPECT_NEAR(top, 50 - 5.8, 1.0);
}

TEST(Gradient, EndpointsAtAnAngleAcrossTheRectangle) {
    const QRectF rect(0, 0, 200, 100);
    struct Case {
        double degrees;
        QPointF start;
        QPointF finish;
    };
    for (const Case c : {Case{0, {0, 50}, {200, 50}}, Case{90, {100, 0}, {100, 100}},
                         Case{180, {200, 50}, {0, 50}}, Case{270, {100, 100}, {100, 0}}}) {
        const QLinearGradient g =
            DrawingDefaults::gradientAtAngle(rect, c.degrees, Qt::black, Qt::white);
        EXPECT_NEAR(g.start().x(), c.start.x(), 1e-9) << c.degrees;
        EXPECT_NEAR(g.start().y(), c.start.y(), 1e-9) << c.degrees;
        EXPECT_NEAR(g.finalStop().x(), c.finish.x(), 1e-9) << c.degrees;
        EXPECT_NEAR(g.finalStop().y(), c.finish.y(), 1e-9) << c.degrees;
    }
    // At 90 degrees the first colour is at the top in y-down coordinates.
    QImage image(200, 100, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        painter.fillRect(rect, DrawingDefaults::gradientAtAngle(rect, 90, Qt::black, Qt::white));
    }
    EXPECT_LT(qGray(image.pixel(100, 0)), 10);
    EXPECT_GT(qGray(image.pixel(100, 99)), 245);
    EXPECT_NEAR(qGray(image.pixel(0, 50)), qGray(image.pixel(199, 50)), 1);
}

TEST(FillRule, OverlappingSubpathsStayFilled) {
    // Two overlapping squares in the same direction: winding fill paints the
    // overlap, odd-even would leave a hole.
    QPainterPath path;
    path.setFillRule(DrawingDefaults::kFillRule);
    path.addRect(10, 10, 40, 40);
    path.addRect(30, 30, 40, 40);
    QImage image(80, 80, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.fillPath(path, Qt::black);
    }
    EXPECT_EQ(qGray(image.pixel(40, 40)), 0);
}

} // namespace
