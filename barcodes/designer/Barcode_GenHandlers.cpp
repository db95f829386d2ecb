// The designer's control handlers: each writes the control's value into the
// settings record, then rebuilds the symbol or redraws the last one.

#include "barcodes/BarcodeGlobals.h"
#include "barcodes/designer/Barcode_Gen.h"
#include "barcodes/designer/core/DesignerLists.h"
#include "core/MessageFunctions.h"
#include "core/globals.h"
#include "ui_Barcode_Gen.h"

#include <QFontDialog>
#include <algorithm>

namespace {

Barcode_Gen::FontChooser& fontChooser() {
    static Barcode_Gen::FontChooser chooser;
    return chooser;
}

} // namespace

void Barcode_Gen::setFontChooser(FontChooser chooser) {
    fontChooser() = std::move(chooser);
}

void Barcode_Gen::connectControls() {
    Ui::Barcode_Gen& ui = *m_ui;
    connect(ui.OK_Btn, &QPushButton::clicked, this, &Barcode_Gen::OK_Btn_Clicked);
    connect(ui.Cancel_Btn, &QPushButton::clicked, this, &Barcode_Gen::Cancel_Btn_Clicked);
    connect(ui.Encode_btn, &QPushButton::clicked, this, &Barcode_Gen::Encode_btn);
    connect(ui.barcodeTypePopup, &QComboBox::activated, this, &Barcode_Gen::barcodeTypeChanged);
    for (QComboBox* combo :
         {ui.align_hdr_combo, ui.align_ftr_combo, ui.bar_align_combo, ui.bar_orient_combo,
          ui.DPI_ComboBox, ui.qr_enc_mode_ComboBox, ui.qr_version_ComboBox, ui.qr_ec_lvl_ComboBox,
          ui.dm_format_ComboBox, ui.dm_encoding_ComboBox, ui.Data_source_type, ui.Batch_Series}) {
        connect(combo, &QComboBox::activated, this,
                [this, combo] { comboBoxSelectionDidChange(combo); });
    }
    connect(ui.dataText, &QLineEdit::textEdited, this, &Barcode_Gen::valueTextChanged);
    connect(ui.dataText_2D, &QPlainTextEdit::textChanged, this, &Barcode_Gen::value2DTextChanged);
    connect(ui.HeaderText, &QLineEdit::textEdited, this, &Barcode_Gen::headerFooterTextChanged);
    connect(ui.FooterText, &QLineEdit::textEdited, this, &Barcode_Gen::headerFooterTextChanged);
    connect(ui.captionCheckbox, &QCheckBox::clicked, this, &Barcode_Gen::captionChanged);
    connect(ui.showinTopCheckbox, &QCheckBox::clicked, this, &Barcode_Gen::showinTopChanged);
    connect(ui.hideHeaderCheckbox, &QCheckBox::clicked, this, &Barcode_Gen::hideHeaderChanged);
    connect(ui.hideFooterCheckbox, &QCheckBox::clicked, this, &Barcode_Gen::hideFooterChanged);
    connect(ui.kerning_value_Checkbox, &QCheckBox::clicked, this, &Barcode_Gen::kerningChanged);
    const std::pair<CardStepper*, void (Barcode_Gen::*)()> steppers[] = {
        {ui.HeightStepper, &Barcode_Gen::heightChanged},
        {ui.widthStepper, &Barcode_Gen::widthChanged},
        {ui.HeightStepper_2D, &Barcode_Gen::heightChanged},
        {ui.Pdf_widthStepper_2D, &Barcode_Gen::widthChanged},
        {ui.pdf_HeightStepper_2D, &Barcode_Gen::pdf_heightChanged},
        {ui.pdf_row_Stepper, &Barcode_Gen::PDF_Row_Changed},
        {ui.pdf_col_Stepper, &Barcode_Gen::PDF_Col_Changed},
        {ui.pdf_ec_lvl_Stepper, &Barcode_Gen::PDF_EC_Lvl_Changed},
        {ui.dm_widthStepper_2D, &Barcode_Gen::dm_widthChanged},
        {ui.dm_HeightStepper_2D, &Barcode_Gen::dm_heightChanged},
        {ui.dm_moduleStepper_2D, &Barcode_Gen::dm_modulesizeChanged},
        {ui.val_mar_Stepper, &Barcode_Gen::Value_Margin_Changed},
        {ui.hdr_mar_Stepper, &Barcode_Gen::Header_Margin_Changed},
        {ui.ftr_mar_Stepper, &Barcode_Gen::Footer_Margin_Changed},
        {ui.TB_mar_Stepper, &Barcode_Gen::TB_Margin_Changed},
        {ui.LR_mar_Stepper, &Barcode_Gen::LR_Margin_Changed},
        {ui.dpi_Stepper, &Barcode_Gen::DPI_Value_Changed},
    };
    for (const auto& [stepper, handler] : steppers) {
        connect(stepper, &CardStepper::stepped, this, handler);
    }
    for (ColorWell* well :
         {ui.barcode_clr, ui.bar_back_clr, ui.bar_val_clr, ui.bar_hdr_clr, ui.bar_ftr_clr}) {
        connect(well, &ColorWell::colorPicked, this, &Barcode_Gen::Header_Color_Changed);
    }
    connect(ui.value_font_btn, &QPushButton::clicked, this, &Barcode_Gen::Value_Font_Changed);
    connect(ui.header_font_btn, &QPushButton::clicked, this, &Barcode_Gen::Header_Font_Changed);
    connect(ui.footer_font_btn, &QPushButton::clicked, this, &Barcode_Gen::Footer_Font_Changed);
    connect(ui.view_series_btn, &QPushButton::clicked, this,
            &Barcode_Gen::View_batch_Series_Button);
    connect(ui.QR_Version_Help_Btn, &QToolButton::clicked, this, &Barcode_Gen::QR_Version_Help_Btn);
    connect(ui.QR_EC_Lvl_Help_Btn, &QToolButton::clicked, this, &Barcode_Gen::QR_EC_Lvl_Help_Btn);
    connect(ui.PDF_row_Help_btn, &QToolButton::clicked, this, &Barcode_Gen::PDF_row_Help_btn);
    connect(ui.PDF_col_Help_btn, &QToolButton::clicked, this, &Barcode_Gen::PDF_col_Help_btn);
    connect(ui.PDF_ec_lvl_Help_btn, &QToolButton::clicked, this, &Barcode_Gen::PDF_ec_lvl_Help_btn);
    connect(ui.DM_format_Help_btn, &QToolButton::clicked, this, &Barcode_Gen::DM_format_Help_btn);
    connect(ui.DM_Encoding_Help_btn, &QToolButton::clicked, this,
            &Barcode_Gen::DM_Encoding_Help_btn);
    connect(ui.DPI_Help_Label, &QToolButton::clicked, this, &Barcode_Gen::DPI_Help_Label);
}

