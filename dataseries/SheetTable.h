#pragma once
// The rows of a worksheet as read, kept compactly: one 8-byte reference per
// value, rows one after another, and where each row starts. A reference
// names a text in a few large blocks of UTF-16 the table owns, a shared
// string, or a value kept whole. Every row reads as wide as the table
// (columns()); a row stored shorter reads as padded with empty values.
// Values read out share the table's text, as copies of a QString do.

#include "dataseries/SharedStringTable.h"

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
    void clear() { *this = SheetTable(); }

    // Building. The shared strings that values may name.
    void setSharedStrings(const SharedStringTable& strings) { m_shared = strings; }
    // Room for that many rows and values.
    void reserve(qsizetype rows, qsizetype values);
    // Adds a row of `width` empty values; answers the position of its first.
    qsizetype appendRow(qsizetype width);
    void setColumns(qsizetype columns) { m_columns = columns; }
    // The value at a position: shared string `index`, or `text`.
    void setShared(qsizetype at, qsizetype index);
    void setValue(qsizetype at, const QString& text);
    // Room for `count` characters of text in a block, to be written and
    // then kept as the value at a position with setText(at, start, end).
    char16_t* textRoom(qsizetype count);
    void setText(qsizetype at, char16_t* start, char16_t* end);

    // The rows as plain lists, each as wide as the table.
    QList<QStringList> toList() const;
    operator QList<QStringList>() const { return toList(); }
    friend bool operator==(const SheetTable& table, const QList<QStringList>& rows);

private:
    qsizetype rowEnd(qsizetype row) const {
        return row + 1 < m_starts.size() ? m_starts.at(row + 1) : m_values.size();
    }
    QString valueOf(quint64 reference) const;

    QList<quint64> m_values;
    QList<qsizetype> m_starts;
    qsizetype m_columns = 0;
    SharedStringTable m_shared;
    QStringList m_whole;        // values kept whole
    QList<QString> m_blocks;    // blocks of texts, each NUL-ended
    char16_t* m_free = nullptr; // the unwritten room of the last block
    qsizetype m_room = 0;
    qsizetype m_nextBlock = 4096;
};
