// Every archive value kind written and read back, in both property-list
// formats, plus the byte-level forms other readers depend on.
#include "archive_test_support.h"
#include "platform/ArchiveVarint.h"
#include "platform/CardUnits.h"
#include "platform/RectStrings.h"

#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

QFont font(const QString& family, double size, bool bold = false, bool italic = false) {
    QFont f(family);
    f.setPointSizeF(size);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

// The dictionary of the archive's root object and the $objects list.
struct ArchiveParts {
    Plist plist;
    PlistView objects;
    PlistView root;
};
ArchiveParts parts(const QByteArray& bytes) {
    ArchiveParts p;
    p.plist = Plist::fromBytes(bytes);
    p.objects = p.plist.view().value(QStringLiteral("$objects"));
    const auto rootUid =
        p.plist.view().value(QStringLiteral("$top")).value(QStringLiteral("root")).toUid();
    p.root = p.objects.at(static_cast<int>(rootUid.value_or(0)));
    return p;
}
PlistView deref(const ArchiveParts& p, PlistView v) {
    return p.objects.at(static_cast<int>(v.toUid().value_or(0)));
}

class ArchiveRoundTrip : public ::testing::TestWithParam<PlistFormat> {};

TEST_P(ArchiveRoundTrip, NumbersBoolsAndGeometry) {
    const struct {
        bool flag;
        qint32 i32;
        qint64 i64;
        float f;
        double d;
        QRectF rect;
    } rows[] = {
        {true, -1, -5000000000LL, 1.1f, 0.1, QRectF(0, 0, 243, 154)},
        {false, std::numeric_limits<qint32>::min(), std::numeric_limits<qint64>::max(), -0.0f,
         -1e300, QRectF(-12.25, 3.5, 0.001, 1e9)},
        {true, std::numeric_limits<qint32>::max(), std::numeric_limits<qint64>::min(),
         std::numeric_limits<float>::max(), 2.0 / 3.0, QRectF(1.0 / 3.0, 0, 0, 0)},
    };
    for (const auto& row : rows) {
        TestRecord in;
        in.flag = row.flag;
        in.int32 = row.i32;
        in.int64 = row.i64;
        in.single = row.f;
        in.real = row.d;
        in.rect = row.rect;
        in.point = row.rect.topLeft();
        in.size = row.rect.size();
        QString reason;
        const auto out = roundTrip(in, GetParam(), &reason);
        ASSERT_TRUE(out) << qPrintable(reason);
        EXPECT_EQ(out->flag, row.flag);
        EXPECT_EQ(out->int32, row.i32);
        EXPECT_EQ(out->int64, row.i64);
        ASSERT_TRUE(out->single);
        EXPECT_EQ(*out->single, row.f); // the exact 32-bit value
        EXPECT_EQ(out->real, row.d);
        EXPECT_EQ(out->rect, row.rect);
        EXPECT_EQ(out->point, row.rect.topLeft());
        EXPECT_EQ(out->size, row.rect.size());
        // Keys that were never written stay absent.
        EXPECT_FALSE(out->text);
        EXPECT_FALSE(out->color);
        EXPECT_FALSE(out->font);
        EXPECT_FALSE(out->child);
    }
}

TEST_P(ArchiveRoundTrip, StringsAndData) {
    const QString samples[] = {QStringLiteral("Grüße – 日本語 😀"), QString(""),
                               QStringLiteral("$null"), QStringLiteral("line\nbreak\ttab")};
    for (const QString& s : samples) {
        TestRecord in;
        in.text = s;
        in.bytes = s.toUtf8() + QByteArray("\0\x01\xff", 3);
        const auto out = roundTrip(in, GetParam());
        ASSERT_TRUE(out);
        ASSERT_TRUE(out->text);
        EXPECT_EQ(*out->text, s);
        EXPECT_FALSE(out->text->isNull());
        EXPECT_EQ(out->bytes, in.bytes);
    }
    TestRecord nulls;
    nulls.text = QString();
    const auto out = roundTrip(nulls, GetParam());
    ASSERT_TRUE(out && out->text);
    EXPECT_TRUE(out->text->isNull());
}

TEST_P(ArchiveRoundTrip, ColorsAndFonts) {
    const QColor colors[] = {Qt::black, QColor(255, 0, 0, 128),
                             QColor::fromRgbF(0.2f, 0.4f, 0.6f, 0.5f), QColor(1, 2, 3), Qt::white};
    for (const QColor& c : colors) {
        TestRecord in;
        in.color = c;
        const auto out = roundTrip(in, GetParam());
        ASSERT_TRUE(out && out->color);
        EXPECT_EQ(out->color->rgba64(), c.rgba64()) << qPrintable(c.name(QColor::HexArgb));
    }
    const QFont fonts[] = {font("Times New Roman", 14, true, true), font("Helvetica", 10.5),
                           font("Times New Roman", 72, true, false),
                           font("Courier", 8, false, true)};
    for (const QFont& f : fonts) {
        TestRecord in;
        in.font = f;
        const auto out = roundTrip(in, GetParam());
        ASSERT_TRUE(out && out->font);
        EXPECT_EQ(out->font->family(), f.family());
        EXPECT_EQ(out->font->pointSizeF(), f.pointSizeF());
        EXPECT_EQ(out->font->bold(), f.bold());
        EXPECT_EQ(out->font->italic(), f.italic());
    }
    TestRecord invalid;
    invalid.color = QColor();
    const auto out = roundTrip(invalid, GetParam());
    ASSERT_TRUE(out && out->color); // present, and "none"
    EXPECT_FALSE(out->color->isValid());
}

TEST_P(ArchiveRoundTrip, FontEffectsComeBackAndAPlainFontWritesNoneOfTheirKeys) {
    const auto with = [](auto change) {
        QFont f = font("Times New Roman", 14);
        change(f);
        return f;
    };
    const QFont fonts[] = {
        font("Times New Roman", 14),
        with([](QFont& f) { f.setUnderline(true); }),
        with([](QFont& f) { f.setStrikeOut(true); }),
        with([](QFont& f) {
            f.setWeight(QFont::Light);
            f.setStyleName(QStringLiteral("Light"));
        }),
        with([](QFont& f) {
            f.setWeight(QFont::DemiBold);
            f.setItalic(true);
        }),
        with([](QFont& f) { f.setLetterSpacing(QFont::PercentageSpacing, 120); }),
        with([](QFont& f) {
            f.setLetterSpacing(QFont::AbsoluteSpacing, -1.5);
            f.setWordSpacing(4);
        }),
    };
    for (const QFont& f : fonts) {
        SCOPED_TRACE(f.toString().toStdString());
        TestRecord in;
        in.font = f;
        const auto out = roundTrip(in, GetParam());
        ASSERT_TRUE(out && out->font);
        const QFont& back = *out->font;
        EXPECT_EQ(back.weight(), f.weight());
        EXPECT_EQ(back.italic(), f.italic());
        EXPECT_EQ(back.styleName(), f.styleName());
        EXPECT_EQ(back.underline(), f.underline());
        EXPECT_EQ(back.strikeOut(), f.strikeOut());
        EXPECT_EQ(back.letterSpacingType(), f.letterSpacingType());
        EXPECT_DOUBLE_EQ(back.letterSpacing(), f.letterSpacing());
        EXPECT_DOUBLE_EQ(back.wordSpacing(), f.wordSpacing());
    }
    // A plain font's archive is the one older versions wrote.
    const QByteArray plain = KeyedArchiver::archivedRootValue(QVariant(fonts[0]));
    EXPECT_FALSE(plain.contains("SKTFont")) << plain.constData();
}

TEST_P(ArchiveRoundTrip, StyledText) {
    SKTStyledText one(QStringLiteral("Hello World"), font("Times New Roman", 14), Qt::black);

    // Three runs, the middle one an emoji (two UTF-16 units) in a bold italic
    // face, the last one half transparent.
    SKTStyledText three(QStringLiteral("ab😀cd"), font("Times New Roman", 14), Qt::black);
    three.setAttributes(2, 2, font("Times New Roman", 20, true, true), QColor(200, 10, 10));
    three.setColor(4, 2, QColor::fromRgbF(0, 0, 1, 0.5f));
    ASSERT_EQ(three.runs().size(), 3u);

    SKTStyledText empty;
    empty.setAttributes(0, 0, font("Helvetica", 9), Qt::blue);

    for (const SKTStyledText& text : {one, three, empty}) {
        TestRecord in;
        in.styled = text;
        const auto out = roundTrip(in, GetParam());
        ASSERT_TRUE(out && out->styled);
        EXPECT_EQ(out->styled->string(), text.string());
        ASSERT_EQ(out->styled->runs().size(), text.runs().size());
        for (size_t i = 0; i < text.runs().size(); ++i) {
            const SKTTextRun& a = out->styled->runs()[i];
            const SKTTextRun& b = text.runs()[i];
            EXPECT_EQ(a.length, b.length);
            EXPECT_EQ(a.font.family(), b.font.family());
            EXPECT_EQ(a.font.pointSizeF(), b.font.pointSizeF());
            EXPECT_EQ(a.font.bold(), b.font.bold());
            EXPECT_EQ(a.font.italic(), b.font.italic());
            EXPECT_EQ(a.color.rgba64(), b.color.rgba64());
        }
    }
}

TEST_P(ArchiveRoundTrip, Pictures) {
    // A 600-dpi raster: 600 x 300 pixels is 72 x 36 points.
    QImage image(600, 300, QImage::Format_ARGB32);
    image.fill(QColor(10, 200, 30));
    for (int x = 0; x < 600; ++x) {
        image.setPixelColor(x, 150, QColor(255, 0, 0));
    }
    CardUnits::markResolution(image, 600);
    const CardPicture raster = CardPicture::fromImage(image);
    ASSERT_EQ(raster.size(), QSizeF(72, 36));

    TestRecord in;
    in.picture = raster;
    auto out = roundTrip(in, GetParam());
    ASSERT_TRUE(out && out->picture && !out->picture->isNull());
    EXPECT_NEAR(out->picture->size().width(), 72, 1e-9);
    EXPECT_NEAR(out->picture->size().height(), 36, 1e-9);
    const QImage back = out->picture->image();
    ASSERT_EQ(back.size(), image.size());
    EXPECT_EQ(back.pixelColor(17, 150), QColor(255, 0, 0));
    EXPECT_EQ(back.pixelColor(17, 10), QColor(10, 200, 30));

    // A vector picture keeps its size and becomes a raster of at least 144 dpi.
    const CardPicture vector = CardPicture::fromDrawer(
        QSizeF(100, 50), [](QPainter& p) { p.fillRect(QRectF(0, 0, 50, 50), Qt::blue); });
    in.picture = vector;
    out = roundTrip(in, GetParam());
    ASSERT_TRUE(out && out->picture && out->picture->isRaster());
    EXPECT_NEAR(out->picture->size().width(), 100, 1e-9);
    EXPECT_NEAR(out->picture->size().height(), 50, 1e-9);
    EXPECT_GE(out->picture->image().width(), 200);
    const QImage v = out->picture->image();
    EXPECT_EQ(v.pixelColor(10, 10).blue(), 255);
    EXPECT_EQ(v.pixelColor(v.width() - 10, 10).alpha(), 0);

    in.picture = CardPicture();
    out = roundTrip(in, GetParam());
    ASSERT_TRUE(out && out->picture);
    EXPECT_TRUE(out->picture->isNull());
}

TEST_P(ArchiveRoundTrip, ValuesAndObjects) {
    TestRecord in;
    const QVariantMap map{
        {QStringLiteral("name"), QStringLiteral("Zoë")},
        {QStringLiteral("count"), -3},
        {QStringLiteral("big"), qlonglong(1) << 40},
        {QStringLiteral("ratio"), 0.25},
        {QStringLiteral("on"), true},
        {QStringLiteral("blob"), QByteArray("\x00\x01", 2)},
        {QStringLiteral("list"), QVariantList{1, QStringLiteral("two"), QVariant()}},
        {QStringLiteral("ink"), QColor(Qt::red)}};
    in.value = map;
    auto child = std::make_shared<TestRecord>();
    child->text = QStringLiteral("child");
    in.child = child;
    in.sibling = child; // the same object twice
    const auto out = roundTrip(in, GetParam());
    ASSERT_TRUE(out && out->value);
    const QVariantMap back = out->value->toMap();
    EXPECT_EQ(back.keys(), map.keys());
    EXPECT_EQ(back.value(QStringLiteral("name")).toString(), QStringLiteral("Zoë"));
    EXPECT_EQ(back.value(QStringLiteral("count")).toInt(), -3);
    EXPECT_EQ(back.value(QStringLiteral("big")).toLongLong(), qlonglong(1) << 40);
    EXPECT_EQ(back.value(QStringLiteral("ratio")).toDouble(), 0.25);
    EXPECT_EQ(back.value(QStringLiteral("on")).typeId(), QMetaType::Bool);
    EXPECT_EQ(back.value(QStringLiteral("blob")).toByteArray(), QByteArray("\x00\x01", 2));
    const QVariantList list = back.value(QStringLiteral("list")).toList();
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list[1].toString(), QStringLiteral("two"));
    EXPECT_FALSE(list[2].isValid());
    EXPECT_EQ(back.value(QStringLiteral("ink")).value<QColor>(), QColor(Qt::red));
    ASSERT_TRUE(out->child);
    EXPECT_EQ(out->child->text, QStringLiteral("child"));
    EXPECT_EQ(out->child.get(), out->sibling.get()); // still one object
}

