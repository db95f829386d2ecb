// The mail, settings, help, share, review and promotion windows offscreen,
// with scripted alerts, modal runs and link opener.
#include "MailTestSupport.h"
#include "common/TestSupport.h"
#include "core/BatchState.h"
#include "core/globals.h"
#include "editor/render/CardRenderInputs.h"
#include "output/Email_Setting.h"
#include "output/Help_Support.h"
#include "output/LinkCommands.h"
#include "output/OutputHost.h"
#include "output/Promotion_Form.h"
#include "output/Review_Form.h"
#include "output/Send_Mail.h"
#include "output/Send_Modeless.h"
#include "output/core/MailSettings.h"
#include "output/core/MakerLinks.h"
#include "platform/Hooks.h"
#include "ui_Help_Support.h"
#include "ui_Promotion_Form.h"
#include "ui_Review_Form.h"
#include "ui_Send_Mail.h"
#include "ui_Share_It_Dlg.h"
#include "widgets/GuiHooks.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <gtest/gtest.h>
#include <mutex>

namespace {

void saveScreenshot(QWidget& widget, const QString& name) {
    const QString folder = qEnvironmentVariable("CARD_SCREENSHOT_DIR");
    if (folder.isEmpty()) {
        return;
    }
    QDir().mkpath(folder);
    widget.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

// Records of every opened link.
class RecordedLinks {
public:
    RecordedLinks() {
        hooks::setUrlOpener([this](const QUrl& url) {
            urls.push_back(url);
            return true;
        });
    }
    ~RecordedLinks() { hooks::setUrlOpener({}); }
    std::vector<QUrl> urls;
};

// The main window's link commands, recorded by name.
class RecordedCommands : public LinkCommands {
public:
    RecordedCommands() { LinkCommands::setCurrent(this); }
    ~RecordedCommands() override { LinkCommands::setCurrent(nullptr); }
    void Open_Support_Mail() override { names << QStringLiteral("Open_Support_Mail"); }
    void Open_Reseller_Mail() override { names << QStringLiteral("Open_Reseller_Mail"); }
    void Open_Website_1() override { names << QStringLiteral("Open_Website_1"); }
    void Open_Website_2() override { names << QStringLiteral("Open_Website_2"); }
    void Open_Website_3() override { names << QStringLiteral("Open_Website_3"); }
    void Open_Google_Plus() override { names << QStringLiteral("Open_Google_Plus"); }
    void Open_FaceBook() override { names << QStringLiteral("Open_FaceBook"); }
    void Open_Twitter() override { names << QStringLiteral("Open_Twitter"); }
    void Open_FB_Like() override { names << QStringLiteral("Open_FB_Like"); }
    void Open_Share_It_Dl() override { names << QStringLiteral("Open_Share_It_Dl"); }
    QStringList names;
};

// The alert texts as the message functions show them (after a line break).
QStringList shown(const QString& text) {
    return {QStringLiteral("\n") + text};
}

bool onExampleDomain(const QUrl& url) {
    QString host = url.host();
    if (url.scheme() == QLatin1String("mailto")) {
        host = url.path().section(QLatin1Char('@'), 1);
    }
    for (const char* domain : {"example.com", "example.org", "example.net"}) {
        const QString d = QString::fromLatin1(domain);
        if (host == d || host.endsWith(QLatin1Char('.') + d)) {
            return true;
        }
    }
    return false;
}

class CardsOfRecords : public CardSource {
public:
    CardsOfRecords(int records, QSet<int> blank) : m_records(records), m_blank(std::move(blank)) {}
    bool isBatch() const override { return true; }
    int recordCount() const override { return m_records; }
    CardPicture picture(int record, CardSide) override {
        if (m_blank.contains(record)) {
            return {};
        }
        QImage image(10, 10, QImage::Format_RGB32);
        image.fill(QColor(record * 40, 0, 0));
        return CardPicture::fromImage(image, QSizeF(10, 10));
    }
    CardPicture designFront() const override { return {}; }
    CardPicture designBack() const override { return {}; }
    void finish() override { ++finished; }
    int finished = 0;

private:
    int m_records;
    QSet<int> m_blank; // records that draw nothing
};

class MailHost : public OutputHost {
public:
    QWidget* mainWindow() const override { return nullptr; }
    SKTGraphicList frontGraphics() const override { return {}; }
    SKTGraphicList backGraphics() const override { return {}; }
    BatchState Check_Series_Or_Excel_Use_or_not() override { return state; }
    int Get_total_Card_count(const BatchState& s) override {
        return s.any() ? state.Total_Batch_Excel_Card : 0;
    }
    std::unique_ptr<CardSource> batchSource(const BatchState&, bool) override {
        return std::make_unique<CardsOfRecords>(state.Total_Batch_Excel_Card, blank);
    }
    void Open_Export_File_Box() override {}
    BatchState state;
    QSet<int> blank;
};

class MailWindows : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_saved = Resource_Path;
        Resource_Path = m_dir.path();
        OutputHost::setCurrent(&m_host);
        CardRenderInputs::setFrontCanvasSize(QSizeF(240, 150));
        hooks::setModalRunner([](QDialog&) { return 0; });
    }
    void TearDown() override {
        Resource_Path = m_saved;
        OutputHost::setCurrent(nullptr);
        hooks::setModalRunner({});
        hooks::setOpenPanel({});
        Use_Data_Sheet_Values = false;
        Use_Excel_Binding_Values = false;
    }

