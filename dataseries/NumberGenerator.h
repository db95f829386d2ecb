#pragma once
// The values of the number sequence generator, and the limits its numeric
// fields keep while the user types. No widgets.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

namespace numbergen {

// Prepends "0" until the text is at least `length` long.
QString PadZero(const QString& text, int length);

// prefix + n + suffix for n from the value of `from` to the value of `to`;
// with `padDigits` n is padded to the longer of the two typed texts.
QStringList Sequential_Values(const QString& prefix, const QString& from, const QString& to,
                              const QString& suffix, bool padDigits);

// The value `count` times, as typed.
QStringList Constant_Values(const QString& value, int count);

// A random number in [min, max], both included.
using RandomSource = std::function<std::uint32_t(std::uint32_t min, std::uint32_t max)>;
// The system's source (arc4random_uniform).
std::uint32_t getRandomNumberBetweenMin(std::uint32_t min, std::uint32_t max);

// `count` values prefix + a number of `length` digits (1..9, as the text "1"
// to "9") + suffix. A length text that is none of "1".."9" gives no values.
QStringList Random_Values(const QString& prefix, const QString& length, const QString& suffix,
                          int count, const RandomSource& source = getRandomNumberBetweenMin);

// Typing limits. Counts: empty or not a non-zero number gives "1", at most 5
// characters, at most 10000. Length: likewise "1", one character, at most 9.
// From and To: at most 5 characters and 10000; empty stays empty.
QString Limit_Count_Text(const QString& text);
QString Limit_Length_Text(const QString& text);
QString Limit_Range_Text(const QString& text);

} // namespace numbergen
