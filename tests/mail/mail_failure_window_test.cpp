// A mail that fails part way through a run, sent through the e-mail
// window's Send button to a loopback server that drops one connection: the
// window's end message names the first e-mail not sent and how many went
// before it.

#include "MailTestSupport.h"
#include "common/TestSupport.h"
#include "core/globals.h"
#include "output/Send_Mail.h"
#include "output/core/MailRun.h"
#include "output/core/MailSettings.h"
#include "ui_Send_Mail.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The mail account the run uses, emptied again afterwards.
class LoopbackAccount {
public:
    explicit LoopbackAccount(int port) {
        sender_pwd = QStringLiteral("secret");
        sending_server = QStringLiteral("127.0.0.1");
        sending_port = QString::number(port);
        send_enable_ssl = QStringLiteral("N");
    }
    ~LoopbackAccount() {
        for (QString* field :
             {&sender_email, &sender_pwd, &sending_server, &sending_port, &send_enable_ssl}) {
            field->clear();
        }
    }
    LoopbackAccount(const LoopbackAccount&) = delete;
    LoopbackAccount& operator=(const LoopbackAccount&) = delete;
};

TEST(MailFailureWindow, TheFirstMailNotSentIsNamedInTheEndMessage) {
    if (!mailtest::haveAiosmtpd()) {
        GTEST_SKIP() << "python3-aiosmtpd not installed";
    }
    // The second mail's connection is dropped when the mail begins.
    mailtest::LoopbackSmtp server(QStringLiteral("me@example.com"), QStringLiteral("secret"),
                                  {QStringLiteral("drop"), QStringLiteral("2")});
    ASSERT_TRUE(server.ok());
    mailtest::SourceResources scripts;
    const LoopbackAccount account(server.port());

    Send_Mail window;
    window.resetWindow();
    window.show();
    Ui::Send_Mail* ui = window.ui();
    QTest::keyClicks(ui->from_txt, QStringLiteral("me@example.com"));
    QTest::keyClicks(ui->to_txt, QStringLiteral("a@example.org,b@example.org,c@example.org"));
    QTest::keyClicks(ui->subject_txt, QStringLiteral("Party"));
    ui->rd_without_barcode->click();
    testsupport::ScriptedAlerts alerts;
    QTest::mouseClick(ui->sendButton, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isSending(); }, 60000));
    ASSERT_EQ(alerts.texts().size(), 1);
    const QString shown = alerts.texts().first();
    EXPECT_TRUE(shown.contains(QStringLiteral("2 of 3 e-mails were not sent.")))
        << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("\nThe first e-mail that could not be sent: "
                                              "b@example.org; 1 e-mail was sent before it.")))
        << shown.toStdString();
    const auto received = server.messages();
    ASSERT_EQ(received.size(), 1);
    EXPECT_EQ(mailtest::messagePart(received[0], QStringLiteral("to")), "a@example.org");
}

} // namespace
