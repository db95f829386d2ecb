#include "ProgramSession.h"

#include "barcodes/designer/Barcode_Gen.h"
#include "core/BatchState.h"
#include "core/SharedGlobals.h"
#include "core/globals.h"
#include "dataseries/ImportedTable.h"
#include "dataseries/windows/BatchWizard.h"
#include "dataseries/windows/Generate_List.h"
#include "dataseries/windows/Import_Wizard.h"
#include "dataseries/windows/SmallSeriesDialogs.h"
#include "editor/canvas/SKTGraphicView.h"
#include "editor/model/ContactFieldState.h"
#include "editor/model/SKTDocument.h"
#include "mainwindow/app/ProgramWiring.h"
#include "mainwindow/controller/WindowEntries.h"
#include "mainwindow/controller/WizardGlobals.h"
#include "output/Help_Support.h"
#include "output/OutputCommands.h"
#include "output/PrinterList.h"
#include "output/Send_Mail.h"
#include "output/Send_Modeless.h"
#include "profiles/ContactFieldPlacement.h"
#include "profiles/Show_User_Profile.h"
#include "widgets/Long_SMS_Dlg.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QTest>
#include <iostream>

namespace {

// Copies a folder tree (the program's resources) into `to`.
bool copyTree(const QString& from, const QString& to) {
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = QDir(to).filePath(QDir(from).relativeFilePath(path));
        if (it.fileInfo().isDir()) {
            QDir().mkpath(target);
        } else if (!QFile::copy(path, target)) {
            return false;
        }
    }
    return true;
}

// The design state a fresh start of the program has.
void resetProcessDesignState() {
    Imported_Table() = ImportedTable();
    Excel_Binding_Use = 0;
    Excel_Source_Path.clear();
    Fill_User_Profile = 0;
    Use_Data_Sheet_Values = false;
    Use_Excel_Binding_Values = false;
    Total_Batch_Excel_Card = 0;
    Card_Front_Or_Back = 0;
    Card_Value_In_Process = 0;
    Not_Draw_Only_Prop_Change = 0;
    Card_Shape = 0;
    CARD_SIDE_STR = QStringLiteral("2");
    Project_File_Name.clear();
    Library_Selected_Image.clear();
    for (QString* text : {&Invite_Title, &Invite_Message, &Invite_From, &Invite_To, &Invite_Venue,
                          &Invite_Date, &Invite_Time, &Invite_BG_IMG}) {
        text->clear();
    }
    Start_Card_Option = QStringLiteral("T");
}

void sendMouse(QWidget& view, QEvent::Type type, const QPointF& local, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent event(type, local, view.mapToGlobal(local), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &event);
}

} // namespace

ProgramSession::ProgramSession() = default;
ProgramSession::~ProgramSession() = default;

void ProgramSession::SetUp() {
    ASSERT_TRUE(m_home.isValid());
    // CARD_E2E_KEEP keeps the user's home (files written, pictures read)
    // for a look afterwards.
    if (!qEnvironmentVariable("CARD_E2E_KEEP").isEmpty()) {
        m_home.setAutoRemove(false);
        std::cout << "[   HOME   ] " << m_home.path().toStdString() << std::endl;
    }
    m_resources = homeFile(QStringLiteral("resources"));
    ASSERT_TRUE(copyTree(
        QDir(QStringLiteral(CARD_SOURCE_DIR)).filePath(QStringLiteral("resources")), m_resources));
    const QString folder = m_resources;
    hooks::setResourceFolderLocator([folder] { return folder; });
    hooks::setTerminator([this](int code) { m_exitCode = code; });
    hooks::setAlertAnswerer([this](const AlertRequest& request) { return answerAlert(request); });
    hooks::setModalRunner([this](QDialog& dialog) { return runDialog(dialog); });
    hooks::setOpenPanel([this](const hooks::OpenPanelRequest& request) {
        std::lock_guard lock(m_mutex);
        m_openRequests.push_back(request);
        if (m_openAnswers.empty()) {
            ADD_FAILURE() << "an open panel nobody expected: " << request.title.toStdString();
            return QStringList();
        }
        const QStringList answer = m_openAnswers.front();
        m_openAnswers.pop_front();
        return answer;
    });
    hooks::setSavePanel([this](const hooks::SavePanelRequest& request) {
        std::lock_guard lock(m_mutex);
        m_saveRequests.push_back(request);
        if (m_saveAnswers.empty()) {
            ADD_FAILURE() << "a save panel nobody expected: " << request.title.toStdString();
            return QString();
        }
        const QString answer = m_saveAnswers.front();
        m_saveAnswers.pop_front();
        return answer;
    });
    hooks::setUrlOpener([](const QUrl&) { return true; });
    output::printerLister.set([this] { return m_printers; });
    m_previousDataFolder = Data_Folder_Path;
    resetProcessDesignState();
    Wire_Window_Entries();
}

