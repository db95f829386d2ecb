#include "dataseries/ImportedTable.h"

#include "core/StringFunctions.h"

QString ImportedTable::Column_Identifier(int k) {
    return QStringLiteral("Column%1").arg(k);
}

QStringList ImportedTable::columnTitles() const {
    QStringList titles;
    for (const ImportedTableColumn& column : m_columns) {
        titles << column.title;
    }
    return titles;
}

void ImportedTable::Remove_Chosen_Columns() {
    m_columns.clear();
}

QString ImportedTable::Add_Column(const QString& title) {
    ImportedTableColumn column{Column_Identifier(int(m_columns.size()) + 1), Trim_Str(title)};
    m_columns.append(column);
    return column.identifier;
}

void ImportedTable::Create_List_By_Array(const QStringList& values, int count) {
    Row row;
    row.insert(rowNumberKey, QString::number(m_rows.size() + 1));
    for (int i = 1; i <= count; ++i) {
        row.insert(Column_Identifier(i),
                   i - 1 < values.size() ? Trim_Str(values.at(i - 1)) : QString());
    }
    m_rows.append(row);
}

QString ImportedTable::Value_At(int record, int column) const {
    if (record < 0 || record >= m_rows.size() || column < 0) {
        return QString();
    }
    const Row& row = m_rows.at(record);
    return row.value(column == 0 ? rowNumberKey : Column_Identifier(column));
}

bool ImportedTable::Set_Value(int record, const QString& identifier, const QString& text) {
    if (record < 0 || record >= m_rows.size()) {
        return false;
    }
    m_rows[record].insert(identifier, text);
    return true;
}

QStringList ImportedTable::allColumnTitles() const {
    return QStringList{rowNumberTitle} + columnTitles();
}

ImportedTable& Imported_Table() {
    static ImportedTable table;
    return table;
}

QStringList Excel_Col_Names() {
    return Imported_Table().allColumnTitles();
}

QString Get_First_Value_Of_Excel_Binding(int column) {
    return Imported_Table().Value_At(0, column);
}
