#include "output/Email_Setting.h"

#include "core/FileFunctions.h"
#include "core/MessageFunctions.h"
#include "output/core/MailSettings.h"
#include "ui_Email_Setting.h"
#include "widgets/AppOwned.h"
#include "widgets/GuiHooks.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QLabel>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <thread>

QPointer<Email_Setting> Email_Setting::DefaultInstance;

bool Email_Setting::isValidPort(const QString& text) {
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,5}$"));
    if (!digits.match(text).hasMatch()) {
        return false;
    }
    const int port = text.toInt();
    return port >= 1 && port <= 65535;
}

Email_Setting* Email_Setting::defaultInstance() {
    return appOwnedInstance(DefaultInstance);
}

Email_Setting::Email_Setting(QWidget* parent) : QDialog(parent), m_ui(new Ui::Email_Setting) {
    m_ui->setupUi(this);
    _send_mail_to = m_ui->_send_mail_to;
    _send_mail_sender_mail = m_ui->_send_mail_sender_mail;
    _send_mail_password = m_ui->_send_mail_password;
    _send_mail_smtp = m_ui->_send_mail_smtp;
    _send_mail_port = m_ui->_send_mail_port;
    _send_mail_test_mail = m_ui->_send_mail_test_mail;
    _send_mail_result_status = m_ui->_send_mail_result_status;
    _send_mail_ssl = m_ui->_send_mail_ssl;
    _send_mail_tls = m_ui->_send_mail_tls;
    // A port is a whole number: the field takes digits only.
    _send_mail_port->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,5}")), _send_mail_port));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(241, 244, 250));
    setPalette(palette);
    setAutoFillBackground(true);

    plz_wait_Window = new QDialog(this);
    plz_wait_Window->setWindowModality(Qt::WindowModal);
    plz_wait_Window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* waitLayout = new QVBoxLayout(plz_wait_Window);
    waitLayout->addWidget(new QLabel(QStringLiteral("Please wait..."), plz_wait_Window));

    connect(m_ui->saveButton, &QPushButton::clicked, this, &Email_Setting::Save_Button);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &Email_Setting::Close_Button);
    connect(m_ui->sendTestButton, &QPushButton::clicked, this, &Email_Setting::Send_Test_Email);
    connect(m_ui->resetButton, &QPushButton::clicked, this, &Email_Setting::Reset_Button);
    connect(_send_mail_ssl, &QRadioButton::clicked, this, &Email_Setting::SSL_Selected);
    connect(_send_mail_tls, &QRadioButton::clicked, this, &Email_Setting::TLS_Selected);
}

Email_Setting::~Email_Setting() = default;

int Email_Setting::Open_Wnd() {
    loadPreferences();
    const int answer = hooks::runModal(*this);
    hide();
    return answer;
}

void Email_Setting::loadPreferences() {
    const Preferences store = Preferences::sharedInstance();
    _send_mail_to->setText(store.send_email_Recipient());
    _send_mail_sender_mail->setText(store.send_email_SenderEmail());
    _send_mail_password->setText(store.send_email_Password());
    _send_mail_smtp->setText(store.send_email_SMTP_server());
    _send_mail_port->setText(store.send_email_PORT_num());
    const bool ssl = store.send_email_enable_ssl() == QLatin1String("Y");
    _send_mail_ssl->setChecked(ssl);
    _send_mail_tls->setChecked(!ssl);
}

QString Email_Setting::sslFlag() const {
    return _send_mail_ssl->isChecked() && !_send_mail_tls->isChecked() ? QStringLiteral("Y")
                                                                       : QStringLiteral("N");
}

bool Email_Setting::flushPreferences() {
    Preferences store = Preferences::sharedInstance();
    store.setsend_email_Recipient(_send_mail_to->text());
    store.setsend_email_SenderEmail(_send_mail_sender_mail->text());
    store.setsend_email_SMTP_server(_send_mail_smtp->text());
    store.setsend_email_PORT_num(_send_mail_port->text());
    store.setsend_email_Password(_send_mail_password->text());
    store.setsend_email_enable_ssl(sslFlag());
    if (!store.flush()) {
        Show_NSLog_Message(QStringLiteral("Could not write the e-mail settings file."));
        return false;
    }
    return true;
}

