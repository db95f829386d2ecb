#pragma once
// The invitation wizard every new project runs: a start box (build a new
// invitation step by step, or open a saved design) and four pages: card
// size, background picture, title and message, and the party details. On
// finishing it sizes the card and leaves its texts in the Invite_* strings
// for the main window to lay out.

#include "widgets/MyImageObject.h"

#include <QDateTime>
#include <QDialog>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class CardStepper;
class QLineEdit;

namespace Ui {
class Invitation_Wizard;
}

class Invitation_Wizard : public QDialog {
    Q_OBJECT

public:
    // The one wizard of the run (made on first use).
    static Invitation_Wizard* defaultInstance();

    // The clock whose "now" the date and time pickers start at; empty: the
    // system clock. Tests fix it, so a run does not depend on the hour.
    using Clock = std::function<QDateTime()>;
    static void setClock(Clock clock);

    explicit Invitation_Wizard(QWidget* parent = nullptr);
    ~Invitation_Wizard() override;
    Invitation_Wizard(const Invitation_Wizard&) = delete;
    Invitation_Wizard& operator=(const Invitation_Wizard&) = delete;

    // Runs the wizard from its start box; 1 when a design was finished or
    // opened, else 0.
    int Open_Wnd();

    void Load_and_fill_backgrounds();
    void addImageWithPath(const QString& path, const QString& name, const QString& uid);
    void Load_Msg_And_Title();
    QString Get_Title() const;
    QString Get_Message() const;
    void Show_Hide_Card_Start_Screen(int show);

    // Button actions.
    void OK_Click();
    void Back_Click();
    void CancelClick();
    void Using_Wizard_Click() { Select_card_option(1); }
    void Open_Log_Click() { Select_card_option(2); }
    void Select_card_option(int option);
    void ExitClick();
    void HelpClick();
    void Title_Back_Click();
    void Title_Next_Click();
    void Msg_Back_Click();
    void Msg_Next_Click();
    void datePickerAction();
    void timePickerAction();
    void Clear_Details_Click();
    void Clear_Details();
    void Reset_All();
    // The typing limits of the text fields.
    void controlTextDidChange(QLineEdit* field);
    void imageBrowserSelectionDidChange();

    // The step shown: 0 start box, 1 size, 2 background, 3 title and
    // message, 4 details.
    int next_counter() const { return m_nextCounter; }
    const QList<MyImageObject>& images() const { return m_images; }
    QString selected_image() const { return m_selectedImage; }
    QString selected_date() const { return m_selectedDate; }
    QString selected_time() const { return m_selectedTime; }
    Ui::Invitation_Wizard& ui() const { return *m_ui; }

    // Cuts a typed text to its first `limit` UTF-16 units, never inside a
    // surrogate pair.
    static QString limitedText(const QString& text, int limit);

    // Escape and close requests do nothing: the wizard ends only through
    // its buttons.
    void reject() override {}

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void connectControls();
    void showPage(int page);
    void showDetail(const QString& text, bool date);
    void setPickersToNow();
    // The size typed in the field, when it is a number in the card-size
    // range, goes to the stepper; else the message (its %1 the largest size)
    // shows and the focus goes to the field.
    bool takeSize(QLineEdit& field, CardStepper& stepper, const QString& message);

    std::unique_ptr<Ui::Invitation_Wizard> m_ui;
    QList<MyImageObject> m_images;
    QString m_selectedImage;
    QStringList Title_Array;
    QStringList Message_Array;
    int m_nextCounter = 0;
    int title_index = 0;
    int message_index = 0;
    QString m_selectedTitle;
    QString m_selectedMsg;
    QString m_selectedDate;
    QString m_selectedTime;
    bool auto_background_selection = false;
    bool m_settingPickers = false;
};
