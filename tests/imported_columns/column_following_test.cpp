// Which column of a new table a binding to a column of the old one takes.

#include "dataseries/ColumnFollowing.h"

#include <gtest/gtest.h>

namespace {

struct FollowingRow {
    const char* what;
    QStringList before;
    QStringList after;
    int index;
    int expected;
};

TEST(ColumnFollowing, ABindingTakesTheColumnWithItsTitle) {
    const QString rowNo = QStringLiteral("Row No.");
    const FollowingRow rows[] = {
        {"the row number stays", {rowNo, "Name"}, {rowNo, "Label"}, 0, 0},
        {"moved to the right", {rowNo, "Name", "City"}, {rowNo, "City", "Name"}, 1, 2},
        {"moved to the left", {rowNo, "Name", "City"}, {rowNo, "City", "Name"}, 2, 1},
        {"a title the new table lacks", {rowNo, "Name"}, {rowNo, "Label", "Value"}, 1, -1},
        {"titles differ in case", {rowNo, "Name"}, {rowNo, "NAME"}, 1, -1},
        {"the first of two equal titles", {rowNo, "A", "A"}, {rowNo, "B", "A", "A"}, 1, 2},
        {"the second of two equal titles", {rowNo, "A", "A"}, {rowNo, "B", "A", "A"}, 2, 3},
        {"a second equal title the new table lacks", {rowNo, "A", "A"}, {rowNo, "A"}, 2, -1},
        {"an untitled column", {rowNo, "", "X"}, {rowNo, "X", ""}, 1, -1},
        {"an untitled column of the same titles", {rowNo, "", "X"}, {rowNo, "", "X"}, 1, 1},
        {"a column the old table did not have", {rowNo, "A"}, {rowNo, "A", "B"}, 2, -1},
        {"no column chosen", {rowNo, "A"}, {rowNo, "A"}, -1, -1},
        {"nothing imported before", {rowNo}, {rowNo, "Name"}, 1, -1},
    };
    for (const FollowingRow& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(ColumnFollowing(row.before, row.after).newIndex(row.index), row.expected);
    }
}

} // namespace
