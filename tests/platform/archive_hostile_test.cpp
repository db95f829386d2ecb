// Archives that must be refused, and values that must read as absent, all
// without a crash or an exception reaching the caller.
#include "archive_test_support.h"

#include <QRandomGenerator>
#include <QtEndian>
#include <gtest/gtest.h>
#include <limits>
#include <stdexcept>

namespace {

// The top-level dictionary of a valid one-object archive with one entry
// changed (or removed when `value` is null).
QByteArray withTop(const QString& key, Plist&& value) {
    ArchiveBuilder b;
    const quint64 root = b.addObject(QStringLiteral("TestRecord"));
    Plist archive = b.build(root);
    if (value.isNull()) {
        Plist copy = Plist::dictionary();
        for (const QString& k : archive.view().keys()) {
            if (k != key) {
                copy.insert(k, archive.view().value(k).clone());
            }
        }
        return copy.toBytes(PlistFormat::Binary);
    }
    archive.insert(key, std::move(value));
    return archive.toBytes(PlistFormat::Binary);
}

Plist objectsStartingWith(Plist&& first) {
    Plist objects = Plist::array();
    objects.append(std::move(first));
    return objects;
}

Plist topWithRoot(Plist&& root) {
    Plist top = Plist::dictionary();
    top.insert(QStringLiteral("root"), std::move(root));
    return top;
}

// A chain of `depth` records, each the child of the one before.
QByteArray chain(int depth) {
    ArchiveBuilder b;
    std::vector<quint64> uids;
    for (int i = 0; i < depth; ++i) {
        uids.push_back(b.addObject(QStringLiteral("TestRecord")));
    }
    for (int i = 0; i + 1 < depth; ++i) {
        b.setUid(uids[size_t(i)], QStringLiteral("child"), uids[size_t(i) + 1]);
    }
    return b.bytes(uids.front());
}

// A BMP header announcing 100000 x 100000 pixels: far over Qt's limit.
QByteArray hugeBitmap() {
    QByteArray bmp("BM");
    const auto le32 = [&](quint32 v) {
        const quint32 x = qToLittleEndian(v);
        bmp.append(reinterpret_cast<const char*>(&x), 4);
    };
    const auto le16 = [&](quint16 v) {
        const quint16 x = qToLittleEndian(v);
        bmp.append(reinterpret_cast<const char*>(&x), 2);
    };
    le32(54 + 16);
    le32(0);
    le32(54);
    le32(40);
    le32(100000);
    le32(100000);
    le16(1);
    le16(32);
    le32(0);
    le32(16);
    le32(2835);
    le32(2835);
    le32(0);
    le32(0);
    bmp.append(QByteArray(16, '\xff'));
    return bmp;
}

TEST(ArchiveHostile, StructurallyBrokenArchivesAreRefused) {
    ArchiveBuilder valid;
    const quint64 validRoot = valid.addObject(QStringLiteral("TestRecord"));

    // Two records holding each other, and a record holding itself.
    ArchiveBuilder cycle;
    const quint64 a = cycle.addObject(QStringLiteral("TestRecord"));
    const quint64 c = cycle.addObject(QStringLiteral("TestRecord"));
    cycle.setUid(a, QStringLiteral("child"), c);
    cycle.setUid(c, QStringLiteral("child"), a);
    ArchiveBuilder self;
    const quint64 s = self.addObject(QStringLiteral("TestRecord"));
    self.setUid(s, QStringLiteral("sibling"), s);

    ArchiveBuilder farUid;
    const quint64 f = farUid.addObject(QStringLiteral("TestRecord"));
    farUid.setUid(f, QStringLiteral("text"), 999);

    ArchiveBuilder cfFar;
    const quint64 cf = cfFar.addObject(QStringLiteral("TestRecord"));
    Plist ref = Plist::dictionary();
    ref.insert(QStringLiteral("CF$UID"), Plist::integer(-1));
    cfFar.set(cf, QStringLiteral("text"), std::move(ref));
    Plist ref2 = Plist::dictionary();
    ref2.insert(QStringLiteral("CF$UID"), Plist::integer(1 << 20));
    cfFar.set(cf, QStringLiteral("bytes"), std::move(ref2));

    ArchiveBuilder unknown;
    const quint64 u = unknown.addObject(QStringLiteral("SKTNoSuchClass"));

    ArchiveBuilder noClass;
    const quint64 n = noClass.add(Plist::dictionary());

    ArchiveBuilder classIsString;
    const quint64 cs = classIsString.add(Plist::dictionary());
    classIsString.set(cs, QStringLiteral("$class"),
                      Plist::uid(classIsString.add(Plist::string(QStringLiteral("TestRecord")))));

    ArchiveBuilder deepValue;
    const quint64 dv = deepValue.addObject(QStringLiteral("TestRecord"));
    Plist nested = Plist::array();
    for (int i = 0; i < 70; ++i) {
        Plist outer = Plist::array();
        outer.append(std::move(nested));
        nested = std::move(outer);
    }
    deepValue.set(dv, QStringLiteral("value"), std::move(nested));

    const QByteArray hostileValue = [] {
        // A list that holds itself, reached through encodeValue's key.
        ArchiveBuilder b;
        const quint64 root = b.addObject(QStringLiteral("TestRecord"));
        const quint64 list = b.addObject(QStringLiteral("NSArray"));
        Plist items = Plist::array();
        items.append(Plist::uid(list));
        b.set(list, QStringLiteral("NS.objects"), std::move(items));
        b.setUid(root, QStringLiteral("value"), list);
        return b.bytes(root);
    }();

    const struct {
        const char* name;
        QByteArray bytes;
    } rows[] = {
        {"not a property list", "{{0, 0}, {1, 1}}"},
        {"empty", QByteArray()},
        {"a list, not a dictionary", Plist::array().toBytes(PlistFormat::Binary)},
        {"other archiver", withTop("$archiver", Plist::string("NSArchiver"))},
        {"archiver missing", withTop("$archiver", Plist())},
        {"other version", withTop("$version", Plist::integer(99999))},
        {"version as text", withTop("$version", Plist::string("100000"))},
        {"objects missing", withTop("$objects", Plist())},
        {"objects not a list", withTop("$objects", Plist::dictionary())},
        {"objects without $null", withTop("$objects", objectsStartingWith(Plist::string("x")))},
        {"top missing", withTop("$top", Plist())},
        {"root not a UID", withTop("$top", topWithRoot(Plist::integer(1)))},
        {"root out of range", withTop("$top", topWithRoot(Plist::uid(5)))},
        {"root is $null", withTop("$top", topWithRoot(Plist::uid(0)))},
        {"UID out of range inside an object", farUid.bytes(f)},
        {"CF$UID out of range", cfFar.bytes(cf)},
        {"objects in a cycle", cycle.bytes(a)},
        {"object holding itself", self.bytes(s)},
        {"list holding itself", hostileValue},
        {"objects nested 65 deep", chain(65)},
        {"values nested 70 deep", deepValue.bytes(dv)},
        {"unknown class", unknown.bytes(u)},
        {"object without a class", noClass.bytes(n)},
        {"class entry that is a string", classIsString.bytes(cs)},
        {"over 64 MiB", valid.bytes(validRoot) + QByteArray(64 * 1024 * 1024, '\0')},
    };
    for (const auto& row : rows) {
        QString reason;
        std::shared_ptr<TestRecord> out;
        EXPECT_NO_THROW(out = decodeRecord(row.bytes, &reason)) << row.name;
        EXPECT_FALSE(out) << row.name;
        EXPECT_FALSE(reason.isEmpty()) << row.name;
    }
    // The valid base and a chain just within the limit read.
    EXPECT_TRUE(decodeRecord(valid.bytes(validRoot)));
    QString reason;
    auto deep = decodeRecord(chain(64), &reason);
    ASSERT_TRUE(deep) << qPrintable(reason);
    int depth = 1;
    for (auto r = deep; r->child; r = r->child) {
        ++depth;
    }
    EXPECT_EQ(depth, 64);
}

TEST(ArchiveHostile, ValuesOfTheWrongKindReadAsAbsent) {
    ArchiveBuilder b;
    const quint64 root = b.addObject(QStringLiteral("TestRecord"));
    b.set(root, QStringLiteral("int32"), Plist::integer(qint64(1) << 31));
    b.set(root, QStringLiteral("int64"), Plist::real(1.5));
    b.set(root, QStringLiteral("single"), Plist::real(1e300));
    b.set(root, QStringLiteral("real"), Plist::real(std::numeric_limits<double>::quiet_NaN()));
    b.set(root, QStringLiteral("flag"), Plist::string(QStringLiteral("yes")));
    b.set(root, QStringLiteral("rect"), Plist::integer(4));
    b.set(root, QStringLiteral("point"), Plist::string(QStringLiteral("{1, inf}")));
    b.set(root, QStringLiteral("size"), Plist::string(QStringLiteral("{1, 2, 3}")));
    b.setUid(root, QStringLiteral("text"), b.add(Plist::integer(3)));
    b.set(root, QStringLiteral("bytes"), Plist::string(QStringLiteral("not data")));
    const quint64 color = b.addObject(QStringLiteral("NSColor"));
    b.set(color, QStringLiteral("NSColorSpace"), Plist::integer(1));
    b.set(color, QStringLiteral("NSRGB"), Plist::integer(0));
    b.setUid(root, QStringLiteral("color"), color);
    const quint64 font = b.addObject(QStringLiteral("NSFont"));
    b.setUid(font, QStringLiteral("NSName"), b.add(Plist::string(QStringLiteral("Helvetica"))));
    b.set(font, QStringLiteral("NSSize"), Plist::real(-12));
    b.setUid(root, QStringLiteral("font"), font);
    const quint64 styled = b.addObject(QStringLiteral("NSTextStorage"));
    b.set(styled, QStringLiteral("NSString"), Plist::integer(1));
    b.setUid(root, QStringLiteral("styled"), styled);
    // A picture whose bytes are no image, and one over Qt's allocation limit.
    const quint64 picture = b.addObject(QStringLiteral("NSImage"));
    b.set(picture, QStringLiteral("NSSize"), Plist::string(QStringLiteral("{10, 10}")));
    Plist reps = Plist::array();
    reps.append(Plist::uid(b.add(Plist::data("garbage"))));
    b.set(picture, QStringLiteral("NSReps"), std::move(reps));
    b.setUid(root, QStringLiteral("picture"), picture);
    const quint64 child = b.addObject(QStringLiteral("TestRecord"));
    const quint64 huge = b.addObject(QStringLiteral("NSImage"));
    Plist hugeReps = Plist::array();
    hugeReps.append(Plist::uid(b.add(Plist::data(hugeBitmap()))));
    b.set(huge, QStringLiteral("NSReps"), std::move(hugeReps));
    b.setUid(child, QStringLiteral("picture"), huge);
    b.setUid(root, QStringLiteral("child"), child);
    // An object of a class nobody knows, nested: skipped, the rest reads.
    b.setUid(root, QStringLiteral("sibling"), b.addObject(QStringLiteral("SKTNoSuchClass")));
    b.setUid(root, QStringLiteral("value"), b.addObject(QStringLiteral("SKTNoSuchClass")));

    QString reason;
    const auto out = decodeRecord(b.bytes(root), &reason);
    ASSERT_TRUE(out) << qPrintable(reason);
    EXPECT_FALSE(out->int32);
    EXPECT_FALSE(out->int64);
    EXPECT_FALSE(out->single);
    EXPECT_FALSE(out->real);
    EXPECT_FALSE(out->flag);
    EXPECT_FALSE(out->rect);
    EXPECT_FALSE(out->point);
    EXPECT_FALSE(out->size);
    EXPECT_FALSE(out->text);
    EXPECT_FALSE(out->bytes);
    EXPECT_FALSE(out->color);
    EXPECT_FALSE(out->font);
    EXPECT_FALSE(out->styled);
    EXPECT_FALSE(out->picture);
    ASSERT_TRUE(out->child);
    EXPECT_FALSE(out->child->picture);
    EXPECT_FALSE(out->sibling);
    EXPECT_FALSE(out->value);
}

TEST(ArchiveHostile, FactoryExceptionsDoNotEscape) {
    KeyedClassRegistry::registerClass(
        QStringLiteral("SKTThrows"),
        [](const KeyedUnarchiver&) -> std::shared_ptr<KeyedArchivable> {
            throw std::runtime_error("broken");
        });
    ArchiveBuilder b;
    const quint64 root = b.addObject(QStringLiteral("SKTThrows"));
    auto coder = KeyedUnarchiver::fromData(b.bytes(root));
    ASSERT_TRUE(coder);
    EXPECT_EQ(coder->rootClassName(), QStringLiteral("SKTThrows"));
    QString reason;
    std::shared_ptr<KeyedArchivable> object;
    EXPECT_NO_THROW(object = coder->decodeRootObject(&reason));
    EXPECT_FALSE(object);
    EXPECT_TRUE(reason.contains(QStringLiteral("broken"))) << qPrintable(reason);
}

// Damaged copies of a real archive, in both formats: whatever they read as,
// reading them neither crashes nor throws.
TEST(ArchiveHostile, DamagedArchivesNeverCrash) {
    TestRecord record;
    record.text = QStringLiteral("Grüße");
    record.rect = QRectF(1, 2, 3, 4);
    record.color = QColor(10, 20, 30, 40);
    record.styled = SKTStyledText(QStringLiteral("styled"));
    record.styled->setColor(0, 3, Qt::red);
    record.value = QVariantList{1, QStringLiteral("x"), QVariantMap{{QStringLiteral("k"), 2.5}}};
    record.child = std::make_shared<TestRecord>();
    QRandomGenerator random(20240601);
    for (PlistFormat format : {PlistFormat::Binary, PlistFormat::Xml}) {
        const QByteArray good = KeyedArchiver::archivedData(record, format);
        ASSERT_TRUE(decodeRecord(good));
        for (int round = 0; round < 1500; ++round) {
            QByteArray bad = good;
            const int changes = 1 + random.bounded(4);
            for (int c = 0; c < changes; ++c) {
                const auto pos = static_cast<qsizetype>(random.bounded(int(bad.size())));
                bad[pos] = static_cast<char>(random.bounded(256));
            }
            if (round % 10 == 0) {
                bad.truncate(random.bounded(int(bad.size())));
            }
            QString reason;
            EXPECT_NO_THROW(decodeRecord(bad, &reason));
        }
    }
}

} // namespace
