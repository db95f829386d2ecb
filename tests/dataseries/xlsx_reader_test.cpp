// Reading worksheets from workbooks built here from XML text.

#include "DataseriesTestSupport.h"

#include "dataseries/SpreadsheetWriter.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace dstest;
using Rows = QList<QStringList>;

namespace {
QByteArray cell(const char* ref, const char* v, const char* type = nullptr) {
    const QByteArray t = type ? QByteArray(" t=\"") + type + "\"" : QByteArray();
    return QByteArray("<c r=\"") + ref + "\"" + t + "><v>" + v + "</v></c>";
}
QByteArray rowXml(const QByteArray& cells) {
    return "<row>" + cells + "</row>";
}
} // namespace

TEST(XlsxReader, StringsFormulasAndEscapes) {
    Workspace ws;
    const QByteArray sst = sstXml({
        "<t>plain</t>",
        "<r><rPr><b/></rPr><t>ab</t></r><r><t>cd</t></r><rPh sb=\"0\" eb=\"1\"><t>PH</t></rPh>",
        "<t>a_x000D_b</t>",
        "<t>_x005F_x000D_</t>",
        "<t xml:space=\"preserve\"> </t>",
    });
    const QByteArray inlineRich = "<c r=\"A4\" t=\"inlineStr\"><is><r><t>in</t></r><r><t>line</t>"
                                  "</r><rPh><t>P</t></rPh></is></c>";
    const QByteArray body =
        rowXml(cell("A1", "0", "s") + cell("B1", "1", "s") + cell("C1", "2", "s")) +
        rowXml(cell("A2", "3", "s") + cell("B2", "4", "s") + cell("C2", " 1 ", "s")) +
        // shared string indexes outside the table, negative or not numbers
        rowXml(cell("A3", "99", "s") + cell("B3", "-1", "s") + cell("C3", "x", "s")) +
        rowXml(inlineRich + "<c r=\"B4\"><f>1+1</f><v>2</v></c>" + cell("C4", "44197"));
    const auto read = readSheet(makeWorkbook(ws, {{1, sheetXml(body, "A1:C4")}}, sst));
    EXPECT_EQ(read.rows, Rows({{"plain", "abcd", "a\rb"},
                               {"_x000D_", " ", "abcd"},
                               {"", "", ""},
                               {"inline", "2", "44197"}}));
}

