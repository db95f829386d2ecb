// The series import wizard's text sources through the window, its refusals,
// and the browse button that starts the column dialog at once.

#include "SeriesWindowsSupport.h"

#include "core/SharedGlobals.h"
#include "core/globals.h"
#include "dataseries/ExcelTempFolder.h"
#include "dataseries/windows/BatchWizard.h"
#include "dataseries/windows/Import_Excel_DataSheet.h"
#include "dataseries/windows/Import_Wizard.h"
#include "platform/Hooks.h"
#include "ui_Import_Excel_DataSheet.h"
#include "ui_Import_Wizard.h"
#include "widgets/GuiHooks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTableWidget>
#include <gtest/gtest.h>

using swtest::ScriptedRuns;

namespace {

QByteArray utf16le(const QString& text) {
    QByteArray bytes = "\xFF\xFE";
    for (const QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

// Imports the file as the series "Imported" through the text source.
int importText(Import_Wizard& wizard, const QString& path) {
    ScriptedRuns runs([&](QDialog& d) {
        wizard.Text_RD_Pressed();
        wizard.form().Text_file_name->setText("Imported");
        wizard.form().Text_path->setText(path);
        wizard.OKPressed();
        return d.result();
    });
    wizard.file_name_required = 1;
    wizard.file_name_Insert = 0;
    return wizard.Open_Wnd();
}

} // namespace

TEST(ImportWizardText, EveryKindOfTextFileGivesItsValues) {
    const struct {
        const char* file;
        QByteArray bytes;
        QByteArray series;
    } cases[] = {
        // x with spaces around it, an empty line and y in curly braces.
        {"guests.txt", "   x   \n\n{y}\n", "x\ny\n"},
        {"cr.csv", "a,b\rc", "a\nb\nc\n"},
        {"quoted.csv", "\"Smith, Ann\",\"say \"\"hi\"\"\"\nz\r\n", "Smith, Ann\nsay \"hi\"\nz\n"},
        {"lines.CSV", "one\r\ntwo\nthree\r", "one\ntwo\nthree\n"},
        {"fonts.txt", "kept\nNSFont = Helvetica 12\n\\last\\", "kept\nlast\n"},
        {"utf16.txt", utf16le(QStringLiteral("Caf\u00e9\n\u20ac 5\n")),
         QStringLiteral("Caf\u00e9\n\u20ac 5\n").toUtf8()},
        {"cp1252.txt", "Caf\xE9\r\n\x80 5", QStringLiteral("Caf\u00e9\n\u20ac 5\n").toUtf8()},
        {"card.rtf",
         "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl\\f0\\fswiss Helvetica;}{\\colortbl;\\red255\\green0"
         "\\blue0;}\n\\f0\\fs24 \\cf1 Caf\\'e9\\par\nPrice \\u8364?5\\par\n"
         "{\\pict\\pngblip 89504e470d0a}after\\par}",
         QStringLiteral("Caf\u00e9\nPrice \u20ac5\nafter\n").toUtf8()},
    };
    for (const auto& c : cases) {
        dstest::Workspace ws;
        const QString path = ws.path(c.file);
        ASSERT_TRUE(dstest::writeBytes(path, c.bytes));
        testsupport::ScriptedAlerts alerts;
        EXPECT_EQ(importText(*Import_Wizard::defaultInstance(), path), 1) << c.file;
        EXPECT_EQ(dstest::readBytes(ws.seriesPath("Imported")), c.series) << c.file;
        EXPECT_TRUE(alerts.texts().isEmpty()) << c.file << alerts.texts().join("|").toStdString();
    }
}

TEST(ImportWizardText, TextFileValuesGoToTheOpenListWhenNoNameIsAsked) {
    dstest::Workspace ws;
    ASSERT_TRUE(dstest::writeBytes(ws.path("v.txt"), " a \n\nb\n"));
    BatchWizard* manager = BatchWizard::defaultInstance();
    manager->AddNew_Btn_Clicked();
    manager->Create_Value_List("first");
    Import_Wizard* wizard = Import_Wizard::defaultInstance();
    ScriptedRuns runs([&](QDialog& d) {
        EXPECT_FALSE(wizard->form().Text_file_name->isVisibleTo(wizard));
        wizard->Text_RD_Pressed();
        wizard->form().Text_path->setText(ws.path("v.txt"));
        wizard->OKPressed();
        return d.result();
    });
    testsupport::ScriptedAlerts alerts;
    wizard->file_name_required = 0;
    wizard->file_name_Insert = 1;
    EXPECT_EQ(wizard->Open_Wnd(), 1);
    EXPECT_EQ(manager->values(), QStringList({"first", "a", "b"}));
    EXPECT_TRUE(QDir(Data_Folder_Path).entryList(QDir::Files).isEmpty());
}

TEST(ImportWizardText, RefusedInputsLeaveTheWizardOpenAndWriteNothing) {
    dstest::Workspace ws;
    ASSERT_TRUE(dstest::writeBytes(ws.path("empty.txt"), ""));
    ASSERT_TRUE(QDir().mkpath(ws.path("folder.txt")));
    const struct {
        QString path;
        const char* message;
    } cases[] = {
        {"", "Please select valid file path."},
        {"   ", "Please select valid file path."},
        {ws.path("missing.txt"), "Please select valid file path."},
        {ws.path("folder.txt"), "Please select a valid file."},
        {ws.path("empty.txt"), "Either file is corrupted or selected file contains invalid "
                               "characters."},
    };
    Import_Wizard* wizard = Import_Wizard::defaultInstance();
    QStringList seen;
    int stillOpen = 0;
    ScriptedRuns runs([&](QDialog& d) {
        wizard->Text_RD_Pressed();
        wizard->form().Text_file_name->setText("Never");
        for (const auto& c : cases) {
            testsupport::ScriptedAlerts alerts;
            wizard->form().Text_path->setText(c.path);
            d.setResult(-1); // any end of the run would change it
            wizard->OKPressed();
            seen << swtest::shownTexts(alerts.texts());
            stillOpen += d.result() == -1 ? 1 : 0;
            EXPECT_EQ(wizard->form().Text_path->text(), c.path);
        }
        wizard->CancelPressed();
        return d.result();
    });
    wizard->file_name_required = 1;
    EXPECT_EQ(wizard->Open_Wnd(), 0);
    QStringList expected;
    for (const auto& c : cases) {
        expected << c.message;
    }
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(stillOpen, int(std::size(cases)));
    EXPECT_TRUE(QDir(Data_Folder_Path).entryList(QDir::Files).isEmpty());
}

TEST(ImportWizardText, BrowsingAWorkbookRunsTheColumnDialogAndClosesTheWizard) {
    dstest::Workspace ws;
    const QString book = dstest::makeWorkbook(
        ws, {{1, dstest::sheetXml("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>Col</t></is>"
                                  "</c></row><row r=\"2\"><c r=\"A2\" t=\"inlineStr\"><is><t>v"
                                  "</t></is></c></row>",
                                  "A1:A2")}});
    // A link planted where the unpacked workbook goes: it is removed, and
    // what it points at stays untouched.
    const QString unpacked = Excel_Temp_Folder_Path();
    ASSERT_FALSE(unpacked.isEmpty());
    QDir().mkpath(ws.path("victim"));
    ASSERT_TRUE(dstest::writeBytes(ws.path("victim/keep.txt"), "keep"));
    QDir(unpacked).removeRecursively();
    ASSERT_TRUE(QFile::link(ws.path("victim"), unpacked));

    Import_Wizard* wizard = Import_Wizard::defaultInstance();
    Import_Excel_DataSheet* columns = Import_Excel_DataSheet::defaultInstance();
    QStringList panelTypes;
    hooks::setOpenPanel([&](const hooks::OpenPanelRequest& request) {
        panelTypes = request.allowedTypes;
        EXPECT_FALSE(QFileInfo(unpacked).isSymLink()); // removed before the panel
        return QStringList{book};
    });
    QStringList runOrder;
    ScriptedRuns runs([&](QDialog& d) {
        runOrder << d.metaObject()->className();
        if (&d == columns) {
            columns->form().ColList->item(0, 0)->setCheckState(Qt::Checked);
            columns->OKPressed();
            return d.result();
        }
        wizard->Browse_Excel_Pressed();
        return d.result();
    });
    testsupport::ScriptedAlerts alerts;
    wizard->file_name_required = 1;
    EXPECT_EQ(wizard->Open_Wnd(), 1);
    hooks::setOpenPanel({});
    EXPECT_EQ(panelTypes, QStringList({"xlsx", "XLSX"}));
    EXPECT_EQ(runOrder, QStringList({"Import_Wizard", "Import_Excel_DataSheet"}));
    EXPECT_EQ(wizard->form().Excel_path->text(), book);
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("Col")), "v\n");
    EXPECT_EQ(dstest::readBytes(ws.path("victim/keep.txt")), "keep");
    EXPECT_TRUE(alerts.texts().isEmpty()) << alerts.texts().join("|").toStdString();
}

