#pragma once
// The e-mail settings window: edits the sender's account in the settings
// file, checks it, and sends a test mail through the mail script while a
// please-wait sheet shows (the window keeps painting meanwhile).

#include "output/core/MailTransport.h"

#include <QDialog>
#include <QPointer>
#include <memory>

namespace Ui {
class Email_Setting;
}
class QLineEdit;
class QRadioButton;
class QLabel;

inline const QString kTestMailSentMessage = QStringLiteral("E-mail has been sent successfully.");
inline const QString kTestMailFailedMessage = QStringLiteral(
    "Please make sure that:\n1. Entered E-mail settings are correct.\n2. Internet connectivity to "
    "E-mail server is not interrupted and E-mail server is not down.\n3. Your Firewall or "
    "Security software (if any) is not blocking the software to communicate with your E-mail "
    "server.\n\nCould not send email.");

inline const QString kPortRangeMessage =
    QStringLiteral("Please enter a port number from 1 to 65535.");
inline const QString kSettingsNotSavedMessage =
    QStringLiteral("The e-mail settings could not be saved. Please make sure the program's "
                   "resource folder can be written, then save again.");

class Email_Setting : public QDialog {
    Q_OBJECT

public:
    static Email_Setting* defaultInstance();
    explicit Email_Setting(QWidget* parent = nullptr);
    ~Email_Setting() override;

    // Loads the fields from the settings file and runs the window modally;
    // answers 1 after Save, 0 after Close.
    int Open_Wnd();
    void loadPreferences();
    // Stores the fields in the settings file; false when it cannot be
    // written.
    bool flushPreferences();
    // A port number: digits only, 1 to 65535.
    static bool isValidPort(const QString& text);
    // The checks in order; on a failure shows its message, focuses the
    // field and answers false.
    bool Check_Validation(bool withRecipient);

    void Save_Button();
    void Close_Button();
    void Send_Test_Email();
    void Reset_Button();
    void SSL_Selected();
    void TLS_Selected();

    // The transport of the test mail (tests replace it).
    void setTransport(MailTransport transport) { m_transport = std::move(transport); }
    // The please-wait sheet, showing while a test mail is under way.
    QDialog* plz_wait_Window = nullptr;

    QLineEdit* _send_mail_to = nullptr;
    QLineEdit* _send_mail_sender_mail = nullptr;
    QLineEdit* _send_mail_password = nullptr;
    QLineEdit* _send_mail_smtp = nullptr;
    QLineEdit* _send_mail_port = nullptr;
    QLineEdit* _send_mail_test_mail = nullptr;
    QLabel* _send_mail_result_status = nullptr;
    QRadioButton* _send_mail_ssl = nullptr;
    QRadioButton* _send_mail_tls = nullptr;

private:
    QString sslFlag() const;

    std::unique_ptr<Ui::Email_Setting> m_ui;
    MailTransport m_transport = &sendEmail_pyth;
    bool m_testRunning = false;
    static QPointer<Email_Setting> DefaultInstance;
};
