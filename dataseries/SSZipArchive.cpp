#include "dataseries/SSZipArchive.h"

#include "platform/PendingFile.h"

#include "dataseries/ZipDeviceIo.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtDebug>
#include <algorithm>
#include <vector>

namespace {

constexpr qint64 readBlock = 64 * 1024;
constexpr qint64 writeBlock = 16384;

void setError(SSZipArchiveError* error, int code, const QString& description) {
    if (error) {
        error->code = code;
        error->description = description;
    }
}

// An entry name that stays inside the destination: relative, and without a
// ".." component.
bool isSafeEntryName(const QString& name) {
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.contains(QChar(0))) {
        return false;
    }
    const QStringList parts = name.split(QLatin1Char('/'));
    for (const QString& part : parts) {
        if (part == QLatin1String("..")) {
            return false;
        }
    }
    return true;
}

// Zip dates are DOS dates: 1980 to 2107.
tm_zip zipDateOf(const QDateTime& when) {
    QDateTime local = when.isValid() ? when.toLocalTime() : QDateTime::currentDateTime();
    const QDate earliest(1980, 1, 1);
    const QDate latest(2107, 12, 31);
    if (local.date() < earliest) {
        local = QDateTime(earliest, QTime(0, 0));
    } else if (local.date() > latest) {
        local = QDateTime(latest, QTime(23, 59, 58));
    }
    tm_zip date{};
    date.tm_sec = uInt(local.time().second());
    date.tm_min = uInt(local.time().minute());
    date.tm_hour = uInt(local.time().hour());
    date.tm_mday = uInt(local.date().day());
    date.tm_mon = uInt(local.date().month() - 1);
    date.tm_year = uInt(local.date().year());
    return date;
}

} // namespace

bool SSZipArchive::unzipFileAtPath(const QString& path, const QString& destination) {
    return unzipFileAtPath(path, destination, true, QString(), nullptr);
}

