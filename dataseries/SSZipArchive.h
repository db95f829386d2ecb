#pragma once
// Thin zip wrapper over minizip: unpacking a whole archive into a folder and
// packing files and folders into a new archive.

#include "dataseries/ZipHandles.h"

#include <QBuffer>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

struct SSZipArchiveError {
    static inline const QString domain = QStringLiteral("SSZipArchiveErrorDomain");
    int code = 0;
    QString description;
};

class SSZipArchive {
public:
    // Limits for archives from outside: the unpacked total and the number of
    // entries.
    static constexpr std::int64_t maxUnpackedBytes = std::int64_t(1) << 30;
    static constexpr int maxEntries = 100000;

    enum ErrorCode {
        OpenFailed = -1,
        FirstFileFailed = -2,
        UnsafeEntryName = -3,
        TooLarge = -4,
        EntryReadFailed = -5,
        ChecksumMismatch = -6,
        WriteFailed = -7,
        Encrypted = -8,
    };

    // Unpacks every entry below `destination`. Entry names that leave the
    // folder, a damaged or oversized archive and an encrypted entry without
    // password fail the unpack; what was written so far stays (callers unpack
    // into a folder of their own and empty it). An archive whose entries
    // declare more than `maxBytes` unpacked fails before anything is
    // written; one that holds more than it declares fails as soon as its
    // unpacked bytes pass `maxBytes`.
    static bool unzipFileAtPath(const QString& path, const QString& destination, bool overwrite,
                                const QString& password, SSZipArchiveError* error,
                                std::int64_t maxBytes = maxUnpackedBytes);
    static bool unzipFileAtPath(const QString& path, const QString& destination);

    // Writes a new archive at `path` holding each given file or folder under
    // its last path component. False when any of them cannot be added; the
    // previous file at `path` then stays as it was.
    static bool createZipFileAtPath(const QString& path, const QStringList& paths);

    explicit SSZipArchive(const QString& path);
    ~SSZipArchive() = default;
    SSZipArchive(const SSZipArchive&) = delete;
    SSZipArchive& operator=(const SSZipArchive&) = delete;

    // Starts the archive. It is built beside the target and renamed over it
    // by close(); dropping the object unclosed leaves the target untouched.
    bool open();
    // Adds base/name under `name`: a file as one deflated entry, a folder
    // with everything below it.
    bool writeFile(const QString& name, const QString& basePath);
    // Finishes the archive; false when it was never opened or the central
    // directory could not be written.
    bool close();

private:
    bool writeFolder(const QString& name, const QString& basePath);
    bool writeRegularFile(const QString& name, const QString& fullPath);

    QString _path;
    QString _filename;
    // The archive is written into a save file (declared first, so the zip
    // handle is released before it) and committed by close().
    std::unique_ptr<QBuffer> _file;
    ZipHandle _zip;
};
