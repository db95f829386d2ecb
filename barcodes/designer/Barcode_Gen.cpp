#include "barcodes/designer/Barcode_Gen.h"

#include "barcodes/BarcodeGlobals.h"
#include "barcodes/BarcodeRenderer.h"
#include "barcodes/designer/core/DesignerLists.h"
#include "core/globals.h"
#include "editor/model/SKTGraphic.h"
#include "ui_Barcode_Gen.h"
#include "widgets/GuiHooks.h"

#include <QCoreApplication>
#include <QPalette>
#include <QPixmap>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

namespace {

QPointer<Barcode_Gen> g_instance;

// Sets Not_Draw_Only_Prop_Change for a scope and restores what it was.
class LoadingFlag {
public:
    LoadingFlag() : m_previous(Not_Draw_Only_Prop_Change.exchange(1)) {}
    ~LoadingFlag() { Not_Draw_Only_Prop_Change = m_previous; }
    LoadingFlag(const LoadingFlag&) = delete;
    LoadingFlag& operator=(const LoadingFlag&) = delete;

private:
    int m_previous;
};

} // namespace

Barcode_Gen* Barcode_Gen::defaultInstance() {
    if (!g_instance) {
        auto* designer = new Barcode_Gen();
        // Owned by the application: it lives until the program quits.
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, designer,
                         &QObject::deleteLater);
    }
    return g_instance;
}

Barcode_Gen::Barcode_Gen(QWidget* parent) : QDialog(parent), m_ui(new Ui::Barcode_Gen) {
    m_ui->setupUi(this);
    if (!g_instance) {
        g_instance = this;
    }
    awakeFromNib();
    connectControls();
}

Barcode_Gen::~Barcode_Gen() {
    if (Barcode_Gen_Var == this) {
        Barcode_Gen_Var = nullptr;
    }
}

void Barcode_Gen::awakeFromNib() {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(241, 244, 250));
    setPalette(palette);
    setAutoFillBackground(true);
    if (!Barcode_Gen_Var) {
        Barcode_Gen_Var = this;
    }

    Ui::Barcode_Gen& ui = *m_ui;
    // Text field and stepper of each pair hold one value.
    const std::pair<QLineEdit*, CardStepper*> pairs[] = {
        {ui.HeightText, ui.HeightStepper},
        {ui.widthText, ui.widthStepper},
        {ui.val_mar_Text, ui.val_mar_Stepper},
        {ui.hdr_mar_Text, ui.hdr_mar_Stepper},
        {ui.ftr_mar_Text, ui.ftr_mar_Stepper},
        {ui.TB_mar_Text, ui.TB_mar_Stepper},
        {ui.LR_mar_Text, ui.LR_mar_Stepper},
        {ui.HeightText_2D, ui.HeightStepper_2D},
        {ui.pdf_HeightText_2D, ui.pdf_HeightStepper_2D},
        {ui.Pdf_widthText_2D, ui.Pdf_widthStepper_2D},
        {ui.pdf_row_Text, ui.pdf_row_Stepper},
        {ui.pdf_col_Text, ui.pdf_col_Stepper},
        {ui.pdf_ec_lvl_Text, ui.pdf_ec_lvl_Stepper},
        {ui.dm_widthText_2D, ui.dm_widthStepper_2D},
        {ui.dm_HeightText_2D, ui.dm_HeightStepper_2D},
        {ui.dm_moduleText_2D, ui.dm_moduleStepper_2D},
        {ui.dpi_Text, ui.dpi_Stepper},
    };
    for (const auto& [field, stepper] : pairs) {
        stepper->setPairedField(field);
    }
    // Values the record does not hold start at sensible sizes.
    setPair(ui.pdf_row_Text, ui.pdf_row_Stepper, 3);
    setPair(ui.pdf_col_Text, ui.pdf_col_Stepper, 1);
    setPair(ui.dm_widthText_2D, ui.dm_widthStepper_2D, 20);
    setPair(ui.dm_HeightText_2D, ui.dm_HeightStepper_2D, 20);

    // The lists filled at start.
    ui.qr_version_ComboBox->addItems(DesignerLists::qrVersions());
    ui.dm_format_ComboBox->addItems(DesignerLists::dataMatrixFormats());
    ui.dm_encoding_ComboBox->addItems(DesignerLists::dataMatrixEncodings());
    ui.bar_align_combo->setCurrentIndex(0);
    ui.bar_orient_combo->setCurrentIndex(0);
    ui.qr_enc_mode_ComboBox->setCurrentIndex(0);

    // The resolution tab shows only for 2D symbologies: taken out at start
    // (the tab view's page stack keeps owning it).
    m_dpiTabTitle = ui.sett_tab->tabText(3);
    dpi_tab_item = ui.sett_tab->widget(3);
    ui.sett_tab->removeTab(3);

    // The preview picture is the scroll view's document.
    ui.image_scroll->setWidget(ui.barcodeImage);
    ui.barcodeImage->setAlignment(Qt::AlignCenter);
    ui.barcode_error_label->hide();

    Measument_Unit_Is = 1;
    LoadingFlag loading;
    loadControls();
}

