// Paths, hit tests and renders of the basic shapes.

#include "editor/model/Shape_Control.h"
#include "editor_test_support.h"
#include "objects_test_support.h"

#include <QSet>
#include <cmath>
#include <numbers>

namespace {

std::shared_ptr<Shape_Control> shape(const QString& letter,
                                     const QRectF& bounds = {0, 0, 100, 100}) {
    auto s = makeGraphic<Shape_Control>(bounds);
    s->_shape_type = letter;
    return s;
}

// Vertices of a closed polygon path (the closing element left out).
QList<QPointF> vertices(const QPainterPath& path) {
    QList<QPointF> points;
    for (int i = 0; i < path.elementCount(); ++i) {
        points.append(path.elementAt(i));
    }
    if (points.size() > 1 && points.front() == points.back()) {
        points.removeLast();
    }
    return points;
}

struct VertexCase {
    const char* letter;
    int doubleStar;
    int polygon;
    int expectedVertices;
};

} // namespace

TEST(ShapeVertices, CountsByLetterAndType) {
    const VertexCase cases[] = {
        {"S", 1, 1, 5},        {"DS", 1, 1, 7},    {"DS", 2, 1, 9},      {"DS", 5, 1, 15},
        {"DS", 6, 1, 6},       {"DS", 0, 1, 0},    {"DS", -3, 1, 0},     {"P", 1, 1, 8},
        {"P", 1, 2, 10},       {"P", 1, 5, 16},    {"P", 1, 8, 8},       {"P", 1, 7, 7},
        {"T", 1, 1, 3},        {"D", 1, 1, 4},     {"X", 1, 1, 0},       {"", 1, 1, 0},
        {"DS", 1000, 1, 1000}, {"DS", 1001, 1, 0}, {"P", 1, 5000000, 0},
    };
    for (const VertexCase& c : cases) {
        auto s = shape(QString::fromLatin1(c.letter));
        s->double_star_type = c.doubleStar;
        s->polygon_type = c.polygon;
        EXPECT_EQ(vertices(s->bezierPathForDrawing()).size(), c.expectedVertices)
            << c.letter << " " << c.doubleStar << " " << c.polygon;
    }
}

TEST(ShapeVertices, PolygonTypeTwoIsARegularPentagonFromTheTop) {
    auto s = shape("P");
    s->polygon_type = 2;
    const QList<QPointF> points = vertices(s->bezierPathForDrawing());
    ASSERT_EQ(points.size(), 10);
    EXPECT_NEAR(points[0].x(), 50, 1e-9);
    EXPECT_NEAR(points[0].y(), 0, 1e-9);
    for (int i = 0; i < 5; ++i) {
        // Every corner visited twice, neighbours 72 degrees apart.
        EXPECT_NEAR(QLineF(points[i], points[i + 5]).length(), 0, 1e-9);
        const double a = std::atan2(points[i].y() - 50, points[i].x() - 50);
        const double b = std::atan2(points[i + 1].y() - 50, points[i + 1].x() - 50);
        double step = std::remainder(b - a, 2 * std::numbers::pi) * 180 / std::numbers::pi;
        EXPECT_NEAR(std::abs(step), 72, 1e-6);
    }
}

TEST(ShapeVertices, TriangleAndDiamondUseTheBoundsEdges) {
    const QList<QPointF> triangle = vertices(shape("T", {10, 10, 60, 30})->bezierPathForDrawing());
    EXPECT_EQ(triangle, (QList<QPointF>{{10, 40}, {40, 10}, {70, 40}}));
    const QList<QPointF> diamond = vertices(shape("D", {10, 10, 60, 30})->bezierPathForDrawing());
    EXPECT_EQ(diamond, (QList<QPointF>{{10, 25}, {40, 10}, {70, 25}, {40, 40}}));
}

TEST(ShapeRendering, StarCentreIsFilled) {
    auto s = shape("S");
    s->_fillColor = Qt::red;
    s->_isDrawingStroke = false;
    const QImage image = objtest::render(*s, {100, 100});
    EXPECT_EQ(image.pixel(50, 50), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(3, 3), qRgb(255, 255, 255));
    for (int type : {1, 2, 3}) {
        s->_shape_type = "DS";
        s->double_star_type = type;
        EXPECT_TRUE(s->isContentsUnderPoint(QPointF(50, 50))) << type;
    }
}

TEST(ShapeRendering, HiddenOrUnknownShapesDrawNothing) {
    auto hidden = shape("R");
    hidden->ctrl_is_visible = false;
    EXPECT_TRUE(objtest::isWhite(objtest::render(*hidden, {110, 110})));
    auto unknown = shape("?");
    unknown->_fillColor = Qt::red;
    EXPECT_TRUE(objtest::isWhite(objtest::render(*unknown, {110, 110})));
}

