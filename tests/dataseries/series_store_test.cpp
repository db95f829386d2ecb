// Series files: format, reading, listing, saving, deleting, the in-use test.

#include "DataseriesTestSupport.h"
#include "common/TestSupport.h"

#include "core/globals.h"
#include "dataseries/SeriesFiles.h"
#include "dataseries/SeriesListing.h"
#include "dataseries/SeriesSave.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace dstest;

namespace {
SeriesBoundObject bound(const char* className, int type, const char* name) {
    return {className, type, name};
}
QStringList manyValues() {
    QStringList values;
    for (int i = 0; i < 5000; ++i) {
        values << QStringLiteral("value number %1").arg(i);
    }
    return values;
}
const QString accessError = "\n" + Series_Access_Error_Text;
} // namespace

TEST(SeriesFiles, WritingAndRefusedNames) {
    Workspace ws;
    ASSERT_TRUE(
        Write_Series_File("G", {"Ann", QStringLiteral("B\u00e9a"), "", "two\r\nlines", "c\rd\ne"}));
    EXPECT_EQ(readBytes(ws.seriesPath("G")), "Ann\nB\xc3\xa9"
                                             "a\n\ntwo lines\nc d e\n");
    writeBytes(ws.seriesPath("Open"), "x"); // appending starts on a line of its own
    ASSERT_TRUE(Write_Series_File("Open", {"y"}, true));
    EXPECT_EQ(readBytes(ws.seriesPath("Open")), "x\ny\n");
    {
        FileSizeLimit limit(4096);
        EXPECT_FALSE(Write_Series_File("Open", manyValues()));
    }
    EXPECT_EQ(readBytes(ws.seriesPath("Open")), "x\ny\n");
    EXPECT_EQ(QDir(Data_Folder_Path).entryList(QDir::Files), QStringList({"G.txt", "Open.txt"}));

    writeBytes(Resource_Path + "/Title.txt", "resource\n");
    for (const QString& name : {QString(), QString("."), QString(".."), QString("../Title"),
                                QString("a/b"), QString("x") + QChar(0)}) {
        EXPECT_FALSE(Write_Series_File(name, {"overwritten"}));
        EXPECT_FALSE(Read_Batch_Values(name).has_value());
        EXPECT_EQ(Get_First_Value_Of_Dataset(name), "");
    }
    EXPECT_EQ(readBytes(Resource_Path + "/Title.txt"), "resource\n");
}

TEST(SeriesFiles, ReadingTheThreeWays) {
    struct Case {
        QByteArray bytes;
        QString first;
        std::optional<QStringList> batch;
        QStringList display;
    };
    const std::vector<Case> cases = {
        {"a\nb", "a", QStringList{"a", "b"}, {"a", "b"}},
        {"a\r\nb\r\n", "a\r", QStringList{"a\r", "b"}, {"a", "b"}},
        {"\xef\xbb\xbfx\ny\n", "x", QStringList{"x", "y"}, {"x", "y"}},
        {"", "", QStringList{""}, {}},
        {"\n\nc\n\n", "", QStringList{"", "", "c"}, {"c"}},
        {"a\n\n  \nb\n", "a", QStringList{"a", "", "  ", "b"}, {"a", "b"}},
        {"ok\n\xff\n", "", std::nullopt, {}},
        {"\xc0\xaf\n", "", std::nullopt, {}},
        {"\xed\xa0\x80\n", "", std::nullopt, {}},
        {"ab\xe2\x82", "", std::nullopt, {}},
    };
    Workspace ws;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes.toHex().toStdString());
        ASSERT_TRUE(writeBytes(ws.seriesPath("S"), c.bytes));
        EXPECT_EQ(Get_First_Value_Of_Dataset("S"), c.first);
        EXPECT_EQ(Read_Batch_Values("S"), c.batch);
        EXPECT_EQ(Read_Display_Values("S"), c.display);
    }
    EXPECT_FALSE(Read_Batch_Values("Missing").has_value());
}

