// Writing workbooks: the parts written, the number rule, escapes, failures
// and the round trip through our reader.

#include "DataseriesTestSupport.h"

#include "dataseries/SSZipArchive.h"
#include "dataseries/SpreadsheetWriter.h"
#include "mainwindow/core/globals.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <map>
#include <minizip/unzip.h>
#include <pugixml.hpp>

namespace {

std::map<QByteArray, QByteArray> entriesOf(const QString& path) {
    std::map<QByteArray, QByteArray> out;
    for (const auto& [name, data] : dstest::readZip(path)) {
        out[name] = data;
    }
    return out;
}

struct CellOut {
    QString ref;
    QString type;
    QString value;
};

std::vector<CellOut> cellsOf(const QByteArray& sheet) {
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_buffer(sheet.constData(), size_t(sheet.size())));
    std::vector<CellOut> cells;
    for (pugi::xml_node r : doc.child("worksheet").child("sheetData").children("row")) {
        for (pugi::xml_node c : r.children("c")) {
            cells.push_back({QString::fromUtf8(c.attribute("r").value()),
                             QString::fromUtf8(c.attribute("t").value()),
                             QString::fromUtf8(c.child("v").child_value())});
        }
    }
    return cells;
}

} // namespace

TEST(XlsxWriter, ThreeOneCellRowsGiveSharedStringsAndANumber) {
    dstest::Workspace ws;
    const QString out = ws.path("out.xlsx");
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(out, {{"Batch Value"}, {"12"}, {"x"}}, true));
    auto parts = entriesOf(out);
    ASSERT_TRUE(parts.count("xl/worksheets/sheet1.xml"));
    ASSERT_TRUE(parts.count("xl/sharedStrings.xml"));
    for (const char* name :
         {"[Content_Types].xml", "_rels/.rels", "xl/workbook.xml", "xl/_rels/workbook.xml.rels",
          "xl/styles.xml", "docProps/app.xml", "docProps/core.xml"}) {
        EXPECT_TRUE(parts.count(name)) << name;
    }
    const auto cells = cellsOf(parts["xl/worksheets/sheet1.xml"]);
    ASSERT_EQ(cells.size(), 3u);
    EXPECT_EQ(cells[0].ref, "A1");
    EXPECT_EQ(cells[0].type, "s");
    EXPECT_EQ(cells[0].value, "0");
    EXPECT_EQ(cells[1].ref, "A2");
    EXPECT_EQ(cells[1].type, "");
    EXPECT_EQ(cells[1].value, "12");
    EXPECT_EQ(cells[2].ref, "A3");
    EXPECT_EQ(cells[2].type, "s");
    EXPECT_EQ(cells[2].value, "1");

    pugi::xml_document sheet;
    const QByteArray& sheetBytes = parts["xl/worksheets/sheet1.xml"];
    ASSERT_TRUE(sheet.load_buffer(sheetBytes.constData(), size_t(sheetBytes.size())));
    EXPECT_STREQ(sheet.child("worksheet").child("dimension").attribute("ref").value(), "A1:A3");
    EXPECT_STREQ(
        sheet.child("worksheet").child("sheetData").child("row").attribute("spans").value(), "1:1");
    pugi::xml_document sst;
    const QByteArray& sstBytes = parts["xl/sharedStrings.xml"];
    ASSERT_TRUE(sst.load_buffer(sstBytes.constData(), size_t(sstBytes.size())));
    EXPECT_STREQ(sst.child("sst").attribute("count").value(), "2");
    EXPECT_STREQ(sst.child("sst").attribute("uniqueCount").value(), "2");
    EXPECT_EQ(SpreadsheetWriter::shared().sharedStrings(), QStringList({"Batch Value", "x"}));
}

TEST(XlsxWriter, OnlyPlainExactNumbersAreWrittenAsNumbers) {
    const std::vector<std::pair<QString, bool>> cases = {
        {"12", true},
        {"0", true},
        {"-3.25", true},
        {"0.5", true},
        {"123456789012345", true},
        {"0.000000000000001", true},
        {"-0.1", true},
        {"007", false},
        {"1234567890123456", false},
        {"1.23456789012345678", false},
        {"1,5", false},
        {"nan", false},
        {"inf", false},
        {"1e5", false},
        {".5", false},
        {"5.", false},
        {"+5", false},
        {"-", false},
        {" 12", false},
        {"12 ", false},
        {"", false},
        {QStringLiteral("\u0661\u0662"), false}, // Arabic-Indic digits
    };
    dstest::Workspace ws;
    SpreadsheetWriter writer;
    SpreadsheetWriter::Rows rows;
    for (const auto& c : cases) {
        rows.append({c.first});
    }
    writer.setData(rows);
    const QString part = ws.path("sheet.xml");
    ASSERT_TRUE(writer.WriteWorksheetData(part));
    const auto cells = cellsOf(dstest::readBytes(part));
    ASSERT_EQ(cells.size(), cases.size());
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].first.toStdString());
        EXPECT_EQ(cells[i].type.isEmpty(), cases[i].second);
        if (cases[i].second) {
            EXPECT_EQ(cells[i].value, cases[i].first);
        }
    }
}

