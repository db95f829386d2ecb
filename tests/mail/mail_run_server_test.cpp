// The sending run with the real mail script against a loopback SMTP server:
// what arrives for each mode, the pause, a failure in the middle, a stop,
// attachments and the private picture folder. Card pictures are solid
// colours per record and side; the sleep of a pause is injected.
#include "MailTestSupport.h"
#include "core/globals.h"
#include "output/core/MailRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kLogin = QStringLiteral("me@example.com");
const QString kPassword = QStringLiteral("secret");

QColor colourOf(int record, CardSide side) {
    return QColor(20 + record * 40, side == CardSide::Front ? 210 : 30, 120);
}

bool near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) < 8 && std::abs(a.green() - b.green()) < 8 &&
           std::abs(a.blue() - b.blue()) < 8;
}

// The colour in the middle of a picture received as an attachment.
QColor centreOf(const QByteArray& bytes) {
    const QImage image = QImage::fromData(bytes);
    return image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
}

class MailRunServer : public ::testing::Test {
protected:
    void SetUp() override {
        if (!mailtest::haveAiosmtpd()) {
            GTEST_SKIP() << "python3-aiosmtpd not installed";
        }
        m_server = std::make_unique<mailtest::LoopbackSmtp>(kLogin, kPassword);
        ASSERT_TRUE(m_server->ok());
        Stop_SMS_Sending_Now = 0;
        m_services.log = [this](const QString& line) { m_log << line; };
        m_services.sleep = [this](int) {
            ++m_sleeps;
            m_receivedAtSleep << int(m_server->messages().size());
        };
        m_services.pauseChanged = [this] { ++m_pauseChanges; };
        m_services.picture = [this](int record, CardSide side) {
            m_rendered.emplace_back(record, side);
            QImage image(40, 24, QImage::Format_RGB32);
            image.fill(colourOf(record, side));
            return CardPicture::fromImage(image, QSizeF(40, 24));
        };
        m_services.finish = [this] { ++m_finished; };
    }
    void TearDown() override { Stop_SMS_Sending_Now = 0; }

    MailJob job(const QString& to) const {
        MailJob job;
        job.from = kLogin;
        job.to = to;
        job.subject = QStringLiteral("Our party");
        job.body = QStringLiteral("You are invited.");
        job.password = kPassword;
        job.server = QStringLiteral("127.0.0.1");
        job.port = QString::number(m_server->port());
        job.ssl = QStringLiteral("N");
        return job;
    }

    MailRunResult run(const MailJob& job) {
        MailPlan plan;
        QString refusal;
        EXPECT_TRUE(planMail(job, plan, refusal)) << refusal.toStdString();
        return runMail(job, plan, m_services, m_progress);
    }

    QByteArray part(int message, const QString& what) const {
        return mailtest::messagePart(m_server->messages().at(message), what);
    }

    static QString guests(int count, const QString& prefix = QStringLiteral("guest")) {
        QStringList list;
        for (int i = 1; i <= count; ++i) {
            list << QStringLiteral("%1%2@example.org").arg(prefix).arg(i);
        }
        return list.join(QLatin1Char(','));
    }

    // The run's mails arrive in this order, to these addresses, each with
    // one front picture of the given record.
    void expectFrontsOfRecords(const QStringList& to, const QList<int>& records) const {
        const auto messages = m_server->messages();
        ASSERT_EQ(messages.size(), to.size());
        for (int i = 0; i < int(messages.size()); ++i) {
            EXPECT_EQ(part(i, QStringLiteral("to")), to[i].toUtf8()) << i;
            EXPECT_EQ(part(i, QStringLiteral("subject")), "Our party");
            ASSERT_EQ(part(i, QStringLiteral("attachments")), "1") << i;
            EXPECT_EQ(part(i, QStringLiteral("attachment-name:0")), "VOSKCard.jpeg");
            EXPECT_EQ(part(i, QStringLiteral("attachment-type:0")), "image/jpeg");
            EXPECT_TRUE(near(centreOf(part(i, QStringLiteral("attachment:0"))),
                             colourOf(records[i], CardSide::Front)))
                << "mail " << i << " should hold record " << records[i];
        }
    }

    std::unique_ptr<mailtest::LoopbackSmtp> m_server;
    mailtest::SourceResources m_resources;
    MailRunServices m_services;
    MailProgress m_progress;
    QStringList m_log;
    int m_sleeps = 0;
    int m_pauseChanges = 0;
    int m_finished = 0;
    QList<int> m_receivedAtSleep;
    std::vector<std::pair<int, CardSide>> m_rendered;
};

