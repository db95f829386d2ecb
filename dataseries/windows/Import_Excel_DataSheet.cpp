#include "dataseries/windows/Import_Excel_DataSheet.h"

#include "core/MessageFunctions.h"
#include "core/SharedGlobals.h"
#include "core/StringFunctions.h"
#include "dataseries/SeriesBindingSource.h"
#include "dataseries/SeriesFiles.h"
#include "dataseries/SeriesListing.h"
#include "dataseries/SeriesSave.h"
#include "dataseries/SpreadsheetWriter.h"
#include "dataseries/windows/BatchWizard.h"
#include "dataseries/windows/ColumnChoiceList.h"
#include "dataseries/windows/SeriesWindowSupport.h"
#include "ui_Import_Excel_DataSheet.h"
#include "widgets/AppOwned.h"
#include "widgets/GuiHooks.h"
#include "widgets/Long_SMS_Dlg.h"

#include <QFileInfo>
#include <exception>

namespace {

const QString kCorruptText =
    QStringLiteral("Either file is corrupted or selected file contains invalid characters.");
const QString kNoDataText =
    QStringLiteral("There is no data in selected sheet.\nPlease select another Sheet/Excel "
                   "File.\nEither file is corrupted or selected file contains invalid characters.");

void logError(const std::exception& error) {
    Show_NSLog_Message(QString::fromLocal8Bit(error.what()));
}

// The long-message dialog as a question or notice with the apply-to-all box.
int askLong(const QString& title, const QString& text, bool showApplyAll) {
    Long_SMS_Dlg* dialog = Long_SMS_Dlg::defaultInstance();
    dialog->title_val = title;
    dialog->msg_val_str = text;
    dialog->apply_chk_show = showApplyAll;
    return dialog->Open_Long_sms_Dialog();
}

} // namespace

Import_Excel_DataSheet::Import_Excel_DataSheet(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::Import_Excel_DataSheet>()) {
    ui->setupUi(this);
    serieswindows::Apply_Window_Background(*this);
    m_list = new ColumnChoiceList(*ui->ColList, true, this);
    connect(ui->ok_btn, &QPushButton::clicked, this, &Import_Excel_DataSheet::OKPressed);
    connect(ui->cancel_btn, &QPushButton::clicked, this, &Import_Excel_DataSheet::CancelPressed);
    connect(ui->select_all_btn, &QPushButton::clicked, this,
            &Import_Excel_DataSheet::Select_ALL_Pressed);
    connect(ui->clear_all_btn, &QPushButton::clicked, this,
            &Import_Excel_DataSheet::Clear_All_Pressed);
    connect(ui->Sheet_ComboBox, &QComboBox::activated, this, &Import_Excel_DataSheet::sheetChosen);
    connect(ui->Each_col_RD, &QRadioButton::clicked, this,
            &Import_Excel_DataSheet::Each_Col_RD_Click);
    connect(ui->Fill_col_RD, &QRadioButton::clicked, this,
            &Import_Excel_DataSheet::Fill_Col_RD_Click);
    connect(ui->fill_new_RD, &QRadioButton::clicked, this, [this] { Fill_Type_CellClick(0); });
    connect(ui->fill_replace_RD, &QRadioButton::clicked, this, [this] { Fill_Type_CellClick(1); });
    connect(ui->fill_add_RD, &QRadioButton::clicked, this, [this] { Fill_Type_CellClick(2); });
}

Import_Excel_DataSheet::~Import_Excel_DataSheet() = default;

Import_Excel_DataSheet* Import_Excel_DataSheet::defaultInstance() {
    static QPointer<Import_Excel_DataSheet> instance;
    return appOwnedInstance(instance);
}