INSTANTIATE_TEST_SUITE_P(Formats, ArchiveRoundTrip,
                         ::testing::Values(PlistFormat::Binary, PlistFormat::Xml),
                         [](const auto& info) {
                             return info.param == PlistFormat::Binary ? "Binary" : "Xml";
                         });

TEST(ArchiveBytes, StructureOfTheArchive) {
    TestRecord record;
    record.text = QStringLiteral("same");
    auto child = std::make_shared<TestRecord>();
    child->text = QStringLiteral("same");
    record.child = child;
    const QByteArray bytes = KeyedArchiver::archivedData(record);
    ASSERT_TRUE(bytes.startsWith("bplist00"));

    const ArchiveParts p = parts(bytes);
    const PlistView top = p.plist.view();
    EXPECT_EQ(top.value(QStringLiteral("$archiver")).toString(), QStringLiteral("NSKeyedArchiver"));
    EXPECT_EQ(top.value(QStringLiteral("$version")).toInt64(), 100000);
    EXPECT_EQ(p.objects.at(0).toString(), QStringLiteral("$null"));

    // Both records share one class entry; the equal strings are stored once.
    int classEntries = 0;
    int sameStrings = 0;
    for (int i = 0; i < p.objects.count(); ++i) {
        const PlistView o = p.objects.at(i);
        if (!o.value(QStringLiteral("$classname")).isNull()) {
            ++classEntries;
            const PlistView chain = o.value(QStringLiteral("$classes"));
            EXPECT_EQ(chain.at(chain.count() - 1).toString(), QStringLiteral("NSObject"));
        }
        sameStrings += o.toString() == QStringLiteral("same");
    }
    EXPECT_EQ(classEntries, 1);
    EXPECT_EQ(sameStrings, 1);
    const PlistView entry = deref(p, p.root.value(QStringLiteral("$class")));
    EXPECT_EQ(entry.value(QStringLiteral("$classname")).toString(), QStringLiteral("TestRecord"));
    EXPECT_EQ(entry.value(QStringLiteral("$classes")).at(1).toString(), QStringLiteral("TestBase"));

    auto coder = KeyedUnarchiver::fromData(bytes);
    ASSERT_TRUE(coder);
    EXPECT_EQ(coder->rootClassName(), QStringLiteral("TestRecord"));
}

