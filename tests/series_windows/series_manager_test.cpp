// The series manager's store actions, the merged spreadsheet import and the
// wizard's other sources, driven offscreen with scripted runs and answers.

#include "DataseriesTestSupport.h"
#include "common/TestSupport.h"

#include "core/SharedGlobals.h"
#include "dataseries/ImportedTable.h"
#include "dataseries/SeriesBindingSource.h"
#include "dataseries/windows/BatchWizard.h"
#include "dataseries/windows/Data_From_Excel.h"
#include "dataseries/windows/Generate_List.h"
#include "dataseries/windows/Import_Excel_DataSheet.h"
#include "dataseries/windows/Import_Wizard.h"
#include "dataseries/windows/SmallSeriesDialogs.h"
#include "dataseries/windows/View_Data_Series.h"
#include "ui_BatchWizard.h"
#include "ui_Import_Excel_DataSheet.h"
#include "ui_Import_Wizard.h"
#include "widgets/GuiHooks.h"

#include <QCoreApplication>
#include <QDir>
#include <QItemSelectionModel>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class Runs {
public:
    explicit Runs(std::function<int(QDialog&)> handler) {
        hooks::setModalRunner([handler](QDialog& dialog) {
            const QString folder = qEnvironmentVariable("CARD_SCREENSHOT_DIR");
            if (!folder.isEmpty()) {
                dialog.show();
                dialog.grab().save(QDir(folder).filePath(
                    QStringLiteral("%1.png").arg(dialog.metaObject()->className())));
            }
            return handler(dialog);
        });
    }
    ~Runs() { hooks::setModalRunner({}); }
};

class FixedCard : public SeriesBindingSource {
public:
    explicit FixedCard(const QString& bound) {
        sides.front.push_back({"SKTText", 1, bound});
        setCurrent(this);
    }
    ~FixedCard() override { setCurrent(nullptr); }
    SeriesBindingSides sides;
    SeriesBindingSides Card_Series_Bindings() const override { return sides; }
};

void selectRows(QTableWidget& table, std::initializer_list<int> rows) {
    table.clearSelection();
    for (const int row : rows) {
        table.selectionModel()->select(table.model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    table.setCurrentCell(*rows.begin(), 0, QItemSelectionModel::NoUpdate);
}

int rowOf(const BatchWizard& manager, const QString& name) {
    return int(manager.seriesNames().indexOf(name));
}

} // namespace

TEST(SeriesManager, OpenRenameReplaceAndRefuseWhileBound) {
    dstest::Workspace ws;
    ASSERT_TRUE(dstest::writeBytes(ws.seriesPath("Alpha"), "a1\n a2 \n\n"));
    ASSERT_TRUE(dstest::writeBytes(ws.seriesPath("Beta"), "b1\n"));
    BatchWizard* manager = BatchWizard::defaultInstance();
    manager->Fill_List();
    EXPECT_EQ(manager->seriesNames(), QStringList({"Alpha", "Beta"}));
    EXPECT_EQ(manager->form().batch_list_count->text(), "Total List : 2");

    // Open Alpha and rename it to the free name Gamma: Alpha's file goes.
    selectRows(*manager->List(), {rowOf(*manager, "Alpha")});
    manager->Update_Btn_Clicked();
    EXPECT_EQ(manager->values(), QStringList({"a1", "a2"}));
    manager->form().batch_list_name->setText("Gamma");
    testsupport::ScriptedAlerts alerts({1});
    manager->Save_Btn_Clicked();
    EXPECT_TRUE(manager->firstScreenShown());
    EXPECT_EQ(manager->seriesNames(), QStringList({"Beta", "Gamma"}));
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("Gamma")), "a1\na2\n");

    // Save Gamma under Beta's name: asked, Yes replaces, Gamma stays.
    selectRows(*manager->List(), {rowOf(*manager, "Gamma")});
    manager->Update_Btn_Clicked();
    manager->form().batch_list_name->setText("Beta");
    manager->Save_Btn_Clicked();
    EXPECT_TRUE(alerts.texts().join("|").contains(
        "Batch Processing Series already exists. Do you want to replace it?"));
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("Beta")), "a1\na2\n");
    EXPECT_TRUE(QFileInfo::exists(ws.seriesPath("Gamma")));

    // Bound on the card: refused even under a new name.
    FixedCard card("Gamma");
    selectRows(*manager->List(), {rowOf(*manager, "Gamma")});
    manager->Update_Btn_Clicked();
    manager->form().batch_list_name->setText("Delta");
    manager->Save_Btn_Clicked();
    EXPECT_FALSE(QFileInfo::exists(ws.seriesPath("Delta")));
    EXPECT_TRUE(alerts.texts().last().contains(
        "Batch Processing Series can't be update because it is currently in use."));
    manager->Back_Btn_Clicked();
}

