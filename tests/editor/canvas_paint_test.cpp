// Painting of the canvas: what is drawn, what is redrawn after changes, and
// that painting never asks for more painting or for the inspector.

#include "canvas_test_support.h"
#include "core/globals.h"
#include "drawing_test_support.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTLine.h"
#include "editor/model/SKTText.h"
#include "editor/model/Shape_Control.h"
#include "editor/render/CardRenderInputs.h"
#include "editor/view/SKTZoomingScrollView.h"

#include <QElapsedTimer>
#include <QPaintEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <functional>
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

// What the window's backing store holds where the widget lies (not painted
// again for the grab).
QImage onScreenIn(const QWidget* widget) {
    const QWidget* window = widget->window();
    return window->screen()
        ->grabWindow(window->winId())
        .toImage()
        .copy(QRect(widget->mapTo(window, QPoint(0, 0)), widget->size()))
        .convertToFormat(QImage::Format_RGB32);
}

// The largest difference of one colour channel between two pictures of one
// size (256 when the sizes differ).
int largestDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) {
        return 256;
    }
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)),
                                std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return largest;
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

// In its scroll view the canvas paints the backdrop beneath itself (so that
// a scroll can move the pixels shown): the viewport shows what a see-through
// canvas over the scroll view's backdrop shows, for each card shape at whole
// and fractional sizes, in the corners and after a scroll.
TEST(CanvasPaint, InItsScrollViewTheCanvasPaintsTheBackdropBeneathItExactly) {
    struct Case {
        int shape;
        double factor;
        QSizeF card;
    };
    const Case cases[] = {
        {1, 4.0, QSizeF(400, 300)}, {2, 2.5, QSizeF(401.3, 300.7)}, {0, 1.5, QSizeF(400.5, 300.3)}};
    for (const Case& c : cases) {
        drawingtest::RenderInputsGuard inputs(c.card);
        Card_Shape = c.shape;
        CanvasFixture f;
        f.addRect(QRectF(-5, 100, 60, 40));
        // The card background as the program draws it, shaped.
        SKTCanvasHost::setCurrent(nullptr);
        f.view->setCardSize(c.card);
        SKTZoomingScrollView scrollView;
        scrollView.setDocumentView(f.view.get());
        scrollView.setFactor(c.factor);
        scrollView.resize(330, 260);
        scrollView.show();
        QCoreApplication::processEvents();
        QScrollBar* down = scrollView.verticalScrollBar();
        QScrollBar* across = scrollView.horizontalScrollBar();
        QWidget* viewport = scrollView.viewport();
        auto shown = [&] {
            QCoreApplication::processEvents();
            return viewport->grab().toImage();
        };
        // The backing store after a scroll: moved pixels and the strip
        // painted.
        auto onScreen = [&] {
            QCoreApplication::processEvents();
            return onScreenIn(viewport);
        };
        across->setValue(0);
        down->setValue(0);
        const QImage topLeft = shown();
        down->setValue(down->maximum());
        across->setValue(across->maximum());
        const QImage bottomRight = shown();
        // From the middle, where the card fills the view: its pixels move
        // with it; at the right edge the backdrop shows and stays.
        auto scrollDown = [&](int acrossValue) {
            across->setValue(acrossValue);
            down->setValue(down->maximum() / 2);
            onScreen();
            down->setValue(down->value() + 40);
            return onScreen();
        };
        const QImage scrolled = scrollDown(across->maximum() / 2);
        EXPECT_TRUE(f.view->testAttribute(Qt::WA_OpaquePaintEvent)) << c.shape;
        const QImage scrolledAtEdge = scrollDown(across->maximum());
        // The same views with the scroll view painting beneath the canvas.
        f.view->setBackdropPainter({});
        const QImage edgeSeeThrough = shown().convertToFormat(QImage::Format_RGB32);
        across->setValue(across->maximum() / 2);
        const QImage scrolledSeeThrough = shown().convertToFormat(QImage::Format_RGB32);
        across->setValue(0);
        down->setValue(0);
        EXPECT_EQ(topLeft, shown()) << c.shape;
        down->setValue(down->maximum());
        across->setValue(across->maximum());
        EXPECT_EQ(bottomRight, shown()) << c.shape;
        EXPECT_TRUE(scrolled == scrolledSeeThrough) << c.shape;
        EXPECT_TRUE(scrolledAtEdge == edgeSeeThrough) << c.shape;
        // The backdrop shows in the corner outside rounded and oval cards.
        EXPECT_NE(topLeft.pixelColor(0, 0) == QColor(Qt::white), c.shape != 0) << c.shape;
        scrollView.takeWidget();
        SKTCanvasHost::setCurrent(&f.host);
    }
}

