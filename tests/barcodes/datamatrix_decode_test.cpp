// Data Matrix symbols of every size and encodation read back by outside
// decoders (skipped when missing).
#include "barcodes/DataMatrixBarcode.h"
#include "common/TestSupport.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

namespace {

struct SizeCase {
    int height;
    int width;
    int dataCodewords;
};
// Every ECC200 size with its data capacity in codewords.
const SizeCase kSizes[] = {
    {10, 10, 3},     {12, 12, 5},      {14, 14, 8},      {16, 16, 12},     {18, 18, 18},
    {20, 20, 22},    {22, 22, 30},     {24, 24, 36},     {26, 26, 44},     {32, 32, 62},
    {36, 36, 86},    {40, 40, 114},    {44, 44, 144},    {48, 48, 174},    {52, 52, 204},
    {64, 64, 280},   {72, 72, 368},    {80, 80, 456},    {88, 88, 576},    {96, 96, 696},
    {104, 104, 816}, {120, 120, 1050}, {132, 132, 1304}, {144, 144, 1558}, {8, 18, 5},
    {8, 32, 10},     {12, 26, 16},     {12, 36, 22},     {16, 36, 32},     {16, 48, 49},
};

constexpr int kScale = 3;
constexpr int kBorder = 4;

// A value of n characters drawn from an alphabet, varied by seed.
QString valueOf(int n, const char* alphabet, int seed) {
    const int k = static_cast<int>(std::strlen(alphabet));
    QString value;
    for (int i = 0; i < n; ++i) {
        value += QLatin1Char(alphabet[(i * 7 + seed * 13 + i / 5) % k]);
    }
    return value;
}

struct Symbol {
    QString file;
    QString value;
    int height;
    int width;
};

// Writes the symbol of the drawing's EPS-equivalent grid as a PNG with a
// four-module light border: re-encoded here from the picture itself.
bool savePicture(const DataMatrixDrawing& d, const QString& file) {
    // The picture has one light unit around the symbol; sample each module's
    // centre and redraw it crisply with a wider quiet zone.
    const QImage raster = d.picture.toImage(4.0);
    const double ux = raster.width() / double(d.width + 2);
    const double uy = raster.height() / double(d.height + 2);
    const int w = (d.width + 2 * kBorder) * kScale, h = (d.height + 2 * kBorder) * kScale;
    QImage image(w, h, QImage::Format_Grayscale8);
    image.fill(255);
    for (int y = 0; y < d.height; ++y) {
        for (int x = 0; x < d.width; ++x) {
            const QColor c = raster.pixelColor(static_cast<int>((x + 1.5) * ux),
                                               static_cast<int>((y + 1.5) * uy));
            if (c.lightness() < 128) {
                for (int py = 0; py < kScale; ++py) {
                    uchar* line = image.scanLine((y + kBorder) * kScale + py);
                    for (int px = 0; px < kScale; ++px) {
                        line[(x + kBorder) * kScale + px] = 0;
                    }
                }
            }
        }
    }
    return image.save(file);
}

class DataMatrixDecodeTest : public testing::Test {
protected:
    QTemporaryDir dir;
    std::vector<Symbol> symbols;

    void add(const QString& value, const QString& format, const QString& encoding) {
        const DataMatrixDrawing d = Draw_DataMatrix_Barcode(value, format, encoding, 1, 144);
        ASSERT_FALSE(d.picture.isNull())
            << format.toStdString() << " " << encoding.toStdString() << " " << value.toStdString();
        const QString file = dir.filePath(QStringLiteral("dm%1.png").arg(symbols.size()));
        ASSERT_TRUE(savePicture(d, file));
        symbols.push_back({file, value, d.height, d.width});
    }

