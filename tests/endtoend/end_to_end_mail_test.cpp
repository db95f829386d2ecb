// The invitations mailed one card per record to a loopback SMTP server: the
// user adds a PDF417 and a Data Matrix bound to the tickets, sets up the
// account in the e-mail settings window, writes the mail and sends one card
// to each guest. Every message arrives with its card, a 300 dpi JPEG whose
// barcodes all carry that guest's ticket, and the password appears on no
// process's command line while the mail script runs.

#include "../mail/MailTestSupport.h"
#include "InvitationDesign.h"
#include "OutsideReaders.h"

#include "output/Email_Setting.h"
#include "output/Send_Mail.h"
#include "output/core/MailRun.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <atomic>
#include <thread>

namespace {

using namespace invitation;

const QString kSender = QStringLiteral("nora@example.com");
// A password no other process has on its command line by chance.
const QString kPassword = QStringLiteral("Wildrose-7731-secret");

// Watches every process's command line while it runs: whether the mail
// script was seen and whether any command line held the password.
class CommandLineWatch {
public:
    CommandLineWatch() : m_thread([this] { run(); }) {}
    ~CommandLineWatch() { stop(); }
    CommandLineWatch(const CommandLineWatch&) = delete;
    CommandLineWatch& operator=(const CommandLineWatch&) = delete;

