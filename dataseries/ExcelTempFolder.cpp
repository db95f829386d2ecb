#include "dataseries/ExcelTempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Creates the folder with mode 0700 or checks that an existing one is a real
// folder of ours, and closes it to others.
bool ensurePrivateFolder(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST) {
        return false;
    }
    struct stat st {};
    if (::lstat(native.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) {
        return false;
    }
    if ((st.st_mode & 0777) != 0700 && ::chmod(native.constData(), 0700) != 0) {
        return false;
    }
    return true;
}

QString userFolderPath() {
    return QDir(QDir::tempPath()).filePath(QStringLiteral("cardeditor-%1").arg(::geteuid()));
}

// The process number of a folder named "process-<digits>", else 0.
pid_t processOfFolder(const QString& name) {
    static const QRegularExpression form(QStringLiteral("^process-([0-9]{1,18})$"));
    const QRegularExpressionMatch match = form.match(name);
    if (!match.hasMatch()) {
        return 0;
    }
    const qlonglong number = match.captured(1).toLongLong();
    const pid_t pid = pid_t(number);
    return number > 0 && qlonglong(pid) == number ? pid : 0;
}

// One folder per process inside the per-user one: two running copies of the
// program each unpack into their own "ziptmp", so neither removes the
// other's workbook while it is being read.
QString processFolderPath() {
    const QString userFolder = userFolderPath();
    if (!ensurePrivateFolder(userFolder)) {
        return QString();
    }
    const QString processFolder =
        QDir(userFolder).filePath(QStringLiteral("process-%1").arg(::getpid()));
    if (!ensurePrivateFolder(processFolder)) {
        return QString();
    }
    return processFolder;
}

} // namespace

QString Excel_Temp_Folder_Path() {
    const QString processFolder = processFolderPath();
    if (processFolder.isEmpty()) {
        return QString();
    }
    return QDir(processFolder).filePath(QStringLiteral("ziptmp"));
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
    if (info.exists() && !QDir(folder).removeRecursively()) {
        return false;
    }
    // The emptied process folder goes too.
    QDir().rmdir(info.path());
    return true;
}

int Remove_Ended_Process_Folders() {
    const QString userFolder = userFolderPath();
    const QFileInfo user(userFolder);
    // Only a folder that is ours and private is looked into.
    if (!user.exists() || !ensurePrivateFolder(userFolder)) {
        return 0;
    }
    int removed = 0;
    const QFileInfoList entries =
        QDir(userFolder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo& entry : entries) {
        const pid_t pid = processOfFolder(entry.fileName());
        if (pid == 0 || pid == ::getpid() || entry.isSymLink()) {
            continue;
        }
        // Only a process that no longer exists: kill answers ESRCH. A
        // process of another user (EPERM) still runs.
        if (::kill(pid, 0) == 0 || errno != ESRCH) {
            continue;
        }
        if (QDir(entry.filePath()).removeRecursively()) {
            ++removed;
        }
    }
    return removed;
}
