#include "platform/KeyedArchiver.h"

#include "platform/ArchiveClasses.h"
#include "platform/ArchiveColor.h"
#include "platform/ArchivePicture.h"
#include "platform/ArchiveTree.h"
#include "platform/ArchiveVarint.h"
#include "platform/RectStrings.h"

#include <QHash>
#include <QtDebug>
#include <vector>

using ArchiveTree::Value;

namespace {

constexpr qint64 kArchiveVersion = 100000;

double fontSize(const QFont& font) {
    if (font.pointSizeF() > 0) {
        return font.pointSizeF();
    }
    return font.pixelSize() > 0 ? font.pixelSize() : 12.0;
}

// Whether the letter spacing differs from the plain font's (0 or 100 per
// cent both mean none).
bool hasLetterSpacing(const QFont& font) {
    return font.letterSpacingType() == QFont::AbsoluteSpacing
               ? font.letterSpacing() != 0
               : font.letterSpacing() != 0 && font.letterSpacing() != 100;
}

// The weight is written when the bold flag does not give it.
bool hasOwnWeight(const QFont& font) {
    return font.weight() != QFont::Normal && font.weight() != QFont::Bold;
}

QString fontKey(const QFont& font) {
    return font.family() + u'\n' + RectStrings::number(fontSize(font)) + u'\n' +
           QString::number(int(font.bold())) + QString::number(int(font.italic())) + u'\n' +
           QString::number(int(font.weight())) + u'\n' + font.styleName() + u'\n' +
           QString::number(int(font.underline())) + QString::number(int(font.strikeOut())) + u'\n' +
           QString::number(int(font.letterSpacingType())) + u' ' +
           RectStrings::number(font.letterSpacing()) + u' ' +
           RectStrings::number(font.wordSpacing());
}

} // namespace

struct KeyedArchiver::Impl {
    // An object being written: its dictionary and the keys it has so far.
    struct Frame {
        Value dictionary = Value::dictionary();
        std::vector<bool> written; // by key number
    };

    std::vector<Value> objects;
    ArchiveTree::Keys keys;
    QHash<QString, quint64> strings;
    QHash<QString, quint64> classes;
    QHash<QByteArray, quint64> colors;
    QHash<QString, quint64> fonts;
    QHash<const KeyedArchivable*, quint64> archived;
    std::vector<Frame> stack; // the objects being written
    quint64 reserved = 0;     // index of the object object() is filling, read first

    Impl() { objects.push_back(Value::text(QStringLiteral("$null"))); }

    quint64 add(Value&& item) {
        objects.push_back(std::move(item));
        return objects.size() - 1;
    }

    // A key written twice in one object keeps its place and the later value.
    static void set(Frame& frame, int id, Value&& value) {
        const size_t k = static_cast<size_t>(id);
        if (frame.written.size() <= k) {
            frame.written.resize(k + 1, false);
        }
        Value& dictionary = frame.dictionary;
        if (frame.written[k]) {
            for (size_t i = 0; i < dictionary.keys.size(); ++i) {
                if (dictionary.keys[i] == id) {
                    dictionary.items[i] = std::move(value);
                    return;
                }
            }
        }
        frame.written[k] = true;
        dictionary.keys.push_back(id);
        dictionary.items.push_back(std::move(value));
    }

    void put(const QString& key, Value&& value) {
        if (stack.empty()) {
            qWarning("KeyedArchiver: value for key %s written outside an object", qPrintable(key));
            return;
        }
        set(stack.back(), keys.id(key), std::move(value));
    }

    static Value dictionaryOf(ArchiveTree::Keys& keys,
                              std::initializer_list<std::pair<QString, Value*>> entries) {
        Frame frame;
        for (const auto& [key, value] : entries) {
            set(frame, keys.id(key), std::move(*value));
        }
        return std::move(frame.dictionary);
    }

    quint64 classUid(const QStringList& chain) {
        const QString name = chain.value(0, QStringLiteral("NSObject"));
        const auto found = classes.constFind(name);
        if (found != classes.constEnd()) {
            return *found;
        }
        Value names = Value::array();
        for (const QString& c : chain) {
            names.items.push_back(Value::text(c));
        }
        if (chain.isEmpty() || chain.last() != QLatin1String("NSObject")) {
            names.items.push_back(Value::text(QStringLiteral("NSObject")));
        }
        Value className = Value::text(name);
        const quint64 uid = add(dictionaryOf(keys, {{QStringLiteral("$classes"), &names},
                                                    {QStringLiteral("$classname"), &className}}));
        classes.insert(name, uid);
        return uid;
    }

