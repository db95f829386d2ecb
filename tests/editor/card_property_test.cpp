// The card page record: defaults, copying and its keyed archive.

#include "common/TestSupport.h"
#include "editor/model/Card_Property.h"
#include "platform/Plist.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QVariant>
#include <gtest/gtest.h>
#include <plist/plist.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

CardPicture smallPicture() {
    QImage pixels(6, 4, QImage::Format_ARGB32);
    pixels.fill(QColor(0, 128, 255));
    return CardPicture::fromImage(pixels);
}

// A record with every field away from its default.
Card_Property filledRecord() {
    Card_Property r;
    r.setCard_border_chk(true);
    r.setCard_fill_chk(true);
    r.setCard_bordr_clr(QColor(10, 20, 30));
    r.setCard_fill_clr(QColor(40, 50, 60));
    r.setCard_fill_Grd_1_clr(QColor(70, 80, 90));
    r.setCard_fill_Grd_2_clr(QColor(100, 110, 120));
    r.setCard_hatch_bk_clr(QColor(130, 140, 150));
    r.setCard_bor_Stepper(4);
    r.setCard_grad_Stepper(135);
    r.setCard_Cat_index(3);
    r.setCard_alpha_Stepper(0.25f);
    r.setCard_border_style(QStringLiteral("DD"));
    r.setCard_fill_style(QStringLiteral("I"));
    r.setCard_hatch_style(QStringLiteral("Dots"));
    r.setCard_Side(QStringLiteral("1"));
    r.setCard_Side_Name(QStringLiteral("B"));
    r.setCard_Shape(QStringLiteral("E"));
    r.setCard_Name(QStringLiteral("Summer party"));
    r.setCard_Preset(QStringLiteral("Vertical"));
    r.setCard_Category(QStringLiteral("Paper"));
    r.setCard_Sub_Category(QStringLiteral("A6"));
    r.setCard_Create_Mode(QStringLiteral("T"));
    r.setCard_BG_Image_Path(QStringLiteral("/bg/beach.png"));
    r.setCard_BG_Image_Layout(QStringLiteral("Tile"));
    r.setCard_BG_Image(smallPicture());
    r.setCard_Location(QPointF(12.5, 30));
    r.setCard_Size(QSizeF(243, 154));
    r.setCard_Content_clr(QColor(200, 0, 100));
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPointSizeF(18);
    font.setItalic(true);
    r.setCard_Content_font(font);
    return r;
}

void expectSameRecord(const Card_Property& e, const Card_Property& a) {
    EXPECT_EQ(a.Card_border_chk(), e.Card_border_chk());
    EXPECT_EQ(a.Card_fill_chk(), e.Card_fill_chk());
    EXPECT_EQ(a.Card_bordr_clr().rgba(), e.Card_bordr_clr().rgba());
    EXPECT_EQ(a.Card_fill_clr().rgba(), e.Card_fill_clr().rgba());
    EXPECT_EQ(a.Card_fill_Grd_1_clr().rgba(), e.Card_fill_Grd_1_clr().rgba());
    EXPECT_EQ(a.Card_fill_Grd_2_clr().rgba(), e.Card_fill_Grd_2_clr().rgba());
    EXPECT_EQ(a.Card_hatch_bk_clr().rgba(), e.Card_hatch_bk_clr().rgba());
    EXPECT_EQ(a.Card_bor_Stepper(), e.Card_bor_Stepper());
    EXPECT_EQ(a.Card_grad_Stepper(), e.Card_grad_Stepper());
    EXPECT_EQ(a.Card_Cat_index(), e.Card_Cat_index());
    EXPECT_EQ(a.Card_alpha_Stepper(), e.Card_alpha_Stepper());
    EXPECT_EQ(a.Card_border_style(), e.Card_border_style());
    EXPECT_EQ(a.Card_fill_style(), e.Card_fill_style());
    EXPECT_EQ(a.Card_hatch_style(), e.Card_hatch_style());
    EXPECT_EQ(a.Card_Side(), e.Card_Side());
    EXPECT_EQ(a.Card_Side_Name(), e.Card_Side_Name());
    EXPECT_EQ(a.Card_Shape(), e.Card_Shape());
    EXPECT_EQ(a.Card_Name(), e.Card_Name());
    EXPECT_EQ(a.Card_Preset(), e.Card_Preset());
    EXPECT_EQ(a.Card_Category(), e.Card_Category());
    EXPECT_EQ(a.Card_Sub_Category(), e.Card_Sub_Category());
    EXPECT_EQ(a.Card_Create_Mode(), e.Card_Create_Mode());
    EXPECT_EQ(a.Card_BG_Image_Path(), e.Card_BG_Image_Path());
    EXPECT_EQ(a.Card_BG_Image_Layout(), e.Card_BG_Image_Layout());
    EXPECT_EQ(a.Card_BG_Image().size(), e.Card_BG_Image().size());
    EXPECT_EQ(a.Card_BG_Image().isNull(), e.Card_BG_Image().isNull());
    EXPECT_EQ(a.Card_Location(), e.Card_Location());
    EXPECT_EQ(a.Card_Size(), e.Card_Size());
    EXPECT_EQ(a.Card_Content_clr().rgba(), e.Card_Content_clr().rgba());
    EXPECT_EQ(a.Card_Content_font().family(), e.Card_Content_font().family());
    EXPECT_EQ(a.Card_Content_font().pointSizeF(), e.Card_Content_font().pointSizeF());
    EXPECT_EQ(a.Card_Content_font().italic(), e.Card_Content_font().italic());
}

} // namespace