bool Email_Setting::Check_Validation(bool withRecipient) {
    auto refuse = [](QLineEdit* field, const QString& message) {
        Show_MessageBox(message);
        field->setFocus();
        return false;
    };
    const QString sender = _send_mail_sender_mail->text().toLower();
    if (sender.isEmpty()) {
        return refuse(_send_mail_sender_mail, QStringLiteral("Please enter sender E-mail."));
    }
    if (!isValidEmail(sender)) {
        return refuse(_send_mail_sender_mail,
                      QStringLiteral("Please enter valid sender E-mail address."));
    }
    if (_send_mail_password->text().isEmpty()) {
        return refuse(_send_mail_password, QStringLiteral("Please enter password."));
    }
    if (_send_mail_smtp->text().isEmpty()) {
        return refuse(_send_mail_smtp, QStringLiteral("Please enter SMTP server."));
    }
    if (_send_mail_port->text().isEmpty()) {
        return refuse(_send_mail_port, QStringLiteral("Please enter port number."));
    }
    if (!isValidPort(_send_mail_port->text())) {
        return refuse(_send_mail_port, kPortRangeMessage);
    }
    if (withRecipient) {
        const QString recipient = _send_mail_to->text().toLower();
        if (recipient.isEmpty()) {
            return refuse(_send_mail_to, QStringLiteral("Please enter recipient E-mail address."));
        }
        if (!isValidEmail(recipient)) {
            return refuse(_send_mail_to,
                          QStringLiteral("Please enter valid recipient E-mail address."));
        }
    }
    return true;
}

void Email_Setting::Save_Button() {
    if (!Check_Validation(false)) {
        return;
    }
    // An account that cannot be written would be gone at the next start:
    // the window stays open with everything typed.
    if (!flushPreferences()) {
        Show_MessageBox(kSettingsNotSavedMessage);
        return;
    }
    done(1);
}

void Email_Setting::Close_Button() {
    done(0);
}

void Email_Setting::Send_Test_Email() {
    if (m_testRunning || !Check_Validation(true)) {
        return;
    }
    m_testRunning = true;
    MailMessage message;
    message.recipient = _send_mail_to->text().toLower();
    message.sender = _send_mail_sender_mail->text().toLower();
    message.password = _send_mail_password->text();
    message.server = _send_mail_smtp->text();
    message.port = _send_mail_port->text();
    message.ssl = sslFlag();
    const QString appName = QCoreApplication::applicationName();
    message.subject = appName + QStringLiteral(" Test Mail");
    message.body = QStringLiteral("This is test mail sent by ") + appName + QStringLiteral(".");

    _send_mail_result_status->setText(QStringLiteral("It may take a while, Please wait..."));
    plz_wait_Window->show();
    // The mail goes out on a thread of its own; this window keeps painting
    // in a local event loop until it is done.
    // Written by the worker, read after it is joined.
    MailOutcome outcome;
    QEventLoop loop;
    std::thread worker([&] {
        if (m_transport) {
            outcome = m_transport(message);
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    plz_wait_Window->hide();
    m_testRunning = false;
    const QString text = outcome.sent ? kTestMailSentMessage
                                      : kTestMailFailedMessage + mailReasonSuffix(outcome.reason);
    _send_mail_result_status->setText(text);
    Show_MessageBox(text);
}

void Email_Setting::Reset_Button() {
    if (Show_YES_NO_MessageBox(
            QStringLiteral("Are you sure you want to reset current email settings?")) != 1) {
        return;
    }
    Delete_File(emailSettingsPath());
    for (QLineEdit* field : {_send_mail_to, _send_mail_sender_mail, _send_mail_smtp,
                             _send_mail_port, _send_mail_password, _send_mail_test_mail}) {
        field->clear();
    }
    _send_mail_ssl->setChecked(false);
    _send_mail_tls->setChecked(true);
    Get_Email_Details();
}

void Email_Setting::SSL_Selected() {
    _send_mail_ssl->setChecked(true);
    _send_mail_tls->setChecked(false);
}

void Email_Setting::TLS_Selected() {
    _send_mail_ssl->setChecked(false);
    _send_mail_tls->setChecked(true);
}