TEST(ImportWizardText, HelpOpensTheHelpDocumentOrSaysItIsMissing) {
    dstest::Workspace ws;
    std::vector<QUrl> opened;
    hooks::setUrlOpener([&](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    testsupport::ScriptedAlerts alerts;
    Import_Wizard::defaultInstance()->HelpPressed();
    EXPECT_EQ(swtest::shownTexts(alerts.texts()), QStringList({"Help file does not exist!"}));
    EXPECT_TRUE(opened.empty());
    ASSERT_TRUE(dstest::writeBytes(ws.path("resources/Help.pdf"), "%PDF-1.4\n"));
    Import_Wizard::defaultInstance()->HelpPressed();
    BatchWizard::defaultInstance()->Help_Btn_Clicked();
    hooks::setUrlOpener({});
    EXPECT_EQ(opened, std::vector<QUrl>(2, QUrl::fromLocalFile(ws.path("resources/Help.pdf"))));
    EXPECT_EQ(alerts.texts().size(), 1);
}

TEST(ImportWizardText, ATruncatedWorkbookIsRefusedLikeAFileThatIsNoWorkbook) {
    dstest::Workspace ws;
    QByteArray body;
    for (qint64 r = 1; r <= 400; ++r) {
        body += "<row><c><v>" + QByteArray::number(r * 2654435761 % 1000000007) + "</v></c></row>";
    }
    const QString book = dstest::makeWorkbook(ws, {{1, dstest::sheetXml(body)}});
    ASSERT_GT(dstest::readBytes(book).size(), 2000);
    ASSERT_TRUE(dstest::writeBytes(ws.path("cut.xlsx"), dstest::readBytes(book).left(700)));
    ASSERT_TRUE(dstest::writeBytes(ws.path("text.xlsx"), "Name\nvalue\n"));
    Import_Wizard* wizard = Import_Wizard::defaultInstance();
    QStringList shown;
    for (const char* name : {"text.xlsx", "cut.xlsx"}) {
        hooks::setOpenPanel(
            [&](const hooks::OpenPanelRequest&) { return QStringList{ws.path(name)}; });
        QStringList runs;
        ScriptedRuns scripted([&](QDialog& d) {
            runs << d.metaObject()->className();
            if (&d == wizard && runs.size() == 1) {
                wizard->Browse_Excel_Pressed();
            }
            return d.result();
        });
        testsupport::ScriptedAlerts alerts;
        wizard->file_name_required = 1;
        wizard->Open_Wnd();
        EXPECT_EQ(runs, QStringList({"Import_Wizard"})) << name; // no column dialog
        shown << swtest::shownTexts(alerts.texts()).join("|");
    }
    hooks::setOpenPanel({});
    EXPECT_EQ(shown, QStringList(2, "Either file is corrupted or selected file contains invalid "
                                    "characters."));
}