    // Writes one object: its dictionary gets "$class" and whatever fill puts
    // in (through put, or the public encoders).
    template <typename Fill> quint64 object(const QStringList& chain, Fill fill) {
        const quint64 uid = add(Value());
        reserved = uid;
        stack.emplace_back();
        stack.back().dictionary.items.reserve(8);
        set(stack.back(), keys.id(QStringLiteral("$class")), Value::uid(classUid(chain)));
        fill();
        objects[uid] = std::move(stack.back().dictionary);
        stack.pop_back();
        return uid;
    }

    quint64 stringUid(const QString& value) {
        if (value.isNull()) {
            return 0;
        }
        const auto found = strings.constFind(value);
        if (found != strings.constEnd()) {
            return *found;
        }
        const quint64 uid = add(Value::text(value));
        strings.insert(value, uid);
        return uid;
    }

    static Value uidArray(const std::vector<quint64>& uids) {
        Value list = Value::array();
        list.items.reserve(uids.size());
        for (quint64 u : uids) {
            list.items.push_back(Value::uid(u));
        }
        return list;
    }

    quint64 uidList(const QStringList& chain, const QString& key,
                    const std::vector<quint64>& uids) {
        return object(chain, [&] { put(key, uidArray(uids)); });
    }

    quint64 dictionaryUid(const std::vector<quint64>& keyUids, const std::vector<quint64>& values) {
        return object(ArchiveClasses::dictionaryChain(), [&] {
            put(QStringLiteral("NS.keys"), uidArray(keyUids));
            put(QStringLiteral("NS.objects"), uidArray(values));
        });
    }

    quint64 colorUid(const QColor& color) {
        if (!color.isValid()) {
            return 0;
        }
        const QByteArray text = ArchiveColor::rgbText(color);
        const auto found = colors.constFind(text);
        if (found != colors.constEnd()) {
            return *found;
        }
        const quint64 uid = object(ArchiveClasses::colorChain(), [&] {
            put(QStringLiteral("NSColorSpace"), Value::number(1));
            put(QStringLiteral("NSRGB"), Value::bytes(text));
        });
        colors.insert(text, uid);
        return uid;
    }

    quint64 fontUid(const QFont& font) {
        const QString key = fontKey(font);
        const auto found = fonts.constFind(key);
        if (found != fonts.constEnd()) {
            return *found;
        }
        const quint64 uid = object(ArchiveClasses::fontChain(), [&] {
            put(QStringLiteral("NSName"), Value::uid(stringUid(font.family())));
            put(QStringLiteral("NSSize"), Value::floating(fontSize(font)));
            if (font.bold() || font.italic()) {
                put(ArchiveClasses::kFontBoldKey, Value::boolean(font.bold()));
                put(ArchiveClasses::kFontItalicKey, Value::boolean(font.italic()));
            }
            if (hasOwnWeight(font)) {
                put(ArchiveClasses::kFontWeightKey, Value::number(int(font.weight())));
            }
            if (!font.styleName().isEmpty()) {
                put(ArchiveClasses::kFontStyleNameKey, Value::uid(stringUid(font.styleName())));
            }
            if (font.underline()) {
                put(ArchiveClasses::kFontUnderlineKey, Value::boolean(true));
            }
            if (font.strikeOut()) {
                put(ArchiveClasses::kFontStrikeOutKey, Value::boolean(true));
            }
            if (hasLetterSpacing(font)) {
                put(ArchiveClasses::kFontLetterSpacingTypeKey,
                    Value::number(font.letterSpacingType() == QFont::AbsoluteSpacing ? 1 : 0));
                put(ArchiveClasses::kFontLetterSpacingKey, Value::floating(font.letterSpacing()));
            }
            if (font.wordSpacing() != 0) {
                put(ArchiveClasses::kFontWordSpacingKey, Value::floating(font.wordSpacing()));
            }
        });
        fonts.insert(key, uid);
        return uid;
    }

    quint64 attributesUid(const SKTTextRun& run) {
        std::vector<quint64> keyUids{stringUid(QStringLiteral("NSFont"))};
        std::vector<quint64> values{fontUid(run.font)};
        if (run.color.isValid()) {
            keyUids.push_back(stringUid(QStringLiteral("NSColor")));
            values.push_back(colorUid(run.color));
        }
        return dictionaryUid(keyUids, values);
    }

