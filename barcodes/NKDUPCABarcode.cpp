#include "barcodes/NKDUPCABarcode.h"

#include "barcodes/SymbologyText.h"
#include "barcodes/UpcEanModules.h"
#include "barcodes/UpcEanTables.h"

bool NKDUPCABarcode::initWithContent(const QString& content, bool printsCaption) {
    if (!NKDAbstractUPCEANBarcode::initWithContent(content, printsCaption)) {
        return false;
    }
    if (content.size() < 12) {
        generateChecksum();
    } else if (content.size() == 12) {
        setCheckDigit(upcean::typedCheck(content.at(11)));
        setContent(content.left(11));
    }
    calculateWidth();
    return true;
}

bool NKDUPCABarcode::isContentValid() const {
    return upcean::digitsWithCheck(symbology::asciiText(m_content), 11, m_checkDigit);
}

void NKDUPCABarcode::generateChecksum() {
    const std::string digits = symbology::asciiText(m_content);
    if (digits.size() == 11 && upcean::allDigits(digits)) {
        setCheckDigit(static_cast<signed char>(upcean::checkDigit(digits)));
    }
}

QString NKDUPCABarcode::barcode() const {
    const std::string digits = symbology::asciiText(m_content);
    const std::string_view view(digits);
    QString modules(QLatin1String(""));
    for (std::size_t i = 0; i < 6 && i < digits.size(); ++i) {
        modules += _encodeChar(digits[i]);
    }
    modules += symbology::modules(upcean::kCentreGuard);
    modules +=
        upcean::rightHand(*this, view.substr(std::min<std::size_t>(6, view.size())), m_checkDigit);
    return modules;
}

QString NKDUPCABarcode::caption() const {
    return m_content.mid(1, 5) + QLatin1Char('\t') + m_content.mid(6, 5);
}
