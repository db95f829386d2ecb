#include "mainwindow/controller/TemplateFiles.h"

#include "mainwindow/controller/DesignFile.h"
#include "platform/PendingFile.h"

#include <QFile>
#include <QFileInfo>
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
// when there was none. `path` is the file the save wrote, the one a link
// of the user's names when the template's name is a link.
void putBack(const QString& path, const std::optional<QByteArray>& old, bool hadFile) {
    if (!hadFile) {
        QFile::remove(path); // the file the save made, never a link to it
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

bool Write_Template_Pair(const FileContent& design, const FileContent& preview, QString* reason) {
    // What stopped saves left of either file goes first: its room is free
    // for the new files.
    PendingFile::removeLeftovers(design.path);
    PendingFile::removeLeftovers(preview.path);
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
        putBack(designFile.finalPath(), oldDesign, hadDesign);
        return false;
    }
    step("preview replaced");
    return true;
}

} // namespace template_files
