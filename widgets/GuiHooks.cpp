#include "widgets/GuiHooks.h"

#include "platform/HookSlot.h"
#include "platform/Hooks.h"
#include "widgets/DialogOwner.h"

#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QtDebug>

namespace hooks {
namespace {

HookSlot<OpenPanel>& openSlot() {
    static HookSlot<OpenPanel> slot;
    return slot;
}
HookSlot<SavePanel>& saveSlot() {
    static HookSlot<SavePanel> slot;
    return slot;
}
HookSlot<ModalRunner>& modalSlot() {
    static HookSlot<ModalRunner> slot;
    return slot;
}
HookSlot<ColorPanel>& colorSlot() {
    static HookSlot<ColorPanel> slot;
    return slot;
}

QString nameFilter(const QStringList& types) {
    if (types.isEmpty()) {
        return {};
    }
    QStringList patterns;
    for (const QString& type : types) {
        patterns << QStringLiteral("*.") + type;
    }
    return QStringLiteral("Files (%1)").arg(patterns.join(QLatin1Char(' ')));
}

QStringList defaultOpenPanel(const OpenPanelRequest& given) {
    OpenPanelRequest request = given;
    if (!request.parent) {
        request.parent = dialogs::currentWindow();
    }
    if (request.chooseFolders) {
        const QString folder =
            QFileDialog::getExistingDirectory(request.parent, request.title, request.directory);
        return folder.isEmpty() ? QStringList() : QStringList{folder};
    }
    const QString filter = nameFilter(request.allowedTypes);
    if (request.allowMultiple) {
        return QFileDialog::getOpenFileNames(request.parent, request.title, request.directory,
                                             filter);
    }
    const QString file =
        QFileDialog::getOpenFileName(request.parent, request.title, request.directory, filter);
    return file.isEmpty() ? QStringList() : QStringList{file};
}

SavePanelAnswer defaultSavePanel(const SavePanelRequest& given) {
    SavePanelRequest request = given;
    if (!request.parent) {
        request.parent = dialogs::currentWindow();
    }
    QString start = request.directory;
    if (!request.fileName.isEmpty()) {
        start = start.isEmpty() ? request.fileName : start + QLatin1Char('/') + request.fileName;
    }
    QStringList filters;
    for (const QString& type : request.allowedTypes) {
        filters << QStringLiteral("%1 (*.%1)").arg(type);
    }
    QString chosenFilter;
    QString path = QFileDialog::getSaveFileName(
        request.parent, request.title, start, filters.join(QStringLiteral(";;")), &chosenFilter,
        request.confirmOverwrite ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty()) {
        return {};
    }
    const qsizetype index = filters.indexOf(chosenFilter);
    const QString type = index >= 0 ? request.allowedTypes[index] : request.allowedTypes.value(0);
    if (!type.isEmpty() && QFileInfo(path).suffix().isEmpty()) {
        path += QLatin1Char('.') + type;
    }
    return {path, type};
}

// A message box that its window's close button and Escape end without a
// button clicked. QMessageBox itself clicks its No button for both, and a
// question closed that way must not be taken for an answer.
class DismissableBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Cancel)) {
            reject();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    // QDialog's own handling: rejected, no button chosen.
    void closeEvent(QCloseEvent* event) override { QDialog::closeEvent(event); }
};

} // namespace

void setOpenPanel(OpenPanel panel) {
    openSlot().set(std::move(panel));
}

QStringList runOpenPanel(const OpenPanelRequest& request) {
    OpenPanelRequest filled = request;
    if (filled.directory.isEmpty()) {
        filled.directory = startFolder(request.kind);
    }
    const auto panel = openSlot().get();
    const QStringList chosen = panel ? panel(filled) : defaultOpenPanel(filled);
    if (!chosen.isEmpty()) {
        rememberFolder(request.kind, chosen.first(), request.chooseFolders);
    }
    return chosen;
}

void setSavePanel(SavePanel panel) {
    saveSlot().set(std::move(panel));
}

SavePanelAnswer runSavePanelWithType(const SavePanelRequest& request) {
    SavePanelRequest filled = request;
    if (filled.directory.isEmpty()) {
        filled.directory = startFolder(request.kind);
    }
    const auto panel = saveSlot().get();
    const SavePanelAnswer chosen = panel ? panel(filled) : defaultSavePanel(filled);
    rememberFolder(request.kind, chosen.path, false);
    return chosen;
}

QString runSavePanel(const SavePanelRequest& request) {
    return runSavePanelWithType(request).path;
}

void setModalRunner(ModalRunner runner) {
    modalSlot().set(std::move(runner));
}

ModalRunner modalRunner() {
    return modalSlot().get();
}

int runModal(QDialog& dialog) {
    // A dialog that no opener took is owned by the window the user is in.
    if (!dialog.parentWidget()) {
        dialogs::ownBy(dialog, nullptr);
    }
    if (auto runner = modalSlot().get()) {
        return runner(dialog);
    }
    return dialog.exec();
}

void setColorPanel(ColorPanel panel) {
    colorSlot().set(std::move(panel));
}

QColor runColorPanel(const QColor& initial, QWidget* parent) {
    if (auto panel = colorSlot().get()) {
        return panel(initial, parent);
    }
    return QColorDialog::getColor(initial, parent ? parent : dialogs::currentWindow(), QString(),
                                  QColorDialog::ShowAlphaChannel);
}

int messageBoxAnswer(const AlertRequest& request) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        qWarning().noquote() << request.text;
        return 0;
    }
    // Owned by the window the user is in, so it shows in front of it.
    DismissableBox box(dialogs::currentWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.setText(request.text);
    QString informative = request.informativeText;
    informative.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box.setInformativeText(informative);
    if (request.selectableText) {
        box.setTextFormat(Qt::PlainText);
        box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    }
    if (request.kind == AlertKind::YesNo) {
        QPushButton* yes = box.addButton(QStringLiteral("Yes"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.exec();
        if (box.clickedButton() == yes) {
            return 1;
        }
        return box.clickedButton() == no ? 0 : kAlertDismissed;
    }
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return 1;
}

void installGuiHooks() {
    setAlertAnswerer(messageBoxAnswer);
}

} // namespace hooks
