// The transport: the call contract checked with a recording stand-in script,
// and our mail script against a loopback SMTP server.
#include "MailTestSupport.h"
#include "common/TestSupport.h"
#include "core/globals.h"
#include "output/core/MailTransport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Writes its arguments, environment and standard input as JSON.
const char* kRecorder = R"(import json, os, sys
data = sys.stdin.buffer.read()
# The environment the process was given (Python may add LC_CTYPE to its own).
env = dict(v.split("=", 1) for v in open("/proc/self/environ").read().split("\0") if v)
json.dump({"argv": sys.argv, "env": env, "stdin": list(data),
           "flags": [sys.flags.isolated]},
          open(os.path.join(os.path.dirname(sys.argv[0]), "record.json"), "w"))
sys.exit(int(sys.argv[5].split("@")[0][-1]) if sys.argv[5].startswith("exit") else 0)
)";

class RecordedCall : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        QFile script(m_dir.filePath(QStringLiteral("pyth_mail.py")));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(kRecorder);
        script.close();
        m_saved = Resource_Path;
        Resource_Path = m_dir.path();
    }
    void TearDown() override { Resource_Path = m_saved; }

    QString field(const QString& expression) const {
        const auto run = testsupport::runProcess(
            QStringLiteral("/usr/bin/python3"),
            {QStringLiteral("-c"),
             QStringLiteral("import json,sys; r=json.load(open(sys.argv[1])); print(json.dumps(") +
                 expression + QStringLiteral(", ensure_ascii=False))"),
             m_dir.filePath(QStringLiteral("record.json"))});
        return QString::fromUtf8(run.out).trimmed();
    }

    QTemporaryDir m_dir;
    QString m_saved;
};

MailMessage sample() {
    MailMessage m;
    m.recipient = QStringLiteral("to@example.org");
    m.subject = QStringLiteral("Hello there");
    m.attachments = {QStringLiteral("/tmp/a b.jpeg"), QStringLiteral("/tmp/c.png")};
    m.sender = QStringLiteral("me@example.com");
    m.password = QStringLiteral("gëheim pass");
    m.server = QStringLiteral("smtp.example.com");
    m.port = QStringLiteral("587");
    m.body = QStringLiteral("Line one\nLine two");
    m.ssl = QStringLiteral("Y");
    return m;
}

TEST_F(RecordedCall, ArgumentsEnvironmentAndStandardInput) {
    if (!QFileInfo(kMailInterpreter).isExecutable()) {
        GTEST_SKIP() << "no /usr/bin/python3";
    }
    ASSERT_TRUE(sendEmail_pyth(sample()));
    const QString script = m_dir.filePath(QStringLiteral("pyth_mail.py"));
    EXPECT_EQ(field(QStringLiteral("r['argv']")),
              QStringLiteral("[\"%1\", \"me@example.com\", \"smtp.example.com\", \"587\", "
                             "\"me@example.com\", \"to@example.org\", \"Hello there\", "
                             "\"Line one\\nLine two\", \"Y\", \"/tmp/a b.jpeg\", \"/tmp/c.png\"]")
                  .arg(script));
    EXPECT_EQ(
        field(QStringLiteral("sorted(r['env'].items())")),
        QStringLiteral("[[\"PATH\", \"/bin:/usr/bin:/usr/local/bin\"], [\"PYTHONPATH\", \"\"]]"));
    EXPECT_EQ(field(QStringLiteral("bytes(r['stdin']).decode('utf-8')")),
              QStringLiteral("\"gëheim pass\\nDescription\""));
    EXPECT_EQ(field(QStringLiteral("r['flags']")), QStringLiteral("[1]"));
    EXPECT_EQ(field(QStringLiteral("'gëheim' in ' '.join(r['argv'])")), QStringLiteral("false"));
}

TEST_F(RecordedCall, EmptyPasswordStillSendsItsLineAndTlsFlagIsYOrN) {
    if (!QFileInfo(kMailInterpreter).isExecutable()) {
        GTEST_SKIP() << "no /usr/bin/python3";
    }
    MailMessage m = sample();
    m.password.clear();
    m.ssl = QStringLiteral("maybe");
    m.attachments.clear();
    ASSERT_TRUE(sendEmail_pyth(m));
    EXPECT_EQ(field(QStringLiteral("bytes(r['stdin']).decode()")),
              QStringLiteral("\"\\nDescription\""));
    EXPECT_EQ(field(QStringLiteral("r['argv'][8:]")), QStringLiteral("[\"N\"]"));
}

TEST_F(RecordedCall, ANonZeroExitOrAMissingScriptIsAFailure) {
    if (!QFileInfo(kMailInterpreter).isExecutable()) {
        GTEST_SKIP() << "no /usr/bin/python3";
    }
    MailMessage m = sample();
    m.recipient = QStringLiteral("exit3@example.org");
    EXPECT_FALSE(sendEmail_pyth(m));
    Resource_Path = m_dir.filePath(QStringLiteral("nowhere"));
    EXPECT_FALSE(sendEmail_pyth(sample()));
}

