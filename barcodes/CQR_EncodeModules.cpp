// Function patterns, codeword placement, masking and the mask choice.
#include "barcodes/CQR_Encode.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

using namespace qr;

namespace {

// Module byte flags while the symbol is built: function modules carry
// kFunction (and kFunctionDark when dark); data modules carry kDataBit for a
// 1 bit and kMaskedDark once masked dark.
constexpr std::uint8_t kFunction = 0x20;
constexpr std::uint8_t kFunctionDark = 0x10;
constexpr std::uint8_t kDataBit = 0x02;
constexpr std::uint8_t kMaskedDark = 0x01;

// Format bit k (0 the least significant) in the copy around the top-left
// finder: column, row. It runs up column 8 (skipping the timing row) and
// then left along row 8 (skipping the timing column).
constexpr std::uint8_t kFormatNearOrigin[15][2] = {
    {8, 0}, {8, 1}, {8, 2}, {8, 3}, {8, 4}, {8, 5}, {8, 7}, {8, 8},
    {7, 8}, {5, 8}, {4, 8}, {3, 8}, {2, 8}, {1, 8}, {0, 8},
};

// Calls put(x, y, dark) for the 30 modules of the format information: the
// copy above and the copy split between the top-right finder (bits 0-7 along
// row 8 from the right edge) and the bottom-left one (bits 8-14 down column
// 8 to the bottom edge).
template <typename Put> void forEachFormatModule(int size, int word, Put put) {
    for (int k = 0; k < 15; ++k) {
        const bool dark = (word >> k) & 1;
        put(kFormatNearOrigin[k][0], kFormatNearOrigin[k][1], dark);
        if (k < 8) {
            put(size - 1 - k, 8, dark);
        } else {
            put(8, size - 15 + k, dark);
        }
    }
}

// The check bits of a BCH code: value x^degree modulo the generator
// polynomial of that degree (polynomials over GF(2) as bit masks).
int bchRemainder(int value, int generator, int degree) {
    int rem = value << degree;
    for (int bit = 30; bit >= degree; --bit) {
        if (rem & (1 << bit)) {
            rem ^= generator << (bit - degree);
        }
    }
    return rem;
}

// The data modules of a symbol in placement order: two-module-wide columns
// from the right edge to the left, the first going up from the bottom row,
// the next down from the top row, and so on; in each row of a column the
// right module comes before the left. Column 6 holds the vertical timing
// pattern and belongs to no column pair, so the pairs left of it start one
// module further left. Function modules are passed over.
class PlacementCursor {
public:
    PlacementCursor(int size, const CQR_Encode::ModuleMatrix& modules)
        : m_size(size), m_pairs((size - 1) / 2), m_modules(modules) {}

    // The next free module, or false once the symbol is full.
    bool next(int& x, int& y) {
        while (m_pair < m_pairs) {
            const int right = rightColumnOf(m_pair);
            const bool upward = m_pair % 2 == 0;
            x = right - m_side;
            y = upward ? m_size - 1 - m_step : m_step;
            advance();
            if ((m_modules[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)] & kFunction) ==
                0) {
                return true;
            }
        }
        return false;
    }

private:
    int rightColumnOf(int pair) const {
        const int right = m_size - 1 - 2 * pair;
        return right <= 6 ? right - 1 : right;
    }
    void advance() {
        if (++m_side < 2) {
            return;
        }
        m_side = 0;
        if (++m_step < m_size) {
            return;
        }
        m_step = 0;
        ++m_pair;
    }

    int m_size;
    int m_pairs;
    const CQR_Encode::ModuleMatrix& m_modules;
    int m_pair = 0; // column pair, 0 at the right edge
    int m_step = 0; // rows done in this pair
    int m_side = 0; // 0 the right module, 1 the left
};

} // namespace

int CQR_Encode::formatWord(int nLevel, int nPatternNo) {
    // Level indicators: L 01, M 00, Q 11, H 10.
    static constexpr int kLevelIndicator[4] = {0b01, 0b00, 0b11, 0b10};
    const int data = (kLevelIndicator[nLevel & 3] << 3) | (nPatternNo & 7);
    return ((data << 10) | bchRemainder(data, 0x537, 10)) ^ 0x5412;
}

