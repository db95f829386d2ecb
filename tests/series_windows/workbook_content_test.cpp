// What the import dialogs make of a workbook's content: a damaged shared-
// strings part refuses the workbook, rows that carry only formatting after
// the last value make no records, and number cells arrive as spreadsheet
// programs show them.

#include "SeriesWindowsSupport.h"

#include "core/globals.h"
#include "dataseries/ExcelTempFolder.h"
#include "dataseries/ImportedTable.h"
#include "dataseries/windows/BatchWizard.h"
#include "dataseries/windows/Import_Excel.h"
#include "dataseries/windows/Import_Excel_DataSheet.h"
#include "dataseries/windows/Import_Wizard.h"
#include "ui_Import_Excel.h"
#include "ui_Import_Excel_DataSheet.h"
#include "ui_Import_Wizard.h"
#include "widgets/GuiHooks.h"

#include <QDir>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using swtest::ScriptedRuns;

namespace {

const QString kCorruptText =
    QStringLiteral("Either file is corrupted or selected file contains invalid characters.");

QByteArray inlineCell(const QByteArray& ref, const QByteArray& text) {
    return "<c r=\"" + ref + "\" t=\"inlineStr\"><is><t>" + text + "</t></is></c>";
}

QStringList entriesOf(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

void click(QWidget& dialog, QPushButton* button) {
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::mouseClick(button, Qt::LeftButton);
}

// Imports `book` through the series import wizard, as the user does: the
// spreadsheet choice, Browse, then in the column dialog Select All and OK.
// perColumn: one new series per column, else values for the open series.
// Answers the classes of the dialogs that ran.
QStringList importThroughWizard(const QString& book, int perColumn) {
    Import_Wizard* wizard = Import_Wizard::defaultInstance();
    hooks::setOpenPanel([&](const hooks::OpenPanelRequest&) { return QStringList{book}; });
    QStringList runs;
    ScriptedRuns scripted([&](QDialog& d) {
        runs << d.metaObject()->className();
        if (&d == wizard) {
            d.show();
            QTest::mouseClick(wizard->form().Excel_RD, Qt::LeftButton);
            QTest::mouseClick(wizard->form().Excel_btn, Qt::LeftButton);
        } else if (auto* sheet = qobject_cast<Import_Excel_DataSheet*>(&d)) {
            click(d, sheet->form().select_all_btn);
            click(d, sheet->form().ok_btn);
        } else if (auto* columns = qobject_cast<Import_Excel*>(&d)) {
            click(d, columns->form().select_all_btn);
            click(d, columns->form().ok_btn);
        }
        d.hide();
        return d.result();
    });
    wizard->file_name_required = perColumn;
    wizard->Open_Wnd();
    hooks::setOpenPanel({});
    return runs;
}

// Imports every column of `book` into the imported table, as the contact
// fields do, clicking Select All and OK in the shown dialog.
int importIntoTable(const QString& book) {
    Import_Excel* dialog = Import_Excel::defaultInstance();
    ScriptedRuns scripted([&](QDialog& d) {
        click(d, dialog->form().select_all_btn);
        click(d, dialog->form().ok_btn);
        d.hide();
        return d.result();
    });
    dialog->open_mode = QStringLiteral("E");
    return dialog->Open_excel_Wnd(book);
}

void fillTable(ImportedTable& table) {
    table.Remove_Chosen_Columns();
    table.Clear_Rows();
    table.Add_Column("Name");
    table.Create_List_By_Array({"Ada"}, 1);
}

} // namespace

TEST(WorkbookContent, ADamagedSharedStringsPartRefusesTheWorkbookInEveryDialog) {
    dstest::Workspace ws;
    const QByteArray body = "<row>" + QByteArray("<c r=\"A1\" t=\"s\"><v>0</v></c>") +
                            "</row><row><c r=\"A2\" t=\"s\"><v>1</v></c></row>";
    const QByteArray strings = dstest::sstXml({"<t>Guest</t>", "<t>Ada</t>"});
    struct Case {
        const char* name;
        QByteArray part;
    };
    const Case cases[] = {
        {"cut short", strings.left(strings.size() - 10)},
        {"not well-formed", "<sst><si><t>Guest</si></sst>"},
        {"a text over the bound",
         dstest::sstXml({"<t>Guest</t>", "<t>" + QByteArray(17 * 1024 * 1024, 'a') + "</t>"})},
    };
    ImportedTable& table = Imported_Table();
    for (const Case& c : cases) {
        const QString book = dstest::makeWorkbook(ws, {{1, dstest::sheetXml(body)}}, c.part);
        ASSERT_TRUE(dstest::writeBytes(ws.seriesPath("Guest"), "Grace\n"));
        fillTable(table);
        for (int perColumn : {1, 0}) {
            testsupport::ScriptedAlerts alerts;
            // No column dialog runs, so none lists "Untitled Column 1".
            EXPECT_EQ(importThroughWizard(book, perColumn), QStringList({"Import_Wizard"}))
                << c.name << perColumn;
            EXPECT_EQ(swtest::shownTexts(alerts.texts()), QStringList({kCorruptText}))
                << c.name << perColumn;
            EXPECT_EQ(entriesOf(Excel_Temp_Folder_Path()), QStringList()) << c.name;
        }
        testsupport::ScriptedAlerts alerts;
        EXPECT_EQ(importIntoTable(book), 0) << c.name;
        EXPECT_EQ(swtest::shownTexts(alerts.texts()), QStringList({kCorruptText})) << c.name;
        EXPECT_EQ(entriesOf(Excel_Temp_Folder_Path()), QStringList()) << c.name;
        EXPECT_EQ(QDir(Data_Folder_Path).entryList(QDir::Files), QStringList({"Guest.txt"}));
        EXPECT_EQ(dstest::readBytes(ws.seriesPath("Guest")), "Grace\n") << c.name;
        EXPECT_EQ(table.columnTitles(), QStringList({"Name"})) << c.name;
        ASSERT_EQ(table.rowCount(), 1) << c.name;
        EXPECT_EQ(table.Value_At(0, 1), "Ada") << c.name;
    }
}

TEST(WorkbookContent, RowsOfFormattingAfterTheLastValueMakeNoRecords) {
    dstest::Workspace ws;
    // 3 guests, then 125 rows that carry a style and no value: rows styled
    // as a whole and rows of styled cells without values.
    QByteArray body =
        "<row r=\"1\">" + inlineCell("A1", "Name") + inlineCell("B1", "Table") + "</row>";
    const QByteArray names[] = {"Ada", "Grace", "Lin"};
    for (int r = 2; r <= 4; ++r) {
        const QByteArray n = QByteArray::number(r);
        body += "<row r=\"" + n + "\">" + inlineCell("A" + n, names[r - 2]) + "<c r=\"B" + n +
                "\"><v>" + QByteArray::number(r - 1) + "</v></c></row>";
    }
    for (int r = 5; r < 130; ++r) {
        const QByteArray n = QByteArray::number(r);
        body += r % 2 ? "<row r=\"" + n + "\" s=\"1\" customFormat=\"1\"/>"
                      : "<row r=\"" + n + "\" spans=\"1:3\"><c r=\"A" + n + "\" s=\"3\"/><c r=\"C" +
                            n + "\" s=\"3\"></c></row>";
    }
    const QString book =
        dstest::makeWorkbook(ws, {{1, dstest::sheetXml(body, "A1:C1003")}}, QByteArray());

    ImportedTable& table = Imported_Table();
    fillTable(table);
    EXPECT_EQ(importIntoTable(book), 1);
    EXPECT_EQ(table.columnTitles(), QStringList({"Name", "Table"}));
    ASSERT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.Value_At(2, 1), "Lin");

