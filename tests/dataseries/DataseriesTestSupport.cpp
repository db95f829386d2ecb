#include "DataseriesTestSupport.h"

#include "core/globals.h"
#include "dataseries/SpreadsheetWriter.h"

#include <QDir>
#include <QFile>
#include <minizip/unzip.h>
#include <minizip/zip.h>

namespace dstest {

Workspace::Workspace() : m_oldTmp(qgetenv("TMPDIR")) {
    QDir(m_dir.path()).mkpath("resources/DataSet");
    QDir(m_dir.path()).mkpath("tmp");
    Resource_Path = path("resources");
    Data_Folder_Path = path("resources/DataSet");
    QFile::copy(CARD_SOURCE_DIR "/resources/Template.xlsx", path("resources/Template.xlsx"));
    qputenv("TMPDIR", QFile::encodeName(path("tmp")));
    spreadsheet.reset();
    Excel_Sheet_Number = Excel_Sheet_Columns = 1;
}

Workspace::~Workspace() {
    spreadsheet.reset();
    qputenv("TMPDIR", m_oldTmp);
}

QString Workspace::seriesPath(const QString& name) const {
    return Data_Folder_Path + "/" + name + ".txt";
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool writeZip(const QString& path, const ZipEntries& entries, const char* password) {
    zipFile zip = zipOpen64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
    bool ok = zip != nullptr;
    for (const auto& [name, data] : entries) {
        zip_fileinfo info{};
        info.tmz_date.tm_year = 2020;
        info.tmz_date.tm_mday = 1;
        const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(data.data()), uInt(data.size()));
        ok = ok &&
             zipOpenNewFileInZip3_64(zip, name, &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                                     6, 0, -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, password,
                                     crc, 0) == ZIP_OK &&
             zipWriteInFileInZip(zip, data.data(), unsigned(data.size())) == ZIP_OK &&
             zipCloseFileInZip(zip) == ZIP_OK;
    }
    return zip && zipClose(zip, nullptr) == ZIP_OK && ok;
}

std::map<QByteArray, QByteArray> readZip(const QString& path) {
    std::map<QByteArray, QByteArray> entries;
    unzFile zip = unzOpen64(QFile::encodeName(path).constData());
    for (int s = zip ? unzGoToFirstFile(zip) : UNZ_END_OF_LIST_OF_FILE; s == UNZ_OK;
         s = unzGoToNextFile(zip)) {
        char name[1024];
        unz_file_info64 info{};
        unzGetCurrentFileInfo64(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0);
        QByteArray data(qsizetype(info.uncompressed_size), '\0');
        if (unzOpenCurrentFile(zip) == UNZ_OK && !data.isEmpty()) {
            unzReadCurrentFile(zip, data.data(), unsigned(data.size()));
        }
        unzCloseCurrentFile(zip);
        entries[name] = data;
    }
    if (zip) {
        unzClose(zip);
    }
    return entries;
}

QByteArray sheetXml(const QByteArray& body, const QByteArray& dimension, const QByteArray& ns) {
    const QByteArray dim = dimension.isEmpty() ? "" : "<dimension ref=\"" + dimension + "\"/>";
    return "<?xml version=\"1.0\"?>\n<worksheet xmlns=\"" + ns + "\">" + dim + "<sheetData>" +
           body + "</sheetData></worksheet>";
}

QByteArray sstXml(const QList<QByteArray>& items) {
    return "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><si>" +
           items.join("</si><si>") + "</si></sst>";
}

QString makeWorkbook(const Workspace& ws, const std::vector<std::pair<int, QByteArray>>& sheets,
                     const QByteArray& sharedStrings) {
    ZipEntries entries = {{"xl/workbook.xml", "<workbook/>"}};
    if (!sharedStrings.isEmpty()) {
        entries.emplace_back("xl/sharedStrings.xml", sharedStrings);
    }
    for (const auto& [number, part] : sheets) {
        entries.emplace_back("xl/worksheets/sheet" + QByteArray::number(number) + ".xml", part);
    }
    static int made = 0;
    const QString path = ws.path(QStringLiteral("book%1.xlsx").arg(++made));
    writeZip(path, entries);
    return path;
}

SheetRead readSheet(const QString& path, int number) {
    SheetRead read;
    SpreadsheetWriter::ReadWorkbook(path, 1);
    Excel_Sheet_Number = number;
    read.firstRow = SpreadsheetWriter::ReadData_only_column();
    read.rows = SpreadsheetWriter::ReadWorkbook(path, 0);
    read.columns = Excel_Sheet_Columns;
    return read;
}

} // namespace dstest
