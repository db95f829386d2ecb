#pragma once
// The template window (Card > Templates…): previews of the prepared and the
// user templates, with delete, copy and rename for the user's own. OK leaves
// the chosen template's design file in Selected_Template_Path for the main
// window to open.

#include "mainwindow/controller/CardSizeWindow.h"
#include "widgets/MyImageObject.h"

#include <QList>
#include <memory>

namespace Ui {
class Template_Wizard;
}

class Template_Wizard : public CardSizeWindow {
    Q_OBJECT

public:
    static Template_Wizard* defaultInstance();
    explicit Template_Wizard(QWidget* parent = nullptr);
    ~Template_Wizard() override;

    // 1 when a template was confirmed, else 0.
    int Open_Template_Window();
    void Fill_Templates();
    void Fill_Templates_User_Defined();
    // Source chosen: item 0 the prepared templates, others the user's.
    void sourceChosen();
    void Show_Hide_Template_Buttons(bool hide);
    void imageBrowserSelectionDidChange();
    void zoomSliderDidChange();
    void OK_Click();
    void CancelClick();
    void Delete_Template_Click();
    void Copy_Templatee_Click();
    void Rename_Template_Click();
    // The first "<name> (copy n).<extension>" beside `path` that is free.
    static QString Create_New_File_Path(const QString& path);

    const QList<MyImageObject>& images() const { return m_images; }
    Ui::Template_Wizard& ui() const { return *m_ui; }

    // Escape is Cancel.
    void reject() override { CancelClick(); }

private:
    void fillFrom(const QString& folder, bool user);
    // Whether a template is chosen whose preview exists; else the message.
    bool checkSelection() const;
    // The preview of the user template shown and selected in the browser;
    // else "" after the message.
    QString selectedUserTemplate() const;

    std::unique_ptr<Ui::Template_Wizard> m_ui;
    QList<MyImageObject> m_images;
};
