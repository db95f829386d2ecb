// The spreadsheet import dialogs on workbooks written by openpyxl (also in
// write-only mode) and xlsxwriter: names that would leave the data folder,
// writes that fail, and the apply-to-all box of the per-column import.

#include "SeriesWindowsSupport.h"

#include "core/SharedGlobals.h"
#include "core/globals.h"
#include "dataseries/ImportedTable.h"
#include "dataseries/SeriesBindingSource.h"
#include "dataseries/windows/ColumnChoiceList.h"
#include "dataseries/windows/Data_From_Excel.h"
#include "dataseries/windows/Import_Excel.h"
#include "dataseries/windows/Import_Excel_DataSheet.h"
#include "ui_Import_Excel.h"
#include "ui_Import_Excel_DataSheet.h"
#include "widgets/Long_SMS_Dlg.h"

#include <QDir>
#include <QDirIterator>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

using swtest::ScriptedRuns;

namespace {

class BoundCard : public SeriesBindingSource {
public:
    explicit BoundCard(const QStringList& names) {
        for (const QString& name : names) {
            sides.front.push_back({"SKTText", 1, name});
        }
        setCurrent(this);
    }
    ~BoundCard() override { setCurrent(nullptr); }
    SeriesBindingSides sides;
    SeriesBindingSides Card_Series_Bindings() const override { return sides; }
};

void tickAll(Import_Excel_DataSheet& dialog) {
    for (int row = 0; row < dialog.form().ColList->rowCount(); ++row) {
        dialog.form().ColList->item(row, 0)->setCheckState(Qt::Checked);
    }
}

QStringList filesNamed(const QString& root, const QString& name) {
    QStringList found;
    QDirIterator it(root, {name}, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        found << it.next();
    }
    return found;
}

} // namespace

TEST(ColumnImport, TitlesThatLeaveTheDataFolderAreRefused) {
    SW_REQUIRE_MODULE(python, "openpyxl");
    dstest::Workspace ws;
    const QString book = swtest::pythonBook(python, ws.path("names.xlsx"), R"PY(
import sys, openpyxl
wb = openpyxl.Workbook()
ws = wb.active
ws.append(["../x", "Good", "..", "/../y"])
ws.append(["1", "2", "3", "4"])
wb.save(sys.argv[1])
)PY");
    ASSERT_FALSE(book.isEmpty());
    Import_Excel_DataSheet* dialog = Import_Excel_DataSheet::defaultInstance();
    ScriptedRuns runs([&](QDialog& d) {
        tickAll(*dialog);
        dialog->OKPressed();
        return d.result();
    });
    testsupport::ScriptedAlerts alerts;
    EXPECT_EQ(dialog->Open_excel_Wnd(book), 1);
    EXPECT_EQ(swtest::shownTexts(alerts.texts()),
              QStringList({"Error in file accessing.", "Error in file accessing.",
                           "Error in file accessing."}));
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("Good")), "2\n");
    // Nothing anywhere in the workspace but the good series.
    EXPECT_TRUE(filesNamed(ws.path(""), "x.txt").isEmpty());
    EXPECT_TRUE(filesNamed(ws.path(""), "y.txt").isEmpty());
    EXPECT_TRUE(filesNamed(ws.path(""), "..*").isEmpty());
    EXPECT_EQ(QDir(Data_Folder_Path).entryList(QDir::Files), QStringList({"Good.txt"}));
}

TEST(ColumnImport, AWriteThatFailsNamesItsFileAndKeepsTheOldSeries) {
    SW_REQUIRE_MODULE(python, "openpyxl");
    dstest::Workspace ws;
    const QString book = swtest::pythonBook(python, ws.path("big.xlsx"), R"PY(
import sys, openpyxl
wb = openpyxl.Workbook()
ws = wb.active
ws.append(["Big", "Small"])
for i in range(3000):
    ws.append(["value-%05d" % i, "s" if i == 0 else None])
wb.save(sys.argv[1])
)PY");
    ASSERT_FALSE(book.isEmpty());
    ASSERT_TRUE(dstest::writeBytes(ws.seriesPath("Big"), "old\n"));
    Import_Excel_DataSheet* dialog = Import_Excel_DataSheet::defaultInstance();
    QStringList questions;
    ScriptedRuns runs([&](QDialog& d) {
        if (auto* sms = qobject_cast<Long_SMS_Dlg*>(&d)) {
            questions << swtest::longTitle(*sms);
            return swtest::answerLong(*sms, true, false);
        }
        tickAll(*dialog);
        // Every write of this process past 8 KiB fails from here on.
        std::optional<dstest::FileSizeLimit> limit(std::in_place, 8192);
        dialog->OKPressed();
        return d.result();
    });
    testsupport::ScriptedAlerts alerts;
    EXPECT_EQ(dialog->Open_excel_Wnd(book), 1);
    EXPECT_EQ(questions, QStringList({"Batch Processing Series already exists :"}));
    EXPECT_EQ(swtest::shownTexts(alerts.texts()),
              QStringList({"Error in file accessing.\n" + ws.seriesPath("Big")}));
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("Big")), "old\n");
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("Small")), "s\n" + QByteArray(2999, '\n'));
    EXPECT_EQ(QDir(Data_Folder_Path).entryList(QDir::Files), QStringList({"Big.txt", "Small.txt"}));
}

