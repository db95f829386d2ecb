// The shared grid: snapping, aligning, drawing, the temporary showing after a
// spacing change and the announcements the canvases and the align button
// rely on.
#include "editor/view/SKTGrid.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

struct SnapCase {
    double spacing;
    bool constraining;
    QPointF in;
    QPointF out;
};

TEST(GridSnapping, PointsSnapOnlyWhileUsableAndConstraining) {
    const SnapCase cases[] = {
        {9, true, {13.4, 4.4}, {9, 0}},      {9, true, {13.5, 4.5}, {18, 9}},
        {9, true, {-4.5, -4.6}, {0, -9}}, // halves round up, also below 0
        {10, true, {24.99, 25}, {20, 30}},   {9, false, {13.4, 4.4}, {13.4, 4.4}},
        {0, true, {13.4, 4.4}, {13.4, 4.4}}, {-5, true, {13.4, 4.4}, {13.4, 4.4}},
    };
    for (const SnapCase& c : cases) {
        SKTGrid grid;
        grid._spacing = c.spacing;
        grid.setConstraining(c.constraining);
        EXPECT_EQ(grid.constrainedPoint(c.in), c.out)
            << "spacing " << c.spacing << " constraining " << c.constraining;
    }
}

TEST(GridSnapping, NeverAnswersNonFiniteValues) {
    SKTGrid grid;
    grid.setConstraining(true);
    grid._spacing = std::numeric_limits<double>::infinity();
    const QPointF snapped = grid.constrainedPoint({13.4, 4.4});
    EXPECT_TRUE(std::isfinite(snapped.x()) && std::isfinite(snapped.y()));
    const QRectF aligned = grid.alignedRect({10, 10, 50, 50});
    EXPECT_TRUE(std::isfinite(aligned.x()) && std::isfinite(aligned.width()));
}

TEST(GridSnapping, AlignedRectRoundsOriginAndFarCorner) {
    SKTGrid grid; // not constraining: aligning does not ask
    EXPECT_EQ(grid.alignedRect({10, 10, 50, 50}), QRectF(9, 9, 54, 54));
    EXPECT_EQ(grid.alignedRect({4.4, 13.5, 0, 4.4}), QRectF(0, 18, 0, 0));
    grid._spacing = 0;
    EXPECT_EQ(grid.alignedRect({10, 10, 50, 50}), QRectF(10, 10, 50, 50));
    grid._spacing = -3;
    EXPECT_EQ(grid.alignedRect({1, 2, 3, 4}), QRectF(1, 2, 3, 4));
}

TEST(GridSnapping, DerivedAnswers) {
    SKTGrid grid;
    EXPECT_DOUBLE_EQ(grid.spacing(), 9.0);
    EXPECT_FALSE(grid.isAlwaysShown());
    EXPECT_FALSE(grid.isConstraining());
    EXPECT_EQ(grid.color(), QColor(Qt::lightGray));
    EXPECT_TRUE(grid.isUsable());
    EXPECT_FALSE(grid.canSetColor());
    EXPECT_FALSE(grid.canSetSpacing());
    grid.setConstraining(true);
    EXPECT_TRUE(grid.canSetSpacing());
    EXPECT_FALSE(grid.canSetColor());
    grid.setAlwaysShown(true);
    EXPECT_TRUE(grid.canSetColor());
    grid._spacing = 0;
    EXPECT_FALSE(grid.isUsable());
    EXPECT_FALSE(grid.canAlign());
    EXPECT_FALSE(grid.canSetColor());
}

// Which of the first `count` columns (or rows) of the image hold grid ink.
std::vector<int> inkedColumns(const QImage& image, int count, bool rows) {
    std::vector<int> found;
    for (int i = 0; i < count; ++i) {
        // Sample away from the crossings.
        const QColor c = rows ? image.pixelColor(4, i) : image.pixelColor(i, 4);
        if (c != QColor(Qt::white)) {
            found.push_back(i);
        }
    }
    return found;
}

QImage drawnGrid(const SKTGrid& grid, const QRectF& dirty, int size, double scale = 1.0) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    grid.drawRect(painter, dirty);
    return image;
}

