#include "barcodes/NKDIndustrialTwoOfFiveBarcode.h"

#include "barcodes/SymbologyText.h"
#include "barcodes/TwoOfFiveTables.h"

QString NKDIndustrialTwoOfFiveBarcode::barcode() const {
    return symbology::modules(twoOfFive::industrialModules(symbology::asciiText(m_content)));
}
