// Picture frames in the shown main window: Make Natural Size gives a photo
// placed with the Picture tool its own proportions within the largest
// picture size, and a handle dragged out past the card's edge is taken
// again from the grey area around the card, at 100 % and at 400 %.

#include "common/PictureFileMaking.h"
#include "mainwindow_controller_fixture.h"

#include "editor/model/SKTImage.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QScrollBar>
#include <QToolButton>
#include <QtTest/QTest>

namespace {

using picturefiles::photo;

class PictureFrameTest : public ControllerFixture {
protected:
    void showWindow() {
        MainWindowFrame* window = m_controller->window();
        window->resize(QSize(1100, 760));
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QCoreApplication::processEvents();
    }

    // A card point in the pixels of the widget the mouse meets there: the
    // canvas on the card, the scroll view's viewport (the grey area) around it.
    QPoint onCanvas(const QPointF& point) const {
        return (point * canvas()->zoomFactor()).toPoint();
    }
    QPoint onViewport(const QPointF& point) const { return canvas()->pos() + onCanvas(point); }

    // The grey level the widget shows at a point (its children included).
    static int shade(QWidget* widget, const QPoint& at) {
        QCoreApplication::processEvents();
        return qGray(widget->grab().toImage().pixel(at));
    }

    // A drag on `widget` (the canvas or the grey area) between card points,
    // by way of the midpoint, with the events handled between the moves.
    void drag(QWidget* widget, const QPointF& from, const QPointF& to) {
        const auto at = [&](const QPointF& p) {
            return widget == canvas() ? onCanvas(p) : onViewport(p);
        };
        QTest::mousePress(widget, Qt::LeftButton, {}, at(from));
        for (const QPointF& p : {(from + to) / 2, to}) {
            QCoreApplication::processEvents();
            QTest::mouseMove(widget, at(p));
        }
        QCoreApplication::processEvents();
        QTest::mouseRelease(widget, Qt::LeftButton, {}, at(to));
        QCoreApplication::processEvents();
    }

    // A picture object of a 72 dpi photo, placed by its centre.
    std::shared_ptr<SKTImage> placePhoto(const QSize& pixels, const QPointF& centre) {
        const QString file = path(QStringLiteral("photo.png"));
        EXPECT_TRUE(photo(pixels.width(), pixels.height()).save(file));
        auto picture = std::make_shared<SKTImage>();
        picture->initWithPath(centre, file);
        EXPECT_TRUE(m_document->insertGraphicsInList(SKTDocumentGraphicsKey, {picture}, {0}));
        return picture;
    }

