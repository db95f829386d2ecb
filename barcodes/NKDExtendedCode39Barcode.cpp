#include "barcodes/NKDExtendedCode39Barcode.h"

#include "barcodes/Code39Tables.h"
#include "barcodes/SymbologyText.h"

bool NKDExtendedCode39Barcode::initWithContent(const QString& content, bool printsCaption) {
    if (!NKDCode39Barcode::initWithContent(content, printsCaption)) {
        return false;
    }
    setContent(content);
    calculateWidth();
    return true;
}

QString NKDExtendedCode39Barcode::_encodeChar(char c) const {
    QString modules;
    for (const char part : code39::extendedPair(c)) {
        modules += symbology::modules(code39::pattern(part));
    }
    return modules.isNull() ? QString(QLatin1String("")) : modules;
}
