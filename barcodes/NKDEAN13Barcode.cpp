#include "barcodes/NKDEAN13Barcode.h"

#include "barcodes/SymbologyText.h"
#include "barcodes/UpcEanModules.h"
#include "barcodes/UpcEanTables.h"

bool NKDEAN13Barcode::initWithContent(const QString& content, bool printsCaption) {
    if (!NKDAbstractUPCEANBarcode::initWithContent(content, printsCaption)) {
        return false;
    }
    if (content.size() < 13) {
        generateChecksum();
    } else if (content.size() == 13) {
        setCheckDigit(upcean::typedCheck(content.at(12)));
        setContent(content.left(12));
    }
    calculateWidth();
    return true;
}

bool NKDEAN13Barcode::isContentValid() const {
    return upcean::digitsWithCheck(symbology::asciiText(m_content), 12, m_checkDigit);
}

void NKDEAN13Barcode::generateChecksum() {
    const std::string digits = symbology::asciiText(m_content);
    if (digits.size() == 12 && upcean::allDigits(digits)) {
        setCheckDigit(static_cast<signed char>(upcean::checkDigit(digits)));
    }
}

QString NKDEAN13Barcode::barcode() const {
    const std::string digits = symbology::asciiText(m_content);
    QString modules(QLatin1String(""));
    if (digits.empty()) {
        return modules;
    }
    const std::string_view view(digits);
    for (std::size_t i = 1; i < 7 && i < digits.size(); ++i) {
        const QString odd = _encodeChar(digits[i]);
        modules += _parityForSystemDigit(digits[0], static_cast<int>(i)) ? swapParity(odd) : odd;
    }
    modules += symbology::modules(upcean::kCentreGuard);
    modules +=
        upcean::rightHand(*this, view.substr(std::min<std::size_t>(7, view.size())), m_checkDigit);
    return modules;
}

QString NKDEAN13Barcode::caption() const {
    return QStringLiteral("  ") + m_content.mid(1, 6) + QLatin1Char('\t') + m_content.mid(7, 5) +
           upcean::checkText(m_checkDigit);
}

QString NKDEAN13Barcode::rightCaption() const {
    return QString(QLatin1String(""));
}

int NKDEAN13Barcode::digitsToRight() const {
    return 0;
}

bool NKDEAN13Barcode::_parityForSystemDigit(char firstDigit, int index) {
    return upcean::ean13EvenParity(firstDigit, index);
}
