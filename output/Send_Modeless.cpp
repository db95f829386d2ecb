#include "output/Send_Modeless.h"

#include "core/MessageFunctions.h"
#include "core/globals.h"
#include "ui_Send_Modeless.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>

QPointer<Send_Modeless> Send_Modeless::DefaultInstance;

Send_Modeless* Send_Modeless::defaultInstance() {
    if (!DefaultInstance) {
        auto* sheet = new Send_Modeless();
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, sheet,
                         &QObject::deleteLater);
    }
    return DefaultInstance;
}

Send_Modeless::Send_Modeless(QWidget* parent) : QDialog(parent), m_ui(new Ui::Send_Modeless) {
    m_ui->setupUi(this);
    _tot_msg_cnt = m_ui->_tot_msg_cnt;
    _curr_msg_cnt = m_ui->_curr_msg_cnt;
    _Curr_Progress = m_ui->_Curr_Progress;
    _stop_btn = m_ui->_stop_btn;
    pause_label = m_ui->pause_label;
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(241, 244, 250));
    setPalette(palette);
    setAutoFillBackground(true);
    // No close control: the run ends the sheet, never the user directly.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    connect(_stop_btn, &QPushButton::clicked, this, &Send_Modeless::Stop_Sending_Pressed);
    if (!DefaultInstance) {
        DefaultInstance = this;
    }
}

Send_Modeless::~Send_Modeless() = default;

void Send_Modeless::prepare(int total) {
    _stop_btn->setEnabled(true);
    _Curr_Progress->setRange(0, std::max(0, total));
    _Curr_Progress->setValue(0);
    _tot_msg_cnt->setText(QString::number(total));
    _curr_msg_cnt->setText(QStringLiteral("%1 / %2 Card").arg(0).arg(total));
}

void Send_Modeless::update_sending_progress_bar(double current, int total) {
    const int done = static_cast<int>(current);
    _Curr_Progress->setValue(done);
    _curr_msg_cnt->setText(QStringLiteral("%1 / %2 ").arg(done).arg(total));
}

void Send_Modeless::Show_One_By_One_Modeless(QWidget* parent) {
    if (parent && parentWidget() != parent) {
        setParent(parent, windowFlags());
    }
    setWindowModality(Qt::WindowModal);
    show();
    raise();
}

void Send_Modeless::Hide_One_By_One_Modeless() {
    hide();
}

void Send_Modeless::Stop_Sending_Pressed() {
    if (Show_YES_NO_MessageBox(QStringLiteral("Are you sure you want to continue?")) == 1) {
        Stop_SMS_Sending_Now = 1;
    }
}

void Send_Modeless::reject() {
    // Esc and closing from the window system do not end a run.
}

void Send_Modeless::closeEvent(QCloseEvent* event) {
    event->ignore();
}

void Send_Modeless::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
