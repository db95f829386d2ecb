#include "platform/PlistBinaryWriter.h"

#include "platform/PlistCompat.h"

#include <QString>
#include <algorithm>
#include <cstring>
#include <plist/plist.h>

namespace PlistBinaryWriter {
namespace {

constexpr int kMaxDepth = 512;

void appendBigEndian(QByteArray& out, quint64 value, int width) {
    char buffer[8];
    for (int i = 0; i < width; ++i) {
        buffer[i] = static_cast<char>((value >> ((width - 1 - i) * 8)) & 0xff);
    }
    out.append(buffer, width);
}

int widthFor(quint64 value) {
    if (value <= 0xff) {
        return 1;
    }
    if (value <= 0xffff) {
        return 2;
    }
    return value <= 0xffffffffULL ? 4 : 8;
}

int log2Width(int width) {
    return width == 1 ? 0 : width == 2 ? 1 : width == 4 ? 2 : 3;
}

void appendInteger(QByteArray& out, qint64 value) {
    // Negative values take the full eight bytes, as every reader expects.
    const int width = value < 0 ? 8 : widthFor(static_cast<quint64>(value));
    out.append(static_cast<char>(0x10 | log2Width(width)));
    appendBigEndian(out, static_cast<quint64>(value), width);
}

// A marker with its element count: in the low nibble, or 0xF and an integer.
void appendMarker(QByteArray& out, int kind, quint64 count) {
    if (count < 15) {
        out.append(static_cast<char>((kind << 4) | static_cast<int>(count)));
    } else {
        out.append(static_cast<char>((kind << 4) | 0xf));
        appendInteger(out, static_cast<qint64>(count));
    }
}

void appendReal(QByteArray& out, double value) {
    const float single = static_cast<float>(value);
    if (static_cast<double>(single) == value) {
        quint32 bits = 0;
        std::memcpy(&bits, &single, 4);
        out.append('\x22');
        appendBigEndian(out, bits, 4);
    } else {
        quint64 bits = 0;
        std::memcpy(&bits, &value, 8);
        out.append('\x23');
        appendBigEndian(out, bits, 8);
    }
}

void appendUtf16(QByteArray& out, QStringView utf16) {
    appendMarker(out, 0x6, static_cast<quint64>(utf16.size()));
    for (QChar c : utf16) {
        appendBigEndian(out, c.unicode(), 2);
    }
}

bool isAscii(QByteArrayView bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// A string given as UTF-8: ASCII as it is, anything else as UTF-16.
void appendUtf8String(QByteArray& out, QByteArrayView utf8) {
    if (isAscii(utf8)) {
        appendMarker(out, 0x5, static_cast<quint64>(utf8.size()));
        out.append(utf8.data(), utf8.size());
    } else {
        appendUtf16(out, QString::fromUtf8(utf8));
    }
}

// A string as a libplist string node holds it: up to the first NUL, and
// anything not ASCII as UTF-8 and back.
void appendString(QByteArray& out, QStringView value) {
    const qsizetype nul = value.indexOf(QChar(0));
    if (nul >= 0) {
        value = value.first(nul);
    }
    bool ascii = true;
    for (QChar c : value) {
        ascii = ascii && c.unicode() < 0x80;
    }
    if (!ascii) {
        appendUtf16(out, QString::fromUtf8(value.toUtf8()));
        return;
    }
    appendMarker(out, 0x5, static_cast<quint64>(value.size()));
    const qsizetype start = out.size();
    out.resize(start + value.size());
    char* p = out.data() + start;
    for (QChar c : value) {
        *p++ = static_cast<char>(c.unicode());
    }
}

// The encoded bytes of a libplist value that holds no references.
void appendScalar(QByteArray& out, void* node) {
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t value = 0;
        plist_get_bool_val(node, &value);
        out.append(value ? '\x09' : '\x08');
        break;
    }
    case PLIST_REAL: {
        double value = 0;
        plist_get_real_val(node, &value);
        appendReal(out, value);
        break;
    }
    case PLIST_DATE: {
        int32_t sec = 0;
        int32_t usec = 0;
        plist_get_date_val(node, &sec, &usec);
        const double value = sec + usec / 1e6;
        quint64 bits = 0;
        std::memcpy(&bits, &value, 8);
        out.append('\x33');
        appendBigEndian(out, bits, 8);
        break;
    }
    case PLIST_DATA: {
        uint64_t length = 0;
        const char* bytes = plist_get_data_ptr(node, &length);
        appendMarker(out, 0x4, length);
        out.append(bytes, static_cast<qsizetype>(bytes ? length : 0));
        break;
    }
    case PLIST_KEY:
    case PLIST_STRING: {
        uint64_t length = 0;
        const char* text = plist_get_string_ptr(node, &length);
        appendUtf8String(out, QByteArrayView(text, static_cast<qsizetype>(text ? length : 0)));
        break;
    }
    case PLIST_UID: {
        uint64_t value = 0;
        plist_get_uid_val(node, &value);
        const int width = widthFor(value);
        out.append(static_cast<char>(0x80 | (width - 1)));
        appendBigEndian(out, value, width);
        break;
    }
    default:
        if (const auto value = plistcompat::integerValue(node)) {
            appendInteger(out, *value);
        }
        break;
    }
}

// Numbers a libplist tree into a stream, containers in the order met.
class TreeWriter {
public:
    explicit TreeWriter(Stream& stream) : m_stream(stream) {}

