// The grid window: one instance, a modal run answering 1 for OK and 0 for
// Cancel that leaves the controls alone, and its background colour.
#include "editor/view/Grid_Wizard.h"
#include "widgets/GuiHooks.h"

#include <QPushButton>
#include <QSlider>
#include <gtest/gtest.h>

namespace {

TEST(GridWizard, OneInstanceRunModallyAnsweringOneOrZero) {
    Grid_Wizard* wizard = Grid_Wizard::defaultInstance();
    ASSERT_NE(wizard, nullptr);
    EXPECT_EQ(Grid_Wizard::defaultInstance(), wizard);
    EXPECT_EQ(grid_DefaultInstance, wizard);
    wizard->Grid_Space_slidr()->setValue(20);
    for (const auto& [button, answer] : {std::pair{"OK_Btn", 1}, std::pair{"Cancel_Btn", 0}}) {
        int runs = 0;
        hooks::setModalRunner([&, button = button](QDialog& dialog) {
            ++runs;
            dialog.findChild<QPushButton*>(QString::fromLatin1(button))->click();
            return dialog.result();
        });
        EXPECT_EQ(wizard->Open_Wnd(), answer) << button;
        EXPECT_EQ(runs, 1);
        EXPECT_FALSE(wizard->isVisible());
    }
    hooks::setModalRunner({});
    EXPECT_EQ(wizard->Grid_Space_slidr()->value(), 20) << "Cancel undoes nothing";
}

TEST(GridWizard, Background) {
    Grid_Wizard* wizard = Grid_Wizard::defaultInstance();
    const QImage shot = wizard->grab().toImage();
    EXPECT_EQ(shot.pixelColor(2, shot.height() - 2), QColor(241, 244, 250));
}

} // namespace
