// The canvas as a user meets it in the shown main window: the zoom pop-up in
// view, the card centred, the standard keys and Make Natural Size.

#include "mainwindow_controller_fixture.h"

#include "editor/canvas/SKTGraphicView.h"
#include "editor/model/SKTImage.h"
#include "editor/model/Shape_Control.h"
#include "editor/view/SKTRulerView.h"
#include "editor/view/SKTZoomingScrollView.h"
#include "mainwindow/controller/SideCanvases.h"
#include "mainwindow/controller/WindowEntries.h"
#include "output/PrinterList.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTest>
#include <QtTest/QTest>
#include <cmath>
#include <utility>

namespace {

namespace we = window_entries;

class CanvasViewTest : public ControllerFixture {
protected:
    void TearDown() override {
        for (auto* slot :
             {&we::newDesign, &we::openDesign, &we::saveDesign, &we::saveDesignAs, &we::print}) {
            slot->set({});
        }
        output::printerLister.set({});
        ControllerFixture::TearDown();
    }

    MainWindowFrame* showWindow(const QSize& size) {
        MainWindowFrame* window = m_controller->window();
        window->resize(size);
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        QCoreApplication::processEvents();
        return window;
    }

    // The card's centre minus the visible area's centre, in pixels.
    QPointF offCentre(int side) const {
        const QRectF card = canvas(side)->geometry();
        const QRectF visible = scroll(side)->viewport()->rect();
        return card.center() - visible.center();
    }

    // Whether the widget is wholly inside the shown window and unclipped.
    static bool wholeInView(QWidget* widget) {
        const QRect inWindow(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size());
        return widget->isVisible() && widget->window()->rect().contains(inWindow) &&
               widget->visibleRegion() == QRegion(widget->rect());
    }

