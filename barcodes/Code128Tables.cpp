#include "barcodes/Code128Tables.h"

namespace code128 {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

int bestCodeSet(std::string_view content) {
    int digits = 0;
    int controls = 0;
    int lowers = 0;
    for (const char ch : content) {
        const auto c = static_cast<unsigned char>(ch);
        if (isDigit(ch)) {
            ++digits;
        } else if (c < 32 || c == 127) {
            ++controls;
        } else if (c >= 'a' && c <= 'z') {
            ++lowers;
        }
    }
    if (digits == static_cast<int>(content.size())) {
        return kSetC;
    }
    return controls > lowers ? kSetA : kSetB;
}

std::optional<std::vector<int>> symbolValues(std::string_view content, int startSet) {
    if (startValue(startSet) < 0) {
        return std::nullopt;
    }
    std::vector<int> values;
    int set = startSet;
    std::size_t i = 0;
    while (i < content.size()) {
        const char ch = content[i];
        const auto c = static_cast<unsigned char>(ch);
        if (c > 127) {
            return std::nullopt;
        }
        if (set == kSetC) {
            if (isDigit(ch) && i + 1 < content.size() && isDigit(content[i + 1])) {
                values.push_back((ch - '0') * 10 + (content[i + 1] - '0'));
                i += 2;
                continue;
            }
            // The character is encoded again in the set switched to.
            set = c < 32 ? kSetA : kSetB;
            values.push_back(set == kSetA ? kCodeA : kCodeB);
            continue;
        }
        const int value = valueInSet(c, set);
        if (value >= 0) {
            values.push_back(value);
        } else {
            values.push_back(kShift);
            values.push_back(valueInSet(c, set == kSetA ? kSetB : kSetA));
        }
        ++i;
    }
    return values;
}

int checkValue(int startSet, const std::vector<int>& values) {
    long sum = startValue(startSet);
    for (std::size_t i = 0; i < values.size(); ++i) {
        sum += static_cast<long>(i + 1) * values[i];
    }
    return static_cast<int>(sum % 103);
}

} // namespace code128