    QTemporaryDir m_dir;
    QString m_saved;
    MailHost m_host;
};

void fillAccount(Email_Setting& w) {
    w._send_mail_sender_mail->setText(QStringLiteral("Me@Example.com"));
    w._send_mail_password->setText(QStringLiteral("secret"));
    w._send_mail_smtp->setText(QStringLiteral("127.0.0.1"));
    w._send_mail_port->setText(QStringLiteral("2525"));
    w._send_mail_to->setText(QStringLiteral("friend@example.org"));
}

TEST_F(MailWindows, SettingsValidationOrder) {
    Email_Setting w;
    struct Case {
        QLineEdit* Email_Setting::*field;
        QString value;
        bool withRecipient;
        QString message;
    };
    const Case cases[] = {
        {&Email_Setting::_send_mail_sender_mail, QString(), false,
         QStringLiteral("Please enter sender E-mail.")},
        {&Email_Setting::_send_mail_sender_mail, QStringLiteral("me@example"), false,
         QStringLiteral("Please enter valid sender E-mail address.")},
        {&Email_Setting::_send_mail_password, QString(), false,
         QStringLiteral("Please enter password.")},
        {&Email_Setting::_send_mail_smtp, QString(), false,
         QStringLiteral("Please enter SMTP server.")},
        {&Email_Setting::_send_mail_port, QString(), false,
         QStringLiteral("Please enter port number.")},
        {&Email_Setting::_send_mail_to, QString(), true,
         QStringLiteral("Please enter recipient E-mail address.")},
        {&Email_Setting::_send_mail_to, QStringLiteral("a@@b.cd"), true,
         QStringLiteral("Please enter valid recipient E-mail address.")},
    };
    for (const Case& c : cases) {
        fillAccount(w);
        (w.*c.field)->setText(c.value);
        testsupport::ScriptedAlerts alerts;
        EXPECT_FALSE(w.Check_Validation(c.withRecipient));
        EXPECT_EQ(alerts.texts(), shown(c.message));
    }
    fillAccount(w);
    w._send_mail_to->clear();
    testsupport::ScriptedAlerts alerts;
    EXPECT_TRUE(w.Check_Validation(false)); // Save needs no recipient
    EXPECT_TRUE(alerts.texts().isEmpty());
}

