#include "platform/KeyedUnarchiver.h"

#include "platform/ArchiveClasses.h"
#include "platform/ArchiveColor.h"
#include "platform/ArchiveFontName.h"
#include "platform/ArchivePicture.h"
#include "platform/ArchiveVarint.h"
#include "platform/KeyedArchiver.h"
#include "platform/RectStrings.h"

#include <QHash>
#include <QtDebug>
#include <cmath>
#include <limits>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace {

constexpr qint64 kArchiveVersion = 100000;
constexpr int kMaxNesting = 64;
constexpr double kMaxFontSize = 10000.0;

void setReason(QString* reason, const QString& text) {
    if (reason) {
        *reason = text;
    }
}

struct Registry {
    std::mutex mutex;
    QHash<QString, KeyedClassRegistry::Factory> factories;
};

Registry& registry() {
    static Registry instance;
    return instance;
}

bool isOneOf(const QString& name, std::initializer_list<const char*> names) {
    for (const char* n : names) {
        if (name == QLatin1String(n)) {
            return true;
        }
    }
    return false;
}

} // namespace

void KeyedClassRegistry::registerClass(const QString& className, Factory factory) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    if (factory) {
        r.factories.insert(className, std::move(factory));
    } else {
        r.factories.remove(className);
    }
}

KeyedClassRegistry::Factory KeyedClassRegistry::factory(const QString& className) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    return r.factories.value(className);
}

namespace {

// The entries of one archived object, keys decoded once. An object is looked
// up key by key, so small ones are searched in order and larger ones through
// a hash made at the first look-up; either finds the first of equal keys, as
// libplist does.
class Fields {
public:
    explicit Fields(PlistView dictionary) : m_entries(dictionary.entries()) {}

    const std::vector<std::pair<QString, PlistView>>& entries() const { return m_entries; }

    PlistView find(const QString& key) const {
        if (m_entries.size() <= kLinear) {
            for (const auto& [name, value] : m_entries) {
                if (name == key) {
                    return value;
                }
            }
            return {};
        }
        if (m_index.isEmpty()) {
            m_index.reserve(static_cast<qsizetype>(m_entries.size()));
            for (size_t i = 0; i < m_entries.size(); ++i) {
                if (!m_index.contains(m_entries[i].first)) {
                    m_index.insert(m_entries[i].first, i);
                }
            }
        }
        const auto found = m_index.constFind(key);
        return found == m_index.constEnd() ? PlistView() : m_entries[*found].second;
    }

private:
    static constexpr size_t kLinear = 8;
    std::vector<std::pair<QString, PlistView>> m_entries;
    mutable QHash<QString, size_t> m_index;
};

} // namespace

struct KeyedUnarchiver::Impl {
    Plist plist;
    std::vector<PlistView> index; // the entries of "$objects"
    quint64 count = 0;
    quint64 root = 0;
    // The dictionaries among the entries, by node, read once when the
    // archive is checked.
    std::unordered_map<void*, Fields> fields;

    // A dictionary value; objects of the archive through their fields.
    PlistView field(PlistView dictionary, const QString& key) const {
        if (dictionary.type() != PlistType::Dictionary) {
            return {};
        }
        const auto found = fields.find(dictionary.node());
        return found != fields.end() ? found->second.find(key) : dictionary.value(key);
    }

    // Decoding state: the dictionaries of the objects being read, the object
    // references being followed (for cycles and depth), objects already built.
    mutable std::vector<PlistView> stack;
    mutable std::vector<quint64> following;
    mutable std::unordered_map<quint64, std::shared_ptr<KeyedArchivable>> built;
    mutable QString fatal; // a structural fault that spoils the whole archive

    // A UID, or the {"CF$UID": n} dictionary some writers use in its place.
    static std::optional<quint64> uidOf(PlistView v) {
        if (const auto uid = v.toUid()) {
            return uid;
        }
        if (v.type() == PlistType::Dictionary && v.count() == 1) {
            const auto n = v.value(QStringLiteral("CF$UID")).toInt64();
            if (n && *n >= 0) {
                return static_cast<quint64>(*n);
            }
        }
        return std::nullopt;
    }

    PlistView at(quint64 uid) const { return uid < count ? index[uid] : PlistView(); }

