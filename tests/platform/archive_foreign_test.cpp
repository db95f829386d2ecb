// Archives in the forms the original platform writes: other colour spaces,
// PostScript font names, wrapped strings and data, {"CF$UID"} references,
// numbers stored as objects.
#include "archive_test_support.h"
#include "platform/ArchiveFontName.h"
#include "platform/ArchiveVarint.h"

#include <gtest/gtest.h>

namespace {

Plist bytesOf(const char* text) {
    return Plist::data(QByteArray(text, int(qstrlen(text)) + 1));
}

TEST(ArchiveForeign, ColourSpaces) {
    const struct {
        int space; // 0: no "NSColorSpace"
        const char* key;
        const char* components;
        QColor expected; // invalid: refused
    } rows[] = {
        {1, "NSRGB", "1 0 0", QColor(255, 0, 0)},
        {2, "NSRGB", "0 1 0 0.5", QColor::fromRgbF(0, 1, 0, 0.5f)},
        {3, "NSWhite", "0.5", QColor::fromRgbF(0.5f, 0.5f, 0.5f)},
        {4, "NSWhite", "1 0", QColor::fromRgbF(1, 1, 1, 0)},
        {5, "NSCYMK", "0 1 1 0", QColor(255, 0, 0)},
        {5, "NSCYMK", "0 0 0 1 0.25", QColor::fromRgbF(0, 0, 0, 0.25f)},
        {10, "NSComponents", "0 0 1 1", QColor(0, 0, 255)},
        {0, "NSComponents", "0.25", QColor::fromRgbF(0.25f, 0.25f, 0.25f)},
        {1, "NSRGB", "  0.2\t0.4   0.6  ", QColor::fromRgbF(0.2f, 0.4f, 0.6f)},
        {1, "NSRGB", "2 -1 0", QColor(255, 0, 0)}, // clamped into range
        {1, "NSRGB", "1 x 0", QColor()},
        {1, "NSRGB", "1 0", QColor()},
        {1, "NSRGB", "nan 0 0", QColor()},
        {1, "NSRGB", "0,5 0 0", QColor()}, // a comma is no decimal point
        {3, "NSRGB", "1 0 0", QColor()},   // components under the wrong key
        {7, "NSPatternImage", "1", QColor()},
    };
    for (const auto& row : rows) {
        ArchiveBuilder b;
        const quint64 root = b.addObject(QStringLiteral("TestRecord"));
        const quint64 color = b.addObject(QStringLiteral("NSColor"));
        if (row.space) {
            b.set(color, QStringLiteral("NSColorSpace"), Plist::integer(row.space));
        }
        b.set(color, QString::fromLatin1(row.key), bytesOf(row.components));
        b.setUid(root, QStringLiteral("color"), color);
        QString reason;
        const auto out = decodeRecord(b.bytes(root), &reason);
        ASSERT_TRUE(out) << qPrintable(reason);
        if (!row.expected.isValid()) {
            EXPECT_FALSE(out->color) << row.components;
            continue;
        }
        ASSERT_TRUE(out->color) << row.key << " " << row.components;
        const QRgba64 got = out->color->rgba64();
        const QRgba64 want = row.expected.rgba64();
        EXPECT_NEAR(got.red(), want.red(), 1) << row.components;
        EXPECT_NEAR(got.green(), want.green(), 1) << row.components;
        EXPECT_NEAR(got.blue(), want.blue(), 1) << row.components;
        EXPECT_NEAR(got.alpha(), want.alpha(), 1) << row.components;
    }
}

TEST(ArchiveForeign, PostScriptFontNames) {
    const struct {
        const char* name;
        const char* family;
        bool bold;
        bool italic;
    } rows[] = {
        {"TimesNewRomanPS-BoldMT", "Times New Roman", true, false},
        {"TimesNewRomanPS-BoldItalicMT", "Times New Roman", true, true},
        {"TimesNewRomanPS-ItalicMT", "Times New Roman", false, true},
        {"TimesNewRomanPSMT", "Times New Roman", false, false},
        {"Helvetica-Oblique", "Helvetica", false, true},
        {"Helvetica-BoldOblique", "Helvetica", true, true},
        {"ArialMT", "Arial", false, false},
        {"Arial-BoldMT", "Arial", true, false},
        {"ComicSansMS-Bold", "Comic Sans MS", true, false},
        {"Helvetica", "Helvetica", false, false},
        {"FreeSans", "FreeSans", false, false},
        {"Times New Roman", "Times New Roman", false, false},
    };
    for (const auto& row : rows) {
        const ArchiveFontName::Face face = ArchiveFontName::parse(QString::fromLatin1(row.name));
        EXPECT_EQ(face.family, QString::fromLatin1(row.family)) << row.name;
        EXPECT_EQ(face.bold, row.bold) << row.name;
        EXPECT_EQ(face.italic, row.italic) << row.name;

        // The same through a whole archive, the name wrapped as the platform's
        // mutable strings are and the flags key it writes present.
        ArchiveBuilder b;
        const quint64 root = b.addObject(QStringLiteral("TestRecord"));
        const quint64 name = b.addObject(QStringLiteral("NSMutableString"));
        b.set(name, QStringLiteral("NS.string"), Plist::string(QString::fromLatin1(row.name)));
        const quint64 font = b.addObject(QStringLiteral("NSFont"));
        b.setUid(font, QStringLiteral("NSName"), name);
        b.set(font, QStringLiteral("NSSize"), Plist::real(12));
        b.set(font, QStringLiteral("NSfFlags"), Plist::integer(16));
        b.setUid(root, QStringLiteral("font"), font);
        const auto out = decodeRecord(b.bytes(root));
        ASSERT_TRUE(out && out->font) << row.name;
        EXPECT_EQ(out->font->family(), QString::fromLatin1(row.family));
        EXPECT_EQ(out->font->pointSizeF(), 12);
        EXPECT_EQ(out->font->bold(), row.bold) << row.name;
        EXPECT_EQ(out->font->italic(), row.italic) << row.name;
    }
}

TEST(ArchiveForeign, WrappedStringsDataAndNumberObjects) {
    ArchiveBuilder b;
    const quint64 root = b.addObject(QStringLiteral("TestRecord"));
    const quint64 text = b.addObject(QStringLiteral("NSMutableString"));
    b.set(text, QStringLiteral("NS.string"), Plist::string(QStringLiteral("wrapped é")));
    b.setUid(root, QStringLiteral("text"), text);
    const quint64 data = b.addObject(QStringLiteral("NSMutableData"));
    b.set(data, QStringLiteral("NS.data"), Plist::data("\x01\x02"));
    b.setUid(root, QStringLiteral("bytes"), data);
    // Numbers as objects, a whole real for an integer, an integer for a bool,
    // a rectangle string by reference.
    b.setUid(root, QStringLiteral("int32"), b.add(Plist::integer(-7)));
    b.set(root, QStringLiteral("int64"), Plist::real(4294967296.0));
    b.set(root, QStringLiteral("flag"), Plist::integer(1));
    b.set(root, QStringLiteral("real"), Plist::integer(3));
    b.setUid(root, QStringLiteral("rect"), b.add(Plist::string(QStringLiteral("{{1,2},{3,4}}"))));
    const auto out = decodeRecord(b.bytes(root));
    ASSERT_TRUE(out);
    EXPECT_EQ(out->text, QStringLiteral("wrapped é"));
    EXPECT_EQ(out->bytes, QByteArray("\x01\x02"));
    EXPECT_EQ(out->int32, -7);
    EXPECT_EQ(out->int64, 4294967296LL);
    EXPECT_EQ(out->flag, true);
    EXPECT_EQ(out->real, 3.0);
    EXPECT_EQ(out->rect, QRectF(1, 2, 3, 4));
}

// The same tree with every UID written as {"CF$UID": n}.
Plist cfUidForm(PlistView v) {
    switch (v.type()) {
    case PlistType::Uid: {
        Plist dict = Plist::dictionary();
        dict.insert(QStringLiteral("CF$UID"), Plist::integer(static_cast<qint64>(*v.toUid())));
        return dict;
    }
    case PlistType::Array: {
        Plist list = Plist::array();
        for (int i = 0; i < v.count(); ++i) {
            list.append(cfUidForm(v.at(i)));
        }
        return list;
    }
    case PlistType::Dictionary: {
        Plist dict = Plist::dictionary();
        for (const QString& key : v.keys()) {
            dict.insert(key, cfUidForm(v.value(key)));
        }
        return dict;
    }
    default:
        return v.clone();
    }
}

TEST(ArchiveForeign, CfUidDictionariesInPlaceOfUids) {
    TestRecord in;
    in.text = QStringLiteral("hello");
    in.color = QColor(Qt::blue);
    in.styled = SKTStyledText(QStringLiteral("styled"));
    in.child = std::make_shared<TestRecord>();
    in.child->int32 = 5;
    const Plist archive = cfUidForm(KeyedArchiver::archivedPlist(in).view());
    const QByteArray bytes = archive.toBytes(PlistFormat::Binary);
    const Plist check = Plist::fromBytes(bytes);
    ASSERT_EQ(check.view().value(QStringLiteral("$top")).value(QStringLiteral("root")).type(),
              PlistType::Dictionary);
    QString reason;
    const auto out = decodeRecord(bytes, &reason);
    ASSERT_TRUE(out) << qPrintable(reason);
    EXPECT_EQ(out->text, QStringLiteral("hello"));
    EXPECT_EQ(out->color, QColor(Qt::blue));
    ASSERT_TRUE(out->styled);
    EXPECT_EQ(out->styled->string(), QStringLiteral("styled"));
    ASSERT_TRUE(out->child);
    EXPECT_EQ(out->child->int32, 5);
}

TEST(ArchiveForeign, StyledTextWithRunTable) {
    // "Hi😀!" in three runs: "Hi" regular, the emoji bold in red, "!" with
    // a paragraph style we do not read and no colour (black).
    ArchiveBuilder b;
    const quint64 root = b.addObject(QStringLiteral("TestRecord"));
    const auto font = [&](const char* name, double size) {
        const quint64 f = b.addObject(QStringLiteral("NSFont"));
        b.setUid(f, QStringLiteral("NSName"), b.add(Plist::string(QString::fromLatin1(name))));
        b.set(f, QStringLiteral("NSSize"), Plist::real(size));
        return f;
    };
    const auto attributes = [&](std::vector<std::pair<QString, quint64>> entries) {
        const quint64 dict = b.addObject(QStringLiteral("NSDictionary"));
        Plist keys = Plist::array();
        Plist values = Plist::array();
        for (const auto& [key, uid] : entries) {
            keys.append(Plist::uid(b.add(Plist::string(key))));
            values.append(Plist::uid(uid));
        }
        b.set(dict, QStringLiteral("NS.keys"), std::move(keys));
        b.set(dict, QStringLiteral("NS.objects"), std::move(values));
        return dict;
    };
    const quint64 red = b.addObject(QStringLiteral("NSColor"));
    b.set(red, QStringLiteral("NSColorSpace"), Plist::integer(1));
    b.set(red, QStringLiteral("NSRGB"), bytesOf("1 0 0"));
    const quint64 style = b.addObject(QStringLiteral("NSParagraphStyle"));
    const quint64 plain = attributes({{"NSFont", font("TimesNewRomanPSMT", 14)}});
    const quint64 bold =
        attributes({{"NSFont", font("TimesNewRomanPS-BoldMT", 18)}, {"NSColor", red}});
    const quint64 styled =
        attributes({{"NSFont", font("Helvetica", 9)}, {"NSParagraphStyle", style}});
    const quint64 list = b.addObject(QStringLiteral("NSArray"));
    Plist sets = Plist::array();
    for (quint64 uid : {plain, bold, styled}) {
        sets.append(Plist::uid(uid));
    }
    b.set(list, QStringLiteral("NS.objects"), std::move(sets));
    QByteArray info;
    for (quint64 v : {2, 0, 2, 1, 1, 2}) {
        ArchiveVarint::append(info, v);
    }
    const quint64 string = b.addObject(QStringLiteral("NSMutableString"));
    b.set(string, QStringLiteral("NS.string"), Plist::string(QStringLiteral("Hi😀!")));
    const quint64 storage = b.addObject(QStringLiteral("NSTextStorage"));
    b.setUid(storage, QStringLiteral("NSString"), string);
    b.setUid(storage, QStringLiteral("NSAttributes"), list);
    const quint64 infoUid = b.add(Plist::data(info));
    b.setUid(storage, QStringLiteral("NSAttributeInfo"), infoUid);
    b.setUid(root, QStringLiteral("styled"), storage);

    auto out = decodeRecord(b.bytes(root));
    ASSERT_TRUE(out && out->styled);
    const SKTStyledText& text = *out->styled;
    EXPECT_EQ(text.string(), QStringLiteral("Hi😀!"));
    ASSERT_EQ(text.runs().size(), 3u);
    EXPECT_EQ(text.runs()[0].length, 2);
    EXPECT_EQ(text.runs()[0].font.family(), QStringLiteral("Times New Roman"));
    EXPECT_FALSE(text.runs()[0].font.bold());
    EXPECT_EQ(text.runs()[1].length, 2);
    EXPECT_TRUE(text.runs()[1].font.bold());
    EXPECT_EQ(text.runs()[1].font.pointSizeF(), 18);
    EXPECT_EQ(text.runs()[1].color, QColor(255, 0, 0));
    EXPECT_EQ(text.runs()[2].font.family(), QStringLiteral("Helvetica"));
    EXPECT_EQ(text.runs()[2].color, QColor(Qt::black));

    // Run tables that do not fit the text keep the text in the first run's
    // attributes instead of losing it.
    const QByteArray broken[] = {
        QByteArray("\x02\x00\x02\x01\x05\x02"), // longer than the text
        QByteArray("\x02\x00\x02\x07\x01\x02"), // attribute index out of range
        QByteArray("\x02\x00\x82", 3),          // ends inside a number
        QByteArray("\x01\x00", 2),              // shorter than the text
    };
    for (const QByteArray& bad : broken) {
        Plist archive = b.build(root);
        // Replace the run table in place.
        Plist objects = archive.view().value(QStringLiteral("$objects")).clone();
        Plist rebuilt = Plist::array();
        for (int i = 0; i < objects.view().count(); ++i) {
            rebuilt.append(quint64(i) == infoUid ? Plist::data(bad) : objects.view().at(i).clone());
        }
        archive.insert(QStringLiteral("$objects"), std::move(rebuilt));
        out = decodeRecord(archive.toBytes(PlistFormat::Binary));
        ASSERT_TRUE(out && out->styled) << bad.toHex().constData();
        EXPECT_EQ(out->styled->string(), QStringLiteral("Hi😀!"));
        ASSERT_EQ(out->styled->runs().size(), 1u);
        EXPECT_EQ(out->styled->runs()[0].font.family(), QStringLiteral("Times New Roman"));
    }
}

} // namespace
