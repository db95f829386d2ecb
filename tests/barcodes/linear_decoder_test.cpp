// Symbols built by the symbology classes, drawn by the barcode renderer with
// value text, header and footer, rastered at 300 dpi and read back by outside
// decoders: the decoded text must be the content.

#include "LinearDecoders.h"

#include "../common/TestSupport.h"
#include "barcodes/LinearSymbologies.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct DecodeCase {
    const char* name;
    const char* title;
    QByteArray content;
    // What each decoder returns; empty when that decoder does not read the
    // symbol at all.
    QByteArray zbarText;
    QByteArray zxingText;
    const char* zxingFormat;
};

QByteArray bytes(const char* text) {
    return QByteArray(text);
}

// The same text from both decoders.
DecodeCase both(const char* name, const char* title, const char* content, const char* format) {
    return {name, title, bytes(content), bytes(content), bytes(content), format};
}

std::vector<DecodeCase> cases() {
    std::vector<DecodeCase> list{
        both("Code39", "Code 39", "CARD-2026 $/+%.", "Code39"),
        {"Code39LowerCaseIsRaised", "Code 39", "card-2026", "CARD-2026", "CARD-2026", "Code39"},
        // The installed decoders read Code 39 without full-ASCII mode, so
        // they return the full-ASCII pairs (worked out by hand).
        {"ExtendedCode39", "Extended Code 39", "Hello, World!", "H+E+L+L+O/L W+O+R+L+D/A",
         "H+E+L+L+O/L W+O+R+L+D/A", "Code39"},
        {"ExtendedCode39Tab", "Extended Code 39", "a\tb", "+A$I+B", "+A$I+B", "Code39"},
        both("Code128AutomaticOddDigits", "Code 128", "12345", "Code128"),
        both("Code128AutomaticDigits", "Code 128", "9876543210", "Code128"),
        both("Code128SetAText", "Code 128 SET A", "CARD-2026", "Code128"),
        both("Code128Tab", "Code 128", "Name\tValue", "Code128"),
        both("Code128SetC", "Code 128 SET C", "20261209", "Code128"),
        both("Code128SetCWithLetters", "Code 128 SET C", "12AB345", "Code128"),
        both("Code128SetCWithControl", "Code 128 SET C", "12\t34", "Code128"),
        both("Code128SetALowerCase", "Code 128 SET A", "ABCdef~", "Code128"),
        both("Code128SetBControl", "Code 128 SET B",
             "ab\x01"
             "cd\x1f",
             "Code128"),
        both("Code128Del", "Code 128 SET B",
             "A\x7f"
             "B",
             "Code128"),
        both("Code128SetADel", "Code 128 SET A",
             "A\x7f"
             "B",
             "Code128"),
        both("EAN13", "EAN-13", "4006381333931", "EAN-13"),
        both("EAN8", "EAN-8", "96385074", "EAN-8"),
        // The decoders return the check digit the class computed (4).
        {"EAN8Computed", "EAN-8", "9638507", "96385074", "96385074", "EAN-8"},
        both("UPCA", "UPCA", "036000291452", "UPC-A"),
        both("UPCE", "UPCE", "04252614", "UPC-E"),
        // A UPC-A number is compressed to 0 127890 with the check digit 7.
        {"UPCEFromUPCA", "UPCE", "01200000789", "01278907", "01278907", "UPC-E"},
        // zbarimg does not read UPC-E of number system 1.
        {"UPCENumberSystem1", "UPCE", "14252611", "", "14252611", "UPC-E"},
        both("ITF", "Interleaved 2 of 5", "12345678", "ITF"),
        // An odd count of digits is drawn with a leading zero.
        {"ITFOdd", "Interleaved 2 of 5", "1234567", "01234567", "01234567", "ITF"},
        // ZXingReader leaves out the start and stop letters.
        {"Codabar", "Codabar", "A1234B", "A1234B", "1234", "Codabar"},
        {"CodabarSymbols", "Codabar", "C-$:/.+D", "C-$:/.+D", "-$:/.+", "Codabar"},
    };
    // Every set B character, and every control character but NUL, LF and CR
    // (which the decoders' text output does not carry faithfully) in set A.
    QByteArray printable;
    for (char c = ' '; c <= '~'; ++c) {
        printable += c;
    }
    list.push_back(
        {"Code128AllPrintable", "Code 128 SET B", printable, printable, printable, "Code128"});
    QByteArray controls;
    for (char c = 1; c < 32; ++c) {
        if (c != '\n' && c != '\r') {
            controls += c;
        }
    }
    list.push_back({"Code128Controls", "Code 128 SET A", controls + "AZ", controls + "AZ",
                    controls + "AZ", "Code128"});
    QByteArray pairs;
    for (int v = 0; v < 100; ++v) {
        pairs += QByteArray::number(v).rightJustified(2, '0');
    }
    list.push_back({"Code128AllPairs", "Code 128", pairs, pairs, pairs, "Code128"});
    // One EAN-13 value per first digit, so every parity row is read.
    static const char* const kEan13[] = {
        "0202612090008", "1202612090373", "2202612090747", "3202612091118", "4202612091483",
        "5202612091857", "6202612092228", "7202612092593", "8202612092967", "9202612093338",
    };
    static const char* const kEan13Names[] = {
        "EAN13First0", "EAN13First1", "EAN13First2", "EAN13First3", "EAN13First4",
        "EAN13First5", "EAN13First6", "EAN13First7", "EAN13First8", "EAN13First9"};
    for (int i = 0; i < 10; ++i) {
        list.push_back(both(kEan13Names[i], "EAN-13", kEan13[i], "EAN-13"));
    }
    // With UPC-A enabled zbarimg reports a first digit 0 as UPC-A, without it.
    list[list.size() - 10].zbarText = bytes(kEan13[0] + 1);
    return list;
}

