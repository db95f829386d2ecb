// Saves through the File menu: a template save touches only its own files
// (a user's copies beside them stay), a save that fails says why, and saves
// treat the files they meet (links, files of others, long names, leftovers
// of stopped saves) as a careful editor does.

#include "common/ChildProcess.h"
#include "design_file_test_support.h"
#include "mainwindow_controller_fixture.h"

#include "mainwindow/controller/DesignFile.h"
#include "mainwindow/controller/Export_Template.h"
#include "mainwindow/controller/WindowEntries.h"
#include "platform/PendingFile.h"

#include <QFile>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <grp.h>
#include <map>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uid_t kNobody = 65534;
constexpr gid_t kNoGroup = 65534;

using designtest::readAll;
using designtest::writeBytes;
using testsupport::ChildEnd;
using testsupport::namesIn;

// Files of the user's beside a template's design, named like it.
const QStringList kUsersFiles = {"Party.dcard.old", "Party.dcard.new1", "Party.png.old",
                                 "Party.dcard.backup"};

void link(const QString& text, const QString& at) {
    ASSERT_EQ(::symlink(QFile::encodeName(text).constData(), QFile::encodeName(at).constData()), 0);
}

// What a link says, as written.
QString linkText(const QString& path) {
    char text[4096];
    const ssize_t length = ::readlink(QFile::encodeName(path).constData(), text, sizeof text);
    return length < 0 ? QString() : QFile::decodeName(QByteArray(text, int(length)));
}

unsigned modeOf(const QString& path) {
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 07777 : 0;
}

// Makes a file or folder the other user's, when the tests may (as root).
void giveToSaver(const QString& path) {
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(QFile::encodeName(path).constData(), kNobody, kNoGroup), 0);
    }
}

// A save of `target` stopped between its write and its rename: the writer
// runs in a child process that is killed there, as a crash or a kill
// would stop the program.
void killedSave(const QString& target) {
    const QStringList before = namesIn(QFileInfo(target).path());
    const ChildEnd end = testsupport::runInChild([&](int) {
        PendingFile file(target);
        if (file.write("cut short", nullptr)) {
            ::kill(::getpid(), SIGKILL);
        }
        return 1;
    });
    ASSERT_EQ(end.signal, SIGKILL) << "the stopped save could not write";
    // It left its temporary file behind.
    ASSERT_EQ(namesIn(QFileInfo(target).path()).size(), before.size() + 1);
}

// Runs `body` in a child process of this one, window and all; the texts it
// answers come back as the output.
ChildEnd inChild(const std::function<QStringList()>& body) {
    return testsupport::runInChild([&](int out) {
        return testsupport::writeAll(out, body().join(QChar(0x1f)).toUtf8()) ? 0 : 2;
    });
}

QStringList textsOf(const ChildEnd& end) {
    return end.output.isEmpty() ? QStringList() : QString::fromUtf8(end.output).split(QChar(0x1f));
}

// Types `text` into a field as a user does: keys for ASCII, and for other
// characters the text an input method commits (as a CJK one does).
void typeText(QWidget* field, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClicks(field, QString(c));
        } else {
            QInputMethodEvent typed;
            typed.setCommitString(QString(c));
            QCoreApplication::sendEvent(field, &typed);
        }
    }
}

// The message a save ended with; before it, at most the question whether
// to replace a template of that name.
QString outcomeOf(const QStringList& texts) {
    EXPECT_FALSE(texts.isEmpty());
    EXPECT_LE(texts.size(), 2) << texts.join('|').toStdString();
    if (texts.size() == 2) {
        EXPECT_TRUE(texts.first().contains(QStringLiteral("already exists")))
            << texts.first().toStdString();
    }
    return texts.value(texts.size() - 1);
}

// The message of a save that failed: "fail", then the system's reason.
void expectRefused(const QString& outcome, const QString& reason) {
    EXPECT_TRUE(outcome.startsWith(QStringLiteral("\nfail\n"))) << outcome.toStdString();
    EXPECT_TRUE(outcome.endsWith(QStringLiteral(": ") + reason)) << outcome.toStdString();
}

