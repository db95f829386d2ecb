// The series manager's export panel (the chosen filter, the question for
// the final path, failed writes), the please-wait sheet of the series
// windows, and a picture of every window and screen.

#include "SeriesWindowsSupport.h"

#include "core/SharedGlobals.h"
#include "core/globals.h"
#include "dataseries/windows/BatchWizard.h"
#include "dataseries/windows/Data_From_Excel.h"
#include "dataseries/windows/Generate_List.h"
#include "dataseries/windows/Import_Excel.h"
#include "dataseries/windows/Import_Excel_DataSheet.h"
#include "dataseries/windows/Import_Wizard.h"
#include "dataseries/windows/SeriesWaitSheet.h"
#include "dataseries/windows/SmallSeriesDialogs.h"
#include "dataseries/windows/View_Data_Series.h"
#include "ui_BatchWizard.h"
#include "ui_Import_Wizard.h"
#include "widgets/GuiHooks.h"
#include "widgets/Long_SMS_Dlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>

using swtest::ScriptedRuns;

namespace {

// Scripted save panel: records the request, answers path and type.
class ScriptedSavePanel {
public:
    ScriptedSavePanel() {
        hooks::setSavePanel([this](const hooks::SavePanelRequest& request) {
            requests.push_back(request);
            return answer;
        });
    }
    ~ScriptedSavePanel() { hooks::setSavePanel({}); }
    hooks::SavePanelAnswer answer;
    std::vector<hooks::SavePanelRequest> requests;
};

BatchWizard& managerWith(const QStringList& values) {
    BatchWizard* manager = BatchWizard::defaultInstance();
    manager->AddNew_Btn_Clicked();
    manager->form().batch_list_name->setText("Guests");
    for (const QString& value : values) {
        manager->Create_Value_List(value);
    }
    return *manager;
}

// Counts the please-wait sheets shown, by the class of their window.
class SheetWatch : public QObject {
public:
    SheetWatch() { qApp->installEventFilter(this); }
    ~SheetWatch() override { qApp->removeEventFilter(this); }
    static bool anyVisible() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<SeriesWaitSheet*>(widget) && widget->isVisible()) {
                return true;
            }
        }
        return false;
    }
    QStringList shownOver;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            if (auto* sheet = qobject_cast<SeriesWaitSheet*>(watched)) {
                shownOver << sheet->parentWidget()->metaObject()->className();
            }
        }
        return false;
    }
};

// Answers alerts with `answer` and records whether a sheet covered any.
class AlertsOverSheets {
public:
    explicit AlertsOverSheets(int answer) {
        hooks::setAlertAnswerer([this, answer](const AlertRequest& request) {
            texts << swtest::shownTexts({request.text});
            coveredBySheet = coveredBySheet || SheetWatch::anyVisible();
            return answer;
        });
    }
    ~AlertsOverSheets() { hooks::setAlertAnswerer({}); }
    QStringList texts;
    bool coveredBySheet = false;
};

} // namespace

TEST(ManagerExport, ExportPathTakesTheChosenFiltersExtension) {
    const struct {
        const char* chosen;
        const char* type;
        const char* path;
    } cases[] = {
        {"/d/out", "txt", "/d/out.txt"},       {"/d/out", "xlsx", "/d/out.xlsx"},
        {"/d/out.txt", "xlsx", "/d/out.xlsx"}, {"/d/out.XLSX", "txt", "/d/out.txt"},
        {"/d/v1.2", "txt", "/d/v1.2.txt"},     {"/d/a.b.txt", "txt", "/d/a.b.txt"},
        {"/d/out.TXT", "", "/d/out.txt"}, // a panel that reports no filter
        {"/d/out", "", "/d/out.xlsx"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Export_Path_For_Type(c.chosen, c.type), c.path) << c.chosen << " " << c.type;
    }
}

