#pragma once
// Code 128 in a fixed start set (A, B or C) or with the set chosen from the
// content. Every ASCII character encodes: the encoder switches or shifts
// sets where the start set lacks a character. The check value (0 to 102) is
// kept in checkDigit as a number.

#include "barcodes/NKDBarcode.h"

#include <vector>

class NKDCode128Barcode : public NKDBarcode {
public:
    static constexpr int kSetA = 0;
    static constexpr int kSetB = 1;
    static constexpr int kSetC = 2;
    static constexpr int kAutomatic = 3;

    using NKDBarcode::initWithContent;
    // Base initialisation; the automatic set becomes the content's best set;
    // then the check value and the width.
    bool initWithContent(const QString& content, bool printsCaption) override;

    // Set before initialising.
    int codeSet() const { return m_codeSet; }
    void setCodeSet(int codeSet) { m_codeSet = codeSet; }

    // The start symbol of the code set; "" (and a log line) for an unknown
    // set.
    QString initiator() const override;
    // The stop symbol with its final bar.
    QString terminator() const override;
    // The symbol values of the content and the check value.
    QString barcode() const override;
    // The modules of one character encoded alone in the code set (with the
    // shift or set switch it needs).
    QString _encodeChar(char c) const override;
    // True for an ASCII content in a known set.
    bool isContentValid() const override;
    // The modulo-103 check over the start and every symbol value.
    void generateChecksum() override;

    // The set chosen automatically: C for digits only (or nothing), A when
    // control characters outnumber lower-case letters, else B.
    int _bestCodeSetForContent() const;
    // The pattern of a symbol value 0 to 102, "" for any other value.
    static QString _encodeNumberPair(int value);

private:
    // The data symbol values, or none for a content that does not encode.
    std::optional<std::vector<int>> symbolValues() const;

    int m_codeSet = kAutomatic;
};