TEST_F(MailRunServer, OneToOneFiveRecordsThreeRecipientsSendsRecordsOneToThree) {
    MailJob j = job(guests(3));
    j.batch = true;
    j.allToEvery = false;
    j.recordCount = 5;
    const MailRunResult result = run(j);
    EXPECT_EQ(mailRunMessage(result), kMailSentMessage);
    expectFrontsOfRecords({"guest1@example.org", "guest2@example.org", "guest3@example.org"},
                          {0, 1, 2});
    EXPECT_EQ(m_finished, 1); // the design goes back to record 0
}

TEST_F(MailRunServer, OneToOneThreeRecordsFiveRecipientsSendsThreeAndCountsFive) {
    MailJob j = job(guests(5));
    j.batch = true;
    j.allToEvery = false;
    j.recordCount = 3;
    const MailRunResult result = run(j);
    // Guests 4 and 5 have no record, so no card: the run says so.
    EXPECT_EQ(mailRunMessage(result),
              QStringLiteral("2 of 5 e-mails were not sent.\n\n") + kMailNotSentMessage);
    expectFrontsOfRecords({"guest1@example.org", "guest2@example.org", "guest3@example.org"},
                          {0, 1, 2});
    EXPECT_EQ(m_progress.total.load(), 5);
    EXPECT_EQ(m_progress.current.load(), 5);
}

TEST_F(MailRunServer, AllToEveryoneFourRecordsTwoRecipientsPausesOnceAfterRecordTwo) {
    MailJob j = job(guests(2));
    j.batch = true;
    j.allToEvery = true;
    j.recordCount = 4;
    j.delayed = true;
    j.everyN = 2;
    j.seconds = 2;
    const MailRunResult result = run(j);
    EXPECT_EQ(mailRunMessage(result), kMailSentMessage);
    QStringList to;
    for (int i = 0; i < 8; ++i) {
        to << QStringLiteral("guest%1@example.org").arg(i % 2 + 1);
    }
    expectFrontsOfRecords(to, {0, 0, 1, 1, 2, 2, 3, 3});
    // One pause (started and ended): 2 s sleep in one 1 s step, after the
    // mails of records 1 and 2; none after the last record.
    EXPECT_EQ(m_pauseChanges, 2);
    EXPECT_EQ(m_receivedAtSleep, QList<int>({4}));
}

// Records whose card gives no picture are passed over; the end message
// counts the mails that did not go and names those records.
TEST_F(MailRunServer, RecordsWithoutAPictureAreCountedAsNotSent) {
    struct Case {
        bool allToEvery;
        int recipients;
        QSet<int> blank;
        QStringList to;
        QList<int> records;
        QString first;
    };
    const Case cases[] = {
        {false,
         3,
         {1},
         {"guest1@example.org", "guest3@example.org"},
         {0, 2},
         QStringLiteral("1 of 3 e-mails was not sent.\nNo card picture could be made for "
                        "record 2.")},
        {true,
         2,
         {0, 2},
         {"guest1@example.org", "guest2@example.org"},
         {1, 1},
         QStringLiteral("4 of 6 e-mails were not sent.\nNo card picture could be made for "
                        "records 1, 3.")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first.toStdString());
        mailtest::LoopbackSmtp server(kLogin, kPassword);
        ASSERT_TRUE(server.ok());
        m_services.picture = [&c](int record, CardSide side) {
            if (c.blank.contains(record)) {
                return CardPicture();
            }
            QImage image(40, 24, QImage::Format_RGB32);
            image.fill(colourOf(record, side));
            return CardPicture::fromImage(image, QSizeF(40, 24));
        };
        MailJob j = job(guests(c.recipients));
        j.port = QString::number(server.port());
        j.batch = true;
        j.allToEvery = c.allToEvery;
        j.recordCount = 3;
        const MailRunResult result = run(j);
        EXPECT_EQ(mailRunMessage(result), c.first + QStringLiteral("\n\n") + kMailNotSentMessage);
        const auto messages = server.messages();
        ASSERT_EQ(messages.size(), c.to.size());
        for (int i = 0; i < int(messages.size()); ++i) {
            EXPECT_EQ(mailtest::messagePart(messages[i], QStringLiteral("to")), c.to[i].toUtf8());
            EXPECT_TRUE(
                near(centreOf(mailtest::messagePart(messages[i], QStringLiteral("attachment:0"))),
                     colourOf(c.records[i], CardSide::Front)));
        }
    }
}

