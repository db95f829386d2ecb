// The zooming scroll view: the zoom pop-up, the canvas sized and painted by
// the factor, centring, the backdrop with the card's silhouette and shadow,
// and the rulers.
#include "core/globals.h"
#include "drawing_test_support.h"
#include "editor/render/Card_Base_Drawing.h"
#include "editor/view/SKTRulerView.h"
#include "editor/view/SKTZoomableCanvas.h"
#include "editor/view/SKTZoomingScrollView.h"

#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Paints the card background and a black square at (10, 10, 20, 20)
// points; records mouse presses in points.
class TestCanvas : public SKTZoomableCanvas {
public:
    QList<QPointF> pressed;
    // What reaches past the card (none: the card alone).
    QRectF reach;

    QRectF reachBounds() const override { return reach.isNull() ? cardBounds() : reach; }

protected:
    void drawCard(QPainter& painter, const QRectF&) override {
        Card_Base_Drawing(painter, cardBounds(), CardBackgroundInputs::current());
        painter.fillRect(QRectF(10, 10, 20, 20), Qt::black);
    }
    void cardMousePress(const QPointF& point, QMouseEvent*) override { pressed.append(point); }
};

// A scroll view shown offscreen whose viewport is exactly `viewport`.
struct ShownView {
    ShownView(const QSize& viewport, const QSizeF& card) {
        view.setFrameShape(QFrame::NoFrame);
        view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        canvas->setCardSize(card);
        view.setDocumentView(canvas);
        view.show();
        view.resize(viewport);
        QCoreApplication::processEvents();
        view.resize(viewport + (view.size() - view.viewport()->size()));
        QCoreApplication::processEvents();
    }
    QImage backdrop() { return view.grab(view.viewport()->geometry()).toImage(); }
    drawingtest::RenderInputsGuard inputs;
    SKTZoomingScrollView view;
    TestCanvas* canvas = new TestCanvas;
};

TEST(ZoomPopUp, ElevenItemsAtTheLeftOfTheScrollBarChoosingSetsTheFactor) {
    ShownView shown(QSize(800, 600), QSizeF(300, 200));
    QComboBox* popUp = shown.view.factorPopUpButton();
    const char* labels[] = {"10%",  "25%",  "50%",  "75%",  "100%", "125%",
                            "150%", "200%", "400%", "800%", "1600%"};
    const double factors[] = {0.10000000149011612, 0.25, 0.5, 0.75, 1, 1.25, 1.5, 2, 4, 8, 16};
    ASSERT_EQ(popUp->count(), 11);
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(popUp->itemText(i), QString::fromLatin1(labels[i]));
        EXPECT_EQ(popUp->itemData(i).toDouble(), factors[i]) << i;
    }
    EXPECT_TRUE(shown.view.scrollBarWidgets(Qt::AlignLeft).contains(popUp));
    EXPECT_EQ(popUp->width(), popUp->sizeHint().width()) << "sized to fit";
    EXPECT_EQ(shown.view.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    QSignalSpy chosen(&shown.view, &SKTZoomingScrollView::factorChosen);
    emit popUp->activated(7); // "200%"
    EXPECT_EQ(chosen.count(), 1);
    EXPECT_DOUBLE_EQ(shown.view.factor(), 2.0);
    EXPECT_EQ(shown.canvas->size(), QSize(600, 400)) << "card x factor";
    EXPECT_EQ(shown.view.clipBounds().size(), QSizeF(400, 300));
    shown.view.setFactor(0.5); // from outside: the item follows, no choice announced
    EXPECT_EQ(popUp->currentText(), QStringLiteral("50%"));
    EXPECT_EQ(chosen.count(), 1);
}

TEST(ZoomCanvas, PaintingScaledAndEventsInPoints) {
    ShownView shown(QSize(800, 600), QSizeF(100, 80));
    shown.view.setFactor(2.0);
    const QImage image = shown.canvas->grab().toImage();
    ASSERT_EQ(image.size(), QSize(200, 160));
    EXPECT_EQ(image.pixelColor(21, 21), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(58, 58), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(62, 62), QColor(Qt::white));
    QTest::mouseClick(shown.canvas, Qt::LeftButton, {}, QPoint(200, 101));
    EXPECT_EQ(shown.canvas->pressed, QList<QPointF>{QPointF(100, 50.5)});
}

TEST(ZoomCentring, SmallerCardCentredLargerCardScrolls) {
    ShownView small(QSize(500, 400), QSizeF(300, 200));
    EXPECT_EQ(small.canvas->pos(), QPoint(100, 100));
    EXPECT_EQ(small.view.clipBounds().topLeft(), QPointF(-100, -100));
    small.view.horizontalScrollBar()->setValue(50);
    EXPECT_EQ(small.canvas->x(), 100) << "a centred card stays put";
    small.view.resize(small.view.size() + QSize(1, 0)); // 201 points to spare
    EXPECT_EQ(small.canvas->x(), 101) << "half a point rounds away from zero";
    small.view.setFactor(2.0); // 600 x 400 pixels in 501 x 400: only x scrolls
    EXPECT_EQ(small.canvas->pos(), QPoint(0, 0));
    small.view.setFactor(0.5);
    EXPECT_EQ(small.canvas->pos(), QPoint(176, 150));

    ShownView large(QSize(500, 400), QSizeF(900, 200));
    QScrollBar* bar = large.view.horizontalScrollBar();
    EXPECT_EQ(bar->maximum(), 400);
    bar->setValue(900);
    EXPECT_EQ(large.canvas->x(), -400);
    EXPECT_EQ(large.view.clipBounds().x(), 400);
}

