#include "dataseries/windows/BatchWizard.h"

#include "platform/PendingFile.h"

#include "core/FileFunctions.h"
#include "core/MessageFunctions.h"
#include "core/StringFunctions.h"
#include "core/globals.h"
#include "dataseries/SeriesBindingSource.h"
#include "dataseries/SeriesFiles.h"
#include "dataseries/SeriesListing.h"
#include "dataseries/SeriesSave.h"
#include "dataseries/SpreadsheetWriter.h"
#include "dataseries/windows/Generate_List.h"
#include "dataseries/windows/Import_Wizard.h"
#include "dataseries/windows/SeriesWindowSupport.h"
#include "dataseries/windows/SmallSeriesDialogs.h"
#include "platform/Hooks.h"
#include "ui_BatchWizard.h"
#include "widgets/AppOwned.h"
#include "widgets/ControlFunctions.h"
#include "widgets/GuiHooks.h"

#include "core/SharedGlobals.h"
#include "widgets/DialogOwner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QUrl>
#include <exception>
#include <set>

namespace {

const QString kListEmpty = QStringLiteral("List is empty.");

std::vector<int> selectedRows(const QTableWidget& table) {
    std::set<int> rows;
    for (const QModelIndex& index : table.selectionModel()->selectedRows()) {
        rows.insert(index.row());
    }
    return {rows.begin(), rows.end()};
}

} // namespace

QString Export_Path_For_Type(const QString& chosen, const QString& type) {
    const QFileInfo info(chosen);
    const QString suffix = info.suffix().toLower();
    const bool known = suffix == QLatin1String("xlsx") || suffix == QLatin1String("txt");
    QString extension = type.toLower();
    if (extension != QLatin1String("xlsx") && extension != QLatin1String("txt")) {
        // A panel that does not report its filter: the typed extension decides.
        extension = suffix == QLatin1String("txt") ? QStringLiteral("txt") : QStringLiteral("xlsx");
    }
    return QDir(info.path())
        .filePath((known ? info.completeBaseName() : info.fileName()) + QLatin1Char('.') +
                  extension);
}

BatchWizard::BatchWizard(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::BatchWizard>()) {
    ui->setupUi(this);
    serieswindows::Apply_Window_Background(*this);
    serieswindows::Setup_Table(*ui->List, {QStringLiteral("Series")});
    serieswindows::Setup_Table(*ui->List_value, {QStringLiteral("Value")});
    ui->List->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ui->List_value->setSelectionMode(QAbstractItemView::ExtendedSelection);
    connect(ui->Import_Btn, &QPushButton::clicked, this, &BatchWizard::Import_Btn_Clicked);
    connect(ui->CreateSeries_Btn, &QPushButton::clicked, this,
            &BatchWizard::CreateSeries_Btn_Clicked);
    connect(ui->AddNew_Btn, &QPushButton::clicked, this, &BatchWizard::AddNew_Btn_Clicked);
    connect(ui->Update_Btn, &QPushButton::clicked, this, &BatchWizard::Update_Btn_Clicked);
    connect(ui->Delete_List_Btn, &QPushButton::clicked, this,
            &BatchWizard::Delete_List_Btn_Clicked);
    connect(ui->Close_Btn, &QPushButton::clicked, this, &BatchWizard::Close_Btn_Clicked);
    connect(ui->Help_Btn, &QPushButton::clicked, this, &BatchWizard::Help_Btn_Clicked);
    connect(ui->Import_Value_Btn, &QPushButton::clicked, this,
            &BatchWizard::Import_Value_Btn_Clicked);
    connect(ui->Series_Value_Btn, &QPushButton::clicked, this,
            &BatchWizard::Series_Value_Btn_Clicked);
    connect(ui->Delete_Rows_Btn, &QPushButton::clicked, this,
            &BatchWizard::Delete_Rows_Btn_Clicked);
    connect(ui->Save_Btn, &QPushButton::clicked, this, &BatchWizard::Save_Btn_Clicked);
    connect(ui->Export_Value_Btn, &QPushButton::clicked, this,
            &BatchWizard::Export_Value_Btn_Clicked);
    connect(ui->Back_Btn, &QPushButton::clicked, this, &BatchWizard::Back_Btn_Clicked);
    connect(ui->Close_2_Btn, &QPushButton::clicked, this, &BatchWizard::Close_Btn_Clicked);
    connect(ui->Help_2_Btn, &QPushButton::clicked, this, &BatchWizard::Help_Btn_Clicked);
    connect(ui->List, &QTableWidget::cellDoubleClicked, this,
            [this] { doubleClickInTable(*ui->List); });
    connect(ui->List_value, &QTableWidget::cellDoubleClicked, this,
            [this] { doubleClickInTable(*ui->List_value); });
    BatchWizard_Window = this;
    Show_hide_first_screen(false);
    Show_hide_Last_screen(true);
}

