// The imported table's rows and columns.

#include "dataseries/ImportedTable.h"

#include <gtest/gtest.h>

TEST(ImportedTable, RowsColumnsAndLookups) {
    ImportedTable table;
    EXPECT_EQ(table.Add_Column("  Name "), "Column1");
    EXPECT_EQ(table.Add_Column(""), "Column2");
    EXPECT_EQ(table.columnTitles(), QStringList({"Name", ""}));
    table.Create_List_By_Array({" Ann ", "\tStreet 1\n", "ignored"}, 2);
    table.Create_List_By_Array({"Bob"}, 2);
    EXPECT_EQ(
        table.ListData().at(0),
        ImportedTable::Row({{"Extension", "1"}, {"Column1", "Ann"}, {"Column2", "Street 1"}}));
    EXPECT_EQ(table.ListData().at(1),
              ImportedTable::Row({{"Extension", "2"}, {"Column1", "Bob"}, {"Column2", ""}}));
    for (const auto& [record, column, expected] : std::vector<std::tuple<int, int, QString>>{
             {1, 0, "2"}, {0, 1, "Ann"}, {0, 3, ""}, {2, 0, ""}, {-1, 0, ""}, {0, -1, ""}}) {
        EXPECT_EQ(table.Value_At(record, column), expected) << record << "," << column;
    }
    EXPECT_TRUE(table.Set_Value(1, "Column1", "edited"));
    EXPECT_EQ(table.Value_At(1, 1), "edited");
    EXPECT_FALSE(table.Set_Value(-1, "Column1", "x"));
    EXPECT_FALSE(table.Set_Value(2, "Column1", "x"));
    table.Remove_Chosen_Columns();
    EXPECT_EQ(table.Add_Column("Again"), "Column1");
}
