// QR Code symbols read back by outside decoders (skipped when missing).
#include "barcodes/BarcodeGlobals.h"
#include "barcodes/CQR_Encode.h"
#include "barcodes/QREncoder.h"
#include "barcodes/QrTables.h"
#include "common/TestSupport.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace {

constexpr int kScale = 3;  // pixels per module
constexpr int kBorder = 4; // light modules around the symbol

QImage pngImage(int size, const std::function<bool(int, int)>& dark) {
    const int side = (size + 2 * kBorder) * kScale;
    QImage image(side, side, QImage::Format_Grayscale8);
    image.fill(255);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if (dark(x, y)) {
                for (int py = 0; py < kScale; ++py) {
                    uchar* line = image.scanLine((y + kBorder) * kScale + py);
                    for (int px = 0; px < kScale; ++px) {
                        line[(x + kBorder) * kScale + px] = 0;
                    }
                }
            }
        }
    }
    return image;
}

// A printable value of n bytes that the encoder takes as 8-bit data.
std::string byteValue(int n, int seed) {
    static const char alphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789 -.,!?ABCXYZ";
    std::string value;
    unsigned state = 2166136261u ^ static_cast<unsigned>(seed);
    for (int i = 0; i < n; ++i) {
        state = state * 1664525u + 1013904223u;
        value += alphabet[(state >> 16) % (sizeof alphabet - 1)];
    }
    value[0] = 'q'; // never purely alphanumeric
    return value;
}

struct Symbol {
    QString file;
    std::string value;
};

class QrDecodeTest : public testing::Test {
protected:
    QTemporaryDir dir;
    std::vector<Symbol> symbols;

    void addEncoder(const CQR_Encode& encoder, const std::string& value) {
        const QString file = dir.filePath(QStringLiteral("qr%1.png").arg(symbols.size()));
        const QImage image =
            pngImage(encoder.symbolSize(), [&](int x, int y) { return encoder.module(x, y) != 0; });
        ASSERT_TRUE(image.save(file));
        symbols.push_back({file, value});
    }
    void addGrid(const DataMatrix& grid, const std::string& value) {
        const QString file = dir.filePath(QStringLiteral("qr%1.png").arg(symbols.size()));
        const QImage image =
            pngImage(grid.dimension(), [&](int x, int y) { return grid.valueAt(x, y) != 0; });
        ASSERT_TRUE(image.save(file));
        symbols.push_back({file, value});
    }
    QStringList files() const {
        QStringList list;
        for (const Symbol& s : symbols) {
            list << s.file;
        }
        return list;
    }

    // zbarimg prints one decoded value per line, in file order.
    void expectZbar() {
        CARD_REQUIRE_TOOL(zbar, "zbarimg");
        const auto result = testsupport::runProcess(
            zbar, QStringList{"--raw", "-q", "-Sdisable", "-Sqrcode.enable"} + files(), {}, 120000);
        ASSERT_TRUE(result.started);
        const QList<QByteArray> lines = result.out.split('\n');
        ASSERT_GE(lines.size(), static_cast<qsizetype>(symbols.size()));
        for (std::size_t i = 0; i < symbols.size(); ++i) {
            EXPECT_EQ(lines[static_cast<qsizetype>(i)].toStdString(), symbols[i].value)
                << symbols[i].file.toStdString();
        }
    }

    // ZXingReader -1 prints `file QRCode "content"` per file.
    void expectZxing() {
        CARD_REQUIRE_TOOL(zxing, "ZXingReader");
        const auto result = testsupport::runProcess(
            zxing, QStringList{"-1", "-ispure", "-format", "QRCode"} + files(), {}, 120000);
        ASSERT_TRUE(result.started);
        std::map<std::string, std::string> decoded;
        for (const QByteArray& line : result.out.split('\n')) {
            const qsizetype space = line.indexOf(' ');
            if (space > 0) {
                QByteArray content = line.mid(space + 1);
                const QByteArray prefix = "QRCode \"";
                if (content.startsWith(prefix) && content.endsWith('"')) {
                    content = content.mid(prefix.size(), content.size() - prefix.size() - 1);
                }
                decoded[line.left(space).toStdString()] = content.toStdString();
            }
        }
        for (const Symbol& s : symbols) {
            const auto found = decoded.find(s.file.toStdString());
            ASSERT_NE(found, decoded.end()) << s.file.toStdString() << "\n"
                                            << result.out.toStdString();
            EXPECT_EQ(found->second, s.value) << s.file.toStdString();
        }
    }
};

} // namespace

