#pragma once
// PDF417 encoder: value -> codewords -> error correction -> 1-bit matrix.

#include "barcodes/Pdf417Tables.h"

#include <memory>

// Option bits of _pdf417param::options.
inline constexpr int PDF417_FIXED_RECTANGLE = 1; // columns and rows from the record
inline constexpr int PDF417_FIXED_COLUMNS = 2;
inline constexpr int PDF417_FIXED_ROWS = 4;
inline constexpr int PDF417_USE_ERROR_LEVEL = 16;   // else chosen from the data length
inline constexpr int PDF417_USE_RAW_CODEWORDS = 64; // codewords given, no text
inline constexpr int PDF417_INVERT_BITMAP = 128;

// Values of _pdf417param::error.
inline constexpr int PDF417_ERROR_SUCCESS = 0;
inline constexpr int PDF417_ERROR_TEXT_TOO_BIG = 1;
inline constexpr int PDF417_ERROR_INVALID_PARAMS = 2;

// Largest value length in bytes.
inline constexpr int PDF417_MAX_TEXT = 5420;

// Parameters and result of one encoding.
struct _pdf417param {
    std::unique_ptr<unsigned char[]> outBits;  // painted matrix, rows of whole bytes
    int lenBits = 0;                           // bytes in outBits
    int bitColumns = 0;                        // modules per row
    int codeRows = 0;                          // 3..90
    int codeColumns = 0;                       // data columns, 1..30
    int codewords[pdf417::kMaxCodewords] = {}; // [0] length descriptor, data, pad, check
    int lenCodewords = 0;                      // codewords in use
    int errorLevel = 0;                        // 0..8: 2 x 2^level check codewords
    const char* text = "";                     // value to encode (not owned)
    int lenText = -1;                          // bytes of text, -1: up to the NUL
    int options = 0;
    float aspectRatio = 0.5f; // wanted width / height of the symbol
    float yHeight = 3.0f;     // row height in module widths
    int error = PDF417_ERROR_SUCCESS;
};

// Starts a record afresh: no matrix, lenBits 0, options 0, no error, empty
// text measured up to its NUL, row height 3 and aspect ratio 0.5.
void pdf417init(_pdf417param* p);
// Encodes the record's text (or raw codewords) and paints the matrix; on
// failure `error` is set and there is no matrix.
void paintCode(_pdf417param* p);
// Frees the matrix.
void pdf417free(_pdf417param* p);

namespace pdf417 {

// Largest level 8..1 whose check codewords fit in `room` codewords, else 0.
int maxPossibleErrorLevel(int room);

} // namespace pdf417
