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

QStringList SKTGraphic::archiveClassChain() const {
    if (className() == QLatin1String("SKTGraphic")) {
        return {className()};
    }
    return {className(), QStringLiteral("SKTGraphic")};
}

void SKTGraphic::encodeWithCoder(KeyedArchiver& coder) const {
    coder.encodeRect("_bounds", _bounds);
    coder.encodeBool("ctrl_is_locked", ctrl_is_locked);
    coder.encodeBool("_isDrawingFill", _isDrawingFill);
    coder.encodeColor("_fillColor", _fillColor);
    coder.encodeBool("_isDrawingStroke", _isDrawingStroke);
    coder.encodeColor("_strokeColor", _strokeColor);
    coder.encodeFloat("_strokeWidth", static_cast<float>(_strokeWidth));
    coder.encodeString("_stroke_border_type", _stroke_border_type);
    coder.encodeString("_fill_type", _fill_type);
    coder.encodeColor("_fill_Grad_clr1", _fill_Grad_clr1);
    coder.encodeColor("_fill_Grad_clr2", _fill_Grad_clr2);
    coder.encodeFloat("_fill_grad_angle", static_cast<float>(_fill_grad_angle));
    coder.encodeColor("_fill_htch_clr", _fill_htch_clr);
    coder.encodeString("_fill_hatch_type", _fill_hatch_type);
    coder.encodeBool("_isFlippedHorizontally", _isFlippedHorizontally);
    coder.encodeBool("_isFlippedVertically", _isFlippedVertically);
    coder.encodeBool("invert_clr", invert_clr);
    coder.encodeBool("gray_Scale", gray_Scale);
    coder.encodeBool("Sepia", Sepia);
    coder.encodeFloat("img_trnsp_val", img_trnsp_val);
    coder.encodeFloat("hue_val", hue_val);
    coder.encodeFloat("sat_val", sat_val);
    coder.encodeFloat("brt_val", brt_val);
    coder.encodeFloat("con_val", con_val);
    coder.encodeFloat("srp_val", srp_val);
    coder.encodeFloat("ev_val", ev_val);
    coder.encodeFloat("blr_val", blr_val);
    coder.encodeInt32("data_source_type", data_source_type);
    coder.encodeFloat("rotate_image", rotate_image);
    coder.encodeString("_file_path", _file_path);
    coder.encodeString("sign_or_fingureprint", sign_or_fingureprint);
    coder.encodeString("batch_list_name", batch_list_name);
    coder.encodeInt32("batch_list_index", batch_list_index);
    coder.encodeInt32("_line_ori", _line_ori);
    coder.encodeInt32("_line_cap_style", _line_cap_style);
    coder.encodeFloat("alpha_val", alpha_val);
    coder.encodeFloat("alpha_val_stroke", alpha_val_stroke);
    coder.encodeFont("text_ctrl_font", text_ctrl_font);
    coder.encodeColor("txt_clr", txt_clr);
    if (_Text_contents) {
        coder.encodeStyledText("_Text_contents", *_Text_contents);
    } else {
        coder.encodeNull("_Text_contents");
    }
    coder.encodeString("_shape_type", _shape_type);
    coder.encodeFloat("cor_rad_val_val", cor_rad_val_val);
    coder.encodePicture("_barcode_image", _barcode_image);
    coder.encodeInt32("linear_or_2d", linear_or_2d);
    coder.encodeInt32("barcode_font_index", barcode_font_index);
    coder.encodeString("linear_font_val", linear_font_val);
    coder.encodeString("two_d_font_val", two_d_font_val);
    coder.encodeString("header_val", header_val);
    coder.encodeString("footer_val", footer_val);
    coder.encodeInt32("show_hide_hdr", show_hide_hdr);
    coder.encodeInt32("show_hide_ftr", show_hide_ftr);
    coder.encodeInt32("show_hide_val", show_hide_val);
    coder.encodeInt32("show_val_on_top", show_val_on_top);
    coder.encodeInt32("align_hdr_index", align_hdr_index);
    coder.encodeInt32("align_ftr_index", align_ftr_index);
    coder.encodeFloat("linear_height_val", linear_height_val);
    coder.encodeFloat("linear_width_val", linear_width_val);
    coder.encodeInt32("qr_size_val", qr_size_val);
    coder.encodeInt32("qr_version_index", qr_version_index);
    coder.encodeInt32("qr_ec_index", qr_ec_index);
    coder.encodeInt32("pdf_hgt_val", pdf_hgt_val);
    coder.encodeInt32("pdf_wdt_val", pdf_wdt_val);
    coder.encodeInt32("pdf_ec_val", pdf_ec_val);
    coder.encodeInt32("dm_module_val", dm_module_val);
    coder.encodeInt32("dm_format_index", dm_format_index);
    coder.encodeInt32("dm_encoding_index", dm_encoding_index);
    coder.encodeFloat("hdr_margin_val", hdr_margin_val);
    coder.encodeFloat("ftr_margin_val", ftr_margin_val);
    coder.encodeFloat("val_margin_val", val_margin_val);
    coder.encodeFloat("TB_marging_val", TB_marging_val);
    coder.encodeFloat("LR_margin_val", LR_margin_val);
    coder.encodeFont("value_font_val", value_font_val);
    coder.encodeFont("header_font_val", header_font_val);
    coder.encodeFont("footer_font_val", footer_font_val);
    coder.encodeColor("barcode_hdr_clr_val", barcode_hdr_clr_val);
    coder.encodeColor("barcode_ftr_clr_val", barcode_ftr_clr_val);
    coder.encodeColor("barcode_val_clr_val", barcode_val_clr_val);
    coder.encodeColor("barcode_back_clr_val", barcode_back_clr_val);
    coder.encodeColor("barcode_clr_val", barcode_clr_val);
    coder.encodeInt32("dpi_val_index", dpi_val_index);
    coder.encodeString("dpi_custom_val", dpi_custom_val);
    coder.encodeInt32("barcode_unit_val", barcode_unit_val);
    coder.encodeInt32("text_alignmnet", text_alignmnet);
    coder.encodeInt32("text_transfrom_case", text_transfrom_case);
    coder.encodeFloat("text_kerning", text_kerning);
    coder.encodeInt32("print_object", print_object);
    coder.encodeString("control_ID", control_ID);
    coder.encodeBool("excel_binding", excel_binding);
    coder.encodeInt32("excel_col_indx", excel_col_indx);
    coder.encodeString("Text_Value", Text_Value);
    coder.encodeBool("ctrl_is_visible", ctrl_is_visible);
    coder.encodeInt32("double_star_type", double_star_type);
    coder.encodeInt32("polygon_type", polygon_type);
}

