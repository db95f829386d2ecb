#include "barcodes/NKDCode39Barcode.h"

#include "barcodes/Code39Tables.h"
#include "barcodes/SymbologyText.h"

bool NKDCode39Barcode::initWithContent(const QString& content, bool printsCaption) {
    return NKDBarcode::initWithContent(content.isNull() ? content : symbology::asciiUpper(content),
                                       printsCaption);
}

QString NKDCode39Barcode::_encodeChar(char c) const {
    if (c == code39::kStartStop) {
        return QString(QLatin1String(""));
    }
    return symbology::modules(code39::pattern(c));
}

QString NKDCode39Barcode::initiator() const {
    return symbology::modules(code39::pattern(code39::kStartStop));
}

QString NKDCode39Barcode::terminator() const {
    return initiator();
}
