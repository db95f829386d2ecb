#include "dataseries/ExcelTempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kLockName = QStringLiteral("lock");
const QString kWorkFolderName = QStringLiteral("ziptmp");

QByteArray nativePath(const QString& path) {
    return QFile::encodeName(path);
}

QString userFolderPath() {
    return QDir(QDir::tempPath()).filePath(QStringLiteral("cardeditor-%1").arg(::geteuid()));
}

// A real folder (not a link) of this user.
bool isOwnFolder(const QString& path, struct stat& st) {
    return ::lstat(nativePath(path).constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == ::geteuid();
}

// A real folder of this user that only this user may enter.
bool isPrivateFolder(const QString& path) {
    struct stat st {};
    return isOwnFolder(path, st) && (st.st_mode & 0777) == 0700;
}

// The per-user folder, made when missing; empty when its name is taken by
// anything but this user's own private folder, which is then left alone.
QString privateUserFolder() {
    const QString path = userFolderPath();
    const QByteArray native = nativePath(path);
    if (::mkdir(native.constData(), 0700) == 0) {
        // Just made: only the umask may have taken bits away.
        if (::chmod(native.constData(), 0700) != 0) {
            return QString();
        }
    } else if (errno != EEXIST) {
        return QString();
    }
    return isPrivateFolder(path) ? path : QString();
}

// Names of the program's own folders: inside the per-user folder, and
// directly in the temporary directory when the per-user folder was taken.
// The six characters are mkdtemp's.
QRegularExpression processFolderNames() {
    return QRegularExpression(QStringLiteral("^process-[0-9]+-[A-Za-z0-9]{6}$"));
}

QRegularExpression standInFolderNames() {
    return QRegularExpression(QStringLiteral("^cardeditor-%1-[A-Za-z0-9]{6}$").arg(::geteuid()));
}

// Makes the lock file of a new folder and locks it. The file is locked under a
// name of its own before it takes the name "lock", so a sweep never finds the
// lock of a running copy free. Answers the open descriptor, or -1.
int takeLock(const QString& folder) {
    QByteArray pattern = nativePath(QDir(folder).filePath(kLockName + QStringLiteral("-XXXXXX")));
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 ||
        ::rename(pattern.constData(), nativePath(QDir(folder).filePath(kLockName)).constData()) !=
            0) {
        ::close(fd);
        ::unlink(pattern.constData());
        return -1;
    }
    return fd;
}

// Removes a folder of the program's naming when no running copy holds its
// lock. The lock is taken without waiting and kept while the folder goes; a
// folder without a lock file is being made right now and stays.
bool removeIfAbandoned(const QString& folder) {
    if (!isPrivateFolder(folder)) {
        return false;
    }
    const int fd = ::open(nativePath(QDir(folder).filePath(kLockName)).constData(),
                          O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return false;
    }
    struct stat st {};
    const bool free =
        ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    const bool removed = free && QDir(folder).removeRecursively();
    ::close(fd);
    return removed;
}

// This process's folder and the lock it holds on it. The one instance lives
// until the process ends normally and then removes the folder.
class OwnFolder {
public:
    OwnFolder() = default;
    OwnFolder(const OwnFolder&) = delete;
    OwnFolder& operator=(const OwnFolder&) = delete;

    ~OwnFolder() {
        std::lock_guard<std::mutex> guard(m_mutex);
        // The folder goes while the lock is still held; then the lock.
        struct stat st {};
        if (m_owner == ::getpid() && isOwnFolder(m_path, st)) {
            QDir(m_path).removeRecursively();
        }
        forget();
    }

    // The folder, made and locked on first use (and again when it is no
    // longer the one this process made). Empty when none can be made.
    QString path() {
        std::lock_guard<std::mutex> guard(m_mutex);
        if (!intact()) {
            forget();
            make();
        }
        return m_path;
    }

    // The folder as it is now, without making one.
    QString current() {
        std::lock_guard<std::mutex> guard(m_mutex);
        return m_owner == ::getpid() ? m_path : QString();
    }

private:
    // Still this process's folder: made by this process (a forked child makes
    // its own), a real private folder of this user, its lock file the one
    // this process holds.
    bool intact() const {
        if (m_lock < 0 || m_owner != ::getpid()) {
            return false;
        }
        struct stat folder {};
        if (!isOwnFolder(m_path, folder)) {
            return false;
        }
        // Opened to others by hand: closed again.
        if ((folder.st_mode & 0777) != 0700 && ::chmod(nativePath(m_path).constData(), 0700) != 0) {
            return false;
        }
        struct stat held {};
        struct stat named {};
        return ::fstat(m_lock, &held) == 0 &&
               ::lstat(nativePath(QDir(m_path).filePath(kLockName)).constData(), &named) == 0 &&
               held.st_dev == named.st_dev && held.st_ino == named.st_ino;
    }

    void forget() {
        if (m_lock >= 0) {
            ::close(m_lock);
        }
        m_lock = -1;
        m_owner = 0;
        m_path.clear();
    }

    void make() {
        const QString user = privateUserFolder();
        const QString pattern =
            user.isEmpty()
                ? QDir(QDir::tempPath())
                      .filePath(QStringLiteral("cardeditor-%1-XXXXXX").arg(::geteuid()))
                : QDir(user).filePath(QStringLiteral("process-%1-XXXXXX").arg(::getpid()));
        QByteArray native = nativePath(pattern);
        if (!::mkdtemp(native.data())) {
            return;
        }
        const QString folder = QFile::decodeName(native);
        const int lock = takeLock(folder);
        if (lock < 0) {
            QDir(folder).removeRecursively();
            return;
        }
        m_owner = ::getpid();
        m_path = folder;
        m_lock = lock;
    }

    std::mutex m_mutex;
    pid_t m_owner = 0;
    QString m_path;
    int m_lock = -1;
};

OwnFolder& ownFolder() {
    static OwnFolder folder;
    return folder;
}

} // namespace

QString Excel_Temp_Folder_Path() {
    const QString folder = ownFolder().path();
    if (folder.isEmpty()) {
        return QString();
    }
    return QDir(folder).filePath(kWorkFolderName);
}

bool Remove_Excel_Temp_Folder() {
    const QString folder = Excel_Temp_Folder_Path();
    if (folder.isEmpty()) {
        return false;
    }
    const QFileInfo info(folder);
    if (info.isSymLink()) {
        return QFile::remove(folder);
    }
    return !info.exists() || QDir(folder).removeRecursively();
}

int Remove_Ended_Process_Folders() {
    const QString own = ownFolder().current();
    int removed = 0;
    const auto sweep = [&own, &removed](const QString& parent, const QRegularExpression& names) {
        const QFileInfoList entries =
            QDir(parent).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
        for (const QFileInfo& entry : entries) {
            if (names.match(entry.fileName()).hasMatch() && entry.filePath() != own &&
                removeIfAbandoned(entry.filePath())) {
                ++removed;
            }
        }
    };
    // Only a per-user folder that is ours and private is looked into.
    const QString user = userFolderPath();
    if (isPrivateFolder(user)) {
        sweep(user, processFolderNames());
    }
    sweep(QDir::tempPath(), standInFolderNames());
    return removed;
}
