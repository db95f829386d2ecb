#include "dataseries/ExcelTempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
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

} // namespace

QString Excel_Temp_Folder_Path() {
    const QString privateFolder =
        QDir(QDir::tempPath()).filePath(QStringLiteral("cardeditor-%1").arg(::geteuid()));
    if (!ensurePrivateFolder(privateFolder)) {
        return QString();
    }
    return QDir(privateFolder).filePath(QStringLiteral("ziptmp"));
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
    if (!info.exists()) {
        return true;
    }
    return QDir(folder).removeRecursively();
}
