// The inspector: which tabs show for the card or the current object, and
// loading a page record or an object's fields into their controls. Loading
// sets controls only; control actions hang on user-only signals, so nothing
// here writes back into a record beyond what is said below.

#include "mainwindow/controller/SKTWindowController.h"

#include "core/MessageFunctions.h"
#include "core/globals.h"
#include "editor/model/SKTBarcode.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTLine.h"
#include "editor/model/SKTSignature.h"
#include "editor/model/SKTText.h"
#include "editor/model/Shape_Control.h"
#include "mainwindow/controller/SideCanvases.h"
#include "ui_CardBackgroundPage.h"
#include "ui_CardBorderPage.h"
#include "ui_CardSettingPage.h"
#include "ui_DataSourcePage.h"
#include "ui_DrawWindow.h"
#include "ui_ImagePage.h"
#include "ui_LinePage.h"
#include "ui_ShapePage.h"
#include "ui_SignaturePage.h"
#include "ui_TextEditingPage.h"
#include "ui_TextPropertiesPage.h"
#include "widgets/CardStepper.h"
#include "widgets/ColorWell.h"
#include "widgets/ControlFunctions.h"
#include "widgets/FloatSlider.h"
#include "widgets/RadioMatrix.h"

#include <cmath>
#include <exception>
#include <initializer_list>
#include <typeinfo>

#include "editor/render/CardRenderInputs.h"

namespace {

// Clears the loading flag on every way out of the inspector rebuild, so the
// inspector can never stay frozen.
class LoadingFlagGuard {
public:
    LoadingFlagGuard() = default;
    ~LoadingFlagGuard() { Not_Draw_Only_Prop_Change = 0; }
    LoadingFlagGuard(const LoadingFlagGuard&) = delete;
    LoadingFlagGuard& operator=(const LoadingFlagGuard&) = delete;
};

// Border style letters and their pop-up items.
int borderStyleIndex(const QString& letter) {
    static const QStringList letters = {QStringLiteral("S"), QStringLiteral("DA"),
                                        QStringLiteral("DO"), QStringLiteral("DD"),
                                        QStringLiteral("DDD")};
    return static_cast<int>(letters.indexOf(letter));
}

// Another letter leaves the pop-up as it is.
void selectBorderStyle(QComboBox* popup, const QString& letter) {
    const int index = borderStyleIndex(letter);
    if (index >= 0) {
        popup->setCurrentIndex(index);
    }
}

// The item with that text, or none when there is no such item.
void selectItemWithValue(QComboBox* popup, const QString& value) {
    popup->setCurrentIndex(popup->findText(value));
}

// An index outside the list leaves no item selected.
void selectItem(QComboBox* popup, int index) {
    popup->setCurrentIndex(index >= 0 && index < popup->count() ? index : -1);
}

// Stroke widths and counts: the stored value truncated toward zero.
void showInteger(CardStepper* stepper, QLineEdit* field, double value) {
    stepper->setDoubleValue(static_cast<int>(value));
    field->setText(QString::number(stepper->intValue()));
}

void showFloat(CardStepper* stepper, QLineEdit* field, float value) {
    stepper->setDoubleValue(value);
    field->setText(QString::number(stepper->floatValue()));
}

// Opacities: the stored fraction in per cent; the field shows the whole per
// cent nearest the stepper's value (0.7 in single precision is 69.99999 per
// cent, which is 70, not 69).
void showPercent(CardStepper* stepper, QLineEdit* field, float fraction) {
    stepper->setDoubleValue(static_cast<double>(fraction) * 100.0);
    field->setText(QString::number(std::lround(stepper->doubleValue())));
}

void showAdjustment(FloatSlider* slider, QLineEdit* field, float value) {
    slider->setFloatValue(value);
    field->setText(QString::number(value));
}

QString fontDescription(const QFont& font) {
    return QStringLiteral("%1 ( %2 )").arg(font.family()).arg(font.pointSizeF(), 0, 'f', 2);
}

void enableAll(std::initializer_list<QWidget*> controls, bool enabled) {
    for (QWidget* control : controls) {
        SetObjEnabled(control, enabled ? 1 : 0);
    }
}

// Radio buttons of one group set from code: any combination, none on
// included.
void setRadios(std::initializer_list<std::pair<QRadioButton*, bool>> states) {
    for (const auto& [button, on] : states) {
        button->setAutoExclusive(false);
    }
    for (const auto& [button, on] : states) {
        button->setChecked(on);
    }
    for (const auto& [button, on] : states) {
        button->setAutoExclusive(true);
    }
}

QString shapeLabel(const QString& code) {
    static const QHash<QString, QString> labels = {
        {QStringLiteral("R"), QStringLiteral("Rectangle Properties")},
        {QStringLiteral("C"), QStringLiteral("Ellipse Properties")},
        {QStringLiteral("RR"), QStringLiteral("Rounded Rectangle Properties")},
        {QStringLiteral("T"), QStringLiteral("Triangle Properties")},
        {QStringLiteral("D"), QStringLiteral("Diamond Properties")},
        {QStringLiteral("S"), QStringLiteral("Star Properties")},
        {QStringLiteral("DS"), QStringLiteral("Double Star Properties")},
        {QStringLiteral("P"), QStringLiteral("Polygon Properties")}};
    return labels.value(code);
}

template <typename T> bool isExactly(const SKTGraphic& graphic) {
    return typeid(graphic) == typeid(T);
}

} // namespace

