// The mail window and the maker's links on a real main window controller:
// a batch mail carries the cards of the bound records (their barcodes read
// back by zbarimg from the received attachments), and every link command
// opens one address on an example domain, also from the help windows.

#include "../binding/BindingFixture.h"
#include "../mail/MailTestSupport.h"
#include "barcodes/designer/core/DesignerLists.h"
#include "mainwindow/controller/ControllerLinks.h"
#include "mainwindow/controller/ControllerOutputHost.h"
#include "output/Help_Support.h"
#include "output/Review_Form.h"
#include "output/Send_Mail.h"
#include "output/core/MailRun.h"
#include "output/core/MailSettings.h"
#include "widgets/RadioMatrix.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QUrl>
#include <QUrlQuery>

namespace {

const QString kLogin = QStringLiteral("me@example.com");
const QString kPassword = QStringLiteral("secret");

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

class RecordedOpener {
public:
    RecordedOpener() {
        hooks::setUrlOpener([this](const QUrl& url) {
            urls.push_back(url);
            return true;
        });
    }
    ~RecordedOpener() { hooks::setUrlOpener({}); }
    std::vector<QUrl> urls;
};

class MailOnController : public BindingFixture {
protected:
    void SetUp() override {
        BindingFixture::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        m_host = std::make_unique<ControllerOutputHost>(*m_controller);
        OutputHost::setCurrent(m_host.get());
        m_links = std::make_unique<ControllerLinks>(*m_controller);
        LinkCommands::setCurrent(m_links.get());
    }
    void TearDown() override {
        LinkCommands::setCurrent(nullptr);
        OutputHost::setCurrent(nullptr);
        for (QString* account :
             {&sender_email, &sender_pwd, &sending_server, &sending_port, &send_enable_ssl}) {
            account->clear();
        }
        Stop_SMS_Sending_Now = 0;
        BindingFixture::TearDown();
    }

    static void fillSide(Card_Property& page, const QColor& color) {
        page.setCard_fill_chk(true);
        page.setCard_fill_style(QStringLiteral("S"));
        page.setCard_fill_clr(color);
    }

    // A Code 128 barcode on the front bound to a series (type 1) or a
    // spreadsheet column (type 2).
    std::shared_ptr<SKTBarcode> boundBarcode(int type, const QString& seriesName, int column) {
        auto barcode = place<SKTBarcode>(0, QRectF(20, 20, 300, 140));
        barcode->barcode_font_index =
            int(DesignerLists::symbologies().indexOf(QStringLiteral("Code 128")));
        bind(*barcode, type, seriesName, column);
        return barcode;
    }

    // The mail script in the controller's resource folder and the account
    // of a loopback server.
    bool useServer(const mailtest::LoopbackSmtp& server) {
        const QString script = QDir(Resource_Path).filePath(QStringLiteral("pyth_mail.py"));
        QFile::remove(script);
        if (!QFile::copy(QStringLiteral(CARD_SOURCE_DIR "/resources/pyth_mail.py"), script)) {
            return false;
        }
        sender_pwd = kPassword;
        sending_server = QStringLiteral("127.0.0.1");
        sending_port = QString::number(server.port());
        send_enable_ssl = QStringLiteral("N");
        return true;
    }

    // Sends from the window as the user would and waits for the run's end.
    bool sendFrom(Send_Mail& window) {
        window.findChild<QPushButton*>(QStringLiteral("sendButton"))->click();
        return waitFor([&] { return !window.isSending(); });
    }

    // The data zbarimg reads from a received picture.
    QString decoded(const QByteArray& picture, const QString& zbarimg, int n) {
        const QString path = m_temp.filePath(QStringLiteral("received_%1.jpeg").arg(n));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            return {};
        }
        file.write(picture);
        file.close();
        const auto run =
            testsupport::runProcess(zbarimg, {QStringLiteral("--raw"), QStringLiteral("-q"), path});
        return QString::fromUtf8(run.out).trimmed();
    }

    // The colour 4 points in from the bottom right corner, clear of the
    // card's edge at the picture's own resolution.
    static QColor cornerOf(const QByteArray& picture) {
        const QImage image = QImage::fromData(picture);
        const int in = qRound(4 * image.dotsPerMeterX() * 0.0254 / 72);
        return image.isNull() ? QColor()
                              : image.pixelColor(image.width() - in, image.height() - in);
    }

    std::unique_ptr<ControllerOutputHost> m_host;
    std::unique_ptr<ControllerLinks> m_links;
};

