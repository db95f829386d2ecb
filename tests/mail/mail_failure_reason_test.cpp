// A mail the server refuses, sent through the windows' buttons to a
// loopback server: the failure message carries the mail script's reason and
// never the password typed for the account.
#include "MailTestSupport.h"
#include "common/TestSupport.h"
#include "core/globals.h"
#include "output/Email_Setting.h"
#include "output/Send_Mail.h"
#include "output/core/MailRun.h"
#include "output/core/MailSettings.h"
#include "ui_Send_Mail.h"
#include "widgets/GuiHooks.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest/QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString kServerPassword = QStringLiteral("secret");
const QString kTypedPassword = QStringLiteral("Wrong-Pass-4417");

// The test mail of the settings window: its fields typed, its button
// clicked. Answers the alerts shown.
QStringList sendTestMail(int port) {
    Email_Setting w;
    w.show();
    QTest::keyClicks(w._send_mail_sender_mail, QStringLiteral("me@example.com"));
    QTest::keyClicks(w._send_mail_password, kTypedPassword);
    QTest::keyClicks(w._send_mail_smtp, QStringLiteral("127.0.0.1"));
    QTest::keyClicks(w._send_mail_port, QString::number(port));
    QTest::keyClicks(w._send_mail_to, QStringLiteral("friend@example.org"));
    w._send_mail_tls->click();
    testsupport::ScriptedAlerts alerts;
    w.findChild<QPushButton*>(QStringLiteral("sendTestButton"))->click();
    return alerts.texts();
}

// A mail without a card through the mail window's Send button to `to`, the
// account as stored settings give it.
QStringList sendFromMailWindow(int port, const QString& password = kTypedPassword,
                               const QString& to = QStringLiteral("friend@example.org")) {
    sender_pwd = password;
    sending_server = QStringLiteral("127.0.0.1");
    sending_port = QString::number(port);
    send_enable_ssl = QStringLiteral("N");
    Send_Mail w;
    w.resetWindow();
    w.show();
    Ui::Send_Mail* ui = w.ui();
    QTest::keyClicks(ui->from_txt, QStringLiteral("me@example.com"));
    QTest::keyClicks(ui->to_txt, to);
    ui->rd_without_barcode->click();
    testsupport::ScriptedAlerts alerts;
    ui->sendButton->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.isSending(); }, 60000));
    for (QString* account : {&sender_pwd, &sending_server, &sending_port, &send_enable_ssl}) {
        account->clear();
    }
    return alerts.texts();
}

// The mail script's resources in place, modal windows answered at once and
// a loopback server that knows kServerPassword; skips visibly without the
// server's python module.
class MailToLoopbackServer : public ::testing::Test {
protected:
    void SetUp() override {
        if (!mailtest::haveAiosmtpd()) {
            GTEST_SKIP() << "python3-aiosmtpd not installed";
        }
        hooks::setModalRunner([](QDialog&) { return 0; });
        m_server = std::make_unique<mailtest::LoopbackSmtp>(QStringLiteral("me@example.com"),
                                                            kServerPassword);
        ASSERT_TRUE(m_server->ok());
    }
    void TearDown() override { hooks::setModalRunner({}); }

    mailtest::SourceResources m_scripts;
    std::unique_ptr<mailtest::LoopbackSmtp> m_server;
};

TEST_F(MailToLoopbackServer, ARefusedLoginIsToldWithTheScriptsReasonAndNoPassword) {
    const struct {
        const char* window;
        std::function<QStringList(int)> send;
        QString failureText;
    } rows[] = {
        {"settings window", &sendTestMail, kTestMailFailedMessage},
        {"mail window", [](int port) { return sendFromMailWindow(port); }, kMailNotSentMessage},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.window);
        const QStringList texts = row.send(m_server->port());
        ASSERT_EQ(texts.size(), 1) << texts.join('|').toStdString();
        const QString& text = texts.first();
        EXPECT_TRUE(text.contains(row.failureText)) << text.toStdString();
        // The reason follows the failure text.
        const qsizetype reason = text.indexOf(
            QStringLiteral("the server refused the login (535 5.7.8 Authentication credentials "
                           "invalid)"));
        EXPECT_GT(reason, text.indexOf(row.failureText)) << text.toStdString();
        EXPECT_FALSE(text.contains(kTypedPassword)) << text.toStdString();
    }
    EXPECT_TRUE(m_server->messages().isEmpty());
}

// A recipient the server refuses is told with the server's code and answer,
// on one line and cut short, and without the password even when the server
// repeats it.
TEST_F(MailToLoopbackServer, ARefusedRecipientIsToldWithTheServersCodeAndAnswer) {
    const struct {
        QString to;
        QString reason;
        bool cut;
    } rows[] = {
        {QStringLiteral("guest1@example.org,refused2@example.test"),
         QStringLiteral("the server refused the recipient (550 5.1.1 <refused2@example.test>: "
                        "Recipient address rejected)"),
         false},
        {QStringLiteral("echoing3@example.test"),
         QStringLiteral("the server refused the recipient (550 5.7.1 <echoing3@example.test>: "
                        "Relaying denied for this account 5.7.1 The password given was ******** "
                        "5.7.1 see the server's policy see "),
         true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.to.toStdString());
        const QStringList texts = sendFromMailWindow(m_server->port(), kServerPassword, row.to);
        ASSERT_EQ(texts.size(), 1) << texts.join('|').toStdString();
        const QString& text = texts.first();
        const qsizetype at = text.indexOf(QStringLiteral("\n\nReason: "));
        ASSERT_GT(at, text.indexOf(kMailNotSentMessage)) << text.toStdString();
        const QString reason = text.mid(at + 10);
        if (row.cut) {
            EXPECT_TRUE(reason.startsWith(row.reason)) << reason.toStdString();
            EXPECT_TRUE(reason.endsWith(QStringLiteral("...)"))) << reason.toStdString();
            EXPECT_LE(reason.size(), 200);
        } else {
            EXPECT_EQ(reason, row.reason);
        }
        EXPECT_FALSE(reason.contains(QLatin1Char('\n'))) << reason.toStdString();
        EXPECT_FALSE(text.contains(kServerPassword)) << text.toStdString();
    }
    EXPECT_EQ(m_server->messages().size(), 1);
}

// Should a reason ever hold the password (a server echoing it back), it is
// blotted out; lines without the script's prefix are no reason.
TEST(MailFailureReason, TheReasonIsTheScriptsLastLineWithoutThePassword) {
    const struct {
        const char* standardError;
        const char* password;
        const char* reason;
    } rows[] = {
        {"pyth_mail: cannot reach h:25: refused\n", "pw", "cannot reach h:25: refused"},
        {"pyth_mail: first\nnoise\npyth_mail: second\nTraceback\n", "pw", "second"},
        {"pyth_mail: the server said hunter2 is wrong\n", "hunter2",
         "the server said ******** is wrong"},
        {"Traceback: hunter2\n", "hunter2", ""},
        {"", "pw", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.standardError);
        EXPECT_EQ(mailFailureReason(row.standardError, QString::fromUtf8(row.password)),
                  QString::fromUtf8(row.reason));
    }
}

} // namespace