int CQR_Encode::versionWord(int nVersion) {
    return (nVersion << 12) | bchRemainder(nVersion, 0x1F25, 12);
}

void CQR_Encode::FormatModule() {
    const int size = symbolSize();
    for (int x = 0; x < size; ++x) {
        std::memset(m_byModuleData[static_cast<std::size_t>(x)].data(), 0,
                    static_cast<std::size_t>(size));
    }
    SetFunctionModule();
    SetCodeWordPattern();
    if (m_nMaskingNo < 0 || m_nMaskingNo > 7) {
        m_nMaskingNo = chooseMask();
    }
    const int mask = maskingNo();
    SetMaskingPattern(mask);
    SetFormatInfoPattern(mask);
    for (int x = 0; x < size; ++x) {
        for (int y = 0; y < size; ++y) {
            std::uint8_t& m = moduleAt(x, y);
            m = (m & (kFunctionDark | kMaskedDark)) != 0 ? 1 : 0;
        }
    }
}

void CQR_Encode::SetFunctionModule() {
    const int size = symbolSize();
    // Finder patterns with their light separators, which stop at the edge.
    SetFinderPattern(0, 0);
    SetFinderPattern(size - 7, 0);
    SetFinderPattern(0, size - 7);
    for (int k = 0; k < 8; ++k) {
        putFunction(7, k, false);
        putFunction(k, 7, false);
        putFunction(size - 8, k, false);
        putFunction(size - 1 - k, 7, false);
        putFunction(7, size - 1 - k, false);
        putFunction(k, size - 8, false);
    }
    // Format areas, written per mask later, and the one module that is
    // always dark.
    forEachFormatModule(size, 0, [this](int x, int y, bool) { putFunction(x, y, false); });
    putFunction(8, size - 8, true);

    SetVersionPattern();

    // Alignment patterns at every pair of centres; those that would overlap
    // a finder pattern are left out.
    const VersionInfo& info = QR_VersonInfo[static_cast<std::size_t>(m_nVersion)];
    if (info.alignPointCount > 0) {
        std::array<int, 7> centres{6};
        const auto count = static_cast<std::size_t>(info.alignPointCount) + 1;
        for (std::size_t k = 1; k < count; ++k) {
            centres[k] = static_cast<int>(info.alignPoints[k - 1]);
        }
        for (std::size_t a = 0; a < count; ++a) {
            for (std::size_t b = 0; b < count; ++b) {
                SetAlignmentPattern(centres[a], centres[b]);
            }
        }
    }

    // Timing patterns between the separators, dark on even positions.
    for (int k = 8; k < size - 8; ++k) {
        putFunction(k, 6, k % 2 == 0);
        putFunction(6, k, k % 2 == 0);
    }
}

void CQR_Encode::SetFinderPattern(int x, int y) {
    // A dark 3 x 3 centre in a light ring in a dark ring.
    for (int dy = -3; dy <= 3; ++dy) {
        for (int dx = -3; dx <= 3; ++dx) {
            const int ring = std::max(std::abs(dx), std::abs(dy));
            putFunction(x + 3 + dx, y + 3 + dy, ring != 2);
        }
    }
}

void CQR_Encode::SetAlignmentPattern(int x, int y) {
    if (moduleAt(x, y) & kFunction) {
        return;
    }
    // A dark centre in a light ring in a dark ring.
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            putFunction(x + dx, y + dy, std::max(std::abs(dx), std::abs(dy)) != 1);
        }
    }
}

void CQR_Encode::SetVersionPattern() {
    if (m_nVersion < 7) {
        return;
    }
    const int size = symbolSize();
    const int word = versionWord(version());
    // Bit k sits in the 6 x 3 block above the bottom-left finder at column
    // k / 3, row size - 11 + k % 3, and mirrored in the 3 x 6 block left of
    // the top-right finder.
    for (int k = 0; k < 18; ++k) {
        const bool dark = (word >> k) & 1;
        const int across = k / 3;
        const int along = size - 11 + k % 3;
        putFunction(across, along, dark);
        putFunction(along, across, dark);
    }
}

