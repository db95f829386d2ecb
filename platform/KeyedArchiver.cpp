#include "platform/KeyedArchiver.h"

#include "platform/ArchiveClasses.h"
#include "platform/ArchiveColor.h"
#include "platform/ArchivePicture.h"
#include "platform/ArchiveVarint.h"
#include "platform/RectStrings.h"

#include <QHash>
#include <QtDebug>
#include <vector>

namespace {

constexpr qint64 kArchiveVersion = 100000;

// A key identifying equal colour or font values, so each is stored once.
QString colorKey(const QColor& color) {
    return QString::fromLatin1(ArchiveColor::rgbText(color));
}

double fontSize(const QFont& font) {
    if (font.pointSizeF() > 0) {
        return font.pointSizeF();
    }
    return font.pixelSize() > 0 ? font.pixelSize() : 12.0;
}

QString fontKey(const QFont& font) {
    return font.family() + u'\n' + RectStrings::number(fontSize(font)) + u'\n' +
           QString::number(int(font.bold())) + QString::number(int(font.italic()));
}

} // namespace

struct KeyedArchiver::Impl {
    std::vector<Plist> objects;
    QHash<QString, quint64> strings;
    QHash<QString, quint64> classes;
    QHash<QString, quint64> colors;
    QHash<QString, quint64> fonts;
    QHash<const KeyedArchivable*, quint64> archived;
    std::vector<Plist> stack; // dictionaries of the objects being written
    quint64 reserved = 0;     // index of the object object() is filling, read first

    Impl() { objects.push_back(Plist::string(QStringLiteral("$null"))); }

    quint64 add(Plist&& item) {
        objects.push_back(std::move(item));
        return objects.size() - 1;
    }

    void put(const QString& key, Plist&& value) {
        if (stack.empty()) {
            qWarning("KeyedArchiver: value for key %s written outside an object", qPrintable(key));
            return;
        }
        stack.back().insert(key, std::move(value));
    }

    quint64 classUid(const QStringList& chain) {
        const QString name = chain.value(0, QStringLiteral("NSObject"));
        const auto found = classes.constFind(name);
        if (found != classes.constEnd()) {
            return *found;
        }
        Plist names = Plist::array();
        for (const QString& c : chain) {
            names.append(Plist::string(c));
        }
        if (chain.isEmpty() || chain.last() != QLatin1String("NSObject")) {
            names.append(Plist::string(QStringLiteral("NSObject")));
        }
        Plist entry = Plist::dictionary();
        entry.insert(QStringLiteral("$classes"), std::move(names));
        entry.insert(QStringLiteral("$classname"), Plist::string(name));
        const quint64 uid = add(std::move(entry));
        classes.insert(name, uid);
        return uid;
    }

    // Writes one object: its dictionary gets "$class" and whatever fill puts
    // in (through put, or the public encoders).
    template <typename Fill> quint64 object(const QStringList& chain, Fill fill) {
        const quint64 uid = add(Plist());
        reserved = uid;
        stack.push_back(Plist::dictionary());
        stack.back().insert(QStringLiteral("$class"), Plist::uid(classUid(chain)));
        fill();
        objects[uid] = std::move(stack.back());
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
        const quint64 uid = add(Plist::string(value));
        strings.insert(value, uid);
        return uid;
    }

    quint64 uidList(const QStringList& chain, const QString& key,
                    const std::vector<quint64>& uids) {
        return object(chain, [&] {
            Plist list = Plist::array();
            for (quint64 u : uids) {
                list.append(Plist::uid(u));
            }
            put(key, std::move(list));
        });
    }

    quint64 dictionaryUid(const std::vector<quint64>& keys, const std::vector<quint64>& values) {
        return object(ArchiveClasses::dictionaryChain(), [&] {
            Plist k = Plist::array();
            Plist v = Plist::array();
            for (quint64 u : keys) {
                k.append(Plist::uid(u));
            }
            for (quint64 u : values) {
                v.append(Plist::uid(u));
            }
            put(QStringLiteral("NS.keys"), std::move(k));
            put(QStringLiteral("NS.objects"), std::move(v));
        });
    }

