#include "barcodes/Pdf417ErrorCorrection.h"
#include "barcodes/Pdf417Tables.h"

#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace {

// Element widths (bar, space, bar, ...) of `modules` bits, most significant
// first; empty when the pattern does not start with a bar.
std::vector<int> elementWidths(std::uint32_t pattern, int modules) {
    if (((pattern >> (modules - 1)) & 1u) == 0)
        return {};
    std::vector<int> widths;
    std::uint32_t previous = 2;
    for (int i = modules - 1; i >= 0; --i) {
        const std::uint32_t bit = (pattern >> i) & 1u;
        if (bit == previous)
            ++widths.back();
        else
            widths.push_back(1);
        previous = bit;
    }
    return widths;
}

TEST(Pdf417Tables, ClustersHold929DistinctWellFormedPatterns) {
    for (int cluster = 0; cluster < 3; ++cluster) {
        const auto& table = pdf417::CLUSTERS[static_cast<std::size_t>(cluster)];
        EXPECT_EQ(std::set<std::uint32_t>(table.begin(), table.end()).size(), 929u);
        std::vector<int> previousKey;
        for (int value = 0; value < pdf417::kCodewordValues; ++value) {
            SCOPED_TRACE(testing::Message() << "cluster " << cluster * 3 << " value " << value);
            const std::uint32_t pattern = table[static_cast<std::size_t>(value)];
            ASSERT_LT(pattern, 1u << 17);
            const std::vector<int> w = elementWidths(pattern, 17);
            ASSERT_EQ(w.size(), 8u); // 4 bars and 4 spaces, starting with a bar
            int sum = 0;
            for (int x : w) {
                EXPECT_TRUE(x >= 1 && x <= 6);
                sum += x;
            }
            EXPECT_EQ(sum, 17);
            EXPECT_EQ((w[0] - w[2] + w[4] - w[6] + 9) % 9, cluster * 3); // cluster number
            // Values follow the edge-to-edge widths e2..e6 in ascending order,
            // so a swapped or mistyped entry breaks the order.
            std::vector<int> key;
            for (std::size_t i = 1; i <= 5; ++i)
                key.push_back(w[i] + w[i + 1]);
            if (value > 0) {
                EXPECT_LT(previousKey, key);
            }
            previousKey = key;
        }
    }
    EXPECT_EQ(elementWidths(pdf417::kStartPattern, 17), (std::vector<int>{8, 1, 1, 1, 1, 1, 1, 3}));
    EXPECT_EQ(elementWidths(pdf417::kStopPattern, 18),
              (std::vector<int>{7, 1, 1, 3, 1, 1, 1, 2, 1}));
}

TEST(Pdf417ErrorCorrection, GeneratorCoefficients) {
    EXPECT_EQ(pdf417::ERROR_LEVEL(0), (std::vector<int>{27, 917}));
    EXPECT_EQ(pdf417::ERROR_LEVEL(1), (std::vector<int>{522, 568, 723, 809}));
    EXPECT_EQ(pdf417::ERROR_LEVEL(9), pdf417::ERROR_LEVEL(0));
    for (int level = 0; level <= 8; ++level)
        EXPECT_EQ(static_cast<int>(pdf417::ERROR_LEVEL(level).size()), 2 << level);
}

// The codeword list as a polynomial (first codeword highest) at x.
int evaluate(const std::vector<int>& cw, int x) {
    int v = 0;
    for (int c : cw)
        v = (v * x + c) % pdf417::kModulus;
    return v;
}

TEST(Pdf417ErrorCorrection, SyndromesOfTheWholeListVanishAtEveryLevel) {
    unsigned seed = 12345u;
    for (int level = 0; level <= 8; ++level) {
        const int k = 2 << level;
        std::vector<int> cw(static_cast<std::size_t>(40 + k));
        cw[0] = 40;
        for (std::size_t i = 1; i < 40; ++i) {
            seed = seed * 1103515245u + 12345u;
            cw[i] = static_cast<int>((seed >> 8) % 900);
        }
        pdf417::calculateErrorCorrection(cw.data(), 40, level);
        for (int i = 1, root = 3; i <= k; ++i, root = root * 3 % pdf417::kModulus)
            ASSERT_EQ(evaluate(cw, root), 0) << "level " << level << " root 3^" << i;
        cw[5] = (cw[5] + 1) % pdf417::kModulus; // a changed codeword is seen
        EXPECT_NE(evaluate(cw, 3), 0);
    }
}

} // namespace
