// The series windows driven offscreen: modal runs, answers and panels are
// scripted; workbooks come from openpyxl and xlsxwriter.

#include "DataseriesTestSupport.h"
#include "common/TestSupport.h"

#include "core/SharedGlobals.h"
#include "core/globals.h"
#include "dataseries/ImportedTable.h"
#include "dataseries/SeriesBindingSource.h"
#include "dataseries/windows/BatchWizard.h"
#include "dataseries/windows/ColumnChoiceList.h"
#include "dataseries/windows/Generate_List.h"
#include "dataseries/windows/Import_Excel.h"
#include "dataseries/windows/Import_Excel_DataSheet.h"
#include "dataseries/windows/Import_Wizard.h"
#include "dataseries/windows/SmallSeriesDialogs.h"
#include "ui_Generate_List.h"
#include "ui_Import_Excel.h"
#include "ui_Import_Excel_DataSheet.h"
#include "ui_Import_Wizard.h"
#include "widgets/GuiHooks.h"
#include "widgets/Long_SMS_Dlg.h"

#include <QDir>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace {

// Scripts every modal run: the handler acts on the dialog and answers.
class ScriptedRuns {
public:
    explicit ScriptedRuns(std::function<int(QDialog&)> handler) {
        hooks::setModalRunner([this, handler](QDialog& dialog) {
            shot(dialog);
            return handler(dialog);
        });
    }
    ~ScriptedRuns() { hooks::setModalRunner({}); }

    static void shot(QDialog& dialog) {
        const QString folder = qEnvironmentVariable("CARD_SCREENSHOT_DIR");
        if (!folder.isEmpty()) {
            dialog.show();
            dialog.grab().save(
                QDir(folder).filePath(dialog.metaObject()->className() + QStringLiteral(".png")));
        }
    }
};

void tick(QTableWidget& table, int row) {
    table.item(row, 0)->setCheckState(Qt::Checked);
}

class FixedCard : public SeriesBindingSource {
public:
    SeriesBindingSides sides;
    SeriesBindingSides Card_Series_Bindings() const override { return sides; }
};

#define REQUIRE_MODULE(python, module)                                                             \
    CARD_REQUIRE_TOOL(python, "/usr/bin/python3");                                                 \
    if (testsupport::runProcess(python, {"-c", "import " module}).exitCode != 0)                   \
    GTEST_SKIP() << "python3 module not installed: " module

const char* kOpenpyxlBook = R"PY(
import sys, datetime, openpyxl
wb = openpyxl.Workbook()
ws = wb.active
for row in [["Name", "Table", None, "When"], ["Ann", 7, "veg", datetime.date(2024, 1, 2)],
            ["Bob", None, "", None], ["Cy", 3, "x", None]]:
    ws.append(row)
wb.create_sheet("Two").append(["only"])
wb.create_sheet("Three").append(["third"])
wb.save(sys.argv[1])
)PY";

QString makeBook(const QString& python, const dstest::Workspace& ws, const char* script) {
    const QString path = ws.path("book.xlsx");
    const auto made = testsupport::runProcess(python, {"-c", script, path});
    EXPECT_EQ(made.exitCode, 0) << made.err.toStdString();
    return path;
}

} // namespace

