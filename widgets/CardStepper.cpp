#include "widgets/CardStepper.h"

#include "widgets/TypedNumber.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

CardStepper::CardStepper(QWidget* parent)
    : QWidget(parent), m_up(new QToolButton(this)), m_down(new QToolButton(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton* button : {m_up, m_down}) {
        button->setAutoRepeat(true);
        button->setFixedSize(18, 11);
        layout->addWidget(button);
    }
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    connect(m_up, &QToolButton::clicked, this, [this] { stepBy(m_increment); });
    connect(m_down, &QToolButton::clicked, this, [this] { stepBy(-m_increment); });
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    // Reachable by the keyboard: the arrow keys step like the buttons.
    setFocusPolicy(Qt::StrongFocus);
}

void CardStepper::setDoubleValue(double value) {
    m_value = std::clamp(std::isfinite(value) ? value : 0.0, m_minimum, m_maximum);
}

void CardStepper::setMinimum(double value) {
    m_minimum = value;
    m_maximum = std::max(m_maximum, value);
    setDoubleValue(m_value);
}

void CardStepper::setMaximum(double value) {
    m_maximum = value;
    m_minimum = std::min(m_minimum, value);
    setDoubleValue(m_value);
}

void CardStepper::setPairedField(QLineEdit* field) {
    if (m_field) {
        disconnect(m_field, nullptr, this, nullptr);
    }
    m_field = field;
    if (m_field) {
        connect(m_field, &QLineEdit::editingFinished, this, &CardStepper::takeFieldText);
    }
}

void CardStepper::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up) {
        stepBy(m_increment);
    } else if (event->key() == Qt::Key_Down) {
        stepBy(-m_increment);
    } else {
        QWidget::keyPressEvent(event);
    }
}

double CardStepper::entered(double value) const {
    const double scale = std::pow(10.0, m_decimals);
    return std::clamp(std::round(value * scale) / scale, m_minimum, m_maximum);
}

void CardStepper::showValue() {
    if (m_field) {
        m_field->setText(QString::number(m_value));
    }
}

void CardStepper::stepBy(double delta) {
    m_value = entered(m_value + delta);
    showValue();
    emit stepped(m_value);
}

void CardStepper::takeFieldText() {
    const std::optional<double> typed = takeTypedNumber(m_field, [this] { showValue(); });
    if (!typed) {
        return;
    }
    m_value = entered(*typed);
    showValue();
    emit stepped(m_value);
}
