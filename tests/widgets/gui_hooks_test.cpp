#include "core/MessageFunctions.h"
#include "platform/Hooks.h"
#include "widgets/GuiHooks.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <QtTest/QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct SeenBox {
    QString text;
    QString informative;
    QStringList buttons;
    QString defaultButton;
};

// Acts on the next message box once it is up: records it, then `act` ends it.
void whenBoxShows(SeenBox& seen, std::function<void(QMessageBox&)> act) {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, &seen, act] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        seen.text = box->text();
        seen.informative = box->informativeText();
        for (QAbstractButton* button : box->buttons()) {
            seen.buttons << button->text();
        }
        if (box->defaultButton()) {
            seen.defaultButton = box->defaultButton()->text();
        }
        act(*box);
    });
    timer->start(5);
}

void clickButton(QMessageBox& box, const QString& title) {
    for (QAbstractButton* button : box.buttons()) {
        if (button->text() == title) {
            button->click();
            return;
        }
    }
    FAIL() << "no button " << title.toStdString();
}

class MessageBoxAnswerer : public ::testing::Test {
protected:
    void SetUp() override { hooks::installGuiHooks(); }
    void TearDown() override { hooks::setAlertAnswerer({}); }
};

TEST_F(MessageBoxAnswerer, MessageHasOneOkButton) {
    SeenBox seen;
    whenBoxShows(seen, [](QMessageBox& box) { clickButton(box, QStringLiteral("OK")); });
    Show_MessageBox(QStringLiteral("Card saved."));
    EXPECT_EQ(seen.text, QStringLiteral("\nCard saved."));
    EXPECT_EQ(seen.informative, QString());
    EXPECT_EQ(seen.buttons, QStringList{QStringLiteral("OK")});
}

TEST_F(MessageBoxAnswerer, QuestionHasYesAsDefaultAndNo) {
    struct Case {
        const char* action;
        int expected;
    };
    for (const Case c : {Case{"Yes", 1}, Case{"No", 0}, Case{"Escape", 0}, Case{"Return", 1}}) {
        SeenBox seen;
        const QString action = QString::fromLatin1(c.action);
        whenBoxShows(seen, [action](QMessageBox& box) {
            if (action == QLatin1String("Escape")) {
                QTest::keyClick(&box, Qt::Key_Escape);
            } else if (action == QLatin1String("Return")) {
                QTest::keyClick(&box, Qt::Key_Return);
            } else {
                clickButton(box, action);
            }
        });
        EXPECT_EQ(Show_YES_NO_MessageBox(QStringLiteral("Replace it?")), c.expected) << c.action;
        EXPECT_EQ(seen.text, QStringLiteral("Replace it?"));
        EXPECT_EQ(seen.buttons.size(), 2);
        EXPECT_TRUE(seen.buttons.contains(QStringLiteral("Yes")));
        EXPECT_TRUE(seen.buttons.contains(QStringLiteral("No")));
        EXPECT_EQ(seen.defaultButton, QStringLiteral("Yes"));
    }
}

TEST_F(MessageBoxAnswerer, ClosingTheQuestionIsNoAnswer) {
    struct Case {
        const char* action;
        int answer;
        QuestionAnswer asked;
        int yesNo;
    };
    const Case cases[] = {
        {"Yes", 1, QuestionAnswer::Yes, 1},
        {"No", 0, QuestionAnswer::No, 0},
        {"Return", 1, QuestionAnswer::Yes, 1},
        {"Escape", kAlertDismissed, QuestionAnswer::Dismissed, 0},
        {"close button", kAlertDismissed, QuestionAnswer::Dismissed, 0},
    };
    for (const Case& c : cases) {
        const QString action = QString::fromLatin1(c.action);
        const auto act = [action](QMessageBox& box) {
            if (action == QLatin1String("Escape")) {
                QTest::keyClick(&box, Qt::Key_Escape);
            } else if (action == QLatin1String("Return")) {
                QTest::keyClick(&box, Qt::Key_Return);
            } else if (action == QLatin1String("close button")) {
                // What the window manager's close button asks of the window.
                box.windowHandle()->close();
            } else {
                clickButton(box, action);
            }
        };
        SeenBox seen;
        whenBoxShows(seen, act);
        EXPECT_EQ(hooks::answerAlert({AlertKind::YesNo, QStringLiteral("Save first?"), {}}),
                  c.answer)
            << c.action;
        QStringList buttons = seen.buttons;
        buttons.sort();
        EXPECT_EQ(buttons, (QStringList{QStringLiteral("No"), QStringLiteral("Yes")})) << c.action;
        whenBoxShows(seen, act);
        EXPECT_EQ(Ask_Yes_No(QStringLiteral("Save first?")), c.asked) << c.action;
        whenBoxShows(seen, act);
        EXPECT_EQ(Show_YES_NO_MessageBox(QStringLiteral("Save first?")), c.yesNo) << c.action;
    }
}

} // namespace