TEST(ManagerExport, TheQuestionCoversTheFinalPath) {
    dstest::Workspace ws;
    BatchWizard& manager = managerWith({"a", "b"});
    ASSERT_TRUE(dstest::writeBytes(ws.path("out.txt"), "old\n"));
    ASSERT_TRUE(dstest::writeBytes(ws.path("out.xlsx"), "other"));
    ScriptedSavePanel panel;
    int prompts = 0;
    ScriptedRuns runs([&](QDialog& d) {
        prompts += qobject_cast<Open_Export_Log*>(&d) ? 1 : 0;
        return 0;
    });
    const QString question =
        QStringLiteral("\u201cout.txt\u201d already exists. Do you want to replace it?");

    // Typed without an extension, the txt filter chosen: out.txt is asked for.
    panel.answer = {ws.path("out"), "txt"};
    {
        testsupport::ScriptedAlerts alerts({0});
        manager.Export_Value_Btn_Clicked();
        EXPECT_EQ(alerts.texts(), QStringList({question}));
    }
    EXPECT_EQ(dstest::readBytes(ws.path("out.txt")), "old\n");
    EXPECT_EQ(prompts, 0);
    ASSERT_EQ(panel.requests.size(), 1u);
    EXPECT_EQ(panel.requests[0].allowedTypes, QStringList({"xlsx", "txt"}));
    EXPECT_FALSE(panel.requests[0].confirmOverwrite);
    EXPECT_EQ(panel.requests[0].fileName, "Guests");
    {
        testsupport::ScriptedAlerts alerts({1});
        manager.Export_Value_Btn_Clicked();
        EXPECT_EQ(alerts.texts(), QStringList({question}));
    }
    EXPECT_EQ(dstest::readBytes(ws.path("out.txt")), "a\nb\n");
    EXPECT_EQ(prompts, 1);
    EXPECT_EQ(Export_File_Path, ws.path("out.txt"));

    // The typed name exists, the final one does not: nothing to ask.
    ASSERT_TRUE(QFile::remove(ws.path("out.txt")));
    panel.answer = {ws.path("out.xlsx"), "txt"};
    {
        testsupport::ScriptedAlerts alerts;
        manager.Export_Value_Btn_Clicked();
        EXPECT_TRUE(alerts.texts().isEmpty()) << alerts.texts().join("|").toStdString();
    }
    EXPECT_EQ(dstest::readBytes(ws.path("out.txt")), "a\nb\n");
    EXPECT_EQ(dstest::readBytes(ws.path("out.xlsx")), "other");
    EXPECT_EQ(prompts, 2);
}

TEST(ManagerExport, AFailedWriteKeepsTheOldFileAndReportsNoSuccess) {
    QStringList many;
    for (int i = 0; i < 3000; ++i) {
        many << QStringLiteral("guest-number-%1").arg(i, 5, 10, QLatin1Char('0'));
    }
    for (const char* type : {"txt", "xlsx"}) {
        dstest::Workspace ws;
        BatchWizard& manager = managerWith(many);
        const QString target = ws.path(QStringLiteral("out.%1").arg(type));
        ASSERT_TRUE(dstest::writeBytes(target, "old"));
        ScriptedSavePanel panel;
        panel.answer = {target, type};
        int prompts = 0;
        ScriptedRuns runs([&](QDialog&) { return ++prompts, 0; });
        Export_File_Message.clear();
        AlertsOverSheets alerts(1);
        {
            std::optional<dstest::FileSizeLimit> limit(std::in_place, 8192);
            manager.Export_Value_Btn_Clicked();
        }
        EXPECT_EQ(alerts.texts.value(1), "Error in file accessing.") << type;
        EXPECT_EQ(alerts.texts.size(), 2) << type;
        EXPECT_FALSE(alerts.coveredBySheet) << type;
        EXPECT_EQ(dstest::readBytes(target), "old") << type;
        EXPECT_EQ(prompts, 0) << type;
        EXPECT_TRUE(Export_File_Message.isEmpty()) << type;
        EXPECT_EQ(QDir(ws.path("")).entryList({"out*"}, QDir::Files | QDir::Hidden),
                  QStringList({QStringLiteral("out.%1").arg(type)}))
            << type;
    }
}

