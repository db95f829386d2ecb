#include "barcodes/NKDPlanetBarcode.h"

#include "barcodes/PostalTables.h"

double NKDPlanetBarcode::_heightForDigit(int digitIndex, int bar) const {
    const char digit = digitAt(digitIndex);
    if (digit < '0' || digit > '9') {
        return 0.0;
    }
    return postnet::isFullBar(digit, bar) ? postnet::kHalfInches : postnet::kFullInches;
}
