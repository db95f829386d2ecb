#pragma once
// The barcode designer's settings: the fields a barcode object exchanges with
// the designer, the titles its stored indexes stand for, and the designer's
// own boxes that are not stored with the object. A plain copyable record: the
// designer window edits one, rendering reads one, never a widget.

#include "barcodes/BarcodeStyle.h"

#include <QColor>
#include <QFont>
#include <QString>

class SKTGraphic;

struct BarcodeSettings {
    // ---- Exchanged with the object (written back on OK) ----
    int liner_or_2D_font = 0; // 0 linear, 1 two-dimensional
    int barcode_font_index = 0;
    QString linear_font_val = QStringLiteral("0123");
    QString two_d_font_val = QStringLiteral("0123");
    QString header_val = QStringLiteral("HEADER");
    QString footer_val = QStringLiteral("FOOTER");
    int show_hide_hdr = 0; // 1 hides the header
    int show_hide_ftr = 0; // 1 hides the footer
    int show_hide_val = 0; // 1 hides the value text
    int show_val_on_top = 0;
    int align_hdr_index = 1;
    int align_ftr_index = 1;
    float linear_height_val = 0.6f; // centimetres
    float linear_width_val = 20.0f; // mils
    int qr_size_val = 60;
    int qr_version_index = 0;
    int qr_ec_index = 0;
    int pdf_hgt_val = 20;
    int pdf_wdt_val = 100;
    int pdf_ec_val = 2;
    int dm_module_val = 2;
    int dm_format_index = 0;
    int dm_encoding_index = 0;
    float hdr_margin_val = 0.1f; // centimetres, like every margin
    float ftr_margin_val = 0.1f;
    float val_margin_val = 0.1f;
    float TB_marging_val = 0.1f;
    float LR_margin_val = 0.1f;
    QFont value_font_val = BarcodeStyle::defaultFont();
    QFont header_font_val = BarcodeStyle::defaultFont();
    QFont footer_font_val = BarcodeStyle::defaultFont();
    QColor barcode_clr_val = Qt::black;
    QColor barcode_back_clr_val = Qt::white;
    QColor barcode_val_clr_val = Qt::black;
    QColor barcode_hdr_clr_val = Qt::black;
    QColor barcode_ftr_clr_val = Qt::black;
    int dpi_val_index = 0;
    QString dpi_custom_val = QStringLiteral("0");

    // ---- Written into the object at once by the window, loaded here ----
    int data_source_type = 0;
    QString batch_list_name;
    int batch_list_index = 0;

    // ---- The designer's own boxes, kept between objects ----
    bool kerning_value = false;

    // ---- Titles of the stored indexes ("" for an index outside its list) ----
    QString symbologyTitle() const;
    QString alignHeaderTitle() const;
    QString alignFooterTitle() const;
    QString resolutionTitle() const;
    QString dataMatrixFormatTitle() const;
    QString dataMatrixEncodingTitle() const;

    // The value of the current kind (2D text or linear text).
    QString currentValue() const {
        return liner_or_2D_font != 0 ? two_d_font_val : linear_font_val;
    }
    bool isTwoDimensional() const { return liner_or_2D_font != 0; }

    // The resolution of 2D pictures these settings ask for: 600 for "Auto",
    // the custom value (72 to 2400; 600 when it does not read) for "Custom",
    // else the title's number.
    int resolution() const;

    // The style every picture of these settings is drawn with: fonts,
    // colours, alignment titles, value-on-top and kerning boxes, and the
    // margins in points (a hidden text's margin counts 0).
    BarcodeStyle style() const;

    // Loads every exchanged field, the data source and the series binding
    // from the object.
    static BarcodeSettings fromGraphic(const SKTGraphic& graphic, const BarcodeSettings& previous);
    // Writes the 38 exchanged settings into the object (not the data source
    // nor the series binding, which the window writes at once).
    void writeTo(SKTGraphic& graphic) const;

    bool operator==(const BarcodeSettings&) const = default;
};

// Centimetres to points (x 0.393701 x 72).
float centimetresToPoints(float centimetres);
// Custom resolutions the designer accepts.
inline constexpr int kMinCustomDpi = 72;
inline constexpr int kMaxCustomDpi = 2400;