void CQR_Encode::SetCodeWordPattern() {
    PlacementCursor cursor(symbolSize(), m_byModuleData);
    int x = 0;
    int y = 0;
    // Each codeword's bits, most significant first.
    for (std::int64_t i = 0; i < m_ncAllCodeWord; ++i) {
        const unsigned codeword = m_byAllCodeWord[static_cast<std::size_t>(i)];
        for (int bit = 7; bit >= 0; --bit) {
            if (!cursor.next(x, y)) {
                return;
            }
            moduleAt(x, y) = ((codeword >> bit) & 1) != 0 ? kDataBit : 0;
        }
    }
    // The remainder bits are 0.
    while (cursor.next(x, y)) {
        moduleAt(x, y) = 0;
    }
}

void CQR_Encode::SetMaskingPattern(int nPatternNo) {
    const int size = symbolSize();
    for (int x = 0; x < size; ++x) {
        const BitLine& inverted = maskColumn(nPatternNo, x);
        for (int y = 0; y < size; ++y) {
            std::uint8_t& m = moduleAt(x, y);
            if (m & kFunction) {
                continue;
            }
            const bool flip = (inverted.words[static_cast<std::size_t>(y / 64)] >> (y % 64)) & 1;
            const bool dark = ((m & kDataBit) != 0) != flip;
            m = static_cast<std::uint8_t>((m & kDataBit) | (dark ? kMaskedDark : 0));
        }
    }
}

void CQR_Encode::SetFormatInfoPattern(int nPatternNo) {
    const int size = symbolSize();
    forEachFormatModule(size, formatWord(level(), nPatternNo),
                        [this](int x, int y, bool dark) { putFunction(x, y, dark); });
    putFunction(8, size - 8, true);
}

void CQR_Encode::splitPlanes() {
    // What masks leave alone (function modules as drawn, format areas still
    // light, data bits unmasked) and the data modules they invert, a word
    // of each line at a time.
    const int size = symbolSize();
    m_fixedPlane.reset(size);
    m_openPlane.reset(size);
    for (int x = 0; x < size; ++x) {
        const auto& column = m_byModuleData[static_cast<std::size_t>(x)];
        for (int y0 = 0; y0 < size; y0 += 64) {
            std::uint64_t fixed = 0;
            std::uint64_t open = 0;
            const int end = std::min(size, y0 + 64);
            for (int y = y0; y < end; ++y) {
                const std::uint8_t m = column[static_cast<std::size_t>(y)];
                const std::uint64_t bit = std::uint64_t{1} << (y - y0);
                fixed |= (m & (kFunctionDark | kDataBit)) != 0 ? bit : 0;
                open |= (m & kFunction) == 0 ? bit : 0;
            }
            m_fixedPlane.setColumnWord(x, y0 / 64, fixed);
            m_openPlane.setColumnWord(x, y0 / 64, open);
        }
    }
    m_fixedPlane.fillRowsFromColumns();
    m_openPlane.fillRowsFromColumns();
}

int CQR_Encode::chooseMask() {
    const int size = symbolSize();
    splitPlanes();
    // Ties keep the lower mask number.
    int best = 0;
    int bestPenalty = 0;
    for (int mask = 0; mask < 8; ++mask) {
        m_trialPlane.applyMask(m_fixedPlane, m_openPlane, mask);
        forEachFormatModule(size, formatWord(level(), mask), [this](int x, int y, bool dark) {
            if (dark) {
                m_trialPlane.set(x, y, true);
            }
        });
        const int penalty = maskPenalty(m_trialPlane);
        if (mask == 0 || penalty < bestPenalty) {
            best = mask;
            bestPenalty = penalty;
        }
    }
    return best;
}

int CQR_Encode::CountPenalty() const {
    const int size = symbolSize();
    auto plane = std::make_unique<BitGrid>();
    plane->reset(size);
    for (int x = 0; x < size; ++x) {
        for (int y = 0; y < size; ++y) {
            if (isDark(x, y)) {
                plane->set(x, y, true);
            }
        }
    }
    return maskPenalty(*plane);
}