int Import_Excel_DataSheet::Open_excel_Wnd(const QString& path) {
    ui->fill_new_RD->setChecked(true);
    Fill_Type_CellClick(0);
    Each_Col_RD_Click();
    Excel_Sheet_Number = 1;
    ui->file_path->setText(path);
    ui->contains_header->setChecked(true);
    m_list->clear();
    ui->Sheet_ComboBox->clear();
    ui->List_ComboBox->clear();
    ui->list_name->clear();
    excel_content.clear();
    Load_file_Func(path);
    if (ui->Sheet_ComboBox->count() == 0) {
        Show_MessageBox(SpreadsheetWriter::WorkbookTooLarge() ? SpreadsheetWriter::TooLargeText()
                                                              : kCorruptText);
        return 0;
    }
    const int result = hooks::runModal(*this);
    hide();
    return result;
}

void Import_Excel_DataSheet::Load_file_Func(const QString& path) {
    serieswindows::PleaseWait wait(*this);
    try {
        SpreadsheetWriter::ReadWorkbook(path, 1);
        ColumnChoiceList::Fill_Sheet_Combo(*ui->Sheet_ComboBox);
        if (ui->Sheet_ComboBox->count() > 0) {
            ui->Sheet_ComboBox->setCurrentIndex(0);
            sheetChosen(0);
        }
        ui->List_ComboBox->addItems(Get_datasheet_File_Name_Array());
        if (ui->List_ComboBox->count() > 0) {
            ui->List_ComboBox->setCurrentIndex(0);
        }
    } catch (const std::exception& error) {
        logError(error);
    }
}

void Import_Excel_DataSheet::sheetChosen(int index) {
    m_list->Load_Sheet_Columns(ui->Sheet_ComboBox->itemText(index));
}

void Import_Excel_DataSheet::Select_ALL_Pressed() {
    m_list->setAllStates(true);
}

void Import_Excel_DataSheet::Clear_All_Pressed() {
    m_list->setAllStates(false);
}

void Import_Excel_DataSheet::CancelPressed() {
    excel_content.clear();
    done(0);
}

void Import_Excel_DataSheet::Each_Col_RD_Click() {
    ui->Each_col_RD->setChecked(true);
    ui->Fill_col_RD->setChecked(false);
    ui->fill_box->setEnabled(false);
}

void Import_Excel_DataSheet::Fill_Col_RD_Click() {
    ui->Each_col_RD->setChecked(false);
    ui->Fill_col_RD->setChecked(true);
    ui->fill_box->setEnabled(true);
}

void Import_Excel_DataSheet::Fill_Type_CellClick(int option) {
    fill_col_option = option;
    ui->list_name->setVisible(option == 0);
    ui->List_ComboBox->setVisible(option != 0);
    m_list->setHeaderColumnVisible(option == 0);
}

void Import_Excel_DataSheet::OKPressed() {
    if (m_list->rows().isEmpty()) {
        Show_MessageBox(QStringLiteral("There is no column."));
        return;
    }
    if (!m_list->Check_For_One_Extension_Selection()) {
        Show_MessageBox(QStringLiteral("No column is selected."));
        return;
    }
    if (ui->Each_col_RD->isChecked()) {
        Create_file_For_Col_Func();
        return;
    }
    if (fill_col_option != 0 && Trim_Str(ui->List_ComboBox->currentText()).isEmpty()) {
        Show_MessageBox(QStringLiteral("Please select list name."));
        return;
    }
    if (fill_col_option == 0 && Trim_Str(ui->list_name->text()).isEmpty()) {
        Show_MessageBox(QStringLiteral("Please enter list name."));
        return;
    }
    Insert_file_Func();
}

