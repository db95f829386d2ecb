// A workbook that unpacks to more than the reader's budget: refused with its
// reason through every import dialog, before anything of it is unpacked,
// with the series, the imported table and the temporary folder as they were.

#include "SeriesWindowsSupport.h"

#include "core/globals.h"
#include "dataseries/ExcelTempFolder.h"
#include "dataseries/ImportedTable.h"
#include "dataseries/SpreadsheetWriter.h"
#include "dataseries/windows/Import_Excel.h"
#include "dataseries/windows/Import_Wizard.h"
#include "ui_Import_Wizard.h"
#include "widgets/GuiHooks.h"

#include <QDir>
#include <QTest>
#include <gtest/gtest.h>

using swtest::ScriptedRuns;

namespace {

// A 0.8 MB zip whose shared strings unpack to 257 MiB.
const char* const kOversizedBook = R"PY(
import sys, zipfile
ns = b'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED, compresslevel=9) as z:
    z.writestr('xl/worksheets/sheet1.xml', b'<worksheet ' + ns + b'><sheetData><row>'
               b'<c r="A1" t="s"><v>0</v></c></row></sheetData></worksheet>')
    with z.open('xl/sharedStrings.xml', 'w', force_zip64=True) as f:
        f.write(b'<sst ' + ns + b'>')
        block = b'<si><t>Guest of the garden party</t></si>' * 32768
        for i in range((257 << 20) // len(block) + 1):
            f.write(block)
        f.write(b'</sst>')
)PY";

QStringList entriesOf(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

TEST(WorkbookBudget, AnOversizedWorkbookIsRefusedAsTooLargeAndChangesNothing) {
    CARD_REQUIRE_TOOL(python, "/usr/bin/python3");
    dstest::Workspace ws;
    const QString book = swtest::pythonBook(python, ws.path("huge.xlsx"), kOversizedBook);
    ASSERT_FALSE(book.isEmpty());
    ASSERT_LT(QFileInfo(book).size(), 4 << 20);
    ASSERT_TRUE(dstest::writeBytes(ws.seriesPath("Guests"), "Ada\nGrace\n"));
    ImportedTable& table = Imported_Table();
    table.Remove_Chosen_Columns();
    table.Clear_Rows();
    table.Add_Column("Name");
    table.Create_List_By_Array({"Ada"}, 1);
    const QString expected = SpreadsheetWriter::TooLargeText();
    EXPECT_TRUE(expected.contains("too large to import")) << expected.toStdString();

    // Through the series import wizard, for a new series per column and for
    // values added to the open series: the user browses for the workbook.
    Import_Wizard* wizard = Import_Wizard::defaultInstance();
    hooks::setOpenPanel([&](const hooks::OpenPanelRequest&) { return QStringList{book}; });
    for (int perColumn : {1, 0}) {
        QStringList runs;
        ScriptedRuns scripted([&](QDialog& d) {
            runs << d.metaObject()->className();
            if (&d == wizard && runs.size() == 1) {
                QTest::mouseClick(wizard->form().Excel_RD, Qt::LeftButton);
                QTest::mouseClick(wizard->form().Excel_btn, Qt::LeftButton);
            }
            return d.result();
        });
        testsupport::ScriptedAlerts alerts;
        wizard->file_name_required = perColumn;
        wizard->Open_Wnd();
        EXPECT_EQ(runs, QStringList({"Import_Wizard"})) << perColumn; // no column dialog
        EXPECT_EQ(swtest::shownTexts(alerts.texts()), QStringList({expected})) << perColumn;
        EXPECT_EQ(entriesOf(Excel_Temp_Folder_Path()), QStringList()) << perColumn;
    }
    hooks::setOpenPanel({});

    // Straight into the imported table, as the contact fields do.
    Import_Excel* dialog = Import_Excel::defaultInstance();
    ScriptedRuns never([](QDialog& d) {
        ADD_FAILURE() << "a dialog ran: " << d.metaObject()->className();
        return 0;
    });
    testsupport::ScriptedAlerts alerts;
    dialog->open_mode = "E";
    EXPECT_EQ(dialog->Open_excel_Wnd(book), 0);
    EXPECT_EQ(swtest::shownTexts(alerts.texts()), QStringList({expected}));
    EXPECT_EQ(entriesOf(Excel_Temp_Folder_Path()), QStringList());

    EXPECT_EQ(QDir(Data_Folder_Path).entryList(QDir::Files), QStringList({"Guests.txt"}));
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("Guests")), "Ada\nGrace\n");
    EXPECT_EQ(table.columnTitles(), QStringList({"Name"}));
    ASSERT_EQ(table.rowCount(), 1);
    EXPECT_EQ(table.Value_At(0, 1), "Ada");
}
