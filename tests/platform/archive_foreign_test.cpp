// Archives in the forms the original platform writes: other colour spaces,
// PostScript font names, {"CF$UID"} references. The fixture archives cover
// the rest (wrapped strings, run tables, pictures).
#include "archive_test_support.h"
#include "platform/ArchiveFontName.h"

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
        const QFont f = ArchiveFontName::font(QString::fromLatin1(row.name), 18);
        EXPECT_EQ(f.family(), QString::fromLatin1(row.family));
        EXPECT_EQ(f.pointSizeF(), 18);
        EXPECT_EQ(f.bold(), row.bold) << row.name;
        EXPECT_EQ(f.italic(), row.italic) << row.name;
    }
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

} // namespace