    void press(QWidget* target, QKeySequence::StandardKey key) {
        QTest::keySequence(target, QKeySequence(key));
        QCoreApplication::processEvents();
    }
};

const char* const kSideButtons[] = {"Front_Card_Btn", "Back_Card_Btn", "Temp_Card_Btn"};

TEST_F(CanvasViewTest, ZoomPopUpAndScrollBarAreInViewOnEverySide) {
    start();
    MainWindowFrame* window = showWindow(QSize(1100, 760));
    for (int side = 0; side < 3; ++side) {
        SCOPED_TRACE(side);
        control<QAbstractButton>(kSideButtons[side])->click();
        // The side's visible area ends where the target view ends, once the
        // layout has settled (under load that takes more than one pass).
        auto* target = control<QStackedWidget>("myTargetView");
        const auto bottoms = [&] {
            return std::pair(scroll(side)->mapTo(window, QPoint(0, scroll(side)->height())).y(),
                             target->mapTo(window, QPoint(0, target->height())).y());
        };
        [[maybe_unused]] const bool settled = QTest::qWaitFor([&] {
            return wholeInView(scroll(side)->factorPopUpButton()) &&
                   wholeInView(scroll(side)->horizontalScrollBar()) &&
                   bottoms().first == bottoms().second;
        });
        EXPECT_TRUE(wholeInView(scroll(side)->factorPopUpButton()));
        EXPECT_TRUE(wholeInView(scroll(side)->horizontalScrollBar()));
        EXPECT_EQ(bottoms().first, bottoms().second);
    }
}

TEST_F(CanvasViewTest, EachZoomChoiceScalesTheCardsAndTheRulers) {
    start();
    m_controller->Set_Document_Size(QSizeF(200, 120));
    showWindow(QSize(1100, 760));
    control<QAbstractButton>("Show_Hide_Ruler_ChkBox")->click();
    const struct {
        const char* label;
        double factor;
    } choices[] = {{"10%", 0.1},  {"25%", 0.25},  {"50%", 0.5},   {"75%", 0.75},
                   {"100%", 1.0}, {"125%", 1.25}, {"150%", 1.5},  {"200%", 2.0},
                   {"400%", 4.0}, {"800%", 8.0},  {"1600%", 16.0}};
    for (const auto& choice : choices) {
        SCOPED_TRACE(choice.label);
        chooseZoom(0, QString::fromLatin1(choice.label));
        for (int side = 0; side < 3; ++side) {
            // One factor for the three sides.
            EXPECT_NEAR(canvas(side)->width(), 200 * choice.factor, 1) << side;
            EXPECT_NEAR(canvas(side)->height(), 120 * choice.factor, 1) << side;
            EXPECT_NEAR(scroll(side)->horizontalRuler()->scale(), choice.factor, 1e-6) << side;
        }
        EXPECT_EQ(scroll(0)->factorPopUpButton()->currentText(), QString::fromLatin1(choice.label));
    }
    // 200% shows the card twice as large as 100%.
    chooseZoom(0, QStringLiteral("100%"));
    const QSize normal = canvas(0)->size();
    chooseZoom(0, QStringLiteral("200%"));
    EXPECT_EQ(canvas(0)->size(), normal * 2);
}

TEST_F(CanvasViewTest, CardStaysCentredAfterEveryMove) {
    Project_File_Name.clear();
    start();
    m_controller->Install_Design_File_Entries();
    const QString designPath = QDir(m_temp.path()).filePath(QStringLiteral("party.crd"));
    hooks::setSavePanel([&](const hooks::SavePanelRequest&) { return designPath; });
    hooks::setOpenPanel([&](const hooks::OpenPanelRequest&) { return QStringList{designPath}; });
    m_controller->Set_Document_Size(QSizeF(300, 200));
    m_controller->Front_card_Prop.setCard_Size(QSizeF(300, 200));
    m_controller->Back_card_Prop.setCard_Size(QSizeF(300, 200));
    ASSERT_EQ(m_controller->Save_project_file(false, 0), we::SaveResult::Saved);
    MainWindowFrame* window = showWindow(QSize(1100, 800));
    auto* field = control<QLineEdit>("width_Text");
    ASSERT_NE(field, nullptr);

    const struct {
        const char* name;
        std::function<void()> move;
        int side;
    } steps[] = {
        {"shown", [] {}, 0},
        {"larger window", [&] { window->resize(1300, 950); }, 0},
        {"back", [&] { control<QAbstractButton>("Back_Card_Btn")->click(); }, 1},
        {"layout", [&] { control<QAbstractButton>("Temp_Card_Btn")->click(); }, 2},
        {"front", [&] { control<QAbstractButton>("Front_Card_Btn")->click(); }, 0},
        {"50%", [&] { chooseZoom(0, QStringLiteral("50%")); }, 0},
        {"back at 50%", [&] { control<QAbstractButton>("Back_Card_Btn")->click(); }, 1},
        {"150%", [&] { chooseZoom(1, QStringLiteral("150%")); }, 1},
        {"smaller window", [&] { window->resize(1150, 820); }, 1},
        {"rulers", [&] { control<QAbstractButton>("Show_Hide_Ruler_ChkBox")->click(); }, 1},
        {"100%", [&] { chooseZoom(1, QStringLiteral("100%")); }, 1},
        {"new project", [&] { press(field, QKeySequence::New); }, 0},
        {"open", [&] { press(field, QKeySequence::Open); }, 0},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        step.move();
        QCoreApplication::processEvents();
        ASSERT_TRUE(canvas(step.side)->isVisible());
        const QSize card = canvas(step.side)->size();
        const QSize visible = scroll(step.side)->viewport()->size();
        // The card is smaller than the view on both axes here, so both
        // axes are centred.
        ASSERT_LT(card.width(), visible.width());
        ASSERT_LT(card.height(), visible.height());
        EXPECT_LE(std::abs(offCentre(step.side).x()), 1.0);
        EXPECT_LE(std::abs(offCentre(step.side).y()), 1.0);
    }
    EXPECT_EQ(m_controller->canvasSize(), QSizeF(300, 200)); // the design was read
    hooks::setSavePanel({});
    hooks::setOpenPanel({});
}

TEST_F(CanvasViewTest, SelectAllKeySelectsTheObjectsOfTheCurrentSide) {
    start();
    auto addShapes = [this](const QString& key, int count) {
        SKTGraphicList shapes;
        QList<int> indexes;
        for (int i = 0; i < count; ++i) {
            auto shape = std::make_shared<Shape_Control>();
            shape->setBounds(QRectF(10 + 30 * i, 10, 20, 20));
            shapes.append(shape);
            indexes.append(i);
        }
        ASSERT_TRUE(m_document->insertGraphicsInList(key, shapes, indexes));
    };
    addShapes(SKTDocumentGraphicsKey, 2);
    addShapes(SKTDocumentGraphicsKey_back, 3);
    showWindow(QSize(1100, 760));
    const auto* menuItem = control<QAction>("Select_All_action");
    ASSERT_NE(menuItem, nullptr);
    EXPECT_TRUE(control<QMenu>("menuEdit")->actions().contains(menuItem));

    const struct {
        const char* sideButton;
        int side;
        int other;
        int count;
    } rows[] = {{"Front_Card_Btn", 0, 1, 2}, {"Back_Card_Btn", 1, 0, 3}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.sideButton);
        control<QAbstractButton>(row.sideButton)->click();
        canvas(0)->deselectAll();
        canvas(1)->deselectAll();
        // A click on the empty card gives the canvas the focus.
        QTest::mouseClick(canvas(row.side), Qt::LeftButton, {}, QPoint(150, 150));
        press(canvas(row.side), QKeySequence::SelectAll);
        EXPECT_EQ(canvas(row.side)->selectionIndexes().size(), row.count);
        EXPECT_TRUE(canvas(row.other)->selectionIndexes().isEmpty());
        // The edit commands can then act on the selection.
        EXPECT_TRUE(control<QAction>("Copy_action")->isEnabled());
    }

