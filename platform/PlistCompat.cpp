#include "platform/PlistCompat.h"

#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <plist/plist.h>

namespace plistcompat {
namespace {

// libplist reads and writes XML reals with the C library's number functions,
// which follow LC_NUMERIC. Switch this thread to the "C" locale meanwhile so
// "1.5" never reads as 1 under a comma-decimal locale.
class CNumericLocale {
public:
    CNumericLocale() {
        m_c = newlocale(LC_ALL_MASK, "C", nullptr);
        if (m_c) {
            m_old = uselocale(m_c);
        }
    }
    ~CNumericLocale() {
        if (m_c) {
            uselocale(m_old);
            freelocale(m_c);
        }
    }
    CNumericLocale(const CNumericLocale&) = delete;
    CNumericLocale& operator=(const CNumericLocale&) = delete;

private:
    locale_t m_c = nullptr;
    locale_t m_old = nullptr;
};

} // namespace

Node newInteger(std::int64_t value) {
    // 2.2 keeps the bit pattern; the binary writer stores values with the top
    // bit set as 8-byte integers, which every reader takes as signed.
    return plist_new_uint(static_cast<uint64_t>(value));
}

bool isInteger(Node node) {
    return node && plist_get_node_type(node) == PLIST_UINT;
}

std::optional<std::int64_t> integerValue(Node node) {
    if (!isInteger(node)) {
        return std::nullopt;
    }
    uint64_t value = 0;
    plist_get_uint_val(node, &value);
    return static_cast<std::int64_t>(value);
}

Node parse(const QByteArray& bytes) {
    if (bytes.isEmpty()) {
        return nullptr;
    }
    CNumericLocale c;
    plist_t node = nullptr;
    plist_from_memory(bytes.constData(), static_cast<uint32_t>(bytes.size()), &node);
    return node;
}

QByteArray toXml(Node node) {
    if (!node) {
        return {};
    }
    CNumericLocale c;
    char* out = nullptr;
    uint32_t length = 0;
    plist_to_xml(node, &out, &length);
    QByteArray result(out, static_cast<qsizetype>(out ? length : 0));
    plist_to_xml_free(out);
    return result;
}

std::vector<Node> arrayItems(Node array) {
    std::vector<Node> items;
    if (!array || plist_get_node_type(array) != PLIST_ARRAY) {
        return items;
    }
    items.reserve(plist_array_get_size(array));
    plist_array_iter it = nullptr;
    plist_array_new_iter(array, &it);
    if (!it) {
        return items;
    }
    plist_t item = nullptr;
    do {
        item = nullptr;
        plist_array_next_item(array, it, &item);
        if (item) {
            items.push_back(item);
        }
    } while (item);
    std::free(it); // 2.2 has no call to free array iterators
    return items;
}

std::vector<Node> dictValues(Node dict) {
    std::vector<Node> values;
    if (!dict || plist_get_node_type(dict) != PLIST_DICT) {
        return values;
    }
    values.reserve(plist_dict_get_size(dict));
    plist_dict_iter it = nullptr;
    plist_dict_new_iter(dict, &it);
    if (!it) {
        return values;
    }
    plist_t value = nullptr;
    do {
        value = nullptr;
        plist_dict_next_item(dict, it, nullptr, &value);
        if (value) {
            values.push_back(value);
        }
    } while (value);
    std::free(it);
    return values;
}

void* newDictIterator(Node dict) {
    plist_dict_iter it = nullptr;
    plist_dict_new_iter(dict, &it);
    return it;
}

bool nextDictEntry(Node dict, void* iterator, char*& key, Node& value) {
    key = nullptr;
    plist_t v = nullptr;
    plist_dict_next_item(dict, iterator, &key, &v);
    if (!v) {
        std::free(key);
        key = nullptr;
        return false;
    }
    value = v;
    return true;
}

void freeKey(char* key) {
    std::free(key);
}

// 2.2 allocates dictionary iterators with malloc and has no call to free them.
void freeDictIterator(void* iterator) {
    std::free(iterator);
}

} // namespace plistcompat