TEST(CardProperty, NewRecordDefaults) {
    const Card_Property r;
    const QRgb black = qRgba(0, 0, 0, 255);
    const QRgb white = qRgba(255, 255, 255, 255);
    struct Row {
        const char* field;
        QVariant actual;
        QVariant expected;
    };
    // All 29 fields, in declaration order.
    const std::vector<Row> rows = {
        {"Card_border_chk", r.Card_border_chk(), false},
        {"Card_fill_chk", r.Card_fill_chk(), false},
        {"Card_bordr_clr", r.Card_bordr_clr().rgba(), black},
        {"Card_fill_clr", r.Card_fill_clr().rgba(), white},
        {"Card_fill_Grd_1_clr", r.Card_fill_Grd_1_clr().rgba(), white},
        {"Card_fill_Grd_2_clr", r.Card_fill_Grd_2_clr().rgba(), white},
        {"Card_hatch_bk_clr", r.Card_hatch_bk_clr().rgba(), white},
        {"Card_bor_Stepper", r.Card_bor_Stepper(), 1},
        {"Card_grad_Stepper", r.Card_grad_Stepper(), 0},
        {"Card_Cat_index", r.Card_Cat_index(), 0},
        {"Card_alpha_Stepper", r.Card_alpha_Stepper(), 1.0f},
        {"Card_border_style", r.Card_border_style(), u"S"_s},
        {"Card_fill_style", r.Card_fill_style(), u"S"_s},
        {"Card_hatch_style", r.Card_hatch_style(), QString()},
        {"Card_Side", r.Card_Side(), u"2"_s},
        {"Card_Side_Name", r.Card_Side_Name(), u"F"_s},
        {"Card_Shape", r.Card_Shape(), u"R"_s},
        {"Card_Name", r.Card_Name(), u"Untitled"_s},
        {"Card_Preset", r.Card_Preset(), u"Horizontal"_s},
        {"Card_Category", r.Card_Category(), u"PVC Card"_s},
        {"Card_Sub_Category", r.Card_Sub_Category(), u"CR80-Credit Card Size"_s},
        {"Card_Create_Mode", r.Card_Create_Mode(), u"W"_s},
        {"Card_BG_Image_Path", r.Card_BG_Image_Path(), QString()},
        {"Card_BG_Image_Layout", r.Card_BG_Image_Layout(), u"Stretch"_s},
        {"Card_BG_Image", r.Card_BG_Image().isNull(), true},
        {"Card_Location", r.Card_Location(), QPointF(0, 0)},
        {"Card_Size", r.Card_Size(), QSizeF(0, 0)},
        {"Card_Content_clr", r.Card_Content_clr().rgba(), black},
        {"Card_Content_font",
         QStringList{r.Card_Content_font().family(),
                     QString::number(r.Card_Content_font().pointSizeF())},
         QStringList{u"Times New Roman"_s, u"14"_s}},
    };
    ASSERT_EQ(rows.size(), 29u);
    for (const Row& row : rows) {
        // Same kind and same value: an int default is not met by a bool.
        EXPECT_EQ(row.actual.metaType(), row.expected.metaType()) << row.field;
        EXPECT_EQ(row.actual, row.expected)
            << row.field << ": " << row.actual.toString().toStdString();
    }
}