TEST_F(MailWindows, SettingsOpenSaveAndReset) {
    Email_Setting w;
    int runs = 0;
    hooks::setModalRunner([&](QDialog& d) {
        ++runs;
        d.show();
        // A fresh file: empty fields, TLS ticked.
        EXPECT_TRUE(w._send_mail_sender_mail->text().isEmpty());
        EXPECT_TRUE(w._send_mail_tls->isChecked());
        EXPECT_FALSE(w._send_mail_ssl->isChecked());
        EXPECT_EQ(w._send_mail_password->echoMode(), QLineEdit::Password);
        fillAccount(w);
        (w._send_mail_ssl)->click();
        EXPECT_FALSE(w._send_mail_tls->isChecked());
        saveScreenshot(w, QStringLiteral("email_settings"));
        w.Save_Button();
        return d.result();
    });
    EXPECT_EQ(w.Open_Wnd(), 1);
    EXPECT_EQ(runs, 1);
    Get_Email_Details();
    EXPECT_EQ(sender_email, QStringLiteral("Me@Example.com"));
    EXPECT_EQ(send_enable_ssl, QStringLiteral("Y"));

    testsupport::ScriptedAlerts alerts({1});
    w.Reset_Button();
    EXPECT_EQ(alerts.texts(), QStringList{QStringLiteral(
                                  "Are you sure you want to reset current email settings?")});
    EXPECT_TRUE(w._send_mail_sender_mail->text().isEmpty());
    EXPECT_TRUE(w._send_mail_tls->isChecked());
    EXPECT_TRUE(sender_email.isEmpty());
    EXPECT_TRUE(send_enable_ssl.isNull());
    EXPECT_EQ(QFileInfo(emailSettingsPath()).size(), 0);
}

TEST_F(MailWindows, SettingsPortTakesOnlyOneToSixtyFiveThousandFiveHundredThirtyFive) {
    Email_Setting w;
    const struct {
        const char* keys;
        const char* kept; // what the field holds after typing
        QString message;  // empty: saved
    } cases[] = {
        {"abc", "", QStringLiteral("Please enter port number.")},
        {"0", "0", kPortRangeMessage},
        {"65536", "65536", kPortRangeMessage},
        {"99999x", "99999", kPortRangeMessage},
        {"25x", "25", QString()},
        {"65535", "65535", QString()},
        {"1", "1", QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        int result = -1;
        hooks::setModalRunner([&](QDialog& d) {
            d.show();
            fillAccount(w);
            w._send_mail_port->clear();
            QTest::keyClicks(w._send_mail_port, QString::fromLatin1(c.keys));
            EXPECT_EQ(w._send_mail_port->text(), QString::fromLatin1(c.kept));
            d.setResult(-1);
            QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("saveButton")),
                              Qt::LeftButton);
            result = d.result();
            return result;
        });
        testsupport::ScriptedAlerts alerts;
        w.Open_Wnd();
        if (c.message.isEmpty()) {
            EXPECT_EQ(result, 1);
            EXPECT_TRUE(alerts.texts().isEmpty());
            EXPECT_EQ(Preferences::sharedInstance().send_email_PORT_num(),
                      QString::fromLatin1(c.kept));
        } else {
            EXPECT_EQ(result, -1); // the window stays open
            EXPECT_EQ(alerts.texts(), shown(c.message));
            EXPECT_EQ(w.focusWidget(), w._send_mail_port);
        }
    }
}

TEST_F(MailWindows, SettingsThatCannotBeWrittenAreSaidAndTheWindowStays) {
    Email_Setting w;
    // A folder where the settings file goes: no file can be written there.
    ASSERT_TRUE(QDir().mkpath(emailSettingsPath()));
    std::vector<int> results;
    hooks::setModalRunner([&](QDialog& d) {
        d.show();
        fillAccount(w);
        auto* save = w.findChild<QPushButton*>(QStringLiteral("saveButton"));
        d.setResult(-1);
        QTest::mouseClick(save, Qt::LeftButton);
        results.push_back(d.result());
        // The user makes room and saves again.
        EXPECT_TRUE(QDir(emailSettingsPath()).removeRecursively());
        QTest::mouseClick(save, Qt::LeftButton);
        results.push_back(d.result());
        return d.result();
    });
    testsupport::ScriptedAlerts alerts;
    EXPECT_EQ(w.Open_Wnd(), 1);
    EXPECT_EQ(results, (std::vector<int>{-1, 1}));
    EXPECT_EQ(alerts.texts(), shown(kSettingsNotSavedMessage));
    EXPECT_EQ(w._send_mail_sender_mail->text(), QStringLiteral("Me@Example.com"));
    EXPECT_EQ(Preferences::sharedInstance().send_email_SenderEmail(),
              QStringLiteral("Me@Example.com"));
}

