#pragma once
// Fixed tables of the PDF417 symbology.

#include <array>
#include <cstdint>

namespace pdf417 {

// Number of codeword values (0..928).
inline constexpr int kCodewordValues = 929;
// Largest number of codewords in a symbol.
inline constexpr int kMaxCodewords = 928;

// Bar-space patterns by cluster index (0, 1, 2 for clusters 0, 3, 6) and
// codeword value: 17 bits, most significant first, 1 = bar.
extern const std::array<std::array<std::uint32_t, kCodewordValues>, 3> CLUSTERS;

// Start pattern (17 modules) and stop pattern (18 modules), 1 = bar.
inline constexpr std::uint32_t kStartPattern = 130728;
inline constexpr std::uint32_t kStopPattern = 260649;

// Text compaction sub-mode tables: a character's value is its index.
inline constexpr char MIXED_SET[] = "0123456789&\r\t,:#-.$/+%*=^";
inline constexpr char PUNCTUATION_SET[] = ";<>@[\\]_`~!\r\t,:\n-.$/\"|*()?{}'";

} // namespace pdf417
