#include "output/Send_Mail.h"

#include "core/BatchState.h"
#include "core/MessageFunctions.h"
#include "core/globals.h"
#include "output/Email_Setting.h"
#include "output/OutputHost.h"
#include "output/Send_Modeless.h"
#include "output/core/MailSettings.h"
#include "ui_Send_Mail.h"
#include "widgets/AppOwned.h"
#include "widgets/DialogOwner.h"
#include "widgets/GuiHooks.h"

#include <QLabel>

QPointer<Send_Mail> Send_Mail::DefaultInstance;

Send_Mail* Send_Mail::defaultInstance() {
    return appOwnedInstance(DefaultInstance);
}

Send_Mail::Send_Mail(QWidget* parent) : QDialog(parent), m_ui(new Ui::Send_Mail) {
    m_ui->setupUi(this);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(241, 244, 250));
    setPalette(palette);
    setAutoFillBackground(true);
    send_modls_wnd = Send_Modeless::defaultInstance();

    Ui::Send_Mail* ui = m_ui.get();
    const std::pair<CardStepper*, QLineEdit*> pairs[] = {
        {ui->mail_count_stepper, ui->mail_count_txt},
        {ui->hour_stepper, ui->hour_txt},
        {ui->min_stepper, ui->min_text},
        {ui->sec_stepper, ui->sec_txt}};
    for (const auto& [stepper, field] : pairs) {
        stepper->setMinimum(0);
        stepper->setMaximum(stepper == ui->hour_stepper ? 99 : 59);
        stepper->setIncrement(1);
        stepper->setPairedField(field);
        // Typing a number sets the stepper at once, so Send uses what shows.
        connect(field, &QLineEdit::textEdited, stepper,
                [stepper](const QString& text) { stepper->setDoubleValue(text.toInt()); });
    }
    ui->mail_count_stepper->setMinimum(1);
    ui->mail_count_stepper->setMaximum(100000);

    connect(ui->sendButton, &QPushButton::clicked, this, &Send_Mail::Send_Button);
    connect(ui->closeButton, &QPushButton::clicked, this, &Send_Mail::Close_Button);
    connect(ui->settingButton, &QPushButton::clicked, this, &Send_Mail::Setting_Button);
    connect(ui->browse_att, &QPushButton::clicked, this, &Send_Mail::browse_att_Button);
    connect(ui->clear_att, &QPushButton::clicked, this, &Send_Mail::clear_att_Button);
    connect(ui->rd_without_barcode, &QRadioButton::clicked, this,
            &Send_Mail::Without_barcode_rd_select);
    connect(ui->rd_mail_curr_barcode, &QRadioButton::clicked, this,
            &Send_Mail::send_barcode_rd_select);
    connect(ui->send_with_batch_chk, &QCheckBox::clicked, this,
            &Send_Mail::send_with_batch_chk_select);
    connect(ui->send_with_excel_chk, &QCheckBox::clicked, this,
            &Send_Mail::send_with_excel_chk_select);
    connect(ui->rd_all_to_every, &QRadioButton::clicked, this, &Send_Mail::all_rd_select);
    connect(ui->rd_one_per_recp, &QRadioButton::clicked, this, &Send_Mail::obo_rd_select);
    connect(ui->delayed_delv_chk, &QCheckBox::clicked, this, &Send_Mail::delayed_delv_chk_select);
    connect(ui->matrix_card_side, &RadioMatrix::rowChosen, this,
            &Send_Mail::mail_card_side_CellClick);

    msend_modTimer.setInterval(500);
    connect(&msend_modTimer, &QTimer::timeout, this, &Send_Mail::showProgress);
    Pause_Timer.setInterval(1000);
    connect(&Pause_Timer, &QTimer::timeout, this, [this] {
        send_modls_wnd->pause_label->setText(Calculate_Pause_Time(m_progress.pauseLeft.load()));
        m_progress.pauseLeft -= 1000;
    });
}

Send_Mail::~Send_Mail() {
    if (m_worker.joinable()) {
        Stop_SMS_Sending_Now = 1;
        m_worker.join();
    }
}

int Send_Mail::Open_Wnd() {
    resetWindow();
    const int answer = hooks::runModal(*this);
    hide();
    return answer;
}

