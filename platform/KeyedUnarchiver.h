#pragma once
// Reading keyed archives leniently: every decode answers "absent" (an empty
// optional) for a missing key or a value of the wrong kind, so callers keep
// their defaults. Anything structurally wrong (not a property list, wrong
// "$archiver" or "$version", UIDs out of range, cycles, nesting deeper than
// 64, over 64 MiB, unknown classes) gives no object and a reason; nothing
// throws.

#include "platform/CardPicture.h"
#include "platform/Plist.h"
#include "platform/SKTStyledText.h"

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>

class KeyedArchivable;
class KeyedUnarchiver;

// Class name -> factory. A factory builds the object from the coder, which is
// positioned on that object's values (it reads with decodeX).
class KeyedClassRegistry {
public:
    using Factory = std::function<std::shared_ptr<KeyedArchivable>(const KeyedUnarchiver&)>;
    static void registerClass(const QString& className, Factory factory);
    static Factory factory(const QString& className);
};

class KeyedUnarchiver {
public:
    ~KeyedUnarchiver();
    KeyedUnarchiver(const KeyedUnarchiver&) = delete;
    KeyedUnarchiver& operator=(const KeyedUnarchiver&) = delete;

    // Checks the archive's structure; none and a reason when it is not one.
    static std::unique_ptr<KeyedUnarchiver> fromData(const QByteArray& data,
                                                     QString* reason = nullptr);
    static std::unique_ptr<KeyedUnarchiver> fromPlist(Plist plist, QString* reason = nullptr);

    // "$classname" of the root object.
    QString rootClassName() const;
    // The root object built by its class's factory; none and a reason when
    // the class is unknown or the factory gives none.
    std::shared_ptr<KeyedArchivable> decodeRootObject(QString* reason = nullptr) const;
    // The root read as a value (the kinds decodeValue answers: a colour
    // archive gives a QColor, a font archive a QFont); absent and a reason
    // when it is none of them.
    std::optional<QVariant> decodeRootValue(QString* reason = nullptr) const;

    // Within the object being decoded.
    bool containsValueForKey(const QString& key) const;
    bool isNullForKey(const QString& key) const; // present and "$null"
    std::optional<bool> decodeBool(const QString& key) const;
    std::optional<qint32> decodeInt32(const QString& key) const; // absent outside 32 bits
    std::optional<qint64> decodeInt64(const QString& key) const;
    std::optional<float> decodeFloat(const QString& key) const;   // absent for NaN
    std::optional<double> decodeDouble(const QString& key) const; // absent for NaN
    std::optional<QRectF> decodeRect(const QString& key) const;
    std::optional<QPointF> decodePoint(const QString& key) const;
    std::optional<QSizeF> decodeSize(const QString& key) const;
    // For the object kinds a "$null" value is present and answers the kind's
    // "none": a null QString, an invalid QColor, a null CardPicture, an empty
    // SKTStyledText; a font has no "none" and answers absent.
    std::optional<QString> decodeString(const QString& key) const;
    std::optional<QByteArray> decodeData(const QString& key) const;
    std::optional<QColor> decodeColor(const QString& key) const;
    std::optional<QFont> decodeFont(const QString& key) const;
    std::optional<SKTStyledText> decodeStyledText(const QString& key) const;
    std::optional<CardPicture> decodePicture(const QString& key) const;
    std::shared_ptr<KeyedArchivable> decodeObject(const QString& key) const;
    std::optional<QVariant> decodeValue(const QString& key) const;

private:
    KeyedUnarchiver();
    struct Impl;
    std::unique_ptr<Impl> d;
};
