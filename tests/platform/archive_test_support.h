#pragma once
// A small archivable record holding one value of every archive kind, used by
// the archive tests and registered under the class name "TestRecord".

#include "platform/KeyedArchiver.h"
#include "platform/KeyedUnarchiver.h"

#include <QHash>
#include <QVariant>
#include <optional>

struct TestRecord : KeyedArchivable {
    std::optional<bool> flag;
    std::optional<qint32> int32;
    std::optional<qint64> int64;
    std::optional<float> single;
    std::optional<double> real;
    std::optional<QRectF> rect;
    std::optional<QPointF> point;
    std::optional<QSizeF> size;
    std::optional<QString> text;
    std::optional<QByteArray> bytes;
    std::optional<QColor> color;
    std::optional<QFont> font;
    std::optional<SKTStyledText> styled;
    std::optional<CardPicture> picture;
    std::optional<QVariant> value;
    std::shared_ptr<TestRecord> child;
    std::shared_ptr<TestRecord> sibling; // may be the same object as child

    QStringList archiveClassChain() const override {
        return {QStringLiteral("TestRecord"), QStringLiteral("TestBase")};
    }
    void encodeWithCoder(KeyedArchiver& coder) const override;
    static std::shared_ptr<KeyedArchivable> decode(const KeyedUnarchiver& coder);
    static void registerClass();
};

// Archives a record and reads it back (binary by default); none on failure.
std::shared_ptr<TestRecord> roundTrip(const TestRecord& record,
                                      PlistFormat format = PlistFormat::Binary,
                                      QString* reason = nullptr);

// Builds keyed archives by hand, for forms our archiver never writes.
class ArchiveBuilder {
public:
    ArchiveBuilder();
    // Adds an entry to "$objects" and answers its UID.
    quint64 add(Plist&& item);
    // A class entry with "$classes" = chain + "NSObject".
    quint64 addClass(const QStringList& chain);
    // A dictionary object of the given class; values added with set().
    quint64 addObject(const QString& className);
    void set(quint64 object, const QString& key, Plist&& value);
    void setUid(quint64 object, const QString& key, quint64 uid);

    // The whole archive; `top` replaces the usual top-level entries.
    Plist build(quint64 root) const;
    QByteArray bytes(quint64 root, PlistFormat format = PlistFormat::Binary) const;

private:
    std::vector<Plist> m_objects;
    QHash<QString, quint64> m_classes;
};

// Reads a TestRecord archive; none (and a reason) when it is refused.
std::shared_ptr<TestRecord> decodeRecord(const QByteArray& bytes, QString* reason = nullptr);
