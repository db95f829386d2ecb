#pragma once
// Helpers of the barcode designer tests: barcode objects, rasters of
// pictures and the outside decoders.

#include "barcodes/designer/core/DesignerLists.h"
#include "editor/model/SKTBarcode.h"
#include "platform/CardPicture.h"

#include <QImage>
#include <QPainter>
#include <QString>
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

} // namespace designertest
