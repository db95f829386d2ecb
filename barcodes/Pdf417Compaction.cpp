#include "barcodes/Pdf417Compaction.h"

#include "barcodes/Pdf417Tables.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace pdf417 {

namespace {

enum SubMode { Alpha, Lower, Mixed, Punctuation };

// Sub-mode values that switch sub-modes (their meaning depends on the mode).
constexpr int kSpace = 26;
constexpr int kToLower = 27;          // latch from Alpha or Mixed; from Lower: shift Alpha
constexpr int kToMixed = 28;          // latch from Alpha or Lower; from Mixed: latch Alpha
constexpr int kToPunctuation = 25;    // latch from Mixed
constexpr int kShiftPunctuation = 29; // from Punctuation: latch Alpha; also the pad

int indexIn(const char* set, std::size_t size, unsigned char c) {
    const void* hit = std::memchr(set, c, size);
    return hit ? static_cast<int>(static_cast<const char*>(hit) - set) : -1;
}

// Where a character belongs in text compaction.
struct TextChar {
    bool alpha = false, lower = false, mixed = false, punctuation = false;
    int letterValue = -1, mixedValue = -1, punctuationValue = -1;
    bool isByte() const { return !alpha && !lower && !mixed && !punctuation; }
};

TextChar classify(unsigned char c) {
    TextChar t;
    if (c == ' ') {
        t.alpha = t.lower = t.mixed = true;
        t.letterValue = t.mixedValue = kSpace;
    } else if (c >= 'A' && c <= 'Z') {
        t.alpha = true;
        t.letterValue = c - 'A';
    } else if (c >= 'a' && c <= 'z') {
        t.lower = true;
        t.letterValue = c - 'a';
    } else if (c != 0) {
        const int m = indexIn(MIXED_SET, sizeof MIXED_SET - 1, c);
        const int p = indexIn(PUNCTUATION_SET, sizeof PUNCTUATION_SET - 1, c);
        t.mixed = m >= 0;
        t.mixedValue = m;
        // A character in both tables at different places counts as Mixed only.
        t.punctuation = p >= 0 && (m < 0 || m == p);
        t.punctuationValue = t.punctuation ? p : -1;
    }
    return t;
}

// Sub-mode values (0..29) and shifted bytes in the order they are written.
struct TextItem {
    int value;
    bool isByte;
};

struct TextEncoder {
    void add(int value) {
        items.push_back({value, false});
        ++values;
    }
    void latch(int code, SubMode to, int value) {
        add(code);
        mode = to;
        add(value);
    }
    void addByte(unsigned char c) {
        // A byte codeword may only follow a whole pair of values.
        if (values % 2 != 0) {
            add(kShiftPunctuation);
            if (mode == Punctuation)
                mode = Alpha;
        }
        items.push_back({kShiftByte, true});
        items.push_back({c, true});
    }

    SubMode mode = Alpha;
    std::vector<TextItem> items;
    int values = 0;
};

// Writes a character that is neither a byte nor in the current sub-mode.
void changeModeFor(TextEncoder& enc, const TextChar* chars, int i, int count) {
    const TextChar& c = chars[i];
    const auto nextTwo = [&](bool TextChar::*in) {
        return i + 2 < count && chars[i + 1].*in && chars[i + 2].*in;
    };
    if (enc.mode == Punctuation) {
        enc.add(kShiftPunctuation); // latch back to Alpha, then go on from there
        enc.mode = Alpha;
        if (c.alpha) {
            enc.add(c.letterValue);
            return;
        }
    }
    if (c.lower) { // from Alpha or Mixed
        enc.latch(kToLower, Lower, c.letterValue);
    } else if (c.alpha) { // from Lower or Mixed
        if (enc.mode == Mixed) {
            enc.latch(kToMixed, Alpha, c.letterValue);
        } else if (nextTwo(&TextChar::alpha)) {
            enc.add(kToMixed);
            enc.latch(kToMixed, Alpha, c.letterValue);
        } else {
            enc.add(kToLower); // shift to Alpha for one character
            enc.add(c.letterValue);
        }
    } else if (c.mixed) { // from Alpha or Lower
        enc.latch(kToMixed, Mixed, c.mixedValue);
    } else if (nextTwo(&TextChar::punctuation)) {
        if (enc.mode != Mixed)
            enc.add(kToMixed);
        enc.latch(kToPunctuation, Punctuation, c.punctuationValue);
    } else {
        enc.add(kShiftPunctuation);
        enc.add(c.punctuationValue);
    }
}

int valueInMode(const TextChar& c, SubMode mode) {
    switch (mode) {
    case Alpha:
        return c.alpha ? c.letterValue : -1;
    case Lower:
        return c.lower ? c.letterValue : -1;
    case Mixed:
        return c.mixed ? c.mixedValue : -1;
    case Punctuation:
        return c.punctuation ? c.punctuationValue : -1;
    }
    return -1;
}

// Digits of a decimal number, most significant first, divided in place by
// 900; answers the remainder.
int divideBy900(std::vector<int>& digits) {
    int remainder = 0;
    for (int& d : digits) {
        const int v = remainder * 10 + d;
        d = v / 900;
        remainder = v % 900;
    }
    return remainder;
}

bool fits(int pos, int count) {
    return pos + count < kDataLimit;
}

} // namespace

