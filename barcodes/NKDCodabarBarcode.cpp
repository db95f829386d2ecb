#include "barcodes/NKDCodabarBarcode.h"

#include "barcodes/CodabarTables.h"
#include "barcodes/SymbologyText.h"

QString NKDCodabarBarcode::_encodeChar(char c) const {
    return symbology::modules(codabar::pattern(c));
}

QString NKDCodabarBarcode::barcode() const {
    QString modules(QLatin1String(""));
    const std::string text = symbology::asciiText(m_content);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i > 0) {
            modules += symbology::modules(codabar::kGap);
        }
        modules += _encodeChar(text[i]);
    }
    return modules;
}

bool NKDCodabarBarcode::isContentValid() const {
    if (!NKDBarcode::isContentValid()) {
        return false;
    }
    const std::string text = symbology::asciiText(m_content);
    if (text.size() < 2 || !codabar::isStartStop(text.front()) ||
        !codabar::isStartStop(text.back())) {
        return false;
    }
    for (std::size_t i = 1; i + 1 < text.size(); ++i) {
        if (codabar::isStartStop(text[i])) {
            return false;
        }
    }
    return true;
}
