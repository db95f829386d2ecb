// The unpack budget is checked on the sizes the zip directory declares,
// added up, before any entry is written: a workbook whose parts are each
// well under the budget but together over it leaves nothing behind.

#include "DataseriesTestSupport.h"

#include "dataseries/SSZipArchive.h"
#include "dataseries/SpreadsheetWriter.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <gtest/gtest.h>
#include <minizip/zip.h>

using namespace dstest;

namespace {

constexpr qint64 kMiB = 1024 * 1024;

// A workbook whose worksheets and shared strings are real XML of `partBytes`
// each (deflated, so the file stays a few megabytes).
bool writeLargeWorkbook(const QString& path, qint64 partBytes) {
    zipFile out = zipOpen64(QFile::encodeName(path).constData(), 0);
    if (!out) {
        return false;
    }
    const QByteArray row = "<row><c t=\"s\"><v>0</v></c></row>";
    QByteArray block;
    while (block.size() < kMiB) {
        block += row;
    }
    bool ok = true;
    for (const char* name :
         {"xl/worksheets/sheet1.xml", "xl/worksheets/sheet2.xml", "xl/sharedStrings.xml"}) {
        zip_fileinfo info{};
        ok = ok && zipOpenNewFileInZip64(out, name, &info, nullptr, 0, nullptr, 0, nullptr,
                                         Z_DEFLATED, 1, 1) == ZIP_OK;
        for (qint64 written = 0; ok && written < partBytes; written += block.size()) {
            const qint64 length = std::min<qint64>(block.size(), partBytes - written);
            ok = zipWriteInFileInZip(out, block.constData(), unsigned(length)) == ZIP_OK;
        }
        ok = ok && zipCloseFileInZip(out) == ZIP_OK;
    }
    return zipClose(out, nullptr) == ZIP_OK && ok;
}

QStringList filesUnder(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        files << it.next();
    }
    return files;
}

} // namespace

// The checks after the directory sum (an entry larger than what is left,
// and the running count of bytes read) cannot be reached with minizip as it
// is: it stops reading an entry at the size the directory declares, and
// both passes walk the same directory. They stay as a second line should
// the file change between the passes.
TEST(ZipBudget, PartsEachUnderTheBudgetButTogetherOverItUnpackNothing) {
    Workspace ws;
    const qint64 budget = SpreadsheetWriter::maxWorkbookBytes; // 256 MiB
    const qint64 part = 100 * kMiB;
    ASSERT_LT(part, budget);
    ASSERT_GT(3 * part, budget);
    const QString book = ws.path("parts.xlsx");
    ASSERT_TRUE(writeLargeWorkbook(book, part));
    ASSERT_LT(QFileInfo(book).size(), 16 * kMiB);

    const QString out = ws.path("unpacked");
    QDir().mkpath(out);
    SSZipArchiveError error;
    EXPECT_FALSE(SSZipArchive::unzipFileAtPath(book, out, true, {}, &error, budget));
    EXPECT_EQ(error.code, SSZipArchive::TooLarge);
    const QStringList written = filesUnder(out);
    EXPECT_TRUE(written.isEmpty()) << written.join(QStringLiteral(", ")).toStdString();
}
