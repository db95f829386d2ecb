#pragma once
// Plessey and MSI (modified Plessey) characters, checks, start and stop.

#include <array>
#include <string>
#include <string_view>

namespace plessey {

// Bits of the sixteen characters "0" to "9" and "A" to "F", lowest bit first.
inline constexpr std::array<std::string_view, 16> kBits{
    "0000", "1000", "0100", "1100", "0010", "1010", "0110", "1110",
    "0001", "1001", "0101", "1101", "0011", "1011", "0111", "1111",
};

// A 0 bit is a narrow bar and a wide space, a 1 bit a wide bar and a narrow
// space.
inline constexpr std::string_view kZero = "1000";
inline constexpr std::string_view kOne = "1110";
// Start: the bits 1 1 0 1. Stop: the termination bar group.
inline constexpr std::string_view kStart = "1110111010001110";
inline constexpr std::string_view kStop = "1110001000101110111";
// The CRC polynomial x^8 + x^7 + x^6 + x^5 + x^3 + 1.
inline constexpr std::string_view kPolynomial = "111101001";

// The value of a hexadecimal character "0" to "9" or "A" to "F", else -1.
constexpr int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// The 16 modules of a hexadecimal character, empty for any other.
std::string charModules(char c);

// The eight check bits ("0"/"1") over the characters' bits in drawn order,
// empty when a character is not hexadecimal.
std::string crcBits(std::string_view content);

// Modules of a run of "0"/"1" bits.
std::string bitModules(std::string_view bits);

} // namespace plessey

namespace msi {

// Start: one wide bar and a narrow space. Stop: narrow bar, wide space,
// narrow bar.
inline constexpr std::string_view kStart = "110";
inline constexpr std::string_view kStop = "1001";
// A 0 bit is a narrow bar and a wide space, a 1 bit a wide bar and a narrow
// space.
inline constexpr std::string_view kZero = "100";
inline constexpr std::string_view kOne = "110";

// The 12 modules of a digit (four bits, most significant first), empty for
// any other character.
std::string digitModules(char c);

// The modulo-10 check digit ('0' to '9'): counted from the right, digits in
// odd places are doubled and the decimal digits of the products added, the
// others added as they are. None (0) for an empty text or a non-digit.
char checkDigit(std::string_view digits);

} // namespace msi
