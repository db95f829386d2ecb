#include "core/SharedGlobals.h"
#include "widgets/GuiHooks.h"
#include "widgets/Long_SMS_Dlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace {

// What the dialog showed when it ran.
struct Shown {
    QString title;
    QString text;
    bool noButton = false;
    bool applyBox = false;
    bool boxTicked = false; // as the dialog opened
    int runs = 0;
};

// Replaces the modal run: records what the dialog shows, then acts on it
// like a user (ticks the box or not, presses a button).
class ScriptedRun {
public:
    ScriptedRun(const char* button, std::optional<bool> tickBox) {
        hooks::setModalRunner([this, button, tickBox](QDialog& dialog) {
            shown.title = dialog.findChild<QLabel*>(QStringLiteral("_Msg_Title"))->text();
            shown.text =
                dialog.findChild<QPlainTextEdit*>(QStringLiteral("_Msg_Val"))->toPlainText();
            shown.noButton =
                !dialog.findChild<QPushButton*>(QStringLiteral("no_button"))->isHidden();
            auto* box = dialog.findChild<QCheckBox*>(QStringLiteral("apply_chk"));
            shown.applyBox = !box->isHidden();
            shown.boxTicked = box->isChecked();
            if (tickBox) {
                box->setChecked(*tickBox);
            }
            ++shown.runs;
            dialog.findChild<QPushButton*>(QString::fromLatin1(button))->click();
            return dialog.result();
        });
    }
    ~ScriptedRun() { hooks::setModalRunner({}); }
    Shown shown;
};

class LongMessage : public ::testing::Test {
protected:
    void SetUp() override {
        Msg_Apply_All_Chk = 0;
        Cutom_Msg_Title = QStringLiteral("Batch Processing Settings Help :");
        Cutom_Msg_Val = QStringLiteral("Select Data Source as 'Manual' ...");
    }
    void TearDown() override {
        Cutom_Msg_Title.clear();
        Cutom_Msg_Val.clear();
        Msg_Apply_All_Chk = 0;
    }
    static int ask(const QString& title, const QString& text, bool box) {
        Long_SMS_Dlg* dialog = Long_SMS_Dlg::defaultInstance();
        dialog->title_val = title;
        dialog->msg_val_str = text;
        dialog->apply_chk_show = box;
        return dialog->Open_Long_sms_Dialog();
    }
};

TEST_F(LongMessage, OneInstance) {
    Long_SMS_Dlg* first = Long_SMS_Dlg::defaultInstance();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Long_SMS_Dlg::defaultInstance(), first);
    EXPECT_EQ(first->palette().color(QPalette::Window), QColor(241, 244, 250));
}

TEST_F(LongMessage, QuestionWithApplyToAllAnsweredOk) {
    ScriptedRun run("yes_button", true);
    EXPECT_EQ(ask(QStringLiteral("Message :"), QStringLiteral("list\nreplace?"), true), 1);
    EXPECT_EQ(run.shown.title, QStringLiteral("Message :"));
    EXPECT_EQ(run.shown.text, QStringLiteral("list\nreplace?"));
    EXPECT_TRUE(run.shown.noButton);
    EXPECT_TRUE(run.shown.applyBox);
    EXPECT_EQ(Msg_Apply_All_Chk, 1);
}

TEST_F(LongMessage, OkWithTheBoxClearClearsTheFlag) {
    Msg_Apply_All_Chk = 1;
    ScriptedRun run("yes_button", false);
    EXPECT_EQ(ask(QStringLiteral("t"), QStringLiteral("v"), false), 1);
    EXPECT_FALSE(run.shown.applyBox);
    EXPECT_EQ(Msg_Apply_All_Chk, 0);
}

TEST_F(LongMessage, NoWithTheBoxTickedLeavesTheFlag) {
    for (int before : {0, 1}) {
        Msg_Apply_All_Chk = before;
        ScriptedRun run("no_button", true);
        EXPECT_EQ(ask(QStringLiteral("t"), QStringLiteral("v"), true), 0);
        EXPECT_EQ(Msg_Apply_All_Chk, before);
    }
}

TEST_F(LongMessage, HelpTextAfterAQuestionUsesTheProcessWidePair) {
    {
        ScriptedRun run("no_button", false);
        ask(QStringLiteral("Own title"), QStringLiteral("Own text"), true);
    }
    ScriptedRun run("yes_button", false);
    EXPECT_EQ(Long_SMS_Dlg::defaultInstance()->Open_Long_sms_Dialog(), 1);
    EXPECT_EQ(run.shown.title, Cutom_Msg_Title);
    EXPECT_EQ(run.shown.text, Cutom_Msg_Val);
    EXPECT_FALSE(run.shown.noButton);
    EXPECT_FALSE(run.shown.applyBox);
}

TEST_F(LongMessage, ATickFromAnEarlierQuestionDoesNotCarryOver) {
    {
        ScriptedRun run("yes_button", true);
        ask(QStringLiteral("Message :"), QStringLiteral("replace?"), true);
    }
    ASSERT_EQ(Msg_Apply_All_Chk, 1);
    // A help text answered OK: the hidden box must not report the old tick.
    ScriptedRun help("yes_button", std::nullopt);
    EXPECT_EQ(Long_SMS_Dlg::defaultInstance()->Open_Long_sms_Dialog(), 1);
    EXPECT_FALSE(help.shown.boxTicked);
    EXPECT_EQ(Msg_Apply_All_Chk, 0);
}

TEST_F(LongMessage, ABoxWithoutAnOwnTitleShowsWithTheHelpPair) {
    ScriptedRun run("yes_button", false);
    Long_SMS_Dlg* dialog = Long_SMS_Dlg::defaultInstance();
    dialog->apply_chk_show = true;
    dialog->Open_Long_sms_Dialog();
    EXPECT_EQ(run.shown.title, Cutom_Msg_Title);
    EXPECT_FALSE(run.shown.noButton);
    EXPECT_TRUE(run.shown.applyBox);
}

TEST_F(LongMessage, RealModalRunEndsWithTheButtonsCode) {
    // No scripted runner: QDialog::exec runs until a button is pressed.
    for (const auto& [button, code] : {std::pair{"yes_button", 1}, std::pair{"no_button", 0}}) {
        Long_SMS_Dlg* dialog = Long_SMS_Dlg::defaultInstance();
        QTimer::singleShot(0, dialog, [dialog, name = button] {
            dialog->findChild<QPushButton*>(QString::fromLatin1(name))->click();
        });
        EXPECT_EQ(ask(QStringLiteral("t"), QStringLiteral("v"), false), code) << button;
        EXPECT_FALSE(dialog->isVisible());
    }
}

} // namespace
