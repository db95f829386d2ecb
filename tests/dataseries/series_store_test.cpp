// Series files: format, reading, listing, saving, deleting, the in-use test.

#include "DataseriesTestSupport.h"
#include "common/TestSupport.h"

#include "dataseries/SeriesFiles.h"
#include "dataseries/SeriesInUse.h"
#include "dataseries/SeriesListing.h"
#include "dataseries/SeriesSave.h"
#include "mainwindow/core/globals.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

struct SideCount {
    QString sides;
    explicit SideCount(const QString& value) : sides(CARD_SIDE_STR) { CARD_SIDE_STR = value; }
    ~SideCount() { CARD_SIDE_STR = sides; }
};

SeriesBoundObject bound(const char* className, int type, const char* name) {
    return {QString::fromLatin1(className), type, QString::fromUtf8(name)};
}

} // namespace

TEST(SeriesFiles, WritesOneValuePerLineExactly) {
    dstest::Workspace ws;
    ASSERT_TRUE(Write_Series_File(
        "Guests", {"Ann", QStringLiteral("B\u00e9a"), "", "two\r\nlines", "c\rd\ne"}));
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("Guests")), QByteArray("Ann\nB\xc3\xa9"
                                                                     "a\n\ntwo lines\nc d e\n"));
    ASSERT_TRUE(Write_Series_File("Guests", {"Cy"}, true));
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("Guests")).right(9), QByteArray("c d e\nCy\n"));
    // Appending to a file without a final line feed starts a new line.
    dstest::writeBytes(ws.seriesPath("Open"), "x");
    ASSERT_TRUE(Write_Series_File("Open", {"y"}, true));
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("Open")), "x\ny\n");
    ASSERT_TRUE(Write_Series_File("Empty", {}));
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("Empty")), "");
}

TEST(SeriesFiles, ReadingTheThreeWays) {
    struct Case {
        const char* label;
        QByteArray bytes;
        QString first;
        std::optional<QStringList> batch;
        QStringList display;
    };
    const std::vector<Case> cases = {
        {"plain", "a\nb\nc\n", "a", QStringList{"a", "b", "c"}, {"a", "b", "c"}},
        {"no final line feed", "a\nb", "a", QStringList{"a", "b"}, {"a", "b"}},
        {"carriage returns", "a\r\nb\r\n", "a\r", QStringList{"a\r", "b"}, {"a", "b"}},
        {"byte-order mark", "\xef\xbb\xbfx\ny\n", "x", QStringList{"x", "y"}, {"x", "y"}},
        {"empty file", "", "", QStringList{""}, {}},
        {"leading empty records stay", "\n\nc\n\n", "", QStringList{"", "", "c"}, {"c"}},
        {"inner blank lines", "a\n\n  \nb\n", "a", QStringList{"a", "", "  ", "b"}, {"a", "b"}},
        {"invalid UTF-8", "ok\n\xff\xfe\n", "", std::nullopt, {}},
        {"overlong encoding", "\xc0\xaf\n", "", std::nullopt, {}},
        {"encoded surrogate", "\xed\xa0\x80\n", "", std::nullopt, {}},
        {"truncated sequence", "ab\xe2\x82", "", std::nullopt, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        dstest::Workspace ws;
        ASSERT_TRUE(dstest::writeBytes(ws.seriesPath("S"), c.bytes));
        EXPECT_EQ(Get_First_Value_Of_Dataset("S"), c.first);
        EXPECT_EQ(Read_Batch_Values("S"), c.batch);
        EXPECT_EQ(Read_Display_Values("S"), c.display);
    }
}

TEST(SeriesFiles, MissingAndRefusedNamesReadAsMissing) {
    dstest::Workspace ws;
    dstest::writeBytes(QDir(Resource_Path).filePath("Title.txt"), "resource\n");
    for (const QString& name : {QString(), QString("Nope"), QString("."), QString(".."),
                                QString("../Title"), QString("a/b"), QString("x") + QChar(0)}) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(Get_First_Value_Of_Dataset(name), "");
        EXPECT_FALSE(Read_Batch_Values(name).has_value());
        EXPECT_TRUE(Read_Display_Values(name).isEmpty());
    }
    for (const QString& name : {QString(), QString("."), QString(".."), QString("../Title")}) {
        EXPECT_FALSE(Write_Series_File(name, {"overwritten"}));
    }
    EXPECT_EQ(dstest::readBytes(QDir(Resource_Path).filePath("Title.txt")), "resource\n");
    // A folder named like a series file is no series.
    QDir().mkpath(ws.seriesPath("Folder"));
    EXPECT_FALSE(Read_Batch_Values("Folder").has_value());
}

