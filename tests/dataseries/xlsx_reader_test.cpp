// Reading worksheets from workbooks built here from XML text.

#include "DataseriesTestSupport.h"

#include "dataseries/SpreadsheetWriter.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using dstest::makeWorkbook;
using dstest::readSheet;
using dstest::sheetXml;
using dstest::sstXml;

namespace {

QStringList row(std::initializer_list<const char*> cells) {
    QStringList out;
    for (const char* cell : cells) {
        out << QString::fromUtf8(cell);
    }
    return out;
}

QString tempFolder() {
    return SpreadsheetWriter::shared().tmpDir();
}

} // namespace

TEST(XlsxReader, SharedStringsJoinRunsSkipPhoneticAndDecodeEscapes) {
    dstest::Workspace ws;
    const QByteArray sst = sstXml({
        "<t>plain</t>",
        "<r><rPr><b/></rPr><t>ab</t></r><r><t>cd</t></r><rPh sb=\"0\" eb=\"1\"><t>PH</t></rPh>",
        "<t>after</t>",
        "<t>a_x000D_b</t>",
        "<t>_x005F_x000D_</t>",
        "<t xml:space=\"preserve\"> </t>",
        "<t>x_x00e9_y</t>",
    });
    const QByteArray body =
        "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v>"
        "</c><c r=\"C1\" t=\"s\"><v>2</v></c></row>"
        "<row r=\"2\"><c r=\"A2\" t=\"s\"><v>3</v></c><c r=\"B2\" t=\"s\"><v>4</v>"
        "</c><c r=\"C2\" t=\"s\"><v>5</v></c></row>"
        "<row r=\"3\"><c r=\"A3\" t=\"s\"><v> 6 </v></c></row>";
    const auto read = readSheet(makeWorkbook(ws, "rich.xlsx", {{1, sheetXml(body, "A1:C3")}}, sst));
    EXPECT_EQ(SpreadsheetWriter::shared().sharedStrings().size(), 7);
    ASSERT_EQ(read.rows.size(), 3);
    EXPECT_EQ(read.rows[0], row({"plain", "abcd", "after"}));
    EXPECT_EQ(read.rows[1], QStringList({"a\rb", "_x000D_", " "}));
    EXPECT_EQ(read.rows[2], QStringList({QStringLiteral("x\u00e9y"), "", ""}));
}

TEST(XlsxReader, InlineStringsFormulasAndOtherTypes) {
    dstest::Workspace ws;
    const QByteArray body =
        "<row r=\"1\">"
        "<c r=\"A1\" "
        "t=\"inlineStr\"><is><r><t>in</t></r><r><t>line</t></r><rPh><t>P</t></rPh></is></c>"
        "<c r=\"B1\"><f>1+1</f><v>2</v></c>"
        "<c r=\"C1\" t=\"str\"><f>\"a\"&amp;\"b\"</f><v>ab</v></c>"
        "<c r=\"D1\" t=\"b\"><v>1</v></c>"
        "<c r=\"E1\" t=\"inlineStr\"><is><t>tab_x0009_x</t></is></c>"
        "<c r=\"F1\"><v>44197</v></c>"
        "</row>";
    const auto read = readSheet(makeWorkbook(ws, "inline.xlsx", {{1, sheetXml(body, "A1:F1")}}));
    ASSERT_EQ(read.rows.size(), 1);
    EXPECT_EQ(read.rows[0], QStringList({"inline", "2", "ab", "1", "tab\tx", "44197"}));
}