TEST(ZoomCentring, WhatReachesPastTheCardIsKeptWithinReach) {
    // A 300 x 200 point card at 100 % in a 400 x 300 view: centred at
    // (50, 50) with nothing past it. The scroll bars and the card's place
    // follow the reach (8 pixels spare beyond it).
    const struct {
        const char* name;
        QRectF reach;
        QPoint placed;  // the card's place in the view after the redraw
        QPoint atStart; // ... with both scroll bars at their start
        QPoint atEnd;   // ... and at their end
    } rows[] = {
        {"nothing past the card", {}, {50, 50}, {50, 50}, {50, 50}},
        // 80 past the right edge: 300 + 88 fits in 400, moved left to 12.
        {"a little past the right edge", {0, 0, 380, 200}, {12, 50}, {12, 50}, {12, 50}},
        // 30 past the left edge: fits centred (38 before it, 50 there).
        {"a little past the left edge", {-30, 0, 330, 200}, {50, 50}, {50, 50}, {50, 50}},
        // 200 past the right edge: 300 + 208 in 400, scrolled 0 to 108.
        {"far past the right edge", {0, 0, 500, 200}, {0, 50}, {0, 50}, {-108, 50}},
        // 150 above the top: 158 + 200 in 300, scrolled -158 to -100 (the
        // bar kept as near its old place, 0, as it may).
        {"far above the top", {0, -150, 300, 350}, {50, 100}, {50, 158}, {50, 100}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ShownView shown(QSize(400, 300), QSizeF(300, 200));
        shown.canvas->reach = row.reach;
        // A redraw reaching past the card, as a canvas asks for one.
        shown.canvas->update(QRect(-200, -200, 900, 700));
        QCoreApplication::processEvents();
        EXPECT_EQ(shown.canvas->pos(), row.placed);
        QScrollBar* bars[] = {shown.view.horizontalScrollBar(), shown.view.verticalScrollBar()};
        for (QScrollBar* bar : bars) {
            bar->setValue(bar->minimum());
        }
        EXPECT_EQ(shown.canvas->pos(), row.atStart);
        for (QScrollBar* bar : bars) {
            bar->setValue(bar->maximum());
        }
        EXPECT_EQ(shown.canvas->pos(), row.atEnd);
    }
}

int grey(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y));
}

TEST(ZoomBackdrop, GradientSilhouetteAndShadow) {
    ShownView oval(QSize(500, 400), QSizeF(300, 200));
    Card_Shape = 2;
    oval.canvas->update(); // the redraw request the card window makes
    const QImage image = oval.backdrop();
    EXPECT_NEAR(grey(image, 5, 0), 0.88 * 255, 2) << "gradient from 0.88 at the top";
    EXPECT_NEAR(grey(image, 5, 399), 0.78 * 255, 2) << "to 0.78 at the bottom";
    EXPECT_LT(grey(image, 102, 102), 235) << "backdrop outside the oval card";
    EXPECT_EQ(grey(image, 250, 200), 255);
    // The shadow falls 3 right and 3 down.
    EXPECT_LT(grey(image, 402, 200), grey(image, 460, 200) - 20);
    EXPECT_LT(grey(image, 250, 302), grey(image, 250, 360) - 20);
    EXPECT_GT(grey(image, 98, 200), grey(image, 402, 200) + 10);
    Card_Shape = 0;
    oval.canvas->update();
    oval.view.viewport()->update();
    EXPECT_EQ(grey(oval.backdrop(), 100, 100), 255) << "a rectangular card fills its corner";
}

TEST(ZoomRulers, ToggledFollowingZoomAndScrollWithMarkerLines) {
    ShownView shown(QSize(500, 400), QSizeF(900, 600));
    SKTRulerView* h = shown.view.horizontalRuler();
    SKTRulerView* v = shown.view.verticalRuler();
    EXPECT_FALSE(h->isVisible() || v->isVisible());
    shown.view.setRulersVisible(true);
    EXPECT_TRUE(h->isVisible() && v->isVisible());
    EXPECT_EQ(shown.view.viewport()->pos(),
              QPoint(SKTRulerView::kThickness, SKTRulerView::kThickness));
    EXPECT_EQ(h->width(), shown.view.viewport()->width());
    shown.view.horizontalScrollBar()->setValue(120);
    shown.view.verticalScrollBar()->setValue(30);
    shown.view.setFactor(2.0);
    EXPECT_EQ(h->origin(), shown.canvas->x());
    EXPECT_EQ(v->origin(), shown.canvas->y());
    EXPECT_DOUBLE_EQ(h->scale(), 2.0);

    const QColor marker = h->palette().color(QPalette::Highlight);
    auto marked = [&](int x) { return h->grab().toImage().pixelColor(x, 2) == marker; };
    const int origin = h->origin();
    h->setMarkerLocation(0, (50 - origin) / 2.0);
    h->setMarkerLocation(1, (100 - origin) / 2.0);
    EXPECT_TRUE(marked(50) && marked(100));
    h->setMarkerLocation(1, (130 - origin) / 2.0);
    h->setMarkerLocation(0, SKTRulerView::kHiddenLocation);
    EXPECT_FALSE(marked(50) || marked(100));
    EXPECT_TRUE(marked(130));
    shown.view.setRulersVisible(false);
    EXPECT_FALSE(h->isVisible());
    EXPECT_EQ(shown.view.viewport()->x(), 0);
}

} // namespace
