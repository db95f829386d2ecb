#pragma once
// PLANET: POSTNET with full and half bars swapped. The accepted lengths stay
// those of POSTNET (5, 9 or 11 digits), as this symbology has always been
// made here.

#include "barcodes/NKDPostnetBarcode.h"

class NKDPlanetBarcode : public NKDPostnetBarcode {
public:
    double _heightForDigit(int digitIndex, int bar) const override;
};
