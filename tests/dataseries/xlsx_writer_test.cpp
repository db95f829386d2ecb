// Writing workbooks: the parts, the number rule, failures, the round trip.

#include "DataseriesTestSupport.h"

#include "core/globals.h"
#include "dataseries/SpreadsheetWriter.h"

#include <QDir>
#include <QDirIterator>
#include <gtest/gtest.h>
#include <minizip/unzip.h>
#include <pugixml.hpp>

using namespace dstest;

namespace {
// (reference, type, value) of every cell of a worksheet part.
std::vector<std::array<std::string, 3>> cellsOf(const QByteArray& sheet, pugi::xml_document& doc) {
    EXPECT_TRUE(doc.load_buffer(sheet.constData(), size_t(sheet.size())));
    std::vector<std::array<std::string, 3>> cells;
    for (pugi::xml_node r : doc.child("worksheet").child("sheetData").children("row")) {
        for (pugi::xml_node c : r.children("c")) {
            cells.push_back(
                {c.attribute("r").value(), c.attribute("t").value(), c.child("v").child_value()});
        }
    }
    return cells;
}
} // namespace

TEST(XlsxWriter, ThreeOneCellRowsGiveSharedStringsAndANumber) {
    Workspace ws;
    const QString out = ws.path("out.xlsx");
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(out, {{"Batch Value"}, {"12"}, {"x"}}, true));
    auto parts = readZip(out);
    for (const char* name : {"[Content_Types].xml", "_rels/.rels", "xl/workbook.xml",
                             "xl/_rels/workbook.xml.rels", "xl/styles.xml", "docProps/app.xml"}) {
        EXPECT_TRUE(parts.count(name)) << name;
    }
    pugi::xml_document sheet, sst;
    using Cell = std::array<std::string, 3>;
    EXPECT_EQ(cellsOf(parts["xl/worksheets/sheet1.xml"], sheet),
              std::vector<Cell>({{"A1", "s", "0"}, {"A2", "", "12"}, {"A3", "s", "1"}}));
    EXPECT_STREQ(sheet.child("worksheet").child("dimension").attribute("ref").value(), "A1:A3");
    const QByteArray& sstBytes = parts["xl/sharedStrings.xml"];
    ASSERT_TRUE(sst.load_buffer(sstBytes.constData(), size_t(sstBytes.size())));
    EXPECT_STREQ(sst.child("sst").attribute("count").value(), "2");
    EXPECT_STREQ(sst.child("sst").attribute("uniqueCount").value(), "2");
    EXPECT_EQ(SpreadsheetWriter::shared().sharedStrings(), QStringList({"Batch Value", "x"}));

    // Every entry carries a valid date.
    unzFile zip = unzOpen64(QFile::encodeName(out).constData());
    for (int s = unzGoToFirstFile(zip); s == UNZ_OK; s = unzGoToNextFile(zip)) {
        unz_file_info64 info{};
        unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0);
        EXPECT_GE(info.tmu_date.tm_year, 1980u);
        EXPECT_GE(info.tmu_date.tm_mday, 1u);
    }
    unzClose(zip);
}

TEST(XlsxWriter, OnlyPlainExactNumbersAreWrittenAsNumbers) {
    const QStringList numbers = {"12", "0", "-3.25", "0.5", "123456789012345", "0.000000000000001"};
    const QStringList texts = {"007",
                               "1234567890123456",
                               "1.23456789012345678",
                               "1,5",
                               "nan",
                               "1e5",
                               ".5",
                               "5.",
                               "+5",
                               " 12",
                               "",
                               QStringLiteral("\u0661\u0662")};
    std::vector<std::pair<QString, bool>> cases;
    for (const QString& n : numbers) {
        cases.emplace_back(n, true);
    }
    for (const QString& t : texts) {
        cases.emplace_back(t, false);
    }
    Workspace ws;
    SpreadsheetWriter writer;
    SpreadsheetWriter::Rows rows;
    for (const auto& c : cases) {
        rows.append({c.first});
    }
    writer.setData(rows);
    ASSERT_TRUE(writer.WriteWorksheetData(ws.path("sheet.xml")));
    pugi::xml_document doc;
    const auto cells = cellsOf(readBytes(ws.path("sheet.xml")), doc);
    ASSERT_EQ(cells.size(), cases.size());
    for (size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(cells[i][1].empty(), cases[i].second) << cases[i].first.toStdString();
    }
}

TEST(XlsxWriter, RoundTripThroughOurReaderKeepsEveryText) {
    Workspace ws;
    const SpreadsheetWriter::Rows rows = {
        {"Name", "Code", "Note"},
        {"Ann", "007", "a\u0001b"},
        {QStringLiteral("B\u00e9a <&>\"'"), "12", "line\nbreak"},
        {"cr\rhere", "1.50", "_x000D_ literal"},
        {"  spaced  ", "-4", QStringLiteral("emoji \U0001F600 \u000b\u001f")},
        {"short"},
    };
    const QString out = ws.path("round.xlsx");
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(out, rows, true));
    SpreadsheetWriter::Rows expected = rows;
    expected.last() << ""
                    << "";
    EXPECT_EQ(readSheet(out).rows, expected);
}

TEST(XlsxWriter, FailuresAreReportedAndLeaveTheOldFile) {
    Workspace ws;
    const QString out = ws.path("keep.xlsx");
    const QString templ = QDir(Resource_Path).filePath("Template.xlsx");
    writeBytes(out, "old content");
    SpreadsheetWriter::Rows big;
    for (int i = 0; i < 3000; ++i) {
        big.append({QStringLiteral("value %1 with some text to fill the part").arg(i)});
    }
    QFile::rename(templ, templ + ".away");
    EXPECT_FALSE(SpreadsheetWriter::WriteWorkbook(out, {{"a"}}, false)); // template missing
    writeBytes(templ, "garbage");
    EXPECT_FALSE(SpreadsheetWriter::WriteWorkbook(out, {{"a"}}, false)); // template not a zip
    QFile::remove(templ);
    QFile::rename(templ + ".away", templ);
    {
        FileSizeLimit limit(20000);
        EXPECT_FALSE(SpreadsheetWriter::WriteWorkbook(out, big, false)); // parts not written
    }
    EXPECT_FALSE(SpreadsheetWriter::WriteWorkbook(ws.path("no/folder/x.xlsx"), {{"a"}}, false));
    EXPECT_EQ(readBytes(out), "old content");
    EXPECT_TRUE(SpreadsheetWriter::WriteWorkbook(out, big, false));
    EXPECT_EQ(readSheet(out).rows, big);
}

TEST(XlsxTemplate, PackageHoldsExactlyTheTextParts) {
    const QString folder = CARD_SOURCE_DIR "/resources/xlsx-template";
    const auto entries = readZip(CARD_SOURCE_DIR "/resources/Template.xlsx");
    size_t files = 0;
    for (QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
         it.hasNext(); ++files) {
        const QString file = it.next();
        const QByteArray name = QDir(folder).relativeFilePath(file).toUtf8();
        ASSERT_TRUE(entries.count(name)) << name.constData();
        EXPECT_EQ(entries.at(name), readBytes(file)) << name.constData();
    }
    EXPECT_EQ(files, entries.size());
}
