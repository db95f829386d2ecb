// Painting of the canvas: what is drawn, what is redrawn after changes, and
// that painting never asks for more painting or for the inspector.

#include "canvas_test_support.h"
#include "core/globals.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTText.h"

#include <QElapsedTimer>
#include <QPaintEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <thread>

namespace {

// Counts the paint events of a widget and keeps their regions.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++count;
            regions.append(static_cast<QPaintEvent*>(event)->region());
        }
        return false;
    }
    void reset() {
        count = 0;
        regions.clear();
    }
    int count = 0;
    QList<QRegion> regions;
};

// An object that counts its drawing and may ask its canvas for a redraw
// while it is drawn.
class ProbeGraphic : public SKTGraphic {
public:
    void drawContentsInView(QPainter& painter, bool creating) override {
        ++draws;
        if (view) {
            view->Refresh_Canvas();
        }
        SKTGraphic::drawContentsInView(painter, creating);
    }
    int draws = 0;
    SKTGraphicView* view = nullptr;
};

void showAndSettle(CanvasFixture& f) {
    f.view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.view.get()));
    QTest::qWait(50);
}

QColor pixelAt(const QImage& image, const QPointF& point) {
    return image.pixelColor(point.toPoint());
}

} // namespace

TEST(CanvasPaint, AnIdleCanvasWithTextsAndPicturesPaintsOnlyOnce) {
    CanvasFixture f;
    auto text = f.addRect<SKTText>(QRectF(10, 10, 120, 30));
    text->Text_Value = QStringLiteral("Happy birthday");
    auto picture = f.addRect<SKTImage>(QRectF(150, 10, 40, 40));
    picture->setContents(RecordingCanvasHost::picture(Qt::green));
    f.addRect(QRectF(10, 100, 50, 50));
    f.view->changeSelectionIndexes({0, 1});
    PaintCounter counter(f.view.get());
    showAndSettle(f);
    ASSERT_GE(counter.count, 1);
    counter.reset();
    QTest::qWait(1000);
    EXPECT_EQ(counter.count, 0);
}

TEST(CanvasPaint, RedrawRequestsWhilePaintingAreDropped) {
    CanvasFixture f;
    auto probe = std::make_shared<ProbeGraphic>();
    probe->_bounds = QRectF(10, 10, 30, 30);
    probe->view = f.view.get();
    f.add(probe);
    PaintCounter counter(f.view.get());
    showAndSettle(f);
    ASSERT_GE(probe->draws, 1);
    counter.reset();
    QTest::qWait(300);
    EXPECT_EQ(counter.count, 0);
}

TEST(CanvasPaint, RedrawRequestsWaitForTheBatchAndComeFromOtherThreadsQueued) {
    CanvasFixture f;
    PaintCounter counter(f.view.get());
    showAndSettle(f);
    counter.reset();
    Card_Value_In_Process = 1;
    f.view->Refresh_Canvas();
    QTest::qWait(50);
    EXPECT_EQ(counter.count, 0);
    Card_Value_In_Process = 0;
    std::thread worker([&] { f.view->Refresh_Canvas(); });
    worker.join();
    EXPECT_EQ(counter.count, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.count >= 1; }, 10000));
}

TEST(CanvasPaint, TheCardInspectorIsAskedForOnceWhenTheListEmpties) {
    CanvasFixture f;
    f.addRect(QRectF(10, 10, 30, 30));
    showAndSettle(f);
    f.host.inspected.clear();
    f.view->changeSelectionIndexes({0});
    f.view->deleteSelection();
    const int afterDelete = static_cast<int>(f.host.inspected.count(nullptr));
    EXPECT_GE(afterDelete, 1);
    for (int i = 0; i < 3; ++i) {
        f.view->repaint();
    }
    EXPECT_EQ(f.host.inspected.count(nullptr), afterDelete);
    // Showing an empty canvas asks once.
    CanvasFixture empty;
    empty.host.inspected.clear();
    showAndSettle(empty);
    empty.view->repaint();
    EXPECT_EQ(empty.host.inspected.count(nullptr), 1);
}