    // Arrange > Make Natural Size, with the mouse.
    void makeNaturalSize() {
        QMenu* arrange = openMenu("menuArrange");
        ASSERT_TRUE(control<QAction>("Make_Natural_action")->isEnabled());
        clickMenuItem(arrange, "Make_Natural_action");
    }
};

TEST_F(PictureFrameTest, MakeNaturalSizeKeepsThePicturesProportions) {
    start();
    showWindow();
    // Sizes in points (72 per inch) worked out by hand: a picture over 724 x
    // 468 is scaled down by the side farther over its limit.
    const struct {
        const char* name;
        QSize pixels;
        double dpi;
        QSizeF natural;
    } rows[] = {
        // 4000 high: x 468/4000 = 0.117, 3000 x 0.117 = 351.
        {"portrait phone photo", {3000, 4000}, 72, {351, 468}},
        // 1200 x 900: 724/1200 = 0.603, 468/900 = 0.52; 1200 x 0.52 = 624.
        {"landscape photo", {1200, 900}, 72, {624, 468}},
        // 1000 x 200: x 0.724, 200 x 0.724 = 144.8.
        {"panorama", {1000, 200}, 72, {724, 144.8}},
        // 1500 x 2000 at 300 dpi is 360 x 480 points: x 0.975.
        {"portrait at 300 dpi", {1500, 2000}, 300, {351, 468}},
        // Within both limits: as it is.
        {"small photo", {600, 400}, 72, {600, 400}},
        {"photo at 300 dpi", {2400, 1800}, 300, {576, 432}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString file = path(QString::fromLatin1(row.name) + ".jpg");
        ASSERT_TRUE(photo(row.pixels.width(), row.pixels.height(), row.dpi).save(file, "JPEG"));
        hooks::setOpenPanel([file](const hooks::OpenPanelRequest&) { return QStringList{file}; });
        QTest::mouseClick(control<QToolButton>("Image_Tool"), Qt::LeftButton);
        hooks::setOpenPanel({});
        const auto image = std::dynamic_pointer_cast<SKTImage>(m_document->graphics().value(0));
        ASSERT_TRUE(image);
        ASSERT_EQ(image->FilePath(), file);
        // The placed frame, clicked: that picture alone selected.
        const QPointF origin = image->bounds().topLeft();
        QTest::mouseClick(canvas(), Qt::LeftButton, {}, onCanvas(image->bounds().center()));
        ASSERT_EQ(canvas()->selectedGraphics(), SKTGraphicList{image});

        makeNaturalSize();
        EXPECT_EQ(image->bounds().topLeft(), origin);
        EXPECT_NEAR(image->bounds().width(), row.natural.width(), 0.01);
        EXPECT_NEAR(image->bounds().height(), row.natural.height(), 0.01);
        // Out of the way of the next one.
        QTest::keyClick(canvas(), Qt::Key_Delete);
        ASSERT_TRUE(m_document->graphics().isEmpty());
    }
}

TEST_F(PictureFrameTest, AHandlePastTheCardsEdgeIsTakenFromTheGreyArea) {
    start();
    // A card small enough to leave grey all round at 400 %.
    m_controller->Set_Document_Size(QSizeF(80, 60));
    const auto picture = placePhoto(QSize(20, 14), QPointF(45, 35));
    const QRectF placed(35, 28, 20, 14);
    ASSERT_EQ(picture->bounds(), placed);
    showWindow();

    for (const char* zoom : {"100%", "400%"}) {
        SCOPED_TRACE(zoom);
        chooseZoom(0, QString::fromLatin1(zoom));
        QWidget* grey = scroll()->viewport();
        ASSERT_TRUE(grey->rect().contains(onViewport({95, 70})))
            << "grey area shown past the card's corner";

        QTest::mouseClick(canvas(), Qt::LeftButton, {}, onCanvas(placed.center()));
        const QPointF outside(86, 66);
        const int backdrop = shade(grey, onViewport(outside));
        ASSERT_GT(std::abs(backdrop - 0xB0), 4) << "a handle would show there";
        ASSERT_EQ(canvas()->selectedGraphics(), SKTGraphicList{picture});

        // The bottom-right handle dragged out past the card's corner: the
        // mouse stays with the canvas it was pressed on.
        drag(canvas(), placed.bottomRight(), outside);
        ASSERT_NEAR(picture->bounds().right(), outside.x(), 0.5);
        ASSERT_NEAR(picture->bounds().bottom(), outside.y(), 0.5);
        ASSERT_FALSE(canvas()->cardBounds().contains(picture->bounds().bottomRight()));
        // It shows there, a grey knob on the lighter backdrop.
        EXPECT_NEAR(shade(grey, onViewport(outside)), 0xB0, 2);

        // The handle now lies in the grey area: pressed there and brought
        // back onto the card, the frame shrinks back.
        drag(grey, outside, placed.bottomRight());
        EXPECT_EQ(canvas()->selectedGraphics(), SKTGraphicList{picture});
        EXPECT_NEAR(picture->bounds().left(), placed.left(), 0.01);
        EXPECT_NEAR(picture->bounds().top(), placed.top(), 0.01);
        EXPECT_NEAR(picture->bounds().right(), placed.right(), 0.5);
        EXPECT_NEAR(picture->bounds().bottom(), placed.bottom(), 0.5);
        EXPECT_NEAR(shade(grey, onViewport(outside)), backdrop, 2) << "no handle left behind";
        // Exactly where the handle was put back.
        picture->setBounds(placed);
    }
}

TEST_F(PictureFrameTest, AtFourHundredPercentTheViewScrollsPastTheCardToAHandle) {
    start();
    // 120 x 120 mm: 1361 pixels a side at 400 %, more than the view shows.
    const double side = m_controller->Front_card_Prop.Card_Size().width();
    ASSERT_NEAR(side, 340.16, 0.01);
    const auto picture = placePhoto(QSize(60, 50), QPointF(330, 325));
    // Past the card's right and bottom edges by about 20 and 10 points.
    ASSERT_EQ(picture->bounds(), QRectF(300, 300, 60, 50));
    showWindow();
    chooseZoom(0, QStringLiteral("400%"));
    QWidget* grey = scroll()->viewport();
    ASSERT_GT(canvas()->width(), grey->width());
    ASSERT_GT(canvas()->height(), grey->height());
    // To the end of both scroll bars with the keyboard until `shown` holds:
    // the view takes a new reach with the redraw that follows a change.
    const auto toTheEndUntil = [&](const std::function<bool()>& shown) {
        return QTest::qWaitFor(
            [&] {
                for (QScrollBar* bar :
                     {scroll()->horizontalScrollBar(), scroll()->verticalScrollBar()}) {
                    QTest::keyClick(bar, Qt::Key_End);
                }
                QCoreApplication::processEvents();
                return shown();
            },
            5000);
    };
    const auto cardEndsAtTheViewsEdge = [&] {
        const QPoint corner = onViewport({side, side});
        return std::abs(corner.x() - grey->width()) <= 1 &&
               std::abs(corner.y() - grey->height()) <= 1;
    };
    EXPECT_TRUE(toTheEndUntil(cardEndsAtTheViewsEdge));

    // The picture selected by its part on the card: the view then reaches
    // as far as its handles.
    QTest::mouseClick(canvas(), Qt::LeftButton, {}, onCanvas({320, 320}));
    ASSERT_EQ(canvas()->selectedGraphics(), SKTGraphicList{picture});
    const QPointF handle(360, 350);
    ASSERT_TRUE(toTheEndUntil([&] { return grey->rect().contains(onViewport(handle)); }))
        << "the handle is in view";
    EXPECT_NEAR(shade(grey, onViewport(handle)), 0xB0, 2);

    // Taken from the grey area and brought back onto the card.
    drag(grey, handle, {330, 330});
    EXPECT_EQ(picture->bounds().topLeft(), QPointF(300, 300));
    EXPECT_NEAR(picture->bounds().right(), 330, 0.5);
    EXPECT_NEAR(picture->bounds().bottom(), 330, 0.5);

    // Nothing past the card any more: the view ends at the card's edge.
    EXPECT_TRUE(toTheEndUntil(cardEndsAtTheViewsEdge));
}

} // namespace
