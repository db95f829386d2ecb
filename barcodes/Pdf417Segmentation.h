#pragma once
// Splitting of a PDF417 value into compaction segments.

#include <vector>

namespace pdf417 {

struct Segment {
    char type; // 'T' text, 'N' numeric, 'B' byte
    int start; // first byte
    int end;   // one past the last byte
    int length() const { return end - start; }
};

using SegmentList = std::vector<Segment>;

// True for the bytes text compaction can hold: printable ASCII, CR, LF, tab.
bool isTextByte(unsigned char c);

// Segments of text[0..length): runs of 13 or more digits become numeric,
// the rest text or byte by class, then short segments are merged into their
// neighbours so that latching between modes pays off.
SegmentList breakString(const unsigned char* text, int length);

} // namespace pdf417