TEST(SeriesManager, MultiDeleteStopsAtASeriesInUseAndRefills) {
    dstest::Workspace ws;
    for (const char* name : {"A", "B", "C", "D"}) {
        ASSERT_TRUE(dstest::writeBytes(ws.seriesPath(name), "v\n"));
    }
    FixedCard card("C");
    BatchWizard* manager = BatchWizard::defaultInstance();
    manager->Fill_List();
    selectRows(*manager->List(), {0, 1, 2, 3});
    Msg_Apply_All_Chk = 1; // an old tick must not silence the refusal
    testsupport::ScriptedAlerts alerts({1});
    manager->Delete_List_Btn_Clicked();
    EXPECT_EQ(alerts.texts().size(), 2);
    EXPECT_TRUE(alerts.texts().last().contains(
        "Batch Processing Series can't be delete because it is currently in use."));
    EXPECT_FALSE(QFileInfo::exists(ws.seriesPath("A")));
    EXPECT_FALSE(QFileInfo::exists(ws.seriesPath("B")));
    EXPECT_TRUE(QFileInfo::exists(ws.seriesPath("C")));
    EXPECT_TRUE(QFileInfo::exists(ws.seriesPath("D")));
    EXPECT_EQ(manager->seriesNames(), QStringList({"C", "D"}));
}

TEST(SeriesManager, ValueEditingAndTheReplaceOrAppendQuestion) {
    dstest::Workspace ws;
    BatchWizard* manager = BatchWizard::defaultInstance();
    manager->AddNew_Btn_Clicked();
    EXPECT_EQ(manager->form().batch_list_name->text(), "Untitled");
    manager->Create_Value_List("x");
    manager->Create_Value_List("y");
    testsupport::ScriptedAlerts alerts;
    selectRows(*manager->List_value(), {1});
    int runs = 0;
    Runs scripted([&](QDialog& d) {
        ++runs;
        if (auto* editor = qobject_cast<Update_Ex_Num*>(&d)) {
            editor->m_ex_num_str()->setText("   ");
            editor->OKPressed();
            editor->m_ex_num_str()->setText(" z ");
            editor->OKPressed();
            return d.result();
        }
        if (qobject_cast<Load_Num_Info*>(&d)) {
            return Load_Num_Info::CancelAnswer;
        }
        return 0;
    });
    emit manager->List_value()->cellDoubleClicked(1, 0);
    EXPECT_EQ(manager->values(), QStringList({"x", "z"}));
    EXPECT_TRUE(alerts.texts().join("|").contains("Please enter a valid value."));
    // Cancel on the question opens nothing.
    manager->Series_Value_Btn_Clicked();
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(manager->values(), QStringList({"x", "z"}));
    selectRows(*manager->List_value(), {0, 1});
    manager->Delete_Rows_Btn_Clicked();
    EXPECT_TRUE(manager->values().isEmpty());
    manager->Delete_Rows_Btn_Clicked();
    EXPECT_TRUE(alerts.texts().last().contains("List is empty."));
}

// A click on a row of a table of the manager; with Ctrl it adds the row.
static void clickRow(QTableWidget& table, int row,
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QRect place = table.visualItemRect(table.item(row, 0));
    QTest::mouseClick(table.viewport(), Qt::LeftButton, modifiers, place.center());
}

