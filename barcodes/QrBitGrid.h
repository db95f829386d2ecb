#pragma once
// A QR Code symbol held as bits, row by row and column by column, so that
// the eight masks can be applied and their penalties scored a whole line of
// modules at a time.

#include "barcodes/QrTables.h"

#include <array>
#include <cstdint>

namespace qr {

// Up to 192 modules of one row or column; module i is bit i % 64 of word
// i / 64.
struct BitLine {
    std::array<std::uint64_t, 3> words{};
};

class BitGrid {
public:
    // An all-light symbol of size x size modules.
    void reset(int size);
    int size() const { return m_size; }

    void set(int x, int y, bool dark);
    bool dark(int x, int y) const;

    // rows[y] holds module (x, y) at bit x; columns[x] holds it at bit y.
    const BitLine& row(int y) const { return m_rows[static_cast<std::size_t>(y)]; }
    const BitLine& column(int x) const { return m_columns[static_cast<std::size_t>(x)]; }

    // Word `word` of column x, replaced whole; the rows follow only after
    // fillRowsFromColumns().
    void setColumnWord(int x, int word, std::uint64_t bits) {
        m_columns[static_cast<std::size_t>(x)].words[static_cast<std::size_t>(word)] = bits;
    }
    void fillRowsFromColumns();

    // This grid becomes `fixed` with the modules where `open` is set
    // inverted by mask pattern `mask` (0..7).
    void applyMask(const BitGrid& fixed, const BitGrid& open, int mask);

private:
    int m_size = 0;
    std::array<BitLine, kMaxSymbolSize> m_rows{};
    std::array<BitLine, kMaxSymbolSize> m_columns{};
};

// Column x of mask pattern `mask` (0..7): bit y set where it inverts
// module (x, y).
const BitLine& maskColumn(int mask, int x);

// True where mask pattern `mask` (0..7) inverts the module at column x, row y.
bool maskInverts(int mask, int x, int y);

// The mask penalty of a symbol: runs of five or more modules of one colour
// along rows and columns (run length - 2 each), 2 x 2 squares of one colour
// (3 each), finder-like 1:1:3:1:1 sequences with light space on one side (40
// each), and the balance of dark and light (10 for every full 5 % away from
// half, on the integer percentage of light modules).
int maskPenalty(const BitGrid& grid);

} // namespace qr
