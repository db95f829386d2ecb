// Module placement, masking and mask choice.
#include "barcodes/CQR_Encode.h"

#include <cstdlib>

using namespace qr;

namespace {
// Module byte flags while the symbol is built.
constexpr std::uint8_t kFunction = 0x20;
constexpr std::uint8_t kFunctionDark = 0x10;
constexpr std::uint8_t kDataBit = 0x02;
constexpr std::uint8_t kMaskedDark = 0x01;

constexpr std::uint8_t kFinderRows[7] = {0x7F, 0x41, 0x5D, 0x5D, 0x5D, 0x41, 0x7F};
constexpr std::uint8_t kAlignmentRows[5] = {0x1F, 0x11, 0x15, 0x11, 0x1F};

bool maskApplies(int nPatternNo, int row, int col) {
    const int i = row, j = col;
    switch (nPatternNo) {
    case 0:
        return (i + j) % 2 == 0;
    case 1:
        return i % 2 == 0;
    case 2:
        return j % 3 == 0;
    case 3:
        return (i + j) % 3 == 0;
    case 4:
        return ((i / 2) + (j / 3)) % 2 == 0;
    case 5:
        return (i * j) % 2 + (i * j) % 3 == 0;
    case 6:
        return ((i * j) % 2 + (i * j) % 3) % 2 == 0;
    default:
        return ((i * j) % 3 + (i + j) % 2) % 2 == 0;
    }
}
} // namespace

int CQR_Encode::formatWord(int nLevel, int nPatternNo) {
    static constexpr int kLevelBits[4] = {1, 0, 3, 2};
    const int data = (kLevelBits[nLevel & 3] << 3) | (nPatternNo & 7);
    int rem = data << 10;
    for (int bit = 14; bit >= 10; --bit) {
        if (rem & (1 << bit)) {
            rem ^= 0x537 << (bit - 10);
        }
    }
    return ((data << 10) | rem) ^ 0x5412;
}

int CQR_Encode::versionWord(int nVersion) {
    int rem = nVersion << 12;
    for (int bit = 17; bit >= 12; --bit) {
        if (rem & (1 << bit)) {
            rem ^= 0x1F25 << (bit - 12);
        }
    }
    return (nVersion << 12) | rem;
}

void CQR_Encode::FormatModule() {
    for (auto& column : m_byModuleData) {
        column.fill(0);
    }
    SetFunctionModule();
    SetCodeWordPattern();

    if (m_nMaskingNo == -1) {
        // Try every mask; a later one wins only with a strictly lower penalty.
        int best = 0;
        int bestPenalty = 0;
        for (int mask = 0; mask < 8; ++mask) {
            SetMaskingPattern(mask);
            SetFormatInfoPattern(mask);
            const int penalty = CountPenalty();
            if (mask == 0 || penalty < bestPenalty) {
                best = mask;
                bestPenalty = penalty;
            }
        }
        m_nMaskingNo = best;
    }
    SetMaskingPattern(static_cast<int>(m_nMaskingNo));
    SetFormatInfoPattern(static_cast<int>(m_nMaskingNo));

    const int size = static_cast<int>(m_nSymbleSize);
    for (int x = 0; x < size; ++x) {
        for (int y = 0; y < size; ++y) {
            m_byModuleData[x][y] = isDark(x, y) ? 1 : 0;
        }
    }
}

