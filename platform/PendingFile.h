#pragma once
// A file saved whole or not at all: the bytes are written under a temporary
// name of the program's own beside the target (".<file name>.cardeditor-
// save-<six letters or digits>"), flushed to the disk, then renamed over the
// target in one step. Written through the descriptor, so a full disk or a
// file size limit fails here with the system's own reason, before any old
// file is replaced. The temporary file is removed unless committed.

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <optional>

class PendingFile {
public:
    // The marker in the names of the temporary files this class writes.
    static QString temporaryMarker();

    explicit PendingFile(QString target);
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;
    ~PendingFile();

    // Writes and flushes every byte. A new file takes `permissions` when
    // given; a file that replaces another takes the old one's, unless
    // `permissions` is given.
    bool write(const QByteArray& bytes, QString* reason,
               std::optional<QFileDevice::Permissions> permissions = std::nullopt);
    // Renames the written file over the target (atomic on one file system).
    bool commit(QString* reason);
    void cancel();

private:
    QString m_target;
    QString m_temporary;
};

// Writes `bytes` as the whole content of `path` through a PendingFile; on a
// failure `reason` (when given) says "cannot write <path>: <why>".
bool Write_File_Whole(const QString& path, const QByteArray& bytes, QString* reason = nullptr,
                      std::optional<QFileDevice::Permissions> permissions = std::nullopt);
