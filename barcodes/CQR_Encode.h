#pragma once
// The QR Code symbol encoder: segments a byte string into modes, writes the
// bit stream, adds Reed-Solomon blocks, places the modules and chooses the
// mask. One encoder is made for every value.

#include "barcodes/QrBitGrid.h"
#include "barcodes/QrTables.h"

#include <array>
#include <cstdint>
#include <vector>

class CQR_Encode {
public:
    // Module bytes indexed [column][row].
    using ModuleMatrix =
        std::array<std::array<std::uint8_t, qr::kMaxSymbolSize>, qr::kMaxSymbolSize>;

    CQR_Encode();

    // Encodes ncSource bytes (0: up to the terminating NUL) at a level 0..3
    // (L, M, Q, H), with a version 1..40 or 0 for the smallest that holds the
    // data. With bAutoExtent a larger version than requested may be taken.
    // nMaskingNo is 0..7, or -1 to choose the mask with the lowest penalty.
    bool EncodeData(int nLevel, int nVersion, bool bAutoExtent, int nMaskingNo,
                    const char* lpsSource, int ncSource = 0);

    // Smallest version of the group (from nVersion's) that holds the data,
    // or 0. The bit stream of the group found is left in place.
    int GetEncodeVersion(int nVersion, const char* lpsSource, int ncLength);
    // Segments the data and writes the bit stream with the count-indicator
    // lengths of a version group (0, 1 or 2). False when the stream overflows.
    bool EncodeSourceData(const char* lpsSource, int ncLength, int nVerGroup);
    // Bits of one segment of ncData bytes in a mode.
    static int GetBitLength(std::uint8_t nMode, int ncData, int nVerGroup);
    // Appends the low ncData bits of wData at bit nIndex; the new position or
    // -1 (kept once reached) when the stream would pass the largest symbol.
    int SetBitStream(int nIndex, std::uint16_t wData, int ncData);

    static bool IsNumeralData(unsigned char c);
    static bool IsAlphabetData(unsigned char c);
    static bool IsKanjiData(unsigned char c1, unsigned char c2);
    static std::uint8_t AlphabetToBinaly(unsigned char c);
    static std::uint16_t KanjiToBinaly(std::uint16_t wc);
    // Class of a whole string for the capacity check: 8-bit if any byte is
    // neither alphanumeric nor part of a Kanji pair, else Kanji, else
    // alphanumeric, else numeric.
    static int Get_Encoding_Mode(const char* lpsSource, int ncLength, bool kanjiAllowed = true);

    // With false, bytes that would form Shift-JIS Kanji pairs are 8-bit data
    // (the value is not Shift-JIS text).
    void setKanjiAllowed(bool allowed) { m_bKanjiAllowed = allowed; }

    // Error-correction codewords of one block: m_byRSWork holds the data on
    // entry and the ncRSCodeWord codewords at its start on return.
    void GetRSCodeWord(std::uint8_t* lpbyRSWork, int ncDataCodeWord, int ncRSCodeWord);

    void FormatModule();
    void SetFunctionModule();
    void SetFinderPattern(int x, int y);
    void SetAlignmentPattern(int x, int y);
    void SetVersionPattern();
    void SetCodeWordPattern();
    void SetMaskingPattern(int nPatternNo);
    void SetFormatInfoPattern(int nPatternNo);
    int CountPenalty() const;

    // Results.
    int version() const { return static_cast<int>(m_nVersion); }
    int level() const { return static_cast<int>(m_nLevel); }
    int maskingNo() const { return static_cast<int>(m_nMaskingNo); }
    int symbolSize() const { return static_cast<int>(m_nSymbleSize); }
    // Module at column x, row y: 1 dark, 0 light (after encoding).
    int module(int x, int y) const { return m_byModuleData[x][y]; }
    // Data and error-correction codewords in symbol order.
    std::vector<std::uint8_t> allCodewords() const;
    // Data codewords before interleaving (stream, terminator and pad).
    std::vector<std::uint8_t> dataCodewords() const;
    int dataBitCount() const { return static_cast<int>(m_ncDataCodeWordBit); }

    // The 15-bit format word of a level and mask.
    static int formatWord(int nLevel, int nPatternNo);
    // The 18-bit version word (versions 7 and up).
    static int versionWord(int nVersion);

private:
    bool isDark(int x, int y) const { return (m_byModuleData[x][y] & 0x11) != 0; }
    std::uint8_t& moduleAt(int x, int y) {
        return m_byModuleData[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)];
    }
    void putFunction(int x, int y, bool dark) { moduleAt(x, y) = dark ? 0x30 : 0x20; }
    // Fills the bit planes of the mask choice from the module bytes.
    void splitPlanes();
    // The mask (0..7) with the lowest penalty, the lower number on ties.
    int chooseMask();
    void appendSegment(std::uint8_t mode, int length);

    std::int64_t m_nLevel = 0;
    std::int64_t m_nVersion = 0;
    std::int64_t m_nMaskingNo = 0;
    std::int64_t m_nSymbleSize = 0;
    bool m_bKanjiAllowed = true;

    ModuleMatrix m_byModuleData{};

    std::int64_t m_ncDataCodeWordBit = 0;
    std::array<std::uint8_t, qr::kMaxDataCodewords> m_byDataCodeWord{};

    // Segments: mode and length in bytes of each (a Kanji character counts 2).
    std::vector<std::uint8_t> m_byBlockMode;
    std::vector<int> m_nBlockLength;

    std::int64_t m_ncAllCodeWord = 0;
    std::array<std::uint8_t, qr::kMaxAllCodewords> m_byAllCodeWord{};
    std::array<std::uint8_t, qr::kMaxRSCodewords> m_byRSWork{};

    // Bit planes of the mask choice: the modules no mask changes, the
    // modules masks invert, and the symbol under the mask being scored.
    qr::BitGrid m_fixedPlane;
    qr::BitGrid m_openPlane;
    qr::BitGrid m_trialPlane;
};
