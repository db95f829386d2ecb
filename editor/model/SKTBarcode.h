#pragma once
// The object that shows a finished barcode picture (the record's
// _barcode_image, or the sample picture while it has none) at the picture's
// own size. Its settings are the record's barcode fields.

#include "editor/model/SKTGraphic.h"

class SKTBarcode : public SKTGraphic {
public:
    SKTBarcode() = default;

    QString className() const override { return QStringLiteral("SKTBarcode"); }
    std::shared_ptr<SKTGraphic> newOfSameClass() const override;

    // The barcode picture (the sample for a new object) centred on the point
    // at its own size. The picture argument is not used.
    void initWithPosition(const QPointF& point, const CardPicture& contents);

    // _contents becomes the record's barcode picture, or the resource
    // folder's "barcode_sample.png" when there is none.
    void barcode_image_var_assign();
    // The picture drawing shows, the same choice without storing it.
    CardPicture pictureForDrawing() const;

    bool isDrawingFill() const override { return false; }
    bool isDrawingStroke() const override { return false; }

    // The frame's drawing area and the whole picture at its corner: a frame
    // made smaller than the picture never cuts it, on the canvas or in any
    // output.
    QRectF drawingBounds() const override;

    // Hidden: nothing. Otherwise the picture at its own size with its corner
    // at the bounds' origin (resizing changes the frame, not the picture);
    // vector pictures stay vector and rasters are drawn without smoothing, so
    // modules stay crisp blocks.
    void drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited) override;

    CardPicture _contents;

protected:
    SKTBarcode(const SKTBarcode& other) = default;
    std::shared_ptr<SKTGraphic> copyOfObject() const override;
};
