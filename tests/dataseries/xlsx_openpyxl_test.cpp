// Workbooks exchanged with openpyxl. Skipped (visibly) without
// /usr/bin/python3 and its openpyxl module.

#include "DataseriesTestSupport.h"
#include "common/TestSupport.h"

#include "dataseries/SpreadsheetWriter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>

TEST(XlsxOpenpyxl, WorkbooksWrittenByOpenpyxlReadBack) {
    CARD_REQUIRE_PYTHON_MODULE(python, "openpyxl");
    const char* script = R"PY(
import sys, openpyxl
wb = openpyxl.Workbook(write_only=(sys.argv[2] == "write_only"))
ws = wb.create_sheet("Data", 0)
for row in [["Name", "Code", "Amount", "Note"], ["Ann", "007", 12, 1.5],
            ["B\u00e9a", None, -3, "x"], [None, "text", 0, None],
            ["line\nbreak", "a_b", 1234567, "  sp  "]]:
    ws.append(row)
wb.create_sheet("Other", 1).append(["second sheet"])
wb.save(sys.argv[1])
)PY";
    for (const char* mode : {"normal", "write_only"}) { // write-only mode writes no dimension
        dstest::Workspace ws;
        const QString path = ws.path("openpyxl.xlsx");
        const auto made = testsupport::runProcess(python, {"-c", script, path, mode});
        ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
        const auto read = dstest::readSheet(path, 1);
        EXPECT_EQ(read.firstRow, QList<QStringList>({{"Name", "Code", "Amount", "Note"}})) << mode;
        EXPECT_EQ(read.rows, QList<QStringList>({{"Name", "Code", "Amount", "Note"},
                                                 {"Ann", "007", "12", "1.5"},
                                                 {QStringLiteral("B\u00e9a"), "", "-3", "x"},
                                                 {"", "text", "0", ""},
                                                 {"line\nbreak", "a_b", "1234567", "  sp  "}}))
            << mode;
        EXPECT_EQ(dstest::readSheet(path, 2).rows, QList<QStringList>({{"second sheet"}})) << mode;
    }
}

TEST(XlsxOpenpyxl, WithoutADimensionTheWidestRowGivesTheColumnCount) {
    CARD_REQUIRE_PYTHON_MODULE(python, "openpyxl");
    const char* script = R"PY(
import sys, openpyxl
wb = openpyxl.Workbook(write_only=True)
ws = wb.create_sheet("Guests")
for row in [["Name", "Table"], ["Ann", 7, "veg", "late"], ["Bob"]]:
    ws.append(row)
wb.save(sys.argv[1])
)PY";
    dstest::Workspace ws;
    const QString path = ws.path("streamed.xlsx");
    const auto made = testsupport::runProcess(python, {"-c", script, path});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
    // The case at hand: the streamed sheet carries no dimension.
    const auto parts = dstest::readZip(path);
    ASSERT_TRUE(parts.count("xl/worksheets/sheet1.xml"));
    ASSERT_FALSE(parts.at("xl/worksheets/sheet1.xml").contains("<dimension"));

    SpreadsheetWriter::ReadWorkbook(path, 1);
    Excel_Sheet_Number = 1;
    const auto firstRow = SpreadsheetWriter::ReadData_only_column();
    EXPECT_EQ(Excel_Sheet_Columns, 4);
    EXPECT_EQ(firstRow,
              QList<QStringList>({{"Name", "Table", "Untitled Column 3", "Untitled Column 4"}}));
    EXPECT_EQ(SpreadsheetWriter::ReadWorkbook(path, 0),
              QList<QStringList>(
                  {{"Name", "Table", "", ""}, {"Ann", "7", "veg", "late"}, {"Bob", "", "", ""}}));
}

TEST(XlsxOpenpyxl, OurWorkbooksLoadInOpenpyxlWithTheirTypes) {
    CARD_REQUIRE_PYTHON_MODULE(python, "openpyxl");
    const char* script = R"PY(
import sys, json, openpyxl
wb = openpyxl.load_workbook(sys.argv[1], read_only=(sys.argv[2] == "read_only"))
print(json.dumps([[[type(v).__name__, v] for v in row]
                  for row in wb.worksheets[0].iter_rows(values_only=True)]))
)PY";
    dstest::Workspace ws;
    const QString path = ws.path("ours.xlsx");
    ASSERT_TRUE(
        SpreadsheetWriter::WriteWorkbook(path,
                                         {{"Batch Value", "007"},
                                          {"12", "1,5"},
                                          {"1.5", "nan"},
                                          {"-4", "1234567890123456"},
                                          {"line\nbreak", QStringLiteral("  caf\u00e9 & <tag> ")}},
                                         true));
    const QJsonArray expected =
        QJsonDocument::fromJson(
            R"([[["str","Batch Value"],["str","007"]], [["int",12],["str","1,5"]],
            [["float",1.5],["str","nan"]], [["int",-4],["str","1234567890123456"]],
            [["str","line\nbreak"],["str","  café & <tag> "]]])")
            .array();
    for (const char* mode : {"normal", "read_only"}) {
        const auto run = testsupport::runProcess(python, {"-c", script, path, mode});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(QJsonDocument::fromJson(run.out).array(), expected)
            << mode << run.out.toStdString();
    }
}
