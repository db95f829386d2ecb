// The question "save changes first?" in front of Quit, Open and New, asked
// with the real message box: closing it with Escape or with its window's
// close button stops the command and keeps the unsaved design; a save that
// fails on the way out says why, as Save does.

#include "common/MessageBoxes.h"
#include "mainwindow_controller_fixture.h"

#include "dataseries/ImportedTable.h"
#include "mainwindow/controller/WindowEntries.h"

#include <QApplication>
#include <QMessageBox>
#include <QToolButton>

using window_entries::SaveResult;

namespace {

// Ends the next message box once it is up, as the user does (see
// endMessageBox), and records its text.
void whenQuestionShows(const char* ending, QString& seenText) {
    testsupport::whenMessageBoxShows([ending, &seenText](QMessageBox& box) {
        seenText = box.text();
        testsupport::endMessageBox(box, QString::fromLatin1(ending));
    });
}

class SaveQuestionTest : public ControllerFixture {
protected:
    void SetUp() override {
        ControllerFixture::SetUp();
        hooks::setSavePanel([this](const hooks::SavePanelRequest&) {
            ++m_savePanels;
            return hooks::SavePanelAnswer(m_saveAnswer);
        });
        hooks::setOpenPanel([this](const hooks::OpenPanelRequest&) {
            ++m_openPanels;
            return QStringList();
        });
        startWithDesignFiles();
        m_startScript = [this](Invitation_Wizard& wizard) {
            ++m_wizardRuns;
            return openStartDesign(wizard);
        };
        MainWindowFrame* window = m_controller->window();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }

    void TearDown() override {
        hooks::setAlertAnswerer({});
        endDesignFiles();
        window_entries::review.set({});
        ControllerFixture::TearDown();
    }

    // Keys pressed in the main window, as the user types them. The window
    // is active again first, as the window manager makes it once a box in
    // front of it has gone.
    void press(const QKeySequence& keys) {
        MainWindowFrame* window = m_controller->window();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QTest::keySequence(window, keys);
        QCoreApplication::processEvents();
    }

    // The user's change: a rectangle from the tool button.
    void drawRectangle() {
        QTest::mouseClick(control<QToolButton>("Rect_Tool"), Qt::LeftButton);
        ASSERT_EQ(m_document->graphics().size(), 1);
    }

    QString m_saveAnswer;
    int m_savePanels = 0;
    int m_openPanels = 0;
    int m_wizardRuns = 0;
};

TEST_F(SaveQuestionTest, ClosingTheQuestionStopsTheCommandAndKeepsTheDesign) {
    const struct {
        const char* name;
        const char* keys;
        QString question;
        std::function<bool()> wentOn; // once answered No
    } commands[] = {
        {"quit", "Ctrl+Q", QStringLiteral("Do you want to save changes before closing?"),
         [this] { return m_exitCode == std::optional<int>(0); }},
        {"open", "Ctrl+O", QStringLiteral("Do you want to save changes before opening document?"),
         [this] { return m_openPanels == 1; }},
        {"new", "Ctrl+N",
         QStringLiteral("Do you want to save changes before opening new document?"),
         [this] { return m_wizardRuns == 1 && m_document->graphics().empty(); }},
    };
    hooks::setAlertAnswerer(hooks::messageBoxAnswer);
    drawRectangle();
    const auto drawn = m_document->graphics().front();
    for (const auto& command : commands) {
        for (const char* ending : {"Escape", "close button"}) {
            SCOPED_TRACE(std::string(command.name) + ", " + ending);
            QString seen;
            whenQuestionShows(ending, seen);
            press(QKeySequence(QString::fromLatin1(command.keys)));
            EXPECT_EQ(seen.toStdString(), command.question.toStdString());
            EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
            // Nothing went on: no end, no panel, no start window, no save.
            EXPECT_FALSE(m_exitCode.has_value());
            EXPECT_EQ(m_openPanels, 0);
            EXPECT_EQ(m_wizardRuns, 0);
            EXPECT_EQ(m_savePanels, 0);
            EXPECT_TRUE(m_controller->window()->isVisible());
            ASSERT_EQ(m_document->graphics().size(), 1);
            EXPECT_EQ(m_document->graphics().front(), drawn);
            EXPECT_TRUE(Project_File_Name.isEmpty());
        }
    }
    // Answered No, each command goes on without saving.
    for (const auto& command : commands) {
        SCOPED_TRACE(command.name);
        QString seen;
        whenQuestionShows("No", seen);
        press(QKeySequence(QString::fromLatin1(command.keys)));
        EXPECT_TRUE(command.wentOn());
        EXPECT_EQ(m_savePanels, 0);
    }
}

TEST_F(SaveQuestionTest, ASaveThatFailsOnTheWayOutSaysWhyAsSaveDoes) {
    drawRectangle();
    // A folder that is not there: the system's reason is "No such file or
    // directory".
    Project_File_Name = path(QStringLiteral("gone/away/party.dcard"));
    QString saveMessage;
    {
        testsupport::ScriptedAlerts alerts;
        press(QKeySequence(QStringLiteral("Ctrl+S")));
        ASSERT_EQ(alerts.texts().size(), 1);
        saveMessage = alerts.texts().front();
    }
    EXPECT_TRUE(saveMessage.startsWith(QStringLiteral("\nfail\n"))) << saveMessage.toStdString();
    EXPECT_TRUE(saveMessage.contains(QStringLiteral("party.dcard"))) << saveMessage.toStdString();
    {
        testsupport::ScriptedAlerts alerts({1});
        press(QKeySequence(QStringLiteral("Ctrl+Q")));
        EXPECT_EQ(alerts.texts(),
                  (QStringList{QStringLiteral("Do you want to save changes before closing?"),
                               saveMessage}));
    }
    EXPECT_FALSE(m_exitCode.has_value());
    EXPECT_TRUE(m_controller->window()->isVisible());
    EXPECT_EQ(m_document->graphics().size(), 1);
    EXPECT_FALSE(QFileInfo::exists(Project_File_Name));
}

} // namespace