    // A value as stored in the current object, references followed once.
    PlistView raw(const QString& key) const {
        return stack.empty() ? PlistView() : field(stack.back(), key);
    }
    PlistView deref(PlistView v) const {
        if (const auto uid = uidOf(v)) {
            return *uid == 0 ? PlistView() : at(*uid);
        }
        return v;
    }
    static bool isNullRef(PlistView v) {
        const auto uid = uidOf(v);
        return uid && *uid == 0;
    }

    QString className(PlistView object) const {
        if (object.type() != PlistType::Dictionary) {
            return {};
        }
        const PlistView entry = deref(field(object, QStringLiteral("$class")));
        return field(entry, QStringLiteral("$classname")).toString().value_or(QString());
    }

    // Guards following a reference to an object that may hold further ones.
    class Follow {
    public:
        Follow(const Impl& impl, quint64 uid) : m_impl(impl) {
            if (!impl.fatal.isEmpty()) {
                return;
            }
            if (std::find(impl.following.begin(), impl.following.end(), uid) !=
                impl.following.end()) {
                impl.fatal = QStringLiteral("archive objects refer to each other in a cycle");
                return;
            }
            if (impl.following.size() >= kMaxNesting) {
                impl.fatal = QStringLiteral("archive objects nested deeper than 64");
                return;
            }
            impl.following.push_back(uid);
            m_ok = true;
        }
        ~Follow() {
            if (m_ok) {
                m_impl.following.pop_back();
            }
        }
        Follow(const Follow&) = delete;
        Follow& operator=(const Follow&) = delete;
        bool ok() const { return m_ok; }

    private:
        const Impl& m_impl;
        bool m_ok = false;
    };

    // Plain or wrapped ({"NS.string"}) strings.
    std::optional<QString> stringFrom(PlistView v) const {
        if (auto s = v.toString()) {
            return s;
        }
        return field(v, QStringLiteral("NS.string")).toString();
    }
    std::optional<QByteArray> dataFrom(PlistView v) const {
        if (auto bytes = v.toData()) {
            return bytes;
        }
        return field(v, QStringLiteral("NS.data")).toData();
    }
    std::optional<QByteArray> bytesFrom(PlistView v) const {
        if (auto bytes = dataFrom(v)) {
            return bytes;
        }
        if (auto s = v.toString()) {
            return s->toLatin1();
        }
        return std::nullopt;
    }
    std::optional<double> numberFrom(PlistView v) const {
        v = deref(v);
        if (auto r = v.toReal()) {
            return std::isfinite(*r) ? r : std::nullopt;
        }
        if (auto i = v.toInt64()) {
            return static_cast<double>(*i);
        }
        return std::nullopt;
    }

    // The items of an array object ("NS.objects") or of a plain array.
    std::vector<PlistView> arrayItems(PlistView v) const {
        const PlistView list =
            v.type() == PlistType::Array ? v : field(v, QStringLiteral("NS.objects"));
        return list.items();
    }

    // Colours and fonts are usually shared by many keys: each is read once.
    mutable std::unordered_map<void*, QColor> colors;
    mutable std::unordered_map<void*, std::optional<QFont>> fonts;

    QColor colorFrom(PlistView v) const {
        if (v.type() != PlistType::Dictionary) {
            return {};
        }
        const auto known = colors.find(v.node());
        if (known != colors.end()) {
            return known->second;
        }
        const QColor color = readColor(v);
        colors.emplace(v.node(), color);
        return color;
    }

    QColor readColor(PlistView v) const {
        const auto parts = [&](const QString& key) -> std::optional<std::vector<double>> {
            const auto bytes = bytesFrom(deref(field(v, key)));
            return bytes ? ArchiveColor::components(*bytes) : std::nullopt;
        };
        const auto space = deref(field(v, QStringLiteral("NSColorSpace"))).toInt64();
        QColor color;
        if (space && (*space == 1 || *space == 2)) {
            if (const auto c = parts(QStringLiteral("NSRGB"))) {
                color = ArchiveColor::fromRgb(*c);
            }
        } else if (space && (*space == 3 || *space == 4)) {
            if (const auto c = parts(QStringLiteral("NSWhite"))) {
                color = ArchiveColor::fromWhite(*c);
            }
        } else if (space && *space == 5) {
            if (const auto c = parts(QStringLiteral("NSCYMK"))) {
                color = ArchiveColor::fromCmyk(*c);
            }
        }
        if (!color.isValid()) {
            if (const auto c = parts(QStringLiteral("NSComponents"))) {
                color = ArchiveColor::fromComponents(*c);
            }
        }
        return color;
    }

