#include "dataseries/windows/Import_Excel.h"

#include "core/MessageFunctions.h"
#include "core/StringFunctions.h"
#include "dataseries/ImportedTable.h"
#include "dataseries/SpreadsheetWriter.h"
#include "dataseries/windows/BatchWizard.h"
#include "dataseries/windows/ColumnChoiceList.h"
#include "dataseries/windows/Data_From_Excel.h"
#include "dataseries/windows/SeriesWindowSupport.h"
#include "ui_Import_Excel.h"
#include "widgets/AppOwned.h"
#include "widgets/GuiHooks.h"

#include <exception>

namespace {

const QString kCorruptText =
    QStringLiteral("Either file is corrupted or selected file contains invalid characters.");

void logError(const std::exception& error) {
    Show_NSLog_Message(QString::fromLocal8Bit(error.what()));
}

} // namespace

Import_Excel::Import_Excel(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::Import_Excel>()) {
    ui->setupUi(this);
    serieswindows::Apply_Window_Background(*this);
    m_list = new ColumnChoiceList(*ui->ColList, false, this);
    connect(ui->ok_btn, &QPushButton::clicked, this, &Import_Excel::OKPressed);
    connect(ui->cancel_btn, &QPushButton::clicked, this, &Import_Excel::CancelPressed);
    connect(ui->select_all_btn, &QPushButton::clicked, this, &Import_Excel::Select_ALL_Pressed);
    connect(ui->clear_all_btn, &QPushButton::clicked, this, &Import_Excel::Clear_All_Pressed);
    connect(ui->Sheet_ComboBox, &QComboBox::activated, this, &Import_Excel::sheetChosen);
}

Import_Excel::~Import_Excel() = default;

Import_Excel* Import_Excel::defaultInstance() {
    static QPointer<Import_Excel> instance;
    return appOwnedInstance(instance);
}

int Import_Excel::Open_excel_Wnd(const QString& path) {
    Excel_Sheet_Number = 1;
    ui->file_path->setText(path);
    ui->contains_header->setChecked(true);
    m_list->clear();
    ui->Sheet_ComboBox->clear();
    excel_content.clear();
    Load_file_Func(path);
    m_refused = ui->Sheet_ComboBox->count() == 0;
    if (ui->Sheet_ComboBox->count() == 0) {
        // Nothing could be read: say so instead of an empty dialog.
        Show_MessageBox(SpreadsheetWriter::WorkbookTooLarge() ? SpreadsheetWriter::TooLargeText()
                                                              : kCorruptText);
        return 0;
    }
    const int result = hooks::runModal(*this);
    hide();
    return result;
}

void Import_Excel::Load_file_Func(const QString& path) {
    serieswindows::PleaseWait wait(*this);
    try {
        SpreadsheetWriter::ReadWorkbook(path, 1);
        ColumnChoiceList::Fill_Sheet_Combo(*ui->Sheet_ComboBox);
        if (ui->Sheet_ComboBox->count() > 0) {
            ui->Sheet_ComboBox->setCurrentIndex(0);
            sheetChosen(0);
        }
    } catch (const std::exception& error) {
        logError(error);
    }
}

void Import_Excel::sheetChosen(int index) {
    m_list->Load_Sheet_Columns(ui->Sheet_ComboBox->itemText(index));
}

void Import_Excel::Select_ALL_Pressed() {
    m_list->setAllStates(true);
}

void Import_Excel::Clear_All_Pressed() {
    m_list->setAllStates(false);
}

void Import_Excel::CancelPressed() {
    excel_content.clear();
    done(0);
}

void Import_Excel::OKPressed() {
    if (m_list->rows().isEmpty()) {
        Show_MessageBox(QStringLiteral("There is no column."));
        return;
    }
    if (!m_list->Check_For_One_Extension_Selection()) {
        Show_MessageBox(QStringLiteral("No column is selected."));
        return;
    }
    if (open_mode == QLatin1String("D")) {
        Insert_file_Func(ui->file_path->text());
    } else {
        Create_Excel_List_Func(ui->file_path->text());
    }
    excel_content.clear();
}

void Import_Excel::Create_Excel_List_Func(const QString& /*path*/) {
    serieswindows::PleaseWait wait(*this);
    try {
        excel_content = SpreadsheetWriter::ReadWorkbook(QString(), 0);
        if (!excel_content.isEmpty() && !excel_content.first().isEmpty()) {
            ImportedTable& table = Imported_Table();
            const SheetTable::Row titles = excel_content.first();
            table.Remove_Chosen_Columns();
            QList<int> chosen;
            for (int c = 0; c < titles.size(); ++c) {
                if (m_list->Get_Selection_State(c)) {
                    table.Add_Column(titles[c]);
                    chosen.append(c);
                }
            }
            table.Clear_Rows();
            for (int r = First_Data_Row(ui->contains_header->isChecked()); r < excel_content.size();
                 ++r) {
                const SheetTable::Row row = excel_content[r];
                if (row.isEmpty()) {
                    continue;
                }
                QStringList values;
                for (const int c : chosen) {
                    values.append(Trim_Str(row.value(c)));
                }
                table.Create_List_By_Array(values, int(chosen.size()));
            }
            if (Data_From_Excel_Window) {
                Data_From_Excel_Window->Reload_Table();
            }
        }
        wait.hide();
        if (excel_content.isEmpty()) {
            Show_MessageBox(kCorruptText);
        }
    } catch (const std::exception& error) {
        logError(error);
    }
    // No rows: the table was left as it was.
    m_refused = excel_content.isEmpty();
    done(1);
}

void Import_Excel::Insert_file_Func(const QString& /*path*/) {
    serieswindows::PleaseWait wait(*this);
    try {
        excel_content = SpreadsheetWriter::ReadWorkbook(QString(), 0);
        for (int r = First_Data_Row(ui->contains_header->isChecked()); r < excel_content.size();
             ++r) {
            const SheetTable::Row row = excel_content[r];
            for (int c = 0; c < row.size(); ++c) {
                if (m_list->Get_Selection_State(c) && BatchWizard_Window) {
                    BatchWizard_Window->Create_Value_List(Trim_Str(row[c]));
                }
            }
        }
        wait.hide();
        if (excel_content.isEmpty()) {
            Show_MessageBox(kCorruptText);
        }
    } catch (const std::exception& error) {
        logError(error);
    }
    done(1);
}
