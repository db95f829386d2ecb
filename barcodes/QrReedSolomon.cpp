#include "barcodes/QrReedSolomon.h"

#include <map>
#include <mutex>

namespace qr {

const GaloisTables& galois() {
    static const GaloisTables tables = [] {
        GaloisTables t;
        int value = 1;
        for (int i = 0; i < 255; ++i) {
            t.byExpToInt[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value);
            t.byIntToExp[static_cast<std::size_t>(value)] = static_cast<std::uint8_t>(i);
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
    static std::mutex mutex;
    static std::map<int, std::vector<std::uint8_t>> cache;
    std::lock_guard lock(mutex);
    auto found = cache.find(ncRSCodeWord);
    if (found != cache.end()) {
        return found->second;
    }
    // Multiply out the factors in integer form, then store exponents.
    std::vector<std::uint8_t> poly{1};
    const GaloisTables& t = galois();
    for (int i = 0; i < ncRSCodeWord; ++i) {
        const std::uint8_t root = t.byExpToInt[static_cast<std::size_t>(i % 255)];
        std::vector<std::uint8_t> next(poly.size() + 1, 0);
        for (std::size_t k = 0; k < poly.size(); ++k) {
            next[k] ^= poly[k];
            next[k + 1] ^= gfMultiply(poly[k], root);
        }
        poly = std::move(next);
    }
    for (std::uint8_t& c : poly) {
        c = t.byIntToExp[c];
    }
    return cache.emplace(ncRSCodeWord, std::move(poly)).first->second;
}

std::vector<std::uint8_t> reedSolomonRemainder(const std::uint8_t* data, int ncData, int ncRS) {
    const std::vector<std::uint8_t>& generator = byRSExp(ncRS);
    const GaloisTables& t = galois();
    std::vector<std::uint8_t> rem(static_cast<std::size_t>(ncRS), 0);
    for (int i = 0; i < ncData; ++i) {
        const std::uint8_t factor = data[i] ^ (ncRS > 0 ? rem[0] : 0);
        if (ncRS == 0) {
            break;
        }
        rem.erase(rem.begin());
        rem.push_back(0);
        if (factor != 0) {
            const int logFactor = t.byIntToExp[factor];
            for (int k = 0; k < ncRS; ++k) {
                rem[static_cast<std::size_t>(k)] ^=
                    t.byExpToInt[(generator[static_cast<std::size_t>(k + 1)] + logFactor) % 255];
            }
        }
    }
    return rem;
}

} // namespace qr
