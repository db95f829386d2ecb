// Creation and start-up of the main window controller.

#include "mainwindow/controller/SKTWindowController.h"

#include "barcodes/designer/core/BarcodeDesigner.h"
#include "dataseries/BatchTable.h"

#include "editor/model/PicturePlaceholders.h"

#include "core/FileFunctions.h"
#include "core/MessageFunctions.h"
#include "core/globals.h"
#include "editor/model/SKTDocument.h"
#include "editor/render/CardRenderInputs.h"
#include "mainwindow/controller/ColListModel.h"
#include "mainwindow/controller/MainWindowFrame.h"
#include "mainwindow/controller/SideCanvases.h"
#include "output/Send_Modeless.h"
#include "platform/Hooks.h"
#include "ui_AlignmentPage.h"
#include "ui_BarcodePage.h"
#include "ui_CardBackgroundPage.h"
#include "ui_CardBorderPage.h"
#include "ui_CardInfoPage.h"
#include "ui_CardSettingPage.h"
#include "ui_CardSizePage.h"
#include "ui_DataSourcePage.h"
#include "ui_DrawWindow.h"
#include "ui_ImagePage.h"
#include "ui_LinePage.h"
#include "ui_LockPage.h"
#include "ui_ShapePage.h"
#include "ui_SignaturePage.h"
#include "ui_TextEditingPage.h"
#include "ui_TextPropertiesPage.h"
#include "ui_WaitSheet.h"
#include "widgets/CardStepper.h"
#include "widgets/DialogOwner.h"
#include "widgets/ImageBrowser.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdlib>

namespace {

// The picture of a resource file, or a null image when it is missing.
QImage resourceImage(const QString& name) {
    return QImage(QDir(Resource_Path).filePath(name));
}

// Every stepper of a page shows its value in the field named like it with
// "_Text" in place of "_Stepper".
void pairSteppers(QWidget* page) {
    const auto steppers = page->findChildren<CardStepper*>();
    for (CardStepper* stepper : steppers) {
        QString fieldName = stepper->objectName();
        fieldName.replace(QStringLiteral("_Stepper"), QStringLiteral("_Text"));
        stepper->setPairedField(page->findChild<QLineEdit*>(fieldName));
    }
}

} // namespace

SKTWindowController::SKTWindowController(SKTDocument& document)
    : QObject(nullptr), m_document(document) {
    init();
    awakeFromNib();
}

SKTWindowController::~SKTWindowController() {
    // The window and its canvases go before the document's lists they show.
    m_canvases.reset();
    m_window.reset();
    if (SKTCanvasHost::current() == this) {
        SKTCanvasHost::setCurrent(nullptr);
    }
    if (MainWindowServices::current() == this) {
        MainWindowServices::setCurrent(nullptr);
    }
    if (SKTWindowControllerInterface::current() == this) {
        SKTWindowControllerInterface::setCurrent(nullptr);
    }
    if (Main_App_wnd == this) {
        Main_App_wnd = nullptr;
    }
    if (app_DefaultInstance == this) {
        app_DefaultInstance = nullptr;
    }
}

void SKTWindowController::installAsDocumentWindowController() {
    SKTDocument::setWindowControllerFactory(
        [](SKTDocument& document) -> std::unique_ptr<SKTWindowControllerInterface> {
            return std::make_unique<SKTWindowController>(document);
        });
}

MainWindowFrame* SKTWindowController::window() const {
    return m_window.get();
}

bool SKTWindowController::Card_Front_Or_Back_is_back() {
    return Current_Card_Side_Is_Back();
}

void SKTWindowController::init() {
    Last_Selected_Graphic.reset();
    _zoomFactor = 1.0;
    m_selectedTool = 0;
    app_DefaultInstance = this;
    Main_App_wnd = defaultInstance();
    SKTWindowControllerInterface::setCurrent(this);
    SKTCanvasHost::setCurrent(this);
    MainWindowServices::setCurrent(this);

    Text_font = QFont(Text_Ctrl_Font);
    Text_font.setPointSizeF(14.0);
    All_Text_font = Text_font;

    for (int number = 1452; number <= 1459; ++number) {
        paper_card_arry << QStringLiteral("Durable %1 - Name Badge").arg(number);
    }
    pvc_card_arry = {QStringLiteral("CR80-Credit Card Size"),
                     QStringLiteral("CR79"),
                     QStringLiteral("CR90-Over Sized"),
                     QStringLiteral("CR100-Military Size"),
                     QStringLiteral("CR50"),
                     QStringLiteral("CR60"),
                     QStringLiteral("CR70")};

    App_Name = QCoreApplication::applicationName();
    Front_card_Prop = Card_Property();
    Back_card_Prop = Card_Property();
    Publish_Page_Records();
    Front_user_profile.Reset_All_Values();
    Back_user_profile.Reset_All_Values();
    TEMP_user_profile.Reset_All_Values();
}

