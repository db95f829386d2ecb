#pragma once
// The progress sheet of batch export and e-mail sending: total, progress
// text and bar, a pause text and the Stop button, which sets
// Stop_SMS_Sending_Now after the user confirms. While it shows it blocks its
// parent window; Esc and the close control do not end it.

#include <QDialog>
#include <QPointer>
#include <memory>

namespace Ui {
class Send_Modeless;
}
class QLabel;
class QProgressBar;
class QPushButton;

class Send_Modeless : public QDialog {
    Q_OBJECT

public:
    // The one instance (made on first use, on the GUI thread; deleted when
    // the application quits).
    static Send_Modeless* defaultInstance();

    explicit Send_Modeless(QWidget* parent = nullptr);
    ~Send_Modeless() override;

    // Resets the sheet for a run of `total` items: bar 0..total at 0, the
    // total and "0 / total Card".
    void prepare(int total);
    // A progress tick: the bar and "current / total " (with the blank).
    void update_sending_progress_bar(double current, int total);
    // Shows the sheet over `parent` (window-modal) and hides it again.
    void Show_One_By_One_Modeless(QWidget* parent);
    void Hide_One_By_One_Modeless();

    void Stop_Sending_Pressed();

    QLabel* _tot_msg_cnt = nullptr;
    QLabel* _curr_msg_cnt = nullptr;
    QProgressBar* _Curr_Progress = nullptr;
    QPushButton* _stop_btn = nullptr;
    QLabel* pause_label = nullptr;

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::unique_ptr<Ui::Send_Modeless> m_ui;
    static QPointer<Send_Modeless> DefaultInstance;
};