class RealScript : public ::testing::Test {
protected:
    void SetUp() override {
        if (!mailtest::haveAiosmtpd()) {
            GTEST_SKIP() << "python3-aiosmtpd not installed";
        }
    }
    mailtest::SourceResources m_resources;
};

TEST_F(RealScript, MessageAndAttachmentsArriveWithANonAsciiPassword) {
    const QString password = QStringLiteral("Pässwörd 1");
    mailtest::LoopbackSmtp server(QStringLiteral("me@example.com"), password);
    ASSERT_TRUE(server.ok());
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("card.jpeg"));
    QByteArray bytes("\x89PNG\r\n\x1a\n", 8);
    for (int i = 0; i < 3000; ++i) {
        bytes.append(char(i * 7));
    }
    QFile f(png);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    const QString text = dir.filePath(QStringLiteral("notes.txt"));
    QFile t(text);
    ASSERT_TRUE(t.open(QIODevice::WriteOnly));
    t.write("plain words\n");
    t.close();

    MailMessage m;
    m.recipient = QStringLiteral("guest@example.org");
    m.subject = QStringLiteral("Invitation für dich");
    m.attachments = {png, text};
    m.sender = QStringLiteral("me@example.com");
    m.password = password;
    m.server = QStringLiteral("127.0.0.1");
    m.port = QString::number(server.port());
    m.body = QStringLiteral("See you there.");
    m.ssl = QStringLiteral("N");
    ASSERT_TRUE(sendEmail_pyth(m));
    const auto messages = server.messages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(mailtest::messagePart(messages[0], QStringLiteral("subject")),
              QStringLiteral("Invitation für dich").toUtf8());
    EXPECT_EQ(mailtest::messagePart(messages[0], QStringLiteral("to")), "guest@example.org");
    EXPECT_EQ(mailtest::messagePart(messages[0], QStringLiteral("attachments")), "2");
    EXPECT_TRUE(mailtest::messagePart(messages[0], QStringLiteral("attachment:0")) == bytes);
    EXPECT_EQ(mailtest::messagePart(messages[0], QStringLiteral("attachment-type:0")), "image/png");
    EXPECT_EQ(mailtest::messagePart(messages[0], QStringLiteral("attachment-name:0")), "card.jpeg");
    EXPECT_EQ(mailtest::messagePart(messages[0], QStringLiteral("attachment:1")), "plain words\n");
}

TEST_F(RealScript, WrongPasswordClosedPortAndMissingAttachmentFailQuickly) {
    mailtest::LoopbackSmtp server(QStringLiteral("me@example.com"), QStringLiteral("right"));
    ASSERT_TRUE(server.ok());
    MailMessage m;
    m.recipient = QStringLiteral("guest@example.org");
    m.subject = QStringLiteral("Hi");
    m.sender = QStringLiteral("me@example.com");
    m.password = QStringLiteral("wrong");
    m.server = QStringLiteral("127.0.0.1");
    m.port = QString::number(server.port());
    m.ssl = QStringLiteral("N");
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(sendEmail_pyth(m));

    // A port nobody listens on: taken and released again.
    const auto probe = testsupport::runProcess(
        QStringLiteral("/usr/bin/python3"),
        {QStringLiteral("-c"),
         QStringLiteral("import socket; s=socket.socket(); "
                        "s.bind(('127.0.0.1',0)); print(s.getsockname()[1])")});
    const int closed = probe.out.trimmed().toInt();
    ASSERT_GT(closed, 0);
    m.password = QStringLiteral("right");
    m.port = QString::number(closed);
    EXPECT_FALSE(sendEmail_pyth(m));

    m.port = QString::number(server.port());
    m.attachments = {QStringLiteral("/nonexistent/card.png")};
    EXPECT_FALSE(sendEmail_pyth(m));
    EXPECT_LT(clock.elapsed(), 30000);
    EXPECT_TRUE(server.messages().isEmpty());
}

TEST_F(RealScript, ALineBreakInAHeaderIsRefused) {
    mailtest::LoopbackSmtp server(QStringLiteral("me@example.com"), QStringLiteral("right"));
    ASSERT_TRUE(server.ok());
    MailMessage m;
    m.recipient = QStringLiteral("guest@example.org");
    m.subject = QStringLiteral("Hi\r\nBcc: victim@example.net");
    m.sender = QStringLiteral("me@example.com");
    m.password = QStringLiteral("right");
    m.server = QStringLiteral("127.0.0.1");
    m.port = QString::number(server.port());
    m.ssl = QStringLiteral("N");
    EXPECT_FALSE(sendEmail_pyth(m));
    m.subject = QStringLiteral("Hi");
    m.recipient = QStringLiteral("guest@example.org\nBcc: victim@example.net");
    EXPECT_FALSE(sendEmail_pyth(m));
    EXPECT_TRUE(server.messages().isEmpty());
}

} // namespace
