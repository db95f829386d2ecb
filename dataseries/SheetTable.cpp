#include "dataseries/SheetTable.h"

#include "dataseries/ResidentMemory.h"

QString SheetTable::Row::value(qsizetype column) const {
    if (m_row < 0 || m_row >= m_table->size() || column < 0) {
        return QString();
    }
    const qsizetype at = m_table->m_starts.at(m_row) + column;
    return at < m_table->rowEnd(m_row) ? m_table->m_values.at(at) : QString();
}

QStringList SheetTable::Row::toList() const {
    QStringList out;
    out.reserve(size());
    for (qsizetype c = 0; c < size(); ++c) {
        out.append(value(c));
    }
    return out;
}

void SheetTable::clear() {
    m_values.clear();
    m_starts.clear();
    m_columns = 0;
}

void SheetTable::reserve(qsizetype rows, qsizetype values) {
    m_starts.reserve(rows);
    if (values > m_values.capacity()) {
        m_values.reserve(values);
        QString* data = m_values.data();
        Advise_Large_Block(data + m_values.size(),
                           (m_values.capacity() - m_values.size()) * qsizetype(sizeof(QString)));
    }
}

QString* SheetTable::appendRow(qsizetype width) {
    const qsizetype start = m_values.size();
    m_starts.append(start);
    m_values.resize(start + width);
    return m_values.data() + start;
}

QList<QStringList> SheetTable::toList() const {
    QList<QStringList> out;
    out.reserve(size());
    for (qsizetype r = 0; r < size(); ++r) {
        out.append((*this)[r].toList());
    }
    return out;
}

bool operator==(const SheetTable& table, const QList<QStringList>& rows) {
    if (table.size() != rows.size()) {
        return false;
    }
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const SheetTable::Row row = table[r];
        if (row.size() != rows.at(r).size()) {
            return false;
        }
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (row.value(c) != rows.at(r).at(c)) {
                return false;
            }
        }
    }
    return true;
}
