#include "core/StringFunctions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

struct TrimCase {
    const char* name;
    QString input;
    QString expected;
};

void PrintTo(const TrimCase& c, std::ostream* os) {
    *os << c.name;
}

class TrimStr : public ::testing::TestWithParam<TrimCase> {};

TEST_P(TrimStr, TrimsWhiteSpaceThenControlCharacters) {
    EXPECT_EQ(Trim_Str(GetParam().input), GetParam().expected);
    EXPECT_EQ(Replace_Char_For_valid(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, TrimStr,
    ::testing::Values(
        TrimCase{"spaces_tabs_breaks", QStringLiteral(" \t\r\n word \n\t"), QStringLiteral("word")},
        TrimCase{"inner_space_kept", QStringLiteral("  two words  "), QStringLiteral("two words")},
        // White space is trimmed once, before the control characters.
        TrimCase{"control_then_space_keeps_space", QStringLiteral("\x01 word"),
                 QStringLiteral(" word")},
        TrimCase{"space_then_control_removed", QStringLiteral(" \x01word\x7f "),
                 QStringLiteral("word")},
        TrimCase{"format_characters", QString::fromUtf16(u"\u200Bword\uFEFF"),
                 QStringLiteral("word")},
        TrimCase{"unicode_separators", QString::fromUtf16(u"\u00A0\u2028word\u3000\u0085"),
                 QStringLiteral("word")},
        TrimCase{"inner_control_kept",
                 QStringLiteral("a\x01"
                                "b"),
                 QStringLiteral("a\x01"
                                "b")},
        TrimCase{"astral_format_character", QString::fromUtf16(u"\U000E0001word"),
                 QStringLiteral("word")},
        TrimCase{"emoji_not_trimmed", QString::fromUtf16(u" \U0001F600 "),
                 QString::fromUtf16(u"\U0001F600")},
        TrimCase{"space_between_controls", QStringLiteral("\x01 \x01"), QStringLiteral(" ")},
        TrimCase{"nothing_left", QStringLiteral(" \t\x01 "), QString()},
        TrimCase{"empty", QString(), QString()}),
    [](const auto& info) { return std::string(info.param.name); });

class ReservedCharacters : public ::testing::TestWithParam<TrimCase> {};

TEST_P(ReservedCharacters, RemovedFromTheEndsOnlyThenTrimmed) {
    EXPECT_EQ(Remove_Reserve_Char_In_File_Name(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, ReservedCharacters,
    ::testing::Values(
        TrimCase{"question_and_asterisk", QStringLiteral("?Guests*"), QStringLiteral("Guests")},
        TrimCase{"inner_slash_kept", QStringLiteral("a/b"), QStringLiteral("a/b")},
        // The reserved characters go first, so a space protects them.
        TrimCase{"space_protects_asterisks", QStringLiteral(" *name* "), QStringLiteral("*name*")},
        TrimCase{"all_nine", QStringLiteral("/\\?%*|\"<>list<>\"|*%?\\/"), QStringLiteral("list")},
        TrimCase{"then_trimmed", QStringLiteral("<< list >>"), QStringLiteral("list")},
        TrimCase{"colon_is_not_reserved", QStringLiteral(":x:"), QStringLiteral(":x:")},
        TrimCase{"nothing_left", QStringLiteral("*?*"), QString()}),
    [](const auto& info) { return std::string(info.param.name); });

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

struct CutCase {
    QString (*function)(const QString&, std::int32_t);
    const char* name;
    std::int32_t index;
    const char* expected;
};

void PrintTo(const CutCase& c, std::ostream* os) {
    *os << c.name << "(" << c.index << ")";
}

class Cutting : public ::testing::TestWithParam<CutCase> {};

TEST_P(Cutting, CountsUtf16UnitsAndClampsIndexes) {
    const QString s = QStringLiteral("Hello"); // length 5
    EXPECT_EQ(GetParam().function(s, GetParam().index), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, Cutting,
    ::testing::Values(
        CutCase{Left_Str_substringToIndex, "left", -3, ""},
        CutCase{Left_Str_substringToIndex, "left", kMin, ""},
        CutCase{Left_Str_substringToIndex, "left", 0, ""},
        CutCase{Left_Str_substringToIndex, "left", 2, "He"},
        CutCase{Left_Str_substringToIndex, "left", 5, "Hello"},
        CutCase{Left_Str_substringToIndex, "left", kMax, "Hello"},
        CutCase{Right_Str_substringFromIndex, "right", 0, ""},
        CutCase{Right_Str_substringFromIndex, "right", -1, ""},
        CutCase{Right_Str_substringFromIndex, "right", 2, "lo"},
        CutCase{Right_Str_substringFromIndex, "right", 5, "Hello"},
        CutCase{Right_Str_substringFromIndex, "right", 99, "Hello"},
        CutCase{Read_Str_FromIndex, "from", 0, "Hello"},
        CutCase{Read_Str_FromIndex, "from", 3, "lo"}, CutCase{Read_Str_FromIndex, "from", 5, ""},
        CutCase{Read_Str_FromIndex, "from", 6, ""}, CutCase{Read_Str_FromIndex, "from", -1, ""},
        CutCase{Read_Str_FromIndex, "from", kMin, ""}, CutCase{Read_Str_Upto_Index, "upto", 0, ""},
        CutCase{Read_Str_Upto_Index, "upto", 3, "Hel"},
        CutCase{Read_Str_Upto_Index, "upto", 5, "Hello"},
        CutCase{Read_Str_Upto_Index, "upto", 6, ""}, CutCase{Read_Str_Upto_Index, "upto", -1, ""}),
    [](const auto& info) {
        const std::int32_t i = info.param.index;
        return std::string(info.param.name) + "_" + (i < 0 ? "minus" : "") +
               std::to_string(i < 0 ? -static_cast<std::int64_t>(i) : i);
    });

TEST(Cutting, IndexesCountUtf16CodeUnits) {
    // An emoji is two code units; a cut may fall inside it.
    const QString s = QString::fromUtf16(u"a\U0001F600b"); // length 4
    EXPECT_EQ(Left_Str_substringToIndex(s, 3), QString::fromUtf16(u"a\U0001F600"));
    EXPECT_EQ(Right_Str_substringFromIndex(s, 1), QStringLiteral("b"));
    EXPECT_EQ(Read_Str_FromIndex(s, 4), QString());
    EXPECT_EQ(Read_Str_Upto_Index(s, 2).size(), 2);
    EXPECT_EQ(Read_Str_FromIndex(s, 2).size(), 2);
}

TEST(Searching, FindAndReplaceAreLiteralAndCaseSensitive) {
    EXPECT_EQ(Find_Str(QStringLiteral("Invitation"), QStringLiteral("vita")), 1);
    EXPECT_EQ(Find_Str(QStringLiteral("Invitation"), QStringLiteral("VITA")), 0);
    EXPECT_EQ(Find_Str(QStringLiteral("a.b"), QStringLiteral(".")), 1);
    EXPECT_EQ(Find_Str(QStringLiteral("abc"), QStringLiteral(".*")), 0);
    EXPECT_EQ(Find_Str(QStringLiteral("abc"), QString()), 0);
    EXPECT_EQ(Find_Str(QString(), QString()), 0);
    EXPECT_EQ(Find_Str(QString(), QStringLiteral("a")), 0);

    EXPECT_EQ(
        Replace_char_in_string(QStringLiteral("a,b,,c"), QStringLiteral(","), QStringLiteral(";")),
        QStringLiteral("a;b;;c"));
    EXPECT_EQ(Replace_char_in_string(QStringLiteral("aAa"), QStringLiteral("a"), QString()),
              QStringLiteral("A"));
    EXPECT_EQ(
        Replace_char_in_string(QStringLiteral("x.*x"), QStringLiteral(".*"), QStringLiteral("-")),
        QStringLiteral("x-x"));
    // An empty search text matches nowhere: the string comes back unchanged.
    EXPECT_EQ(Replace_char_in_string(QStringLiteral("abc"), QString(), QStringLiteral("-")),
              QStringLiteral("abc"));
}

} // namespace