TEST(SeriesWindows, ImportExcelModeEFillsTheImportedTable) {
    REQUIRE_MODULE(python, "openpyxl");
    dstest::Workspace ws;
    const QString book = makeBook(python, ws, kOpenpyxlBook);
    Import_Excel* dialog = Import_Excel::defaultInstance();
    QStringList sheets, titles;
    ScriptedRuns runs([&](QDialog& d) {
        if (&d != dialog) {
            return 1;
        }
        for (int i = 0; i < dialog->form().Sheet_ComboBox->count(); ++i) {
            sheets << dialog->form().Sheet_ComboBox->itemText(i);
        }
        for (const ColumnChoice& c : dialog->ListData_xl().rows()) {
            titles << c.Extension;
        }
        tick(*dialog->form().ColList, 1);
        tick(*dialog->form().ColList, 3);
        dialog->OKPressed();
        return d.result();
    });
    testsupport::ScriptedAlerts alerts;
    dialog->open_mode = "E";
    EXPECT_EQ(dialog->Open_excel_Wnd(book), 1);
    EXPECT_EQ(sheets, QStringList({"sheet1", "sheet2", "sheet3"}));
    EXPECT_EQ(titles, QStringList({"Name", "Table", "Untitled Column 3", "When"}));
    const ImportedTable& table = Imported_Table();
    EXPECT_EQ(table.columnTitles(), QStringList({"Table", "When"}));
    ASSERT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.Value_At(0, 0), "1");
    EXPECT_EQ(table.Value_At(0, 1), "7");
    EXPECT_EQ(table.Value_At(0, 2), "45293"); // the date as its serial
    EXPECT_EQ(table.Value_At(1, 1), "");
    EXPECT_EQ(table.Value_At(2, 1), "3");
    EXPECT_TRUE(alerts.texts().isEmpty()) << alerts.texts().join("|").toStdString();

    // A truncated workbook: its message, and no dialog over old columns.
    QByteArray bytes = dstest::readBytes(book);
    ASSERT_TRUE(dstest::writeBytes(ws.path("cut.xlsx"), bytes.left(bytes.size() / 2)));
    EXPECT_EQ(dialog->Open_excel_Wnd(ws.path("cut.xlsx")), 0);
    EXPECT_TRUE(alerts.texts().join("|").contains(
        "Either file is corrupted or selected file contains invalid characters."));
    EXPECT_TRUE(dialog->ListData_xl().rows().isEmpty());
}

TEST(SeriesWindows, ImportExcelModeDSendsTickedCellsRowByRow) {
    REQUIRE_MODULE(python, "xlsxwriter");
    const char* script = R"PY(
import sys, xlsxwriter
wb = xlsxwriter.Workbook(sys.argv[1])
ws = wb.add_worksheet()
bold = wb.add_format({"bold": True})
ws.write_row(0, 0, ["A", "B", "C"])
ws.write_rich_string(1, 0, "ri", bold, "ch")
ws.write(1, 2, "Line1\r\nLine2")
ws.write(2, 0, "a2")
ws.write(2, 2, "c2")
wb.close()
)PY";
    dstest::Workspace ws;
    const QString book = makeBook(python, ws, script);
    BatchWizard* manager = BatchWizard::defaultInstance();
    manager->AddNew_Btn_Clicked();
    Import_Excel* dialog = Import_Excel::defaultInstance();
    ScriptedRuns runs([&](QDialog& d) {
        tick(*dialog->form().ColList, 0);
        tick(*dialog->form().ColList, 2);
        dialog->OKPressed();
        return d.result();
    });
    testsupport::ScriptedAlerts alerts;
    dialog->open_mode = "D";
    EXPECT_EQ(dialog->Open_excel_Wnd(book), 1);
    EXPECT_EQ(manager->values(), QStringList({"rich", "Line1\r\nLine2", "a2", "c2"}));
}

TEST(SeriesWindows, PerColumnImportReplacesAsksAndSkipsSeriesInUse) {
    REQUIRE_MODULE(python, "openpyxl");
    dstest::Workspace ws;
    const QString book = makeBook(python, ws, kOpenpyxlBook);
    ASSERT_TRUE(dstest::writeBytes(ws.seriesPath("Name"), "old\n"));
    ASSERT_TRUE(dstest::writeBytes(ws.seriesPath("Table"), "bound\n"));
    FixedCard card;
    card.sides.front.push_back({"SKTText", 1, "Table"});
    SeriesBindingSource::setCurrent(&card);
    Import_Excel_DataSheet* dialog = Import_Excel_DataSheet::defaultInstance();
    QStringList questions;
    Msg_Apply_All_Chk = 1; // left from an earlier question: must not count
    ScriptedRuns runs([&](QDialog& d) {
        if (auto* sms = qobject_cast<Long_SMS_Dlg*>(&d)) {
            questions << sms->findChild<QLabel*>("_Msg_Title")->text();
            sms->OKPressed();
            return 1;
        }
        for (int c = 0; c < 4; ++c) {
            tick(*dialog->form().ColList, c);
        }
        dialog->OKPressed();
        return d.result();
    });
    testsupport::ScriptedAlerts alerts;
    EXPECT_EQ(dialog->Open_excel_Wnd(book), 1);
    SeriesBindingSource::setCurrent(nullptr);
    EXPECT_EQ(questions, QStringList({"Batch Processing Series already exists :", "Message :"}));
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("Name")), "Ann\nBob\nCy\n");
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("Table")), "bound\n");
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("Untitled Column 3")), "veg\n\nx\n");
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("When")), "45293\n\n\n");
}