    quint64 styledTextUid(const SKTStyledText& text) {
        const std::vector<SKTTextRun>& runs = text.runs();
        return object(ArchiveClasses::textStorageChain(), [&] {
            // An empty text is stored as "", never as $null.
            const QString string = text.string().isNull() ? QStringLiteral("") : text.string();
            put(QStringLiteral("NSString"), Value::uid(stringUid(string)));
            if (runs.size() == 1) {
                put(QStringLiteral("NSAttributes"), Value::uid(attributesUid(runs.front())));
                return;
            }
            // Distinct attribute sets once each; the run table refers to them.
            std::vector<const SKTTextRun*> distinct;
            QByteArray info;
            for (const SKTTextRun& run : runs) {
                size_t index = 0;
                while (index < distinct.size() && !(distinct[index]->font == run.font &&
                                                    distinct[index]->color == run.color)) {
                    ++index;
                }
                if (index == distinct.size()) {
                    distinct.push_back(&run);
                }
                ArchiveVarint::append(info, static_cast<quint64>(run.length));
                ArchiveVarint::append(info, index);
            }
            std::vector<quint64> sets;
            for (const SKTTextRun* run : distinct) {
                sets.push_back(attributesUid(*run));
            }
            put(QStringLiteral("NSAttributes"),
                Value::uid(
                    uidList(ArchiveClasses::arrayChain(), QStringLiteral("NS.objects"), sets)));
            put(QStringLiteral("NSAttributeInfo"), Value::uid(add(Value::bytes(info))));
        });
    }

    quint64 pictureUid(const CardPicture& picture) {
        if (picture.isNull()) {
            return 0;
        }
        QString reason;
        const QByteArray tiff = ArchivePicture::tiffData(picture, &reason);
        if (tiff.isEmpty()) {
            qWarning("KeyedArchiver: picture not archived: %s", qPrintable(reason));
            return 0;
        }
        return object(ArchiveClasses::imageChain(), [&] {
            put(QStringLiteral("NSSize"), Value::text(RectStrings::fromSize(picture.size())));
            const quint64 rep = object(ArchiveClasses::bitmapChain(), [&] {
                put(QStringLiteral("NSTIFFRepresentation"), Value::uid(add(Value::bytes(tiff))));
            });
            put(QStringLiteral("NSReps"), Value::uid(uidList(ArchiveClasses::arrayChain(),
                                                             QStringLiteral("NS.objects"), {rep})));
        });
    }

    quint64 archivableUid(KeyedArchiver& coder, const KeyedArchivable* value) {
        if (!value) {
            return 0;
        }
        // The same object written twice is stored once (and a reference back
        // to an object still being written points at it).
        const auto found = archived.constFind(value);
        if (found != archived.constEnd()) {
            return *found;
        }
        const QStringList chain = value->archiveClassChain();
        return object(chain, [&] {
            archived.insert(value, reserved);
            value->encodeWithCoder(coder);
        });
    }

    quint64 valueUid(KeyedArchiver& coder, const QVariant& value) {
        switch (value.typeId()) {
        case QMetaType::UnknownType:
        case QMetaType::Nullptr:
            return 0;
        case QMetaType::Bool:
            return add(Value::boolean(value.toBool()));
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Char:
        case QMetaType::SChar:
        case QMetaType::UChar:
        case QMetaType::Long:
        case QMetaType::ULong:
            return add(Value::number(value.toLongLong()));
        case QMetaType::ULongLong:
            return add(Value::number(static_cast<qint64>(value.toULongLong())));
        case QMetaType::Float:
        case QMetaType::Double:
            return add(Value::floating(value.toDouble()));
        case QMetaType::QString:
            return stringUid(value.toString());
        case QMetaType::QByteArray:
            return add(Value::bytes(value.toByteArray()));
        case QMetaType::QColor:
            return colorUid(value.value<QColor>());
        case QMetaType::QFont:
            return fontUid(value.value<QFont>());
        case QMetaType::QStringList:
        case QMetaType::QVariantList: {
            std::vector<quint64> uids;
            for (const QVariant& item : value.toList()) {
                uids.push_back(valueUid(coder, item));
            }
            return uidList(ArchiveClasses::arrayChain(), QStringLiteral("NS.objects"), uids);
        }
        case QMetaType::QVariantMap: {
            std::vector<quint64> keyUids;
            std::vector<quint64> values;
            const QVariantMap map = value.toMap();
            for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
                keyUids.push_back(stringUid(it.key()));
                values.push_back(valueUid(coder, it.value()));
            }
            return dictionaryUid(keyUids, values);
        }
        default:
            qWarning("KeyedArchiver: a value of type %s is written as null", value.typeName());
            return 0;
        }
    }

    // The whole archive with the objects written so far (moved out).
    Value archiveWithRoot(quint64 rootUid) {
        Value list = Value::array();
        list.items = std::move(objects);
        objects.clear();
        Value rootRef = Value::uid(rootUid);
        Value top = dictionaryOf(keys, {{QStringLiteral("root"), &rootRef}});
        Value version = Value::number(kArchiveVersion);
        Value archiver = Value::text(QStringLiteral("NSKeyedArchiver"));
        return dictionaryOf(keys, {{QStringLiteral("$version"), &version},
                                   {QStringLiteral("$archiver"), &archiver},
                                   {QStringLiteral("$top"), &top},
                                   {QStringLiteral("$objects"), &list}});
    }

    QByteArray bytes(quint64 rootUid, PlistFormat format) {
        const Value archive = archiveWithRoot(rootUid);
        return format == PlistFormat::Binary
                   ? ArchiveTree::binary(archive, keys)
                   : ArchiveTree::plist(archive, keys).toBytes(PlistFormat::Xml);
    }
};