void ProgramSession::TearDown() {
    quitProgram();
    expectAllDialogsRun();
    Clear_Window_Entries();
    output::printerLister.set({});
    hooks::setModalRunner({});
    hooks::setOpenPanel({});
    hooks::setSavePanel({});
    hooks::setAlertAnswerer({});
    hooks::setUrlOpener({});
    hooks::setTerminator({});
    hooks::setResourceFolderLocator({});
    Data_Folder_Path = m_previousDataFolder;
    EXPECT_FALSE(m_exitCode.has_value()) << "the program asked to end";
}

void ProgramSession::startProgram() {
    m_document = std::make_unique<SKTDocument>();
    m_controller = std::make_unique<SKTWindowController>(*m_document);
    ASSERT_TRUE(m_controller->isLoaded());
    m_services = std::make_unique<ControllerServices>(*m_controller);
    m_controller->window()->show();
    QCoreApplication::processEvents();
}

void ProgramSession::quitProgram() {
    if (!m_controller) {
        return;
    }
    m_services.reset();
    m_controller.reset();
    m_document.reset();
    QCoreApplication::processEvents();
    resetProcessDesignState();
}

SKTGraphicView& ProgramSession::frontCanvas() const {
    return *m_controller->graphicViewOfSide(0);
}

void ProgramSession::trigger(const char* actionName) {
    auto* action = control<QAction>(actionName);
    ASSERT_NE(action, nullptr);
    ASSERT_TRUE(action->isEnabled()) << actionName;
    action->trigger();
}

void ProgramSession::expectDialog(const QString& className, DialogScript script) {
    std::lock_guard lock(m_mutex);
    m_dialogScripts[className].push_back(std::move(script));
}

void ProgramSession::expectAllDialogsRun() {
    std::lock_guard lock(m_mutex);
    for (auto& [name, scripts] : m_dialogScripts) {
        EXPECT_TRUE(scripts.empty()) << "dialog never shown: " << name.toStdString();
        scripts.clear();
    }
    EXPECT_TRUE(m_openAnswers.empty()) << "an expected open panel never came";
    EXPECT_TRUE(m_saveAnswers.empty()) << "an expected save panel never came";
    EXPECT_TRUE(m_questionAnswers.empty()) << "an expected question never came";
    m_openAnswers.clear();
    m_saveAnswers.clear();
    m_questionAnswers.clear();
}

QStringList ProgramSession::takeDialogs() {
    std::lock_guard lock(m_mutex);
    QStringList out;
    out.swap(m_dialogsRun);
    return out;
}

int ProgramSession::runDialog(QDialog& dialog) {
    const QString name = QString::fromLatin1(dialog.metaObject()->className());
    DialogScript script;
    {
        std::lock_guard lock(m_mutex);
        m_dialogsRun << name;
        auto it = m_dialogScripts.find(name);
        if (it == m_dialogScripts.end() || it->second.empty()) {
            ADD_FAILURE() << "a dialog nobody expected: " << name.toStdString() << " \""
                          << dialog.windowTitle().toStdString() << "\"";
            return 0;
        }
        script = std::move(it->second.front());
        it->second.pop_front();
    }
    dialog.setResult(0);
    dialog.show();
    QCoreApplication::processEvents();
    const int answer = script(dialog);
    dialog.hide();
    return answer;
}

