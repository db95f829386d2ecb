#pragma once
// The object that shows a finished barcode picture (the record's
// _barcode_image, or the sample picture while it has none). Its settings
// are the record's barcode fields. Drawing comes with the picture objects'
// own code.

#include "editor/model/SKTGraphic.h"

class SKTBarcode : public SKTGraphic {
public:
    SKTBarcode() = default;

    QString className() const override { return QStringLiteral("SKTBarcode"); }
    std::shared_ptr<SKTGraphic> newOfSameClass() const override;

    // _contents becomes the record's barcode picture, or the resource
    // folder's "barcode_sample.png" when there is none.
    void barcode_image_var_assign();

    bool isDrawingFill() const override { return false; }
    bool isDrawingStroke() const override { return false; }

    CardPicture _contents;
};
