#pragma once
// Code 39: capitals, digits and " -.$/+%", framed by the "*" character.

#include "barcodes/NKDBarcode.h"

class NKDCode39Barcode : public NKDBarcode {
public:
    using NKDBarcode::initWithContent;
    // The content is kept in upper case.
    bool initWithContent(const QString& content, bool printsCaption) override;
    // The 13-module pattern; "" for a character outside the table and for
    // "*", which readers would take for the end of the symbol.
    QString _encodeChar(char c) const override;
    // The "*" pattern.
    QString initiator() const override;
    QString terminator() const override;
    // No modulo-43 check character: readers do not expect one unless told.
};
