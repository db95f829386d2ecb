#pragma once
// A sending run of the mail window, free of widgets: the job the window fills
// on the GUI thread, the checks made before anything is sent, and the loop
// that renders card pictures, calls the transport once per mail and pauses
// after every N items. Progress and the pause count-down are published
// through atomics that the window's timers show.

#include "output/core/CardSource.h"
#include "output/core/MailTransport.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <memory>

inline const QString kMailSentMessage = QStringLiteral("E-mail has been sent successfully.");
inline const QString kMailNotSentMessage = QStringLiteral(
    "Could not send email message.\nPlease make sure that:\n1. Entered E-mail settings are "
    "correct.\n2. Internet connectivity to E-mail server is not interrupted and E-mail server is "
    "not down.\n3. Your Firewall or Security software (if any) is not blocking the software to "
    "communicate with your E-mail server.");
inline const QString kNoSenderMessage = QStringLiteral(
    "Please make sure that:\n1.Entered E-mail Settings are correct.\n2.Internet Connectivity to "
    "E-mail server is not interrupted and E-mail server is not down.\n3.Your firewall or security "
    "software(if any) is not blocking the software to communicate with your E-mail server.");
inline const QString kNoRecipientMessage =
    QStringLiteral("Please specify the Recipient E-mail address.");
inline const QString kBadRecipientMessage =
    QStringLiteral("Recipient E-mail address is invalid or incomplete.");
inline const QString kBadFileNameMessage = QStringLiteral("Please enter valid file name.");

// Card pictures are mailed at this resolution (stored in the file): a card
// is legible on screen and print, and every barcode on it scans.
inline constexpr double kMailPictureDpi = 300.0;

enum class MailMode { WithoutCard, CurrentCard, AllToEveryone, OneToOne };

// Everything a run needs, copied from the window and the account strings
// before the run starts (the worker reads no widget and no global string).
struct MailJob {
    QString from;
    QString to;
    QString subject;
    QString body;
    QString password;
    QString server;
    QString port;
    QString ssl;
    bool withCard = true;
    bool batch = false;     // a batch box ticked and its flag still set
    bool allToEvery = true; // batch mode
    QString side = QStringLiteral("F");
    QString fileName = QStringLiteral("VOSKCard");
    QString attachment;  // without a card
    int recordCount = 0; // records of a batch
    bool delayed = false;
    int everyN = 1;
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
};

// The job after its checks: the sender, the recipients, the base name of
// the pictures and the mode.
struct MailPlan {
    QString sender;
    QStringList recipients;
    QString baseName;
    MailMode mode = MailMode::WithoutCard;
    int itemCount = 0;
    qint64 pauseMs = 0; // 0: no pause
    int everyN = 1;
};

// Checks the job in the order the window reports them. On a refusal answers
// false and sets `message` to the text to show.
bool planMail(const MailJob& job, MailPlan& plan, QString& message);

// The recipients of a "," separated list: each part trimmed and
// lower-cased, empty parts left out. A list with any part that fails the
// address test is refused whole (answers false): dropping one would pair
// record i with the wrong person.
bool parseRecipients(const QString& text, QStringList& recipients);

// Pause length in milliseconds from hours, minutes and seconds.
qint64 pauseMilliseconds(int hours, int minutes, int seconds);

// "Pausing the process for ..." for a pause of t milliseconds.
QString Calculate_Pause_Time(qint64 t);

// Published by the run, read by the window's timers on the GUI thread.
struct MailProgress {
    std::atomic<int> total{0};
    std::atomic<int> current{0};      // curr_barcode_count
    std::atomic<qint64> pauseLeft{0}; // Pause_Delay_Time
    std::atomic<bool> pausing{false};
    std::atomic<qint64> pauseLength{0};
};

// What the run needs from outside; tests replace any of it.
struct MailRunServices {
    MailTransport transport = &sendEmail_pyth;
    // One step of a pause (1 s in the program).
    std::function<void(int ms)> sleep;
    // The picture of record `record`'s side (on the GUI thread when it
    // renders); none when the card source gives none.
    std::function<CardPicture(int record, CardSide side)> picture;
    // After a batch: the design back to record 0.
    std::function<void()> finish;
    // Tells the window the pause started or ended (any thread).
    std::function<void()> pauseChanged;
    // Writes a log line.
    std::function<void(const QString&)> log;
};

struct MailRunResult {
    // Mails the plan meant to send: one per recipient, or every record to
    // every recipient.
    int expected = 0;
    int attempted = 0;
    int sent = 0;
    // Records (from 0) passed over because their card gave no picture.
    QList<int> noPicture;
    // The current card (no batch) gave no picture: nothing was sent.
    bool cardWithoutPicture = false;
    // A card picture could not be written (its folder gone, a full disk):
    // the run ended there.
    bool pictureFailed = false;
    // The first mail that could not be sent (a failed send, or a picture
    // that could not be written): its recipient, its record (from 0) when
    // every record goes to every recipient (else -1), and the mails sent
    // before it. A recipient left empty stands for all of the record's.
    bool failed = false;
    QString failedRecipient;
    int failedRecord = -1;
    int sentBeforeFailure = 0;
    // The mail script's reason for that first failed mail (may be empty).
    QString failureReason;
    bool allSent() const { return expected > 0 && sent == expected && !pictureFailed; }
};

// The message a finished run shows: success only when every recipient got
// every mail meant for them; otherwise how many were not sent, the first
// mail that could not be sent and how many went before it, the records
// that gave no card picture, the failure text and the reason the mail
// script gave for the first failed mail.
QString mailRunMessage(const MailRunResult& result);

// Runs the plan. The stop flag is Stop_SMS_Sending_Now. Card pictures go to a
// private temporary folder (mode 0700) removed at the end; a run that mails
// cards and cannot make that folder sends nothing. Card_Front_Or_Back is
// restored.
MailRunResult runMail(const MailJob& job, const MailPlan& plan, MailRunServices& services,
                      MailProgress& progress);
