#include "barcodes/NKDModifiedPlesseyHexBarcode.h"

#include "barcodes/PlesseyTables.h"
#include "barcodes/SymbologyText.h"

QString NKDModifiedPlesseyHexBarcode::_encodeChar(char c) const {
    return symbology::modules(plessey::charModules(c));
}

QString NKDModifiedPlesseyHexBarcode::initiator() const {
    return symbology::modules(plessey::kStart);
}

QString NKDModifiedPlesseyHexBarcode::terminator() const {
    return symbology::modules(plessey::kStop);
}

QString NKDModifiedPlesseyHexBarcode::barcode() const {
    const std::string text = symbology::asciiText(m_content);
    const std::string crc = plessey::crcBits(text);
    if (crc.empty()) {
        return QString(QLatin1String(""));
    }
    QString modules(QLatin1String(""));
    for (const char c : text) {
        modules += _encodeChar(c);
    }
    return modules + symbology::modules(plessey::bitModules(crc));
}

void NKDModifiedPlesseyHexBarcode::generateChecksum() {
    setCheckDigit(-1);
}
