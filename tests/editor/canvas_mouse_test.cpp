// Mouse and keys on the canvas: selecting, moving, resizing, the rubber
// band, nudges, locked and hidden objects, and undo of gestures.

#include "canvas_test_support.h"
#include "editor/model/SKTBarcode.h"
#include "editor/view/SKTGrid.h"
#include "editor/view/SKTRulerView.h"
#include "editor/view/SKTZoomingScrollView.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace canvasmouse;

namespace {

struct ThresholdCase {
    QPointF delta;
    bool moves;
};

class MoveThreshold : public ::testing::TestWithParam<ThresholdCase> {};

} // namespace

TEST(CanvasMouse, ClickOnUnselectedObjectSelectsItAloneAndMovesNothing) {
    CanvasFixture f;
    auto a = f.addRect(QRectF(10, 10, 40, 30));
    auto b = f.addRect(QRectF(100, 10, 40, 30));
    f.view->changeSelectionIndexes({0});
    dragPath(*f.view, {QPointF(110, 20), QPointF(110, 20)});
    EXPECT_EQ(f.view->selectionIndexes(), QList<int>({1}));
    EXPECT_EQ(b->bounds(), QRectF(100, 10, 40, 30));
    EXPECT_EQ(f.view->selectedGraphic(), b);
    ASSERT_FALSE(f.host.inspected.isEmpty());
    EXPECT_EQ(f.host.inspected.last(), b);
    EXPECT_FALSE(f.view->isTracking());
}

TEST_P(MoveThreshold, MovesOnlyFromTwoPoints) {
    CanvasFixture f;
    auto a = f.addRect(QRectF(10, 10, 40, 30));
    const QPointF start(20, 20);
    dragPath(*f.view, {start, start + GetParam().delta});
    const QRectF expected = GetParam().moves ? QRectF(10, 10, 40, 30).translated(GetParam().delta)
                                             : QRectF(10, 10, 40, 30);
    EXPECT_EQ(a->bounds(), expected);
    EXPECT_FALSE(f.view->isHidingHandles());
}

INSTANTIATE_TEST_SUITE_P(Canvas, MoveThreshold,
                         ::testing::Values(ThresholdCase{QPointF(1.9, 0), false},
                                           ThresholdCase{QPointF(0, 1.9), false},
                                           ThresholdCase{QPointF(-1.9, 1.9), false},
                                           ThresholdCase{QPointF(2.0, 0), true},
                                           ThresholdCase{QPointF(0, 2.0), true},
                                           ThresholdCase{QPointF(0, -2.0), true}));

TEST(CanvasMouse, AMoveOnAConstrainingGridSnapsTheUnionsOrigin) {
    CanvasFixture f;
    SKTGrid grid;
    grid.setConstraining(true);
    f.view->setGrid(&grid);
    auto a = f.addRect(QRectF(10, 10, 40, 30));
    auto b = f.addRect(QRectF(12, 60, 40, 30));
    f.view->changeSelectionIndexes({0, 1});
    // Union origin (10, 10) + (13, 6) = (23, 16) snaps to (27, 18).
    dragPath(*f.view, {QPointF(20, 20), QPointF(33, 26)});
    EXPECT_EQ(a->bounds(), QRectF(27, 18, 40, 30));
    EXPECT_EQ(b->bounds(), QRectF(29, 68, 40, 30));
    // A grid that does not constrain leaves the move alone.
    grid.setConstraining(false);
    dragPath(*f.view, {QPointF(30, 30), QPointF(33, 31)});
    EXPECT_EQ(a->bounds(), QRectF(30, 19, 40, 30));
}