bool SSZipArchive::unzipFileAtPath(const QString& path, const QString& destination, bool overwrite,
                                   const QString& password, SSZipArchiveError* error,
                                   std::int64_t maxBytes) {
    maxBytes = std::min(maxBytes, maxUnpackedBytes);
    UnzHandle zip(unzOpen64(QFile::encodeName(path).constData()));
    if (!zip) {
        setError(error, OpenFailed, QStringLiteral("failed to open zip file"));
        return false;
    }
    unz_global_info64 global{};
    if (unzGetGlobalInfo64(zip.get(), &global) != UNZ_OK) {
        setError(error, OpenFailed, QStringLiteral("failed to open zip file"));
        return false;
    }
    if (global.number_entry > ZPOS64_T(maxEntries)) {
        setError(error, TooLarge, QStringLiteral("too many entries in zip file"));
        return false;
    }
    if (unzGoToFirstFile(zip.get()) != UNZ_OK) {
        setError(error, FirstFileFailed, QStringLiteral("failed to open first file in zip file"));
        return false;
    }
    // The sizes the directory declares, added up before anything is written.
    ZPOS64_T declared = 0;
    for (int status = UNZ_OK; status == UNZ_OK; status = unzGoToNextFile(zip.get())) {
        unz_file_info64 info{};
        if (unzGetCurrentFileInfo64(zip.get(), &info, nullptr, 0, nullptr, 0, nullptr, 0) !=
            UNZ_OK) {
            break; // told by the unpack below
        }
        declared += std::min(info.uncompressed_size, ZPOS64_T(maxBytes) + 1);
        if (declared > ZPOS64_T(maxBytes)) {
            setError(error, TooLarge, QStringLiteral("zip file too large"));
            return false;
        }
    }
    if (unzGoToFirstFile(zip.get()) != UNZ_OK) {
        setError(error, FirstFileFailed, QStringLiteral("failed to open first file in zip file"));
        return false;
    }
    const QByteArray passwordBytes = password.toUtf8();
    const QDir root(destination);
    std::int64_t total = 0;
    std::vector<char> buffer(readBlock);
    int status = UNZ_OK;
    while (status == UNZ_OK) {
        unz_file_info64 info{};
        if (unzGetCurrentFileInfo64(zip.get(), &info, nullptr, 0, nullptr, 0, nullptr, 0) !=
            UNZ_OK) {
            setError(error, EntryReadFailed, QStringLiteral("failed to read zip entry"));
            return false;
        }
        QByteArray rawName(int(info.size_filename), '\0');
        if (unzGetCurrentFileInfo64(zip.get(), &info, rawName.data(), uLong(rawName.size()),
                                    nullptr, 0, nullptr, 0) != UNZ_OK) {
            setError(error, EntryReadFailed, QStringLiteral("failed to read zip entry"));
            return false;
        }
        QString name = QString::fromUtf8(rawName);
        name.replace(QLatin1Char('\\'), QLatin1Char('/'));
        const bool isFolder = name.endsWith(QLatin1Char('/'));
        if (!isSafeEntryName(name)) {
            setError(error, UnsafeEntryName, QStringLiteral("unsafe entry name: %1").arg(name));
            return false;
        }
        const QString target = root.filePath(name);
        const QString folder = isFolder ? target : QFileInfo(target).path();
        if (!QDir().mkpath(folder)) {
            setError(error, WriteFailed, QStringLiteral("cannot create folder %1").arg(folder));
            return false;
        }
        if (!isFolder && (overwrite || !QFileInfo::exists(target))) {
            if (info.uncompressed_size > ZPOS64_T(maxBytes - total)) {
                setError(error, TooLarge, QStringLiteral("zip file too large"));
                return false;
            }
            if ((info.flag & 1) != 0 && passwordBytes.isEmpty()) {
                setError(error, Encrypted, QStringLiteral("encrypted entry: %1").arg(name));
                return false;
            }
            const int opened =
                passwordBytes.isEmpty()
                    ? unzOpenCurrentFile(zip.get())
                    : unzOpenCurrentFilePassword(zip.get(), passwordBytes.constData());
            if (opened != UNZ_OK) {
                setError(error, EntryReadFailed, QStringLiteral("failed to open %1").arg(name));
                return false;
            }
            UnzCurrentEntry entry(zip.get());
            QFile out(target);
            if (QFileInfo(target).isSymLink() || !out.open(QIODevice::WriteOnly)) {
                setError(error, WriteFailed, QStringLiteral("cannot write %1").arg(target));
                return false;
            }
            for (;;) {
                const int got = unzReadCurrentFile(zip.get(), buffer.data(), unsigned(readBlock));
                if (got < 0) {
                    setError(error, EntryReadFailed, QStringLiteral("failed to read %1").arg(name));
                    return false;
                }
                if (got == 0) {
                    break;
                }
                total += got;
                if (total > maxBytes) {
                    setError(error, TooLarge, QStringLiteral("zip file too large"));
                    return false;
                }
                if (out.write(buffer.data(), got) != got) {
                    setError(error, WriteFailed, QStringLiteral("cannot write %1").arg(target));
                    return false;
                }
            }
            if (!out.flush()) {
                setError(error, WriteFailed, QStringLiteral("cannot write %1").arg(target));
                return false;
            }
            const int closed = entry.close();
            if (closed != UNZ_OK) {
                setError(error, closed == UNZ_CRCERROR ? ChecksumMismatch : EntryReadFailed,
                         QStringLiteral("damaged entry: %1").arg(name));
                return false;
            }
        }
        status = unzGoToNextFile(zip.get());
    }
    if (status != UNZ_END_OF_LIST_OF_FILE) {
        setError(error, EntryReadFailed, QStringLiteral("failed to read zip directory"));
        return false;
    }
    return true;
}

bool SSZipArchive::createZipFileAtPath(const QString& path, const QStringList& paths) {
    SSZipArchive archive(path);
    if (!archive.open()) {
        return false;
    }
    for (QString item : paths) {
        while (item.size() > 1 && item.endsWith(QLatin1Char('/'))) {
            item.chop(1);
        }
        const QFileInfo info(item);
        if (!archive.writeFile(info.fileName(), info.path())) {
            return false;
        }
    }
    return archive.close();
}

