// The process's own folder for workbooks: known as its own by the lock it
// holds, swept at start-up only when no running copy holds it, made apart
// when the per-user folder is not the user's own private one, and removed
// when the process ends normally.

#include "DataseriesTestSupport.h"
#include "common/TestSupport.h"

#include "dataseries/ExcelTempFolder.h"
#include "platform/Hooks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace dstest;

namespace {

const QByteArray kWorkbookPart = "<workbook/>";

// Another running copy of the program, as a forked child: it makes its own
// folder the way the program does, unpacks a part there, tells its folder,
// then waits until told how to end (killed, when it is not told).
class Copy {
public:
    enum class End { Quit, Killed };

    Copy()
        : m_child([](int out, int in) {
              const QString ziptmp = Excel_Temp_Folder_Path();
              QDir().mkpath(ziptmp + "/xl");
              writeBytes(ziptmp + "/xl/workbook.xml", kWorkbookPart);
              if (!testsupport::writeAll(out, QFile::encodeName(QFileInfo(ziptmp).path()))) {
                  return 2;
              }
              ::close(out);
              char end = 0;
              if (::read(in, &end, 1) != 1 || end == 'k') {
                  // Ended from outside: nothing of the program runs.
                  ::raise(SIGKILL);
              }
              hooks::terminate(0); // the program's own way out
              return 3;
          }),
          m_folder(QFile::decodeName(m_child.readOutput())) {}

    QString folder() const { return m_folder; }

    // Ends the copy; it stays a zombie until reaped.
    void end(End how) {
        EXPECT_TRUE(m_child.tell(how == End::Quit ? 'q' : 'k'));
        EXPECT_TRUE(m_child.waitUnreaped());
    }

