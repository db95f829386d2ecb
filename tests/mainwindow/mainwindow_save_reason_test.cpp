// Saves through the File menu: a template save touches only its own files
// (a user's copies beside them stay), and a save that fails says why.

#include "mainwindow_controller_fixture.h"

#include "mainwindow/controller/Export_Template.h"
#include "mainwindow/controller/WindowEntries.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <map>
#include <sys/resource.h>

namespace {

class SaveReasonTest : public ControllerFixture {
protected:
    void SetUp() override {
        ControllerFixture::SetUp();
        hooks::setSavePanel([this](const hooks::SavePanelRequest&) { return m_saveAnswer; });
        Project_File_Name.clear();
        start();
        m_controller->Install_Design_File_Entries();
        // The name dialog as the user answers it: the name typed, OK clicked.
        hooks::setModalRunner([this](QDialog& dialog) {
            auto* names = qobject_cast<Export_Template*>(&dialog);
            EXPECT_NE(names, nullptr);
            if (!names) {
                return 0;
            }
            dialog.show();
            QTest::keyClicks(names->template_name(), m_templateName);
            dialog.findChild<QPushButton*>(QStringLiteral("OK_btn"))->click();
            return dialog.result();
        });
    }

    void TearDown() override {
        hooks::setSavePanel({});
        window_entries::saveAsTemplate.set({});
        window_entries::saveDesign.set({});
        ControllerFixture::TearDown();
    }

    // Chooses a command of the File menu with the mouse; answers the alerts
    // it showed.
    QStringList fileCommand(const char* action) {
        testsupport::ScriptedAlerts alerts;
        clickMenuItem(openMenu("menuFile"), action);
        return alerts.texts();
    }

    QString templateFolder() const { return Export_Template::userTemplateFolder(); }

    static void write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

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
        write(QDir(templateFolder()).filePath(name), bytes);
    }
    const QString ownLeftover =
        QDir(templateFolder()).filePath(QStringLiteral(".Party.dcard.cardeditor-save-Xy12Z9"));
    write(ownLeftover, "stopped save");

    EXPECT_EQ(fileCommand("Save_Template_action").value(0),
              QStringLiteral("\nTemplate exported successfully."));
    EXPECT_TRUE(QFileInfo::exists(QDir(templateFolder()).filePath(QStringLiteral("Party.dcard"))));
    for (const auto& [name, bytes] : kept) {
        QFile file(QDir(templateFolder()).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        EXPECT_EQ(file.readAll(), bytes) << name.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(ownLeftover));
    // Nothing else of the save stays behind.
    EXPECT_EQ(QDir(templateFolder()).entryList(QDir::Files | QDir::Hidden).size(),
              int(kept.size()) + 2);
}

// A save whose folder is in truth a file fails for any user, root too: the
// message gives the system's reason after "fail".
TEST_F(SaveReasonTest, AFailedSaveSaysWhy) {
    const QString notAFolder = QDir(m_temp.path()).filePath(QStringLiteral("plain-file"));
    write(notAFolder, "a file, not a folder");
    m_saveAnswer = QDir(notAFolder).filePath(QStringLiteral("Party.dcard"));
    const QString reason = QString::fromLocal8Bit(std::strerror(ENOTDIR));
    const struct {
        const char* action;
        std::function<void()> prepare;
    } rows[] = {
        {"Save_action", [] {}},
        {"Save_Template_action",
         [this] {
             // The template folder's place taken by a file.
             QDir(templateFolder()).removeRecursively();
             write(templateFolder(), "a file, not a folder");
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.action);
        row.prepare();
        const QStringList texts = fileCommand(row.action);
        ASSERT_EQ(texts.size(), 1) << texts.join('|').toStdString();
        EXPECT_TRUE(texts.first().startsWith(QStringLiteral("\nfail\n")))
            << texts.first().toStdString();
        EXPECT_TRUE(texts.first().contains(QStringLiteral(": ") + reason))
            << texts.first().toStdString();
    }
}

// A save that the system cuts short (here a file size limit, as a full disk
// would) fails with the system's reason and leaves the saved design whole:
// nothing partly written ever takes its place.
TEST_F(SaveReasonTest, ASaveCutShortByTheSystemKeepsTheOldDesign) {
    const QString folder = QDir(m_temp.path()).filePath(QStringLiteral("designs"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = QDir(folder).filePath(QStringLiteral("Party.dcard"));
    m_saveAnswer = path;
    const QStringList first = fileCommand("Save_action");
    ASSERT_FALSE(first.join('|').contains(QStringLiteral("fail"))) << first.join('|').toStdString();
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray before = saved.readAll();
    saved.close();
    ASSERT_GT(before.size(), 64);

    // Writes past a few bytes fail with EFBIG instead of raising SIGXFSZ.
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit oldLimit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
    rlimit small = oldLimit;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const QStringList texts = fileCommand("Save_action");
    setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldSignal);

    ASSERT_EQ(texts.size(), 1) << texts.join('|').toStdString();
    EXPECT_TRUE(texts.first().startsWith(QStringLiteral("\nfail\n")))
        << texts.first().toStdString();
    EXPECT_TRUE(texts.first().contains(QString::fromLocal8Bit(std::strerror(EFBIG))))
        << texts.first().toStdString();
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), before);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Party.dcard")});
}

} // namespace
