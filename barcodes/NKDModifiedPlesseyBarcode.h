#pragma once
// Modified Plessey as readers know it (MSI): every digit four bits, most
// significant first, a narrow bar and wide space for 0 and the reverse for
// 1; one modulo-10 check digit.

#include "barcodes/NKDBarcode.h"

class NKDModifiedPlesseyBarcode : public NKDBarcode {
public:
    using NKDBarcode::initWithContent;
    // The content in upper case, then the check and the width.
    bool initWithContent(const QString& content, bool printsCaption) override;
    // The 12 modules of a digit; "" for any other character.
    QString _encodeChar(char c) const override;
    QString initiator() const override;
    QString terminator() const override;
    // The modulo-10 check digit of a content of digits (else none).
    void generateChecksum() override;
};
