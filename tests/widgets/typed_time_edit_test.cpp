// The time field: a whole time typed over its selected text is the time,
// in its 12-hour and 24-hour spellings; what cannot be a time is refused or
// leaves the time as it was; section editing still works.

#include "widgets/TypedTimeEdit.h"

#include <QApplication>
#include <QKeySequence>
#include <QLineEdit>
#include <QLocale>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest/QTest>
#include <gtest/gtest.h>
#include <string>

namespace {

// A shown window: a field before, the time field in 12-hour display, and a
// field after it.
class TimeFieldWindow {
public:
    explicit TimeFieldWindow(const QTime& start) {
        auto* layout = new QVBoxLayout(&window);
        before = new QLineEdit;
        field = new TypedTimeEdit;
        after = new QLineEdit;
        layout->addWidget(before);
        layout->addWidget(field);
        layout->addWidget(after);
        field->setLocale(QLocale(QStringLiteral("en_US")));
        field->setDisplayFormat(QStringLiteral("h:mm AP"));
        field->setTime(start);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // The user clicks into the field and selects its whole text.
    void selectAll() {
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(8, field->height() / 2));
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    }

    // The user tabs into the field from the one before (the hour section is
    // then selected).
    void tabIn() {
        before->setFocus();
        QTest::keyClick(before, Qt::Key_Tab);
        ASSERT_TRUE(field->hasFocus());
    }

    QWidget window;
    QLineEdit* before = nullptr;
    TypedTimeEdit* field = nullptr;
    QLineEdit* after = nullptr;
};

// Types the text as on a keyboard: Shift is pressed and held for ':' and
// capitals, as a person does.
void typeWithShift(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        const bool shifted = c == QLatin1Char(':') || c.isUpper();
        if (shifted) {
            QTest::keyPress(widget, Qt::Key_Shift);
        }
        QTest::keyClick(widget, c.toLatin1(), shifted ? Qt::ShiftModifier : Qt::NoModifier);
        if (shifted) {
            QTest::keyRelease(widget, Qt::Key_Shift, Qt::ShiftModifier);
        }
    }
}

TEST(TypedTimeEdit, AWholeTimeTypedOverTheSelectedTimeIsThatTime) {
    const struct {
        const char* typed;
        QTime time;
        const char* shown;
        Qt::Key end = Qt::Key_Tab; // Qt::Key_unknown: a click on the next field
        int focus = 2;             // then in the field before (0), this (1) or after (2)
    } rows[] = {
        // clang-format off
        {"7:30 PM", QTime(19, 30), "7:30 PM"},  {"7:30pm", QTime(19, 30), "7:30 PM"},
        {"07:30 pm", QTime(19, 30), "7:30 PM"}, {"7:30 P", QTime(19, 30), "7:30 PM"},
        {"19:30", QTime(19, 30), "7:30 PM"},    {"7:30", QTime(7, 30), "7:30 AM"},
        {"12:15 AM", QTime(0, 15), "12:15 AM"}, {"12:15 PM", QTime(12, 15), "12:15 PM"},
        {"0:05", QTime(0, 5), "12:05 AM"},      {"23:59", QTime(23, 59), "11:59 PM"},
        {"9:45 am", QTime(9, 45), "9:45 AM"},
        {"8:15 PM", QTime(20, 15), "8:15 PM", Qt::Key_Return, 1},
        {"8:15 PM", QTime(20, 15), "8:15 PM", Qt::Key_unknown, 2},
        {"8:15 PM", QTime(20, 15), "8:15 PM", Qt::Key_Backtab, 0},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.typed) + ", " +
                     QKeySequence(row.end).toString().toStdString());
        // From 2:05 AM, the morning a plain time field kept.
        TimeFieldWindow w(QTime(2, 5));
        QSignalSpy typed(w.field, &TypedTimeEdit::timeTyped);
        w.selectAll();
        typeWithShift(w.field, QString::fromLatin1(row.typed));
        EXPECT_EQ(w.field->text().toUpper(), QString::fromLatin1(row.typed).toUpper())
            << "what is typed shows";
        if (row.end == Qt::Key_unknown) {
            QTest::mouseClick(w.after, Qt::LeftButton);
        } else {
            QTest::keyClick(w.field, row.end);
        }
        EXPECT_EQ(w.field->time(), row.time);
        EXPECT_EQ(w.field->text(), QString::fromLatin1(row.shown));
        QWidget* const fields[] = {w.before, w.field, w.after};
        EXPECT_TRUE(fields[row.focus]->hasFocus());
        ASSERT_EQ(typed.count(), 1);
        EXPECT_EQ(typed.at(0).at(0).toTime(), row.time);
    }
}

