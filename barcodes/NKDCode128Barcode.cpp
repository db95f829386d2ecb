#include "barcodes/NKDCode128Barcode.h"

#include "barcodes/Code128Tables.h"
#include "barcodes/SymbologyText.h"

#include <QtGlobal>

bool NKDCode128Barcode::initWithContent(const QString& content, bool printsCaption) {
    // The set is chosen before the base initialiser measures the symbol.
    if (m_codeSet == kAutomatic && !content.isNull()) {
        m_codeSet = code128::bestCodeSet(symbology::asciiText(content));
    }
    if (!NKDBarcode::initWithContent(content, printsCaption)) {
        return false;
    }
    generateChecksum();
    calculateWidth();
    return true;
}

QString NKDCode128Barcode::initiator() const {
    const int start = code128::startValue(m_codeSet);
    if (start < 0) {
        qWarning("Invalid codeSet value: %d", m_codeSet);
        return QString(QLatin1String(""));
    }
    return symbology::modules(code128::pattern(start));
}

QString NKDCode128Barcode::terminator() const {
    return symbology::modules(code128::kStop);
}

std::optional<std::vector<int>> NKDCode128Barcode::symbolValues() const {
    const auto ascii = asciiForm(m_content);
    if (!ascii) {
        return std::nullopt;
    }
    return code128::symbolValues(std::string_view(ascii->constData(), ascii->size()), m_codeSet);
}

QString NKDCode128Barcode::barcode() const {
    QString modules(QLatin1String(""));
    const auto values = symbolValues();
    if (!values) {
        return modules;
    }
    for (const int value : *values) {
        modules += _encodeNumberPair(value);
    }
    if (m_checkDigit != -1) {
        modules += _encodeNumberPair(m_checkDigit);
    }
    return modules;
}

QString NKDCode128Barcode::_encodeChar(char c) const {
    QString modules(QLatin1String(""));
    const auto values = code128::symbolValues(std::string_view(&c, 1), m_codeSet);
    if (values) {
        for (const int value : *values) {
            modules += _encodeNumberPair(value);
        }
    }
    return modules;
}

bool NKDCode128Barcode::isContentValid() const {
    return symbolValues().has_value();
}

void NKDCode128Barcode::generateChecksum() {
    const auto values = symbolValues();
    setCheckDigit(values ? static_cast<signed char>(code128::checkValue(m_codeSet, *values)) : -1);
}

int NKDCode128Barcode::_bestCodeSetForContent() const {
    return code128::bestCodeSet(symbology::asciiText(m_content));
}

QString NKDCode128Barcode::_encodeNumberPair(int value) {
    if (value < 0 || value > 102) {
        return QString(QLatin1String(""));
    }
    return symbology::modules(code128::pattern(value));
}