TEST(CanvasMouse, MovesAndResizesAreEchoedOnShownRulers) {
    CanvasFixture f;
    SKTZoomingScrollView scrollView;
    scrollView.setDocumentView(f.view.get());
    scrollView.setRulersVisible(true);
    SKTRulerView& across = *scrollView.horizontalRuler();
    SKTRulerView& down = *scrollView.verticalRuler();
    auto a = f.addRect(QRectF(10, 10, 40, 30));
    press(*f.view, QPointF(20, 20));
    EXPECT_EQ(f.view->rulerEchoedBounds(), QRectF(10, 10, 40, 30));
    drag(*f.view, QPointF(30, 22));
    EXPECT_EQ(f.view->rulerEchoedBounds(), QRectF(20, 12, 40, 30));
    EXPECT_EQ(across.markerLocation(0), 20);
    EXPECT_EQ(across.markerLocation(1), 40);
    EXPECT_EQ(across.markerLocation(2), 60);
    EXPECT_EQ(down.markerLocation(0), 12);
    EXPECT_EQ(down.markerLocation(1), 27);
    EXPECT_EQ(down.markerLocation(2), 42);
    release(*f.view, QPointF(30, 22));
    EXPECT_TRUE(f.view->rulerEchoedBounds().isNull());
    for (int i = 0; i < SKTRulerView::kMarkerCount; ++i) {
        EXPECT_EQ(across.markerLocation(i), SKTRulerView::kHiddenLocation);
        EXPECT_EQ(down.markerLocation(i), SKTRulerView::kHiddenLocation);
    }
    // Resizing echoes the object's bounds.
    f.view->changeSelectionIndexes({0});
    press(*f.view, QPointF(60, 42));
    drag(*f.view, QPointF(70, 50));
    EXPECT_EQ(f.view->rulerEchoedBounds(), QRectF(20, 12, 50, 38));
    EXPECT_EQ(across.markerLocation(2), 70);
    release(*f.view, QPointF(70, 50));
    EXPECT_EQ(a->bounds(), QRectF(20, 12, 50, 38));
    EXPECT_EQ(down.markerLocation(2), SKTRulerView::kHiddenLocation);
    // Hidden rulers get no echo.
    scrollView.setRulersVisible(false);
    press(*f.view, QPointF(30, 30));
    EXPECT_TRUE(f.view->rulerEchoedBounds().isNull());
    release(*f.view, QPointF(30, 30));
    scrollView.takeWidget();
}

TEST(CanvasMouse, ShiftClickTogglesTheObject) {
    CanvasFixture f;
    auto a = f.addRect(QRectF(10, 10, 40, 30));
    auto b = f.addRect(QRectF(100, 10, 40, 30));
    f.view->changeSelectionIndexes({0, 1});
    EXPECT_TRUE(f.host.sameSizeEnabled);
    // A selected object leaves the selection and is not moved; the same-size
    // buttons need two selected objects.
    dragPath(*f.view, {QPointF(20, 20), QPointF(40, 40)}, Qt::ShiftModifier);
    EXPECT_EQ(f.view->selectionIndexes(), QList<int>({1}));
    EXPECT_EQ(a->bounds(), QRectF(10, 10, 40, 30));
    EXPECT_FALSE(f.host.sameSizeEnabled);
    // An unselected one joins and the whole selection moves.
    dragPath(*f.view, {QPointF(20, 20), QPointF(30, 20)}, Qt::ShiftModifier);
    EXPECT_EQ(f.view->selectionIndexes(), QList<int>({0, 1}));
    EXPECT_TRUE(f.host.sameSizeEnabled);
    EXPECT_EQ(a->bounds(), QRectF(20, 10, 40, 30));
    EXPECT_EQ(b->bounds(), QRectF(110, 10, 40, 30));
}

TEST(CanvasMouse, LockedObjectIsSelectedButNeverMovedOrResized) {
    CanvasFixture f;
    auto other = f.addRect(QRectF(200, 200, 20, 20));
    auto locked = f.addRect(QRectF(10, 10, 40, 30));
    locked->ctrl_is_locked = true;
    f.view->changeSelectionIndexes({0});
    dragPath(*f.view, {QPointF(20, 20), QPointF(60, 60)});
    EXPECT_EQ(f.view->selectionIndexes(), QList<int>({1}));
    EXPECT_EQ(locked->bounds(), QRectF(10, 10, 40, 30));
    EXPECT_EQ(f.host.refreshes, 1);
    EXPECT_EQ(f.view->selectedGraphic(), locked);
    // Its handle is hit now that it is selected, but nothing resizes.
    dragPath(*f.view, {QPointF(50, 40), QPointF(90, 90)});
    EXPECT_EQ(locked->bounds(), QRectF(10, 10, 40, 30));
    EXPECT_EQ(other->bounds(), QRectF(200, 200, 20, 20));
}

