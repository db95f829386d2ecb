// The object inspectors' write side: one update operation per tab copies the
// tab's controls into every selected object of the current side, and the
// tabs' controls are connected to them.

#include "mainwindow/controller/SKTWindowController.h"

#include "core/MessageFunctions.h"
#include "core/globals.h"
#include "editor/canvas/SKTGraphicView.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTSignature.h"
#include "editor/model/SKTText.h"
#include "mainwindow/controller/SideCanvases.h"
#include "ui_BarcodePage.h"
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

#include <QAbstractButton>
#include <QFileInfo>
#include <algorithm>
#include <initializer_list>

namespace {

// Stroke style codes by item index; no item leaves the code.
void writeStrokeStyle(SKTGraphic& graphic, const QComboBox* combo) {
    static const QStringList codes = {QStringLiteral("S"), QStringLiteral("DA"),
                                      QStringLiteral("DO"), QStringLiteral("DD"),
                                      QStringLiteral("DDD")};
    const int index = combo->currentIndex();
    if (index >= 0 && index < codes.size()) {
        graphic._stroke_border_type = codes[index];
    }
}

// The border group: off keeps the colour and width.
void writeBorder(SKTGraphic& graphic, const QCheckBox* check, const ColorWell* colour,
                 const CardStepper* width, const QComboBox* style) {
    if (check->isChecked()) {
        graphic._isDrawingStroke = true;
        graphic._strokeColor = colour->color();
        graphic._strokeWidth = width->intValue();
    } else {
        graphic._isDrawingStroke = false;
    }
    writeStrokeStyle(graphic, style);
}

float percentToFraction(const CardStepper* stepper) {
    return static_cast<float>(stepper->doubleValue() / 100.0);
}

// Radio buttons of one group set from code.
void checkOnly(std::initializer_list<std::pair<QRadioButton*, bool>> states) {
    for (const auto& [button, on] : states) {
        button->setAutoExclusive(false);
        button->setChecked(on);
        button->setAutoExclusive(true);
    }
}

void enableAll(std::initializer_list<QWidget*> controls, bool enabled) {
    for (QWidget* control : controls) {
        control->setEnabled(enabled);
    }
}

} // namespace

SKTGraphicView* SKTWindowController::currentGraphicView() const {
    return m_canvases ? qobject_cast<SKTGraphicView*>(m_canvases->canvas(Current_Card_Side()))
                      : nullptr;
}

SKTGraphicList SKTWindowController::graphicsToUpdate() const {
    if (Not_Draw_Only_Prop_Change || !m_loaded) {
        return {};
    }
    const SKTGraphicView* view = currentGraphicView();
    return view ? view->selectedGraphics() : SKTGraphicList();
}

void SKTWindowController::finishUpdate(const SKTGraphicList& graphics) {
    if (graphics.isEmpty()) {
        return;
    }
    if (SKTGraphicView* view = currentGraphicView()) {
        for (const std::shared_ptr<SKTGraphic>& graphic : graphics) {
            view->startEditingGraphic(graphic);
        }
    }
    Refresh_Canvas();
}

