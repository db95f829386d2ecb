#include "widgets/FloatSlider.h"

#include <cmath>

namespace {
int toSteps(double value) {
    return static_cast<int>(std::lround(value * FloatSlider::kStepsPerUnit));
}
} // namespace

FloatSlider::FloatSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    setRange(toSteps(-100.0), toSteps(100.0));
    // actionTriggered comes before the value moves; sliderReleased and
    // valueChanged during a user action carry the new value.
    connect(this, &QSlider::actionTriggered, this, [this](int) {
        QMetaObject::invokeMethod(
            this, [this] { emit userValueChanged(floatValue()); }, Qt::QueuedConnection);
    });
}

void FloatSlider::setFloatValue(double value) {
    const QSignalBlocker blocker(this);
    setValue(toSteps(value));
}

void FloatSlider::setFloatMinimum(double value) {
    setMinimum(toSteps(value));
}

void FloatSlider::setFloatMaximum(double value) {
    setMaximum(toSteps(value));
}