// Colours and fonts stored on their own, as design files keep a card's
// border colour and content font.
TEST(ArchiveBytes, ValuesAsTheRoot) {
    const QColor color = QColor::fromRgbF(0.25f, 0.5f, 1, 0.5f);
    const QFont bold = font("Times New Roman", 18, true, false);
    const QVariant values[] = {color, bold, QStringLiteral("ünïcode"),
                               QVariantList{1, QStringLiteral("a")}};
    for (const QVariant& value : values) {
        for (PlistFormat format : {PlistFormat::Binary, PlistFormat::Xml}) {
            const QByteArray bytes = KeyedArchiver::archivedRootValue(value, format);
            QString reason;
            auto coder = KeyedUnarchiver::fromData(bytes, &reason);
            ASSERT_TRUE(coder) << qPrintable(reason);
            const auto back = coder->decodeRootValue(&reason);
            ASSERT_TRUE(back) << qPrintable(reason);
            if (value.typeId() == QMetaType::QFont) {
                const QFont f = back->value<QFont>();
                EXPECT_EQ(f.family(), bold.family());
                EXPECT_EQ(f.pointSizeF(), 18);
                EXPECT_TRUE(f.bold());
            } else {
                EXPECT_EQ(*back, value) << value.typeName();
            }
            // Not an object of a registered class.
            EXPECT_FALSE(coder->decodeRootObject(&reason));
            EXPECT_FALSE(reason.isEmpty());
        }
    }
    const ArchiveParts p = parts(KeyedArchiver::archivedRootValue(QColor(Qt::black)));
    EXPECT_EQ(deref(p, p.root.value(QStringLiteral("$class")))
                  .value(QStringLiteral("$classname"))
                  .toString(),
              QStringLiteral("NSColor"));
    EXPECT_EQ(p.root.value(QStringLiteral("NSRGB")).toData(), QByteArray("0 0 0\0", 6));
    EXPECT_EQ(KeyedUnarchiver::fromData(KeyedArchiver::archivedRootValue(QColor(Qt::black)))
                  ->rootClassName(),
              QStringLiteral("NSColor"));

    // No colour at all: the root is $null and reads as an empty value.
    auto none = KeyedUnarchiver::fromData(KeyedArchiver::archivedRootValue(QColor()));
    ASSERT_TRUE(none);
    const auto empty = none->decodeRootValue();
    ASSERT_TRUE(empty);
    EXPECT_FALSE(empty->isValid());
}