void Barcode_Gen::setPair(QLineEdit* field, CardStepper* stepper, double value) {
    stepper->setDoubleValue(value);
    field->setText(QString::number(stepper->doubleValue()));
}

void Barcode_Gen::showFont(const QFont& font, QWidget* label) {
    static_cast<QLabel*>(label)->setText(
        QString::asprintf("%s ( %0.2f )", qUtf8Printable(font.family()), font.pointSizeF()));
}

void Barcode_Gen::loadControls() {
    m_loading = true;
    Ui::Barcode_Gen& ui = *m_ui;
    const BarcodeSettings& s = settings;
    ui.barcodeTypePopup->setCurrentIndex(s.barcode_font_index);
    ui.dataText->setText(s.linear_font_val);
    ui.dataText_2D->setPlainText(s.two_d_font_val);
    ui.HeaderText->setText(s.header_val);
    ui.FooterText->setText(s.footer_val);
    ui.hideHeaderCheckbox->setChecked(s.show_hide_hdr == 1);
    ui.hideFooterCheckbox->setChecked(s.show_hide_ftr == 1);
    ui.captionCheckbox->setChecked(s.show_hide_val == 1);
    ui.showinTopCheckbox->setChecked(s.show_val_on_top == 1);
    ui.showinTopCheckbox->setEnabled(s.show_hide_val != 1);
    ui.kerning_value_Checkbox->setChecked(s.kerning_value);
    ui.kerning_value_Checkbox->setEnabled(!DesignerLists::isRetail(s.symbologyTitle()));
    ui.align_hdr_combo->setCurrentIndex(s.align_hdr_index);
    ui.align_ftr_combo->setCurrentIndex(s.align_ftr_index);
    ui.Data_source_type->setCurrentIndex(s.data_source_type);
    setPair(ui.HeightText, ui.HeightStepper, s.linear_height_val);
    setPair(ui.widthText, ui.widthStepper, s.linear_width_val);
    // The QR size's floor follows the version (the stored size first, so
    // the floor rule sees it).
    ui.HeightStepper_2D->setMinimum(21);
    setPair(ui.HeightText_2D, ui.HeightStepper_2D, s.qr_size_val);
    Check_And_Set_QR_size_Acc_Version(s.qr_version_index);
    ui.qr_version_ComboBox->setCurrentIndex(s.qr_version_index);
    ui.qr_ec_lvl_ComboBox->setCurrentIndex(s.qr_ec_index);
    setPair(ui.pdf_HeightText_2D, ui.pdf_HeightStepper_2D, s.pdf_hgt_val);
    setPair(ui.Pdf_widthText_2D, ui.Pdf_widthStepper_2D, s.pdf_wdt_val);
    setPair(ui.pdf_ec_lvl_Text, ui.pdf_ec_lvl_Stepper, s.pdf_ec_val);
    setPair(ui.dm_moduleText_2D, ui.dm_moduleStepper_2D, s.dm_module_val);
    ui.dm_format_ComboBox->setCurrentIndex(s.dm_format_index);
    ui.dm_encoding_ComboBox->setCurrentIndex(s.dm_encoding_index);
    setPair(ui.hdr_mar_Text, ui.hdr_mar_Stepper, s.hdr_margin_val);
    setPair(ui.ftr_mar_Text, ui.ftr_mar_Stepper, s.ftr_margin_val);
    setPair(ui.val_mar_Text, ui.val_mar_Stepper, s.val_margin_val);
    setPair(ui.TB_mar_Text, ui.TB_mar_Stepper, s.TB_marging_val);
    setPair(ui.LR_mar_Text, ui.LR_mar_Stepper, s.LR_margin_val);
    showFont(s.value_font_val, ui.value_font_value);
    showFont(s.header_font_val, ui.header_font_value);
    showFont(s.footer_font_val, ui.footer_font_value);
    ui.barcode_clr->setColor(s.barcode_clr_val);
    ui.bar_back_clr->setColor(s.barcode_back_clr_val);
    ui.bar_val_clr->setColor(s.barcode_val_clr_val);
    ui.bar_hdr_clr->setColor(s.barcode_hdr_clr_val);
    ui.bar_ftr_clr->setColor(s.barcode_ftr_clr_val);
    ui.DPI_ComboBox->setCurrentIndex(s.dpi_val_index);
    // The custom pair shows the stored custom resolution.
    bool customOk = false;
    const int custom = s.dpi_custom_val.trimmed().toInt(&customOk);
    setPair(ui.dpi_Text, ui.dpi_Stepper, customOk && custom >= kMinCustomDpi ? custom : 600);
    ui.dpi_custom_box->setVisible(s.resolutionTitle() == QLatin1String("Custom"));
    if (s.isTwoDimensional()) {
        two_d_barcode_Opt_Select();
    } else {
        Liner_Barcode_Opt_Select();
    }
    _setLabels();
    m_loading = false;
}