TEST_F(MailWindows, TestMailWaitsWithoutBlockingAndKeepsTheFields) {
    Email_Setting w;
    fillAccount(w);
    std::mutex mutex;
    MailMessage seen;
    bool sheetShown = false;
    bool answer = false;
    w.setTransport([&](const MailMessage& m) {
        std::lock_guard lock(mutex);
        seen = m;
        QMetaObject::invokeMethod(
            &w, [&] { sheetShown = w.plz_wait_Window->isVisible(); }, Qt::BlockingQueuedConnection);
        return answer;
    });
    for (bool ok : {true, false}) {
        answer = ok;
        testsupport::ScriptedAlerts alerts;
        w.Send_Test_Email();
        const QString text = ok ? kTestMailSentMessage : kTestMailFailedMessage;
        EXPECT_EQ(alerts.texts(), shown(text));
        EXPECT_EQ(w._send_mail_result_status->text(), text);
        EXPECT_TRUE(sheetShown); // the event loop ran while the mail was out
        EXPECT_FALSE(w.plz_wait_Window->isVisible());
    }
    EXPECT_EQ(seen.sender, QStringLiteral("me@example.com"));
    EXPECT_EQ(seen.subject, QCoreApplication::applicationName() + QStringLiteral(" Test Mail"));
    EXPECT_EQ(seen.ssl, QStringLiteral("N"));
    EXPECT_EQ(w._send_mail_password->text(), QStringLiteral("secret"));
    // The test did not store anything.
    EXPECT_EQ(QFileInfo(emailSettingsPath()).size(), 0);
}

TEST_F(MailWindows, SendWindowOpensInItsStartState) {
    Use_Data_Sheet_Values = true;
    sender_email = QStringLiteral("me@example.com");
    Send_Mail w;
    hooks::setModalRunner([&](QDialog& d) {
        d.show();
        Ui::Send_Mail* ui = w.ui();
        EXPECT_EQ(ui->from_txt->text(), QStringLiteral("me@example.com"));
        EXPECT_EQ(ui->file_name_txt->text(), QStringLiteral("VOSKCard"));
        EXPECT_TRUE(ui->rd_mail_curr_barcode->isChecked());
        EXPECT_TRUE(ui->send_with_batch_chk->isEnabled());
        EXPECT_FALSE(ui->send_with_excel_chk->isEnabled());
        EXPECT_FALSE(ui->rd_all_to_every->isEnabled());
        EXPECT_TRUE(ui->rd_all_to_every->isChecked());
        EXPECT_FALSE(ui->delayed_box->isEnabled());
        EXPECT_EQ(w.card_side_str, QStringLiteral("F"));
        EXPECT_EQ(ui->mail_count_txt->text(), QStringLiteral("1"));
        (ui->send_with_batch_chk)->click();
        EXPECT_TRUE(ui->rd_one_per_recp->isEnabled());
        (ui->rd_without_barcode)->click();
        EXPECT_FALSE(ui->send_sett_box->isEnabled());
        EXPECT_TRUE(ui->browse_att->isEnabled());
        (ui->delayed_delv_chk)->click();
        EXPECT_TRUE(ui->delayed_box->isEnabled());
        saveScreenshot(w, QStringLiteral("send_mail"));
        return 0;
    });
    EXPECT_EQ(w.Open_Wnd(), 0);
    sender_email.clear();
}