    // In a text field the key selects the field's text, not the objects.
    control<QAbstractButton>("Front_Card_Btn")->click();
    canvas(0)->deselectAll();
    auto* field = control<QLineEdit>("width_Text");
    ASSERT_NE(field, nullptr);
    field->setFocus();
    QTest::mouseClick(field, Qt::LeftButton);
    press(field, QKeySequence::SelectAll);
    EXPECT_FALSE(field->text().isEmpty());
    EXPECT_EQ(field->selectedText(), field->text());
    EXPECT_TRUE(canvas(0)->selectionIndexes().isEmpty());
}

TEST_F(CanvasViewTest, DeleteKeyActsOnTheFocusedLayoutCanvas) {
    start();
    auto a = std::make_shared<Shape_Control>();
    a->setBounds(QRectF(10, 10, 20, 20));
    auto b = std::make_shared<Shape_Control>();
    b->setBounds(QRectF(60, 10, 20, 20));
    ASSERT_TRUE(m_document->insertGraphicsInList(SKTDocumentGraphicsKey, {a, b}, {0, 1}));
    showWindow(QSize(1100, 760));
    control<QAbstractButton>("Temp_Card_Btn")->click();
    ASSERT_EQ(m_document->graphics_temp().size(), 2);
    QTest::mouseClick(canvas(2), Qt::LeftButton, {}, QPoint(20, 20));
    ASSERT_TRUE(canvas(2)->hasFocus());
    press(canvas(2), QKeySequence::Delete);
    // The shown side loses the object; the hidden front side keeps both.
    EXPECT_EQ(m_document->graphics_temp(), SKTGraphicList{b});
    EXPECT_EQ(m_document->graphics().size(), 2);
}