TEST(CanvasPaint, ASelectionChangeRedrawsOnlyTheObjectsConcerned) {
    CanvasFixture f;
    auto near = f.addRect(QRectF(10, 10, 30, 30));
    auto far = f.addRect(QRectF(300, 200, 30, 30));
    PaintCounter counter(f.view.get());
    showAndSettle(f);
    counter.reset();
    f.view->changeSelectionIndexes({0});
    ASSERT_TRUE(QTest::qWaitFor([&] { return counter.count >= 1; }, 10000));
    QTest::qWait(50);
    QRegion painted;
    for (const QRegion& region : counter.regions) {
        painted += region;
    }
    const QRect nearArea = near->drawingBounds().toAlignedRect().adjusted(-2, -2, 2, 2);
    EXPECT_TRUE(nearArea.contains(painted.boundingRect()));
    EXPECT_FALSE(painted.intersects(far->drawingBounds().toAlignedRect()));
    // The background still builds its outline from the whole card.
    EXPECT_EQ(f.host.backgroundRects.last(), QRectF(0, 0, 400, 300));
}

TEST(CanvasPaint, HandlesShowOnSelectedObjectsAndAreRedWhenLocked) {
    CanvasFixture f;
    auto plain = f.addRect(QRectF(20, 20, 60, 40));
    auto locked = f.addRect(QRectF(200, 20, 60, 40));
    locked->ctrl_is_locked = true;
    // Handle 2 (top middle) reaches 3 points above the object.
    const QPointF plainHandle(50, 18);
    const QPointF lockedHandle(230, 18);
    QImage image = f.view->grab().toImage();
    EXPECT_EQ(pixelAt(image, plainHandle), QColor(Qt::white));
    EXPECT_EQ(pixelAt(image, lockedHandle), QColor(Qt::white));
    f.view->changeSelectionIndexes({0, 1});
    image = f.view->grab().toImage();
    EXPECT_NE(pixelAt(image, plainHandle), QColor(Qt::white));
    EXPECT_NE(pixelAt(image, plainHandle), QColor(Qt::red));
    EXPECT_EQ(pixelAt(image, lockedHandle), QColor(Qt::red));
    // Nudged objects hide their handles for the moment.
    f.view->moveRight();
    image = f.view->grab().toImage();
    EXPECT_EQ(pixelAt(image, plainHandle + QPointF(1, 0)), QColor(Qt::white));
}

TEST(CanvasPaint, TheRubberBandOutlineIsDrawnWhileDragging) {
    CanvasFixture f;
    f.view->resize(400, 300);
    canvasmouse::press(*f.view, QPointF(100, 100));
    canvasmouse::drag(*f.view, QPointF(200, 180));
    const QImage during = f.view->grab().toImage();
    EXPECT_NE(pixelAt(during, QPointF(150, 100)), QColor(Qt::white));
    EXPECT_EQ(pixelAt(during, QPointF(150, 140)), QColor(Qt::white));
    canvasmouse::release(*f.view, QPointF(200, 180));
    const QImage after = f.view->grab().toImage();
    EXPECT_EQ(pixelAt(after, QPointF(150, 100)), QColor(Qt::white));
}

TEST(CanvasPaint, ZoomScalesDrawingAndPointerPositions) {
    CanvasFixture f;
    auto a = f.addRect(QRectF(20, 20, 30, 30));
    f.view->setZoomFactor(4.0);
    EXPECT_EQ(f.view->size(), QSize(1600, 1200));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(100, 100), QPointF(100, 100),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(f.view.get(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(100, 100), QPointF(100, 100),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(f.view.get(), &release);
    EXPECT_EQ(f.view->selectedGraphic(), a);
    // Handle 2 of the selected object, (35, 17.5) in points, lies at four
    // times that in the widget.
    const QImage image = f.view->grab().toImage();
    EXPECT_NE(pixelAt(image, QPointF(140, 70)), QColor(Qt::white));
    EXPECT_EQ(pixelAt(image, QPointF(35, 17)), QColor(Qt::white));
}
