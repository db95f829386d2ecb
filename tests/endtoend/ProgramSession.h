#pragma once
// The running program for the end-to-end tests: its windows wired the way
// main() wires them, a resource folder copied from the source tree into a
// fresh home (a new user), and every place that would wait for a person
// scripted: alerts and questions, open and save panels, modal runs of
// dialogs (by class, in the order the user meets them) and the printers the
// system lists. Every message, question and dialog is recorded so each step
// can check what the user saw.

#include "../common/TestSupport.h"
#include "mainwindow/controller/MainWindowFrame.h"
#include "mainwindow/controller/SKTWindowController.h"
#include "platform/Hooks.h"
#include "widgets/GuiHooks.h"

#include <QDialog>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>

class ControllerServices;
class SKTDocument;
class SKTGraphicView;

class ProgramSession : public ::testing::Test {
protected:
    ProgramSession();
    ~ProgramSession() override;

    void SetUp() override;
    void TearDown() override;

    // ---- The program ----
    // Starts the program: a new document and its main window controller,
    // whose start wizard meets the next script queued for
    // "Invitation_Wizard".
    void startProgram();
    // Ends the program: the controller and document are gone and the
    // process-wide design state (imported table, binding flags, contact
    // fields, file name) is back to a fresh start's.
    void quitProgram();
    SKTWindowController& controller() const { return *m_controller; }
    SKTDocument& document() const { return *m_document; }
    SKTGraphicView& frontCanvas() const;

    // A control of the main window by object name (failing when missing).
    template <typename T> T* control(const char* name) const {
        T* found = findControl<T>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    template <typename T> T* findControl(const char* name) const;
    // Triggers a menu command of the main window by its action's name.
    void trigger(const char* actionName);

    // ---- Scripts ----
    // The next modal run of a dialog of that class runs `script` as the
    // user; its answer is the run's result. A run nobody expected fails the
    // test and answers 0.
    using DialogScript = std::function<int(QDialog&)>;
    void expectDialog(const QString& className, DialogScript script);
    template <typename T> void expectDialog(std::function<int(T&)> script) {
        expectDialog(QString::fromLatin1(T::staticMetaObject.className()),
                     [script](QDialog& dialog) { return script(static_cast<T&>(dialog)); });
    }
    // Every scripted run has happened.
    void expectAllDialogsRun();
    // Class names of the dialogs run modally since the last call.
    QStringList takeDialogs();

    // The next open or save panel answers these paths (an empty answer is
    // Cancel). A panel nobody expected fails the test.
    void expectOpenPanel(const QStringList& paths);
    void expectSavePanel(const QString& path);
    std::vector<hooks::OpenPanelRequest> openPanels() const { return m_openRequests; }
    std::vector<hooks::SavePanelRequest> savePanels() const { return m_saveRequests; }

    // The next question whose text contains `part` answers `yes`. A
    // question nobody expected fails the test and answers No.
    void expectQuestion(const QString& part, bool yes);
    // Texts of the alerts (messages and questions) since the last call,
    // trimmed of the line breaks the message functions add.
    QStringList takeMessages();

    // The printers the print system lists.
    void setPrinters(const QStringList& printers);

    // ---- Places ----
    QString home() const { return m_home.path(); }
    QString homeFile(const QString& name) const;
    QString resources() const { return m_resources; }

    // ---- The canvas, as the mouse uses it ----
    // Clicks the object's middle, drags it so its frame starts at the
    // target's origin, then drags its bottom-right handle to the target's
    // corner.
    void placeByMouse(const std::shared_ptr<SKTGraphic>& graphic, const QRectF& target);
    void clickCanvas(const QPointF& cardPoint);

    // Processes events until `done` or about 60 s.
    static bool waitFor(const std::function<bool()>& done);

private:
    int runDialog(QDialog& dialog);
    int answerAlert(const AlertRequest& request);

    QTemporaryDir m_home;
    QString m_resources;
    QString m_previousDataFolder;
    std::unique_ptr<SKTDocument> m_document;
    std::unique_ptr<SKTWindowController> m_controller;
    std::unique_ptr<ControllerServices> m_services;

    mutable std::mutex m_mutex;
    std::map<QString, std::deque<DialogScript>> m_dialogScripts;
    QStringList m_dialogsRun;
    std::deque<QStringList> m_openAnswers;
    std::deque<QString> m_saveAnswers;
    std::vector<hooks::OpenPanelRequest> m_openRequests;
    std::vector<hooks::SavePanelRequest> m_saveRequests;
    std::deque<std::pair<QString, bool>> m_questionAnswers;
    QStringList m_messages;
    QStringList m_printers;
    std::optional<int> m_exitCode;
};

template <typename T> T* ProgramSession::findControl(const char* name) const {
    return m_controller ? m_controller->window()->findChild<T*>(QString::fromLatin1(name))
                        : nullptr;
}

// Readable values in failure messages (texts: see TestSupport.h).
inline void PrintTo(const QRectF& rect, std::ostream* out) {
    *out << '(' << rect.x() << ", " << rect.y() << ", " << rect.width() << " x " << rect.height()
         << ')';
}
