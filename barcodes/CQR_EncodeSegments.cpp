// Segmentation of the value into modes and the data bit stream.
#include "barcodes/CQR_Encode.h"

#include <algorithm>

using namespace qr;

bool CQR_Encode::IsNumeralData(unsigned char c) {
    return c >= '0' && c <= '9';
}

bool CQR_Encode::IsAlphabetData(unsigned char c) {
    if (IsNumeralData(c) || (c >= 'A' && c <= 'Z')) {
        return true;
    }
    switch (c) {
    case ' ':
    case '$':
    case '%':
    case '*':
    case '+':
    case '-':
    case '.':
    case '/':
    case ':':
        return true;
    default:
        return false;
    }
}

bool CQR_Encode::IsKanjiData(unsigned char c1, unsigned char c2) {
    if (((c1 >= 0x81 && c1 <= 0x9F) || (c1 >= 0xE0 && c1 <= 0xEB)) && c2 >= 0x40) {
        if ((c1 == 0x9F && c2 > 0xFC) || (c1 == 0xEB && c2 > 0xBF)) {
            return false;
        }
        return true;
    }
    return false;
}

std::uint8_t CQR_Encode::AlphabetToBinaly(unsigned char c) {
    if (IsNumeralData(c)) {
        return static_cast<std::uint8_t>(c - '0');
    }
    if (c >= 'A' && c <= 'Z') {
        return static_cast<std::uint8_t>(c - 'A' + 10);
    }
    switch (c) {
    case ' ':
        return 36;
    case '$':
        return 37;
    case '%':
        return 38;
    case '*':
        return 39;
    case '+':
        return 40;
    case '-':
        return 41;
    case '.':
        return 42;
    case '/':
        return 43;
    default:
        return 44; // ':'
    }
}

std::uint16_t CQR_Encode::KanjiToBinaly(std::uint16_t wc) {
    if (wc >= 0x8140 && wc <= 0x9FFC) {
        wc = static_cast<std::uint16_t>(wc - 0x8140);
    } else {
        wc = static_cast<std::uint16_t>(wc - 0xC140);
    }
    return static_cast<std::uint16_t>(((wc >> 8) * 0xC0) + (wc & 0x00FF));
}

int CQR_Encode::Get_Encoding_Mode(const char* lpsSource, int ncLength, bool kanjiAllowed) {
    const auto* s = reinterpret_cast<const unsigned char*>(lpsSource);
    bool any8Bit = false, anyKanji = false, anyAlpha = false, anyDigit = false;
    for (int i = 0; i < ncLength; ++i) {
        if (kanjiAllowed && i < ncLength - 1 && IsKanjiData(s[i], s[i + 1])) {
            anyKanji = true;
            ++i;
        } else if (IsNumeralData(s[i])) {
            anyDigit = true;
        } else if (IsAlphabetData(s[i])) {
            anyAlpha = true;
        } else {
            any8Bit = true;
        }
    }
    if (any8Bit) {
        return Mode8Bit;
    }
    if (anyKanji) {
        return ModeKanji;
    }
    if (anyAlpha) {
        return ModeAlphanumeric;
    }
    if (anyDigit) {
        return ModeNumeric;
    }
    return Mode8Bit;
}

int CQR_Encode::GetBitLength(std::uint8_t nMode, int ncData, int nVerGroup) {
    const int header = 4 + indicatorLength(nMode, nVerGroup);
    switch (nMode) {
    case ModeNumeric:
        return header + 10 * (ncData / 3) + (ncData % 3 == 1 ? 4 : (ncData % 3 == 2 ? 7 : 0));
    case ModeAlphanumeric:
        return header + 11 * (ncData / 2) + 6 * (ncData % 2);
    case Mode8Bit:
        return header + 8 * ncData;
    default:
        return header + 13 * (ncData / 2);
    }
}

