#include "dataseries/windows/SmallSeriesDialogs.h"

#include "core/MessageFunctions.h"
#include "core/StringFunctions.h"
#include "core/globals.h"
#include "dataseries/windows/BatchWizard.h"
#include "dataseries/windows/SeriesWindowSupport.h"
#include "platform/Hooks.h"
#include "ui_Load_Num_Info.h"
#include "ui_Open_Export_Log.h"
#include "ui_Update_Ex_Num.h"
#include "widgets/AppOwned.h"
#include "widgets/DialogOwner.h"
#include "widgets/GuiHooks.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

// ---- Update_Ex_Num ----

Update_Ex_Num::Update_Ex_Num(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::Update_Ex_Num>()) {
    ui->setupUi(this);
    serieswindows::Apply_Window_Background(*this);
    connect(ui->ok_btn, &QPushButton::clicked, this, &Update_Ex_Num::OKPressed);
    connect(ui->cancel_btn, &QPushButton::clicked, this, &Update_Ex_Num::CancelPressed);
}

Update_Ex_Num::~Update_Ex_Num() = default;

Update_Ex_Num* Update_Ex_Num::defaultInstance() {
    static QPointer<Update_Ex_Num> instance;
    return appOwnedInstance(instance);
}

QLineEdit* Update_Ex_Num::m_ex_num_str() const {
    return ui->m_ex_num_str;
}
QLineEdit* Update_Ex_Num::m_s_number() const {
    return ui->m_s_number;
}
QLineEdit* Update_Ex_Num::m_ex_num_index() const {
    return ui->m_ex_num_index;
}

void Update_Ex_Num::clearFields() {
    ui->m_ex_num_str->clear();
    ui->m_s_number->clear();
    ui->m_ex_num_index->clear();
}

void Update_Ex_Num::OKPressed() {
    if (ui->m_ex_num_str->text() == ui->m_s_number->text()) {
        done(1);
        return;
    }
    const QString value = Trim_Str(ui->m_ex_num_str->text());
    if (value.isEmpty()) {
        Show_MessageBox(QStringLiteral("Please enter a valid value."));
        ui->m_ex_num_str->setFocus();
        return;
    }
    if (BatchWizard_Window) {
        BatchWizard_Window->Replace_Value(ui->m_ex_num_index->text().toInt(), value);
    }
    clearFields();
    done(1);
}

void Update_Ex_Num::CancelPressed() {
    clearFields();
    done(0);
}

// ---- Load_Num_Info ----

Load_Num_Info::Load_Num_Info(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::Load_Num_Info>()) {
    ui->setupUi(this);
    serieswindows::Apply_Window_Background(*this);
    connect(ui->yes_btn, &QPushButton::clicked, this, &Load_Num_Info::YESPressed);
    connect(ui->no_btn, &QPushButton::clicked, this, &Load_Num_Info::NOPressed);
    connect(ui->cancel_btn, &QPushButton::clicked, this, &Load_Num_Info::CancelPressed);
}

Load_Num_Info::~Load_Num_Info() = default;

Load_Num_Info* Load_Num_Info::defaultInstance() {
    static QPointer<Load_Num_Info> instance;
    return appOwnedInstance(instance);
}

void Load_Num_Info::CancelPressed() {
    hide();
    done(CancelAnswer);
}

// ---- Open_Export_Log ----

Open_Export_Log::Open_Export_Log(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::Open_Export_Log>()) {
    ui->setupUi(this);
    serieswindows::Apply_Window_Background(*this);
    connect(ui->ok_btn, &QPushButton::clicked, this, &Open_Export_Log::OKPressed);
    connect(ui->cancel_btn, &QPushButton::clicked, this, &Open_Export_Log::CancelPressed);
}

Open_Export_Log::~Open_Export_Log() = default;

Open_Export_Log* Open_Export_Log::defaultInstance() {
    static QPointer<Open_Export_Log> instance;
    return appOwnedInstance(instance);
}

QCheckBox* Open_Export_Log::_open_log_chk() const {
    return ui->_open_log_chk;
}

int Open_Export_Log::Open_Export_File_Box() {
    ui->_open_log_chk->setText(QFileInfo(Export_File_Path).isDir()
                                   ? QStringLiteral("Open containing folder.")
                                   : QStringLiteral("Open exported file."));
    ui->_open_log_path->setText(Export_File_Path);
    ui->_open_log_message->setText(Export_File_Message);
    const int result = hooks::runModal(*this);
    hide();
    return result;
}

void Open_Export_Log::OKPressed() {
    // Without a program for the file the user is told where it is, so it
    // can be opened by hand.
    if (ui->_open_log_chk->isChecked() && !hooks::openUrl(QUrl::fromLocalFile(Export_File_Path))) {
        Show_MessageBox(QStringLiteral("No program could be started to open it.\n\nIt is here:\n%1")
                            .arg(QDir::toNativeSeparators(Export_File_Path)));
    }
    ui->_open_log_chk->setChecked(true);
    done(1);
}

void Open_Export_Log::CancelPressed() {
    ui->_open_log_chk->setChecked(true);
    done(0);
}

void Open_Export_File_Box() {
    if (Open_Export_Log* prompt = Open_Export_Log::defaultInstance()) {
        dialogs::ownBy(*prompt, nullptr);
        prompt->Open_Export_File_Box();
    }
}