// Lengths of the painted and empty runs along a row, from the first ink.
QList<int> runsAlongRow(const QImage& image, int y, int from, int to) {
    QList<int> runs;
    bool inInk = true;
    int length = 0;
    for (int x = from; x < to; ++x) {
        const bool ink = image.pixel(x, y) != qRgb(255, 255, 255);
        if (ink == inInk) {
            ++length;
        } else {
            runs.append(length);
            inInk = ink;
            length = 1;
        }
    }
    return runs;
}

struct DashCase {
    const char* style;
    double width;
    QList<int> pattern;
};

TEST(ShapeRendering, DashRunsAreInPointsWhateverTheWidth) {
    const DashCase cases[] = {
        {"DA", 3, {8, 2}}, {"DA", 1, {8, 2}}, {"DO", 3, {4, 6}}, {"DD", 2, {24, 10, 6, 10}}};
    for (const DashCase& c : cases) {
        // The top edge of a rectangle, drawn at 2 pixels per point.
        auto s = shape("R", {10, 10, 180, 40});
        s->_isDrawingFill = false;
        s->_strokeWidth = c.width;
        s->_stroke_border_type = QString::fromLatin1(c.style);
        const QImage image = objtest::render(*s, {200, 60}, 2.0);
        const QList<int> runs = runsAlongRow(image, 20, 20, 20 + 2 * 120);
        ASSERT_GE(runs.size(), c.pattern.size() * 2) << c.style;
        for (int i = 0; i < c.pattern.size() * 2; ++i) {
            EXPECT_NEAR(runs[i], 2 * c.pattern[i % c.pattern.size()], 1) << c.style << " run " << i;
        }
    }
    auto solidShape = shape("R", {10, 10, 180, 40});
    solidShape->_isDrawingFill = false;
    solidShape->_strokeWidth = 3;
    EXPECT_EQ(runsAlongRow(objtest::render(*solidShape, {200, 60}, 2.0), 20, 20, 380).size(), 0);
}

TEST(ShapeRendering, CornersAreMitered) {
    // A right-angled corner of a 10-point outline reaches 5 * sqrt(2) = 7.07
    // points beyond the vertex; a bevel would stop at 3.5, a round at 5.
    auto s = shape("D", {20, 20, 100, 100});
    s->_isDrawingFill = false;
    s->_strokeWidth = 10;
    const QImage image = objtest::render(*s, {140, 140});
    EXPECT_NE(image.pixel(14, 70), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(11, 70), qRgb(255, 255, 255));
}

TEST(ShapeRendering, GradientRunsAlongTheAngle) {
    auto s = shape("R", {0, 0, 100, 20});
    s->_isDrawingStroke = false;
    s->_fill_type = "G";
    s->_fill_Grad_clr1 = Qt::black;
    s->_fill_Grad_clr2 = Qt::white;
    const QImage across = objtest::render(*s, {100, 20});
    EXPECT_LT(qRed(across.pixel(5, 10)), 40);
    EXPECT_GT(qRed(across.pixel(95, 10)), 215);
    s->_fill_grad_angle = 180;
    const QImage back = objtest::render(*s, {100, 20});
    EXPECT_GT(qRed(back.pixel(5, 10)), 215);
    EXPECT_LT(qRed(back.pixel(95, 10)), 40);
}

TEST(ShapeRendering, HatchPaintsBackgroundThenPattern) {
    objtest::ResourceFolder resources;
    auto s = shape("R", {0, 0, 40, 40});
    s->_isDrawingStroke = false;
    s->_fill_type = "H";
    s->_fill_htch_clr = Qt::yellow;
    s->_fill_hatch_type = "Hatch1";
    const QImage image = objtest::render(*s, {40, 40});
    QSet<QRgb> colours;
    for (int y = 0; y < 8; ++y) {
        colours.insert(image.pixel(20, y));
    }
    EXPECT_TRUE(colours.contains(qRgb(255, 0, 255)));
    EXPECT_TRUE(colours.contains(qRgb(255, 255, 255)));

    // Without the pattern file only the background colour is left.
    s->_fill_hatch_type = "Missing";
    const QImage plain = objtest::render(*s, {40, 40});
    EXPECT_EQ(plain.pixel(20, 0), qRgb(255, 255, 0));
    EXPECT_EQ(plain.pixel(20, 1), qRgb(255, 255, 0));
}