void Barcode_Gen::barcodeTypeChanged() {
    Ui::Barcode_Gen& ui = *m_ui;
    settings.barcode_font_index = ui.barcodeTypePopup->currentIndex();
    const QString title = settings.symbologyTitle();
    if (DesignerLists::isTwoDimensional(title)) {
        two_d_barcode_Opt_Select();
    } else {
        Liner_Barcode_Opt_Select();
        for (QWidget* widget :
             {static_cast<QWidget*>(ui.HeightText), static_cast<QWidget*>(ui.HeightStepper),
              static_cast<QWidget*>(ui.widthText), static_cast<QWidget*>(ui.widthStepper),
              static_cast<QWidget*>(ui.captionCheckbox),
              static_cast<QWidget*>(ui.hideHeaderCheckbox),
              static_cast<QWidget*>(ui.hideFooterCheckbox), static_cast<QWidget*>(ui.FooterText),
              static_cast<QWidget*>(ui.val_mar_Text), static_cast<QWidget*>(ui.val_mar_Stepper),
              static_cast<QWidget*>(ui.hdr_mar_Text), static_cast<QWidget*>(ui.hdr_mar_Stepper),
              static_cast<QWidget*>(ui.ftr_mar_Text), static_cast<QWidget*>(ui.ftr_mar_Stepper),
              static_cast<QWidget*>(ui.align_hdr_combo), static_cast<QWidget*>(ui.align_ftr_combo),
              static_cast<QWidget*>(ui.showinTopCheckbox),
              static_cast<QWidget*>(ui.kerning_value_Checkbox)}) {
            widget->setEnabled(true);
        }
        ui.showinTopCheckbox->setEnabled(settings.show_hide_val != 1);
    }
    _setLabels();
    if (settings.currentValue().isEmpty()) {
        Show_MessageBox(QStringLiteral("Please enter barcode value"));
        m_testBarcode.reset();
        Set_Blank_Image();
        return;
    }
    if (DesignerLists::isRetail(title)) {
        ui.kerning_value_Checkbox->setEnabled(false);
    }
    goButtonActionPerformed();
}

