#include "editor/model/SKTBarcode.h"

#include "editor/model/SKTPictureLoading.h"
#include "mainwindow/core/globals.h"

#include <QDir>

std::shared_ptr<SKTGraphic> SKTBarcode::newOfSameClass() const {
    return std::make_shared<SKTBarcode>();
}

void SKTBarcode::barcode_image_var_assign() {
    if (!_barcode_image.isNull()) {
        _contents = _barcode_image;
        return;
    }
    const QString sample = QStringLiteral("barcode_sample.png");
    _contents =
        SKTLoadPictureFile(Resource_Path.isEmpty() ? sample : QDir(Resource_Path).filePath(sample));
}