void SKTWindowController::awakeFromNib() {
    m_window = std::make_unique<MainWindowFrame>();
    m_ui = std::make_unique<Ui::DrawWindow>();
    m_ui->setupUi(m_window.get());
    m_window->setObjectName(QStringLiteral("DrawWindow"));
    // Dialogs opened with no other window in front belong to this one.
    dialogs::setMainWindow(m_window.get());

    // No close button; a close request from the window manager runs the
    // Exit command (connected with the commands).
    m_window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                             Qt::WindowMinMaxButtonsHint);
    QPalette palette = m_window->palette();
    palette.setColor(QPalette::Window,
                     QColor::fromRgbF(241 / 255.0f, 244 / 255.0f, 250 / 255.0f, 1.0f));
    m_window->setPalette(palette);
    m_window->setAutoFillBackground(true);
    m_window->setGeometry(100, 0, 1000, 800);

    send_modls_wnd = Send_Modeless::defaultInstance();
    m_batchTable = std::make_shared<BatchTable>();
    m_batchDesigner = std::make_shared<BarcodeDesigner>();

    // The resource folder is settled before anything reads from it (the
    // e-mail settings live there too).
    Resource_Path = hooks::resourceFolder();
    if (Resource_Path.isEmpty() || !QDir().mkpath(Resource_Path)) {
        Show_MessageBox(QStringLiteral("Can not access Tarvel Data file."));
        hooks::terminate(EXIT_FAILURE);
        return;
    }
    act_path_location = Resource_Path;
    // The placeholders are read once here; objects draw them from memory.
    PicturePlaceholders::load();
    m_noImage = PicturePlaceholders::no_image();
    banner_image = resourceImage(QStringLiteral("banner.png"));
    promotion_pattern_image = resourceImage(QStringLiteral("pattern_1.jpg"));
    m_signSample = PicturePlaceholders::sign_sample_img();
    m_fingerprintSample = PicturePlaceholders::fp_sample_img();
    m_barcodeSample = PicturePlaceholders::barcode_sample_img();
    Get_Email_Details();
    Data_Folder_Path = QDir(Resource_Path).filePath(QStringLiteral("DataSet"));

    buildInspectorPages();
    m_waitSheet = new QDialog(m_window.get());
    m_waitSheetUi = std::make_unique<Ui::WaitSheet>();
    m_waitSheetUi->setupUi(m_waitSheet);
    m_waitSheet->setWindowModality(Qt::WindowModal);

    imageBrowser()->setZoomValue(0.4);
    Load_and_fill_backgrounds();
    m_shape->shape_border_style->setCurrentIndex(0);
    m_colList = new ColListModel(this);
    m_cardSetting->ColList->setModel(m_colList);
    m_cardSetting->ColList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_cardSetting->ColList->horizontalHeader()->setStretchLastSection(true);

    // The canvases, before the rulers are set on their scroll views.
    m_canvases = std::make_unique<SideCanvases>(m_document, m_ui->first_view, m_ui->second_view,
                                                m_ui->temp_design_view);
    Show_Hide_Ruler_ChkBox();

    // All fifteen pages are kept; only the five card tabs stay in the view.
    for (int index = LineTab; index < TabCount; ++index) {
        m_ui->sett_tab->removeTab(m_ui->sett_tab->indexOf(m_tabs[static_cast<std::size_t>(index)]));
    }

    {
        Not_Draw_Only_Prop_Change = 1;
        m_cardBackground->Card_image_layout->setCurrentIndex(1);
        m_cardSetting->Sides_ComboBox->setCurrentIndex(0);
        m_cardSetting->Preset_ComboBox->setCurrentIndex(0);
        m_cardSetting->Category_ComboBox->setCurrentIndex(0);
        m_textEditing->Text_Date_style->clear();
        m_textEditing->Text_Date_style->addItems(
            {QStringLiteral("M-d-yyyy"), QStringLiteral("M-d-yy"), QStringLiteral("MM-dd-yy"),
             QStringLiteral("MM-dd-yyyy"), QStringLiteral("yy-MM-dd"), QStringLiteral("yyyy-MM-dd"),
             QStringLiteral("dd-MMM-yy"), QStringLiteral("dd-MM-yyyy"), QStringLiteral("d-M-yy")});
        m_textEditing->Text_Date_style->setCurrentIndex(0);
        m_textEditing->Text_Time_style->clear();
        m_textEditing->Text_Time_style->addItems(
            {QStringLiteral("h:mm:ss a"), QStringLiteral("hh:mm:ss a"), QStringLiteral("H:mm:ss"),
             QStringLiteral("HH:mm:ss")});
        m_textEditing->Text_Time_style->setCurrentIndex(0);
        m_textProperties->Text_align_combo->setCurrentIndex(0);
        m_textProperties->Text_case_combo->setCurrentIndex(0);
        m_shape->shape_hatch_style->clear();
        m_shape->shape_hatch_style->setCurrentText(QString());
        m_cardBorder->Card_bor_Text->setText(QStringLiteral("3"));
        m_cardBorder->Card_bor_Stepper->setDoubleValue(3);
        m_cardBorder->Card_border_style->setCurrentIndex(0);
        card_prop_set(QStringLiteral("S"));
        fillHatchStyles();
        Not_Draw_Only_Prop_Change = 0;
    }

    SetDocumentCanvasSize(SKTDocument::canvasSize(1, QSizeF()));
    m_canvases->setZoomFactor(_zoomFactor);
    connectControls();
    connectStartAndSourceControls();
    connect(&m_document, &SKTDocument::canvasSizeChanged, this, [this] {
        // The document keeps no size of its own: the canvases hold it.
        Refresh_Canvas();
    });

    // Shown from the start, so a design opened from the start window shows
    // its canvas and inspector too.
    m_ui->myTargetView->setVisible(true);
    m_ui->sett_tab->setVisible(true);
    m_loaded = true;

    New_Project();
    changeViewController(0);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void SKTWindowController::buildInspectorPages() {
    QTabWidget* tabs = m_ui->sett_tab;
    auto add = [&](auto& ui, TabIndex index) {
        using UiType = typename std::decay_t<decltype(ui)>::element_type;
        ui = std::make_unique<UiType>();
        auto* page = new QWidget(tabs);
        ui->setupUi(page);
        pairSteppers(page);
        m_tabs[static_cast<std::size_t>(index)] = page;
        tabs->addTab(page, page->windowTitle());
    };
    add(m_cardSetting, CardSettingTab);
    add(m_cardInfo, CardInfoTab);
    add(m_cardSize, CardSizeTab);
    add(m_cardBackground, CardBackgroundTab);
    add(m_cardBorder, CardBorderTab);
    add(m_line, LineTab);
    add(m_shape, ShapeTab);
    add(m_textEditing, TextEditingTab);
    add(m_textProperties, TextPropertiesTab);
    add(m_image, ImageTab);
    add(m_signature, SignatureTab);
    add(m_dataSource, DataSourceTab);
    add(m_alignment, AlignmentTab);
    add(m_barcode, BarcodeTab);
    add(m_lock, LockTab);
}

