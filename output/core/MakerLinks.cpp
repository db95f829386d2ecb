#include "output/core/MakerLinks.h"

#include "core/MessageFunctions.h"
#include "core/StringFunctions.h"
#include "platform/Hooks.h"

#include <QCoreApplication>
#include <QThread>

namespace {

const QString kReview = QStringLiteral("https://www.example.com/card-editor/review");
const QString kVideos = QStringLiteral("https://www.example.net/videos");

// What did not open and where it leads: a mail link names its mail address
// only (subject and body are no use to copy), any other link its whole
// address.
QString failureText(const QUrl& url) {
    if (url.scheme().compare(QStringLiteral("mailto"), Qt::CaseInsensitive) == 0) {
        return QStringLiteral("No mail program could be started to write the mail.\n\n"
                              "The mail address is:\n%1")
            .arg(url.path(QUrl::FullyDecoded));
    }
    const bool web = url.scheme().startsWith(QStringLiteral("http"), Qt::CaseInsensitive);
    return (web ? QStringLiteral("No web browser could be started to show the page.\n\n"
                                 "The web address is:\n%1")
                : QStringLiteral("No program could be started to open the link.\n\n"
                                 "The address is:\n%1"))
        .arg(url.toString());
}

void open(const QString& address) {
    makerlinks::openLink(address);
}

} // namespace

namespace makerlinks {

void openLink(const QString& address) {
    if (address.trimmed().isEmpty()) {
        return;
    }
    const QUrl url(address);
    if (hooks::openUrl(url)) {
        return;
    }
    // Buttons and menus open links, so this runs on the GUI thread, where
    // the alert is asked for directly: its text can then be selected, so
    // the address can be copied. Elsewhere the plain message is shown.
    const QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread()) {
        Show_MessageBox(failureText(url));
        return;
    }
    AlertRequest request;
    request.text = QStringLiteral("\n") + failureText(url);
    request.selectableText = true;
    hooks::answerAlert(request);
}

void Open_Review_Page() {
    open(kReview);
}
void Open_Video_Channel() {
    open(kVideos);
}

std::vector<QUrl> allAddresses() {
    std::vector<QUrl> urls;
    for (const QString& a : {kReview, kVideos}) {
        urls.emplace_back(a);
    }
    return urls;
}

} // namespace makerlinks

QString promotionMailText(const QString& address, const QString& subject, const QString& body) {
    QString text = Trim_Str(QStringLiteral("mailto:") + address + QStringLiteral("?subject=") +
                            subject + QStringLiteral("&body=") + body);
    text = Replace_char_in_string(text, QStringLiteral("\n"), QStringLiteral("%0A%0A"));
    return Replace_char_in_string(text, QStringLiteral(" "), QStringLiteral("%20"));
}

std::vector<Promotion> promotions(const QString& appName) {
    auto contact = [&appName](const QString& sales) {
        return promotionMailText(
            sales, QStringLiteral("Enquiry from a user of ") + appName,
            QStringLiteral("Hello,\nI use ") + appName +
                QStringLiteral(
                    " and would like to know more about your other programs.\nThank you."));
    };
    return {
        {QStringLiteral("S"), QStringLiteral("promotion_stamp.png"),
         QStringLiteral("Example Stamp Designer"),
         QStringLiteral("Design rubber stamps and seals."),
         QStringLiteral("Lay out round, oval and square stamps with curved text, borders and "
                        "pictures, then print them or save them as images."),
         promotionMailText(
             QStringLiteral("stamps@example.com"),
             QStringLiteral("Example Stamp Designer question"),
             QStringLiteral("Hello,\nI have a question about Example Stamp Designer.")),
         contact(QStringLiteral("sales@example.com")),
         QStringLiteral("https://www.example.com/stamp-designer/order")},
        {QStringLiteral("R"), QStringLiteral("promotion_receipt.png"),
         QStringLiteral("Example Receipt Printer"),
         QStringLiteral("Print receipts and small invoices."),
         QStringLiteral("Fill in items and prices, keep a list of customers and print numbered "
                        "receipts on plain paper or label rolls."),
         promotionMailText(
             QStringLiteral("receipts@example.org"),
             QStringLiteral("Example Receipt Printer question"),
             QStringLiteral("Hello,\nI have a question about Example Receipt Printer.")),
         contact(QStringLiteral("sales@example.org")),
         QStringLiteral("https://www.example.org/receipt-printer/order")},
        {QStringLiteral("B"), QStringLiteral("promotion_badge.png"),
         QStringLiteral("Example Badge Maker"),
         QStringLiteral("Name badges for meetings and events."),
         QStringLiteral("Import a guest list, pick a layout and print a badge for every guest "
                        "with name, role and a picture."),
         promotionMailText(QStringLiteral("badges@example.net"),
                           QStringLiteral("Example Badge Maker question"),
                           QStringLiteral("Hello,\nI have a question about Example Badge Maker.")),
         contact(QStringLiteral("sales@example.net")),
         QStringLiteral("https://www.example.net/badge-maker/order")},
    };
}