void CQR_Encode::SetFunctionModule() {
    const int size = static_cast<int>(m_nSymbleSize);
    SetFinderPattern(0, 0);
    SetFinderPattern(size - 7, 0);
    SetFinderPattern(0, size - 7);
    // Separators.
    for (int i = 0; i < 8; ++i) {
        m_byModuleData[i][7] = m_byModuleData[7][i] = kFunction;
        m_byModuleData[size - 8][i] = m_byModuleData[size - 8 + i][7] = kFunction;
        m_byModuleData[i][size - 8] = m_byModuleData[7][size - 8 + i] = kFunction;
    }
    // Format areas (written later), and the dark module.
    for (int i = 0; i < 9; ++i) {
        m_byModuleData[i][8] = m_byModuleData[8][i] = kFunction;
    }
    for (int i = 0; i < 8; ++i) {
        m_byModuleData[size - 8 + i][8] = m_byModuleData[8][size - 8 + i] = kFunction;
    }
    SetVersionPattern();

    const VersionInfo& info = QR_VersonInfo[static_cast<std::size_t>(m_nVersion)];
    if (info.alignPointCount > 0) {
        int points[7] = {6};
        const int n = static_cast<int>(info.alignPointCount) + 1;
        for (int i = 1; i < n; ++i) {
            points[i] = static_cast<int>(info.alignPoints[static_cast<std::size_t>(i - 1)]);
        }
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) {
                SetAlignmentPattern(points[i], points[j]);
            }
        }
    }
    // Timing patterns.
    for (int i = 8; i <= size - 9; ++i) {
        const std::uint8_t value = (i % 2 == 0) ? (kFunction | kFunctionDark) : kFunction;
        m_byModuleData[i][6] = value;
        m_byModuleData[6][i] = value;
    }
}

void CQR_Encode::SetFinderPattern(int x, int y) {
    for (int i = 0; i < 7; ++i) {
        for (int j = 0; j < 7; ++j) {
            const bool dark = kFinderRows[i] & (1 << (6 - j));
            m_byModuleData[x + j][y + i] = dark ? (kFunction | kFunctionDark) : kFunction;
        }
    }
}

void CQR_Encode::SetAlignmentPattern(int x, int y) {
    if (m_byModuleData[x][y] & kFunction) {
        return; // overlaps a finder pattern
    }
    x -= 2;
    y -= 2;
    for (int i = 0; i < 5; ++i) {
        for (int j = 0; j < 5; ++j) {
            const bool dark = kAlignmentRows[i] & (1 << (4 - j));
            m_byModuleData[x + j][y + i] = dark ? (kFunction | kFunctionDark) : kFunction;
        }
    }
}

void CQR_Encode::SetVersionPattern() {
    if (m_nVersion < 7) {
        return;
    }
    const int size = static_cast<int>(m_nSymbleSize);
    const int word = versionWord(static_cast<int>(m_nVersion));
    for (int i = 0; i < 6; ++i) {
        for (int j = 0; j < 3; ++j) {
            const bool dark = word & (1 << (3 * i + j));
            const std::uint8_t value = dark ? (kFunction | kFunctionDark) : kFunction;
            m_byModuleData[size - 11 + j][i] = value; // beside the top-right finder
            m_byModuleData[i][size - 11 + j] = value; // beside the bottom-left finder
        }
    }
}

void CQR_Encode::SetCodeWordPattern() {
    const int size = static_cast<int>(m_nSymbleSize);
    const int totalBits = static_cast<int>(m_ncAllCodeWord) * 8;
    int bit = 0;
    for (int right = size - 1; right >= 1; right -= 2) {
        if (right == 6) {
            right = 5; // the vertical timing pattern
        }
        const bool upward = ((right + 1) & 2) == 0;
        for (int step = 0; step < size; ++step) {
            const int y = upward ? size - 1 - step : step;
            for (int k = 0; k < 2; ++k) {
                const int x = right - k;
                if (m_byModuleData[x][y] & kFunction) {
                    continue;
                }
                bool dark = false;
                if (bit < totalBits) {
                    dark =
                        (m_byAllCodeWord[static_cast<std::size_t>(bit / 8)] >> (7 - bit % 8)) & 1;
                    ++bit;
                }
                m_byModuleData[x][y] = dark ? kDataBit : 0;
            }
        }
    }
}