TEST_F(MailWindows, SettingsButtonAttachmentButtonsAndTypedDelayReachTheJob) {
    Send_Mail w;
    w.resetWindow();
    w.show();
    Ui::Send_Mail* ui = w.ui();
    // Settings: the settings window runs, is saved, and its sender shows.
    int settingsRuns = 0;
    hooks::setModalRunner([&](QDialog& d) {
        auto* settings = qobject_cast<Email_Setting*>(&d);
        EXPECT_NE(settings, nullptr);
        if (!settings) {
            return 0;
        }
        ++settingsRuns;
        fillAccount(*settings);
        settings->Save_Button();
        return d.result();
    });
    (ui->settingButton)->click();
    EXPECT_EQ(settingsRuns, 1);
    EXPECT_EQ(ui->from_txt->text(), QStringLiteral("Me@Example.com"));
    EXPECT_EQ(sending_port, QStringLiteral("2525"));

    // Attachment: one file from the open panel, then cleared.
    (ui->rd_without_barcode)->click();
    std::vector<hooks::OpenPanelRequest> requests;
    hooks::setOpenPanel([&](const hooks::OpenPanelRequest& request) {
        requests.push_back(request);
        return QStringList{QStringLiteral("/tmp/menu.pdf")};
    });
    (ui->browse_att)->click();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_FALSE(requests[0].chooseFolders);
    EXPECT_FALSE(requests[0].allowMultiple);
    EXPECT_EQ(ui->attachment->text(), QStringLiteral("/tmp/menu.pdf"));
    EXPECT_EQ(w.currentJob().attachment, QStringLiteral("/tmp/menu.pdf"));
    (ui->clear_att)->click();
    EXPECT_TRUE(ui->attachment->text().isEmpty());

    // Delayed delivery: typed numbers reach the steppers and the job.
    (ui->delayed_delv_chk)->click();
    const std::pair<QLineEdit*, const char*> typed[] = {
        {ui->mail_count_txt, "3"}, {ui->hour_txt, "1"}, {ui->min_text, "2"}, {ui->sec_txt, "5"}};
    for (const auto& [field, text] : typed) {
        field->selectAll();
        QTest::keyClicks(field, QString::fromLatin1(text));
    }
    const MailJob job = w.currentJob();
    EXPECT_TRUE(job.delayed);
    EXPECT_EQ(job.everyN, 3);
    EXPECT_EQ(job.hours, 1);
    EXPECT_EQ(job.minutes, 2);
    EXPECT_EQ(job.seconds, 5);
    EXPECT_EQ(ui->sec_stepper->intValue(), 5);
    for (QString* account :
         {&sender_email, &sender_pwd, &sending_server, &sending_port, &send_enable_ssl}) {
        account->clear();
    }
}

TEST_F(MailWindows, SendTheCurrentCardAndABatchOneToOne) {
    Send_Mail w;
    w.resetWindow();
    w.show();
    std::mutex mutex;
    std::vector<MailMessage> sent;
    MailRunServices services;
    services.transport = [&](const MailMessage& m) {
        std::lock_guard lock(mutex);
        sent.push_back(m);
        return true;
    };
    services.sleep = [](int) {};
    w.setServices(services);
    Ui::Send_Mail* ui = w.ui();
    ui->from_txt->setText(QStringLiteral("me@example.com"));
    ui->to_txt->setText(QStringLiteral("a@example.org,b@example.org"));
    ui->subject_txt->setText(QStringLiteral("Party"));
    ui->message_txt->setPlainText(QStringLiteral("Come along."));
    {
        testsupport::ScriptedAlerts alerts;
        (ui->sendButton)->click();
        EXPECT_TRUE(w.isSending());
        (ui->sendButton)->click(); // ignored while sending
        EXPECT_TRUE(QTest::qWaitFor([&] { return !w.isSending(); }, 20000));
        EXPECT_EQ(alerts.texts(), shown(kMailSentMessage));
    }
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1].recipient, QStringLiteral("b@example.org"));
    EXPECT_EQ(sent[0].body, QStringLiteral("Come along."));
    ASSERT_EQ(sent[0].attachments.size(), 1);
    EXPECT_TRUE(sent[0].attachments[0].endsWith(QStringLiteral("/VOSKCard.jpeg")));
    EXPECT_FALSE(Send_Modeless::defaultInstance()->isVisible());

    // A batch of 3 records, one to one.
    sent.clear();
    Use_Data_Sheet_Values = true;
    m_host.state.Use_Data_Sheet_Values = true;
    m_host.state.Total_Batch_Excel_Card = 3;
    w.send_barcode_rd_select();
    (ui->send_with_batch_chk)->click();
    (ui->rd_one_per_recp)->click();
    ui->to_txt->setText(QStringLiteral("a@example.org,b@example.org,c@example.org,d@example.org"));
    testsupport::ScriptedAlerts alerts;
    (ui->sendButton)->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.isSending(); }, 20000));
    EXPECT_EQ(sent.size(), 3u);
    // Three records for four recipients: d@ got no card.
    EXPECT_EQ(alerts.texts(),
              shown(QStringLiteral("1 of 4 e-mails was not sent.\n\n") + kMailNotSentMessage));
}

