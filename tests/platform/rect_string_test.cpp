// Rectangle, point and size strings: written exactly, read leniently.
#include "platform/RectStrings.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(RectStrings, WrittenWithShortestExactNumbers) {
    const struct {
        QRectF rect;
        const char* text;
    } rows[] = {
        {QRectF(0, 0, 243, 154), "{{0, 0}, {243, 154}}"},
        {QRectF(-1.5, 0.1, 1e-7, 12345678.25), "{{-1.5, 0.1}, {1e-07, 12345678.25}}"},
        {QRectF(-0.0, 0, 0.30000000000000004, 2), "{{0, 0}, {0.30000000000000004, 2}}"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(RectStrings::fromRect(row.rect), QString::fromLatin1(row.text));
        EXPECT_EQ(RectStrings::toRect(QString::fromLatin1(row.text)), row.rect);
    }
    EXPECT_EQ(RectStrings::number(1.1f), QStringLiteral("1.1"));
    EXPECT_EQ(RectStrings::number(double(1.1f)), QStringLiteral("1.100000023841858"));
}

TEST(RectStrings, EveryDoubleReadsBackExactly) {
    const double values[] = {1.0 / 3.0, -2.0 / 7.0, 1e300, 5e-324, 123456.789, 0.1 + 0.2};
    for (double v : values) {
        const auto back = RectStrings::toPoint(RectStrings::fromPoint(QPointF(v, -v)));
        ASSERT_TRUE(back);
        EXPECT_EQ(back->x(), v);
        EXPECT_EQ(back->y(), -v);
    }
}

TEST(RectStrings, ReadLeniently) {
    const struct {
        const char* text;
        std::optional<QRectF> rect;
    } rows[] = {
        {"{{1,2},{3,4}}", QRectF(1, 2, 3, 4)},
        {"  { { 1 , 2 } , { 3 , 4 } }  ", QRectF(1, 2, 3, 4)},
        {"{{+1.5e1, -2}, {3.25, 4E0}}", QRectF(15, -2, 3.25, 4)},
        {"{{1, 2}, {3}}", std::nullopt},
        {"{{1, 2}, {3, 4, 5}}", std::nullopt},
        {"{{1, 2}, {3, four}}", std::nullopt},
        {"{{1,5, 2}, {3, 4}}", std::nullopt}, // a comma is never a decimal point
        {"{{nan, 2}, {3, 4}}", std::nullopt},
        {"{{inf, 2}, {3, 4}}", std::nullopt},
        {"{{1e999, 2}, {3, 4}}", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(RectStrings::toRect(QString::fromLatin1(row.text)), row.rect) << row.text;
    }
    EXPECT_EQ(RectStrings::toSize(QStringLiteral("{10, 20}")), QSizeF(10, 20));
    EXPECT_EQ(RectStrings::toSize(QStringLiteral("{10}")), std::nullopt);
    EXPECT_EQ(RectStrings::toPoint(QStringLiteral("{½, 2}")), std::nullopt);
}

} // namespace
