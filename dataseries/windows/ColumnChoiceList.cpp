#include "dataseries/windows/ColumnChoiceList.h"

#include "core/MessageFunctions.h"
#include "core/StringFunctions.h"
#include "dataseries/SpreadsheetWriter.h"

#include <QComboBox>
#include <QHeaderView>
#include <QTableWidget>
#include <exception>

ColumnChoiceList::ColumnChoiceList(QTableWidget& table, bool withHeader, QObject* parent)
    : QObject(parent), m_table(table), m_withHeader(withHeader) {
    QStringList titles{QStringLiteral(""), QStringLiteral("Column")};
    if (withHeader) {
        titles.append(QStringLiteral("Series Name"));
    }
    m_table.setColumnCount(int(titles.size()));
    m_table.setHorizontalHeaderLabels(titles);
    m_table.setColumnWidth(0, 28);
    m_table.verticalHeader()->setVisible(false);
    m_table.horizontalHeader()->setStretchLastSection(true);
    connect(&m_table, &QTableWidget::cellChanged, this, &ColumnChoiceList::cellEdited);
}

void ColumnChoiceList::clear() {
    m_rows.clear();
    redraw();
}

void ColumnChoiceList::Create_List(const QString& title, bool state, const QString& header) {
    m_rows.append({state, Trim_Str(title), header});
    redraw();
}

void ColumnChoiceList::setAllStates(bool state) {
    for (ColumnChoice& row : m_rows) {
        row.State = state;
    }
    redraw();
}

int ColumnChoiceList::Check_For_One_Extension_Selection() const {
    for (const ColumnChoice& row : m_rows) {
        if (row.State) {
            return 1;
        }
    }
    return 0;
}

int ColumnChoiceList::Get_Selection_State(int index) const {
    if (index < 0 || index >= m_rows.size()) {
        return 0;
    }
    return m_rows[index].State ? 1 : 0;
}

void ColumnChoiceList::setHeaderColumnVisible(bool visible) {
    if (m_withHeader) {
        m_table.setColumnHidden(2, !visible);
    }
}

void ColumnChoiceList::redraw() {
    m_filling = true;
    m_table.setRowCount(int(m_rows.size()));
    for (int r = 0; r < m_rows.size(); ++r) {
        auto* tick = new QTableWidgetItem;
        tick->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        tick->setCheckState(m_rows[r].State ? Qt::Checked : Qt::Unchecked);
        m_table.setItem(r, 0, tick);
        m_table.setItem(r, 1, new QTableWidgetItem(m_rows[r].Extension));
        if (m_withHeader) {
            m_table.setItem(r, 2, new QTableWidgetItem(m_rows[r].Header));
        }
    }
    m_filling = false;
}

void ColumnChoiceList::cellEdited(int row, int column) {
    if (m_filling || row < 0 || row >= m_rows.size()) {
        return;
    }
    const QTableWidgetItem* item = m_table.item(row, column);
    if (!item) {
        return;
    }
    switch (column) {
    case 0:
        m_rows[row].State = item->checkState() == Qt::Checked;
        break;
    case 1:
        m_rows[row].Extension = item->text();
        break;
    case 2:
        m_rows[row].Header = item->text();
        break;
    default:
        break;
    }
}

void ColumnChoiceList::Fill_Sheet_Combo(QComboBox& combo) {
    combo.clear();
    combo.addItems(SpreadsheetWriter::Worksheet_Names());
}

void ColumnChoiceList::Load_Sheet_Columns(const QString& sheetItem) {
    try {
        bool ok = false;
        const int number = sheetItem.mid(5).toInt(&ok);
        if (!sheetItem.startsWith(QLatin1String("sheet")) || !ok) {
            return;
        }
        Excel_Sheet_Number = number;
        const SpreadsheetWriter::Rows firstRow = SpreadsheetWriter::ReadData_only_column();
        if (firstRow.isEmpty()) {
            return;
        }
        m_rows.clear();
        for (const QString& cell : firstRow.first()) {
            m_rows.append({false, Trim_Str(cell), cell});
        }
        redraw();
    } catch (const std::exception& error) {
        Show_NSLog_Message(QString::fromLocal8Bit(error.what()));
    }
}

int First_Data_Row(bool containsHeader) {
    return containsHeader ? 1 : 0;
}