TEST(TypedTimeEdit, WhatCannotBeATimeIsRefusedOrLeavesTheTime) {
    const struct {
        const char* typed;
        const char* shownWhileTyping; // keys that cannot lead to a time are refused
        QTime time;                   // after Tab
    } rows[] = {
        {"7:6", "7:", QTime(2, 5)},           // no minute from 60 on
        {"7:3", "7:3", QTime(2, 5)},          // minutes are two digits
        {"7", "7", QTime(2, 5)},              // an hour alone
        {"7:30 X", "7:30 ", QTime(2, 5)},     // no such word, and none typed
        {"19:30 PM", "19:30", QTime(19, 30)}, // a 24-hour time takes no PM
        {"13:00 AM", "13:00", QTime(13, 0)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        TimeFieldWindow w(QTime(2, 5));
        QSignalSpy changed(w.field, &QTimeEdit::timeChanged);
        w.selectAll();
        QTest::keyClicks(w.field, QString::fromLatin1(row.typed));
        EXPECT_EQ(w.field->text(), QString::fromLatin1(row.shownWhileTyping));
        QTest::keyClick(w.field, Qt::Key_Tab);
        EXPECT_EQ(w.field->time(), row.time);
        EXPECT_EQ(w.field->text(),
                  QLocale(QStringLiteral("en_US")).toString(row.time, QStringLiteral("h:mm AP")));
        EXPECT_EQ(changed.count(), row.time == QTime(2, 5) ? 0 : 1);
    }
}

TEST(TypedTimeEdit, BackspaceAndEscapeWhileTyping) {
    TimeFieldWindow w(QTime(2, 5));
    w.selectAll();
    // Backspace over the whole text empties it; typing starts from there.
    QTest::keyClick(w.field, Qt::Key_Backspace);
    EXPECT_EQ(w.field->text(), QString());
    QTest::keyClicks(w.field, QStringLiteral("6:45 PX"));
    EXPECT_EQ(w.field->text(), QStringLiteral("6:45 P"));
    QTest::keyClick(w.field, Qt::Key_Backspace);
    QTest::keyClicks(w.field, QStringLiteral("AM"));
    EXPECT_EQ(w.field->text(), QStringLiteral("6:45 AM"));
    QTest::keyClick(w.field, Qt::Key_Tab);
    EXPECT_EQ(w.field->time(), QTime(6, 45));

    // Escape drops what was typed.
    w.selectAll();
    QTest::keyClicks(w.field, QStringLiteral("9:00"));
    QTest::keyClick(w.field, Qt::Key_Escape);
    EXPECT_EQ(w.field->text(), QStringLiteral("6:45 AM"));
    EXPECT_EQ(w.field->time(), QTime(6, 45));
}

TEST(TypedTimeEdit, SectionEditingFromTheHourTakesTheWholeTimeToo) {
    const struct {
        const char* typed;
        QTime time;
    } rows[] = {{"7:30 PM", QTime(19, 30)}, {"7:30PM", QTime(19, 30)}, {"9:15 AM", QTime(9, 15)}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        TimeFieldWindow w(QTime(2, 5));
        w.tabIn();
        QTest::keyClicks(w.field, QString::fromLatin1(row.typed));
        QTest::keyClick(w.field, Qt::Key_Tab);
        EXPECT_EQ(w.field->time(), row.time);
    }
    // The arrow keys still step the section the cursor is in.
    TimeFieldWindow w(QTime(2, 5));
    w.tabIn();
    QTest::keyClick(w.field, Qt::Key_Up);
    EXPECT_EQ(w.field->time(), QTime(3, 5));
}

} // namespace
