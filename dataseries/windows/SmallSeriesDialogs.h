#pragma once
// The small windows of the series manager: the value editor, the
// replace-or-append question and the open-the-exported-file prompt.

#include <QDialog>
#include <memory>

namespace Ui {
class Update_Ex_Num;
class Load_Num_Info;
class Open_Export_Log;
} // namespace Ui
class QCheckBox;
class QLineEdit;

// Edits one value of the manager's open series.
class Update_Ex_Num : public QDialog {
    Q_OBJECT
public:
    static Update_Ex_Num* defaultInstance();
    explicit Update_Ex_Num(QWidget* parent = nullptr);
    ~Update_Ex_Num() override;

    QLineEdit* m_ex_num_str() const;
    QLineEdit* m_s_number() const;
    QLineEdit* m_ex_num_index() const;

public slots:
    void OKPressed();
    void CancelPressed();

private:
    void clearFields();
    std::unique_ptr<Ui::Update_Ex_Num> ui;
};

// Replace the open values (1), append to them (0) or cancel (2).
class Load_Num_Info : public QDialog {
    Q_OBJECT
public:
    static constexpr int CancelAnswer = 2;
    static Load_Num_Info* defaultInstance();
    explicit Load_Num_Info(QWidget* parent = nullptr);
    ~Load_Num_Info() override;

public slots:
    void YESPressed() { done(1); }
    void NOPressed() { done(0); }
    void CancelPressed();

private:
    std::unique_ptr<Ui::Load_Num_Info> ui;
};

// Offers to open Export_File_Path (or its folder) after an export.
class Open_Export_Log : public QDialog {
    Q_OBJECT
public:
    static Open_Export_Log* defaultInstance();
    explicit Open_Export_Log(QWidget* parent = nullptr);
    ~Open_Export_Log() override;

    QCheckBox* _open_log_chk() const;
    // Fills the prompt from Export_File_Path and Export_File_Message and runs
    // it modally.
    int Open_Export_File_Box();

public slots:
    void OKPressed();
    void CancelPressed();

private:
    std::unique_ptr<Ui::Open_Export_Log> ui;
};

// The prompt for the last export (Export_File_Path, Export_File_Message).
void Open_Export_File_Box();
