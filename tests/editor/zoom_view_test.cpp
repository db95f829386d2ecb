// The zooming scroll view: the zoom pop-up, the canvas sized and painted by
// the factor, centring, the backdrop with the card's silhouette and shadow,
// and the rulers.
#include "drawing_test_support.h"
#include "editor/render/Card_Base_Drawing.h"
#include "editor/view/SKTRulerView.h"
#include "editor/view/SKTZoomableCanvas.h"
#include "editor/view/SKTZoomingScrollView.h"
#include "editor/view/SWCenteringClipView.h"
#include "mainwindow/core/globals.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Paints the card background and a black square at (10, 10, 20, 20) points,
// and records mouse positions in points.
class TestCanvas : public SKTZoomableCanvas {
public:
    QList<QPointF> pressed;
    QList<QPointF> released;

protected:
    void drawCard(QPainter& painter, const QRectF&) override {
        Card_Base_Drawing(painter, cardBounds(), CardBackgroundInputs::current());
        painter.fillRect(QRectF(10, 10, 20, 20), Qt::black);
    }
    void cardMousePress(const QPointF& point, QMouseEvent*) override { pressed.append(point); }
    void cardMouseRelease(const QPointF& point, QMouseEvent*) override { released.append(point); }
};

// A scroll view whose viewport is exactly `viewport` pixels, shown offscreen.
struct ShownView {
    explicit ShownView(const QSize& viewport, const QSizeF& card) {
        view.setFrameShape(QFrame::NoFrame);
        view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        canvas = new TestCanvas;
        canvas->setCardSize(card);
        view.setDocumentView(canvas);
        view.show();
        const int barHeight = view.horizontalScrollBar()->sizeHint().height();
        view.resize(viewport.width(), viewport.height() + barHeight);
        QCoreApplication::processEvents();
        view.resize(viewport.width() + (viewport.width() - view.viewport()->width()),
                    viewport.height() + (view.height() - view.viewport()->height()));
        QCoreApplication::processEvents();
    }
    SKTZoomingScrollView view;
    TestCanvas* canvas = nullptr;
};

TEST(ZoomPopUp, ElevenLabelsAndFactorsInOrderAtTheLeftOfTheScrollBar) {
    SKTZoomingScrollView view;
    QComboBox* popUp = view.factorPopUpButton();
    const char* labels[] = {"10%",  "25%",  "50%",  "75%",  "100%", "125%",
                            "150%", "200%", "400%", "800%", "1600%"};
    const double factors[] = {0.10000000149011612, 0.25, 0.5, 0.75, 1, 1.25, 1.5, 2, 4, 8, 16};
    ASSERT_EQ(popUp->count(), 11);
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(popUp->itemText(i), QString::fromLatin1(labels[i]));
        EXPECT_EQ(popUp->itemData(i).toDouble(), factors[i]) << i;
    }
    EXPECT_EQ(popUp->currentText(), QStringLiteral("100%"));
    EXPECT_TRUE(view.scrollBarWidgets(Qt::AlignLeft).contains(popUp));
    EXPECT_EQ(view.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(view.factorPopUpButton(), popUp) << "made once";
}

TEST(ZoomPopUp, ChoosingAnItemSetsTheFactor) {
    ShownView shown(QSize(800, 600), QSizeF(300, 200));
    QSignalSpy chosen(&shown.view, &SKTZoomingScrollView::factorChosen);
    emit shown.view.factorPopUpButton()->activated(7); // "200%"
    EXPECT_DOUBLE_EQ(shown.view.factor(), 2.0);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_DOUBLE_EQ(chosen.at(0).at(0).toDouble(), 2.0);
    EXPECT_EQ(shown.canvas->size(), QSize(600, 400));
    EXPECT_EQ(shown.view.clipBounds().size(), QSizeF(400, 300));

    // A factor set from outside selects its item without announcing a choice.
    shown.view.setFactor(0.5);
    EXPECT_EQ(shown.view.factorPopUpButton()->currentText(), QStringLiteral("50%"));
    EXPECT_EQ(chosen.count(), 1);
    EXPECT_EQ(shown.canvas->size(), QSize(150, 100));
    shown.view.setFactor(0);
    EXPECT_DOUBLE_EQ(shown.view.factor(), 0.5);
}

TEST(ZoomCanvas, PaintingScaledAndEventsInPoints) {
    ShownView shown(QSize(800, 600), QSizeF(100, 80));
    shown.view.setFactor(2.0);
    QCoreApplication::processEvents();
    const QImage image = shown.canvas->grab().toImage();
    ASSERT_EQ(image.size(), QSize(200, 160));
    EXPECT_EQ(image.pixelColor(21, 21), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(58, 58), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(62, 62), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(18, 30), QColor(Qt::white));

    QTest::mousePress(shown.canvas, Qt::LeftButton, {}, QPoint(200, 100));
    QTest::mouseRelease(shown.canvas, Qt::LeftButton, {}, QPoint(31, 7));
    ASSERT_EQ(shown.canvas->pressed.size(), 1);
    EXPECT_EQ(shown.canvas->pressed.at(0), QPointF(100, 50));
    EXPECT_EQ(shown.canvas->released.at(0), QPointF(15.5, 3.5));
}

