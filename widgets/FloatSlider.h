#pragma once
// A horizontal slider over a range of floating-point values (a hundred steps
// per unit). Setting the value from code emits nothing of ours;
// `userValueChanged` follows the user's moves only.

#include <QSlider>

class FloatSlider : public QSlider {
    Q_OBJECT
    Q_PROPERTY(double floatMinimum READ floatMinimum WRITE setFloatMinimum)
    Q_PROPERTY(double floatMaximum READ floatMaximum WRITE setFloatMaximum)

public:
    static constexpr double kStepsPerUnit = 100.0;

    explicit FloatSlider(QWidget* parent = nullptr);

    double floatValue() const { return value() / kStepsPerUnit; }
    void setFloatValue(double value);
    double floatMinimum() const { return minimum() / kStepsPerUnit; }
    double floatMaximum() const { return maximum() / kStepsPerUnit; }
    void setFloatMinimum(double value);
    void setFloatMaximum(double value);

signals:
    void userValueChanged(double value);
};