    int number(void* node, int depth) {
        if (depth > kMaxDepth) {
            return -1;
        }
        const plist_type type = plist_get_node_type(node);
        if (type != PLIST_ARRAY && type != PLIST_DICT) {
            m_value.resize(0);
            appendScalar(m_value, node);
            return m_value.isEmpty() ? -1 : m_stream.encoded(m_value);
        }
        const int index = type == PLIST_ARRAY ? m_stream.openArray() : m_stream.openDictionary();
        std::vector<int> refs;
        if (type == PLIST_ARRAY) {
            for (void* item : plistcompat::arrayItems(node)) {
                refs.push_back(number(item, depth + 1));
            }
        } else {
            std::vector<int> values;
            plistcompat::forEachEntry(node, [&](QByteArrayView key, void* value) {
                m_value.resize(0);
                appendUtf8String(m_value, key);
                refs.push_back(m_stream.encoded(m_value));
                values.push_back(number(value, depth + 1));
            });
            refs.insert(refs.end(), values.begin(), values.end());
        }
        for (int ref : refs) {
            if (ref < 0) {
                return -1;
            }
        }
        m_stream.close(index, std::move(refs));
        return index;
    }

private:
    Stream& m_stream;
    QByteArray m_value;
};

} // namespace

Stream::Stream() {
    // Values are encoded here one after another; resize(0) keeps the buffer
    // where clear() would free it.
    m_scratch.reserve(64);
    m_values.reserve(256);
    m_objects.reserve(256);
}

int Stream::container(int kind) {
    m_objects.push_back(Object{kind, {}, {}});
    return static_cast<int>(m_objects.size()) - 1;
}

int Stream::openArray() {
    return container(0xA);
}

int Stream::openDictionary() {
    return container(0xD);
}

void Stream::close(int index, std::vector<int>&& refs) {
    m_objects[static_cast<size_t>(index)].refs = std::move(refs);
}

int Stream::lookup() {
    // Looked up without copying; a copy is kept only for a new value.
    const auto found =
        m_values.constFind(QByteArray::fromRawData(m_scratch.constData(), m_scratch.size()));
    if (found != m_values.constEnd()) {
        return *found;
    }
    const int index = static_cast<int>(m_objects.size());
    const QByteArray value(m_scratch.constData(), m_scratch.size());
    m_objects.push_back(Object{0, value, {}});
    m_values.insert(value, index);
    return index;
}

int Stream::numbered(QByteArray&& bytes) {
    const auto found = m_values.constFind(bytes);
    if (found != m_values.constEnd()) {
        return *found;
    }
    const int index = static_cast<int>(m_objects.size());
    m_values.insert(bytes, index);
    m_objects.push_back(Object{0, std::move(bytes), {}});
    return index;
}

int Stream::encoded(const QByteArray& bytes) {
    if (bytes.isEmpty()) {
        return -1;
    }
    const auto found = m_values.constFind(bytes);
    if (found != m_values.constEnd()) {
        return *found;
    }
    const int index = static_cast<int>(m_objects.size());
    const QByteArray value(bytes.constData(), bytes.size()); // never a borrowed buffer
    m_objects.push_back(Object{0, value, {}});
    m_values.insert(value, index);
    return index;
}

