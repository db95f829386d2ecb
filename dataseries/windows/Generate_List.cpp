#include "dataseries/windows/Generate_List.h"

#include "core/MessageFunctions.h"
#include "core/SharedGlobals.h"
#include "core/StringFunctions.h"
#include "dataseries/NumberGenerator.h"
#include "dataseries/SeriesSave.h"
#include "dataseries/windows/BatchWizard.h"
#include "dataseries/windows/SeriesWindowSupport.h"
#include "platform/Hooks.h"
#include "ui_Generate_List.h"
#include "widgets/AppOwned.h"
#include "widgets/GuiHooks.h"

#include <QRegularExpressionValidator>
#include <optional>

namespace {

// The whole number typed in the field, when it is one within [low, high].
std::optional<int> strictNumber(const QLineEdit& field, int low, int high) {
    bool ok = false;
    const int value = field.text().trimmed().toInt(&ok);
    if (!ok || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

constexpr int kMaxCount = 10000;
constexpr int kMaxRange = 10000;

} // namespace

Generate_List::Generate_List(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::Generate_List>()) {
    ui->setupUi(this);
    serieswindows::Apply_Window_Background(*this);
    ui->count_stepper->setMinimum(1);
    ui->count_stepper->setMaximum(10000);
    ui->count_stepper->setPairedField(ui->count_txt);
    ui->rand_count_stepper->setMinimum(1);
    ui->rand_count_stepper->setMaximum(10000);
    ui->rand_count_stepper->setPairedField(ui->rand_count_txt);
    ui->rand_length_stepper->setMinimum(1);
    ui->rand_length_stepper->setMaximum(9);
    ui->rand_length_stepper->setPairedField(ui->rand_length_txt);
    connect(ui->ok_btn, &QPushButton::clicked, this, &Generate_List::OKPressed);
    connect(ui->cancel_btn, &QPushButton::clicked, this, &Generate_List::CancelPressed);
    connect(ui->help_btn, &QPushButton::clicked, this, &Generate_List::Help_btn_Pressed);
    connect(ui->radioButton_Sequntial, &QRadioButton::clicked, this,
            &Generate_List::Sequintial_Radio_Pressed);
    connect(ui->radioButton_Constant, &QRadioButton::clicked, this,
            &Generate_List::Constant_Radio_Pressed);
    connect(ui->radioButton_Random, &QRadioButton::clicked, this,
            &Generate_List::Random_Radio_Pressed);
    // The numeric fields take digits only, so what is typed is what OK reads.
    const QRegularExpression digits(QStringLiteral("[0-9]{0,5}"));
    for (QLineEdit* field : {ui->count_txt, ui->rand_count_txt, ui->from_txt, ui->to_txt}) {
        field->setValidator(new QRegularExpressionValidator(digits, field));
    }
    ui->rand_length_txt->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]?")), ui->rand_length_txt));
    for (QLineEdit* field :
         {ui->count_txt, ui->rand_count_txt, ui->rand_length_txt, ui->from_txt, ui->to_txt}) {
        connect(field, &QLineEdit::textEdited, this,
                [this, field] { controlTextDidChange(*field); });
    }
    Gen_List_Window = this;
}

Generate_List::~Generate_List() {
    if (Gen_List_Window == this) {
        Gen_List_Window = nullptr;
    }
}

Generate_List* Generate_List::defaultInstance() {
    static QPointer<Generate_List> instance;
    return appOwnedInstance(instance);
}

int Generate_List::Open_Wnd() {
    const bool named = file_name_required == 1;
    for (QLineEdit* name : {ui->seq_file_name, ui->const_file_name, ui->rndm_file_name}) {
        name->clear();
        name->setVisible(named);
    }
    for (QWidget* label : std::initializer_list<QWidget*>{
             (ui->seq_name_label), ui->const_name_label, ui->rndm_name_label}) {
        label->setVisible(named);
    }
    ui->manage_digit_chk->setChecked(false);
    for (QLineEdit* field : {ui->prefix_txt, ui->suffix_txt, ui->from_txt, ui->to_txt,
                             ui->value_txt, ui->rand_prefix_txt, ui->rand_suffix_txt}) {
        field->clear();
    }
    ui->count_txt->setText(QStringLiteral("1"));
    ui->rand_length_txt->setText(QStringLiteral("1"));
    ui->rand_count_txt->setText(QStringLiteral("1"));
    ui->count_stepper->setDoubleValue(1);
    ui->rand_length_stepper->setDoubleValue(1);
    ui->rand_count_stepper->setDoubleValue(1);
    switchMode(0);
    ui->prefix_txt->setFocus();
    const int result = hooks::runModal(*this);
    hide();
    return result;
}

void Generate_List::switchMode(int mode) {
    m_mode = mode;
    ui->radioButton_Sequntial->setChecked(mode == 0);
    ui->radioButton_Constant->setChecked(mode == 1);
    ui->radioButton_Random->setChecked(mode == 2);
    QLineEdit* names[] = {ui->seq_file_name, ui->const_file_name, ui->rndm_file_name};
    for (int i = 0; i < 3; ++i) {
        if (i == mode && Trim_Str(names[i]->text()).isEmpty() && file_name_required == 1) {
            names[i]->setText(QStringLiteral("Untitled"));
        }
        names[i]->setEnabled(i == mode);
    }
    for (QWidget* w :
         std::initializer_list<QWidget*>{(ui->prefix_txt), ui->suffix_txt, ui->from_txt, ui->to_txt,
                                         ui->help_btn, ui->manage_digit_chk}) {
        w->setEnabled(mode == 0);
    }
    for (QWidget* w :
         std::initializer_list<QWidget*>{(ui->value_txt), ui->count_txt, ui->count_stepper}) {
        w->setEnabled(mode == 1);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{(ui->rand_prefix_txt), ui->rand_suffix_txt,
                                                      ui->rand_length_txt, ui->rand_length_stepper,
                                                      ui->rand_count_txt, ui->rand_count_stepper}) {
        w->setEnabled(mode == 2);
    }
}

void Generate_List::controlTextDidChange(QLineEdit& field) {
    QString limited;
    if (&field == ui->count_txt || &field == ui->rand_count_txt) {
        limited = numbergen::Limit_Count_Text(field.text());
    } else if (&field == ui->rand_length_txt) {
        limited = numbergen::Limit_Length_Text(field.text());
    } else {
        limited = numbergen::Limit_Range_Text(field.text());
    }
    if (limited != field.text()) {
        field.setText(limited);
    }
    if (&field == ui->count_txt) {
        ui->count_stepper->setDoubleValue(limited.toInt());
    } else if (&field == ui->rand_count_txt) {
        ui->rand_count_stepper->setDoubleValue(limited.toInt());
    } else if (&field == ui->rand_length_txt) {
        ui->rand_length_stepper->setDoubleValue(limited.toInt());
    }
}

bool Generate_List::fail(const QString& text, QLineEdit& focus) {
    Show_MessageBox(text);
    focus.setFocus();
    return false;
}

void Generate_List::OKPressed() {
    // Every number is read whole: a field that does not hold one is refused
    // with its message before anything is written or replaced.
    QStringList values;
    QLineEdit* nameField = ui->seq_file_name;
    if (m_mode == 0) {
        const std::optional<int> from = strictNumber(*ui->from_txt, 0, kMaxRange);
        if (!from) {
            fail(QStringLiteral("Please enter valid 'From' value."), *ui->from_txt);
            return;
        }
        const std::optional<int> to = strictNumber(*ui->to_txt, 0, kMaxRange);
        if (!to) {
            fail(QStringLiteral("Please enter valid 'To' value."), *ui->to_txt);
            return;
        }
        if (*from >= *to) {
            fail(QStringLiteral("'From' value must be smaller than 'To' value."), *ui->from_txt);
            return;
        }
        values = numbergen::Sequential_Values(
            ui->prefix_txt->text(), ui->from_txt->text().trimmed(), ui->to_txt->text().trimmed(),
            ui->suffix_txt->text(), ui->manage_digit_chk->isChecked());
    } else if (m_mode == 1) {
        nameField = ui->const_file_name;
        if (ui->value_txt->text().isEmpty()) {
            fail(QStringLiteral("Please enter valid 'Value'."), *ui->value_txt);
            return;
        }
        const std::optional<int> count = strictNumber(*ui->count_txt, 1, kMaxCount);
        if (!count) {
            fail(QStringLiteral("Please enter valid 'Count' value."), *ui->count_txt);
            return;
        }
        values = numbergen::Constant_Values(ui->value_txt->text(), *count);
    } else {
        nameField = ui->rndm_file_name;
        const std::optional<int> count = strictNumber(*ui->rand_count_txt, 1, kMaxCount);
        if (!count) {
            fail(QStringLiteral("Please enter valid 'Count' value."), *ui->rand_count_txt);
            return;
        }
        const std::optional<int> length = strictNumber(*ui->rand_length_txt, 1, 9);
        if (!length) {
            fail(QStringLiteral("Please enter valid 'Length' value."), *ui->rand_length_txt);
            return;
        }
        values = numbergen::Random_Values(ui->rand_prefix_txt->text(), QString::number(*length),
                                          ui->rand_suffix_txt->text(), *count);
    }
    if (file_name_required == 1) {
        if (Save_New_Series(nameField->text(), values) != SeriesSaveResult::Saved) {
            return;
        }
    } else if (BatchWizard_Window) {
        for (const QString& value : values) {
            BatchWizard_Window->Create_Value_List(value);
        }
    }
    if (file_name_Insert == 1 && BatchWizard_Window) {
        BatchWizard_Window->Fill_List();
    }
    done(1);
}

void Generate_List::Help_btn_Pressed() {
    Cutom_Msg_Title =
        QStringLiteral("Maintain number of Digits By adding 0's before smaller values. ");
    Cutom_Msg_Val = QStringLiteral(
        "For example:\r\nIf you have to generate a series of barcodes having values from '0' to "
        "'200', this option automatically converts small values such as '1' to '001' and '11' "
        "to '011' to maintain number of digits same as the highest value in the series.\r\n\r\n"
        "Similarly, if you have selected a series starting from '001' to '00200', this option "
        "automatically converts small values such as '001' to '00001' and '0011' to '00011' to "
        "maintain number of digits same as the highest value in the series.");
    AlertRequest request;
    request.kind = AlertKind::Message;
    request.text = Cutom_Msg_Title;
    request.informativeText = Cutom_Msg_Val;
    hooks::answerAlert(request);
}
