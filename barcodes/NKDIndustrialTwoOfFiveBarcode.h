#pragma once
// Industrial 2 of 5: every element a bar (narrow one module, wide three)
// followed by a two-module space.

#include "barcodes/NKDInterleavedTwoOfFiveBarcode.h"

class NKDIndustrialTwoOfFiveBarcode : public NKDInterleavedTwoOfFiveBarcode {
public:
    // The digits one after another, no leading zero. Start and stop stay the
    // two-bar ones of Interleaved 2 of 5, as this symbology has always been
    // drawn here.
    QString barcode() const override;
};
