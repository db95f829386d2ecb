#pragma once
// Helpers of the data series tests: a private workspace, zip fixtures made
// with minizip directly, and a file size limit that makes writes fail.

#include "common/ChildProcess.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <map>
#include <vector>

namespace dstest {

using ZipEntries = std::vector<std::pair<QByteArray, QByteArray>>;

// Own data folder (Data_Folder_Path), resource folder (Resource_Path, with
// the project's Template.xlsx) and temporary folder (TMPDIR); the shared
// spreadsheet instance is dropped so it takes the new temporary folder.
class Workspace {
public:
    Workspace();
    ~Workspace();
    QString path(const QString& relative) const { return m_dir.filePath(relative); }
    QString seriesPath(const QString& name) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_oldTmp;
};

QByteArray readBytes(const QString& path);
bool writeBytes(const QString& path, const QByteArray& bytes);

// A zip file made with minizip; a password encrypts every entry.
bool writeZip(const QString& path, const ZipEntries& entries, const char* password = nullptr);
std::map<QByteArray, QByteArray> readZip(const QString& path);

QByteArray
sheetXml(const QByteArray& body, const QByteArray& dimension = {},
         const QByteArray& ns = "http://schemas.openxmlformats.org/spreadsheetml/2006/main");
QByteArray sstXml(const QList<QByteArray>& items);
// A workbook file with the given worksheets (number, part) and shared strings.
QString makeWorkbook(const Workspace& ws, const std::vector<std::pair<int, QByteArray>>& sheets,
                     const QByteArray& sharedStrings = {});

// Sheet `number` read the way the import dialogs do: unpack, first row, all.
struct SheetRead {
    QList<QStringList> firstRow;
    QList<QStringList> rows;
    int columns = 0;
};
SheetRead readSheet(const QString& path, int number = 1);

using testsupport::FileSizeLimit;

} // namespace dstest
