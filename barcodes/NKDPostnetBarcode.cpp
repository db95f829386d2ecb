#include "barcodes/NKDPostnetBarcode.h"

#include "barcodes/PostalTables.h"
#include "barcodes/SymbologyText.h"

namespace {

constexpr float kFrameBarPoints = 9.0f;

} // namespace

bool NKDPostnetBarcode::initWithContent(const QString& content, bool printsCaption) {
    if (!NKDBarcode::initWithContent(content, printsCaption)) {
        return false;
    }
    setBarWidth(1.08f);
    generateChecksum();
    setHeight(9.0f);
    calculateWidth();
    return true;
}

QString NKDPostnetBarcode::initiator() const {
    return QStringLiteral("100");
}

QString NKDPostnetBarcode::terminator() const {
    return QStringLiteral("1");
}

QString NKDPostnetBarcode::_encodeChar(char /*c*/) const {
    return QStringLiteral("100100100100100");
}

bool NKDPostnetBarcode::isContentValid() const {
    const std::string text = symbology::asciiText(m_content);
    if (text.size() != 5 && text.size() != 9 && text.size() != 11) {
        return false;
    }
    return postnet::checkDigit(text) != 0;
}

void NKDPostnetBarcode::generateChecksum() {
    const char check = postnet::checkDigit(symbology::asciiText(m_content));
    setCheckDigit(check == 0 ? -1 : static_cast<signed char>(check));
}

char NKDPostnetBarcode::digitAt(int digitIndex) const {
    if (digitIndex >= 0 && digitIndex < m_content.size()) {
        const QChar ch = m_content.at(digitIndex);
        return ch.unicode() < 128 ? static_cast<char>(ch.unicode()) : char(0);
    }
    if (digitIndex == m_content.size() && m_checkDigit != -1) {
        return static_cast<char>(m_checkDigit);
    }
    return 0;
}

double NKDPostnetBarcode::_heightForDigit(int digitIndex, int bar) const {
    const char digit = digitAt(digitIndex);
    if (digit < '0' || digit > '9') {
        return 0.0;
    }
    return postnet::isFullBar(digit, bar) ? postnet::kFullInches : postnet::kHalfInches;
}

float NKDPostnetBarcode::barTop(int index) const {
    const int last = static_cast<int>(completeBarcode().size()) - 1;
    if (index == 0 || index == last) {
        return kFrameBarPoints;
    }
    const int digit = (index - 3) / 15;
    const int bar = (index - 15 * digit) / 3;
    return static_cast<float>(_heightForDigit(digit, bar) * 72.0);
}
