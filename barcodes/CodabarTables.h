#pragma once
// Codabar character patterns (narrow one module, wide two).

#include <array>
#include <string_view>

namespace codabar {

struct CharPattern {
    char ch;
    std::string_view modules;
};

inline constexpr std::array<CharPattern, 20> kPatterns{{
    {'0', "101010011"},  {'1', "101011001"},  {'2', "101001011"},  {'3', "110010101"},
    {'4', "101101001"},  {'5', "110101001"},  {'6', "100101011"},  {'7', "100101101"},
    {'8', "100110101"},  {'9', "110100101"},  {'-', "101001101"},  {'$', "101100101"},
    {':', "1101011011"}, {'/', "1101101011"}, {'.', "1101101101"}, {'+', "1011011011"},
    {'A', "1011001001"}, {'B', "1001001011"}, {'C', "1010010011"}, {'D', "1010011001"},
}};

// The gap between two characters.
inline constexpr std::string_view kGap = "0";

// The pattern of a character, empty when it has none.
constexpr std::string_view pattern(char c) {
    for (const CharPattern& entry : kPatterns) {
        if (entry.ch == c) {
            return entry.modules;
        }
    }
    return {};
}

// Whether a character is one of the start/stop letters "A" to "D".
constexpr bool isStartStop(char c) {
    return c >= 'A' && c <= 'D';
}

} // namespace codabar
