#include "output/core/MailRun.h"

#include "core/MessageFunctions.h"
#include "core/StringFunctions.h"
#include "core/globals.h"
#include "output/core/CardExport.h"
#include "output/core/MailSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <climits>
#include <thread>

bool parseRecipients(const QString& text, QStringList& recipients) {
    recipients.clear();
    const QStringList parts = Trim_Str(text).toLower().split(QLatin1Char(','));
    for (const QString& part : parts) {
        const QString address = Trim_Str(part);
        if (address.isEmpty()) {
            continue;
        }
        if (!isValidEmail(address)) {
            recipients.clear();
            return false;
        }
        recipients << address;
    }
    return !recipients.isEmpty();
}

qint64 pauseMilliseconds(int hours, int minutes, int seconds) {
    return qint64(hours) * 3600000 + qint64(minutes) * 60000 + qint64(seconds) * 1000;
}

QString Calculate_Pause_Time(qint64 t) {
    const qint64 s = t / 1000;
    const qint64 h = s / 3600;
    const qint64 m = (s % 3600) / 60;
    const qint64 r = s % 60;
    const QString hours = (h < 2 ? QStringLiteral("%1 Hour ") : QStringLiteral("%1 Hours ")).arg(h);
    const QString minutes =
        (m < 2 ? QStringLiteral("%1 Minute ") : QStringLiteral("%1 Minutes ")).arg(m);
    const QString seconds =
        (r < 2 ? QStringLiteral("%1 Second.") : QStringLiteral("%1 Seconds.")).arg(r);
    QString text = QStringLiteral("Pausing the process for ");
    if (h >= 1) {
        text += hours + minutes + seconds;
    } else if (m == 0) {
        text += seconds;
    } else {
        text += minutes + seconds;
    }
    return text;
}

bool planMail(const MailJob& job, MailPlan& plan, QString& message) {
    plan = MailPlan();
    plan.sender = Trim_Str(job.from.toLower());
    if (plan.sender.isEmpty()) {
        message = kNoSenderMessage;
        return false;
    }
    if (Trim_Str(job.to).isEmpty()) {
        message = kNoRecipientMessage;
        return false;
    }
    if (!parseRecipients(job.to, plan.recipients)) {
        message = kBadRecipientMessage;
        return false;
    }
    plan.baseName = QStringLiteral("VOSKCard");
    if (job.withCard) {
        plan.baseName = Trim_Str(Remove_Reserve_Char_In_File_Name(job.fileName));
        if (plan.baseName.isEmpty()) {
            message = kBadFileNameMessage;
            return false;
        }
    }
    if (!job.withCard) {
        plan.mode = MailMode::WithoutCard;
    } else if (!job.batch) {
        plan.mode = MailMode::CurrentCard;
    } else {
        plan.mode = job.allToEvery ? MailMode::AllToEveryone : MailMode::OneToOne;
    }
    plan.itemCount = plan.mode == MailMode::AllToEveryone
                         ? job.recordCount
                         : static_cast<int>(plan.recipients.size());
    if (job.delayed) {
        // At least one item between pauses; a pause under a second is none.
        plan.everyN = std::max(1, job.everyN);
        const qint64 pause = pauseMilliseconds(job.hours, job.minutes, job.seconds);
        plan.pauseMs = pause >= 1000 ? pause : 0;
    }
    return true;
}

namespace {

class MailLoop {
public:
    MailLoop(const MailJob& job, const MailPlan& plan, MailRunServices& services,
             MailProgress& progress, const QString& folder)
        : m_job(job), m_plan(plan), m_services(services), m_progress(progress) {
        m_front = QDir(folder).filePath(plan.baseName + QStringLiteral(".jpeg"));
        m_back = cardexport::Create_Back_Card_Path(m_front);
    }

