#include "common/MessageBoxes.h"
#include "core/MessageFunctions.h"
#include "platform/Hooks.h"
#include "widgets/GuiHooks.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

struct SeenBox {
    QString text;
    QString informative;
    QStringList buttons;
    QString defaultButton;
};

// Records the next message box once it is up, then ends it as the user
// does (see endMessageBox).
void whenBoxShows(SeenBox& seen, const QString& how) {
    testsupport::whenMessageBoxShows([&seen, how](QMessageBox& box) {
        seen.text = box.text();
        seen.informative = box.informativeText();
        for (QAbstractButton* button : box.buttons()) {
            seen.buttons << button->text();
        }
        seen.buttons.sort();
        if (box.defaultButton()) {
            seen.defaultButton = box.defaultButton()->text();
        }
        testsupport::endMessageBox(box, how);
    });
}

class MessageBoxAnswerer : public ::testing::Test {
protected:
    void SetUp() override { hooks::installGuiHooks(); }
    void TearDown() override { hooks::setAlertAnswerer({}); }
};

TEST_F(MessageBoxAnswerer, MessageHasOneOkButton) {
    SeenBox seen;
    whenBoxShows(seen, QStringLiteral("OK"));
    Show_MessageBox(QStringLiteral("Card saved."));
    EXPECT_EQ(seen.text, QStringLiteral("\nCard saved."));
    EXPECT_EQ(seen.informative, QString());
    EXPECT_EQ(seen.buttons, QStringList{QStringLiteral("OK")});
}

// Yes, No, Return and Escape through the message box, and its window closed,
// whichever of the three ways the program asks.
TEST_F(MessageBoxAnswerer, QuestionHasYesAsDefaultAndNoAndClosingItIsNoAnswer) {
    const struct {
        const char* action;
        int answer;
        QuestionAnswer asked;
        int yesNo;
    } cases[] = {
        {"Yes", 1, QuestionAnswer::Yes, 1},
        {"No", 0, QuestionAnswer::No, 0},
        {"Return", 1, QuestionAnswer::Yes, 1},
        {"Escape", kAlertDismissed, QuestionAnswer::Dismissed, 0},
        {"close button", kAlertDismissed, QuestionAnswer::Dismissed, 0},
    };
    const QString question = QStringLiteral("Save first?");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action);
        // The answer of `ask`, checking the box it showed.
        const auto shown = [&](const auto& ask) {
            SeenBox seen;
            whenBoxShows(seen, QString::fromLatin1(c.action));
            const auto answer = ask();
            EXPECT_EQ(seen.text, question);
            EXPECT_EQ(seen.buttons, (QStringList{QStringLiteral("No"), QStringLiteral("Yes")}));
            EXPECT_EQ(seen.defaultButton, QStringLiteral("Yes"));
            return answer;
        };
        EXPECT_EQ(shown([&] {
                      return hooks::answerAlert({AlertKind::YesNo, question, {}});
                  }),
                  c.answer);
        EXPECT_EQ(shown([&] { return Ask_Yes_No(question); }), c.asked);
        EXPECT_EQ(shown([&] { return Show_YES_NO_MessageBox(question); }), c.yesNo);
    }
}

} // namespace