TEST_F(MailWindows, SendRefusesABadListAndReportsAFailedRun) {
    Send_Mail w;
    w.resetWindow();
    w.show();
    MailRunServices services;
    services.transport = [](const MailMessage&) { return false; };
    w.setServices(services);
    Ui::Send_Mail* ui = w.ui();
    ui->from_txt->setText(QStringLiteral("me@example.com"));
    ui->to_txt->setText(QStringLiteral("a@example.org,nobody"));
    {
        testsupport::ScriptedAlerts alerts;
        (ui->sendButton)->click();
        EXPECT_FALSE(w.isSending());
        EXPECT_EQ(alerts.texts(), shown(kBadRecipientMessage));
    }
    ui->to_txt->setText(QStringLiteral("a@example.org"));
    (ui->rd_without_barcode)->click();
    testsupport::ScriptedAlerts alerts;
    (ui->sendButton)->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.isSending(); }, 20000));
    EXPECT_EQ(alerts.texts(),
              shown(QStringLiteral("The e-mail was not sent.\n\n") + kMailNotSentMessage));
    EXPECT_EQ(ui->to_txt->text(), QStringLiteral("a@example.org")); // nothing typed is lost
}

// A batch whose second record draws nothing, sent one to one through the
// window to a loopback server: the second guest gets nothing and the end
// message says so.
TEST_F(MailWindows, ARecordWithoutAPictureIsReportedAsNotSent) {
    if (!mailtest::haveAiosmtpd()) {
        GTEST_SKIP() << "python3-aiosmtpd not installed";
    }
    mailtest::LoopbackSmtp server(QStringLiteral("me@example.com"), QStringLiteral("secret"));
    ASSERT_TRUE(server.ok());
    mailtest::SourceResources scripts;
    sender_pwd = QStringLiteral("secret");
    sending_server = QStringLiteral("127.0.0.1");
    sending_port = QString::number(server.port());
    send_enable_ssl = QStringLiteral("N");
    Use_Data_Sheet_Values = true;
    m_host.state.Use_Data_Sheet_Values = true;
    m_host.state.Total_Batch_Excel_Card = 3;
    m_host.blank = {1};

    Send_Mail w;
    w.resetWindow();
    w.show();
    Ui::Send_Mail* ui = w.ui();
    QTest::keyClicks(ui->from_txt, QStringLiteral("me@example.com"));
    QTest::keyClicks(ui->to_txt, QStringLiteral("a@example.org,b@example.org,c@example.org"));
    (ui->send_with_batch_chk)->click();
    (ui->rd_one_per_recp)->click();
    testsupport::ScriptedAlerts alerts;
    (ui->sendButton)->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.isSending(); }, 60000));
    EXPECT_EQ(alerts.texts(),
              shown(QStringLiteral("1 of 3 e-mails was not sent.\nNo card picture could be made "
                                   "for record 2.\n\n") +
                    kMailNotSentMessage));
    const auto messages = server.messages();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(mailtest::messagePart(messages[0], QStringLiteral("to")), "a@example.org");
    EXPECT_EQ(mailtest::messagePart(messages[1], QStringLiteral("to")), "c@example.org");
    for (QString* account :
         {&sender_email, &sender_pwd, &sending_server, &sending_port, &send_enable_ssl}) {
        account->clear();
    }
}

TEST(HelpWindows, EveryLinkIsOnAnExampleDomain) {
    for (const QUrl& url : makerlinks::allAddresses()) {
        EXPECT_TRUE(onExampleDomain(url)) << url.toString().toStdString();
    }
    for (const Promotion& p : promotions(QStringLiteral("Card Editor"))) {
        for (const QString& link : {p.mailLink, p.contactLink, p.orderLink}) {
            EXPECT_TRUE(onExampleDomain(QUrl(link))) << link.toStdString();
        }
    }
}

TEST(HelpWindows, PromotionMailText) {
    EXPECT_EQ(
        promotionMailText(QStringLiteral("a@example.com"), QStringLiteral("Two words"),
                          QStringLiteral("Line one\nLine two\n")),
        QStringLiteral("mailto:a@example.com?subject=Two%20words&body=Line%20one%0A%0ALine%20two"));
    for (const Promotion& p : promotions(QStringLiteral("Card Editor"))) {
        EXPECT_FALSE(p.contactLink.contains(QLatin1Char(' ')));
        EXPECT_TRUE(p.contactLink.contains(QStringLiteral("Card%20Editor")));
    }
}