namespace {

template <typename T, typename Decoded> void take(T& field, const Decoded& decoded) {
    if (decoded) {
        field = static_cast<T>(*decoded);
    }
}

} // namespace

void SKTGraphic::initWithCoder(const KeyedUnarchiver& c) {
    take(_bounds, c.decodeRect("_bounds"));
    take(ctrl_is_locked, c.decodeBool("ctrl_is_locked"));
    take(_isDrawingFill, c.decodeBool("_isDrawingFill"));
    take(_fillColor, c.decodeColor("_fillColor"));
    take(_isDrawingStroke, c.decodeBool("_isDrawingStroke"));
    take(_strokeColor, c.decodeColor("_strokeColor"));
    take(_strokeWidth, c.decodeFloat("_strokeWidth"));
    take(_stroke_border_type, c.decodeString("_stroke_border_type"));
    take(_fill_type, c.decodeString("_fill_type"));
    take(_fill_Grad_clr1, c.decodeColor("_fill_Grad_clr1"));
    take(_fill_Grad_clr2, c.decodeColor("_fill_Grad_clr2"));
    take(_fill_grad_angle, c.decodeFloat("_fill_grad_angle"));
    take(_fill_htch_clr, c.decodeColor("_fill_htch_clr"));
    take(_fill_hatch_type, c.decodeString("_fill_hatch_type"));
    take(_isFlippedHorizontally, c.decodeBool("_isFlippedHorizontally"));
    take(_isFlippedVertically, c.decodeBool("_isFlippedVertically"));
    take(invert_clr, c.decodeBool("invert_clr"));
    take(gray_Scale, c.decodeBool("gray_Scale"));
    take(Sepia, c.decodeBool("Sepia"));
    take(img_trnsp_val, c.decodeFloat("img_trnsp_val"));
    take(hue_val, c.decodeFloat("hue_val"));
    take(sat_val, c.decodeFloat("sat_val"));
    take(brt_val, c.decodeFloat("brt_val"));
    take(con_val, c.decodeFloat("con_val"));
    take(srp_val, c.decodeFloat("srp_val"));
    take(ev_val, c.decodeFloat("ev_val"));
    take(blr_val, c.decodeFloat("blr_val"));
    take(data_source_type, c.decodeInt32("data_source_type"));
    take(rotate_image, c.decodeFloat("rotate_image"));
    take(_file_path, c.decodeString("_file_path"));
    take(sign_or_fingureprint, c.decodeString("sign_or_fingureprint"));
    take(batch_list_name, c.decodeString("batch_list_name"));
    take(batch_list_index, c.decodeInt32("batch_list_index"));
    take(_line_ori, c.decodeInt32("_line_ori"));
    take(_line_cap_style, c.decodeInt32("_line_cap_style"));
    take(alpha_val, c.decodeFloat("alpha_val"));
    take(alpha_val_stroke, c.decodeFloat("alpha_val_stroke"));
    take(text_ctrl_font, c.decodeFont("text_ctrl_font"));
    take(txt_clr, c.decodeColor("txt_clr"));
    if (c.isNullForKey("_Text_contents")) {
        _Text_contents.reset();
    } else if (auto text = c.decodeStyledText("_Text_contents")) {
        _Text_contents = std::move(*text);
    }
    take(_shape_type, c.decodeString("_shape_type"));
    take(cor_rad_val_val, c.decodeFloat("cor_rad_val_val"));
    take(_barcode_image, c.decodePicture("_barcode_image"));
    take(linear_or_2d, c.decodeInt32("linear_or_2d"));
    take(barcode_font_index, c.decodeInt32("barcode_font_index"));
    take(linear_font_val, c.decodeString("linear_font_val"));
    take(two_d_font_val, c.decodeString("two_d_font_val"));
    take(header_val, c.decodeString("header_val"));
    take(footer_val, c.decodeString("footer_val"));
    take(show_hide_hdr, c.decodeInt32("show_hide_hdr"));
    take(show_hide_ftr, c.decodeInt32("show_hide_ftr"));
    take(show_hide_val, c.decodeInt32("show_hide_val"));
    take(show_val_on_top, c.decodeInt32("show_val_on_top"));
    take(align_hdr_index, c.decodeInt32("align_hdr_index"));
    take(align_ftr_index, c.decodeInt32("align_ftr_index"));
    take(linear_height_val, c.decodeFloat("linear_height_val"));
    take(linear_width_val, c.decodeFloat("linear_width_val"));
    take(qr_size_val, c.decodeInt32("qr_size_val"));
    take(qr_version_index, c.decodeInt32("qr_version_index"));
    take(qr_ec_index, c.decodeInt32("qr_ec_index"));
    take(pdf_hgt_val, c.decodeInt32("pdf_hgt_val"));
    take(pdf_wdt_val, c.decodeInt32("pdf_wdt_val"));
    take(pdf_ec_val, c.decodeInt32("pdf_ec_val"));
    take(dm_module_val, c.decodeInt32("dm_module_val"));
    take(dm_format_index, c.decodeInt32("dm_format_index"));
    take(dm_encoding_index, c.decodeInt32("dm_encoding_index"));
    take(hdr_margin_val, c.decodeFloat("hdr_margin_val"));
    take(ftr_margin_val, c.decodeFloat("ftr_margin_val"));
    take(val_margin_val, c.decodeFloat("val_margin_val"));
    take(TB_marging_val, c.decodeFloat("TB_marging_val"));
    take(LR_margin_val, c.decodeFloat("LR_margin_val"));
    take(value_font_val, c.decodeFont("value_font_val"));
    take(header_font_val, c.decodeFont("header_font_val"));
    take(footer_font_val, c.decodeFont("footer_font_val"));
    take(barcode_hdr_clr_val, c.decodeColor("barcode_hdr_clr_val"));
    take(barcode_ftr_clr_val, c.decodeColor("barcode_ftr_clr_val"));
    take(barcode_val_clr_val, c.decodeColor("barcode_val_clr_val"));
    take(barcode_back_clr_val, c.decodeColor("barcode_back_clr_val"));
    take(barcode_clr_val, c.decodeColor("barcode_clr_val"));
    take(dpi_val_index, c.decodeInt32("dpi_val_index"));
    take(dpi_custom_val, c.decodeString("dpi_custom_val"));
    take(barcode_unit_val, c.decodeInt32("barcode_unit_val"));
    take(text_alignmnet, c.decodeInt32("text_alignmnet"));
    take(text_transfrom_case, c.decodeInt32("text_transfrom_case"));
    take(text_kerning, c.decodeFloat("text_kerning"));
    take(print_object, c.decodeInt32("print_object"));
    take(control_ID, c.decodeString("control_ID"));
    take(excel_binding, c.decodeBool("excel_binding"));
    take(excel_col_indx, c.decodeInt32("excel_col_indx"));
    take(Text_Value, c.decodeString("Text_Value"));
    take(ctrl_is_visible, c.decodeBool("ctrl_is_visible"));
    take(double_star_type, c.decodeInt32("double_star_type"));
    take(polygon_type, c.decodeInt32("polygon_type"));
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
