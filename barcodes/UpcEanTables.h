#pragma once
// Parity tables and number rules of EAN-13, EAN-8, UPC-A and UPC-E.
// Parity letters: 'O' odd (the left-hand pattern), 'E' even.

#include <array>
#include <string>
#include <string_view>

namespace upcean {

// Parities of the six left digits of EAN-13, by its first digit.
inline constexpr std::array<std::string_view, 10> kEan13Parity{
    "OOOOOO", "OOEOEE", "OOEEOE", "OOEEEO", "OEOOEE",
    "OEEOOE", "OEEEOO", "OEOEOE", "OEOEEO", "OEEOEO",
};

// Parities of the six UPC-E digits in number system 0, by the check digit;
// number system 1 takes every letter inverted.
inline constexpr std::array<std::string_view, 10> kUpcEParity{
    "EEEOOO", "EEOEOO", "EEOOEO", "EEOOOE", "EOEEOO",
    "EOOEEO", "EOOOEE", "EOEOEO", "EOEOOE", "EOOEOE",
};

// The centre guard of EAN-13, EAN-8 and UPC-A.
inline constexpr std::string_view kCentreGuard = "01010";
// The end guard of UPC-E.
inline constexpr std::string_view kUpcEEndGuard = "010101";

// True when the text is not empty and holds only "0" to "9".
bool allDigits(std::string_view text);

// The modulo-10 check digit ('0' to '9') of a digit string: counted from the
// right, digits in odd places weigh 3, the others 1. None (0) when the text
// holds a non-digit or is empty.
char checkDigit(std::string_view digits);

// Whether the index-th (1 to 6) left digit of an EAN-13 symbol takes even
// parity for the first digit; false for a first character that is no digit.
bool ean13EvenParity(char firstDigit, int index);

// Whether the index-th (1 to 6) UPC-E digit takes even parity for the number
// system ('0' or '1') and check digit; false for anything outside them.
bool upcEEvenParity(char numberSystem, char check, int index);

// The 11 UPC-A digits (without check) that a UPC-E number system digit and
// six digits stand for; empty unless the input is 7 digits.
std::string upcEToUpcA(std::string_view systemAndSix);

// The six UPC-E digits of a 12-character UPC-A number (11 digits and the
// check digit); empty when the number does not compress or is too short.
std::string upcAToUpcE(std::string_view upcA);

} // namespace upcean