TEST(CardProperty, CopyCarriesEveryField) {
    const Card_Property original = filledRecord();
    auto copy = original.copy();
    ASSERT_TRUE(copy);
    expectSameRecord(original, *copy);
    copy->setCard_Name(QStringLiteral("Changed"));
    EXPECT_EQ(original.Card_Name(), QStringLiteral("Summer party"));
}

TEST(CardProperty, ArchiveRoundTrip) {
    const Card_Property original = filledRecord();
    QString reason;
    auto back = Card_Property::fromArchivedData(original.archivedData(), &reason);
    ASSERT_TRUE(back) << reason.toStdString();
    expectSameRecord(original, *back);

    auto defaults = Card_Property::fromArchivedData(Card_Property().archivedData());
    ASSERT_TRUE(defaults);
    expectSameRecord(Card_Property(), *defaults);
    EXPECT_FALSE(Card_Property::fromArchivedData(QByteArray("nonsense"), &reason));
}

TEST(CardProperty, MissingOrWrongKeysKeepTheDefaults) {
    Plist plist = Plist::fromBytes(filledRecord().archivedData());
    const auto uid = plist.view().value("$top").value("root").toUid();
    ASSERT_TRUE(uid);
    plist_t root = plist.view().value("$objects").at(static_cast<int>(*uid)).node();
    plist_dict_remove_item(root, "Card_Side");
    plist_dict_remove_item(root, "Card_alpha_Stepper");
    plist_dict_set_item(root, "Card_Size", plist_new_uint(5));
    auto back = Card_Property::fromArchivedData(plist.toBytes(PlistFormat::Binary));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Card_Side(), QStringLiteral("2"));
    EXPECT_EQ(back->Card_alpha_Stepper(), 1.0f);
    EXPECT_EQ(back->Card_Size(), QSizeF(0, 0));
    EXPECT_EQ(back->Card_Name(), QStringLiteral("Summer party"));
}

TEST(CardProperty, OutsideReaderSeesTheKeysInOrder) {
    const QString python = testsupport::debianPython();
    if (python.isEmpty()) {
        GTEST_SKIP() << "outside tool not installed: /usr/bin/python3";
    }
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath("record.bin"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(filledRecord().archivedData());
    file.close();
    const char* script = R"PY(
import plistlib, sys
a = plistlib.load(open(sys.argv[1], "rb"))
o = a["$objects"]
root = o[a["$top"]["root"].data]
assert o[root["$class"].data]["$classname"] == "Card_Property"
order = ("Card_border_chk Card_fill_chk Card_bor_Stepper Card_grad_Stepper Card_Cat_index "
         "Card_alpha_Stepper Card_bordr_clr Card_fill_clr Card_fill_Grd_1_clr "
         "Card_fill_Grd_2_clr Card_hatch_bk_clr Card_border_style Card_fill_style "
         "Card_hatch_style Card_Side Card_Side_Name Card_Shape Card_Name Card_Preset "
         "Card_Category Card_Sub_Category Card_Create_Mode Card_BG_Image_Path "
         "Card_BG_Image_Layout Card_BG_Image Card_Location Card_Size Card_Content_clr "
         "Card_Content_font").split()
assert [k for k in root if k != "$class"] == order
assert type(root["Card_border_chk"]) is bool and type(root["Card_bor_Stepper"]) is int
assert type(root["Card_alpha_Stepper"]) is float
assert root["Card_Location"] == "{12.5, 30}" and root["Card_Size"] == "{243, 154}"
print("ok")
)PY";
    const auto result =
        testsupport::runProcess(python, {"-c", QString::fromUtf8(script), file.fileName()});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out.trimmed(), QByteArray("ok"));
}