void SKTWindowController::Update_Shape_Graphics() {
    const SKTGraphicList graphics = graphicsToUpdate();
    const Ui::ShapePage& ui = *m_shape;
    const int print = m_ui->print_object_chk->isChecked() ? 1 : 0;
    for (const std::shared_ptr<SKTGraphic>& graphic : graphics) {
        SKTGraphic& g = *graphic;
        writeBorder(g, ui.Shape_border_chk, ui.shape_bordr_clr, ui.shape_bor_Stepper,
                    ui.shape_border_style);
        const bool fill = ui.Shape_fill_chk->isChecked();
        g._isDrawingFill = fill;
        if (fill) {
            g._fillColor = ui.shape_fill_clr->color();
        }
        g._fill_type = fill && ui.Shape_gradient_fill_rd->isChecked() ? QStringLiteral("G")
                       : fill && ui.Shape_Style_fill_rd->isChecked()  ? QStringLiteral("H")
                                                                      : QStringLiteral("S");
        g._fill_Grad_clr1 = ui.shape_fill_Grd_1_clr->color();
        g._fill_Grad_clr2 = ui.shape_fill_Grd_2_clr->color();
        g._fill_grad_angle = ui.shape_grad_Stepper->doubleValue();
        g._fill_htch_clr = ui.shape_hatch_bk_clr->color();
        g._fill_hatch_type = ui.shape_hatch_style->currentText();
        g.alpha_val = percentToFraction(ui.shape_alpha_Stepper);
        g.cor_rad_val_val = ui.shape_cor_radius_Stepper->floatValue();
        g.double_star_type = ui.double_star_Stepper->intValue();
        g.polygon_type = ui.polygon_Stepper->intValue();
        g.print_object = print;
    }
    finishUpdate(graphics);
}

void SKTWindowController::Update_Line_Graphics() {
    const SKTGraphicList graphics = graphicsToUpdate();
    const Ui::LinePage& ui = *m_line;
    const int print = m_ui->print_object_chk->isChecked() ? 1 : 0;
    for (const std::shared_ptr<SKTGraphic>& graphic : graphics) {
        SKTGraphic& g = *graphic;
        g._isDrawingStroke = true;
        g._strokeColor = ui.Line_clr->color();
        g._strokeWidth = ui.Line_Wdt_Stepper->intValue();
        g.print_object = print;
        writeStrokeStyle(g, ui.Line_border_style);
        g._line_cap_style = std::max(0, ui.Line_cap_style->currentIndex());
        g._line_ori = std::max(0, ui.Line_ori_style->currentIndex());
        g.alpha_val_stroke = percentToFraction(ui.Line_alpha_Stepper);
    }
    finishUpdate(graphics);
}

void SKTWindowController::Update_Text_Graphics() {
    const SKTGraphicList graphics = graphicsToUpdate();
    const Ui::TextPropertiesPage& ui = *m_textProperties;
    const int print = m_ui->print_object_chk->isChecked() ? 1 : 0;
    // The typed text goes into an object only when it is the one selected.
    const bool one = graphics.size() == 1;
    const QString typed = m_textEditing->Text_value_Edit->toPlainText();
    for (const std::shared_ptr<SKTGraphic>& graphic : graphics) {
        SKTGraphic& g = *graphic;
        g.print_object = print;
        writeBorder(g, ui.Text_border_chk, ui.Text_bordr_clr, ui.Text_bor_Stepper,
                    ui.Text_border_style);
        const bool fill = ui.Text_fill_chk->isChecked();
        g._isDrawingFill = fill;
        if (fill) {
            g._fillColor = ui.Text_fill_clr->color();
        }
        g._fill_type = fill && ui.Text_gradient_fill_rd->isChecked() ? QStringLiteral("G")
                                                                     : QStringLiteral("S");
        g._fill_Grad_clr1 = ui.Text_fill_Grd_1_clr->color();
        g._fill_Grad_clr2 = ui.Text_fill_Grd_2_clr->color();
        g._fill_grad_angle = ui.Text_grad_Stepper->doubleValue();
        g.txt_clr = ui.Text_clr->color();
        g.text_ctrl_font = Text_font;
        if (one) {
            SKTStyledText& text = g.Text_contents();
            text.replaceCharacters(0, text.length(), typed);
            if (auto* object = dynamic_cast<SKTText*>(&g)) {
                object->textStorageDidProcessEditing();
            }
        }
        g.alpha_val = percentToFraction(ui.Text_alpha_Stepper);
        g.text_alignmnet = ui.Text_align_combo->currentIndex();
        g.text_transfrom_case = ui.Text_case_combo->currentIndex();
        g.text_kerning = ui.Text_Kern_Stepper->floatValue();
    }
    m_textColor = ui.Text_clr->color();
    finishUpdate(graphics);
}

