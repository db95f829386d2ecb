// Where the designer's value comes from: typed, a data series or a column of
// the imported spreadsheet; the choice reaches the object at once.

#include "DesignerWindowFixture.h"
#include "core/globals.h"
#include "dataseries/ImportedTable.h"
#include "dataseries/SeriesFiles.h"
#include "dataseries/windows/View_Data_Series.h"
#include "widgets/GuiHooks.h"
#include "widgets/MainWindowServices.h"

#include <QComboBox>
#include <QTemporaryDir>

namespace {

using designertest::barcodeObject;

class DesignerDataSourceTest : public DesignerWindowTest {
protected:
    void SetUp() override {
        DesignerWindowTest::SetUp();
        ASSERT_TRUE(m_folder.isValid());
        m_previousFolder = Data_Folder_Path;
        Data_Folder_Path = m_folder.path();
        Imported_Table() = ImportedTable();
    }
    void TearDown() override {
        Data_Folder_Path = m_previousFolder;
        Imported_Table() = ImportedTable();
        DesignerWindowTest::TearDown();
    }

    // Opens the designer on the object and leaves it loaded (the modal run
    // returns at once, as Cancel would).
    void load(const std::shared_ptr<SKTGraphic>& object) {
        openWith(object, [](Barcode_Gen&) {});
    }