// A mail that fails (a refused recipient, or a connection the server drops)
// ends the run, or in every-card-to-everyone only that record's mails. When
// some went out, the message names the first mail not sent and how many went
// before it, so a second run need not send anyone a second card.
TEST_F(MailRunServer, AFailedMailIsNamedWithTheNumberSentBeforeIt) {
    struct Case {
        const char* name;
        QString to;
        int drop; // the connection the server drops (from 1), 0 none
        bool batch;
        bool allToEvery;
        int records;
        QStringList received;
        QString message;
        QString reason; // the mail script's, for the first failed mail
    };
    const Case cases[] = {
        {"refused recipient",
         QStringLiteral("guest1@example.org,refused2@example.org,guest3@example.org"),
         0,
         false,
         false,
         0,
         {"guest1@example.org"},
         QStringLiteral("2 of 3 e-mails were not sent.\nThe first e-mail that could not be "
                        "sent: refused2@example.org; 1 e-mail was sent before it."),
         QStringLiteral("the server refused the recipient (550 5.1.1 <refused2@example.org>: "
                        "Recipient address rejected)")},
        {"current card, third connection dropped",
         guests(5),
         3,
         false,
         false,
         0,
         {"guest1@example.org", "guest2@example.org"},
         QStringLiteral("3 of 5 e-mails were not sent.\nThe first e-mail that could not be "
                        "sent: guest3@example.org; 2 e-mails were sent before it."),
         QStringLiteral("the server closed the connection")},
        {"one to one, first connection dropped",
         guests(3),
         1,
         true,
         false,
         3,
         {},
         QStringLiteral("None of the 3 e-mails was sent."),
         QStringLiteral("the server closed the connection")},
        {"every card to everyone, fourth connection dropped",
         guests(2),
         4,
         true,
         true,
         3,
         {"guest1@example.org", "guest2@example.org", "guest1@example.org", "guest1@example.org",
          "guest2@example.org"},
         QStringLiteral("1 of 6 e-mails was not sent.\nThe first e-mail that could not be "
                        "sent: record 2 to guest2@example.org; 3 e-mails were sent before it."),
         QStringLiteral("the server closed the connection")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QStringList dropArgs;
        if (c.drop > 0) {
            dropArgs << QStringLiteral("drop") << QString::number(c.drop);
        }
        mailtest::LoopbackSmtp server(kLogin, kPassword, dropArgs);
        ASSERT_TRUE(server.ok());
        m_log.clear();
        MailJob j = job(c.to);
        j.port = QString::number(server.port());
        j.batch = c.batch;
        j.allToEvery = c.allToEvery;
        j.recordCount = c.records;
        const MailRunResult result = run(j);
        EXPECT_EQ(mailRunMessage(result), c.message + QStringLiteral("\n\n") + kMailNotSentMessage +
                                              QStringLiteral("\n\nReason: ") + c.reason);
        QStringList received;
        for (const QByteArray& message : server.messages()) {
            received << QString::fromUtf8(mailtest::messagePart(message, QStringLiteral("to")));
        }
        EXPECT_EQ(received, c.received);
        EXPECT_TRUE(m_log.contains(QStringLiteral("error in mail")));
    }
}

TEST_F(MailRunServer, AStopBeforeTheFirstMailSendsNothing) {
    const MailJob j = job(guests(3));
    MailPlan plan;
    QString refusal;
    ASSERT_TRUE(planMail(j, plan, refusal));
    Stop_SMS_Sending_Now = 1;
    const MailRunResult result = runMail(j, plan, m_services, m_progress);
    EXPECT_EQ(mailRunMessage(result),
              QStringLiteral("None of the 3 e-mails was sent.\n\n") + kMailNotSentMessage);
    EXPECT_TRUE(m_server->messages().isEmpty());
    EXPECT_TRUE(m_rendered.empty());
}

TEST_F(MailRunServer, WithoutACardAMissingAttachmentIsLeftOutAndAnExistingOneArrivesWhole) {
    QTemporaryDir dir;
    const QString menu = dir.filePath(QStringLiteral("menu.pdf"));
    QByteArray bytes("%PDF-1.4\n");
    for (int i = 0; i < 500; ++i) {
        bytes.append(char(i % 251));
    }
    QFile file(menu);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    MailJob j = job(guests(1));
    j.withCard = false;
    j.attachment = dir.filePath(QStringLiteral("gone.pdf"));
    EXPECT_EQ(mailRunMessage(run(j)), kMailSentMessage);
    j.attachment = QStringLiteral("  ") + menu + QStringLiteral(" ");
    EXPECT_EQ(mailRunMessage(run(j)), kMailSentMessage);
    ASSERT_EQ(m_server->messages().size(), 2);
    EXPECT_EQ(part(0, QStringLiteral("attachments")), "0");
    EXPECT_EQ(part(0, QStringLiteral("body")).trimmed(), "You are invited.");
    ASSERT_EQ(part(1, QStringLiteral("attachments")), "1");
    EXPECT_EQ(part(1, QStringLiteral("attachment-name:0")), "menu.pdf");
    EXPECT_EQ(part(1, QStringLiteral("attachment-type:0")), "application/pdf");
    EXPECT_TRUE(part(1, QStringLiteral("attachment:0")) == bytes);
    EXPECT_TRUE(m_rendered.empty());
}

TEST_F(MailRunServer, BothSidesArriveBackFirstRenderedOnceFromAPrivateFolder) {
    QStringList folders;
    QList<QFileDevice::Permissions> modes;
    m_services.transport = [&](const MailMessage& message) {
        const QString folder = QFileInfo(message.attachments.value(0)).path();
        folders << folder;
        modes << QFileInfo(folder).permissions();
        return sendEmail_pyth(message);
    };
    MailJob j = job(guests(2));
    j.side = QStringLiteral("BOTH");
    j.fileName = QStringLiteral("Invite");
    EXPECT_EQ(mailRunMessage(run(j)), kMailSentMessage);
    ASSERT_EQ(folders.size(), 2);
    EXPECT_NE(QDir(folders[0]), QDir(QDir::tempPath()));
    const QFileDevice::Permissions ownerOnly =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    EXPECT_EQ(modes[0] & ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser),
              ownerOnly);
    EXPECT_FALSE(QFileInfo::exists(folders[0])); // removed when the run ended
    ASSERT_EQ(m_server->messages().size(), 2);
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(part(i, QStringLiteral("attachments")), "2");
        EXPECT_EQ(part(i, QStringLiteral("attachment-name:0")), "Invite_Back.jpeg");
        EXPECT_EQ(part(i, QStringLiteral("attachment-name:1")), "Invite.jpeg");
        EXPECT_TRUE(
            near(centreOf(part(i, QStringLiteral("attachment:0"))), colourOf(0, CardSide::Back)));
        EXPECT_TRUE(
            near(centreOf(part(i, QStringLiteral("attachment:1"))), colourOf(0, CardSide::Front)));
    }
    ASSERT_EQ(m_rendered.size(), 2u);
    EXPECT_EQ(m_rendered[0].second, CardSide::Back);
    EXPECT_EQ(m_rendered[1].second, CardSide::Front);
}

