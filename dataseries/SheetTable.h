#pragma once
// The rows of a worksheet as read, kept compactly: the values of all rows
// one after another in one list, and where each row starts. Every row reads
// as wide as the table (columns()); a row stored shorter reads as padded
// with empty values.

#include <QList>
#include <QString>
#include <QStringList>

class SheetTable {
public:
    // One row of the table, valid while the table is not changed.
    class Row {
    public:
        qsizetype size() const { return m_table->m_columns; }
        bool isEmpty() const { return size() == 0; }
        // The value in that 0-based column; empty outside the row.
        QString value(qsizetype column) const;
        QString operator[](qsizetype column) const { return value(column); }
        QStringList toList() const;

    private:
        friend class SheetTable;
        Row(const SheetTable* table, qsizetype row) : m_table(table), m_row(row) {}
        const SheetTable* m_table;
        qsizetype m_row;
    };

    qsizetype size() const { return m_starts.size(); }
    bool isEmpty() const { return m_starts.isEmpty(); }
    qsizetype columns() const { return m_columns; }
    Row operator[](qsizetype row) const { return Row(this, row); }
    Row first() const { return Row(this, 0); }
    void clear();

    // Room for that many rows and values, made resident at once.
    void reserve(qsizetype rows, qsizetype values);
    // Adds a row of `width` empty values and answers them to be set.
    QString* appendRow(qsizetype width);
    void setColumns(qsizetype columns) { m_columns = columns; }

    // The rows as plain lists, each as wide as the table.
    QList<QStringList> toList() const;
    operator QList<QStringList>() const { return toList(); }
    friend bool operator==(const SheetTable& table, const QList<QStringList>& rows);

private:
    qsizetype rowEnd(qsizetype row) const {
        return row + 1 < m_starts.size() ? m_starts.at(row + 1) : m_values.size();
    }

    QList<QString> m_values;
    QList<qsizetype> m_starts;
    qsizetype m_columns = 0;
};