std::shared_ptr<SKTGraphic> Barcode_Gen::Open_Wnd(const std::shared_ptr<SKTGraphic>& graphic) {
    if (!graphic) {
        return graphic;
    }
    {
        LoadingFlag loading;
        Set_Barcode_Prop_To_Control(graphic);
        loadControls();
        // The stored series or column shows in its list (no message).
        fillBatchSeriesForSource(false);
    }
    // Cancel leaves no picture: the card picture and the object's settings
    // stay together.
    Barcode_output_image = CardPicture();
    goButtonActionPerformed();
    const int result = hooks::runModal(*this);
    hide();
    if (result == 1) {
        settings.writeTo(*graphic);
    }
    return graphic;
}

void Barcode_Gen::OK_Btn_Clicked() {
    // A value the symbology rejects keeps the window open.
    if (!Check_And_Validat_Barcode()) {
        return;
    }
    if (m_preview.isNull()) {
        goButtonActionPerformed();
    }
    if (m_preview.isNull()) {
        return;
    }
    Barcode_output_image = m_preview;
    done(1);
}

void Barcode_Gen::Cancel_Btn_Clicked() {
    Barcode_output_image = CardPicture();
    done(0);
}

void Barcode_Gen::reject() {
    Barcode_output_image = CardPicture();
    QDialog::reject();
}

bool Barcode_Gen::Check_And_Validat_Barcode() {
    m_ui->barcode_error_label->hide();
    if (!isValidValue(settings.currentValue())) {
        Set_Blank_Image();
        return false;
    }
    return true;
}

void Barcode_Gen::Set_Blank_Image() {
    m_image2d = CardPicture();
    m_preview = CardPicture();
    m_ui->barcodeImage->clear();
    m_ui->barcodeImage->setMinimumSize(0, 0);
    m_ui->barcode_error_label->show();
}

void Barcode_Gen::goButtonActionPerformed() {
    if (Not_Draw_Only_Prop_Change != 0) {
        return;
    }
    if (!Check_And_Validat_Barcode()) {
        m_testBarcode.reset();
        return;
    }
    const BarcodeBuild build = Generate_Barcode_Variable(settings, settings.currentValue(),
                                                         settings.header_val, settings.footer_val);
    m_testBarcode = build.linear;
    m_image2d = build.image2D;
    if (build.picture.isNull()) {
        m_testBarcode.reset();
        Set_Blank_Image();
        return;
    }
    Set_Barcode_On_Panel(build.picture);
}

void Barcode_Gen::redraw() {
    if (Not_Draw_Only_Prop_Change != 0) {
        return;
    }
    if (settings.isTwoDimensional()) {
        Get_2d_barcode_from_image();
    } else if (m_testBarcode) {
        goButtonActionPerformed();
    }
}

