#include "editor_archive_support.h"

#include "editor/model/SKTLine.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

QFont font(const char* family, double size, bool bold, bool italic) {
    QFont f(QString::fromLatin1(family));
    f.setPointSizeF(size);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

void expectSameFont(const QFont& expected, const QFont& actual, const char* field) {
    EXPECT_EQ(actual.family(), expected.family()) << field;
    EXPECT_EQ(actual.pointSizeF(), expected.pointSizeF()) << field;
    EXPECT_EQ(actual.bold(), expected.bold()) << field;
    EXPECT_EQ(actual.italic(), expected.italic()) << field;
}

void expectSameColor(const QColor& expected, const QColor& actual, const char* field) {
    EXPECT_EQ(actual.isValid(), expected.isValid()) << field;
    EXPECT_EQ(actual.rgba(), expected.rgba()) << field;
}

// The archive's keys in their order, with their kinds.
const char* const kPythonCheck = R"PY(
import plistlib, struct, sys
KEYS = """_bounds rect|ctrl_is_locked bool|_isDrawingFill bool|_fillColor object|
_isDrawingStroke bool|_strokeColor object|_strokeWidth float|_stroke_border_type object|
_fill_type object|_fill_Grad_clr1 object|_fill_Grad_clr2 object|_fill_grad_angle float|
_fill_htch_clr object|_fill_hatch_type object|_isFlippedHorizontally bool|
_isFlippedVertically bool|invert_clr bool|gray_Scale bool|Sepia bool|img_trnsp_val float|
hue_val float|sat_val float|brt_val float|con_val float|srp_val float|ev_val float|
blr_val float|data_source_type int|rotate_image float|_file_path object|
sign_or_fingureprint object|batch_list_name object|batch_list_index int|_line_ori int|
_line_cap_style int|alpha_val float|alpha_val_stroke float|text_ctrl_font object|
txt_clr object|_Text_contents object|_shape_type object|cor_rad_val_val float|
_barcode_image object|linear_or_2d int|barcode_font_index int|linear_font_val object|
two_d_font_val object|header_val object|footer_val object|show_hide_hdr int|
show_hide_ftr int|show_hide_val int|show_val_on_top int|align_hdr_index int|
align_ftr_index int|linear_height_val float|linear_width_val float|qr_size_val int|
qr_version_index int|qr_ec_index int|pdf_hgt_val int|pdf_wdt_val int|pdf_ec_val int|
dm_module_val int|dm_format_index int|dm_encoding_index int|hdr_margin_val float|
ftr_margin_val float|val_margin_val float|TB_marging_val float|LR_margin_val float|
value_font_val object|header_font_val object|footer_font_val object|
barcode_hdr_clr_val object|barcode_ftr_clr_val object|barcode_val_clr_val object|
barcode_back_clr_val object|barcode_clr_val object|dpi_val_index int|dpi_custom_val object|
barcode_unit_val int|text_alignmnet int|text_transfrom_case int|text_kerning float|
print_object int|control_ID object|excel_binding bool|excel_col_indx int|Text_Value object|
ctrl_is_visible bool|double_star_type int|polygon_type int"""
KEYS = [tuple(item.split()) for item in KEYS.replace("\n", "").split("|")]
assert len(KEYS) == 93, len(KEYS)
SEVEN = {"SKTGraphic", "SKTText", "SKTImage", "SKTLine", "Shape_Control", "SKTSignature",
         "SKTBarcode"}
n = 0
for path in sys.argv[1:]:
    with open(path, "rb") as f:
        archive = plistlib.load(f)
    assert archive["$archiver"] == "NSKeyedArchiver"
    objects = archive["$objects"]
    root = objects[archive["$top"]["root"].data]
    name = objects[root["$class"].data]["$classname"]
    assert name in SEVEN, name
    expected = [k for k, _ in KEYS]
    if name == "SKTLine":
        expected += ["_pointsRight", "_pointsDown"]
    keys = [k for k in root if k != "$class"]
    assert keys == expected, (path, set(keys) ^ set(expected))
    for key, kind in KEYS:
        v = root[key]
        if kind == "float":
            assert type(v) is float, key
            assert struct.unpack("<f", struct.pack("<f", v))[0] == v, (key, v)
        elif kind == "int":
            assert type(v) is int, key
        elif kind == "bool":
            assert type(v) is bool, key
        elif kind == "rect":
            assert type(v) is str and v.startswith("{{"), key
        else:
            assert isinstance(v, plistlib.UID), key
    n += 1
print("checked", n)
)PY";

} // namespace

