#pragma once
// The sending window: mails a message to a list of recipients without a
// card, with the current card's pictures, or one data record per mail. The
// run goes on a worker thread with its progress on the shared progress sheet
// (Send_Modeless); its Stop button ends the run after the mail under way.

#include "output/core/MailRun.h"

#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <thread>

namespace Ui {
class Send_Mail;
}
class Send_Modeless;

class Send_Mail : public QDialog {
    Q_OBJECT

public:
    static Send_Mail* defaultInstance();
    explicit Send_Mail(QWidget* parent = nullptr);
    ~Send_Mail() override;

    // Resets the window and runs it modally; answers 0 after Close.
    int Open_Wnd();
    void resetWindow();

    void Send_Button();
    void Close_Button();
    void Setting_Button();
    void browse_att_Button();
    void clear_att_Button();
    void Without_barcode_rd_select();
    void send_barcode_rd_select();
    void send_with_batch_chk_select();
    void send_with_excel_chk_select();
    void all_rd_select();
    void obo_rd_select();
    void delayed_delv_chk_select();
    void mail_card_side_CellClick(int row);
    void Show_Create_Modeless();
    void Hide_Destroy_Modeless();

    // The job the widgets describe now (account strings included).
    MailJob currentJob() const;
    // True while a run is under way (Send does nothing then).
    bool isSending() const { return m_running; }
    // What the run uses instead of the real transport, sleep and pictures
    // (tests).
    void setServices(MailRunServices services) {
        m_testServices = std::move(services);
        m_useTestServices = true;
    }

    Ui::Send_Mail* ui() const { return m_ui.get(); }
    QString card_side_str = QStringLiteral("F");
    Send_Modeless* send_modls_wnd = nullptr;

signals:
    // Emitted on the GUI thread when a run has ended and its message shown.
    void runFinished(bool allSent);

private:
    void updateBatchRadios();
    void showProgress();
    void showPause();
    void finishRun(MailRunResult result);

    std::unique_ptr<Ui::Send_Mail> m_ui;
    bool m_running = false;
    std::thread m_worker;
    std::unique_ptr<CardSource> m_cards;
    MailProgress m_progress;
    QTimer msend_modTimer;
    QTimer Pause_Timer;
    MailRunServices m_testServices;
    bool m_useTestServices = false;
    static QPointer<Send_Mail> DefaultInstance;
};
