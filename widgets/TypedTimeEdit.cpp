#include "widgets/TypedTimeEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpression>
#include <QSignalBlocker>

namespace {

// The spellings of a whole time: group 1 to 3 a 12-hour time with its
// AM/PM word, group 4 and 5 a 24-hour time.
QRegularExpression spellingsFor(const QLocale& locale) {
    QStringList words = {QStringLiteral("AM"), QStringLiteral("PM"), QStringLiteral("A"),
                         QStringLiteral("P")};
    for (const QString& word : {locale.amText(), locale.pmText()}) {
        if (!word.isEmpty()) {
            words << QRegularExpression::escape(word);
        }
    }
    const QString pattern =
        QStringLiteral("^(?:(0?[1-9]|1[0-2]):([0-5][0-9]) ?(%1)|([01]?[0-9]|2[0-3]):([0-5][0-9]))$")
            .arg(words.join(QLatin1Char('|')));
    return QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption);
}

// Whether the word names the afternoon: PM, P or the locale's PM text.
bool isAfternoon(const QString& word, const QLocale& locale) {
    const QString lower = word.toLower();
    return lower == QLatin1String("pm") || lower == QLatin1String("p") ||
           (!locale.pmText().isEmpty() && lower == locale.pmText().toLower() &&
            lower != locale.amText().toLower());
}

bool isPlainTyping(const QKeyEvent* event) {
    return !(event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier));
}

} // namespace

TypedTimeEdit::TypedTimeEdit(QWidget* parent) : QTimeEdit(parent) {}

QTime TypedTimeEdit::timeFromTyping(const QString& text) const {
    const QRegularExpressionMatch match = spellingsFor(locale()).match(text);
    if (!match.hasMatch()) {
        return {};
    }
    if (match.capturedLength(1) > 0) {
        const int hour = match.captured(1).toInt() % 12;
        const int afternoon = isAfternoon(match.captured(3), locale()) ? 12 : 0;
        return QTime(hour + afternoon, match.captured(2).toInt());
    }
    return QTime(match.captured(4).toInt(), match.captured(5).toInt());
}

bool TypedTimeEdit::canBecomeTime(const QString& text) const {
    const QRegularExpressionMatch match =
        spellingsFor(locale()).match(text, 0, QRegularExpression::PartialPreferCompleteMatch);
    return match.hasMatch() || match.hasPartialMatch();
}

bool TypedTimeEdit::isTyping() const {
    // Anything that showed the time again (a new value, a style change)
    // ended the typing.
    return m_typing && lineEdit()->text() == m_typed;
}

bool TypedTimeEdit::wholeTextSelected() const {
    const QLineEdit* edit = lineEdit();
    return edit->hasSelectedText() && edit->selectedText() == edit->text();
}

void TypedTimeEdit::showTyped(const QString& typed) {
    m_typing = true;
    // Shown without the spin box hearing it: it would read the partial text
    // as a time and put its own back.
    const QSignalBlocker blocker(lineEdit());
    lineEdit()->setText(typed);
    lineEdit()->setCursorPosition(static_cast<int>(typed.size()));
    // As the field shows it (it may show the letters in capitals).
    m_typed = lineEdit()->text();
}

void TypedTimeEdit::endTyping(bool keep) {
    if (!isTyping()) {
        m_typing = false;
        return;
    }
    m_typing = false;
    const QString typed = std::exchange(m_typed, QString());
    const QTime time = keep ? timeFromTyping(typed) : QTime();
    if (time.isValid()) {
        setTime(time);
    } else if (keep && !typed.isEmpty()) {
        QApplication::beep();
    }
    const QString shown = textFromDateTime(dateTime());
    if (lineEdit()->text() != shown) {
        const QSignalBlocker blocker(lineEdit());
        lineEdit()->setText(shown);
    }
    if (time.isValid()) {
        emit timeTyped(time);
    }
}

void TypedTimeEdit::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    const bool printable = isPlainTyping(event) && !text.isEmpty() && text.at(0).isPrint();
    if (!isTyping()) {
        m_typing = false;
        const bool erase = event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete;
        if (wholeTextSelected() && isPlainTyping(event) &&
            ((printable && text.at(0).isDigit()) || erase)) {
            showTyped(erase ? QString() : text);
            event->accept();
            return;
        }
        if (printable && text == QLatin1String(" ") && currentSection() == AmPmSection) {
            // The space before AM or PM is already there; typed into the
            // section it would replace the word and the section would be
            // lost.
            event->accept();
            return;
        }
        QTimeEdit::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Backspace:
        showTyped(m_typed.chopped(std::min<qsizetype>(1, m_typed.size())));
        event->accept();
        return;
    case Qt::Key_Escape:
        endTyping(false);
        event->accept();
        return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        focusNextPrevChild(event->key() == Qt::Key_Tab &&
                           !event->modifiers().testFlag(Qt::ShiftModifier));
        event->accept();
        return;
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
        // Held for the next character (Shift for ':' or a capital).
        event->accept();
        return;
    default:
        break;
    }
    if (printable) {
        const QString candidate = m_typed + text;
        if (canBecomeTime(candidate)) {
            showTyped(candidate);
        } else {
            QApplication::beep();
        }
        event->accept();
        return;
    }
    // Return, the arrows and the rest act on the time typed.
    endTyping(true);
    QTimeEdit::keyPressEvent(event);
}

bool TypedTimeEdit::focusNextPrevChild(bool next) {
    if (isTyping()) {
        // The typed time is taken and the focus moves on to the next
        // control, not to the next section of this one.
        endTyping(true);
        return QWidget::focusNextPrevChild(next);
    }
    return QTimeEdit::focusNextPrevChild(next);
}

void TypedTimeEdit::focusOutEvent(QFocusEvent* event) {
    endTyping(true);
    QTimeEdit::focusOutEvent(event);
}

void TypedTimeEdit::mousePressEvent(QMouseEvent* event) {
    endTyping(true);
    QTimeEdit::mousePressEvent(event);
}

void TypedTimeEdit::wheelEvent(QWheelEvent* event) {
    endTyping(true);
    QTimeEdit::wheelEvent(event);
}