TEST_F(MailOnController, OneToOneBatchMailsCarryTheBoundRecordsBackThenFront) {
    CARD_REQUIRE_TOOL(zbarimg, "zbarimg");
    if (!mailtest::haveAiosmtpd()) {
        GTEST_SKIP() << "python3-aiosmtpd not installed";
    }
    mailtest::LoopbackSmtp server(kLogin, kPassword);
    ASSERT_TRUE(server.ok());
    ASSERT_TRUE(useServer(server));

    const QStringList codes{"REC001", "REC002", "REC003", "REC004"};
    series(QStringLiteral("codes"), codes);
    boundBarcode(1, QStringLiteral("codes"), 0);
    auto backText = boundText(1, 1, QStringLiteral("codes"));
    fillSide(m_controller->Front_card_Prop, Qt::white);
    fillSide(m_controller->Back_card_Prop, QColor(0, 0, 220));
    m_controller->Publish_Page_Records();
    m_controller->Check_Series_Or_Excel_Use_or_not();
    ASSERT_EQ(Total_Batch_Excel_Card, 4);

    Send_Mail window;
    window.resetWindow();
    window.show();
    window.findChild<QLineEdit*>(QStringLiteral("from_txt"))->setText(kLogin);
    window.findChild<QLineEdit*>(QStringLiteral("to_txt"))
        ->setText(QStringLiteral("guest1@example.org, guest2@example.org, guest3@example.org"));
    window.findChild<QLineEdit*>(QStringLiteral("subject_txt"))->setText(QStringLiteral("Party"));
    auto* batchBox = window.findChild<QCheckBox*>(QStringLiteral("send_with_batch_chk"));
    ASSERT_TRUE(batchBox->isEnabled());
    batchBox->click();
    window.findChild<QRadioButton*>(QStringLiteral("rd_one_per_recp"))->click();
    window.findChild<RadioMatrix*>(QStringLiteral("matrix_card_side"))->selectCellAtRow(0, 0);
    window.mail_card_side_CellClick(0); // "BOTH"

    ASSERT_TRUE(sendFrom(window));
    ASSERT_FALSE(m_alerts.texts().isEmpty());
    EXPECT_EQ(m_alerts.texts().last(), QStringLiteral("\n") + kMailSentMessage);

    const auto messages = server.messages();
    ASSERT_EQ(messages.size(), 3); // records 1 to 3, one per recipient
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(mailtest::messagePart(messages[i], QStringLiteral("to")),
                  QStringLiteral("guest%1@example.org").arg(i + 1).toUtf8());
        ASSERT_EQ(mailtest::messagePart(messages[i], QStringLiteral("attachments")), "2");
        EXPECT_EQ(mailtest::messagePart(messages[i], QStringLiteral("attachment-name:0")),
                  "VOSKCard_Back.jpeg");
        const QByteArray back = mailtest::messagePart(messages[i], QStringLiteral("attachment:0"));
        const QByteArray front = mailtest::messagePart(messages[i], QStringLiteral("attachment:1"));
        EXPECT_GT(cornerOf(back).blue(), 180);
        EXPECT_LT(cornerOf(back).red(), 60);
        EXPECT_GT(cornerOf(front).red(), 230);
        EXPECT_EQ(decoded(front, zbarimg, i), codes[i]);
    }
    // The design shows record 0 again, on its side.
    EXPECT_EQ(textOf(backText), codes[0]);
    EXPECT_EQ(Card_Front_Or_Back, 0);
    EXPECT_EQ(Card_Value_In_Process, 0);
}

TEST_F(MailOnController, AllToEveryoneMailsEverySpreadsheetRowToEachRecipient) {
    CARD_REQUIRE_TOOL(zbarimg, "zbarimg");
    if (!mailtest::haveAiosmtpd()) {
        GTEST_SKIP() << "python3-aiosmtpd not installed";
    }
    mailtest::LoopbackSmtp server(kLogin, kPassword);
    ASSERT_TRUE(server.ok());
    ASSERT_TRUE(useServer(server));

    const QStringList rows{"ROW-A1", "ROW-B2", "ROW-C3"};
    table(rows);
    boundBarcode(2, QString(), 1);
    fillSide(m_controller->Front_card_Prop, Qt::white);
    m_controller->Publish_Page_Records();
    m_controller->Check_Series_Or_Excel_Use_or_not();
    ASSERT_EQ(Total_Batch_Excel_Card, 3);

    Send_Mail window;
    window.resetWindow();
    window.show();
    window.findChild<QLineEdit*>(QStringLiteral("from_txt"))->setText(kLogin);
    window.findChild<QLineEdit*>(QStringLiteral("to_txt"))
        ->setText(QStringLiteral("ann@example.org,bob@example.net"));
    auto* excelBox = window.findChild<QCheckBox*>(QStringLiteral("send_with_excel_chk"));
    ASSERT_TRUE(excelBox->isEnabled());
    excelBox->click();
    ASSERT_TRUE(window.findChild<QRadioButton*>(QStringLiteral("rd_all_to_every"))->isChecked());

    ASSERT_TRUE(sendFrom(window));
    EXPECT_EQ(m_alerts.texts().last(), QStringLiteral("\n") + kMailSentMessage);
    const auto messages = server.messages();
    ASSERT_EQ(messages.size(), 6);
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(mailtest::messagePart(messages[i], QStringLiteral("to")),
                  i % 2 == 0 ? QByteArray("ann@example.org") : QByteArray("bob@example.net"));
        ASSERT_EQ(mailtest::messagePart(messages[i], QStringLiteral("attachments")), "1");
        EXPECT_EQ(
            decoded(mailtest::messagePart(messages[i], QStringLiteral("attachment:0")), zbarimg, i),
            rows[i / 2]);
    }
}

