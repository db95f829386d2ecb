#pragma once
// Helpers of the data series tests: a private workspace (data folder,
// resource folder, temporary folder), zip fixtures made with minizip
// directly, and a file size limit that makes writes fail.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <sys/resource.h>
#include <utility>
#include <vector>

namespace dstest {

using ZipEntries = std::vector<std::pair<QByteArray, QByteArray>>;

// Sets Data_Folder_Path (created), Resource_Path (with the project's
// Template.xlsx) and the temporary folder to folders of its own, and drops
// the shared spreadsheet instance so it takes the new temporary folder.
class Workspace {
public:
    Workspace();
    ~Workspace();
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    QString root() const { return m_dir.path(); }
    QString path(const QString& relative) const;
    QString dataFolder() const;
    QString seriesPath(const QString& name) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_oldTmp;
    bool m_hadTmp;
};

QByteArray readBytes(const QString& path);
bool writeBytes(const QString& path, const QByteArray& bytes);

// A zip file written with minizip, entries in the given order. A non-empty
// password encrypts every entry.
bool writeZip(const QString& path, const ZipEntries& entries, const char* password = nullptr);

// Entry names and contents of a zip file, read with minizip.
ZipEntries readZip(const QString& path);

// A worksheet part: optional dimension reference and the sheetData body.
QByteArray
sheetXml(const QByteArray& body, const QByteArray& dimension = {},
         const QByteArray& ns = "http://schemas.openxmlformats.org/spreadsheetml/2006/main");
// A shared strings part from the inner XML of its si elements.
QByteArray sstXml(const QList<QByteArray>& items);

// Writes a workbook with the given worksheets (sheet number, part) and
// shared strings (empty: no shared strings part).
QString makeWorkbook(const Workspace& ws, const QString& name,
                     const std::vector<std::pair<int, QByteArray>>& sheets,
                     const QByteArray& sharedStrings = {});

// The rows of sheet `number` of a workbook file, read the way the import
// dialogs do: unpack, first row (fixes the column count), all rows.
struct SheetRead {
    QList<QStringList> firstRow;
    QList<QStringList> rows;
    int columns = 0;
};
SheetRead readSheet(const QString& path, int number = 1);

// Limits the size of files this process may write; writes past it fail.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
};

} // namespace dstest
