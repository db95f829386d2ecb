// The card inspector's write side: its control actions, the copy of every
// card control into the current side's page record, the background picture
// setters and browser, the card size and outline, and the content colour and
// font pushed into the side's texts. Also the one publisher of both page
// records.

#include "mainwindow/controller/SKTWindowController.h"

#include "core/MessageFunctions.h"
#include "core/StringFunctions.h"
#include "core/globals.h"
#include "editor/model/SKTPictureLoading.h"
#include "editor/model/SKTText.h"
#include "editor/render/CardRenderInputs.h"
#include "mainwindow/controller/MainWindowFrame.h"
#include "mainwindow/controller/PictureMessages.h"
#include "mainwindow/controller/SideCanvases.h"
#include "ui_CardBackgroundPage.h"
#include "ui_CardBorderPage.h"
#include "ui_CardSettingPage.h"
#include "ui_DrawWindow.h"
#include "widgets/CardStepper.h"
#include "widgets/ColorWell.h"
#include "widgets/ControlFunctions.h"
#include "widgets/GuiHooks.h"
#include "widgets/ImageBrowser.h"
#include "widgets/RadioMatrix.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDialog>
#include <QItemSelectionModel>
#include <QTableView>
#include <QUrl>
#include <exception>
#include <typeinfo>

namespace {

const QStringList kBorderStyles = {QStringLiteral("S"), QStringLiteral("DA"), QStringLiteral("DO"),
                                   QStringLiteral("DD"), QStringLiteral("DDD")};

QColor withAlpha(QColor colour, float alpha) {
    colour.setAlphaF(alpha);
    return colour;
}

// The picture types the file panels offer.
const QStringList kPictureTypes = {
    QStringLiteral("jpg"),  QStringLiteral("jpeg"), QStringLiteral("jpe"),
    QStringLiteral("jfif"), QStringLiteral("gif"),  QStringLiteral("bmp"),
    QStringLiteral("png"),  QStringLiteral("tif"),  QStringLiteral("tiff")};

} // namespace

void SKTWindowController::Publish_Page_Records() {
    CardRenderInputs::setPageRecord(0, Front_card_Prop);
    CardRenderInputs::setPageRecord(1, Back_card_Prop);
}

void SKTWindowController::Update_Card_Graphics() {
    if (Not_Draw_Only_Prop_Change || !m_loaded) {
        return;
    }
    const Ui::CardBorderPage& border = *m_cardBorder;
    const Ui::CardBackgroundPage& fill = *m_cardBackground;
    const Ui::CardSettingPage& setting = *m_cardSetting;
    const bool back = Current_Card_Side_Is_Back();
    Card_Property& page = back ? Back_card_Prop : Front_card_Prop;
    const float alpha = static_cast<float>(fill.Card_alpha_Stepper->doubleValue() / 100.0);

    const bool borderOn = border.Card_border_chk->isChecked();
    page.setCard_border_chk(borderOn);
    if (borderOn) {
        page.setCard_bordr_clr(border.Card_bordr_clr->color());
        page.setCard_bor_Stepper(border.Card_bor_Stepper->intValue());
    }
    const int borderStyle = border.Card_border_style->currentIndex();
    if (borderStyle >= 0 && borderStyle < kBorderStyles.size()) {
        page.setCard_border_style(kBorderStyles[borderStyle]);
    }

    const bool fillOn = fill.Card_fill_chk->isChecked();
    page.setCard_fill_chk(fillOn);
    if (fillOn) {
        page.setCard_fill_clr(withAlpha(fill.Card_fill_clr->color(), alpha));
    }
    QString style = QStringLiteral("S");
    if (fill.Card_gradient_fill_rd->isChecked()) {
        style = QStringLiteral("G");
    } else if (fill.Card_Style_fill_rd->isChecked()) {
        style = QStringLiteral("H");
    } else if (fill.Card_Image_fill_rd->isChecked()) {
        style = QStringLiteral("I");
    }
    // The back side keeps its chosen style only while its fill is on.
    page.setCard_fill_style(back && !fillOn ? QStringLiteral("S") : style);
    page.setCard_fill_Grd_1_clr(withAlpha(fill.Card_fill_Grd_1_clr->color(), alpha));
    page.setCard_fill_Grd_2_clr(withAlpha(fill.Card_fill_Grd_2_clr->color(), alpha));
    page.setCard_grad_Stepper(fill.Card_grad_Stepper->intValue());
    page.setCard_hatch_bk_clr(withAlpha(fill.Card_hatch_bk_clr->color(), alpha));
    page.setCard_hatch_style(fill.Card_hatch_style->currentText());
    page.setCard_BG_Image_Path(fill.Card_Image_path->text());
    page.setCard_BG_Image_Layout(fill.Card_image_layout->currentText());
    page.setCard_alpha_Stepper(alpha);
    page.setCard_Content_clr(fill.All_Text_clr->color());
    page.setCard_Content_font(All_Text_font);

    page.setCard_Side(QString::number(setting.Sides_ComboBox->currentIndex() == 0 ? 2 : 1));
    page.setCard_Side_Name(back ? QStringLiteral("B") : QStringLiteral("F"));
    const int shape = Card_Shape.load();
    page.setCard_Shape(shape == 0   ? QStringLiteral("R")
                       : shape == 1 ? QStringLiteral("RR")
                                    : QStringLiteral("E"));
    const QString name = Trim_Str(setting.card_name->text());
    page.setCard_Name(name.isEmpty() ? QStringLiteral("Untitled") : name);
    page.setCard_Preset(setting.Preset_ComboBox->currentText());
    page.setCard_Category(setting.Category_ComboBox->currentText());
    int row = -1;
    if (QItemSelectionModel* selection = setting.ColList->selectionModel()) {
        const QModelIndexList rows = selection->selectedRows();
        if (!rows.isEmpty()) {
            row = rows.first().row();
        }
    }
    page.setCard_Sub_Category(row >= 0 ? Get_Item_Text(row) : QString());
    page.setCard_Cat_index(row);
    page.setCard_Create_Mode(QStringLiteral("W"));
    page.setCard_Location(frontCanvasBounds().topLeft());

    // The size goes into both records; then both are published.
    Sync_Card_Size_Records();
    Refresh_Canvas();
}

