#pragma once
// The series import wizard: a series from worksheet columns, a text file
// (plain, RTF or CSV), pasted text or the pictures of a folder, written as a
// new series or appended to the series manager's open list.

#include <QDialog>
#include <QString>
#include <QStringList>
#include <memory>

namespace Ui {
class Import_Wizard;
}

class Import_Wizard : public QDialog {
    Q_OBJECT
public:
    static Import_Wizard* defaultInstance();
    explicit Import_Wizard(QWidget* parent = nullptr);
    ~Import_Wizard() override;

    int import_option = 0;
    int file_name_required = 0;
    int file_name_Insert = 0;

    int Open_Wnd();
    Ui::Import_Wizard& form() const { return *ui; }

    bool Create_And_Save_Text_Data_Sheet(const QString& path);
    bool Create_And_Save_Manual_Paste_data_Sheet();
    bool Create_And_Save_Image_data_Sheet(const QString& folder);

public slots:
    void Excel_RD_Pressed() { chooseSource(0); }
    void Text_RD_Pressed() { chooseSource(1); }
    void Manual_RD_Pressed() { chooseSource(2); }
    void Image_RD_Pressed() { chooseSource(3); }
    void Browse_Excel_Pressed();
    void Browse_Text_Pressed();
    void Browse_Image_Pressed();
    void OKPressed();
    void CancelPressed() { done(0); }
    void HelpPressed();

private:
    void chooseSource(int option);
    // Writes the values as the named series, or hands them to the manager.
    bool storeValues(const QString& typedName, const QStringList& values, bool keepEmpty);

    std::unique_ptr<Ui::Import_Wizard> ui;
};
