#pragma once
// Fixed tables of QR Code model 2 (versions 1 to 40, levels L, M, Q, H),
// typed from the standard: codeword counts, error-correction blocks,
// alignment-pattern centres and character capacities.

#include <array>
#include <cstdint>

namespace qr {

inline constexpr int kMaxVersion = 40;
inline constexpr int kMaxSymbolSize = 177;
inline constexpr int kMaxDataCodewords = 2956;
inline constexpr int kMaxAllCodewords = 3706;
inline constexpr int kMaxRSCodewords = 153; // largest block (data + error correction)
inline constexpr int kMaxDataBits = 23648;  // version 40-L data codewords x 8

enum Mode : std::uint8_t { ModeNumeric = 0, ModeAlphanumeric = 1, Mode8Bit = 2, ModeKanji = 3 };

// One group of equal Reed-Solomon blocks.
struct RSBlock {
    std::int64_t count = 0;         // number of blocks
    std::int64_t allCodewords = 0;  // codewords per block
    std::int64_t dataCodewords = 0; // data codewords per block
};

struct VersionInfo {
    std::int64_t version = 0;
    std::int64_t allCodewords = 0;
    std::array<std::int64_t, 4> dataCodewords{}; // per level
    std::int64_t alignPointCount = 0;            // alignment coordinates other than 6
    std::array<std::int64_t, 6> alignPoints{};
    std::array<RSBlock, 4> rsBlock1{}; // per level
    std::array<RSBlock, 4> rsBlock2{}; // per level, count 0 when absent
};

// Index 0 is empty; index v describes version v.
extern const std::array<VersionInfo, kMaxVersion + 1> QR_VersonInfo;

// Character capacities and data bits, indexed (version - 1) x 4 + level.
extern const std::array<std::int64_t, 160> QR_Numric_size_array;
extern const std::array<std::int64_t, 160> QR_AlphaNumric_size_array;
extern const std::array<std::int64_t, 160> QR_8_BIT_size_array;
extern const std::array<std::int64_t, 160> QR_Kanji_size_array;
extern const std::array<std::int64_t, 160> data_bit_size_array;

// Character-count indicator lengths per version group (1-9, 10-26, 27-40).
inline constexpr std::array<int, 3> nIndicatorLenNumeral{10, 12, 14};
inline constexpr std::array<int, 3> nIndicatorLenAlphabet{9, 11, 13};
inline constexpr std::array<int, 3> nIndicatorLen8Bit{8, 16, 16};
inline constexpr std::array<int, 3> nIndicatorLenKanji{8, 10, 12};

// Count-indicator length of a mode in a version group.
int indicatorLength(int mode, int verGroup);
// Version group of a version: 0 for 1-9, 1 for 10-26, 2 for 27-40.
int versionGroup(int version);

} // namespace qr