KeyedArchiver::KeyedArchiver() : d(std::make_unique<Impl>()) {}
KeyedArchiver::~KeyedArchiver() = default;

Plist KeyedArchiver::archivedPlist(const KeyedArchivable& root) {
    KeyedArchiver coder;
    const quint64 rootUid = coder.d->archivableUid(coder, &root);
    return ArchiveTree::plist(coder.d->archiveWithRoot(rootUid), coder.d->keys);
}

QByteArray KeyedArchiver::archivedRootValue(const QVariant& value, PlistFormat format) {
    KeyedArchiver coder;
    const quint64 rootUid = coder.d->valueUid(coder, value);
    return coder.d->bytes(rootUid, format);
}

QByteArray KeyedArchiver::archivedData(const KeyedArchivable& root, PlistFormat format) {
    KeyedArchiver coder;
    const quint64 rootUid = coder.d->archivableUid(coder, &root);
    return coder.d->bytes(rootUid, format);
}

void KeyedArchiver::encodeBool(const QString& key, bool value) {
    d->put(key, Value::boolean(value));
}
void KeyedArchiver::encodeInt32(const QString& key, qint32 value) {
    d->put(key, Value::number(value));
}
void KeyedArchiver::encodeInt64(const QString& key, qint64 value) {
    d->put(key, Value::number(value));
}
void KeyedArchiver::encodeFloat(const QString& key, float value) {
    d->put(key, Value::floating(static_cast<double>(value)));
}
void KeyedArchiver::encodeDouble(const QString& key, double value) {
    d->put(key, Value::floating(value));
}
void KeyedArchiver::encodeRect(const QString& key, const QRectF& value) {
    d->put(key, Value::text(RectStrings::fromRect(value)));
}
void KeyedArchiver::encodePoint(const QString& key, const QPointF& value) {
    d->put(key, Value::text(RectStrings::fromPoint(value)));
}
void KeyedArchiver::encodeSize(const QString& key, const QSizeF& value) {
    d->put(key, Value::text(RectStrings::fromSize(value)));
}
void KeyedArchiver::encodeString(const QString& key, const QString& value) {
    d->put(key, Value::uid(d->stringUid(value)));
}
void KeyedArchiver::encodeData(const QString& key, const QByteArray& value) {
    d->put(key, Value::uid(d->add(Value::bytes(value))));
}
void KeyedArchiver::encodeColor(const QString& key, const QColor& value) {
    d->put(key, Value::uid(d->colorUid(value)));
}
void KeyedArchiver::encodeFont(const QString& key, const QFont& value) {
    d->put(key, Value::uid(d->fontUid(value)));
}
void KeyedArchiver::encodeStyledText(const QString& key, const SKTStyledText& value) {
    d->put(key, Value::uid(d->styledTextUid(value)));
}
void KeyedArchiver::encodePicture(const QString& key, const CardPicture& value) {
    d->put(key, Value::uid(d->pictureUid(value)));
}
void KeyedArchiver::encodeObject(const QString& key, const KeyedArchivable* value) {
    d->put(key, Value::uid(d->archivableUid(*this, value)));
}
void KeyedArchiver::encodeValue(const QString& key, const QVariant& value) {
    d->put(key, Value::uid(d->valueUid(*this, value)));
}
void KeyedArchiver::encodeNull(const QString& key) {
    d->put(key, Value::uid(0));
}
