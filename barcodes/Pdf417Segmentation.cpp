#include "barcodes/Pdf417Segmentation.h"

namespace pdf417 {

namespace {

constexpr int kMinNumericRun = 13;

bool isDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

// Cuts text[from..to) into text and byte segments wherever the class changes.
void cutByClass(const unsigned char* text, int from, int to, SegmentList& list) {
    if (from >= to)
        return;
    int start = from;
    bool isText = isTextByte(text[from]);
    for (int i = from + 1; i < to; ++i) {
        const bool t = isTextByte(text[i]);
        if (t != isText) {
            list.push_back({isText ? 'T' : 'B', start, i});
            start = i;
            isText = t;
        }
    }
    list.push_back({isText ? 'T' : 'B', start, to});
}

bool hasType(const SegmentList& list, int index, char type) {
    return index >= 0 && index < static_cast<int>(list.size()) &&
           list[static_cast<std::size_t>(index)].type == type;
}

int lengthAt(const SegmentList& list, int index) {
    if (index < 0 || index >= static_cast<int>(list.size()))
        return 0;
    return list[static_cast<std::size_t>(index)].length();
}

void removeAt(SegmentList& list, int index) {
    list.erase(list.begin() + index);
}

// A one-byte byte segment between two text segments of 3 or more bytes in
// all joins them (the byte is shifted inside text).
bool mergeByteIntoText(SegmentList& list) {
    for (int k = 0; k < static_cast<int>(list.size()); ++k) {
        if (!hasType(list, k, 'B') || lengthAt(list, k) != 1)
            continue;
        if (hasType(list, k - 1, 'T') && hasType(list, k + 1, 'T') &&
            lengthAt(list, k - 1) + lengthAt(list, k + 1) >= 3) {
            auto& prev = list[static_cast<std::size_t>(k - 1)];
            prev.end = list[static_cast<std::size_t>(k + 1)].end;
            list.erase(list.begin() + k, list.begin() + k + 2);
            return true;
        }
    }
    return false;
}

// Lets the first segment that `grows` accepts take in the neighbour on each
// side that `absorbable` accepts; answers whether anything changed.
template <typename Grows, typename Absorbable>
bool absorbNeighbours(SegmentList& list, Grows grows, Absorbable absorbable) {
    for (int k = 0; k < static_cast<int>(list.size()); ++k) {
        if (!grows(k))
            continue;
        bool changed = false;
        if (absorbable(k - 1)) {
            list[static_cast<std::size_t>(k)].start = list[static_cast<std::size_t>(k - 1)].start;
            removeAt(list, k - 1);
            --k;
            changed = true;
        }
        if (absorbable(k + 1)) {
            list[static_cast<std::size_t>(k)].end = list[static_cast<std::size_t>(k + 1)].end;
            removeAt(list, k + 1);
            changed = true;
        }
        if (changed)
            return true;
    }
    return false;
}

// A text segment of 5 or more bytes takes in a neighbouring text segment or
// one-byte byte segment on each side.
bool growLongText(SegmentList& list) {
    return absorbNeighbours(
        list, [&](int k) { return hasType(list, k, 'T') && lengthAt(list, k) >= 5; },
        [&](int i) {
            return hasType(list, i, 'T') || (hasType(list, i, 'B') && lengthAt(list, i) == 1);
        });
}

// A byte segment takes in a neighbouring byte segment or a text segment
// shorter than 5 bytes on each side.
bool growBytes(SegmentList& list) {
    return absorbNeighbours(
        list, [&](int k) { return hasType(list, k, 'B'); },
        [&](int i) {
            return hasType(list, i, 'B') || (hasType(list, i, 'T') && lengthAt(list, i) < 5);
        });
}

} // namespace

bool isTextByte(unsigned char c) {
    return (c >= 32 && c <= 126) || c == '\r' || c == '\n' || c == '\t';
}

SegmentList breakString(const unsigned char* text, int length) {
    SegmentList list;
    list.reserve(20);
    int done = 0;   // start of the stretch not yet segmented
    int digits = 0; // length of the current digit run
    int runStart = 0;
    for (int i = 0; i < length; ++i) {
        if (isDigit(text[i])) {
            if (digits == 0)
                runStart = i;
            ++digits;
            continue;
        }
        if (digits >= kMinNumericRun) {
            cutByClass(text, done, runStart, list);
            list.push_back({'N', runStart, i});
            done = i;
        }
        digits = 0;
    }
    if (digits >= kMinNumericRun) {
        cutByClass(text, done, runStart, list);
        list.push_back({'N', runStart, length});
    } else {
        cutByClass(text, done, length, list);
    }

    while (mergeByteIntoText(list)) {
    }
    while (growLongText(list)) {
    }
    while (growBytes(list)) {
    }

    if (list.size() == 1 && list[0].type == 'T' && list[0].length() >= 8) {
        bool allDigits = true;
        for (int i = list[0].start; i < list[0].end && allDigits; ++i)
            allDigits = isDigit(text[i]);
        if (allDigits)
            list[0].type = 'N';
    }
    return list;
}

} // namespace pdf417
