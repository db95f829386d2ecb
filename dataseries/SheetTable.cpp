#include "dataseries/SheetTable.h"

#include "dataseries/ResidentMemory.h"

#include <algorithm>

namespace {

// A reference: 0 for no value; else its kind in the top two bits, and
// a shared string's or whole value's index, or a text's block, offset in
// the block and length.
constexpr quint64 kindShift = 62;
constexpr quint64 sharedKind = 1;
constexpr quint64 wholeKind = 2;
constexpr quint64 textKind = 3;
constexpr int partBits = 22;
constexpr quint64 partMask = (quint64(1) << partBits) - 1;
constexpr quint64 blockMask = (quint64(1) << (kindShift - 2 * partBits)) - 1;
// Blocks are at most this long, so offsets and lengths fit their bits.
constexpr qsizetype maxBlock = qsizetype(partMask);
// Blocks from this size on are advised as large blocks.
constexpr qsizetype largeBlock = 128 * 1024;

} // namespace

QString SheetTable::Row::value(qsizetype column) const {
    if (m_row < 0 || m_row >= m_table->size() || column < 0) {
        return QString();
    }
    const qsizetype at = m_table->m_starts.at(m_row) + column;
    return at < m_table->rowEnd(m_row) ? m_table->valueOf(m_table->m_values.at(at)) : QString();
}

QString SheetTable::valueOf(quint64 reference) const {
    const quint64 kind = reference >> kindShift;
    const quint64 index = reference & ~(quint64(3) << kindShift);
    if (kind == sharedKind) {
        return m_shared.at(qsizetype(index));
    }
    if (kind == wholeKind) {
        return m_whole.at(qsizetype(index));
    }
    if (kind != textKind) {
        return QString();
    }
    const QString& block = m_blocks.at(qsizetype((index >> (2 * partBits)) & blockMask));
    const qsizetype offset = qsizetype((index >> partBits) & partMask);
    const qsizetype length = qsizetype(index & partMask);
    // The text shares the block, which lives while any of its texts does.
    QString::DataPointer& data = const_cast<QString&>(block).data_ptr();
    data.d_ptr()->ref();
    return QString(QString::DataPointer(data.d_ptr(), data.data() + offset, length));
}

QStringList SheetTable::Row::toList() const {
    QStringList out;
    out.reserve(size());
    for (qsizetype c = 0; c < size(); ++c) {
        out.append(value(c));
    }
    return out;
}

void SheetTable::reserve(qsizetype rows, qsizetype values) {
    m_starts.reserve(rows);
    if (values > m_values.capacity()) {
        m_values.reserve(values);
        quint64* data = m_values.data();
        Advise_Large_Block(data + m_values.size(),
                           (m_values.capacity() - m_values.size()) * qsizetype(sizeof(quint64)));
    }
}

qsizetype SheetTable::appendRow(qsizetype width) {
    const qsizetype start = m_values.size();
    m_starts.append(start);
    m_values.resize(start + width);
    return start;
}

void SheetTable::setShared(qsizetype at, qsizetype index) {
    m_values[at] = (sharedKind << kindShift) | quint64(index);
}

void SheetTable::setValue(qsizetype at, const QString& text) {
    m_values[at] = (wholeKind << kindShift) | quint64(m_whole.size());
    m_whole.append(text);
}

char16_t* SheetTable::textRoom(qsizetype count) {
    if (m_room < count) {
        if (count > maxBlock || m_blocks.size() > qsizetype(blockMask)) {
            return nullptr; // the texts are kept whole instead
        }
        const qsizetype capacity = std::max(std::min(m_nextBlock, maxBlock), count);
        m_nextBlock = std::min(m_nextBlock * 2, maxBlock);
        QString::DataPointer block(QTypedArrayData<char16_t>::allocate(capacity));
        if (capacity >= largeBlock) {
            Advise_Large_Block(block.data(), capacity * qsizetype(sizeof(char16_t)));
        }
        m_free = block.data();
        m_room = capacity;
        m_blocks.append(QString(std::move(block)));
    }
    return m_free;
}

void SheetTable::setText(qsizetype at, char16_t* start, char16_t* end) {
    *end = u'\0';
    const char16_t* base = m_blocks.constLast().data_ptr().data();
    const quint64 block = quint64(m_blocks.size() - 1);
    m_values[at] = (textKind << kindShift) | (block << (2 * partBits)) |
                   (quint64(start - base) << partBits) | quint64(end - start);
    m_room -= end + 1 - m_free;
    m_free = end + 1;
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
