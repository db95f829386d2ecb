#pragma once
// The column import of an xlsx workbook: mode "E" fills the process's
// imported table, mode "D" sends ticked cells to the series being built.

#include <QDialog>
#include <QString>

class Import_Excel : public QDialog {
    Q_OBJECT
public:
    // The one instance of the run (made on first use).
    static Import_Excel* defaultInstance();

    // "E" (imported table) or "D" (series values); set before opening.
    QString open_mode;
    // Runs the import of the workbook at `path` modally; answers 1 on OK.
    int Open_excel_Wnd(const QString& path);

    explicit Import_Excel(QWidget* parent = nullptr);
};