    void expectDmtxread() {
        CARD_REQUIRE_TOOL(dmtx, "dmtxread");
        // One call for all files; every value must be found.
        QStringList files;
        for (const Symbol& s : symbols) {
            files << s.file;
        }
        const auto result =
            testsupport::runProcess(dmtx, QStringList{"-n", "-N1"} + files, {}, 300000);
        ASSERT_TRUE(result.started);
        std::multiset<std::string> decoded;
        for (const QByteArray& line : result.out.split('\n')) {
            decoded.insert(line.toStdString());
        }
        for (const Symbol& s : symbols) {
            const auto found = decoded.find(s.value.toStdString());
            EXPECT_NE(found, decoded.end())
                << s.height << "x" << s.width << " " << s.value.toStdString();
            if (found != decoded.end()) {
                decoded.erase(found);
            }
        }
    }

    void expectZxing() {
        CARD_REQUIRE_TOOL(zxing, "ZXingReader");
        QStringList files;
        for (const Symbol& s : symbols) {
            if (s.width != 144) { // beyond what this reader handles
                files << s.file;
            }
        }
        const auto result = testsupport::runProcess(
            zxing, QStringList{"-1", "-format", "DataMatrix"} + files, {}, 120000);
        ASSERT_TRUE(result.started);
        std::map<QString, QByteArray> decoded;
        const QByteArray prefix = "DataMatrix \"";
        for (const QByteArray& line : result.out.split('\n')) {
            const qsizetype space = line.indexOf(' ');
            QByteArray content = line.mid(space + 1);
            if (space > 0 && content.startsWith(prefix) && content.endsWith('"')) {
                decoded[QString::fromUtf8(line.left(space))] =
                    content.mid(prefix.size(), content.size() - prefix.size() - 1);
            }
        }
        for (const Symbol& s : symbols) {
            if (s.width == 144) {
                continue;
            }
            QByteArray content = decoded[s.file];
            if (s.value.toUtf8() != s.value.toLatin1()) {
                // The batch output escapes characters beyond ASCII.
                content = testsupport::runProcess(zxing, {"-bytes", s.file}).out;
            }
            EXPECT_EQ(content.toStdString(), s.value.toStdString()) << s.height << "x" << s.width;
        }
    }
};

} // namespace

TEST_F(DataMatrixDecodeTest, EverySizeAndEncodation) {
    const struct {
        const char* title;
        const char* alphabet;
        int percent; // characters per data codeword, in percent
    } encodings[] = {
        {"Auto", "Invitation 2026 to Anna & Ben; ", 60},
        {"Ascii", "Party-Time! 7pm at home ", 60},
        {"C40", "ABCDEFGHIJKLMNOPQRSTUVWXYZ 0123456789", 90},
        {"Text", "abcdefghijklmnopqrstuvwxyz 0123456789", 90},
    };
    int seed = 0;
    for (const SizeCase& size : kSizes) {
        const QString format = QStringLiteral("#%1X%2").arg(size.height).arg(size.width);
        for (const auto& e : encodings) {
            const int n = std::max(1, size.dataCodewords * e.percent / 100 - 2);
            add(valueOf(n, e.alphabet, ++seed), format, QString::fromLatin1(e.title));
        }
    }
    expectDmtxread();
    expectZxing();
}

// Values that leave one C40 or Text value over after the last triple.
TEST_F(DataMatrixDecodeTest, LoneC40AndTextValues) {
    add("A", "Auto", "C40");
    add("ABCD", "Auto", "C40");
    add("AB!", "Auto", "C40");
    add("HELLO WORLD 2026", "Auto", "C40");
    add("abcd", "Auto", "Text");
    add("Ab", "Auto", "Text");
    add(QString::fromUtf8("Grüße"), "Auto", "Auto");
    add(QString::fromUtf8("CAFÉ 1"), "Auto", "C40");
    add(QString::fromUtf8("café"), "Auto", "Text");
    add(QString::fromUtf8("Grüße"), "Auto", "Ascii");
    expectDmtxread();
    expectZxing();
}

// Base256 has no forced encodation in the library: the symbol still holds
// the value's bytes.
TEST_F(DataMatrixDecodeTest, Base256Values) {
    add("Hey", "Auto", "Base256");
    add("RSVP 2026", "#16X16", "Base256");
    add(QString::fromUtf8("Grüße"), "Auto", "Base256");
    expectDmtxread();
    expectZxing();
}
