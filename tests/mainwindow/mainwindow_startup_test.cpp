// Start-up of the main window: folders, window, interface and the failure
// when the resource folder cannot be made.

#include "mainwindow_controller_fixture.h"

#include "editor/model/PicturePlaceholders.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTLine.h"
#include "editor/model/SKTText.h"

#include "mainwindow/controller/MainWindowFrame.h"
#include "widgets/CardStepper.h"
#include "widgets/ColorWell.h"
#include "widgets/FloatSlider.h"
#include "widgets/ImageBrowser.h"
#include "widgets/RadioMatrix.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QStackedWidget>
#include <sys/stat.h>

namespace {

QStringList itemsOf(QComboBox* popup) {
    QStringList items;
    for (int i = 0; i < popup->count(); ++i) {
        items << popup->itemText(i);
    }
    return items;
}

class StartupTest : public ControllerFixture {};

TEST_F(StartupTest, CreatesTheWritableFoldersUnderTheUmask) {
    const mode_t old = ::umask(027);
    start();
    ::umask(old);
    EXPECT_EQ(Resource_Path, m_resources);
    EXPECT_EQ(Data_Folder_Path, QDir(m_resources).filePath(QStringLiteral("DataSet")));
    for (const char* folder : {"DataSet", "Background", "Fill_Style_Image", "LibraryImage",
                               "Templates", "Templates/User"}) {
        const QFileInfo info(QDir(m_resources).filePath(QString::fromLatin1(folder)));
        ASSERT_TRUE(info.isDir()) << folder;
        if (QString::fromLatin1(folder) != QStringLiteral("Fill_Style_Image")) {
            // Made here, so the umask decides: nothing for others.
            EXPECT_FALSE(info.permissions() & QFileDevice::ReadOther) << folder;
            EXPECT_FALSE(info.permissions() & QFileDevice::WriteGroup) << folder;
        }
    }
    EXPECT_FALSE(m_exitCode.has_value());
    EXPECT_TRUE(m_controller->isLoaded());
    EXPECT_TRUE(m_alerts.texts().isEmpty());
}

TEST_F(StartupTest, ResourceFolderThatCannotBeMadeStopsWithTheMessage) {
    // A file where a folder should go.
    const QString blocker = QDir(m_temp.path()).filePath(QStringLiteral("blocker"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString folder = blocker + QStringLiteral("/resources");
    hooks::setResourceFolderLocator([folder] { return folder; });
    start();
    EXPECT_EQ(m_alerts.texts(), QStringList{QStringLiteral("\nCan not access Tarvel Data file.")});
    ASSERT_TRUE(m_exitCode.has_value());
    EXPECT_NE(*m_exitCode, 0);
    EXPECT_FALSE(m_controller->isLoaded());
    // Nothing further happened: no inspector pages, no data folder made.
    EXPECT_EQ(m_controller->tabPage(SKTWindowController::CardSettingTab), nullptr);
    EXPECT_FALSE(QFileInfo::exists(folder));
}

TEST_F(StartupTest, WindowGeometryColourAndNoCloseButton) {
    start();
    MainWindowFrame* window = m_controller->window();
    EXPECT_EQ(window->geometry(), QRect(100, 0, 1000, 800));
    EXPECT_EQ(window->palette().color(QPalette::Window), QColor(241, 244, 250));
    EXPECT_FALSE(window->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->objectName(), QStringLiteral("DrawWindow"));
    EXPECT_EQ(Main_App_wnd, m_controller.get());
    EXPECT_EQ(SKTWindowController::defaultInstance(), m_controller.get());
    EXPECT_EQ(SKTWindowControllerInterface::current(), m_controller.get());
}

TEST_F(StartupTest, CardTabsShowAndFifteenPagesExistInOrder) {
    start();
    // The window load leaves the five card tabs; the empty front canvas then
    // asks for the card inspector as soon as it is on screen.
    EXPECT_EQ(tabPages(), (QStringList{"card_setting_tab", "card_bkgd_tab", "card_brdr_tab"}));
    const QStringList all = {"card_setting_tab", "card_info_tab", "card_size_tab", "card_bkgd_tab",
                             "card_brdr_tab",    "line_tab",      "shape_tab",     "text_edtng_tab",
                             "text_prop_tab",    "image_tab",     "sign_tab",      "datasource_tab",
                             "aligmnt_tab",      "barcode_tab",   "Lock_tab"};
    for (int i = 0; i < SKTWindowController::TabCount; ++i) {
        QWidget* page = m_controller->tabPage(static_cast<SKTWindowController::TabIndex>(i));
        ASSERT_NE(page, nullptr) << i;
        EXPECT_EQ(page->objectName(), all[i]);
    }
    // Shown from the start.
    EXPECT_TRUE(control<QStackedWidget>("myTargetView")->isVisible());
    EXPECT_TRUE(m_controller->sett_tab()->isVisible());
    EXPECT_EQ(m_controller->shownSide(), 0);
}

TEST_F(StartupTest, ControlsStartAsTheWindowLoadSetsThem) {
    start();
    EXPECT_EQ(control<QComboBox>("Card_image_layout")->currentIndex(), 1);
    EXPECT_EQ(control<QComboBox>("Sides_ComboBox")->currentIndex(), 0);
    EXPECT_EQ(control<QComboBox>("Preset_ComboBox")->currentIndex(), 0);
    EXPECT_EQ(control<QComboBox>("Category_ComboBox")->currentIndex(), 0);
    EXPECT_EQ(itemsOf(control<QComboBox>("Text_Date_style")),
              (QStringList{"M-d-yyyy", "M-d-yy", "MM-dd-yy", "MM-dd-yyyy", "yy-MM-dd", "yyyy-MM-dd",
                           "dd-MMM-yy", "dd-MM-yyyy", "d-M-yy"}));
    EXPECT_EQ(control<QComboBox>("Text_Date_style")->currentIndex(), 0);
    EXPECT_EQ(itemsOf(control<QComboBox>("Text_Time_style")),
              (QStringList{"h:mm:ss a", "hh:mm:ss a", "H:mm:ss", "HH:mm:ss"}));
    // The border width shows the front record's (loaded by the card view).
    const int width = m_controller->Front_card_Prop.Card_bor_Stepper();
    EXPECT_EQ(control<QLineEdit>("Card_bor_Text")->text(), QString::number(width));
    EXPECT_EQ(control<CardStepper>("Card_bor_Stepper")->intValue(), width);
    EXPECT_EQ(control<QComboBox>("Card_border_style")->currentIndex(), 0);
    // The hatch patterns of the resource folder, in listing order, in both
    // pop-ups.
    EXPECT_EQ(itemsOf(control<QComboBox>("shape_hatch_style")), hatchNames());
    EXPECT_EQ(itemsOf(control<QComboBox>("Card_hatch_style")), hatchNames());
    EXPECT_EQ(control<QComboBox>("Card_hatch_style")->currentIndex(), 0);
    // Plain fill: only the solid colour is on.
    EXPECT_TRUE(control<QRadioButton>("Card_solid_fill_rd")->isChecked());
    EXPECT_EQ(Not_Draw_Only_Prop_Change, 0);
    EXPECT_DOUBLE_EQ(control<ImageBrowser>("imageBrowser")->zoomValue(), 0.4);
    EXPECT_EQ(m_controller->pvc_card_arry.first(), QStringLiteral("CR80-Credit Card Size"));
    EXPECT_EQ(m_controller->paper_card_arry.size(), 8);
    EXPECT_EQ(m_controller->Text_font.family(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(m_controller->Text_font.pointSizeF(), 14.0);
}

TEST_F(StartupTest, StartDesignIsOneHundredTwentyMillimetresSquare) {
    start();
    const QSizeF size = m_controller->canvasSize();
    EXPECT_EQ(static_cast<float>(size.width()), 340.157470703125f);
    EXPECT_EQ(static_cast<float>(size.height()), 340.157470703125f);
    EXPECT_EQ(m_controller->frontCanvasBounds(), QRectF(QPointF(0, 0), size));
    EXPECT_EQ(control<QLineEdit>("width_Text")->text(), QStringLiteral("120"));
    EXPECT_EQ(control<CardStepper>("height_Stepper")->doubleValue(), 120.0);
    EXPECT_EQ(last_ctrl_X, 10.0f);
    EXPECT_EQ(last_ctrl_Y, 10.0f);
}

struct PopupItems {
    const char* name;
    QStringList items;
};

TEST_F(StartupTest, PopUpsHoldTheirItemsInTheFixedOrder) {
    start();
    const QStringList border = {"Solid", "Dashes", "Dots", "Dash Dot", "Dash Dot Dot"};
    const PopupItems table[] = {
        {"Card_border_style", border},
        {"shape_border_style", border},
        {"Text_border_style", border},
        {"Image_border_style", border},
        {"Sign_border_style", border},
        {"Line_border_style", border},
        {"Card_image_layout", {"Tile", "Stretch"}},
        {"Preset_ComboBox", {"Horizontal", "Vertical"}},
        {"Data_source_type", {"Manual", "Series"}},
        {"Text_align_combo", {"Left", "Right", "Center", "Justified", "Natural"}},
        {"Text_case_combo", {"Unchanged", "Upper Case", "Lower Case", "Capitalized"}},
        {"Line_cap_style", {"Butt", "Round", "Square"}},
    };
    for (const PopupItems& row : table) {
        QComboBox* popup = control<QComboBox>(row.name);
        ASSERT_NE(popup, nullptr) << row.name;
        EXPECT_EQ(itemsOf(popup), row.items) << row.name;
    }
    EXPECT_EQ(control<QComboBox>("Category_ComboBox")->itemText(0), QStringLiteral("PVC Card"));
}

TEST_F(StartupTest, EveryNamedControlExistsWithItsKind) {
    start();
    // A sample of every kind on every page; the full set is checked by the
    // inspector tests that load them.
    const char* steppers[] = {
        "width_Stepper",       "height_Stepper",           "Card_bor_Stepper",
        "Card_grad_Stepper",   "Card_alpha_Stepper",       "Line_Wdt_Stepper",
        "Line_alpha_Stepper",  "shape_bor_Stepper",        "shape_grad_Stepper",
        "shape_alpha_Stepper", "shape_cor_radius_Stepper", "double_star_Stepper",
        "polygon_Stepper",     "Text_bor_Stepper",         "Text_grad_Stepper",
        "Text_alpha_Stepper",  "Text_Kern_Stepper",        "Image_bor_Stepper",
        "Sign_bor_Stepper"};
    for (const char* name : steppers) {
        auto* stepper = control<CardStepper>(name);
        ASSERT_NE(stepper, nullptr) << name;
        // Each is paired with its field.
        ASSERT_NE(stepper->pairedField(), nullptr) << name;
        QString field = QString::fromLatin1(name);
        field.replace(QStringLiteral("_Stepper"), QStringLiteral("_Text"));
        EXPECT_EQ(stepper->pairedField()->objectName(), field);
    }
    const char* wells[] = {
        "Card_bordr_clr",      "Card_fill_clr",  "Card_fill_Grd_1_clr",  "Card_fill_Grd_2_clr",
        "Card_hatch_bk_clr",   "All_Text_clr",   "All_Text_clr_COPY",    "Line_clr",
        "shape_bordr_clr",     "shape_fill_clr", "shape_fill_Grd_1_clr", "shape_fill_Grd_2_clr",
        "shape_hatch_bk_clr",  "Text_bordr_clr", "Text_fill_clr",        "Text_fill_Grd_1_clr",
        "Text_fill_Grd_2_clr", "Text_clr",       "Image_bordr_clr",      "Sign_bordr_clr"};
    for (const char* name : wells) {
        EXPECT_NE(control<ColorWell>(name), nullptr) << name;
    }
    const char* sliders[] = {"Rotate_slidr", "Trsp_slidr", "Hue_slidr", "Sat_slidr", "Brt_slidr",
                             "Con_slidr",    "shrp_slidr", "ev_slidr",  "blr_slidr"};
    for (const char* name : sliders) {
        EXPECT_NE(control<FloatSlider>(name), nullptr) << name;
        EXPECT_NE(control<QLineEdit>((QString::fromLatin1(name) + "_val").toLatin1().constData()),
                  nullptr)
            << name;
    }
    const char* boxes[] = {"Card_Border_Box",  "Card_Fill_Box",    "Card_image_box",
                           "Shape_Border_Box", "Shape_Fill_Box",   "Text_Border_Box",
                           "Text_Fill_Box",    "Image_Border_Box", "Sign_Border_Box",
                           "manual_brws_box"};
    for (const char* name : boxes) {
        auto* box = control<QGroupBox>(name);
        ASSERT_NE(box, nullptr) << name;
        EXPECT_EQ(typeid(*box), typeid(QGroupBox)) << name;
    }
    EXPECT_NE(control<RadioMatrix>("matrix_card_shape"), nullptr);
    EXPECT_EQ(control<RadioMatrix>("matrix_card_shape")->cells().size(), 3);
    EXPECT_NE(control<QLabel>("Front_back_label"), nullptr);
    EXPECT_NE(control<QCheckBox>("print_object_chk"), nullptr);
    EXPECT_NE(control<QLineEdit>("sel_control_name"), nullptr);
}

TEST_F(StartupTest, AllFifteenPagesLiveThroughManySwitches) {
    start();
    std::array<QPointer<QWidget>, SKTWindowController::TabCount> pages;
    for (int i = 0; i < SKTWindowController::TabCount; ++i) {
        pages[static_cast<std::size_t>(i)] =
            m_controller->tabPage(static_cast<SKTWindowController::TabIndex>(i));
    }
    for (int round = 0; round < 40; ++round) {
        auto text = std::make_shared<SKTText>();
        text->ctrl_is_locked = round % 3 == 0;
        m_controller->Show_RHS_Properties(text);
        m_controller->Show_RHS_Properties(std::make_shared<SKTLine>());
        m_controller->Select_back_side();
        m_controller->Show_RHS_Properties(std::make_shared<SKTImage>());
        m_controller->Select_front_side();
    }
    for (const auto& page : pages) {
        ASSERT_FALSE(page.isNull());
        EXPECT_TRUE(m_controller->window()->isAncestorOf(page));
    }
}

TEST_F(StartupTest, OnlyTheFirstDocumentGetsAWindow) {
    SKTWindowController::installAsDocumentWindowController();
    SKTDocument first;
    first.makeWindowControllers();
    ASSERT_NE(first.windowController(), nullptr);
    SKTDocument second;
    second.makeWindowControllers();
    EXPECT_EQ(second.windowController(), nullptr);
    EXPECT_EQ(static_cast<SKTWindowControllerInterface*>(Main_App_wnd), first.windowController());
    SKTDocument::setWindowControllerFactory({});
}

} // namespace

TEST_F(StartupTest, PlaceholdersAreReadOnceAtStartUp) {
    const QString noPng = QDir(m_resources).filePath(QStringLiteral("no.png"));
    QImage picture(4, 4, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(noPng));
    start();
    // Removing the file after start-up changes nothing: drawing never reads it.
    ASSERT_TRUE(QFile::remove(noPng));
    EXPECT_FALSE(PicturePlaceholders::no_image().isNull());
}
