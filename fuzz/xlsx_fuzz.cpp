// The xlsx reader as the import windows drive it: the workbook unpacked and
// its shared strings read, its worksheets listed, and each sheet's first row
// and all its rows read. Input that is not a zip archive is also read as the
// sheet and shared-strings parts themselves, so the XML reading is reached
// without a zip around it.

#include "dataseries/SpreadsheetWriter.h"
#include "fuzz/FuzzSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The shared reader, made to work in the process's own scratch folder rather
// than the user's temporary folder.
SpreadsheetWriter& reader() {
    if (!spreadsheet) {
        const QByteArray oldTmp = qgetenv("TMPDIR");
        const QString tmp = QDir(fuzz_support::scratchFolder()).filePath(QStringLiteral("tmp"));
        QDir().mkpath(tmp);
        qputenv("TMPDIR", QFile::encodeName(tmp));
        spreadsheet = std::make_unique<SpreadsheetWriter>();
        qputenv("TMPDIR", oldTmp);
    }
    return *spreadsheet;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

void readSheet(const QString& path, int number) {
    Excel_Sheet_Number = number;
    (void)SpreadsheetWriter::ReadData_only_column();
    (void)SpreadsheetWriter::ReadWorkbook(path, 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_support::startOnce();
    SpreadsheetWriter& self = reader();
    if (self.tmpDir().isEmpty()) {
        return 0;
    }
    const QByteArray bytes = fuzz_support::bytesOf(data, size);
    const QString workbook =
        QDir(fuzz_support::scratchFolder()).filePath(QStringLiteral("input.xlsx"));
    if (!writeFile(workbook, bytes)) {
        return 0;
    }
    (void)SpreadsheetWriter::ReadWorkbook(workbook, 1);
    const QStringList names = SpreadsheetWriter::Worksheet_Names();
    for (qsizetype i = 0; i < names.size() && i < 3; ++i) {
        readSheet(workbook, names.at(i).mid(5).toInt());
    }
    if (!bytes.startsWith("PK")) {
        const QDir parts(self.tmpDir());
        const QString strings = parts.filePath(QStringLiteral("xl/sharedStrings.xml"));
        if (writeFile(strings, bytes) &&
            writeFile(parts.filePath(QStringLiteral("xl/worksheets/sheet1.xml")), bytes)) {
            self.ReadSharedStrings(strings);
            readSheet(workbook, 1);
        }
    }
    return 0;
}
