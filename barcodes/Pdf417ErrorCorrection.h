#pragma once
// Reed-Solomon error correction of PDF417 over GF(929).

#include <vector>

namespace pdf417 {

inline constexpr int kModulus = 929;

// Number of check codewords of an error-correction level (2, 4, ... 512);
// a level outside 0..8 counts as 0.
int errorCorrectionCount(int level);

// Coefficients a0..a(k-1) of the generator polynomial
// x^k + a(k-1) x^(k-1) + ... + a0 = (x - 3)(x - 3^2)...(x - 3^k) mod 929 of a
// level (outside 0..8 taken as 0). Computed once, shared by all threads.
const std::vector<int>& ERROR_LEVEL(int level);

// Writes the level's check codewords after the `dataCount` data codewords
// (highest-degree term first), so the whole list has roots 3, 3^2, ... 3^k.
void calculateErrorCorrection(int* codewords, int dataCount, int level);

} // namespace pdf417
