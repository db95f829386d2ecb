#pragma once
// The widget side of the replaceable hooks: open and save panels and modal
// runs of dialogs, plus the real alert answerer. Tests install scripted
// versions; the defaults show Qt's own panels and message boxes.

#include "widgets/LastFolders.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <functional>
#include <utility>

class QDialog;
class QWidget;
struct AlertRequest;

namespace hooks {

// An open panel: choose existing files, or one folder.
struct OpenPanelRequest {
    QString title;
    // Where the panel starts; empty: where the last panel for `kind` ended.
    QString directory;
    FileKind kind = FileKind::Other;
    QStringList allowedTypes; // file extensions without the dot; empty: any file
    bool chooseFolders = false;
    bool allowMultiple = false;
    QWidget* parent = nullptr;
};
// Answers the chosen paths; empty when the user cancelled. The panel gets
// the request with its starting folder filled in.
using OpenPanel = std::function<QStringList(const OpenPanelRequest&)>;
void setOpenPanel(OpenPanel panel); // empty: the default again
QStringList runOpenPanel(const OpenPanelRequest& request);

// A save panel for one file. Each allowed type is a filter of its own; the
// chosen filter's type is appended to a name without an extension.
struct SavePanelRequest {
    QString title;
    // Where the panel starts; empty: where the last panel for `kind` ended.
    QString directory;
    FileKind kind = FileKind::Other;
    QString fileName;         // suggested name
    QStringList allowedTypes; // extensions without the dot, first filter first
    // False: the panel does not ask before replacing a file, because the
    // caller still changes the path and asks for the final one itself.
    bool confirmOverwrite = true;
    QWidget* parent = nullptr;
};
// What the user chose: the path (empty after Cancel) and the type of the
// chosen filter (one of allowedTypes; empty when the panel does not say).
struct SavePanelAnswer {
    SavePanelAnswer() = default;
    // A panel that reports only the path.
    SavePanelAnswer(QString chosenPath, QString type = {})
        : path(std::move(chosenPath)), chosenType(std::move(type)) {}
    QString path;
    QString chosenType;
};
using SavePanel = std::function<SavePanelAnswer(const SavePanelRequest&)>;
void setSavePanel(SavePanel panel);
// The chosen path; empty when the user cancelled.
QString runSavePanel(const SavePanelRequest& request);
// The chosen path and filter type.
SavePanelAnswer runSavePanelWithType(const SavePanelRequest& request);

// Runs a dialog modally and answers the code it ended with (1 OK, 0 Cancel
// for the program's own dialogs). Default: QDialog::exec().
using ModalRunner = std::function<int(QDialog&)>;
void setModalRunner(ModalRunner runner);
// The runner installed now (empty for the default), so a caller can put it
// back after a scripted stretch.
ModalRunner modalRunner();
int runModal(QDialog& dialog);

// The alert answerer with QMessageBox: "OK" alone, or "Yes" (default) and
// "No"; a question closed with its close button or Escape answers
// kAlertDismissed. Without a QApplication the text is logged and the answer
// is 0.
int messageBoxAnswer(const AlertRequest& request);

// The colour panel: answers the chosen colour, or an invalid colour when the
// user cancelled. Default: QColorDialog with alpha.
using ColorPanel = std::function<QColor(const QColor& initial, QWidget* parent)>;
void setColorPanel(ColorPanel panel);
QColor runColorPanel(const QColor& initial, QWidget* parent);

// Installs messageBoxAnswer as the process's alert answerer.
void installGuiHooks();

} // namespace hooks
