#include "barcodes/Pdf417ErrorCorrection.h"
#include "barcodes/Pdf417Tables.h"

#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace {

// Element widths (bar, space, bar, ...) of `modules` bits, most significant
// first; empty when the pattern does not start with a bar.
std::vector<int> elementWidths(std::uint32_t pattern, int modules) {
    std::vector<int> widths;
    int previous = -1;
    for (int i = modules - 1; i >= 0; --i) {
        const int bit = static_cast<int>((pattern >> i) & 1u);
        if (bit == previous)
            ++widths.back();
        else
            widths.push_back(1);
        previous = bit;
    }
    if (((pattern >> (modules - 1)) & 1u) == 0)
        return {};
    return widths;
}

TEST(Pdf417Tables, EveryPatternIsFourBarsAndFourSpacesOfSeventeenModules) {
    for (int cluster = 0; cluster < 3; ++cluster) {
        for (int value = 0; value < pdf417::kCodewordValues; ++value) {
            const std::uint32_t pattern = pdf417::CLUSTERS[static_cast<std::size_t>(cluster)]
                                                          [static_cast<std::size_t>(value)];
            SCOPED_TRACE(testing::Message() << "cluster " << cluster * 3 << " value " << value);
            ASSERT_LT(pattern, 1u << 17);
            const std::vector<int> w = elementWidths(pattern, 17);
            ASSERT_EQ(w.size(), 8u); // starts with a bar, ends with a space
            int sum = 0;
            for (int x : w) {
                EXPECT_GE(x, 1);
                EXPECT_LE(x, 6);
                sum += x;
            }
            EXPECT_EQ(sum, 17);
            // The cluster number (b1 - b2 + b3 - b4 + 9) mod 9 of the bars.
            EXPECT_EQ((w[0] - w[2] + w[4] - w[6] + 9) % 9, cluster * 3);
        }
    }
}

TEST(Pdf417Tables, ClustersHoldDistinctPatternsInEdgeToEdgeOrder) {
    for (int cluster = 0; cluster < 3; ++cluster) {
        const auto& table = pdf417::CLUSTERS[static_cast<std::size_t>(cluster)];
        const std::set<std::uint32_t> distinct(table.begin(), table.end());
        EXPECT_EQ(distinct.size(), 929u);
        // Values follow the edge-to-edge widths e2..e6 in ascending order, so
        // a mistyped or swapped entry shows up as a break in the order.
        std::vector<int> previous;
        for (int value = 0; value < pdf417::kCodewordValues; ++value) {
            const std::vector<int> w = elementWidths(table[static_cast<std::size_t>(value)], 17);
            ASSERT_EQ(w.size(), 8u);
            std::vector<int> key;
            for (int i = 1; i <= 5; ++i)
                key.push_back(w[static_cast<std::size_t>(i)] + w[static_cast<std::size_t>(i + 1)]);
            if (value > 0) {
                EXPECT_LT(previous, key) << "cluster " << cluster * 3 << " value " << value;
            }
            previous = key;
        }
    }
}

TEST(Pdf417Tables, StartAndStopPatterns) {
    EXPECT_EQ(elementWidths(pdf417::kStartPattern, 17), (std::vector<int>{8, 1, 1, 1, 1, 1, 1, 3}));
    EXPECT_EQ(elementWidths(pdf417::kStopPattern, 18),
              (std::vector<int>{7, 1, 1, 3, 1, 1, 1, 2, 1}));
}

TEST(Pdf417Tables, SubModeTables) {
    EXPECT_EQ(sizeof pdf417::MIXED_SET - 1, 25u);
    EXPECT_EQ(sizeof pdf417::PUNCTUATION_SET - 1, 29u);
    // Carriage return, tab, comma, colon, hyphen, full stop, dollar and slash
    // sit at the same places in both.
    for (char c : std::string("\r\t,:-.$/")) {
        const std::string mixed(pdf417::MIXED_SET);
        const std::string punct(pdf417::PUNCTUATION_SET);
        EXPECT_EQ(mixed.find(c), punct.find(c)) << int(c);
    }
}

TEST(Pdf417ErrorCorrection, GeneratorCoefficientsOfLevelsZeroAndOne) {
    EXPECT_EQ(pdf417::ERROR_LEVEL(0), (std::vector<int>{27, 917}));
    EXPECT_EQ(pdf417::ERROR_LEVEL(1), (std::vector<int>{522, 568, 723, 809}));
    EXPECT_EQ(pdf417::ERROR_LEVEL(9), pdf417::ERROR_LEVEL(0));
    for (int level = 0; level <= 8; ++level)
        EXPECT_EQ(static_cast<int>(pdf417::ERROR_LEVEL(level).size()), 2 << level);
}

// Value of the codeword list as a polynomial (first codeword highest) at x.
int evaluate(const std::vector<int>& cw, int x) {
    int v = 0;
    for (int c : cw)
        v = (v * x + c) % pdf417::kModulus;
    return v;
}

TEST(Pdf417ErrorCorrection, SyndromesOfTheWholeListVanishAtEveryLevel) {
    for (int level = 0; level <= 8; ++level) {
        const int k = 2 << level;
        std::vector<int> cw(static_cast<std::size_t>(40 + k));
        unsigned seed = 12345u + static_cast<unsigned>(level);
        cw[0] = 40;
        for (int i = 1; i < 40; ++i) {
            seed = seed * 1103515245u + 12345u;
            cw[static_cast<std::size_t>(i)] = static_cast<int>((seed >> 8) % 900);
        }
        pdf417::calculateErrorCorrection(cw.data(), 40, level);
        int root = 1;
        for (int i = 1; i <= k; ++i) {
            root = root * 3 % pdf417::kModulus;
            ASSERT_EQ(evaluate(cw, root), 0) << "level " << level << " root 3^" << i;
        }
        // A single changed codeword is seen.
        cw[5] = (cw[5] + 1) % pdf417::kModulus;
        EXPECT_NE(evaluate(cw, 3), 0);
    }
}

} // namespace