void Barcode_Gen::valueTextChanged() {
    settings.linear_font_val = m_ui->dataText->text();
    if (!settings.isTwoDimensional()) {
        goButtonActionPerformed();
    }
}

void Barcode_Gen::value2DTextChanged() {
    if (m_loading) {
        return;
    }
    settings.two_d_font_val = m_ui->dataText_2D->toPlainText();
    if (settings.isTwoDimensional()) {
        goButtonActionPerformed();
    }
}

void Barcode_Gen::headerFooterTextChanged() {
    settings.header_val = m_ui->HeaderText->text();
    settings.footer_val = m_ui->FooterText->text();
    if (settings.isTwoDimensional()) {
        Get_2d_barcode_from_image();
    } else {
        goButtonActionPerformed();
    }
}

void Barcode_Gen::heightChanged() {
    if (settings.isTwoDimensional()) {
        settings.qr_size_val = m_ui->HeightStepper_2D->intValue();
        goButtonActionPerformed();
    } else {
        settings.linear_height_val = m_ui->HeightStepper->floatValue();
        redraw();
    }
}

void Barcode_Gen::widthChanged() {
    if (settings.isTwoDimensional()) {
        settings.pdf_wdt_val = m_ui->Pdf_widthStepper_2D->intValue();
        goButtonActionPerformed();
    } else {
        settings.linear_width_val = m_ui->widthStepper->floatValue();
        redraw();
    }
}

void Barcode_Gen::pdf_heightChanged() {
    settings.pdf_hgt_val = m_ui->pdf_HeightStepper_2D->intValue();
    goButtonActionPerformed();
}

void Barcode_Gen::PDF_Row_Changed() {
    goButtonActionPerformed();
}

void Barcode_Gen::PDF_Col_Changed() {
    goButtonActionPerformed();
}

void Barcode_Gen::PDF_EC_Lvl_Changed() {
    settings.pdf_ec_val = m_ui->pdf_ec_lvl_Stepper->intValue();
    goButtonActionPerformed();
}

void Barcode_Gen::dm_widthChanged() {
    goButtonActionPerformed();
}

void Barcode_Gen::dm_heightChanged() {
    goButtonActionPerformed();
}

void Barcode_Gen::dm_modulesizeChanged() {
    settings.dm_module_val = m_ui->dm_moduleStepper_2D->intValue();
    data_matrix_barcode_size_acc_format();
    goButtonActionPerformed();
}

void Barcode_Gen::Value_Margin_Changed() {
    settings.val_margin_val = m_ui->val_mar_Stepper->floatValue();
    if (!settings.isTwoDimensional()) {
        redraw();
    }
}

void Barcode_Gen::Header_Margin_Changed() {
    settings.hdr_margin_val = m_ui->hdr_mar_Stepper->floatValue();
    redraw();
}

void Barcode_Gen::Footer_Margin_Changed() {
    settings.ftr_margin_val = m_ui->ftr_mar_Stepper->floatValue();
    redraw();
}