void Send_Mail::resetWindow() {
    Ui::Send_Mail* ui = m_ui.get();
    ui->matrix_card_side->selectCellAtRow(1, 0);
    card_side_str = QStringLiteral("F");
    ui->from_txt->setText(sender_email);
    ui->to_txt->clear();
    ui->rd_all_to_every->setEnabled(false);
    ui->rd_one_per_recp->setEnabled(false);
    ui->rd_all_to_every->setChecked(true);
    ui->rd_one_per_recp->setChecked(false);
    ui->rd_mail_curr_barcode->setChecked(true);
    ui->rd_without_barcode->setChecked(false);
    ui->send_sett_box->setEnabled(true);
    ui->file_name_txt->setText(QStringLiteral("VOSKCard"));
    ui->send_with_batch_chk->setEnabled(Use_Data_Sheet_Values.load());
    ui->send_with_excel_chk->setEnabled(Use_Excel_Binding_Values.load());
    ui->send_with_batch_chk->setChecked(false);
    ui->send_with_excel_chk->setChecked(false);
    ui->subject_txt->clear();
    ui->message_txt->clear();
    ui->attachment->clear();
    ui->browse_att->setEnabled(false);
    ui->clear_att->setEnabled(false);
    ui->delayed_delv_chk->setChecked(false);
    ui->delayed_box->setEnabled(false);
    ui->mail_count_stepper->setDoubleValue(1);
    ui->mail_count_txt->setText(QStringLiteral("1"));
    for (auto [stepper, field] :
         {std::pair{ui->hour_stepper, ui->hour_txt}, std::pair{ui->min_stepper, ui->min_text},
          std::pair{ui->sec_stepper, ui->sec_txt}}) {
        stepper->setDoubleValue(0);
        field->setText(QStringLiteral("0"));
    }
}

void Send_Mail::Close_Button() {
    done(0);
}

void Send_Mail::Setting_Button() {
    Email_Setting* settings = Email_Setting::defaultInstance();
    dialogs::ownBy(*settings, this);
    settings->Open_Wnd();
    Get_Email_Details();
    m_ui->from_txt->setText(sender_email);
}

void Send_Mail::browse_att_Button() {
    hooks::OpenPanelRequest request;
    request.parent = this;
    const QStringList files = hooks::runOpenPanel(request);
    if (!files.isEmpty()) {
        m_ui->attachment->setText(files.first());
    }
}

void Send_Mail::clear_att_Button() {
    m_ui->attachment->clear();
}

void Send_Mail::Without_barcode_rd_select() {
    m_ui->rd_without_barcode->setChecked(true);
    m_ui->rd_mail_curr_barcode->setChecked(false);
    m_ui->send_sett_box->setEnabled(false);
    m_ui->browse_att->setEnabled(true);
    m_ui->clear_att->setEnabled(true);
}

void Send_Mail::send_barcode_rd_select() {
    Ui::Send_Mail* ui = m_ui.get();
    ui->rd_mail_curr_barcode->setChecked(true);
    ui->rd_without_barcode->setChecked(false);
    ui->send_sett_box->setEnabled(true);
    const bool series = Use_Data_Sheet_Values.load();
    const bool excel = Use_Excel_Binding_Values.load();
    ui->send_with_batch_chk->setEnabled(series);
    if (!series) {
        ui->send_with_batch_chk->setChecked(false);
    }
    ui->send_with_excel_chk->setEnabled(excel);
    if (!excel) {
        ui->send_with_excel_chk->setChecked(false);
    }
    updateBatchRadios();
    ui->browse_att->setEnabled(false);
    ui->clear_att->setEnabled(false);
}

void Send_Mail::updateBatchRadios() {
    const bool any =
        m_ui->send_with_batch_chk->isChecked() || m_ui->send_with_excel_chk->isChecked();
    m_ui->rd_all_to_every->setEnabled(any);
    m_ui->rd_one_per_recp->setEnabled(any);
}

void Send_Mail::send_with_batch_chk_select() {
    updateBatchRadios();
}

void Send_Mail::send_with_excel_chk_select() {
    updateBatchRadios();
}

void Send_Mail::all_rd_select() {
    m_ui->rd_all_to_every->setChecked(true);
    m_ui->rd_one_per_recp->setChecked(false);
}

void Send_Mail::obo_rd_select() {
    m_ui->rd_all_to_every->setChecked(false);
    m_ui->rd_one_per_recp->setChecked(true);
}

void Send_Mail::delayed_delv_chk_select() {
    m_ui->delayed_box->setEnabled(m_ui->delayed_delv_chk->isChecked());
}

void Send_Mail::mail_card_side_CellClick(int row) {
    card_side_str = row == 0   ? QStringLiteral("BOTH")
                    : row == 1 ? QStringLiteral("F")
                               : QStringLiteral("B");
    Show_NSLog_Message(card_side_str);
}

void Send_Mail::Show_Create_Modeless() {
    send_modls_wnd->Show_One_By_One_Modeless(this);
}

void Send_Mail::Hide_Destroy_Modeless() {
    send_modls_wnd->Hide_One_By_One_Modeless();
}