void SKTWindowController::Sync_Card_Size_Records() {
    const QSizeF size = frontCanvasBounds().size();
    Front_card_Prop.setCard_Size(size);
    Back_card_Prop.setCard_Size(size);
    Publish_Page_Records();
}

void SKTWindowController::Card_Border_ChkBox() {
    SetObjEnabled(m_cardBorder->Card_Border_Box,
                  m_cardBorder->Card_border_chk->isChecked() ? 1 : 0);
    Update_Card_Graphics();
}

void SKTWindowController::Card_Fill_Chk_Box() {
    SetObjEnabled(m_cardBackground->Card_Fill_Box,
                  m_cardBackground->Card_fill_chk->isChecked() ? 1 : 0);
    card_prop_set(currentCardProperty().Card_fill_style());
    Update_Card_Graphics();
}

void SKTWindowController::Card_Fill_RD_Sel(int style) {
    static const QStringList letters = {QStringLiteral("S"), QStringLiteral("G"),
                                        QStringLiteral("H"), QStringLiteral("I")};
    if (style < 0 || style >= letters.size()) {
        return;
    }
    // The radios and the enabling by style are the same as when a record is
    // loaded.
    card_prop_set(letters[style]);
    Update_Card_Graphics();
}

void SKTWindowController::setBackgroundOfSide(int side, const QString& path,
                                              SKTPictureProblem* problem) {
    if (path.isEmpty()) {
        m_cardBackground->Card_Image_path->setText(path);
        return;
    }
    CardPicture picture;
    if (problem) {
        // An opened design keeps naming its file even when it gives no
        // picture; the caller tells the user.
        picture = SKTLoadPictureFile(path, problem);
    } else {
        picture = picture_messages::readChosenPicture(path);
        if (picture.isNull()) {
            return; // told; the side keeps its background
        }
    }
    m_cardBackground->Card_Image_path->setText(path);
    Card_Property& page = side == 0 ? Front_card_Prop : Back_card_Prop;
    page.setCard_fill_chk(true);
    page.setCard_fill_style(QStringLiteral("I"));
    page.setCard_BG_Image_Path(path);
    page.setCard_BG_Image(picture);
    Publish_Page_Records();
    if (m_canvases) {
        m_canvases->refresh(side);
    }
    Show_RHS_Properties(nullptr);
}

void SKTWindowController::set_Front_BG_Image(const QString& path) {
    setBackgroundOfSide(0, path);
}

