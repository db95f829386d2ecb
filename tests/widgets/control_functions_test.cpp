#include "core/globals.h"
#include "platform/Hooks.h"
#include "widgets/ControlFunctions.h"

#include "common/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// Subclasses count as ordinary controls, not as text fields or boxes.
class SearchField : public QLineEdit {};
class FancyBox : public QGroupBox {};

QColor textColour(const QWidget* w, QPalette::ColorRole role) {
    return w->palette().color(QPalette::Active, role);
}
QColor standardColour(const QWidget* w, QPalette::ColorGroup group, QPalette::ColorRole role) {
    return QApplication::palette(w).color(group, role);
}

// A box holding controls, a nested frame with more controls and a plain
// container widget, like the inspector boxes.
struct Panel {
    QWidget root;
    QGroupBox* outer = new QGroupBox(&root);
    QLineEdit* edit = new QLineEdit(outer);
    QLabel* label = new QLabel(QStringLiteral("Width"), outer);
    QCheckBox* check = new QCheckBox(outer);
    SearchField* search = new SearchField;
    FancyBox* fancy = new FancyBox;
    QPushButton* fancyButton = new QPushButton(fancy);
    QFrame* inner = new QFrame(outer);
    QPushButton* button = new QPushButton(inner);
    QGroupBox* innermost = new QGroupBox(inner);
    QLabel* deepLabel = new QLabel(QStringLiteral("Deep"), innermost);
    QWidget* container = new QWidget(innermost);
    QLineEdit* containedEdit = new QLineEdit(container);

    Panel() {
        auto* layout = new QVBoxLayout(outer);
        layout->addWidget(search);
        layout->addWidget(fancy);
    }
    std::vector<QWidget*> controls() const {
        return {edit, label, check, search, fancy, button, deepLabel, containedEdit};
    }
};

TEST(SetObjEnabled, NestedBoxesPassTheFlagToEveryControl) {
    Panel panel;
    SetObjEnabled(panel.outer, 0);
    for (QWidget* control : panel.controls()) {
        EXPECT_FALSE(control->isEnabled()) << control->metaObject()->className();
    }
    // Boxes have no enable state of their own.
    EXPECT_TRUE(panel.outer->isEnabled());
    EXPECT_TRUE(panel.inner->isEnabled());
    EXPECT_TRUE(panel.innermost->isEnabled());
    // A subclass of a box is a control: disabled as a whole, its children
    // are not visited one by one.
    EXPECT_TRUE(panel.fancyButton->isEnabledTo(panel.fancy));

    SetObjEnabled(panel.outer, 1);
    for (QWidget* control : panel.controls()) {
        EXPECT_TRUE(control->isEnabled()) << control->metaObject()->className();
    }
}

TEST(SetObjEnabled, TextFieldsGetTheDisabledTextColour) {
    Panel panel;
    SetObjEnabled(panel.outer, 0);
    for (QWidget* field : std::vector<QWidget*>{panel.edit, panel.label, panel.deepLabel}) {
        EXPECT_EQ(textColour(field, QPalette::WindowText),
                  standardColour(field, QPalette::Disabled, QPalette::WindowText))
            << field->metaObject()->className();
    }
    // Only the exact classes are recoloured.
    EXPECT_FALSE(panel.search->testAttribute(Qt::WA_SetPalette));

    SetObjEnabled(panel.outer, 1);
    for (QWidget* field : std::vector<QWidget*>{panel.edit, panel.label, panel.deepLabel}) {
        EXPECT_EQ(textColour(field, QPalette::Text),
                  standardColour(field, QPalette::Active, QPalette::Text));
        EXPECT_EQ(textColour(field, QPalette::WindowText),
                  standardColour(field, QPalette::Active, QPalette::WindowText));
    }
}

TEST(SetObjEnabled, SingleControlsAndNull) {
    QCheckBox check;
    SetObjEnabled(&check, 0);
    EXPECT_FALSE(check.isEnabled());
    SetObjEnabled(&check, 7); // any non-zero flag enables
    EXPECT_TRUE(check.isEnabled());
    // A bare container is a box: its controls follow, it stays enabled.
    QWidget bare;
    auto* inside = new QCheckBox(&bare);
    SetObjEnabled(&bare, 0);
    EXPECT_TRUE(bare.isEnabled());
    EXPECT_FALSE(inside->isEnabled());
    EXPECT_NO_FATAL_FAILURE(SetObjEnabled(nullptr, 0));
}

class HelpFile : public ::testing::Test {
protected:
    void SetUp() override {
        saved = Resource_Path;
        Resource_Path = temp.path();
        hooks::setUrlOpener([this](const QUrl& url) {
            opened << url;
            return true;
        });
    }
    void TearDown() override {
        hooks::setUrlOpener({});
        Resource_Path = saved;
    }
    QTemporaryDir temp;
    QString saved;
    QList<QUrl> opened;
};

TEST_F(HelpFile, OpensTheHelpDocumentWhenPresent) {
    QFile help(temp.filePath(QStringLiteral("Help.pdf")));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();
    testsupport::ScriptedAlerts alerts;
    Open_Help_File();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(temp.filePath(QStringLiteral("Help.pdf"))));
    EXPECT_TRUE(alerts.texts().isEmpty());
}

TEST_F(HelpFile, SaysSoWhenMissing) {
    testsupport::ScriptedAlerts alerts;
    Open_Help_File();
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(alerts.texts(), QStringList{QStringLiteral("\nHelp file does not exist!")});
}

} // namespace