TEST_F(CanvasViewTest, WindowKeysReachTheirCommandsFromAnInspectorField) {
    start();
    showWindow(QSize(1100, 760));
    // The entries are filled after the window was shown and activated.
    int news = 0, opens = 0, saves = 0, savesAs = 0, prints = 0;
    we::newDesign.set([&] { ++news; });
    we::openDesign.set([&] { ++opens; });
    we::saveDesign.set([&] { ++saves; });
    we::saveDesignAs.set([&] { ++savesAs; });
    we::print.set([&] { ++prints; });
    output::printerLister.set([] { return QStringList{QStringLiteral("cards")}; });
    auto* field = control<QLineEdit>("width_Text");
    ASSERT_NE(field, nullptr);
    const struct {
        const char* action;
        QKeySequence::StandardKey key;
        const int* count;
    } rows[] = {{"New_action", QKeySequence::New, &news},
                {"Open_action", QKeySequence::Open, &opens},
                {"Save_action", QKeySequence::Save, &saves},
                {"SaveAs_action", QKeySequence::SaveAs, &savesAs},
                {"Print_action", QKeySequence::Print, &prints},
                {"Exit_action", QKeySequence::Quit, nullptr}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.action);
        const QKeySequence key = control<QAction>(row.action)->shortcut();
        ASSERT_FALSE(key.isEmpty());
        // The platform's standard key where its key scheme has one.
        const QList<QKeySequence> standard = QKeySequence::keyBindings(row.key);
        if (!standard.isEmpty()) {
            EXPECT_EQ(key, standard.first());
        }
        QTest::mouseClick(field, Qt::LeftButton);
        ASSERT_TRUE(field->hasFocus());
        QTest::keySequence(field, key);
        QCoreApplication::processEvents();
        if (row.count) {
            EXPECT_EQ(*row.count, 1);
        } else {
            // Quit asks to save (answered No here) and ends the program.
            EXPECT_EQ(m_exitCode, std::optional<int>(0));
        }
    }
}

TEST_F(CanvasViewTest, MakeNaturalSizeRestoresOneStretchedPicture) {
    start();
    const QString file = QDir(m_temp.path()).filePath(QStringLiteral("photo.png"));
    QImage photo(64, 48, QImage::Format_RGB32);
    photo.fill(Qt::darkGreen);
    ASSERT_TRUE(photo.save(file));
    auto picture = std::make_shared<SKTImage>();
    picture->initWithPath(QPointF(100, 100), file);
    const QSizeF natural = picture->bounds().size();
    ASSERT_FALSE(natural.isEmpty());
    picture->setBounds(QRectF(20, 30, natural.width() * 3, natural.height() * 2));
    auto shape = std::make_shared<Shape_Control>();
    shape->setBounds(QRectF(300, 300, 20, 20));
    ASSERT_TRUE(m_document->insertGraphicsInList(SKTDocumentGraphicsKey, {picture, shape}, {0, 1}));
    showWindow(QSize(1100, 760));

    // Click the picture: one object selected.
    QTest::mouseClick(canvas(0), Qt::LeftButton, {}, QPoint(40, 50));
    ASSERT_EQ(canvas(0)->selectedGraphics(), SKTGraphicList{picture});
    // The alignment tab's button keeps its two-object rule.
    m_controller->Show_RHS_Properties(picture);
    EXPECT_FALSE(enabled("Make_natural_size_btn"));

    // Arrange > Make Natural Size, with the mouse.
    QMenu* arrange = openMenu("menuArrange");
    auto* item = control<QAction>("Make_Natural_action");
    EXPECT_TRUE(item->isEnabled());
    clickMenuItem(arrange, "Make_Natural_action");
    EXPECT_EQ(picture->bounds(), QRectF(QPointF(20, 30), natural));

    // Nothing that can take a natural size selected: the item is off.
    QTest::mouseClick(canvas(0), Qt::LeftButton, {}, QPoint(310, 310));
    ASSERT_EQ(canvas(0)->selectedGraphics(), SKTGraphicList{shape});
    EXPECT_FALSE(item->isEnabled());
}

} // namespace

