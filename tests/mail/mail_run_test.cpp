// The sending run: checks, modes, pauses, stop, pictures and clean-up, with a
// recording transport and an injected sleep.
#include "common/TestSupport.h"
#include "core/globals.h"
#include "output/core/MailRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <mutex>

namespace {

struct SentMail {
    QString recipient;
    QStringList attachmentNames;
    QList<QByteArray> attachmentBytes;
    QStringList folders;
};

// Card pictures: a solid colour per record and side, so the attachments
// tell which record and side they hold.
QColor colourOf(int record, CardSide side) {
    return QColor(10 + record * 20, side == CardSide::Front ? 200 : 40, 90);
}

struct Harness {
    MailRunServices services;
    std::vector<SentMail> sent;
    std::vector<std::pair<int, CardSide>> rendered;
    int sleeps = 0;
    int pauses = 0;
    int failAt = -1; // index of the mail that fails
    int stopAt = -1; // set the stop flag before this mail
    int finished = 0;

    Harness() {
        services.transport = [this](const MailMessage& m) {
            if (int(sent.size()) == stopAt) {
                Stop_SMS_Sending_Now = 1;
            }
            SentMail mail;
            mail.recipient = m.recipient;
            for (const QString& path : m.attachments) {
                mail.attachmentNames << QFileInfo(path).fileName();
                mail.folders << QFileInfo(path).path();
                QFile file(path);
                mail.attachmentBytes
                    << (file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
            }
            const bool ok = int(sent.size()) != failAt;
            sent.push_back(mail);
            return ok;
        };
        services.sleep = [this](int) { ++sleeps; };
        services.pauseChanged = [this] { ++pauses; };
        services.picture = [this](int record, CardSide side) {
            rendered.emplace_back(record, side);
            QImage image(20, 10, QImage::Format_RGB32);
            image.fill(colourOf(record, side));
            return CardPicture::fromImage(image, QSizeF(20, 10));
        };
        services.finish = [this] { ++finished; };
        Stop_SMS_Sending_Now = 0;
    }

    MailRunResult run(const MailJob& job) {
        MailPlan plan;
        QString message;
        EXPECT_TRUE(planMail(job, plan, message)) << message.toStdString();
        return runMail(job, plan, services, progress);
    }
    MailProgress progress;
};

MailJob cardJob(const QString& to) {
    MailJob job;
    job.from = QStringLiteral(" Me@Example.com ");
    job.to = to;
    job.subject = QStringLiteral("Party");
    job.password = QStringLiteral("pw");
    job.server = QStringLiteral("127.0.0.1");
    job.port = QStringLiteral("25");
    job.ssl = QStringLiteral("N");
    return job;
}

const QString kThree = QStringLiteral("a1@example.org, a2@example.org,a3@example.org");
const QString kFive = kThree + QStringLiteral(",a4@example.org,a5@example.org");

QColor centreColour(const QByteArray& bytes) {
    const QImage image = QImage::fromData(bytes);
    return image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
}

bool near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) < 8 && std::abs(a.green() - b.green()) < 8 &&
           std::abs(a.blue() - b.blue()) < 8;
}

TEST(MailPlanChecks, RefusalsInOrder) {
    struct Case {
        QString from, to, fileName;
        bool withCard;
        QString message;
    };
    const Case cases[] = {
        {QStringLiteral("  "), kThree, QStringLiteral("x"), true, kNoSenderMessage},
        {QStringLiteral("me@example.com"), QStringLiteral("  "), QStringLiteral("x"), true,
         kNoRecipientMessage},
        {QStringLiteral("me@example.com"), QStringLiteral("a1@example.org,bad"),
         QStringLiteral("x"), true, kBadRecipientMessage},
        {QStringLiteral("me@example.com"), QStringLiteral(",,"), QStringLiteral("x"), true,
         kBadRecipientMessage},
        {QStringLiteral("me@example.com"), kThree, QStringLiteral("   "), true,
         kBadFileNameMessage},
    };
    for (const Case& c : cases) {
        MailJob job = cardJob(c.to);
        job.from = c.from;
        job.fileName = c.fileName;
        job.withCard = c.withCard;
        MailPlan plan;
        QString message;
        EXPECT_FALSE(planMail(job, plan, message)) << c.to.toStdString();
        EXPECT_EQ(message, c.message) << c.to.toStdString();
    }
    // Without a card the file name is not looked at; recipients are trimmed,
    // lower-cased and empty parts skipped.
    MailJob job = cardJob(QStringLiteral(" A1@Example.org ,, a2@example.org ,"));
    job.withCard = false;
    job.fileName.clear();
    MailPlan plan;
    QString message;
    ASSERT_TRUE(planMail(job, plan, message));
    EXPECT_EQ(plan.recipients,
              QStringList({QStringLiteral("a1@example.org"), QStringLiteral("a2@example.org")}));
    EXPECT_EQ(plan.sender, QStringLiteral("me@example.com"));
    EXPECT_EQ(plan.mode, MailMode::WithoutCard);
}