BatchWizard::~BatchWizard() {
    if (BatchWizard_Window == this) {
        BatchWizard_Window = nullptr;
    }
}

BatchWizard* BatchWizard::defaultInstance() {
    static QPointer<BatchWizard> instance;
    return appOwnedInstance(instance);
}

QStringList BatchWizard::seriesNames() const {
    return ListData;
}
QStringList BatchWizard::values() const {
    return ListData_value;
}
QTableWidget* BatchWizard::List() const {
    return ui->List;
}
QTableWidget* BatchWizard::List_value() const {
    return ui->List_value;
}
bool BatchWizard::firstScreenShown() const {
    return !ui->avl_list_box->isHidden();
}

void BatchWizard::Open_Wnd() {
    Check_Path_And_Create_Files();
    Show_hide_first_screen(false);
    Show_hide_Last_screen(true);
    Fill_List();
    hooks::runModal(*this);
    hide();
}

void BatchWizard::Show_hide_first_screen(bool hide) {
    ui->avl_list_box->setHidden(hide);
    ui->btn_box1->setHidden(hide);
    if (!hide) {
        ui->update_list_name->clear();
    }
}

void BatchWizard::Show_hide_Last_screen(bool hide) {
    ui->list_value_box->setHidden(hide);
    ui->btn_box2->setHidden(hide);
}

void BatchWizard::Update_batch_List_Count() {
    serieswindows::Fill_Single_Column(*ui->List, ListData);
    ui->batch_list_count->setText(QStringLiteral("Total List : %1").arg(ListData.size()));
}

void BatchWizard::Update_Value_List_Count() {
    serieswindows::Fill_Single_Column(*ui->List_value, ListData_value);
    ui->batch_value_count->setText(QStringLiteral("Total Rows : %1").arg(ListData_value.size()));
}

void BatchWizard::Fill_List() {
    try {
        ListData.clear();
        for (const QString& name : Get_datasheet_File_Name_Array()) {
            const QString trimmed = Trim_Str(name);
            if (!trimmed.isEmpty()) {
                ListData.append(trimmed);
            }
        }
        Update_batch_List_Count();
    } catch (const std::exception& error) {
        Show_NSLog_Message(QString::fromLocal8Bit(error.what()));
    }
}

void BatchWizard::Create_Value_List(const QString& value) {
    const QString trimmed = Trim_Str(value);
    if (trimmed.isEmpty()) {
        return;
    }
    ListData_value.append(trimmed);
    // One row more: append it instead of rebuilding the whole table.
    const int row = ui->List_value->rowCount();
    ui->List_value->setRowCount(row + 1);
    auto* item = new QTableWidgetItem(trimmed);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    ui->List_value->setItem(row, 0, item);
    ui->batch_value_count->setText(QStringLiteral("Total Rows : %1").arg(ListData_value.size()));
}

void BatchWizard::Replace_Value(int row, const QString& value) {
    if (row < 0 || row >= ListData_value.size()) {
        return;
    }
    ListData_value[row] = value;
    Update_Value_List_Count();
}

bool BatchWizard::Batch_List_Selection_Validation() {
    if (ListData.isEmpty()) {
        Show_MessageBox(QStringLiteral("Available list is empty."));
        return false;
    }
    const int row = ui->List->currentRow();
    if (selectedRows(*ui->List).empty() || row < 0 || row >= ListData.size() ||
        Trim_Str(ListData[row]).isEmpty()) {
        Show_MessageBox(
            QStringLiteral("Please select a record from the available list to continue."));
        ui->List->setFocus();
        return false;
    }
    return true;
}

void BatchWizard::doubleClickInTable(QTableWidget& table) {
    const auto rows = selectedRows(table);
    if (rows.empty()) {
        return;
    }
    if (rows.size() > 1) {
        Show_MessageBox(QStringLiteral("Please select only one record to update."));
        return;
    }
    if (&table == ui->List) {
        On_Update();
    } else {
        OnGetSelected();
    }
}