// Every version at every level, filled to its 8-bit capacity so that the
// version search and the capacity tables must agree.
TEST_F(QrDecodeTest, EveryVersionAndLevelAtCapacity) {
    for (int v = 1; v <= 40; ++v) {
        for (int level = 0; level < 4; ++level) {
            const int n = static_cast<int>(
                qr::QR_8_BIT_size_array[static_cast<std::size_t>((v - 1) * 4 + level)]);
            const std::string value = byteValue(n, v * 4 + level);
            auto grid = QREncoder::encodeCStringWithECLevel(level, 0, value.c_str());
            ASSERT_NE(grid, nullptr) << "version " << v << ", level " << level;
            ASSERT_EQ(grid->dimension(), 17 + 4 * v) << "level " << level;
            addGrid(*grid, value);
        }
    }
    expectZbar();
    expectZxing();
}

// Every level and mask on a version without and two with version information.
TEST_F(QrDecodeTest, EveryLevelAndMask) {
    for (int v : {1, 7, 22}) {
        for (int level = 0; level < 4; ++level) {
            for (int mask = 0; mask < 8; ++mask) {
                const std::string value = byteValue(5 + mask % 3, v * 100 + level * 10 + mask);
                CQR_Encode encoder;
                ASSERT_TRUE(encoder.EncodeData(level, v, false, mask, value.c_str()));
                ASSERT_EQ(encoder.maskingNo(), mask);
                addEncoder(encoder, value);
            }
        }
    }
    expectZbar();
    expectZxing();
}

// Mixed values exercise the segmentation into modes.
TEST_F(QrDecodeTest, MixedModes) {
    const std::string values[] = {
        "ABCDEFGHIJKL1234567890123",
        "a1234567890123456789bcd",
        "HELLO 123456789012 world",
        "0123456789012345678901234567890123456789ABCDEF",
        "https://example.com/INVITE/2026?id=000123456789",
        "1A2B3C4D5E6F7G8H9I0J",
        "$%*+-./: 99 xyz 1234567 ABC",
        std::string(300, '9') + "abc" + std::string(100, 'Z'),
    };
    for (const std::string& value : values) {
        auto grid = QREncoder::encodeCStringWithECLevel(1, 0, value.c_str());
        ASSERT_NE(grid, nullptr) << value;
        addGrid(*grid, value);
    }
    expectZbar();
    expectZxing();
}

// UTF-8 text stays 8-bit data; Shift-JIS bytes given as such become Kanji.
TEST_F(QrDecodeTest, Utf8AndKanji) {
    const QString text = QString::fromUtf8("Grüße 日本 カード");
    auto utf8 = QREncoder::encodeWithECLevel(1, 0, text);
    ASSERT_NE(utf8, nullptr);
    addGrid(*utf8, text.toStdString());
    // "日本" in Shift-JIS; the decoder gives the Kanji segment's bytes back.
    const std::string shiftJis = "\x93\xfa\x96\x7b";
    auto kanji = QREncoder::encodeCStringWithECLevel(1, 0, shiftJis.c_str());
    ASSERT_NE(kanji, nullptr);
    addGrid(*kanji, shiftJis);
    CARD_REQUIRE_TOOL(zxing, "ZXingReader");
    for (const Symbol& s : symbols) {
        // -bytes writes the content without escapes.
        const auto result = testsupport::runProcess(zxing, {"-bytes", s.file});
        EXPECT_EQ(result.out.toStdString(), s.value);
    }
}

// The rendered picture, rastered at the designer's resolution, decodes too.
TEST_F(QrDecodeTest, RenderedPicture) {
    CARD_REQUIRE_TOOL(zxing, "ZXingReader");
    auto grid = QREncoder::encodeWithECLevel(2, 3, QStringLiteral("Party at 8"));
    ASSERT_NE(grid, nullptr);
    const int dpi = USED_DPI_VALUE.exchange(150);
    const CardPicture picture = QREncoder::renderDataMatrix(grid.get(), 120);
    USED_DPI_VALUE = dpi;
    ASSERT_FALSE(picture.isNull());
    const QImage raster = picture.toImage(150 / 72.0);
    QImage image(raster.size() + QSize(80, 80), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.drawImage(40, 40, raster);
    }
    const QString file = dir.filePath(QStringLiteral("rendered.png"));
    ASSERT_TRUE(image.save(file));
    const auto result = testsupport::runProcess(zxing, {"-1", file});
    EXPECT_TRUE(result.out.trimmed().endsWith(" \"Party at 8\"")) << result.out.toStdString();
}
