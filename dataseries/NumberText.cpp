#include "dataseries/NumberText.h"

#include <string_view>

namespace {

// Significant digits spreadsheet programs show of a number.
constexpr size_t shownDigits = 15;

// Exponents of more digits than this (after leading zeros) are left alone:
// no workbook writes them, and the arithmetic below stays far from overflow.
constexpr size_t longestExponent = 9;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A stored number taken apart: its sign, all mantissa digits in order, how
// many of them stand before the point, and its exponent as written.
struct StoredNumber {
    bool negative = false;
    std::string digits;
    size_t beforePoint = 0;
    bool fraction = false;
    bool hasExponent = false;
    char exponentLetter = 'E';
    bool exponentSigned = false; // the exponent was written with + or -
    size_t exponentWidth = 0;    // its digits as written, leading zeros too
    long long exponent = 0;
};

bool parse(std::string_view s, StoredNumber& n) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
        n.negative = s[i] == '-';
        ++i;
    }
    n.digits.reserve(s.size());
    for (; i < s.size(); ++i) {
        if (isDigit(s[i])) {
            n.digits += s[i];
        } else if (s[i] == '.' && !n.fraction) {
            n.fraction = true;
            n.beforePoint = n.digits.size();
        } else {
            break;
        }
    }
    if (n.digits.empty()) {
        return false;
    }
    if (!n.fraction) {
        n.beforePoint = n.digits.size();
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        n.hasExponent = true;
        n.exponentLetter = s[i];
        ++i;
        bool negativeExponent = false;
        if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
            n.exponentSigned = true;
            negativeExponent = s[i] == '-';
            ++i;
        }
        const size_t start = i;
        size_t used = 0;
        for (; i < s.size() && isDigit(s[i]); ++i) {
            if (used == 0 && s[i] == '0') {
                continue;
            }
            if (++used > longestExponent) {
                return false;
            }
            n.exponent = n.exponent * 10 + (s[i] - '0');
        }
        n.exponentWidth = i - start;
        if (n.exponentWidth == 0) {
            return false;
        }
        if (negativeExponent) {
            n.exponent = -n.exponent;
        }
    }
    return i == s.size();
}

} // namespace

bool Shorten_Number_Text(std::string& text) {
    StoredNumber n;
    if (!parse(text, n) || (!n.fraction && !n.hasExponent)) {
        return false;
    }
    const size_t first = n.digits.find_first_not_of('0');
    if (first == std::string::npos || n.digits.size() - first <= shownDigits) {
        return false;
    }
    // The value is 0.<significant digits> times ten to the power `scale`.
    long long scale =
        static_cast<long long>(n.beforePoint) - static_cast<long long>(first) + n.exponent;
    std::string kept = n.digits.substr(first, shownDigits);
    if (n.digits[first + shownDigits] >= '5') {
        // Round up in decimal, carrying through the nines.
        size_t at = kept.size();
        while (at > 0 && kept[at - 1] == '9') {
            kept[--at] = '0';
        }
        if (at == 0) {
            kept.insert(kept.begin(), '1');
            kept.pop_back();
            ++scale;
        } else {
            ++kept[at - 1];
        }
    }
    kept.erase(kept.find_last_not_of('0') + 1);

    std::string out;
    if (n.negative) {
        out += '-';
    }
    if (n.hasExponent) {
        out += kept[0];
        if (kept.size() > 1) {
            out += '.';
            out.append(kept, 1);
        }
        const long long exponent = scale - 1;
        out += n.exponentLetter;
        if (exponent < 0) {
            out += '-';
        } else if (n.exponentSigned) {
            out += '+';
        }
        const std::string magnitude = std::to_string(exponent < 0 ? -exponent : exponent);
        if (magnitude.size() < n.exponentWidth) {
            out.append(n.exponentWidth - magnitude.size(), '0');
        }
        out += magnitude;
    } else if (scale <= 0) {
        out += "0.";
        out.append(static_cast<size_t>(-scale), '0');
        out += kept;
    } else if (static_cast<size_t>(scale) < kept.size()) {
        out.append(kept, 0, static_cast<size_t>(scale));
        out += '.';
        out.append(kept, static_cast<size_t>(scale));
    } else {
        out += kept;
        out.append(static_cast<size_t>(scale) - kept.size(), '0');
    }
    if (out == text) {
        return false;
    }
    text = std::move(out);
    return true;
}
