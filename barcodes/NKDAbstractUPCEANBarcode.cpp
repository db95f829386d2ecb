#include "barcodes/NKDAbstractUPCEANBarcode.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<const char*, 10> kLeftOddPatterns = {
    "0001101", "0011001", "0010011", "0111101", "0100011",
    "0110001", "0101111", "0111011", "0110111", "0001011",
};

} // namespace

void NKDAbstractUPCEANBarcode::calculateWidth() {
    if (m_content.isEmpty()) {
        m_width = 0.0f;
        return;
    }
    const float modules = static_cast<float>(completeBarcode().size()) * m_barWidth;
    m_width = static_cast<float>(static_cast<double>(modules) * 1.2);
}

void NKDAbstractUPCEANBarcode::generateChecksum() {
    const auto ascii = asciiForm(m_content);
    if (!ascii || ascii->size() != 11) {
        return;
    }
    int odd = 0;
    int even = 0;
    bool isOdd = true;
    for (auto it = ascii->crbegin(); it != ascii->crend(); ++it) {
        const int digit = *it - '0';
        (isOdd ? odd : even) += digit;
        isOdd = !isOdd;
    }
    // Non-digit characters may make the sum negative; keep the remainder in
    // 0..9 so the check is always a digit.
    const int remainder = ((3 * odd + even) % 10 + 10) % 10;
    setCheckDigit(static_cast<signed char>('0' + (10 - remainder) % 10));
}

QString NKDAbstractUPCEANBarcode::initiator() const {
    return QStringLiteral("101");
}

QString NKDAbstractUPCEANBarcode::terminator() const {
    return QStringLiteral("101");
}

QString NKDAbstractUPCEANBarcode::_encodeChar(char c) const {
    if (c < '0' || c > '9') {
        return QString(QLatin1String(""));
    }
    return QString::fromLatin1(kLeftOddPatterns[static_cast<std::size_t>(c - '0')]);
}

int NKDAbstractUPCEANBarcode::digitsToLeft() const {
    return 1;
}

int NKDAbstractUPCEANBarcode::digitsToRight() const {
    return 1;
}

QString NKDAbstractUPCEANBarcode::rightCaption() const {
    if (m_checkDigit == -1) {
        return QString(QLatin1String(""));
    }
    return QString(QLatin1Char(static_cast<char>(m_checkDigit)));
}

float NKDAbstractUPCEANBarcode::firstBar() const {
    return static_cast<float>(static_cast<double>(m_width) * 0.1);
}

float NKDAbstractUPCEANBarcode::lastBar() const {
    return static_cast<float>(static_cast<double>(m_width) * 0.9 - m_barWidth);
}

QString swapHandedness(const QString& pattern) {
    QString swapped(pattern.size(), QLatin1Char('0'));
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == QLatin1Char('0')) {
            swapped[i] = QLatin1Char('1');
        }
    }
    return swapped;
}

QString swapParity(const QString& pattern) {
    QString swapped = swapHandedness(pattern);
    std::reverse(swapped.begin(), swapped.end());
    return swapped;
}
