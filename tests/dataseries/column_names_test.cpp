// Column letters and numbers.

#include "dataseries/ColumnNames.h"
#include "dataseries/SpreadsheetWriter.h"

#include <gtest/gtest.h>

TEST(ColumnNames, LettersAndNumbers) {
    for (const auto& [letters, index] : std::vector<std::pair<const char*, int>>{{"A", 0},
                                                                                 {"Z", 25},
                                                                                 {"AA", 26},
                                                                                 {"AZ", 51},
                                                                                 {"BA", 52},
                                                                                 {"AAA", 702},
                                                                                 {"XFD", 16383}}) {
        EXPECT_EQ(Get_Col_index(letters, 65), index) << letters;
        EXPECT_EQ(SpreadsheetWriter::ColumnIndexToName(index + 1), letters);
    }
    QString previous;
    for (int column = 1; column <= Max_Sheet_Columns; ++column) {
        const QString letters = Column_Letters(column);
        ASSERT_EQ(Get_Col_index(letters, 64), column) << letters.toStdString();
        ASSERT_TRUE(previous.size() < letters.size() || previous < letters); // never repeats
        previous = letters;
    }
    EXPECT_EQ(Get_Column_Char_Str("ab12"), "AB");
    EXPECT_EQ(Get_Column_Char_Str("12"), "");
    for (const char* invalid : {"", "A1", "XFE", "ZZZZZZZZZZ"}) {
        EXPECT_EQ(Get_Col_index(invalid, 64), -1) << invalid;
    }
    EXPECT_EQ(Column_Letters(0), "");
    EXPECT_EQ(Asc_Val("A"), 65);
    EXPECT_EQ(Asc_Val(""), 0);
}
