// Data Matrix titles, encodation strings, EPS text and pictures.
#include "barcodes/DataMatrixBarcode.h"

#include <QImage>
#include <gtest/gtest.h>

TEST(DataMatrixTitles, SizeFromFormatTitle) {
    const struct {
        const char* title;
        int height;
        int width;
    } cases[] = {
        {"Auto", 0, 0},         {"#10X10", 10, 10}, {"#8X18", 8, 18}, {"  16 X 48 ", 16, 48},
        {"#144X144", 144, 144}, {"#Square", 0, 0},  {"X12", 0, 0},    {"", 0, 0},
        {"#12x12", 0, 0}, // only a capital X divides
    };
    for (const auto& c : cases) {
        const DataMatrixSize size = dataMatrixSizeFromTitle(QString::fromLatin1(c.title));
        EXPECT_EQ(size.height, c.height) << c.title;
        EXPECT_EQ(size.width, c.width) << c.title;
    }
}

TEST(DataMatrixTitles, EncodationFromEncodingTitle) {
    const struct {
        const char* title;
        const char* value;
        const char* encoding;
    } cases[] = {
        {"Auto", "ABC", ""},       {"Something", "ABC", ""}, {"Ascii", "Hello", "AAAAA"},
        {"Base256", "Hi!", "BBB"}, {"C40", "AB", "CC"}, // two values: the library pads the triple
        {"C40", "ABC", "CCC"},                          // one whole triple
        {"C40", "A", "A"},                              // one value alone: ASCII
        {"C40", "ABCD", "CCCA"},                        // four values: the fourth in ASCII
        {"C40", "AB!", "AAA"},    // 1 + 1 + 2 values: no whole triple ends on a byte
        {"C40", "a", "C"},        // shifted: two values
        {"C40", "ab", "AA"},      // four values
        {"Text", "abcd", "TTTA"}, // lower case is Text's basic set
        {"Text", "A", "T"},       // shifted upper case: two values
        {"Text", "AB", "AA"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dataMatrixEncodingFromTitle(QString::fromLatin1(c.title), c.value),
                  QByteArray(c.encoding))
            << c.title << " " << c.value;
    }
    // One letter per UTF-8 byte; a character from 0x80 takes the upper shift
    // and its low value (2 + 1 values per byte of "é" here: 0xC3, 0xA9).
    EXPECT_EQ(dataMatrixEncodingFromTitle("Ascii", QString::fromUtf8("é").toUtf8()), "AA");
}

TEST(DataMatrixEps, TextOfASmallGrid) {
    // Row 0 (bottom) 1 0 1, row 1 0 1 1.
    const unsigned char grid[] = {1, 0, 1, 0, 1, 1};
    const QByteArray expected = "%!PS-Adobe-3.0 EPSF-3.0\n"
                                "%%Creator: IEC16022 barcode/stamp generator\n"
                                "%%BarcodeData: Hi\n"
                                "%%BarcodeSize: 3x2\n"
                                "%%BarcodeFormat: ECC200\n"
                                "%%DocumentData: Clean7Bit\n"
                                "%%LanguageLevel: 1\n"
                                "%%Pages: 1\n"
                                "%%BoundingBox: 0 0 5 4\n"
                                "%%EndComments\n"
                                "%%Page: 1 1\n"
                                "3 2 1[1 0 0 1 -1 -1]{<\n"
                                "5F 9F \n"
                                "\n>}image\n";
    EXPECT_EQ(makeEPS_Data_Matrix("Hi", 3, 2, grid), expected);
    EXPECT_TRUE(makeEPS_Data_Matrix("Hi", 0, 2, grid).isEmpty());
}

TEST(DataMatrixEps, LinesBreakAfterEightyCharacters) {
    // 20 modules a row: 3 bytes, "FFFFFF " is 7 characters; the 12th row
    // reaches 84.
    const int w = 20, h = 13;
    std::vector<unsigned char> grid(static_cast<std::size_t>(w * h), 0);
    grid[0] = 1; // first module of row 0: 0x80 -> 7F
    const QByteArray eps = makeEPS_Data_Matrix("x", w, h, grid.data());
    const QList<QByteArray> lines = eps.split('\n');
    const qsizetype start = lines.indexOf("20 13 1[1 0 0 1 -1 -1]{<") + 1;
    ASSERT_GT(start, 0);
    EXPECT_EQ(lines[start], "7FFFFF " + QByteArray("FFFFFF ").repeated(11));
    EXPECT_EQ(lines[start + 1], "FFFFFF ");
    EXPECT_EQ(lines[start + 2], "");
    EXPECT_EQ(lines[start + 3], ">}image");
}