void SKTWindowController::Remove_All_Tab_Items() {
    QTabWidget* tabs = m_ui->sett_tab;
    while (tabs->count() > 0) {
        tabs->removeTab(0);
    }
}

void SKTWindowController::insertTab(TabIndex index, int position, const QString& label) {
    QWidget* page = tabPage(index);
    if (!page) {
        return;
    }
    m_ui->sett_tab->insertTab(position, page, label.isEmpty() ? page->windowTitle() : label);
}

void SKTWindowController::Show_RHS_Properties(const std::shared_ptr<SKTGraphic>& graphic) {
    if (Not_Draw_Only_Prop_Change || !m_loaded) {
        return;
    }
    const LoadingFlagGuard guard;
    try {
        selectArrowTool();
        if (graphic) {
            showRHSForGraphic(graphic);
        } else {
            showRHSForCard();
        }
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
}

void SKTWindowController::showRHSForCard() {
    Not_Draw_Only_Prop_Change = 1;
    const int side = Current_Card_Side();
    if (m_canvases) {
        m_canvases->clearSelection(side);
    }
    Disable_Standard_Button_For_Card();
    Last_Selected_Graphic.reset();
    Remove_All_Tab_Items();
    insertTab(CardSettingTab, 0);
    insertTab(CardBackgroundTab, 1);
    insertTab(CardBorderTab, 2);
    m_ui->sett_tab->setCurrentIndex(0);

    Card_Property& page = side == 1 ? Back_card_Prop : Front_card_Prop;
    loadCardProperties(page);
    const QString fillStyle = page.Card_fill_style();
    page.setCard_fill_style(fillStyle);

    Card_Front_Or_Back = side;
    m_cardSetting->matrix_card_shape->selectCellAtRow(Card_Shape, 0);
    // All canvases share one size.
    page.setCard_Location(QPointF(0, 0));
    page.setCard_Size(m_canvasSize);
    // Renderers on other threads read the records from here.
    Publish_Page_Records();

    card_prop_set(fillStyle);
    m_ui->sett_tab->update();
    Not_Draw_Only_Prop_Change = 0;
}

void SKTWindowController::showRHSForGraphic(const std::shared_ptr<SKTGraphic>& graphic) {
    Enable_Standard_Button_For_Control();
    const bool locked = graphic->ctrl_is_locked;
    if (locked) {
        Disable_Standard_Button_For_Lock();
    } else {
        Enable_Standard_Button_For_Unlock();
    }
    if (graphic == Last_Selected_Graphic.lock()) {
        return; // the tabs and controls stay as they are
    }
    Last_Selected_Graphic = graphic;
    Remove_All_Tab_Items();
    m_ui->print_object_chk->setChecked(graphic->print_object != 0);
    m_ui->sel_control_name->setText(QStringLiteral("NONE"));
    Not_Draw_Only_Prop_Change = 1;

    const SKTGraphic& object = *graphic;
    if (isExactly<SKTText>(object)) {
        m_dataSource->data_source_title->setText(QStringLiteral("Text Source"));
        m_dataSource->manual_brws_box->setVisible(false);
        if (locked) {
            insertTab(LockTab, 0, QStringLiteral("Text Properties"));
        } else {
            insertTab(TextEditingTab, 0);
            insertTab(TextPropertiesTab, 1);
            insertTab(DataSourceTab, 2, QStringLiteral("Text Source"));
        }
        m_ui->sel_control_name->setText(QStringLiteral("T"));
        m_ui->sett_tab->setCurrentIndex(0);
        loadText(object);
    } else if (isExactly<SKTImage>(object)) {
        m_dataSource->data_source_title->setText(QStringLiteral("Image Source"));
        m_dataSource->manual_brws_box->setVisible(true);
        if (locked) {
            insertTab(LockTab, 0, QStringLiteral("Image Properties"));
        } else {
            insertTab(DataSourceTab, 0, QStringLiteral("Image Source"));
            insertTab(ImageTab, 1);
        }
        m_ui->sel_control_name->setText(QStringLiteral("I"));
        m_ui->sett_tab->setCurrentIndex(0);
        loadImage(object);
    } else if (isExactly<SKTLine>(object)) {
        if (locked) {
            insertTab(LockTab, 0, QStringLiteral("Line Properties"));
        } else {
            insertTab(LineTab, 0);
        }
        m_ui->sett_tab->setCurrentIndex(0);
        loadLine(object);
    } else if (isExactly<SKTSignature>(object)) {
        if (locked) {
            insertTab(LockTab, 0, QStringLiteral("Signature Properties"));
        } else {
            insertTab(SignatureTab, 0,
                      object.sign_or_fingureprint == QStringLiteral("S")
                          ? QStringLiteral("Signature Properties")
                          : QStringLiteral("FingrePrint Properties"));
        }
        m_ui->sel_control_name->setText(object.sign_or_fingureprint);
        m_ui->sett_tab->setCurrentIndex(0);
        loadSignature(object);
    } else if (isExactly<SKTBarcode>(object)) {
        // The barcode tab's controls are loaded by the barcode inspector.
        if (locked) {
            insertTab(LockTab, 0, QStringLiteral("Barcode Properties"));
        } else {
            insertTab(BarcodeTab, 0);
        }
        m_ui->sett_tab->setCurrentIndex(0);
    } else {
        const QString code = object.Get_shape_type();
        QString label = shapeLabel(code);
        if (label.isEmpty()) {
            label = tabPage(ShapeTab)->windowTitle();
        }
        for (QWidget* control : std::initializer_list<QWidget*>{
                 m_shape->shape_cor_radius_Stepper, m_shape->shape_cor_radius_Text,
                 m_shape->shape_cor_radius_Label, m_shape->double_star_Label,
                 m_shape->double_star_Stepper, m_shape->double_star_Text, m_shape->polygon_Label,
                 m_shape->polygon_Stepper, m_shape->polygon_Text}) {
            control->setVisible(false);
        }
        m_shape->Shape_prop_title->setText(label);
        if (locked) {
            insertTab(LockTab, 0, label);
        } else {
            insertTab(ShapeTab, 0, label);
            if (code == QStringLiteral("RR")) {
                for (QWidget* control : std::initializer_list<QWidget*>{
                         m_shape->shape_cor_radius_Stepper, m_shape->shape_cor_radius_Text,
                         m_shape->shape_cor_radius_Label}) {
                    control->setVisible(true);
                }
            } else if (code == QStringLiteral("DS")) {
                for (QWidget* control : std::initializer_list<QWidget*>{
                         m_shape->double_star_Label, m_shape->double_star_Stepper,
                         m_shape->double_star_Text}) {
                    control->setVisible(true);
                }
            } else if (code == QStringLiteral("P")) {
                for (QWidget* control : std::initializer_list<QWidget*>{
                         m_shape->polygon_Label, m_shape->polygon_Stepper, m_shape->polygon_Text}) {
                    control->setVisible(true);
                }
            }
        }
        m_ui->sett_tab->setCurrentIndex(0);
        loadShape(object);
    }

    Not_Draw_Only_Prop_Change = 0;
    if (!locked) {
        insertTab(AlignmentTab, m_ui->sett_tab->count());
    }
    m_ui->sett_tab->update();
}

void SKTWindowController::loadCardProperties(Card_Property& page) {
    Ui::CardBorderPage& border = *m_cardBorder;
    Ui::CardBackgroundPage& fill = *m_cardBackground;
    Ui::CardSettingPage& setting = *m_cardSetting;

    border.Card_border_chk->setChecked(page.Card_border_chk());
    border.Card_bordr_clr->setColor(page.Card_bordr_clr());
    border.Card_bor_Stepper->setDoubleValue(page.Card_bor_Stepper());
    border.Card_bor_Text->setText(QString::number(border.Card_bor_Stepper->intValue()));
    selectBorderStyle(border.Card_border_style, page.Card_border_style());

    fill.Card_fill_chk->setChecked(page.Card_fill_chk());
    fill.Card_fill_clr->setColor(page.Card_fill_clr());
    fill.Card_fill_Grd_1_clr->setColor(page.Card_fill_Grd_1_clr());
    fill.Card_fill_Grd_2_clr->setColor(page.Card_fill_Grd_2_clr());
    showFloat(fill.Card_grad_Stepper, fill.Card_grad_Text,
              static_cast<float>(page.Card_grad_Stepper()));
    fill.Card_hatch_bk_clr->setColor(page.Card_hatch_bk_clr());
    if (page.Card_fill_style() == QStringLiteral("H")) {
        const QString hatch = page.Card_hatch_style();
        if (hatch.isEmpty()) {
            fill.Card_hatch_style->setCurrentIndex(-1);
        } else {
            selectItemWithValue(fill.Card_hatch_style, hatch);
        }
    }
    fill.Card_alpha_Stepper->setDoubleValue(static_cast<double>(page.Card_alpha_Stepper()) * 100.0);
    fill.Card_alpha_Text->setText(QString::number(fill.Card_alpha_Stepper->floatValue()));
    fill.Card_Image_path->setText(page.Card_BG_Image_Path());
    selectItemWithValue(fill.Card_image_layout, page.Card_BG_Image_Layout());

    fill.All_Text_clr->setColor(page.Card_Content_clr());
    fill.All_Text_clr_COPY->setColor(fill.All_Text_clr->color());
    All_Text_font = page.Card_Content_font();
    All_Text_font_COPY = All_Text_font;
    fill.All_Text_font_value->setText(fontDescription(All_Text_font));
    fill.All_Text_font_value_COPY->setText(fontDescription(*All_Text_font_COPY));

    setting.card_name->setText(page.Card_Name());
    selectItemWithValue(setting.Preset_ComboBox, page.Card_Preset());
    selectItemWithValue(setting.Category_ComboBox, page.Card_Category());
    // The size list follows the category shown, then marks the record's row.
    Category_Chosen();
    Mark_List_New_Selection(page.Card_Cat_index());
}

void SKTWindowController::loadShape(const SKTGraphic& graphic) {
    Ui::ShapePage& ui = *m_shape;
    ui.Shape_border_chk->setChecked(graphic._isDrawingStroke);
    showInteger(ui.shape_bor_Stepper, ui.shape_bor_Text, graphic._strokeWidth);
    ui.shape_bordr_clr->setColor(graphic._strokeColor);
    selectBorderStyle(ui.shape_border_style, graphic._stroke_border_type);
    ui.Shape_fill_chk->setChecked(graphic._isDrawingFill);
    ui.shape_fill_clr->setColor(graphic._fillColor);
    const QString& style = graphic._fill_type;
    const bool gradient = style == QStringLiteral("G");
    const bool hatch = style == QStringLiteral("H");
    setRadios({{ui.Shape_gradient_fill_rd, gradient},
               {ui.Shape_Style_fill_rd, hatch},
               {ui.Shape_solid_fill_rd, !gradient && !hatch}});
    ui.shape_fill_Grd_1_clr->setColor(graphic._fill_Grad_clr1);
    ui.shape_fill_Grd_2_clr->setColor(graphic._fill_Grad_clr2);
    ui.shape_hatch_bk_clr->setColor(graphic._fill_htch_clr);
    if (graphic._fill_hatch_type.isEmpty()) {
        ui.shape_hatch_style->setCurrentIndex(-1);
    } else {
        selectItemWithValue(ui.shape_hatch_style, graphic._fill_hatch_type);
    }
    showFloat(ui.shape_grad_Stepper, ui.shape_grad_Text,
              static_cast<float>(graphic._fill_grad_angle));
    showPercent(ui.shape_alpha_Stepper, ui.shape_alpha_Text, graphic.alpha_val);
    showFloat(ui.shape_cor_radius_Stepper, ui.shape_cor_radius_Text, graphic.cor_rad_val_val);
    showInteger(ui.double_star_Stepper, ui.double_star_Text, graphic.double_star_type);
    showInteger(ui.polygon_Stepper, ui.polygon_Text, graphic.polygon_type);

    SetObjEnabled(ui.Shape_Border_Box, ui.Shape_border_chk->isChecked() ? 1 : 0);
    SetObjEnabled(ui.Shape_Fill_Box, ui.Shape_fill_chk->isChecked() ? 1 : 0);
    const std::initializer_list<QWidget*> gradientControls = {
        ui.shape_fill_Grd_1_clr, ui.shape_fill_Grd_2_clr, ui.shape_grad_Text,
        ui.shape_grad_Stepper};
    const std::initializer_list<QWidget*> hatchControls = {ui.shape_hatch_style,
                                                           ui.shape_hatch_bk_clr};
    enableAll({ui.shape_fill_clr}, !gradient && !hatch);
    enableAll(gradientControls, gradient);
    enableAll(hatchControls, hatch);
}

void SKTWindowController::loadLine(const SKTGraphic& graphic) {
    Ui::LinePage& ui = *m_line;
    showInteger(ui.Line_Wdt_Stepper, ui.Line_Wdt_Text, graphic._strokeWidth);
    ui.Line_clr->setColor(graphic._strokeColor);
    selectBorderStyle(ui.Line_border_style, graphic._stroke_border_type);
    selectItem(ui.Line_ori_style, graphic._line_ori);
    selectItem(ui.Line_cap_style, graphic._line_cap_style);
    showPercent(ui.Line_alpha_Stepper, ui.Line_alpha_Text, graphic.alpha_val_stroke);
}

void SKTWindowController::loadImage(const SKTGraphic& graphic) {
    Ui::ImagePage& ui = *m_image;
    m_dataSource->Manual_image_path->setText(graphic._file_path);
    selectItem(m_dataSource->Data_source_type, graphic.data_source_type);
    showDataSource(&graphic, false);
    ui.Image_border_chk->setChecked(graphic._isDrawingStroke);
    showInteger(ui.Image_bor_Stepper, ui.Image_bor_Text, graphic._strokeWidth);
    ui.Image_bordr_clr->setColor(graphic._strokeColor);
    selectBorderStyle(ui.Image_border_style, graphic._stroke_border_type);
    SetObjEnabled(ui.Image_Border_Box, ui.Image_border_chk->isChecked() ? 1 : 0);

    showAdjustment(ui.Rotate_slidr, ui.Rotate_slidr_val, graphic.rotate_image);
    showAdjustment(ui.Trsp_slidr, ui.Trsp_slidr_val, graphic.img_trnsp_val);
    showAdjustment(ui.Hue_slidr, ui.Hue_slidr_val, graphic.hue_val);
    showAdjustment(ui.Sat_slidr, ui.Sat_slidr_val, graphic.sat_val);
    showAdjustment(ui.Brt_slidr, ui.Brt_slidr_val, graphic.brt_val);
    showAdjustment(ui.Con_slidr, ui.Con_slidr_val, graphic.con_val);
    showAdjustment(ui.shrp_slidr, ui.shrp_slidr_val, graphic.srp_val);
    showAdjustment(ui.ev_slidr, ui.ev_slidr_val, graphic.ev_val);
    showAdjustment(ui.blr_slidr, ui.blr_slidr_val, graphic.blr_val);

    ui.Image_Gray_Scale_chk->setChecked(graphic.gray_Scale);
    ui.Image_Sepia_chk->setChecked(graphic.Sepia);
    ui.Image_Invert_chk->setChecked(graphic.invert_clr);
    ui.Image_FIV_chk->setChecked(graphic._isFlippedVertically);
    ui.Image_FIH_chk->setChecked(graphic._isFlippedHorizontally);
}

void SKTWindowController::loadSignature(const SKTGraphic& graphic) {
    Ui::SignaturePage& ui = *m_signature;
    ui.Sign_image_path->setText(graphic._file_path);
    selectItem(m_dataSource->Data_source_type, graphic.data_source_type);
    showDataSource(&graphic, false);
    ui.Sign_border_chk->setChecked(graphic._isDrawingStroke);
    showInteger(ui.Sign_bor_Stepper, ui.Sign_bor_Text, graphic._strokeWidth);
    ui.Sign_bordr_clr->setColor(graphic._strokeColor);
    selectBorderStyle(ui.Sign_border_style, graphic._stroke_border_type);
    SetObjEnabled(ui.Sign_Border_Box, ui.Sign_border_chk->isChecked() ? 1 : 0);
}

void SKTWindowController::loadText(const SKTGraphic& graphic) {
    Ui::TextPropertiesPage& ui = *m_textProperties;
    // The value the drawing shows: the styled text once it exists, else the
    // plain value a text made by a tool, the wizard or a record fill holds.
    const QString plain =
        graphic._Text_contents ? graphic._Text_contents->string() : graphic.Text_Value;
    m_textEditing->Text_value_Edit->setPlainText(plain);
    m_textEditing->Text_value_Edit->selectAll();

    selectItem(m_dataSource->Data_source_type, graphic.data_source_type);
    showDataSource(&graphic, false);

    ui.Text_border_chk->setChecked(graphic._isDrawingStroke);
    ui.Text_fill_chk->setChecked(graphic._isDrawingFill);
    showInteger(ui.Text_bor_Stepper, ui.Text_bor_Text, graphic._strokeWidth);
    ui.Text_bordr_clr->setColor(graphic._strokeColor);
    selectBorderStyle(ui.Text_border_style, graphic._stroke_border_type);
    ui.Text_fill_clr->setColor(graphic._fillColor);
    const bool gradient = graphic._fill_type == QStringLiteral("G");
    setRadios({{ui.Text_gradient_fill_rd, gradient}, {ui.Text_solid_fill_rd, !gradient}});
    ui.Text_fill_Grd_1_clr->setColor(graphic._fill_Grad_clr1);
    ui.Text_fill_Grd_2_clr->setColor(graphic._fill_Grad_clr2);
    showFloat(ui.Text_grad_Stepper, ui.Text_grad_Text,
              static_cast<float>(graphic._fill_grad_angle));
    showPercent(ui.Text_alpha_Stepper, ui.Text_alpha_Text, graphic.alpha_val);

    SetObjEnabled(ui.Text_Fill_Box, ui.Text_fill_chk->isChecked() ? 1 : 0);
    SetObjEnabled(ui.Text_Border_Box, ui.Text_border_chk->isChecked() ? 1 : 0);
    enableAll(
        {ui.Text_fill_Grd_1_clr, ui.Text_fill_Grd_2_clr, ui.Text_grad_Stepper, ui.Text_grad_Text},
        gradient);
    enableAll({ui.Text_fill_clr}, !gradient);

    ui.Text_clr->setColor(graphic.txt_clr);
    m_textColor = graphic.txt_clr;
    Text_font = graphic.text_ctrl_font;
    ui.Text_font_value->setText(fontDescription(Text_font));
    selectItem(ui.Text_align_combo, graphic.text_alignmnet);
    selectItem(ui.Text_case_combo, graphic.text_transfrom_case);
    showFloat(ui.Text_Kern_Stepper, ui.Text_Kern_Text, graphic.text_kerning);
}

void SKTWindowController::card_prop_set(const QString& style) {
    Ui::CardBackgroundPage& ui = *m_cardBackground;
    const bool gradient = style == QStringLiteral("G");
    const bool hatch = style == QStringLiteral("H");
    const bool picture = style == QStringLiteral("I");
    const bool solid = !gradient && !hatch && !picture;
    setRadios({{ui.Card_solid_fill_rd, solid},
               {ui.Card_gradient_fill_rd, gradient},
               {ui.Card_Style_fill_rd, hatch},
               {ui.Card_Image_fill_rd, picture}});

    SetObjEnabled(m_cardBorder->Card_Border_Box,
                  m_cardBorder->Card_border_chk->isChecked() ? 1 : 0);
    SetObjEnabled(ui.Card_Fill_Box, ui.Card_fill_chk->isChecked() ? 1 : 0);

    enableAll({ui.Card_fill_clr}, solid);
    enableAll(
        {ui.Card_fill_Grd_1_clr, ui.Card_fill_Grd_2_clr, ui.Card_grad_Text, ui.Card_grad_Stepper},
        gradient);
    enableAll({ui.Card_hatch_style, ui.Card_hatch_bk_clr}, hatch);
    SetObjEnabled(ui.Card_image_box, picture ? 1 : 0);
    m_ui->sett_tab->update();
}
