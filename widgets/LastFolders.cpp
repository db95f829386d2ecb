#include "widgets/LastFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QStandardPaths>

namespace hooks {
namespace {

struct Record {
    QMutex mutex;
    QHash<int, QString> folders;
};

Record& record() {
    static Record instance;
    return instance;
}

} // namespace

QString startFolder(FileKind kind) {
    {
        Record& r = record();
        const QMutexLocker lock(&r.mutex);
        const QString last = r.folders.value(int(kind));
        if (!last.isEmpty() && QFileInfo(last).isDir()) {
            return last;
        }
    }
    if (kind == FileKind::Picture) {
        const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
        if (!pictures.isEmpty() && QFileInfo(pictures).isDir()) {
            return pictures;
        }
    }
    return QDir::homePath();
}

void rememberFolder(FileKind kind, const QString& chosenPath, bool isFolder) {
    if (chosenPath.isEmpty()) {
        return;
    }
    const QFileInfo info(chosenPath);
    const QString folder = isFolder ? info.absoluteFilePath() : info.absolutePath();
    Record& r = record();
    const QMutexLocker lock(&r.mutex);
    r.folders.insert(int(kind), folder);
}

} // namespace hooks
