// The imported table's rows and columns.

#include "dataseries/ImportedTable.h"

#include <gtest/gtest.h>

TEST(ImportedTable, RowsNumberedAndKeyedByChosenColumns) {
    ImportedTable table;
    EXPECT_EQ(table.Add_Column("  Name "), "Column1");
    EXPECT_EQ(table.Add_Column(""), "Column2");
    EXPECT_EQ(table.columnTitles(), QStringList({"Name", ""}));

    table.Create_List_By_Array({" Ann ", "\tStreet 1\n", "ignored"}, 2);
    table.Create_List_By_Array({"Bob"}, 2);
    ASSERT_EQ(table.rowCount(), 2);
    const ImportedTable::Row first = table.ListData().at(0);
    EXPECT_EQ(first.value("Extension"), "1");
    EXPECT_EQ(first.value("Column1"), "Ann");
    EXPECT_EQ(first.value("Column2"), "Street 1");
    EXPECT_FALSE(first.contains("Column3"));
    EXPECT_EQ(table.ListData().at(1).value("Extension"), "2");
    EXPECT_EQ(table.ListData().at(1).value("Column2"), ""); // a missing value is an empty text
    EXPECT_TRUE(table.ListData().at(1).contains("Column2"));

    table.Remove_Chosen_Columns();
    EXPECT_EQ(table.Add_Column("Again"), "Column1");
}

TEST(ImportedTable, ValueLookupAndEditingStayInsideTheTable) {
    ImportedTable table;
    table.Add_Column("A");
    table.Create_List_By_Array({"a1"}, 1);
    table.Create_List_By_Array({"a2"}, 1);
    const std::vector<std::tuple<int, int, QString>> cases = {
        {0, 0, "1"}, {1, 0, "2"}, {0, 1, "a1"}, {1, 1, "a2"}, {0, 2, ""},
        {2, 0, ""},  {-1, 0, ""}, {0, -1, ""},  {-5, -5, ""}, {INT_MAX, 1, ""},
    };
    for (const auto& [record, column, expected] : cases) {
        EXPECT_EQ(table.Value_At(record, column), expected) << record << "," << column;
    }
    EXPECT_TRUE(table.Set_Value(1, "Column1", "edited"));
    EXPECT_EQ(table.Value_At(1, 1), "edited");
    EXPECT_FALSE(table.Set_Value(2, "Column1", "x"));
    EXPECT_FALSE(table.Set_Value(-1, "Column1", "x"));
    EXPECT_EQ(table.rowCount(), 2);
    table.Clear_Rows();
    EXPECT_EQ(table.Value_At(0, 0), "");
}
