#pragma once
// A file saved whole or not at all: the bytes are written under a temporary
// name of the program's own beside the target (see TemporaryNames.h),
// flushed to the disk, then renamed over the target in one step. Written
// through the descriptor, so a full disk or a file size limit fails here
// with the system's own reason, before any old file is replaced. The
// temporary file is removed unless committed.
//
// It treats the user's files as a careful editor does: a symbolic link (or
// a chain of them) is written through, so the file it names gets the bytes
// and the link stays a link; an existing file the user may not write is
// refused with the system's reason; a replaced file keeps its mode (and its
// owner where the system allows). Before writing, the temporary files that
// stopped saves of the same target left are removed; those of saves still
// in progress are not.

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <optional>
#include <sys/types.h>

class PendingFile {
public:
    // Removes what stopped saves of `target` left (its links followed), as
    // write() does first; for a caller that saves several files and wants
    // the room of all their leftovers before writing the first.
    static void removeLeftovers(const QString& target);

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

    // The file the bytes go to: the target, or the file its links name.
    // Known once write() has been called.
    QString finalPath() const;

private:
    bool fail(QString* reason, int error);
    bool fail(QString* reason, const QString& why);
    bool createTemporary(mode_t mode, QString* reason);

    QString m_target;
    QByteArray m_final;
    QByteArray m_temporary;
    int m_descriptor = -1;
};

// Writes `bytes` as the whole content of `path` through a PendingFile; on a
// failure `reason` (when given) says "cannot write <path>: <why>".
bool Write_File_Whole(const QString& path, const QByteArray& bytes, QString* reason = nullptr,
                      std::optional<QFileDevice::Permissions> permissions = std::nullopt);