    std::optional<QFont> fontFrom(PlistView v) const {
        if (v.type() != PlistType::Dictionary) {
            return std::nullopt;
        }
        const auto known = fonts.find(v.node());
        if (known != fonts.end()) {
            return known->second;
        }
        std::optional<QFont> font = readFont(v);
        fonts.emplace(v.node(), font);
        return font;
    }

    std::optional<QFont> readFont(PlistView v) const {
        const auto name = stringFrom(deref(field(v, QStringLiteral("NSName"))));
        const auto size = numberFrom(field(v, QStringLiteral("NSSize")));
        if (!name || name->trimmed().isEmpty() || !size || !(*size > 0) || *size > kMaxFontSize) {
            return std::nullopt;
        }
        ArchiveFontName::Face face = ArchiveFontName::parse(*name);
        if (const auto bold = deref(field(v, ArchiveClasses::kFontBoldKey)).toBool()) {
            face.bold = *bold;
        }
        if (const auto italic = deref(field(v, ArchiveClasses::kFontItalicKey)).toBool()) {
            face.italic = *italic;
        }
        QFont font = ArchiveFontName::font(face, *size);
        readFontEffects(v, font);
        return font;
    }

    // Our effect keys, each taken only when present and sound.
    void readFontEffects(PlistView v, QFont& font) const {
        const auto spacing = [this, v](const QString& key) -> std::optional<double> {
            const auto amount = numberFrom(field(v, key));
            if (!amount || !std::isfinite(*amount) ||
                std::fabs(*amount) > ArchiveClasses::kFontMaxSpacing) {
                return std::nullopt;
            }
            return amount;
        };
        if (const auto weight = numberFrom(field(v, ArchiveClasses::kFontWeightKey))) {
            if (*weight >= 1 && *weight <= 1000) {
                font.setWeight(QFont::Weight(int(*weight)));
            }
        }
        if (const auto style = stringFrom(deref(field(v, ArchiveClasses::kFontStyleNameKey)))) {
            if (!style->isEmpty()) {
                font.setStyleName(*style);
            }
        }
        if (const auto underline = deref(field(v, ArchiveClasses::kFontUnderlineKey)).toBool()) {
            font.setUnderline(*underline);
        }
        if (const auto strike = deref(field(v, ArchiveClasses::kFontStrikeOutKey)).toBool()) {
            font.setStrikeOut(*strike);
        }
        if (const auto amount = spacing(ArchiveClasses::kFontLetterSpacingKey)) {
            const auto type = numberFrom(field(v, ArchiveClasses::kFontLetterSpacingTypeKey));
            font.setLetterSpacing(
                type && *type == 1 ? QFont::AbsoluteSpacing : QFont::PercentageSpacing, *amount);
        }
        if (const auto amount = spacing(ArchiveClasses::kFontWordSpacingKey)) {
            font.setWordSpacing(*amount);
        }
    }

    // One attribute set: {"NS.keys": [...], "NS.objects": [...]}.
    SKTTextRun attributesFrom(PlistView v) const {
        SKTTextRun run{0, SKTStyledText::defaultFont(), SKTStyledText::defaultColor()};
        const std::vector<PlistView> keys = arrayItems(field(v, QStringLiteral("NS.keys")));
        const std::vector<PlistView> values = arrayItems(v);
        for (size_t i = 0; i < keys.size() && i < values.size(); ++i) {
            const QString key = stringFrom(deref(keys[i])).value_or(QString());
            if (key == QLatin1String("NSFont")) {
                if (const auto font = fontFrom(deref(values[i]))) {
                    run.font = *font;
                }
            } else if (key == QLatin1String("NSColor")) {
                const QColor color = colorFrom(deref(values[i]));
                if (color.isValid()) {
                    run.color = color;
                }
            }
        }
        return run;
    }

