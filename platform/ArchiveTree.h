#pragma once
// The property list a keyed archiver builds, kept in plain vectors until it
// is written: building a libplist tree cost a dictionary search per key and
// a UTF-8 copy per key and string. Written out it gives the same bytes as
// the equal libplist tree does.

#include "platform/Plist.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <vector>

namespace ArchiveTree {

struct Value {
    enum class Kind : quint8 { Bool, Integer, Real, String, Data, Uid, Array, Dictionary };

    Kind kind = Kind::Uid;
    qint64 integer = 0; // Bool, Integer, Uid (as its bits)
    double real = 0;
    QString string;
    QByteArray data;
    std::vector<Value> items; // array items; dictionary values
    std::vector<int> keys;    // dictionary keys (see Keys)

    static Value boolean(bool v);
    static Value number(qint64 v);
    static Value floating(double v);
    static Value text(const QString& v);
    static Value bytes(const QByteArray& v);
    static Value uid(quint64 v);
    static Value array();
    static Value dictionary();
};

// The dictionary keys of one archive, each numbered once. Keys are taken up
// to their first NUL, as libplist takes them.
class Keys {
public:
    int id(const QString& key);
    int count() const { return static_cast<int>(m_names.size()); }
    const QString& name(int id) const { return m_names[static_cast<size_t>(id)]; }
    const QByteArray& encoded(int id) const { return m_encoded[static_cast<size_t>(id)]; }

private:
    QHash<QString, int> m_ids;
    std::vector<QString> m_names;
    std::vector<QByteArray> m_encoded;
};

QByteArray binary(const Value& root, const Keys& keys);
Plist plist(const Value& root, const Keys& keys);

} // namespace ArchiveTree
