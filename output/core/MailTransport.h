#pragma once
// One mail through the mail script: `/usr/bin/python3 -I` runs
// <Resource_Path>/pyth_mail.py with the account and message on its command
// line and the password on its standard input, in an environment of exactly
// two variables. The settings window's test mail and every mail of a sending
// run go through here.

#include <QString>
#include <QStringList>
#include <functional>

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

// Runs the script and waits for it on the calling thread (the process is
// made here). True only when it exited normally with code 0; a script that
// cannot be started is logged and counts as a failed mail.
bool sendEmail_pyth(const MailMessage& message);

using MailTransport = std::function<bool(const MailMessage&)>;