namespace {

TEST_F(CanvasViewTest, TheBackdropAndEscapeDeselectAndShowTheCard) {
    start();
    auto top = std::make_shared<Shape_Control>();
    top->setBounds(QRectF(10, 10, 20, 20));
    auto lower = std::make_shared<Shape_Control>();
    lower->setBounds(QRectF(10, 60, 20, 20));
    ASSERT_TRUE(m_document->insertGraphicsInList(SKTDocumentGraphicsKey, {top, lower}, {0, 1}));
    showWindow(QSize(1100, 760));
    const QStringList cardPages = tabPages();
    QWidget* backdrop = scroll(0)->viewport();
    const QRect card = canvas(0)->geometry();
    ASSERT_GT(card.left(), 20) << "the card has a grey margin";
    const QPoint grey(card.left() - 10, card.top() + 65);

    const struct {
        const char* name;
        std::function<void()> act;
        QList<int> selected;
    } rows[] = {
        {"click on the grey area",
         [&] { QTest::mouseClick(backdrop, Qt::LeftButton, {}, grey); },
         {}},
        {"Escape",
         [&] {
             ASSERT_EQ(QApplication::focusWidget(), canvas(0));
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
         },
         {}},
        // From the grey area onto the lower object only.
        {"rubber band from the grey area",
         [&] {
             const QPoint end = card.topLeft() + QPoint(20, 70);
             QTest::mousePress(backdrop, Qt::LeftButton, {}, grey);
             QTest::mouseMove(backdrop, end);
             QTest::mouseRelease(backdrop, Qt::LeftButton, {}, end);
         },
         {1}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QTest::mouseClick(canvas(0), Qt::LeftButton, {}, QPoint(20, 20));
        ASSERT_EQ(canvas(0)->selectionIndexes(), QList<int>{0});
        ASSERT_NE(tabPages(), cardPages);
        row.act();
        QCoreApplication::processEvents();
        EXPECT_EQ(canvas(0)->selectionIndexes(), row.selected);
        EXPECT_EQ(tabPages() == cardPages, row.selected.isEmpty());
    }
    EXPECT_EQ(top->bounds(), QRectF(10, 10, 20, 20)) << "nothing moved";
}

TEST_F(CanvasViewTest, AZoomChoiceGivesTheKeysBackToTheCard) {
    start();
    showWindow(QSize(1100, 760));
    QComboBox* popUp = scroll(0)->factorPopUpButton();
    QAbstractItemView* list = popUp->view();
    auto openPopUp = [&] {
        QTest::mouseClick(popUp, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
        // A click that opened the list is not taken for a choice within the
        // double-click time; a person's next click comes later.
        QTest::qWait(QApplication::doubleClickInterval() + 50);
    };
    const struct {
        const char* name;
        std::function<void()> choose;
        const char* chosen;
    } rows[] = {
        {"mouse",
         [&] {
             openPopUp();
             const QRect item = list->visualRect(list->model()->index(popUp->findText("800%"), 0));
             const QPoint at(list->viewport()->width() / 2, item.center().y());
             QTest::mouseMove(list->viewport(), at);
             QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
         },
         "800%"},
        {"keys",
         [&] {
             openPopUp();
             QTest::keyClick(list, Qt::Key_Up);
             QTest::keyClick(list, Qt::Key_Return);
         },
         "400%"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        row.choose();
        QCoreApplication::processEvents();
        ASSERT_FALSE(list->isVisible());
        ASSERT_EQ(popUp->currentText(), QString::fromLatin1(row.chosen));
        const double factor = scroll(0)->factor();
        QScrollBar* bar = scroll(0)->verticalScrollBar();
        const int before = bar->value();
        ASSERT_LT(before, bar->maximum());
        ASSERT_EQ(QApplication::focusWidget(), canvas(0));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
        QCoreApplication::processEvents();
        EXPECT_EQ(scroll(0)->factor(), factor);
        EXPECT_EQ(popUp->currentText(), QString::fromLatin1(row.chosen));
        EXPECT_GT(bar->value(), before);
    }
}

} // namespace
