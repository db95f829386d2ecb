// The side switch, the temporary side, object placement and card sizes.

#include "mainwindow_controller_fixture.h"

#include "editor/model/SKTText.h"
#include "editor/model/Shape_Control.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <vector>

namespace {

class SidesTest : public ControllerFixture {
protected:
    void addObjects(const QString& key, int count) {
        SKTGraphicList graphics;
        QList<int> indexes;
        const int first = static_cast<int>(m_document->graphicsForKey(key).size());
        for (int i = 0; i < count; ++i) {
            graphics.append(std::make_shared<Shape_Control>());
            indexes.append(first + i);
        }
        ASSERT_TRUE(m_document->insertGraphicsInList(key, graphics, indexes));
    }
};

struct SideCase {
    const char* name;
    void (SKTWindowController::*select)();
    int startSide;
    QString label;
    int side;  // Card_Front_Or_Back afterwards
    int shown; // canvas shown
};

TEST_F(SidesTest, SelectionsSetLabelSideAndCanvas) {
    start();
    const SideCase cases[] = {
        {"front", &SKTWindowController::Select_front_side, 1, "Front", 0, 0},
        {"back", &SKTWindowController::Select_back_side, 0, "Back", 1, 1},
        {"temp keeps front", &SKTWindowController::Select_temp_design_side, 0, "TEMP", 0, 2},
        {"temp keeps back", &SKTWindowController::Select_temp_design_side, 1, "TEMP", 1, 2},
    };
    for (const SideCase& c : cases) {
        Card_Front_Or_Back = c.startSide;
        (m_controller.get()->*c.select)();
        EXPECT_EQ(control<QLabel>("Front_back_label")->text(), c.label) << c.name;
        EXPECT_EQ(Card_Front_Or_Back, c.side) << c.name;
        EXPECT_EQ(m_controller->shownSide(), c.shown) << c.name;
        EXPECT_EQ(control<QStackedWidget>("myTargetView")->currentIndex(), c.shown) << c.name;
        // The card's tabs for the side.
        EXPECT_EQ(tabPages(), (QStringList{"card_setting_tab", "card_bkgd_tab", "card_brdr_tab"}))
            << c.name;
    }
}

TEST_F(SidesTest, TemporarySideSharesTheObjectsOfTheSideShownLast) {
    start();
    addObjects(SKTDocumentGraphicsKey, 2);
    addObjects(SKTDocumentGraphicsKey_back, 3);
    addObjects(SKTDocumentGraphicsKey_temp, 5); // stale content goes

    Card_Front_Or_Back = 1;
    m_controller->Temp_Card_Btn_Clicked();
    EXPECT_EQ(Card_Front_Or_Back, 1);
    ASSERT_EQ(m_controller->Get_Temp_Control_Count(), 3);
    for (int i = 0; i < 3; ++i) {
        // The same records, not copies.
        EXPECT_EQ(m_document->graphics_temp()[i].get(), m_document->graphics_back()[i].get());
    }

    m_controller->Select_front_side();
    m_controller->Temp_Card_Btn_Clicked();
    ASSERT_EQ(m_controller->Get_Temp_Control_Count(), 2);
    EXPECT_EQ(m_document->graphics_temp()[1].get(), m_document->graphics()[1].get());

    // Changing the getter's copy leaves the list alone.
    SKTGraphicList copy = m_controller->Get_Temp_Controls_Array();
    copy.clear();
    EXPECT_EQ(m_controller->Get_Temp_Control_Count(), 2);
    EXPECT_EQ(&m_controller->Get_Front_Controls_Array(), &m_document->graphics());
    EXPECT_EQ(&m_controller->Get_Back_Controls_Array(), &m_document->graphics_back());
    EXPECT_EQ(m_controller->Get_Front_Control_Count(), 2);
    EXPECT_EQ(m_controller->Get_Back_Control_Count(), 3);
}

TEST_F(SidesTest, NewPointStartsAtThirtyAndStepsByTheObjectCount) {
    start();
    // 120 mm square card: 340.16 points.
    EXPECT_EQ(m_controller->Control_New_Point(QStringLiteral("F")), QPointF(30, 30));
    EXPECT_EQ(m_controller->Control_New_Point(QStringLiteral("F")), QPointF(50, 50));

    addObjects(SKTDocumentGraphicsKey_back, 25);
    last_ctrl_X = 10;
    last_ctrl_Y = 10;
    EXPECT_EQ(m_controller->Control_New_Point(QStringLiteral("B")), QPointF(35, 35));
    // A side code other than "F" counts the back side.
    EXPECT_EQ(m_controller->Control_New_Point(QStringLiteral("X")), QPointF(60, 60));
    EXPECT_EQ(last_ctrl_X, 60.0f);
    EXPECT_EQ(last_ctrl_Y, 60.0f);
}

TEST_F(SidesTest, NewPointWrapsEachAxisOnItsOwn) {
    start();
    const float width = static_cast<float>(m_controller->canvasSize().width());
    // x + 50 reaches past the width: x wraps, y goes on.
    last_ctrl_X = width - 69.5f;
    last_ctrl_Y = 100;
    EXPECT_EQ(m_controller->Control_New_Point(QStringLiteral("F")), QPointF(10, 120));
    EXPECT_EQ(last_ctrl_X, 10.0f);
    EXPECT_EQ(last_ctrl_Y, 120.0f);
    // One point below the edge: no wrap.
    last_ctrl_X = 100;
    last_ctrl_Y = 249; // 249 + 20 + 50 = 319 < 340.16
    EXPECT_EQ(m_controller->Control_New_Point(QStringLiteral("F")), QPointF(120, 269));
    // Still inside: 269 + 20 + 50 = 339 < 340.16 ...
    EXPECT_EQ(m_controller->Control_New_Point(QStringLiteral("F")), QPointF(140, 289));
    // ... and then wraps alone.
    EXPECT_EQ(m_controller->Control_New_Point(QStringLiteral("F")), QPointF(160, 10));
    // Both at once.
    last_ctrl_X = width;
    last_ctrl_Y = width;
    EXPECT_EQ(m_controller->Control_New_Point(QStringLiteral("F")), QPointF(10, 10));
}

TEST_F(SidesTest, CardSizeTables) {
    start();
    // Millimetres typed from the inch tables (long side x short side for PVC
    // cards, first x second for paper cards), 1 inch = 25.4 mm.
    struct Row {
        double first;
        double second;
    };
    const std::vector<Row> pvc = {{85.598, 54.102}, {84.074, 52.324}, {91.948, 60.452},
                                  {98.552, 66.548}, {88.9, 44.45},    {82.55, 59.436},
                                  {73.152, 53.848}};
    const std::vector<Row> paper = {{59.944, 40.132},   {74.93, 40.132},   {74.93, 40.132},
                                    {89.916, 54.102},   {89.916, 59.944},  {59.944, 89.916},
                                    {100.076, 103.886}, {150.114, 125.984}};
    struct Category {
        const char* name;
        const std::vector<Row>& rows;
    };
    for (const Category& category :
         {Category{"PVC Card", pvc}, Category{"Paper Card", paper}, Category{"Other", paper}}) {
        const QString name = QString::fromLatin1(category.name);
        // Past either end of the list: 30 x 30 inches, and -1 gives 30 x 30 mm.
        std::vector<std::pair<int, Row>> expected = {{int(category.rows.size()), {762, 762}},
                                                     {99, {762, 762}},
                                                     {-1, {30, 30}},
                                                     {-2, {762, 762}}};
        for (size_t i = 0; i < category.rows.size(); ++i) {
            expected.emplace_back(int(i), category.rows[i]);
        }
        for (const auto& [index, row] : expected) {
            const QSizeF horizontal =
                m_controller->Get_My_card_Size(name, QStringLiteral("H"), index);
            EXPECT_NEAR(horizontal.width(), row.first, 1e-3) << category.name << " " << index;
            EXPECT_NEAR(horizontal.height(), row.second, 1e-3) << category.name << " " << index;
            const QSizeF vertical =
                m_controller->Get_My_card_Size(name, QStringLiteral("V"), index);
            EXPECT_NEAR(vertical.width(), row.second, 1e-3) << category.name << " " << index;
            EXPECT_NEAR(vertical.height(), row.first, 1e-3) << category.name << " " << index;
            // Anything but "V" is horizontal.
            EXPECT_EQ(m_controller->Get_My_card_Size(name, QString(), index), horizontal);
        }
    }
}

TEST(CardUnitsTest, ConversionsRoundTheDoubleProductToFloat) {
    // Values where the double-precision product, rounded once to float,
    // differs from the single-precision product (which gives 340.1575012f,
    // 297.6378174f and 1.0583334f).
    EXPECT_EQ(SKTWindowController::MM_to_Points_Convert(120.0f), 340.157470703125f);
    EXPECT_EQ(SKTWindowController::MM_to_Points_Convert(105.0f), 297.6377868652344f);
    EXPECT_EQ(SKTWindowController::MM_to_Points_Convert(0.0f), 0.0f);
    EXPECT_EQ(SKTWindowController::Points_to_MM_Convert(3.0f), 1.0583332777023315f);
    EXPECT_EQ(SKTWindowController::Points_to_MM_Convert(243.0f), 85.7249984741211f);
    EXPECT_NEAR(
        SKTWindowController::Points_to_MM_Convert(SKTWindowController::MM_to_Points_Convert(54.0f)),
        54.0f, 1e-4);
}

TEST_F(SidesTest, DocumentSizeReachesTheCanvases) {
    start();
    m_controller->Set_Document_Size(QSizeF(200, 100));
    EXPECT_EQ(m_controller->canvasSize(), QSizeF(200, 100));
    EXPECT_EQ(m_controller->frontCanvasBounds(), QRectF(0, 0, 200, 100));
    m_controller->Set_Card_Size_In_Control(QSizeF(85.5, 54));
    EXPECT_EQ(control<QLineEdit>("width_Text")->text(), QStringLiteral("85.5"));
    EXPECT_EQ(control<QLineEdit>("height_Text")->text(), QStringLiteral("54"));
}

TEST_F(SidesTest, ShownSideIsFifteenPointsTallerThanTheTargetView) {
    start();
    QWidget* window = m_controller->window();
    window->resize(1100, 760);
    window->show();
    QCoreApplication::processEvents();
    auto* target = control<QStackedWidget>("myTargetView");
    ASSERT_NE(target, nullptr);
    const struct {
        void (SKTWindowController::*select)();
        int page;
        QSize windowSize; // resized after the switch
    } cases[] = {
        {&SKTWindowController::Select_back_side, 1, QSize(1100, 760)},
        {&SKTWindowController::Select_temp_design_side, 2, QSize(1200, 820)},
        {&SKTWindowController::Select_front_side, 0, QSize(1000, 700)},
        {&SKTWindowController::Select_back_side, 1, QSize(1150, 900)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page);
        (m_controller.get()->*c.select)();
        QCoreApplication::processEvents();
        QWidget* page = target->widget(c.page);
        ASSERT_EQ(target->currentWidget(), page);
        EXPECT_GT(target->height(), 100);
        // The extra strip lies above the target's top edge: the bottom
        // edges meet.
        EXPECT_EQ(page->geometry(), QRect(0, -15, target->width(), target->height() + 15));
        // A later resize of the window keeps the rule.
        window->resize(c.windowSize);
        QCoreApplication::processEvents();
        EXPECT_EQ(page->geometry(), QRect(0, -15, target->width(), target->height() + 15));
    }
    window->hide();
}

} // namespace
