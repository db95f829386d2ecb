// QR Code encoder: codewords, format and version words, edge cases.
#include "barcodes/CQR_Encode.h"
#include "barcodes/QREncoder.h"
#include "barcodes/QrTables.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace qr;

namespace {

// GF(256) product by shift and add, independent of the encoder's tables.
int gfMul(int a, int b) {
    int r = 0;
    while (b) {
        if (b & 1) {
            r ^= a;
        }
        b >>= 1;
        a <<= 1;
        if (a & 0x100) {
            a ^= 0x11D;
        }
    }
    return r;
}

std::unique_ptr<CQR_Encode> encode(int level, int version, const std::string& value,
                                   int mask = -1) {
    auto encoder = std::make_unique<CQR_Encode>();
    EXPECT_TRUE(encoder->EncodeData(level, version, true, mask, value.c_str()));
    return encoder;
}

std::vector<int> ints(const std::vector<std::uint8_t>& bytes, std::size_t from, std::size_t n) {
    return {bytes.begin() + static_cast<long>(from), bytes.begin() + static_cast<long>(from + n)};
}

} // namespace

TEST(QrCodewords, StandardExamplesAtVersion1M) {
    struct Case {
        std::string value;
        std::vector<int> data;
        std::vector<int> ec;
    };
    const Case cases[] = {
        {"HELLO WORLD",
         {32, 91, 11, 120, 209, 114, 220, 77, 67, 64, 236, 17, 236, 17, 236, 17},
         {196, 35, 39, 119, 235, 215, 231, 226, 93, 23}},
        {"01234567",
         {16, 32, 12, 86, 97, 128, 236, 17, 236, 17, 236, 17, 236, 17, 236, 17},
         {165, 36, 212, 193, 237, 54, 199, 135, 44, 85}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        auto encoder = encode(1, 0, c.value);
        ASSERT_EQ(encoder->version(), 1);
        const auto all = encoder->allCodewords();
        ASSERT_EQ(all.size(), 26u);
        EXPECT_EQ(ints(all, 0, 16), c.data);
        EXPECT_EQ(ints(all, 16, 10), c.ec);
    }
}

TEST(QrWords, FormatAndVersionWords) {
    EXPECT_EQ(CQR_Encode::formatWord(1, 0), 0b101010000010010);
    // Level L, mask 4 and level H, mask 7 from the standard's format table.
    EXPECT_EQ(CQR_Encode::formatWord(0, 4), 0b110011000101111);
    EXPECT_EQ(CQR_Encode::formatWord(3, 7), 0b000100000111011);
    EXPECT_EQ(CQR_Encode::versionWord(7), 0x07C94);
    EXPECT_EQ(CQR_Encode::versionWord(40), 0x28C69);
}

TEST(QrCodewords, EveryBlockHasZeroSyndromes) {
    for (int v : {1, 5, 9, 10, 15, 27, 36, 40}) {
        for (int level = 0; level < 4; ++level) {
            SCOPED_TRACE(testing::Message() << "version " << v << " level " << level);
            const std::string value = std::to_string(v * 7919 + level * 104729 + 1234567);
            auto encoder = encode(level, v, value);
            ASSERT_EQ(encoder->version(), v);
            const auto all = encoder->allCodewords();
            const VersionInfo& info = QR_VersonInfo[static_cast<std::size_t>(v)];
            const RSBlock& g1 = info.rsBlock1[static_cast<std::size_t>(level)];
            const RSBlock& g2 = info.rsBlock2[static_cast<std::size_t>(level)];
            const int blocks = static_cast<int>(g1.count + g2.count);
            const int ec = static_cast<int>(g1.allCodewords - g1.dataCodewords);
            const int dataTotal =
                static_cast<int>(info.dataCodewords[static_cast<std::size_t>(level)]);
            // Undo the interleaving.
            std::vector<std::vector<int>> data(static_cast<std::size_t>(blocks));
            std::size_t pos = 0;
            for (int column = 0; column < g1.dataCodewords + (g2.count ? 1 : 0); ++column) {
                for (int b = 0; b < blocks; ++b) {
                    const int n =
                        static_cast<int>(b < g1.count ? g1.dataCodewords : g2.dataCodewords);
                    if (column < n) {
                        data[static_cast<std::size_t>(b)].push_back(all[pos++]);
                    }
                }
            }
            ASSERT_EQ(static_cast<int>(pos), dataTotal);
            // The data codewords before interleaving come back in block order.
            const auto plain = encoder->dataCodewords();
            std::vector<int> joined;
            for (const auto& d : data) {
                joined.insert(joined.end(), d.begin(), d.end());
            }
            EXPECT_EQ(joined, std::vector<int>(plain.begin(), plain.end()));
            for (int k = 0; k < ec; ++k) {
                for (int b = 0; b < blocks; ++b) {
                    data[static_cast<std::size_t>(b)].push_back(all[pos++]);
                }
            }
            for (int b = 0; b < blocks; ++b) {
                for (int i = 0, root = 1; i < ec; ++i, root = gfMul(root, 2)) {
                    int syndrome = 0;
                    for (int c : data[static_cast<std::size_t>(b)]) {
                        syndrome = gfMul(syndrome, root) ^ c;
                    }
                    ASSERT_EQ(syndrome, 0) << "block " << b << " root " << i;
                }
            }
        }
    }
}

TEST(QrEncoder, EdgeCases) {
    const std::string digits42(42, '7');
    const struct {
        int level;
        int version;
        std::string value;
        int expectedSize; // 0: no grid
    } cases[] = {
        {1, 0, "", 0},
        {1, 0, "12345", 21},
        {0, 0, digits42, 25}, // the largest symbol bounds automatic versions
        {0, 1, digits42, 0},  // a requested version keeps its check
        {0, 2, digits42, 25},
        {0, 5, "1", 37}, // a requested version is a minimum
        {0, 0, std::string(18, 'q'), 25},
        {0, 0, std::string(17, 'q'), 21},
        {0, 0, "ABCDEFGHIJKL1234567890123", 21},
        {0, 2, "ABCDEFGHIJKL1234567890123", 25},
        {0, 0, std::string(7089, '5'), 177},
        {0, 0, std::string(7090, '5'), 0},
        {3, 0, std::string(1273, 'x'), 177},
        {3, 0, std::string(1274, 'x'), 0},
        {4, 0, "1", 0},
        {0, 41, "1", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.value.size() << " bytes, level " << c.level << ", version " << c.version);
        auto grid = QREncoder::encodeCStringWithECLevel(c.level, c.version, c.value.c_str());
        if (c.expectedSize == 0) {
            EXPECT_EQ(grid, nullptr);
        } else {
            ASSERT_NE(grid, nullptr);
            EXPECT_EQ(grid->dimension(), c.expectedSize);
        }
    }
}
