// The main window's commands: tools that add objects at once, edit and
// arrange commands on the current side, locking, the standard buttons, the
// grid window, the commands of other libraries' windows, Print and Exit.

#include "mainwindow_controller_fixture.h"

#include "core/BatchState.h"
#include "editor/canvas/SKTGraphicView.h"
#include "editor/model/SKTPasteboard.h"
#include "editor/model/SKTText.h"
#include "editor/model/Shape_Control.h"
#include "editor/view/Grid_Wizard.h"
#include "editor/view/SKTGrid.h"
#include "mainwindow/controller/WindowEntries.h"
#include "output/PrinterList.h"
#include "widgets/GuiHooks.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QSlider>
#include <QToolButton>
#include <QUrl>

namespace {

namespace we = window_entries;

// Every entry empty again.
void clearEntries() {
    we::barcodeDesigner.set({});
    we::contactFields.set({});
    we::seriesManager.set({});
    we::seriesImport.set({});
    we::numberSeries.set({});
    we::exportCards.set({});
    we::print.set({});
    we::mail.set({});
    we::help.set({});
    we::review.set({});
    we::promotion.set({});
    we::newDesign.set({});
    we::openDesign.set({});
    we::saveDesign.set({});
    we::saveDesignAs.set({});
    we::saveAsTemplate.set({});
    we::saveProjectFile.set({});
    we::openLogFile.set({});
}

const QString kNotAvailable = QStringLiteral("\nThis is not available yet.");

class CommandTest : public ControllerFixture {
protected:
    void SetUp() override {
        ControllerFixture::SetUp();
        clearEntries();
        // No window waits for a person.
        hooks::setModalRunner([](QDialog&) { return 0; });
        hooks::setOpenPanel([](const hooks::OpenPanelRequest&) { return QStringList(); });
        Use_Data_Sheet_Values = false;
        Use_Excel_Binding_Values = false;
        Total_Batch_Excel_Card = 0;
    }

    void TearDown() override {
        ControllerFixture::TearDown();
        clearEntries();
        hooks::setModalRunner({});
        hooks::setOpenPanel({});
        hooks::setColorPanel({});
        output::printerLister.set({});
        Card_Front_Or_Back = 0;
        Library_Selected_Image.clear();
    }

    const SKTGraphicList& list(int side) const {
        return side == 1 ? m_document->graphics_back() : m_document->graphics();
    }

    // Shapes at the given rectangles on a side, index order as given.
    SKTGraphicList addShapes(int side, const QList<QRectF>& rects) {
        SKTGraphicList shapes;
        QList<int> indexes;
        for (const QRectF& rect : rects) {
            auto shape = std::make_shared<Shape_Control>();
            shape->_shape_type = QStringLiteral("R");
            shape->setBounds(rect);
            indexes.append(static_cast<int>(shapes.size()));
            shapes.append(shape);
        }
        EXPECT_TRUE(m_document->insertGraphicsInList(
            side == 1 ? SKTDocumentGraphicsKey_back : SKTDocumentGraphicsKey, shapes, indexes));
        return shapes;
    }

