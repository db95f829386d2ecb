// A workbook export is written whole or not at all: when the disk takes
// only part of the new file, the workbook already there stays as it was and
// nothing is left beside it; a finished export reads back in openpyxl.

#include "DataseriesTestSupport.h"
#include "common/TestSupport.h"

#include "dataseries/SpreadsheetWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>

using namespace dstest;

namespace {

// Exports `rows` to `path` in a child process started as the program starts
// whose files may not grow past `limit` bytes. It exits with 1 when the
// export said it was written, 0 when not; its output is what it logged.
testsupport::ChildEnd exportUnderSizeLimit(const QString& path, const SpreadsheetWriter::Rows& rows,
                                           rlim_t limit) {
    return testsupport::runInChild(
        [&](int) {
            testsupport::fileSizeSignalAsTheProgramStarts();
            const FileSizeLimit small(limit);
            return SpreadsheetWriter::WriteWorkbook(path, rows, false) ? 1 : 0;
        },
        true);
}

// The first sheet's rows as openpyxl reads them, as JSON; empty when it
// could not.
QJsonArray openpyxlRows(const QString& python, const QString& path) {
    const char* script = R"PY(
import sys, json, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
print(json.dumps([list(row) for row in wb.worksheets[0].iter_rows(values_only=True)]))
)PY";
    const auto run = testsupport::runProcess(python, {"-c", script, path});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    return QJsonDocument::fromJson(run.out).array();
}

QJsonArray jsonRows(const SpreadsheetWriter::Rows& rows) {
    QJsonArray result;
    for (const QStringList& row : rows) {
        result.append(QJsonArray::fromStringList(row));
    }
    return result;
}

} // namespace

TEST(WorkbookExport, ACutShortWriteKeepsTheOldWorkbookAndAGoodOneReadsInOpenpyxl) {
    CARD_REQUIRE_PYTHON_MODULE(python, "openpyxl");
    Workspace ws;
    ASSERT_TRUE(QDir().mkpath(ws.path("out")));
    const QString target = ws.path("out/guests.xlsx");
    const SpreadsheetWriter::Rows oldRows = {{"Name", "Table"}, {"Ann", "Rose garden"}};
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(target, oldRows, true));
    const QByteArray oldBytes = readBytes(target);
    const SpreadsheetWriter::Rows newRows = {
        {"Name", "Table", "Note"},
        {"Ann", "Rose garden", "vegetarian"},
        {QStringLiteral("B\u00e9a"), "Lilac", "  arrives late "},
        {QStringLiteral("Chen \u9648"), "Orchid", "line\nbreak"},
        {"Dora", "007", "<&>"},
    };

    // The same export made without a limit elsewhere: a limit between its
    // largest part and the whole archive lets every part be written and cuts
    // the archive short.
    const QString unlimited = ws.path("unlimited.xlsx");
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(unlimited, newRows, false));
    const qint64 archive = QFileInfo(unlimited).size();
    qint64 largestPart = 0;
    for (const auto& entry : readZip(unlimited)) {
        largestPart = std::max(largestPart, qint64(entry.second.size()));
    }
    ASSERT_LT(largestPart + 1024, archive);
    const rlim_t limit = rlim_t((largestPart + archive) / 2);

    const testsupport::ChildEnd cut = exportUnderSizeLimit(target, newRows, limit);
    ASSERT_GE(cut.exitCode, 0) << "signal " << cut.signal << cut.output.toStdString();
    EXPECT_EQ(cut.exitCode, 0) << "the export said it was written";
    // It was the workbook itself that could not be written, and it was said.
    EXPECT_TRUE(
        cut.output.contains(QStringLiteral("Error when writing file %1").arg(target).toUtf8()))
        << cut.output.toStdString();
    EXPECT_EQ(readBytes(target), oldBytes);
    EXPECT_EQ(openpyxlRows(python, target), jsonRows(oldRows));
    EXPECT_EQ(testsupport::namesIn(ws.path("out")), QStringList{"guests.xlsx"});

    // Without the limit the new workbook takes the old one's place whole.
    ASSERT_TRUE(SpreadsheetWriter::WriteWorkbook(target, newRows, false));
    EXPECT_EQ(openpyxlRows(python, target), jsonRows(newRows));
    EXPECT_EQ(readSheet(target).rows, newRows);
    EXPECT_EQ(testsupport::namesIn(ws.path("out")), QStringList{"guests.xlsx"});
}