TEST(CanvasMouse, HiddenObjectOnlyBecomesCurrent) {
    CanvasFixture f;
    auto shown = f.addRect(QRectF(200, 200, 20, 20));
    auto hidden = f.addRect(QRectF(10, 10, 40, 30));
    hidden->ctrl_is_visible = false;
    f.view->changeSelectionIndexes({0});
    const int inspectorCalls = static_cast<int>(f.host.inspected.size());
    dragPath(*f.view, {QPointF(20, 20), QPointF(60, 60)});
    EXPECT_EQ(f.view->selectedGraphic(), hidden);
    EXPECT_EQ(f.view->selectionIndexes(), QList<int>({0}));
    EXPECT_EQ(f.host.inspected.size(), inspectorCalls);
    EXPECT_EQ(hidden->bounds(), QRectF(10, 10, 40, 30));
    EXPECT_EQ(shown->bounds(), QRectF(200, 200, 20, 20));
}

TEST(CanvasMouse, DoubleClickOpensTheBarcodeDesignerOnlyForUnlockedBarcodes) {
    CanvasFixture f;
    auto barcode = f.addRect<SKTBarcode>(QRectF(10, 10, 120, 60));
    auto lockedBarcode = f.addRect<SKTBarcode>(QRectF(200, 10, 120, 60));
    auto shape = f.addRect(QRectF(10, 200, 40, 40));
    lockedBarcode->ctrl_is_locked = true;
    doubleClick(*f.view, QPointF(50, 40));
    EXPECT_EQ(f.host.barcodeWindows, 1);
    EXPECT_EQ(f.view->selectedGraphic(), barcode);
    doubleClick(*f.view, QPointF(250, 40));
    EXPECT_EQ(f.host.barcodeWindows, 1);
    doubleClick(*f.view, QPointF(20, 220));
    EXPECT_EQ(f.host.barcodeWindows, 1);
    EXPECT_EQ(f.view->selectedGraphic(), shape);
}

TEST(CanvasMouse, ResizeAcrossTheOppositeEdgeTurnsTheObjectOver) {
    CanvasFixture f;
    auto a = f.addRect(QRectF(10, 10, 40, 30));
    f.view->changeSelectionIndexes({0});
    // Handle 8 (bottom right) dragged above and left of the top-left corner.
    dragPath(*f.view, {QPointF(50, 40), QPointF(30, 30), QPointF(0, 0)});
    EXPECT_EQ(a->bounds(), QRectF(0, 0, 10, 10));
    EXPECT_EQ(f.view->selectionIndexes(), QList<int>({0}));
    // Handles of unselected objects are not hit: a press beside the body
    // starts a rubber band instead of a resize.
    f.view->changeSelectionIndexes({});
    dragPath(*f.view, {QPointF(11, 11), QPointF(21, 21)});
    EXPECT_EQ(a->bounds(), QRectF(0, 0, 10, 10));
    EXPECT_EQ(f.view->selectionIndexes(), QList<int>({0}));
}

