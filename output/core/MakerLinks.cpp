#include "output/core/MakerLinks.h"

#include "core/StringFunctions.h"
#include "platform/Hooks.h"

namespace {

const QString kReview = QStringLiteral("https://www.example.com/card-editor/review");
const QString kVideos = QStringLiteral("https://www.example.net/videos");

void open(const QString& address) {
    hooks::openUrl(QUrl(address));
}

} // namespace

namespace makerlinks {

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
