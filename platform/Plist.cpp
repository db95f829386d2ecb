#include "platform/Plist.h"

#include "platform/PendingFile.h"

#include "platform/PlistBinaryCheck.h"
#include "platform/PlistBinaryWriter.h"
#include "platform/PlistCompat.h"

#include <QFile>
#include <plist/plist.h>
#include <vector>

namespace {

constexpr qsizetype kMaxBytes = 64 * 1024 * 1024;
// Deep enough for any document we write, shallow enough that walking a
// hostile one cannot exhaust the stack.
constexpr int kMaxDepth = 512;
// Values after libplist has copied every shared object of a binary file.
constexpr qint64 kMaxNodes = 8 * 1024 * 1024;

// Nesting depth of the XML containers, counted on the bytes before libplist
// (which parses recursively) sees them. Self-closing "<dict/>" does not nest.
bool xmlNestingWithin(const QByteArray& bytes, int limit) {
    int depth = 0;
    const char* p = bytes.constData();
    const char* end = p + bytes.size();
    for (; p < end; ++p) {
        if (*p != '<') {
            continue;
        }
        const qsizetype rest = end - p;
        const bool close = rest > 1 && p[1] == '/';
        const char* name = p + (close ? 2 : 1);
        const qsizetype left = end - name;
        qsizetype nameLength = 0;
        if (left >= 4 && std::equal(name, name + 4, "dict")) {
            nameLength = 4;
        } else if (left >= 5 && std::equal(name, name + 5, "array")) {
            nameLength = 5;
        } else {
            continue;
        }
        const char* q = name + nameLength;
        while (q < end && *q != '>') {
            ++q;
        }
        if (close) {
            --depth;
        } else if (!(q > name && q[-1] == '/')) {
            if (++depth > limit) {
                return false;
            }
        }
    }
    return true;
}

// Depth of a parsed tree, walked without recursion.
bool treeWithin(void* root, int limit) {
    std::vector<std::pair<void*, int>> pending{{root, 1}};
    while (!pending.empty()) {
        auto [node, depth] = pending.back();
        pending.pop_back();
        if (depth > limit) {
            return false;
        }
        const plist_type type = plist_get_node_type(node);
        if (type == PLIST_ARRAY) {
            for (void* item : plistcompat::arrayItems(node)) {
                pending.emplace_back(item, depth + 1);
            }
        } else if (type == PLIST_DICT) {
            for (void* value : plistcompat::dictValues(node)) {
                pending.emplace_back(value, depth + 1);
            }
        }
    }
    return true;
}

void setReason(QString* reason, const QString& text) {
    if (reason) {
        *reason = text;
    }
}

} // namespace

// ---- PlistView ----

PlistType PlistView::type() const {
    if (!m_node) {
        return PlistType::None;
    }
    switch (plist_get_node_type(m_node)) {
    case PLIST_BOOLEAN:
        return PlistType::Bool;
    case PLIST_REAL:
        return PlistType::Real;
    case PLIST_STRING:
        return PlistType::String;
    case PLIST_ARRAY:
        return PlistType::Array;
    case PLIST_DICT:
        return PlistType::Dictionary;
    case PLIST_DATE:
        return PlistType::Date;
    case PLIST_DATA:
        return PlistType::Data;
    case PLIST_UID:
        return PlistType::Uid;
    default:
        return plistcompat::isInteger(m_node) ? PlistType::Integer : PlistType::None;
    }
}

std::optional<bool> PlistView::toBool() const {
    if (type() != PlistType::Bool) {
        return std::nullopt;
    }
    uint8_t value = 0;
    plist_get_bool_val(m_node, &value);
    return value != 0;
}

std::optional<qint64> PlistView::toInt64() const {
    return plistcompat::integerValue(m_node);
}

std::optional<double> PlistView::toReal() const {
    if (type() != PlistType::Real) {
        return std::nullopt;
    }
    double value = 0;
    plist_get_real_val(m_node, &value);
    return value;
}

std::optional<QString> PlistView::toString() const {
    if (type() != PlistType::String) {
        return std::nullopt;
    }
    uint64_t length = 0;
    const char* text = plist_get_string_ptr(m_node, &length);
    if (!text) {
        return QString();
    }
    return QString::fromUtf8(text, static_cast<qsizetype>(length));
}

std::optional<QByteArray> PlistView::toData() const {
    if (type() != PlistType::Data) {
        return std::nullopt;
    }
    uint64_t length = 0;
    const char* bytes = plist_get_data_ptr(m_node, &length);
    if (!bytes || length == 0) {
        return QByteArray();
    }
    return QByteArray(bytes, static_cast<qsizetype>(length));
}

std::optional<quint64> PlistView::toUid() const {
    if (type() != PlistType::Uid) {
        return std::nullopt;
    }
    uint64_t value = 0;
    plist_get_uid_val(m_node, &value);
    return value;
}

int PlistView::count() const {
    switch (type()) {
    case PlistType::Array:
        return static_cast<int>(plist_array_get_size(m_node));
    case PlistType::Dictionary:
        return static_cast<int>(plist_dict_get_size(m_node));
    default:
        return 0;
    }
}

PlistView PlistView::at(int index) const {
    if (type() != PlistType::Array || index < 0 || index >= count()) {
        return {};
    }
    return PlistView(plist_array_get_item(m_node, static_cast<uint32_t>(index)));
}

