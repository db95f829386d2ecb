#include "barcodes/NKDModifiedPlesseyBarcode.h"

#include "barcodes/PlesseyTables.h"
#include "barcodes/SymbologyText.h"

bool NKDModifiedPlesseyBarcode::initWithContent(const QString& content, bool printsCaption) {
    if (!NKDBarcode::initWithContent(content.isNull() ? content : symbology::asciiUpper(content),
                                     printsCaption)) {
        return false;
    }
    generateChecksum();
    calculateWidth();
    return true;
}

QString NKDModifiedPlesseyBarcode::_encodeChar(char c) const {
    return symbology::modules(msi::digitModules(c));
}

QString NKDModifiedPlesseyBarcode::initiator() const {
    return symbology::modules(msi::kStart);
}

QString NKDModifiedPlesseyBarcode::terminator() const {
    return symbology::modules(msi::kStop);
}

void NKDModifiedPlesseyBarcode::generateChecksum() {
    const char check = msi::checkDigit(symbology::asciiText(m_content));
    setCheckDigit(check == 0 ? -1 : static_cast<signed char>(check));
}
