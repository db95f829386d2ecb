// The keyed archive of a card object: 93 keys, each named after the record
// field it carries, always written in the same order. Reading starts from the
// `init` defaults and takes each key that is present with the right kind of
// value, so an archive from an older or foreign file never hides an object
// or makes it transparent.

#include "editor/model/SKTBarcode.h"
#include "editor/model/SKTGraphic.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTLine.h"
#include "editor/model/SKTSignature.h"
#include "editor/model/SKTText.h"
#include "editor/model/Shape_Control.h"
#include "platform/KeyedUnarchiver.h"

#include <mutex>

using namespace Qt::Literals::StringLiterals;

QStringList SKTGraphic::archiveClassChain() const {
    if (className() == QLatin1String("SKTGraphic")) {
        return {className()};
    }
    return {className(), QStringLiteral("SKTGraphic")};
}

void SKTGraphic::encodeWithCoder(KeyedArchiver& coder) const {
    coder.encodeRect(u"_bounds"_s, _bounds);
    coder.encodeBool(u"ctrl_is_locked"_s, ctrl_is_locked);
    coder.encodeBool(u"_isDrawingFill"_s, _isDrawingFill);
    coder.encodeColor(u"_fillColor"_s, _fillColor);
    coder.encodeBool(u"_isDrawingStroke"_s, _isDrawingStroke);
    coder.encodeColor(u"_strokeColor"_s, _strokeColor);
    coder.encodeFloat(u"_strokeWidth"_s, static_cast<float>(_strokeWidth));
    coder.encodeString(u"_stroke_border_type"_s, _stroke_border_type);
    coder.encodeString(u"_fill_type"_s, _fill_type);
    coder.encodeColor(u"_fill_Grad_clr1"_s, _fill_Grad_clr1);
    coder.encodeColor(u"_fill_Grad_clr2"_s, _fill_Grad_clr2);
    coder.encodeFloat(u"_fill_grad_angle"_s, static_cast<float>(_fill_grad_angle));
    coder.encodeColor(u"_fill_htch_clr"_s, _fill_htch_clr);
    coder.encodeString(u"_fill_hatch_type"_s, _fill_hatch_type);
    coder.encodeBool(u"_isFlippedHorizontally"_s, _isFlippedHorizontally);
    coder.encodeBool(u"_isFlippedVertically"_s, _isFlippedVertically);
    coder.encodeBool(u"invert_clr"_s, invert_clr);
    coder.encodeBool(u"gray_Scale"_s, gray_Scale);
    coder.encodeBool(u"Sepia"_s, Sepia);
    coder.encodeFloat(u"img_trnsp_val"_s, img_trnsp_val);
    coder.encodeFloat(u"hue_val"_s, hue_val);
    coder.encodeFloat(u"sat_val"_s, sat_val);
    coder.encodeFloat(u"brt_val"_s, brt_val);
    coder.encodeFloat(u"con_val"_s, con_val);
    coder.encodeFloat(u"srp_val"_s, srp_val);
    coder.encodeFloat(u"ev_val"_s, ev_val);
    coder.encodeFloat(u"blr_val"_s, blr_val);
    coder.encodeInt32(u"data_source_type"_s, data_source_type);
    coder.encodeFloat(u"rotate_image"_s, rotate_image);
    coder.encodeString(u"_file_path"_s, _file_path);
    coder.encodeString(u"sign_or_fingureprint"_s, sign_or_fingureprint);
    coder.encodeString(u"batch_list_name"_s, batch_list_name);
    coder.encodeInt32(u"batch_list_index"_s, batch_list_index);
    coder.encodeInt32(u"_line_ori"_s, _line_ori);
    coder.encodeInt32(u"_line_cap_style"_s, _line_cap_style);
    coder.encodeFloat(u"alpha_val"_s, alpha_val);
    coder.encodeFloat(u"alpha_val_stroke"_s, alpha_val_stroke);
    coder.encodeFont(u"text_ctrl_font"_s, text_ctrl_font);
    coder.encodeColor(u"txt_clr"_s, txt_clr);
    if (_Text_contents) {
        coder.encodeStyledText(u"_Text_contents"_s, *_Text_contents);
    } else {
        coder.encodeNull(u"_Text_contents"_s);
    }
    coder.encodeString(u"_shape_type"_s, _shape_type);
    coder.encodeFloat(u"cor_rad_val_val"_s, cor_rad_val_val);
    coder.encodePicture(u"_barcode_image"_s, _barcode_image);
    coder.encodeInt32(u"linear_or_2d"_s, linear_or_2d);
    coder.encodeInt32(u"barcode_font_index"_s, barcode_font_index);
    coder.encodeString(u"linear_font_val"_s, linear_font_val);
    coder.encodeString(u"two_d_font_val"_s, two_d_font_val);
    coder.encodeString(u"header_val"_s, header_val);
    coder.encodeString(u"footer_val"_s, footer_val);
    coder.encodeInt32(u"show_hide_hdr"_s, show_hide_hdr);
    coder.encodeInt32(u"show_hide_ftr"_s, show_hide_ftr);
    coder.encodeInt32(u"show_hide_val"_s, show_hide_val);
    coder.encodeInt32(u"show_val_on_top"_s, show_val_on_top);
    coder.encodeInt32(u"align_hdr_index"_s, align_hdr_index);
    coder.encodeInt32(u"align_ftr_index"_s, align_ftr_index);
    coder.encodeFloat(u"linear_height_val"_s, linear_height_val);
    coder.encodeFloat(u"linear_width_val"_s, linear_width_val);
    coder.encodeInt32(u"qr_size_val"_s, qr_size_val);
    coder.encodeInt32(u"qr_version_index"_s, qr_version_index);
    coder.encodeInt32(u"qr_ec_index"_s, qr_ec_index);
    coder.encodeInt32(u"pdf_hgt_val"_s, pdf_hgt_val);
    coder.encodeInt32(u"pdf_wdt_val"_s, pdf_wdt_val);
    coder.encodeInt32(u"pdf_ec_val"_s, pdf_ec_val);
    coder.encodeInt32(u"dm_module_val"_s, dm_module_val);
    coder.encodeInt32(u"dm_format_index"_s, dm_format_index);
    coder.encodeInt32(u"dm_encoding_index"_s, dm_encoding_index);
    coder.encodeFloat(u"hdr_margin_val"_s, hdr_margin_val);
    coder.encodeFloat(u"ftr_margin_val"_s, ftr_margin_val);
    coder.encodeFloat(u"val_margin_val"_s, val_margin_val);
    coder.encodeFloat(u"TB_marging_val"_s, TB_marging_val);
    coder.encodeFloat(u"LR_margin_val"_s, LR_margin_val);
    coder.encodeFont(u"value_font_val"_s, value_font_val);
    coder.encodeFont(u"header_font_val"_s, header_font_val);
    coder.encodeFont(u"footer_font_val"_s, footer_font_val);
    coder.encodeColor(u"barcode_hdr_clr_val"_s, barcode_hdr_clr_val);
    coder.encodeColor(u"barcode_ftr_clr_val"_s, barcode_ftr_clr_val);
    coder.encodeColor(u"barcode_val_clr_val"_s, barcode_val_clr_val);
    coder.encodeColor(u"barcode_back_clr_val"_s, barcode_back_clr_val);
    coder.encodeColor(u"barcode_clr_val"_s, barcode_clr_val);
    coder.encodeInt32(u"dpi_val_index"_s, dpi_val_index);
    coder.encodeString(u"dpi_custom_val"_s, dpi_custom_val);
    coder.encodeInt32(u"barcode_unit_val"_s, barcode_unit_val);
    coder.encodeInt32(u"text_alignmnet"_s, text_alignmnet);
    coder.encodeInt32(u"text_transfrom_case"_s, text_transfrom_case);
    coder.encodeFloat(u"text_kerning"_s, text_kerning);
    coder.encodeInt32(u"print_object"_s, print_object);
    coder.encodeString(u"control_ID"_s, control_ID);
    coder.encodeBool(u"excel_binding"_s, excel_binding);
    coder.encodeInt32(u"excel_col_indx"_s, excel_col_indx);
    coder.encodeString(u"Text_Value"_s, Text_Value);
    coder.encodeBool(u"ctrl_is_visible"_s, ctrl_is_visible);
    coder.encodeInt32(u"double_star_type"_s, double_star_type);
    coder.encodeInt32(u"polygon_type"_s, polygon_type);
}