// What the screen shows of a canvas, served from its kept picture, matches
// the same card drawn afresh by a canvas that keeps nothing, after each kind
// of change a user makes.
TEST(CanvasPaint, TheKeptPictureShowsWhatAFreshDrawingShows) {
    drawingtest::RenderInputsGuard inputs(QSizeF(400, 300));
    CanvasFixture f;
    auto box = f.addRect<Shape_Control>(QRectF(20, 20, 60, 40));
    auto text = f.addRect<SKTText>(QRectF(100, 30, 120, 30));
    text->Text_Value = QStringLiteral("Kept");
    auto picture = f.addRect<SKTImage>(QRectF(60, 90, 40, 40));
    picture->setContents(RecordingCanvasHost::picture(Qt::green));
    f.addRect<SKTLine>(QRectF(150, 120, 80, 40));
    SKTCanvasHost::setCurrent(nullptr); // the program's own card background
    SKTZoomingScrollView scrollView;
    scrollView.setDocumentView(f.view.get());
    scrollView.setFactor(2.0);
    scrollView.resize(420, 320);
    scrollView.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&scrollView));
    QWidget* viewport = scrollView.viewport();
    // Once the handles hidden during key moves are back (the fresh canvas
    // never hides them).
    auto onScreen = [&] {
        EXPECT_TRUE(QTest::qWaitFor([&] { return !f.view->isHidingHandles(); }, 10000));
        QTest::qWait(20);
        return onScreenIn(viewport);
    };
    auto fresh = [&] {
        SKTGraphicView canvas;
        canvas.setCardSize(f.view->cardSize());
        canvas.bind(f.key, f.document.get(), QStringLiteral("document.") + f.key);
        canvas.bind(SKTGraphicViewSelectionIndexesBindingName, f.selection.get(),
                    QStringLiteral("selectionIndexes"));
        canvas.setZoomFactor(f.view->zoomFactor());
        QImage image(viewport->size(), QImage::Format_RGB32);
        image.fill(Qt::black);
        canvas.render(&image, QPoint(), QRegion(QRect(-f.view->pos(), viewport->size())));
        return image;
    };
    auto centre = [](const std::shared_ptr<SKTGraphic>& graphic) {
        return graphic->bounds().center();
    };
    QScrollBar* down = scrollView.verticalScrollBar();
    struct Step {
        const char* name;
        std::function<void()> act;
    };
    const Step steps[] = {
        {"shown", [] {}},
        {"object dragged",
         [&] {
             canvasmouse::dragPath(*f.view, {centre(box), centre(box) + QPointF(15, 10)});
         }},
        {"arrow keys",
         [&] {
             f.view->setFocus();
             QTest::keyClick(f.view.get(), Qt::Key_Right);
             QTest::keyClick(f.view.get(), Qt::Key_Down);
         }},
        {"rubber band",
         [&] {
             canvasmouse::dragPath(*f.view, {QPointF(5, 5), QPointF(120, 80), QPointF(240, 170)});
         }},
        {"deleted", [&] { QTest::keyClick(f.view.get(), Qt::Key_Delete); }},
        {"undone", [&] { f.view->undo(); }},
        {"scrolled down", [&] { QTest::keyClick(down, Qt::Key_PageDown); }},
        {"scrolled back", [&] { QTest::keyClick(down, Qt::Key_PageUp); }},
        {"background changed while hidden",
         [&] {
             scrollView.hide();
             CardRenderInputs::setPageRecord(0, drawingtest::filledWith(Qt::yellow));
             scrollView.show();
             ASSERT_TRUE(QTest::qWaitForWindowExposed(&scrollView));
         }},
        {"text refreshed",
         [&] {
             text->Text_Value = QStringLiteral("Changed");
             f.view->Refresh_Canvas();
         }},
    };
    for (const Step& step : steps) {
        step.act();
        // Drawn at other device offsets, edges may round a level apart.
        EXPECT_LE(largestDifference(onScreen(), fresh()), 2) << step.name;
    }
    EXPECT_EQ(f.list().size(), 4u);
    scrollView.takeWidget();
    SKTCanvasHost::setCurrent(&f.host);
}
