#pragma once
// Tables and checks of the postal codes: POSTNET/PLANET bar heights and the
// two 4-state codes (Royal Mail customer code and Japan Post customer code).
//
// A 4-state bar is written as a letter: 'F' full, 'A' ascender, 'D'
// descender, 'T' tracker (or timing bar). As a descriptor value, bit 2 marks
// an ascender and bit 1 a descender: F 3, A 2, D 1, T 0.

#include <array>
#include <string>
#include <string_view>

namespace postal {

// Descriptor value of a bar letter.
constexpr int barValue(char letter) {
    switch (letter) {
    case 'F':
        return 3;
    case 'A':
        return 2;
    case 'D':
        return 1;
    default:
        return 0;
    }
}
constexpr bool hasAscender(int bar) {
    return (bar & 2) != 0;
}
constexpr bool hasDescender(int bar) {
    return (bar & 1) != 0;
}

} // namespace postal

namespace postnet {

// Full ('F') and half ('H') bars 1 to 5 of each digit.
inline constexpr std::array<std::string_view, 10> kBars{
    "FFHHH", "HHHFF", "HHFHF", "HHFFH", "HFHHF", "HFHFH", "HFFHH", "FHHHF", "FHHFH", "FHFHH",
};

// Bar heights in inches.
inline constexpr double kFullInches = 0.125;
inline constexpr double kHalfInches = 0.05;

// Whether bar 1 to 5 of a digit is full; false for a non-digit.
constexpr bool isFullBar(char digit, int bar) {
    if (digit < '0' || digit > '9' || bar < 1 || bar > 5) {
        return false;
    }
    return kBars[digit - '0'][bar - 1] == 'F';
}

// The check digit ('0' to '9'): what brings the digit sum to a multiple of
// ten. None (0) when a character is no digit.
char checkDigit(std::string_view digits);

} // namespace postnet

namespace royalmail {

struct CharBars {
    char ch;
    std::string_view bars;
};

// The 36 characters in their 6 x 6 grid, row by row.
inline constexpr std::array<CharBars, 36> kChars{{
    {'0', "TTFF"}, {'1', "TDAF"}, {'2', "TDFA"}, {'3', "DTAF"}, {'4', "DTFA"}, {'5', "DDAA"},
    {'6', "TADF"}, {'7', "TFTF"}, {'8', "TFDA"}, {'9', "DATF"}, {'A', "DADA"}, {'B', "DFTA"},
    {'C', "TAFD"}, {'D', "TFAD"}, {'E', "TFFT"}, {'F', "DAAD"}, {'G', "DAFT"}, {'H', "DFAT"},
    {'I', "ATDF"}, {'J', "ADTF"}, {'K', "ADDA"}, {'L', "FTTF"}, {'M', "FTDA"}, {'N', "FDTA"},
    {'O', "ATFD"}, {'P', "ADAD"}, {'Q', "ADFT"}, {'R', "FTAD"}, {'S', "FTFT"}, {'T', "FDAT"},
    {'U', "AADD"}, {'V', "AFTD"}, {'W', "AFDT"}, {'X', "FATD"}, {'Y', "FADT"}, {'Z', "FFTT"},
}};

// Index of a character in the grid, -1 for any other character.
constexpr int gridIndex(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'Z') {
        return c - 'A' + 10;
    }
    return -1;
}

// The four bars of a character, "TTTT" for a character outside the grid.
constexpr std::string_view bars(char c) {
    const int index = gridIndex(c);
    return index < 0 ? std::string_view("TTTT") : kChars[index].bars;
}

// The check character of a content of grid characters: the grid character
// at the row and column sums (each modulo 6, 0 counting as 6). Characters
// outside the grid add nothing.
char checkCharacter(std::string_view content);

// Bar extents in millimetres above the common baseline.
inline constexpr double kAscenderTopMm = 5.05;
inline constexpr double kShortTopMm = 3.15;
inline constexpr double kRaisedBottomMm = 1.9;

} // namespace royalmail

namespace japanpost {

// Three bars per character, indexed by character code minus 45: "-" "."
// "/", the digits, then the control characters CC1 to CC6 (":" to "?").
// "." and "/" stand for CC7 and CC8.
inline constexpr char kFirstChar = '-';
inline constexpr std::array<std::string_view, 19> kChars{
    "TFT", // -
    "TTF", // . (CC7)
    "FFF", // / (CC8)
    "FTT", // 0
    "FFT", // 1
    "FDA", // 2
    "DFA", // 3
    "FAD", // 4
    "FTF", // 5
    "DAF", // 6
    "AFD", // 7
    "ADF", // 8
    "TFF", // 9
    "DAT", // : (CC1)
    "DTA", // ; (CC2)
    "ADT", // < (CC3)
    "TDA", // = (CC4)
    "ATD", // > (CC5)
    "TAD", // ? (CC6)
};
inline constexpr std::string_view kStart = "FD";
inline constexpr std::string_view kStop = "DF";

// Number of encoded characters (without check) in every symbol.
inline constexpr std::size_t kLength = 20;
// The filler of unused places (CC4).
inline constexpr char kFiller = '=';

// The three bars of an encoded character, empty for any other.
constexpr std::string_view bars(char c) {
    const int index = c - kFirstChar;
    return index >= 0 && index < static_cast<int>(kChars.size()) ? kChars[index]
                                                                 : std::string_view{};
}

struct Encoded {
    std::string contents; // the 20 encoded characters
    std::string caption;  // the text shown under the symbol
};

// Encodes a content: upper case; "A" to "J", "K" to "T" and "U" to "Z" become
// CC1, CC2 or CC3 and the letter's place as a digit; digits and "-" stand
// for themselves; every other character is dropped. The result is filled to
// 20 characters with CC4; a longer one ends before the first character that
// does not fit whole.
Encoded encode(std::string_view content);

// The check character of 20 encoded characters: 19 - (sum mod 19) with the
// values 0-9, "-" 10, CC1 to CC4 11 to 14, written as a digit, "-", CC1 to
// CC8 (":" to "?", ".", "/") and "0" for 19.
char checkCharacter(std::string_view contents);

// Bar extents in millimetres at the nominal size 10.
inline constexpr double kAscenderTopMm = 3.6;
inline constexpr double kShortTopMm = 2.4;
inline constexpr double kRaisedBottomMm = 1.2;
// Sizes of the symbol (nominal 10).
inline constexpr float kMinSize = 8.5f;
inline constexpr float kMaxSize = 11.5f;
inline constexpr float kNominalSize = 10.0f;

} // namespace japanpost