TEST(MailPlanChecks, PauseTexts) {
    const std::pair<qint64, const char*> cases[] = {
        {0, "Pausing the process for 0 Second."},
        {1000, "Pausing the process for 1 Second."},
        {59000, "Pausing the process for 59 Seconds."},
        {65000, "Pausing the process for 1 Minute 5 Seconds."},
        {3600000, "Pausing the process for 1 Hour 0 Minute 0 Second."},
        {7322000, "Pausing the process for 2 Hours 2 Minutes 2 Seconds."},
    };
    for (const auto& [ms, text] : cases) {
        EXPECT_EQ(Calculate_Pause_Time(ms), QString::fromUtf8(text)) << ms;
    }
}

TEST(MailPlanChecks, DelayedDeliveryBounds) {
    MailJob job = cardJob(kThree);
    job.delayed = true;
    job.everyN = 0;
    job.seconds = 0;
    MailPlan plan;
    QString message;
    ASSERT_TRUE(planMail(job, plan, message));
    EXPECT_EQ(plan.everyN, 1);
    EXPECT_EQ(plan.pauseMs, 0); // under a second: no pause at all
    job.hours = 1000000;        // no overflow in 64 bits
    ASSERT_TRUE(planMail(job, plan, message));
    EXPECT_EQ(plan.pauseMs, qint64(1000000) * 3600000);
}

TEST(MailRunLoop, OneToOneWithMoreRecordsThanRecipients) {
    Harness h;
    MailJob job = cardJob(kThree);
    job.batch = true;
    job.allToEvery = false;
    job.recordCount = 5;
    const MailRunResult result = h.run(job);
    ASSERT_EQ(h.sent.size(), 3u);
    EXPECT_TRUE(result.allSent());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(h.sent[i].recipient, QStringLiteral("a%1@example.org").arg(i + 1));
        ASSERT_EQ(h.sent[i].attachmentBytes.size(), 1);
        EXPECT_TRUE(near(centreColour(h.sent[i].attachmentBytes[0]), colourOf(i, CardSide::Front)));
    }
    EXPECT_EQ(h.finished, 1);
}

TEST(MailRunLoop, OneToOneWithMoreRecipientsThanRecords) {
    Harness h;
    MailJob job = cardJob(kFive);
    job.batch = true;
    job.allToEvery = false;
    job.recordCount = 3;
    const MailRunResult result = h.run(job);
    EXPECT_EQ(h.sent.size(), 3u);
    // Recipients 4 and 5 got no card: not a success.
    EXPECT_FALSE(result.allSent());
    EXPECT_TRUE(mailRunMessage(result).startsWith(QStringLiteral("2 of 5 e-mails were not sent.")));
    EXPECT_EQ(h.progress.total.load(), 5);
    EXPECT_EQ(h.progress.current.load(), 5);
}

TEST(MailRunLoop, AllToEveryoneWithAPauseAfterEverySecondRecord) {
    Harness h;
    MailJob job = cardJob(QStringLiteral("a1@example.org,a2@example.org"));
    job.batch = true;
    job.allToEvery = true;
    job.recordCount = 4;
    job.delayed = true;
    job.everyN = 2;
    job.seconds = 3;
    const MailRunResult result = h.run(job);
    EXPECT_EQ(h.sent.size(), 8u);
    EXPECT_TRUE(result.allSent());
    // One pause (after record 2, not after the last): 3 s gives 2 steps.
    EXPECT_EQ(h.pauses, 2); // started and ended
    EXPECT_EQ(h.sleeps, 2);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(h.sent[i].recipient, QStringLiteral("a%1@example.org").arg(i % 2 + 1));
    }
}

