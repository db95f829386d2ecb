// Column letters and numbers.

#include "dataseries/ColumnNames.h"
#include "dataseries/SpreadsheetWriter.h"

#include <gtest/gtest.h>

TEST(ColumnNames, KnownLettersAndIndexes) {
    const std::vector<std::pair<const char*, int>> zeroBased = {
        {"A", 0},   {"Z", 25},   {"AA", 26},   {"AZ", 51},
        {"BA", 52}, {"ZZ", 701}, {"AAA", 702}, {"XFD", 16383},
    };
    for (const auto& [letters, index] : zeroBased) {
        EXPECT_EQ(Get_Col_index(letters, 65), index) << letters;
        EXPECT_EQ(Get_Col_index(letters, 64), index + 1) << letters;
        EXPECT_EQ(SpreadsheetWriter::ColumnIndexToName(index + 1), letters);
    }
    EXPECT_EQ(Get_Col_index("ab", 65), 27);
}

TEST(ColumnNames, EveryColumnOfASheetRoundTrips) {
    QString previous;
    for (int column = 1; column <= Max_Sheet_Columns; ++column) {
        const QString letters = Column_Letters(column);
        ASSERT_EQ(Get_Col_index(letters, 64), column) << letters.toStdString();
        // Letters grow in length-then-alphabetical order, never repeat.
        ASSERT_TRUE(previous.size() < letters.size() ||
                    (previous.size() == letters.size() && previous < letters))
            << letters.toStdString();
        previous = letters;
    }
}

TEST(ColumnNames, ReferencesAndInvalidInput) {
    EXPECT_EQ(Get_Column_Char_Str("AB12"), "AB");
    EXPECT_EQ(Get_Column_Char_Str("c3"), "C");
    EXPECT_EQ(Get_Column_Char_Str("12"), "");
    EXPECT_EQ(Get_Column_Char_Str("$A$1"), "");
    EXPECT_EQ(Get_Col_index("", 65), -1);
    EXPECT_EQ(Get_Col_index("A1", 65), -1);
    EXPECT_EQ(Get_Col_index("XFE", 64), -1);
    EXPECT_EQ(Get_Col_index("ZZZZZZZZZZ", 64), -1);
    EXPECT_EQ(Column_Letters(0), "");
    EXPECT_EQ(Column_Letters(-5), "");
    EXPECT_EQ(Asc_Val("A"), 65);
    EXPECT_EQ(Asc_Val(""), 0);
}
