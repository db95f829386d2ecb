#include "MailTestSupport.h"

#include "common/TestSupport.h"
#include "core/globals.h"

#include <QDir>
#include <QFile>

namespace mailtest {

bool haveAiosmtpd() {
    const auto run =
        testsupport::runProcess(QStringLiteral("/usr/bin/python3"),
                                {QStringLiteral("-c"), QStringLiteral("import aiosmtpd")});
    return run.started && run.exitCode == 0;
}

LoopbackSmtp::LoopbackSmtp(const QString& login, const QString& password,
                           const QStringList& modeArgs) {
    QStringList args{QStringLiteral(CARD_SOURCE_DIR "/tests/mail/smtp_server.py"), m_folder.path(),
                     login, password};
    args += modeArgs;
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.start(QStringLiteral("/usr/bin/python3"), args);
    if (!m_process.waitForStarted(10000)) {
        return;
    }
    QByteArray line;
    while (!line.contains('\n') && m_process.waitForReadyRead(20000)) {
        line += m_process.readAllStandardOutput();
    }
    m_port = line.trimmed().toInt();
}

LoopbackSmtp::~LoopbackSmtp() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(10000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
}

QList<QByteArray> LoopbackSmtp::messages() const {
    QList<QByteArray> list;
    for (int n = 1;; ++n) {
        QFile file(QDir(m_folder.path()).filePath(QStringLiteral("%1.eml").arg(n)));
        if (!file.open(QIODevice::ReadOnly)) {
            break;
        }
        list << file.readAll();
    }
    return list;
}

SourceResources::SourceResources() : m_saved(Resource_Path) {
    Resource_Path = QStringLiteral(CARD_SOURCE_DIR "/resources");
}

SourceResources::~SourceResources() {
    Resource_Path = m_saved;
}

QByteArray messagePart(const QByteArray& message, const QString& what) {
    static const QString script = QStringLiteral(R"(
import sys, base64, email, email.policy
msg = email.message_from_bytes(sys.stdin.buffer.read(), policy=email.policy.default)
what = sys.argv[1]
atts = list(msg.iter_attachments())
if what == "subject": out = msg["Subject"]
elif what == "to": out = msg["To"]
elif what == "from": out = msg["From"]
elif what == "body": out = msg.get_body(("plain",)).get_content()
elif what == "attachments": out = str(len(atts))
else:
    kind, n = what.split(":"); a = atts[int(n)]
    if kind == "attachment": out = base64.b64encode(a.get_content()).decode()
    elif kind == "attachment-name": out = a.get_filename()
    else: out = a.get_content_type()
sys.stdout.write(out)
)");
    const auto run = testsupport::runProcess(QStringLiteral("/usr/bin/python3"),
                                             {QStringLiteral("-c"), script, what}, message);
    if (what.startsWith(QLatin1String("attachment:"))) {
        return QByteArray::fromBase64(run.out);
    }
    return run.out;
}

} // namespace mailtest
