#pragma once
// Keyed archives in the property-list structure the card files have always
// used: "$archiver" "NSKeyedArchiver", "$version" 100000, "$top" {"root"},
// "$objects" with "$null" first and one class entry per class. The value
// encodings are written down in platform/ARCHIVE.md.

#include "platform/CardPicture.h"
#include "platform/Plist.h"
#include "platform/SKTStyledText.h"

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

class KeyedArchiver;

// An object that writes itself into a keyed archive.
class KeyedArchivable {
public:
    virtual ~KeyedArchivable() = default;
    // Class names from the object's own class up, without "NSObject" (the
    // archiver adds it), e.g. {"SKTText", "SKTGraphic"}.
    virtual QStringList archiveClassChain() const = 0;
    virtual void encodeWithCoder(KeyedArchiver& coder) const = 0;
};

class KeyedArchiver {
public:
    KeyedArchiver();
    ~KeyedArchiver();
    KeyedArchiver(const KeyedArchiver&) = delete;
    KeyedArchiver& operator=(const KeyedArchiver&) = delete;

    // The archive of one root object (binary: starts with "bplist00").
    static QByteArray archivedData(const KeyedArchivable& root,
                                   PlistFormat format = PlistFormat::Binary);
    // The same archive as a property list, for embedding.
    static Plist archivedPlist(const KeyedArchivable& root);
    // The archive of one value as its root, e.g. a colour or a font stored
    // on its own: the kinds encodeValue takes; an invalid QVariant or colour
    // gives a root of $null.
    static QByteArray archivedRootValue(const QVariant& value,
                                        PlistFormat format = PlistFormat::Binary);

    // Encoders for the object being written. Keys are written in call order.
    void encodeBool(const QString& key, bool value);
    void encodeInt32(const QString& key, qint32 value);
    void encodeInt64(const QString& key, qint64 value);
    void encodeFloat(const QString& key, float value); // the 32-bit value
    void encodeDouble(const QString& key, double value);
    void encodeRect(const QString& key, const QRectF& value);  // "{{x, y}, {w, h}}"
    void encodePoint(const QString& key, const QPointF& value); // "{x, y}"
    void encodeSize(const QString& key, const QSizeF& value);   // "{w, h}"
    void encodeString(const QString& key, const QString& value); // null QString: $null
    void encodeData(const QString& key, const QByteArray& value);
    void encodeColor(const QString& key, const QColor& value); // invalid: $null
    void encodeFont(const QString& key, const QFont& value);
    void encodeStyledText(const QString& key, const SKTStyledText& value);
    void encodePicture(const QString& key, const CardPicture& value); // null: $null
    void encodeObject(const QString& key, const KeyedArchivable* value); // nullptr: $null
    // Strings, numbers, bools, byte arrays, colours, fonts, QVariantList
    // (NS.objects) and QVariantMap (NS.keys / NS.objects).
    void encodeValue(const QString& key, const QVariant& value);
    void encodeNull(const QString& key);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
