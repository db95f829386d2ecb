#include "editor/model/SKTBarcode.h"

#include "editor/model/PicturePlaceholders.h"

#include <QPainter>

std::shared_ptr<SKTGraphic> SKTBarcode::newOfSameClass() const {
    return std::make_shared<SKTBarcode>();
}

std::shared_ptr<SKTGraphic> SKTBarcode::copyOfObject() const {
    return std::shared_ptr<SKTGraphic>(new SKTBarcode(*this));
}

void SKTBarcode::initWithPosition(const QPointF& point, const CardPicture&) {
    barcode_image_var_assign();
    const QSizeF size = _contents.size();
    _bounds = QRectF(point.x() - size.width() / 2.0, point.y() - size.height() / 2.0, size.width(),
                     size.height());
}

CardPicture SKTBarcode::pictureForDrawing() const {
    if (!_barcode_image.isNull()) {
        return _barcode_image;
    }
    return PicturePlaceholders::barcode_sample_img();
}

void SKTBarcode::barcode_image_var_assign() {
    _contents = pictureForDrawing();
}

QRectF SKTBarcode::drawingBounds() const {
    const QRectF frame = SKTGraphic::drawingBounds();
    const CardPicture picture = pictureForDrawing();
    if (!ctrl_is_visible || picture.isNull()) {
        return frame;
    }
    return frame.united(QRectF(bounds().topLeft(), picture.size()));
}

void SKTBarcode::drawContentsInView(QPainter& painter, bool) {
    if (!ctrl_is_visible) {
        return;
    }
    const CardPicture picture = pictureForDrawing();
    if (picture.isNull()) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::Antialiasing, false);
    // A raster picture (from a design file) reaches a PDF without JPEG.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setOpacity(1.0);
    picture.draw(painter, bounds().topLeft());
    painter.restore();
}