    std::optional<SKTStyledText> styledTextFrom(PlistView v) const {
        if (v.type() != PlistType::Dictionary) {
            return std::nullopt;
        }
        const PlistView stringValue = field(v, QStringLiteral("NSString"));
        const auto string = isNullRef(stringValue) ? std::optional<QString>(QString())
                                                   : stringFrom(deref(stringValue));
        if (!string) {
            return std::nullopt;
        }
        const QString& text = *string;
        const PlistView attributes = deref(field(v, QStringLiteral("NSAttributes")));
        SKTStyledText result(text);
        if (attributes.isNull()) {
            return result;
        }
        if (field(attributes, QStringLiteral("NS.keys")).isNull()) {
            // A list of attribute sets and a run table of (length, index) pairs.
            std::vector<SKTTextRun> sets;
            for (const PlistView& item : arrayItems(attributes)) {
                sets.push_back(attributesFrom(deref(item)));
            }
            if (sets.empty()) {
                return result;
            }
            const auto info = dataFrom(deref(field(v, QStringLiteral("NSAttributeInfo"))));
            std::vector<SKTTextRun> runs;
            bool ok = info.has_value();
            qsizetype pos = 0;
            quint64 total = 0;
            while (ok && info && pos < info->size()) {
                const auto length = ArchiveVarint::read(*info, pos);
                const auto index = ArchiveVarint::read(*info, pos);
                ok = length && index && *index < sets.size() &&
                     *length <= static_cast<quint64>(text.size()) - total;
                if (ok && *length > 0) {
                    total += *length;
                    SKTTextRun run = sets[*index];
                    run.length = static_cast<int>(*length);
                    runs.push_back(run);
                }
            }
            if (ok && !runs.empty() && result.assign(text, runs)) {
                return result;
            }
            qWarning("KeyedUnarchiver: styled text with a broken run table keeps its first "
                     "attributes");
            result.assign(text,
                          {SKTTextRun{int(text.size()), sets.front().font, sets.front().color}});
            return result;
        }
        const SKTTextRun run = attributesFrom(attributes);
        result.assign(text, {SKTTextRun{int(text.size()), run.font, run.color}});
        return result;
    }

    std::optional<CardPicture> pictureFrom(PlistView v) const {
        if (v.type() != PlistType::Dictionary) {
            return std::nullopt;
        }
        QSizeF points;
        if (const auto size = stringFrom(deref(field(v, QStringLiteral("NSSize"))))) {
            points = RectStrings::toSize(*size).value_or(QSizeF());
        }
        // The first representation that holds bitmap bytes: a bitmap object
        // with "NSTIFFRepresentation", a [n, object] pair or the data itself.
        for (const PlistView& item : arrayItems(deref(field(v, QStringLiteral("NSReps"))))) {
            PlistView rep = deref(item);
            const std::vector<PlistView> pair = arrayItems(rep);
            if (!pair.empty()) {
                rep = deref(pair.back());
            }
            auto bytes = dataFrom(rep);
            if (!bytes) {
                bytes = dataFrom(deref(field(rep, QStringLiteral("NSTIFFRepresentation"))));
            }
            if (!bytes) {
                continue;
            }
            QString reason;
            const CardPicture picture = ArchivePicture::fromImageData(*bytes, points, &reason);
            if (picture.isNull()) {
                qWarning("KeyedUnarchiver: %s", qPrintable(reason));
                return std::nullopt;
            }
            return picture;
        }
        return std::nullopt;
    }

    std::optional<QVariant> variantFrom(PlistView v) const {
        const auto uid = uidOf(v);
        if (uid && *uid == 0) {
            return QVariant();
        }
        if (!uid) {
            return plainVariant(v);
        }
        return variantAt(*uid);
    }

    std::optional<QVariant> variantAt(quint64 uid) const {
        if (uid == 0) {
            return QVariant();
        }
        Follow follow(*this, uid);
        if (!follow.ok()) {
            return std::nullopt;
        }
        return plainVariant(at(uid));
    }

