#include "widgets/CardStepper.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

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
}

void CardStepper::setDoubleValue(double value) {
    m_value = std::clamp(value, m_minimum, m_maximum);
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

void CardStepper::stepBy(double delta) {
    setDoubleValue(m_value + delta);
    if (m_field) {
        m_field->setText(QString::number(m_value));
    }
    emit stepped(m_value);
}

void CardStepper::takeFieldText() {
    if (!m_field || !m_field->isModified()) {
        return;
    }
    m_field->setModified(false);
    bool ok = false;
    const double typed = m_field->text().trimmed().toDouble(&ok);
    if (!ok) {
        m_field->setText(QString::number(m_value));
        return;
    }
    setDoubleValue(typed);
    m_field->setText(QString::number(m_value));
    emit stepped(m_value);
}
