#include "dataseries/windows/Import_Wizard.h"

#include "core/FileFunctions.h"
#include "core/MessageFunctions.h"
#include "core/StringFunctions.h"
#include "core/globals.h"
#include "dataseries/ExcelTempFolder.h"
#include "dataseries/FilePathCheck.h"
#include "dataseries/SeriesSave.h"
#include "dataseries/TextImport.h"
#include "dataseries/windows/BatchWizard.h"
#include "dataseries/windows/Import_Excel.h"
#include "dataseries/windows/Import_Excel_DataSheet.h"
#include "dataseries/windows/SeriesWindowSupport.h"
#include "platform/Hooks.h"
#include "ui_Import_Wizard.h"
#include "widgets/AppOwned.h"
#include "widgets/ControlFunctions.h"
#include "widgets/DialogOwner.h"
#include "widgets/GuiHooks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace {

const QString kCorruptText =
    QStringLiteral("Either file is corrupted or selected file contains invalid characters.");
// Text files larger than this are not read whole.
constexpr qint64 kMaxTextBytes = 256 * 1024 * 1024;

} // namespace

Import_Wizard::Import_Wizard(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::Import_Wizard>()) {
    ui->setupUi(this);
    serieswindows::Apply_Window_Background(*this);
    connect(ui->Excel_RD, &QRadioButton::clicked, this, &Import_Wizard::Excel_RD_Pressed);
    connect(ui->Text_RD, &QRadioButton::clicked, this, &Import_Wizard::Text_RD_Pressed);
    connect(ui->Mnul_RD, &QRadioButton::clicked, this, &Import_Wizard::Manual_RD_Pressed);
    connect(ui->Image_RD, &QRadioButton::clicked, this, &Import_Wizard::Image_RD_Pressed);
    connect(ui->Excel_btn, &QPushButton::clicked, this, &Import_Wizard::Browse_Excel_Pressed);
    connect(ui->Text_btn, &QPushButton::clicked, this, &Import_Wizard::Browse_Text_Pressed);
    connect(ui->Image_btn, &QPushButton::clicked, this, &Import_Wizard::Browse_Image_Pressed);
    connect(ui->ok_btn, &QPushButton::clicked, this, &Import_Wizard::OKPressed);
    connect(ui->cancel_btn, &QPushButton::clicked, this, &Import_Wizard::CancelPressed);
    connect(ui->help_btn, &QPushButton::clicked, this, &Import_Wizard::HelpPressed);
}

Import_Wizard::~Import_Wizard() = default;

Import_Wizard* Import_Wizard::defaultInstance() {
    static QPointer<Import_Wizard> instance;
    return appOwnedInstance(instance);
}

int Import_Wizard::Open_Wnd() {
    Check_Path_And_Create_Files();
    for (QLineEdit* field : {ui->Excel_path, ui->Text_path, ui->Image_path, ui->Text_file_name,
                             ui->Manual_file_name, ui->Image_file_name}) {
        field->clear();
    }
    ui->ManualEdit->clear();
    chooseSource(0);
    const bool named = file_name_required == 1;
    for (QWidget* w : std::initializer_list<QWidget*>{
             (ui->Text_file_name), ui->Manual_file_name, ui->Image_file_name, ui->text_name_label,
             ui->manual_name_label, ui->image_name_label}) {
        w->setVisible(named);
    }
    const int result = hooks::runModal(*this);
    hide();
    return result;
}

void Import_Wizard::chooseSource(int option) {
    import_option = option;
    ui->Excel_RD->setChecked(option == 0);
    ui->Text_RD->setChecked(option == 1);
    ui->Mnul_RD->setChecked(option == 2);
    ui->Image_RD->setChecked(option == 3);
    ui->Excel_btn->setEnabled(option == 0);
    ui->Excel_path->setEnabled(option == 0);
    ui->Text_btn->setEnabled(option == 1);
    ui->Text_path->setEnabled(option == 1);
    ui->ManualEdit->setReadOnly(option != 2);
    ui->ManualEdit->setEnabled(option == 2);
    ui->Image_btn->setEnabled(option == 3);
    ui->Image_path->setEnabled(option == 3);
    QLineEdit* names[] = {nullptr, ui->Text_file_name, ui->Manual_file_name, ui->Image_file_name};
    for (int i = 1; i < 4; ++i) {
        names[i]->setEnabled(i == option);
        if (i == option && Trim_Str(names[i]->text()).isEmpty()) {
            names[i]->setText(QStringLiteral("Untitled"));
        }
    }
}

void Import_Wizard::Browse_Excel_Pressed() {
    Remove_Excel_Temp_Folder();
    hooks::OpenPanelRequest request;
    request.allowedTypes = {QStringLiteral("xlsx"), QStringLiteral("XLSX")};
    request.kind = hooks::FileKind::Workbook;
    request.parent = this;
    const QStringList chosen = hooks::runOpenPanel(request);
    if (!chosen.isEmpty()) {
        ui->Excel_path->setText(chosen.first());
        OKPressed();
    }
}

