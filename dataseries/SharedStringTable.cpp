#include "dataseries/SharedStringTable.h"

#include "dataseries/ResidentMemory.h"

#include <QStringDecoder>
#include <algorithm>
#include <utility>

namespace {

// A reference: the block in the top bits, then the offset in the block and
// the length. A length of all ones names a block of its own, read whole.
constexpr int partBits = 22;
constexpr quint64 partMask = (quint64(1) << partBits) - 1;
constexpr quint64 maxBlocks = quint64(1) << (64 - 2 * partBits);
constexpr quint64 wholeBlock = partMask;
// Common blocks are at most this long, so offsets and lengths fit their bits.
constexpr qsizetype maxCommonBlock = qsizetype(partMask);
// Texts from this length on get a block of their own.
constexpr qsizetype longText = 64 * 1024;
constexpr qsizetype chunkSize = 64 * 1024;
constexpr qsizetype largeBlock = 128 * 1024;

} // namespace

SharedStringTable::SharedStringTable(const QStringList& strings) {
    for (const QString& text : strings) {
        append(text);
    }
}

SharedStringTable::SharedStringTable(const SharedStringTable& other)
    : m_blocks(other.m_blocks), m_chunks(other.m_chunks), m_count(other.m_count),
      m_nextBlock(other.m_nextBlock) {}

SharedStringTable& SharedStringTable::operator=(const SharedStringTable& other) {
    if (this != &other) {
        *this = SharedStringTable(other);
    }
    return *this;
}

SharedStringTable::SharedStringTable(SharedStringTable&& other) noexcept
    : m_blocks(std::move(other.m_blocks)), m_chunks(std::move(other.m_chunks)),
      m_count(std::exchange(other.m_count, 0)), m_free(std::exchange(other.m_free, nullptr)),
      m_room(std::exchange(other.m_room, 0)), m_common(std::exchange(other.m_common, -1)),
      m_nextBlock(std::exchange(other.m_nextBlock, 4096)), m_ownBlock(other.m_ownBlock) {
    other.m_blocks.clear();
    other.m_chunks.clear();
}

SharedStringTable& SharedStringTable::operator=(SharedStringTable&& other) noexcept {
    if (this != &other) {
        SharedStringTable taken(std::move(other));
        std::swap(m_blocks, taken.m_blocks);
        std::swap(m_chunks, taken.m_chunks);
        std::swap(m_count, taken.m_count);
        std::swap(m_free, taken.m_free);
        std::swap(m_room, taken.m_room);
        std::swap(m_common, taken.m_common);
        std::swap(m_nextBlock, taken.m_nextBlock);
        std::swap(m_ownBlock, taken.m_ownBlock);
    }
    return *this;
}

QString SharedStringTable::at(qsizetype index) const {
    if (index < 0 || index >= m_count) {
        return QString();
    }
    const quint64 reference = m_chunks.at(index / chunkSize).at(index % chunkSize);
    const quint64 length = reference & partMask;
    if (length == 0) {
        return QString();
    }
    const QString& block = m_blocks.at(qsizetype(reference >> (2 * partBits)));
    if (length == wholeBlock) {
        return block;
    }
    const qsizetype offset = qsizetype((reference >> partBits) & partMask);
    // The text shares the block, which lives while any of its texts does.
    QString::DataPointer& data = const_cast<QString&>(block).data_ptr();
    data.d_ptr()->ref();
    return QString(QString::DataPointer(data.d_ptr(), data.data() + offset, qsizetype(length)));
}

bool SharedStringTable::isEmptyAt(qsizetype index) const {
    return index < 0 || index >= m_count ||
           (m_chunks.at(index / chunkSize).at(index % chunkSize) & partMask) == 0;
}

char16_t* SharedStringTable::room(qsizetype count) {
    if (quint64(m_blocks.size()) >= maxBlocks) {
        return nullptr;
    }
    m_ownBlock = count >= longText;
    if (m_ownBlock) {
        m_blocks.append(QString(count, Qt::Uninitialized));
        return m_blocks.last().data_ptr().data();
    }
    if (m_room < count + 1) {
        const qsizetype capacity = std::max(std::min(m_nextBlock, maxCommonBlock), count + 1);
        m_nextBlock = std::min(m_nextBlock * 2, maxCommonBlock);
        QString::DataPointer block(QTypedArrayData<char16_t>::allocate(capacity));
        if (capacity >= largeBlock) {
            Advise_Large_Block(block.data(), capacity * qsizetype(sizeof(char16_t)));
        }
        m_free = block.data();
        m_room = capacity;
        m_common = m_blocks.size();
        m_blocks.append(QString(std::move(block)));
    }
    return m_free;
}

bool SharedStringTable::keep(char16_t* start, char16_t* end) {
    quint64 reference = 0;
    if (m_ownBlock) {
        QString& block = m_blocks.last();
        block.resize(end - start);
        reference =
            (quint64(m_blocks.size() - 1) << (2 * partBits)) | (block.isEmpty() ? 0 : wholeBlock);
    } else {
        *end = u'\0';
        const char16_t* base = m_blocks.at(m_common).data_ptr().data();
        reference = (quint64(m_common) << (2 * partBits)) | (quint64(start - base) << partBits) |
                    quint64(end - start);
        m_room -= end + 1 - m_free;
        m_free = end + 1;
    }
    if (m_chunks.isEmpty() || m_chunks.constLast().size() == chunkSize) {
        m_chunks.append(QList<quint64>());
        m_chunks.last().reserve(chunkSize);
    }
    m_chunks.last().append(reference);
    ++m_count;
    return true;
}

bool SharedStringTable::append(const QString& text) {
    char16_t* start = room(text.size());
    if (start == nullptr) {
        return false;
    }
    std::copy(text.utf16(), text.utf16() + text.size(), start);
    return keep(start, start + text.size());
}

bool SharedStringTable::appendUtf8(const char* data, qsizetype size) {
    // UTF-16 needs no more units than UTF-8 has bytes.
    char16_t* const start = room(size);
    if (start == nullptr) {
        return false;
    }
    char16_t* out = start;
    qsizetype i = 0;
    for (; i < size && static_cast<unsigned char>(data[i]) < 0x80; ++i) {
        *out++ = char16_t(data[i]);
    }
    if (i < size) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                      QStringDecoder::Flag::ConvertInitialBom);
        out = reinterpret_cast<char16_t*>(
            utf8.appendToBuffer(reinterpret_cast<QChar*>(out), QByteArrayView(data + i, size - i)));
    }
    return keep(start, out);
}

bool operator==(const SharedStringTable& table, const QStringList& strings) {
    if (table.size() != strings.size()) {
        return false;
    }
    for (qsizetype i = 0; i < strings.size(); ++i) {
        if (table.at(i) != strings.at(i)) {
            return false;
        }
    }
    return true;
}
