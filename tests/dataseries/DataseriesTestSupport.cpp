#include "DataseriesTestSupport.h"

#include "dataseries/SpreadsheetWriter.h"
#include "mainwindow/core/globals.h"

#include <QDir>
#include <QFile>
#include <csignal>
#include <minizip/unzip.h>
#include <minizip/zip.h>

namespace dstest {

Workspace::Workspace() : m_hadTmp(qEnvironmentVariableIsSet("TMPDIR")) {
    m_oldTmp = qgetenv("TMPDIR");
    QDir root(m_dir.path());
    root.mkpath(QStringLiteral("resources/DataSet"));
    root.mkpath(QStringLiteral("tmp"));
    Resource_Path = root.filePath(QStringLiteral("resources"));
    Data_Folder_Path = root.filePath(QStringLiteral("resources/DataSet"));
    QFile::copy(QStringLiteral(CARD_SOURCE_DIR "/resources/Template.xlsx"),
                root.filePath(QStringLiteral("resources/Template.xlsx")));
    qputenv("TMPDIR", QFile::encodeName(root.filePath(QStringLiteral("tmp"))));
    spreadsheet.reset();
    Excel_Sheet_Number = 1;
    Excel_Sheet_Columns = 1;
}

Workspace::~Workspace() {
    spreadsheet.reset();
    if (m_hadTmp) {
        qputenv("TMPDIR", m_oldTmp);
    } else {
        qunsetenv("TMPDIR");
    }
    Resource_Path.clear();
    Data_Folder_Path.clear();
}

QString Workspace::path(const QString& relative) const {
    return QDir(root()).filePath(relative);
}

QString Workspace::dataFolder() const {
    return Data_Folder_Path;
}

QString Workspace::seriesPath(const QString& name) const {
    return Data_Folder_Path + QLatin1Char('/') + name + QStringLiteral(".txt");
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
    if (!zip) {
        return false;
    }
    bool ok = true;
    for (const auto& [name, data] : entries) {
        zip_fileinfo info{};
        info.tmz_date.tm_year = 2020;
        info.tmz_date.tm_mday = 1;
        const uLong crc =
            crc32(0, reinterpret_cast<const Bytef*>(data.constData()), uInt(data.size()));
        ok = ok &&
             zipOpenNewFileInZip3_64(zip, name.constData(), &info, nullptr, 0, nullptr, 0, nullptr,
                                     Z_DEFLATED, Z_DEFAULT_COMPRESSION, 0, -MAX_WBITS,
                                     DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, password, crc, 0) == ZIP_OK;
        ok = ok && zipWriteInFileInZip(zip, data.constData(), unsigned(data.size())) == ZIP_OK;
        ok = ok && zipCloseFileInZip(zip) == ZIP_OK;
    }
    return zipClose(zip, nullptr) == ZIP_OK && ok;
}

ZipEntries readZip(const QString& path) {
    ZipEntries entries;
    unzFile zip = unzOpen64(QFile::encodeName(path).constData());
    if (!zip) {
        return entries;
    }
    for (int status = unzGoToFirstFile(zip); status == UNZ_OK; status = unzGoToNextFile(zip)) {
        char name[1024];
        unz_file_info64 info{};
        if (unzGetCurrentFileInfo64(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0) !=
                UNZ_OK ||
            unzOpenCurrentFile(zip) != UNZ_OK) {
            break;
        }
        QByteArray data(qsizetype(info.uncompressed_size), '\0');
        const int got =
            data.isEmpty() ? 0 : unzReadCurrentFile(zip, data.data(), unsigned(data.size()));
        unzCloseCurrentFile(zip);
        if (got < 0) {
            break;
        }
        entries.emplace_back(QByteArray(name), data);
    }
    unzClose(zip);
    return entries;
}

QByteArray sheetXml(const QByteArray& body, const QByteArray& dimension, const QByteArray& ns) {
    QByteArray xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<worksheet xmlns=\"" + ns +
        "\">";
    if (!dimension.isEmpty()) {
        xml += "<dimension ref=\"" + dimension + "\"/>";
    }
    return xml + "<sheetData>" + body + "</sheetData></worksheet>";
}

QByteArray sstXml(const QList<QByteArray>& items) {
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<sst "
                     "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";
    for (const QByteArray& item : items) {
        xml += "<si>" + item + "</si>";
    }
    return xml + "</sst>";
}

QString makeWorkbook(const Workspace& ws, const QString& name,
                     const std::vector<std::pair<int, QByteArray>>& sheets,
                     const QByteArray& sharedStrings) {
    ZipEntries entries;
    entries.emplace_back("xl/workbook.xml",
                         "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/"
                         "main\"/>");
    if (!sharedStrings.isEmpty()) {
        entries.emplace_back("xl/sharedStrings.xml", sharedStrings);
    }
    for (const auto& [number, part] : sheets) {
        entries.emplace_back("xl/worksheets/sheet" + QByteArray::number(number) + ".xml", part);
    }
    const QString path = ws.path(name);
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

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &m_old);
    rlimit limit = m_old;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &m_old);
}

} // namespace dstest