TEST(ColumnImport, ApplyToAllSilencesOnlyItsOwnKindOfQuestion) {
    SW_REQUIRE_MODULE(python, "openpyxl");
    const struct {
        const char* order;    // column titles, left to right
        QList<bool> ticks;    // the box at each dialog, in order
        QStringList titles;   // the dialogs shown
        QStringList replaced; // existing series written anew
    } cases[] = {
        // Yes with the box on the first replace question replaces B unasked;
        // the box on the first in-use notice silences D's notice.
        {"A,B,C,D",
         {true, true},
         {"Batch Processing Series already exists :", "Message :"},
         {"A", "B"}},
        // A ticked in-use notice does not answer the replace questions.
        {"C,D,A,B",
         {true, false, false},
         {"Message :", "Batch Processing Series already exists :",
          "Batch Processing Series already exists :"},
         {"A", "B"}},
    };
    for (const auto& c : cases) {
        dstest::Workspace ws;
        const QString script =
            QStringLiteral(
                "import sys, openpyxl\nwb = openpyxl.Workbook()\nws = wb.active\n"
                "ws.append(%1)\nws.append(['n1', 'n2', 'n3', 'n4'])\nwb.save(sys.argv[1])")
                .arg("['" + QString(c.order).split(',').join("','") + "']");
        const QString book =
            swtest::pythonBook(python, ws.path("apply.xlsx"), script.toUtf8().constData());
        ASSERT_FALSE(book.isEmpty());
        for (const char* name : {"A", "B", "C", "D"}) {
            ASSERT_TRUE(dstest::writeBytes(ws.seriesPath(name), "old\n"));
        }
        BoundCard card({"C", "D"});
        Msg_Apply_All_Chk = 1; // left over from an earlier question: must not count
        Import_Excel_DataSheet* dialog = Import_Excel_DataSheet::defaultInstance();
        QStringList titles;
        int asked = 0;
        ScriptedRuns runs([&](QDialog& d) {
            if (auto* sms = qobject_cast<Long_SMS_Dlg*>(&d)) {
                titles << swtest::longTitle(*sms);
                return swtest::answerLong(*sms, true, c.ticks.value(asked++));
            }
            tickAll(*dialog);
            dialog->OKPressed();
            return d.result();
        });
        testsupport::ScriptedAlerts alerts;
        EXPECT_EQ(dialog->Open_excel_Wnd(book), 1) << c.order;
        EXPECT_EQ(titles, c.titles) << c.order;
        for (const char* name : {"A", "B", "C", "D"}) {
            const QByteArray expected =
                c.replaced.contains(name)
                    ? "n" + QByteArray::number(QString(c.order).split(',').indexOf(name) + 1) + "\n"
                    : QByteArray("old\n");
            EXPECT_EQ(dstest::readBytes(ws.seriesPath(name)), expected) << c.order << name;
        }
    }
}

