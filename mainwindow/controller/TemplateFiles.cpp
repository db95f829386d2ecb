#include "mainwindow/controller/TemplateFiles.h"

#include "mainwindow/controller/DesignFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <unistd.h>

namespace template_files {

namespace {

StepObserver& observer() {
    static StepObserver instance;
    return instance;
}

void step(const char* name) {
    if (const StepObserver& watch = observer()) {
        watch(QString::fromLatin1(name));
    }
}

void setReason(QString* reason, const QString& text) {
    if (reason) {
        *reason = text;
    }
}

// Moves a whole file an earlier save set aside back to a missing target,
// then removes every other leftover.
void clearLeftovers(const QString& target) {
    const QString kept = target + QStringLiteral(".old");
    if (!QFileInfo::exists(target) && QFileInfo(kept).isFile()) {
        QFile::rename(kept, target);
    }
    for (const QString& path : leftoversOf(target)) {
        QFile::remove(path);
    }
}

// The marker of the temporary files this program's saves write beside a
// target: ".<file name>.cardeditor-save-<six letters or digits>". Nothing
// else beside the target is ever taken for a leftover.
const QString kTemporaryMarker = QStringLiteral(".cardeditor-save-");

QString osReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
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

// A file written in full under a temporary name of our own beside its
// target, then renamed over it in one step. Removed unless committed.
class PendingFile {
public:
    explicit PendingFile(QString target) : m_target(std::move(target)) {}
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;
    ~PendingFile() { cancel(); }

    // Writes and flushes every byte to the disk, so a full disk shows here,
    // before any old file is replaced.
    bool write(const QByteArray& bytes, QString* reason) {
        const QFileInfo info(m_target);
        static const QString letters =
            QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789");
        for (int attempt = 0; attempt < 100; ++attempt) {
            QString suffix;
            for (int i = 0; i < 6; ++i) {
                suffix += letters.at(QRandomGenerator::global()->bounded(int(letters.size())));
            }
            const QString path =
                info.dir().filePath(QLatin1Char('.') + info.fileName() + kTemporaryMarker + suffix);
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
                if (QFileInfo::exists(path)) {
                    continue; // taken: another name
                }
                setReason(reason,
                          QStringLiteral("cannot write %1: %2").arg(m_target, file.errorString()));
                return false;
            }
            m_temporary = path;
            if (info.exists()) {
                file.setPermissions(info.permissions()); // as the file it replaces
            }
            // Written through the descriptor, so the system's own reason
            // (a full disk, a file size limit) is what the user reads.
            const int error = writeAndSync(file.handle(), bytes);
            if (error != 0) {
                setReason(reason,
                          QStringLiteral("cannot write %1: %2").arg(m_target, osReason(error)));
                return false;
            }
            return true;
        }
        setReason(reason, QStringLiteral("cannot write %1: no free temporary name").arg(m_target));
        return false;
    }

    // Renames the written file over the target (atomic on one file system).
    bool commit(QString* reason) {
        if (m_temporary.isEmpty()) {
            setReason(reason, QStringLiteral("cannot write %1").arg(m_target));
            return false;
        }
        if (std::rename(QFile::encodeName(m_temporary).constData(),
                        QFile::encodeName(m_target).constData()) != 0) {
            setReason(reason, QStringLiteral("cannot write %1: %2").arg(m_target, osReason(errno)));
            return false;
        }
        m_temporary.clear();
        return true;
    }

    void cancel() {
        if (!m_temporary.isEmpty()) {
            QFile::remove(m_temporary);
            m_temporary.clear();
        }
    }

private:
    QString m_target;
    QString m_temporary;
};

// The current content of a design file, kept to be put back; none when
// there is none or it cannot be read whole.
std::optional<QByteArray> currentContent(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || file.size() > design_file::maxFileBytes ||
        !file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    return bytes;
}

// Puts a replaced design file back as it was: its old content, or no file
// when there was none.
void putBack(const QString& path, const std::optional<QByteArray>& old, bool hadFile) {
    if (!hadFile) {
        QFile::remove(path);
        return;
    }
    if (old) {
        PendingFile file(path);
        if (file.write(*old, nullptr)) {
            file.commit(nullptr);
        }
    }
}

} // namespace

void setStepObserver(StepObserver watch) {
    observer() = std::move(watch);
}

QStringList leftoversOf(const QString& target) {
    const QFileInfo info(target);
    // What older saves of this program left: "<file>.old", "<file>.new<n>".
    const QString olderPrefix = info.fileName() + QLatin1Char('.');
    static const QRegularExpression older(QStringLiteral("^(?:old|new[0-9]+)$"));
    // The temporary files of its own saves.
    const QString ownPrefix = QLatin1Char('.') + info.fileName() + kTemporaryMarker;
    static const QRegularExpression own(QStringLiteral("^[A-Za-z0-9]{6}$"));
    QStringList found;
    const QDir folder = info.dir();
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if ((name.startsWith(olderPrefix) &&
             older.match(name.mid(olderPrefix.size())).hasMatch()) ||
            (name.startsWith(ownPrefix) && own.match(name.mid(ownPrefix.size())).hasMatch())) {
            found << folder.filePath(name);
        }
    }
    return found;
}

bool Write_Template_Pair(const FileContent& design, const FileContent& preview, QString* reason) {
    clearLeftovers(design.path);
    clearLeftovers(preview.path);

    // Both new files are written in full before either old one is replaced.
    PendingFile designFile(design.path);
    if (!designFile.write(design.bytes, reason)) {
        return false;
    }
    step("design written");
    PendingFile previewFile(preview.path);
    if (!previewFile.write(preview.bytes, reason)) {
        return false;
    }
    step("preview written");

    const bool hadDesign = QFileInfo::exists(design.path);
    const std::optional<QByteArray> oldDesign = currentContent(design.path);
    if (!designFile.commit(reason)) {
        return false;
    }
    step("design replaced");
    if (!previewFile.commit(reason)) {
        putBack(design.path, oldDesign, hadDesign);
        return false;
    }
    step("preview replaced");
    return true;
}

} // namespace template_files