void Barcode_Gen::TB_Margin_Changed() {
    settings.TB_marging_val = m_ui->TB_mar_Stepper->floatValue();
    redraw();
}

void Barcode_Gen::LR_Margin_Changed() {
    settings.LR_margin_val = m_ui->LR_mar_Stepper->floatValue();
    redraw();
}

void Barcode_Gen::captionChanged() {
    settings.show_hide_val = m_ui->captionCheckbox->isChecked() ? 1 : 0;
    m_ui->showinTopCheckbox->setEnabled(settings.show_hide_val != 1);
    redraw();
}

void Barcode_Gen::showinTopChanged() {
    settings.show_val_on_top = m_ui->showinTopCheckbox->isChecked() ? 1 : 0;
    if (!settings.isTwoDimensional()) {
        redraw();
    }
}

void Barcode_Gen::hideHeaderChanged() {
    settings.show_hide_hdr = m_ui->hideHeaderCheckbox->isChecked() ? 1 : 0;
    redraw();
}

void Barcode_Gen::hideFooterChanged() {
    settings.show_hide_ftr = m_ui->hideFooterCheckbox->isChecked() ? 1 : 0;
    redraw();
}

void Barcode_Gen::kerningChanged() {
    settings.kerning_value = m_ui->kerning_value_Checkbox->isChecked();
    redraw();
}

void Barcode_Gen::Header_Color_Changed() {
    Ui::Barcode_Gen& ui = *m_ui;
    settings.barcode_clr_val = ui.barcode_clr->color();
    settings.barcode_back_clr_val = ui.bar_back_clr->color();
    settings.barcode_val_clr_val = ui.bar_val_clr->color();
    settings.barcode_hdr_clr_val = ui.bar_hdr_clr->color();
    settings.barcode_ftr_clr_val = ui.bar_ftr_clr->color();
    redraw();
}

void Barcode_Gen::DPI_Value_Changed() {
    const int dpi = m_ui->dpi_Stepper->intValue();
    settings.dpi_custom_val = QString::number(dpi);
    USED_DPI_VALUE = dpi;
}

void Barcode_Gen::resolutionChosen() {
    Ui::Barcode_Gen& ui = *m_ui;
    settings.dpi_val_index = ui.DPI_ComboBox->currentIndex();
    const QString title = ui.DPI_ComboBox->currentText();
    if (title == QLatin1String("Custom")) {
        ui.dpi_custom_box->show();
        const int dpi = ui.dpi_Stepper->intValue();
        settings.dpi_custom_val = QString::number(dpi);
        USED_DPI_VALUE = dpi;
    } else {
        ui.dpi_custom_box->hide();
        USED_DPI_VALUE = settings.resolution();
    }
}

void Barcode_Gen::Check_And_Set_QR_size_Acc_Version(int versionIndex) {
    const int n = std::max(21, 4 * (versionIndex - 1) + 21);
    Ui::Barcode_Gen& ui = *m_ui;
    ui.HeightStepper_2D->setMinimum(n);
    if (ui.HeightText_2D->text().toInt() < n) {
        setPair(ui.HeightText_2D, ui.HeightStepper_2D, n);
        settings.qr_size_val = n;
    }
}

void Barcode_Gen::data_matrix_barcode_size_acc_format() {
    Ui::Barcode_Gen& ui = *m_ui;
    const int m = ui.dm_moduleStepper_2D->intValue();
    const QString title = ui.dm_format_ComboBox->currentText();
    if (title == QLatin1String("Auto")) {
        return;
    }
    const QString rest = title.mid(1);
    const qsizetype x = rest.indexOf(QLatin1Char('X'));
    const int rows = x < 0 ? 0 : rest.left(x).trimmed().toInt();
    const int columns = x < 0 ? 0 : rest.mid(x + 1).trimmed().toInt();
    if (ui.dm_widthStepper_2D->intValue() < columns * m) {
        setPair(ui.dm_widthText_2D, ui.dm_widthStepper_2D, columns * m);
    }
    if (ui.dm_HeightStepper_2D->intValue() < rows * m) {
        setPair(ui.dm_HeightText_2D, ui.dm_HeightStepper_2D, rows * m);
    }
}

