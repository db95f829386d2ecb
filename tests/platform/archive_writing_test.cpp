// The archiver writes binary property lists straight from its own objects;
// these check that the bytes are the ones the same libplist tree gives, and
// the hand-written number parsing and key look-ups behind reading.
#include "archive_test_support.h"
#include "platform/ArchiveColor.h"
#include "platform/PlistBinaryWriter.h"
#include "platform/RectStrings.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

namespace {

// Writes whatever keys and values a test gives it, duplicates included.
struct FreeForm : KeyedArchivable {
    std::function<void(KeyedArchiver&)> fill;
    QStringList archiveClassChain() const override { return {QStringLiteral("FreeForm")}; }
    void encodeWithCoder(KeyedArchiver& coder) const override { fill(coder); }
};

FreeForm freeForm(std::function<void(KeyedArchiver&)> fill) {
    FreeForm object;
    object.fill = std::move(fill);
    return object;
}

void expectSameBytesAsTree(const KeyedArchivable& object, const char* what) {
    const Plist tree = KeyedArchiver::archivedPlist(object);
    ASSERT_FALSE(tree.isNull()) << what;
    const QByteArray binary = KeyedArchiver::archivedData(object);
    EXPECT_TRUE(binary.startsWith("bplist00")) << what;
    EXPECT_EQ(binary, tree.toBytes(PlistFormat::Binary)) << what;
    EXPECT_EQ(KeyedArchiver::archivedData(object, PlistFormat::Xml), tree.toBytes(PlistFormat::Xml))
        << what;
    // And the written bytes read back to the same tree.
    EXPECT_EQ(Plist::fromBytes(binary).toBytes(PlistFormat::Xml), tree.toBytes(PlistFormat::Xml))
        << what;
}

TEST(ArchiveWriting, SameBytesAsTheLibplistTree) {
    QFont bold(QStringLiteral("Courier"));
    bold.setPointSizeF(9.5);
    bold.setBold(true);
    SKTStyledText styled(QStringLiteral("Grüße an alle 🎉"));
    styled.setAttributes(0, 5, bold, QColor::fromRgbF(0.1f, 0.2f, 0.3f, 0.4f));

    const struct {
        const char* what;
        std::function<void(KeyedArchiver&)> fill;
    } rows[] = {
        {"nothing", [](KeyedArchiver&) {}},
        {"numbers of every width",
         [](KeyedArchiver& c) {
             const qint64 values[] = {
                 0,     1,          255,        256, 65535,
                 65536, 4294967295, 4294967296, -1,  std::numeric_limits<qint64>::min()};
             for (size_t i = 0; i < std::size(values); ++i) {
                 c.encodeInt64(QStringLiteral("n%1").arg(i), values[i]);
             }
             c.encodeFloat(QStringLiteral("f"), 0.1f);
             c.encodeDouble(QStringLiteral("d"), 0.1);
             c.encodeDouble(QStringLiteral("z"), -0.0);
             c.encodeBool(QStringLiteral("b"), false);
         }},
        {"strings and keys beyond ASCII, and with NUL",
         [](KeyedArchiver& c) {
             c.encodeString(QStringLiteral("é"), QStringLiteral("ünïcödé"));
             c.encodeString(QStringLiteral("emoji"), QStringLiteral("🎉 party"));
             c.encodeString(QStringLiteral("nul"), QString::fromUtf8("before\0after", 12));
             c.encodeInt32(QString::fromUtf8("key\0tail", 8), 7);
             c.encodeString(QStringLiteral("empty"), QStringLiteral(""));
             c.encodeString(QStringLiteral("none"), QString());
         }},
        {"a key written twice keeps its first place",
         [](KeyedArchiver& c) {
             c.encodeInt32(QStringLiteral("a"), 1);
             c.encodeInt32(QStringLiteral("b"), 2);
             c.encodeString(QStringLiteral("a"), QStringLiteral("again"));
         }},
        {"dictionaries just under and over 15 entries",
         [](KeyedArchiver& c) {
             for (int i = 0; i < 14; ++i) {
                 c.encodeInt32(QStringLiteral("k%1").arg(i), i);
             }
             QVariantMap map;
             for (int i = 0; i < 15; ++i) {
                 map.insert(QStringLiteral("m%1").arg(i), i * 1.5);
             }
             c.encodeValue(QStringLiteral("map"), map);
         }},
        {"more than 255 objects",
         [](KeyedArchiver& c) {
             QVariantList list;
             for (int i = 0; i < 300; ++i) {
                 list.append(QStringLiteral("item %1").arg(i));
             }
             c.encodeValue(QStringLiteral("list"), list);
         }},
        {"data, colours, fonts and styled text",
         [&](KeyedArchiver& c) {
             c.encodeData(QStringLiteral("empty data"), QByteArray());
             c.encodeData(QStringLiteral("data"), QByteArray(300, 'x'));
             c.encodeColor(QStringLiteral("red"), Qt::red);
             c.encodeColor(QStringLiteral("red again"), QColor(255, 0, 0));
             c.encodeColor(QStringLiteral("invalid"), QColor());
             c.encodeFont(QStringLiteral("font"), bold);
             c.encodeStyledText(QStringLiteral("styled"), styled);
             c.encodeRect(QStringLiteral("rect"), QRectF(0.5, -1, 1e10, 1.0 / 3.0));
             c.encodeNull(QStringLiteral("null"));
         }},
    };
    for (const auto& row : rows) {
        expectSameBytesAsTree(freeForm(row.fill), row.what);
    }

    // The shared test record, with a child written twice.
    TestRecord record;
    record.flag = true;
    record.text = QStringLiteral("shared");
    record.child = std::make_shared<TestRecord>();
    record.child->int32 = 5;
    record.sibling = record.child;
    expectSameBytesAsTree(record, "record with a shared child");
}

TEST(ArchiveWriting, StreamGivesTheTreeWritersBytes) {
    // The same list built as a libplist tree and through the stream.
    Plist tree = Plist::array();
    PlistBinaryWriter::Stream stream;
    const int root = stream.openArray();
    std::vector<int> items;
    const auto both = [&](Plist&& node, int number) {
        tree.append(std::move(node));
        items.push_back(number);
    };
    both(Plist::boolean(true), stream.boolean(true));
    both(Plist::integer(-5), stream.integer(-5));
    both(Plist::integer(300), stream.integer(300));
    both(Plist::real(1e300), stream.real(1e300));
    both(Plist::real(0.25), stream.real(0.25));
    both(Plist::uid(70000), stream.uid(70000));
    both(Plist::string(QStringLiteral("ascii")), stream.string(u"ascii"));
    both(Plist::string(QStringLiteral("ascii")), stream.string(u"ascii")); // stored once
    both(Plist::string(QStringLiteral("naïve")), stream.string(u"naïve"));
    both(Plist::data(QByteArray(15, '\1')), stream.data(QByteArray(15, '\1')));
    both(Plist::data(QByteArray()), stream.data(QByteArray()));
    Plist inner = Plist::dictionary();
    const int dict = stream.openDictionary();
    std::vector<int> refs;
    std::vector<int> values;
    for (int i = 0; i < 16; ++i) {
        const QString key = QStringLiteral("key %1").arg(i);
        inner.insert(key, Plist::integer(i));
        refs.push_back(stream.encoded(PlistBinaryWriter::Stream::encodedString(key)));
        values.push_back(stream.integer(i));
    }
    refs.insert(refs.end(), values.begin(), values.end());
    stream.close(dict, std::move(refs));
    both(std::move(inner), dict);
    stream.close(root, std::move(items));
    EXPECT_EQ(stream.bytes(), tree.toBytes(PlistFormat::Binary));
}

TEST(ArchiveWriting, ColourComponentsReadByHand) {
    const struct {
        QByteArray text;
        std::optional<std::vector<double>> expected;
    } rows[] = {
        {QByteArray("0.5 0.25 1\0", 11), std::vector<double>{0.5, 0.25, 1}},
        {QByteArray("1 0 0\0 0.5", 10), std::vector<double>{1, 0, 0}}, // stops at NUL
        {"\t0.2\n0.4\r\n0.6 ", std::vector<double>{0.2, 0.4, 0.6}},
        {"0.2\xa0"
         "0.4\x85"
         "0.6",
         std::vector<double>{0.2, 0.4, 0.6}}, // Latin-1 spaces
        {"+0.5 1e-1 .5", std::vector<double>{0.5, 0.1, 0.5}},
        {"2 -1", std::vector<double>{1, 0}}, // clamped
        {"", std::vector<double>{}},
        {"1 1 1 1 1 1 1 1", std::vector<double>(8, 1.0)},
        {"1 1 1 1 1 1 1 1 1", std::nullopt}, // more than 8
        {"0.5 x", std::nullopt},
        {"0,5", std::nullopt},
        {"inf 0 0", std::nullopt},
        {"0.5\xe9", std::nullopt},
        {QByteArray(70, '1'), std::nullopt}, // a token too long for a number
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ArchiveColor::components(row.text), row.expected) << row.text.constData();
    }
}

