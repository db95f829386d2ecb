#pragma once
// A horizontal slider over a range of floating-point values (a hundred steps
// per unit), paired with the field that shows its value. Setting the value
// from code emits nothing of ours; `userValueChanged` follows the user's
// moves and the numbers the user types into the field (kept inside the
// range), and the field then shows the slider's value.

#include <QLineEdit>
#include <QPointer>
#include <QSlider>

class FloatSlider : public QSlider {
    Q_OBJECT
    Q_PROPERTY(double floatMinimum READ floatMinimum WRITE setFloatMinimum)
    Q_PROPERTY(double floatMaximum READ floatMaximum WRITE setFloatMaximum)

public:
    static constexpr double kStepsPerUnit = 100.0;

    explicit FloatSlider(QWidget* parent = nullptr);

    double floatValue() const { return value() / kStepsPerUnit; }
    // Clamped into the range; emits nothing.
    void setFloatValue(double value);
    double floatMinimum() const { return minimum() / kStepsPerUnit; }
    double floatMaximum() const { return maximum() / kStepsPerUnit; }
    void setFloatMinimum(double value);
    void setFloatMaximum(double value);

    // The field beside the slider: it shows the value after each user move,
    // and a number typed there (and confirmed) moves the slider.
    void setValueField(QLineEdit* field);
    QLineEdit* valueField() const { return m_field; }

signals:
    void userValueChanged(double value);

private:
    void takeFieldText();
    void showValue();

    QPointer<QLineEdit> m_field;
};