// The manager's selection checks, and both answers of the question asked
// before values are generated into a list that has some (Yes replaces,
// No appends), through its buttons and tables.
TEST(SeriesManager, SelectionMessagesAndTheReplaceOrAppendAnswers) {
    dstest::Workspace ws;
    BatchWizard* manager = BatchWizard::defaultInstance();
    Ui::BatchWizard& f = manager->form();
    testsupport::ScriptedAlerts alerts;
    int question = 0; // the answer to the replace-or-append question
    QStringList valuesAtGenerator;
    std::function<void()> script;
    Runs scripted([&](QDialog& d) {
        if (qobject_cast<Load_Num_Info*>(&d)) {
            return question;
        }
        if (qobject_cast<Generate_List*>(&d)) {
            valuesAtGenerator = manager->values();
            return 0;
        }
        d.show();
        QCoreApplication::processEvents();
        script();
        return 0;
    });
    auto newTexts = [&alerts, seen = qsizetype(0)]() mutable {
        const QStringList texts = alerts.texts().mid(seen);
        seen = alerts.texts().size();
        QStringList trimmed;
        for (const QString& text : texts) {
            trimmed << text.trimmed();
        }
        return trimmed;
    };

    script = [&] { f.Update_Btn->click(); };
    manager->Open_Wnd();
    EXPECT_EQ(newTexts(), QStringList{"Available list is empty."});

    ASSERT_TRUE(dstest::writeBytes(ws.seriesPath("A"), "a1\na2\n"));
    ASSERT_TRUE(dstest::writeBytes(ws.seriesPath("B"), "b1\n"));
    script = [&] {
        f.Update_Btn->click();
        EXPECT_EQ(newTexts(),
                  QStringList{"Please select a record from the available list to continue."});
        clickRow(*f.List, rowOf(*manager, "A"));
        clickRow(*f.List, rowOf(*manager, "B"), Qt::ControlModifier);
        emit f.List->cellDoubleClicked(rowOf(*manager, "B"), 0);
        EXPECT_EQ(newTexts(), QStringList{"Please select only one record to update."});
        clickRow(*f.List, rowOf(*manager, "A"));
        f.Update_Btn->click();
        ASSERT_EQ(manager->values(), QStringList({"a1", "a2"}));
        f.List_value->clearSelection();
        f.Delete_Rows_Btn->click();
        EXPECT_EQ(newTexts(),
                  QStringList{"Please select at least one record from the list to continue."});
        // No keeps the values to append to; Yes empties the list first.
        question = 0;
        f.Series_Value_Btn->click();
        EXPECT_EQ(valuesAtGenerator, QStringList({"a1", "a2"}));
        question = 1;
        f.Series_Value_Btn->click();
        EXPECT_EQ(valuesAtGenerator, QStringList());
        EXPECT_TRUE(newTexts().isEmpty());
    };
    manager->Open_Wnd();
}

TEST(SeriesManager, XlsxExportReadsBackInOpenpyxl) {
    CARD_REQUIRE_PYTHON_MODULE(python, "openpyxl");
    dstest::Workspace ws;
    BatchWizard* manager = BatchWizard::defaultInstance();
    manager->AddNew_Btn_Clicked();
    for (const char* v : {"A7", "B\xc3\xa9", "x3"}) {
        manager->Create_Value_List(QString::fromUtf8(v));
    }
    hooks::setSavePanel([&](const hooks::SavePanelRequest&) { return ws.path("out.xlsx"); });
    Runs scripted([](QDialog&) { return 0; });
    testsupport::ScriptedAlerts alerts;
    manager->Export_Value_Btn_Clicked();
    hooks::setSavePanel({});
    const auto read = testsupport::runProcess(
        python, {"-c",
                 "import sys, json, openpyxl\n"
                 "ws = openpyxl.load_workbook(sys.argv[1]).active\n"
                 "print(json.dumps([[c.value for c in r] for r in ws.iter_rows()]))",
                 ws.path("out.xlsx")});
    ASSERT_EQ(read.exitCode, 0) << read.err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(read.out).array(),
              QJsonArray({QJsonArray{"Batch Value"}, QJsonArray{"A7"},
                          QJsonArray{QStringLiteral("B\u00e9")}, QJsonArray{"x3"}}));
}

TEST(SeriesWindows, WizardPastedTextFolderAndRefusals) {
    dstest::Workspace ws;
    const QString folder = ws.path("pics");
    ASSERT_TRUE(QDir().mkpath(folder + "/c.png"));
    ASSERT_TRUE(dstest::writeBytes(folder + "/a.JPG", "x"));
    ASSERT_TRUE(dstest::writeBytes(folder + "/b.txt", "x"));
    Import_Wizard* wizard = Import_Wizard::defaultInstance();
    testsupport::ScriptedAlerts alerts({0});
    Runs scripted([&](QDialog& d) {
        Ui::Import_Wizard& f = wizard->form();
        wizard->Manual_RD_Pressed();
        EXPECT_EQ(f.Manual_file_name->text(), "Untitled");
        wizard->OKPressed(); // empty text
        f.ManualEdit->setPlainText(" one \n\ntwo\n");
        f.Manual_file_name->setText("Typed");
        wizard->OKPressed();
        return d.result();
    });
    wizard->file_name_required = 1;
    EXPECT_EQ(wizard->Open_Wnd(), 1);
    EXPECT_TRUE(alerts.texts().join("|").contains("Please enter some data."));
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("Typed")), "one \ntwo\n");

    Runs pictures([&](QDialog& d) {
        wizard->Image_RD_Pressed();
        wizard->form().Image_file_name->setText("Typed"); // exists: No keeps it open
        wizard->form().Image_path->setText(folder);
        wizard->OKPressed();
        EXPECT_FALSE(QFileInfo::exists(ws.seriesPath("Pics")));
        wizard->form().Image_file_name->setText("Pics");
        wizard->OKPressed();
        return d.result();
    });
    EXPECT_EQ(wizard->Open_Wnd(), 1);
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("Typed")), "one \ntwo\n");
    EXPECT_EQ(dstest::readBytes(ws.seriesPath("Pics")), (folder + "/a.JPG\n").toUtf8());
}