TEST(ArchiveBytes, ValueForms) {
    TestRecord record;
    record.color = QColor(Qt::black);
    record.rect = QRectF(0, 0, 243, 154);
    record.font = font("Times New Roman", 14, true, true);
    record.single = 1.1f;
    const ArchiveParts p = parts(KeyedArchiver::archivedData(record));

    EXPECT_EQ(p.root.value(QStringLiteral("rect")).toString(),
              QStringLiteral("{{0, 0}, {243, 154}}"));
    EXPECT_EQ(p.root.value(QStringLiteral("single")).toReal(), static_cast<double>(1.1f));

    const PlistView color = deref(p, p.root.value(QStringLiteral("color")));
    EXPECT_EQ(color.value(QStringLiteral("NSColorSpace")).toInt64(), 1);
    EXPECT_EQ(color.value(QStringLiteral("NSRGB")).toData(), QByteArray("0 0 0\0", 6));

    const PlistView f = deref(p, p.root.value(QStringLiteral("font")));
    EXPECT_EQ(deref(p, f.value(QStringLiteral("NSName"))).toString(),
              QStringLiteral("Times New Roman"));
    EXPECT_EQ(f.value(QStringLiteral("NSSize")).toReal(), 14.0);
    EXPECT_TRUE(f.value(QStringLiteral("NSfFlags")).isNull());

    TestRecord half;
    half.color = QColor::fromRgbF(1, 0.5f, 0, 0.5f);
    const ArchiveParts h = parts(KeyedArchiver::archivedData(half));
    EXPECT_EQ(
        deref(h, h.root.value(QStringLiteral("color"))).value(QStringLiteral("NSRGB")).toData(),
        QByteArray("1 0.5 0 0.5\0", 12));
}