void SKTWindowController::set_Back_BG_Image(const QString& path) {
    setBackgroundOfSide(1, path);
}

void SKTWindowController::Card_Image_Browse_Btn() {
    hooks::OpenPanelRequest request;
    request.allowedTypes = kPictureTypes;
    request.kind = hooks::FileKind::Picture;
    request.parent = m_window.get();
    const QStringList chosen = hooks::runOpenPanel(request);
    if (chosen.isEmpty()) {
        return; // cancelled: nothing changes
    }
    const QString path = Convert_Path_From_URL(QUrl::fromLocalFile(chosen.first()));
    if (Current_Card_Side_Is_Back()) {
        set_Back_BG_Image(path);
    } else {
        set_Front_BG_Image(path);
    }
    Update_Card_Graphics();
}

void SKTWindowController::Card_Image_Library_Btn() {
    // The library applies a confirmed picture to the current side and
    // copies the controls back in every case.
    Open_Image_Library(true);
}

void SKTWindowController::card_shape_CellClick() {
    const int row = m_cardSetting->matrix_card_shape->selectedRow();
    if (row >= 0) {
        Card_Shape = row;
    }
    Apply_Size_Clicked();
    Refresh_Canvas();
}

void SKTWindowController::Apply_Size_Clicked() {
    const float width = m_cardSetting->width_Stepper->floatValue();
    const float height = m_cardSetting->height_Stepper->floatValue();
    const QSizeF points(MM_to_Points_Convert(width), MM_to_Points_Convert(height));
    Set_Document_Size(points);
    SetDocumentCanvasSize(points);
    Update_All_Card_Content();
}

void SKTWindowController::Update_All_Card_Content() {
    const SKTGraphicList& graphics =
        Current_Card_Side_Is_Back() ? Get_Back_Controls_Array() : Get_Front_Controls_Array();
    const QColor colour = m_cardBackground->All_Text_clr->color();
    const bool colourChanged = colour != m_cardBackground->All_Text_clr_COPY->color();
    const bool fontChanged = !All_Text_font_COPY || *All_Text_font_COPY != All_Text_font;
    if (colourChanged || fontChanged) {
        for (const std::shared_ptr<SKTGraphic>& graphic : graphics) {
            if (!graphic || typeid(*graphic) != typeid(SKTText)) {
                continue;
            }
            if (colourChanged) {
                graphic->txt_clr = colour;
            }
            if (fontChanged) {
                graphic->text_ctrl_font = All_Text_font;
            }
        }
    }
    Update_Card_Graphics();
}

QFontDialog* SKTWindowController::fontPanel() {
    if (!m_fontPanel) {
        m_fontPanel = new QFontDialog(m_window.get());
        m_fontPanel->setModal(false);
        m_fontPanel->setOption(QFontDialog::NoButtons, true);
        connect(m_fontPanel, &QFontDialog::currentFontChanged, this, [this](const QFont& font) {
            if (m_fontPanelForContent) {
                changeAllTextFont(font);
            } else {
                changeTextFont(font);
            }
        });
    }
    return m_fontPanel;
}

void SKTWindowController::Content_Font_Clicked() {
    QFontDialog* panel = fontPanel();
    m_fontPanelForContent = true;
    {
        const QSignalBlocker blocker(panel);
        panel->setCurrentFont(All_Text_font);
    }
    panel->show();
    panel->raise();
}

