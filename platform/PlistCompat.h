#pragma once
// The few libplist calls whose form changed between libplist 2.2 (Debian 12)
// and later releases: integers (2.2 has only an unsigned integer node that
// carries signed 64-bit values as their bit pattern), parsing from memory,
// exporting, and freeing what libplist allocated. Everything else in Plist.cpp
// uses calls that are the same in every 2.x release.

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>
#include <optional>
#include <vector>

namespace plistcompat {

using Node = void*;

Node newInteger(std::int64_t value);
bool isInteger(Node node);
std::optional<std::int64_t> integerValue(Node node);

// Parses XML or binary bytes; nullptr when libplist cannot read them. Binary
// output is our own (PlistBinaryWriter).
Node parse(const QByteArray& bytes);
QByteArray toXml(Node node);

// Every item of an array in order. libplist 2.2 finds item n of a parsed
// array by walking the list, so loops use this instead of index access.
std::vector<Node> arrayItems(Node array);

// Every value of a dictionary in order, without copying the keys.
std::vector<Node> dictValues(Node dict);

// Calls f(key, value) for every dictionary entry in order; the key (UTF-8)
// lives only for the call.
template <typename F> void forEachEntry(Node dict, F f);
void* newDictIterator(Node dict);
// The next entry; the key is allocated by libplist and freed with freeKey.
bool nextDictEntry(Node dict, void* iterator, char*& key, Node& value);
void freeKey(char* key);
void freeDictIterator(void* iterator);

template <typename F> void forEachEntry(Node dict, F f) {
    struct Iterator {
        void* it;
        ~Iterator() { freeDictIterator(it); }
    } iterator{newDictIterator(dict)};
    if (!iterator.it) {
        return;
    }
    struct Key {
        char* text = nullptr;
        ~Key() { freeKey(text); }
    };
    for (;;) {
        Key key;
        Node value = nullptr;
        if (!nextDictEntry(dict, iterator.it, key.text, value)) {
            return;
        }
        f(QByteArrayView(key.text ? key.text : ""), value);
    }
}

} // namespace plistcompat