TEST(SeriesFiles, FailedWriteKeepsTheOldFile) {
    dstest::Workspace ws;
    ASSERT_TRUE(Write_Series_File("Keep", {"old"}));
    QStringList many;
    for (int i = 0; i < 5000; ++i) {
        many << QStringLiteral("value number %1").arg(i);
    }
    {
        dstest::FileSizeLimit limit(4096);
        EXPECT_FALSE(Write_Series_File("Keep", many));
    }
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("Keep")), "old\n");
    EXPECT_EQ(QDir(Data_Folder_Path).entryList(QDir::Files), QStringList({"Keep.txt"}));
}

TEST(SeriesListing, EveryFileSortedByName) {
    dstest::Workspace ws;
    for (const char* file :
         {"beta.txt", "Alpha.txt", "alpha.txt", "list.csv", "two.dots.txt", "noext", ".txt"}) {
        dstest::writeBytes(QDir(Data_Folder_Path).filePath(file), "v\n");
    }
    QDir(Data_Folder_Path).mkdir("folder.txt");
    EXPECT_EQ(Get_datasheet_File_Name_Array(),
              QStringList({"Alpha", "alpha", "beta", "list", "noext", "two.dots"}));
    // A listed name without a ".txt" file reads as empty and is never in use.
    EXPECT_EQ(Get_First_Value_Of_Dataset("list"), "");
    EXPECT_FALSE(Check_Batch_File_In_Use_Validation("list", {{bound("SKTText", 1, "list")}, {}}));

    Data_Folder_Path = ws.path("missing");
    EXPECT_TRUE(Get_datasheet_File_Name_Array().isEmpty());
    Data_Folder_Path = ws.seriesPath("beta"); // a file, not a folder
    EXPECT_TRUE(Get_datasheet_File_Name_Array().isEmpty());
}