namespace {

template <typename T, typename Decoded> void take(T& field, const Decoded& decoded) {
    if (decoded) {
        field = static_cast<T>(*decoded);
    }
}

} // namespace

void SKTGraphic::initWithCoder(const KeyedUnarchiver& c) {
    take(_bounds, c.decodeRect(u"_bounds"_s));
    take(ctrl_is_locked, c.decodeBool(u"ctrl_is_locked"_s));
    take(_isDrawingFill, c.decodeBool(u"_isDrawingFill"_s));
    take(_fillColor, c.decodeColor(u"_fillColor"_s));
    take(_isDrawingStroke, c.decodeBool(u"_isDrawingStroke"_s));
    take(_strokeColor, c.decodeColor(u"_strokeColor"_s));
    take(_strokeWidth, c.decodeFloat(u"_strokeWidth"_s));
    take(_stroke_border_type, c.decodeString(u"_stroke_border_type"_s));
    take(_fill_type, c.decodeString(u"_fill_type"_s));
    take(_fill_Grad_clr1, c.decodeColor(u"_fill_Grad_clr1"_s));
    take(_fill_Grad_clr2, c.decodeColor(u"_fill_Grad_clr2"_s));
    take(_fill_grad_angle, c.decodeFloat(u"_fill_grad_angle"_s));
    take(_fill_htch_clr, c.decodeColor(u"_fill_htch_clr"_s));
    take(_fill_hatch_type, c.decodeString(u"_fill_hatch_type"_s));
    take(_isFlippedHorizontally, c.decodeBool(u"_isFlippedHorizontally"_s));
    take(_isFlippedVertically, c.decodeBool(u"_isFlippedVertically"_s));
    take(invert_clr, c.decodeBool(u"invert_clr"_s));
    take(gray_Scale, c.decodeBool(u"gray_Scale"_s));
    take(Sepia, c.decodeBool(u"Sepia"_s));
    take(img_trnsp_val, c.decodeFloat(u"img_trnsp_val"_s));
    take(hue_val, c.decodeFloat(u"hue_val"_s));
    take(sat_val, c.decodeFloat(u"sat_val"_s));
    take(brt_val, c.decodeFloat(u"brt_val"_s));
    take(con_val, c.decodeFloat(u"con_val"_s));
    take(srp_val, c.decodeFloat(u"srp_val"_s));
    take(ev_val, c.decodeFloat(u"ev_val"_s));
    take(blr_val, c.decodeFloat(u"blr_val"_s));
    take(data_source_type, c.decodeInt32(u"data_source_type"_s));
    take(rotate_image, c.decodeFloat(u"rotate_image"_s));
    take(_file_path, c.decodeString(u"_file_path"_s));
    take(sign_or_fingureprint, c.decodeString(u"sign_or_fingureprint"_s));
    take(batch_list_name, c.decodeString(u"batch_list_name"_s));
    take(batch_list_index, c.decodeInt32(u"batch_list_index"_s));
    take(_line_ori, c.decodeInt32(u"_line_ori"_s));
    take(_line_cap_style, c.decodeInt32(u"_line_cap_style"_s));
    take(alpha_val, c.decodeFloat(u"alpha_val"_s));
    take(alpha_val_stroke, c.decodeFloat(u"alpha_val_stroke"_s));
    take(text_ctrl_font, c.decodeFont(u"text_ctrl_font"_s));
    take(txt_clr, c.decodeColor(u"txt_clr"_s));
    if (c.isNullForKey(u"_Text_contents"_s)) {
        _Text_contents.reset();
    } else if (auto text = c.decodeStyledText(u"_Text_contents"_s)) {
        _Text_contents = std::move(*text);
    }
    take(_shape_type, c.decodeString(u"_shape_type"_s));
    take(cor_rad_val_val, c.decodeFloat(u"cor_rad_val_val"_s));
    take(_barcode_image, c.decodePicture(u"_barcode_image"_s));
    take(linear_or_2d, c.decodeInt32(u"linear_or_2d"_s));
    take(barcode_font_index, c.decodeInt32(u"barcode_font_index"_s));
    take(linear_font_val, c.decodeString(u"linear_font_val"_s));
    take(two_d_font_val, c.decodeString(u"two_d_font_val"_s));
    take(header_val, c.decodeString(u"header_val"_s));
    take(footer_val, c.decodeString(u"footer_val"_s));
    take(show_hide_hdr, c.decodeInt32(u"show_hide_hdr"_s));
    take(show_hide_ftr, c.decodeInt32(u"show_hide_ftr"_s));
    take(show_hide_val, c.decodeInt32(u"show_hide_val"_s));
    take(show_val_on_top, c.decodeInt32(u"show_val_on_top"_s));
    take(align_hdr_index, c.decodeInt32(u"align_hdr_index"_s));
    take(align_ftr_index, c.decodeInt32(u"align_ftr_index"_s));
    take(linear_height_val, c.decodeFloat(u"linear_height_val"_s));
    take(linear_width_val, c.decodeFloat(u"linear_width_val"_s));
    take(qr_size_val, c.decodeInt32(u"qr_size_val"_s));
    take(qr_version_index, c.decodeInt32(u"qr_version_index"_s));
    take(qr_ec_index, c.decodeInt32(u"qr_ec_index"_s));
    take(pdf_hgt_val, c.decodeInt32(u"pdf_hgt_val"_s));
    take(pdf_wdt_val, c.decodeInt32(u"pdf_wdt_val"_s));
    take(pdf_ec_val, c.decodeInt32(u"pdf_ec_val"_s));
    take(dm_module_val, c.decodeInt32(u"dm_module_val"_s));
    take(dm_format_index, c.decodeInt32(u"dm_format_index"_s));
    take(dm_encoding_index, c.decodeInt32(u"dm_encoding_index"_s));
    take(hdr_margin_val, c.decodeFloat(u"hdr_margin_val"_s));
    take(ftr_margin_val, c.decodeFloat(u"ftr_margin_val"_s));
    take(val_margin_val, c.decodeFloat(u"val_margin_val"_s));
    take(TB_marging_val, c.decodeFloat(u"TB_marging_val"_s));
    take(LR_margin_val, c.decodeFloat(u"LR_margin_val"_s));
    take(value_font_val, c.decodeFont(u"value_font_val"_s));
    take(header_font_val, c.decodeFont(u"header_font_val"_s));
    take(footer_font_val, c.decodeFont(u"footer_font_val"_s));
    take(barcode_hdr_clr_val, c.decodeColor(u"barcode_hdr_clr_val"_s));
    take(barcode_ftr_clr_val, c.decodeColor(u"barcode_ftr_clr_val"_s));
    take(barcode_val_clr_val, c.decodeColor(u"barcode_val_clr_val"_s));
    take(barcode_back_clr_val, c.decodeColor(u"barcode_back_clr_val"_s));
    take(barcode_clr_val, c.decodeColor(u"barcode_clr_val"_s));
    take(dpi_val_index, c.decodeInt32(u"dpi_val_index"_s));
    take(dpi_custom_val, c.decodeString(u"dpi_custom_val"_s));
    take(barcode_unit_val, c.decodeInt32(u"barcode_unit_val"_s));
    take(text_alignmnet, c.decodeInt32(u"text_alignmnet"_s));
    take(text_transfrom_case, c.decodeInt32(u"text_transfrom_case"_s));
    take(text_kerning, c.decodeFloat(u"text_kerning"_s));
    take(print_object, c.decodeInt32(u"print_object"_s));
    take(control_ID, c.decodeString(u"control_ID"_s));
    take(excel_binding, c.decodeBool(u"excel_binding"_s));
    take(excel_col_indx, c.decodeInt32(u"excel_col_indx"_s));
    take(Text_Value, c.decodeString(u"Text_Value"_s));
    take(ctrl_is_visible, c.decodeBool(u"ctrl_is_visible"_s));
    take(double_star_type, c.decodeInt32(u"double_star_type"_s));
    take(polygon_type, c.decodeInt32(u"polygon_type"_s));
}

