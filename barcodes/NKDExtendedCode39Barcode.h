#pragma once
// Full-ASCII Code 39: characters beyond the Code 39 set are written as two
// Code 39 characters; the caption keeps the content as typed.

#include "barcodes/NKDCode39Barcode.h"

class NKDExtendedCode39Barcode : public NKDCode39Barcode {
public:
    using NKDCode39Barcode::initWithContent;
    // As Code 39, then the content is set back to the text passed in.
    bool initWithContent(const QString& content, bool printsCaption) override;
    // One or two Code 39 patterns. Control characters other than TAB and LF,
    // and DEL, have none and make the content invalid, as this symbology has
    // always refused them.
    QString _encodeChar(char c) const override;
};