int CQR_Encode::SetBitStream(int nIndex, std::uint16_t wData, int ncData) {
    if (nIndex == -1 || nIndex + ncData > kMaxDataBits) {
        return -1;
    }
    for (int i = 0; i < ncData; ++i) {
        if (wData & (1 << (ncData - i - 1))) {
            m_byDataCodeWord[static_cast<std::size_t>((nIndex + i) / 8)] |=
                static_cast<std::uint8_t>(1 << (7 - ((nIndex + i) % 8)));
        }
    }
    return nIndex + ncData;
}

void CQR_Encode::appendSegment(std::uint8_t mode, int length) {
    if (!m_byBlockMode.empty() && m_byBlockMode.back() == mode) {
        m_nBlockLength.back() += length;
    } else {
        m_byBlockMode.push_back(mode);
        m_nBlockLength.push_back(length);
    }
}

bool CQR_Encode::EncodeSourceData(const char* lpsSource, int ncLength, int nVerGroup) {
    const auto* s = reinterpret_cast<const unsigned char*>(lpsSource);
    m_byBlockMode.clear();
    m_nBlockLength.clear();
    m_byDataCodeWord.fill(0);
    m_ncDataCodeWordBit = 0;

    // Runs of one character class.
    for (int i = 0; i < ncLength; ++i) {
        if (m_bKanjiAllowed && i < ncLength - 1 && IsKanjiData(s[i], s[i + 1])) {
            appendSegment(ModeKanji, 2);
            ++i;
        } else if (IsNumeralData(s[i])) {
            appendSegment(ModeNumeric, 1);
        } else if (IsAlphabetData(s[i])) {
            appendSegment(ModeAlphanumeric, 1);
        } else {
            appendSegment(Mode8Bit, 1);
        }
    }

    auto& mode = m_byBlockMode;
    auto& len = m_nBlockLength;
    auto count = [&] { return static_cast<int>(mode.size()); };
    auto bits = [&](int i) {
        return GetBitLength(mode[static_cast<std::size_t>(i)], len[static_cast<std::size_t>(i)],
                            nVerGroup);
    };
    auto bitsOf = [&](std::uint8_t m, int n) { return GetBitLength(m, n, nVerGroup); };
    auto at = [](auto& v, int i) -> auto& {
        return v[static_cast<std::size_t>(i)];
    };
    // Segment `from` is taken into segment `into` (its neighbour) and removed.
    auto absorb = [&](int into, int from) {
        at(len, into) += at(len, from);
        mode.erase(mode.begin() + from);
        len.erase(len.begin() + from);
    };

    // Adjacent numeric and alphanumeric segments: merge when one
    // alphanumeric segment is shorter, or give one to a neighbouring 8-bit
    // segment when that is shorter still.
    for (int i = 0; i < count() - 1;) {
        const std::uint8_t m1 = at(mode, i), m2 = at(mode, i + 1);
        if (!((m1 == ModeNumeric && m2 == ModeAlphanumeric) ||
              (m1 == ModeAlphanumeric && m2 == ModeNumeric))) {
            ++i;
            continue;
        }
        const int separate = bits(i) + bits(i + 1);
        const int merged = bitsOf(ModeAlphanumeric, at(len, i) + at(len, i + 1));
        if (separate <= merged) {
            ++i;
            continue;
        }
        int before = 0;
        if (i > 0 && at(mode, i - 1) == Mode8Bit) {
            before = bitsOf(Mode8Bit, at(len, i - 1) + at(len, i)) + bits(i + 1);
            if (merged + bitsOf(Mode8Bit, at(len, i - 1)) < before) {
                before = 0;
            }
        }
        int after = 0;
        if (i + 2 < count() && at(mode, i + 2) == Mode8Bit) {
            after = bits(i) + bitsOf(Mode8Bit, at(len, i + 1) + at(len, i + 2));
            if (merged + bitsOf(Mode8Bit, at(len, i + 2)) < after) {
                after = 0;
            }
        }
        if (before == 0 && after == 0) {
            at(mode, i) = ModeAlphanumeric;
            absorb(i, i + 1);
            if (i + 1 < count() && at(mode, i + 1) == ModeAlphanumeric) {
                absorb(i, i + 1);
            }
            if (i > 0 && at(mode, i - 1) == ModeAlphanumeric) {
                absorb(i - 1, i);
            }
        } else if (before != 0 && (after == 0 || before < after)) {
            absorb(i - 1, i);
        } else {
            at(mode, i + 1) = Mode8Bit;
            absorb(i + 1, i + 2);
        }
    }

    // Short segments between or beside 8-bit ones: join them into one 8-bit
    // segment when that saves bits.
    const int header8 = 4 + indicatorLength(Mode8Bit, nVerGroup);
    for (int i = 0; i < count() - 1;) {
        const int separate = bits(i) + bits(i + 1);
        int merged = bitsOf(Mode8Bit, at(len, i) + at(len, i + 1));
        if (i > 0 && at(mode, i - 1) == Mode8Bit) {
            merged -= header8;
        }
        if (i + 2 < count() && at(mode, i + 2) == Mode8Bit) {
            merged -= header8;
        }
        if (separate <= merged) {
            ++i;
            continue;
        }
        if (i > 0 && at(mode, i - 1) == Mode8Bit) {
            absorb(i - 1, i);
            --i;
        }
        if (i + 2 < count() && at(mode, i + 2) == Mode8Bit) {
            absorb(i + 1, i + 2);
        }
        at(mode, i) = Mode8Bit;
        absorb(i, i + 1);
        if (i > 0) {
            --i;
        }
    }

    // The bit stream.
    int index = 0;
    int pos = 0;
    for (int b = 0; b < count(); ++b) {
        const std::uint8_t m = at(mode, b);
        const int n = at(len, b);
        const int indicator = indicatorLength(m, nVerGroup);
        const int characters = m == ModeKanji ? n / 2 : n;
        if (characters >= (1 << indicator)) {
            m_ncDataCodeWordBit = -1; // the count does not fit its indicator
            return false;
        }
        static constexpr std::uint16_t kModeBits[4] = {0x1, 0x2, 0x4, 0x8};
        index = SetBitStream(index, kModeBits[m], 4);
        index = SetBitStream(index, static_cast<std::uint16_t>(characters), indicator);
        switch (m) {
        case ModeNumeric:
            for (int k = 0; k < n; k += 3) {
                const int take = std::min(3, n - k);
                std::uint16_t value = 0;
                for (int t = 0; t < take; ++t) {
                    value = static_cast<std::uint16_t>(value * 10 + (s[pos + k + t] - '0'));
                }
                index = SetBitStream(index, value, take == 3 ? 10 : (take == 2 ? 7 : 4));
            }
            break;
        case ModeAlphanumeric:
            for (int k = 0; k < n; k += 2) {
                if (k + 1 < n) {
                    const auto value = static_cast<std::uint16_t>(
                        AlphabetToBinaly(s[pos + k]) * 45 + AlphabetToBinaly(s[pos + k + 1]));
                    index = SetBitStream(index, value, 11);
                } else {
                    index = SetBitStream(index, AlphabetToBinaly(s[pos + k]), 6);
                }
            }
            break;
        case Mode8Bit:
            for (int k = 0; k < n; ++k) {
                index = SetBitStream(index, s[pos + k], 8);
            }
            break;
        default:
            for (int k = 0; k + 1 < n; k += 2) {
                const auto wc = static_cast<std::uint16_t>((s[pos + k] << 8) | s[pos + k + 1]);
                index = SetBitStream(index, KanjiToBinaly(wc), 13);
            }
            break;
        }
        pos += n;
        if (index == -1) {
            break;
        }
    }
    m_ncDataCodeWordBit = index;
    return index != -1;
}