void BatchWizard::On_Update() {
    if (!Batch_List_Selection_Validation()) {
        return;
    }
    const QString name = Trim_Str(ListData[ui->List->currentRow()]);
    if (!Probe_Series_Access(name)) {
        return;
    }
    Show_hide_first_screen(true);
    Show_hide_Last_screen(false);
    ui->batch_list_name->setText(name);
    ui->update_list_name->setText(name);
    ListData_value.clear();
    serieswindows::PleaseWait wait(*this);
    for (const QString& piece :
         Read_Series_Text(name).value_or(QString()).split(QLatin1Char('\n'))) {
        const QString trimmed = Trim_Str(piece);
        if (!trimmed.isEmpty()) {
            ListData_value.append(trimmed);
        }
    }
    Update_Value_List_Count();
}

void BatchWizard::AddNew_Btn_Clicked() {
    Show_hide_first_screen(true);
    Show_hide_Last_screen(false);
    ui->batch_list_name->setText(QStringLiteral("Untitled"));
    ui->update_list_name->clear();
    ListData_value.clear();
    Update_Value_List_Count();
}

void BatchWizard::Back_Btn_Clicked() {
    Show_hide_Last_screen(true);
    Show_hide_first_screen(false);
}

void BatchWizard::Help_Btn_Clicked() {
    Open_Help_File();
}

void BatchWizard::Import_Btn_Clicked() {
    Import_Wizard* wizard = Import_Wizard::defaultInstance();
    dialogs::ownBy(*wizard, this);
    wizard->file_name_required = 1;
    wizard->file_name_Insert = 1;
    wizard->Open_Wnd();
}

void BatchWizard::CreateSeries_Btn_Clicked() {
    Generate_List* generator = Generate_List::defaultInstance();
    dialogs::ownBy(*generator, this);
    generator->file_name_required = 1;
    generator->file_name_Insert = 1;
    generator->Open_Wnd();
}

bool BatchWizard::Prepare_Value_Import() {
    if (ListData_value.isEmpty()) {
        return true;
    }
    dialogs::ownBy(*Load_Num_Info::defaultInstance(), this);
    const int answer = hooks::runModal(*Load_Num_Info::defaultInstance());
    Load_Num_Info::defaultInstance()->hide();
    if (answer == 1) {
        ListData_value.clear();
        Update_Value_List_Count();
        return true;
    }
    return answer == 0;
}

void BatchWizard::Import_Value_Btn_Clicked() {
    if (!Prepare_Value_Import()) {
        return;
    }
    Import_Wizard* wizard = Import_Wizard::defaultInstance();
    dialogs::ownBy(*wizard, this);
    wizard->file_name_required = 0;
    wizard->file_name_Insert = 1;
    wizard->Open_Wnd();
}

void BatchWizard::Series_Value_Btn_Clicked() {
    if (!Prepare_Value_Import()) {
        return;
    }
    Generate_List* generator = Generate_List::defaultInstance();
    dialogs::ownBy(*generator, this);
    generator->file_name_required = 0;
    generator->file_name_Insert = 1;
    generator->Open_Wnd();
}

void BatchWizard::Delete_List_Btn_Clicked() {
    if (!Batch_List_Selection_Validation()) {
        return;
    }
    const SeriesBindingSides card = Current_Card_Series_Bindings();
    if (Check_Batch_File_In_Use_Validation(ListData[ui->List->currentRow()], card)) {
        Show_MessageBox(Series_In_Use_Delete_Text);
        return;
    }
    if (Show_YES_NO_MessageBox(
            QStringLiteral("Are you sure want to delete selected Batch Processing Series?")) != 1) {
        return;
    }
    // Every delete starts with the refusals shown again.
    Msg_Apply_All_Chk = 0;
    bool skipped = false;
    const auto rows = selectedRows(*ui->List);
    for (const int row : rows) {
        const QString name = ListData[row];
        if (Check_Batch_File_In_Use_Validation(name, card)) {
            skipped = true;
            if (!Msg_Apply_All_Chk) {
                Show_MessageBox(Series_In_Use_Delete_Text);
                break;
            }
            continue;
        }
        Delete_File(Series_File_Path(name));
    }
    if (skipped) {
        // Some series are gone: show what is left.
        Fill_List();
        return;
    }
    const int current = ui->List->currentRow();
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        ListData.removeAt(*it);
    }
    Update_batch_List_Count();
    if (current - 1 >= 0 && current - 1 < ListData.size()) {
        ui->List->selectRow(current - 1);
    }
}