TEST(ColumnImport, WriteOnlyWorkbookFillsTheTableAndTheSeries) {
    SW_REQUIRE_MODULE(python, "openpyxl");
    dstest::Workspace ws;
    // Write-only mode writes no dimension; inline strings, a date, gaps.
    const QString book = swtest::pythonBook(python, ws.path("wo.xlsx"), R"PY(
import sys, datetime, openpyxl
wb = openpyxl.Workbook(write_only=True)
ws = wb.create_sheet("Guests")
ws.append(["Name", None, " Seat "])
ws.append(["Ann", None, 4])
ws.append(["Bob", "", None])
ws.append([" Cy ", "x", datetime.date(2024, 1, 2)])
wb.save(sys.argv[1])
)PY");
    ASSERT_FALSE(book.isEmpty());
    ASSERT_EQ(
        testsupport::runProcess(python, {"-c",
                                         "import sys, zipfile\n"
                                         "sys.exit(b'<dimension' in zipfile.ZipFile(sys.argv[1])"
                                         ".read('xl/worksheets/sheet1.xml'))",
                                         book})
            .exitCode,
        0)
        << "the workbook was meant to have no dimension";

    Import_Excel* importer = Import_Excel::defaultInstance();
    QStringList sheets, choices;
    ScriptedRuns runs([&](QDialog& d) {
        for (int i = 0; i < importer->form().Sheet_ComboBox->count(); ++i) {
            sheets << importer->form().Sheet_ComboBox->itemText(i);
        }
        for (const ColumnChoice& choice : importer->ListData_xl().rows()) {
            choices << choice.Extension;
        }
        for (int row = 0; row < importer->form().ColList->rowCount(); ++row) {
            importer->form().ColList->item(row, 0)->setCheckState(Qt::Checked);
        }
        importer->OKPressed();
        return d.result();
    });
    testsupport::ScriptedAlerts alerts;
    importer->open_mode = "E";
    EXPECT_EQ(importer->Open_excel_Wnd(book), 1);
    EXPECT_EQ(sheets, QStringList({"sheet1"}));
    EXPECT_EQ(choices, QStringList({"Name", "Untitled Column 2", "Seat"}));
    const ImportedTable& table = Imported_Table();
    EXPECT_EQ(table.columnTitles(), QStringList({"Name", "", "Seat"}));
    const QList<QStringList> expectedRows = {
        {"1", "Ann", "", "4"}, {"2", "Bob", "", ""}, {"3", "Cy", "x", "45293"}};
    ASSERT_EQ(table.rowCount(), expectedRows.size());
    for (int r = 0; r < table.rowCount(); ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(table.Value_At(r, c), expectedRows[r][c]) << r << "," << c;
        }
    }

    // The viewer: the row-number column, then Column1..3 with the trimmed
    // titles, left-aligned, 100 points wide; an edited cell reaches the table.
    Data_From_Excel* viewer = Data_From_Excel::defaultInstance();
    {
        ScriptedRuns viewerRuns([&](QDialog& d) {
            EXPECT_EQ(d.findChild<QWidget*>("rows_count")->property("text").toString(), "3");
            EXPECT_EQ(d.findChild<QWidget*>("column_count")->property("text").toString(), "4");
            return 1;
        });
        viewer->Open_Wnd();
    }
    QTableWidget& shown = *viewer->ColList();
    ASSERT_EQ(shown.columnCount(), 4);
    const QStringList keys = {"Extension", "Column1", "Column2", "Column3"};
    for (int c = 1; c < 4; ++c) {
        const QTableWidgetItem* header = shown.horizontalHeaderItem(c);
        ASSERT_NE(header, nullptr);
        EXPECT_EQ(header->text(), QStringList({"", "Name", "", "Seat"})[c]);
        EXPECT_EQ(header->data(Qt::UserRole).toString(), keys[c]);
        EXPECT_EQ(header->textAlignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        EXPECT_EQ(shown.columnWidth(c), 100);
    }
    EXPECT_EQ(shown.item(2, 3)->text(), "45293");
    shown.item(2, 1)->setText("Cyd");
    EXPECT_EQ(table.Value_At(2, 1), "Cyd");

    // The same columns as one series each: byte for byte, rows aligned.
    Import_Excel_DataSheet* perColumn = Import_Excel_DataSheet::defaultInstance();
    ScriptedRuns perColumnRuns([&](QDialog& d) {
        tickAll(*perColumn);
        perColumn->OKPressed();
        return d.result();
    });
    EXPECT_EQ(perColumn->Open_excel_Wnd(book), 1);
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("Name")), "Ann\nBob\nCy\n");
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("Untitled Column 2")), "\n\nx\n");
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("Seat")), "4\n\n45293\n");
    EXPECT_TRUE(alerts.texts().isEmpty()) << alerts.texts().join("|").toStdString();
}

