#include "mainwindow/controller/TemplateFiles.h"

#include "mainwindow/controller/DesignFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <optional>

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

// Writes the bytes into the safe writer's temporary file and flushes them,
// so a full disk shows here, before any old file is replaced.
bool writeAll(QSaveFile& file, const QByteArray& bytes, QString* reason) {
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush()) {
        return true;
    }
    setReason(reason,
              QStringLiteral("cannot write %1: %2").arg(file.fileName(), file.errorString()));
    file.cancelWriting();
    return false;
}

bool commit(QSaveFile& file, QString* reason) {
    if (file.commit()) {
        return true;
    }
    setReason(reason,
              QStringLiteral("cannot write %1: %2").arg(file.fileName(), file.errorString()));
    return false;
}

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
        QSaveFile file(path);
        if (writeAll(file, *old, nullptr)) {
            file.commit();
        }
    }
}

} // namespace

void setStepObserver(StepObserver watch) {
    observer() = std::move(watch);
}

QStringList leftoversOf(const QString& target) {
    const QFileInfo info(target);
    const QString prefix = info.fileName() + QLatin1Char('.');
    static const QRegularExpression pattern(QStringLiteral("^(?:old|new[0-9]+|[A-Za-z0-9]{6})$"));
    QStringList found;
    const QDir folder = info.dir();
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (name.startsWith(prefix) && pattern.match(name.mid(prefix.size())).hasMatch()) {
            found << folder.filePath(name);
        }
    }
    return found;
}

bool Write_Template_Pair(const FileContent& design, const FileContent& preview, QString* reason) {
    clearLeftovers(design.path);
    clearLeftovers(preview.path);

    // Both new files are written in full before either old one is replaced.
    QSaveFile designFile(design.path);
    if (!writeAll(designFile, design.bytes, reason)) {
        return false;
    }
    step("design written");
    QSaveFile previewFile(preview.path);
    if (!writeAll(previewFile, preview.bytes, reason)) {
        designFile.cancelWriting();
        return false;
    }
    step("preview written");

    const bool hadDesign = QFileInfo::exists(design.path);
    const std::optional<QByteArray> oldDesign = currentContent(design.path);
    if (!commit(designFile, reason)) {
        previewFile.cancelWriting();
        return false;
    }
    step("design replaced");
    if (!commit(previewFile, reason)) {
        putBack(design.path, oldDesign, hadDesign);
        return false;
    }
    step("preview replaced");
    return true;
}

} // namespace template_files