bool textCompaction(const unsigned char* text, int start, int length, int* cw, int& pos) {
    std::vector<TextChar> chars(static_cast<std::size_t>(length));
    for (int i = 0; i < length; ++i)
        chars[static_cast<std::size_t>(i)] = classify(text[start + i]);

    TextEncoder enc;
    enc.items.reserve(static_cast<std::size_t>(length) * 2 + 2);
    for (int i = 0; i < length; ++i) {
        const TextChar& c = chars[static_cast<std::size_t>(i)];
        if (c.isByte()) {
            enc.addByte(text[start + i]);
            continue;
        }
        const int v = valueInMode(c, enc.mode);
        if (v >= 0)
            enc.add(v);
        else
            changeModeFor(enc, chars.data(), i, length);
    }
    if (enc.values % 2 != 0)
        enc.add(kShiftPunctuation); // pad

    int count = 0;
    for (const TextItem& item : enc.items)
        count += item.isByte ? 2 : 1;
    count /= 2; // values pair up; a byte item counts twice, as it is a codeword alone
    if (!fits(pos, count))
        return false;
    for (std::size_t i = 0; i < enc.items.size();) {
        if (enc.items[i].isByte) {
            cw[pos++] = enc.items[i].value;
            ++i;
        } else {
            cw[pos++] = enc.items[i].value * 30 + enc.items[i + 1].value;
            i += 2;
        }
    }
    return true;
}

bool numberCompaction(const unsigned char* text, int start, int length, int* cw, int& pos) {
    const int full = length / 44;
    const int rest = length % 44;
    const int count = full * 15 + (rest > 0 ? rest / 3 + 1 : 0);
    if (!fits(pos, count))
        return false;
    for (int g = 0; g < length; g += 44) {
        const int n = length - g < 44 ? length - g : 44;
        std::vector<int> digits;
        digits.reserve(static_cast<std::size_t>(n) + 1);
        digits.push_back(1);
        for (int i = 0; i < n; ++i)
            digits.push_back(text[start + g + i] - '0');
        const int groupCount = n / 3 + 1;
        for (int j = groupCount - 1; j >= 0; --j)
            cw[pos + j] = divideBy900(digits);
        pos += groupCount;
    }
    return true;
}

bool byteCompaction(const unsigned char* text, int start, int length, int* cw, int& pos) {
    const int count = length / 6 * 5 + length % 6;
    if (!fits(pos, count))
        return false;
    int i = 0;
    for (; i + 6 <= length; i += 6) {
        std::uint64_t v = 0;
        for (int j = 0; j < 6; ++j)
            v = (v << 8) | text[start + i + j];
        for (int j = 4; j >= 0; --j) {
            cw[pos + j] = static_cast<int>(v % 900);
            v /= 900;
        }
        pos += 5;
    }
    for (; i < length; ++i)
        cw[pos++] = text[start + i];
    return true;
}

int assemble(const SegmentList& segments, const unsigned char* text, int* cw, int& pos) {
    pos = 1;
    for (std::size_t k = 0; k < segments.size(); ++k) {
        const Segment& s = segments[k];
        int latch = -1;
        if (s.type == 'B')
            latch = s.length() % 6 == 0 ? kLatchByte6 : kLatchByte;
        else if (s.type == 'N')
            latch = kLatchNumeric;
        else if (k != 0)
            latch = kLatchText; // text is the mode a symbol starts in
        if (latch >= 0) {
            if (!fits(pos, 1))
                return 1;
            cw[pos++] = latch;
        }
        bool ok = false;
        if (s.type == 'B')
            ok = byteCompaction(text, s.start, s.length(), cw, pos);
        else if (s.type == 'N')
            ok = numberCompaction(text, s.start, s.length(), cw, pos);
        else
            ok = textCompaction(text, s.start, s.length(), cw, pos);
        if (!ok)
            return 1;
    }
    return 0;
}

} // namespace pdf417