namespace {
bool blackAt(const QImage& image, double fx, double fy) {
    const QColor c = image.pixelColor(static_cast<int>(fx * image.width()),
                                      static_cast<int>(fy * image.height()));
    return c.alpha() == 255 && c.lightness() < 50;
}
} // namespace

TEST(DataMatrixPicture, SizedByModulesAtTheResolution) {
    const DataMatrixDrawing d = Draw_DataMatrix_Barcode("123456", "Auto", "Auto", 2, 300);
    ASSERT_FALSE(d.picture.isNull());
    EXPECT_EQ(d.width, 10);
    EXPECT_EQ(d.height, 10);
    EXPECT_EQ(d.picture.size(), QSizeF(20, 20));
    // Vector modules, drawn here at 300 dpi.
    EXPECT_TRUE(d.picture.isVector());
    const QImage image = d.picture.toImage(300.0 / 72);
    EXPECT_EQ(image.width(), 84); // ceil(300 x 20 / 72)
    EXPECT_TRUE(d.eps.contains("%%BoundingBox: 0 0 12 12\n"));
    // Light border; the solid edges at the left and bottom, the clock
    // pattern's light module at the top right.
    const double unit = 1.0 / 12;
    EXPECT_FALSE(blackAt(image, unit / 2, unit / 2));
    EXPECT_TRUE(blackAt(image, 1.5 * unit, 10.5 * unit));  // bottom left
    EXPECT_TRUE(blackAt(image, 10.5 * unit, 10.5 * unit)); // bottom right
    EXPECT_TRUE(blackAt(image, 1.5 * unit, 1.5 * unit));   // top left
    EXPECT_FALSE(blackAt(image, 10.5 * unit, 1.5 * unit)); // top right
}

TEST(DataMatrixPicture, RectangleAndModuleSize) {
    const DataMatrixDrawing d = Draw_DataMatrix_Barcode("RSVP42", "#8X18", "Ascii", 3, 72);
    ASSERT_FALSE(d.picture.isNull());
    EXPECT_EQ(d.height, 8);
    EXPECT_EQ(d.width, 18);
    EXPECT_EQ(d.picture.size(), QSizeF(54, 24));
    EXPECT_TRUE(d.picture.isVector());
}

TEST(DataMatrixPicture, RefusedValuesGiveNoPicture) {
    const struct {
        QString value;
        const char* format;
        const char* encoding;
    } cases[] = {
        {"", "Auto", "Auto"},
        {"This is far too long", "#10X10", "Auto"},
        {"Hello", "#11X11", "Auto"},
        {"Hello", "#-4X10", "Auto"},
        {QString(3200, QLatin1Char('7')), "Auto", "Auto"},
        {QString(3000, QLatin1Char('x')), "Auto", "Ascii"},
    };
    for (const auto& c : cases) {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        const DataMatrixDrawing d = Draw_DataMatrix_Barcode(c.value, c.format, c.encoding, 1, 600);
        const std::string out = testing::internal::GetCapturedStdout();
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_TRUE(d.picture.isNull()) << c.format << " " << c.encoding;
        EXPECT_TRUE(d.eps.isEmpty());
        EXPECT_NE(err.find("No barcode produced\n"), std::string::npos);
        EXPECT_NE(out.find("Size    : "), std::string::npos);
        EXPECT_NE(out.find("Encoded : "), std::string::npos);
    }
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    Draw_DataMatrix_Barcode("Hey you", "#10X10", "Ascii", 1, 600);
    const std::string out = testing::internal::GetCapturedStdout();
    testing::internal::GetCapturedStderr();
    EXPECT_NE(out.find("Barcode : Hey you\n"), std::string::npos);
    EXPECT_NE(out.find("Encoding: AAAAAAA\n"), std::string::npos);
}