TEST(SeriesWaitSheet, CoversReadsAndWritesButNeverAMessage) {
    dstest::Workspace ws;
    ASSERT_TRUE(dstest::writeBytes(ws.seriesPath("Open"), "1\n2\n"));
    ASSERT_TRUE(dstest::writeBytes(ws.seriesPath("Imported"), "old\n"));
    ASSERT_TRUE(dstest::writeBytes(ws.path("v.txt"), "x\ny\n"));
    SheetWatch watch;
    AlertsOverSheets alerts(1);

    // Opening a series in the manager.
    BatchWizard* manager = BatchWizard::defaultInstance();
    manager->Fill_List();
    manager->List()->selectRow(int(manager->seriesNames().indexOf("Open")));
    manager->Update_Btn_Clicked();
    EXPECT_EQ(manager->values(), QStringList({"1", "2"}));
    EXPECT_EQ(watch.shownOver, QStringList({"BatchWizard"}));
    SeriesWaitSheet* sheet = SeriesWaitSheet::of(*manager);
    EXPECT_EQ(sheet, SeriesWaitSheet::of(*manager));
    EXPECT_EQ(sheet->parentWidget(), manager);
    EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
    EXPECT_EQ(sheet->message(), "It may take a while, Please wait..");
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_FALSE(sheet->shown());
    EXPECT_EQ(sheet->palette().color(QPalette::Window), QColor(241, 244, 250));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // A text import over an existing series: the sheet while reading, gone
    // for the replace question, back while writing.
    watch.shownOver.clear();
    Import_Wizard* wizard = Import_Wizard::defaultInstance();
    {
        ScriptedRuns runs([&](QDialog& d) {
            wizard->Text_RD_Pressed();
            wizard->form().Text_file_name->setText("Imported");
            wizard->form().Text_path->setText(ws.path("v.txt"));
            wizard->OKPressed();
            return d.result();
        });
        wizard->file_name_required = 1;
        EXPECT_EQ(wizard->Open_Wnd(), 1);
    }
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("Imported")), "x\ny\n");
    EXPECT_EQ(watch.shownOver, QStringList({"Import_Wizard", "Import_Wizard"}));
    EXPECT_EQ(alerts.texts,
              QStringList({"Batch Processing Series already exists. Do you want to replace it?"}));

    // Saving in the manager under an existing name: the same order.
    watch.shownOver.clear();
    manager->form().batch_list_name->setText("Imported");
    manager->Save_Btn_Clicked();
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("Imported")), "1\n2\n");
    EXPECT_EQ(watch.shownOver, QStringList({"BatchWizard"}));
    EXPECT_EQ(alerts.texts.size(), 2);
    EXPECT_FALSE(alerts.coveredBySheet);
    EXPECT_FALSE(SheetWatch::anyVisible());
}

TEST(SeriesWaitSheet, PerColumnQuestionsAreNeverAskedUnderTheSheet) {
    dstest::Workspace ws;
    const QString book = dstest::makeWorkbook(
        ws, {{1, dstest::sheetXml("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>Taken</t></is>"
                                  "</c><c r=\"B1\" t=\"inlineStr\"><is><t>../out</t></is></c>"
                                  "</row><row r=\"2\"><c r=\"A2\"><v>5</v></c><c r=\"B2\"><v>6"
                                  "</v></c></row>",
                                  "A1:B2")}});
    ASSERT_TRUE(dstest::writeBytes(ws.seriesPath("Taken"), "old\n"));
    SheetWatch watch;
    AlertsOverSheets alerts(1);
    Import_Excel_DataSheet* dialog = Import_Excel_DataSheet::defaultInstance();
    bool questionUnderSheet = false;
    ScriptedRuns runs([&](QDialog& d) {
        if (auto* sms = qobject_cast<Long_SMS_Dlg*>(&d)) {
            questionUnderSheet = questionUnderSheet || SheetWatch::anyVisible();
            return swtest::answerLong(*sms, true, false);
        }
        dialog->Select_ALL_Pressed();
        dialog->OKPressed();
        return d.result();
    });
    EXPECT_EQ(dialog->Open_excel_Wnd(book), 1);
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("Taken")), "5\n");
    EXPECT_EQ(alerts.texts, QStringList({"Error in file accessing."}));
    EXPECT_FALSE(alerts.coveredBySheet);
    EXPECT_FALSE(questionUnderSheet);
    // Loading the workbook, then the import around its two interruptions.
    EXPECT_GE(watch.shownOver.size(), 2);
    EXPECT_EQ(watch.shownOver.count("Import_Excel_DataSheet"), watch.shownOver.size());
    EXPECT_FALSE(SheetWatch::anyVisible());
}

