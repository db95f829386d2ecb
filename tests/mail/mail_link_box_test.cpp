// A link that no program can open: the message the user sees is a real
// message box whose text, the address among it, can be selected and copied.

#include "output/Review_Form.h"
#include "platform/Hooks.h"
#include "ui_Review_Form.h"
#include "widgets/GuiHooks.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// What the message box showed while it was up.
struct ShownBox {
    bool seen = false;
    QString text;
    Qt::TextInteractionFlags flags;
};

TEST(LinkMessageBox, TheAddressInTheShownMessageCanBeSelected) {
    hooks::setAlertAnswerer(hooks::messageBoxAnswer);
    hooks::setUrlOpener([](const QUrl&) { return false; });
    ShownBox box;
    // Looks at the message box once it is up, then presses its OK button.
    QTimer watch;
    watch.setInterval(20);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* message = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!message || !message->isVisible()) {
            return;
        }
        watch.stop();
        if (const auto* label = message->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
            box.seen = true;
            box.text = label->text();
            box.flags = label->textInteractionFlags();
        }
        QAbstractButton* ok = message->buttons().value(0);
        ASSERT_NE(ok, nullptr);
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    Review_Form review;
    hooks::setModalRunner([&](QDialog&) {
        review.show();
        watch.start();
        QTest::mouseClick(review.ui()->okButton, Qt::LeftButton);
        return review.result();
    });
    review.Open_Review_Form_Window();
    watch.stop();
    hooks::setModalRunner({});
    hooks::setUrlOpener({});
    hooks::setAlertAnswerer({});

    ASSERT_TRUE(box.seen) << "no message box was shown";
    EXPECT_TRUE(box.text.endsWith(QStringLiteral("https://www.example.com/card-editor/review")))
        << box.text.toStdString();
    EXPECT_TRUE(box.flags.testFlag(Qt::TextSelectableByMouse));
    EXPECT_TRUE(box.flags.testFlag(Qt::TextSelectableByKeyboard));
}

} // namespace
