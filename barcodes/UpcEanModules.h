#pragma once
// Pieces shared by the EAN/UPC symbology classes.

#include "barcodes/NKDAbstractUPCEANBarcode.h"

#include <string_view>

namespace upcean {

// The right-hand patterns of the digits and of the check character (when
// not -1).
QString rightHand(const NKDAbstractUPCEANBarcode& model, std::string_view digits,
                  signed char check);

// The check character as text; "" for -1.
QString checkText(signed char check);

// Whether the text is `length` digits whose check digit is `check`.
bool digitsWithCheck(std::string_view digits, std::size_t length, signed char check);

// The check character held for a typed one: the character when ASCII, -1
// otherwise.
signed char typedCheck(QChar check);

} // namespace upcean
