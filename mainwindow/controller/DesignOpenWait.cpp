#include "mainwindow/controller/DesignOpenWait.h"

#include "ui_WaitSheet.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QThread>
#include <QWindow>

namespace {

// A sheet that ends with its work only: the close button and Escape do
// nothing.
class ReadingSheet : public QDialog {
public:
    explicit ReadingSheet(QWidget* owner)
        : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {}

protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
    void reject() override {}
};

// Input from a person, and the requests that close a window.
bool heldDuringOpen(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}

} // namespace

DesignOpenWait::DesignOpenWait(QWidget* owner)
    : m_owner(owner), m_modalBefore(QApplication::activeModalWidget()) {
    m_since.start();
    if (QCoreApplication* application = QCoreApplication::instance()) {
        application->installEventFilter(this);
    }
}

DesignOpenWait::~DesignOpenWait() {
    if (QCoreApplication* application = QCoreApplication::instance()) {
        application->removeEventFilter(this);
    }
    delete m_sheet.data();
}

SKTPictureReadWait DesignOpenWait::function() {
    return [this](int read, int files) { waited(read, files); };
}

void DesignOpenWait::waited(int read, int files) {
    const QCoreApplication* application = QCoreApplication::instance();
    if (!application || QThread::currentThread() != application->thread()) {
        return;
    }
    if (files > 0 && (m_sheet || m_since.elapsed() >= kSheetAfterMilliseconds)) {
        showSheet(read, files);
    }
    // Paints, timers and whatever else waits, but no input.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void DesignOpenWait::showSheet(int read, int files) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        return;
    }
    if (!m_sheet) {
        m_sheet = new ReadingSheet(m_owner ? m_owner->window() : nullptr);
        m_ui = std::make_unique<Ui::WaitSheet>();
        m_ui->setupUi(m_sheet);
        m_sheet->setObjectName(QString::fromLatin1(kSheetName));
        m_sheet->setWindowModality(Qt::WindowModal);
        QPalette colours = m_sheet->palette();
        colours.setColor(QPalette::Window, QColor(241, 244, 250));
        m_sheet->setPalette(colours);
        m_sheet->setAutoFillBackground(true);
        m_ui->wait_progress->setMaximum(files);
        m_sheet->show();
        m_sheet->raise();
    }
    m_ui->wait_progress->setMaximum(files);
    m_ui->wait_progress->setValue(read);
    m_ui->modeless_msg_lbl->setText(
        QCoreApplication::translate("DesignOpenWait", "Reading pictures: %1 of %2")
            .arg(read)
            .arg(files));
}

bool DesignOpenWait::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Taken by the widget, so no shortcut runs.
        event->accept();
        return true;
    case QEvent::Shortcut:
        // Sent to the action or shortcut itself.
        return true;
    default:
        break;
    }
    if (heldDuringOpen(event->type()) && (watched->isWidgetType() || watched->isWindowType()) &&
        !inWindowOnTop(watched)) {
        return true;
    }
    return QObject::eventFilter(watched, event);
}

bool DesignOpenWait::inWindowOnTop(QObject* watched) const {
    const QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == m_sheet || modal == m_modalBefore) {
        return false;
    }
    if (watched->isWidgetType()) {
        return static_cast<QWidget*>(watched)->window() == modal;
    }
    return watched == static_cast<QObject*>(modal->windowHandle());
}