    quint64 colorUid(const QColor& color) {
        if (!color.isValid()) {
            return 0;
        }
        const QString key = colorKey(color);
        const auto found = colors.constFind(key);
        if (found != colors.constEnd()) {
            return *found;
        }
        const quint64 uid = object(ArchiveClasses::colorChain(), [&] {
            put(QStringLiteral("NSColorSpace"), Plist::integer(1));
            put(QStringLiteral("NSRGB"), Plist::data(ArchiveColor::rgbText(color)));
        });
        colors.insert(key, uid);
        return uid;
    }

    quint64 fontUid(const QFont& font) {
        const QString key = fontKey(font);
        const auto found = fonts.constFind(key);
        if (found != fonts.constEnd()) {
            return *found;
        }
        const quint64 uid = object(ArchiveClasses::fontChain(), [&] {
            put(QStringLiteral("NSName"), Plist::uid(stringUid(font.family())));
            put(QStringLiteral("NSSize"), Plist::real(fontSize(font)));
            if (font.bold() || font.italic()) {
                put(ArchiveClasses::kFontBoldKey, Plist::boolean(font.bold()));
                put(ArchiveClasses::kFontItalicKey, Plist::boolean(font.italic()));
            }
        });
        fonts.insert(key, uid);
        return uid;
    }

    quint64 attributesUid(const SKTTextRun& run) {
        std::vector<quint64> keys{stringUid(QStringLiteral("NSFont"))};
        std::vector<quint64> values{fontUid(run.font)};
        if (run.color.isValid()) {
            keys.push_back(stringUid(QStringLiteral("NSColor")));
            values.push_back(colorUid(run.color));
        }
        return dictionaryUid(keys, values);
    }

