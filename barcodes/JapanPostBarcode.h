#pragma once
// The Japan Post customer barcode: 20 encoded characters of three bars each
// (letters become a control character and a digit), a check character, and
// start and stop bars. Caption, header and footer are always drawn.
//
// The symbol size (8.5 to 11.5, nominal 10) scales the bars; it is a value
// of its own, while height() stays the picture height in points as for every
// symbology.

#include "barcodes/NKDBarcode.h"

class JapanPostBarcode : public NKDBarcode {
public:
    using NKDBarcode::initWithContent;
    // A null content gives none. The size is the height argument kept within
    // 8.5 to 11.5 when it lies between 8.0 and 11.5, else 10; the bar width
    // follows it.
    bool initWithContent(const QString& content, bool printsCaption, float barWidth, float height,
                         float fontSize, signed char checkDigit) override;
    // Encodes the content (upper case; characters it cannot hold are
    // dropped), keeps the shown text as content and sets the check.
    void setContent(const QString& content) override;
    // Keeps the bar width within 1.3333334 and 1.9166666 points and sets the
    // size to 6 x bar width.
    void setBarWidth(float barWidth) override;
    // The encoded characters and the check character.
    QString barcode() const override;
    QString initiator() const override;
    QString terminator() const override;
    // Three one-module bars with their spaces for an encoded character.
    QString _encodeChar(char c) const override;
    void generateChecksum() override;
    // At least seven characters, the first seven digits (the postal code).
    bool isContentValid() const override;
    bool printsCaption() const override;
    bool printsHeader() const override;
    bool printsFooter() const override;
    // Ascenders reach 3.6 mm, other bars 2.4 mm, at size 10.
    float barTop(int index) const override;
    // Descenders start at the baseline, other bars 1.2 mm above it, at size
    // 10.
    float barBottom(int index) const override;

    // The 20 encoded characters.
    const QString& japanpostContents() const { return m_japanpostContents; }
    // The symbol size.
    float symbolSize() const { return m_size; }
    // The bar value (3 full, 2 ascender, 1 descender, 0 timing) of the bar
    // at a module index.
    int _barDescriptor(int index) const;

private:
    // Keeps the size within 8.5 to 11.5 and sets the bar width to size / 6.
    void setSymbolSize(float size);

    QString m_japanpostContents;
    float m_size = 10.0f;
};