TEST(ColumnImport, XlsxwriterSharedStringsAndDatesPerColumnAndMerged) {
    SW_REQUIRE_MODULE(python, "xlsxwriter");
    dstest::Workspace ws;
    const QString book = swtest::pythonBook(python, ws.path("xw.xlsx"), R"PY(
import sys, datetime, xlsxwriter
wb = xlsxwriter.Workbook(sys.argv[1])
ws = wb.add_worksheet()
bold = wb.add_format({"bold": True})
dates = wb.add_format({"num_format": "yyyy-mm-dd"})
ws.write_row(0, 0, ["When", "Rich", "Lines"])
ws.write_datetime(1, 0, datetime.datetime(2024, 1, 2), dates)
ws.write_rich_string(1, 1, "ri", bold, "ch")
ws.write(1, 2, "Line1\r\nLine2")
ws.write(2, 1, "r2")
wb.close()
)PY");
    ASSERT_FALSE(book.isEmpty());
    Import_Excel_DataSheet* dialog = Import_Excel_DataSheet::defaultInstance();
    testsupport::ScriptedAlerts alerts;
    {
        ScriptedRuns runs([&](QDialog& d) {
            tickAll(*dialog);
            dialog->OKPressed();
            return d.result();
        });
        EXPECT_EQ(dialog->Open_excel_Wnd(book), 1);
    }
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("When")), "45293\n\n");
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("Rich")), "rich\nr2\n");
    // A line break inside a value never splits it into two records.
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("Lines")), "Line1 Line2\n\n");
    {
        ScriptedRuns runs([&](QDialog& d) {
            tickAll(*dialog);
            dialog->Fill_Col_RD_Click();
            dialog->Fill_Type_CellClick(0);
            dialog->form().list_name->setText("All");
            dialog->OKPressed();
            return d.result();
        });
        EXPECT_EQ(dialog->Open_excel_Wnd(book), 1);
    }
    // Merged: the ticked cells row by row, an empty cell as an empty line.
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("All")), "45293\nrich\nLine1 Line2\n\nr2\n\n");
    EXPECT_TRUE(alerts.texts().isEmpty()) << alerts.texts().join("|").toStdString();
}

// What the import dialogs ask for before anything is imported, the user
// choosing in the dialog: an empty first sheet has no column, a sheet with
// columns needs one ticked, and a merged series needs its name typed or
// chosen. Each message keeps the dialog open and writes no series.
TEST(ColumnImport, MissingChoicesAreAskedForInTheDialog) {
    SW_REQUIRE_MODULE(python, "openpyxl");
    dstest::Workspace ws;
    const QString book = swtest::pythonBook(python, ws.path("choices.xlsx"), R"PY(
import sys, openpyxl
wb = openpyxl.Workbook()
wb.active.title = "Empty"
ws = wb.create_sheet("Data")
ws.append(["Name", "Town"])
ws.append(["Ann", "Rome"])
wb.save(sys.argv[1])
)PY");
    ASSERT_FALSE(book.isEmpty());
    Import_Excel_DataSheet* dialog = Import_Excel_DataSheet::defaultInstance();
    Ui::Import_Excel_DataSheet& f = dialog->form();
    struct Row {
        const char* message;
        std::function<void()> choose;
    };
    const auto dataSheet = [&f] { QTest::keyClick(f.Sheet_ComboBox, Qt::Key_Down); };
    const auto merged = [&f, dataSheet] {
        dataSheet();
        f.select_all_btn->click();
        f.Fill_col_RD->click();
    };
    const Row rows[] = {
        {"There is no column.", [] {}},
        {"No column is selected.", dataSheet},
        {"Please enter list name.", merged},
        {"Please select list name.",
         [&f, merged] {
             merged();
             f.fill_replace_RD->click();
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        bool stayed = false;
        ScriptedRuns runs([&](QDialog& d) {
            d.setResult(0); // as a modal run starts
            row.choose();
            f.ok_btn->click();
            stayed = d.result() == 0;
            f.cancel_btn->click();
            return d.result();
        });
        testsupport::ScriptedAlerts alerts;
        EXPECT_EQ(dialog->Open_excel_Wnd(book), 0);
        EXPECT_TRUE(stayed);
        EXPECT_EQ(swtest::shownTexts(alerts.texts()), QStringList{row.message});
        EXPECT_TRUE(QDir(Data_Folder_Path).entryList(QDir::Files).isEmpty());
    }

    // The table import: a sheet chosen after another lists that one's
    // columns still; when it holds no rows, the import says so.
    Import_Excel* importer = Import_Excel::defaultInstance();
    ScriptedRuns runs([&](QDialog& d) {
        QTest::keyClick(importer->form().Sheet_ComboBox, Qt::Key_Down);
        importer->form().select_all_btn->click();
        QTest::keyClick(importer->form().Sheet_ComboBox, Qt::Key_Up);
        importer->form().ok_btn->click();
        return d.result();
    });
    testsupport::ScriptedAlerts alerts;
    importer->open_mode = "E";
    const auto rowsBefore = Imported_Table().ListData();
    EXPECT_EQ(importer->Open_excel_Wnd(book), 1);
    EXPECT_EQ(
        swtest::shownTexts(alerts.texts()),
        QStringList{"Either file is corrupted or selected file contains invalid characters."});
    EXPECT_EQ(Imported_Table().ListData(), rowsBefore);
}