QString reasonOf(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Where a row saves: the folder of the saved file, the file, and another
// folder for the files links point to.
struct Place {
    QString folder;
    QString target;
    QString elsewhereFolder;

    QString beside(const QString& name) const { return QDir(folder).filePath(name); }
    QString elsewhere(const QString& name) const { return QDir(elsewhereFolder).filePath(name); }
};

class SaveReasonTest : public ControllerFixture {
protected:
    void SetUp() override {
        ControllerFixture::SetUp();
        hooks::setSavePanel([this](const hooks::SavePanelRequest&) { return m_saveAnswer; });
        startWithDesignFiles();
        // The name dialog as the user answers it: the name typed, OK clicked.
        hooks::setModalRunner([this](QDialog& dialog) {
            auto* names = qobject_cast<Export_Template*>(&dialog);
            EXPECT_NE(names, nullptr);
            if (!names) {
                return 0;
            }
            dialog.show();
            typeText(names->template_name(), m_templateName);
            dialog.findChild<QPushButton*>(QStringLiteral("OK_btn"))->click();
            return dialog.result();
        });
    }

    void TearDown() override {
        endDesignFiles();
        ControllerFixture::TearDown();
    }

    // Chooses a command of the File menu with the mouse; answers the alerts
    // it showed, each question with `answer` (0 No, 1 Yes).
    QStringList fileCommand(const char* action, int answer = 0) {
        testsupport::ScriptedAlerts alerts({}, answer);
        clickMenuItem(openMenu("menuFile"), action);
        return alerts.texts();
    }

    // A fresh place to save to: a folder of its own for File > Save As,
    // the emptied template folder for Save as Template. Every folder on
    // the way may be passed by other users; the saved file's folder
    // belongs to the other user when `forOtherUser`.
    Place makePlace(bool asTemplate, const QString& stem, int number, bool forOtherUser) {
        const QDir temp(m_temp.path());
        Place at;
        if (asTemplate) {
            at.folder = templateFolder();
            QDir(at.folder).removeRecursively();
        } else {
            at.folder = temp.filePath(QStringLiteral("designs-%1").arg(number));
        }
        EXPECT_TRUE(QDir().mkpath(at.folder));
        for (QString folder = at.folder; folder.startsWith(m_temp.path() + QLatin1Char('/'));
             folder = QFileInfo(folder).path()) {
            ::chmod(QFile::encodeName(folder).constData(), 0755);
        }
        at.elsewhereFolder = temp.filePath(QStringLiteral("elsewhere-%1").arg(number));
        EXPECT_TRUE(QDir().mkpath(at.elsewhereFolder));
        at.target = at.beside(stem + QStringLiteral(".dcard"));
        if (forOtherUser) {
            giveToSaver(at.folder);
        }
        return at;
    }

    // Saves the design to `at`: as a template of that name typed in the
    // name dialog (Yes to replacing one), or through File > Save As.
    QStringList save(bool asTemplate, const Place& at) {
        if (asTemplate) {
            m_templateName = QFileInfo(at.target).completeBaseName();
            return fileCommand("Save_Template_action", 1);
        }
        m_saveAnswer = at.target;
        return fileCommand("SaveAs_action", 1);
    }

    // The same, run as the user nobody (this process is a child of the
    // tests' own, which runs as root).
    QStringList saveAsOtherUser(bool asTemplate, const Place& at) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNoGroup) != 0 || ::setuid(kNobody) != 0) {
            return {QStringLiteral("could not become the user nobody")};
        }
        return save(asTemplate, at);
    }

    QString templateFolder() const { return Export_Template::userTemplateFolder(); }

    QString m_saveAnswer;
    QString m_templateName = QStringLiteral("Party");
};

