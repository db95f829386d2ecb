#pragma once
// The Royal Mail 4-state customer code: four bars per character out of the
// 36 characters "0" to "9" and "A" to "Z", a start and a stop bar and a
// check character. Caption, header and footer are always drawn.

#include "barcodes/NKDBarcode.h"

class NKDRoyalMailBarcode : public NKDBarcode {
public:
    using NKDBarcode::initWithContent;
    // The content in upper case; bar width 0.5 mm, height 5.05 mm, the check
    // character and the width.
    bool initWithContent(const QString& content, bool printsCaption) override;
    QString initiator() const override;
    QString terminator() const override;
    // Four one-module bars with their spaces for "0" to "9" and "A" to "Z";
    // "" for any other character, which makes the content invalid.
    QString _encodeChar(char c) const override;
    // The grid character of the row and column sums.
    void generateChecksum() override;
    bool printsCaption() const override;
    bool printsHeader() const override;
    bool printsFooter() const override;
    // Ascenders reach 5.05 mm, other bars 3.15 mm.
    float barTop(int index) const override;
    // Descenders start at the baseline, other bars 1.9 mm above it.
    float barBottom(int index) const override;

    // The bar value (3 full, 2 ascender, 1 descender, 0 tracker) of the bar
    // at a module index.
    int _barDescriptor(int index) const;
};
