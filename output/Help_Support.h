#pragma once
// The help and support window: the help document, the maker's addresses and
// social pages, and the share window.

#include <QDialog>
#include <QPointer>
#include <memory>

namespace Ui {
class Help_Support;
class Share_It_Dlg;
} // namespace Ui

class Share_It_Dlg : public QDialog {
    Q_OBJECT

public:
    explicit Share_It_Dlg(QWidget* parent = nullptr);
    ~Share_It_Dlg() override;

    void Gplus_Clicked();
    void Facebook_Clicked();
    void Twitter_Clicked();
    void FB_Like_Clicked();
    void OK_Pressed();
    void Go_Share_It_Pressed() {}

    Ui::Share_It_Dlg* ui() const { return m_ui.get(); }

private:
    std::unique_ptr<Ui::Share_It_Dlg> m_ui;
};

class Help_Support : public QDialog {
    Q_OBJECT

public:
    static Help_Support* defaultInstance();
    explicit Help_Support(QWidget* parent = nullptr);
    ~Help_Support() override;

    // Runs the window modally and orders it out.
    int Open_Wnd();

    void HelpFilePressed();
    void Gplus_Clicked();
    void Facebook_Clicked();
    void Twitter_Clicked();
    void FB_Like_Clicked();
    void Social_Comments_Clicked() {}
    // Opens the share window modally.
    void Share_Clicked();

    Ui::Help_Support* ui() const { return m_ui.get(); }
    Share_It_Dlg* shareWindow() const { return m_share; }

private:
    std::unique_ptr<Ui::Help_Support> m_ui;
    Share_It_Dlg* m_share = nullptr;
    static QPointer<Help_Support> DefaultInstance;
};
