#pragma once
// The number sequence generator: sequential, constant or random values,
// written as a new series or appended to the series manager's open list.

#include <QDialog>
#include <memory>

namespace Ui {
class Generate_List;
}
class QLineEdit;

class Generate_List : public QDialog {
    Q_OBJECT
public:
    static Generate_List* defaultInstance();
    explicit Generate_List(QWidget* parent = nullptr);
    ~Generate_List() override;

    // 1: write a new series file; else append to the manager's open list.
    int file_name_required = 0;
    // 1: the manager refills its series list afterwards.
    int file_name_Insert = 0;

    int Open_Wnd();
    Ui::Generate_List& form() const { return *ui; }

public slots:
    void OKPressed();
    void CancelPressed() { done(0); }
    void Sequintial_Radio_Pressed() { switchMode(0); }
    void Constant_Radio_Pressed() { switchMode(1); }
    void Random_Radio_Pressed() { switchMode(2); }
    void Help_btn_Pressed();

private:
    void switchMode(int mode);
    void controlTextDidChange(QLineEdit& field);
    bool fail(const QString& text, QLineEdit& focus);

    std::unique_ptr<Ui::Generate_List> ui;
    int m_mode = 0;
};

// The generator, once made.
inline Generate_List* Gen_List_Window = nullptr;