int Stream::boolean(bool value) {
    m_scratch.resize(0);
    m_scratch.append(value ? '\x09' : '\x08');
    return lookup();
}

int Stream::integer(qint64 value) {
    m_scratch.resize(0);
    appendInteger(m_scratch, value);
    return lookup();
}

int Stream::real(double value) {
    m_scratch.resize(0);
    appendReal(m_scratch, value);
    return lookup();
}

int Stream::string(QStringView value) {
    m_scratch.resize(0);
    appendString(m_scratch, value);
    return lookup();
}

int Stream::data(QByteArrayView value) {
    // Built in a buffer of its own: pictures are megabytes, copied once.
    QByteArray bytes;
    bytes.reserve(value.size() + 10);
    appendMarker(bytes, 0x4, static_cast<quint64>(value.size()));
    bytes.append(value.data(), value.size());
    return numbered(std::move(bytes));
}

int Stream::uid(quint64 value) {
    m_scratch.resize(0);
    const int width = widthFor(value);
    m_scratch.append(static_cast<char>(0x80 | (width - 1)));
    appendBigEndian(m_scratch, value, width);
    return lookup();
}

QByteArray Stream::encodedString(QStringView value) {
    QByteArray out;
    out.reserve(value.size() + 4);
    appendString(out, value);
    return out;
}

namespace {

// Writes big-endian numbers into a buffer sized beforehand.
char* putBigEndian(char* out, quint64 value, int width) {
    for (int i = 0; i < width; ++i) {
        out[i] = static_cast<char>((value >> ((width - 1 - i) * 8)) & 0xff);
    }
    return out + width;
}

} // namespace

QByteArray Stream::bytes() const {
    const int refWidth = widthFor(m_objects.size());
    QByteArray marker;
    qsizetype size = 8;
    for (const Object& object : m_objects) {
        if (object.kind == 0) {
            size += object.value.size();
        } else {
            const quint64 count = object.kind == 0xD ? object.refs.size() / 2 : object.refs.size();
            marker.resize(0);
            appendMarker(marker, object.kind, count);
            size += marker.size() + static_cast<qsizetype>(object.refs.size()) * refWidth;
        }
    }
    const quint64 table = static_cast<quint64>(size);
    const int offsetWidth = widthFor(table);
    size += static_cast<qsizetype>(m_objects.size()) * offsetWidth + 32;

    QByteArray out(size, Qt::Uninitialized);
    char* const begin = out.data();
    char* p = begin;
    std::memcpy(p, "bplist00", 8);
    p += 8;
    std::vector<quint64> offsets;
    offsets.reserve(m_objects.size());
    for (const Object& object : m_objects) {
        offsets.push_back(static_cast<quint64>(p - begin));
        if (object.kind == 0) {
            std::memcpy(p, object.value.constData(), static_cast<size_t>(object.value.size()));
            p += object.value.size();
            continue;
        }
        const quint64 count = object.kind == 0xD ? object.refs.size() / 2 : object.refs.size();
        marker.resize(0);
        appendMarker(marker, object.kind, count);
        std::memcpy(p, marker.constData(), static_cast<size_t>(marker.size()));
        p += marker.size();
        for (int ref : object.refs) {
            p = putBigEndian(p, static_cast<quint64>(ref), refWidth);
        }
    }
    for (quint64 offset : offsets) {
        p = putBigEndian(p, offset, offsetWidth);
    }
    std::memset(p, 0, 6);
    p += 6;
    *p++ = static_cast<char>(offsetWidth);
    *p++ = static_cast<char>(refWidth);
    p = putBigEndian(p, m_objects.size(), 8);
    p = putBigEndian(p, 0, 8); // the top object is the first
    p = putBigEndian(p, table, 8);
    Q_ASSERT(p == begin + size);
    return out;
}

QByteArray write(void* root) {
    if (!root) {
        return {};
    }
    Stream stream;
    TreeWriter writer(stream);
    if (writer.number(root, 1) < 0) {
        return {};
    }
    return stream.bytes();
}

} // namespace PlistBinaryWriter
