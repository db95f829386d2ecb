#include "core/FileFunctions.h"
#include "core/globals.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Points the resource folder into a temporary folder for one test.
class ResourceFolder : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp.isValid());
        savedResource = Resource_Path;
        savedData = Data_Folder_Path;
        Resource_Path = temp.filePath(QStringLiteral("resources"));
        Data_Folder_Path = QDir(Resource_Path).filePath(QStringLiteral("DataSet"));
    }
    void TearDown() override {
        Resource_Path = savedResource;
        Data_Folder_Path = savedData;
    }
    static mode_t permissions(const QString& path) {
        struct stat info {};
        if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
            return 0;
        }
        return info.st_mode & 07777;
    }
    QString writeFile(const QString& relative) {
        const QString path = temp.filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
        return path;
    }

    QTemporaryDir temp;
    QString savedResource;
    QString savedData;
};

const QStringList kFolders = {
    QStringLiteral("DataSet"),          QStringLiteral("Background"),
    QStringLiteral("Fill_Style_Image"), QStringLiteral("LibraryImage"),
    QStringLiteral("Templates"),        QStringLiteral("Templates/User"),
};

TEST_F(ResourceFolder, CreatesEveryWritableFolderUnderTheUmask) {
    for (const mode_t mask : {mode_t(022), mode_t(077)}) {
        const mode_t previous = ::umask(mask);
        Check_Path_And_Create_Files();
        ::umask(previous);
        for (const QString& folder : kFolders) {
            const QString path = QDir(Resource_Path).filePath(folder);
            EXPECT_TRUE(QFileInfo(path).isDir()) << folder.toStdString();
            // Never forced world-writable: the umask decides.
            EXPECT_EQ(permissions(path), 0777 & ~mask) << folder.toStdString();
        }
        ASSERT_TRUE(QDir(Resource_Path).removeRecursively());
    }
}

TEST_F(ResourceFolder, KeepsExistingFoldersAndTheirContent) {
    const QString kept = writeFile(QStringLiteral("resources/Templates/User/mine.dcard"));
    ::chmod(QFile::encodeName(QFileInfo(kept).path()).constData(), 0700);
    Check_Path_And_Create_Files();
    EXPECT_TRUE(QFileInfo::exists(kept));
    EXPECT_EQ(permissions(QFileInfo(kept).path()), mode_t(0700));
    EXPECT_TRUE(QFileInfo(Data_Folder_Path).isDir());
}

TEST_F(ResourceFolder, FailuresAreNotReported) {
    // A file where a folder belongs: nothing is created there, nothing thrown.
    writeFile(QStringLiteral("resources/Background"));
    EXPECT_NO_THROW(Check_Path_And_Create_Files());
    EXPECT_TRUE(QFileInfo(QDir(Resource_Path).filePath(QStringLiteral("Background"))).isFile());
    EXPECT_TRUE(QFileInfo(QDir(Resource_Path).filePath(QStringLiteral("LibraryImage"))).isDir());
}

TEST_F(ResourceFolder, DeletesFilesFoldersAndLinks) {
    const QString file = writeFile(QStringLiteral("a/one.txt"));
    const QString folder = QFileInfo(writeFile(QStringLiteral("b/inner/two.txt"))).path();
    const QString outside = writeFile(QStringLiteral("target/keep.txt"));
    const QString link = temp.filePath(QStringLiteral("link"));
    ASSERT_TRUE(QFile::link(QFileInfo(outside).path(), link));
    const QString dangling = temp.filePath(QStringLiteral("dangling"));
    ASSERT_TRUE(QFile::link(temp.filePath(QStringLiteral("nowhere")), dangling));

    Delete_File(file);
    Delete_File(temp.filePath(QStringLiteral("b")));
    Delete_File(link);
    Delete_File(dangling);
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_FALSE(QFileInfo(dangling).isSymLink());
    // Removing a link never removes what it points to.
    EXPECT_TRUE(QFileInfo::exists(outside));

    EXPECT_NO_THROW(Delete_File(temp.filePath(QStringLiteral("missing"))));
    EXPECT_NO_THROW(Delete_File(QString()));
}

TEST_F(ResourceFolder, LeavesItemsWhoseFolderIsReadOnly) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "running as root: folder permissions are not enforced";
    }
    const QString file = writeFile(QStringLiteral("locked/one.txt"));
    const QString folder = QFileInfo(file).path();
    ::chmod(QFile::encodeName(folder).constData(), 0500);
    Delete_File(file);
    ::chmod(QFile::encodeName(folder).constData(), 0700);
    EXPECT_TRUE(QFileInfo::exists(file));
}

} // namespace