void PrintTo(const DecodeCase& c, std::ostream* os) {
    *os << c.title << " " << c.content.toStdString();
}

class LinearDecoderTest : public testing::TestWithParam<DecodeCase> {
protected:
    // Builds the case's symbol as the designer does, renders it and writes
    // the 300-dpi raster into a PNG; answers its path.
    QString drawSymbol() {
        const DecodeCase& c = GetParam();
        const auto model = lineardecode::designerModel(QString::fromLatin1(c.title),
                                                       QString::fromLatin1(c.content));
        EXPECT_TRUE(model != nullptr) << "no valid symbol";
        if (!model) {
            return {};
        }
        EXPECT_TRUE(model->printsCaption());
        const QImage picture = lineardecode::renderedSymbol(*model);
        EXPECT_FALSE(picture.isNull());
        EXPECT_TRUE(m_dir.isValid());
        const QString path = m_dir.filePath(QStringLiteral("symbol.png"));
        EXPECT_TRUE(picture.save(path, "PNG"));
        return path;
    }

private:
    QTemporaryDir m_dir;
};

TEST_P(LinearDecoderTest, ZbarReadsTheContent) {
    CARD_REQUIRE_TOOL(zbarimg, "zbarimg");
    const DecodeCase& c = GetParam();
    if (c.zbarText.isEmpty()) {
        GTEST_SKIP() << "zbarimg does not read this symbol";
    }
    const QString png = drawSymbol();
    const auto text = lineardecode::zbarRead(zbarimg, png);
    ASSERT_TRUE(text.has_value()) << "zbarimg read nothing";
    EXPECT_EQ(*text, c.zbarText);
}

TEST_P(LinearDecoderTest, ZxingReadsTheContent) {
    CARD_REQUIRE_TOOL(zxing, "ZXingReader");
    const DecodeCase& c = GetParam();
    if (c.zxingText.isEmpty()) {
        GTEST_SKIP() << "ZXingReader does not read this symbol";
    }
    const QString png = drawSymbol();
    const auto text = lineardecode::zxingRead(zxing, png, QString::fromLatin1(c.zxingFormat));
    ASSERT_TRUE(text.has_value()) << "ZXingReader read nothing";
    EXPECT_EQ(*text, c.zxingText);
}

INSTANTIATE_TEST_SUITE_P(Symbols, LinearDecoderTest, testing::ValuesIn(cases()),
                         [](const testing::TestParamInfo<DecodeCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
