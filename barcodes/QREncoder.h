#pragma once
// QR Code facade: checks a value against the capacity of its class, runs the
// encoder into a module grid, and renders a grid into a vector picture of
// module rectangles. Thread-safe: every call uses its own encoder.

#include "barcodes/DataMatrix.h"
#include "platform/CardPicture.h"

#include <QString>
#include <memory>

class QREncoder {
public:
    QREncoder() = delete;

    // The string as UTF-8; bytes from 0x80 up are 8-bit data.
    static std::unique_ptr<DataMatrix> encodeWithECLevel(int level, int version,
                                                         const QString& string);
    // level 0..3 (L, M, Q, H); version 0 (the smallest that holds the value)
    // or 1..40 (at least that version). Bytes up to the terminating NUL;
    // Shift-JIS Kanji pairs are encoded as Kanji. None when the value is
    // empty, exceeds the capacity or cannot be encoded.
    static std::unique_ptr<DataMatrix> encodeCStringWithECLevel(int level, int version,
                                                                const char* cstring);
    // A picture of imageDimension x imageDimension points (a side smaller
    // than the grid is taken as the grid's size): the modules as vector
    // rectangles, sharp at any resolution. None for a missing or empty grid
    // or while USED_DPI_VALUE is not positive.
    static CardPicture renderDataMatrix(const DataMatrix* matrix, int imageDimension);

    // Both entries share this; kanjiAllowed false for UTF-8 text.
    static std::unique_ptr<DataMatrix> encodeBytes(int level, int version, const char* cstring,
                                                   bool kanjiAllowed);
    // The grid's raster of imageDimension pixels a side before the
    // resolution step (transparent border, opaque black and white modules).
    static QImage rasterOf(const DataMatrix& matrix, int imageDimension);
};
