#pragma once
// Series from a worksheet: one series per ticked column, or all ticked cells
// merged into one named series (new, replacing or adding to an existing one).

#include "dataseries/SheetTable.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

namespace Ui {
class Import_Excel_DataSheet;
}
class ColumnChoiceList;

class Import_Excel_DataSheet : public QDialog {
    Q_OBJECT
public:
    static Import_Excel_DataSheet* defaultInstance();

    // 1: the series manager refills its list afterwards; set by the caller.
    int file_name_Insert = 0;
    // Merged mode: 0 new series, 1 replace an existing one, 2 add to it.
    int fill_col_option = 0;

    // Runs the import of the workbook at `path` modally; answers 1 when done.
    int Open_excel_Wnd(const QString& path);

    explicit Import_Excel_DataSheet(QWidget* parent = nullptr);
    ~Import_Excel_DataSheet() override;

    ColumnChoiceList& ListData_xl() const { return *m_list; }
    Ui::Import_Excel_DataSheet& form() const { return *ui; }

public slots:
    void OKPressed();
    void CancelPressed();
    void Select_ALL_Pressed();
    void Clear_All_Pressed();
    void Each_Col_RD_Click();
    void Fill_Col_RD_Click();
    void Fill_Type_CellClick(int option);

private:
    void Load_file_Func(const QString& path);
    void sheetChosen(int index);
    void Create_file_For_Col_Func();
    int Insert_file_Func();

    std::unique_ptr<Ui::Import_Excel_DataSheet> ui;
    ColumnChoiceList* m_list = nullptr;
    SheetTable excel_content;
};