TEST(SeriesWindows, ViewerShowsTheSeriesAndTheTableViewerItsRows) {
    dstest::Workspace ws;
    ASSERT_TRUE(dstest::writeBytes(ws.seriesPath("Seen"), " a \n\nb\n"));
    View_Data_Series* viewer = View_Data_Series::defaultInstance();
    viewer->file_name = "Seen";
    Runs scripted([](QDialog& d) { return d.metaObject()->className() == QString("x") ? 0 : 1; });
    viewer->Open_Wnd();
    EXPECT_EQ(viewer->shownValues(), QStringList({"a", "b"}));

    // The table viewer shows the imported table's titles and rows, and a
    // cell the user edits there goes into the table.
    ImportedTable& table = Imported_Table();
    table = ImportedTable();
    table.Add_Column("Name");
    table.Add_Column("Town");
    table.Create_List_By_Array({"Ann", "Rome"}, 2);
    table.Create_List_By_Array({"Bob", "Oslo"}, 2);
    QStringList seen;
    Runs tableRun([&seen](QDialog& d) {
        auto* viewerOfTable = qobject_cast<Data_From_Excel*>(&d);
        if (!viewerOfTable) {
            return 1;
        }
        QTableWidget* view = viewerOfTable->ColList();
        d.show();
        for (int c = 0; c < view->columnCount(); ++c) {
            seen << view->horizontalHeaderItem(c)->text();
        }
        for (int r = 0; r < view->rowCount(); ++r) {
            for (int c = 1; c < view->columnCount(); ++c) {
                seen << view->item(r, c)->text();
            }
        }
        view->setCurrentCell(1, 2);
        QTest::keyClick(view, Qt::Key_F2);
        auto* editor = view->findChild<QLineEdit*>();
        EXPECT_NE(editor, nullptr);
        if (editor) {
            editor->selectAll();
            QTest::keyClicks(editor, "Pisa");
            QTest::keyClick(editor, Qt::Key_Return);
            QCoreApplication::processEvents(); // the commit is queued
        }
        return 1;
    });
    Data_From_Excel::defaultInstance()->Open_Wnd();
    EXPECT_EQ(Data_From_Excel_Window, Data_From_Excel::defaultInstance());
    EXPECT_EQ(seen, QStringList({"Row No.", "Name", "Town", "Ann", "Rome", "Bob", "Oslo"}));
    EXPECT_EQ(table.ListData().at(1).value(table.columns().at(1).identifier), "Pisa");
    EXPECT_EQ(table.ListData().at(0).value(table.columns().at(1).identifier), "Rome");
    table = ImportedTable();
    // Both screens of the manager for the record.
    BatchWizard::defaultInstance()->Open_Wnd();
    EXPECT_TRUE(BatchWizard::defaultInstance()->firstScreenShown());
}

TEST(SeriesWindows, MergedImportAppendsOrReplaces) {
    CARD_REQUIRE_PYTHON_MODULE(python, "openpyxl");
    dstest::Workspace ws;
    const QString book = ws.path("m.xlsx");
    ASSERT_EQ(testsupport::runProcess(
                  python, {"-c",
                           "import sys, openpyxl\nwb = openpyxl.Workbook()\nws = wb.active\n"
                           "for r in [['A','B'],['1','2'],['3','4']]: ws.append(r)\n"
                           "wb.save(sys.argv[1])",
                           book})
                  .exitCode,
              0);
    ASSERT_TRUE(dstest::writeBytes(ws.seriesPath("Kept"), "k\n"));
    Import_Excel_DataSheet* dialog = Import_Excel_DataSheet::defaultInstance();
    testsupport::ScriptedAlerts alerts;
    for (const int option : {2, 1}) {
        Runs scripted([&](QDialog& d) {
            Ui::Import_Excel_DataSheet& f = dialog->form();
            f.ColList->item(0, 0)->setCheckState(Qt::Checked);
            f.ColList->item(1, 0)->setCheckState(Qt::Checked);
            dialog->Fill_Col_RD_Click();
            dialog->Fill_Type_CellClick(option);
            f.List_ComboBox->setCurrentText("Kept");
            dialog->OKPressed();
            return d.result();
        });
        EXPECT_EQ(dialog->Open_excel_Wnd(book), 1);
        EXPECT_EQ(dstest::readBytes(ws.seriesPath("Kept")),
                  option == 2 ? QByteArray("k\n1\n2\n3\n4\n") : QByteArray("1\n2\n3\n4\n"));
    }
}