TEST(XlsxReader, ColumnCountFromDimensionAndPresentCells) {
    struct Case {
        const char* label;
        QByteArray dimension;
        QByteArray body;
        int columns;
        QStringList firstRow;
    };
    const QByteArray abc = "<row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"B1\"><v>2</v></c>"
                           "<c r=\"C1\"><v>3</v></c></row>";
    const std::vector<Case> cases = {
        {"dimension matches", "A1:C5", abc, 3, {"1", "2", "3"}},
        {"no dimension", "", abc, 3, {"1", "2", "3"}},
        {"dimension too small", "A1", abc, 3, {"1", "2", "3"}},
        {"huge dimension clipped", "A1:XFD1048576", abc, 3, {"1", "2", "3"}},
        {"dimension past first row, later row wider",
         "A1:D2",
         abc + "<row r=\"2\"><c r=\"D2\"><v>4</v></c></row>",
         4,
         {"1", "2", "3", "Untitled Column 4"}},
        {"dimension B2:D9 counts from A",
         "B2:D9",
         "<row r=\"2\"><c r=\"B2\"><v>b</v></c><c r=\"D2\"><v>d</v></c></row>",
         4,
         {"Untitled Column 1", "b", "Untitled Column 3", "d"}},
        {"single cell", "A1", "<row r=\"1\"><c r=\"A1\"><v>x</v></c></row>", 1, {"x"}},
        {"empty styled cells do not widen",
         "A1:B1",
         "<row r=\"1\"><c r=\"A1\"><v>x</v></c><c r=\"B1\"><v>y</v></c><c r=\"Z1\" s=\"1\"/></row>",
         2,
         {"x", "y"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        dstest::Workspace ws;
        const auto read =
            readSheet(makeWorkbook(ws, "dim.xlsx", {{1, sheetXml(c.body, c.dimension)}}));
        EXPECT_EQ(read.columns, c.columns);
        ASSERT_EQ(read.firstRow.size(), 1);
        EXPECT_EQ(read.firstRow[0], c.firstRow);
        for (const QStringList& r : read.rows) {
            EXPECT_EQ(r.size(), c.columns);
        }
    }
}

TEST(XlsxReader, GapsMissingReferencesAndOutOfRangeIndexes) {
    dstest::Workspace ws;
    const QByteArray sst = sstXml({"<t>s0</t>"});
    const QByteArray body =
        "<row r=\"1\"><c r=\"A1\"><v>x</v></c><c r=\"C1\"><v>z</v></c></row>"
        // a cell without "r" takes the column after the previous cell
        "<row r=\"3\"><c r=\"B3\"><v>b</v></c><c><v>c</v></c></row>"
        // shared string indexes outside the table, negative or not numbers
        "<row r=\"7\"><c r=\"A7\" t=\"s\"><v>99</v></c><c r=\"B7\" t=\"s\"><v>-1</v></c>"
        "<c r=\"C7\" t=\"s\"><v>abc</v></c></row>"
        "<row r=\"8\"><c r=\"A8\" t=\"s\"><v>0</v></c></row>";
    const auto read = readSheet(makeWorkbook(ws, "gaps.xlsx", {{1, sheetXml(body, "A1:C8")}}, sst));
    ASSERT_EQ(read.firstRow.size(), 1);
    EXPECT_EQ(read.firstRow[0], QStringList({"x", "Untitled Column 2", "z"}));
    ASSERT_EQ(read.rows.size(), 4); // absent rows do not appear
    EXPECT_EQ(read.rows[0], QStringList({"x", "", "z"}));
    EXPECT_EQ(read.rows[1], QStringList({"", "b", "c"}));
    EXPECT_EQ(read.rows[2], QStringList({"", "", ""}));
    EXPECT_EQ(read.rows[3], QStringList({"s0", "", ""}));
}

TEST(XlsxReader, ACellPastTheColumnCountWidensEveryRow) {
    dstest::Workspace ws;
    const QByteArray body = "<row r=\"1\"><c r=\"A1\"><v>a</v></c></row>"
                            "<row r=\"2\"><c r=\"A2\"><v>b</v></c></row>";
    const QString path = makeWorkbook(ws, "w.xlsx", {{1, sheetXml(body, "A1:A2")}});
    SpreadsheetWriter::ReadWorkbook(path, 1);
    Excel_Sheet_Number = 1;
    SpreadsheetWriter::ReadData_only_column();
    EXPECT_EQ(Excel_Sheet_Columns, 1);
    // The part changes under the reader: a later row reaches column C.
    dstest::writeBytes(QDir(tempFolder()).filePath("xl/worksheets/sheet1.xml"),
                       sheetXml(body + "<row r=\"3\"><c r=\"C3\"><v>c</v></c></row>", "A1:A2"));
    const auto rows = SpreadsheetWriter::ReadWorkbook(path, 0);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0], QStringList({"a", "", ""}));
    EXPECT_EQ(rows[2], QStringList({"", "", "c"}));
    EXPECT_EQ(Excel_Sheet_Columns, 3);
}

