#pragma once
// Support for the mail tests: a loopback SMTP server (aiosmtpd) run in a
// child process, received messages parsed by Python's email package, and a
// resource folder holding our mail script.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace mailtest {

// True when /usr/bin/python3 can import aiosmtpd.
bool haveAiosmtpd();

class LoopbackSmtp {
public:
    // modeArgs: none (plain), "starttls"/"implicit" with a certificate and
    // key, or "drop" and the number of the connection to drop.
    LoopbackSmtp(const QString& login, const QString& password, const QStringList& modeArgs = {});
    ~LoopbackSmtp();
    bool ok() const { return m_port > 0; }
    int port() const { return m_port; }
    // Received messages, oldest first (raw bytes).
    QList<QByteArray> messages() const;

private:
    QTemporaryDir m_folder;
    QProcess m_process;
    int m_port = 0;
};

// Sets Resource_Path to the source tree's resources for the object's life.
class SourceResources {
public:
    SourceResources();
    ~SourceResources();

private:
    QString m_saved;
};

// A field of a message: runs python's email parser; `what` is "subject",
// "to", "body" or "attachment:N" (the N-th attachment's bytes, base64),
// "attachment-name:N", "attachment-type:N", "attachments" (count).
QByteArray messagePart(const QByteArray& message, const QString& what);

} // namespace mailtest