    std::optional<QVariant> plainVariant(PlistView v) const {
        switch (v.type()) {
        case PlistType::Bool:
            return QVariant(*v.toBool());
        case PlistType::Integer: {
            const qint64 n = *v.toInt64();
            if (n >= std::numeric_limits<int>::min() && n <= std::numeric_limits<int>::max()) {
                return QVariant(static_cast<int>(n));
            }
            return QVariant(static_cast<qlonglong>(n));
        }
        case PlistType::Real: {
            const double r = *v.toReal();
            return std::isfinite(r) ? std::optional<QVariant>(QVariant(r)) : std::nullopt;
        }
        case PlistType::String:
            return QVariant(*v.toString());
        case PlistType::Data:
            return QVariant(*v.toData());
        case PlistType::Array: {
            QVariantList list;
            for (const PlistView& item : arrayItems(v)) {
                if (const auto value = variantFrom(item)) {
                    list.append(*value);
                }
            }
            return list;
        }
        case PlistType::Dictionary:
            return objectVariant(v);
        default:
            return std::nullopt;
        }
    }

    std::optional<QVariant> objectVariant(PlistView v) const {
        const QString name = className(v);
        if (isOneOf(name, {"NSArray", "NSMutableArray", "NSSet", "NSMutableSet"})) {
            return plainVariant(field(v, QStringLiteral("NS.objects")));
        }
        if (isOneOf(name, {"NSDictionary", "NSMutableDictionary"})) {
            const std::vector<PlistView> keys = arrayItems(field(v, QStringLiteral("NS.keys")));
            const std::vector<PlistView> values = arrayItems(v);
            QVariantMap map;
            for (size_t i = 0; i < keys.size() && i < values.size(); ++i) {
                const auto key = stringFrom(deref(keys[i]));
                const auto value = variantFrom(values[i]);
                if (key && value) {
                    map.insert(*key, *value);
                }
            }
            return map;
        }
        if (isOneOf(name, {"NSString", "NSMutableString"})) {
            if (const auto s = stringFrom(v)) {
                return QVariant(*s);
            }
        } else if (isOneOf(name, {"NSData", "NSMutableData"})) {
            if (const auto bytes = dataFrom(v)) {
                return QVariant(*bytes);
            }
        } else if (name == QLatin1String("NSColor")) {
            const QColor color = colorFrom(v);
            if (color.isValid()) {
                return QVariant(color);
            }
        } else if (name == QLatin1String("NSFont")) {
            if (const auto font = fontFrom(v)) {
                return QVariant(*font);
            }
        }
        return std::nullopt;
    }

    std::shared_ptr<KeyedArchivable> objectAt(quint64 uid, QString* reason) const {
        if (uid == 0 || !fatal.isEmpty()) {
            return nullptr;
        }
        const auto found = built.find(uid);
        if (found != built.end()) {
            return found->second;
        }
        const PlistView object = at(uid);
        const QString name = className(object);
        if (name.isEmpty()) {
            setReason(reason, QStringLiteral("archive object %1 has no class").arg(uid));
            return nullptr;
        }
        const KeyedClassRegistry::Factory factory = KeyedClassRegistry::factory(name);
        if (!factory) {
            setReason(reason, QStringLiteral("unknown class %1 in archive").arg(name));
            return nullptr;
        }
        Follow follow(*this, uid);
        if (!follow.ok()) {
            return nullptr;
        }
        stack.push_back(object);
        std::shared_ptr<KeyedArchivable> result;
        try {
            result = factory(*owner);
        } catch (const std::exception& e) {
            setReason(reason, QStringLiteral("%1 could not be read: %2").arg(name, e.what()));
        } catch (...) {
            setReason(reason, QStringLiteral("%1 could not be read").arg(name));
        }
        stack.pop_back();
        if (result) {
            built.emplace(uid, result);
        } else if (reason && reason->isEmpty()) {
            *reason = QStringLiteral("%1 could not be read").arg(name);
        }
        return result;
    }

