#pragma once
// Interleaved 2 of 5: digit pairs, the first digit in the bars and the
// second in the spaces; wide elements are three modules.

#include "barcodes/NKDBarcode.h"

class NKDInterleavedTwoOfFiveBarcode : public NKDBarcode {
public:
    // The digit pairs. An odd count of digits gets a leading "0", which
    // readers then return as part of the value; that is how this symbology
    // has always been drawn here.
    QString barcode() const override;
    QString initiator() const override;
    QString terminator() const override;
    // Digits only; an empty content is valid.
    bool isContentValid() const override;
    // Whether element 0 to 4 of a digit is narrow.
    static bool _getBarForDigit(char digit, int barNumber);
};
