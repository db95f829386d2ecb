// Which sources a run uses, how many records it has and which value each
// binding reads.

#include "BindingFixture.h"

#include "dataseries/SeriesListing.h"
#include "editor/render/CardRenderInputs.h"

#include <QFile>

namespace {

class BindingStateTest : public BindingFixture {};

TEST_F(BindingStateTest, TheLongerSeriesCountsAndTheShorterGivesEmptyTextsAfterItsEnd) {
    series(QStringLiteral("long"), {"a1", "a2", "a3", "a4", "a5"});
    series(QStringLiteral("short"), {"b1", "b2", "b3"});
    auto first = boundText(0, 1, QStringLiteral("long"));
    auto second = boundText(0, 1, QStringLiteral("short"));
    m_controller->Check_Series_Or_Excel_Use_or_not();
    EXPECT_TRUE(Use_Data_Sheet_Values);
    EXPECT_FALSE(Use_Excel_Binding_Values);
    EXPECT_EQ(Data_table_rows, 5);
    EXPECT_EQ(Total_Batch_Excel_Card, 5);
    const QStringList expectedShort = {"b1", "b2", "b3", "", ""};
    for (int record = 0; record < 5; ++record) {
        m_controller->Fill_Batch_Side(record, QStringLiteral("F"));
        EXPECT_EQ(textOf(first), QStringLiteral("a%1").arg(record + 1));
        EXPECT_EQ(textOf(second), expectedShort[record]) << record;
    }
}

TEST_F(BindingStateTest, ABackOnlyBindingIsNeitherLoadedNorCountedWithOneSide) {
    series(QStringLiteral("names"), {"x", "y"});
    boundText(1, 1, QStringLiteral("names"));
    CARD_SIDE_STR = QStringLiteral("1");
    m_controller->Check_Series_Or_Excel_Use_or_not();
    EXPECT_FALSE(Use_Data_Sheet_Values);
    EXPECT_EQ(Total_Batch_Excel_Card, 0);
    for (const BatchSlot& slot : m_controller->batchTable().slotList()) {
        EXPECT_FALSE(slot.values.has_value()) << slot.name.toStdString();
    }
    CARD_SIDE_STR = QStringLiteral("2");
    m_controller->Check_Series_Or_Excel_Use_or_not();
    EXPECT_TRUE(Use_Data_Sheet_Values);
    EXPECT_EQ(Total_Batch_Excel_Card, 2);
}

TEST_F(BindingStateTest, ASeriesListedBeforeABoundOneLaterSwapsNoValues) {
    series(QStringLiteral("m_series"), {"M1", "M2"});
    auto bound = boundText(0, 1, QStringLiteral("m_series"));
    bound->batch_list_index = 0; // its position when it was bound
    series(QStringLiteral("a_series"), {"A1", "A2", "A3"});
    auto other = boundText(0, 1, QStringLiteral("a_series"));
    other->batch_list_index = 0;
    m_controller->Check_Series_Or_Excel_Use_or_not();
    EXPECT_EQ(Total_Batch_Excel_Card, 3);
    m_controller->Fill_Batch_Side(1, QStringLiteral("F"));
    EXPECT_EQ(textOf(bound), QStringLiteral("M2"));
    EXPECT_EQ(textOf(other), QStringLiteral("A2"));
}

TEST_F(BindingStateTest, UnreadableSeriesGiveNoRecords) {
    struct Case {
        const char* name;
        std::function<void(const QString&)> make;
        bool counted;
        int rows;
    };
    const std::vector<Case> cases = {
        {"missing file", [](const QString&) {}, false, 0},
        {"empty file",
         [](const QString& path) {
             QFile file(path);
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
         },
         true, 1},
        {"not UTF-8",
         [](const QString& path) {
             QFile file(path);
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
             file.write("\xff\xfe\x80 bad\n");
         },
         false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(Series_File_Path(QStringLiteral("s")));
        // A listed name of another extension keeps the missing case listed.
        QFile marker(m_data.filePath(QStringLiteral("s.csv")));
        ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
        marker.close();
        c.make(Series_File_Path(QStringLiteral("s")));
        std::shared_ptr<SKTText> text = textCount == 0
                                            ? boundText(0, 1, QStringLiteral("s"))
                                            : std::static_pointer_cast<SKTText>(
                                                  m_controller->Get_Front_Controls_Array().first());
        m_controller->Check_Series_Or_Excel_Use_or_not();
        EXPECT_EQ(Use_Data_Sheet_Values.load(), c.counted);
        EXPECT_EQ(Total_Batch_Excel_Card, c.rows);
    }
}

TEST_F(BindingStateTest, ColumnZeroGivesRowNumbersAndRecordsPastTheTableAreEmpty) {
    table({"Kim", "Lee", "Ann"});
    series(QStringLiteral("five"), {"1", "2", "3", "4", "5"});
    auto rowNumber = boundText(0, 2, QString(), 0);
    auto name = boundText(0, 2, QString(), 1);
    boundText(0, 1, QStringLiteral("five"));
    m_controller->Check_Series_Or_Excel_Use_or_not();
    EXPECT_EQ(Excel_table_rows, 3);
    EXPECT_EQ(Data_table_rows, 5);
    EXPECT_EQ(Total_Batch_Excel_Card, 5); // the larger count wins
    const QStringList numbers = {"1", "2", "3", "", ""};
    const QStringList names = {"Kim", "Lee", "Ann", "", ""};
    for (int record = 0; record < 5; ++record) {
        m_controller->Fill_Batch_Side(record, QStringLiteral("F"));
        EXPECT_EQ(textOf(rowNumber), numbers[record]) << record;
        EXPECT_EQ(textOf(name), names[record]) << record;
    }
    EXPECT_EQ(m_controller->Get_sel_row_col_value_of_Excel(-1, 1), QString());
    EXPECT_EQ(m_controller->Get_sel_row_col_value_of_Excel(0, 7), QString());
}

TEST_F(BindingStateTest, AnOptOutAndRecountLeaveTheOtherSource) {
    table({"r1", "r2", "r3", "r4"});
    series(QStringLiteral("two"), {"s1", "s2"});
    boundText(0, 2, QString(), 1);
    boundText(0, 1, QStringLiteral("two"));
    m_controller->Check_Series_Or_Excel_Use_or_not();
    EXPECT_EQ(Total_Batch_Excel_Card, 4);
    Use_Excel_Binding_Values = false;
    m_controller->Get_total_Card_count();
    EXPECT_EQ(Excel_table_rows, 0);
    EXPECT_EQ(Total_Batch_Excel_Card, 2);
    Use_Data_Sheet_Values = false;
    m_controller->Get_total_Card_count();
    EXPECT_EQ(Total_Batch_Excel_Card, 0);
}

TEST_F(BindingStateTest, AnEmptyTableClearsTheSpreadsheetFlagAndShapesNeverBind) {
    auto text = boundText(0, 2, QString(), 1);
    m_controller->Check_Series_Or_Excel_Use_or_not();
    EXPECT_FALSE(Use_Excel_Binding_Values);
    text->data_source_type = 0;
    series(QStringLiteral("s"), {"v"});
    auto shape = place<SKTGraphic>(0, QRectF(0, 0, 10, 10));
    bind(*shape, 1, QStringLiteral("s"));
    m_controller->Check_Series_Or_Excel_Use_or_not();
    EXPECT_FALSE(Use_Data_Sheet_Values);
    EXPECT_FALSE(m_controller->Check_Batch_File_In_Use_Validation(QStringLiteral("s")));
}

TEST_F(BindingStateTest, TheControllerListsSeriesAndTellsWhichTheCardUses) {
    series(QStringLiteral("beta"), {"b"});
    series(QStringLiteral("Alpha"), {"a"});
    series(QStringLiteral("gamma"), {"g"});
    series(QStringLiteral("unused"), {"u"});
    EXPECT_EQ(m_controller->Get_datasheet_File_Name_Array(), ::Get_datasheet_File_Name_Array());
    EXPECT_EQ(m_controller->Get_datasheet_File_Name_Array().size(), 4);
    boundText(0, 1, QStringLiteral("beta"));
    boundText(1, 1, QStringLiteral("gamma"));
    boundText(0, 2, QStringLiteral("Alpha"), 1); // a column binding names no series
    boundText(0, 1, QStringLiteral("gone"));     // bound, but its file is missing
    struct Case {
        const char* sides;
        QString name;
        bool inUse;
    };
    const std::vector<Case> cases = {
        {"2", "beta", true},   {"2", "gamma", true},   {"1", "gamma", false}, {"1", "beta", true},
        {"2", "Alpha", false}, {"2", "unused", false}, {"2", "gone", false},  {"2", "", false},
    };
    for (const Case& c : cases) {
        CARD_SIDE_STR = QString::fromLatin1(c.sides);
        EXPECT_EQ(m_controller->Check_Batch_File_In_Use_Validation(c.name), c.inUse)
            << c.name.toStdString() << " with " << c.sides << " side(s)";
    }
}

TEST_F(BindingStateTest, ASideThatCannotBeRenderedAnswersNoPictureAndIsLogged) {
    series(QStringLiteral("names"), {"Ann", "Bob"});
    auto text = boundText(0, 1, QStringLiteral("names"));
    m_controller->Check_Series_Or_Excel_Use_or_not();
    const QSizeF canvas = CardRenderInputs::frontCanvasSize();
    CardRenderInputs::setFrontCanvasSize(QSizeF()); // nothing to render into
    QStringList logged;
    {
        LogLines log;
        const CardPicture picture =
            m_controller->Set_data_table_value_to_card(1, QStringLiteral("F"), false);
        logged = log.all();
        EXPECT_TRUE(picture.isNull());
    }
    CardRenderInputs::setFrontCanvasSize(canvas);
    EXPECT_EQ(textOf(text), QStringLiteral("Bob")) << "the side is filled all the same";
    EXPECT_EQ(Card_Value_In_Process, 1);
    EXPECT_TRUE(logged.join('|').contains(QStringLiteral("Record 2")))
        << logged.join('|').toStdString();
    m_controller->Select_first_row_value_for_design(false);
    EXPECT_EQ(Card_Value_In_Process, 0);
    EXPECT_EQ(textOf(text), QStringLiteral("Ann"));
    EXPECT_FALSE(
        m_controller->Set_data_table_value_to_card(1, QStringLiteral("F"), false).isNull());
    m_controller->Select_first_row_value_for_design(false);
}

} // namespace