TEST(CanvasMouse, RubberBandTogglesAgainstTheStartingSelectionAndKeepsIt) {
    CanvasFixture f;
    auto a = f.addRect(QRectF(10, 10, 20, 20));
    auto b = f.addRect(QRectF(100, 10, 20, 20));
    auto c = f.addRect(QRectF(200, 200, 20, 20));
    f.view->changeSelectionIndexes({0});
    press(*f.view, QPointF(5, 5), Qt::ShiftModifier);
    drag(*f.view, QPointF(150, 50));
    EXPECT_EQ(f.view->selectionIndexes(), QList<int>({1}));
    EXPECT_EQ(f.view->marqueeSelectionBounds(), QRectF(5, 5, 145, 45));
    // Shrinking the band to A alone: B drops out, A toggles off.
    drag(*f.view, QPointF(50, 50));
    EXPECT_TRUE(f.view->selectionIndexes().isEmpty());
    drag(*f.view, QPointF(150, 50));
    release(*f.view, QPointF(150, 50));
    EXPECT_TRUE(f.view->marqueeSelectionBounds().isNull());
    EXPECT_EQ(f.view->selectionIndexes(), QList<int>({1}));
    EXPECT_EQ(f.view->selectedGraphic(), b);
    EXPECT_EQ(f.host.inspected.last(), b);
    EXPECT_EQ(a->bounds(), QRectF(10, 10, 20, 20));
    EXPECT_EQ(c->bounds(), QRectF(200, 200, 20, 20));
}

TEST(CanvasMouse, RubberBandMeetingNothingShowsTheCardInspector) {
    CanvasFixture f;
    f.addRect(QRectF(10, 10, 20, 20));
    f.view->changeSelectionIndexes({0});
    dragPath(*f.view, {QPointF(300, 200), QPointF(350, 250)});
    EXPECT_TRUE(f.view->selectionIndexes().isEmpty());
    ASSERT_FALSE(f.host.inspected.isEmpty());
    EXPECT_EQ(f.host.inspected.last(), nullptr);
    EXPECT_EQ(f.view->selectedGraphic(), nullptr);
}

TEST(CanvasMouse, TenArrowPressesMoveTenPointsAndHandlesReturnHalfASecondAfterTheLast) {
    CanvasFixture f;
    f.view->show();
    auto a = f.addRect(QRectF(10, 10, 40, 30));
    auto locked = f.addRect(QRectF(100, 100, 40, 30));
    locked->ctrl_is_locked = true;
    f.view->changeSelectionIndexes({0, 1});
    // The view's one-shot timer that brings the handles back.
    QTimer* handles = nullptr;
    for (QTimer* timer : f.view->findChildren<QTimer*>(Qt::FindDirectChildrenOnly)) {
        if (timer->isSingleShot() && timer->interval() == 500) {
            handles = timer;
        }
    }
    ASSERT_NE(handles, nullptr);
    QElapsedTimer sinceLast;
    for (int i = 0; i < 10; ++i) {
        QTest::qWait(30);
        sinceLast.start();
        QTest::keyClick(f.view.get(), Qt::Key_Right);
        // Every press starts the half second again: what is left of it is
        // no less than half a second minus the time this press took,
        // however busy the machine.
        const int remaining = handles->remainingTime();
        const qint64 took = sinceLast.elapsed();
        EXPECT_TRUE(handles->isActive()) << i;
        EXPECT_GE(remaining, 500 - took - 5) << i;
    }
    EXPECT_EQ(a->bounds(), QRectF(20, 10, 40, 30));
    EXPECT_EQ(locked->bounds(), QRectF(100, 100, 40, 30));
    EXPECT_TRUE(f.view->isHidingHandles());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !f.view->isHidingHandles(); }, 10000));
    EXPECT_GE(sinceLast.elapsed(), 500);
    EXPECT_FALSE(handles->isActive());
    for (auto [key, delta] :
         {std::pair{Qt::Key_Left, QPointF(-1, 0)}, std::pair{Qt::Key_Up, QPointF(0, -1)},
          std::pair{Qt::Key_Down, QPointF(0, 1)}}) {
        const QRectF before = a->bounds();
        QTest::keyClick(f.view.get(), key);
        EXPECT_EQ(a->bounds(), before.translated(delta));
    }
}