    QAction* action(const char* name) const { return control<QAction>(name); }
};

// ---- Tools ----

struct ToolRow {
    int tool;
    const char* button;
    QString cls;
    QSizeF size;
    QString detail; // shape letter or signature kind
};

TEST_F(CommandTest, EachToolAddsItsObjectToTheCurrentSide) {
    start();
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const QString picturePath = QDir(m_temp.path()).filePath(QStringLiteral("picture.png"));
    ASSERT_TRUE(picture.save(picturePath));
    hooks::setOpenPanel([picturePath](const hooks::OpenPanelRequest& request) {
        EXPECT_TRUE(request.allowedTypes.contains(QStringLiteral("jfif")));
        return QStringList{picturePath};
    });

    // An empty class: nothing is added (the arrow; the library, whose
    // window is cancelled).
    const ToolRow rows[] = {
        {0, "Arrow_Tool", "", {}, ""},
        {1, "Line_Tool", "SKTLine", {50, 50}, ""},
        {2, "Text_Tool", "SKTText", {50, 50}, ""},
        {3, "Rect_Tool", "Shape_Control", {50, 50}, "R"},
        {4, "Circle_Tool", "Shape_Control", {50, 50}, "C"},
        {5, "Round_Rect_Tool", "Shape_Control", {50, 50}, "RR"},
        {6, "Triangle_Tool", "Shape_Control", {50, 50}, "T"},
        {7, "Diamond_Tool", "Shape_Control", {50, 50}, "D"},
        {8, "Image_Tool", "SKTImage", {50, 50}, ""},
        {9, "Image_Library_Tool", "", {}, ""},
        {10, "Barcode_Tool", "SKTBarcode", {120, 60}, ""},
        {11, "Signature_Tool", "SKTSignature", {100, 50}, "S"},
        {12, "Fingure_Print_Tool", "SKTSignature", {50, 50}, "F"},
        {13, "Star_Tool", "Shape_Control", {50, 50}, "S"},
        {14, "Double_Star_Tool", "Shape_Control", {50, 50}, "DS"},
        {15, "Polygon_Tool", "Shape_Control", {50, 50}, "P"},
    };
    for (int side : {0, 1}) {
        if (side == 1) {
            m_controller->Select_back_side();
        }
        for (const ToolRow& row : rows) {
            const std::string name = std::string(row.button) + (side ? " back" : " front");
            const qsizetype before = list(side).size();
            const qsizetype other = list(1 - side).size();
            control<QToolButton>(row.button)->click();
            EXPECT_EQ(list(1 - side).size(), other) << name;
            EXPECT_EQ(m_controller->Selected_Control_Tool(), 0) << name;
            EXPECT_TRUE(control<QToolButton>("Arrow_Tool")->isChecked()) << name;
            if (row.cls.isEmpty()) {
                EXPECT_EQ(list(side).size(), before) << name;
                continue;
            }
            ASSERT_EQ(list(side).size(), before + 1) << name;
            const auto& made = list(side).first();
            EXPECT_EQ(made->className(), row.cls) << name;
            EXPECT_EQ(made->bounds().size(), row.size) << name;
            if (row.cls == QLatin1String("Shape_Control")) {
                EXPECT_EQ(made->Get_shape_type(), row.detail) << name;
            } else if (row.cls == QLatin1String("SKTSignature")) {
                EXPECT_EQ(made->Sign_Or_FP_Val(), row.detail) << name;
            }
            if (row.tool == 8) {
                EXPECT_EQ(Library_Selected_Image, picturePath);
            }
            // The new object is selected and shown; the arrow is back.
            EXPECT_EQ(canvas(side)->selectedGraphics(), SKTGraphicList{made}) << name;
            EXPECT_EQ(m_controller->lastSelectedGraphic(), made) << name;
        }
    }
}

TEST_F(CommandTest, CancelledPictureChoicesAddNothing) {
    start();
    for (int side : {0, 1}) {
        if (side == 1) {
            m_controller->Select_back_side();
        }
        for (const char* button : {"Image_Tool", "Image_Library_Tool"}) {
            Library_Selected_Image = QStringLiteral("/left/over.png");
            control<QToolButton>(button)->click();
            EXPECT_TRUE(list(side).isEmpty()) << button;
            EXPECT_EQ(m_controller->Selected_Control_Tool(), 0) << button;
            EXPECT_TRUE(control<QToolButton>("Arrow_Tool")->isChecked()) << button;
        }
        // The file chooser's cancel leaves no picture path behind.
        control<QToolButton>("Image_Tool")->click();
        EXPECT_TRUE(Library_Selected_Image.isEmpty());
    }
    EXPECT_TRUE(m_document->graphics().isEmpty());
}

TEST_F(CommandTest, SettingTheToolAddsNothing) {
    start();
    m_controller->setSelected_Control_Tool(3);
    EXPECT_TRUE(m_document->graphics().isEmpty());
    EXPECT_EQ(m_controller->Selected_Control_Tool(), 3);
}

// ---- Edit and arrange commands ----

TEST_F(CommandTest, CommandsWorkOnTheBackCanvasWhenTheBackIsShown) {
    start();
    const auto front = addShapes(0, {QRectF(40, 40, 20, 20), QRectF(70, 70, 20, 20)});
    m_controller->Select_back_side();
    const auto back =
        addShapes(1, {QRectF(30, 30, 20, 20), QRectF(80, 60, 10, 10), QRectF(100, 90, 30, 10)});
    canvas(0)->changeSelectionIndexes({0, 1});
    canvas(1)->changeSelectionIndexes({1, 2});

    m_controller->Align_Left_Clicked();
    // The first selected back object leads; the front ones stay.
    EXPECT_EQ(back[2]->bounds(), QRectF(80, 90, 30, 10));
    EXPECT_EQ(front[1]->bounds(), QRectF(70, 70, 20, 20));

    m_controller->Send_Back_Clicked();
    EXPECT_EQ(m_document->graphics_back(), (SKTGraphicList{back[0], back[1], back[2]}));
    canvas(1)->changeSelectionIndexes({2});
    m_controller->Begin_Front_Clicked();
    EXPECT_EQ(m_document->graphics_back(), (SKTGraphicList{back[2], back[0], back[1]}));

    canvas(1)->changeSelectionIndexes({1});
    m_controller->Delete_Clicked();
    EXPECT_EQ(m_document->graphics_back(), (SKTGraphicList{back[2], back[1]}));
    EXPECT_EQ(m_document->graphics().size(), 2);

    canvas(1)->changeSelectionIndexes({0});
    m_controller->Align_Center_Clicked();
    const QSizeF card = m_controller->canvasSize();
    EXPECT_EQ(back[2]->bounds().center(), QPointF(card.width() / 2, card.height() / 2));
}

TEST_F(CommandTest, ArrangeMessagesAndTheGridRequirement) {
    start();
    const auto shapes = addShapes(0, {QRectF(13, 17, 30, 30), QRectF(60, 60, 20, 40)});
    canvas(0)->changeSelectionIndexes({0});
    m_controller->Make_Same_Width_Clicked();
    m_controller->Make_Same_Height_Clicked();
    m_controller->Align_To_Grid_Clicked();
    EXPECT_EQ(m_alerts.texts(),
              (QStringList{QStringLiteral("\nPlease select more than one control."),
                           QStringLiteral("\nPlease select more than one control."),
                           QStringLiteral("\nPlease use grid option first.")}));
    EXPECT_EQ(shapes[0]->bounds(), QRectF(13, 17, 30, 30));

    // The slider of the grid window shows the grid; then the command works.
    Grid_Wizard* wizard = Grid_Wizard::defaultInstance(m_controller->window());
    m_controller->toggleGridShowing();
    wizard->Grid_Space_slidr()->setValue(10);
    EXPECT_TRUE(m_controller->grid()->isAlwaysShown());
    m_controller->Align_To_Grid_Clicked();
    EXPECT_EQ(shapes[0]->bounds(), QRectF(10, 20, 30, 30));
    EXPECT_EQ(m_alerts.texts().size(), 3);

    canvas(0)->changeSelectionIndexes({0, 1});
    m_controller->Make_Same_Width_Clicked();
    EXPECT_EQ(shapes[1]->bounds(), QRectF(60, 60, 30, 40));
}

TEST_F(CommandTest, LockAndUnlockSetTheFlagOfEverySelectedObject) {
    start();
    const auto shapes =
        addShapes(0, {QRectF(10, 10, 20, 20), QRectF(40, 40, 20, 20), QRectF(70, 70, 20, 20)});
    canvas(0)->changeSelectionIndexes({0, 2});
    m_controller->Show_RHS_Properties(shapes[0]);
    control<QAbstractButton>("Lock_btn")->click();
    EXPECT_TRUE(shapes[0]->ctrl_is_locked);
    EXPECT_FALSE(shapes[1]->ctrl_is_locked);
    EXPECT_TRUE(shapes[2]->ctrl_is_locked);
    EXPECT_EQ(canvas(0)->selectionIndexes(), (QList<int>{0, 2}));
    EXPECT_EQ(m_controller->lastSelectedGraphic(), shapes[2]);
    EXPECT_EQ(tabPages(), QStringList{"Lock_tab"});
    EXPECT_TRUE(!enabled("Lock_btn") && enabled("Unlock_btn") && !enabled("Cut_btn"));

    control<QAbstractButton>("Unlock_btn")->click();
    EXPECT_FALSE(shapes[0]->ctrl_is_locked);
    EXPECT_FALSE(shapes[2]->ctrl_is_locked);
    EXPECT_EQ(tabPages(), (QStringList{"shape_tab", "aligmnt_tab"}));
    EXPECT_TRUE(enabled("Lock_btn") && !enabled("Unlock_btn") && enabled("Cut_btn"));
    EXPECT_TRUE(m_alerts.texts().isEmpty());
}

TEST_F(CommandTest, LockWithNothingSelectedSaysSoAndKeepsTheLockedSet) {
    start();
    m_controller->Lock_Clicked();
    EXPECT_TRUE(!enabled("Lock_btn") && enabled("Unlock_btn"));
    for (const char* button :
         {"Cut_btn", "Copy_btn", "Paste_btn", "Delete_btn", "Begin_Front_btn", "Send_Back_btn"}) {
        EXPECT_FALSE(enabled(button)) << button;
    }
    m_controller->Unlock_Clicked();
    EXPECT_EQ(m_alerts.texts(),
              (QStringList{QStringLiteral("\nPlease select a control to Lock."),
                           QStringLiteral("\nPlease select a control to Unlock.")}));
}

struct ButtonSetRow {
    const char* name;
    void (SKTWindowController::*set)();
    // Cut and Copy, Paste, Delete and the two order buttons, Lock, Unlock.
    bool cutCopy, paste, deleteOrder, lock, unlock;
};

TEST_F(CommandTest, ButtonSetsEnableTheRealButtons) {
    start();
    auto* objects = new QMimeData;
    objects->setData(SKTGraphicViewPasteboardMimeType, QByteArray("objects"));
    QGuiApplication::clipboard()->setMimeData(objects);
    const ButtonSetRow rows[] = {
        {"control", &SKTWindowController::Enable_Standard_Button_For_Control, true, true, true,
         true, false},
        {"card", &SKTWindowController::Disable_Standard_Button_For_Card, false, true, false, false,
         false},
        {"lock", &SKTWindowController::Disable_Standard_Button_For_Lock, false, false, false, false,
         true},
        {"unlock", &SKTWindowController::Enable_Standard_Button_For_Unlock, true, true, true, true,
         false},
    };
    for (const ButtonSetRow& row : rows) {
        (m_controller.get()->*row.set)();
        EXPECT_EQ(enabled("Cut_btn"), row.cutCopy) << row.name;
        EXPECT_EQ(enabled("Copy_btn"), row.cutCopy) << row.name;
        EXPECT_EQ(enabled("Paste_btn"), row.paste) << row.name;
        EXPECT_EQ(enabled("Delete_btn"), row.deleteOrder) << row.name;
        EXPECT_EQ(enabled("Begin_Front_btn"), row.deleteOrder) << row.name;
        EXPECT_EQ(enabled("Send_Back_btn"), row.deleteOrder) << row.name;
        EXPECT_EQ(enabled("Lock_btn"), row.lock) << row.name;
        EXPECT_EQ(enabled("Unlock_btn"), row.unlock) << row.name;
        // The menu items follow their buttons.
        EXPECT_EQ(action("Cut_action")->isEnabled(), row.cutCopy) << row.name;
    }
}

TEST_F(CommandTest, PasteNeedsOurObjectsOnTheClipboard) {
    start();
    struct Row {
        const char* name;
        bool objects;
        bool files;
        bool text;
        bool paste;
    };
    const Row rows[] = {
        {"only file names", false, true, false, false},
        {"only text", false, false, true, false},
        {"objects", true, false, false, true},
        {"objects before file names", true, true, false, true},
    };
    for (const Row& row : rows) {
        auto* data = new QMimeData;
        if (row.objects) {
            data->setData(SKTGraphicViewPasteboardMimeType, QByteArray("objects"));
        }
        if (row.files) {
            data->setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/picture.png"))});
        }
        if (row.text) {
            data->setText(QStringLiteral("words"));
        }
        QGuiApplication::clipboard()->setMimeData(data);
        m_controller->Set_Paste_Button_Status();
        EXPECT_EQ(enabled("Paste_btn"), row.paste) << row.name;
    }
}

TEST_F(CommandTest, UndoAndRedoFollowTheDocument) {
    start();
    EXPECT_FALSE(enabled("Undo_btn"));
    EXPECT_FALSE(enabled("Redo_btn"));
    control<QToolButton>("Rect_Tool")->click();
    ASSERT_EQ(m_document->graphics().size(), 1);
    EXPECT_TRUE(enabled("Undo_btn"));
    EXPECT_FALSE(enabled("Redo_btn"));
    control<QAbstractButton>("Undo_btn")->click();
    EXPECT_TRUE(m_document->graphics().isEmpty());
    EXPECT_FALSE(enabled("Undo_btn"));
    EXPECT_TRUE(enabled("Redo_btn"));
    m_controller->Redo_Clicked();
    EXPECT_EQ(m_document->graphics().size(), 1);
    EXPECT_TRUE(enabled("Undo_btn"));
    EXPECT_FALSE(enabled("Redo_btn"));
}

TEST_F(CommandTest, SameSizeButtonsNeedTwoSelectedObjects) {
    start();
    addShapes(0, {QRectF(10, 10, 20, 20), QRectF(40, 40, 20, 30)});
    canvas(0)->changeSelectionIndexes({0});
    m_controller->Show_RHS_Properties(m_document->graphics().first());
    EXPECT_FALSE(enabled("Make_same_width_btn"));
    EXPECT_FALSE(enabled("Make_same_height_btn"));
    canvas(0)->changeSelectionIndexes({0, 1});
    EXPECT_TRUE(enabled("Make_same_width_btn"));
    EXPECT_TRUE(enabled("Make_same_height_btn"));
    // The alignment tab's buttons run the arrange commands.
    control<QAbstractButton>("Make_same_height_btn")->click();
    control<QAbstractButton>("Align_Top_btn")->click();
    EXPECT_EQ(m_document->graphics().at(1)->bounds(), QRectF(40, 10, 20, 20));
    // Align to grid waits for the grid to be shown.
    EXPECT_FALSE(enabled("Align_To_Grid_btn"));
    m_controller->grid()->setAlwaysShown(true);
    EXPECT_TRUE(enabled("Align_To_Grid_btn"));
}

TEST_F(CommandTest, PrintFlagGoesToTheSelectedObjects) {
    start();
    const auto shapes = addShapes(0, {QRectF(10, 10, 20, 20), QRectF(40, 40, 20, 20)});
    canvas(0)->changeSelectionIndexes({1});
    m_controller->Show_RHS_Properties(shapes[1]);
    control<QAbstractButton>("print_object_chk")->click();
    EXPECT_EQ(shapes[1]->print_object, 1);
    EXPECT_EQ(shapes[0]->print_object, 0);
    control<QAbstractButton>("print_object_chk")->click();
    EXPECT_EQ(shapes[1]->print_object, 0);
}

// ---- Grid ----

TEST_F(CommandTest, GridWindowShowsAndChangesTheGrid) {
    start();
    SKTGrid* grid = m_controller->grid();
    Grid_Wizard* wizard = Grid_Wizard::defaultInstance(m_controller->window());
    bool ran = false;
    hooks::setColorPanel([](const QColor&, QWidget*) { return QColor(200, 10, 10); });
    hooks::setModalRunner([&](QDialog& dialog) {
        ran = &dialog == wizard;
        // What the window shows on opening.
        EXPECT_EQ(wizard->Grid_Space_slidr()->value(), 9);
        EXPECT_FALSE(wizard->Show_hide_grid_chk()->isChecked());
        EXPECT_FALSE(wizard->Grid_Space_slidr()->isEnabled());
        // The user ticks the box, picks a colour and moves the slider.
        wizard->Show_hide_grid_chk()->click();
        EXPECT_TRUE(grid->isAlwaysShown());
        EXPECT_TRUE(wizard->Grid_Space_slidr()->isEnabled());
        wizard->Grid_clr()->click();
        wizard->Grid_Space_slidr()->setValue(24);
        return 1;
    });
    EXPECT_FALSE(grid->isAlwaysShown());
    action("Grid_Options_action")->trigger();
    EXPECT_TRUE(ran);
    EXPECT_EQ(grid->color(), QColor(200, 10, 10));
    EXPECT_EQ(grid->spacing(), 24.0);
    EXPECT_TRUE(grid->isAlwaysShown());

    hooks::setModalRunner([&](QDialog&) {
        EXPECT_EQ(wizard->Grid_Space_slidr()->value(), 24);
        wizard->Show_hide_grid_chk()->click();
        EXPECT_FALSE(wizard->Grid_Space_slidr()->isEnabled());
        return 1;
    });
    m_controller->toggleGridShowing();
    EXPECT_FALSE(grid->isAlwaysShown());
    EXPECT_EQ(grid->spacing(), 24.0);

    EXPECT_FALSE(grid->isConstraining());
    action("Snap_To_Grid_action")->trigger();
    EXPECT_TRUE(grid->isConstraining());
    EXPECT_TRUE(action("Snap_To_Grid_action")->isChecked());
    m_controller->toggleGridConstraining();
    EXPECT_FALSE(grid->isConstraining());
    EXPECT_FALSE(action("Snap_To_Grid_action")->isChecked());
}

// ---- Card commands ----

TEST_F(CommandTest, CardCommandsShowTheCardTabs) {
    start();
    const auto shapes = addShapes(0, {QRectF(10, 10, 20, 20)});
    m_controller->Show_RHS_Properties(shapes[0]);
    action("Card_Prop_action")->trigger();
    EXPECT_EQ(tabPages(), (QStringList{"card_setting_tab", "card_bkgd_tab", "card_brdr_tab"}));
    // Without a picture from the library the background stays.
    m_controller->Show_RHS_Properties(shapes[0]);
    const QString before = m_controller->Front_card_Prop.Card_BG_Image_Path();
    action("Card_Bckgrnd_action")->trigger();
    EXPECT_EQ(tabPages().first(), QStringLiteral("card_setting_tab"));
    EXPECT_EQ(m_controller->Front_card_Prop.Card_BG_Image_Path(), before);
}

// ---- Entries ----

struct EntryRow {
    const char* item;
    std::function<void(int&)> fill; // a fake that counts its calls
};

TEST_F(CommandTest, EntryItemsAreDisabledUntilTheirWindowIsThere) {
    const EntryRow rows[] = {
        {"User_Profile_Button",
         [](int& calls) {
             we::contactFields.set([&calls](int mode, const QString& side) {
                 EXPECT_EQ(mode, 1);
                 EXPECT_EQ(side, QStringLiteral("F"));
                 ++calls;
                 return 0;
             });
         }},
        {"Series_Manager_action", [](int& c) { we::seriesManager.set([&c] { ++c; }); }},
        {"Import_Series_action", [](int& c) { we::seriesImport.set([&c] { ++c; }); }},
        {"Create_Series_action", [](int& c) { we::numberSeries.set([&c] { ++c; }); }},
        {"Export_action", [](int& c) { we::exportCards.set([&c] { ++c; }); }},
        {"Mail_action", [](int& c) { we::mail.set([&c] { ++c; }); }},
        {"Help_action", [](int& c) { we::help.set([&c] { ++c; }); }},
        {"Promotion_R_action",
         [](int& c) {
             we::promotion.set([&c](const QString& type) {
                 EXPECT_EQ(type, QStringLiteral("R"));
                 ++c;
             });
         }},
        {"New_action", [](int& c) { we::newDesign.set([&c] { ++c; }); }},
        {"Open_action", [](int& c) { we::openDesign.set([&c] { ++c; }); }},
        {"Save_action", [](int& c) { we::saveDesign.set([&c] { ++c; }); }},
        {"SaveAs_action", [](int& c) { we::saveDesignAs.set([&c] { ++c; }); }},
        {"Save_Template_action", [](int& c) { we::saveAsTemplate.set([&c] { ++c; }); }},
    };
    start();
    const auto isOn = [this](const char* name) {
        if (QAction* item = action(name)) {
            return std::pair{item->isEnabled(), item->toolTip()};
        }
        QWidget* button = control<QWidget>(name);
        return std::pair{button->isEnabled(), button->toolTip()};
    };
    for (const EntryRow& row : rows) {
        const auto [on, tip] = isOn(row.item);
        EXPECT_FALSE(on) << row.item;
        EXPECT_EQ(tip, QStringLiteral("Not available yet.")) << row.item;
    }
    int calls[std::size(rows)] = {};
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        rows[i].fill(calls[i]);
    }
    // The user reaching the menus (the window shows, a menu opens) brings
    // the entries up to date.
    QTest::keyClick(openMenu("menuFile"), Qt::Key_Escape);
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const auto [on, tip] = isOn(rows[i].item);
        EXPECT_TRUE(on) << rows[i].item;
        EXPECT_NE(tip, QStringLiteral("Not available yet.")) << rows[i].item;
        if (QAction* item = action(rows[i].item)) {
            item->trigger();
        } else {
            control<QAbstractButton>(rows[i].item)->click();
        }
        EXPECT_EQ(calls[i], 1) << rows[i].item;
    }
    // A menu opening checks again.
    clearEntries();
    emit control<QMenu>("menuFile")->aboutToShow();
    EXPECT_FALSE(action("Save_action")->isEnabled());
    EXPECT_TRUE(m_alerts.texts().isEmpty());
}