// The private picture folder removed by someone else after the first mail:
// the current card's pictures are gone and a batch cannot write the next
// record's. Either way the run ends with the failure text.
TEST_F(MailRunServer, APictureFolderRemovedMidRunEndsTheRunAsAFailure) {
    for (const bool batch : {false, true}) {
        SCOPED_TRACE(batch ? "batch" : "current card");
        mailtest::LoopbackSmtp server(kLogin, kPassword);
        ASSERT_TRUE(server.ok());
        int calls = 0;
        m_services.transport = [&calls](const MailMessage& message) {
            const bool sent = sendEmail_pyth(message);
            if (++calls == 1) {
                QDir(QFileInfo(message.attachments.value(0)).path()).removeRecursively();
            }
            return sent;
        };
        MailJob j = job(guests(3));
        j.port = QString::number(server.port());
        j.batch = batch;
        j.allToEvery = false;
        j.recordCount = 3;
        const MailRunResult result = run(j);
        EXPECT_EQ(mailRunMessage(result),
                  QStringLiteral("2 of 3 e-mails were not sent.\nThe first e-mail that could not "
                                 "be sent: guest2@example.org; 1 e-mail was sent before it.\n\n") +
                      kMailNotSentMessage);
        EXPECT_EQ(server.messages().size(), 1);
    }
}

TEST_F(MailRunServer, NoTemporaryFolderSendsNoCardButStillSendsWithoutOne) {
    const QByteArray saved = qgetenv("TMPDIR");
    QTemporaryDir parent;
    qputenv("TMPDIR", QDir(parent.path()).filePath(QStringLiteral("missing")).toUtf8());
    const MailRunResult withCard = run(job(guests(2)));
    MailJob plain = job(guests(1));
    plain.withCard = false;
    const MailRunResult without = run(plain);
    if (saved.isNull()) {
        qunsetenv("TMPDIR");
    } else {
        qputenv("TMPDIR", saved);
    }
    EXPECT_EQ(mailRunMessage(withCard),
              QStringLiteral("None of the 2 e-mails was sent.\n\n") + kMailNotSentMessage);
    EXPECT_EQ(withCard.attempted, 0);
    EXPECT_TRUE(m_rendered.empty());
    EXPECT_EQ(mailRunMessage(without), kMailSentMessage);
    EXPECT_EQ(m_server->messages().size(), 1);
}

} // namespace
