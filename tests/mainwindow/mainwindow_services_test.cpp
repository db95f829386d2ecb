// Small services of the main window: files, the size list table, the wait
// sheet.

#include "mainwindow_controller_fixture.h"

#include "mainwindow/controller/ColListModel.h"

#include <QDialog>
#include <QFile>
#include <QItemSelectionModel>
#include <QLabel>
#include <QRegularExpression>
#include <QTableView>

namespace {

class ServicesTest : public ControllerFixture {};

TEST_F(ServicesTest, FileNamesOfAFolderLeaveOutFoldersAndExtensions) {
    const QDir dir(m_temp.path());
    ASSERT_TRUE(dir.mkpath(QStringLiteral("list/sub.folder")));
    for (const char* name : {"b.png", "a.tar.gz", "c", ".hidden"}) {
        QFile file(dir.filePath(QStringLiteral("list/") + QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(SKTWindowController::Get_Files_Array_At_Path(dir.filePath(QStringLiteral("list"))),
              (QStringList{".hidden", "a.tar", "b", "c"}));
    EXPECT_TRUE(SKTWindowController::Get_Files_Array_At_Path(dir.filePath(QStringLiteral("none")))
                    .isEmpty());
    EXPECT_TRUE(
        SKTWindowController::Get_Files_Array_At_Path(dir.filePath(QStringLiteral("list/b.png")))
            .isEmpty());
    EXPECT_TRUE(SKTWindowController::Get_Files_Array_At_Path(QString()).isEmpty());
}

TEST_F(ServicesTest, FilePathValidation) {
    start();
    const QString existing = QDir(m_resources).filePath(QStringLiteral("DataSet"));
    EXPECT_EQ(m_controller->Check_And_Validate_File_Path(QStringLiteral("  ") + existing +
                                                         QStringLiteral("\n")),
              0);
    EXPECT_TRUE(m_alerts.texts().isEmpty());
    for (const QString& bad : {QStringLiteral("    "), QString(),
                               QDir(m_resources).filePath(QStringLiteral("missing.xlsx"))}) {
        EXPECT_EQ(m_controller->Check_And_Validate_File_Path(bad), 1) << bad.toStdString();
    }
    EXPECT_EQ(m_alerts.texts(), QStringList(3, QStringLiteral("\nPlease select valid file path.")));
}

TEST_F(ServicesTest, SizeListRowsAreTrimmedTextsUnderExtension) {
    start();
    m_controller->setListData({});
    m_controller->Create_List(QStringLiteral("  CR80-Credit Card Size \n"));
    m_controller->Create_List(QStringLiteral(" \t\n"));
    m_controller->Create_List(QStringLiteral("CR79"));
    m_controller->ColListData()->reloadData();
    ASSERT_EQ(m_controller->ListData().size(), 2);
    EXPECT_EQ(m_controller->Get_Item_Text(0), QStringLiteral("CR80-Credit Card Size"));
    EXPECT_EQ(m_controller->Get_Item_Text(1), QStringLiteral("CR79"));
    EXPECT_EQ(m_controller->Get_Item_Text(2), QString());
    EXPECT_EQ(m_controller->Get_Item_Text(-1), QString());
    QTableView* table = m_controller->ColList();
    EXPECT_EQ(table->model()->rowCount(), 2);
    EXPECT_EQ(table->model()->headerData(0, Qt::Horizontal).toString(),
              QStringLiteral("Extension"));
    EXPECT_EQ(table->model()->index(1, 0).data().toString(), QStringLiteral("CR79"));
}

TEST_F(ServicesTest, SelectingARowSelectsOnlyThatRow) {
    start();
    m_controller->setListData({});
    for (const QString& name : m_controller->pvc_card_arry) {
        m_controller->Create_List(name);
    }
    m_controller->ColListData()->reloadData();
    QItemSelectionModel* selection = m_controller->ColList()->selectionModel();
    m_controller->Mark_List_New_Selection(2);
    m_controller->Mark_List_New_Selection(4);
    const QModelIndexList rows = selection->selectedRows();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.first().row(), 4);
    m_controller->Mark_List_New_Selection(99);
    EXPECT_TRUE(selection->selectedRows().isEmpty());
}

TEST(ColListModelTest, EditingStoresUnderTheColumnAndRefusesRowsOutside) {
    ColListModel model;
    model.setRows({{{"Extension", "A"}}, {{"Extension", "B"}}});
    EXPECT_TRUE(model.setData(model.index(1, 0), QStringLiteral("Z"), Qt::EditRole));
    EXPECT_EQ(model.rows()[1].value("Extension").toString(), QStringLiteral("Z"));
    // Outside the list: ignored, the rows stay as they were.
    const QList<QVariantMap> before = model.rows();
    EXPECT_FALSE(model.setValueForRow(2, QStringLiteral("Extension"), QStringLiteral("X")));
    EXPECT_FALSE(model.setValueForRow(-1, QStringLiteral("Extension"), QStringLiteral("X")));
    EXPECT_FALSE(model.setData(model.index(5, 0), QStringLiteral("X"), Qt::EditRole));
    EXPECT_EQ(model.rows(), before);
    EXPECT_TRUE(model.flags(model.index(0, 0)) & Qt::ItemIsSelectable);
    EXPECT_EQ(model.columnCount(), 1);
}

TEST_F(ServicesTest, WaitSheetShowsItsMessageOnTheWindow) {
    start();
    m_controller->Show_Create_Modeless();
    QDialog* sheet = m_controller->plz_wait_Window();
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
    EXPECT_EQ(sheet->parentWidget(), static_cast<QWidget*>(m_controller->window()));
    EXPECT_EQ(sheet->findChild<QLabel*>(QStringLiteral("modeless_msg_lbl"))->text(),
              QStringLiteral("It may take a while, Please wait.."));
    m_controller->Hide_Destroy_Modeless();
    EXPECT_FALSE(sheet->isVisible());
    // Ending a sheet that is not up is harmless.
    m_controller->Hide_Destroy_Modeless();
    EXPECT_FALSE(sheet->isVisible());
}

TEST_F(ServicesTest, ShareButtonsOpenAWebPage) {
    start();
    QList<QUrl> opened;
    hooks::setUrlOpener([&opened](const QUrl& url) {
        opened << url;
        return true;
    });
    m_controller->Share_It_Button_Clicked();
    m_controller->Get_It_Free_Button_Clicked();
    hooks::setUrlOpener({});
    ASSERT_EQ(opened.size(), 2);
    EXPECT_TRUE(opened[0].isValid());
    EXPECT_EQ(opened[0].scheme(), QStringLiteral("https"));
    EXPECT_NE(opened[0], opened[1]);
}

TEST(DateTimeValuesTest, FollowThePattern) {
    // Today just before and just after, so a call at midnight passes too.
    const QString before = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    const QString date = SKTWindowController::Get_date_Value(QStringLiteral("yyyy-MM-dd"));
    const QString after = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    EXPECT_TRUE(date == before || date == after) << date.toStdString();
    // The clock is the real one here; the patterns are checked against fixed
    // times in the core tests.
    const QString time = SKTWindowController::Get_time_Value(QStringLiteral("h:mm:ss a"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^([1-9]|1[0-2]):[0-5][0-9]:[0-5][0-9] (AM|PM)$"))
                    .match(time)
                    .hasMatch())
        << time.toStdString();
    EXPECT_EQ(SKTWindowController::Convert_Path_From_URL(QUrl::fromLocalFile("/tmp/a b.png")),
              QStringLiteral("/tmp/a b.png"));
}

TEST_F(ServicesTest, ContactFieldRecordsStartReset) {
    start();
    const QStringList ids = User_Profile_Class::valueIdentifiers();
    ASSERT_EQ(ids.size(), 11);
    EXPECT_EQ(ids.first(), QStringLiteral("Fup_Name"));
    EXPECT_EQ(ids.last(), QStringLiteral("Fup_Photo"));
    for (const User_Profile_Class* record :
         {&m_controller->Front_user_profile, &m_controller->Back_user_profile,
          &m_controller->TEMP_user_profile}) {
        for (int i = 0; i < User_Profile_Class::kFieldCount; ++i) {
            const auto& field = record->fields[static_cast<std::size_t>(i)];
            EXPECT_EQ(field.valueObjectID, ids[i]);
            EXPECT_EQ(field.captionObjectID, QStringLiteral("Fup_lbl_") + ids[i].mid(4));
            EXPECT_TRUE(field.value.isEmpty());
        }
    }
}

} // namespace
