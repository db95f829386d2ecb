#pragma once
// EAN-13: 12 data digits and a check digit; the first digit is carried by
// the parities of the next six.

#include "barcodes/NKDAbstractUPCEANBarcode.h"

class NKDEAN13Barcode : public NKDAbstractUPCEANBarcode {
public:
    using NKDAbstractUPCEANBarcode::initWithContent;
    // Up to 12 characters get their check digit computed; 13 give the 13th
    // as check digit and keep 12. A longer content is kept whole, so it is
    // refused rather than silently cut.
    bool initWithContent(const QString& content, bool printsCaption) override;
    // 12 digits whose check digit equals the one held.
    bool isContentValid() const override;
    // For a content of exactly 12 digits.
    void generateChecksum() override;
    QString barcode() const override;
    // Two spaces, digits 2 to 7, a TAB, digits 8 to 12 and the check digit.
    QString caption() const override;
    QString rightCaption() const override;
    int digitsToRight() const override;

    // Whether the index-th (1 to 6) left digit takes even parity for the
    // first digit.
    static bool _parityForSystemDigit(char firstDigit, int index);
};
