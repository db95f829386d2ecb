// The zip wrapper: packing, unpacking, what it refuses, the private folder.

#include "DataseriesTestSupport.h"

#include "dataseries/ExcelTempFolder.h"
#include "dataseries/SSZipArchive.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <minizip/zip.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace dstest;

TEST(ZipArchive, PackedFoldersUnpackToTheSameTree) {
    Workspace ws;
    QDir(ws.path("")).mkpath("src/xl/worksheets");
    QDir(ws.path("")).mkpath("src/emptyfolder");
    writeBytes(ws.path("src/top.xml"), "<top/>");
    writeBytes(ws.path("src/xl/worksheets/sheet1.xml"), QByteArray(100000, 'q'));
    const QString zip = ws.path("packed.zip");
    ASSERT_TRUE(SSZipArchive::createZipFileAtPath(
        zip, {ws.path("src/top.xml"), ws.path("src/xl/"), ws.path("src/emptyfolder")}));
    const auto entries = readZip(zip);
    EXPECT_EQ(entries.size(), 3u);
    EXPECT_TRUE(entries.count("emptyfolder/") && entries.count("top.xml"));
    ASSERT_TRUE(SSZipArchive::unzipFileAtPath(zip, ws.path("out")));
    EXPECT_EQ(readBytes(ws.path("out/xl/worksheets/sheet1.xml")), QByteArray(100000, 'q'));
    EXPECT_TRUE(QFileInfo(ws.path("out/emptyfolder")).isDir());
    // Without overwrite an existing file stays.
    writeBytes(ws.path("out/top.xml"), "mine");
    ASSERT_TRUE(SSZipArchive::unzipFileAtPath(zip, ws.path("out"), false, {}, nullptr));
    EXPECT_EQ(readBytes(ws.path("out/top.xml")), "mine");
}

TEST(ZipArchive, RefusedArchivesAnswerTheirReason) {
    Workspace ws;
    struct Case {
        QByteArray name;
        const char* password;
        int code;
    };
    for (const Case& c :
         std::vector<Case>{{"../up.txt", nullptr, SSZipArchive::UnsafeEntryName},
                           {"a/../../up.txt", nullptr, SSZipArchive::UnsafeEntryName},
                           {"..\\up.txt", nullptr, SSZipArchive::UnsafeEntryName},
                           {"/tmp/abs.txt", nullptr, SSZipArchive::UnsafeEntryName},
                           {"secret.txt", "pw", SSZipArchive::Encrypted}}) {
        const QString zip = ws.path("refused.zip");
        QFile::remove(zip);
        ASSERT_TRUE(writeZip(zip, {{"ok.txt", "1"}, {c.name, "2"}}, c.password));
        SSZipArchiveError error;
        EXPECT_FALSE(SSZipArchive::unzipFileAtPath(zip, ws.path("d/in"), true, {}, &error))
            << c.name.data();
        EXPECT_EQ(error.code, c.code) << c.name.data();
        EXPECT_FALSE(QFileInfo::exists(ws.path("d/up.txt")) ||
                     QFileInfo::exists(ws.path("up.txt")));
    }
    SSZipArchiveError error;
    EXPECT_FALSE(
        SSZipArchive::unzipFileAtPath(ws.path("none.zip"), ws.path("d"), true, {}, &error));
    EXPECT_EQ(error.code, SSZipArchive::OpenFailed);

    // A raw entry that claims 2 GiB is refused before anything is written.
    zipFile out = zipOpen64(QFile::encodeName(ws.path("bomb.zip")).constData(), 0);
    zip_fileinfo info{};
    const char emptyDeflate[] = {0x03, 0x00};
    ASSERT_EQ(zipOpenNewFileInZip2_64(out, "big.xml", &info, nullptr, 0, nullptr, 0, nullptr,
                                      Z_DEFLATED, 6, 1, 1),
              ZIP_OK);
    zipWriteInFileInZip(out, emptyDeflate, sizeof emptyDeflate);
    zipCloseFileInZipRaw64(out, ZPOS64_T(2) << 30, 0);
    zipClose(out, nullptr);
    EXPECT_FALSE(
        SSZipArchive::unzipFileAtPath(ws.path("bomb.zip"), ws.path("b"), true, {}, &error));
    EXPECT_EQ(error.code, SSZipArchive::TooLarge);
    EXPECT_FALSE(QFileInfo::exists(ws.path("b/big.xml")));
}

