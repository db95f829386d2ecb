// The zip wrapper: packing and unpacking, and what it refuses.

#include "DataseriesTestSupport.h"

#include "dataseries/ExcelTempFolder.h"
#include "dataseries/SSZipArchive.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <minizip/zip.h>
#include <sys/stat.h>

TEST(ZipArchive, PackedFoldersUnpackToTheSameTree) {
    dstest::Workspace ws;
    QDir root(ws.root());
    root.mkpath("src/xl/worksheets");
    root.mkpath("src/emptyfolder");
    dstest::writeBytes(ws.path("src/top.xml"), "<top/>");
    dstest::writeBytes(ws.path("src/xl/worksheets/sheet1.xml"), QByteArray(100000, 'q'));
    dstest::writeBytes(ws.path("src/xl/empty.bin"), "");
    const QString zip = ws.path("packed.zip");
    ASSERT_TRUE(SSZipArchive::createZipFileAtPath(
        zip, {ws.path("src/top.xml"), ws.path("src/xl/"), ws.path("src/emptyfolder")}));

    QStringList names;
    for (const auto& entry : dstest::readZip(zip)) {
        names << QString::fromUtf8(entry.first);
    }
    names.sort();
    EXPECT_EQ(names,
              QStringList({"emptyfolder/", "top.xml", "xl/empty.bin", "xl/worksheets/sheet1.xml"}));

    SSZipArchiveError error;
    ASSERT_TRUE(SSZipArchive::unzipFileAtPath(zip, ws.path("out"), true, QString(), &error))
        << error.description.toStdString();
    EXPECT_EQ(dstest::readBytes(ws.path("out/top.xml")), "<top/>");
    EXPECT_EQ(dstest::readBytes(ws.path("out/xl/worksheets/sheet1.xml")), QByteArray(100000, 'q'));
    EXPECT_TRUE(QFileInfo(ws.path("out/xl/empty.bin")).isFile());
    EXPECT_TRUE(QFileInfo(ws.path("out/emptyfolder")).isDir());
}

TEST(ZipArchive, OverwriteFlagDecidesAboutExistingFiles) {
    dstest::Workspace ws;
    const QString zip = ws.path("a.zip");
    ASSERT_TRUE(dstest::writeZip(zip, {{"f.txt", "new"}}));
    QDir().mkpath(ws.path("dest"));
    dstest::writeBytes(ws.path("dest/f.txt"), "old");
    EXPECT_TRUE(SSZipArchive::unzipFileAtPath(zip, ws.path("dest"), false, QString(), nullptr));
    EXPECT_EQ(dstest::readBytes(ws.path("dest/f.txt")), "old");
    EXPECT_TRUE(SSZipArchive::unzipFileAtPath(zip, ws.path("dest")));
    EXPECT_EQ(dstest::readBytes(ws.path("dest/f.txt")), "new");
}

TEST(ZipArchive, RefusedArchivesAnswerTheirReason) {
    dstest::Workspace ws;
    struct Case {
        const char* label;
        dstest::ZipEntries entries;
        const char* password;
        int code;
    };
    const std::vector<Case> cases = {
        {"parent folder",
         {{"ok.txt", "1"}, {"../up.txt", "2"}},
         nullptr,
         SSZipArchive::UnsafeEntryName},
        {"inner parent", {{"a/../../up.txt", "2"}}, nullptr, SSZipArchive::UnsafeEntryName},
        {"backslashes", {{"..\\up.txt", "2"}}, nullptr, SSZipArchive::UnsafeEntryName},
        {"absolute", {{"/tmp/abs.txt", "2"}}, nullptr, SSZipArchive::UnsafeEntryName},
        {"encrypted", {{"secret.txt", "2"}}, "pw", SSZipArchive::Encrypted},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const QString zip = ws.path("refused.zip");
        QFile::remove(zip);
        ASSERT_TRUE(dstest::writeZip(zip, c.entries, c.password));
        SSZipArchiveError error;
        EXPECT_FALSE(
            SSZipArchive::unzipFileAtPath(zip, ws.path("dest/inner"), true, QString(), &error));
        EXPECT_EQ(error.code, c.code);
        EXPECT_FALSE(QFileInfo::exists(ws.path("dest/up.txt")));
        EXPECT_FALSE(QFileInfo::exists(ws.path("up.txt")));
    }
    SSZipArchiveError error;
    EXPECT_FALSE(
        SSZipArchive::unzipFileAtPath(ws.path("none.zip"), ws.path("d"), true, {}, &error));
    EXPECT_EQ(error.code, SSZipArchive::OpenFailed);
    EXPECT_EQ(error.description, "failed to open zip file");
}

