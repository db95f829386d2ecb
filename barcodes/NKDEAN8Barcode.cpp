#include "barcodes/NKDEAN8Barcode.h"

#include "barcodes/SymbologyText.h"
#include "barcodes/UpcEanModules.h"
#include "barcodes/UpcEanTables.h"

bool NKDEAN8Barcode::initWithContent(const QString& content, bool printsCaption) {
    if (!NKDAbstractUPCEANBarcode::initWithContent(content, printsCaption)) {
        return false;
    }
    if (content.size() == 7) {
        generateChecksum();
    } else if (content.size() == 8) {
        setCheckDigit(upcean::typedCheck(content.at(7)));
        setContent(content.left(7));
    }
    calculateWidth();
    return true;
}

bool NKDEAN8Barcode::isContentValid() const {
    return upcean::digitsWithCheck(symbology::asciiText(m_content), 7, m_checkDigit);
}

void NKDEAN8Barcode::generateChecksum() {
    const std::string digits = symbology::asciiText(m_content);
    if (digits.size() == 7 && upcean::allDigits(digits)) {
        setCheckDigit(static_cast<signed char>(upcean::checkDigit(digits)));
    }
}

QString NKDEAN8Barcode::barcode() const {
    const std::string digits = symbology::asciiText(m_content);
    const std::string_view view(digits);
    QString modules(QLatin1String(""));
    for (std::size_t i = 0; i < 4 && i < digits.size(); ++i) {
        modules += _encodeChar(digits[i]);
    }
    modules += symbology::modules(upcean::kCentreGuard);
    modules +=
        upcean::rightHand(*this, view.substr(std::min<std::size_t>(4, view.size())), m_checkDigit);
    return modules;
}

QString NKDEAN8Barcode::caption() const {
    return QStringLiteral(" ") + m_content.mid(0, 4) + QLatin1Char('\t') + m_content.mid(4, 3) +
           upcean::checkText(m_checkDigit);
}

int NKDEAN8Barcode::digitsToLeft() const {
    return 0;
}

int NKDEAN8Barcode::digitsToRight() const {
    return 0;
}
