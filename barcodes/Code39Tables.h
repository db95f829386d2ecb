#pragma once
// Code 39 character patterns and the full-ASCII (extended) substitutions.
// A pattern holds the nine elements of a character (narrow one module, wide
// two) followed by the one-module gap between characters.

#include <array>
#include <string>
#include <string_view>

namespace code39 {

struct CharPattern {
    char ch;
    std::string_view modules;
};

inline constexpr std::array<CharPattern, 44> kPatterns{{
    {' ', "1001101011010"}, {'$', "1001001001010"}, {'%', "1010010010010"}, {'*', "1001011011010"},
    {'+', "1001010010010"}, {'-', "1001010110110"}, {'.', "1100101011010"}, {'/', "1001001010010"},
    {'0', "1010011011010"}, {'1', "1101001010110"}, {'2', "1011001010110"}, {'3', "1101100101010"},
    {'4', "1010011010110"}, {'5', "1101001101010"}, {'6', "1011001101010"}, {'7', "1010010110110"},
    {'8', "1101001011010"}, {'9', "1011001011010"}, {'A', "1101010010110"}, {'B', "1011010010110"},
    {'C', "1101101001010"}, {'D', "1010110010110"}, {'E', "1101011001010"}, {'F', "1011011001010"},
    {'G', "1010100110110"}, {'H', "1101010011010"}, {'I', "1011010011010"}, {'J', "1010110011010"},
    {'K', "1101010100110"}, {'L', "1011010100110"}, {'M', "1101101010010"}, {'N', "1010110100110"},
    {'O', "1101011010010"}, {'P', "1011011010010"}, {'Q', "1010101100110"}, {'R', "1101010110010"},
    {'S', "1011010110010"}, {'T', "1010110110010"}, {'U', "1100101010110"}, {'V', "1001101010110"},
    {'W', "1100110101010"}, {'X', "1001011010110"}, {'Y', "1100101101010"}, {'Z', "1001101101010"},
}};

// The character used as start and stop.
inline constexpr char kStartStop = '*';

// Full-ASCII characters written as two Code 39 characters. Lower-case letters
// ("+" and the capital) are derived in extendedPair().
struct ExtendedPair {
    char ch;
    std::string_view pair;
};

inline constexpr std::array<ExtendedPair, 32> kExtendedPairs{{
    {'\t', "$I"}, {'\n', "$J"}, {'!', "/A"},  {'"', "/B"}, {'#', "/C"}, {'$', "/D"}, {'%', "/E"},
    {'&', "/F"},  {'\'', "/G"}, {'(', "/H"},  {')', "/I"}, {'*', "/J"}, {'+', "/K"}, {',', "/L"},
    {'/', "/O"},  {':', "/Z"},  {';', "%F"},  {'<', "%G"}, {'=', "%H"}, {'>', "%I"}, {'?', "%J"},
    {'@', "%V"},  {'[', "%K"},  {'\\', "%L"}, {']', "%M"}, {'^', "%N"}, {'_', "%O"}, {'`', "%W"},
    {'{', "%P"},  {'|', "%Q"},  {'}', "%R"},  {'~', "%S"},
}};

// The 13-module pattern of a Code 39 character, empty when it has none.
constexpr std::string_view pattern(char c) {
    for (const CharPattern& entry : kPatterns) {
        if (entry.ch == c) {
            return entry.modules;
        }
    }
    return {};
}

// The Code 39 characters that stand for `c` in full-ASCII Code 39: the
// character itself for space, "-", ".", digits and capitals; a pair for the
// others of the full-ASCII set; empty for characters outside it.
std::string extendedPair(char c);

} // namespace code39
