// The data-source tab: choosing Manual, Series or Excel for the selected
// object, binding it to a series or column, the tab's buttons, the "Excel"
// item fillers, loading an object's tab, and the sides, preset and category
// rows of the card inspector.

#include "mainwindow_controller_fixture.h"

#include "core/SharedGlobals.h"
#include "dataseries/ImportedTable.h"
#include "dataseries/SeriesFiles.h"
#include "dataseries/windows/View_Data_Series.h"
#include "editor/canvas/SKTGraphicView.h"
#include "editor/model/SKTText.h"
#include "mainwindow/controller/ColListModel.h"
#include "widgets/GuiHooks.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

namespace {

// The alert texts without the leading line break every message carries.
QStringList shownTexts(const testsupport::ScriptedAlerts& alerts) {
    QStringList texts;
    for (const QString& text : alerts.texts()) {
        texts << text.trimmed();
    }
    return texts;
}

class DataSourceTest : public ControllerFixture {
protected:
    void TearDown() override {
        Imported_Table() = ImportedTable();
        hooks::setModalRunner({});
        ControllerFixture::TearDown();
    }

    void series(const QString& name, const QByteArray& bytes) {
        QDir().mkpath(Data_Folder_Path);
        QFile file(Series_File_Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // A text object on the front side, selected and shown.
    std::shared_ptr<SKTGraphic> text(const QString& value = QStringLiteral("Typed")) {
        SKTGraphicView* view = m_controller->currentGraphicView();
        view->createGraphicOfClass(QStringLiteral("SKTText"), nullptr, true,
                                   QRectF(20, 20, 120, 20), QStringLiteral("F"), value,
                                   QStringLiteral("T1"));
        auto graphic = m_document->graphics().last();
        view->changeSelectionIndexes({int(m_document->graphics().size()) - 1});
        m_controller->Show_RHS_Properties(graphic);
        return graphic;
    }

    // Chooses an item as the user would.
    void choose(const char* comboName, int index) {
        auto* combo = control<QComboBox>(comboName);
        ASSERT_NE(combo, nullptr) << comboName;
        combo->setCurrentIndex(index);
        m_controller->comboBoxSelectionDidChange(combo);
    }
};

TEST_F(DataSourceTest, ASeriesBindingShowsTheFirstLineAsItStands) {
    start();
    series(QStringLiteral("Guests"), "Ann\r\nBob\r\n");
    series(QStringLiteral("Tables"), "7\n8\n");
    auto graphic = text();
    choose("Data_source_type", 1);
    EXPECT_EQ(graphic->data_source_type, 1);
    EXPECT_TRUE(enabled("Batch_Series"));
    EXPECT_TRUE(enabled("view_series_btn"));
    EXPECT_FALSE(enabled("Manual_Image_Browse_Btn"));
    EXPECT_TRUE(control<QPlainTextEdit>("Text_value_Edit")->isReadOnly());
    EXPECT_EQ(control<QComboBox>("Batch_Series")->count(), 2);
    choose("Batch_Series", 0);
    EXPECT_EQ(graphic->batch_list_name, QStringLiteral("Guests"));
    EXPECT_EQ(graphic->batch_list_index, 0);
    // The first line as it stands: its line end is kept, not trimmed.
    EXPECT_EQ(plain(*graphic).size(), 4);
    EXPECT_TRUE(plain(*graphic).startsWith(QStringLiteral("Ann")));
    const QString bound = plain(*graphic);
    EXPECT_TRUE(control<QPlainTextEdit>("Text_value_Edit")->toPlainText().startsWith("Ann"));

    // Manual again keeps the text and the binding's name.
    choose("Data_source_type", 0);
    EXPECT_EQ(graphic->data_source_type, 0);
    EXPECT_EQ(plain(*graphic), bound);
    EXPECT_EQ(graphic->batch_list_name, QStringLiteral("Guests"));
    EXPECT_FALSE(enabled("Batch_Series"));
    EXPECT_TRUE(enabled("Manual_Image_Browse_Btn"));
    // Series again re-selects the same name.
    choose("Data_source_type", 1);
    EXPECT_EQ(control<QComboBox>("Batch_Series")->currentText(), QStringLiteral("Guests"));
    EXPECT_TRUE(shownTexts(m_alerts).isEmpty());
}

TEST_F(DataSourceTest, WithoutSeriesTheObjectKeepsItsSource) {
    start();
    auto graphic = text();
    choose("Data_source_type", 1);
    EXPECT_EQ(shownTexts(m_alerts),
              QStringList{QStringLiteral("Please create batch processing series first.")});
    EXPECT_EQ(graphic->data_source_type, 0);
    EXPECT_EQ(control<QComboBox>("Batch_Series")->count(), 0);
}

TEST_F(DataSourceTest, ExcelColumnsBindAndOutOfRangeSelectsNothing) {
    start();
    ImportedTable& table = Imported_Table();
    table.Add_Column(QStringLiteral("Name"));
    table.Create_List_By_Array({QStringLiteral("Ann")}, 1);
    table.Create_List_By_Array({QStringLiteral("Bob")}, 1);
    auto* kinds = control<QComboBox>("Data_source_type");
    SKTWindowController::Add_Excel_Col_Name_In_Combo(*kinds);
    auto graphic = text();
    graphic->excel_col_indx = 5;
    choose("Data_source_type", 2);
    EXPECT_EQ(graphic->data_source_type, 2);
    auto* columns = control<QComboBox>("Batch_Series");
    EXPECT_EQ(columns->count(), 2);
    EXPECT_EQ(columns->currentIndex(), -1);
    choose("Batch_Series", 0);
    EXPECT_EQ(graphic->excel_col_indx, 0);
    EXPECT_EQ(plain(*graphic), QStringLiteral("1"));
    choose("Batch_Series", 1);
    EXPECT_EQ(plain(*graphic), QStringLiteral("Ann"));
}

TEST_F(DataSourceTest, ExcelItemIsAddedAtTwoAndRemovedAtThreeOnly) {
    QComboBox combo;
    const std::vector<std::tuple<QStringList, bool, int>> cases = {
        {{"Manual", "Series"}, true, 3},
        {{"Manual", "Series", "Excel"}, true, 3},
        {{"Manual"}, true, 1},
        {{"Manual", "Series", "Excel"}, false, 2},
        {{"Manual", "Series"}, false, 2},
        {{"Manual", "Series", "Excel", "More"}, false, 4},
    };
    for (const auto& [items, add, count] : cases) {
        combo.clear();
        combo.addItems(items);
        if (add) {
            SKTWindowController::Add_Excel_Col_Name_In_Combo(combo);
        } else {
            SKTWindowController::Remove_Excel_Col_Name_In_Combo(combo);
        }
        EXPECT_EQ(combo.count(), count) << items.join(',').toStdString();
        EXPECT_EQ(combo.findText(QStringLiteral("Excel")) >= 0, count >= 3);
    }
}

TEST_F(DataSourceTest, LoadingTheTabShowsTheSourceAndWritesNothing) {
    start();
    series(QStringLiteral("Guests"), "Ann\n");
    series(QStringLiteral("Hosts"), "Eve\n");
    auto graphic = text(QStringLiteral("Kept"));
    graphic->data_source_type = 1;
    graphic->batch_list_name = QStringLiteral("Hosts");
    graphic->batch_list_index = 0;
    m_controller->Show_RHS_Properties(nullptr);
    m_controller->Show_RHS_Properties(graphic);
    EXPECT_EQ(control<QComboBox>("Batch_Series")->currentText(), QStringLiteral("Hosts"));
    EXPECT_TRUE(enabled("Batch_Series"));
    EXPECT_TRUE(control<QPlainTextEdit>("Text_value_Edit")->isReadOnly());
    EXPECT_EQ(plain(*graphic), QStringLiteral("Kept"));
    EXPECT_EQ(graphic->batch_list_index, 0);
    EXPECT_EQ(graphic->data_source_type, 1);
    // A series source without any series: no message while loading.
    QFile::remove(Series_File_Path(QStringLiteral("Guests")));
    QFile::remove(Series_File_Path(QStringLiteral("Hosts")));
    m_controller->Show_RHS_Properties(nullptr);
    m_controller->Show_RHS_Properties(graphic);
    EXPECT_TRUE(shownTexts(m_alerts).isEmpty());
    EXPECT_EQ(graphic->data_source_type, 1);
}

TEST_F(DataSourceTest, ViewAndHelpButtons) {
    start();
    series(QStringLiteral("Guests"), "Ann\n");
    text();
    QStringList shown;
    hooks::setModalRunner([&](QDialog& dialog) {
        shown << dialog.metaObject()->className();
        return 0;
    });
    choose("Data_source_type", 1);
    control<QPushButton>("view_series_btn")->click();
    EXPECT_EQ(shownTexts(m_alerts), QStringList{QStringLiteral("Please select the series.")});
    choose("Batch_Series", 0);
    control<QPushButton>("view_series_btn")->click();
    control<QPushButton>("Data_Source_Help_btn")->click();
    EXPECT_EQ(Cutom_Msg_Title, QStringLiteral("Batch Processing Settings Help :"));
    EXPECT_TRUE(Cutom_Msg_Val.startsWith(QStringLiteral("Select Data Source as 'Manual'")));
    EXPECT_EQ(View_Data_Series::defaultInstance()->file_name, QStringLiteral("Guests"));
    EXPECT_TRUE(shown.contains(QStringLiteral("Long_SMS_Dlg")));
}

TEST_F(DataSourceTest, SidesPresetAndCategoryRows) {
    start();
    // After start-up the list holds the PVC sizes with row 0 selected.
    EXPECT_EQ(m_controller->ListData().size(), m_controller->pvc_card_arry.size());
    const QModelIndexList rows = m_controller->ColList()->selectionModel()->selectedRows();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.first().row(), 0);

    choose("Sides_ComboBox", 1);
    EXPECT_EQ(CARD_SIDE_STR, QStringLiteral("1"));
    EXPECT_FALSE(enabled("Back_Card_Btn"));
    choose("Sides_ComboBox", 0);
    EXPECT_EQ(CARD_SIDE_STR, QStringLiteral("2"));
    EXPECT_TRUE(enabled("Back_Card_Btn"));

    choose("Category_ComboBox", 1);
    EXPECT_EQ(m_controller->ListData().size(), m_controller->paper_card_arry.size());
    m_controller->ColList()->selectRow(3);
    choose("Preset_ComboBox", 1);
    EXPECT_EQ(m_controller->ListData().size(), m_controller->paper_card_arry.size());
    EXPECT_EQ(m_controller->ColList()->selectionModel()->selectedRows().value(0).row(), 0);
}

} // namespace
