#include "MessageBoxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace testsupport {

void whenMessageBoxShows(std::function<void(QMessageBox&)> act) {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act = std::move(act)] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        act(*box);
    });
    timer->start(5);
}

void endMessageBox(QMessageBox& box, const QString& how) {
    // Keys go to the box's focused button, which leaves them to the box.
    QWidget* focused = QApplication::focusWidget();
    QWidget* keys = focused && box.isAncestorOf(focused) ? focused : &box;
    if (how == QLatin1String("Escape")) {
        QTest::keyClick(keys, Qt::Key_Escape);
    } else if (how == QLatin1String("Return")) {
        QTest::keyClick(keys, Qt::Key_Return);
    } else if (how == QLatin1String("close button")) {
        // What the window manager's close button asks of the window.
        box.windowHandle()->close();
    } else {
        for (QAbstractButton* button : box.buttons()) {
            if (button->text() == how) {
                button->click();
                return;
            }
        }
        ADD_FAILURE() << "no button " << how.toStdString();
    }
}

} // namespace testsupport