    MailRunResult run() {
        const int total = m_plan.itemCount;
        int counted = 0;
        for (int i = 0; i < total && Stop_SMS_Sending_Now.load() == 0; ++i) {
            m_progress.current = i + 1;
            m_item = i;
            QStringList attachments;
            bool processed = true;
            bool endRun = false;
            switch (m_plan.mode) {
            case MailMode::WithoutCard: {
                log(QStringLiteral("send without card."));
                const QString path = Trim_Str(m_job.attachment);
                if (!path.isEmpty() && QFileInfo::exists(path)) {
                    attachments << path;
                }
                endRun = !send(m_plan.recipients.at(i), attachments);
                break;
            }
            case MailMode::CurrentCard:
                log(QStringLiteral("send card no batch."));
                if (i == 0) {
                    const Rendered rendered = renderRecord(0);
                    m_cardReady = rendered == Rendered::Written;
                    m_result.cardWithoutPicture = rendered == Rendered::NoPicture;
                }
                if (!m_cardReady) {
                    endRun = true;
                    break;
                }
                endRun = !send(m_plan.recipients.at(i), m_attachments);
                break;
            case MailMode::AllToEveryone:
            case MailMode::OneToOne: {
                if (i >= m_job.recordCount) {
                    m_progress.current = total;
                    return m_result;
                }
                const Rendered rendered = renderRecord(i);
                if (rendered == Rendered::NoPicture) {
                    // A record without a picture is passed over; its mails
                    // count as not sent.
                    m_result.noPicture << i;
                    processed = false;
                    break;
                }
                if (rendered == Rendered::WriteFailed) {
                    noteFailure(m_plan.mode == MailMode::OneToOne ? m_plan.recipients.at(i)
                                                                  : QString());
                    endRun = true;
                    break;
                }
                if (m_plan.mode == MailMode::AllToEveryone) {
                    log(QStringLiteral("send card with batch to all image to everyone"));
                    for (const QString& recipient : m_plan.recipients) {
                        if (Stop_SMS_Sending_Now.load() != 0 || !send(recipient, m_attachments)) {
                            break;
                        }
                    }
                } else {
                    log(QStringLiteral("send card with batch to one to one"));
                    endRun = !send(m_plan.recipients.at(i), m_attachments);
                }
                break;
            }
            }
            if (endRun) {
                break;
            }
            if (!processed) {
                continue;
            }
            ++counted;
            if (m_plan.pauseMs > 0 && counted >= m_plan.everyN && m_progress.current != total) {
                pause();
                counted = 0;
            }
        }
        return m_result;
    }

private:
    void log(const QString& text) {
        if (m_services.log) {
            m_services.log(text);
        }
    }

    bool send(const QString& recipient, const QStringList& attachments) {
        log(recipient);
        MailMessage message;
        message.recipient = recipient;
        message.subject = m_job.subject;
        message.attachments = attachments;
        message.sender = m_plan.sender;
        message.password = m_job.password;
        message.server = m_job.server;
        message.port = m_job.port;
        message.body = m_job.body;
        message.ssl = m_job.ssl;
        ++m_result.attempted;
        MailOutcome outcome;
        if (m_services.transport) {
            outcome = m_services.transport(message);
        }
        if (outcome.sent) {
            ++m_result.sent;
        } else {
            log(QStringLiteral("error in mail"));
            noteFailure(recipient, outcome.reason);
        }
        return outcome.sent;
    }

    // Keeps where the first failure happened, so the user knows who
    // already has their card.
    void noteFailure(const QString& recipient, const QString& reason = QString()) {
        if (m_result.failed) {
            return;
        }
        m_result.failed = true;
        m_result.failureReason = reason;
        m_result.failedRecipient = recipient;
        m_result.failedRecord = m_plan.mode == MailMode::AllToEveryone ? m_item : -1;
        m_result.sentBeforeFailure = m_result.sent;
    }

    enum class Rendered { Written, NoPicture, WriteFailed };

    // Writes the sides of one record: "BOTH" the back then the front. A
    // picture that cannot be written ends the run as a failure: mailing on
    // would send old or missing cards and report success.
    Rendered renderRecord(int record) {
        m_attachments.clear();
        QList<CardSide> sides;
        if (m_job.side == QLatin1String("BOTH")) {
            sides = {CardSide::Back, CardSide::Front};
        } else if (m_job.side == QLatin1String("B")) {
            sides = {CardSide::Back};
        } else {
            sides = {CardSide::Front};
        }
        for (CardSide side : sides) {
            const CardPicture picture =
                m_services.picture ? m_services.picture(record, side) : CardPicture();
            if (picture.isNull()) {
                return Rendered::NoPicture;
            }
            const QString path = side == CardSide::Back ? m_back : m_front;
            if (!cardexport::Save_gen_image(cardexport::rasterAt(picture, kMailPictureDpi), path)) {
                log(QStringLiteral("Could not write the card picture %1.").arg(path));
                m_result.pictureFailed = true;
                return Rendered::WriteFailed;
            }
            m_attachments << path;
        }
        return Rendered::Written;
    }

    void pause() {
        m_progress.pauseLength = m_plan.pauseMs;
        m_progress.pauseLeft = (m_plan.pauseMs / 1000 - 1) * 1000;
        m_progress.pausing = true;
        if (m_services.pauseChanged) {
            m_services.pauseChanged();
        }
        for (qint64 left = m_progress.pauseLeft.load();
             left >= 1 && Stop_SMS_Sending_Now.load() == 0 && m_progress.pauseLeft.load() != 0;
             left -= 1000) {
            if (m_services.sleep) {
                m_services.sleep(1000);
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(1000));
            }
        }
        m_progress.pausing = false;
        if (m_services.pauseChanged) {
            m_services.pauseChanged();
        }
    }