    QTemporaryDir m_folder;
    QString m_previousFolder;
};

TEST_F(DesignerDataSourceTest, NoSeriesShowsTheMessageAndKeepsTheSource) {
    auto object = barcodeObject(QStringLiteral("Code 128"), QStringLiteral("A1"));
    load(object);
    testsupport::ScriptedAlerts alerts;
    choose(ui().Data_source_type, QStringLiteral("Series"));
    ASSERT_EQ(alerts.texts().size(), 1);
    EXPECT_EQ(alerts.texts().first().trimmed(),
              QStringLiteral("Please create batch processing series first."));
    EXPECT_EQ(object->data_source_type, 0);
    EXPECT_EQ(ui().Data_source_type->currentText(), QStringLiteral("Series"));
}

TEST_F(DesignerDataSourceTest, ASeriesGivesItsFirstValueToThePreview) {
    ASSERT_TRUE(Write_Series_File(QStringLiteral("Guests"),
                                  {QStringLiteral("Ann-1"), QStringLiteral("Bob-2")}));
    ASSERT_TRUE(Write_Series_File(QStringLiteral("Tables"), {QStringLiteral("T9")}));
    for (const char* title : {"Code 128", "QR Code"}) {
        SCOPED_TRACE(title);
        auto object = barcodeObject(QString::fromLatin1(title), QStringLiteral("A1"));
        load(object);
        choose(ui().Data_source_type, QStringLiteral("Series"));
        EXPECT_EQ(object->data_source_type, 1);
        EXPECT_TRUE(ui().Batch_Series->isEnabled());
        EXPECT_TRUE(ui().dataText->isReadOnly());
        ASSERT_EQ(ui().Batch_Series->count(), 2);
        choose(ui().Batch_Series, QStringLiteral("Tables"));
        EXPECT_EQ(object->batch_list_name, QStringLiteral("Tables"));
        EXPECT_EQ(object->batch_list_index, 1);
        EXPECT_EQ(designer().settings.currentValue(), QStringLiteral("T9"));
        EXPECT_FALSE(designer().previewPicture().isNull());
        if (designer().testBarcode()) {
            EXPECT_EQ(designer().testBarcode()->content(), QStringLiteral("T9"));
        }
        // Kept after Cancel; the stored series shows when reopened.
        load(object);
        EXPECT_EQ(ui().Data_source_type->currentText(), QStringLiteral("Series"));
        EXPECT_EQ(ui().Batch_Series->currentText(), QStringLiteral("Tables"));
        choose(ui().Data_source_type, QStringLiteral("Manual"));
        EXPECT_EQ(object->data_source_type, 0);
        EXPECT_FALSE(ui().Batch_Series->isEnabled());
        EXPECT_FALSE(ui().dataText->isReadOnly());
    }
}

TEST_F(DesignerDataSourceTest, AColumnSetsTheObjectsColumnAndPreviewsItsFirstValue) {
    ImportedTable& table = Imported_Table();
    table.Add_Column(QStringLiteral("Name"));
    table.Add_Column(QStringLiteral("Seat"));
    table.Create_List_By_Array({QStringLiteral("ZED-4"), QStringLiteral("12")}, 2);
    table.Create_List_By_Array({QStringLiteral("AMY-5"), QStringLiteral("13")}, 2);
    auto object = barcodeObject(QStringLiteral("Code 39"), QStringLiteral("A1"));
    load(object);
    choose(ui().Data_source_type, QStringLiteral("Excel"));
    EXPECT_EQ(object->data_source_type, 2);
    ASSERT_EQ(ui().Batch_Series->count(), 3);
    EXPECT_EQ(ui().Batch_Series->itemText(0), ImportedTable::rowNumberTitle);
    EXPECT_EQ(ui().Batch_Series->itemText(1), QStringLiteral("Name"));
    EXPECT_EQ(ui().Batch_Series->currentIndex(), 0); // the object's column 0
    const struct {
        int index;
        const char* value;
    } cases[] = {{1, "ZED-4"}, {2, "12"}, {0, "1"}};
    for (const auto& c : cases) {
        choose(ui().Batch_Series, c.index);
        EXPECT_EQ(object->excel_col_indx, c.index);
        EXPECT_EQ(designer().settings.linear_font_val, QString::fromLatin1(c.value));
        ASSERT_TRUE(designer().testBarcode());
        EXPECT_EQ(designer().testBarcode()->content(), QString::fromLatin1(c.value));
    }
}

TEST_F(DesignerDataSourceTest, ViewSeriesWithoutASeriesAsksForOne) {
    load(barcodeObject(QStringLiteral("Code 39"), QStringLiteral("A1")));
    testsupport::ScriptedAlerts alerts;
    ui().view_series_btn->setEnabled(true);
    ui().view_series_btn->click();
    ASSERT_EQ(alerts.texts().size(), 1);
    EXPECT_EQ(alerts.texts().first().trimmed(), QStringLiteral("Please select the series."));
}

TEST_F(DesignerDataSourceTest, ViewSeriesNamesTheChosenSeries) {
    ASSERT_TRUE(Write_Series_File(QStringLiteral("Guests"), {QStringLiteral("Ann")}));
    auto object = barcodeObject(QStringLiteral("Code 39"), QStringLiteral("A1"));
    load(object);
    choose(ui().Data_source_type, QStringLiteral("Series"));
    choose(ui().Batch_Series, QStringLiteral("Guests"));
    testsupport::ScriptedAlerts alerts;
    QString shownName;
    QStringList shownValues;
    hooks::setModalRunner([&](QDialog& dialog) {
        if (auto* viewer = qobject_cast<View_Data_Series*>(&dialog)) {
            shownName = viewer->file_name;
            shownValues = viewer->shownValues();
        }
        return 1;
    });
    ui().view_series_btn->click();
    hooks::setModalRunner({});
    EXPECT_TRUE(alerts.texts().isEmpty());
    EXPECT_EQ(shownName, QStringLiteral("Guests"));
    EXPECT_EQ(shownValues, QStringList({QStringLiteral("Ann")}));
}

// A main window registered as the services: the designer asks it.
class FakeServices : public MainWindowServices {
public:
    void Fill_Data_Set_File_Name_In_Combo(QComboBox& combo) override {
        combo.clear();
        combo.addItems({QStringLiteral("Alpha"), QStringLiteral("Beta")});
        combo.setCurrentIndex(-1);
    }
    void Fill_Excel_Col_Name_In_Combo(QComboBox& combo) override {
        combo.clear();
        combo.addItems(Excel_Col_Names());
        combo.setCurrentIndex(-1);
    }
    QString Get_First_Value_Of_Dataset(const QString& name) override {
        asked << name;
        return QStringLiteral("V-") + name.toUpper();
    }
    QString Get_First_Value_Of_Excel_Binding(int) override { return {}; }
    void Refresh_Canvas() override {
        ++refreshes;
        calls << QStringLiteral("refresh");
    }
    void startEditingGraphic(const std::shared_ptr<SKTGraphic>& graphic) override {
        edited = graphic;
        calls << QStringLiteral("edit");
    }