// Files whose names only begin like the template's are the user's: a save
// of "Party" keeps them, and clears only what a stopped save of its own left.
TEST_F(SaveReasonTest, ATemplateSaveKeepsTheUsersFilesBesideIt) {
    ASSERT_TRUE(QDir().mkpath(templateFolder()));
    const std::map<QString, QByteArray> kept = {
        {QStringLiteral("Party.dcard.backup"), "my copy"},
        {QStringLiteral("Party.png.backup1"), "my picture"},
        {QStringLiteral("Party.dcard.Ab12Cd"), "mine too"},
    };
    for (const auto& [name, bytes] : kept) {
        writeBytes(QDir(templateFolder()).filePath(name), bytes);
    }
    const QString ownLeftover =
        QDir(templateFolder()).filePath(QStringLiteral(".Party.dcard.cardeditor-save-Xy12Z9"));
    writeBytes(ownLeftover, "stopped save");

    EXPECT_EQ(fileCommand("Save_Template_action").value(0),
              QStringLiteral("\nTemplate exported successfully."));
    EXPECT_TRUE(QFileInfo::exists(QDir(templateFolder()).filePath(QStringLiteral("Party.dcard"))));
    for (const auto& [name, bytes] : kept) {
        EXPECT_EQ(readAll(QDir(templateFolder()).filePath(name)), bytes) << name.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(ownLeftover));
    // Nothing else of the save stays behind.
    EXPECT_EQ(QDir(templateFolder()).entryList(QDir::Files | QDir::Hidden).size(),
              int(kept.size()) + 2);
}

