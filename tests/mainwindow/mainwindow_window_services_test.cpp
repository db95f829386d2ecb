// The services the controller offers windows of other libraries.

#include "mainwindow_controller_fixture.h"

#include "dataseries/ImportedTable.h"
#include "dataseries/SeriesFiles.h"
#include "widgets/MainWindowServices.h"

namespace {

class WindowServicesTest : public ControllerFixture {};

TEST_F(WindowServicesTest, TheControllerRegistersItselfWhileItLives) {
    SKTWindowController& controller = start();
    EXPECT_EQ(MainWindowServices::current(), static_cast<MainWindowServices*>(&controller));
    m_controller.reset();
    EXPECT_EQ(MainWindowServices::current(), nullptr);
}

TEST_F(WindowServicesTest, SeriesAndColumnListsWithTheirFirstValues) {
    // Start-up points the data folder into the resource folder: the series
    // are made after it.
    MainWindowServices& services = start();
    QTemporaryDir data;
    ASSERT_TRUE(data.isValid());
    const QString previous = Data_Folder_Path;
    Data_Folder_Path = data.path();
    ASSERT_TRUE(Write_Series_File(QStringLiteral("beta"), {QStringLiteral("B1")}));
    ASSERT_TRUE(Write_Series_File(QStringLiteral("Alpha"), {QStringLiteral("A1")}));
    Imported_Table() = ImportedTable();
    Imported_Table().Add_Column(QStringLiteral("Name"));
    Imported_Table().Create_List_By_Array({QStringLiteral("Kim")}, 1);

    QComboBox combo;
    combo.addItems({QStringLiteral("old"), QStringLiteral("items")});
    combo.setCurrentIndex(1);
    services.Fill_Data_Set_File_Name_In_Combo(combo);
    ASSERT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.itemText(0), QStringLiteral("Alpha"));
    EXPECT_EQ(combo.itemText(1), QStringLiteral("beta"));
    EXPECT_EQ(combo.currentIndex(), -1);
    EXPECT_EQ(services.Get_First_Value_Of_Dataset(QStringLiteral("beta")), QStringLiteral("B1"));
    EXPECT_EQ(services.Get_First_Value_Of_Dataset(QStringLiteral("none")), QString());

    services.Fill_Excel_Col_Name_In_Combo(combo);
    ASSERT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.itemText(0), ImportedTable::rowNumberTitle);
    EXPECT_EQ(combo.itemText(1), QStringLiteral("Name"));
    EXPECT_EQ(services.Get_First_Value_Of_Excel_Binding(1), QStringLiteral("Kim"));
    EXPECT_EQ(services.Get_First_Value_Of_Excel_Binding(0), QStringLiteral("1"));

    Imported_Table() = ImportedTable();
    Data_Folder_Path = previous;
}

} // namespace
