#pragma once
// The window shown when the program quits: asks for a review; OK and the
// review button both open the review page.

#include <QDialog>
#include <QPointer>
#include <memory>

namespace Ui {
class Review_Form;
}

class Review_Form : public QDialog {
    Q_OBJECT

public:
    static Review_Form* defaultInstance();
    explicit Review_Form(QWidget* parent = nullptr);
    ~Review_Form() override;

    // Runs the window modally and orders it out; answers the modal result
    // (0 when something failed, which is logged).
    int Open_Review_Form_Window();
    void OK_Clicked();
    void Review_Clicked();
    // Opens an address; a failure is logged.
    static void Open_Link(const QString& address);

    Ui::Review_Form* ui() const { return m_ui.get(); }

private:
    std::unique_ptr<Ui::Review_Form> m_ui;
    static QPointer<Review_Form> DefaultInstance;
};
