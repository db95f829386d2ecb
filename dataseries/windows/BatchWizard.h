#pragma once
// The series manager: lists, creates, edits, deletes and exports data
// series. Two screens: the series list and the values of one series.

#include <QDialog>
#include <QString>
#include <QStringList>
#include <memory>

namespace Ui {
class BatchWizard;
}
class QTableWidget;

class BatchWizard : public QDialog {
    Q_OBJECT
public:
    static BatchWizard* defaultInstance();
    explicit BatchWizard(QWidget* parent = nullptr);
    ~BatchWizard() override;

    // Runs the manager modally on its first screen.
    void Open_Wnd();
    // Refills the series list from the data folder.
    void Fill_List();
    // Appends a value (trimmed; an empty one is left out) to the open list.
    void Create_Value_List(const QString& value);
    // Replaces the value of a row of the open list.
    void Replace_Value(int row, const QString& value);

    QStringList seriesNames() const;
    QStringList values() const;
    QTableWidget* List() const;
    QTableWidget* List_value() const;
    Ui::BatchWizard& form() const { return *ui; }
    bool firstScreenShown() const;

public slots:
    void Import_Btn_Clicked();
    void CreateSeries_Btn_Clicked();
    void AddNew_Btn_Clicked();
    void Update_Btn_Clicked() { On_Update(); }
    void Delete_List_Btn_Clicked();
    void Close_Btn_Clicked() { done(0); }
    void Help_Btn_Clicked();
    void Import_Value_Btn_Clicked();
    void Series_Value_Btn_Clicked();
    void Delete_Rows_Btn_Clicked();
    void Save_Btn_Clicked();
    void Export_Value_Btn_Clicked();
    void Back_Btn_Clicked();

private:
    void Show_hide_first_screen(bool hide);
    void Show_hide_Last_screen(bool hide);
    bool Batch_List_Selection_Validation();
    void On_Update();
    void OnGetSelected();
    void doubleClickInTable(QTableWidget& table);
    void Update_batch_List_Count();
    void Update_Value_List_Count();
    // Asks replace-or-append when values are listed; false on Cancel.
    bool Prepare_Value_Import();
    bool Export_Values(const QString& path, bool xlsx);

    std::unique_ptr<Ui::BatchWizard> ui;
    QStringList ListData;
    QStringList ListData_value;
};

// The path an export writes: the chosen path with its extension "xlsx" or
// "txt" replaced by the chosen filter's type (without a reported type, the
// typed extension "txt" gives txt and anything else xlsx).
QString Export_Path_For_Type(const QString& chosen, const QString& type);

// The manager, once made: the generator and the import wizard append values
// to its open list through it.
inline BatchWizard* BatchWizard_Window = nullptr;