TEST_F(MailOnController, AnUntickedBatchBoxMailsTheDesignAsItStands) {
    if (!mailtest::haveAiosmtpd()) {
        GTEST_SKIP() << "python3-aiosmtpd not installed";
    }
    mailtest::LoopbackSmtp server(kLogin, kPassword);
    ASSERT_TRUE(server.ok());
    ASSERT_TRUE(useServer(server));
    series(QStringLiteral("names"), {"Ann", "Bob", "Cid"});
    boundText(0, 1, QStringLiteral("names"));
    m_controller->Check_Series_Or_Excel_Use_or_not();

    Send_Mail window;
    window.resetWindow();
    window.show();
    window.findChild<QLineEdit*>(QStringLiteral("from_txt"))->setText(kLogin);
    window.findChild<QLineEdit*>(QStringLiteral("to_txt"))
        ->setText(QStringLiteral("ann@example.org,bob@example.net"));
    ASSERT_TRUE(sendFrom(window));
    EXPECT_EQ(m_alerts.texts().last(), QStringLiteral("\n") + kMailSentMessage);
    const auto messages = server.messages();
    ASSERT_EQ(messages.size(), 2); // one per recipient, no record walk
    for (const QByteArray& message : messages) {
        EXPECT_EQ(mailtest::messagePart(message, QStringLiteral("attachments")), "1");
        EXPECT_EQ(mailtest::messagePart(message, QStringLiteral("attachment-name:0")),
                  "VOSKCard.jpeg");
    }
}

TEST_F(MailOnController, EveryLinkCommandOpensItsOwnExampleAddress) {
    RecordedOpener opener;
    using Command = void (SKTWindowController::*)();
    const std::pair<Command, const char*> commands[] = {
        {&SKTWindowController::Open_Support_Mail, "mailto"},
        {&SKTWindowController::Open_Reseller_Mail, "mailto"},
        {&SKTWindowController::Open_Website_1, "https"},
        {&SKTWindowController::Open_Website_2, "https"},
        {&SKTWindowController::Open_Website_3, "https"},
        {&SKTWindowController::Open_Google_Plus, "https"},
        {&SKTWindowController::Open_FaceBook, "https"},
        {&SKTWindowController::Open_Twitter, "https"},
        {&SKTWindowController::Open_FB_Like, "https"},
        {&SKTWindowController::Open_Share_It_Dl, "https"},
        {&SKTWindowController::Open_Share_It_And_Get_It_Free, "https"},
    };
    QSet<QString> seen;
    for (const auto& [command, scheme] : commands) {
        opener.urls.clear();
        (m_controller.get()->*command)();
        ASSERT_EQ(opener.urls.size(), 1u);
        const QUrl& url = opener.urls[0];
        EXPECT_TRUE(url.isValid()) << url.toString().toStdString();
        EXPECT_EQ(url.scheme(), QString::fromLatin1(scheme));
        EXPECT_TRUE(onExampleDomain(url)) << url.toString().toStdString();
        seen.insert(url.toString());
    }
    EXPECT_EQ(seen.size(), int(std::size(commands))); // each its own address
    // The reseller mail comes with its subject and body.
    opener.urls.clear();
    m_controller->Open_Reseller_Mail();
    const QUrlQuery query(opener.urls.at(0));
    EXPECT_FALSE(query.queryItemValue(QStringLiteral("subject")).isEmpty());
    EXPECT_FALSE(query.queryItemValue(QStringLiteral("body")).isEmpty());
}

TEST_F(MailOnController, TheHelpWindowsButtonsOpenTheControllersAddresses) {
    RecordedOpener opener;
    m_controller->Open_Website_1();
    m_controller->Open_Reseller_Mail();
    m_controller->Open_Website_2();
    m_controller->Open_Support_Mail();
    m_controller->Open_Website_3();
    m_controller->Open_Google_Plus();
    m_controller->Open_FaceBook();
    m_controller->Open_Twitter();
    m_controller->Open_FB_Like();
    const std::vector<QUrl> expected = opener.urls;
    opener.urls.clear();

    Help_Support help;
    help.show();
    for (const char* name : {"website_1", "reseller_1", "reseller_2", "support_id", "support_id_2",
                             "gplusButton", "facebookButton", "twitterButton", "fbLikeButton"}) {
        auto* button = help.findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        button->click();
    }
    EXPECT_EQ(opener.urls, expected);

    opener.urls.clear();
    Review_Form review;
    review.show();
    review.findChild<QPushButton*>(QStringLiteral("website_1"))->click();
    review.findChild<QPushButton*>(QStringLiteral("support_id"))->click();
    EXPECT_EQ(opener.urls, std::vector<QUrl>({expected[0], expected[3]}));
}

} // namespace
