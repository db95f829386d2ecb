#include "dataseries/windows/SeriesWaitSheet.h"

#include "dataseries/windows/SeriesWindowSupport.h"
#include "ui_SeriesWaitSheet.h"

#include <QApplication>
#include <QCloseEvent>

SeriesWaitSheet* SeriesWaitSheet::of(QWidget& window) {
    if (auto* sheet = window.findChild<SeriesWaitSheet*>(QString(), Qt::FindDirectChildrenOnly)) {
        return sheet;
    }
    return new SeriesWaitSheet(window);
}

SeriesWaitSheet::SeriesWaitSheet(QWidget& window)
    : QDialog(&window, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui(std::make_unique<Ui::SeriesWaitSheet>()) {
    ui->setupUi(this);
    serieswindows::Apply_Window_Background(*this);
    setWindowModality(Qt::WindowModal);
}

SeriesWaitSheet::~SeriesWaitSheet() {
    if (m_depth > 0) {
        QApplication::restoreOverrideCursor();
    }
}

void SeriesWaitSheet::Show_Create_Modeless() {
    if (m_depth++ > 0) {
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    show();
    raise();
    // The work that follows holds the event loop: let the sheet paint first,
    // without taking any input.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void SeriesWaitSheet::Hide_Destroy_Modeless() {
    if (m_depth == 0 || --m_depth > 0) {
        return;
    }
    hide();
    QApplication::restoreOverrideCursor();
}

QString SeriesWaitSheet::message() const {
    return ui->modeless_msg_lbl->text();
}

// The sheet ends with its work only; Escape and the close button do nothing.
void SeriesWaitSheet::closeEvent(QCloseEvent* event) {
    event->ignore();
}

void SeriesWaitSheet::reject() {}