void SKTWindowController::fillHatchStyles() {
    const QStringList names =
        Get_Files_Array_At_Path(QDir(Resource_Path).filePath(QStringLiteral("Fill_Style_Image")));
    m_shape->shape_hatch_style->addItems(names);
    m_cardBackground->Card_hatch_style->addItems(names);
    if (!names.isEmpty()) {
        m_shape->shape_hatch_style->setCurrentIndex(0);
        m_cardBackground->Card_hatch_style->setCurrentIndex(0);
    }
}

void SKTWindowController::connectControls() {
    connect(m_ui->Front_Card_Btn, &QPushButton::clicked, this,
            &SKTWindowController::Front_Card_Btn_Clicked);
    connect(m_ui->Back_Card_Btn, &QPushButton::clicked, this,
            &SKTWindowController::Back_Card_Btn_Clicked);
    connect(m_ui->Temp_Card_Btn, &QPushButton::clicked, this,
            &SKTWindowController::Temp_Card_Btn_Clicked);
    connect(m_ui->Show_Hide_Ruler_ChkBox, &QCheckBox::clicked, this,
            &SKTWindowController::Show_Hide_Ruler_ChkBox);
    connect(m_ui->User_Profile_Button, &QPushButton::clicked, this,
            &SKTWindowController::User_Profile_Button_Clicked);
    connect(m_ui->Share_It_Button, &QPushButton::clicked, this,
            &SKTWindowController::Share_It_Button_Clicked);
    connect(m_ui->Get_It_Free_Button, &QPushButton::clicked, this,
            &SKTWindowController::Get_It_Free_Button_Clicked);
    connectToolButtons();
    connectCommands();
    connectInspectorControls();
}

QTabWidget* SKTWindowController::sett_tab() const {
    return m_ui ? m_ui->sett_tab : nullptr;
}

ImageBrowser* SKTWindowController::imageBrowser() const {
    return m_cardBackground ? m_cardBackground->imageBrowser : nullptr;
}

const QList<MyImageObject>& SKTWindowController::images() const {
    return imageBrowser()->browserModel()->items();
}

QTableView* SKTWindowController::ColList() const {
    return m_cardSetting ? m_cardSetting->ColList : nullptr;
}

QRectF SKTWindowController::frontCanvasBounds() const {
    // Stored where any thread may read it.
    return CardRenderInputs::frontCanvasBounds();
}