TEST(MailRunLoop, AFailureMidRunReportsFailure) {
    Harness h;
    h.failAt = 1;
    MailJob job = cardJob(kThree);
    const MailRunResult result = h.run(job);
    EXPECT_EQ(h.sent.size(), 2u); // the run ends at the failed mail
    EXPECT_FALSE(result.allSent());

    // All-to-everyone: a failure ends only that record's mails.
    Harness all;
    all.failAt = 0;
    MailJob batch = cardJob(QStringLiteral("a1@example.org,a2@example.org"));
    batch.batch = true;
    batch.recordCount = 2;
    const MailRunResult second = all.run(batch);
    EXPECT_EQ(all.sent.size(), 3u);
    EXPECT_FALSE(second.allSent());
}

TEST(MailRunLoop, StopBeforeTheFirstMailSendsNothing) {
    Harness h;
    MailJob job = cardJob(kThree);
    MailPlan plan;
    QString message;
    ASSERT_TRUE(planMail(job, plan, message));
    Stop_SMS_Sending_Now = 1;
    const MailRunResult result = runMail(job, plan, h.services, h.progress);
    Stop_SMS_Sending_Now = 0;
    EXPECT_TRUE(h.sent.empty());
    EXPECT_FALSE(result.allSent());

    Harness later;
    later.stopAt = 1;
    const MailRunResult r2 = later.run(cardJob(kThree));
    EXPECT_EQ(later.sent.size(), 2u);
    Stop_SMS_Sending_Now = 0;
    // The third recipient got nothing.
    EXPECT_FALSE(r2.allSent());
    EXPECT_TRUE(mailRunMessage(r2).startsWith(QStringLiteral("1 of 3 e-mails was not sent.\n\n")));
}

TEST(MailRunLoop, WithoutCardAttachesOnlyAnExistingFile) {
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("menu.pdf"));
    QFile f(existing);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("%PDF-1.4");
    f.close();
    for (const auto& [path, count] :
         {std::pair{existing, 1}, std::pair{dir.filePath(QStringLiteral("gone.pdf")), 0}}) {
        Harness h;
        MailJob job = cardJob(QStringLiteral("a1@example.org"));
        job.withCard = false;
        job.attachment = QStringLiteral(" ") + path + QStringLiteral(" ");
        EXPECT_TRUE(h.run(job).allSent());
        ASSERT_EQ(h.sent.size(), 1u);
        EXPECT_EQ(h.sent[0].attachmentNames.size(), count);
        EXPECT_TRUE(h.rendered.empty());
    }
}

TEST(MailRunLoop, BothSidesBackFirstRenderedOnceInAPrivateFolderRemovedAfterwards) {
    Harness h;
    MailJob job = cardJob(kThree);
    job.side = QStringLiteral("BOTH");
    job.fileName = QStringLiteral("Invite");
    Card_Front_Or_Back = 0;
    EXPECT_TRUE(h.run(job).allSent());
    EXPECT_EQ(Card_Front_Or_Back.load(), 0);
    ASSERT_EQ(h.sent.size(), 3u);
    ASSERT_EQ(h.rendered.size(), 2u);
    EXPECT_EQ(h.rendered[0].second, CardSide::Back);
    EXPECT_EQ(h.rendered[1].second, CardSide::Front);
    for (const SentMail& mail : h.sent) {
        EXPECT_EQ(mail.attachmentNames,
                  QStringList({QStringLiteral("Invite_Back.jpeg"), QStringLiteral("Invite.jpeg")}));
        ASSERT_EQ(mail.attachmentBytes.size(), 2);
        EXPECT_TRUE(mail.attachmentBytes[0].startsWith("\xff\xd8\xff")); // JPEG bytes
        EXPECT_TRUE(near(centreColour(mail.attachmentBytes[0]), colourOf(0, CardSide::Back)));
        EXPECT_TRUE(near(centreColour(mail.attachmentBytes[1]), colourOf(0, CardSide::Front)));
    }
    const QString folder = h.sent[0].folders[0];
    EXPECT_NE(folder, QDir::tempPath());
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_EQ(h.finished, 0); // no batch: the design is not walked
}

} // namespace
