// The text sources of the series import and the number generator's values.

#include "DataseriesTestSupport.h"

#include "dataseries/NumberGenerator.h"
#include "dataseries/TextImport.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(TextImport, CsvFieldsQuotesAndLineEnds) {
    const struct {
        const char* text;
        QStringList values;
    } cases[] = {
        {"a,b\r\nc\n\"d,e\",\"say \"\"hi\"\"\"\rf", {"a", "b", "c", "d,e", "say \"hi\"", "f"}},
        {"one\rtwo\rthree", {"one", "two", "three"}},
        {"x,\"multi\nline\",y\n", {"x", "multi\nline", "y"}},
        {"", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Split_Csv_Values(QString::fromUtf8(c.text)), c.values) << c.text;
    }
    // Values of a CSV file: cleaned, empty pieces left out.
    EXPECT_EQ(Text_File_Values("CSV", "{a},,b\\\r\n  c  \r"), QStringList({"a", "b", "c"}));
}

TEST(TextImport, PlainTextLinesAreCleanedAndFontLinesSkipped) {
    const QString text = "Guest 1\n{Guest 2}\n\n  Guest\\3 \nNSFont = Helvetica 12\r\nlast";
    EXPECT_EQ(Text_File_Values("txt", text), QStringList({"Guest 1", "Guest 2", "Guest3", "last"}));
    EXPECT_EQ(chk_and_insert_validation(" {\\x} "), "x");
}

TEST(TextImport, RtfPlainText) {
    const QByteArray rtf =
        "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl\\f0\\fswiss Helvetica;}{\\colortbl;\\red255\\green0"
        "\\blue0;}{\\*\\expandedcolortbl;;}{\\info{\\title Secret}}\n"
        "\\f0\\fs24 \\cf1 Caf\\'e9 \\b bold\\b0\\par\nPrice \\u8364?5\\line tab\\tab x\\par\n"
        "{\\pict\\pngblip 89504e47}after\\uc2\\u8212ab!\\par}";
    EXPECT_EQ(Rtf_Plain_Text(rtf),
              QStringLiteral("Caf\u00e9 bold\nPrice \u20ac5\ntab\tx\nafter\u2014!\n"));
    EXPECT_EQ(Text_File_Values("rtf", Text_File_Content("RTF", rtf)),
              QStringList({QStringLiteral("Caf\u00e9 bold"), QStringLiteral("Price \u20ac5"),
                           "tab\tx", QStringLiteral("after\u2014!")}));
}

TEST(TextImport, EncodingsByMarkThenUtf8ThenWindows1252) {
    const QString expected = QStringLiteral("Caf\u00e9 \u20ac");
    QByteArray utf16 = "\xFF\xFE";
    for (const QChar c : expected) {
        utf16.append(char(c.unicode() & 0xFF));
        utf16.append(char(c.unicode() >> 8));
    }
    EXPECT_EQ(Decode_Text_Bytes(utf16), expected);
    EXPECT_EQ(Decode_Text_Bytes("\xEF\xBB\xBF" + expected.toUtf8()), expected);
    EXPECT_EQ(Decode_Text_Bytes(expected.toUtf8()), expected);
    EXPECT_EQ(Decode_Text_Bytes("Caf\xE9 \x80"), expected);
}

TEST(TextImport, PictureFolderTakesPictureFilesByName) {
    dstest::Workspace ws;
    const QString folder = ws.path("pics");
    ASSERT_TRUE(QDir().mkpath(folder + "/c.png"));
    for (const char* name : {"b.txt", "a.JPG", "d.tiff", "e.jpeg.bak"}) {
        ASSERT_TRUE(dstest::writeBytes(folder + "/" + name, "x"));
    }
    EXPECT_EQ(Picture_Folder_Values(folder), QStringList({folder + "/a.JPG", folder + "/d.tiff"}));
}

TEST(NumberGenerator, SequentialValues) {
    using numbergen::Sequential_Values;
    EXPECT_EQ(Sequential_Values("", "1", "10", "", true),
              QStringList({"01", "02", "03", "04", "05", "06", "07", "08", "09", "10"}));
    EXPECT_EQ(Sequential_Values("", "001", "10", "", true).first(), "001");
    EXPECT_EQ(Sequential_Values("", "001", "10", "", true).last(), "010");
    EXPECT_EQ(Sequential_Values("A-", "8", "10", "/x", false),
              QStringList({"A-8/x", "A-9/x", "A-10/x"}));
    EXPECT_EQ(numbergen::Constant_Values(" x ", 3), QStringList({" x ", " x ", " x "}));
}

TEST(NumberGenerator, TypingLimits) {
    const struct {
        QString (*limit)(const QString&);
        const char* typed;
        const char* kept;
    } cases[] = {
        {numbergen::Limit_Range_Text, "123456", "10000"},
        {numbergen::Limit_Range_Text, "", ""},
        {numbergen::Limit_Range_Text, "9999", "9999"},
        {numbergen::Limit_Count_Text, "0", "1"},
        {numbergen::Limit_Count_Text, "", "1"},
        {numbergen::Limit_Count_Text, "20000", "10000"},
        {numbergen::Limit_Length_Text, "12", "1"},
        {numbergen::Limit_Length_Text, "0", "1"},
        {numbergen::Limit_Length_Text, "7", "7"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.limit(c.typed), c.kept) << c.typed;
    }
    EXPECT_EQ(numbergen::Limit_Range_Text("123456").size(), 5);
}

TEST(NumberGenerator, RandomValuesStayInTheirDigitRange) {
    for (const auto& [length, low, high] :
         {std::tuple{"1", 1LL, 9LL}, std::tuple{"9", 100000000LL, 999999999LL}}) {
        const QStringList values = numbergen::Random_Values("", length, "", 10000);
        ASSERT_EQ(values.size(), 10000);
        for (const QString& value : values) {
            const long long n = value.toLongLong();
            ASSERT_GE(n, low) << value.toStdString();
            ASSERT_LE(n, high) << value.toStdString();
        }
    }
    // Prefix and suffix around a scripted number.
    const auto fixed = [](std::uint32_t min, std::uint32_t) { return min; };
    EXPECT_EQ(numbergen::Random_Values("P", "3", "S", 2, fixed), QStringList({"P100S", "P100S"}));
    EXPECT_TRUE(numbergen::Random_Values("", " 3", "", 2, fixed).isEmpty());
}