void fillEveryField(SKTGraphic& g) {
    g._bounds = QRectF(12.5, 7.25, 140, 60.5);
    g.ctrl_is_locked = true;
    g._isDrawingFill = false;
    g._fillColor = QColor(51, 102, 153, 128);
    g._isDrawingStroke = false;
    g._strokeColor = QColor(255, 0, 0);
    g._strokeWidth = 2.5;
    g._stroke_border_type = QStringLiteral("DDD");
    g._fill_type = QStringLiteral("H");
    g._fill_Grad_clr1 = QColor(0, 255, 0);
    g._fill_Grad_clr2 = QColor(0, 0, 255);
    g._fill_grad_angle = 30.5;
    g._fill_htch_clr = QColor(255, 255, 0);
    g._fill_hatch_type = QStringLiteral("Bricks");
    g._isFlippedHorizontally = true;
    g._isFlippedVertically = true;
    g.invert_clr = true;
    g.gray_Scale = true;
    g.Sepia = true;
    g.img_trnsp_val = 55.5f;
    g.hue_val = 0.3f;
    g.sat_val = 1.7f;
    g.brt_val = -0.2f;
    g.con_val = 2.1f;
    g.srp_val = 0.4f;
    g.ev_val = -1.5f;
    g.blr_val = 3.0f;
    g.data_source_type = 2;
    g.rotate_image = 90.0f;
    g._file_path = QStringLiteral("/pictures/\u00e9t\u00e9.png");
    g.sign_or_fingureprint = QStringLiteral("F");
    g.batch_list_name = QStringLiteral("Guests");
    g.batch_list_index = 3;
    g._line_ori = 1;
    g._line_cap_style = 2;
    g.cor_rad_val_val = 4.5f;
    g.alpha_val = 0.75f;
    g.alpha_val_stroke = 0.5f;
    g.text_ctrl_font = font("Liberation Serif", 17, true, false);
    g.txt_clr = QColor(10, 20, 30);
    SKTStyledText text(QStringLiteral("Hello \u00fcber"), font("Liberation Sans", 12, false, true),
                       QColor(Qt::red));
    text.setColor(0, 5, QColor(Qt::blue));
    g._Text_contents = text;
    g._shape_type = QStringLiteral("DS");
    QImage pixels(5, 3, QImage::Format_ARGB32);
    pixels.fill(QColor(200, 10, 10));
    g._barcode_image = CardPicture::fromImage(pixels);
    g.linear_or_2d = 1;
    g.barcode_font_index = 7;
    g.linear_font_val = QStringLiteral("ABC-123");
    g.two_d_font_val = QStringLiteral("https://example.org/");
    g.header_val = QStringLiteral("Top");
    g.footer_val = QStringLiteral("Bottom");
    g.show_hide_hdr = 1;
    g.show_hide_ftr = 1;
    g.show_hide_val = 1;
    g.show_val_on_top = 1;
    g.align_hdr_index = 2;
    g.align_ftr_index = 0;
    g.linear_height_val = 1.25f;
    g.linear_width_val = 13.0f;
    g.qr_size_val = 90;
    g.qr_version_index = 4;
    g.qr_ec_index = 3;
    g.pdf_hgt_val = 30;
    g.pdf_wdt_val = 150;
    g.pdf_ec_val = 5;
    g.dm_module_val = 4;
    g.dm_format_index = 6;
    g.dm_encoding_index = 2;
    g.hdr_margin_val = 0.2f;
    g.ftr_margin_val = 0.3f;
    g.val_margin_val = 0.4f;
    g.TB_marging_val = 0.5f;
    g.LR_margin_val = 0.6f;
    g.value_font_val = font("Liberation Mono", 9, false, false);
    g.header_font_val = font("Liberation Sans", 11, true, true);
    g.footer_font_val = font("Liberation Serif", 8, false, true);
    g.barcode_hdr_clr_val = QColor(1, 2, 3);
    g.barcode_ftr_clr_val = QColor(4, 5, 6);
    g.barcode_val_clr_val = QColor(7, 8, 9);
    g.barcode_back_clr_val = QColor(250, 250, 240);
    g.barcode_clr_val = QColor(20, 0, 40);
    g.dpi_val_index = 3;
    g.dpi_custom_val = QStringLiteral("450");
    g.barcode_unit_val = 2;
    g.text_alignmnet = 2;
    g.text_transfrom_case = 3;
    g.text_kerning = 1.5f;
    g.print_object = 1;
    g.control_ID = QStringLiteral("PARTY_Venue");
    g.excel_binding = true;
    g.excel_col_indx = 4;
    g.Text_Value = QStringLiteral("Line one\nLine two \U0001F389");
    g.ctrl_is_visible = false;
    g.double_star_type = 4;
    g.polygon_type = 3;
}

#define SAME(field) EXPECT_EQ(actual.field, expected.field) << #field
#define SAME_COLOR(field) expectSameColor(expected.field, actual.field, #field)
#define SAME_FONT(field) expectSameFont(expected.field, actual.field, #field)

