#include "barcodes/QrReedSolomon.h"

#include <algorithm>
#include <cstring>

namespace qr {
namespace {

// Every generator polynomial up to the largest degree, built once: g_0 = 1
// and g_(n+1) = g_n (x - alpha^n). `integer` holds the coefficients,
// `exponent` their logarithms.
struct Generators {
    std::array<std::vector<std::uint8_t>, kMaxGeneratorDegree + 1> integer;
    std::array<std::vector<std::uint8_t>, kMaxGeneratorDegree + 1> exponent;
    // alpha^i for i up to 2 x 254, so that sums of two logarithms need no
    // reduction.
    std::array<std::uint8_t, 512> power{};
};

const Generators& generators() {
    static const Generators all = [] {
        Generators g;
        const GaloisTables& t = galois();
        for (std::size_t i = 0; i < g.power.size(); ++i) {
            g.power[i] = t.byExpToInt[i % 255];
        }
        g.integer[0] = {1};
        for (int n = 0; n < kMaxGeneratorDegree; ++n) {
            const std::vector<std::uint8_t>& from = g.integer[static_cast<std::size_t>(n)];
            std::vector<std::uint8_t> next(from.size() + 1, 0);
            const std::uint8_t root = t.byExpToInt[static_cast<std::size_t>(n % 255)];
            for (std::size_t k = 0; k < from.size(); ++k) {
                next[k] ^= from[k];
                next[k + 1] ^= gfMultiply(from[k], root);
            }
            g.integer[static_cast<std::size_t>(n + 1)] = std::move(next);
        }
        for (std::size_t n = 0; n <= kMaxGeneratorDegree; ++n) {
            for (std::uint8_t c : g.integer[n]) {
                g.exponent[n].push_back(c == 0 ? 0 : t.byIntToExp[c]);
            }
        }
        return g;
    }();
    return all;
}

} // namespace

const GaloisTables& galois() {
    static const GaloisTables tables = [] {
        GaloisTables t;
        unsigned value = 1;
        for (std::size_t i = 0; i < 255; ++i) {
            t.byExpToInt[i] = static_cast<std::uint8_t>(value);
            t.byIntToExp[value] = static_cast<std::uint8_t>(i);
            value <<= 1;
            if (value & 0x100) {
                value ^= 0x11D;
            }
        }
        t.byExpToInt[255] = t.byExpToInt[0];
        return t;
    }();
    return tables;
}

std::uint8_t gfMultiply(std::uint8_t a, std::uint8_t b) {
    if (a == 0 || b == 0) {
        return 0;
    }
    const GaloisTables& t = galois();
    return t.byExpToInt[(t.byIntToExp[a] + t.byIntToExp[b]) % 255];
}

const std::vector<std::uint8_t>& byRSExp(int ncRSCodeWord) {
    static const std::vector<std::uint8_t> none;
    if (ncRSCodeWord < 0 || ncRSCodeWord > kMaxGeneratorDegree) {
        return none;
    }
    return generators().exponent[static_cast<std::size_t>(ncRSCodeWord)];
}

void reedSolomonRemainderInto(const std::uint8_t* data, int ncData, int ncRS, std::uint8_t* out) {
    if (ncRS <= 0) {
        return;
    }
    ncRS = std::min(ncRS, kMaxGeneratorDegree);
    const Generators& g = generators();
    const std::uint8_t* coefficient = g.integer[static_cast<std::size_t>(ncRS)].data();
    const std::uint8_t* logarithm = g.exponent[static_cast<std::size_t>(ncRS)].data();
    const GaloisTables& t = galois();
    const auto n = static_cast<std::size_t>(ncRS);
    std::memset(out, 0, n);
    // Long division: each data codeword, added to the leading remainder
    // term, gives the factor of the generator to subtract.
    for (int i = 0; i < ncData; ++i) {
        const std::uint8_t factor = data[i] ^ out[0];
        std::memmove(out, out + 1, n - 1);
        out[n - 1] = 0;
        if (factor == 0) {
            continue;
        }
        const int logFactor = t.byIntToExp[factor];
        for (std::size_t k = 0; k < n; ++k) {
            if (coefficient[k + 1] != 0) {
                out[k] ^= g.power[static_cast<std::size_t>(logFactor + logarithm[k + 1])];
            }
        }
    }
}

std::vector<std::uint8_t> reedSolomonRemainder(const std::uint8_t* data, int ncData, int ncRS) {
    std::vector<std::uint8_t> rem(static_cast<std::size_t>(std::max(ncRS, 0)), 0);
    reedSolomonRemainderInto(data, ncData, std::min(ncRS, kMaxGeneratorDegree), rem.data());
    return rem;
}

} // namespace qr
