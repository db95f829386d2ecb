#pragma once
// A start-choice window: template, wizard or design file into
// Start_Card_Option. OK ends its run with 1; Cancel ends the process.

#include <QDialog>
#include <memory>

namespace Ui {
class Start_Card;
}

class Start_Card : public QDialog {
    Q_OBJECT

public:
    static Start_Card* defaultInstance();
    explicit Start_Card(QWidget* parent = nullptr);
    ~Start_Card() override;

    // Runs the window modally and answers its result.
    int Open_Wnd();
    void Using_Template_Click() { Select_card_option(0); }
    void Using_Wizard_Click() { Select_card_option(1); }
    void Open_Log_Click() { Select_card_option(2); }
    // 0 "T", 1 "W", 2 "L".
    void Select_card_option(int option);
    void OK_Click();
    void CancelClick();
    void HelpClick();
    Ui::Start_Card& ui() const { return *m_ui; }

private:
    std::unique_ptr<Ui::Start_Card> m_ui;
};