TEST(HelpWindows, ButtonsRunTheMainWindowsLinkCommandsAndReviewOkOpensTheReviewPage) {
    RecordedLinks links;
    RecordedCommands commands;
    Review_Form review;
    hooks::setModalRunner([&](QDialog&) {
        review.show();
        saveScreenshot(review, QStringLiteral("review"));
        (review.ui()->website_1)->click();
        (review.ui()->support_id)->click();
        (review.ui()->okButton)->click();
        return review.result();
    });
    EXPECT_EQ(review.Open_Review_Form_Window(), 1);
    ASSERT_EQ(links.urls.size(), 1u);
    EXPECT_EQ(links.urls[0].path(), QStringLiteral("/card-editor/review"));
    EXPECT_TRUE(onExampleDomain(links.urls[0]));
    EXPECT_EQ(commands.names, QStringList({"Open_Website_1", "Open_Support_Mail"}));

    Help_Support help;
    help.show();
    Ui::Help_Support* ui = help.ui();
    int shareRuns = 0;
    hooks::setModalRunner([&](QDialog& d) {
        if (&d == help.shareWindow()) {
            ++shareRuns;
            d.show();
            saveScreenshot(d, QStringLiteral("share"));
            Ui::Share_It_Dlg* share = help.shareWindow()->ui();
            for (QPushButton* b : {share->gplusButton, share->facebookButton, share->twitterButton,
                                   share->fbLikeButton, share->goShareButton}) {
                (b)->click();
            }
            (share->okButton)->click();
            return d.result();
        }
        saveScreenshot(d, QStringLiteral("help"));
        return 1;
    });
    links.urls.clear();
    commands.names.clear();
    for (QPushButton* b : {ui->website_1, ui->reseller_1, ui->reseller_2, ui->support_id,
                           ui->support_id_2, ui->gplusButton, ui->facebookButton, ui->twitterButton,
                           ui->fbLikeButton, ui->commentsButton}) {
        (b)->click();
    }
    EXPECT_EQ(commands.names,
              QStringList({"Open_Website_1", "Open_Reseller_Mail", "Open_Website_2",
                           "Open_Support_Mail", "Open_Website_3", "Open_Google_Plus",
                           "Open_FaceBook", "Open_Twitter", "Open_FB_Like"})); // comments: none
    commands.names.clear();
    (ui->shareButton)->click();
    EXPECT_EQ(shareRuns, 1);
    EXPECT_EQ(commands.names, QStringList({"Open_Google_Plus", "Open_FaceBook", "Open_Twitter",
                                           "Open_FB_Like"})); // "Go" shares nothing
    EXPECT_TRUE(links.urls.empty()); // the windows open no address of their own
    EXPECT_EQ(help.Open_Wnd(), 1);
    hooks::setModalRunner({});
}

TEST(HelpWindows, WithoutAMainWindowTheLinkButtonsOpenNothing) {
    RecordedLinks links;
    Help_Support help;
    help.show();
    for (QPushButton* b : {help.ui()->website_1, help.ui()->support_id, help.ui()->gplusButton}) {
        (b)->click();
    }
    EXPECT_TRUE(links.urls.empty());
}

TEST(HelpWindows, HelpButtonOpensTheDocumentOrSaysWhereItIs) {
    const QString saved = Resource_Path;
    QTemporaryDir folder;
    Resource_Path = folder.path();
    const QString pdf = QDir(folder.path()).filePath(QStringLiteral("Help.pdf"));
    struct Case {
        bool present;
        bool opens; // a program for PDF documents starts
        QString alert;
    };
    const Case cases[] = {
        {false, true, QStringLiteral("Help file does not exist!")},
        {true, true, QString()},
        {true, false,
         QStringLiteral("No program to show PDF documents could be started.\n\nThe help document "
                        "is here:\n") +
             pdf},
    };
    Help_Support help;
    help.show();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.alert.toStdString());
        if (c.present) {
            QFile file(pdf);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("%PDF-1.4\n");
        }
        std::vector<QUrl> urls;
        hooks::setUrlOpener([&](const QUrl& url) {
            urls.push_back(url);
            return c.opens;
        });
        testsupport::ScriptedAlerts alerts;
        (help.ui()->_Help_File_Label)->click();
        hooks::setUrlOpener({});
        EXPECT_EQ(alerts.texts(), c.alert.isEmpty() ? QStringList() : shown(c.alert));
        EXPECT_EQ(urls,
                  c.present ? std::vector<QUrl>{QUrl::fromLocalFile(pdf)} : std::vector<QUrl>{});
    }
    Resource_Path = saved;
}