TEST(SeriesScreens, EveryWindowIsASingletonWithItsBackground) {
    dstest::Workspace ws;
    ASSERT_TRUE(dstest::writeBytes(ws.seriesPath("Shown"), "a\nb\n"));
    BatchWizard* manager = BatchWizard::defaultInstance();
    manager->Fill_List();
    manager->Back_Btn_Clicked();
    const std::vector<std::pair<QWidget*, QWidget*>> windows = {
        {manager, BatchWizard::defaultInstance()},
        {Import_Wizard::defaultInstance(), Import_Wizard::defaultInstance()},
        {Import_Excel::defaultInstance(), Import_Excel::defaultInstance()},
        {Import_Excel_DataSheet::defaultInstance(), Import_Excel_DataSheet::defaultInstance()},
        {Generate_List::defaultInstance(), Generate_List::defaultInstance()},
        {View_Data_Series::defaultInstance(), View_Data_Series::defaultInstance()},
        {Data_From_Excel::defaultInstance(), Data_From_Excel::defaultInstance()},
        {Update_Ex_Num::defaultInstance(), Update_Ex_Num::defaultInstance()},
        {Load_Num_Info::defaultInstance(), Load_Num_Info::defaultInstance()},
        {Open_Export_Log::defaultInstance(), Open_Export_Log::defaultInstance()},
        {SeriesWaitSheet::of(*manager), SeriesWaitSheet::of(*manager)},
    };
    for (const auto& [window, again] : windows) {
        const QString name = window->metaObject()->className();
        EXPECT_EQ(window, again) << name.toStdString();
        EXPECT_EQ(window->palette().color(QPalette::Window), QColor(241, 244, 250))
            << name.toStdString();
        EXPECT_TRUE(window->autoFillBackground()) << name.toStdString();
        swtest::keepScreenshot(*window, QStringLiteral("series_") + name);
    }
    EXPECT_EQ(BatchWizard_Window, manager);
    EXPECT_EQ(Gen_List_Window, Generate_List::defaultInstance());
    EXPECT_EQ(Data_From_Excel_Window, Data_From_Excel::defaultInstance());

    // Both screens of the manager: exactly one shows at a time.
    EXPECT_TRUE(manager->firstScreenShown());
    EXPECT_FALSE(manager->form().list_value_box->isVisibleTo(manager));
    swtest::keepScreenshot(*manager, "series_BatchWizard_list");
    manager->List()->selectRow(0);
    manager->Update_Btn_Clicked();
    EXPECT_FALSE(manager->firstScreenShown());
    EXPECT_TRUE(manager->form().list_value_box->isVisibleTo(manager));
    EXPECT_FALSE(manager->form().avl_list_box->isVisibleTo(manager));
    swtest::keepScreenshot(*manager, "series_BatchWizard_values");
    manager->Back_Btn_Clicked();
    EXPECT_TRUE(manager->firstScreenShown());
}

TEST(OpenExportLog, OffersTheFileOrItsFolderAndOpensOnlyWhenTicked) {
    dstest::Workspace ws;
    ASSERT_TRUE(dstest::writeBytes(ws.path("out.txt"), "x\n"));
    std::vector<QUrl> opened;
    hooks::setUrlOpener([&](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    const struct {
        QString path;
        const char* title;
        bool ticked;
        bool ok;
    } cases[] = {
        {ws.path("out.txt"), "Open exported file.", true, true},
        {ws.path(""), "Open containing folder.", true, true},
        {ws.path("out.txt"), "Open exported file.", false, true},
        {ws.path("out.txt"), "Open exported file.", true, false},
    };
    Open_Export_Log* prompt = Open_Export_Log::defaultInstance();
    std::vector<QUrl> expected;
    for (const auto& c : cases) {
        Export_File_Path = c.path;
        Export_File_Message = "Record has been exported successfully.";
        QString shownTitle, shownPath, shownMessage;
        ScriptedRuns runs([&](QDialog& d) {
            shownTitle = prompt->_open_log_chk()->text();
            shownPath = d.findChild<QLabel*>("_open_log_path")->text();
            shownMessage = d.findChild<QLabel*>("_open_log_message")->text();
            prompt->_open_log_chk()->setChecked(c.ticked);
            c.ok ? prompt->OKPressed() : prompt->CancelPressed();
            return d.result();
        });
        Open_Export_File_Box();
        EXPECT_EQ(shownTitle, c.title);
        EXPECT_EQ(shownPath, c.path);
        EXPECT_EQ(shownMessage, "Record has been exported successfully.");
        // The box is ticked again for the next prompt.
        EXPECT_TRUE(prompt->_open_log_chk()->isChecked());
        if (c.ticked && c.ok) {
            expected.push_back(QUrl::fromLocalFile(c.path));
        }
    }
    hooks::setUrlOpener({});
    EXPECT_EQ(opened, expected);
}

TEST(OpenExportLog, AFileNoProgramOpensIsToldWithItsPlace) {
    dstest::Workspace ws;
    ASSERT_TRUE(dstest::writeBytes(ws.path("out.png"), "x"));
    hooks::setUrlOpener([](const QUrl&) { return false; });
    testsupport::ScriptedAlerts alerts;
    Export_File_Path = ws.path("out.png");
    Export_File_Message = "Card has been exported successfully.";
    ScriptedRuns runs([&](QDialog& d) {
        d.show();
        QTest::mouseClick(d.findChild<QPushButton*>("ok_btn"), Qt::LeftButton);
        return d.result();
    });
    Open_Export_File_Box();
    hooks::setUrlOpener({});
    ASSERT_EQ(alerts.texts().size(), 1);
    EXPECT_TRUE(alerts.texts().front().endsWith(QDir::toNativeSeparators(ws.path("out.png"))))
        << alerts.texts().front().toStdString();
}