void BatchWizard::Delete_Rows_Btn_Clicked() {
    if (ListData_value.isEmpty()) {
        Show_MessageBox(kListEmpty);
        return;
    }
    const auto rows = selectedRows(*ui->List_value);
    if (rows.empty()) {
        Show_MessageBox(
            QStringLiteral("Please select at least one record from the list to continue."));
        ui->List_value->setFocus();
        return;
    }
    const int current = ui->List_value->currentRow();
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        ListData_value.removeAt(*it);
    }
    Update_Value_List_Count();
    if (current - 1 >= 0 && current - 1 < ListData_value.size()) {
        ui->List_value->selectRow(current - 1);
    }
}

void BatchWizard::OnGetSelected() {
    if (ListData_value.isEmpty()) {
        return;
    }
    const int row = ui->List_value->currentRow();
    if (row < 0 || row >= ListData_value.size()) {
        return;
    }
    Update_Ex_Num* editor = Update_Ex_Num::defaultInstance();
    dialogs::ownBy(*editor, this);
    const QString value = Trim_Str(ListData_value[row]);
    editor->m_ex_num_str()->setText(value);
    editor->m_s_number()->setText(value);
    editor->m_ex_num_index()->setText(QString::number(row));
    hooks::runModal(*editor);
    editor->hide();
}

void BatchWizard::Save_Btn_Clicked() {
    if (ListData_value.isEmpty()) {
        Show_MessageBox(kListEmpty);
        ui->List_value->setFocus();
        return;
    }
    const SeriesSaveResult result = Save_Series_Under_Name(
        ui->batch_list_name->text(), ui->update_list_name->text(), ListData_value,
        Current_Card_Series_Bindings(), serieswindows::Sheet_While_Writing(*this));
    if (result == SeriesSaveResult::Saved) {
        raise();
        Show_hide_Last_screen(true);
        Show_hide_first_screen(false);
        Fill_List();
    }
}

bool BatchWizard::Export_Values(const QString& path, bool xlsx) {
    try {
        if (xlsx) {
            SpreadsheetWriter::Rows rows{{QStringLiteral("Batch Value")}};
            for (const QString& value : ListData_value) {
                rows.append({value});
            }
            return SpreadsheetWriter::WriteWorkbook(path, rows, false);
        }
        // The old file stays until the new one is complete.
        QByteArray bytes;
        for (const QString& value : ListData_value) {
            bytes += value.toUtf8();
            bytes += '\n';
        }
        return Write_File_Whole(path, bytes);
    } catch (const std::exception& error) {
        Show_NSLog_Message(QString::fromLocal8Bit(error.what()));
        return false;
    }
}

void BatchWizard::Export_Value_Btn_Clicked() {
    if (ListData_value.isEmpty()) {
        Show_MessageBox(kListEmpty);
        ui->List_value->setFocus();
        return;
    }
    hooks::SavePanelRequest request;
    request.fileName = Trim_Str(ui->batch_list_name->text());
    request.allowedTypes = {QStringLiteral("xlsx"), QStringLiteral("txt")};
    // The extension may still change below; the question covers the final path.
    request.confirmOverwrite = false;
    request.kind = hooks::FileKind::Workbook;
    request.parent = this;
    const hooks::SavePanelAnswer chosen = hooks::runSavePanelWithType(request);
    if (chosen.path.isEmpty()) {
        return;
    }
    raise();
    const QString path = Export_Path_For_Type(chosen.path, chosen.chosenType);
    const bool xlsx = QFileInfo(path).suffix() == QLatin1String("xlsx");
    if (QFileInfo::exists(path) &&
        Show_YES_NO_MessageBox(
            QStringLiteral("\u201c%1\u201d already exists. Do you want to replace it?")
                .arg(QFileInfo(path).fileName())) != 1) {
        return;
    }
    serieswindows::PleaseWait wait(*this);
    const bool written = Export_Values(path, xlsx);
    wait.hide();
    if (!written) {
        Show_MessageBox(Series_Access_Error_Text);
        return;
    }
    raise();
    Export_File_Message = QStringLiteral("Record has been exported successfully.");
    Export_File_Path = path;
    Open_Export_File_Box();
}