TEST(ZipArchive, DeclaredSizePastTheLimitIsRefusedBeforeWriting) {
    dstest::Workspace ws;
    // A raw entry claiming 2 GiB of content.
    const QString zip = ws.path("bomb.zip");
    zipFile out = zipOpen64(QFile::encodeName(zip).constData(), APPEND_STATUS_CREATE);
    ASSERT_NE(out, nullptr);
    zip_fileinfo info{};
    info.tmz_date.tm_year = 2020;
    info.tmz_date.tm_mday = 1;
    ASSERT_EQ(zipOpenNewFileInZip2_64(out, "big.xml", &info, nullptr, 0, nullptr, 0, nullptr,
                                      Z_DEFLATED, Z_DEFAULT_COMPRESSION, 1, 1),
              ZIP_OK);
    const char stored[] = {0x03, 0x00}; // an empty final deflate block
    ASSERT_EQ(zipWriteInFileInZip(out, stored, sizeof stored), ZIP_OK);
    ASSERT_EQ(zipCloseFileInZipRaw64(out, ZPOS64_T(2) << 30, 0), ZIP_OK);
    ASSERT_EQ(zipClose(out, nullptr), ZIP_OK);
    SSZipArchiveError error;
    EXPECT_FALSE(SSZipArchive::unzipFileAtPath(zip, ws.path("dest"), true, {}, &error));
    EXPECT_EQ(error.code, SSZipArchive::TooLarge);
    EXPECT_FALSE(QFileInfo::exists(ws.path("dest/big.xml")));
}

TEST(ZipArchive, APackThatFailsLeavesTheOldArchive) {
    dstest::Workspace ws;
    const QString target = ws.path("keep.zip");
    dstest::writeBytes(target, "previous");
    dstest::writeBytes(ws.path("a.txt"), "a");
    EXPECT_FALSE(SSZipArchive::createZipFileAtPath(target, {ws.path("a.txt"), ws.path("missing")}));
    EXPECT_EQ(dstest::readBytes(target), "previous");

    // The writer object refuses use before open and after close.
    SSZipArchive unopened(ws.path("never.zip"));
    EXPECT_FALSE(unopened.writeFile("a.txt", ws.root()));
    EXPECT_FALSE(unopened.close());
    EXPECT_FALSE(QFileInfo::exists(ws.path("never.zip")));

    // Dropped unclosed: the target is not touched.
    {
        SSZipArchive dropped(target);
        ASSERT_TRUE(dropped.open());
        ASSERT_TRUE(dropped.writeFile("a.txt", ws.root()));
    }
    EXPECT_EQ(dstest::readBytes(target), "previous");
}

TEST(ZipArchive, TemporaryFolderIsPrivate) {
    dstest::Workspace ws;
    const QString folder = Excel_Temp_Folder_Path();
    ASSERT_FALSE(folder.isEmpty());
    EXPECT_TRUE(folder.endsWith("/ziptmp"));
    EXPECT_TRUE(folder.startsWith(ws.path("tmp")));
    const QString parent = QFileInfo(folder).path();
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(parent).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    // An existing folder opened to others is closed again.
    ::chmod(QFile::encodeName(parent).constData(), 0777);
    EXPECT_EQ(Excel_Temp_Folder_Path(), folder);
    ASSERT_EQ(::stat(QFile::encodeName(parent).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    QDir().mkpath(folder + "/xl");
    EXPECT_TRUE(Remove_Excel_Temp_Folder());
    EXPECT_FALSE(QFileInfo::exists(folder));

    // A link planted where the private folder belongs is not used.
    QDir(parent).removeRecursively();
    QDir().mkpath(ws.path("elsewhere"));
    ASSERT_TRUE(QFile::link(ws.path("elsewhere"), parent));
    EXPECT_TRUE(Excel_Temp_Folder_Path().isEmpty());
}
