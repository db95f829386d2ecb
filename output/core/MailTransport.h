#pragma once
// One mail through the mail script: `/usr/bin/python3 -I` runs
// <Resource_Path>/pyth_mail.py with the account and message on its command
// line and the password on its standard input, in an environment of exactly
// two variables. The settings window's test mail and every mail of a sending
// run go through here.

#include <QString>
#include <QStringList>
#include <functional>
#include <utility>

struct MailMessage {
    QString recipient;
    QString subject;
    QStringList attachments;
    QString sender;
    QString password;
    QString server;
    QString port;
    QString body;
    QString ssl; // "Y" implicit TLS, anything else STARTTLS
};

inline const QString kMailInterpreter = QStringLiteral("/usr/bin/python3");
inline const QString kMailScriptName = QStringLiteral("pyth_mail.py");

// The program's arguments in order (no password among them).
QStringList mailScriptArguments(const QString& scriptPath, const MailMessage& message);
// The bytes written to the script's standard input.
QByteArray mailScriptInput(const MailMessage& message);

// What became of one mail: sent or not, and when not, the one-line reason
// the mail script gave (empty when it gave none). Converts to and from bool,
// so a transport may answer just true or false.
struct MailOutcome {
    MailOutcome(bool sentFlag = false, QString why = QString())
        : sent(sentFlag), reason(std::move(why)) {}
    operator bool() const { return sent; }
    bool sent;
    QString reason;
};

// The script's reason for a failed mail, taken from what it wrote to
// standard error: its last line starting with "pyth_mail: ", without that
// prefix, cut to one short line and with the password (if it ever showed)
// blotted out. Empty when there is no such line.
QString mailFailureReason(const QByteArray& standardError, const QString& password);

// The reason of a failed mail as it follows a failure message ("\n\nReason:
// ..."); empty without a reason.
QString mailReasonSuffix(const QString& reason);

// Runs the script and waits for it on the calling thread (the process is
// made here). Sent only when it exited normally with code 0; a script that
// cannot be started is logged and counts as a failed mail. What the script
// writes to standard error is passed on to the program's own.
MailOutcome sendEmail_pyth(const MailMessage& message);

using MailTransport = std::function<MailOutcome(const MailMessage&)>;