TEST(XlsxReader, PrefixedAndStrictNamespaces) {
    dstest::Workspace ws;
    const QByteArray prefixed =
        "<x:worksheet xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<x:dimension ref=\"A1:B1\"/><x:sheetData><x:row r=\"1\"><x:c r=\"A1\" t=\"s\"><x:v>0</x:v>"
        "</x:c><x:c r=\"B1\"><x:f>1</x:f><x:v>5</x:v></x:c></x:row></x:sheetData></x:worksheet>";
    const QByteArray sst =
        "<x:sst xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><x:si><x:r>"
        "<x:t>pre</x:t></x:r><x:r><x:t>fix</x:t></x:r></x:si></x:sst>";
    const auto read = readSheet(makeWorkbook(ws, "p.xlsx", {{1, prefixed}}, sst));
    ASSERT_EQ(read.rows.size(), 1);
    EXPECT_EQ(read.rows[0], QStringList({"prefix", "5"}));

    dstest::Workspace ws2;
    const QByteArray strict = sheetXml("<row r=\"1\"><c r=\"A1\"><v>7</v></c></row>", "A1",
                                       "http://purl.oclc.org/ooxml/spreadsheetml/main");
    const auto read2 = readSheet(makeWorkbook(ws2, "s.xlsx", {{1, strict}}));
    ASSERT_EQ(read2.rows.size(), 1);
    EXPECT_EQ(read2.rows[0], QStringList({"7"}));
}

TEST(XlsxReader, SharedStringsFoundThroughRelationships) {
    dstest::Workspace ws;
    dstest::ZipEntries entries = {
        {"xl/workbook.xml", "<workbook/>"},
        {"xl/_rels/workbook.xml.rels",
         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
         "relationships/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
         "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
         "relationships/sharedStrings\" Target=\"/xl/strings/texts.xml\"/></Relationships>"},
        {"xl/strings/texts.xml", sstXml({"<t>found</t>"})},
        {"xl/worksheets/sheet1.xml",
         sheetXml("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>", "A1")},
    };
    const QString path = ws.path("rels.xlsx");
    ASSERT_TRUE(dstest::writeZip(path, entries));
    const auto read = readSheet(path);
    ASSERT_EQ(read.rows.size(), 1);
    EXPECT_EQ(read.rows[0], QStringList({"found"}));
}

TEST(XlsxReader, SheetsListedByNumberAndChosenByNumber) {
    dstest::Workspace ws;
    auto one = [](const char* v) {
        return sheetXml(QByteArray("<row r=\"1\"><c r=\"A1\"><v>") + v + "</v></c></row>", "A1");
    };
    const QString path =
        makeWorkbook(ws, "many.xlsx", {{10, one("ten")}, {2, one("two")}, {1, one("one")}});
    SpreadsheetWriter::ReadWorkbook(path, 1);
    EXPECT_EQ(SpreadsheetWriter::Worksheet_Names(), QStringList({"sheet1", "sheet2", "sheet10"}));
    EXPECT_EQ(readSheet(path, 10).rows, QList<QStringList>({{"ten"}}));
    EXPECT_EQ(readSheet(path, 2).rows, QList<QStringList>({{"two"}}));
    EXPECT_TRUE(readSheet(path, 3).rows.isEmpty());
    EXPECT_TRUE(readSheet(path, 0).rows.isEmpty());
}

TEST(XlsxReader, EveryUnpackStartsFromAnEmptyFolder) {
    dstest::Workspace ws;
    const QString first =
        makeWorkbook(ws, "first.xlsx",
                     {{1, sheetXml("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>")},
                      {2, sheetXml("<row r=\"1\"><c r=\"A1\"><v>old</v></c></row>")}},
                     sstXml({"<t>stale</t>"}));
    const QString second = makeWorkbook(
        ws, "second.xlsx", {{1, sheetXml("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>")}});
    readSheet(first);
    dstest::writeBytes(QDir(tempFolder()).filePath("leftover.txt"), "x");
    const auto read = readSheet(second);
    EXPECT_EQ(SpreadsheetWriter::Worksheet_Names(), QStringList({"sheet1"}));
    EXPECT_TRUE(SpreadsheetWriter::shared().sharedStrings().isEmpty());
    EXPECT_EQ(read.rows, QList<QStringList>({{""}}));
    EXPECT_FALSE(QFileInfo::exists(QDir(tempFolder()).filePath("leftover.txt")));
    EXPECT_TRUE(readSheet(second, 2).rows.isEmpty());
}

