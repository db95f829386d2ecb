#include "barcodes/Pdf417ErrorCorrection.h"

#include <array>

namespace pdf417 {

namespace {

std::vector<int> generatorCoefficients(int count) {
    // Product of (x - 3^i), i = 1..count, lowest-degree coefficient first;
    // the leading 1 is implied.
    std::vector<int> poly{1};
    int root = 1;
    for (int i = 1; i <= count; ++i) {
        root = root * 3 % kModulus;
        std::vector<int> next(poly.size() + 1, 0);
        for (std::size_t j = 0; j < poly.size(); ++j) {
            next[j + 1] = (next[j + 1] + poly[j]) % kModulus;
            next[j] = (next[j] + (kModulus - root) * poly[j]) % kModulus;
        }
        poly = std::move(next);
    }
    poly.pop_back();
    return poly;
}

} // namespace

int errorCorrectionCount(int level) {
    if (level < 0 || level > 8)
        level = 0;
    return 2 << level;
}

const std::vector<int>& ERROR_LEVEL(int level) {
    static const std::array<std::vector<int>, 9> tables = [] {
        std::array<std::vector<int>, 9> t;
        for (int l = 0; l < 9; ++l)
            t[static_cast<std::size_t>(l)] = generatorCoefficients(2 << l);
        return t;
    }();
    if (level < 0 || level > 8)
        level = 0;
    return tables[static_cast<std::size_t>(level)];
}

void calculateErrorCorrection(int* codewords, int dataCount, int level) {
    const std::vector<int>& a = ERROR_LEVEL(level);
    const int k = static_cast<int>(a.size());
    // Division of data(x) * x^k by the generator; e[j] is the x^j term of
    // the running remainder, kept negated as the symbology stores it.
    std::vector<int> e(static_cast<std::size_t>(k), 0);
    for (int i = 0; i < dataCount; ++i) {
        const int t = (codewords[i] + e[static_cast<std::size_t>(k - 1)]) % kModulus;
        for (int j = k - 1; j > 0; --j) {
            const int product = t * a[static_cast<std::size_t>(j)] % kModulus;
            e[static_cast<std::size_t>(j)] =
                (e[static_cast<std::size_t>(j - 1)] + kModulus - product) % kModulus;
        }
        e[0] = (kModulus - t * a[0] % kModulus) % kModulus;
    }
    for (int j = 0; j < k; ++j) {
        const int r = e[static_cast<std::size_t>(k - 1 - j)];
        codewords[dataCount + j] = (kModulus - r) % kModulus;
    }
}

} // namespace pdf417
