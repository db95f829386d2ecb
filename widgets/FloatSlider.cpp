#include "widgets/FloatSlider.h"

#include "widgets/TypedNumber.h"

#include <QLineEdit>
#include <algorithm>
#include <cmath>

namespace {
int toSteps(double value) {
    return static_cast<int>(std::lround(value * FloatSlider::kStepsPerUnit));
}
} // namespace

FloatSlider::FloatSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    // The interface file gives each slider the range of what it sets.
    setRange(toSteps(0.0), toSteps(1.0));
    // actionTriggered comes before the value moves; sliderReleased and
    // valueChanged during a user action carry the new value.
    connect(this, &QSlider::actionTriggered, this, [this](int) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                showValue();
                emit userValueChanged(floatValue());
            },
            Qt::QueuedConnection);
    });
}

void FloatSlider::setFloatValue(double value) {
    const QSignalBlocker blocker(this);
    // QSlider keeps the value inside its range; a value that is no number
    // leaves it where it is.
    if (std::isfinite(value) && std::fabs(value) < 1e7) {
        setValue(toSteps(value));
    }
}

void FloatSlider::setFloatMinimum(double value) {
    setMinimum(toSteps(value));
}

void FloatSlider::setFloatMaximum(double value) {
    setMaximum(toSteps(value));
}

void FloatSlider::setValueField(QLineEdit* field) {
    if (m_field) {
        disconnect(m_field, nullptr, this, nullptr);
    }
    m_field = field;
    if (m_field) {
        connect(m_field, &QLineEdit::editingFinished, this, &FloatSlider::takeFieldText);
    }
}

void FloatSlider::showValue() {
    if (m_field) {
        m_field->setText(QString::number(floatValue()));
    }
}

void FloatSlider::takeFieldText() {
    const std::optional<double> typed = takeTypedNumber(m_field, [this] { showValue(); });
    if (!typed) {
        return;
    }
    setFloatValue(std::clamp(*typed, floatMinimum(), floatMaximum()));
    showValue();
    emit userValueChanged(floatValue());
}
