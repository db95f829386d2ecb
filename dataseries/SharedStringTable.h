#pragma once
// The shared strings of a workbook, kept compactly: the texts one after
// another in a few large blocks of UTF-16, and one 8-byte reference per
// string in chunks of fixed size, so the table costs little more than its
// text and never copies itself as it grows. A long text has a block of its
// own, which keeps the room left in the common blocks small. Strings read
// out share their block, as copies of a QString do.

#include <QList>
#include <QString>
#include <QStringList>

class SharedStringTable {
public:
    SharedStringTable() = default;
    SharedStringTable(const QStringList& strings);
    // A copy shares the texts; appending to either one leaves the other as
    // it was.
    SharedStringTable(const SharedStringTable& other);
    SharedStringTable& operator=(const SharedStringTable& other);
    // A table moved from is left empty.
    SharedStringTable(SharedStringTable&& other) noexcept;
    SharedStringTable& operator=(SharedStringTable&& other) noexcept;

    qsizetype size() const { return m_count; }
    bool isEmpty() const { return m_count == 0; }
    // The string at `index`; empty outside the table.
    QString at(qsizetype index) const;
    // Whether the string at `index` is empty (or there is none).
    bool isEmptyAt(qsizetype index) const;
    void clear() { *this = SharedStringTable(); }

    // Appends a string. False, with nothing appended, when the table can
    // hold no more.
    bool append(const QString& text);
    // Appends the UTF-8 text as one string, invalid sequences replaced.
    bool appendUtf8(const char* data, qsizetype size);

    friend bool operator==(const SharedStringTable& table, const QStringList& strings);

private:
    // Room for `count` characters and the NUL after them: in the last common
    // block, or in a block of its own for a long text. Null when the table
    // is full.
    char16_t* room(qsizetype count);
    // Keeps what was written from `start` to `end` as the next string.
    bool keep(char16_t* start, char16_t* end);

    QList<QString> m_blocks;        // texts, each NUL-ended
    QList<QList<quint64>> m_chunks; // references, a fixed number per chunk
    qsizetype m_count = 0;
    char16_t* m_free = nullptr; // the unwritten room of the common block
    qsizetype m_room = 0;
    qsizetype m_common = -1; // the common block being filled
    qsizetype m_nextBlock = 4096;
    bool m_ownBlock = false; // the room asked for is a block of its own
};
