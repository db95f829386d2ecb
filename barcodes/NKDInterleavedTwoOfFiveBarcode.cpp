#include "barcodes/NKDInterleavedTwoOfFiveBarcode.h"

#include "barcodes/SymbologyText.h"
#include "barcodes/TwoOfFiveTables.h"

QString NKDInterleavedTwoOfFiveBarcode::barcode() const {
    return symbology::modules(twoOfFive::interleavedModules(symbology::asciiText(m_content)));
}

QString NKDInterleavedTwoOfFiveBarcode::initiator() const {
    return symbology::modules(twoOfFive::kStart);
}

QString NKDInterleavedTwoOfFiveBarcode::terminator() const {
    return symbology::modules(twoOfFive::kStop);
}

bool NKDInterleavedTwoOfFiveBarcode::isContentValid() const {
    for (const QChar ch : m_content) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9')) {
            return false;
        }
    }
    return true;
}

bool NKDInterleavedTwoOfFiveBarcode::_getBarForDigit(char digit, int barNumber) {
    return twoOfFive::isNarrow(digit, barNumber);
}
