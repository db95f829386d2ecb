#include "platform/ArchiveTree.h"

#include "platform/PlistBinaryWriter.h"

namespace ArchiveTree {

Value Value::boolean(bool v) {
    Value value;
    value.kind = Kind::Bool;
    value.integer = v ? 1 : 0;
    return value;
}
Value Value::number(qint64 v) {
    Value value;
    value.kind = Kind::Integer;
    value.integer = v;
    return value;
}
Value Value::floating(double v) {
    Value value;
    value.kind = Kind::Real;
    value.real = v;
    return value;
}
Value Value::text(const QString& v) {
    Value value;
    value.kind = Kind::String;
    value.string = v;
    return value;
}
Value Value::bytes(const QByteArray& v) {
    Value value;
    value.kind = Kind::Data;
    value.data = v;
    return value;
}
Value Value::uid(quint64 v) {
    Value value;
    value.kind = Kind::Uid;
    value.integer = static_cast<qint64>(v);
    return value;
}
Value Value::array() {
    Value value;
    value.kind = Kind::Array;
    return value;
}
Value Value::dictionary() {
    Value value;
    value.kind = Kind::Dictionary;
    return value;
}

int Keys::id(const QString& key) {
    const auto found = m_ids.constFind(key);
    if (found != m_ids.constEnd()) {
        return *found;
    }
    const qsizetype nul = key.indexOf(QChar(0));
    const QString name = nul >= 0 ? key.left(nul) : key;
    int id = -1;
    if (nul >= 0) {
        id = m_ids.value(name, -1);
    }
    if (id < 0) {
        id = static_cast<int>(m_names.size());
        m_names.push_back(name);
        m_encoded.push_back(PlistBinaryWriter::Stream::encodedString(name));
        m_ids.insert(name, id);
    }
    if (nul >= 0) {
        m_ids.insert(key, id);
    }
    return id;
}

namespace {

// Numbers a tree into a stream; each key's number is looked up once.
class Writer {
public:
    Writer(PlistBinaryWriter::Stream& out, const Keys& keys)
        : m_out(out), m_keys(keys), m_keyRefs(static_cast<size_t>(keys.count()), -1) {}

    int write(const Value& v);

private:
    int key(int id) {
        int& ref = m_keyRefs[static_cast<size_t>(id)];
        if (ref < 0) {
            ref = m_out.encoded(m_keys.encoded(id));
        }
        return ref;
    }

    PlistBinaryWriter::Stream& m_out;
    const Keys& m_keys;
    std::vector<int> m_keyRefs;
};

int Writer::write(const Value& v) {
    PlistBinaryWriter::Stream& out = m_out;
    switch (v.kind) {
    case Value::Kind::Bool:
        return out.boolean(v.integer != 0);
    case Value::Kind::Integer:
        return out.integer(v.integer);
    case Value::Kind::Real:
        return out.real(v.real);
    case Value::Kind::String:
        return out.string(v.string);
    case Value::Kind::Data:
        return out.data(v.data);
    case Value::Kind::Uid:
        return out.uid(static_cast<quint64>(v.integer));
    case Value::Kind::Array: {
        const int index = out.openArray();
        std::vector<int> refs;
        refs.reserve(v.items.size());
        for (const Value& item : v.items) {
            refs.push_back(write(item));
        }
        out.close(index, std::move(refs));
        return index;
    }
    case Value::Kind::Dictionary: {
        const int index = out.openDictionary();
        std::vector<int> refs;
        refs.reserve(v.items.size() * 2);
        std::vector<int> values;
        values.reserve(v.items.size());
        for (size_t i = 0; i < v.items.size(); ++i) {
            refs.push_back(key(v.keys[i]));
            values.push_back(write(v.items[i]));
        }
        refs.insert(refs.end(), values.begin(), values.end());
        out.close(index, std::move(refs));
        return index;
    }
    }
    return -1;
}

} // namespace

QByteArray binary(const Value& root, const Keys& keys) {
    PlistBinaryWriter::Stream out;
    Writer(out, keys).write(root);
    return out.bytes();
}

Plist plist(const Value& v, const Keys& keys) {
    switch (v.kind) {
    case Value::Kind::Bool:
        return Plist::boolean(v.integer != 0);
    case Value::Kind::Integer:
        return Plist::integer(v.integer);
    case Value::Kind::Real:
        return Plist::real(v.real);
    case Value::Kind::String:
        return Plist::string(v.string);
    case Value::Kind::Data:
        return Plist::data(v.data);
    case Value::Kind::Uid:
        return Plist::uid(static_cast<quint64>(v.integer));
    case Value::Kind::Array: {
        Plist array = Plist::array();
        for (const Value& item : v.items) {
            array.append(plist(item, keys));
        }
        return array;
    }
    case Value::Kind::Dictionary: {
        Plist dictionary = Plist::dictionary();
        for (size_t i = 0; i < v.items.size(); ++i) {
            dictionary.insert(keys.name(v.keys[i]), plist(v.items[i], keys));
        }
        return dictionary;
    }
    }
    return {};
}

} // namespace ArchiveTree