void SKTWindowController::Update_Image_Graphics() {
    const SKTGraphicList graphics = graphicsToUpdate();
    const Ui::ImagePage& ui = *m_image;
    const int print = m_ui->print_object_chk->isChecked() ? 1 : 0;
    const QString path = m_dataSource->Manual_image_path->text();
    if (graphics.size() == 1) {
        Show_NSLog_Message(QStringLiteral("Txt path - %1\nGraphic Path - %2\n")
                               .arg(QFileInfo(path).fileName(),
                                    QFileInfo(graphics.first()->_file_path).fileName()));
    }
    for (const std::shared_ptr<SKTGraphic>& graphic : graphics) {
        SKTGraphic& g = *graphic;
        g.print_object = print;
        writeBorder(g, ui.Image_border_chk, ui.Image_bordr_clr, ui.Image_bor_Stepper,
                    ui.Image_border_style);
        g._isFlippedHorizontally = ui.Image_FIH_chk->isChecked();
        g._isFlippedVertically = ui.Image_FIV_chk->isChecked();
        g.invert_clr = ui.Image_Invert_chk->isChecked();
        g.gray_Scale = ui.Image_Gray_Scale_chk->isChecked();
        g.Sepia = ui.Image_Sepia_chk->isChecked();
        g.img_trnsp_val = static_cast<float>(ui.Trsp_slidr->floatValue());
        g.rotate_image = static_cast<float>(ui.Rotate_slidr->floatValue());
        g.hue_val = static_cast<float>(ui.Hue_slidr->floatValue());
        g.sat_val = static_cast<float>(ui.Sat_slidr->floatValue());
        g.brt_val = static_cast<float>(ui.Brt_slidr->floatValue());
        g.con_val = static_cast<float>(ui.Con_slidr->floatValue());
        g.srp_val = static_cast<float>(ui.shrp_slidr->floatValue());
        g.ev_val = static_cast<float>(ui.ev_slidr->floatValue());
        g.blr_val = static_cast<float>(ui.blr_slidr->floatValue());
    }
    // The path field shows one object's path: it is written back only when
    // that object is the one selected, and only when it differs, through
    // the picture setter so the picture follows the path.
    if (graphics.size() == 1) {
        if (auto* picture = dynamic_cast<SKTImage*>(graphics.first().get())) {
            if (picture->_file_path != path) {
                picture->setFilePath(path);
            }
        }
    }
    finishUpdate(graphics);
}

void SKTWindowController::Update_Sign_Graphics() {
    const SKTGraphicList graphics = graphicsToUpdate();
    const Ui::SignaturePage& ui = *m_signature;
    const int print = m_ui->print_object_chk->isChecked() ? 1 : 0;
    const QString path = ui.Sign_image_path->text();
    for (const std::shared_ptr<SKTGraphic>& graphic : graphics) {
        SKTGraphic& g = *graphic;
        g.print_object = print;
        writeBorder(g, ui.Sign_border_chk, ui.Sign_bordr_clr, ui.Sign_bor_Stepper,
                    ui.Sign_border_style);
    }
    // As for pictures: one object, and a path to give it.
    if (graphics.size() == 1 && !path.isEmpty()) {
        if (auto* signature = dynamic_cast<SKTSignature*>(graphics.first().get())) {
            if (signature->_file_path != path) {
                signature->setFilePath(path);
            }
        }
    }
    finishUpdate(graphics);
}

void SKTWindowController::Shape_Fill_RD_Sel(int style) {
    Ui::ShapePage& ui = *m_shape;
    checkOnly({{ui.Shape_solid_fill_rd, style == 0},
               {ui.Shape_gradient_fill_rd, style == 1},
               {ui.Shape_Style_fill_rd, style == 2}});
    enableAll({ui.shape_fill_clr}, style == 0);
    enableAll({ui.shape_fill_Grd_1_clr, ui.shape_fill_Grd_2_clr, ui.shape_grad_Text,
               ui.shape_grad_Stepper},
              style == 1);
    enableAll({ui.shape_hatch_style, ui.shape_hatch_bk_clr}, style == 2);
    Update_Shape_Graphics();
}