TEST(GridDrawing, LinesAtEveryMultipleInsideTheDirtyRectangle) {
    SKTGrid grid;
    grid._color = Qt::black;
    grid.setAlwaysShown(true);
    const QImage image = drawnGrid(grid, {0, 0, 20, 20}, 24);
    EXPECT_EQ(inkedColumns(image, 24, false), (std::vector<int>{0, 9, 18}));
    EXPECT_EQ(inkedColumns(image, 24, true), (std::vector<int>{0, 9, 18}));
    // Lines stop at the dirty rectangle.
    EXPECT_EQ(image.pixelColor(22, 9), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(9, 22), QColor(Qt::white));
}

TEST(GridDrawing, HairlineAtAnyZoom) {
    SKTGrid grid;
    grid._color = Qt::black;
    grid.setAlwaysShown(true);
    const QImage image = drawnGrid(grid, {0, 0, 10, 10}, 60, 4.0);
    // The line at x = 9 points is 36 pixels; one pixel wide, not four.
    EXPECT_EQ(inkedColumns(image, 60, false), (std::vector<int>{0, 36}));
}

TEST(GridDrawing, NothingWhenHiddenOrUnusable) {
    SKTGrid hidden;
    hidden._color = Qt::black;
    EXPECT_TRUE(inkedColumns(drawnGrid(hidden, {0, 0, 20, 20}, 24), 24, false).empty());
    SKTGrid unusable;
    unusable._color = Qt::black;
    unusable.setAlwaysShown(true);
    unusable._spacing = 0;
    EXPECT_TRUE(inkedColumns(drawnGrid(unusable, {0, 0, 20, 20}, 24), 24, false).empty());
}

TEST(GridShowing, SpacingChangeShowsAHiddenGridForOneSecondAfterTheLastChange) {
    SKTGrid grid;
    QSignalSpy changes(&grid, &SKTGrid::changed);
    QElapsedTimer clock;
    clock.start();
    grid.setSpacing(12);
    EXPECT_TRUE(grid.isShowing());
    QTest::qWait(600);
    grid.setSpacing(15);
    const qint64 second = clock.elapsed();
    // Still shown where the first change alone would have ended it.
    QTest::qWait(static_cast<int>(std::max<qint64>(0, 1200 - clock.elapsed())));
    EXPECT_TRUE(grid.isShowing()) << "elapsed " << clock.elapsed();
    const int before = static_cast<int>(changes.count());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !grid.isShowing(); }, 2000));
    const qint64 ended = clock.elapsed() - second;
    EXPECT_GE(ended, 950);
    EXPECT_LE(ended, 1400);
    // The end is announced so the canvases redraw without the grid.
    EXPECT_EQ(changes.count(), before + 1);
}

TEST(GridShowing, NoTimerForAShownGridOrAnUnchangedOrUnusableSpacing) {
    SKTGrid grid;
    QSignalSpy changes(&grid, &SKTGrid::changed);
    grid.setSpacing(9); // unchanged: nothing at all
    EXPECT_EQ(changes.count(), 0);
    EXPECT_FALSE(grid.isShowing());
    grid.setSpacing(0);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_FALSE(grid.isShowing());
    grid.setAlwaysShown(true);
    grid.setSpacing(20);
    grid.setAlwaysShown(false);
    EXPECT_FALSE(grid.isShowing()) << "a shown grid starts no temporary showing";
}

TEST(GridShowing, HidingCancelsATemporaryShowing) {
    SKTGrid grid;
    grid.setAlwaysShown(true);
    grid.setAlwaysShown(false);
    grid.setSpacing(11);
    ASSERT_TRUE(grid.isShowing());
    grid.setAlwaysShown(true);
    grid.setAlwaysShown(false);
    EXPECT_FALSE(grid.isShowing());
}

TEST(GridAnnouncements, ShownAndSnappingAnnounceEvenWhenUnchanged) {
    SKTGrid grid;
    QSignalSpy changes(&grid, &SKTGrid::changed);
    QSignalSpy button(&grid, &SKTGrid::alignWithGridEnabled);
    grid._color = Qt::red; // direct write, then the announcement
    grid.setAlwaysShown(false);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(button.count(), 0) << "the button only follows a real change";
    grid.setConstraining(false);
    EXPECT_EQ(changes.count(), 2);

    grid.setAlwaysShown(true);
    ASSERT_EQ(button.count(), 1);
    EXPECT_TRUE(button.takeFirst().at(0).toBool());
    grid.setAlwaysShown(true);
    EXPECT_EQ(button.count(), 0);
    grid.setAlwaysShown(false);
    ASSERT_EQ(button.count(), 1);
    EXPECT_FALSE(button.takeFirst().at(0).toBool());
    EXPECT_EQ(changes.count(), 5);
}

} // namespace