void ProgramSession::expectOpenPanel(const QStringList& paths) {
    std::lock_guard lock(m_mutex);
    m_openAnswers.push_back(paths);
}

void ProgramSession::expectSavePanel(const QString& path) {
    std::lock_guard lock(m_mutex);
    m_saveAnswers.push_back(path);
}

void ProgramSession::expectQuestion(const QString& part, bool yes) {
    std::lock_guard lock(m_mutex);
    m_questionAnswers.emplace_back(part, yes);
}

int ProgramSession::answerAlert(const AlertRequest& request) {
    std::lock_guard lock(m_mutex);
    m_messages << request.text.trimmed();
    if (request.kind == AlertKind::Message) {
        return 1;
    }
    if (!m_questionAnswers.empty() && request.text.contains(m_questionAnswers.front().first)) {
        const bool yes = m_questionAnswers.front().second;
        m_questionAnswers.pop_front();
        return yes ? 1 : 0;
    }
    ADD_FAILURE() << "a question nobody expected: " << request.text.toStdString();
    return 0;
}

QStringList ProgramSession::takeMessages() {
    std::lock_guard lock(m_mutex);
    QStringList out;
    out.swap(m_messages);
    return out;
}

void ProgramSession::setPrinters(const QStringList& printers) {
    m_printers = printers;
}

QString ProgramSession::homeFile(const QString& name) const {
    return QDir(m_home.path()).filePath(name);
}

void ProgramSession::clickCanvas(const QPointF& cardPoint) {
    SKTGraphicView& view = frontCanvas();
    const QPointF local = cardPoint * view.zoomFactor();
    sendMouse(view, QEvent::MouseButtonPress, local, Qt::LeftButton, Qt::LeftButton);
    sendMouse(view, QEvent::MouseButtonRelease, local, Qt::LeftButton, Qt::NoButton);
    QCoreApplication::processEvents();
}

void ProgramSession::placeByMouse(const std::shared_ptr<SKTGraphic>& graphic,
                                  const QRectF& target) {
    // Arranging is done with the arrow: another tool would draw a new
    // object where the mouse is dragged.
    if (auto* arrow = control<QAbstractButton>("Arrow_Tool")) {
        arrow->click();
    }
    SKTGraphicView& view = frontCanvas();
    const double zoom = view.zoomFactor();
    const auto drag = [&](const QPointF& from, const QPointF& to) {
        sendMouse(view, QEvent::MouseButtonPress, from * zoom, Qt::LeftButton, Qt::LeftButton);
        // Small steps, as a hand moves.
        for (int i = 1; i <= 4; ++i) {
            const QPointF at = from + (to - from) * (i / 4.0);
            sendMouse(view, QEvent::MouseMove, at * zoom, Qt::NoButton, Qt::LeftButton);
        }
        sendMouse(view, QEvent::MouseButtonRelease, to * zoom, Qt::LeftButton, Qt::NoButton);
        QCoreApplication::processEvents();
    };
    const QRectF start = graphic->bounds();
    // The user takes the object where it shows, not where another one lies
    // over it: the middle if that is free, else the first such spot.
    QPointF grip = start.center();
    for (int step = 0; view.graphicUnderPoint(grip) != graphic && step < 100; ++step) {
        grip = start.topLeft() + QPointF(start.width() * (0.05 + 0.9 * ((step % 10) / 9.0)),
                                         start.height() * (0.05 + 0.9 * ((step / 10) / 9.0)));
    }
    ASSERT_EQ(view.graphicUnderPoint(grip), graphic) << "no visible spot to take the object by";
    drag(grip, grip + (target.topLeft() - start.topLeft()));
    const QRectF moved = graphic->bounds();
    drag(moved.bottomRight(), target.bottomRight());
}

bool ProgramSession::waitFor(const std::function<bool()>& done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 60000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QTest::qWait(5);
    }
    return done();
}
