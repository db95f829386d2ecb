#include "core/MessageFunctions.h"
#include "core/SharedGlobals.h"
#include "platform/Hooks.h"

#include "common/TestSupport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <atomic>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

// Runs `work` on `count` worker threads while the GUI thread keeps serving
// queued calls, and waits for all of them.
void runOnWorkers(int count, const std::function<void(int)>& work) {
    std::atomic<int> finished{0};
    std::vector<std::thread> threads;
    for (int i = 0; i < count; ++i) {
        threads.emplace_back([&, i] {
            work(i);
            ++finished;
        });
    }
    QDeadlineTimer deadline(30000);
    while (finished < count && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    for (auto& thread : threads) {
        thread.join();
    }
    ASSERT_EQ(finished, count);
}

// Collects what the functions write to the log.
class LogCapture {
public:
    LogCapture() { previous = qInstallMessageHandler(&LogCapture::handler); }
    ~LogCapture() { qInstallMessageHandler(previous); }
    static QStringList& lines() {
        static QStringList all;
        return all;
    }

private:
    static void handler(QtMsgType, const QMessageLogContext&, const QString& text) {
        lines() << text;
    }
    QtMessageHandler previous;
};

class GuiThreadAnswerer {
public:
    explicit GuiThreadAnswerer(std::function<int(const AlertRequest&)> answer) {
        hooks::setAlertAnswerer([this, answer](const AlertRequest& request) {
            if (QThread::currentThread() != qApp->thread()) {
                ++offGuiThread;
            }
            return answer(request);
        });
    }
    ~GuiThreadAnswerer() { hooks::setAlertAnswerer({}); }
    std::atomic<int> offGuiThread{0};
};

TEST(MessageBoxes, TextsKindsAndAnswersOnTheGuiThread) {
    // Every alert gets a scripted answer; running out would answer -1.
    testsupport::ScriptedAlerts alerts({1, 0, 1, 1, 1}, -1);
    Show_MessageBox(QStringLiteral("Saved."));
    EXPECT_EQ(Show_YES_NO_MessageBox(QStringLiteral("Replace it?")), 0);
    EXPECT_EQ(yes_no_msg_val, 0);
    EXPECT_EQ(Show_YES_NO_MessageBox(QStringLiteral("Really?")), 1);
    EXPECT_EQ(yes_no_msg_val, 1);
    Show_MessageBox_No_Thread(QStringLiteral("Direct"));
    EXPECT_EQ(show_msg(QStringLiteral("Plain")), 1); // the OK button's code

    const auto requests = alerts.requests();
    ASSERT_EQ(requests.size(), 5u);
    const std::vector<std::pair<AlertKind, QString>> expected = {
        {AlertKind::Message, QStringLiteral("\nSaved.")},
        {AlertKind::YesNo, QStringLiteral("Replace it?")},
        {AlertKind::YesNo, QStringLiteral("Really?")},
        {AlertKind::Message, QStringLiteral("\nDirect")},
        {AlertKind::Message, QStringLiteral("Plain")},
    };
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(requests[i].kind, expected[i].first) << i;
        EXPECT_EQ(requests[i].text, expected[i].second) << i;
    }
}

TEST(MessageBoxes, AnythingButOneIsNo) {
    testsupport::ScriptedAlerts alerts({2, -1, 3});
    EXPECT_EQ(Show_YES_NO_MessageBox(QStringLiteral("a")), 0);
    EXPECT_EQ(Show_YES_NO_MessageBox(QStringLiteral("b")), 0);
    EXPECT_EQ(Show_YES_NO_MessageBox(QStringLiteral("c")), 0);
    EXPECT_EQ(yes_no_msg_val, 0);
}

TEST(MessageBoxes, AQuestionClosedWithoutAChoiceIsToldApartWhereAsked) {
    struct Case {
        int given; // what the answerer answers
        int yesNo;
        QuestionAnswer asked;
    };
    const Case cases[] = {
        {1, 1, QuestionAnswer::Yes},
        {0, 0, QuestionAnswer::No},
        {kAlertDismissed, 0, QuestionAnswer::Dismissed},
        {2, 0, QuestionAnswer::No},
    };
    for (const Case& c : cases) {
        for (bool worker : {false, true}) {
            testsupport::ScriptedAlerts alerts({c.given, c.given});
            int yesNo = -1;
            QuestionAnswer asked = QuestionAnswer::Yes;
            const auto ask = [&] {
                yesNo = Show_YES_NO_MessageBox(QStringLiteral("Save first?"));
                asked = Ask_Yes_No(QStringLiteral("Save first?"));
            };
            if (worker) {
                runOnWorkers(1, [&](int) { ask(); });
            } else {
                ask();
            }
            EXPECT_EQ(yesNo, c.yesNo) << c.given << worker;
            EXPECT_EQ(asked, c.asked) << c.given << worker;
            EXPECT_EQ(yes_no_msg_val, c.yesNo) << c.given << worker;
            ASSERT_EQ(alerts.requests().size(), 2u);
            EXPECT_EQ(alerts.requests().back().kind, AlertKind::YesNo);
        }
    }
    // An answerer that fails gives nothing up.
    hooks::setAlertAnswerer(
        [](const AlertRequest&) -> int { throw std::runtime_error("alert failed"); });
    LogCapture log;
    EXPECT_EQ(Ask_Yes_No(QStringLiteral("Save first?")), QuestionAnswer::Dismissed);
    hooks::setAlertAnswerer({});
}

