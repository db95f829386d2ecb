#pragma once
// UPC-E: a number system digit ("0" or "1") and six digits standing for a
// UPC-A number with zeros; its check digit, carried by the parities, is the
// one of that UPC-A number.

#include "barcodes/NKDUPCABarcode.h"

class NKDUPCEBarcode : public NKDUPCABarcode {
public:
    using NKDUPCABarcode::initWithContent;
    // 11 characters are a UPC-A number: its check digit is computed and it
    // is compressed (a number that does not compress leaves only its number
    // system digit, which is refused). 8 give the 8th as check digit and
    // keep 7. 7 get the check digit of their UPC-A number.
    bool initWithContent(const QString& content, bool printsCaption) override;
    // "0" or "1" and six digits whose check digit equals the one held.
    bool isContentValid() const override;
    // For 7 digits: the check digit of the UPC-A number they stand for.
    void generateChecksum() override;
    QString barcode() const override;
    // The end guard "010101".
    QString terminator() const override;
    // The six digits.
    QString caption() const override;

    // Whether the index-th (1 to 6) digit takes even parity.
    bool parityForDigit(int index) const;
    // The six UPC-E digits of 11 UPC-A digits and their check digit; "" when
    // the number does not compress or the text is shorter than 12.
    static QString UPCAToUPCE(const QString& upcA);
};