void Barcode_Gen::comboBoxSelectionDidChange(QComboBox* combo) {
    Ui::Barcode_Gen& ui = *m_ui;
    if (combo == ui.DPI_ComboBox) {
        resolutionChosen();
        return;
    }
    if (combo == ui.Data_source_type) {
        dataSourceChosen();
        return;
    }
    if (combo == ui.Batch_Series) {
        batchSeriesChosen();
        return;
    }
    // The alignments are stored whatever the kind.
    if (combo == ui.align_hdr_combo || combo == ui.align_ftr_combo) {
        settings.align_hdr_index = ui.align_hdr_combo->currentIndex();
        settings.align_ftr_index = ui.align_ftr_combo->currentIndex();
    }
    if (settings.isTwoDimensional()) {
        if (combo == ui.qr_enc_mode_ComboBox || combo == ui.dm_encoding_ComboBox) {
            settings.dm_encoding_index = ui.dm_encoding_ComboBox->currentIndex();
            goButtonActionPerformed();
        } else if (combo == ui.qr_version_ComboBox) {
            settings.qr_version_index = combo->currentIndex();
            QR_Version_Val = settings.qr_version_index;
            Check_And_Set_QR_size_Acc_Version(settings.qr_version_index);
            goButtonActionPerformed();
        } else if (combo == ui.qr_ec_lvl_ComboBox) {
            settings.qr_ec_index = combo->currentIndex();
            QR_EC_Level_Val = settings.qr_ec_index;
            goButtonActionPerformed();
        } else if (combo == ui.dm_format_ComboBox) {
            settings.dm_format_index = combo->currentIndex();
            data_matrix_barcode_size_acc_format();
            goButtonActionPerformed();
        }
        return;
    }
    if (!m_testBarcode) {
        return;
    }
    if (combo == ui.align_hdr_combo || combo == ui.align_ftr_combo ||
        combo == ui.bar_orient_combo) {
        redraw();
    } else if (combo == ui.bar_align_combo) {
        static const std::pair<const char*, Qt::Alignment> alignments[] = {
            {"Center", Qt::AlignCenter},
            {"Top", Qt::AlignTop | Qt::AlignHCenter},
            {"TopLeft", Qt::AlignTop | Qt::AlignLeft},
            {"TopRight", Qt::AlignTop | Qt::AlignRight},
            {"Left", Qt::AlignLeft | Qt::AlignVCenter},
            {"Bottom", Qt::AlignBottom | Qt::AlignHCenter},
            {"BottomLeft", Qt::AlignBottom | Qt::AlignLeft},
            {"BottomRight", Qt::AlignBottom | Qt::AlignRight},
            {"Right", Qt::AlignRight | Qt::AlignVCenter}};
        for (const auto& [title, alignment] : alignments) {
            if (combo->currentText() == QLatin1String(title)) {
                ui.barcodeImage->setAlignment(alignment);
            }
        }
    }
}

void Barcode_Gen::chooseFont(QFont& font, QWidget* label) {
    std::optional<QFont> chosen;
    if (fontChooser()) {
        chosen = fontChooser()(font);
    } else {
        bool ok = false;
        const QFont picked = QFontDialog::getFont(&ok, font, this);
        if (ok) {
            chosen = picked;
        }
    }
    if (!chosen) {
        return;
    }
    font = *chosen;
    showFont(font, label);
    redraw();
}

void Barcode_Gen::Value_Font_Changed() {
    chooseFont(settings.value_font_val, m_ui->value_font_value);
}

void Barcode_Gen::Header_Font_Changed() {
    chooseFont(settings.header_font_val, m_ui->header_font_value);
}

void Barcode_Gen::Footer_Font_Changed() {
    chooseFont(settings.footer_font_val, m_ui->footer_font_value);
}