PlistView PlistView::value(const QString& key) const {
    if (type() != PlistType::Dictionary) {
        return {};
    }
    // ASCII keys (nearly all) are converted on the stack.
    char ascii[64];
    if (key.size() < qsizetype(sizeof ascii)) {
        qsizetype i = 0;
        for (; i < key.size() && key[i].unicode() < 0x80; ++i) {
            ascii[i] = static_cast<char>(key[i].unicode());
        }
        if (i == key.size()) {
            ascii[i] = '\0';
            return PlistView(plist_dict_get_item(m_node, ascii));
        }
    }
    return PlistView(plist_dict_get_item(m_node, key.toUtf8().constData()));
}

QStringList PlistView::keys() const {
    QStringList result;
    if (type() == PlistType::Dictionary) {
        plistcompat::forEachEntry(
            m_node, [&](QByteArrayView key, void*) { result.append(QString::fromUtf8(key)); });
    }
    return result;
}

std::vector<PlistView> PlistView::items() const {
    std::vector<PlistView> result;
    for (void* item : plistcompat::arrayItems(m_node)) {
        result.emplace_back(item);
    }
    return result;
}

std::vector<std::pair<QString, PlistView>> PlistView::entries() const {
    std::vector<std::pair<QString, PlistView>> result;
    if (type() == PlistType::Dictionary) {
        result.reserve(plist_dict_get_size(m_node));
        plistcompat::forEachEntry(m_node, [&](QByteArrayView key, void* value) {
            result.emplace_back(QString::fromUtf8(key), PlistView(value));
        });
    }
    return result;
}

std::vector<PlistView> PlistView::values() const {
    std::vector<PlistView> result;
    for (void* value : plistcompat::dictValues(m_node)) {
        result.emplace_back(value);
    }
    return result;
}

Plist PlistView::clone() const {
    return m_node ? Plist::adopt(plist_copy(m_node)) : Plist();
}

// ---- Plist ----

Plist::~Plist() {
    if (m_node) {
        plist_free(m_node);
    }
}

Plist::Plist(Plist&& other) noexcept : m_node(other.release()) {}

Plist& Plist::operator=(Plist&& other) noexcept {
    if (this != &other) {
        if (m_node) {
            plist_free(m_node);
        }
        m_node = other.release();
    }
    return *this;
}

Plist Plist::adopt(void* node) {
    Plist plist;
    plist.m_node = node;
    return plist;
}

void* Plist::release() {
    void* node = m_node;
    m_node = nullptr;
    return node;
}

Plist Plist::boolean(bool value) {
    return adopt(plist_new_bool(value ? 1 : 0));
}
Plist Plist::integer(qint64 value) {
    return adopt(plistcompat::newInteger(value));
}
Plist Plist::real(double value) {
    return adopt(plist_new_real(value));
}
Plist Plist::string(const QString& value) {
    return adopt(plist_new_string(value.toUtf8().constData()));
}
Plist Plist::data(const QByteArray& value) {
    return adopt(plist_new_data(value.constData(), static_cast<uint64_t>(value.size())));
}
Plist Plist::uid(quint64 value) {
    return adopt(plist_new_uid(value));
}
Plist Plist::array() {
    return adopt(plist_new_array());
}
Plist Plist::dictionary() {
    return adopt(plist_new_dict());
}

Plist Plist::fromBytes(const QByteArray& bytes, QString* reason) {
    if (bytes.size() > kMaxBytes) {
        setReason(reason, QStringLiteral("property list larger than 64 MiB"));
        return {};
    }
    const bool binary = bytes.startsWith("bplist00");
    if (!binary && !xmlNestingWithin(bytes, kMaxDepth)) {
        setReason(reason, QStringLiteral("property list nested too deeply"));
        return {};
    }
    if (binary) {
        const QString problem = PlistBinaryCheck::problem(bytes, {kMaxDepth, kMaxNodes});
        if (!problem.isEmpty()) {
            setReason(reason, problem);
            return {};
        }
    }
    Plist plist = adopt(plistcompat::parse(bytes));
    if (plist.isNull()) {
        setReason(reason, QStringLiteral("not a property list"));
        return {};
    }
    if (!treeWithin(plist.node(), kMaxDepth)) {
        setReason(reason, QStringLiteral("property list nested too deeply"));
        return {};
    }
    return plist;
}

Plist Plist::fromFile(const QString& path, QString* reason) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setReason(reason, QStringLiteral("cannot open %1: %2").arg(path, file.errorString()));
        return {};
    }
    if (file.size() > kMaxBytes) {
        setReason(reason, QStringLiteral("property list larger than 64 MiB"));
        return {};
    }
    return fromBytes(file.read(kMaxBytes + 1), reason);
}

QByteArray Plist::toBytes(PlistFormat format) const {
    return format == PlistFormat::Xml ? plistcompat::toXml(m_node)
                                      : PlistBinaryWriter::write(m_node);
}

bool Plist::writeToFile(const QString& path, PlistFormat format, QString* reason) const {
    if (!m_node) {
        setReason(reason, QStringLiteral("nothing to write"));
        return false;
    }
    const QByteArray bytes = toBytes(format);
    if (bytes.isEmpty()) {
        setReason(reason, QStringLiteral("the property list could not be serialised"));
        return false;
    }
    return Write_File_Whole(path, bytes, reason);
}

void Plist::append(Plist&& item) {
    if (type() == PlistType::Array && !item.isNull()) {
        plist_array_append_item(m_node, item.release());
    }
}

void Plist::insert(const QString& key, Plist&& value) {
    if (type() == PlistType::Dictionary && !value.isNull()) {
        plist_dict_set_item(m_node, key.toUtf8().constData(), value.release());
    }
}