    // Every reference anywhere in the objects must point into them, and
    // containers inside one object may not nest deeper than the limit.
    QString checkReferences() {
        std::vector<std::pair<PlistView, int>> pending;
        for (quint64 i = 0; i < count; ++i) {
            const PlistView object = at(i);
            if (object.type() == PlistType::Dictionary && !uidOf(object)) {
                const Fields& entries = fields.try_emplace(object.node(), object).first->second;
                for (const auto& entry : entries.entries()) {
                    pending.emplace_back(entry.second, 2);
                }
            } else {
                pending.emplace_back(object, 1);
            }
        }
        while (!pending.empty()) {
            const auto [v, depth] = pending.back();
            pending.pop_back();
            if (depth > kMaxNesting) {
                return QStringLiteral("archive values nested deeper than 64");
            }
            if (const auto uid = uidOf(v)) {
                if (*uid >= count) {
                    return QStringLiteral("archive refers to object %1 of %2").arg(*uid).arg(count);
                }
                continue;
            }
            if (v.type() == PlistType::Array) {
                for (const PlistView& item : v.items()) {
                    pending.emplace_back(item, depth + 1);
                }
            } else if (v.type() == PlistType::Dictionary) {
                for (const PlistView& value : v.values()) {
                    pending.emplace_back(value, depth + 1);
                }
            }
        }
        return {};
    }

    // The objects an object refers to (its class entry aside).
    std::vector<quint64> references(quint64 uid) const {
        std::vector<quint64> out;
        const PlistView object = at(uid);
        if (object.type() != PlistType::Dictionary) {
            return out;
        }
        std::vector<PlistView> pending;
        const auto found = fields.find(object.node());
        if (found != fields.end()) {
            for (const auto& [key, value] : found->second.entries()) {
                if (key != QLatin1String("$class")) {
                    pending.push_back(value);
                }
            }
        } else {
            for (const auto& [key, value] : object.entries()) {
                if (key != QLatin1String("$class")) {
                    pending.push_back(value);
                }
            }
        }
        while (!pending.empty()) {
            const PlistView v = pending.back();
            pending.pop_back();
            if (const auto ref = uidOf(v)) {
                if (*ref != 0) {
                    out.push_back(*ref);
                }
            } else if (v.type() == PlistType::Array) {
                for (const PlistView& item : v.items()) {
                    pending.push_back(item);
                }
            } else if (v.type() == PlistType::Dictionary) {
                for (const PlistView& value : v.values()) {
                    pending.push_back(value);
                }
            }
        }
        return out;
    }

    // The objects reachable from the root may not refer back to themselves
    // or nest deeper than the limit (strings, numbers and data do not count).
    QString checkGraph() const {
        enum : char { Unseen, Open, Done };
        std::vector<char> state(count, Unseen);
        std::vector<int> height(count, 0);
        struct Frame {
            quint64 uid;
            std::vector<quint64> refs;
            size_t next = 0;
        };
        std::vector<Frame> stack;
        stack.push_back(Frame{root, references(root)});
        state[root] = Open;
        while (!stack.empty()) {
            Frame& frame = stack.back();
            if (frame.next < frame.refs.size()) {
                const quint64 ref = frame.refs[frame.next++];
                if (state[ref] == Open) {
                    return QStringLiteral("archive objects refer to each other in a cycle");
                }
                if (state[ref] == Unseen) {
                    // Every object on the path but the last is a dictionary.
                    if (stack.size() > static_cast<size_t>(kMaxNesting)) {
                        return QStringLiteral("archive objects nested deeper than 64");
                    }
                    state[ref] = Open;
                    stack.push_back(Frame{ref, references(ref)});
                }
                continue;
            }
            int h = 0;
            for (quint64 ref : frame.refs) {
                h = std::max(h, height[ref]);
            }
            const bool isObject = at(frame.uid).type() == PlistType::Dictionary;
            height[frame.uid] = isObject ? h + 1 : h;
            if (height[frame.uid] > kMaxNesting) {
                return QStringLiteral("archive objects nested deeper than 64");
            }
            state[frame.uid] = Done;
            stack.pop_back();
        }
        return {};
    }

    const KeyedUnarchiver* owner = nullptr;
};

KeyedUnarchiver::KeyedUnarchiver() : d(std::make_unique<Impl>()) {
    d->owner = this;
}
KeyedUnarchiver::~KeyedUnarchiver() = default;

std::unique_ptr<KeyedUnarchiver> KeyedUnarchiver::fromData(const QByteArray& data,
                                                           QString* reason) {
    try {
        QString why;
        Plist plist = Plist::fromBytes(data, &why);
        if (plist.isNull()) {
            setReason(reason, QStringLiteral("not a keyed archive: %1").arg(why));
            return nullptr;
        }
        return fromPlist(std::move(plist), reason);
    } catch (const std::exception& e) {
        setReason(reason, QStringLiteral("the archive could not be read: %1").arg(e.what()));
        return nullptr;
    }
}