MailJob Send_Mail::currentJob() const {
    const Ui::Send_Mail* ui = m_ui.get();
    MailJob job;
    job.from = ui->from_txt->text();
    job.to = ui->to_txt->text();
    job.subject = ui->subject_txt->text();
    job.body = ui->message_txt->toPlainText();
    job.password = sender_pwd;
    job.server = sending_server;
    job.port = sending_port;
    job.ssl = send_enable_ssl;
    job.withCard = ui->rd_mail_curr_barcode->isChecked();
    job.allToEvery = ui->rd_all_to_every->isChecked();
    job.side = card_side_str;
    job.fileName = ui->file_name_txt->text();
    job.attachment = ui->attachment->text();
    job.delayed = ui->delayed_delv_chk->isChecked();
    job.everyN = ui->mail_count_stepper->intValue();
    job.hours = ui->hour_stepper->intValue();
    job.minutes = ui->min_stepper->intValue();
    job.seconds = ui->sec_stepper->intValue();
    return job;
}

void Send_Mail::Send_Button() {
    if (m_running) {
        return;
    }
    Stop_SMS_Sending_Now = 0;
    MailJob job = currentJob();
    OutputHost* host = OutputHost::current();
    BatchState state;
    if (job.withCard && host) {
        state = host->Check_Series_Or_Excel_Use_or_not();
        if (!m_ui->send_with_batch_chk->isChecked()) {
            state.Use_Data_Sheet_Values = false;
        }
        if (!m_ui->send_with_excel_chk->isChecked()) {
            state.Use_Excel_Binding_Values = false;
        }
        state.Total_Batch_Excel_Card = host->Get_total_Card_count(state);
    }
    job.batch = state.any();
    job.recordCount = state.Total_Batch_Excel_Card;
    MailPlan plan;
    QString refusal;
    if (!planMail(job, plan, refusal)) {
        Show_MessageBox(refusal);
        return;
    }
    m_cards.reset();
    if (host && plan.mode == MailMode::CurrentCard) {
        m_cards = output::renderDesign(*host);
    } else if (host && (plan.mode == MailMode::AllToEveryone || plan.mode == MailMode::OneToOne)) {
        m_cards = host->batchSource(state, false);
    }

    MailRunServices services;
    services.log = &Show_NSLog_Message;
    CardSource* cards = m_cards.get();
    // Record filling and rendering touch the design: they run on this
    // (the GUI) thread while the worker waits.
    services.picture = [this, cards](int record, CardSide side) {
        CardPicture picture;
        if (cards) {
            QMetaObject::invokeMethod(
                this, [&] { picture = cards->picture(record, side); },
                Qt::BlockingQueuedConnection);
        }
        return picture;
    };
    services.finish = [this, cards] {
        if (cards) {
            QMetaObject::invokeMethod(
                this, [cards] { cards->finish(); }, Qt::BlockingQueuedConnection);
        }
    };
    services.pauseChanged = [this] {
        QMetaObject::invokeMethod(this, &Send_Mail::showPause, Qt::QueuedConnection);
    };
    if (m_useTestServices) {
        if (m_testServices.transport) {
            services.transport = m_testServices.transport;
        }
        if (m_testServices.sleep) {
            services.sleep = m_testServices.sleep;
        }
        if (m_testServices.picture) {
            services.picture = m_testServices.picture;
        }
        if (m_testServices.log) {
            services.log = m_testServices.log;
        }
    }

    m_running = true;
    m_progress.current = 0;
    m_progress.total = plan.itemCount;
    send_modls_wnd->prepare(plan.itemCount);
    send_modls_wnd->_curr_msg_cnt->setText(QStringLiteral("%1 / %2").arg(0).arg(plan.itemCount));
    send_modls_wnd->pause_label->clear();
    Show_Create_Modeless();
    msend_modTimer.start();
    m_worker = std::thread([this, job, plan, services]() mutable {
        const MailRunResult result = runMail(job, plan, services, m_progress);
        QMetaObject::invokeMethod(
            this, [this, result] { finishRun(result); }, Qt::QueuedConnection);
    });
}

void Send_Mail::showProgress() {
    send_modls_wnd->update_sending_progress_bar(m_progress.current.load(), m_progress.total.load());
}

void Send_Mail::showPause() {
    if (m_progress.pausing.load()) {
        send_modls_wnd->pause_label->setText(Calculate_Pause_Time(m_progress.pauseLength.load()));
        Pause_Timer.start();
    } else {
        Pause_Timer.stop();
        send_modls_wnd->pause_label->clear();
    }
}

void Send_Mail::finishRun(MailRunResult result) {
    if (m_worker.joinable()) {
        m_worker.join();
    }
    m_cards.reset();
    Pause_Timer.stop();
    msend_modTimer.stop();
    showProgress();
    send_modls_wnd->pause_label->clear();
    Hide_Destroy_Modeless();
    m_running = false;
    Show_MessageBox(mailRunMessage(result));
    emit runFinished(result.allSent());
}
