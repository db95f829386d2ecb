#pragma once
// Holder of a please-wait window: made once, coloured like the other
// windows; no code shows it.

#include <QDialog>
#include <memory>

namespace Ui {
class PleaseWait_Modeless;
}

class PleaseWait_Modeless : public QDialog {
    Q_OBJECT

public:
    static PleaseWait_Modeless* defaultInstance();
    explicit PleaseWait_Modeless(QWidget* parent = nullptr);
    ~PleaseWait_Modeless() override;

private:
    std::unique_ptr<Ui::PleaseWait_Modeless> m_ui;
};
