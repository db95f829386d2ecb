#include "platform/PendingFile.h"

#include "platform/LinkTarget.h"
#include "platform/TemporaryNames.h"

#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString osReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0) {
        return QByteArray(".");
    }
    return slash == 0 ? QByteArray("/") : path.left(slash);
}

QByteArray nameOf(const QByteArray& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

QByteArray randomPart() {
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray part;
    for (int i = 0; i < 6; ++i) {
        part += letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))];
    }
    return part;
}

mode_t modeOf(QFileDevice::Permissions permissions) {
    static const struct {
        QFileDevice::Permission permission;
        mode_t bit;
    } bits[] = {
        {QFileDevice::ReadOwner, S_IRUSR},  {QFileDevice::WriteOwner, S_IWUSR},
        {QFileDevice::ExeOwner, S_IXUSR},   {QFileDevice::ReadGroup, S_IRGRP},
        {QFileDevice::WriteGroup, S_IWGRP}, {QFileDevice::ExeGroup, S_IXGRP},
        {QFileDevice::ReadOther, S_IROTH},  {QFileDevice::WriteOther, S_IWOTH},
        {QFileDevice::ExeOther, S_IXOTH},
    };
    mode_t mode = 0;
    for (const auto& entry : bits) {
        if (permissions.testFlag(entry.permission)) {
            mode |= entry.bit;
        }
    }
    return mode;
}

// Writes every byte and flushes them to the disk; 0 or the error number.
int writeAndSync(int descriptor, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(descriptor, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        data += written;
        left -= written;
    }
    return ::fsync(descriptor) == 0 ? 0 : errno;
}

// Whether `path` still names the file open as `descriptor`.
bool stillNamed(int descriptor, const QByteArray& path) {
    struct stat held {};
    struct stat named {};
    return ::fstat(descriptor, &held) == 0 && ::lstat(path.constData(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

} // namespace

void PendingFile::removeLeftovers(const QString& target) {
    const QByteArray given = QFile::encodeName(target);
    int error = 0;
    const QByteArray named = Final_Link_Target(given, &error);
    if (error == 0) {
        Remove_Temporary_Leftovers_Of(named);
    }
    if (named != given) {
        Remove_Temporary_Leftovers_Of(given); // of saves that wrote beside the link
    }
}

PendingFile::PendingFile(QString target) : m_target(std::move(target)) {}

PendingFile::~PendingFile() {
    cancel();
}

QString PendingFile::finalPath() const {
    return m_final.isEmpty() ? m_target : QFile::decodeName(m_final);
}

bool PendingFile::fail(QString* reason, const QString& why) {
    if (reason) {
        *reason = QStringLiteral("cannot write %1: %2").arg(m_target, why);
    }
    return false;
}

bool PendingFile::fail(QString* reason, int error) {
    return fail(reason, osReason(error));
}

bool PendingFile::write(const QByteArray& bytes, QString* reason,
                        std::optional<QFileDevice::Permissions> permissions) {
    cancel();
    const QByteArray given = QFile::encodeName(m_target);
    int error = 0;
    m_final = Final_Link_Target(given, &error);
    if (error != 0) {
        return fail(reason, error);
    }
    removeLeftovers(m_target);

    struct stat old {};
    const bool replacing = ::stat(m_final.constData(), &old) == 0;
    if (replacing && ::faccessat(AT_FDCWD, m_final.constData(), W_OK, AT_EACCESS) != 0) {
        return fail(reason, errno); // the user may not write it: refused, not replaced
    }
    // A file that gets a mode of its own is made private until it has it.
    const bool ownMode = permissions.has_value() || replacing;
    if (!createTemporary(ownMode ? S_IRUSR | S_IWUSR : 0666, reason)) {
        return false;
    }
    if (replacing && !permissions) {
        // Keeps the old file's owner and group where the system allows it
        // (always for root); otherwise the saver's, as for any new file.
        [[maybe_unused]] const int owned = ::fchown(m_descriptor, old.st_uid, old.st_gid);
    }
    if (ownMode &&
        ::fchmod(m_descriptor, permissions ? modeOf(*permissions) : old.st_mode & 0777) != 0) {
        error = errno;
        cancel();
        return fail(reason, error);
    }
    error = writeAndSync(m_descriptor, bytes);
    if (error != 0) {
        cancel();
        return fail(reason, error);
    }
    return true;
}

bool PendingFile::createTemporary(mode_t mode, QString* reason) {
    const QByteArray folder = folderOf(m_final);
    const QByteArray prefix = Temporary_Name_Prefix(nameOf(m_final), Folder_Name_Limit(folder));
    const QByteArray start = folder.endsWith('/') ? folder + prefix : folder + '/' + prefix;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray path = start + randomPart();
        const int descriptor =
            ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (descriptor < 0) {
            if (errno == EEXIST || errno == EINTR) {
                continue; // taken: another name
            }
            return fail(reason, errno);
        }
        // Held until the rename or the removal: a save of the same target
        // meanwhile sees the file is in use and leaves it. Where the file
        // system has no such locks, no one removes it.
        while (::flock(descriptor, LOCK_EX) != 0 && errno == EINTR) {
        }
        if (!stillNamed(descriptor, path)) {
            ::close(descriptor); // cleared as a leftover before it was locked
            continue;
        }
        m_temporary = path;
        m_descriptor = descriptor;
        return true;
    }
    return fail(reason, QStringLiteral("no free temporary name"));
}

bool PendingFile::commit(QString* reason) {
    if (m_descriptor < 0) {
        if (reason) {
            *reason = QStringLiteral("cannot write %1").arg(m_target);
        }
        return false;
    }
    if (std::rename(m_temporary.constData(), m_final.constData()) != 0) {
        return fail(reason, errno);
    }
    ::close(m_descriptor);
    m_descriptor = -1;
    m_temporary.clear();
    return true;
}

void PendingFile::cancel() {
    if (m_descriptor >= 0) {
        ::unlink(m_temporary.constData());
        ::close(m_descriptor);
        m_descriptor = -1;
        m_temporary.clear();
    }
}

bool Write_File_Whole(const QString& path, const QByteArray& bytes, QString* reason,
                      std::optional<QFileDevice::Permissions> permissions) {
    PendingFile file(path);
    return file.write(bytes, reason, permissions) && file.commit(reason);
}