TEST(XlsxWriter, RoundTripThroughOurReaderKeepsEveryText) {
    dstest::Workspace ws;
    const SpreadsheetWriter::Rows rows = {
        {"Name", "Code", "Note"},
        {"Ann", "007", "a\u0001b"},
        {"B\u00e9a <&>\"'", "12", "line\nbreak"},
        {"cr\rhere", "1.50", "_x000D_ literal"},
        {"  spaced  ", "-4", QStringLiteral("emoji \U0001F600")},
        {"tab\there", "", "\u000b\u001f"},
        {"short"},
    };
    const QString out = ws.path("round.xlsx");
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(out, rows, true));
    const auto read = dstest::readSheet(out);
    EXPECT_EQ(read.columns, 3);
    ASSERT_EQ(read.rows.size(), rows.size());
    for (qsizetype r = 0; r < rows.size(); ++r) {
        QStringList expected = rows[r];
        while (expected.size() < 3) {
            expected << QString();
        }
        EXPECT_EQ(read.rows[r], expected) << "row " << r;
    }
    EXPECT_EQ(read.firstRow[0], QStringList({"Name", "Code", "Note"}));
}

TEST(XlsxWriter, EntriesHaveValidDates) {
    dstest::Workspace ws;
    const QString out = ws.path("dated.xlsx");
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(out, {{"a"}}, false));
    unzFile zip = unzOpen64(QFile::encodeName(out).constData());
    ASSERT_NE(zip, nullptr);
    int entries = 0;
    for (int s = unzGoToFirstFile(zip); s == UNZ_OK; s = unzGoToNextFile(zip)) {
        unz_file_info64 info{};
        char name[512];
        ASSERT_EQ(unzGetCurrentFileInfo64(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0),
                  UNZ_OK);
        EXPECT_GE(info.tmu_date.tm_year, 1980u) << name;
        EXPECT_GE(info.tmu_date.tm_mday, 1u) << name;
        EXPECT_LE(info.tmu_date.tm_mon, 11u) << name;
        ++entries;
    }
    unzClose(zip);
    EXPECT_EQ(entries, 9);
}

TEST(XlsxWriter, FailuresAreReportedAndLeaveTheOldFile) {
    dstest::Workspace ws;
    const QString out = ws.path("keep.xlsx");
    dstest::writeBytes(out, "old content");

    // The template is missing.
    QFile::remove(QDir(Resource_Path).filePath("Template.xlsx"));
    EXPECT_FALSE(SpreadsheetWriter::WriteWorkbook(out, {{"a"}}, false));
    EXPECT_EQ(dstest::readBytes(out), "old content");

    // The template is not a zip.
    dstest::writeBytes(QDir(Resource_Path).filePath("Template.xlsx"), "garbage");
    EXPECT_FALSE(SpreadsheetWriter::WriteWorkbook(out, {{"a"}}, false));
    EXPECT_EQ(dstest::readBytes(out), "old content");

    // The archive cannot be written completely.
    QFile::remove(QDir(Resource_Path).filePath("Template.xlsx"));
    QFile::copy(QStringLiteral(CARD_SOURCE_DIR "/resources/Template.xlsx"),
                QDir(Resource_Path).filePath("Template.xlsx"));
    SpreadsheetWriter::Rows big;
    for (int i = 0; i < 3000; ++i) {
        big.append({QStringLiteral("value %1 with some text to fill the part").arg(i)});
    }
    {
        dstest::FileSizeLimit limit(20000);
        EXPECT_FALSE(SpreadsheetWriter::WriteWorkbook(out, big, false));
    }
    EXPECT_EQ(dstest::readBytes(out), "old content");

    // The target folder does not exist.
    EXPECT_FALSE(
        SpreadsheetWriter::WriteWorkbook(ws.path("no/such/folder/x.xlsx"), {{"a"}}, false));

    // And with everything in place it works and replaces the old file.
    EXPECT_TRUE(SpreadsheetWriter::WriteWorkbook(out, big, false));
    EXPECT_EQ(dstest::readSheet(out).rows.size(), big.size());
}

TEST(XlsxWriter, EmptyRowsStillMakeAWorkbook) {
    dstest::Workspace ws;
    const QString out = ws.path("empty.xlsx");
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(out, {}, false));
    const auto parts = entriesOf(out);
    pugi::xml_document sheet;
    const QByteArray& bytes = parts.at("xl/worksheets/sheet1.xml");
    ASSERT_TRUE(sheet.load_buffer(bytes.constData(), size_t(bytes.size())));
    EXPECT_STREQ(sheet.child("worksheet").child("dimension").attribute("ref").value(), "A1");
    EXPECT_TRUE(dstest::readSheet(out).rows.isEmpty());
}

TEST(XlsxTemplate, PackageHoldsExactlyTheTextParts) {
    const QString folder = QStringLiteral(CARD_SOURCE_DIR "/resources/xlsx-template");
    const auto entries = entriesOf(QStringLiteral(CARD_SOURCE_DIR "/resources/Template.xlsx"));
    int files = 0;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QByteArray name = QDir(folder).relativeFilePath(file).toUtf8();
        ASSERT_TRUE(entries.count(name)) << name.constData();
        EXPECT_EQ(entries.at(name), dstest::readBytes(file)) << name.constData();
        ++files;
    }
    EXPECT_EQ(size_t(files), entries.size());
    EXPECT_TRUE(entries.count("xl/worksheets/sheet1.xml"));
    EXPECT_TRUE(entries.count("xl/sharedStrings.xml"));
}
