#include "editor/model/PictureProblemNotice.h"

#include "core/MessageFunctions.h"

#include <QCoreApplication>
#include <QDir>
#include <QSet>
#include <mutex>

namespace PictureProblemNotice {
namespace {

struct Told {
    std::mutex mutex;
    QSet<QString> files;
};

Told& told() {
    static Told instance;
    return instance;
}

// The file and its state in one text.
QString stateText(const QString& path, const std::optional<PictureFileCache::FileKey>& state) {
    if (!state) {
        return QStringLiteral("missing:") + QDir::cleanPath(path);
    }
    return QStringLiteral("%1:%2:%3:%4:%5")
        .arg(state->path)
        .arg(state->bytes)
        .arg(state->modified)
        .arg(state->changed)
        .arg(state->inode);
}

} // namespace

void tellOnce(const QString& path, const std::optional<PictureFileCache::FileKey>& state,
              SKTPictureProblem problem) {
    if (problem == SKTPictureProblem::None) {
        return;
    }
    {
        Told& t = told();
        const std::lock_guard lock(t.mutex);
        const QString key = stateText(path, state);
        if (t.files.contains(key)) {
            return;
        }
        t.files.insert(key);
    }
    const QString text = SKTPictureProblemLine(path, problem);
    QCoreApplication* application = QCoreApplication::instance();
    if (!application) {
        Show_NSLog_Message(text);
        return;
    }
    QMetaObject::invokeMethod(
        application, [text] { Show_MessageBox(text); }, Qt::QueuedConnection);
}

} // namespace PictureProblemNotice