// A save whose folder is in truth a file fails for any user, root too: the
// message gives the system's reason after "fail".
TEST_F(SaveReasonTest, AFailedSaveSaysWhy) {
    const QString notAFolder = path(QStringLiteral("plain-file"));
    writeBytes(notAFolder, "a file, not a folder");
    m_saveAnswer = QDir(notAFolder).filePath(QStringLiteral("Party.dcard"));
    const struct {
        const char* action;
        std::function<void()> prepare;
    } rows[] = {
        {"Save_action", [] {}},
        {"Save_Template_action",
         [this] {
             // The template folder's place taken by a file.
             QDir(templateFolder()).removeRecursively();
             writeBytes(templateFolder(), "a file, not a folder");
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.action);
        row.prepare();
        const QStringList texts = fileCommand(row.action);
        ASSERT_EQ(texts.size(), 1) << texts.join('|').toStdString();
        expectRefused(texts.first(), reasonOf(ENOTDIR));
    }
}

// A save past the file-size limit (`ulimit -f`; a full disk fails alike) is
// refused with the system's reason and leaves the saved files whole; the
// program goes on. Each save runs in a child started as the program starts.
TEST_F(SaveReasonTest, ASaveCutShortByTheSystemKeepsTheOldDesign) {
    const QString folder = path(QStringLiteral("designs"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString design = QDir(folder).filePath(QStringLiteral("Party.dcard"));
    m_saveAnswer = design;
    ASSERT_FALSE(fileCommand("Save_action").join('|').contains(QStringLiteral("fail")));
    ASSERT_FALSE(fileCommand("Save_Template_action").join('|').contains(QStringLiteral("fail")));
    const QString templateDesign = QDir(templateFolder()).filePath(QStringLiteral("Party.dcard"));
    const struct {
        const char* action;
        QString folder;
        QStringList files;
    } rows[] = {
        {"Save_action", folder, {QStringLiteral("Party.dcard")}},
        {"Save_Template_action",
         templateFolder(),
         {QStringLiteral("Party.dcard"), QStringLiteral("Party.png")}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.action);
        std::map<QString, QByteArray> before;
        for (const QString& name : row.files) {
            before[name] = readAll(QDir(row.folder).filePath(name));
            ASSERT_GT(before[name].size(), 64) << name.toStdString();
        }
        const ChildEnd run = inChild([&] {
            testsupport::fileSizeSignalAsTheProgramStarts();
            const testsupport::FileSizeLimit small(64);
            return fileCommand(row.action, 1);
        });
        ASSERT_EQ(run.exitCode, 0) << "the save ended the process, signal " << run.signal;
        expectRefused(outcomeOf(textsOf(run)), reasonOf(EFBIG));
        for (const auto& [name, bytes] : before) {
            EXPECT_EQ(readAll(QDir(row.folder).filePath(name)), bytes) << name.toStdString();
        }
        EXPECT_EQ(namesIn(row.folder), row.files);
    }
    EXPECT_TRUE(QFileInfo::exists(templateDesign));
}

// How a save treats the files of the user it meets, through File > Save
// As and through Save as Template alike: a link is written through and
// stays a link; a file the saver may not write is refused with the
// system's reason and stays as it was; a replaced file keeps its mode
// (and its owner, where the saver may keep it); a name as long as the
// folder allows is saved; and only the leftovers of stopped saves of
// that very file are cleared, never a save still in progress nor any of
// the user's files, however they are named.
TEST_F(SaveReasonTest, SavesTreatTheFilesTheyMeetAsACarefulEditorDoes) {
    const bool root = ::geteuid() == 0;
    ASSERT_EQ(::chmod(QFile::encodeName(m_temp.path()).constData(), 0755), 0);
    const QString denied = reasonOf(EACCES);
    const QString longStem = QString(77, QChar(0x540D)); // 231 bytes of UTF-8
    // Kept alive from a row's preparation to its check.
    std::unique_ptr<PendingFile> inProgress;
    const auto isDesign = [](const QString& path) {
        return design_file::Read_Design_File(path).has_value();
    };
    const auto relative = [](const QString& from, const QString& to) {
        return QDir(from).relativeFilePath(to);
    };
    const QString party = QStringLiteral("Party");
    const QString real = QStringLiteral("Real.dcard");
    // clang-format off
    const struct {
        const char* name;
        QString stem;
        bool asOtherUser;
        bool needsRoot;
        std::function<void(const Place&)> prepare;
        QString refusal;        // empty: saved
        QStringList alsoBeside; // names beside the target after the save
        std::function<void(const Place&)> check;
    } rows[] = {
        {"a link, written through", party, false, false,
         [&](const Place& at) {
             writeBytes(at.elsewhere(real), "old");
             link(relative(at.folder, at.elsewhere(real)), at.target);
         }, {}, {},
         [&](const Place& at) {
             EXPECT_EQ(linkText(at.target), relative(at.folder, at.elsewhere(real)));
             EXPECT_TRUE(isDesign(at.elsewhere(real)));
             EXPECT_EQ(namesIn(at.elsewhereFolder), QStringList{real});
         }},
        {"a chain of links, written through", party, false, false,
         [&](const Place& at) {
             writeBytes(at.elsewhere(real), "old");
             link(at.elsewhere(real), at.beside("Middle.dcard"));
             link(QStringLiteral("Middle.dcard"), at.target);
         }, {}, {QStringLiteral("Middle.dcard")},
         [&](const Place& at) {
             EXPECT_EQ(linkText(at.target), QStringLiteral("Middle.dcard"));
             EXPECT_EQ(linkText(at.beside("Middle.dcard")), at.elsewhere(real));
             EXPECT_TRUE(isDesign(at.elsewhere(real)));
             EXPECT_EQ(namesIn(at.elsewhereFolder), QStringList{real});
         }},
        {"a link to a file not made yet", party, false, false,
         [&](const Place& at) { link(relative(at.folder, at.elsewhere(real)), at.target); }, {}, {},
         [&](const Place& at) {
             EXPECT_EQ(linkText(at.target), relative(at.folder, at.elsewhere(real)));
             EXPECT_TRUE(isDesign(at.elsewhere(real)));
         }},
        {"a link that leads back to itself", party, false, false,
         [&](const Place& at) { link(QStringLiteral("Party.dcard"), at.target); },
         reasonOf(ELOOP), {},
         [&](const Place& at) { EXPECT_EQ(linkText(at.target), QStringLiteral("Party.dcard")); }},
        {"the saver's own file made read-only", party, true, false,
         [&](const Place& at) {
             writeBytes(at.target, "old");
             giveToSaver(at.target);
             ::chmod(QFile::encodeName(at.target).constData(), 0444);
         }, denied, {},
         [&](const Place& at) {
             EXPECT_EQ(readAll(at.target), "old");
             EXPECT_EQ(modeOf(at.target), 0444u);
         }},
        {"a file of another user", party, true, true,
         [&](const Place& at) { writeBytes(at.target, "old"); }, denied, {},
         [&](const Place& at) {
             EXPECT_EQ(readAll(at.target), "old");
             EXPECT_EQ(QFileInfo(at.target).ownerId(), ::geteuid());
         }},
        {"another user's file replaced by root", party, false, true,
         [&](const Place& at) {
             writeBytes(at.target, "old");
             ::chmod(QFile::encodeName(at.target).constData(), 0640);
             giveToSaver(at.target);
         }, {}, {},
         [&](const Place& at) {
             EXPECT_TRUE(isDesign(at.target));
             EXPECT_EQ(modeOf(at.target), 0640u);
             EXPECT_EQ(QFileInfo(at.target).ownerId(), kNobody);
         }},
        {"a name as long as a folder allows", longStem, false, false,
         [&](const Place& at) {
             writeBytes(at.target, "old");
             killedSave(at.target);
         }, {}, {},
         [&](const Place& at) { EXPECT_TRUE(isDesign(at.target)); }},
        {"leftovers of stopped saves beside the user's files", party, false, false,
         [&](const Place& at) {
             writeBytes(at.target, "old");
             killedSave(at.target);
             writeBytes(at.beside(".Party.dcard.cardeditor-save-Ab12Cd"), "stopped");
             for (const QString& name : kUsersFiles) {
                 writeBytes(at.beside(name), name.toUtf8());
             }
             inProgress = std::make_unique<PendingFile>(at.target);
             ASSERT_TRUE(inProgress->write("in progress", nullptr));
         }, {}, kUsersFiles,
         [&](const Place& at) {
             for (const QString& name : kUsersFiles) {
                 EXPECT_EQ(readAll(at.beside(name)), name.toUtf8());
             }
             // The save in progress was left alone: it still ends well.
             ASSERT_TRUE(inProgress);
             EXPECT_TRUE(inProgress->commit(nullptr));
             inProgress.reset();
             EXPECT_EQ(readAll(at.target), "in progress");
         }},
    };
    // clang-format on
    QStringList skipped;
    int placeNumber = 0;
    for (const auto& row : rows) {
        if (row.needsRoot && !root) {
            skipped << QString::fromLatin1(row.name);
            continue;
        }
        for (const bool asTemplate : {false, true}) {
            SCOPED_TRACE(std::string(row.name) + (asTemplate ? ", Save as Template" : ", Save As"));
            const Place at = makePlace(asTemplate, row.stem, ++placeNumber, row.asOtherUser);
            row.prepare(at);
            QStringList texts;
            if (row.asOtherUser && root) {
                const ChildEnd run = inChild([&] { return saveAsOtherUser(asTemplate, at); });
                ASSERT_EQ(run.exitCode, 0) << "signal " << run.signal;
                texts = textsOf(run);
            } else {
                texts = save(asTemplate, at);
            }
            const QString outcome = outcomeOf(texts);
            if (row.refusal.isEmpty()) {
                EXPECT_TRUE(outcome.contains(QStringLiteral("successfully")))
                    << outcome.toStdString();
            } else {
                expectRefused(outcome, row.refusal);
            }
            row.check(at);
            QStringList expected = row.alsoBeside;
            expected << QFileInfo(at.target).fileName();
            if (asTemplate && row.refusal.isEmpty()) {
                expected << row.stem + QStringLiteral(".png");
            }
            expected.sort();
            EXPECT_EQ(namesIn(at.folder), expected);
        }
    }
    if (!skipped.isEmpty()) {
        GTEST_SKIP() << "rows that need the tests to run as root: "
                     << skipped.join(QStringLiteral(", ")).toStdString();
    }
}

} // namespace
