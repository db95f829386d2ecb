#include "barcodes/QrBitGrid.h"

#include <algorithm>
#include <cstdlib>

namespace qr {
namespace {

constexpr int kLineBits = 192;

// The eight mask conditions of the standard, i the row and j the column.
constexpr bool maskCondition(int mask, int i, int j) {
    switch (mask) {
    case 0:
        return (i + j) % 2 == 0;
    case 1:
        return i % 2 == 0;
    case 2:
        return j % 3 == 0;
    case 3:
        return (i + j) % 3 == 0;
    case 4:
        return (i / 2 + j / 3) % 2 == 0;
    case 5:
        return (i * j) % 2 + (i * j) % 3 == 0;
    case 6:
        return ((i * j) % 2 + (i * j) % 3) % 2 == 0;
    default:
        return ((i + j) % 2 + (i * j) % 3) % 2 == 0;
    }
}

// Every mask repeats after 12 rows and after 6 columns, so 12 row lines and
// 6 column lines per mask describe the whole symbol.
constexpr int kRowPeriod = 12;
constexpr int kColumnPeriod = 6;

struct MaskLines {
    std::array<std::array<BitLine, kRowPeriod>, 8> rows{};
    std::array<std::array<BitLine, kColumnPeriod>, 8> columns{};
};

constexpr MaskLines makeMaskLines() {
    MaskLines lines;
    for (int mask = 0; mask < 8; ++mask) {
        for (int k = 0; k < kLineBits; ++k) {
            const auto word = static_cast<std::size_t>(k / 64);
            const std::uint64_t bit = std::uint64_t{1} << (k % 64);
            for (int y = 0; y < kRowPeriod; ++y) {
                if (maskCondition(mask, y, k)) {
                    lines.rows[static_cast<std::size_t>(mask)][static_cast<std::size_t>(y)]
                        .words[word] |= bit;
                }
            }
            for (int x = 0; x < kColumnPeriod; ++x) {
                if (maskCondition(mask, k, x)) {
                    lines.columns[static_cast<std::size_t>(mask)][static_cast<std::size_t>(x)]
                        .words[word] |= bit;
                }
            }
        }
    }
    return lines;
}

constexpr MaskLines kMaskLines = makeMaskLines();

// Set bits of a word by adding neighbouring fields, without relying on a
// population-count instruction the build may not target.
inline int bitCount(std::uint64_t v) {
    v = v - ((v >> 1) & 0x5555555555555555u);
    v = (v & 0x3333333333333333u) + ((v >> 2) & 0x3333333333333333u);
    v = (v + (v >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
    return static_cast<int>((v * 0x0101010101010101u) >> 56);
}

// W words of a line, with the shifts the penalty rules need.
template <int W> struct Bits {
    std::uint64_t w[W];

    static Bits of(const BitLine& line) {
        Bits b;
        for (int i = 0; i < W; ++i) {
            b.w[i] = line.words[static_cast<std::size_t>(i)];
        }
        return b;
    }
    // Bits 0 .. n-1 set.
    static Bits first(int n) {
        Bits b;
        for (int i = 0; i < W; ++i) {
            const int inWord = std::clamp(n - 64 * i, 0, 64);
            b.w[i] = inWord == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << inWord) - 1;
        }
        return b;
    }
    // Bit i of the result is bit i + k of this line (0 past the end).
    Bits next(int k) const {
        Bits b;
        for (int i = 0; i < W; ++i) {
            b.w[i] = w[i] >> k;
            if (i + 1 < W) {
                b.w[i] |= w[i + 1] << (64 - k);
            }
        }
        return b;
    }
    // Bit i of the result is bit i - k of this line (0 before the start).
    Bits previous(int k) const {
        Bits b;
        for (int i = 0; i < W; ++i) {
            b.w[i] = w[i] << k;
            if (i > 0) {
                b.w[i] |= w[i - 1] >> (64 - k);
            }
        }
        return b;
    }
    int count() const {
        int n = 0;
        for (int i = 0; i < W; ++i) {
            n += bitCount(w[i]);
        }
        return n;
    }
    bool any() const {
        std::uint64_t all = 0;
        for (int i = 0; i < W; ++i) {
            all |= w[i];
        }
        return all != 0;
    }
    friend Bits operator&(Bits a, const Bits& b) {
        for (int i = 0; i < W; ++i) {
            a.w[i] &= b.w[i];
        }
        return a;
    }
    friend Bits operator|(Bits a, const Bits& b) {
        for (int i = 0; i < W; ++i) {
            a.w[i] |= b.w[i];
        }
        return a;
    }
    friend Bits operator^(Bits a, const Bits& b) {
        for (int i = 0; i < W; ++i) {
            a.w[i] ^= b.w[i];
        }
        return a;
    }
    friend Bits operator~(Bits a) {
        for (int i = 0; i < W; ++i) {
            a.w[i] = ~a.w[i];
        }
        return a;
    }
};

// Runs of five or more modules of one colour: a run of n modules holds
// n - 4 windows of five, and its first window is the one not preceded by
// another; n - 2 is the windows plus 2 for each first window.
template <int W> int runPenalty(const Bits<W>& colour) {
    const Bits<W> two = colour & colour.next(1);
    const Bits<W> four = two & two.next(2);
    const Bits<W> five = four & colour.next(4);
    if (!five.any()) {
        return 0;
    }
    return five.count() + 2 * (five & ~five.previous(1)).count();
}

// Dark, light, dark, dark, dark, light, dark starting at a module, with a
// light (or outside) module on both sides and four light (or outside)
// modules on at least one side.
template <int W> int finderPenalty(const Bits<W>& dark) {
    const Bits<W> light = ~dark; // outside the line counts as light
    const Bits<W> core = dark & light.next(1) & dark.next(2) & dark.next(3) & dark.next(4) &
                         light.next(5) & dark.next(6);
    if (!core.any()) {
        return 0;
    }
    const Bits<W> darkBefore =
        dark.previous(1) | dark.previous(2) | dark.previous(3) | dark.previous(4);
    const Bits<W> darkAfter = dark.next(7) | dark.next(8) | dark.next(9) | dark.next(10);
    const Bits<W> found = core & ~dark.previous(1) & ~dark.next(7) & (~darkBefore | ~darkAfter);
    return 40 * found.count();
}

template <int W> int linePenalty(const Bits<W>& dark, const Bits<W>& inside) {
    return runPenalty(dark) + runPenalty(inside & ~dark) + finderPenalty(dark);
}

template <int W> int penaltyWithWords(const BitGrid& grid) {
    const int size = grid.size();
    const Bits<W> inside = Bits<W>::first(size);
    const Bits<W> squareCorners = Bits<W>::first(size - 1);
    int penalty = 0;
    int darkModules = 0;
    int squares = 0;
    Bits<W> above = Bits<W>::of(grid.row(0));
    for (int y = 0; y < size; ++y) {
        const Bits<W> row = Bits<W>::of(grid.row(y));
        penalty += linePenalty(row, inside);
        darkModules += row.count();
        if (y > 0) {
            // Module x starts a square of one colour when it matches the
            // module right of it and both modules above.
            const Bits<W> same = ~(above ^ row) & ~(above ^ above.next(1)) & ~(row ^ row.next(1));
            squares += (same & squareCorners).count();
        }
        above = row;
    }
    for (int x = 0; x < size; ++x) {
        penalty += linePenalty(Bits<W>::of(grid.column(x)), inside);
    }
    penalty += 3 * squares;
    const int lightPercent = 100 * (size * size - darkModules) / (size * size);
    penalty += std::abs(50 - lightPercent) / 5 * 10;
    return penalty;
}

void xorInto(BitLine& out, const BitLine& fixed, const BitLine& pattern, const BitLine& open) {
    for (std::size_t i = 0; i < 3; ++i) {
        out.words[i] = fixed.words[i] ^ (pattern.words[i] & open.words[i]);
    }
}

} // namespace

void BitGrid::reset(int size) {
    m_size = size;
    for (int i = 0; i < size; ++i) {
        m_rows[static_cast<std::size_t>(i)] = {};
        m_columns[static_cast<std::size_t>(i)] = {};
    }
}

void BitGrid::set(int x, int y, bool dark) {
    auto put = [dark](BitLine& line, int k) {
        const std::uint64_t bit = std::uint64_t{1} << (k % 64);
        std::uint64_t& word = line.words[static_cast<std::size_t>(k / 64)];
        word = dark ? (word | bit) : (word & ~bit);
    };
    put(m_rows[static_cast<std::size_t>(y)], x);
    put(m_columns[static_cast<std::size_t>(x)], y);
}

void BitGrid::fillRowsFromColumns() {
    for (int y = 0; y < m_size; ++y) {
        BitLine line;
        const auto word = static_cast<std::size_t>(y / 64);
        const int shift = y % 64;
        for (int x = 0; x < m_size; ++x) {
            const std::uint64_t bit =
                (m_columns[static_cast<std::size_t>(x)].words[word] >> shift) & 1;
            line.words[static_cast<std::size_t>(x / 64)] |= bit << (x % 64);
        }
        m_rows[static_cast<std::size_t>(y)] = line;
    }
}

bool BitGrid::dark(int x, int y) const {
    const BitLine& line = m_rows[static_cast<std::size_t>(y)];
    return (line.words[static_cast<std::size_t>(x / 64)] >> (x % 64)) & 1;
}

void BitGrid::applyMask(const BitGrid& fixed, const BitGrid& open, int mask) {
    const auto& lines = kMaskLines;
    const auto m = static_cast<std::size_t>(mask & 7);
    m_size = fixed.m_size;
    for (int i = 0; i < m_size; ++i) {
        const auto k = static_cast<std::size_t>(i);
        xorInto(m_rows[k], fixed.m_rows[k], lines.rows[m][k % kRowPeriod], open.m_rows[k]);
        xorInto(m_columns[k], fixed.m_columns[k], lines.columns[m][k % kColumnPeriod],
                open.m_columns[k]);
    }
}

const BitLine& maskColumn(int mask, int x) {
    return kMaskLines.columns[static_cast<std::size_t>(mask & 7)]
                             [static_cast<std::size_t>(std::max(x, 0) % kColumnPeriod)];
}

bool maskInverts(int mask, int x, int y) {
    if (x < 0 || y < 0 || x >= kLineBits) {
        return false;
    }
    const BitLine& line =
        kMaskLines
            .rows[static_cast<std::size_t>(mask & 7)][static_cast<std::size_t>(y % kRowPeriod)];
    return (line.words[static_cast<std::size_t>(x / 64)] >> (x % 64)) & 1;
}

int maskPenalty(const BitGrid& grid) {
    if (grid.size() <= 0) {
        return 0;
    }
    if (grid.size() <= 64) {
        return penaltyWithWords<1>(grid);
    }
    if (grid.size() <= 128) {
        return penaltyWithWords<2>(grid);
    }
    return penaltyWithWords<3>(grid);
}

} // namespace qr
