#pragma once
// The 2 of 5 digit table and the Interleaved and Industrial 2 of 5 module
// strings.

#include <array>
#include <string>
#include <string_view>

namespace twoOfFive {

// The five elements of each digit, 'N' narrow and 'W' wide.
inline constexpr std::array<std::string_view, 10> kElements{
    "NNWWN", "WNNNW", "NWNNW", "WWNNN", "NNWNW", "WNWNN", "NWWNN", "NNNWW", "WNNWN", "NWNWN",
};

// Start and stop shared by both variants: narrow bar, narrow space, narrow
// bar, narrow space; and wide bar, narrow space, narrow bar.
inline constexpr std::string_view kStart = "1010";
inline constexpr std::string_view kStop = "11101";

// Whether element 0 to 4 of a digit is narrow; a non-digit is all narrow.
constexpr bool isNarrow(char digit, int element) {
    if (digit < '0' || digit > '9' || element < 0 || element > 4) {
        return true;
    }
    return kElements[digit - '0'][element] == 'N';
}

// The interleaved pairs of a digit string (wide = three modules); an odd
// count gets a leading "0". Start and stop are not included.
std::string interleavedModules(std::string_view digits);

// Industrial 2 of 5: every element a bar ("1" narrow, "111" wide) followed
// by a two-module space. Start and stop are not included.
std::string industrialModules(std::string_view digits);

} // namespace twoOfFive