void SKTWindowController::Text_Fill_RD_Sel(int style) {
    Ui::TextPropertiesPage& ui = *m_textProperties;
    checkOnly({{ui.Text_solid_fill_rd, style == 0}, {ui.Text_gradient_fill_rd, style == 1}});
    enableAll({ui.Text_fill_clr}, style == 0);
    enableAll(
        {ui.Text_fill_Grd_1_clr, ui.Text_fill_Grd_2_clr, ui.Text_grad_Text, ui.Text_grad_Stepper},
        style == 1);
    Update_Text_Graphics();
}

void SKTWindowController::connectInspectorControls() {
    connectCardControls();
    connectObjectControls();
}

void SKTWindowController::connectObjectControls() {
    // Colour wells, check boxes and steppers of each tab end in its update.
    auto hook = [this](std::initializer_list<QWidget*> controls,
                       void (SKTWindowController::*update)()) {
        for (QWidget* control : controls) {
            if (auto* well = qobject_cast<ColorWell*>(control)) {
                connect(well, &ColorWell::colorPicked, this, update);
            } else if (auto* stepper = qobject_cast<CardStepper*>(control)) {
                connect(stepper, &CardStepper::stepped, this, update);
            } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
                connect(button, &QAbstractButton::clicked, this, update);
            }
        }
    };
    // Check boxes that open a group.
    auto group = [this](QCheckBox* check, QWidget* box, void (SKTWindowController::*update)()) {
        connect(check, &QCheckBox::clicked, this, [this, check, box, update] {
            SetObjEnabled(box, check->isChecked() ? 1 : 0);
            (this->*update)();
        });
    };

    Ui::ShapePage& shape = *m_shape;
    hook({shape.shape_bordr_clr, shape.shape_fill_clr, shape.shape_fill_Grd_1_clr,
          shape.shape_fill_Grd_2_clr, shape.shape_hatch_bk_clr, shape.shape_bor_Stepper,
          shape.shape_grad_Stepper, shape.shape_alpha_Stepper, shape.shape_cor_radius_Stepper,
          shape.double_star_Stepper, shape.polygon_Stepper},
         &SKTWindowController::Update_Shape_Graphics);
    group(shape.Shape_border_chk, shape.Shape_Border_Box,
          &SKTWindowController::Update_Shape_Graphics);
    group(shape.Shape_fill_chk, shape.Shape_Fill_Box, &SKTWindowController::Update_Shape_Graphics);
    connect(shape.Shape_solid_fill_rd, &QRadioButton::clicked, this,
            [this] { Shape_Fill_RD_Sel(0); });
    connect(shape.Shape_gradient_fill_rd, &QRadioButton::clicked, this,
            [this] { Shape_Fill_RD_Sel(1); });
    connect(shape.Shape_Style_fill_rd, &QRadioButton::clicked, this,
            [this] { Shape_Fill_RD_Sel(2); });

    Ui::LinePage& line = *m_line;
    hook({line.Line_clr, line.Line_Wdt_Stepper, line.Line_alpha_Stepper},
         &SKTWindowController::Update_Line_Graphics);

    Ui::TextPropertiesPage& text = *m_textProperties;
    hook({text.Text_clr, text.Text_bordr_clr, text.Text_fill_clr, text.Text_fill_Grd_1_clr,
          text.Text_fill_Grd_2_clr, text.Text_bor_Stepper, text.Text_grad_Stepper,
          text.Text_alpha_Stepper, text.Text_Kern_Stepper},
         &SKTWindowController::Update_Text_Graphics);
    group(text.Text_border_chk, text.Text_Border_Box, &SKTWindowController::Update_Text_Graphics);
    group(text.Text_fill_chk, text.Text_Fill_Box, &SKTWindowController::Update_Text_Graphics);
    connect(text.Text_solid_fill_rd, &QRadioButton::clicked, this, [this] { Text_Fill_RD_Sel(0); });
    connect(text.Text_gradient_fill_rd, &QRadioButton::clicked, this,
            [this] { Text_Fill_RD_Sel(1); });
    connect(text.Text_Font_Btn, &QPushButton::clicked, this, [this] { Text_Font_Changed(); });
    connect(m_textEditing->Text_value_Edit, &QPlainTextEdit::textChanged, this,
            [this] { textDidChange(); });
    connect(m_textEditing->Text_Insert_Date_Btn, &QPushButton::clicked, this,
            [this] { Text_Insert_Date(); });
    connect(m_textEditing->Text_Insert_Time_Btn, &QPushButton::clicked, this,
            [this] { Text_Insert_Time(); });

    Ui::ImagePage& image = *m_image;
    hook({image.Image_bordr_clr, image.Image_bor_Stepper, image.Image_Gray_Scale_chk,
          image.Image_Sepia_chk, image.Image_Invert_chk, image.Image_FIV_chk, image.Image_FIH_chk},
         &SKTWindowController::Update_Image_Graphics);
    group(image.Image_border_chk, image.Image_Border_Box,
          &SKTWindowController::Update_Image_Graphics);
    // Each slider shows its value in its field and takes a number typed
    // there, then updates.
    const std::pair<FloatSlider*, QLineEdit*> sliders[] = {
        {image.Rotate_slidr, image.Rotate_slidr_val}, {image.Trsp_slidr, image.Trsp_slidr_val},
        {image.Hue_slidr, image.Hue_slidr_val},       {image.Sat_slidr, image.Sat_slidr_val},
        {image.Brt_slidr, image.Brt_slidr_val},       {image.Con_slidr, image.Con_slidr_val},
        {image.shrp_slidr, image.shrp_slidr_val},     {image.ev_slidr, image.ev_slidr_val},
        {image.blr_slidr, image.blr_slidr_val}};
    for (const auto& [slider, field] : sliders) {
        slider->setValueField(field);
        connect(slider, &FloatSlider::userValueChanged, this, [this] { Update_Image_Graphics(); });
    }
    connect(image.Image_reset_Btn, &QPushButton::clicked, this, [this] { Image_reset_Button(); });
    connect(m_dataSource->Manual_Image_Browse_Btn, &QPushButton::clicked, this,
            [this] { Manual_Image_Browse_Btn(); });
    connect(m_dataSource->Manual_Library_Browse_Btn, &QPushButton::clicked, this,
            [this] { Manual_Library_Browse_Btn(); });

    Ui::SignaturePage& sign = *m_signature;
    hook({sign.Sign_bordr_clr, sign.Sign_bor_Stepper}, &SKTWindowController::Update_Sign_Graphics);
    group(sign.Sign_border_chk, sign.Sign_Border_Box, &SKTWindowController::Update_Sign_Graphics);
    connect(sign.Sign_Browse_Btn, &QPushButton::clicked, this, [this] { Sign_Browse_Btn(); });

    connect(m_barcode->View_barcode_prop_Button, &QPushButton::clicked, this,
            [this] { View_barcode_prop_Button(); });

    for (QComboBox* combo :
         {line.Line_border_style, line.Line_ori_style, line.Line_cap_style, text.Text_border_style,
          text.Text_align_combo, text.Text_case_combo, shape.shape_border_style,
          shape.shape_hatch_style, image.Image_border_style, sign.Sign_border_style}) {
        connect(combo, &QComboBox::activated, this,
                [this, combo] { comboBoxSelectionDidChange(combo); });
    }
}
