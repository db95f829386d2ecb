// The batch table of a run on its own: slots by series name, loading from
// the series files, the record count, value lookups, and the imported
// table's lookups with the run's row count.

#include "DataseriesTestSupport.h"

#include "dataseries/BatchTable.h"
#include "dataseries/ImportedTable.h"
#include "dataseries/SeriesFiles.h"

#include <QtGlobal>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>

using namespace dstest;

namespace {

// Collects what goes to the log while it lives.
class LogLines {
public:
    LogLines() { m_previous = qInstallMessageHandler(&LogLines::handler); }
    ~LogLines() {
        qInstallMessageHandler(m_previous);
        const std::lock_guard lock(mutex());
        lines().clear();
    }
    LogLines(const LogLines&) = delete;
    LogLines& operator=(const LogLines&) = delete;

    QStringList all() const {
        const std::lock_guard lock(mutex());
        return lines();
    }
    bool mentions(const QString& text) const {
        for (const QString& line : all()) {
            if (line.contains(text)) {
                return true;
            }
        }
        return false;
    }

private:
    static void handler(QtMsgType, const QMessageLogContext&, const QString& text) {
        const std::lock_guard lock(mutex());
        lines().append(text);
    }
    static std::mutex& mutex() {
        static std::mutex m;
        return m;
    }
    static QStringList& lines() {
        static QStringList l;
        return l;
    }
    QtMessageHandler m_previous = nullptr;
};

TEST(BatchTable, EveryListedSeriesStartsUnloadedInListingOrder) {
    BatchTable table;
    table.reset({"alpha", "beta", "gamma"});
    ASSERT_EQ(table.slotCount(), 3);
    const QStringList names = {"alpha", "beta", "gamma"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(table.slotList()[std::size_t(i)].name, names[i]);
        EXPECT_FALSE(table.slotList()[std::size_t(i)].values.has_value()) << i;
        EXPECT_EQ(table.slotOf(names[i]), i);
    }
    EXPECT_EQ(table.slotOf("delta"), -1);
    EXPECT_EQ(table.slotOf(""), -1);
    EXPECT_EQ(table.slotOf("ALPHA"), -1) << "names match exactly";
    EXPECT_EQ(table.rowCount(), 0);
    EXPECT_EQ(table.value(0, 0), "");
    // A second reset starts over: nothing of the first listing stays.
    ASSERT_TRUE(table.setValues(0, {"x"}));
    table.reset({"beta"});
    EXPECT_EQ(table.slotCount(), 1);
    EXPECT_EQ(table.slotOf("alpha"), -1);
    EXPECT_EQ(table.rowCount(), 0);
    table.clear();
    EXPECT_EQ(table.slotCount(), 0);
    EXPECT_EQ(table.value(0, "beta"), "");
}

TEST(BatchTable, LoadingReadsTheSeriesFileOfTheName) {
    struct Case {
        const char* what;
        QString name;
        std::function<void(const Workspace&)> make;
        bool loads;
        QStringList values; // when it loads
        QString logged;     // a text the log mentions when it does not
    };
    const std::vector<Case> cases = {
        {"three lines",
         "s",
         [](const Workspace& ws) { writeBytes(ws.seriesPath("s"), "a\nb\nc\n"); },
         true,
         {"a", "b", "c"},
         {}},
        {"values kept untrimmed, inner empty lines kept",
         "s",
         [](const Workspace& ws) { writeBytes(ws.seriesPath("s"), "  one \n\n two\n"); },
         true,
         {"  one ", "", " two"},
         {}},
        {"an empty file is one empty record",
         "s",
         [](const Workspace& ws) { writeBytes(ws.seriesPath("s"), ""); },
         true,
         {""},
         {}},
        {"missing file", "s", [](const Workspace&) {}, false, {}, "cannot be read"},
        {"not UTF-8",
         "s",
         [](const Workspace& ws) { writeBytes(ws.seriesPath("s"), "ok\n\xff\xfe bad\n"); },
         false,
         {},
         "cannot be read"},
        {"not listed",
         "other",
         [](const Workspace& ws) { writeBytes(ws.seriesPath("other"), "v\n"); },
         false,
         {},
         "not listed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Workspace ws;
        c.make(ws);
        BatchTable table;
        table.reset({"first", "s"});
        LogLines log;
        EXPECT_EQ(table.load(c.name), c.loads);
        const int slot = table.slotOf("s");
        ASSERT_EQ(slot, 1);
        if (c.loads) {
            ASSERT_TRUE(table.slotList()[1].values.has_value());
            EXPECT_EQ(*table.slotList()[1].values, c.values);
            EXPECT_EQ(table.rowCount(), c.values.size());
        } else {
            EXPECT_FALSE(table.slotList()[1].values.has_value());
            EXPECT_EQ(table.rowCount(), 0);
            EXPECT_TRUE(log.mentions(c.logged)) << log.all().join('|').toStdString();
        }
        EXPECT_FALSE(table.slotList()[0].values.has_value()) << "other slots stay unloaded";
    }
}

TEST(BatchTable, ASlotLoadedOnceStaysAsItIs) {
    Workspace ws;
    ASSERT_TRUE(Write_Series_File("s", {"old1", "old2"}));
    BatchTable table;
    table.reset({"s"});
    ASSERT_TRUE(table.load("s"));
    // Two objects bound to the same series load it twice within one run.
    ASSERT_TRUE(Write_Series_File("s", {"new"}));
    EXPECT_TRUE(table.load("s"));
    EXPECT_EQ(table.value(1, "s"), "old2");
    EXPECT_EQ(table.rowCount(), 2);
}

TEST(BatchTable, TheLongestLoadedSlotGivesTheRecordCount) {
    struct Case {
        const char* what;
        std::vector<std::pair<int, QStringList>> loaded; // slot, values
        int rows;
    };
    const std::vector<Case> cases = {
        {"nothing loaded", {}, 0},
        {"one slot", {{1, {"a", "b"}}}, 2},
        {"the longer wins, in either slot", {{0, {"a"}}, {2, {"a", "b", "c", "d"}}}, 4},
        {"the longer wins, first slot", {{0, {"a", "b", "c"}}, {1, {"a"}}}, 3},
        {"a loaded empty list counts nothing", {{0, {}}}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BatchTable table;
        table.reset({"x", "y", "z"});
        for (const auto& [slot, values] : c.loaded) {
            ASSERT_TRUE(table.setValues(slot, values));
        }
        EXPECT_EQ(table.rowCount(), c.rows);
    }
    BatchTable table;
    table.reset({"x"});
    EXPECT_FALSE(table.setValues(-1, {"a"}));
    EXPECT_FALSE(table.setValues(1, {"a"}));
    EXPECT_EQ(table.rowCount(), 0);
}

TEST(BatchTable, ValueLookups) {
    BatchTable table;
    table.reset({"long", "short", "unloaded"});
    ASSERT_TRUE(table.setValues(0, {"L0", " L1 ", "L2"}));
    ASSERT_TRUE(table.setValues(1, {"S0"}));
    struct Case {
        int record;
        int slot;
        QString expected;
    };
    const std::vector<Case> cases = {
        {0, 0, "L0"}, {1, 0, " L1 "}, {2, 0, "L2"}, {3, 0, ""}, {-1, 0, ""}, {0, 1, "S0"},
        {1, 1, ""},   {2, 1, ""},     {0, 2, ""},   {0, 3, ""}, {0, -1, ""}, {1000000, 0, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(table.value(c.record, c.slot), c.expected)
            << "record " << c.record << " slot " << c.slot;
    }
    // By name: the slot of the name, "" for a name that is not listed.
    EXPECT_EQ(table.value(2, "long"), "L2");
    EXPECT_EQ(table.value(0, "short"), "S0");
    EXPECT_EQ(table.value(0, "unloaded"), "");
    EXPECT_EQ(table.value(0, "absent"), "");
}

TEST(BatchTable, ImportedTableValuesStopAtTheRunsRowCount) {
    ImportedTable saved = Imported_Table();
    Imported_Table() = ImportedTable();
    EXPECT_EQ(Imported_Table_Row_Count(), 0);
    EXPECT_EQ(Imported_Table_Value(0, 0, 5), "") << "no rows";
    Imported_Table().Add_Column("Name");
    Imported_Table().Add_Column("City");
    Imported_Table().Create_List_By_Array({"Kim", "Oslo"}, 2);
    Imported_Table().Create_List_By_Array({"Lee"}, 2);
    Imported_Table().Create_List_By_Array({"Ann", "Rome"}, 2);
    EXPECT_EQ(Imported_Table_Row_Count(), 3);
    struct Case {
        int record;
        int column;
        int rows;
        QString expected;
    };
    const std::vector<Case> cases = {
        {0, 0, 3, "1"}, {2, 0, 3, "3"},    {0, 1, 3, "Kim"}, {0, 2, 3, "Oslo"},
        {1, 2, 3, ""},  {2, 2, 3, "Rome"}, {0, 3, 3, ""},    {3, 1, 3, ""},
        {-1, 1, 3, ""}, {2, 1, 2, ""},     {0, 1, 0, ""},    {1, 1, 2, "Lee"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Imported_Table_Value(c.record, c.column, c.rows), c.expected)
            << "record " << c.record << " column " << c.column << " rows " << c.rows;
    }
    Imported_Table() = saved;
}

} // namespace
