// The main window with its canvases: tools draw objects on the front canvas,
// objects select and move, and the inspector follows the current object.

#include "mainwindow_controller_fixture.h"

#include "editor/canvas/SKTGraphicView.h"
#include "editor/model/SKTText.h"
#include "editor/model/Shape_Control.h"
#include "editor/view/SKTZoomingScrollView.h"
#include "mainwindow/controller/SideCanvases.h"

#include <QCoreApplication>
#include <QLabel>
#include <QToolButton>
#include <QtTest/QTest>

namespace {

class CanvasTest : public ControllerFixture {
protected:
    SKTGraphicView* frontCanvas() const {
        return qobject_cast<SKTGraphicView*>(m_controller->canvasOfSide(0));
    }

    void drag(QWidget* canvas, QPoint from, QPoint to) {
        QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(canvas, (from + to) / 2);
        QTest::mouseMove(canvas, to);
        QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, to);
        QCoreApplication::processEvents();
    }
};

struct ToolCase {
    const char* button;
    int tool;
    QString cls;
    QString firstPage;
};

TEST_F(CanvasTest, ToolsDrawObjectsOfTheirClass) {
    start();
    const ToolCase cases[] = {
        {"Rect_Tool", 3, "Shape_Control", "shape_tab"},
        {"Text_Tool", 2, "SKTText", "text_edtng_tab"},
        {"Line_Tool", 1, "SKTLine", "line_tab"},
        {"Circle_Tool", 4, "Shape_Control", "shape_tab"},
    };
    SKTGraphicView* canvas = frontCanvas();
    ASSERT_NE(canvas, nullptr);
    ASSERT_TRUE(canvas->isVisible());
    int expected = 0;
    for (const ToolCase& c : cases) {
        // Set as the canvas's drawing tool (a button click would add the
        // object at once instead).
        m_controller->setSelected_Control_Tool(c.tool);
        EXPECT_EQ(m_controller->currentGraphicClass(), c.cls) << c.button;
        EXPECT_TRUE(control<QToolButton>(c.button)->isChecked());
        const int x = 20 + 60 * expected;
        drag(canvas, QPoint(x, 40), QPoint(x + 40, 90));
        ++expected;
        ASSERT_EQ(m_document->graphics().size(), expected) << c.button;
        // Index 0 is the front-most, newest object.
        EXPECT_EQ(m_document->graphics().first()->className(), c.cls) << c.button;
        // Selecting it shows its kind's inspector.
        m_controller->Show_RHS_Properties(m_document->graphics().first());
        EXPECT_EQ(tabPages().first(), c.firstPage) << c.button;
        EXPECT_EQ(m_controller->Selected_Control_Tool(), 0) << c.button;
        EXPECT_TRUE(control<QToolButton>("Arrow_Tool")->isChecked());
    }
}

TEST_F(CanvasTest, ObjectsSelectAndMoveWithTheMouse) {
    start();
    auto rectangle = std::make_shared<Shape_Control>();
    rectangle->_shape_type = QStringLiteral("R");
    rectangle->setBounds(QRectF(50, 50, 80, 60));
    ASSERT_TRUE(m_document->insertGraphic(rectangle, 0));
    SKTGraphicView* canvas = frontCanvas();
    QCoreApplication::processEvents();

    drag(canvas, QPoint(90, 80), QPoint(120, 100));
    EXPECT_EQ(canvas->selectedGraphics().size(), 1);
    EXPECT_EQ(rectangle->bounds().topLeft(), QPointF(80, 70));
    EXPECT_EQ(m_controller->lastSelectedGraphic(), rectangle);
    EXPECT_EQ(tabLabels().first(), QStringLiteral("Rectangle Properties"));

    // A click on the empty card shows the card inspector again.
    drag(canvas, QPoint(300, 300), QPoint(300, 300));
    EXPECT_TRUE(canvas->selectedGraphics().isEmpty());
    EXPECT_EQ(tabPages().first(), QStringLiteral("card_setting_tab"));
}

TEST_F(CanvasTest, SideButtonsSwitchTheShownCanvas) {
    start();
    control<QAbstractButton>("Back_Card_Btn")->click();
    EXPECT_EQ(Card_Front_Or_Back, 1);
    EXPECT_TRUE(m_controller->canvasOfSide(1)->isVisible());
    EXPECT_FALSE(m_controller->canvasOfSide(0)->isVisible());
    control<QAbstractButton>("Temp_Card_Btn")->click();
    EXPECT_EQ(control<QLabel>("Front_back_label")->text(), QStringLiteral("TEMP"));
    EXPECT_TRUE(m_controller->canvasOfSide(2)->isVisible());
    EXPECT_EQ(Card_Front_Or_Back, 1);
    control<QAbstractButton>("Front_Card_Btn")->click();
    EXPECT_TRUE(m_controller->canvasOfSide(0)->isVisible());
    EXPECT_EQ(Card_Front_Or_Back, 0);
}

TEST_F(CanvasTest, CanvasesTakeTheCardSize) {
    start();
    m_controller->Set_Document_Size(QSizeF(243, 154));
    for (int side = 0; side < 3; ++side) {
        auto* canvas = qobject_cast<SKTGraphicView*>(m_controller->canvasOfSide(side));
        ASSERT_NE(canvas, nullptr);
        EXPECT_EQ(canvas->bounds(), QRectF(0, 0, 243, 154)) << side;
    }
}

} // namespace

namespace {

TEST_F(CanvasTest, RulerBoxShowsAndHidesTheRulersOfAllThreeCanvases) {
    start();
    auto* box = control<QAbstractButton>("Show_Hide_Ruler_ChkBox");
    ASSERT_FALSE(box->isChecked());
    for (bool shown : {true, false}) {
        box->click();
        for (int side = 0; side < 3; ++side) {
            auto* scroll =
                qobject_cast<SKTZoomingScrollView*>(m_controller->canvases()->scrollView(side));
            ASSERT_NE(scroll, nullptr);
            EXPECT_EQ(scroll->rulersVisible(), shown) << side;
        }
    }
}

TEST_F(CanvasTest, PrintFlagIsShown) {
    start();
    auto graphic = std::make_shared<Shape_Control>();
    graphic->print_object = 1;
    m_controller->Show_RHS_Properties(graphic);
    EXPECT_TRUE(control<QAbstractButton>("print_object_chk")->isChecked());
    m_controller->Show_RHS_Properties(std::make_shared<SKTText>());
    EXPECT_FALSE(control<QAbstractButton>("print_object_chk")->isChecked());
}

} // namespace