TEST(ArchiveWriting, ColourTextReadsBackToEvery16BitValue) {
    for (int v = 0; v <= 65535; v += 7) {
        const auto c = static_cast<quint16>(v);
        const QColor color = QColor::fromRgba64(c, 65535 - c, c / 2, c);
        const QByteArray text = ArchiveColor::rgbText(color);
        ASSERT_TRUE(text.endsWith('\0'));
        const auto parts = ArchiveColor::components(text);
        ASSERT_TRUE(parts) << text.constData();
        ASSERT_EQ(ArchiveColor::fromComponents(*parts).rgba64(), color.rgba64())
            << text.constData();
    }
    EXPECT_EQ(ArchiveColor::rgbText(QColor::fromRgbF(0.5f, 0, 1)), QByteArray("0.5 0 1\0", 8));
    EXPECT_EQ(ArchiveColor::rgbText(QColor::fromRgbF(1, 1, 1, 0.25f)),
              QByteArray("1 1 1 0.25\0", 11));
}

TEST(ArchiveWriting, NumbersParsedFromLatin1Text) {
    const struct {
        const char* text;
        std::optional<double> expected;
    } rows[] = {
        {"1.5", 1.5}, {"+2", 2.0}, {"-0.25", -0.25}, {"1e3", 1000.0}, {"", {}},     {"+", {}},
        {"1.5x", {}}, {"nan", {}}, {"1e999", {}},    {" 1", {}},      {"0x10", {}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(RectStrings::parseNumber(row.text, qstrlen(row.text)), row.expected) << row.text;
        EXPECT_EQ(RectStrings::parseNumber(QString::fromLatin1(row.text)), row.expected)
            << row.text;
    }
    EXPECT_EQ(RectStrings::parseNumber(u"1\u20ac"), std::nullopt); // not Latin-1
    EXPECT_EQ(RectStrings::parseNumber(QString(65, u'1')), std::nullopt);
    EXPECT_EQ(RectStrings::fromRect(QRectF(-0.0, 0.1, 1e21, 2.5)),
              QStringLiteral("{{0, 0.1}, {1e+21, 2.5}}"));
    EXPECT_EQ(RectStrings::fromPoint(QPointF(1.0 / 3.0, -7)),
              QStringLiteral("{0.3333333333333333, -7}"));
}

// Objects read through each key in any order, present or not, small or
// large, and values shared between keys.
TEST(ArchiveWriting, KeysFoundInAnyOrder) {
    TestRecord::registerClass();
    for (const bool reversed : {false, true}) {
        ArchiveBuilder b;
        const quint64 root = b.addObject(QStringLiteral("TestRecord"));
        const quint64 color = b.addObject(QStringLiteral("NSColor"));
        b.set(color, QStringLiteral("NSColorSpace"), Plist::integer(1));
        b.set(color, QStringLiteral("NSRGB"), Plist::data(QByteArray("0 0 1\0", 6)));
        const quint64 text = b.add(Plist::string(QStringLiteral("hello")));
        std::vector<std::function<void()>> sets = {
            [&] { b.set(root, QStringLiteral("flag"), Plist::boolean(true)); },
            [&] { b.set(root, QStringLiteral("int32"), Plist::integer(-3)); },
            [&] { b.set(root, QStringLiteral("int64"), Plist::integer(1LL << 40)); },
            [&] { b.set(root, QStringLiteral("real"), Plist::real(2.5)); },
            [&] {
                b.set(root, QStringLiteral("rect"), Plist::string(QStringLiteral("{{1,2},{3,4}}")));
            },
            [&] { b.setUid(root, QStringLiteral("text"), text); },
            [&] { b.setUid(root, QStringLiteral("color"), color); },
            [&] { b.set(root, QStringLiteral("unknown 1"), Plist::integer(1)); },
            [&] { b.set(root, QStringLiteral("unknown 2"), Plist::integer(2)); },
            [&] { b.set(root, QStringLiteral("unknown 3"), Plist::integer(3)); },
        };
        if (reversed) {
            std::reverse(sets.begin(), sets.end());
        }
        for (const auto& set : sets) {
            set();
        }
        QString reason;
        const auto out = decodeRecord(b.bytes(root), &reason);
        ASSERT_TRUE(out) << qPrintable(reason);
        EXPECT_EQ(out->flag, true);
        EXPECT_EQ(out->int32, -3);
        EXPECT_EQ(out->int64, 1LL << 40);
        EXPECT_EQ(out->real, 2.5);
        EXPECT_EQ(out->rect, QRectF(1, 2, 3, 4));
        EXPECT_EQ(out->text, QStringLiteral("hello"));
        EXPECT_EQ(out->color, QColor(Qt::blue));
        EXPECT_FALSE(out->single);
        EXPECT_FALSE(out->font);
        EXPECT_FALSE(out->styled);
    }
}

TEST(ArchiveWriting, SharedColoursAndFontsReadAlike) {
    TestRecord::registerClass();
    ArchiveBuilder b;
    const quint64 root = b.addObject(QStringLiteral("TestRecord"));
    const quint64 child = b.addObject(QStringLiteral("TestRecord"));
    const quint64 color = b.addObject(QStringLiteral("NSColor"));
    b.set(color, QStringLiteral("NSColorSpace"), Plist::integer(1));
    b.set(color, QStringLiteral("NSRGB"), Plist::data(QByteArray("0.5 0.25 0\0", 11)));
    const quint64 broken = b.addObject(QStringLiteral("NSColor"));
    b.set(broken, QStringLiteral("NSColorSpace"), Plist::integer(1));
    b.set(broken, QStringLiteral("NSRGB"), Plist::data(QByteArray("red\0", 4)));
    const quint64 font = b.addObject(QStringLiteral("NSFont"));
    b.setUid(font, QStringLiteral("NSName"), b.add(Plist::string(QStringLiteral("Helvetica"))));
    b.set(font, QStringLiteral("NSSize"), Plist::real(11));
    for (const quint64 object : {root, child}) {
        b.setUid(object, QStringLiteral("color"), object == root ? color : broken);
        b.setUid(object, QStringLiteral("font"), font);
    }
    b.setUid(root, QStringLiteral("child"), child);
    b.setUid(root, QStringLiteral("sibling"), child);
    const quint64 second = b.addObject(QStringLiteral("TestRecord"));
    b.setUid(second, QStringLiteral("color"), broken);
    b.setUid(second, QStringLiteral("font"), font);
    b.setUid(child, QStringLiteral("child"), second);

    QString reason;
    const auto out = decodeRecord(b.bytes(root), &reason);
    ASSERT_TRUE(out) << qPrintable(reason);
    ASSERT_TRUE(out->child);
    ASSERT_TRUE(out->child->child);
    EXPECT_EQ(out->child, out->sibling);
    EXPECT_EQ(out->color, QColor::fromRgbF(0.5f, 0.25f, 0));
    EXPECT_FALSE(out->child->color);
    EXPECT_FALSE(out->child->child->color);
    ASSERT_TRUE(out->font);
    EXPECT_EQ(out->font->family(), QStringLiteral("Helvetica"));
    EXPECT_EQ(out->font->pointSizeF(), 11);
    EXPECT_EQ(out->child->font, out->font);
    EXPECT_EQ(out->child->child->font, out->font);
}

} // namespace
