#include "output/core/MailTransport.h"

#include "core/MessageFunctions.h"
#include "core/globals.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <cstdio>

QStringList mailScriptArguments(const QString& scriptPath, const MailMessage& message) {
    // -I: the script's folder, the user's site folder and PYTHON* variables
    // stay off the module path.
    QStringList args{QStringLiteral("-I"),
                     scriptPath,
                     message.sender,
                     message.server,
                     message.port,
                     message.sender,
                     message.recipient,
                     message.subject,
                     message.body,
                     message.ssl == QLatin1String("Y") ? QStringLiteral("Y") : QStringLiteral("N")};
    args += message.attachments;
    return args;
}

QByteArray mailScriptInput(const MailMessage& message) {
    return message.password.toUtf8() + "\n" + QByteArrayLiteral("Description");
}

QString mailFailureReason(const QByteArray& standardError, const QString& password) {
    static const QString prefix = QStringLiteral("pyth_mail: ");
    constexpr int kLongest = 200;
    const QStringList lines = QString::fromUtf8(standardError).split(QLatin1Char('\n'));
    for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
        if (!line->startsWith(prefix)) {
            continue;
        }
        QString reason = line->mid(prefix.size());
        // The script never prints the password; should a server echo it
        // back, it is blotted out all the same.
        if (!password.isEmpty()) {
            reason.replace(password, QStringLiteral("********"));
        }
        for (QChar& c : reason) {
            if (c.category() == QChar::Other_Control) {
                c = QLatin1Char(' ');
            }
        }
        reason = reason.trimmed();
        if (reason.size() > kLongest) {
            reason = reason.left(kLongest) + QStringLiteral("...");
        }
        return reason;
    }
    return QString();
}

QString mailReasonSuffix(const QString& reason) {
    return reason.isEmpty() ? QString() : QStringLiteral("\n\nReason: %1").arg(reason);
}

MailOutcome sendEmail_pyth(const MailMessage& message) {
    const QString script = QDir(Resource_Path).filePath(kMailScriptName);
    QProcess process;
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("PYTHONPATH"), QString());
    environment.insert(QStringLiteral("PATH"), QStringLiteral("/bin:/usr/bin:/usr/local/bin"));
    process.setProcessEnvironment(environment);
    // Standard error is read for the reason of a failure.
    process.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    process.start(kMailInterpreter, mailScriptArguments(script, message));
    if (!process.waitForStarted(-1)) {
        const QString reason =
            QStringLiteral("Could not start the mail script: %1").arg(process.errorString());
        Show_NSLog_Message(reason);
        return MailOutcome(false, reason);
    }
    process.write(mailScriptInput(message));
    process.waitForBytesWritten(-1);
    process.closeWriteChannel();
    process.waitForFinished(-1);
    const QByteArray standardError = process.readAllStandardError();
    if (!standardError.isEmpty()) {
        std::fwrite(standardError.constData(), 1, size_t(standardError.size()), stderr);
        std::fflush(stderr);
    }
    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0) {
        return MailOutcome(true);
    }
    return MailOutcome(false, mailFailureReason(standardError, message.password));
}
