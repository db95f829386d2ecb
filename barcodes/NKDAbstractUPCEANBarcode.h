#pragma once
// Shared logic of EAN-13, EAN-8, UPC-A and UPC-E: guard patterns, the
// left-hand odd-parity digit patterns, side captions of one digit, a picture
// 20 % wider than the modules, and the modulo-10 check of an 11-digit content.

#include "barcodes/NKDBarcode.h"

class NKDAbstractUPCEANBarcode : public NKDBarcode {
public:
    // Width 0 for an empty content, else modules x barWidth x 1.2.
    void calculateWidth() override;
    // For a content of exactly 11 ASCII characters: weighted sum 3 x odd +
    // even from the last character, check (10 - sum mod 10) mod 10 as a
    // digit character. Other lengths keep the check character.
    void generateChecksum() override;
    // The guard "101".
    QString initiator() const override;
    QString terminator() const override;
    // Left-hand odd-parity pattern of a digit (7 modules); "" for others.
    QString _encodeChar(char c) const override;
    int digitsToLeft() const override;
    int digitsToRight() const override;
    // The check character (not the content's last character); "" when none.
    QString rightCaption() const override;
    float firstBar() const override;
    float lastBar() const override;
};

// The right-hand pattern of a left-hand one: each "0" becomes "1", every
// other character "0".
QString swapHandedness(const QString& pattern);
// The even-parity pattern of an odd-parity one: swapHandedness reversed.
QString swapParity(const QString& pattern);