TEST(SeriesInUse, ExactClassesSidesAndNames) {
    dstest::Workspace ws;
    Write_Series_File("Names", {"a"});
    struct Case {
        const char* label;
        const char* sides;
        SeriesBindingSides card;
        bool inUse;
    };
    const std::vector<Case> cases = {
        {"text on front", "1", {{bound("SKTText", 1, "Names")}, {}}, true},
        {"picture on front", "1", {{bound("SKTImage", 1, "Names")}, {}}, true},
        {"barcode on front", "2", {{bound("SKTBarcode", 1, "Names")}, {}}, true},
        {"shape never", "2", {{bound("Shape_Control", 1, "Names")}, {}}, false},
        {"line never", "2", {{bound("SKTLine", 1, "Names")}, {}}, false},
        {"signature never", "2", {{bound("SKTSignature", 1, "Names")}, {}}, false},
        {"subclass name is not the class", "2", {{bound("SKTTextArea", 1, "Names")}, {}}, false},
        {"typed value", "2", {{bound("SKTText", 0, "Names")}, {}}, false},
        {"spreadsheet column", "2", {{bound("SKTText", 2, "Names")}, {}}, false},
        {"other name", "2", {{bound("SKTText", 1, "names")}, {}}, false},
        {"back with two sides", "2", {{}, {bound("SKTText", 1, "Names")}}, true},
        {"back with one side", "1", {{}, {bound("SKTText", 1, "Names")}}, false},
        {"later object on front",
         "1",
         {{bound("SKTLine", 1, "Names"), bound("SKTText", 1, "Other"),
           bound("SKTImage", 1, "Names")},
          {}},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        SideCount sides(QString::fromLatin1(c.sides));
        EXPECT_EQ(Check_Batch_File_In_Use_Validation("Names", c.card), c.inUse);
    }
    SideCount sides("2");
    EXPECT_FALSE(Check_Batch_File_In_Use_Validation("Gone", {{bound("SKTText", 1, "Gone")}, {}}));
}

TEST(SeriesSave, SavingUnderATypedName) {
    const SeriesBindingSides none;
    {
        SCOPED_TRACE("new series, values trimmed and empty ones dropped");
        dstest::Workspace ws;
        testsupport::ScriptedAlerts alerts;
        EXPECT_EQ(Save_Series_Under_Name("*New?", "", {" a ", "", "  ", "b\t"}, none),
                  SeriesSaveResult::Saved);
        EXPECT_EQ(dstest::readBytes(ws.seriesPath("New")), "a\nb\n");
        EXPECT_TRUE(alerts.texts().isEmpty());
    }
    {
        SCOPED_TRACE("existing other series, answer No");
        dstest::Workspace ws;
        Write_Series_File("Old", {"o"});
        Write_Series_File("Taken", {"t"});
        testsupport::ScriptedAlerts alerts({0});
        EXPECT_EQ(Save_Series_Under_Name("Taken", "Old", {"n"}, none), SeriesSaveResult::Declined);
        EXPECT_EQ(alerts.texts(), QStringList({Series_Exists_Question_Text}));
        EXPECT_EQ(dstest::readBytes(ws.seriesPath("Taken")), "t\n");
        EXPECT_EQ(dstest::readBytes(ws.seriesPath("Old")), "o\n");
    }
    {
        SCOPED_TRACE("existing other series, answer Yes: replaced, loaded one stays");
        dstest::Workspace ws;
        Write_Series_File("Old", {"o"});
        Write_Series_File("Taken", {"t"});
        testsupport::ScriptedAlerts alerts({1});
        EXPECT_EQ(Save_Series_Under_Name("Taken", "Old", {"n"}, none), SeriesSaveResult::Saved);
        EXPECT_EQ(dstest::readBytes(ws.seriesPath("Taken")), "n\n");
        EXPECT_EQ(dstest::readBytes(ws.seriesPath("Old")), "o\n");
    }
    {
        SCOPED_TRACE("rename");
        dstest::Workspace ws;
        Write_Series_File("Old", {"o"});
        testsupport::ScriptedAlerts alerts;
        EXPECT_EQ(Save_Series_Under_Name("Renamed", "Old", {"n"}, none), SeriesSaveResult::Saved);
        EXPECT_EQ(dstest::readBytes(ws.seriesPath("Renamed")), "n\n");
        EXPECT_FALSE(QFileInfo::exists(ws.seriesPath("Old")));
        EXPECT_TRUE(alerts.texts().isEmpty());
    }
    {
        SCOPED_TRACE("same name saves in place without a question");
        dstest::Workspace ws;
        Write_Series_File("Same", {"o"});
        testsupport::ScriptedAlerts alerts;
        EXPECT_EQ(Save_Series_Under_Name("Same", "Same", {"n"}, none), SeriesSaveResult::Saved);
        EXPECT_EQ(dstest::readBytes(ws.seriesPath("Same")), "n\n");
        EXPECT_TRUE(alerts.texts().isEmpty());
    }
    {
        SCOPED_TRACE("reserved characters at the ends write the existing file");
        dstest::Workspace ws;
        Write_Series_File("Same", {"o"});
        testsupport::ScriptedAlerts alerts({1});
        EXPECT_EQ(Save_Series_Under_Name("<Same>", "Same", {"n"}, none), SeriesSaveResult::Saved);
        EXPECT_EQ(dstest::readBytes(ws.seriesPath("Same")), "n\n");
        EXPECT_EQ(alerts.texts(), QStringList({Series_Exists_Question_Text}));
    }
    {
        SCOPED_TRACE("loaded series in use: nothing written");
        dstest::Workspace ws;
        SideCount sides("1");
        Write_Series_File("Bound", {"o"});
        testsupport::ScriptedAlerts alerts;
        EXPECT_EQ(Save_Series_Under_Name("Elsewhere", "Bound", {"n"},
                                         {{bound("SKTText", 1, "Bound")}, {}}),
                  SeriesSaveResult::InUse);
        EXPECT_EQ(alerts.texts(), QStringList({"\n" + Series_In_Use_Update_Text}));
        EXPECT_FALSE(QFileInfo::exists(ws.seriesPath("Elsewhere")));
        EXPECT_EQ(dstest::readBytes(ws.seriesPath("Bound")), "o\n");
    }
    {
        SCOPED_TRACE("refused names");
        dstest::Workspace ws;
        for (const QString& typed :
             {QString("  "), QString("*?"), QString(".."), QString("../Title"), QString("a/b")}) {
            testsupport::ScriptedAlerts alerts;
            EXPECT_EQ(Save_Series_Under_Name(typed, "", {"n"}, none), SeriesSaveResult::Failed);
            EXPECT_EQ(alerts.texts(), QStringList({"\n" + Series_Access_Error_Text}));
        }
        EXPECT_TRUE(QDir(Data_Folder_Path).entryList(QDir::Files).isEmpty());
        EXPECT_FALSE(QFileInfo::exists(QDir(Resource_Path).filePath("Title.txt")));
    }
    {
        SCOPED_TRACE("failing write during a rename keeps both old files");
        dstest::Workspace ws;
        Write_Series_File("Old", {"o"});
        QStringList many;
        for (int i = 0; i < 5000; ++i) {
            many << QStringLiteral("value number %1").arg(i);
        }
        testsupport::ScriptedAlerts alerts;
        {
            dstest::FileSizeLimit limit(4096);
            EXPECT_EQ(Save_Series_Under_Name("Renamed", "Old", many, none),
                      SeriesSaveResult::Failed);
        }
        EXPECT_EQ(alerts.texts(), QStringList({"\n" + Series_Access_Error_Text}));
        EXPECT_EQ(dstest::readBytes(ws.seriesPath("Old")), "o\n");
        EXPECT_FALSE(QFileInfo::exists(ws.seriesPath("Renamed")));
    }
}

TEST(SeriesSave, DeleteRefusalAndAccessProbe) {
    dstest::Workspace ws;
    SideCount sides("2");
    Write_Series_File("Used", {"u"});
    Write_Series_File("Free", {"f"});
    const SeriesBindingSides card{{}, {bound("SKTBarcode", 1, "Used")}};
    {
        testsupport::ScriptedAlerts alerts;
        EXPECT_FALSE(Delete_Series("Used", card));
        EXPECT_EQ(alerts.texts(), QStringList({"\n" + Series_In_Use_Delete_Text}));
        EXPECT_TRUE(QFileInfo::exists(ws.seriesPath("Used")));
        EXPECT_TRUE(Delete_Series("Free", card));
        EXPECT_FALSE(QFileInfo::exists(ws.seriesPath("Free")));
    }
    {
        testsupport::ScriptedAlerts alerts;
        EXPECT_TRUE(Probe_Series_Access("Used"));
        EXPECT_TRUE(alerts.texts().isEmpty());
        EXPECT_FALSE(Probe_Series_Access("Absent"));
        EXPECT_FALSE(QFileInfo::exists(ws.seriesPath("Absent"))); // never created
        EXPECT_FALSE(Probe_Series_Access(".."));
        EXPECT_EQ(alerts.texts(),
                  QStringList({"\n" + Series_Access_Error_Text, "\n" + Series_Access_Error_Text}));
    }
}
