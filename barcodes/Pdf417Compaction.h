#pragma once
// The three PDF417 compaction modes and the building of the data codewords.

#include "barcodes/Pdf417Segmentation.h"

namespace pdf417 {

// A data codeword list (descriptor included) may not reach this size: it
// must leave room for at least two check codewords.
inline constexpr int kDataLimit = 927;

// Codeword values that switch modes.
inline constexpr int kLatchText = 900;
inline constexpr int kLatchByte = 901;
inline constexpr int kLatchNumeric = 902;
inline constexpr int kShiftByte = 913;
inline constexpr int kLatchByte6 = 924;

// Each appends the codewords of text[start..start+length) at cw[pos] and
// advances pos. False, with nothing written, when the list would reach
// kDataLimit codewords.
bool textCompaction(const unsigned char* text, int start, int length, int* cw, int& pos);
bool numberCompaction(const unsigned char* text, int start, int length, int* cw, int& pos);
bool byteCompaction(const unsigned char* text, int start, int length, int* cw, int& pos);

// Data codewords of the segments from cw[1] on (cw[0] is left for the
// length descriptor); pos ends one past the last codeword. Answers 0, or 1
// when the data does not fit.
int assemble(const SegmentList& segments, const unsigned char* text, int* cw, int& pos);

} // namespace pdf417