TEST(CanvasMouse, KeysAreIgnoredWhileTrackingAndALostReleaseEndsTheTracking) {
    CanvasFixture f;
    auto a = f.addRect(QRectF(10, 10, 40, 30));
    press(*f.view, QPointF(20, 20));
    drag(*f.view, QPointF(30, 20));
    QTest::keyClick(f.view.get(), Qt::Key_Down);
    QTest::keyClick(f.view.get(), Qt::Key_Delete);
    EXPECT_EQ(a->bounds(), QRectF(20, 10, 40, 30));
    EXPECT_EQ(f.list().size(), 1);
    moveWithoutButton(*f.view, QPointF(80, 80));
    EXPECT_FALSE(f.view->isTracking());
    EXPECT_EQ(a->bounds(), QRectF(20, 10, 40, 30));
    EXPECT_FALSE(f.view->isHidingHandles());
    // A focus loss ends a tracking too.
    press(*f.view, QPointF(25, 20));
    ASSERT_TRUE(f.view->isTracking());
    QFocusEvent focusOut(QEvent::FocusOut);
    QCoreApplication::sendEvent(f.view.get(), &focusOut);
    EXPECT_FALSE(f.view->isTracking());
}

TEST(CanvasMouse, BackspaceAndDeleteRemoveTheSelection) {
    CanvasFixture f;
    f.addRect(QRectF(10, 10, 40, 30));
    auto b = f.addRect(QRectF(100, 10, 40, 30));
    f.view->changeSelectionIndexes({0});
    QTest::keyClick(f.view.get(), Qt::Key_Backspace);
    ASSERT_EQ(f.list().size(), 1);
    EXPECT_EQ(f.list().first(), b);
    f.view->changeSelectionIndexes({0});
    QTest::keyClick(f.view.get(), Qt::Key_Delete);
    EXPECT_TRUE(f.list().isEmpty());
    EXPECT_EQ(f.host.inspected.last(), nullptr);
}

TEST(CanvasUndo, ADragIsOneStepAndItsUndoSelectsTheMovedObjects) {
    CanvasFixture f;
    auto a = f.addRect(QRectF(10, 10, 40, 30));
    auto b = f.addRect(QRectF(100, 10, 40, 30));
    f.view->changeSelectionIndexes({0});
    dragPath(*f.view, {QPointF(20, 20), QPointF(25, 20), QPointF(40, 30), QPointF(50, 50)});
    CanvasFixture::settle();
    ASSERT_EQ(a->bounds(), QRectF(40, 40, 40, 30));
    EXPECT_EQ(f.document->undoManager()->count(), 1);
    f.view->changeSelectionIndexes({1});
    const int buttonUpdates = f.host.undoButtonUpdates;
    f.view->undo();
    EXPECT_EQ(a->bounds(), QRectF(10, 10, 40, 30));
    EXPECT_EQ(f.view->selectionIndexes(), QList<int>({0}));
    EXPECT_EQ(f.host.undoButtonUpdates, buttonUpdates + 1);
    f.view->changeSelectionIndexes({});
    f.view->redo();
    EXPECT_EQ(a->bounds(), QRectF(40, 40, 40, 30));
    EXPECT_EQ(f.view->selectionIndexes(), QList<int>({0}));
    EXPECT_EQ(b->bounds(), QRectF(100, 10, 40, 30));
}

TEST(CanvasUndo, UndoOfADeletionSelectsTheObjectsPutBack) {
    CanvasFixture f;
    auto a = f.addRect(QRectF(10, 10, 40, 30));
    auto b = f.addRect(QRectF(100, 10, 40, 30));
    auto c = f.addRect(QRectF(200, 10, 40, 30));
    f.view->changeSelectionIndexes({0, 2});
    f.view->deleteSelection();
    CanvasFixture::settle();
    ASSERT_EQ(f.list(), SKTGraphicList({b}));
    f.view->undo();
    EXPECT_EQ(f.list(), SKTGraphicList({a, b, c}));
    EXPECT_EQ(f.view->selectionIndexes(), QList<int>({0, 2}));
    EXPECT_EQ(f.view->selectedGraphic(), a);
}