TEST(SeriesListing, EveryFileSortedByName) {
    Workspace ws;
    for (const char* file :
         {"beta.txt", "Alpha.txt", "alpha.txt", "list.csv", "two.dots.txt", ".txt"}) {
        writeBytes(Data_Folder_Path + "/" + file, "v\n");
    }
    QDir(Data_Folder_Path).mkdir("folder.txt");
    EXPECT_EQ(Get_datasheet_File_Name_Array(),
              QStringList({"Alpha", "alpha", "beta", "list", "two.dots"}));
    EXPECT_EQ(Get_First_Value_Of_Dataset("list"), ""); // no list.txt: an empty series
    EXPECT_FALSE(Check_Batch_File_In_Use_Validation("list", {{bound("SKTText", 1, "list")}, {}}));
    EXPECT_FALSE(Read_Batch_Values("folder").has_value());
    Data_Folder_Path = ws.path("missing");
    EXPECT_TRUE(Get_datasheet_File_Name_Array().isEmpty());
}

TEST(SeriesInUse, ExactClassesSidesAndNames) {
    Workspace ws;
    Write_Series_File("N", {"a"});
    struct Case {
        const char* sides;
        SeriesBindingSides card;
        bool inUse;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"1", {{bound("SKTText", 1, "N")}, {}}, true},
        {"1", {{bound("SKTImage", 1, "N")}, {}}, true},
        {"2", {{bound("SKTBarcode", 1, "N")}, {}}, true},
        {"2", {{bound("Shape_Control", 1, "N"), bound("SKTLine", 1, "N")}, {}}, false},
        {"2", {{bound("SKTSignature", 1, "N"), bound("SKTTextArea", 1, "N")}, {}}, false},
        {"2", {{bound("SKTText", 0, "N"), bound("SKTText", 2, "N"), bound("SKTText", 1, "n")}, {}}, false},
        {"2", {{}, {bound("SKTText", 1, "N")}}, true},
        {"1", {{}, {bound("SKTText", 1, "N")}}, false},
        {"1", {{bound("SKTLine", 1, "N"), bound("SKTImage", 1, "N")}, {}}, true},
    };
    // clang-format on
    const QString sides = CARD_SIDE_STR;
    for (size_t i = 0; i < cases.size(); ++i) {
        CARD_SIDE_STR = cases[i].sides;
        EXPECT_EQ(Check_Batch_File_In_Use_Validation("N", cases[i].card), cases[i].inUse) << i;
    }
    CARD_SIDE_STR = sides;
    EXPECT_FALSE(Check_Batch_File_In_Use_Validation("Gone", {{bound("SKTText", 1, "Gone")}, {}}));
}

