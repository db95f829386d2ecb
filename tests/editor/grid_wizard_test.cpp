// The grid window: one instance, a modal run answering 1 for OK and 0 for
// Cancel that leaves the controls alone, and its background colour.
#include "editor/view/Grid_Wizard.h"
#include "widgets/GuiHooks.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSlider>
#include <gtest/gtest.h>

namespace {

TEST(GridWizard, OneInstanceRunModallyAnsweringOneOrZero) {
    Grid_Wizard* wizard = Grid_Wizard::defaultInstance();
    ASSERT_NE(wizard, nullptr);
    EXPECT_EQ(Grid_Wizard::defaultInstance(), wizard);
    EXPECT_EQ(grid_DefaultInstance, wizard);
    struct Case {
        const char* button;
        int answer;
        int spacing;
    };
    for (const Case c : {Case{"OK_Btn", 1, 20}, Case{"Cancel_Btn", 0, 35}}) {
        const bool shown = !wizard->Show_hide_grid_chk()->isChecked();
        int runs = 0;
        hooks::setModalRunner([&](QDialog& dialog) {
            ++runs;
            // What the person changes while the window runs...
            wizard->Grid_Space_slidr()->setValue(c.spacing);
            wizard->Show_hide_grid_chk()->click();
            dialog.findChild<QPushButton*>(QString::fromLatin1(c.button))->click();
            return dialog.result();
        });
        EXPECT_EQ(wizard->Open_Wnd(), c.answer) << c.button;
        EXPECT_EQ(runs, 1);
        EXPECT_FALSE(wizard->isVisible());
        // ...stays after either button: the controls change the grid at once,
        // so Cancel undoes nothing.
        EXPECT_EQ(wizard->Grid_Space_slidr()->value(), c.spacing) << c.button;
        EXPECT_EQ(wizard->Show_hide_grid_chk()->isChecked(), shown) << c.button;
    }
    hooks::setModalRunner({});
}

TEST(GridWizard, Background) {
    Grid_Wizard* wizard = Grid_Wizard::defaultInstance();
    const QImage shot = wizard->grab().toImage();
    EXPECT_EQ(shot.pixelColor(2, shot.height() - 2), QColor(241, 244, 250));
}

} // namespace
