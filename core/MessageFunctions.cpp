#include "core/MessageFunctions.h"

#include "core/SharedGlobals.h"
#include "platform/Hooks.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <QtDebug>
#include <exception>

namespace {

QString reasonOf(const std::exception& e) {
    return QString::fromLocal8Bit(e.what());
}

// Runs `ask` on the GUI thread and answers its result: at once when already
// there, else through a blocking queued call (the worker waits). Without an
// application there is nobody to ask: the text is logged and the answer is 0.
template <typename Ask> int onGuiThread(const QString& text, Ask ask) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) {
        Show_NSLog_Message(text);
        return 0;
    }
    if (QThread::currentThread() == app->thread()) {
        return ask();
    }
    int answer = 0;
    const bool delivered = QMetaObject::invokeMethod(
        app,
        [&answer, &ask] {
            try {
                answer = ask();
            } catch (const std::exception& e) {
                Show_NSLog_Message(reasonOf(e));
                answer = 0;
            }
        },
        Qt::BlockingQueuedConnection);
    if (!delivered) {
        Show_NSLog_Message(text);
        return 0;
    }
    return answer;
}

int askMessage(const QString& text) {
    return onGuiThread(text, [&text] {
        return hooks::answerAlert({AlertKind::Message, text, {}});
    });
}

// The question on the GUI thread; answers 1 for Yes, 0 for No and
// kAlertDismissed for a question closed without a choice, whatever else an
// answerer returns counting as No.
int askYesNo(const QString& text) {
    yes_no_msg_val = 0;
    const int answer = hooks::answerAlert({AlertKind::YesNo, text, {}});
    yes_no_msg_val = answer == 1 ? 1 : 0;
    return answer == 1 || answer == kAlertDismissed ? answer : 0;
}

} // namespace

void Main_Thread_Messgae(const QString& text) {
    hooks::answerAlert({AlertKind::Message, text, {}});
}

int Main_Thread_Messgae_Yes_No(const QString& text) {
    return askYesNo(text) == 1 ? 1 : 0;
}

void Show_MessageBox(const QString& text) {
    try {
        askMessage(QStringLiteral("\n") + text);
    } catch (const std::exception& e) {
        Show_NSLog_Message(reasonOf(e));
    }
}

int Show_YES_NO_MessageBox(const QString& text) {
    try {
        // The answer travels back with this call, so two questions asked at
        // once from two threads never swap answers.
        return onGuiThread(text, [&text] { return askYesNo(text); }) == 1 ? 1 : 0;
    } catch (const std::exception& e) {
        Show_NSLog_Message(reasonOf(e));
        return 0;
    }
}

QuestionAnswer Ask_Yes_No(const QString& text) {
    try {
        switch (onGuiThread(text, [&text] { return askYesNo(text); })) {
        case 1:
            return QuestionAnswer::Yes;
        case kAlertDismissed:
            return QuestionAnswer::Dismissed;
        default:
            return QuestionAnswer::No;
        }
    } catch (const std::exception& e) {
        // Nobody answered: nothing is given up.
        Show_NSLog_Message(reasonOf(e));
        return QuestionAnswer::Dismissed;
    }
}

void Show_MessageBox_No_Thread(const QString& text) {
    // Alerts are widgets: built on the GUI thread whichever thread asks.
    Show_MessageBox(text);
}

int show_msg(const QString& text) {
    try {
        return askMessage(text);
    } catch (const std::exception& e) {
        Show_NSLog_Message(reasonOf(e));
        return 0;
    }
}

void Show_NSLog_Message(const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    qWarning().noquote() << text;
}