TEST(XlsxReader, ColumnCountFromDimensionAndPresentCells) {
    const QByteArray abc = rowXml(cell("A1", "1") + cell("B1", "2") + cell("C1", "3"));
    struct Case {
        const char* label;
        QByteArray dimension, body;
        QStringList firstRow;
    };
    const QString u1 = "Untitled Column 1";
    // clang-format off
    const std::vector<Case> cases = {
        {"no dimension", "", abc, {"1", "2", "3"}},
        {"no dimension, a later row wider", "", abc + rowXml(cell("A2", "a") + cell("E2", "e")), {"1", "2", "3", "Untitled Column 4", "Untitled Column 5"}},
        {"no dimension, a later row narrower", "", abc + rowXml(cell("A2", "a")), {"1", "2", "3"}},
        {"dimension too small", "A1", abc, {"1", "2", "3"}},
        {"huge dimension clipped", "A1:XFD1048576", abc, {"1", "2", "3"}},
        {"later row reaches the dimension", "A1:D2", abc + rowXml(cell("D2", "4")), {"1", "2", "3", "Untitled Column 4"}},
        {"B2:D9 counts from A", "B2:D9", rowXml(cell("B2", "b") + cell("D2", "d")), {u1, "b", "Untitled Column 3", "d"}},
        {"cell without r, empty styled cell", "A1", rowXml(cell("B1", "b") + "<c><v>c</v></c><c r=\"Z1\" s=\"1\"/>"), {u1, "b", "c"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Workspace ws;
        const auto read = readSheet(makeWorkbook(ws, {{1, sheetXml(c.body, c.dimension)}}));
        EXPECT_EQ(read.columns, c.firstRow.size());
        EXPECT_EQ(read.firstRow, Rows({c.firstRow}));
        for (const QStringList& r : read.rows) {
            EXPECT_EQ(r.size(), c.firstRow.size());
        }
    }
}

TEST(XlsxReader, GapsAndWidening) {
    Workspace ws;
    const QByteArray body = rowXml(cell("A1", "x") + cell("C1", "z")) + rowXml(cell("B5", "b"));
    const QString path = makeWorkbook(ws, {{1, sheetXml(body, "A1:C5")}});
    const auto read = readSheet(path);
    EXPECT_EQ(read.firstRow, Rows({{"x", "Untitled Column 2", "z"}}));
    EXPECT_EQ(read.rows, Rows({{"x", "", "z"}, {"", "b", ""}})); // absent rows do not appear
    // A cell past the column count found by the first-row read widens every row.
    writeBytes(QDir(SpreadsheetWriter::shared().tmpDir()).filePath("xl/worksheets/sheet1.xml"),
               sheetXml(body + rowXml(cell("E6", "e"))));
    EXPECT_EQ(SpreadsheetWriter::ReadWorkbook(path, 0),
              Rows({{"x", "", "z", "", ""}, {"", "b", "", "", ""}, {"", "", "", "", "e"}}));
    EXPECT_EQ(Excel_Sheet_Columns, 5);
}

TEST(XlsxReader, RowsWithoutValuesAreRecordsOnlyBeforeALaterValue) {
    const QByteArray styled = "<row s=\"1\" customFormat=\"1\"/><row><c r=\"B9\" s=\"3\"/></row>";
    struct Case {
        const char* label;
        QByteArray body;
        Rows rows;
    };
    const std::vector<Case> cases = {
        {"in the middle",
         rowXml(cell("A1", "a")) + styled + rowXml(cell("A4", "b")),
         {{"a"}, {""}, {""}, {"b"}}},
        {"after the last value", rowXml(cell("A1", "a")) + styled + styled, {{"a"}}},
        {"only formatting", styled, {}},
    };
    for (const Case& c : cases) {
        Workspace ws;
        const auto read = readSheet(makeWorkbook(ws, {{1, sheetXml(c.body, "A1:C1003")}}));
        EXPECT_EQ(read.rows, c.rows) << c.label;
    }
}

TEST(XlsxReader, PrefixedStrictAndRelatedParts) {
    Workspace ws;
    const QByteArray prefixed =
        "<x:worksheet xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<x:sheetData><x:row><x:c r=\"A1\" t=\"s\"><x:v>0</x:v></x:c><x:c r=\"B1\"><x:f>1</x:f>"
        "<x:v>5</x:v></x:c></x:row></x:sheetData></x:worksheet>";
    const QByteArray strict =
        sheetXml(rowXml(cell("A1", "7")), "A1", "http://purl.oclc.org/ooxml/spreadsheetml/main");
    const QString path = ws.path("related.xlsx");
    ASSERT_TRUE(writeZip(
        path, {{"xl/_rels/workbook.xml.rels",
                "<Relationships><Relationship Id=\"rId9\" Type=\"http://schemas.openxmlformats.org/"
                "officeDocument/2006/relationships/sharedStrings\" Target=\"/xl/s/texts.xml\"/>"
                "</Relationships>"},
               {"xl/s/texts.xml", "<x:sst xmlns:x=\"urn:x\"><x:si><x:r><x:t>pre</x:t></x:r><x:r>"
                                  "<x:t>fix</x:t></x:r></x:si></x:sst>"},
               {"xl/worksheets/sheet1.xml", prefixed},
               {"xl/worksheets/sheet2.xml", strict}}));
    EXPECT_EQ(readSheet(path, 1).rows, Rows({{"prefix", "5"}}));
    EXPECT_EQ(readSheet(path, 2).rows, Rows({{"7"}}));
}

TEST(XlsxReader, SheetsByNumberAndAFreshFolderForEveryUnpack) {
    Workspace ws;
    auto one = [](const char* v) { return sheetXml(rowXml(cell("A1", v))); };
    const QString many = makeWorkbook(ws, {{10, one("ten")}, {2, one("two")}, {1, one("0")}},
                                      sstXml({"<t>stale</t>"}));
    EXPECT_EQ(readSheet(many, 10).rows, Rows({{"ten"}}));
    EXPECT_EQ(SpreadsheetWriter::Worksheet_Names(), QStringList({"sheet1", "sheet2", "sheet10"}));
    EXPECT_TRUE(readSheet(many, 3).rows.isEmpty());
    EXPECT_TRUE(readSheet(many, -1).rows.isEmpty());

    writeBytes(QDir(SpreadsheetWriter::shared().tmpDir()).filePath("leftover"), "x");
    const QString single = makeWorkbook(ws, {{1, sheetXml(rowXml(cell("A1", "0", "s")))}});
    // No stale shared strings: the cell names none, so the row holds no value.
    EXPECT_EQ(readSheet(single).rows, Rows());
    EXPECT_EQ(SpreadsheetWriter::Worksheet_Names(), QStringList({"sheet1"}));
    EXPECT_FALSE(
        QFileInfo::exists(QDir(SpreadsheetWriter::shared().tmpDir()).filePath("leftover")));
}

TEST(XlsxReader, DamagedOrHostileWorkbooksGiveNoRows) {
    Workspace ws;
    const QByteArray sheet = sheetXml(rowXml(cell("A1", "1")));
    const QString unpacked =
        QDir(SpreadsheetWriter::shared().tmpDir()).filePath("xl/worksheets/sheet1.xml");
    auto expectNoRows = [&](const QString& path, const char* label) {
        EXPECT_TRUE(readSheet(path).rows.isEmpty()) << label;
        EXPECT_FALSE(QFileInfo::exists(unpacked)) << label; // nothing half-unpacked stays
    };
    const QString escape = ws.path("escape.xlsx");
    writeZip(escape, {{"xl/worksheets/sheet1.xml", sheet}, {"../evil.txt", "boom"}});
    expectNoRows(escape, "parent folder entry");
    EXPECT_FALSE(QFileInfo::exists(ws.path("evil.txt")));

    QByteArray body;
    for (int i = 1; i <= 400; ++i) {
        body += rowXml(cell("A1", QByteArray::number(i * 7919).constData()));
    }
    const QString good = makeWorkbook(ws, {{1, sheetXml(body)}});
    EXPECT_EQ(readSheet(good).rows.size(), 400);
    QByteArray bytes = readBytes(good);
    for (int i = 120; i < 240; i += 3) {
        bytes[i] = char(bytes[i] ^ 0x5A);
    }
    writeBytes(ws.path("corrupt.xlsx"), bytes);
    expectNoRows(ws.path("corrupt.xlsx"), "corrupt entry");
    writeBytes(ws.path("truncated.xlsx"), readBytes(good).left(150));
    expectNoRows(ws.path("truncated.xlsx"), "truncated");
    writeBytes(ws.path("text.xlsx"), "not a workbook");
    expectNoRows(ws.path("text.xlsx"), "not a zip");
    expectNoRows(ws.path("missing.xlsx"), "missing file");
    writeZip(ws.path("locked.xlsx"), {{"xl/worksheets/sheet1.xml", sheet}}, "secret");
    expectNoRows(ws.path("locked.xlsx"), "encrypted");
    EXPECT_TRUE(readSheet(makeWorkbook(ws, {})).rows.isEmpty());
    EXPECT_TRUE(readSheet(makeWorkbook(ws, {{1, "<worksheet><sheetData><row>"}})).rows.isEmpty());
}

TEST(XlsxReader, StaleDimensionGivesBothReadsTheWidestRow) {
    Workspace ws;
    const QByteArray body = rowXml(cell("A1", "a") + cell("B1", "b") + cell("C1", "c")) +
                            rowXml(cell("A2", "1") + cell("E2", "5"));
    const auto read = readSheet(makeWorkbook(ws, {{1, sheetXml(body, "A1:B2")}}));
    EXPECT_EQ(read.firstRow, Rows({{"a", "b", "c", "Untitled Column 4", "Untitled Column 5"}}));
    EXPECT_EQ(read.rows, Rows({{"a", "b", "c", "", ""}, {"1", "", "", "", "5"}}));
}

TEST(XlsxReader, FirstRowReadLeavesTheRowsAfterItUnread) {
    // 100,000 rows after the title row, and a broken end tag after them: the
    // full read refuses the part, the first-row read never reaches the break.
    QByteArray body = rowXml(cell("A1", "Name") + cell("B1", "Town"));
    body.reserve(4 << 20);
    for (int r = 2; r <= 100001; ++r) {
        const QByteArray n = QByteArray::number(r);
        body +=
            rowXml(cell(("A" + n).constData(), n.constData()) + cell(("B" + n).constData(), "x"));
    }
    body += "<row><c r=\"A100002\"><v>1</v></row>";
    Workspace ws;
    const auto read = readSheet(makeWorkbook(ws, {{1, sheetXml(body)}}));
    EXPECT_EQ(read.firstRow, Rows({{"Name", "Town"}}));
    EXPECT_TRUE(read.rows.isEmpty());
}

TEST(XlsxReader, CellFormsReadTheSameWithWhiteSpaceBetweenTheirElements) {
    // Cells in the forms writers use, and in forms near them. Each sheet is
    // read as written and with a line break after every cell start tag,
    // which the reader must take as it takes the plain form.
    const QString longText(5000, u'x');
    struct Case {
        QByteArray cells;
        QStringList values;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {R"(<c r="A1" t="inlineStr"><is><t>Guest 1</t></is></c><c r="B1" t="n"><v>38</v></c>)", {"Guest 1", "38"}},
        {R"(<c r="A2" t="inlineStr"><is><t>a &amp; b &lt;c&gt; &#x41;&#66;</t></is></c>)", {"a & b <c> AB", ""}},
        {R"(<c r="A3" t="inlineStr"><is><r><t>in</t></r><r><rPr><b/></rPr><t>line</t></r></is></c>)", {"inline", ""}},
        {R"(<c r="A4" t="inlineStr"><is><t>a_x000D_b</t></is></c><c r="B4" t="str"><v>_x000D_</v></c>)", {"a\rb", "_x000D_"}},
        {R"(<c r="A5"><v></v></c><c r="B5" s="3"/>)", {"", ""}},
        {R"(<c t="b"><v>1</v></c><c t="e"><v>#N/A</v></c>)", {"1", "#N/A"}},
        {R"(<c r="A7" t="inlineStr"><is><t xml:space="preserve"> padded </t></is></c><c r="B7" t="str"><v>  </v></c>)", {" padded ", "  "}},
        {R"(<c r="A8" t="inlineStr"><is><t>Zoë 東京 😀</t></is></c><c r="B8" t="s"><v> 1 </v></c>)", {"Zoë 東京 😀", "one"}},
        {R"(<c r='A9' t='s'><v>0</v></c><c t="s" r="B9"><v>2</v></c>)", {"zero", ""}},
        {"<c r=\"A10\" t=\"str\"><v>a\r\nb</v></c>", {"a\nb", ""}},
        {R"(<c r="A11" t="inlineStr"><is><t/></is></c><c r="B11" t="inlineStr"><is><t>x</t></is><v>9</v></c>)", {"", "x"}},
        {"<c r=\"A12\" t=\"inlineStr\"><is><t>" + longText.toUtf8() + "</t></is></c>", {longText, ""}},
    };
    // clang-format on
    QByteArray body;
    Rows expected;
    for (const Case& c : cases) {
        body += rowXml(c.cells);
        expected.append(c.values);
    }
    QByteArray spaced;
    for (qsizetype i = 0; i < body.size(); ++i) {
        const bool cellTag = body.mid(i, 2) == "<c" && (body[i + 2] == ' ' || body[i + 2] == '>');
        const qsizetype end = cellTag ? body.indexOf('>', i) : -1;
        if (end < 0) {
            spaced += body[i];
        } else if (body[end - 1] == '/') {
            spaced += body.mid(i, end - 1 - i) + ">\n</c>";
            i = end;
        } else {
            spaced += body.mid(i, end + 1 - i) + "\n";
            i = end;
        }
    }
    ASSERT_GT(spaced.count("\n"), int(cases.size()));
    for (const QByteArray& sheet : {body, spaced}) {
        Workspace ws;
        const auto read = readSheet(
            makeWorkbook(ws, {{1, sheetXml(sheet)}}, sstXml({"<t>zero</t>", "<t>one</t>"})));
        EXPECT_EQ(read.rows, expected);
    }
}
