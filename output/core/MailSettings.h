#pragma once
// The sender's e-mail account: the settings file in the resource folder
// ("com.vosk.card.plist", an XML property list of strings), its store
// `Preferences`, the process-wide copies the mail windows read, and the
// address test both mail windows use.

#include <QMap>
#include <QString>

// Process-wide copies of the settings (Get_Email_Details fills them). Read
// on the GUI thread; a mail run copies them into its job before it starts.
inline QString sender_email;
inline QString sender_pwd;
inline QString sending_server;
inline QString sending_port;
inline QString send_enable_ssl;

inline const QString kEmailSettingsFileName = QStringLiteral("com.vosk.card.plist");

// A store read from the settings file when made. Nothing is written until
// flush(): a missing file is created empty (0 bytes, mode 0600) so the
// account never becomes readable by others, and a file that exists but does
// not read is left exactly as it is.
class Preferences {
public:
    // A new store read from the file now (every caller sees the file as last
    // flushed).
    static Preferences sharedInstance();
    explicit Preferences(const QString& path);

    // Writes the settings as an XML property list through a temporary file
    // renamed over the old one; the file keeps mode 0600. False when the
    // write failed (the old file is then whole).
    bool flush() const;
    // Recipient, sender, password, server and port become empty (not the
    // SSL flag).
    void setDefaults();

    // A missing key answers a null string.
    QString send_email_Recipient() const { return value(QStringLiteral("SendEmailRecipient")); }
    QString send_email_SenderEmail() const { return value(QStringLiteral("SendEmailSender")); }
    QString send_email_Password() const { return value(QStringLiteral("SendEmailPwd")); }
    QString send_email_SMTP_server() const { return value(QStringLiteral("SendEmailSMTP")); }
    QString send_email_PORT_num() const { return value(QStringLiteral("SendEmailPORT")); }
    QString send_email_enable_ssl() const { return value(QStringLiteral("SendEnableSSL")); }

    void setsend_email_Recipient(const QString& v) {
        mDict[QStringLiteral("SendEmailRecipient")] = v;
    }
    void setsend_email_SenderEmail(const QString& v) {
        mDict[QStringLiteral("SendEmailSender")] = v;
    }
    void setsend_email_Password(const QString& v) { mDict[QStringLiteral("SendEmailPwd")] = v; }
    void setsend_email_SMTP_server(const QString& v) { mDict[QStringLiteral("SendEmailSMTP")] = v; }
    void setsend_email_PORT_num(const QString& v) { mDict[QStringLiteral("SendEmailPORT")] = v; }
    void setsend_email_enable_ssl(const QString& v) { mDict[QStringLiteral("SendEnableSSL")] = v; }

    const QString& path() const { return mPreferencesPath; }

private:
    QString value(const QString& key) const { return mDict.value(key); }

    QString mPreferencesPath;
    QMap<QString, QString> mDict;
};

// The settings file's path: Resource_Path + "/com.vosk.card.plist".
QString emailSettingsPath();

// Copies a fresh store into the five process-wide strings.
void Get_Email_Details();

// The address test: trimmed, at least 6 characters, exactly one "@", and at
// least one ".".
bool isValidEmail(const QString& text);
