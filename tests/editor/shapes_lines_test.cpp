// Line hit test by distance and line drawing (geometry, handles and the
// archive round trip are with the record and archive tests).

#include "editor/model/SKTLine.h"
#include "editor_test_support.h"
#include "objects_test_support.h"

#include <cmath>

namespace {

std::shared_ptr<SKTLine> lineFrom(const QPointF& b, const QPointF& e) {
    auto line = std::make_shared<SKTLine>();
    line->setBeginPoint(b);
    line->setEndPoint(e);
    return line;
}

} // namespace

TEST(LineObject, HitTestByDistanceFromTheLine) {
    // Flat line, stroke 1: tolerance 2.5.
    auto flat = lineFrom({10, 50}, {110, 50});
    EXPECT_TRUE(flat->isContentsUnderPoint({60, 47.5}));
    EXPECT_FALSE(flat->isContentsUnderPoint({60, 47.4}));
    EXPECT_TRUE(flat->isContentsUnderPoint({60, 52.5}));
    // A steep line: 2 points beside it is a hit, 4 is not.
    auto steep = lineFrom({0, 0}, {10, 100});
    EXPECT_TRUE(steep->isContentsUnderPoint({7, 50}));
    EXPECT_FALSE(steep->isContentsUnderPoint({9, 50}));
    // A thicker stroke widens the tolerance.
    steep->_strokeWidth = 6;
    EXPECT_TRUE(steep->isContentsUnderPoint({9, 50}));
    // A line of no length is hit near its point only.
    auto dot = lineFrom({5, 5}, {5, 5});
    EXPECT_TRUE(dot->isContentsUnderPoint({6, 6}));
    EXPECT_FALSE(dot->isContentsUnderPoint({8.5, 5}));
}

TEST(LineObject, NeverFilledAlwaysStroked) {
    auto line = lineFrom({10, 10}, {90, 90});
    line->_isDrawingFill = true;
    line->_isDrawingStroke = false;
    line->_fillColor = Qt::red;
    line->_strokeColor = Qt::blue;
    line->_strokeWidth = 4;
    const QImage image = objtest::render(*line, {100, 100});
    bool blue = false;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            EXPECT_NE(image.pixel(x, y), qRgb(255, 0, 0));
            blue = blue || image.pixel(x, y) == qRgb(0, 0, 255);
        }
    }
    EXPECT_TRUE(blue);
    EXPECT_EQ(image.pixel(15, 85), qRgb(255, 255, 255));
}

TEST(LineObject, CapStyleDecidesTheEnds) {
    auto line = lineFrom({20, 20}, {80, 20});
    line->_strokeWidth = 10;
    EXPECT_EQ(objtest::render(*line, {100, 40}).pixel(83, 20), qRgb(255, 255, 255)); // flat
    line->_line_cap_style = 2;                                                       // square
    EXPECT_NE(objtest::render(*line, {100, 40}).pixel(83, 20), qRgb(255, 255, 255));
    line->ctrl_is_visible = false;
    EXPECT_TRUE(objtest::isWhite(objtest::render(*line, {100, 40})));
}
