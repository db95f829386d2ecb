#pragma once
// The widget side of the replaceable hooks: open and save panels and modal
// runs of dialogs, plus the real alert answerer. Tests install scripted
// versions; the defaults show Qt's own panels and message boxes.

#include <QColor>
#include <QString>
#include <QStringList>
#include <functional>

class QDialog;
class QWidget;
struct AlertRequest;

namespace hooks {

// An open panel: choose existing files, or one folder.
struct OpenPanelRequest {
    QString title;
    QString directory;        // where the panel starts; empty: the last place
    QStringList allowedTypes; // file extensions without the dot; empty: any file
    bool chooseFolders = false;
    bool allowMultiple = false;
    QWidget* parent = nullptr;
};
// Answers the chosen paths; empty when the user cancelled.
using OpenPanel = std::function<QStringList(const OpenPanelRequest&)>;
void setOpenPanel(OpenPanel panel); // empty: the default again
QStringList runOpenPanel(const OpenPanelRequest& request);

// A save panel for one file.
struct SavePanelRequest {
    QString title;
    QString directory;
    QString fileName;         // suggested name
    QStringList allowedTypes; // the first is appended to a name without one
    QWidget* parent = nullptr;
};
// Answers the chosen path; empty when the user cancelled.
using SavePanel = std::function<QString(const SavePanelRequest&)>;
void setSavePanel(SavePanel panel);
QString runSavePanel(const SavePanelRequest& request);

// Runs a dialog modally and answers the code it ended with (1 OK, 0 Cancel
// for the program's own dialogs). Default: QDialog::exec().
using ModalRunner = std::function<int(QDialog&)>;
void setModalRunner(ModalRunner runner);
// The runner installed now (empty for the default), so a caller can put it
// back after a scripted stretch.
ModalRunner modalRunner();
int runModal(QDialog& dialog);

// The alert answerer with QMessageBox: "OK" alone, or "Yes" (default) and
// "No". Without a QApplication the text is logged and the answer is 0.
int messageBoxAnswer(const AlertRequest& request);

// The colour panel: answers the chosen colour, or an invalid colour when the
// user cancelled. Default: QColorDialog with alpha.
using ColorPanel = std::function<QColor(const QColor& initial, QWidget* parent)>;
void setColorPanel(ColorPanel panel);
QColor runColorPanel(const QColor& initial, QWidget* parent);

// Installs messageBoxAnswer as the process's alert answerer.
void installGuiHooks();

} // namespace hooks