std::unique_ptr<KeyedUnarchiver> KeyedUnarchiver::fromPlist(Plist plist, QString* reason) {
    const PlistView top = plist.view();
    const auto fail = [&](const QString& text) {
        setReason(reason, QStringLiteral("not a keyed archive: %1").arg(text));
        return nullptr;
    };
    if (top.type() != PlistType::Dictionary) {
        return fail(QStringLiteral("the property list is not a dictionary"));
    }
    if (top.value(QStringLiteral("$archiver")).toString() != QStringLiteral("NSKeyedArchiver")) {
        return fail(QStringLiteral("\"$archiver\" is not \"NSKeyedArchiver\""));
    }
    if (top.value(QStringLiteral("$version")).toInt64() != kArchiveVersion) {
        return fail(QStringLiteral("\"$version\" is not 100000"));
    }
    const PlistView objects = top.value(QStringLiteral("$objects"));
    if (objects.type() != PlistType::Array || objects.count() < 1 ||
        objects.at(0).toString() != QStringLiteral("$null")) {
        return fail(QStringLiteral("\"$objects\" is not a list starting with \"$null\""));
    }
    const auto root = Impl::uidOf(top.value(QStringLiteral("$top")).value(QStringLiteral("root")));
    if (!root) {
        return fail(QStringLiteral("no root object"));
    }
    std::unique_ptr<KeyedUnarchiver> coder(new KeyedUnarchiver());
    Impl& impl = *coder->d;
    impl.index = objects.items();
    impl.count = impl.index.size();
    impl.fields.reserve(impl.index.size());
    impl.root = *root;
    if (impl.root >= impl.count) {
        return fail(QStringLiteral("the root object is out of range"));
    }
    QString fault = impl.checkReferences();
    if (fault.isEmpty()) {
        fault = impl.checkGraph();
    }
    if (!fault.isEmpty()) {
        return fail(fault);
    }
    impl.plist = std::move(plist);
    return coder;
}

QString KeyedUnarchiver::rootClassName() const {
    return d->className(d->at(d->root));
}

std::shared_ptr<KeyedArchivable> KeyedUnarchiver::decodeRootObject(QString* reason) const {
    d->built.clear();
    d->fatal.clear();
    d->stack.clear();
    d->following.clear();
    if (d->root == 0) {
        setReason(reason, QStringLiteral("the archive holds no object"));
        return nullptr;
    }
    QString why;
    std::shared_ptr<KeyedArchivable> root;
    try {
        root = d->objectAt(d->root, &why);
    } catch (const std::exception& e) {
        d->fatal = QStringLiteral("the archive could not be read: %1").arg(e.what());
    }
    if (!d->fatal.isEmpty()) {
        setReason(reason, d->fatal);
        d->built.clear();
        return nullptr;
    }
    if (!root) {
        setReason(reason,
                  why.isEmpty() ? QStringLiteral("the root object could not be read") : why);
    }
    return root;
}

std::optional<QVariant> KeyedUnarchiver::decodeRootValue(QString* reason) const {
    d->fatal.clear();
    d->stack.clear();
    d->following.clear();
    std::optional<QVariant> value;
    try {
        value = d->variantAt(d->root);
    } catch (const std::exception& e) {
        d->fatal = QStringLiteral("the archive could not be read: %1").arg(e.what());
    }
    if (!d->fatal.isEmpty() || !value) {
        setReason(reason, d->fatal.isEmpty()
                              ? QStringLiteral("the archive's root is no value we read")
                              : d->fatal);
        return std::nullopt;
    }
    return value;
}

bool KeyedUnarchiver::containsValueForKey(const QString& key) const {
    return !d->raw(key).isNull();
}

bool KeyedUnarchiver::isNullForKey(const QString& key) const {
    return Impl::isNullRef(d->raw(key));
}

std::optional<bool> KeyedUnarchiver::decodeBool(const QString& key) const {
    const PlistView v = d->deref(d->raw(key));
    if (const auto b = v.toBool()) {
        return b;
    }
    if (const auto i = v.toInt64()) {
        return *i != 0;
    }
    return std::nullopt;
}

