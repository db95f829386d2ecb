#pragma once
// A stepper: a pair of small arrow buttons holding a number, paired with the
// text field that shows it. The stepper's value is what the program stores;
// the field only shows it and lets the user type a number. Setting the value
// from code emits nothing; `stepped` is emitted only for the user's clicks,
// arrow keys and typing. What the user enters is rounded to `decimals`
// places and kept inside the range, and the field shows that value.

#include <QLineEdit>
#include <QPointer>
#include <QWidget>

class QToolButton;

class CardStepper : public QWidget {
    Q_OBJECT
    Q_PROPERTY(double minimum READ minimum WRITE setMinimum)
    Q_PROPERTY(double maximum READ maximum WRITE setMaximum)
    Q_PROPERTY(double increment READ increment WRITE setIncrement)
    Q_PROPERTY(int decimals READ decimals WRITE setDecimals)

public:
    explicit CardStepper(QWidget* parent = nullptr);

    double doubleValue() const { return m_value; }
    float floatValue() const { return static_cast<float>(m_value); }
    // Truncated toward zero.
    int intValue() const { return static_cast<int>(m_value); }
    // Clamped into the range; emits nothing.
    void setDoubleValue(double value);

    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }
    double increment() const { return m_increment; }
    int decimals() const { return m_decimals; }
    void setMinimum(double value);
    void setMaximum(double value);
    void setIncrement(double value) { m_increment = value; }
    void setDecimals(int value) { m_decimals = qBound(0, value, 6); }

    // The field that shows the value. A user's step writes the value there;
    // a number the user types there (and confirms) becomes the value.
    void setPairedField(QLineEdit* field);
    QLineEdit* pairedField() const { return m_field; }

signals:
    void stepped(double value);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void stepBy(double delta);
    void takeFieldText();
    // Rounded to the stepper's places and clamped into its range.
    double entered(double value) const;
    void showValue();

    double m_value = 0.0;
    double m_minimum = -100000.0;
    double m_maximum = 100000.0;
    double m_increment = 1.0;
    int m_decimals = 6;
    QToolButton* m_up;
    QToolButton* m_down;
    QPointer<QLineEdit> m_field;
};
