#include "platform/SKTStyledText.h"

#include <gtest/gtest.h>

namespace {

QFont font(const char* family, double size) {
    QFont f(QString::fromLatin1(family));
    f.setPointSizeF(size);
    return f;
}

int totalLength(const SKTStyledText& text) {
    int total = 0;
    for (const auto& run : text.runs()) {
        total += run.length;
    }
    return total;
}

TEST(StyledText, EmptyDefaultIsBlackTimes14) {
    SKTStyledText text;
    EXPECT_TRUE(text.isEmpty());
    ASSERT_EQ(text.runs().size(), 1u);
    EXPECT_EQ(text.runs()[0].length, 0);
    EXPECT_EQ(text.fontAt(0).family(), QStringLiteral("Times New Roman"));
    EXPECT_DOUBLE_EQ(text.fontAt(0).pointSizeF(), 14.0);
    EXPECT_EQ(text.colorAt(0), QColor(Qt::black));
}

TEST(StyledText, ReplacingWholeTextKeepsFirstRunAttributes) {
    SKTStyledText text(QStringLiteral("Hello World"), font("Arial", 20), Qt::red);
    text.setAttributes(6, 5, font("Courier", 9), Qt::blue);
    ASSERT_EQ(text.runs().size(), 2u);
    text.setString(QStringLiteral("Party"));
    ASSERT_EQ(text.runs().size(), 1u);
    EXPECT_EQ(text.string(), QStringLiteral("Party"));
    EXPECT_EQ(text.fontAt(0).family(), QStringLiteral("Arial"));
    EXPECT_EQ(text.colorAt(4), QColor(Qt::red));
}

TEST(StyledText, ReplaceRangeTakesAttributesOfFirstReplacedCharacter) {
    SKTStyledText text(QStringLiteral("abcdef"), font("Arial", 10), Qt::red);
    text.setColor(2, 2, Qt::green);                       // ab[cd]ef
    text.replaceCharacters(2, 3, QStringLiteral("XYZW")); // ab XYZW f
    EXPECT_EQ(text.string(), QStringLiteral("abXYZWf"));
    EXPECT_EQ(text.colorAt(1), QColor(Qt::red));
    EXPECT_EQ(text.colorAt(2), QColor(Qt::green));
    EXPECT_EQ(text.colorAt(5), QColor(Qt::green));
    EXPECT_EQ(text.colorAt(6), QColor(Qt::red));
    EXPECT_EQ(totalLength(text), text.length());
}

TEST(StyledText, InsertionTakesAttributesOfPrecedingCharacter) {
    SKTStyledText text(QStringLiteral("ab"), font("Arial", 10), Qt::red);
    text.setColor(1, 1, Qt::blue);
    text.replaceCharacters(2, 0, QStringLiteral("c"));
    EXPECT_EQ(text.colorAt(2), QColor(Qt::blue));
    text.replaceCharacters(0, 0, QStringLiteral("_"));
    EXPECT_EQ(text.colorAt(0), QColor(Qt::red));
    EXPECT_EQ(text.string(), QStringLiteral("_abc"));
}

TEST(StyledText, RunsCountUtf16UnitsAndStayConsistent) {
    const QString party = QString::fromUtf8("Hi \xF0\x9F\x8E\x89 there"); // emoji: 2 units
    SKTStyledText text(party);
    text.setColor(3, 2, Qt::magenta);
    ASSERT_EQ(text.runs().size(), 3u);
    EXPECT_EQ(text.runs()[1].length, 2);
    EXPECT_EQ(totalLength(text), party.size());
}

TEST(StyledText, OutOfRangeEditsAreClipped) {
    SKTStyledText text(QStringLiteral("abc"));
    text.replaceCharacters(-5, 100, QStringLiteral("xy"));
    EXPECT_EQ(text.string(), QStringLiteral("xy"));
    text.setColor(10, 5, Qt::red);
    EXPECT_EQ(text.colorAt(1), QColor(Qt::black));
    EXPECT_EQ(totalLength(text), 2);
}

TEST(StyledText, DeletingAllTextKeepsAttributesForNewText) {
    SKTStyledText text(QStringLiteral("abc"), font("Arial", 10), Qt::red);
    text.replaceCharacters(0, 3, QString());
    EXPECT_TRUE(text.isEmpty());
    EXPECT_EQ(text.colorAt(0), QColor(Qt::red));
    text.setString(QStringLiteral("new"));
    EXPECT_EQ(text.colorAt(2), QColor(Qt::red));
}

TEST(StyledText, AssignRefusesRunsThatDoNotCoverTheText) {
    SKTStyledText text(QStringLiteral("keep"));
    EXPECT_FALSE(text.assign(QStringLiteral("abc"), {{2, QFont(), Qt::red}}));
    EXPECT_FALSE(
        text.assign(QStringLiteral("abc"), {{4, QFont(), Qt::red}, {-1, QFont(), Qt::red}}));
    EXPECT_EQ(text.string(), QStringLiteral("keep"));
    EXPECT_TRUE(
        text.assign(QStringLiteral("abc"), {{1, QFont(), Qt::red}, {2, QFont(), Qt::blue}}));
    EXPECT_EQ(text.colorAt(2), QColor(Qt::blue));
}

} // namespace