TEST(SeriesSave, SavingUnderATypedName) {
    struct Case {
        const char* label;
        QString typed, loaded;
        std::deque<int> answers;
        SeriesSaveResult result;
        QStringList messages;
        std::map<QString, QByteArray> filesAfter; // "" for a file that must not exist
        bool tooLarge = false;
    };
    const QString question = Series_Exists_Question_Text;
    using R = SeriesSaveResult;
    // clang-format off
    const std::vector<Case> cases = {
        {"new, trimmed", "*New?", "", {}, R::Saved, {}, {{"New", "a\nb\n"}}},
        {"other exists, No", "Taken", "Old", {0}, R::Declined, {question}, {{"Taken", "t\n"}, {"Old", "o\n"}}},
        {"other exists, Yes", "Taken", "Old", {1}, R::Saved, {question}, {{"Taken", "a\nb\n"}, {"Old", "o\n"}}},
        {"rename", "Renamed", "Old", {}, R::Saved, {}, {{"Renamed", "a\nb\n"}, {"Old", ""}}},
        {"reserved ends", "<Old>", "Old", {1}, R::Saved, {question}, {{"Old", "a\nb\n"}}},
        {"in use", "Other", "Bound", {}, R::InUse, {"\n" + Series_In_Use_Update_Text}, {{"Other", ""}, {"Bound", "b\n"}}},
        {"refused name", "../Title", "", {}, R::Failed, {accessError}, {}},
        {"empty name", "**", "", {}, R::Failed, {accessError}, {}},
        {"failing rename", "Renamed", "Old", {}, R::Failed, {accessError}, {{"Renamed", ""}, {"Old", "o\n"}}, true},
    };
    // clang-format on
    const SeriesBindingSides card{{bound("SKTText", 1, "Bound")}, {}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Workspace ws;
        Write_Series_File("Old", {"o"});
        Write_Series_File("Taken", {"t"});
        Write_Series_File("Bound", {"b"});
        testsupport::ScriptedAlerts alerts(c.answers);
        const QStringList values = c.tooLarge ? manyValues() : QStringList{" a ", "", " ", "b\t"};
        std::optional<FileSizeLimit> limit;
        if (c.tooLarge) {
            limit.emplace(4096);
        }
        EXPECT_EQ(Save_Series_Under_Name(c.typed, c.loaded, values, card), c.result);
        limit.reset();
        EXPECT_EQ(alerts.texts(), c.messages);
        for (const auto& [name, bytes] : c.filesAfter) {
            EXPECT_EQ(QFileInfo::exists(ws.seriesPath(name)), !bytes.isEmpty())
                << name.toStdString();
            EXPECT_EQ(readBytes(ws.seriesPath(name)), bytes) << name.toStdString();
        }
        if (c.result != SeriesSaveResult::Saved) {
            EXPECT_EQ(QDir(Data_Folder_Path).entryList(QDir::Files).size(), 3);
        }
        EXPECT_EQ(QDir(Resource_Path).entryList(QDir::Files), QStringList({"Template.xlsx"}));
    }
}

TEST(SeriesSave, NewSeriesAskBeforeReplacing) {
    Workspace ws;
    testsupport::ScriptedAlerts alerts({0, 1});
    EXPECT_EQ(Save_New_Series("|Seq|", {" 1", "", "2 "}), SeriesSaveResult::Saved);
    EXPECT_EQ(readBytes(ws.seriesPath("Seq")), " 1\n\n2 \n"); // written as they are
    EXPECT_EQ(Save_New_Series("Seq", {"x"}), SeriesSaveResult::Declined);
    EXPECT_EQ(Save_New_Series("Seq", {"y"}), SeriesSaveResult::Saved);
    EXPECT_EQ(readBytes(ws.seriesPath("Seq")), "y\n");
    EXPECT_EQ(Save_New_Series("..", {"z"}), SeriesSaveResult::Failed);
    EXPECT_EQ(alerts.texts(),
              QStringList({Series_Exists_Question_Text, Series_Exists_Question_Text, accessError}));
}

TEST(SeriesSave, DeleteRefusalAndAccessProbe) {
    Workspace ws;
    const QString sides = CARD_SIDE_STR;
    CARD_SIDE_STR = "2";
    Write_Series_File("Used", {"u"});
    Write_Series_File("Free", {"f"});
    testsupport::ScriptedAlerts alerts;
    EXPECT_FALSE(Delete_Series("Used", {{}, {bound("SKTBarcode", 1, "Used")}}));
    EXPECT_TRUE(QFileInfo::exists(ws.seriesPath("Used")));
    EXPECT_TRUE(Delete_Series("Free", {{}, {bound("SKTBarcode", 1, "Used")}}));
    EXPECT_FALSE(QFileInfo::exists(ws.seriesPath("Free")));
    EXPECT_TRUE(Probe_Series_Access("Used"));
    EXPECT_FALSE(Probe_Series_Access("Absent"));
    EXPECT_FALSE(QFileInfo::exists(ws.seriesPath("Absent"))); // never created
    EXPECT_EQ(alerts.texts(), QStringList({"\n" + Series_In_Use_Delete_Text, accessError}));
    CARD_SIDE_STR = sides;
}