QByteArray SKTGraphic::archivedData() const {
    return KeyedArchiver::archivedData(*this);
}

namespace {

template <typename T> void registerGraphicClass() {
    const QString name = T().className();
    KeyedClassRegistry::registerClass(
        name, [](const KeyedUnarchiver& coder) -> std::shared_ptr<KeyedArchivable> {
            auto graphic = std::make_shared<T>();
            graphic->initWithCoder(coder);
            return graphic;
        });
}

} // namespace

void SKTGraphic::registerArchiveClasses() {
    static std::once_flag once;
    std::call_once(once, [] {
        registerGraphicClass<SKTGraphic>();
        registerGraphicClass<SKTText>();
        registerGraphicClass<SKTImage>();
        registerGraphicClass<SKTLine>();
        registerGraphicClass<Shape_Control>();
        registerGraphicClass<SKTSignature>();
        registerGraphicClass<SKTBarcode>();
    });
}

std::shared_ptr<SKTGraphic> SKTGraphic::graphicWithArchivedData(const QByteArray& data,
                                                                QString* reason) {
    registerArchiveClasses();
    auto coder = KeyedUnarchiver::fromData(data, reason);
    if (!coder) {
        return nullptr;
    }
    auto object = coder->decodeRootObject(reason);
    auto graphic = std::dynamic_pointer_cast<SKTGraphic>(object);
    if (!graphic && object && reason) {
        *reason = QStringLiteral("the archive's root is not a card object");
    }
    return graphic;
}