    testsupport::ChildEnd reap() { return m_child.reap(); }

private:
    testsupport::Child m_child;
    QString m_folder;
};

// Whether some running process holds the lock of a folder.
bool lockHeld(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder + "/lock").constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

mode_t modeOf(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode : 0;
}

QString userFolder(const Workspace& ws) {
    return ws.path(QStringLiteral("tmp/cardeditor-%1").arg(::geteuid()));
}

TEST(TempFolder, StartUpRemovesOnlyTheFoldersNoRunningCopyHolds) {
    Workspace ws;
    const QString mine = QFileInfo(Excel_Temp_Folder_Path()).path();
    ASSERT_TRUE(QDir().mkpath(mine + "/ziptmp/xl"));
    Copy running;
    Copy killed;
    Copy zombie;
    killed.end(Copy::End::Killed);
    killed.reap();
    zombie.end(Copy::End::Killed);
    struct Row {
        const char* name;
        QString folder;
        bool kept;
    };
    const QDir user(userFolder(ws));
    // Of the program's naming, but without a lock file: one being made now.
    ASSERT_TRUE(user.mkpath("process-12-a1B2c3/ziptmp"));
    // Not of the program's naming, though its lock is free.
    ASSERT_TRUE(user.mkpath("other"));
    ASSERT_TRUE(writeBytes(user.filePath("other/lock"), ""));
    for (const char* name : {"process-12-a1B2c3", "other"}) {
        ::chmod(QFile::encodeName(user.filePath(name)).constData(), 0700);
    }
    const Row rows[] = {
        {"this process", mine, true},
        {"a running copy", running.folder(), true},
        {"a killed copy", killed.folder(), false},
        {"a killed copy not yet reaped", zombie.folder(), false},
        {"a folder being made", user.filePath("process-12-a1B2c3"), true},
        {"a folder of another name", user.filePath("other"), true},
    };
    for (const Row& row : rows) {
        ASSERT_TRUE(row.folder.startsWith(user.path() + "/")) << row.name;
        ASSERT_TRUE(QFileInfo::exists(row.folder)) << row.name;
    }
    EXPECT_TRUE(lockHeld(running.folder()));
    EXPECT_FALSE(lockHeld(killed.folder()));

    EXPECT_EQ(Remove_Ended_Process_Folders(), 2);
    for (const Row& row : rows) {
        EXPECT_EQ(QFileInfo::exists(row.folder), row.kept) << row.name;
    }
    EXPECT_EQ(readBytes(running.folder() + "/ziptmp/xl/workbook.xml"), kWorkbookPart);
    EXPECT_TRUE(QFileInfo::exists(mine + "/ziptmp/xl"));

    // Once the running copy is killed too, its folder goes as well.
    running.end(Copy::End::Killed);
    EXPECT_EQ(Remove_Ended_Process_Folders(), 1);
    EXPECT_FALSE(QFileInfo::exists(running.folder()));
    EXPECT_TRUE(QFileInfo::exists(mine));
}

TEST(TempFolder, AnOrdinaryEndRemovesTheFolderAKilledOneLeavesIt) {
    Workspace ws;
    struct Row {
        const char* name;
        Copy::End end;
        bool exitedWithZero;
        bool folderLeft;
    };
    const Row rows[] = {
        {"quit", Copy::End::Quit, true, false},
        {"killed", Copy::End::Killed, false, true},
    };
    for (const Row& row : rows) {
        Copy copy;
        const QString folder = copy.folder();
        ASSERT_TRUE(QFileInfo::exists(folder + "/ziptmp/xl/workbook.xml")) << row.name;
        EXPECT_TRUE(lockHeld(folder)) << row.name;
        copy.end(row.end);
        EXPECT_EQ(copy.reap().exitCode == 0, row.exitedWithZero) << row.name;
        EXPECT_EQ(QFileInfo::exists(folder), row.folderLeft) << row.name;
        if (row.folderLeft) {
            EXPECT_FALSE(lockHeld(folder)) << row.name;
            EXPECT_EQ(Remove_Ended_Process_Folders(), 1) << row.name;
            EXPECT_FALSE(QFileInfo::exists(folder)) << row.name;
        }
    }
}

// Checks that the process works in a private folder of its own directly in
// the temporary folder, that a workbook can be read there, and that the
// taken per-user folder is left as it was.
void expectStandInFolder(const Workspace& ws, const char* name) {
    const QString ziptmp = Excel_Temp_Folder_Path();
    ASSERT_FALSE(ziptmp.isEmpty()) << name;
    const QFileInfo own(QFileInfo(ziptmp).path());
    EXPECT_EQ(own.path(), ws.path("tmp")) << name;
    EXPECT_TRUE(own.fileName().startsWith(QStringLiteral("cardeditor-%1-").arg(::geteuid())))
        << name;
    EXPECT_EQ(own.fileName().size(), QStringLiteral("cardeditor-%1-XXXXXX").arg(::geteuid()).size())
        << name;
    EXPECT_EQ(modeOf(own.filePath()), mode_t(S_IFDIR | 0700)) << name;
    EXPECT_EQ(own.ownerId(), ::geteuid()) << name;
    EXPECT_TRUE(lockHeld(own.filePath())) << name;
    const QString book = makeWorkbook(
        ws,
        {{1, sheetXml("<row><c r=\"A1\"><v>7</v></c><c r=\"B1\"><v>8</v></c></row>", "A1:B1")}});
    EXPECT_EQ(readSheet(book).rows, (QList<QStringList>{{"7", "8"}})) << name;
    EXPECT_EQ(Remove_Ended_Process_Folders(), 0) << name;
    EXPECT_TRUE(own.exists()) << name;
}

TEST(TempFolder, ATakenUserFolderIsLeftAloneForAPrivateOneOfItsOwn) {
    struct Row {
        const char* name;
        // Puts something else where the per-user folder belongs; answers
        // a file that must stay as it is.
        QString (*take)(const Workspace& ws);
    };
    const Row rows[] = {
        {"a link to a folder of ours",
         [](const Workspace& ws) {
             QDir().mkpath(ws.path("elsewhere"));
             writeBytes(ws.path("elsewhere/mine.txt"), "mine");
             QFile::link(ws.path("elsewhere"), userFolder(ws));
             return ws.path("elsewhere/mine.txt");
         }},
        {"a folder of ours open to others",
         [](const Workspace& ws) {
             QDir().mkpath(userFolder(ws));
             ::chmod(QFile::encodeName(userFolder(ws)).constData(), 0755);
             writeBytes(userFolder(ws) + "/mine.txt", "mine");
             return userFolder(ws) + "/mine.txt";
         }},
        {"a plain file",
         [](const Workspace& ws) {
             writeBytes(userFolder(ws), "mine");
             return userFolder(ws);
         }},
    };
    for (const Row& row : rows) {
        Workspace ws;
        const QString kept = row.take(ws);
        const mode_t takenMode = modeOf(userFolder(ws));
        expectStandInFolder(ws, row.name);
        EXPECT_EQ(readBytes(kept), "mine") << row.name;
        EXPECT_EQ(modeOf(userFolder(ws)), takenMode) << row.name;
    }
}

TEST(TempFolder, AUserFolderOfAnotherUserIsLeftAlone) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "making a folder of another user needs root";
    }
    Workspace ws;
    const QByteArray user = QFile::encodeName(userFolder(ws));
    ASSERT_EQ(::mkdir(user.constData(), 0700), 0);
    ASSERT_EQ(::chown(user.constData(), 65534, 65534), 0);
    expectStandInFolder(ws, "a folder of another user");
    struct stat st {};
    ASSERT_EQ(::lstat(user.constData(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(testsupport::namesIn(userFolder(ws)), QStringList());
}

TEST(TempFolder, StandInFoldersOfKilledCopiesAreSweptToo) {
    Workspace ws;
    ASSERT_TRUE(writeBytes(userFolder(ws), "taken"));
    const QString mine = QFileInfo(Excel_Temp_Folder_Path()).path();
    Copy running;
    Copy killed;
    killed.end(Copy::End::Killed);
    killed.reap();
    for (const QString& folder : {mine, running.folder(), killed.folder()}) {
        EXPECT_EQ(QFileInfo(folder).path(), ws.path("tmp")) << folder.toStdString();
    }
    EXPECT_EQ(Remove_Ended_Process_Folders(), 1);
    EXPECT_TRUE(QFileInfo::exists(mine));
    EXPECT_TRUE(QFileInfo::exists(running.folder()));
    EXPECT_FALSE(QFileInfo::exists(killed.folder()));
    EXPECT_EQ(readBytes(userFolder(ws)), "taken");
}

} // namespace