TEST_F(CommandTest, EmptyEntryCalledAnywaySaysItIsNotAvailable) {
    start();
    m_controller->Batch_Series_Button();
    m_controller->Help_Button();
    m_controller->Promotion_Clicked(QStringLiteral("S"));
    EXPECT_EQ(m_alerts.texts(), QStringList(3, kNotAvailable));
}

// ---- Print ----

// A card bound to a series prints only when the series has records, and
// only where there is a printer.
TEST_F(CommandTest, PrintChecksTheListAndThePrinters) {
    start();
    int printed = 0;
    we::print.set([&printed] { ++printed; });
    QStringList printerNames;
    output::printerLister.set([&printerNames] { return printerNames; });
    auto text = std::make_shared<SKTText>();
    text->data_source_type = 1;
    text->batch_list_name = QStringLiteral("Guests");
    m_document->insertGraphicsInList(SKTDocumentGraphicsKey, {text}, {0});
    const QString series = QDir(Data_Folder_Path).filePath(QStringLiteral("Guests.txt"));
    struct Row {
        const char* name;
        const char* values; // the series file; none when null
        QStringList printers;
        int printed;
        const char* message; // "" when none
    };
    const Row rows[] = {
        {"a series that is gone", nullptr, {"cards"}, 0, "List is empty."},
        {"records, no printer", "Ann\nBob\n", {}, 0, "No printer found."},
        {"records and a printer", "Ann\nBob\n", {"cards"}, 1, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QFile::remove(series);
        if (row.values) {
            QFile file(series);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(row.values);
        }
        printerNames = row.printers;
        printed = 0;
        // The user reaching the menus (the window shows, a menu opens) brings
        // the entries up to date.
        QTest::keyClick(openMenu("menuFile"), Qt::Key_Escape);
        testsupport::ScriptedAlerts alerts;
        action("Print_action")->trigger();
        EXPECT_EQ(printed, row.printed);
        EXPECT_EQ(alerts.texts(),
                  *row.message ? QStringList{QStringLiteral("\n") + row.message} : QStringList());
    }
}

// ---- Exit ----

struct ExitRow {
    const char* name;
    std::deque<int> answers; // the save question, then any message
    std::optional<we::SaveResult> save;
    bool terminated;
    QStringList messages;
};

TEST_F(CommandTest, ExitAsksToSaveThenReviewsAndEnds) {
    const QString question = QStringLiteral("Do you want to save changes before closing?");
    const ExitRow rows[] = {
        {"no", {0}, std::nullopt, true, {question}},
        {"closed", {kAlertDismissed}, we::SaveResult::Saved, false, {question}},
        {"yes, saved", {1}, we::SaveResult::Saved, true, {question}},
        {"yes, cancelled", {1}, we::SaveResult::Cancelled, false, {question}},
        // The save itself tells why it failed.
        {"yes, failed", {1}, we::SaveResult::Failed, false, {question}},
        {"yes, no save yet", {1}, std::nullopt, false, {question, kNotAvailable}},
    };
    start();
    for (const ExitRow& row : rows) {
        for (bool review : {false, true}) {
            testsupport::ScriptedAlerts alerts(row.answers);
            m_exitCode.reset();
            int saves = 0;
            int reviews = 0;
            if (row.save) {
                we::saveProjectFile.set([&saves, &row](bool showMessage) {
                    EXPECT_FALSE(showMessage);
                    ++saves;
                    return *row.save;
                });
            } else {
                we::saveProjectFile.set({});
            }
            we::review.set(review ? std::function<void()>([&reviews] { ++reviews; })
                                  : std::function<void()>());
            EXPECT_EQ(m_controller->Exit_App(), row.terminated) << row.name;
            EXPECT_EQ(m_exitCode.has_value(), row.terminated) << row.name;
            if (row.terminated) {
                EXPECT_EQ(*m_exitCode, 0) << row.name;
            }
            EXPECT_EQ(reviews, review && row.terminated ? 1 : 0) << row.name;
            EXPECT_EQ(saves, row.answers.front() == 1 && row.save ? 1 : 0) << row.name;
            ASSERT_FALSE(alerts.requests().empty());
            EXPECT_EQ(alerts.requests().front().kind, AlertKind::YesNo) << row.name;
            EXPECT_EQ(alerts.texts().size(), row.messages.size()) << row.name;
            EXPECT_TRUE(alerts.texts().first().endsWith(question)) << row.name;
            if (row.messages.size() > 1) {
                EXPECT_EQ(alerts.texts().last(), row.messages.last()) << row.name;
            }
        }
    }
}

TEST_F(CommandTest, CloseRequestRunsExit) {
    start();
    MainWindowFrame* window = m_controller->window();
    for (int answer : {1, kAlertDismissed}) {
        testsupport::ScriptedAlerts alerts({answer});
        we::saveProjectFile.set([](bool) { return we::SaveResult::Failed; });
        EXPECT_FALSE(window->close()) << answer;
        EXPECT_TRUE(window->isVisible()) << answer;
        EXPECT_FALSE(m_exitCode.has_value()) << answer;
        EXPECT_EQ(alerts.texts().size(), 1) << answer;
    }
    {
        testsupport::ScriptedAlerts alerts({0});
        action("Exit_action")->trigger();
        EXPECT_EQ(m_exitCode, std::optional<int>(0));
    }
    {
        testsupport::ScriptedAlerts alerts({0});
        m_exitCode.reset();
        EXPECT_TRUE(window->close());
        EXPECT_EQ(m_exitCode, std::optional<int>(0));
    }
}

} // namespace
