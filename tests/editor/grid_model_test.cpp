// The shared grid: snapping, aligning, drawing, the temporary showing after a
// spacing change and the announcements the canvases and the align button
// rely on.
#include "editor/view/SKTGrid.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(GridSnapping, PointsSnapOnlyWhileUsableAndConstraining) {
    const double inf = std::numeric_limits<double>::infinity();
    struct {
        double spacing;
        bool constraining;
        QPointF in, out;
    } cases[] = {
        {9, true, {13.4, 4.4}, {9, 0}},        {9, true, {13.5, 4.5}, {18, 9}},
        {9, true, {-4.5, -4.6}, {0, -9}},      {9, false, {13.4, 4.4}, {13.4, 4.4}},
        {0, true, {13.4, 4.4}, {13.4, 4.4}},   {-5, true, {13.4, 4.4}, {13.4, 4.4}},
        {inf, true, {13.4, 4.4}, {13.4, 4.4}},
    };
    for (const auto& c : cases) {
        SKTGrid grid;
        grid._spacing = c.spacing;
        grid.setConstraining(c.constraining);
        EXPECT_EQ(grid.constrainedPoint(c.in), c.out) << c.spacing << " " << c.constraining;
    }
}

TEST(GridSnapping, AlignedRectRoundsOriginAndFarCorner) {
    SKTGrid grid; // aligning does not ask for snapping
    EXPECT_EQ(grid.alignedRect({10, 10, 50, 50}), QRectF(9, 9, 54, 54));
    for (double spacing : {0.0, -3.0, std::numeric_limits<double>::infinity()}) {
        grid._spacing = spacing;
        EXPECT_EQ(grid.alignedRect({10, 10, 50, 50}), QRectF(10, 10, 50, 50)) << spacing;
    }
}

// Columns (or rows) 0..size-1 holding grid ink, sampled away from crossings.
std::vector<int> inked(const SKTGrid& grid, const QRectF& dirty, int size, double scale,
                       bool rows) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    grid.drawRect(painter, dirty);
    std::vector<int> found;
    for (int i = 0; i < size; ++i) {
        if (image.pixelColor(rows ? 4 : i, rows ? i : 4) != QColor(Qt::white)) {
            found.push_back(i);
        }
    }
    return found;
}

TEST(GridDrawing, HairlinesAtEveryMultipleInsideTheDirtyRectangle) {
    SKTGrid grid;
    grid._color = Qt::black;
    EXPECT_TRUE(inked(grid, {0, 0, 20, 20}, 24, 1, false).empty()) << "hidden";
    grid.setAlwaysShown(true);
    EXPECT_EQ(inked(grid, {0, 0, 20, 20}, 24, 1, false), (std::vector<int>{0, 9, 18}));
    EXPECT_EQ(inked(grid, {0, 0, 20, 20}, 24, 1, true), (std::vector<int>{0, 9, 18}));
    EXPECT_EQ(inked(grid, {0, 0, 10, 10}, 60, 4, false), (std::vector<int>{0, 36}))
        << "one pixel wide at 400%";
    grid._spacing = 0;
    EXPECT_TRUE(inked(grid, {0, 0, 20, 20}, 24, 1, false).empty()) << "unusable";
    grid._spacing = 1e-9; // would be 2e10 lines: nothing, at once
    EXPECT_TRUE(inked(grid, {0, 0, 20, 20}, 24, 1, false).empty());
}

TEST(GridShowing, SpacingChangeShowsAHiddenGridUntilOneSecondAfterTheLastChange) {
    SKTGrid grid;
    QSignalSpy changes(&grid, &SKTGrid::changed);
    grid.setSpacing(12);
    EXPECT_TRUE(grid.isShowing());
    QTest::qWait(600); // at least 600 ms of the first change's second pass
    // On a stalled machine the first showing may have ended by now; the
    // second change then starts a showing of its own.
    const bool firstEnded = !grid.isShowing();
    QElapsedTimer sinceLast;
    sinceLast.start();
    grid.setSpacing(15);
    QTimer* hiding = nullptr;
    for (QTimer* timer : grid.findChildren<QTimer*>()) {
        if (timer->isActive()) {
            hiding = timer;
        }
    }
    ASSERT_NE(hiding, nullptr);
    const int remaining = hiding->remainingTime();
    const qint64 took = sinceLast.elapsed();
    EXPECT_TRUE(grid.isShowing());
    // One full second from the second change, not the at most 400 ms left of
    // the first one's (a coarse timer may end up to 5 % early, so the bounds
    // leave room).
    EXPECT_GE(remaining, 900 - took);
    EXPECT_LE(remaining, 1050);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !grid.isShowing(); }, 10000));
    EXPECT_GE(sinceLast.elapsed(), 900);
    EXPECT_EQ(changes.count(), firstEnded ? 4 : 3) << "two changes and the end of each showing";
}

TEST(GridShowing, NoShowingForAShownGridAnUnchangedOrUnusableSpacing) {
    SKTGrid grid;
    QSignalSpy changes(&grid, &SKTGrid::changed);
    grid.setSpacing(9);
    EXPECT_EQ(changes.count(), 0) << "unchanged: nothing at all";
    grid.setSpacing(0);
    EXPECT_FALSE(grid.isShowing());
    grid.setAlwaysShown(true);
    grid.setSpacing(20);
    grid.setAlwaysShown(false);
    EXPECT_FALSE(grid.isShowing());
    grid.setSpacing(11);
    grid.setAlwaysShown(true);
    grid.setAlwaysShown(false);
    EXPECT_FALSE(grid.isShowing()) << "showing and hiding ends a temporary showing";
}

TEST(GridAnnouncements, AnnouncedEvenWhenUnchangedButtonOnlyOnARealChange) {
    SKTGrid grid;
    EXPECT_FALSE(grid.canSetColor() || grid.canSetSpacing());
    QSignalSpy changes(&grid, &SKTGrid::changed);
    QSignalSpy button(&grid, &SKTGrid::alignWithGridEnabled);
    grid.setAlwaysShown(false); // after a direct write of _color or _spacing
    grid.setConstraining(false);
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(button.count(), 0);
    grid.setAlwaysShown(true);
    grid.setAlwaysShown(true);
    grid.setAlwaysShown(false);
    ASSERT_EQ(button.count(), 2);
    EXPECT_TRUE(button.at(0).at(0).toBool());
    EXPECT_FALSE(button.at(1).at(0).toBool());
    EXPECT_EQ(changes.count(), 5);
    grid.setConstraining(true);
    EXPECT_TRUE(grid.canSetSpacing());
    EXPECT_FALSE(grid.canSetColor());
}

} // namespace