    EXPECT_EQ(importThroughWizard(book, 1),
              QStringList({"Import_Wizard", "Import_Excel_DataSheet"}));
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("Name")), "Ada\nGrace\nLin\n");
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("Table")), "1\n2\n3\n");
}

// Number cells with more significant digits than the 15 spreadsheet
// programs show arrive as those programs show them, through every import
// dialog; every other cell arrives exactly as stored.
TEST(WorkbookContent, NumbersArriveAsSpreadsheetProgramsShowThem) {
    dstest::Workspace ws;
    struct Case {
        QByteArray cell; // attributes after r, and the content
        QString shown;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"><v>7.000000000000001</v>", "7"},
        {"><v>434.9999999999999</v>", "435"},
        {" t=\"n\"><v>0.9999999999999999</v>", "1"},
        {"><v>0.30000000000000004</v>", "0.3"},
        {"><v>1.234567890123457E+17</v>", "1.23456789012346E+17"},
        {"><v>-1234.5599999999999</v>", "-1234.56"},
        {"><v>303.299999999999999989</v>", "303.3"},
        {"><v>123456789012345678</v>", "123456789012345678"},
        {"><v>123456.789012345</v>", "123456.789012345"},
        {"><v>-0.123456789012345</v>", "-0.123456789012345"},
        {"><v>3.50</v>", "3.50"},
        {"><v>44197</v>", "44197"},
        {" t=\"inlineStr\"><is><t>007</t></is>", "007"},
        {" t=\"s\"><v>0</v>", "3.50"},
        {" t=\"s\"><v>1</v>", "0.30000000000000004"},
        {" t=\"str\"><f>A1</f><v>0.10000000000000001</v>", "0.10000000000000001"},
    };
    // clang-format on
    QByteArray titles, values;
    QStringList shown;
    for (size_t i = 0; i < cases.size(); ++i) {
        const QByteArray column(1, char('A' + i));
        titles += inlineCell(column + "1", "c" + QByteArray::number(qsizetype(i)));
        values += "<c r=\"" + column + "2\"" + cases[i].cell + "</c>";
        shown << cases[i].shown;
    }
    const QString book = dstest::makeWorkbook(
        ws, {{1, dstest::sheetXml("<row>" + titles + "</row><row>" + values + "</row>")}},
        dstest::sstXml({"<t>3.50</t>", "<t>0.30000000000000004</t>"}));

    // The imported table the contact fields bind cards to.
    ImportedTable& table = Imported_Table();
    fillTable(table);
    EXPECT_EQ(importIntoTable(book), 1);
    ASSERT_EQ(table.rowCount(), 1);
    QStringList inTable;
    for (size_t i = 0; i < cases.size(); ++i) {
        inTable << table.Value_At(0, int(i) + 1);
    }
    EXPECT_EQ(inTable.join(" | ").toStdString(), shown.join(" | ").toStdString());

    // One new series per column.
    EXPECT_EQ(importThroughWizard(book, 1),
              QStringList({"Import_Wizard", "Import_Excel_DataSheet"}));
    for (size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(dstest::readBytes(ws.seriesPath("c" + QString::number(i))),
                  cases[i].shown.toUtf8() + "\n")
            << cases[i].cell.constData();
    }

    // Values for the series open in the series manager.
    BatchWizard* manager = BatchWizard::defaultInstance();
    auto* addNew = manager->findChild<QPushButton*>(QStringLiteral("AddNew_Btn"));
    ASSERT_NE(addNew, nullptr);
    addNew->click();
    EXPECT_EQ(importThroughWizard(book, 0), QStringList({"Import_Wizard", "Import_Excel"}));
    EXPECT_EQ(manager->values().join(" | ").toStdString(), shown.join(" | ").toStdString());
}