TEST(HelpWindows, PromotionShowsTheChosenProgram) {
    RecordedLinks links;
    RecordedCommands commands;
    mailtest::SourceResources resources;
    Promotion_Form form;
    form.setPatternImage(QImage(QStringLiteral(CARD_SOURCE_DIR "/resources/pattern_1.jpg")));
    const auto all = promotions(QCoreApplication::applicationName());
    for (const Promotion& p : all) {
        hooks::setModalRunner([&](QDialog&) {
            form.show();
            saveScreenshot(form, QStringLiteral("promotion_") + p.key);
            for (QPushButton* b :
                 {form.ui()->mailButton, form.ui()->contactButton, form.ui()->orderButton,
                  form.ui()->youtubeButton, form.ui()->website_1, form.ui()->support_id}) {
                (b)->click();
            }
            (form.ui()->okButton)->click();
            return form.result();
        });
        form.software_type = p.key;
        links.urls.clear();
        EXPECT_EQ(form.Open_Promotion_Window(), 1);
        EXPECT_EQ(form.ui()->Software_title->text(), p.title);
        EXPECT_FALSE(form.ui()->bundle_image->pixmap().isNull());
        ASSERT_EQ(links.urls.size(), 4u);
        EXPECT_EQ(links.urls[0], QUrl(p.mailLink));
        EXPECT_EQ(links.urls[1], QUrl(p.contactLink));
        EXPECT_EQ(links.urls[2].toString(), p.orderLink);
        for (const QUrl& url : links.urls) {
            EXPECT_TRUE(onExampleDomain(url)) << url.toString().toStdString();
        }
        EXPECT_EQ(commands.names, QStringList({"Open_Website_1", "Open_Support_Mail"}));
        commands.names.clear();
    }
    // An unknown key leaves the last promotion showing.
    hooks::setModalRunner([](QDialog&) { return 0; });
    form.software_type = QStringLiteral("Z");
    form.Open_Promotion_Window();
    EXPECT_EQ(form.ui()->Software_title->text(), all.back().title);
    hooks::setModalRunner({});
}

TEST(HelpDocument, OpensAndShowsItsHeadings) {
    CARD_REQUIRE_TOOL(pdfinfo, "pdfinfo");
    CARD_REQUIRE_TOOL(pdftotext, "pdftotext");
    const QString pdf = QStringLiteral(CARD_BINARY_DIR "/mainwindow/resources/Help.pdf");
    ASSERT_TRUE(QFileInfo::exists(pdf)) << "Help.pdf is made by the build (help_document)";
    const auto info = testsupport::runProcess(pdfinfo, {pdf});
    EXPECT_EQ(info.exitCode, 0) << info.err.toStdString();
    EXPECT_TRUE(info.out.contains("Card Editor Help"));
    const auto text = testsupport::runProcess(pdftotext, {pdf, QStringLiteral("-")});
    ASSERT_EQ(text.exitCode, 0);
    for (const char* heading : {"Card Sides", "Objects", "Data Series and Spreadsheets", "Printing",
                                "Export", "E-mail", "Help and Support"}) {
        EXPECT_TRUE(text.out.contains(heading)) << heading;
    }
    // It speaks of the program as built: side buttons, texts written in the
    // inspector, undo for the front's objects only; no shadow setting.
    const QString flat = QString::fromUtf8(text.out).simplified();
    const std::pair<const char*, bool> claims[] = {
        {"The Front and Back buttons", true},
        {"written in the inspector's Text page, not on the card itself", true},
        {"objects on the canvas of the front side", true},
        {"tabs at the top", false},
        {"type the text in place", false},
        {"shadow", false},
        {"Every change can be undone", false},
    };
    for (const auto& [claim, made] : claims) {
        EXPECT_EQ(flat.contains(QString::fromUtf8(claim), Qt::CaseInsensitive), made) << claim;
    }
}

} // namespace
