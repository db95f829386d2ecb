#pragma once
// How a binding to a column of the imported table follows the column's
// title when a new import replaces the table. A binding stores the column's
// index; between two tables the same index may name another column, so the
// title decides. Both title lists are complete lists of the table's
// columns: the row-number column first (index 0), then the chosen columns.

#include <QList>
#include <QString>
#include <QStringList>

class ColumnFollowing {
public:
    ColumnFollowing(const QStringList& before, const QStringList& after);

    // The index a binding to column `index` of the old table takes in the
    // new one: the row number stays the row number; a titled column goes to
    // the column with the same title (the n-th of several equal titles to
    // the n-th); -1 when the new table has no such column, for an untitled
    // column (nothing identifies it) and for an index the old table did not
    // have. With unchanged titles every index stays as it is.
    int newIndex(int index) const;
    // The old table's title of a column ("" when untitled or outside it).
    QString title(int index) const;
    // Whether the titles are the same, in the same order.
    bool unchanged() const { return m_before == m_after; }

private:
    QStringList m_before;
    QStringList m_after;
};

// A binding whose column the new table lacks, as the main window reports
// its card objects: which side (0 front, 1 back), the object's kind and
// identifier, what it showed, and the column's title in the old table.
struct LostColumnBinding {
    int side = 0;
    QString className;
    QString controlID;
    QString shown;
    QString column;
    int columnIndex = -1;
};

// How the one message names a column after the word "column": its title in
// quotes, or its position among the chosen columns and "(no title)".
QString Lost_Column_Name(const QString& title, int index);
