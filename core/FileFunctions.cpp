#include "core/FileFunctions.h"

#include "core/MessageFunctions.h"
#include "core/globals.h"

#include <QDir>
#include <QFile>
#include <exception>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

fs::path toPath(const QString& path) {
    return fs::path(QFile::encodeName(path).toStdString());
}

// Creates the folder and its parents. std::filesystem creates them with
// permissions "all" masked by the process umask, never forced wider.
void createFolder(const QString& folder) {
    if (folder.isEmpty()) {
        return;
    }
    std::error_code error;
    fs::create_directories(toPath(folder), error);
}

} // namespace

void Check_Path_And_Create_Files() {
    try {
        const QDir resources(Resource_Path);
        createFolder(Data_Folder_Path);
        if (Resource_Path.isEmpty()) {
            return;
        }
        createFolder(resources.filePath(QStringLiteral("Background")));
        createFolder(resources.filePath(QStringLiteral("Fill_Style_Image")));
        createFolder(resources.filePath(QStringLiteral("LibraryImage")));
        createFolder(resources.filePath(QStringLiteral("Templates")));
        createFolder(resources.filePath(QStringLiteral("Templates/User")));
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
}

void Delete_File(const QString& path) {
    try {
        if (path.isEmpty()) {
            return;
        }
        const fs::path target = toPath(path);
        std::error_code error;
        // Deletable: the item exists (a dangling link counts) and its folder
        // may be written to.
        if (!fs::exists(fs::symlink_status(target, error))) {
            return;
        }
        fs::path parent = target.parent_path();
        if (parent.empty()) {
            parent = fs::path(".");
        }
        if (::access(parent.c_str(), W_OK) != 0) {
            return;
        }
        fs::remove_all(target, error);
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
}