TEST(ArchiveBytes, VarintsAndRectStrings) {
    const struct {
        quint64 value;
        QByteArray bytes;
    } varints[] = {{0, QByteArray("\x00", 1)},
                   {127, "\x7f"},
                   {128, "\x80\x01"},
                   {300, "\xac\x02"},
                   {16384, QByteArray("\x80\x80\x01")}};
    for (const auto& v : varints) {
        QByteArray out;
        ArchiveVarint::append(out, v.value);
        EXPECT_EQ(out, v.bytes) << v.value;
        qsizetype pos = 0;
        EXPECT_EQ(ArchiveVarint::read(out, pos), v.value);
        EXPECT_EQ(pos, out.size());
    }
    qsizetype pos = 0;
    EXPECT_FALSE(ArchiveVarint::read(QByteArray("\x80\x80"), pos)); // ends inside a value

    EXPECT_EQ(RectStrings::fromRect(QRectF(0, 0, 243, 154)),
              QStringLiteral("{{0, 0}, {243, 154}}"));
    EXPECT_EQ(RectStrings::fromPoint(QPointF(-0.0, 0.1)), QStringLiteral("{0, 0.1}"));
    EXPECT_EQ(RectStrings::fromSize(QSizeF(1.0 / 3.0, 1e21)),
              QStringLiteral("{0.3333333333333333, 1e+21}"));
}

} // namespace
