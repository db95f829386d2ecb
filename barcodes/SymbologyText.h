#pragma once
// Small text helpers shared by the symbology classes.

#include <QString>
#include <string>
#include <string_view>

namespace symbology {

// The text with "a" to "z" made capitals; every other character is kept, so
// a character outside ASCII never turns into an ASCII one.
inline QString asciiUpper(const QString& text) {
    QString upper = text;
    for (QChar& ch : upper) {
        if (ch >= QLatin1Char('a') && ch <= QLatin1Char('z')) {
            ch = QChar(ch.unicode() - 'a' + 'A');
        }
    }
    return upper;
}

// A module string of the table functions as a QString.
inline QString modules(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// The text as a byte string when every character is ASCII, else "".
inline std::string asciiText(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar ch : text) {
        if (ch.unicode() > 0x7f) {
            return {};
        }
        bytes += static_cast<char>(ch.unicode());
    }
    return bytes;
}

// Millimetres to points.
constexpr double mmToPoints(double mm) {
    return mm * 72.0 / 25.4;
}

} // namespace symbology