void Barcode_Gen::Get_2d_barcode_from_image() {
    if (m_image2d.isNull()) {
        Set_Blank_Image();
        return;
    }
    if (!settings.isTwoDimensional()) {
        return;
    }
    const CardPicture picture = imageFromBarcodeImage(
        m_image2d, frameFor2D(settings, m_image2d, settings.header_val, settings.footer_val),
        settings.style());
    if (picture.isNull()) {
        Set_Blank_Image();
        return;
    }
    Set_Barcode_On_Panel(picture);
}

void Barcode_Gen::Set_Barcode_On_Panel(const CardPicture& picture) {
    m_preview = picture;
    m_ui->barcode_error_label->hide();
    const qreal ratio = devicePixelRatioF();
    QPixmap pixmap = QPixmap::fromImage(picture.toImage(ratio));
    pixmap.setDevicePixelRatio(ratio);
    // Shown at its own size, never scaled; the scroll view scrolls a picture
    // larger than its area.
    QLabel* view = m_ui->barcodeImage;
    const QSizeF size = picture.size();
    view->setMinimumSize(int(std::ceil(size.width())), int(std::ceil(size.height())));
    view->setPixmap(pixmap);
}

void Barcode_Gen::setResolutionTabShown(bool shown) {
    QTabWidget* tabs = m_ui->sett_tab;
    if (shown && tabs->count() == 3 && dpi_tab_item) {
        tabs->insertTab(3, dpi_tab_item, m_dpiTabTitle);
    } else if (!shown && tabs->count() == 4) {
        tabs->removeTab(3);
    }
}

void Barcode_Gen::setLinearControlsShown(bool shown) {
    Ui::Barcode_Gen& ui = *m_ui;
    for (QWidget* widget :
         {static_cast<QWidget*>(ui.showinTopCheckbox), static_cast<QWidget*>(ui.captionCheckbox),
          static_cast<QWidget*>(ui.val_mar_Text), static_cast<QWidget*>(ui.val_mar_Stepper),
          static_cast<QWidget*>(ui.val_mar_lbl), static_cast<QWidget*>(ui.value_font_lbl),
          static_cast<QWidget*>(ui.value_font_btn), static_cast<QWidget*>(ui.value_font_value),
          static_cast<QWidget*>(ui.barcode_clr), static_cast<QWidget*>(ui.bar_clr_lbl),
          static_cast<QWidget*>(ui.bar_back_clr), static_cast<QWidget*>(ui.bar_back_clr_lbl),
          static_cast<QWidget*>(ui.bar_val_clr), static_cast<QWidget*>(ui.bar_val_clr_lbl),
          static_cast<QWidget*>(ui.linear_sett_box)}) {
        widget->setVisible(shown);
    }
}

void Barcode_Gen::Liner_Barcode_Opt_Select() {
    Ui::Barcode_Gen& ui = *m_ui;
    settings.liner_or_2D_font = 0;
    ui.dataText->setEnabled(true);
    ui.dataText->show();
    ui.dataText_2D->hide();
    setLinearControlsShown(true);
    ui.two_d_sett_box->hide();
    ui.pdf_2d_sett_box->hide();
    ui.dm_2d_sett_box->hide();
    setResolutionTabShown(false);
    ui.sett_tab->setCurrentIndex(0);
}

void Barcode_Gen::two_d_barcode_Opt_Select() {
    Ui::Barcode_Gen& ui = *m_ui;
    settings.liner_or_2D_font = 1;
    ui.dataText->setEnabled(false);
    ui.dataText->hide();
    ui.dataText_2D->show();
    setLinearControlsShown(false);
    setResolutionTabShown(true);
    const QString title = settings.symbologyTitle();
    ui.two_d_sett_box->setVisible(title == QLatin1String("QR Code"));
    ui.pdf_2d_sett_box->setVisible(title == QLatin1String("PDF417"));
    ui.dm_2d_sett_box->setVisible(title == QLatin1String("DataMatrix"));
}

void Barcode_Gen::_setLabels() {
    Ui::Barcode_Gen& ui = *m_ui;
    if (settings.isTwoDimensional()) {
        ui.barHeightLabel->setText(tr("Bar Height :"));
        ui.barWidthLabel->setText(tr("Bar Width :"));
    } else {
        ui.barHeightLabel->setText(tr("Bar Height (cm):"));
        ui.margin_box->setTitle(tr("Margins (cm)"));
        ui.barWidthLabel->setText(tr("Bar Width (Mils):"));
    }
}
