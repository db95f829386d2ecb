#pragma once
// Codabar: digits and "-$:/.+" between a start and a stop letter "A" to "D",
// typed as part of the content; one narrow space between characters.

#include "barcodes/NKDBarcode.h"

class NKDCodabarBarcode : public NKDBarcode {
public:
    // The pattern of a character; "" for one outside the table.
    QString _encodeChar(char c) const override;
    // The patterns joined by one-module gaps.
    QString barcode() const override;
    // The first and the last character are "A" to "D", no other one is, and
    // every character has a pattern.
    bool isContentValid() const override;
};
