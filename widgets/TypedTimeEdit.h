#pragma once
// A time field that takes a whole time typed over its whole text. A plain
// QTimeEdit edits one section at a time: with its whole text selected it
// refuses the first digit, jumps sections on ':' and ' ', and a space typed
// into the AM/PM section spoils it, so "7:30 PM" typed over "2:05 AM" ends as
// 2:30 AM. Here a digit (or Backspace or Delete) over the whole text starts
// a typed time instead: the field shows what is typed, refuses keys that
// cannot lead to a time, and on Tab, Return, a click elsewhere or the focus
// leaving takes the time typed ("7:30 PM", "7:30pm", "7:30 P", "19:30",
// "07:30"). Something that is not a whole time leaves the time as it was.
// Section editing, the arrow keys and the mouse work as in any QTimeEdit,
// except that a space typed into the AM/PM section is passed over (the
// space is already there), so "7:30 PM" typed from the hour section ends
// as 7:30 PM.

#include <QString>
#include <QTime>
#include <QTimeEdit>

class TypedTimeEdit : public QTimeEdit {
    Q_OBJECT

public:
    explicit TypedTimeEdit(QWidget* parent = nullptr);

    // The time a whole typed text names in this field's locale: hours 1 to
    // 12 with AM or PM (or A or P, any case, the space before it optional),
    // or hours 0 to 23 without; minutes always two digits. Invalid for
    // anything else.
    QTime timeFromTyping(const QString& text) const;
    // Whether the text can still become such a time as more is typed.
    bool canBecomeTime(const QString& text) const;

    // Whether a typed time is being entered (the field shows the typing).
    bool isTyping() const;

signals:
    // A typed time was taken, whether or not it differs from the time the
    // field held (timeChanged tells only a change).
    void timeTyped(QTime time);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    bool wholeTextSelected() const;
    void showTyped(const QString& typed);
    // Takes the typed time when it is whole (keep) or drops it, and shows
    // the field's time again.
    void endTyping(bool keep);

    bool m_typing = false;
    QString m_typed;
};
