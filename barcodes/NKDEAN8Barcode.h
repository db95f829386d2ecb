#pragma once
// EAN-8: 7 data digits and a check digit, all in plain parity.

#include "barcodes/NKDEAN13Barcode.h"

class NKDEAN8Barcode : public NKDEAN13Barcode {
public:
    using NKDEAN13Barcode::initWithContent;
    // 7 characters get their check digit computed; 8 give the 8th as check
    // digit and keep 7.
    bool initWithContent(const QString& content, bool printsCaption) override;
    // 7 digits whose check digit equals the one held (a typed 8th digit must
    // be the right one).
    bool isContentValid() const override;
    // For a content of exactly 7 digits (weights 3, 1, 3, 1, 3, 1, 3).
    void generateChecksum() override;
    QString barcode() const override;
    // One space, digits 1 to 4, a TAB, digits 5 to 7 and the check digit.
    QString caption() const override;
    int digitsToLeft() const override;
    int digitsToRight() const override;
};