    const MailJob& m_job;
    const MailPlan& m_plan;
    MailRunServices& m_services;
    MailProgress& m_progress;
    QString m_front;
    QString m_back;
    QStringList m_attachments;
    bool m_cardReady = false;
    int m_item = 0;
    MailRunResult m_result;
};

} // namespace

QString mailRunMessage(const MailRunResult& result) {
    if (result.allSent()) {
        return kMailSentMessage;
    }
    if (result.expected <= 0) {
        return kMailNotSentMessage;
    }
    const int notSent = std::max(0, result.expected - result.sent);
    QString text;
    if (notSent >= result.expected) {
        text = result.expected == 1
                   ? QStringLiteral("The e-mail was not sent.")
                   : QStringLiteral("None of the %1 e-mails was sent.").arg(result.expected);
    } else if (notSent == 1) {
        text = QStringLiteral("1 of %1 e-mails was not sent.").arg(result.expected);
    } else {
        text = QStringLiteral("%1 of %2 e-mails were not sent.").arg(notSent).arg(result.expected);
    }
    // Where some cards went out, the user needs to know who has theirs
    // before sending again.
    if (result.failed && result.sent > 0) {
        QString who = result.failedRecipient;
        if (result.failedRecord >= 0) {
            who = who.isEmpty() ? QStringLiteral("record %1").arg(result.failedRecord + 1)
                                : QStringLiteral("record %1 to %2")
                                      .arg(result.failedRecord + 1)
                                      .arg(result.failedRecipient);
        }
        const int before = result.sentBeforeFailure;
        const QString sentBefore =
            before == 0   ? QStringLiteral("no e-mail was sent before it.")
            : before == 1 ? QStringLiteral("1 e-mail was sent before it.")
                          : QStringLiteral("%1 e-mails were sent before it.").arg(before);
        text += QStringLiteral("\nThe first e-mail that could not be sent: %1; %2")
                    .arg(who, sentBefore);
    }
    if (!result.noPicture.isEmpty()) {
        // Records as the user counts them, from 1; a long list is cut short.
        constexpr int kShown = 10;
        QStringList numbers;
        for (int i = 0; i < std::min(kShown, int(result.noPicture.size())); ++i) {
            numbers << QString::number(result.noPicture.at(i) + 1);
        }
        QString list = numbers.join(QStringLiteral(", "));
        if (result.noPicture.size() > kShown) {
            list += QStringLiteral(" and %1 more").arg(result.noPicture.size() - kShown);
        }
        text += (result.noPicture.size() == 1
                     ? QStringLiteral("\nNo card picture could be made for record %1.")
                     : QStringLiteral("\nNo card picture could be made for records %1."))
                    .arg(list);
    }
    if (result.cardWithoutPicture) {
        text += QStringLiteral("\nNo picture could be made of the card.");
    }
    return text + QStringLiteral("\n\n") + kMailNotSentMessage +
           mailReasonSuffix(result.failureReason);
}

MailRunResult runMail(const MailJob& job, const MailPlan& plan, MailRunServices& services,
                      MailProgress& progress) {
    progress.total = plan.itemCount;
    progress.current = 0;
    const int savedSide = Card_Front_Or_Back.load();
    MailRunResult result;
    const int recipients = static_cast<int>(plan.recipients.size());
    if (plan.mode == MailMode::WithoutCard) {
        MailLoop loop(job, plan, services, progress, QString());
        result = loop.run();
    } else {
        // Pictures of this run only, readable by nobody else; removed with
        // the folder when the run ends. A temporary folder that does not
        // exist reads as an empty path: never fall back to the working
        // folder.
        const QString root = QDir::tempPath();
        std::unique_ptr<QTemporaryDir> folder;
        if (!root.isEmpty() && QFileInfo(root).isDir()) {
            folder = std::make_unique<QTemporaryDir>(
                QDir(root).filePath(QStringLiteral("card-mail-XXXXXX")));
        }
        if (!folder || !folder->isValid()) {
            Show_NSLog_Message(
                QStringLiteral("Could not make a temporary folder for the card pictures."));
            result.pictureFailed = true;
        } else {
            MailLoop loop(job, plan, services, progress, folder->path());
            result = loop.run();
        }
    }
    result.expected = plan.mode == MailMode::AllToEveryone
                          ? static_cast<int>(std::min<qint64>(
                                qint64(std::max(0, job.recordCount)) * recipients, INT_MAX))
                          : recipients;
    if (plan.mode == MailMode::AllToEveryone || plan.mode == MailMode::OneToOne) {
        if (services.finish) {
            services.finish();
        }
    }
    Card_Front_Or_Back = savedSide;
    return result;
}
