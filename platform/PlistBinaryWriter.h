#pragma once
// Writes the binary property-list format ("bplist00") ourselves. libplist
// 2.2's writer merges equal arrays, dictionaries and data depending on where
// they happen to lie in memory, so the same document gave different bytes
// from run to run. Here equal strings, numbers, UIDs and data are stored
// once and containers never shared: the same tree always gives the same
// bytes, and any binary property-list reader reads them.

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QStringView>
#include <vector>

namespace PlistBinaryWriter {

// The bytes of a libplist tree; empty for a null node or a tree nested
// deeper than 512 levels.
QByteArray write(void* root);

// Builds the object table of a binary property list without a libplist tree.
// Objects are numbered in the order they are given: a container when it is
// opened, a value when it is first met (equal values share one number). A
// dictionary gives each key and then that key's value, so a tree walked
// depth-first gives exactly the bytes write() gives for it.
class Stream {
public:
    Stream();

    int openArray();
    int openDictionary();
    // The references of an opened container: items, or keys then values.
    void close(int container, std::vector<int>&& refs);

    int boolean(bool value);
    int integer(qint64 value);
    int real(double value);
    int string(QStringView value); // stored up to the first NUL
    int data(QByteArrayView value);
    int uid(quint64 value);
    // A value given as its encoded bytes (as encodedString gives them).
    int encoded(const QByteArray& bytes);

    // The whole property list; its first object is the top one.
    QByteArray bytes() const;

    // The encoded bytes of a string value or key.
    static QByteArray encodedString(QStringView value);

private:
    struct Object {
        int kind = 0; // 0: value, 0xA: array, 0xD: dictionary
        QByteArray value;
        std::vector<int> refs; // dictionaries: keys, then values
    };
    int container(int kind);
    int lookup();                       // numbers the value in m_scratch
    int numbered(QByteArray&& encoded); // numbers a value held by its own bytes

    std::vector<Object> m_objects;
    QHash<QByteArray, int> m_values;
    QByteArray m_scratch;
};

} // namespace PlistBinaryWriter
