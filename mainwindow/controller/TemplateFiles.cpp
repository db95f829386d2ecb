#include "mainwindow/controller/TemplateFiles.h"

#include "mainwindow/controller/DesignFile.h"
#include "platform/PendingFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
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
    const QString ownPrefix = QLatin1Char('.') + info.fileName() + PendingFile::temporaryMarker();
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
