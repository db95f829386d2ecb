#include "widgets/Long_SMS_Dlg.h"

#include "core/SharedGlobals.h"
#include "ui_Long_SMS_Dlg.h"
#include "widgets/DialogOwner.h"
#include "widgets/GuiHooks.h"

#include <QCoreApplication>
#include <QPalette>

QPointer<Long_SMS_Dlg> Long_SMS_Dlg::Long_SMS_DefaultInstance;

Long_SMS_Dlg* Long_SMS_Dlg::defaultInstance() {
    if (!Long_SMS_DefaultInstance) {
        auto* dialog = new Long_SMS_Dlg();
        // Owned by the application: it lives until the program quits.
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, dialog,
                         &QObject::deleteLater);
    }
    return Long_SMS_DefaultInstance;
}

Long_SMS_Dlg::Long_SMS_Dlg(QWidget* parent) : QDialog(parent), ui(new Ui::Long_SMS_Dlg) {
    ui->setupUi(this);
    _Msg_Title = ui->_Msg_Title;
    _Msg_Val = ui->_Msg_Val;
    apply_chk = ui->apply_chk;
    yes_button = ui->yes_button;
    no_button = ui->no_button;
    connect(yes_button, &QPushButton::clicked, this, &Long_SMS_Dlg::OKPressed);
    connect(no_button, &QPushButton::clicked, this, &Long_SMS_Dlg::CancelPressed);
    if (!Long_SMS_DefaultInstance) {
        Long_SMS_DefaultInstance = this;
    }
    awakeFromNib();
}

Long_SMS_Dlg::~Long_SMS_Dlg() = default;

void Long_SMS_Dlg::awakeFromNib() {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(241, 244, 250));
    setPalette(palette);
    setAutoFillBackground(true);
}

int Long_SMS_Dlg::Open_Long_sms_Dialog() {
    if (title_val) {
        _Msg_Title->setText(*title_val);
        _Msg_Val->setPlainText(msg_val_str);
        no_button->show();
    } else {
        _Msg_Title->setText(Cutom_Msg_Title);
        _Msg_Val->setPlainText(Cutom_Msg_Val);
        no_button->hide();
    }
    apply_chk->setVisible(apply_chk_show);
    // Every opening starts with the box clear: a tick left from an earlier
    // question must not be reported by an opening that hides the box.
    apply_chk->setChecked(false);
    // The caller's own settings hold for this opening only.
    title_val.reset();
    msg_val_str.clear();
    apply_chk_show = false;

    // Shared by many windows: owned by the one the user is in.
    dialogs::ownBy(*this, nullptr);
    const int code = hooks::runModal(*this);
    hide();
    return code;
}

void Long_SMS_Dlg::OKPressed() {
    Msg_Apply_All_Chk = apply_chk->isChecked() ? 1 : 0;
    done(1);
}

void Long_SMS_Dlg::CancelPressed() {
    done(0);
}
