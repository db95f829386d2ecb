#pragma once
// The column import of an xlsx workbook: mode "E" fills the process's
// imported table, mode "D" sends ticked cells to the series being built.

#include "dataseries/SheetTable.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

namespace Ui {
class Import_Excel;
}
class ColumnChoiceList;

class Import_Excel : public QDialog {
    Q_OBJECT
public:
    // The one instance of the run (made on first use).
    static Import_Excel* defaultInstance();

    // "E" (imported table) or "D" (series values); set before opening.
    QString open_mode = QStringLiteral("D");
    // Runs the import of the workbook at `path` modally; answers 1 on OK.
    int Open_excel_Wnd(const QString& path);
    // Whether the last opening refused its workbook (too large, damaged,
    // no rows to import): it was told and nothing was imported.
    bool Workbook_Refused() const { return m_refused; }

    explicit Import_Excel(QWidget* parent = nullptr);
    ~Import_Excel() override;

    ColumnChoiceList& ListData_xl() const { return *m_list; }
    Ui::Import_Excel& form() const { return *ui; }

public slots:
    void OKPressed();
    void CancelPressed();
    void Select_ALL_Pressed();
    void Clear_All_Pressed();

private:
    void Load_file_Func(const QString& path);
    void sheetChosen(int index);
    void Insert_file_Func(const QString& path);
    void Create_Excel_List_Func(const QString& path);

    std::unique_ptr<Ui::Import_Excel> ui;
    ColumnChoiceList* m_list = nullptr;
    SheetTable excel_content;
    bool m_refused = false;
};
