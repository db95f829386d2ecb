#include "output/core/MailTransport.h"

#include "core/MessageFunctions.h"
#include "core/globals.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>

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

bool sendEmail_pyth(const MailMessage& message) {
    const QString script = QDir(Resource_Path).filePath(kMailScriptName);
    QProcess process;
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("PYTHONPATH"), QString());
    environment.insert(QStringLiteral("PATH"), QStringLiteral("/bin:/usr/bin:/usr/local/bin"));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(kMailInterpreter, mailScriptArguments(script, message));
    if (!process.waitForStarted(-1)) {
        Show_NSLog_Message(
            QStringLiteral("Could not start the mail script: %1").arg(process.errorString()));
        return false;
    }
    process.write(mailScriptInput(message));
    process.waitForBytesWritten(-1);
    process.closeWriteChannel();
    process.waitForFinished(-1);
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}
