#pragma once
// Replaceable functions for everything that would otherwise wait for a person
// or leave the process: alerts and questions, opening files and links, ending
// the process and locating the resource folder. Each has a real default;
// tests install scripted ones. The widget hooks (open and save panels, modal
// runs of dialogs) live with the widgets in widgets/GuiHooks.h.

#include <QString>
#include <QUrl>
#include <functional>

enum class AlertKind {
    Message, // one "OK" button
    YesNo,   // "Yes" (default) and "No"
};

struct AlertRequest {
    AlertKind kind = AlertKind::Message;
    QString text;
    // Shown under the text; "\r\n" breaks its lines.
    QString informativeText;
    // The text can be selected with the mouse and copied (an address the
    // user may need elsewhere).
    bool selectableText = false;
};

// What an answerer answers for a question the user closed without choosing
// Yes or No: with its window's close button or with Escape.
inline constexpr int kAlertDismissed = -1;

namespace hooks {

// Shows an alert and answers 1 for OK or Yes, 0 for No, kAlertDismissed for
// a question closed without a choice. Called on the GUI thread only (the
// message functions move the request there). The default has no window to
// show: it logs the text and answers 0.
using AlertAnswerer = std::function<int(const AlertRequest&)>;
void setAlertAnswerer(AlertAnswerer answerer); // empty: the default again
int answerAlert(const AlertRequest& request);

// Opens a file or link with its default application and answers whether it
// opened. Default: runs xdg-open and waits a few seconds for its exit
// status (still running then counts as opened); without xdg-open,
// QDesktopServices::openUrl.
using UrlOpener = std::function<bool(const QUrl&)>;
void setUrlOpener(UrlOpener opener);
bool openUrl(const QUrl& url);

// Ends the process with an exit code. Default: std::exit.
using Terminator = std::function<void(int exitCode)>;
void setTerminator(Terminator terminator);
void terminate(int exitCode);

// Where the resource folder is. Default: the folder "resources" beside the
// executable.
using ResourceFolderLocator = std::function<QString()>;
void setResourceFolderLocator(ResourceFolderLocator locator);
QString resourceFolder();

} // namespace hooks
