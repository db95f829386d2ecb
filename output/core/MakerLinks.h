#pragma once
// The addresses of the review and promotion windows: the review page, the
// video channel and the three promotions (the maker's mail addresses, web
// sites and social pages are the main window controller's link commands).
// Every address lies on example.com, example.org or example.net. Every link
// of the program, these and the main window's, opens through openLink.

#include <QString>
#include <QUrl>
#include <vector>

namespace makerlinks {

// Opens a link with its default program (hooks::openUrl). When none can, the
// user is told what could not be opened and its address (the mail address
// of a mail link, the whole web address otherwise), in a message whose text
// can be selected and copied. An empty address opens nothing.
void openLink(const QString& address);

void Open_Review_Page();
void Open_Video_Channel();

// Every fixed address above (for checks).
std::vector<QUrl> allAddresses();

} // namespace makerlinks

// One of the maker's other products shown by the promotion window.
struct Promotion {
    QString key;         // "S", "R" or "B"
    QString pictureName; // "<name>.png" in the resource folder
    QString title;
    QString shortDescription;
    QString longDescription;
    QString mailLink;
    QString contactLink;
    QString orderLink;
};

// A mail link: "mailto:" address "?subject=" subject "&body=" body, trimmed,
// every line break made "%0A%0A" and every blank "%20".
QString promotionMailText(const QString& address, const QString& subject, const QString& body);

// The three promotions, their contact letters naming `appName`.
std::vector<Promotion> promotions(const QString& appName);