std::optional<qint64> KeyedUnarchiver::decodeInt64(const QString& key) const {
    const PlistView v = d->deref(d->raw(key));
    if (const auto i = v.toInt64()) {
        return i;
    }
    if (const auto r = v.toReal()) {
        // 2^63 itself does not fit; everything below it that is whole does.
        if (std::isfinite(*r) && std::trunc(*r) == *r && *r >= -9223372036854775808.0 &&
            *r < 9223372036854775808.0) {
            return static_cast<qint64>(*r);
        }
    }
    return std::nullopt;
}

std::optional<qint32> KeyedUnarchiver::decodeInt32(const QString& key) const {
    const auto v = decodeInt64(key);
    if (!v || *v < std::numeric_limits<qint32>::min() || *v > std::numeric_limits<qint32>::max()) {
        return std::nullopt;
    }
    return static_cast<qint32>(*v);
}

std::optional<double> KeyedUnarchiver::decodeDouble(const QString& key) const {
    return d->numberFrom(d->raw(key));
}

std::optional<float> KeyedUnarchiver::decodeFloat(const QString& key) const {
    const auto v = decodeDouble(key);
    if (!v || std::abs(*v) > std::numeric_limits<float>::max()) {
        return std::nullopt;
    }
    return static_cast<float>(*v);
}

std::optional<QRectF> KeyedUnarchiver::decodeRect(const QString& key) const {
    const auto s = d->stringFrom(d->deref(d->raw(key)));
    return s ? RectStrings::toRect(*s) : std::nullopt;
}

std::optional<QPointF> KeyedUnarchiver::decodePoint(const QString& key) const {
    const auto s = d->stringFrom(d->deref(d->raw(key)));
    return s ? RectStrings::toPoint(*s) : std::nullopt;
}

std::optional<QSizeF> KeyedUnarchiver::decodeSize(const QString& key) const {
    const auto s = d->stringFrom(d->deref(d->raw(key)));
    return s ? RectStrings::toSize(*s) : std::nullopt;
}

std::optional<QString> KeyedUnarchiver::decodeString(const QString& key) const {
    const PlistView v = d->raw(key);
    if (Impl::isNullRef(v)) {
        return QString();
    }
    return d->stringFrom(d->deref(v));
}

std::optional<QByteArray> KeyedUnarchiver::decodeData(const QString& key) const {
    const PlistView v = d->raw(key);
    if (Impl::isNullRef(v)) {
        return QByteArray();
    }
    return d->dataFrom(d->deref(v));
}

std::optional<QColor> KeyedUnarchiver::decodeColor(const QString& key) const {
    const PlistView v = d->raw(key);
    if (Impl::isNullRef(v)) {
        return QColor();
    }
    const QColor color = d->colorFrom(d->deref(v));
    return color.isValid() ? std::optional<QColor>(color) : std::nullopt;
}

std::optional<QFont> KeyedUnarchiver::decodeFont(const QString& key) const {
    return d->fontFrom(d->deref(d->raw(key)));
}

std::optional<SKTStyledText> KeyedUnarchiver::decodeStyledText(const QString& key) const {
    const PlistView v = d->raw(key);
    if (Impl::isNullRef(v)) {
        return SKTStyledText();
    }
    return d->styledTextFrom(d->deref(v));
}

std::optional<CardPicture> KeyedUnarchiver::decodePicture(const QString& key) const {
    const PlistView v = d->raw(key);
    if (Impl::isNullRef(v)) {
        return CardPicture();
    }
    return d->pictureFrom(d->deref(v));
}

std::shared_ptr<KeyedArchivable> KeyedUnarchiver::decodeObject(const QString& key) const {
    const auto uid = Impl::uidOf(d->raw(key));
    if (!uid || *uid == 0) {
        return nullptr;
    }
    QString reason;
    std::shared_ptr<KeyedArchivable> object = d->objectAt(*uid, &reason);
    if (!object && !reason.isEmpty()) {
        qWarning("KeyedUnarchiver: %s", qPrintable(reason));
    }
    return object;
}

std::optional<QVariant> KeyedUnarchiver::decodeValue(const QString& key) const {
    const PlistView v = d->raw(key);
    if (v.isNull()) {
        return std::nullopt;
    }
    return d->variantFrom(v);
}