TEST(ZoomCentring, SmallerCardCentredLargerCardScrolls) {
    drawingtest::RenderInputsGuard inputs;
    ShownView small(QSize(500, 400), QSizeF(300, 200));
    EXPECT_EQ(small.canvas->x(), 100);
    EXPECT_EQ(small.canvas->y(), 100);
    EXPECT_EQ(small.view.clipBounds().topLeft(), QPointF(-100, -100));
    small.view.horizontalScrollBar()->setValue(50);
    EXPECT_EQ(small.canvas->x(), 100) << "a centred card stays put";

    ShownView large(QSize(500, 400), QSizeF(900, 200));
    QScrollBar* bar = large.view.horizontalScrollBar();
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 400);
    bar->setValue(400);
    EXPECT_EQ(large.canvas->x(), -400);
    EXPECT_EQ(large.view.clipBounds().x(), 400);
    bar->setValue(900);
    EXPECT_EQ(large.view.clipBounds().x(), 400);
}

double grey(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y));
}

TEST(ZoomBackdrop, GradientSilhouetteAndShadow) {
    drawingtest::RenderInputsGuard inputs;
    Card_Shape = 2; // oval
    ShownView shown(QSize(500, 400), QSizeF(300, 200));
    const QImage image = shown.view.grab(shown.view.viewport()->geometry()).toImage();
    ASSERT_EQ(image.size(), QSize(500, 400));
    // The gradient runs from 0.88 grey at the top to 0.78 at the bottom.
    EXPECT_NEAR(grey(image, 5, 0), 0.88 * 255, 2);
    EXPECT_NEAR(grey(image, 5, 399), 0.78 * 255, 2);
    // Outside the oval, inside the canvas's frame, the backdrop shows.
    EXPECT_LT(grey(image, 102, 102), 235);
    EXPECT_EQ(image.pixelColor(250, 200), QColor(Qt::white));
    // The shadow falls to the right and below.
    const double plainRight = grey(image, 460, 200);
    EXPECT_LT(grey(image, 402, 200), plainRight - 20);
    EXPECT_LT(grey(image, 250, 302), grey(image, 250, 360) - 20);
    EXPECT_GT(grey(image, 98, 200), grey(image, 402, 200) + 10) << "less shadow on the left";
}

TEST(ZoomBackdrop, RectangularCardHasNoBackdropInItsCorners) {
    drawingtest::RenderInputsGuard inputs;
    Card_Shape = 0;
    ShownView shown(QSize(500, 400), QSizeF(300, 200));
    const QImage image = shown.view.grab(shown.view.viewport()->geometry()).toImage();
    EXPECT_EQ(image.pixelColor(100, 100), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(399, 299), QColor(Qt::white));
}

TEST(ZoomRulers, ToggledAndFollowingZoomAndScroll) {
    ShownView shown(QSize(500, 400), QSizeF(900, 600));
    SKTRulerView* h = shown.view.horizontalRuler();
    SKTRulerView* v = shown.view.verticalRuler();
    EXPECT_FALSE(shown.view.rulersVisible());
    EXPECT_FALSE(h->isVisible());
    shown.view.setRulersVisible(true);
    QCoreApplication::processEvents();
    EXPECT_TRUE(h->isVisible());
    EXPECT_TRUE(v->isVisible());
    // The rulers take the viewport's margins.
    EXPECT_EQ(shown.view.viewport()->x(), SKTRulerView::kThickness);
    EXPECT_EQ(h->geometry().bottom() + 1, shown.view.viewport()->y());
    EXPECT_EQ(h->width(), shown.view.viewport()->width());

    shown.view.horizontalScrollBar()->setValue(120);
    shown.view.verticalScrollBar()->setValue(30);
    EXPECT_EQ(h->origin(), -120);
    EXPECT_EQ(v->origin(), -30);
    shown.view.setFactor(2.0);
    EXPECT_DOUBLE_EQ(h->scale(), 2.0);
    EXPECT_DOUBLE_EQ(h->pixelOf(100), h->origin() + 200);

    shown.view.setRulersVisible(false);
    EXPECT_FALSE(h->isVisible());
    EXPECT_EQ(shown.view.viewport()->x(), 0);
}

TEST(ZoomRulers, MarkerLinesMoveAndHide) {
    SKTRulerView ruler(Qt::Horizontal);
    ruler.resize(300, SKTRulerView::kThickness);
    ruler.setOrigin(10);
    ruler.setScale(2.0);
    const QColor marker = ruler.palette().color(QPalette::Highlight);
    auto markedAt = [&](int x) { return ruler.grab().toImage().pixelColor(x, 2) == marker; };
    for (int i = 0; i < SKTRulerView::kMarkerCount; ++i) {
        EXPECT_EQ(ruler.markerLocation(i), SKTRulerView::kHiddenLocation);
    }
    ruler.setMarkerLocation(0, 20); // pixel 50
    ruler.setMarkerLocation(1, 45); // pixel 100
    ruler.setMarkerLocation(2, 70); // pixel 150
    EXPECT_TRUE(markedAt(50));
    EXPECT_TRUE(markedAt(100));
    EXPECT_TRUE(markedAt(150));
    ruler.setMarkerLocation(1, 60); // moved to pixel 130
    EXPECT_FALSE(markedAt(100));
    EXPECT_TRUE(markedAt(130));
    ruler.setMarkerLocation(0, SKTRulerView::kHiddenLocation);
    EXPECT_FALSE(markedAt(50));
}

} // namespace