TEST(XlsxReader, DamagedOrHostileArchivesGiveNoRows) {
    dstest::Workspace ws;
    const QByteArray goodSheet = sheetXml("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>", "A1");
    const QString outside = ws.path("evil.txt");

    // Entry names leaving the folder.
    for (const QByteArray& name :
         {QByteArray("../evil.txt"), QByteArray("xl/../../evil.txt"), QByteArray("..\\evil.txt")}) {
        SCOPED_TRACE(name.toStdString());
        const QString path = ws.path("escape.xlsx");
        ASSERT_TRUE(
            dstest::writeZip(path, {{"xl/worksheets/sheet1.xml", goodSheet}, {name, "boom"}}));
        EXPECT_TRUE(readSheet(path).rows.isEmpty());
        EXPECT_FALSE(QFileInfo::exists(outside));
        EXPECT_FALSE(QFileInfo::exists(QDir(tempFolder()).filePath("xl/worksheets/sheet1.xml")));
    }
    const QString absolute = ws.path("absolute.xlsx");
    const QString absoluteTarget = ws.path("abs-target.txt");
    ASSERT_TRUE(dstest::writeZip(absolute, {{"xl/worksheets/sheet1.xml", goodSheet},
                                            {QFile::encodeName(absoluteTarget), "boom"}}));
    EXPECT_TRUE(readSheet(absolute).rows.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(absoluteTarget));

    // A corrupt entry: flip bytes inside the compressed data.
    const QString good = ws.path("good.xlsx");
    QByteArray big;
    for (int i = 0; i < 400; ++i) {
        big += "<row r=\"" + QByteArray::number(i + 1) + "\"><c><v>" +
               QByteArray::number(i * 7919) + "</v></c></row>";
    }
    ASSERT_TRUE(dstest::writeZip(good, {{"xl/worksheets/sheet1.xml", sheetXml(big)}}));
    EXPECT_EQ(readSheet(good).rows.size(), 400);
    QByteArray bytes = dstest::readBytes(good);
    for (int i = 80; i < 200; i += 3) {
        bytes[i] = char(bytes[i] ^ 0x5A);
    }
    const QString corrupt = ws.path("corrupt.xlsx");
    dstest::writeBytes(corrupt, bytes);
    EXPECT_TRUE(readSheet(corrupt).rows.isEmpty());

    // Not a zip, an empty file, a missing file, a truncated zip.
    const QString text = ws.path("text.xlsx");
    dstest::writeBytes(text, "this is not a workbook");
    EXPECT_TRUE(readSheet(text).rows.isEmpty());
    const QString empty = ws.path("empty.xlsx");
    dstest::writeBytes(empty, "");
    EXPECT_TRUE(readSheet(empty).rows.isEmpty());
    EXPECT_TRUE(readSheet(ws.path("missing.xlsx")).rows.isEmpty());
    const QString truncated = ws.path("truncated.xlsx");
    dstest::writeBytes(truncated, dstest::readBytes(good).left(150));
    EXPECT_TRUE(readSheet(truncated).rows.isEmpty());

    // Encrypted entries without a password.
    const QString locked = ws.path("locked.xlsx");
    ASSERT_TRUE(dstest::writeZip(locked, {{"xl/worksheets/sheet1.xml", goodSheet}}, "secret"));
    EXPECT_TRUE(readSheet(locked).rows.isEmpty());

    // A workbook without the chosen sheet, and a sheet that is not XML.
    const QString noSheet = makeWorkbook(ws, "nosheet.xlsx", {});
    EXPECT_TRUE(readSheet(noSheet).rows.isEmpty());
    const QString broken = makeWorkbook(ws, "broken.xlsx", {{1, "<worksheet><sheetData><row>"}});
    EXPECT_TRUE(readSheet(broken).rows.isEmpty());
}
