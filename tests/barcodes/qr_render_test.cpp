// QR Code grids, pictures, mask choice and segmentation.
#include "barcodes/BarcodeGlobals.h"
#include "barcodes/CQR_Encode.h"
#include "barcodes/QREncoder.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// Restores the process-wide resolution when a test ends.
struct DpiScope {
    int saved = USED_DPI_VALUE.load();
    explicit DpiScope(int dpi) { USED_DPI_VALUE = dpi; }
    ~DpiScope() { USED_DPI_VALUE = saved; }
};

} // namespace

TEST(QrGrid, DescriptionListsRowsOfDigits) {
    DataMatrix grid(3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x) {
            grid.set(x, y, x == y ? 1 : 0);
        }
    }
    grid.set(2, 0, 1);
    grid.set(5, 5, 1); // outside: ignored
    EXPECT_EQ(grid.description(), QStringLiteral("101\n010\n001\n"));
    EXPECT_EQ(grid.valueAt(-1, 0), 0);
}

TEST(QrRender, PixelsPerModuleAndTransparentBorder) {
    DpiScope dpi(72); // one pixel per point: the raster as rendered
    auto grid = QREncoder::encodeCStringWithECLevel(1, 1, "12345");
    ASSERT_NE(grid, nullptr);
    const QImage image = QREncoder::rasterOf(*grid, 100);
    ASSERT_EQ(image.size(), QSize(100, 100));
    // 100 div 21 = 4 pixels per module, (100 - 84) div 2 = 8 border pixels.
    EXPECT_EQ(qAlpha(image.pixel(7, 7)), 0);
    EXPECT_EQ(qAlpha(image.pixel(92, 92)), 0);
    EXPECT_EQ(image.pixel(8, 8), qRgba(0, 0, 0, 255));
    EXPECT_EQ(image.pixel(91, 8), qRgba(0, 0, 0, 255));
    EXPECT_EQ(qAlpha(image.pixel(92, 8)), 0);
    EXPECT_EQ(image.pixel(8 + 4, 8 + 4), qRgba(255, 255, 255, 255)); // finder ring
    for (int m = 0; m < 21; ++m) {
        EXPECT_EQ(qRed(image.pixel(8 + 4 * m + 2, 8 + 4 * 6 + 1)), grid->valueAt(m, 6) ? 0 : 255);
    }
    const CardPicture picture = QREncoder::renderDataMatrix(grid.get(), 100);
    EXPECT_EQ(picture.size(), QSizeF(100, 100));
    EXPECT_TRUE(picture.isVector());
    // Drawn at one pixel per point, the vector is the raster exactly.
    EXPECT_EQ(picture.toImage(1.0).convertToFormat(QImage::Format_ARGB32_Premultiplied),
              image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

TEST(QrRender, SizedInPointsRasteredAtTheResolution) {
    DpiScope dpi(600);
    auto grid = QREncoder::encodeCStringWithECLevel(0, 1, "HELLO");
    ASSERT_NE(grid, nullptr);
    const CardPicture picture = QREncoder::renderDataMatrix(grid.get(), 60);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSizeF(60, 60));
    // Vector modules, rastered here at 600 dpi.
    EXPECT_TRUE(picture.isVector());
    const QImage image = picture.toImage(600 / 72.0);
    EXPECT_NEAR(image.width(), 500, 1); // 60 x 600 / 72
    // 2 pixels per module, 9 transparent pixels: the grid starts at 75 of 500.
    EXPECT_EQ(qAlpha(image.pixel(70, 70)), 0);
    EXPECT_EQ(qAlpha(image.pixel(80, 80)), 255);
}

TEST(QrRender, SmallSidesGrowToTheGridAndEmptyGridsGiveNothing) {
    DpiScope dpi(72);
    auto grid = QREncoder::encodeCStringWithECLevel(0, 0, "1");
    ASSERT_NE(grid, nullptr);
    for (int side : {20, 1, 0, -5}) {
        const CardPicture picture = QREncoder::renderDataMatrix(grid.get(), side);
        ASSERT_FALSE(picture.isNull()) << side;
        EXPECT_EQ(picture.size(), QSizeF(21, 21));
    }
    const DataMatrix empty(0);
    EXPECT_TRUE(QREncoder::renderDataMatrix(&empty, 100).isNull());
    EXPECT_TRUE(QREncoder::renderDataMatrix(nullptr, 100).isNull());
    EXPECT_TRUE(QREncoder::renderDataMatrix(grid.get(), 1000000).isNull());
}

TEST(QrMask, LowestPenaltyWithTiesToTheLowerMask) {
    for (const char* value : {"HELLO WORLD", "01234567", "mask choice", "A", "4711 ABC xyz"}) {
        for (int level = 0; level < 4; ++level) {
            CQR_Encode automatic;
            ASSERT_TRUE(automatic.EncodeData(level, 0, true, -1, value));
            const int chosen = automatic.maskingNo();
            for (int mask = 0; mask < 8; ++mask) {
                CQR_Encode fixed;
                ASSERT_TRUE(fixed.EncodeData(level, 0, true, mask, value));
                const int penalty = fixed.CountPenalty();
                if (mask == chosen) {
                    EXPECT_EQ(penalty, automatic.CountPenalty());
                    for (int y = 0; y < fixed.symbolSize(); ++y) {
                        for (int x = 0; x < fixed.symbolSize(); ++x) {
                            ASSERT_EQ(fixed.module(x, y), automatic.module(x, y));
                        }
                    }
                } else if (mask < chosen) {
                    EXPECT_GT(penalty, automatic.CountPenalty()) << value << " mask " << mask;
                } else {
                    EXPECT_GE(penalty, automatic.CountPenalty()) << value << " mask " << mask;
                }
            }
            // The format information carries the chosen mask: the word read
            // back from row 8 equals the word for this level and mask.
            int word = 0;
            for (int i = 0; i < 8; ++i) {
                word |= automatic.module(automatic.symbolSize() - 1 - i, 8) << i;
            }
            for (int i = 8; i < 15; ++i) {
                word |= automatic.module(8, automatic.symbolSize() - 15 + i) << i;
            }
            EXPECT_EQ(word, CQR_Encode::formatWord(level, chosen));
        }
    }
}

TEST(QrSegments, MixedValuesTakeTheShorterModes) {
    const struct {
        const char* value;
        int group;
        int bits;
    } cases[] = {
        // 12 letters and 13 digits stay apart: 137 bits against 151 merged.
        {"ABCDEFGHIJKL1234567890123", 0, (4 + 9 + 66) + (4 + 10 + 44)},
        // Short digit runs join the letters.
        {"AB12CD", 0, 4 + 9 + 33},
        {"0123456789", 0, 4 + 10 + 34},
        {"HELLO WORLD", 0, 4 + 9 + 61},
        {"abc", 0, 4 + 8 + 24},
        {"abc", 1, 4 + 16 + 24},
        // A numeric run long enough to pay for its own header.
        {"ABC123456789012DEF", 0, (4 + 9 + 17) + (4 + 10 + 40) + (4 + 9 + 17)},
        // Digits inside bytes join the bytes.
        {"a1b", 0, 4 + 8 + 24},
    };
    for (const auto& c : cases) {
        CQR_Encode encoder;
        ASSERT_TRUE(
            encoder.EncodeSourceData(c.value, static_cast<int>(std::strlen(c.value)), c.group));
        EXPECT_EQ(encoder.dataBitCount(), c.bits) << c.value;
    }
}

TEST(QrSegments, Utf8BytesStayEightBitData) {
    // Bytes that form Shift-JIS pairs: Kanji mode from the byte entry, 8-bit
    // data when the value is not Shift-JIS (UTF-8 text).
    const char* pairs = "\x93\xfa\x96\x7b";
    CQR_Encode kanji;
    ASSERT_TRUE(kanji.EncodeData(0, 0, true, -1, pairs));
    EXPECT_EQ(kanji.dataCodewords()[0] >> 4, 0x8);
    CQR_Encode bytes;
    bytes.setKanjiAllowed(false);
    ASSERT_TRUE(bytes.EncodeData(0, 0, true, -1, pairs));
    EXPECT_EQ(bytes.dataCodewords()[0] >> 4, 0x4);
    EXPECT_EQ(bytes.dataCodewords()[0] & 0x0F, 0); // count 4 in 8 bits: 0000 0100
    EXPECT_EQ(bytes.dataCodewords()[1] >> 4, 4);
    // "日" in UTF-8 (E6 97 A5) holds such a pair too.
    const QString text = QString::fromUtf8("日");
    auto grid = QREncoder::encodeWithECLevel(0, 0, text);
    ASSERT_NE(grid, nullptr);
    // The string entry classifies by 8-bit capacity: 17 bytes at 1-L.
    EXPECT_EQ(grid->dimension(), 21);
    EXPECT_EQ(QREncoder::encodeWithECLevel(0, 1, QString(6, text[0])), nullptr); // 18 bytes
}

TEST(QrSegments, LongSegmentListsAtVersion40) {
    // 4,296 alternating letters and digits: 4,296 runs before merging.
    std::string value;
    for (int i = 0; i < 2148; ++i) {
        value += "A1";
    }
    auto grid = QREncoder::encodeCStringWithECLevel(0, 40, value.c_str());
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->dimension(), 177);
    EXPECT_EQ(QREncoder::encodeCStringWithECLevel(0, 0, value.c_str())->dimension(), 177);
    value += "A";
    EXPECT_EQ(QREncoder::encodeCStringWithECLevel(0, 40, value.c_str()), nullptr);
    // Many short runs of every class: the stream bound decides, not a
    // segment count.
    std::string mixed;
    for (int i = 0; i < 600; ++i) {
        mixed += "a1B";
    }
    EXPECT_NE(QREncoder::encodeCStringWithECLevel(0, 0, mixed.c_str()), nullptr);
}
