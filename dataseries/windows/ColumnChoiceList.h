#pragma once
// The column-choice list of the spreadsheet import dialogs: one row per
// column of the chosen sheet, in column order, with a tick, the trimmed
// title and (for the series import) the untrimmed title naming the series.

#include <QList>
#include <QObject>
#include <QString>

class QComboBox;
class QTableWidget;

struct ColumnChoice {
    bool State = false;
    QString Extension; // trimmed title
    QString Header;    // untrimmed title
};

class ColumnChoiceList : public QObject {
    Q_OBJECT
public:
    // The table shows a tick column, the title and, with `withHeader`, the
    // series name column.
    ColumnChoiceList(QTableWidget& table, bool withHeader, QObject* parent = nullptr);

    const QList<ColumnChoice>& rows() const { return m_rows; }
    void clear();
    void Create_List(const QString& title, bool state, const QString& header = {});
    // Every row ticked or cleared.
    void setAllStates(bool state);
    // 1 when some row is ticked.
    int Check_For_One_Extension_Selection() const;
    // The row's tick; 0 outside the list.
    int Get_Selection_State(int index) const;
    void setHeaderColumnVisible(bool visible);

    // Fills the sheet choice with the unpacked workbook's worksheets.
    static void Fill_Sheet_Combo(QComboBox& combo);
    // Reads the first row of the chosen sheet ("sheetN" sets
    // Excel_Sheet_Number) into the list; a sheet without rows keeps it.
    void Load_Sheet_Columns(const QString& sheetItem);

private:
    void redraw();
    void cellEdited(int row, int column);

    QTableWidget& m_table;
    bool m_withHeader;
    bool m_filling = false;
    QList<ColumnChoice> m_rows;
};

// Rows read from the chosen sheet, first data row on.
int First_Data_Row(bool containsHeader);