void Import_Wizard::Browse_Text_Pressed() {
    hooks::OpenPanelRequest request;
    request.allowedTypes = {QStringLiteral("txt"), QStringLiteral("TXT"), QStringLiteral("rtf"),
                            QStringLiteral("csv"), QStringLiteral("CSV")};
    request.kind = hooks::FileKind::Workbook;
    request.parent = this;
    const QStringList chosen = hooks::runOpenPanel(request);
    if (!chosen.isEmpty()) {
        ui->Text_path->setText(chosen.first());
        OKPressed();
    }
}

void Import_Wizard::Browse_Image_Pressed() {
    hooks::OpenPanelRequest request;
    request.chooseFolders = true;
    request.kind = hooks::FileKind::Picture;
    request.parent = this;
    const QStringList chosen = hooks::runOpenPanel(request);
    if (!chosen.isEmpty()) {
        ui->Image_path->setText(chosen.first());
        OKPressed();
    }
}

void Import_Wizard::HelpPressed() {
    Open_Help_File();
}

void Import_Wizard::OKPressed() {
    switch (import_option) {
    case 0: {
        const QString path = Trim_Str(ui->Excel_path->text());
        if (!Check_And_Validate_File_Path(path)) {
            return;
        }
        if (file_name_required == 1) {
            Import_Excel_DataSheet* dialog = Import_Excel_DataSheet::defaultInstance();
            dialogs::ownBy(*dialog, this);
            dialog->file_name_Insert = file_name_Insert;
            dialog->Open_excel_Wnd(path);
        } else {
            Import_Excel* dialog = Import_Excel::defaultInstance();
            dialogs::ownBy(*dialog, this);
            dialog->open_mode = QStringLiteral("D");
            dialog->Open_excel_Wnd(path);
        }
        done(1);
        return;
    }
    case 1:
        if (Check_And_Validate_File_Path(ui->Text_path->text()) &&
            Create_And_Save_Text_Data_Sheet(Trim_Str(ui->Text_path->text()))) {
            done(1);
        }
        return;
    case 2:
        if (Create_And_Save_Manual_Paste_data_Sheet()) {
            done(1);
        }
        return;
    case 3:
        if (Check_And_Validate_File_Path(ui->Image_path->text()) &&
            Create_And_Save_Image_data_Sheet(Trim_Str(ui->Image_path->text()))) {
            done(1);
        }
        return;
    default:
        return;
    }
}

bool Import_Wizard::storeValues(const QString& typedName, const QStringList& values,
                                bool keepEmpty) {
    if (file_name_required == 1) {
        QStringList kept;
        for (const QString& value : values) {
            if (keepEmpty || !value.isEmpty()) {
                kept.append(value);
            }
        }
        // Replaced only after the question, and only once complete.
        if (Save_New_Series(typedName, kept, serieswindows::Sheet_While_Writing(*this)) !=
            SeriesSaveResult::Saved) {
            return false;
        }
    } else if (BatchWizard_Window) {
        for (const QString& value : values) {
            BatchWizard_Window->Create_Value_List(value);
        }
    }
    if (file_name_Insert == 1 && BatchWizard_Window) {
        BatchWizard_Window->Fill_List();
    }
    return true;
}

bool Import_Wizard::Create_And_Save_Text_Data_Sheet(const QString& path) {
    serieswindows::PleaseWait wait(*this);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxTextBytes) {
        wait.hide();
        Show_MessageBox(QStringLiteral("Please select a valid file."));
        return false;
    }
    const QByteArray bytes = file.readAll();
    const QString extension = QFileInfo(path).suffix();
    const QString content = Text_File_Content(extension, bytes);
    if (content.isEmpty()) {
        wait.hide();
        Show_MessageBox(kCorruptText);
        return false;
    }
    const QStringList values = Text_File_Values(extension, content);
    wait.hide();
    return storeValues(ui->Text_file_name->text(), values, false);
}

bool Import_Wizard::Create_And_Save_Manual_Paste_data_Sheet() {
    const QString text = Trim_Str(ui->ManualEdit->toPlainText());
    if (text.isEmpty()) {
        Show_MessageBox(QStringLiteral("Please enter some data."));
        return false;
    }
    return storeValues(ui->Manual_file_name->text(), text.split(QLatin1Char('\n')), false);
}

bool Import_Wizard::Create_And_Save_Image_data_Sheet(const QString& folder) {
    serieswindows::PleaseWait wait(*this);
    const QStringList values = Picture_Folder_Values(folder);
    wait.hide();
    return storeValues(ui->Image_file_name->text(), values, false);
}