TEST(SeriesWindows, GeneratorRefusesAnEmptyRangeAndWritesPaddedNumbers) {
    dstest::Workspace ws;
    Generate_List* generator = Generate_List::defaultInstance();
    testsupport::ScriptedAlerts alerts;
    ScriptedRuns runs([&](QDialog& d) {
        Ui::Generate_List& f = generator->form();
        f.from_txt->setText("5");
        f.to_txt->setText("5");
        generator->OKPressed();
        f.from_txt->setText("1");
        f.to_txt->setText("10");
        f.manage_digit_chk->setChecked(true);
        f.seq_file_name->setText("Seq");
        generator->OKPressed();
        return d.result();
    });
    generator->file_name_required = 1;
    EXPECT_EQ(generator->Open_Wnd(), 1);
    EXPECT_EQ(alerts.texts().size(), 1);
    EXPECT_TRUE(alerts.texts().value(0).contains("'From' value must be smaller than 'To' value."));
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("Seq")), "01\n02\n03\n04\n05\n06\n07\n08\n09\n10\n");
}

TEST(SeriesWindows, ManagerExportsTxtAndReportsAnUnwritableFolder) {
    dstest::Workspace ws;
    BatchWizard* manager = BatchWizard::defaultInstance();
    manager->AddNew_Btn_Clicked();
    for (const char* v : {"one", " two ", "", "three"}) {
        manager->Create_Value_List(v);
    }
    QString target = ws.path("out.txt");
    hooks::setSavePanel([&](const hooks::SavePanelRequest&) { return target; });
    int prompts = 0;
    ScriptedRuns runs([&](QDialog& d) {
        if (qobject_cast<Open_Export_Log*>(&d)) {
            ++prompts;
            EXPECT_EQ(static_cast<Open_Export_Log&>(d)._open_log_chk()->text(),
                      "Open exported file.");
        }
        return 0;
    });
    testsupport::ScriptedAlerts alerts;
    manager->Export_Value_Btn_Clicked();
    EXPECT_EQ(dstest::readBytes(target), "one\ntwo\nthree\n");
    EXPECT_EQ(prompts, 1);
    EXPECT_EQ(Export_File_Message, "Record has been exported successfully.");
    target = ws.path("missing/folder/out.txt");
    manager->Export_Value_Btn_Clicked();
    EXPECT_EQ(prompts, 1);
    EXPECT_TRUE(alerts.texts().join("|").contains("Error in file accessing."));
    hooks::setSavePanel({});
}

TEST(SeriesWindows, WizardImportsACsvFileAsANewSeries) {
    dstest::Workspace ws;
    ASSERT_TRUE(dstest::writeBytes(ws.path("guests.csv"), "\"Smith, Ann\",Bob\r\nCy\n"));
    Import_Wizard* wizard = Import_Wizard::defaultInstance();
    testsupport::ScriptedAlerts alerts;
    ScriptedRuns runs([&](QDialog& d) {
        wizard->Text_RD_Pressed();
        wizard->form().Text_file_name->setText("Guests");
        wizard->form().Text_path->setText(ws.path("guests.csv"));
        wizard->OKPressed();
        return d.result();
    });
    wizard->file_name_required = 1;
    EXPECT_EQ(wizard->Open_Wnd(), 1);
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("Guests")), "Smith, Ann\nBob\nCy\n");
}
