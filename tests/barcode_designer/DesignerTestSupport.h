#pragma once
// Helpers of the barcode designer tests: barcode objects, rasters of
// pictures and the outside decoders.

#include "barcodes/designer/core/DesignerLists.h"
#include "editor/model/SKTBarcode.h"
#include "platform/CardPicture.h"

#include <QImage>
#include <QPainter>
#include <QString>
#include <gtest/gtest.h>
#include <memory>

namespace designertest {

// A new barcode object of the symbology with that title and value.
inline std::shared_ptr<SKTGraphic> barcodeObject(const QString& title, const QString& value) {
    auto graphic = std::make_shared<SKTBarcode>();
    graphic->barcode_font_index = int(DesignerLists::symbologies().indexOf(title));
    graphic->linear_or_2d = DesignerLists::isTwoDimensional(title) ? 1 : 0;
    graphic->linear_font_val = value;
    graphic->two_d_font_val = value;
    return graphic;
}

// The picture rastered at dpi onto white with a margin of `margin` pixels.
inline QImage rasterOnWhite(const CardPicture& picture, int dpi, int margin = 40) {
    const QImage raster = picture.toImage(dpi / 72.0);
    QImage page(raster.width() + 2 * margin, raster.height() + 2 * margin, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.drawImage(margin, margin, raster);
    painter.end();
    return page;
}

// True when some pixel is not white.
inline bool hasInk(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                return true;
            }
        }
    }
    return false;
}

// Every exchanged setting changed from its default.
inline void changeEverySetting(SKTGraphic& g) {
    g.linear_or_2d = 1;
    g.barcode_font_index = 19; // "QR Code"
    g.linear_font_val = QStringLiteral("LIN-1");
    g.two_d_font_val = QStringLiteral("two d");
    g.header_val = QStringLiteral("Head");
    g.footer_val = QStringLiteral("Foot");
    g.show_hide_hdr = 1;
    g.show_hide_ftr = 1;
    g.show_hide_val = 1;
    g.show_val_on_top = 1;
    g.align_hdr_index = 0;
    g.align_ftr_index = 2;
    g.linear_height_val = 1.5f;
    g.linear_width_val = 12.0f;
    g.qr_size_val = 90;
    g.qr_version_index = 7;
    g.qr_ec_index = 2;
    g.pdf_hgt_val = 33;
    g.pdf_wdt_val = 144;
    g.pdf_ec_val = 4;
    g.dm_module_val = 5;
    g.dm_format_index = 9;
    g.dm_encoding_index = 3;
    g.hdr_margin_val = 0.2f;
    g.ftr_margin_val = 0.3f;
    g.val_margin_val = 0.4f;
    g.TB_marging_val = 0.5f;
    g.LR_margin_val = 0.6f;
    g.value_font_val = QFont(QStringLiteral("Liberation Sans"), 11);
    g.header_font_val = QFont(QStringLiteral("Liberation Mono"), 12);
    g.footer_font_val = QFont(QStringLiteral("Liberation Serif"), 13);
    g.barcode_clr_val = QColor(10, 20, 30);
    g.barcode_back_clr_val = QColor(240, 230, 220);
    g.barcode_val_clr_val = QColor(1, 2, 3);
    g.barcode_hdr_clr_val = QColor(4, 5, 6);
    g.barcode_ftr_clr_val = QColor(7, 8, 9);
    g.dpi_val_index = 1;
    g.dpi_custom_val = QStringLiteral("300");
}

// The 38 exchanged settings of two objects are equal.
inline void expectSameSettings(const SKTGraphic& a, const SKTGraphic& b) {
    EXPECT_EQ(a.linear_or_2d, b.linear_or_2d);
    EXPECT_EQ(a.barcode_font_index, b.barcode_font_index);
    EXPECT_EQ(a.linear_font_val, b.linear_font_val);
    EXPECT_EQ(a.two_d_font_val, b.two_d_font_val);
    EXPECT_EQ(a.header_val, b.header_val);
    EXPECT_EQ(a.footer_val, b.footer_val);
    EXPECT_EQ(a.show_hide_hdr, b.show_hide_hdr);
    EXPECT_EQ(a.show_hide_ftr, b.show_hide_ftr);
    EXPECT_EQ(a.show_hide_val, b.show_hide_val);
    EXPECT_EQ(a.show_val_on_top, b.show_val_on_top);
    EXPECT_EQ(a.align_hdr_index, b.align_hdr_index);
    EXPECT_EQ(a.align_ftr_index, b.align_ftr_index);
    EXPECT_EQ(a.linear_height_val, b.linear_height_val);
    EXPECT_EQ(a.linear_width_val, b.linear_width_val);
    EXPECT_EQ(a.qr_size_val, b.qr_size_val);
    EXPECT_EQ(a.qr_version_index, b.qr_version_index);
    EXPECT_EQ(a.qr_ec_index, b.qr_ec_index);
    EXPECT_EQ(a.pdf_hgt_val, b.pdf_hgt_val);
    EXPECT_EQ(a.pdf_wdt_val, b.pdf_wdt_val);
    EXPECT_EQ(a.pdf_ec_val, b.pdf_ec_val);
    EXPECT_EQ(a.dm_module_val, b.dm_module_val);
    EXPECT_EQ(a.dm_format_index, b.dm_format_index);
    EXPECT_EQ(a.dm_encoding_index, b.dm_encoding_index);
    EXPECT_EQ(a.hdr_margin_val, b.hdr_margin_val);
    EXPECT_EQ(a.ftr_margin_val, b.ftr_margin_val);
    EXPECT_EQ(a.val_margin_val, b.val_margin_val);
    EXPECT_EQ(a.TB_marging_val, b.TB_marging_val);
    EXPECT_EQ(a.LR_margin_val, b.LR_margin_val);
    EXPECT_EQ(a.value_font_val, b.value_font_val);
    EXPECT_EQ(a.header_font_val, b.header_font_val);
    EXPECT_EQ(a.footer_font_val, b.footer_font_val);
    EXPECT_EQ(a.barcode_clr_val, b.barcode_clr_val);
    EXPECT_EQ(a.barcode_back_clr_val, b.barcode_back_clr_val);
    EXPECT_EQ(a.barcode_val_clr_val, b.barcode_val_clr_val);
    EXPECT_EQ(a.barcode_hdr_clr_val, b.barcode_hdr_clr_val);
    EXPECT_EQ(a.barcode_ftr_clr_val, b.barcode_ftr_clr_val);
    EXPECT_EQ(a.dpi_val_index, b.dpi_val_index);
    EXPECT_EQ(a.dpi_custom_val, b.dpi_custom_val);
}

} // namespace designertest
