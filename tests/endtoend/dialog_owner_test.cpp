// Every dialog opened from another window belongs to it: its window is
// transient for the opener's, so a window manager keeps it in front of the
// window it blocks instead of opening it behind.

#include "ProgramSession.h"
#include "core/globals.h"
#include "mainwindow/controller/MainWindowFrame.h"
#include "mainwindow/controller/WizardGlobals.h"

#include <QAction>
#include <QPushButton>
#include <QWindow>
#include <QtTest/QTest>

namespace {

class DialogOwnerTest : public ProgramSession {
protected:
    // A blank design, as the start window's open choice would leave it.
    void startBlank() {
        expectDialog(QStringLiteral("Invitation_Wizard"), [](QDialog&) {
            Start_Card_Option = QStringLiteral("L");
            return 1;
        });
        startProgram();
        controller().window()->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(controller().window()));
        takeDialogs();
    }

    // Clicks a shown, enabled button of a window.
    static void click(QWidget& window, const QString& name) {
        auto* button = window.findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name.toStdString();
        ASSERT_TRUE(button->isVisible() && button->isEnabled()) << name.toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
    }
};

struct OwnerCase {
    const char* openedBy; // main window action or button opening the opener
    const char* opener;   // the opener's class
    const char* button;   // the opener's button the user clicks
    const char* dialog;   // the class of the dialog it opens
};

TEST_F(DialogOwnerTest, ADialogOpenedFromAnotherIsOwnedByIt) {
    const OwnerCase cases[] = {
        {"User_Profile_Button", "Show_User_Profile", "view_excel_btn", "Data_From_Excel"},
        {"User_Profile_Button", "Show_User_Profile", "batch_series_btn", "BatchWizard"},
        {"Series_Manager_action", "BatchWizard", "Import_Btn", "Import_Wizard"},
        {"Series_Manager_action", "BatchWizard", "CreateSeries_Btn", "Generate_List"},
        {"Mail_action", "Send_Mail", "settingButton", "Email_Setting"},
        {"Help_action", "Help_Support", "shareButton", "Share_It_Dlg"},
        {"Card_Size_action", "Card_Wizard", "User_Profile_btn", "User_profile"},
        {"Templates_action", "Template_Wizard", "User_Profile_btn", "User_profile"},
    };
    startBlank();
    ASSERT_FALSE(HasFatalFailure());
    for (const OwnerCase& c : cases) {
        SCOPED_TRACE(std::string(c.opener) + " > " + c.button);
        QWidget* openerWindow = nullptr;
        QWindow* transientParent = nullptr;
        QWidget* owner = nullptr;
        expectDialog(QString::fromLatin1(c.opener), [&](QDialog& opener) {
            openerWindow = &opener;
            click(opener, QString::fromLatin1(c.button));
            return 0;
        });
        expectDialog(QString::fromLatin1(c.dialog), [&](QDialog& dialog) {
            owner = dialog.parentWidget() ? dialog.parentWidget()->window() : nullptr;
            transientParent =
                dialog.windowHandle() ? dialog.windowHandle()->transientParent() : nullptr;
            return 0;
        });
        const QString openedBy = QString::fromLatin1(c.openedBy);
        if (findControl<QAction>(c.openedBy)) {
            trigger(c.openedBy);
        } else {
            click(*controller().window(), openedBy);
        }
        expectAllDialogsRun();
        takeMessages();
        ASSERT_NE(openerWindow, nullptr);
        EXPECT_EQ(owner, openerWindow);
        EXPECT_TRUE(transientParent && transientParent == openerWindow->windowHandle());
        EXPECT_EQ(takeDialogs(),
                  (QStringList{QString::fromLatin1(c.opener), QString::fromLatin1(c.dialog)}));
    }
}

} // namespace
