#pragma once
// UPC-A: 11 data digits (the first the number system) and a check digit.

#include "barcodes/NKDAbstractUPCEANBarcode.h"

class NKDUPCABarcode : public NKDAbstractUPCEANBarcode {
public:
    using NKDAbstractUPCEANBarcode::initWithContent;
    // Up to 11 characters get their check digit computed; 12 give the 12th
    // as check digit and keep 11. A longer content is kept whole, so it is
    // refused rather than silently cut.
    bool initWithContent(const QString& content, bool printsCaption) override;
    // 11 digits whose check digit equals the one held.
    bool isContentValid() const override;
    // For a content of exactly 11 digits.
    void generateChecksum() override;
    QString barcode() const override;
    // Digits 2 to 6, a TAB, digits 7 to 11.
    QString caption() const override;
};