void SKTWindowController::changeAllTextFont(const QFont& font) {
    try {
        All_Text_font = font;
        setFontDescription(m_cardBackground->All_Text_font_value, All_Text_font);
        Update_All_Card_Content();
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
}

void SKTWindowController::setFontDescription(QLabel* label, const QFont& font) {
    label->setText(
        QStringLiteral("%1 ( %2 )").arg(font.family()).arg(font.pointSizeF(), 0, 'f', 2));
}

void SKTWindowController::Load_and_fill_backgrounds() {
    const QFileInfo folder(QDir(Resource_Path).filePath(QStringLiteral("Background")));
    if (!folder.exists() || !folder.isDir()) {
        return;
    }
    ImageBrowser* browser = imageBrowser();
    browser->setItems({});
    // Name order is the stable form of the file system's listing order.
    const QFileInfoList entries =
        QDir(folder.absoluteFilePath()).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    QList<MyImageObject> items;
    for (const QFileInfo& entry : entries) {
        const QString extension = entry.suffix().toLower();
        if (extension == QLatin1String("png") || extension == QLatin1String("jpg")) {
            const QString path = Trim_Str(entry.absoluteFilePath());
            if (!path.isEmpty()) {
                items.append(MyImageObject{path, entry.fileName(), entry.fileName()});
            }
        }
    }
    browser->setItems(items);
}

void SKTWindowController::addImageWithPath(const QString& path, const QString& name,
                                           const QString& uid) {
    const QString trimmed = Trim_Str(path);
    if (trimmed.isEmpty()) {
        return;
    }
    imageBrowser()->browserModel()->appendItem(MyImageObject{trimmed, name, uid});
}

void SKTWindowController::imageBrowserSelectionDidChange() {
    ImageBrowser* browser = imageBrowser();
    const QList<int> rows = browser->selectionIndexes();
    if (rows.isEmpty()) {
        return;
    }
    const QList<MyImageObject>& items = browser->browserModel()->items();
    if (rows.first() >= items.size()) {
        return;
    }
    selected_image = items[rows.first()].imageRepresentation();
    // The browser always sets the front side's background.
    set_Front_BG_Image(selected_image);
    Refresh_Canvas();
}

void SKTWindowController::connectCardControls() {
    Ui::CardBorderPage& border = *m_cardBorder;
    Ui::CardBackgroundPage& fill = *m_cardBackground;
    Ui::CardSettingPage& setting = *m_cardSetting;

    for (ColorWell* well : {border.Card_bordr_clr, fill.Card_fill_clr, fill.Card_fill_Grd_1_clr,
                            fill.Card_fill_Grd_2_clr, fill.Card_hatch_bk_clr}) {
        connect(well, &ColorWell::colorPicked, this, [this] { Set_Card_Clr(); });
    }
    connect(fill.All_Text_clr, &ColorWell::colorPicked, this, [this] { Contect_Color_Clicked(); });
    connect(border.Card_border_chk, &QCheckBox::clicked, this, [this] { Card_Border_ChkBox(); });
    connect(fill.Card_fill_chk, &QCheckBox::clicked, this, [this] { Card_Fill_Chk_Box(); });
    // The steppers show their value in their fields themselves.
    for (CardStepper* stepper :
         {border.Card_bor_Stepper, fill.Card_grad_Stepper, fill.Card_alpha_Stepper}) {
        connect(stepper, &CardStepper::stepped, this, [this] { Update_Card_Graphics(); });
    }
    connect(fill.Card_solid_fill_rd, &QRadioButton::clicked, this, [this] { Card_Solid_RD_Sel(); });
    connect(fill.Card_gradient_fill_rd, &QRadioButton::clicked, this,
            [this] { Card_Gradient_RD_Sel(); });
    connect(fill.Card_Style_fill_rd, &QRadioButton::clicked, this, [this] { Card_Hatch_RD_Sel(); });
    connect(fill.Card_Image_fill_rd, &QRadioButton::clicked, this, [this] { Card_Image_RD_Sel(); });
    connect(fill.Card_Image_Browse_Btn, &QPushButton::clicked, this,
            [this] { Card_Image_Browse_Btn(); });
    connect(fill.Card_Image_Library_Btn, &QPushButton::clicked, this,
            [this] { Card_Image_Library_Btn(); });
    connect(fill.Content_Font_Btn, &QPushButton::clicked, this, [this] { Content_Font_Clicked(); });
    connect(fill.imageBrowser, &ImageBrowser::selectionDidChange, this,
            [this] { imageBrowserSelectionDidChange(); });

    connect(setting.matrix_card_shape, &RadioMatrix::rowChosen, this,
            [this] { card_shape_CellClick(); });
    for (CardStepper* stepper : {setting.width_Stepper, setting.height_Stepper}) {
        connect(stepper, &CardStepper::stepped, this, [this] { Apply_Size_Clicked(); });
    }
    connect(setting.card_name, &QLineEdit::textEdited, this, [this] { Update_Card_Graphics(); });

    for (QComboBox* combo :
         {fill.Card_image_layout, border.Card_border_style, fill.Card_hatch_style,
          setting.Sides_ComboBox, setting.Preset_ComboBox, setting.Category_ComboBox}) {
        connect(combo, &QComboBox::activated, this,
                [this, combo] { comboBoxSelectionDidChange(combo); });
    }
}