    QStringList asked;
    int refreshes = 0;
    QStringList calls;
    std::shared_ptr<SKTGraphic> edited;
};

TEST_F(DesignerDataSourceTest, TheRegisteredMainWindowServesTheLists) {
    FakeServices services;
    MainWindowServices::setCurrent(&services);
    auto object = barcodeObject(QStringLiteral("Code 39"), QStringLiteral("A1"));
    load(object);
    choose(ui().Data_source_type, QStringLiteral("Series"));
    choose(ui().Batch_Series, QStringLiteral("Beta"));
    MainWindowServices::setCurrent(nullptr);
    EXPECT_EQ(services.asked, QStringList{QStringLiteral("Beta")});
    EXPECT_EQ(designer().settings.linear_font_val, QStringLiteral("V-BETA"));
    EXPECT_GE(services.refreshes, 1);
    EXPECT_EQ(object->batch_list_name, QStringLiteral("Beta"));
}

TEST_F(DesignerDataSourceTest, AChosenSeriesOrColumnIsEditedOnTheMainWindowsCanvas) {
    Imported_Table().Add_Column(QStringLiteral("Seat"));
    Imported_Table().Create_List_By_Array({QStringLiteral("12")}, 1);
    const struct {
        const char* source;
        const char* item;
    } cases[] = {{"Series", "Alpha"}, {"Excel", "Seat"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        FakeServices services;
        MainWindowServices::setCurrent(&services);
        auto object = barcodeObject(QStringLiteral("Code 39"), QStringLiteral("A1"));
        load(object);
        choose(ui().Data_source_type, QString::fromLatin1(c.source));
        services.calls.clear();
        choose(ui().Batch_Series, QString::fromLatin1(c.item));
        MainWindowServices::setCurrent(nullptr);
        // Redrawn, the bound object edited on the canvas, redrawn again.
        EXPECT_EQ(services.calls, (QStringList{QStringLiteral("refresh"), QStringLiteral("edit"),
                                               QStringLiteral("refresh")}));
        EXPECT_EQ(services.edited.get(), object.get());
    }
}

TEST_F(DesignerDataSourceTest, NoChoiceEditsNothing) {
    FakeServices services;
    MainWindowServices::setCurrent(&services);
    load(barcodeObject(QStringLiteral("Code 39"), QStringLiteral("A1")));
    choose(ui().Data_source_type, QStringLiteral("Series"));
    services.calls.clear();
    ui().Batch_Series->setCurrentIndex(-1);
    designer().comboBoxSelectionDidChange(ui().Batch_Series);
    MainWindowServices::setCurrent(nullptr);
    EXPECT_TRUE(services.calls.isEmpty());
    EXPECT_EQ(services.edited, nullptr);
}

TEST(ImportedTableOfTheProcess, ColumnTitlesAndFirstValues) {
    Imported_Table() = ImportedTable();
    EXPECT_EQ(Excel_Col_Names(), QStringList{ImportedTable::rowNumberTitle});
    EXPECT_EQ(Get_First_Value_Of_Excel_Binding(0), QString());
    Imported_Table().Add_Column(QStringLiteral(" City "));
    Imported_Table().Create_List_By_Array({QStringLiteral("Oslo")}, 1);
    EXPECT_EQ(Excel_Col_Names(),
              (QStringList{ImportedTable::rowNumberTitle, QStringLiteral("City")}));
    const struct {
        int column;
        const char* value;
    } cases[] = {{0, "1"}, {1, "Oslo"}, {2, ""}, {-1, ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(Get_First_Value_Of_Excel_Binding(c.column), QString::fromLatin1(c.value))
            << c.column;
    }
    Imported_Table() = ImportedTable();
}

} // namespace
