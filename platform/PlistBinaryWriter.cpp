#include "platform/PlistBinaryWriter.h"

#include "platform/PlistCompat.h"

#include <QHash>
#include <QString>
#include <algorithm>
#include <cstring>
#include <plist/plist.h>
#include <vector>

namespace PlistBinaryWriter {
namespace {

constexpr int kMaxDepth = 512;

void appendBigEndian(QByteArray& out, quint64 value, int width) {
    for (int shift = (width - 1) * 8; shift >= 0; shift -= 8) {
        out.append(static_cast<char>((value >> shift) & 0xff));
    }
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

// The encoded bytes of a value that holds no references.
QByteArray scalar(void* node) {
    QByteArray out;
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
        const QByteArray utf8(text, static_cast<qsizetype>(text ? length : 0));
        bool ascii = true;
        for (char c : utf8) {
            ascii = ascii && static_cast<unsigned char>(c) < 0x80;
        }
        if (ascii) {
            appendMarker(out, 0x5, static_cast<quint64>(utf8.size()));
            out.append(utf8);
        } else {
            const QString utf16 = QString::fromUtf8(utf8);
            appendMarker(out, 0x6, static_cast<quint64>(utf16.size()));
            for (QChar c : utf16) {
                appendBigEndian(out, c.unicode(), 2);
            }
        }
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
    return out;
}

class Writer {
public:
    bool add(void* root) { return number(root, 1) >= 0; }

    QByteArray bytes() const {
        const int refWidth = widthFor(m_objects.size());
        QByteArray out("bplist00");
        std::vector<quint64> offsets;
        offsets.reserve(m_objects.size());
        for (const Object& object : m_objects) {
            offsets.push_back(static_cast<quint64>(out.size()));
            if (object.kind == 0) {
                out.append(object.scalar);
                continue;
            }
            const quint64 count = object.kind == 0xD ? object.refs.size() / 2 : object.refs.size();
            appendMarker(out, object.kind, count);
            for (int ref : object.refs) {
                appendBigEndian(out, static_cast<quint64>(ref), refWidth);
            }
        }
        const quint64 table = static_cast<quint64>(out.size());
        const int offsetWidth = widthFor(table);
        for (quint64 offset : offsets) {
            appendBigEndian(out, offset, offsetWidth);
        }
        out.append(QByteArray(6, '\0'));
        out.append(static_cast<char>(offsetWidth));
        out.append(static_cast<char>(refWidth));
        appendBigEndian(out, m_objects.size(), 8);
        appendBigEndian(out, 0, 8); // the top object is the first
        appendBigEndian(out, table, 8);
        return out;
    }

private:
    struct Object {
        int kind = 0; // 0: scalar, 0xA: array, 0xD: dictionary
        QByteArray scalar;
        std::vector<int> refs; // dictionaries: keys, then values
    };

    // The object number of a node, numbering containers in the order met.
    int number(void* node, int depth) {
        if (depth > kMaxDepth) {
            return -1;
        }
        const plist_type type = plist_get_node_type(node);
        if (type != PLIST_ARRAY && type != PLIST_DICT) {
            return scalarNumber(scalar(node));
        }
        const int index = static_cast<int>(m_objects.size());
        m_objects.push_back(Object{type == PLIST_ARRAY ? 0xA : 0xD, {}, {}});
        std::vector<int> refs;
        if (type == PLIST_ARRAY) {
            for (void* item : plistcompat::arrayItems(node)) {
                refs.push_back(number(item, depth + 1));
            }
        } else {
            std::vector<int> values;
            plistcompat::forEachEntry(node, [&](const QByteArray& key, void* value) {
                QByteArray encoded;
                if (std::all_of(key.begin(), key.end(),
                                [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
                    appendMarker(encoded, 0x5, static_cast<quint64>(key.size()));
                    encoded.append(key);
                } else {
                    const QString utf16 = QString::fromUtf8(key);
                    appendMarker(encoded, 0x6, static_cast<quint64>(utf16.size()));
                    for (QChar c : utf16) {
                        appendBigEndian(encoded, c.unicode(), 2);
                    }
                }
                refs.push_back(scalarNumber(encoded));
                values.push_back(number(value, depth + 1));
            });
            refs.insert(refs.end(), values.begin(), values.end());
        }
        for (int ref : refs) {
            if (ref < 0) {
                return -1;
            }
        }
        m_objects[static_cast<size_t>(index)].refs = std::move(refs);
        return index;
    }

    int scalarNumber(const QByteArray& encoded) {
        if (encoded.isEmpty()) {
            return -1;
        }
        const auto found = m_scalars.constFind(encoded);
        if (found != m_scalars.constEnd()) {
            return *found;
        }
        const int index = static_cast<int>(m_objects.size());
        m_objects.push_back(Object{0, encoded, {}});
        m_scalars.insert(encoded, index);
        return index;
    }

    std::vector<Object> m_objects;
    QHash<QByteArray, int> m_scalars;
};

} // namespace

QByteArray write(void* root) {
    if (!root) {
        return {};
    }
    Writer writer;
    if (!writer.add(root)) {
        return {};
    }
    return writer.bytes();
}

} // namespace PlistBinaryWriter
