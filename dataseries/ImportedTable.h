#pragma once
// The data of the imported spreadsheet table: rows of texts keyed by column
// identifier, and the chosen columns with their titles. Key "Extension"
// holds the 1-based row number as text; keys "Column1".."ColumnN" the cells
// of the chosen columns in order. The row-number column itself belongs to
// the table window and is not listed in columns().

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

struct ImportedTableColumn {
    QString identifier; // "Column%d"
    QString title;      // trimmed first-row text, may be empty
};

class ImportedTable {
public:
    using Row = QMap<QString, QString>;

    static inline const QString rowNumberKey = QStringLiteral("Extension");
    // Title of the row-number column, wherever the table's columns are
    // listed or stored.
    static inline const QString rowNumberTitle = QStringLiteral("Row No.");
    // "Column%d" with k.
    static QString Column_Identifier(int k);

    const QList<Row>& ListData() const { return m_rows; }
    void setListData(const QList<Row>& rows) { m_rows = rows; }
    int rowCount() const { return int(m_rows.size()); }

    const QList<ImportedTableColumn>& columns() const { return m_columns; }
    // Titles of the chosen columns in table order.
    QStringList columnTitles() const;
    // Drops every chosen column (the row-number column stays).
    void Remove_Chosen_Columns();
    // Appends a chosen column titled with the trimmed title; answers its
    // identifier.
    QString Add_Column(const QString& title);

    // Appends a row: "Extension" = row count + 1, and Column1..Column<count>
    // = the trimmed values (a missing value is an empty text).
    void Create_List_By_Array(const QStringList& values, int count);
    void Clear_Rows() { m_rows.clear(); }

    // The cell of a record: column 0 the row number, k >= 1 the k-th chosen
    // column. Empty for a record or column outside the table, negative ones
    // included.
    QString Value_At(int record, int column) const;

    // Stores an edited cell; a row outside the table changes nothing.
    bool Set_Value(int record, const QString& identifier, const QString& text);

    // Titles of every table column in table order: the row-number column
    // first, then the chosen columns.
    QStringList allColumnTitles() const;

private:
    QList<Row> m_rows;
    QList<ImportedTableColumn> m_columns;
};

// The one imported table of the process (empty until a spreadsheet is
// imported). Filled and read on the GUI thread; batch runs read it while no
// import runs.
ImportedTable& Imported_Table();

// The title of every table column of the imported table, row-number column
// first: the items of a spreadsheet-column list.
QStringList Excel_Col_Names();

// Row 0 of the imported table under the row-number key for column 0 and the
// k-th chosen column for k >= 1; "" when there is no row 0 or no such column.
QString Get_First_Value_Of_Excel_Binding(int column);
