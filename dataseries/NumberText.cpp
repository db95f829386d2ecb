#include "dataseries/NumberText.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

namespace {

// Digits a double always keeps: a decimal of at most this many significant
// digits reads back as itself.
constexpr int keptDigits = 15;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

bool Shorten_Number_Text(std::string& text) {
    const std::string_view s(text);
    size_t i = 0;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        i = 1;
    }
    // Mantissa: digits, optionally a point and more digits.
    int significant = 0;
    bool leading = true;
    size_t digits = 0;
    bool fraction = false;
    for (; i < s.size(); ++i) {
        if (isDigit(s[i])) {
            ++digits;
            if (leading && s[i] == '0') {
                continue;
            }
            leading = false;
            ++significant;
        } else if (s[i] == '.' && !fraction) {
            fraction = true;
        } else {
            break;
        }
    }
    if (digits == 0) {
        return false;
    }
    bool exponent = false;
    const bool upperE = i < s.size() && s[i] == 'E';
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        exponent = true;
        ++i;
        if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
            ++i;
        }
        const size_t start = i;
        while (i < s.size() && isDigit(s[i])) {
            ++i;
        }
        if (i == start) {
            return false;
        }
    }
    if (i != s.size() || (!fraction && !exponent) || significant <= keptDigits) {
        return false;
    }
    const size_t from = s[0] == '+' ? 1 : 0;
    double value = 0;
    const auto [stop, error] = std::from_chars(s.data() + from, s.data() + s.size(), value);
    if (error != std::errc() || stop != s.data() + s.size() || !std::isfinite(value)) {
        return false;
    }
    char out[400];
    const auto written =
        exponent ? std::to_chars(out, out + sizeof out, value)
                 : std::to_chars(out, out + sizeof out, value, std::chars_format::fixed);
    if (written.ec != std::errc()) {
        return false;
    }
    std::string shortened(out, written.ptr);
    if (upperE) {
        for (char& c : shortened) {
            c = c == 'e' ? 'E' : c;
        }
    }
    if (shortened == text) {
        return false;
    }
    text = std::move(shortened);
    return true;
}
