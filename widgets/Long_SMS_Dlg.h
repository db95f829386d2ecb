#pragma once
// The shared modal dialog for long messages and questions, with an optional
// apply-to-all box whose state at OK is left in Msg_Apply_All_Chk.

#include <QDialog>
#include <QPointer>
#include <QString>
#include <memory>
#include <optional>

namespace Ui {
class Long_SMS_Dlg;
}
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class Long_SMS_Dlg : public QDialog {
    Q_OBJECT
public:
    // The one instance (created on first use, on the GUI thread; deleted when
    // the application quits).
    static Long_SMS_Dlg* defaultInstance();

    explicit Long_SMS_Dlg(QWidget* parent = nullptr);
    ~Long_SMS_Dlg() override;

    // Runs the dialog modally: 1 for OK (Yes), 0 for No.
    int Open_Long_sms_Dialog();

    // For one opening only: the caller's own title and text (shown with the
    // No button, for questions) and whether the apply-to-all box shows.
    // Without an own title the dialog shows Cutom_Msg_Title and Cutom_Msg_Val.
    std::optional<QString> title_val;
    QString msg_val_str;
    bool apply_chk_show = false;

public slots:
    void OKPressed();
    void CancelPressed();

private:
    void awakeFromNib();

    std::unique_ptr<Ui::Long_SMS_Dlg> ui;
    QLabel* _Msg_Title = nullptr;
    QPlainTextEdit* _Msg_Val = nullptr;
    QCheckBox* apply_chk = nullptr;
    QPushButton* yes_button = nullptr;
    QPushButton* no_button = nullptr;

    static QPointer<Long_SMS_Dlg> Long_SMS_DefaultInstance;
};