TEST(MessageBoxes, WorkersWaitWhileTheGuiThreadAsks) {
    GuiThreadAnswerer answerer([](const AlertRequest& r) { return r.text.endsWith('Y') ? 1 : 0; });
    std::atomic<int> wrong{0};
    runOnWorkers(3, [&](int i) {
        Show_MessageBox(QStringLiteral("note %1").arg(i));
        Show_MessageBox_No_Thread(QStringLiteral("direct %1").arg(i));
        show_msg(QStringLiteral("plain %1").arg(i));
        if (Show_YES_NO_MessageBox(QStringLiteral("q%1 Y").arg(i)) != 1 ||
            Show_YES_NO_MessageBox(QStringLiteral("q%1 N").arg(i)) != 0) {
            ++wrong;
        }
    });
    EXPECT_EQ(answerer.offGuiThread, 0) << "alerts must be built on the GUI thread";
    EXPECT_EQ(wrong, 0);
}

TEST(MessageBoxes, TwoThreadsAskingAtOnceEachGetTheirOwnAnswer) {
    constexpr int kThreads = 2;
    constexpr int kQuestions = 200;
    std::deque<int> answers;
    for (int i = 0; i < kThreads * kQuestions; ++i) {
        answers.push_back(i % 3 == 0 ? 1 : 0);
    }
    testsupport::ScriptedAlerts alerts(answers);
    std::mutex mutex;
    std::map<QString, int> received;
    runOnWorkers(kThreads, [&](int thread) {
        for (int q = 0; q < kQuestions; ++q) {
            const QString text = QStringLiteral("thread %1 question %2").arg(thread).arg(q);
            const int answer = Show_YES_NO_MessageBox(text);
            std::lock_guard lock(mutex);
            received[text] = answer;
        }
    });
    // The scripted answers went out in the order the questions reached the
    // GUI thread; each asker must have got exactly the one given to it.
    const QStringList asked = alerts.texts();
    ASSERT_EQ(asked.size(), kThreads * kQuestions);
    int mismatches = 0;
    for (int i = 0; i < asked.size(); ++i) {
        if (received.at(asked[i]) != answers[i]) {
            ++mismatches;
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(yes_no_msg_val, answers.back());
}

TEST(MessageBoxes, ExceptionsAreLoggedNotRaised) {
    hooks::setAlertAnswerer(
        [](const AlertRequest&) -> int { throw std::runtime_error("alert failed"); });
    LogCapture log;
    LogCapture::lines().clear();
    EXPECT_NO_THROW(Show_MessageBox(QStringLiteral("x")));
    EXPECT_NO_THROW(Show_MessageBox_No_Thread(QStringLiteral("x")));
    int answer = -1;
    EXPECT_NO_THROW(answer = Show_YES_NO_MessageBox(QStringLiteral("x")));
    EXPECT_EQ(answer, 0);
    runOnWorkers(1, [](int) {
        Show_MessageBox(QStringLiteral("from a worker"));
        EXPECT_EQ(Show_YES_NO_MessageBox(QStringLiteral("from a worker")), 0);
    });
    hooks::setAlertAnswerer({});
    EXPECT_GE(LogCapture::lines().count(QStringLiteral("alert failed")), 5);
}

TEST(MessageBoxes, WithoutAnAnswererTheTextIsLoggedAndTheAnswerIsNo) {
    hooks::setAlertAnswerer({});
    LogCapture log;
    LogCapture::lines().clear();
    yes_no_msg_val = 1;
    EXPECT_EQ(Show_YES_NO_MessageBox(QStringLiteral("Anyone there?")), 0);
    EXPECT_EQ(yes_no_msg_val, 0);
    EXPECT_TRUE(LogCapture::lines().join('|').contains(QStringLiteral("Anyone there?")));
}

TEST(SystemLog, WritesOnlyNonEmptyTexts) {
    LogCapture log;
    LogCapture::lines().clear();
    Show_NSLog_Message(QString());
    Show_NSLog_Message(QStringLiteral(""));
    Show_NSLog_Message(QStringLiteral("100% done %@"));
    EXPECT_EQ(LogCapture::lines(), QStringList{QStringLiteral("100% done %@")});
}

} // namespace
