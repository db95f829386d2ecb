#pragma once
// Plessey: hexadecimal characters of four bits, least significant first
// (a narrow bar and wide space for 0, the reverse for 1), eight CRC check
// bits, and the termination bars readers expect.

#include "barcodes/NKDModifiedPlesseyBarcode.h"

class NKDModifiedPlesseyHexBarcode : public NKDModifiedPlesseyBarcode {
public:
    // The 16 modules of "0" to "9" or "A" to "F"; "" for any other.
    QString _encodeChar(char c) const override;
    QString initiator() const override;
    QString terminator() const override;
    // The characters and the eight CRC bits.
    QString barcode() const override;
    // No check character: the CRC bits take its place.
    void generateChecksum() override;
};
