// The message box belongs to the window the user is in: the modal dialog on
// top, else the active window. A box without an owner can open behind the
// window it blocks.

#include "common/MessageBoxes.h"
#include "platform/Hooks.h"
#include "widgets/GuiHooks.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

struct SeenBox {
    QWidget* owner = nullptr;
    QWindow* transientParent = nullptr;
    bool selectable = false;
};

// Records the next message box once it is up, then clicks its button.
void whenBoxShows(SeenBox& seen) {
    testsupport::whenMessageBoxShows([&seen](QMessageBox& box) {
        seen.owner = box.parentWidget();
        seen.transientParent = box.windowHandle() ? box.windowHandle()->transientParent() : nullptr;
        for (const QLabel* label : box.findChildren<QLabel*>()) {
            if (label->text().contains(QStringLiteral("example.com"))) {
                seen.selectable = label->textInteractionFlags() & Qt::TextSelectableByMouse;
            }
        }
        QTest::mouseClick(box.buttons().first(), Qt::LeftButton);
    });
}

TEST(MessageBoxOwner, TheBoxBelongsToTheWindowItWasAskedFrom) {
    hooks::installGuiHooks();
    for (const bool modal : {true, false}) {
        SCOPED_TRACE(modal ? "from a modal dialog" : "from a plain window");
        QDialog window;
        auto* layout = new QVBoxLayout(&window);
        auto* button = new QPushButton(QStringLiteral("Go"), &window);
        layout->addWidget(button);
        QObject::connect(button, &QPushButton::clicked, &window, [&window] {
            AlertRequest request;
            request.text = QStringLiteral("The web address is:\nhttps://www.example.com/");
            request.selectableText = true;
            hooks::answerAlert(request);
            window.done(0);
        });
        SeenBox seen;
        whenBoxShows(seen);
        if (modal) {
            QTimer::singleShot(0, &window, [button] { QTest::mouseClick(button, Qt::LeftButton); });
            window.exec();
        } else {
            window.show();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
            QTest::mouseClick(button, Qt::LeftButton);
        }
        EXPECT_EQ(seen.owner, &window);
        ASSERT_NE(seen.transientParent, nullptr);
        EXPECT_EQ(seen.transientParent, window.windowHandle());
        EXPECT_TRUE(seen.selectable);
    }
    hooks::setAlertAnswerer({});
}

} // namespace