void CQR_Encode::SetMaskingPattern(int nPatternNo) {
    const int size = static_cast<int>(m_nSymbleSize);
    for (int x = 0; x < size; ++x) {
        for (int y = 0; y < size; ++y) {
            std::uint8_t& m = m_byModuleData[x][y];
            if (m & kFunction) {
                continue;
            }
            const bool dark = ((m & kDataBit) != 0) != maskApplies(nPatternNo, y, x);
            m = static_cast<std::uint8_t>((m & ~kMaskedDark) | (dark ? kMaskedDark : 0));
        }
    }
}

void CQR_Encode::SetFormatInfoPattern(int nPatternNo) {
    const int size = static_cast<int>(m_nSymbleSize);
    const int word = formatWord(static_cast<int>(m_nLevel), nPatternNo);
    auto put = [&](int x, int y, int bitIndex) {
        const bool dark = word & (1 << bitIndex);
        m_byModuleData[x][y] = dark ? (kFunction | kFunctionDark) : kFunction;
    };
    // Around the top-left finder.
    for (int i = 0; i <= 5; ++i) {
        put(8, i, i);
    }
    put(8, 7, 6);
    put(8, 8, 7);
    put(7, 8, 8);
    for (int i = 9; i < 15; ++i) {
        put(14 - i, 8, i);
    }
    // Under the top-right and beside the bottom-left finder.
    for (int i = 0; i < 8; ++i) {
        put(size - 1 - i, 8, i);
    }
    for (int i = 8; i < 15; ++i) {
        put(8, size - 15 + i, i);
    }
    m_byModuleData[8][size - 8] = kFunction | kFunctionDark;
}

int CQR_Encode::CountPenalty() const {
    const int size = static_cast<int>(m_nSymbleSize);
    int penalty = 0;
    // Lines: horizontal (row fixed) when `rows`, else vertical.
    auto dark = [&](bool rows, int line, int k) {
        return rows ? isDark(k, line) : isDark(line, k);
    };
    for (int pass = 0; pass < 2; ++pass) {
        const bool rows = pass == 0;
        for (int line = 0; line < size; ++line) {
            // Runs of five or more modules of one colour.
            for (int k = 0; k < size - 4;) {
                const bool colour = dark(rows, line, k);
                int run = 1;
                while (k + run < size && dark(rows, line, k + run) == colour) {
                    ++run;
                }
                if (run >= 5) {
                    penalty += run - 2;
                }
                k += run;
            }
            // Finder-like 1:1:3:1:1 with light space before or after.
            auto light = [&](int k) { return k < 0 || k >= size || !dark(rows, line, k); };
            for (int k = 0; k + 6 < size; ++k) {
                static constexpr bool kPattern[7] = {true, false, true, true, true, false, true};
                bool match = true;
                for (int t = 0; t < 7 && match; ++t) {
                    match = dark(rows, line, k + t) == kPattern[t];
                }
                if (!match || !light(k - 1) || !light(k + 7)) {
                    continue;
                }
                const bool before = light(k - 1) && light(k - 2) && light(k - 3) && light(k - 4);
                const bool after = light(k + 7) && light(k + 8) && light(k + 9) && light(k + 10);
                if (before || after) {
                    penalty += 40;
                }
            }
        }
    }
    // 2 x 2 blocks of one colour.
    for (int x = 0; x < size - 1; ++x) {
        for (int y = 0; y < size - 1; ++y) {
            const bool c = isDark(x, y);
            if (isDark(x + 1, y) == c && isDark(x, y + 1) == c && isDark(x + 1, y + 1) == c) {
                penalty += 3;
            }
        }
    }
    // Balance of dark and light.
    int lightCount = 0;
    for (int x = 0; x < size; ++x) {
        for (int y = 0; y < size; ++y) {
            lightCount += isDark(x, y) ? 0 : 1;
        }
    }
    const int ratio = (100 * lightCount) / (size * size);
    penalty += (std::abs(50 - ratio) / 5) * 10;
    return penalty;
}