    quint64 styledTextUid(const SKTStyledText& text) {
        const std::vector<SKTTextRun>& runs = text.runs();
        return object(ArchiveClasses::textStorageChain(), [&] {
            // An empty text is stored as "", never as $null.
            const QString string = text.string().isNull() ? QStringLiteral("") : text.string();
            put(QStringLiteral("NSString"), Plist::uid(stringUid(string)));
            if (runs.size() == 1) {
                put(QStringLiteral("NSAttributes"), Plist::uid(attributesUid(runs.front())));
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
                Plist::uid(
                    uidList(ArchiveClasses::arrayChain(), QStringLiteral("NS.objects"), sets)));
            put(QStringLiteral("NSAttributeInfo"), Plist::uid(add(Plist::data(info))));
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
            put(QStringLiteral("NSSize"), Plist::string(RectStrings::fromSize(picture.size())));
            const quint64 rep = object(ArchiveClasses::bitmapChain(), [&] {
                put(QStringLiteral("NSTIFFRepresentation"), Plist::uid(add(Plist::data(tiff))));
            });
            put(QStringLiteral("NSReps"), Plist::uid(uidList(ArchiveClasses::arrayChain(),
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
            return add(Plist::boolean(value.toBool()));
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
            return add(Plist::integer(value.toLongLong()));
        case QMetaType::ULongLong:
            return add(Plist::integer(static_cast<qint64>(value.toULongLong())));
        case QMetaType::Float:
        case QMetaType::Double:
            return add(Plist::real(value.toDouble()));
        case QMetaType::QString:
            return stringUid(value.toString());
        case QMetaType::QByteArray:
            return add(Plist::data(value.toByteArray()));
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
            std::vector<quint64> keys;
            std::vector<quint64> values;
            const QVariantMap map = value.toMap();
            for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
                keys.push_back(stringUid(it.key()));
                values.push_back(valueUid(coder, it.value()));
            }
            return dictionaryUid(keys, values);
        }
        default:
            qWarning("KeyedArchiver: a value of type %s is written as null", value.typeName());
            return 0;
        }
    }
};

KeyedArchiver::KeyedArchiver() : d(std::make_unique<Impl>()) {}
KeyedArchiver::~KeyedArchiver() = default;

namespace {

Plist archiveWithRoot(std::vector<Plist>& entries, quint64 rootUid) {
    Plist objects = Plist::array();
    for (Plist& item : entries) {
        objects.append(std::move(item));
    }
    Plist top = Plist::dictionary();
    top.insert(QStringLiteral("root"), Plist::uid(rootUid));
    Plist archive = Plist::dictionary();
    archive.insert(QStringLiteral("$version"), Plist::integer(kArchiveVersion));
    archive.insert(QStringLiteral("$archiver"), Plist::string(QStringLiteral("NSKeyedArchiver")));
    archive.insert(QStringLiteral("$top"), std::move(top));
    archive.insert(QStringLiteral("$objects"), std::move(objects));
    return archive;
}

} // namespace

Plist KeyedArchiver::archivedPlist(const KeyedArchivable& root) {
    KeyedArchiver coder;
    const quint64 rootUid = coder.d->archivableUid(coder, &root);
    return archiveWithRoot(coder.d->objects, rootUid);
}

QByteArray KeyedArchiver::archivedRootValue(const QVariant& value, PlistFormat format) {
    KeyedArchiver coder;
    const quint64 rootUid = coder.d->valueUid(coder, value);
    return archiveWithRoot(coder.d->objects, rootUid).toBytes(format);
}

QByteArray KeyedArchiver::archivedData(const KeyedArchivable& root, PlistFormat format) {
    return archivedPlist(root).toBytes(format);
}

void KeyedArchiver::encodeBool(const QString& key, bool value) {
    d->put(key, Plist::boolean(value));
}
void KeyedArchiver::encodeInt32(const QString& key, qint32 value) {
    d->put(key, Plist::integer(value));
}
void KeyedArchiver::encodeInt64(const QString& key, qint64 value) {
    d->put(key, Plist::integer(value));
}
void KeyedArchiver::encodeFloat(const QString& key, float value) {
    d->put(key, Plist::real(static_cast<double>(value)));
}
void KeyedArchiver::encodeDouble(const QString& key, double value) {
    d->put(key, Plist::real(value));
}
void KeyedArchiver::encodeRect(const QString& key, const QRectF& value) {
    d->put(key, Plist::string(RectStrings::fromRect(value)));
}
void KeyedArchiver::encodePoint(const QString& key, const QPointF& value) {
    d->put(key, Plist::string(RectStrings::fromPoint(value)));
}
void KeyedArchiver::encodeSize(const QString& key, const QSizeF& value) {
    d->put(key, Plist::string(RectStrings::fromSize(value)));
}
void KeyedArchiver::encodeString(const QString& key, const QString& value) {
    d->put(key, Plist::uid(d->stringUid(value)));
}
void KeyedArchiver::encodeData(const QString& key, const QByteArray& value) {
    d->put(key, Plist::uid(d->add(Plist::data(value))));
}
void KeyedArchiver::encodeColor(const QString& key, const QColor& value) {
    d->put(key, Plist::uid(d->colorUid(value)));
}
void KeyedArchiver::encodeFont(const QString& key, const QFont& value) {
    d->put(key, Plist::uid(d->fontUid(value)));
}
void KeyedArchiver::encodeStyledText(const QString& key, const SKTStyledText& value) {
    d->put(key, Plist::uid(d->styledTextUid(value)));
}
void KeyedArchiver::encodePicture(const QString& key, const CardPicture& value) {
    d->put(key, Plist::uid(d->pictureUid(value)));
}
void KeyedArchiver::encodeObject(const QString& key, const KeyedArchivable* value) {
    d->put(key, Plist::uid(d->archivableUid(*this, value)));
}
void KeyedArchiver::encodeValue(const QString& key, const QVariant& value) {
    d->put(key, Plist::uid(d->valueUid(*this, value)));
}
void KeyedArchiver::encodeNull(const QString& key) {
    d->put(key, Plist::uid(0));
}
