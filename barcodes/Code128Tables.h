#pragma once
// Code 128 symbol patterns and the encoder that turns a text into symbol
// values. Sets: 0 = A, 1 = B, 2 = C.

#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace code128 {

// Eleven-module patterns of the symbol values 0 to 105 (103 to 105 are the
// start symbols of sets A, B and C).
inline constexpr std::array<std::string_view, 106> kPatterns{
    "11011001100", "11001101100", "11001100110", "10010011000", "10010001100", // 0
    "10001001100", "10011001000", "10011000100", "10001100100", "11001001000", // 5
    "11001000100", "11000100100", "10110011100", "10011011100", "10011001110", // 10
    "10111001100", "10011101100", "10011100110", "11001110010", "11001011100", // 15
    "11001001110", "11011100100", "11001110100", "11101101110", "11101001100", // 20
    "11100101100", "11100100110", "11101100100", "11100110100", "11100110010", // 25
    "11011011000", "11011000110", "11000110110", "10100011000", "10001011000", // 30
    "10001000110", "10110001000", "10001101000", "10001100010", "11010001000", // 35
    "11000101000", "11000100010", "10110111000", "10110001110", "10001101110", // 40
    "10111011000", "10111000110", "10001110110", "11101110110", "11010001110", // 45
    "11000101110", "11011101000", "11011100010", "11011101110", "11101011000", // 50
    "11101000110", "11100010110", "11101101000", "11101100010", "11100011010", // 55
    "11101111010", "11001000010", "11110001010", "10100110000", "10100001100", // 60
    "10010110000", "10010000110", "10000101100", "10000100110", "10110010000", // 65
    "10110000100", "10011010000", "10011000010", "10000110100", "10000110010", // 70
    "11000010010", "11001010000", "11110111010", "11000010100", "10001111010", // 75
    "10100111100", "10010111100", "10010011110", "10111100100", "10011110100", // 80
    "10011110010", "11110100100", "11110010100", "11110010010", "11011011110", // 85
    "11011110110", "11110110110", "10101111000", "10100011110", "10001011110", // 90
    "10111101000", "10111100010", "11110101000", "11110100010", "10111011110", // 95
    "10111101110", "11101011110", "11110101110", "11010000100", "11010010000", // 100
    "11010011100",                                                             // 105
};

// The stop symbol with its final bar.
inline constexpr std::string_view kStop = "1100011101011";

inline constexpr int kSetA = 0;
inline constexpr int kSetB = 1;
inline constexpr int kSetC = 2;

inline constexpr int kShift = 98;
inline constexpr int kCodeC = 99;
inline constexpr int kCodeB = 100;
inline constexpr int kCodeA = 101;
inline constexpr int kStartA = 103;

// The pattern of a symbol value, empty outside 0 to 105.
constexpr std::string_view pattern(int value) {
    return value >= 0 && value < static_cast<int>(kPatterns.size()) ? kPatterns[value]
                                                                    : std::string_view{};
}

// The start symbol value of a set (103, 104, 105), -1 for an unknown set.
constexpr int startValue(int set) {
    return set >= kSetA && set <= kSetC ? kStartA + set : -1;
}

// The value of one character in set A or B, -1 when the set lacks it.
constexpr int valueInSet(unsigned char c, int set) {
    if (set == kSetA) {
        if (c < 32) {
            return c + 64;
        }
        return c < 96 ? c - 32 : -1;
    }
    if (set == kSetB) {
        return c >= 32 && c < 128 ? c - 32 : -1;
    }
    return -1;
}

// The set chosen automatically for a content: C when it holds only digits
// (or nothing), else A when it holds more control characters than lower-case
// letters, else B.
int bestCodeSet(std::string_view content);

// The data symbol values of `content` started in `startSet`, without start
// and check symbols; none when a character is outside ASCII or the set is
// unknown. Set C packs digit pairs; an unpaired digit or another character
// switches to set A (control characters) or B for the rest. In sets A and B a
// character the set lacks is SHIFT followed by its value in the other set.
std::optional<std::vector<int>> symbolValues(std::string_view content, int startSet);

// The modulo-103 check: start value plus every symbol value weighted by its
// position (from 1).
int checkValue(int startSet, const std::vector<int>& values);

} // namespace code128
