#pragma once
// Reed-Solomon arithmetic over GF(256) with the primitive polynomial
// x^8 + x^4 + x^3 + x^2 + 1 (0x11D), as QR Code uses it.

#include <array>
#include <cstdint>
#include <vector>

namespace qr {

struct GaloisTables {
    std::array<std::uint8_t, 256> byExpToInt{}; // alpha^i
    std::array<std::uint8_t, 256> byIntToExp{}; // log of a non-zero value
};
const GaloisTables& galois();

// Product of two field elements.
std::uint8_t gfMultiply(std::uint8_t a, std::uint8_t b);

// Largest number of error-correction codewords the generators are kept for.
inline constexpr int kMaxGeneratorDegree = 153;

// Generator polynomial (x - alpha^0)(x - alpha^1)...(x - alpha^(n-1)) in
// exponent form, highest coefficient (always alpha^0) first: n + 1 entries
// for n from 0 to kMaxGeneratorDegree, none for other n.
const std::vector<std::uint8_t>& byRSExp(int ncRSCodeWord);

// Remainder of data(x) x^n divided by the generator of n codewords: the n
// error-correction codewords, highest power first.
std::vector<std::uint8_t> reedSolomonRemainder(const std::uint8_t* data, int ncData, int ncRS);
// The same into out[0..ncRS), without allocating; ncRS at most
// kMaxGeneratorDegree.
void reedSolomonRemainderInto(const std::uint8_t* data, int ncData, int ncRS, std::uint8_t* out);

} // namespace qr
