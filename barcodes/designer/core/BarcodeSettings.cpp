#include "barcodes/designer/core/BarcodeSettings.h"

#include "barcodes/designer/core/DesignerLists.h"
#include "editor/model/SKTGraphic.h"

float centimetresToPoints(float centimetres) {
    return static_cast<float>(centimetres * 0.393701 * 72.0);
}

QString BarcodeSettings::symbologyTitle() const {
    return DesignerLists::titleAt(DesignerLists::symbologies(), barcode_font_index);
}

QString BarcodeSettings::alignHeaderTitle() const {
    return DesignerLists::titleAt(DesignerLists::alignments(), align_hdr_index);
}

QString BarcodeSettings::alignFooterTitle() const {
    return DesignerLists::titleAt(DesignerLists::alignments(), align_ftr_index);
}

QString BarcodeSettings::resolutionTitle() const {
    return DesignerLists::titleAt(DesignerLists::resolutions(), dpi_val_index);
}

QString BarcodeSettings::dataMatrixFormatTitle() const {
    return DesignerLists::titleAt(DesignerLists::dataMatrixFormats(), dm_format_index);
}

QString BarcodeSettings::dataMatrixEncodingTitle() const {
    return DesignerLists::titleAt(DesignerLists::dataMatrixEncodings(), dm_encoding_index);
}

int BarcodeSettings::resolution() const {
    const QString title = resolutionTitle();
    if (title == QLatin1String("Custom")) {
        bool ok = false;
        const int value = dpi_custom_val.trimmed().toInt(&ok);
        // A custom value that never was typed ("0") or is out of range would
        // give a picture of no pixels: use the automatic resolution then.
        return ok && value >= kMinCustomDpi && value <= kMaxCustomDpi ? value : 600;
    }
    bool ok = false;
    const int value = title.toInt(&ok);
    return ok && value > 0 ? value : 600;
}

BarcodeStyle BarcodeSettings::style() const {
    BarcodeStyle style;
    style.value_font = value_font_val;
    style.header_font = header_font_val;
    style.footer_font = footer_font_val;
    style.value_margin = show_hide_val == 1 ? 0.0f : centimetresToPoints(val_margin_val);
    style.header_margin = show_hide_hdr == 1 ? 0.0f : centimetresToPoints(hdr_margin_val);
    style.footer_margin = show_hide_ftr == 1 ? 0.0f : centimetresToPoints(ftr_margin_val);
    style.LR_margin = centimetresToPoints(LR_margin_val);
    style.TB_margin = centimetresToPoints(TB_marging_val);
    style.barcode_clr = barcode_clr_val;
    style.bar_back_clr = barcode_back_clr_val;
    style.bar_val_clr = barcode_val_clr_val;
    style.bar_hdr_clr = barcode_hdr_clr_val;
    style.bar_ftr_clr = barcode_ftr_clr_val;
    style.align_hdr = alignHeaderTitle();
    style.align_ftr = alignFooterTitle();
    style.showInTop = show_val_on_top == 1;
    // The retail symbologies disable the kerning box.
    style.kerningValue = kerning_value && !DesignerLists::isRetail(symbologyTitle());
    return style;
}

BarcodeSettings BarcodeSettings::fromGraphic(const SKTGraphic& g, const BarcodeSettings& previous) {
    BarcodeSettings s = previous;
    s.liner_or_2D_font = g.linear_or_2d;
    s.barcode_font_index = g.barcode_font_index;
    s.linear_font_val = g.linear_font_val;
    s.two_d_font_val = g.two_d_font_val;
    s.header_val = g.header_val;
    s.footer_val = g.footer_val;
    s.show_hide_hdr = g.show_hide_hdr;
    s.show_hide_ftr = g.show_hide_ftr;
    s.show_hide_val = g.show_hide_val;
    s.show_val_on_top = g.show_val_on_top;
    s.align_hdr_index = g.align_hdr_index;
    s.align_ftr_index = g.align_ftr_index;
    s.linear_height_val = g.linear_height_val;
    s.linear_width_val = g.linear_width_val;
    s.qr_size_val = g.qr_size_val;
    s.qr_version_index = g.qr_version_index;
    s.qr_ec_index = g.qr_ec_index;
    s.pdf_hgt_val = g.pdf_hgt_val;
    s.pdf_wdt_val = g.pdf_wdt_val;
    s.pdf_ec_val = g.pdf_ec_val;
    s.dm_module_val = g.dm_module_val;
    s.dm_format_index = g.dm_format_index;
    s.dm_encoding_index = g.dm_encoding_index;
    s.hdr_margin_val = g.hdr_margin_val;
    s.ftr_margin_val = g.ftr_margin_val;
    s.val_margin_val = g.val_margin_val;
    s.TB_marging_val = g.TB_marging_val;
    s.LR_margin_val = g.LR_margin_val;
    s.value_font_val = g.value_font_val;
    s.header_font_val = g.header_font_val;
    s.footer_font_val = g.footer_font_val;
    s.barcode_clr_val = g.barcode_clr_val;
    s.barcode_back_clr_val = g.barcode_back_clr_val;
    s.barcode_val_clr_val = g.barcode_val_clr_val;
    s.barcode_hdr_clr_val = g.barcode_hdr_clr_val;
    s.barcode_ftr_clr_val = g.barcode_ftr_clr_val;
    s.dpi_val_index = g.dpi_val_index;
    // Restored too, so a reopened design renders at its own custom
    // resolution.
    s.dpi_custom_val = g.dpi_custom_val;
    s.data_source_type = g.data_source_type;
    s.batch_list_name = g.batch_list_name;
    s.batch_list_index = g.batch_list_index;
    return s;
}

void BarcodeSettings::writeTo(SKTGraphic& g) const {
    g.linear_or_2d = liner_or_2D_font;
    g.barcode_font_index = barcode_font_index;
    g.linear_font_val = linear_font_val;
    g.two_d_font_val = two_d_font_val;
    g.header_val = header_val;
    g.footer_val = footer_val;
    g.show_hide_hdr = show_hide_hdr;
    g.show_hide_ftr = show_hide_ftr;
    g.show_hide_val = show_hide_val;
    g.show_val_on_top = show_val_on_top;
    g.align_hdr_index = align_hdr_index;
    g.align_ftr_index = align_ftr_index;
    g.linear_height_val = linear_height_val;
    g.linear_width_val = linear_width_val;
    g.qr_size_val = qr_size_val;
    g.qr_version_index = qr_version_index;
    g.qr_ec_index = qr_ec_index;
    g.pdf_hgt_val = pdf_hgt_val;
    g.pdf_wdt_val = pdf_wdt_val;
    g.pdf_ec_val = pdf_ec_val;
    g.dm_module_val = dm_module_val;
    g.dm_format_index = dm_format_index;
    g.dm_encoding_index = dm_encoding_index;
    g.hdr_margin_val = hdr_margin_val;
    g.ftr_margin_val = ftr_margin_val;
    g.val_margin_val = val_margin_val;
    g.TB_marging_val = TB_marging_val;
    g.LR_margin_val = LR_margin_val;
    g.value_font_val = value_font_val;
    g.header_font_val = header_font_val;
    g.footer_font_val = footer_font_val;
    g.barcode_clr_val = barcode_clr_val;
    g.barcode_back_clr_val = barcode_back_clr_val;
    g.barcode_val_clr_val = barcode_val_clr_val;
    g.barcode_hdr_clr_val = barcode_hdr_clr_val;
    g.barcode_ftr_clr_val = barcode_ftr_clr_val;
    g.dpi_val_index = dpi_val_index;
    g.dpi_custom_val = dpi_custom_val;
}
