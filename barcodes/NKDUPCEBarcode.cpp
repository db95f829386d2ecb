#include "barcodes/NKDUPCEBarcode.h"

#include "barcodes/SymbologyText.h"
#include "barcodes/UpcEanModules.h"
#include "barcodes/UpcEanTables.h"

namespace {

// The check digit of the UPC-A number that 7 UPC-E digits stand for, 0 when
// they are not 7 digits.
char expandedCheck(const std::string& systemAndSix) {
    const std::string upcA = upcean::upcEToUpcA(systemAndSix);
    return upcA.empty() ? 0 : upcean::checkDigit(upcA);
}

} // namespace

bool NKDUPCEBarcode::initWithContent(const QString& content, bool printsCaption) {
    if (!NKDUPCABarcode::initWithContent(content, printsCaption)) {
        return false;
    }
    setCheckDigit(-1);
    setContent(content);
    const std::string ascii = symbology::asciiText(content);
    if (content.size() == 11) {
        if (upcean::allDigits(ascii)) {
            const char check = upcean::checkDigit(ascii);
            setCheckDigit(static_cast<signed char>(check));
            setContent(content.left(1) + UPCAToUPCE(content + QLatin1Char(check)));
        } else {
            setContent(content.left(1));
        }
    } else if (content.size() == 8) {
        setCheckDigit(upcean::typedCheck(content.at(7)));
        setContent(content.left(7));
    } else if (content.size() == 7) {
        generateChecksum();
    }
    calculateWidth();
    return true;
}

bool NKDUPCEBarcode::isContentValid() const {
    const std::string digits = symbology::asciiText(m_content);
    if (digits.size() != 7 || (digits[0] != '0' && digits[0] != '1')) {
        return false;
    }
    const char check = expandedCheck(digits);
    return check != 0 && check == m_checkDigit;
}

void NKDUPCEBarcode::generateChecksum() {
    const char check = expandedCheck(symbology::asciiText(m_content));
    if (check != 0) {
        setCheckDigit(static_cast<signed char>(check));
    }
}

bool NKDUPCEBarcode::parityForDigit(int index) const {
    const std::string digits = symbology::asciiText(m_content);
    const char system = digits.empty() ? char(0) : digits[0];
    return upcean::upcEEvenParity(system, static_cast<char>(m_checkDigit), index);
}

QString NKDUPCEBarcode::barcode() const {
    const std::string digits = symbology::asciiText(m_content);
    QString modules(QLatin1String(""));
    for (std::size_t i = 1; i < 7 && i < digits.size(); ++i) {
        const QString odd = _encodeChar(digits[i]);
        modules += parityForDigit(static_cast<int>(i)) ? swapParity(odd) : odd;
    }
    return modules;
}

QString NKDUPCEBarcode::terminator() const {
    return symbology::modules(upcean::kUpcEEndGuard);
}

QString NKDUPCEBarcode::caption() const {
    return m_content.mid(1, 6);
}

QString NKDUPCEBarcode::UPCAToUPCE(const QString& upcA) {
    return QString::fromStdString(upcean::upcAToUpcE(symbology::asciiText(upcA)));
}
