// The grid window: one instance, a modal run that answers 1 for OK and 0 for
// Cancel, and its background colour.
#include "editor/view/Grid_Wizard.h"
#include "mainwindow/GuiHooks.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// Runs the window modally and presses one of its buttons.
class ScriptedModalRun {
public:
    explicit ScriptedModalRun(QString button) {
        hooks::setModalRunner([this, button](QDialog& dialog) {
            ++runs;
            visibleDuringRun = true;
            auto* pressed = dialog.findChild<QPushButton*>(button);
            if (pressed) {
                pressed->click();
            }
            return dialog.result();
        });
    }
    ~ScriptedModalRun() { hooks::setModalRunner({}); }
    ScriptedModalRun(const ScriptedModalRun&) = delete;
    ScriptedModalRun& operator=(const ScriptedModalRun&) = delete;

    int runs = 0;
    bool visibleDuringRun = false;
};

TEST(GridWizard, OneInstance) {
    Grid_Wizard* first = Grid_Wizard::defaultInstance();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Grid_Wizard::defaultInstance(), first);
    EXPECT_EQ(grid_DefaultInstance, first);
}

TEST(GridWizard, OpenWndAnswersOneForOkAndZeroForCancel) {
    Grid_Wizard* wizard = Grid_Wizard::defaultInstance();
    {
        ScriptedModalRun run(QStringLiteral("OK_Btn"));
        EXPECT_EQ(wizard->Open_Wnd(), 1);
        EXPECT_EQ(run.runs, 1);
    }
    {
        ScriptedModalRun run(QStringLiteral("Cancel_Btn"));
        EXPECT_EQ(wizard->Open_Wnd(), 0);
    }
    EXPECT_FALSE(wizard->isVisible());
}

TEST(GridWizard, CancelLeavesTheControlsAsTheUserSetThem) {
    Grid_Wizard* wizard = Grid_Wizard::defaultInstance();
    wizard->Grid_Space_slidr()->setValue(20);
    wizard->Show_hide_grid_chk()->setChecked(true);
    ScriptedModalRun run(QStringLiteral("Cancel_Btn"));
    EXPECT_EQ(wizard->Open_Wnd(), 0);
    EXPECT_EQ(wizard->Grid_Space_slidr()->value(), 20);
    EXPECT_TRUE(wizard->Show_hide_grid_chk()->isChecked());
}

TEST(GridWizard, BackgroundAndControls) {
    Grid_Wizard* wizard = Grid_Wizard::defaultInstance();
    EXPECT_EQ(wizard->palette().color(QPalette::Window), QColor(241, 244, 250));
    EXPECT_TRUE(wizard->autoFillBackground());
    EXPECT_NE(wizard->Grid_clr(), nullptr);
    EXPECT_NE(wizard->Grid_Opt_box(), nullptr);
    const QImage shot = wizard->grab().toImage();
    EXPECT_EQ(shot.pixelColor(2, shot.height() - 2), QColor(241, 244, 250));
}

} // namespace
