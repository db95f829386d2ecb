// The e-mail settings file and the address test.
#include "common/TestSupport.h"
#include "core/globals.h"
#include "output/core/MailSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_saved = Resource_Path;
        Resource_Path = m_dir.path();
    }
    void TearDown() override { Resource_Path = m_saved; }
    QString path() const {
        return QDir(m_dir.path()).filePath(QStringLiteral("com.vosk.card.plist"));
    }
    QFileDevice::Permissions mode() const {
        return QFileInfo(path()).permissions() &
               ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
    }

    QTemporaryDir m_dir;
    QString m_saved;
};

constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

TEST_F(SettingsFile, MissingFileGivesEmptyFieldsAndAnEmptyPrivateFile) {
    Preferences store = Preferences::sharedInstance();
    EXPECT_EQ(store.send_email_SenderEmail(), QString(""));
    EXPECT_FALSE(store.send_email_SenderEmail().isNull());
    EXPECT_EQ(store.send_email_PORT_num(), QString(""));
    EXPECT_TRUE(store.send_email_enable_ssl().isNull());
    ASSERT_TRUE(QFileInfo::exists(path()));
    EXPECT_EQ(QFileInfo(path()).size(), 0);
    EXPECT_EQ(mode(), kOwnerOnly);
    // Until a save every new store starts the same way; the file stays empty.
    Preferences again = Preferences::sharedInstance();
    EXPECT_EQ(QFileInfo(path()).size(), 0);
    Get_Email_Details();
    EXPECT_TRUE(sender_email.isEmpty());
    EXPECT_TRUE(send_enable_ssl.isNull());
}

TEST_F(SettingsFile, SaveWritesSixKeysPythonReadsAndKeepsTheMode) {
    CARD_REQUIRE_TOOL(python, "python3");
    Preferences store = Preferences::sharedInstance();
    store.setsend_email_Recipient(QStringLiteral("to@example.org"));
    store.setsend_email_SenderEmail(QStringLiteral("me@example.com"));
    store.setsend_email_Password(QStringLiteral("pässwörd"));
    store.setsend_email_SMTP_server(QStringLiteral("smtp.example.com"));
    store.setsend_email_PORT_num(QStringLiteral("587"));
    store.setsend_email_enable_ssl(QStringLiteral("N"));
    ASSERT_TRUE(store.flush());
    EXPECT_EQ(mode(), kOwnerOnly);
    const auto run = testsupport::runProcess(
        QStringLiteral("/usr/bin/python3"),
        {QStringLiteral("-c"),
         QStringLiteral("import plistlib,sys; d=plistlib.load(open(sys.argv[1],'rb')); "
                        "print('|'.join(k+'='+d[k] for k in sorted(d)))"),
         path()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(
        QString::fromUtf8(run.out).trimmed(),
        QStringLiteral("SendEmailPORT=587|SendEmailPwd=pässwörd|SendEmailRecipient=to@example.org|"
                       "SendEmailSMTP=smtp.example.com|SendEmailSender=me@example.com|"
                       "SendEnableSSL=N"));
    // A second save (a new temporary file renamed over) keeps the mode.
    Preferences next = Preferences::sharedInstance();
    EXPECT_EQ(next.send_email_SenderEmail(), QStringLiteral("me@example.com"));
    next.setsend_email_enable_ssl(QStringLiteral("Y"));
    ASSERT_TRUE(next.flush());
    EXPECT_EQ(mode(), kOwnerOnly);
    Get_Email_Details();
    EXPECT_EQ(send_enable_ssl, QStringLiteral("Y"));
    EXPECT_EQ(sender_pwd, QStringLiteral("pässwörd"));
    EXPECT_EQ(sending_port, QStringLiteral("587"));
}

TEST_F(SettingsFile, AStoreThatIsReleasedWritesNothing) {
    {
        Preferences store = Preferences::sharedInstance();
        store.setsend_email_SenderEmail(QStringLiteral("me@example.com"));
    }
    EXPECT_EQ(QFileInfo(path()).size(), 0);
}

TEST_F(SettingsFile, AnUnreadableFileIsLeftAsItIs) {
    const QByteArray junk("this is not a property list\n");
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(junk);
    }
    QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                      QFileDevice::ReadGroup);
    Preferences store = Preferences::sharedInstance();
    EXPECT_EQ(store.send_email_SMTP_server(), QString(""));
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), junk);
    EXPECT_TRUE(QFileInfo(path()).permissions() & QFileDevice::ReadGroup);
}

TEST(EmailAddress, AddressTest) {
    struct Case {
        const char* text;
        bool valid;
    };
    const Case cases[] = {
        {"a@b.cd", true},     {"ab@c.de", true},
        {" ab@c.de ", true},  {"a@b.c", false},
        {"ab@@c.de", false},  {"a@b@c.de", false},
        {"abc@def", false},   {"", false},
        {"abcdef.gh", false}, {"x.y@mail.example.org", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isValidEmail(QString::fromUtf8(c.text)), c.valid) << c.text;
    }
}

} // namespace