void Import_Excel_DataSheet::Create_file_For_Col_Func() {
    serieswindows::PleaseWait wait(*this);
    // Each import starts with every question asked again. A ticked box on an
    // in-use notice silences later notices only; a ticked box with Yes on the
    // replace question replaces later series without asking.
    Msg_Apply_All_Chk = 0;
    bool inUseSilenced = false;
    bool replaceAll = false;
    try {
        excel_content = SpreadsheetWriter::ReadWorkbook(QString(), 0);
        const int width = excel_content.isEmpty() ? 0 : int(excel_content.first().size());
        const int firstData = First_Data_Row(ui->contains_header->isChecked());
        const SeriesBindingSides card = Current_Card_Series_Bindings();
        for (int c = 0; c < width; ++c) {
            if (!m_list->Get_Selection_State(c)) {
                continue;
            }
            const QString name =
                Remove_Reserve_Char_In_File_Name(Trim_Str(m_list->rows()[c].Header));
            if (!Is_Valid_Series_Name(name)) {
                // A title such as "../x" names no file inside the data folder.
                wait.hide();
                Show_MessageBox(Series_Access_Error_Text);
                wait.show();
                continue;
            }
            if (QFileInfo::exists(Series_File_Path(name))) {
                if (Check_Batch_File_In_Use_Validation(name, card)) {
                    if (!inUseSilenced) {
                        Msg_Apply_All_Chk = 0;
                        wait.hide();
                        askLong(QStringLiteral("Message :"),
                                name + QStringLiteral("\nBatch processing Series name is already "
                                                      "in use with another sequence. Please "
                                                      "change Batch Processing Series Name."),
                                width != 1);
                        inUseSilenced = Msg_Apply_All_Chk != 0;
                        Msg_Apply_All_Chk = 0;
                        wait.show();
                    }
                    continue;
                }
                if (!replaceAll) {
                    Msg_Apply_All_Chk = 0;
                    wait.hide();
                    const int answer = askLong(
                        QStringLiteral("Batch Processing Series already exists :"),
                        name + QStringLiteral("\nBatch Processing Series already exists. Do you "
                                              "want to replace it?"),
                        width != 1);
                    replaceAll = answer == 1 && Msg_Apply_All_Chk != 0;
                    wait.show();
                    if (answer != 1) {
                        continue;
                    }
                }
            }
            QStringList values;
            for (int r = firstData; r < excel_content.size(); ++r) {
                values.append(Trim_Str(excel_content[r].value(c)));
            }
            // The old series stays whole unless the new one is written in full.
            if (!Write_Series_File(name, values)) {
                wait.hide();
                Show_MessageBox(Series_Access_Error_Text + QLatin1Char('\n') +
                                Series_File_Path(name));
                wait.show();
            }
        }
        if (file_name_Insert == 1 && BatchWizard_Window) {
            BatchWizard_Window->Fill_List();
        }
        wait.hide();
        if (excel_content.isEmpty()) {
            Show_MessageBox(kNoDataText);
        }
    } catch (const std::exception& error) {
        logError(error);
    }
    done(1);
}

int Import_Excel_DataSheet::Insert_file_Func() {
    serieswindows::PleaseWait wait(*this);
    try {
        const QString typed =
            fill_col_option != 0 ? ui->List_ComboBox->currentText() : ui->list_name->text();
        const QString name = Remove_Reserve_Char_In_File_Name(typed);
        if (!Is_Valid_Series_Name(name)) {
            wait.hide();
            Show_MessageBox(Series_Access_Error_Text);
            return 0;
        }
        if (fill_col_option == 0 && QFileInfo::exists(Series_File_Path(name))) {
            wait.hide();
            if (Show_YES_NO_MessageBox(Series_Exists_Question_Text) != 1) {
                return 0;
            }
            wait.show();
        }
        excel_content = SpreadsheetWriter::ReadWorkbook(QString(), 0);
        QStringList values;
        for (int r = First_Data_Row(ui->contains_header->isChecked()); r < excel_content.size();
             ++r) {
            const SheetTable::Row row = excel_content[r];
            for (int c = 0; c < row.size(); ++c) {
                if (m_list->Get_Selection_State(c)) {
                    values.append(Trim_Str(row[c]));
                }
            }
        }
        // The old series stays whole until the new content is written.
        if (!Write_Series_File(name, values, fill_col_option == 2)) {
            wait.hide();
            Show_MessageBox(Series_Access_Error_Text);
            return 0;
        }
        if (file_name_Insert == 1 && BatchWizard_Window) {
            BatchWizard_Window->Fill_List();
        }
        wait.hide();
        if (excel_content.isEmpty()) {
            Show_MessageBox(kCorruptText);
        }
    } catch (const std::exception& error) {
        logError(error);
    }
    done(1);
    return 0;
}
