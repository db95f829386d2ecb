#pragma once
// The barcode designer window: edits a barcode object's settings with a live
// preview. The settings live in the record of the widget-free designer this
// class derives from; the controls edit that record, and every picture is
// made from it. One instance exists for the run (made by main()); it stays
// hidden between uses and is published in Barcode_Gen_Var.

#include "barcodes/designer/core/BarcodeDesigner.h"

#include <QDialog>
#include <QFont>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

namespace Ui {
class Barcode_Gen;
}
class CardStepper;
class QComboBox;
class QLineEdit;
class QWidget;

class Barcode_Gen : public QDialog, public BarcodeDesigner {
    Q_OBJECT

public:
    // The one instance (none before main() made it).
    static Barcode_Gen* defaultInstance();

    explicit Barcode_Gen(QWidget* parent = nullptr);
    ~Barcode_Gen() override;

    // Loads the object's settings, runs the window modally and, on OK,
    // writes the settings back into the object. OK leaves the picture in
    // Barcode_output_image, Cancel leaves it empty. Answers the object.
    std::shared_ptr<SKTGraphic> Open_Wnd(const std::shared_ptr<SKTGraphic>& graphic);

    // Chooses a font for the font buttons; replaceable so tests choose
    // without a panel. Answers none when the user cancelled.
    using FontChooser = std::function<std::optional<QFont>(const QFont& current)>;
    static void setFontChooser(FontChooser chooser);

    // Opens a series in the series viewer (the viewer comes later: the name
    // is logged for now).
    static void View_Data_Series(const QString& file_name);

    // ---- Actions ----
    void OK_Btn_Clicked();
    void Cancel_Btn_Clicked();
    void goButtonActionPerformed();
    void Encode_btn() { goButtonActionPerformed(); }
    bool Check_And_Validat_Barcode();
    void Set_Blank_Image();

    // ---- Control handlers ----
    void barcodeTypeChanged();
    void comboBoxSelectionDidChange(QComboBox* combo);
    void valueTextChanged();
    void value2DTextChanged();
    void headerFooterTextChanged();
    void heightChanged();
    void widthChanged();
    void pdf_heightChanged();
    void PDF_Row_Changed();
    void PDF_Col_Changed();
    void PDF_EC_Lvl_Changed();
    void dm_widthChanged();
    void dm_heightChanged();
    void dm_modulesizeChanged();
    void Value_Margin_Changed();
    void Header_Margin_Changed();
    void Footer_Margin_Changed();
    void TB_Margin_Changed();
    void LR_Margin_Changed();
    void captionChanged();
    void showinTopChanged();
    void hideHeaderChanged();
    void hideFooterChanged();
    void kerningChanged();
    void Header_Color_Changed();
    void DPI_Value_Changed();
    void View_batch_Series_Button();
    void Value_Font_Changed();
    void Header_Font_Changed();
    void Footer_Font_Changed();

    // ---- Help buttons ----
    void QR_Version_Help_Btn();
    void QR_EC_Lvl_Help_Btn();
    void PDF_row_Help_btn();
    void PDF_col_Help_btn();
    void PDF_ec_lvl_Help_btn();
    void DM_format_Help_btn();
    void DM_Encoding_Help_btn();
    void DPI_Help_Label();

    // ---- Panels, labels and size rules ----
    void Liner_Barcode_Opt_Select();
    void two_d_barcode_Opt_Select();
    void _setLabels();
    void Check_And_Set_QR_size_Acc_Version(int versionIndex);
    void data_matrix_barcode_size_acc_format();

    // ---- State the tests and the main window read ----
    Ui::Barcode_Gen& ui() const { return *m_ui; }
    // The picture the preview shows (none when blank).
    CardPicture previewPicture() const { return m_preview; }
    std::shared_ptr<NKDBarcode> testBarcode() const { return m_testBarcode; }
    CardPicture image_2d() const { return m_image2d; }

protected:
    void reject() override; // closing the window cancels

private:
    void awakeFromNib();
    void connectControls();
    // Record -> controls (no handler runs).
    void loadControls();
    void showFont(const QFont& font, QWidget* label);
    void setPair(QLineEdit* field, CardStepper* stepper, double value);
    // Redraw without encoding again: the linear symbol or the last 2D
    // symbol with the record's texts, margins and colours.
    void redraw();
    void Get_2d_barcode_from_image();
    void Set_Barcode_On_Panel(const CardPicture& picture);
    void fillBatchSeriesForSource(bool withMessage);
    void batchSeriesChosen();
    void dataSourceChosen();
    void resolutionChosen();
    void openHelp(const QString& title, const QString& text);
    void chooseFont(QFont& font, QWidget* label);
    // The controls only linear symbologies have: value text, fonts, colours.
    void setLinearControlsShown(bool shown);
    void setResolutionTabShown(bool shown);

    std::unique_ptr<Ui::Barcode_Gen> m_ui;
    QPointer<QWidget> dpi_tab_item; // the resolution tab while taken out
    QString m_dpiTabTitle;
    std::shared_ptr<NKDBarcode> m_testBarcode;
    CardPicture m_image2d;
    CardPicture m_preview;
    bool m_loading = false;
};
