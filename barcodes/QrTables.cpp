#include "barcodes/QrTables.h"

namespace qr {
namespace {

// Error-correction codewords per block, by level (L, M, Q, H) and version.
constexpr std::int8_t kEccPerBlock[4][41] = {
    {-1, 7,  10, 15, 20, 26, 18, 20, 24, 30, 18, 20, 24, 26, 30, 22, 24, 28, 30, 28, 28,
     28, 28, 30, 30, 26, 28, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
    {-1, 10, 16, 26, 18, 24, 16, 18, 22, 22, 26, 30, 22, 22, 24, 24, 28, 28, 26, 26, 26,
     26, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28},
    {-1, 13, 22, 18, 26, 18, 24, 18, 22, 20, 24, 28, 26, 24, 20, 30, 24, 28, 28, 26, 30,
     28, 30, 30, 30, 30, 28, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
    {-1, 17, 28, 22, 16, 22, 28, 26, 26, 24, 28, 24, 28, 22, 24, 24, 30, 28, 28, 26, 28,
     30, 24, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
};

// Number of error-correction blocks, by level and version.
constexpr std::int8_t kBlockCount[4][41] = {
    {-1, 1, 1, 1,  1,  1,  2,  2,  2,  2,  4,  4,  4,  4,  4,  6,  6,  6,  6,  7, 8,
     8,  9, 9, 10, 12, 12, 12, 13, 14, 15, 16, 17, 18, 19, 19, 20, 21, 22, 24, 25},
    {-1, 1,  1,  1,  2,  2,  4,  4,  4,  5,  5,  5,  8,  9,  9,  10, 10, 11, 13, 14, 16,
     17, 17, 18, 20, 21, 23, 25, 26, 28, 29, 31, 33, 35, 37, 38, 40, 43, 45, 47, 49},
    {-1, 1,  1,  2,  2,  4,  4,  6,  6,  8,  8,  8,  10, 12, 16, 12, 17, 16, 18, 21, 20,
     23, 23, 25, 27, 29, 34, 34, 35, 38, 40, 43, 45, 48, 51, 53, 56, 59, 62, 65, 68},
    {-1, 1,  1,  2,  4,  4,  4,  5,  6,  8,  8,  11, 11, 16, 16, 18, 16, 19, 21, 25, 25,
     25, 34, 30, 32, 35, 37, 40, 42, 45, 48, 51, 54, 57, 60, 63, 66, 70, 74, 77, 81},
};

// Modules left for data and error correction once every function pattern
// and the format and version areas are taken.
constexpr int rawDataModules(int version) {
    int result = (16 * version + 128) * version + 64;
    if (version >= 2) {
        const int align = version / 7 + 2;
        result -= (25 * align - 10) * align - 55;
        if (version >= 7) {
            result -= 36;
        }
    }
    return result;
}

constexpr VersionInfo makeVersion(int version) {
    VersionInfo info;
    info.version = version;
    info.allCodewords = rawDataModules(version) / 8;
    if (version >= 2) {
        // Alignment centres are evenly spaced from size - 7 down towards 6,
        // with an even step.
        const int align = version / 7 + 2;
        const int size = 17 + 4 * version;
        const int step = version == 32 ? 26 : (version * 4 + align * 2 + 1) / (align * 2 - 2) * 2;
        info.alignPointCount = align - 1;
        for (int i = align - 2, pos = size - 7; i >= 0; --i, pos -= step) {
            info.alignPoints[static_cast<std::size_t>(i)] = pos;
        }
    }
    for (int level = 0; level < 4; ++level) {
        const int blocks = kBlockCount[level][version];
        const int ecc = kEccPerBlock[level][version];
        const int all = static_cast<int>(info.allCodewords);
        const int shortBlocks = blocks - all % blocks;
        const int shortLength = all / blocks;
        const auto l = static_cast<std::size_t>(level);
        info.dataCodewords[l] = all - blocks * ecc;
        info.rsBlock1[l] = {shortBlocks, shortLength, shortLength - ecc};
        if (shortBlocks < blocks) {
            info.rsBlock2[l] = {blocks - shortBlocks, shortLength + 1, shortLength + 1 - ecc};
        }
    }
    return info;
}

constexpr std::array<VersionInfo, kMaxVersion + 1> makeVersionTable() {
    std::array<VersionInfo, kMaxVersion + 1> table{};
    for (int v = 1; v <= kMaxVersion; ++v) {
        table[static_cast<std::size_t>(v)] = makeVersion(v);
    }
    return table;
}

constexpr int groupOf(int version) {
    return version <= 9 ? 0 : (version <= 26 ? 1 : 2);
}

// Largest character count whose segment (mode and count indicator
// included) fits the data bits of each version and level.
template <typename Chars>
constexpr std::array<std::int64_t, 160> capacities(const std::array<VersionInfo, 41>& versions,
                                                   int mode, Chars chars) {
    std::array<std::int64_t, 160> result{};
    constexpr int lengths[4][3] = {{10, 12, 14}, {9, 11, 13}, {8, 16, 16}, {8, 10, 12}};
    for (int v = 1; v <= kMaxVersion; ++v) {
        for (int level = 0; level < 4; ++level) {
            const auto bits = versions[static_cast<std::size_t>(v)]
                                      .dataCodewords[static_cast<std::size_t>(level)] *
                                  8 -
                              4 - lengths[mode][groupOf(v)];
            result[static_cast<std::size_t>((v - 1) * 4 + level)] = chars(bits);
        }
    }
    return result;
}

constexpr std::array<VersionInfo, kMaxVersion + 1> kVersions = makeVersionTable();

} // namespace

const std::array<VersionInfo, kMaxVersion + 1> QR_VersonInfo = kVersions;

// Digits: 10 bits per three, then 4 or 7 bits for one or two left over.
const std::array<std::int64_t, 160> QR_Numric_size_array =
    capacities(kVersions, ModeNumeric, [](std::int64_t bits) {
        const std::int64_t rest = bits % 10;
        return bits / 10 * 3 + (rest >= 7 ? 2 : (rest >= 4 ? 1 : 0));
    });
// Alphanumeric: 11 bits per pair, 6 bits for one left over.
const std::array<std::int64_t, 160> QR_AlphaNumric_size_array =
    capacities(kVersions, ModeAlphanumeric,
               [](std::int64_t bits) { return bits / 11 * 2 + (bits % 11 >= 6 ? 1 : 0); });
const std::array<std::int64_t, 160> QR_8_BIT_size_array =
    capacities(kVersions, Mode8Bit, [](std::int64_t bits) { return bits / 8; });
const std::array<std::int64_t, 160> QR_Kanji_size_array =
    capacities(kVersions, ModeKanji, [](std::int64_t bits) { return bits / 13; });

const std::array<std::int64_t, 160> data_bit_size_array = [] {
    std::array<std::int64_t, 160> result{};
    for (int v = 1; v <= kMaxVersion; ++v) {
        for (int level = 0; level < 4; ++level) {
            result[static_cast<std::size_t>((v - 1) * 4 + level)] =
                kVersions[static_cast<std::size_t>(v)]
                    .dataCodewords[static_cast<std::size_t>(level)] *
                8;
        }
    }
    return result;
}();

int versionGroup(int version) {
    return groupOf(version);
}

int indicatorLength(int mode, int verGroup) {
    const auto g = static_cast<std::size_t>(verGroup);
    switch (mode) {
    case ModeNumeric:
        return nIndicatorLenNumeral[g];
    case ModeAlphanumeric:
        return nIndicatorLenAlphabet[g];
    case Mode8Bit:
        return nIndicatorLen8Bit[g];
    default:
        return nIndicatorLenKanji[g];
    }
}

} // namespace qr