    void stop() {
        m_stop = true;
        if (m_thread.joinable()) {
            m_thread.join();
        }
    }
    int scriptSightings() const { return m_scripts; }
    QStringList leaks() const {
        std::lock_guard lock(m_mutex);
        return m_leaks;
    }

private:
    void run() {
        const QByteArray password = kPassword.toUtf8();
        while (!m_stop) {
            const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
            for (const QString& pid : pids) {
                if (pid.isEmpty() || !pid[0].isDigit()) {
                    continue;
                }
                QFile file(QStringLiteral("/proc/%1/cmdline").arg(pid));
                if (!file.open(QIODevice::ReadOnly)) {
                    continue;
                }
                const QByteArray line = file.readAll();
                if (line.contains("pyth_mail.py")) {
                    ++m_scripts;
                }
                if (line.contains(password)) {
                    std::lock_guard lock(m_mutex);
                    m_leaks << QString::fromUtf8(QByteArray(line).replace('\0', ' '));
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }

    std::atomic<bool> m_stop{false};
    std::atomic<int> m_scripts{0};
    mutable std::mutex m_mutex;
    QStringList m_leaks;
    std::thread m_thread;
};

// A loopback SMTP server (aiosmtpd) for the test's life, told the account
// on its standard input, so its own command line holds no password either.
class LoopbackServer {
public:
    LoopbackServer(const QString& login, const QString& password) {
        m_process.start(
            QStringLiteral("/usr/bin/python3"),
            {QStringLiteral(CARD_SOURCE_DIR "/tests/endtoend/loopback_smtp.py"), m_folder.path()});
        if (!m_process.waitForStarted(10000)) {
            return;
        }
        m_process.write((login + QLatin1Char('\n') + password + QLatin1Char('\n')).toUtf8());
        QByteArray line;
        while (!line.contains('\n') && m_process.waitForReadyRead(20000)) {
            line += m_process.readAllStandardOutput();
        }
        m_port = line.trimmed().toInt();
    }
    ~LoopbackServer() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.closeWriteChannel();
            if (!m_process.waitForFinished(10000)) {
                m_process.kill();
                m_process.waitForFinished(5000);
            }
        }
    }
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    bool ok() const { return m_port > 0; }
    int port() const { return m_port; }
    // Received messages, oldest first.
    QList<QByteArray> messages() const {
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

private:
    QTemporaryDir m_folder;
    QProcess m_process;
    int m_port = 0;
};

// Two more barcodes bound to the tickets, below the texts.
const QPointF kPdf417Corner(10, 440);
const QPointF kDataMatrixCorner(250, 440);

// The resolution a JPEG's JFIF header gives, in dots per inch (0 when it
// gives none).
QSize jfifDotsPerInch(const QByteArray& jpeg) {
    // SOI, then APP0: marker, length, "JFIF\0", version, units, densities.
    if (jpeg.size() < 18 || !jpeg.startsWith("\xff\xd8\xff\xe0") ||
        jpeg.mid(6, 5) != QByteArray("JFIF\0", 5)) {
        return {};
    }
    const auto word = [&jpeg](int at) { return (uchar(jpeg[at]) << 8) | uchar(jpeg[at + 1]); };
    const int units = uchar(jpeg[13]);
    if (units == 1) {
        return QSize(word(14), word(16));
    }
    if (units == 2) { // dots per centimetre
        return QSize(qRound(word(14) * 2.54), qRound(word(16) * 2.54));
    }
    return {};
}

QString guestAddress(int record) {
    return kGuests[record].toLower() + QStringLiteral("@example.org");
}

class EndToEndMail : public InvitationDesign {};

TEST_F(EndToEndMail, EachGuestIsMailedTheirOwnCard) {
    if (!mailtest::haveAiosmtpd()) {
        GTEST_SKIP() << "python3-aiosmtpd is not installed: no loopback SMTP server";
    }
    CARD_REQUIRE_TOOL(zbarimg, "zbarimg");
    CARD_REQUIRE_TOOL(zxing, "ZXingReader");
    const QString dmtxread = testsupport::findTool("dmtxread");
    ASSERT_NO_FATAL_FAILURE(buildSaveAndReopen());
    ASSERT_NO_FATAL_FAILURE(addBarcode(QStringLiteral("PDF417"), kPdf417Corner));
    ASSERT_NO_FATAL_FAILURE(addBarcode(QStringLiteral("DataMatrix"), kDataMatrixCorner));
    LoopbackServer server(kSender, kPassword);
    ASSERT_TRUE(server.ok());

    QStringList recipients;
    for (int k = 0; k < kGuests.size(); ++k) {
        recipients << guestAddress(k);
    }
    int watchedScripts = 0;
    QStringList leaks;
    bool finished = false;
    bool allSent = false;
    expectDialog<Send_Mail>([&](Send_Mail& window) {
        // The account first, in the settings window.
        expectDialog<Email_Setting>([&](Email_Setting& settings) {
            type(child<QLineEdit>(settings, "_send_mail_sender_mail"), kSender);
            type(child<QLineEdit>(settings, "_send_mail_password"), kPassword);
            type(child<QLineEdit>(settings, "_send_mail_smtp"), QStringLiteral("127.0.0.1"));
            type(child<QLineEdit>(settings, "_send_mail_port"), QString::number(server.port()));
            click(child<QRadioButton>(settings, "_send_mail_tls"));
            click(child<QPushButton>(settings, "saveButton"));
            return settings.result();
        });
        click(child<QPushButton>(window, "settingButton"));
        EXPECT_EQ(child<QLineEdit>(window, "from_txt")->text(), kSender);

        type(child<QLineEdit>(window, "to_txt"), recipients.join(QLatin1Char(',')));
        type(child<QLineEdit>(window, "subject_txt"), kTitle);
        child<QPlainTextEdit>(window, "message_txt")->setPlainText(QStringLiteral("Your card."));
        click(child<QRadioButton>(window, "rd_mail_curr_barcode"));
        click(child<QRadioButton>(window, "sideFront"));
        type(child<QLineEdit>(window, "file_name_txt"), QStringLiteral("Invitation"));
        // The design has records: the user ticks both batch boxes.
        click(child<QCheckBox>(window, "send_with_batch_chk"));
        click(child<QCheckBox>(window, "send_with_excel_chk"));
        click(child<QRadioButton>(window, "rd_one_per_recp"));

        QObject::connect(&window, &Send_Mail::runFinished, &window, [&](bool all) {
            finished = true;
            allSent = all;
        });
        CommandLineWatch watch;
        click(child<QPushButton>(window, "sendButton"));
        EXPECT_TRUE(waitFor([&] { return finished; }));
        watch.stop();
        watchedScripts = watch.scriptSightings();
        leaks = watch.leaks();
        click(child<QPushButton>(window, "closeButton"));
        return window.result();
    });
    trigger("Mail_action");
    EXPECT_EQ(takeDialogs(),
              (QStringList{QStringLiteral("Send_Mail"), QStringLiteral("Email_Setting")}));
    ASSERT_TRUE(finished);
    EXPECT_TRUE(allSent);
    EXPECT_EQ(takeMessages(), QStringList{kMailSentMessage.trimmed()});

    // The password: stored only in the account file (mode 0600), never on a
    // command line while the script ran.
    EXPECT_GT(watchedScripts, 0);
    EXPECT_EQ(leaks, QStringList());
    const QFileInfo account(QDir(resources()).filePath(QStringLiteral("com.vosk.card.plist")));
    EXPECT_TRUE(account.isFile());
    EXPECT_EQ(account.permissions() &
                  (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
              QFileDevice::Permissions());

    // One message per guest, each with the guest's card.
    const QList<QByteArray> messages = server.messages();
    ASSERT_EQ(messages.size(), kGuests.size());
    QStringList to;
    for (int m = 0; m < messages.size(); ++m) {
        SCOPED_TRACE("message " + std::to_string(m));
        const QString address =
            QString::fromUtf8(mailtest::messagePart(messages[m], QStringLiteral("to")));
        to << address;
        const int k = int(recipients.indexOf(address));
        ASSERT_GE(k, 0) << address.toStdString();
        EXPECT_EQ(QString::fromUtf8(mailtest::messagePart(messages[m], QStringLiteral("subject"))),
                  kTitle);
        ASSERT_EQ(mailtest::messagePart(messages[m], QStringLiteral("attachments")), "1");
        const QByteArray card = mailtest::messagePart(messages[m], QStringLiteral("attachment:0"));
        const QString name = QString::fromUtf8(
            mailtest::messagePart(messages[m], QStringLiteral("attachment-name:0")));
        const QString path = homeFile(QStringLiteral("mail-%1-").arg(m) + name);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(card);
        file.close();
        EXPECT_EQ(name, QStringLiteral("Invitation.jpeg"));
        EXPECT_EQ(outside::sniffImageFormat(path), QStringLiteral("jpeg"));
        // The card goes out at 300 dpi, and says so.
        EXPECT_EQ(jfifDotsPerInch(card), QSize(300, 300));
        const QSize pixels = QImage::fromData(card).size();
        EXPECT_NEAR(pixels.width(), kCardWidthMm / 25.4 * 300, 1);
        EXPECT_NEAR(pixels.height(), kCardHeightMm / 25.4 * 300, 1);
        // Every barcode reads as the guest's ticket: zbarimg its Code 128
        // and QR Code, ZXingReader the QR Code and the PDF417 (the PDF417
        // with its smaller tries too, as the reader does by default),
        // dmtxread the Data Matrix (ZXingReader 1.4 finds a Data Matrix only
        // near a picture's centre).
        const QList<outside::Symbol> symbols = outside::zbarSymbols(zbarimg, path);
        EXPECT_TRUE(symbols.contains(outside::Symbol{QStringLiteral("CODE-128"), kTickets[k]}));
        EXPECT_TRUE(symbols.contains(outside::Symbol{QStringLiteral("QR-Code"), kTickets[k]}));
        for (const outside::Symbol& symbol : symbols) {
            EXPECT_EQ(symbol.data, kTickets[k]) << symbol.format.toStdString();
        }
        EXPECT_EQ(outside::zxingSymbol(zxing, path, QStringLiteral("QRCode")), kTickets[k]);
        const auto pdf417 =
            testsupport::runProcess(zxing, {QStringLiteral("-bytes"), QStringLiteral("-format"),
                                            QStringLiteral("PDF417"), path});
        EXPECT_EQ(QString::fromUtf8(pdf417.out), kTickets[k]);
        if (!dmtxread.isEmpty()) {
            const auto dataMatrix =
                testsupport::runProcess(dmtxread, {QStringLiteral("-N1"), QStringLiteral("-m"),
                                                   QStringLiteral("60000"), path});
            EXPECT_EQ(QString::fromUtf8(dataMatrix.out).trimmed(), kTickets[k]);
        }
    }
    // Every guest got one, in record order.
    EXPECT_EQ(to, recipients);
    if (dmtxread.isEmpty()) {
        GTEST_SKIP() << "outside tool not installed: dmtxread (the Data Matrix was not read)";
    }
}

} // namespace
