#include "barcodes/BarcodeStyle.h"

QFont BarcodeStyle::defaultFont() {
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSizeF(10.0);
    return font;
}