void expectSameArchivedFields(const SKTGraphic& expected, const SKTGraphic& actual) {
    SAME(_bounds);
    SAME(ctrl_is_locked);
    SAME(_isDrawingFill);
    SAME_COLOR(_fillColor);
    SAME(_isDrawingStroke);
    SAME_COLOR(_strokeColor);
    EXPECT_EQ(actual._strokeWidth, static_cast<double>(static_cast<float>(expected._strokeWidth)));
    SAME(_stroke_border_type);
    SAME(_fill_type);
    SAME_COLOR(_fill_Grad_clr1);
    SAME_COLOR(_fill_Grad_clr2);
    EXPECT_EQ(actual._fill_grad_angle,
              static_cast<double>(static_cast<float>(expected._fill_grad_angle)));
    SAME_COLOR(_fill_htch_clr);
    SAME(_fill_hatch_type);
    SAME(_isFlippedHorizontally);
    SAME(_isFlippedVertically);
    SAME(invert_clr);
    SAME(gray_Scale);
    SAME(Sepia);
    SAME(img_trnsp_val);
    SAME(hue_val);
    SAME(sat_val);
    SAME(brt_val);
    SAME(con_val);
    SAME(srp_val);
    SAME(ev_val);
    SAME(blr_val);
    SAME(data_source_type);
    SAME(rotate_image);
    SAME(_file_path);
    SAME(sign_or_fingureprint);
    SAME(batch_list_name);
    SAME(batch_list_index);
    SAME(_line_ori);
    SAME(_line_cap_style);
    SAME(cor_rad_val_val);
    SAME(alpha_val);
    SAME(alpha_val_stroke);
    SAME_FONT(text_ctrl_font);
    SAME_COLOR(txt_clr);
    ASSERT_EQ(actual._Text_contents.has_value(), expected._Text_contents.has_value());
    if (expected._Text_contents) {
        const SKTStyledText& a = *actual._Text_contents;
        const SKTStyledText& e = *expected._Text_contents;
        EXPECT_EQ(a.string(), e.string());
        ASSERT_EQ(a.runs().size(), e.runs().size());
        for (size_t i = 0; i < e.runs().size(); ++i) {
            EXPECT_EQ(a.runs()[i].length, e.runs()[i].length);
            expectSameFont(e.runs()[i].font, a.runs()[i].font, "_Text_contents run");
            expectSameColor(e.runs()[i].color, a.runs()[i].color, "_Text_contents run");
        }
    }
    SAME(_shape_type);
    ASSERT_EQ(actual._barcode_image.isNull(), expected._barcode_image.isNull());
    if (!expected._barcode_image.isNull()) {
        EXPECT_EQ(actual._barcode_image.size(), expected._barcode_image.size());
        EXPECT_EQ(actual._barcode_image.toImage().convertToFormat(QImage::Format_ARGB32),
                  expected._barcode_image.toImage().convertToFormat(QImage::Format_ARGB32));
    }
    SAME(linear_or_2d);
    SAME(barcode_font_index);
    SAME(linear_font_val);
    SAME(two_d_font_val);
    SAME(header_val);
    SAME(footer_val);
    SAME(show_hide_hdr);
    SAME(show_hide_ftr);
    SAME(show_hide_val);
    SAME(show_val_on_top);
    SAME(align_hdr_index);
    SAME(align_ftr_index);
    SAME(linear_height_val);
    SAME(linear_width_val);
    SAME(qr_size_val);
    SAME(qr_version_index);
    SAME(qr_ec_index);
    SAME(pdf_hgt_val);
    SAME(pdf_wdt_val);
    SAME(pdf_ec_val);
    SAME(dm_module_val);
    SAME(dm_format_index);
    SAME(dm_encoding_index);
    SAME(hdr_margin_val);
    SAME(ftr_margin_val);
    SAME(val_margin_val);
    SAME(TB_marging_val);
    SAME(LR_margin_val);
    SAME_FONT(value_font_val);
    SAME_FONT(header_font_val);
    SAME_FONT(footer_font_val);
    SAME_COLOR(barcode_hdr_clr_val);
    SAME_COLOR(barcode_ftr_clr_val);
    SAME_COLOR(barcode_val_clr_val);
    SAME_COLOR(barcode_back_clr_val);
    SAME_COLOR(barcode_clr_val);
    SAME(dpi_val_index);
    SAME(dpi_custom_val);
    SAME(barcode_unit_val);
    SAME(text_alignmnet);
    SAME(text_transfrom_case);
    SAME(text_kerning);
    SAME(print_object);
    SAME(control_ID);
    SAME(excel_binding);
    SAME(excel_col_indx);
    SAME(Text_Value);
    SAME(ctrl_is_visible);
    SAME(double_star_type);
    SAME(polygon_type);
    const auto* expectedLine = dynamic_cast<const SKTLine*>(&expected);
    const auto* actualLine = dynamic_cast<const SKTLine*>(&actual);
    if (expectedLine && actualLine) {
        EXPECT_EQ(actualLine->_pointsRight, expectedLine->_pointsRight);
        EXPECT_EQ(actualLine->_pointsDown, expectedLine->_pointsDown);
    }
}

testsupport::ProcessResult checkArchivesWithPython(const QString& python,
                                                   const QStringList& files) {
    QStringList args{QStringLiteral("-c"), QString::fromUtf8(kPythonCheck)};
    args << files;
    return testsupport::runProcess(python, args);
}