SSZipArchive::SSZipArchive(const QString& path)
    : _path(path), _filename(QFileInfo(path).fileName()) {}

bool SSZipArchive::open() {
    if (_zip) {
        return true;
    }
    // The archive is made in memory and written whole when it closes, so a
    // full disk never leaves a cut workbook in the old one's place.
    auto file = std::make_unique<QBuffer>();
    file->open(QIODevice::ReadWrite);
    zlib_filefunc64_def functions = zipFunctionsForDevice(file.get());
    ZipHandle zip(zipOpen2_64(file.get(), APPEND_STATUS_CREATE, nullptr, &functions));
    if (!zip) {
        return false;
    }
    _file = std::move(file);
    _zip = std::move(zip);
    return true;
}

bool SSZipArchive::writeFile(const QString& name, const QString& basePath) {
    if (!_zip) {
        qWarning("Attempting to write to an archive which was never opened");
        return false;
    }
    const QString fullPath = QDir(basePath).filePath(name);
    const QFileInfo info(fullPath);
    if (info.isSymLink() || !info.exists()) {
        return false;
    }
    return info.isDir() ? writeFolder(name, basePath) : writeRegularFile(name, fullPath);
}

bool SSZipArchive::writeFolder(const QString& name, const QString& basePath) {
    const QString fullPath = QDir(basePath).filePath(name);
    const QStringList entries = QDir(fullPath).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    if (entries.isEmpty()) {
        const QByteArray entryName = (name + QLatin1Char('/')).toUtf8();
        zip_fileinfo info{};
        info.tmz_date = zipDateOf(QFileInfo(fullPath).lastModified());
        if (zipOpenNewFileInZip64(_zip.get(), entryName.constData(), &info, nullptr, 0, nullptr, 0,
                                  nullptr, 0, 0, 0) != ZIP_OK) {
            return false;
        }
        return zipCloseFileInZip(_zip.get()) == ZIP_OK;
    }
    for (const QString& entry : entries) {
        if (!writeFile(name + QLatin1Char('/') + entry, basePath)) {
            return false;
        }
    }
    return true;
}

bool SSZipArchive::writeRegularFile(const QString& name, const QString& fullPath) {
    QFile in(fullPath);
    if (!in.open(QIODevice::ReadOnly)) {
        return false;
    }
    zip_fileinfo info{};
    info.tmz_date = zipDateOf(QFileInfo(fullPath).lastModified());
    const QByteArray entryName = name.toUtf8();
    const int zip64 = in.size() >= 0xffffffffLL ? 1 : 0;
    if (zipOpenNewFileInZip64(_zip.get(), entryName.constData(), &info, nullptr, 0, nullptr, 0,
                              nullptr, Z_DEFLATED, Z_DEFAULT_COMPRESSION, zip64) != ZIP_OK) {
        return false;
    }
    std::vector<char> buffer(writeBlock);
    bool ok = true;
    for (;;) {
        const qint64 got = in.read(buffer.data(), writeBlock);
        if (got < 0) {
            ok = false;
            break;
        }
        if (got == 0) {
            break;
        }
        if (zipWriteInFileInZip(_zip.get(), buffer.data(), unsigned(got)) != ZIP_OK) {
            ok = false;
            break;
        }
    }
    const bool closed = zipCloseFileInZip(_zip.get()) == ZIP_OK;
    return ok && closed;
}

bool SSZipArchive::close() {
    if (!_zip) {
        qWarning("Attempting to close an archive which was never opened");
        return false;
    }
    const bool closed = zipClose(_zip.release(), nullptr) == ZIP_OK;
    const std::unique_ptr<QBuffer> file = std::move(_file);
    if (!closed) {
        return false;
    }
    QString reason;
    if (!Write_File_Whole(_path, file->data(), &reason)) {
        qWarning().noquote() << reason;
        return false;
    }
    return true;
}
