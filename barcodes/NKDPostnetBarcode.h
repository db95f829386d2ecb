#pragma once
// POSTNET: five bars per digit, two of them full and three half; a frame bar
// at each end and a check digit. The information lies in the bar heights.

#include "barcodes/NKDBarcode.h"

class NKDPostnetBarcode : public NKDBarcode {
public:
    using NKDBarcode::initWithContent;
    // Bar width 1.08 points, height 9 points, the check digit and the width.
    bool initWithContent(const QString& content, bool printsCaption) override;
    QString initiator() const override;
    QString terminator() const override;
    // Five one-module bars, each followed by two space modules.
    QString _encodeChar(char c) const override;
    // 5, 9 or 11 digits.
    bool isContentValid() const override;
    // What brings the digit sum to a multiple of ten.
    void generateChecksum() override;
    // The frame bars 9 points, every other bar its height for its digit.
    float barTop(int index) const override;

    // Height in inches of bar 1 to 5 of the digit at `digitIndex` (the check
    // digit just past the content); 0 for a non-digit.
    virtual double _heightForDigit(int digitIndex, int bar) const;

protected:
    // The digit at the index: a content character, or the check digit just
    // past them; 0 when there is none.
    char digitAt(int digitIndex) const;
};
