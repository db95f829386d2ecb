#include "dataseries/NumberGenerator.h"

#include "core/StringFunctions.h"

#include <cstdlib>

namespace numbergen {

QString PadZero(const QString& text, int length) {
    QString padded = text;
    while (padded.size() < length) {
        padded.prepend(QLatin1Char('0'));
    }
    return padded;
}

namespace {

// The integer value of a typed number: leading blanks and digits, as far as
// they go; 0 when there is none.
long long intValue(const QString& text) {
    const QString trimmed = text.trimmed();
    qsizetype end = 0;
    if (end < trimmed.size() &&
        (trimmed[end] == QLatin1Char('-') || trimmed[end] == QLatin1Char('+'))) {
        ++end;
    }
    while (end < trimmed.size() && trimmed[end].isDigit() && end < 18) {
        ++end;
    }
    bool ok = false;
    const long long value = trimmed.left(end).toLongLong(&ok);
    return ok ? value : 0;
}

} // namespace

QStringList Sequential_Values(const QString& prefix, const QString& from, const QString& to,
                              const QString& suffix, bool padDigits) {
    const long long first = intValue(from);
    const long long last = intValue(to);
    const int width = int(qMax(from.size(), to.size()));
    QStringList values;
    for (long long n = first; n <= last; ++n) {
        QString number = QString::number(n);
        if (padDigits) {
            number = PadZero(number, width);
        }
        values.append(prefix + number + suffix);
    }
    return values;
}

QStringList Constant_Values(const QString& value, int count) {
    QStringList values;
    for (int i = 0; i < count; ++i) {
        values.append(value);
    }
    return values;
}

std::uint32_t getRandomNumberBetweenMin(std::uint32_t min, std::uint32_t max) {
    return min + arc4random_uniform(max - min + 1);
}

QStringList Random_Values(const QString& prefix, const QString& length, const QString& suffix,
                          int count, const RandomSource& source) {
    QStringList values;
    if (length.size() != 1 || length[0] < QLatin1Char('1') || length[0] > QLatin1Char('9')) {
        return values;
    }
    const int digits = length[0].unicode() - '0';
    std::uint32_t low = 1;
    for (int i = 1; i < digits; ++i) {
        low *= 10;
    }
    const std::uint32_t high = low * 10 - 1;
    for (int i = 0; i < count; ++i) {
        values.append(prefix + QString::number(source(low, high)) + suffix);
    }
    return values;
}

namespace {

QString limitNumber(const QString& text, int maxChars, int maxValue, bool emptyIsOne) {
    const QString trimmed = Trim_Str(text);
    if (emptyIsOne && (trimmed.isEmpty() || intValue(trimmed) == 0)) {
        return QStringLiteral("1");
    }
    QString limited = text;
    if (limited.size() > maxChars) {
        limited = limited.left(maxChars);
    }
    if (intValue(limited) > maxValue) {
        limited = QString::number(maxValue);
    }
    return limited;
}

} // namespace

QString Limit_Count_Text(const QString& text) {
    return limitNumber(text, 5, 10000, true);
}

QString Limit_Length_Text(const QString& text) {
    return limitNumber(text, 1, 9, true);
}

QString Limit_Range_Text(const QString& text) {
    return limitNumber(text, 5, 10000, false);
}

} // namespace numbergen