TEST(ZipArchive, APackThatFailsLeavesTheOldArchive) {
    Workspace ws;
    const QString target = ws.path("keep.zip");
    writeBytes(target, "previous");
    writeBytes(ws.path("a.txt"), "a");
    EXPECT_FALSE(SSZipArchive::createZipFileAtPath(target, {ws.path("a.txt"), ws.path("missing")}));
    EXPECT_EQ(readBytes(target), "previous");
    SSZipArchive unopened(ws.path("never.zip"));
    EXPECT_FALSE(unopened.writeFile("a.txt", ws.path("")));
    EXPECT_FALSE(unopened.close());
    EXPECT_FALSE(QFileInfo::exists(ws.path("never.zip")));
    {
        SSZipArchive dropped(target); // never closed: the target is not touched
        ASSERT_TRUE(dropped.open() && dropped.writeFile("a.txt", ws.path("")));
    }
    EXPECT_EQ(readBytes(target), "previous");
}

TEST(ZipArchive, TemporaryFolderIsPrivate) {
    Workspace ws;
    const QString folder = Excel_Temp_Folder_Path();
    const QByteArray parent = QFile::encodeName(QFileInfo(folder).path());
    EXPECT_TRUE(folder.startsWith(ws.path("tmp/")) && folder.endsWith("/ziptmp"));
    struct stat st {};
    ::chmod(parent.constData(), 0777); // opened to others: closed again on use
    EXPECT_EQ(Excel_Temp_Folder_Path(), folder);
    ASSERT_EQ(::stat(parent.constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    QDir().mkpath(folder + "/xl");
    EXPECT_TRUE(Remove_Excel_Temp_Folder());
    EXPECT_FALSE(QFileInfo::exists(folder));
    // A link planted where the process's folder was is not used: the
    // process makes a new folder of its own.
    QDir(QString::fromLocal8Bit(parent)).removeRecursively();
    ASSERT_TRUE(QFile::link(ws.path(""), QString::fromLocal8Bit(parent)));
    const QString again = Excel_Temp_Folder_Path();
    EXPECT_FALSE(again.isEmpty());
    EXPECT_NE(QFileInfo(again).path(), QString::fromLocal8Bit(parent));
    EXPECT_TRUE(QFileInfo(QString::fromLocal8Bit(parent)).isSymLink());
}

TEST(ZipArchive, EachProcessUnpacksIntoItsOwnFolder) {
    Workspace ws;
    const QString mine = Excel_Temp_Folder_Path();
    ASSERT_FALSE(mine.isEmpty());
    QDir().mkpath(mine + "/xl");
    // A second running copy: its folder, and removing it, leave ours alone.
    const testsupport::ChildEnd other = testsupport::runInChild([](int out) {
        const QString path = Excel_Temp_Folder_Path();
        QDir().mkpath(path);
        const bool removed = Remove_Excel_Temp_Folder();
        return removed && testsupport::writeAll(out, QFile::encodeName(path)) ? 0 : 1;
    });
    EXPECT_EQ(other.exitCode, 0);
    const QByteArray theirs = other.output;
    EXPECT_TRUE(theirs.endsWith("/ziptmp"));
    EXPECT_NE(QFile::decodeName(theirs), mine);
    EXPECT_TRUE(QFileInfo::exists(mine + "/xl"));
    EXPECT_TRUE(Remove_Excel_Temp_Folder());
}
