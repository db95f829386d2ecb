#include "mainwindow/controller/Invitation_Wizard.h"

#include "core/MessageFunctions.h"
#include "core/StringFunctions.h"
#include "core/globals.h"
#include "mainwindow/controller/DesignFile.h"
#include "mainwindow/controller/SKTWindowController.h"
#include "mainwindow/controller/WindowEntries.h"
#include "mainwindow/controller/WizardGlobals.h"
#include "platform/Hooks.h"
#include "ui_Invitation_Wizard.h"
#include "widgets/AppOwned.h"
#include "widgets/CardStepper.h"
#include "widgets/ControlFunctions.h"
#include "widgets/GuiHooks.h"
#include "widgets/ImageBrowserModel.h"
#include "widgets/TypedTimeEdit.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLocale>
#include <exception>
#include <utility>

namespace {

constexpr int kSenderLimit = 40;
constexpr int kAddresseeLimit = 40;
constexpr int kVenueLimit = 100;
constexpr int kTitleLimit = 100;
constexpr int kMessageLimit = 250;
constexpr double kStartSizeMM = 120.0;
// The card sides the design reader accepts, in millimetres: 1 mm up to the
// largest side a design file may give.
constexpr double kMinSizeMM = 1.0;
constexpr double kMaxSizeMM = design_file::maxSidePoints / 72.0 * 25.4;

QPointer<Invitation_Wizard> g_wizard;

// The entries of a prepared-text file: the whole text trimmed, one entry
// per line. A missing file gives no entries.
QStringList readEntries(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return Trim_Str(QString::fromUtf8(file.readAll())).split(QLatin1Char('\n'));
}

int wrapped(int index, int count) {
    if (index < 0) {
        return count - 1;
    }
    if (index >= count) {
        return 0;
    }
    return index;
}

} // namespace

Invitation_Wizard* Invitation_Wizard::defaultInstance() {
    return appOwnedInstance(g_wizard);
}

Invitation_Wizard::Invitation_Wizard(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::Invitation_Wizard>()) {
    m_ui->setupUi(this);
    // No close button: the wizard ends only through its own buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(241, 244, 250));
    setPalette(colours);
    m_ui->imageBrowser->setZoomValue(0.4);
    // The size fields are not paired with their steppers: a paired field
    // would put back the stepper's value when the user leaves it, so a
    // mistyped size would pass unseen. Next reads the fields themselves.
    for (CardStepper* stepper : {m_ui->width_Stepper, m_ui->height_Stepper}) {
        stepper->setMinimum(kMinSizeMM);
        stepper->setMaximum(kMaxSizeMM);
    }
    m_ui->Time_picker->setDisplayFormat(QStringLiteral("h:mm AP"));
    setPickersToNow();
    connectControls();
}

Invitation_Wizard::~Invitation_Wizard() = default;

void Invitation_Wizard::connectControls() {
    Ui::Invitation_Wizard& ui = *m_ui;
    connect(ui.Next_btn, &QPushButton::clicked, this, [this] { OK_Click(); });
    connect(ui.Back_Btn, &QPushButton::clicked, this, [this] { Back_Click(); });
    connect(ui.Cancel_btn, &QPushButton::clicked, this, [this] { CancelClick(); });
    connect(ui.Using_Wizard_btn, &QPushButton::clicked, this, [this] { Using_Wizard_Click(); });
    connect(ui.Open_Log_btn, &QPushButton::clicked, this, [this] { Open_Log_Click(); });
    connect(ui.Exit_btn, &QPushButton::clicked, this, [this] { ExitClick(); });
    connect(ui.Help_btn_1, &QPushButton::clicked, this, [this] { HelpClick(); });
    connect(ui.Help_btn_2, &QPushButton::clicked, this, [this] { HelpClick(); });
    connect(ui.title_bk_btn, &QPushButton::clicked, this, [this] { Title_Back_Click(); });
    connect(ui.title_nxt_btn, &QPushButton::clicked, this, [this] { Title_Next_Click(); });
    connect(ui.msg_bk_btn, &QPushButton::clicked, this, [this] { Msg_Back_Click(); });
    connect(ui.msg_nxt_btn, &QPushButton::clicked, this, [this] { Msg_Next_Click(); });
    connect(ui.clear_details_btn, &QPushButton::clicked, this, [this] { Clear_Details_Click(); });
    // A day chosen by click, by the arrow keys or by Return counts alike.
    connect(ui.Date_picker, &QCalendarWidget::clicked, this, [this] { datePickerAction(); });
    connect(ui.Date_picker, &QCalendarWidget::activated, this, [this] { datePickerAction(); });
    connect(ui.Date_picker, &QCalendarWidget::selectionChanged, this, [this] {
        if (!m_settingPickers) {
            datePickerAction();
        }
    });
    connect(ui.Contact_us_btn, &QPushButton::clicked, this, [] {
        if (SKTWindowController* controller = SKTWindowController::defaultInstance()) {
            controller->Open_Support_Mail();
        }
    });
    for (auto [stepper, field] : {std::pair{ui.width_Stepper, ui.width_Text},
                                  std::pair{ui.height_Stepper, ui.height_Text}}) {
        connect(stepper, &CardStepper::stepped, field,
                [field](double value) { field->setText(QString::number(value)); });
        // Steps go on from a number the user typed.
        connect(field, &QLineEdit::textEdited, stepper, [stepper](const QString& text) {
            bool ok = false;
            const double value = text.trimmed().toDouble(&ok);
            if (ok) {
                stepper->setDoubleValue(value);
            }
        });
    }
    connect(ui.Time_picker, &QTimeEdit::timeChanged, this, [this] {
        if (!m_settingPickers) {
            timePickerAction();
        }
    });
    // A time typed whole counts even when it is the time already shown.
    connect(ui.Time_picker, &TypedTimeEdit::timeTyped, this, [this] { timePickerAction(); });
    for (QLineEdit* field :
         {ui.from_value, ui.to_value, ui.venue_value, ui.msg_title, ui.msg_value}) {
        connect(field, &QLineEdit::textEdited, this,
                [this, field] { controlTextDidChange(field); });
    }
    connect(ui.imageBrowser, &ImageBrowser::selectionDidChange, this,
            [this] { imageBrowserSelectionDidChange(); });
    // The browser's own removals and moves change the list it shows.
    connect(ui.imageBrowser, &ImageBrowser::itemsChanged, this,
            [this] { m_images = m_ui->imageBrowser->browserModel()->items(); });
}

void Invitation_Wizard::closeEvent(QCloseEvent* event) {
    event->ignore();
}

int Invitation_Wizard::Open_Wnd() {
    try {
        Ui::Invitation_Wizard& ui = *m_ui;
        ui.width_Stepper->setDoubleValue(kStartSizeMM);
        ui.width_Text->setText(QString::number(kStartSizeMM));
        ui.height_Stepper->setDoubleValue(kStartSizeMM);
        ui.height_Text->setText(QString::number(kStartSizeMM));
        ui.APP_path_label->setText(Resource_Path);
        // Open design needs the design-file reader.
        ui.Open_Log_btn->setEnabled(static_cast<bool>(window_entries::openLogFile.get()));
        m_images.clear();
        ui.imageBrowser->setItems(m_images);
        Show_Hide_Card_Start_Screen(1);
        ui.imageBrowser->setZoomValue(0.4);
        Load_and_fill_backgrounds();
        Reset_All();
        Load_Msg_And_Title();
        ui.msg_title->setText(Get_Title());
        ui.msg_value->setText(Get_Message());
        const int result = hooks::runModal(*this);
        hide();
        return result;
    } catch (const std::exception& error) {
        Show_NSLog_Message(QString::fromLocal8Bit(error.what()));
        return 0;
    }
}

void Invitation_Wizard::Load_and_fill_backgrounds() {
    const QFileInfo folder(QDir(Resource_Path).filePath(QStringLiteral("Background")));
    if (!folder.isDir()) {
        return;
    }
    const QDir dir(folder.filePath());
    for (const QString& name : dir.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString extension = QFileInfo(name).suffix().toLower();
        if (extension == QStringLiteral("png") || extension == QStringLiteral("jpg")) {
            addImageWithPath(dir.filePath(name), name, name);
        }
    }
}

void Invitation_Wizard::addImageWithPath(const QString& path, const QString& name,
                                         const QString& uid) {
    const QString trimmed = Trim_Str(path);
    if (trimmed.isEmpty()) {
        return;
    }
    m_images.append(MyImageObject{trimmed, name, uid});
    m_ui->imageBrowser->setItems(m_images);
}

void Invitation_Wizard::Load_Msg_And_Title() {
    Title_Array = readEntries(QDir(Resource_Path).filePath(QStringLiteral("Title.txt")));
    Message_Array = readEntries(QDir(Resource_Path).filePath(QStringLiteral("Message.txt")));
}

QString Invitation_Wizard::Get_Title() const {
    return title_index >= 0 && title_index < Title_Array.size() ? Title_Array[title_index]
                                                                : QString();
}

QString Invitation_Wizard::Get_Message() const {
    return message_index >= 0 && message_index < Message_Array.size() ? Message_Array[message_index]
                                                                      : QString();
}

void Invitation_Wizard::showPage(int page) {
    Ui::Invitation_Wizard& ui = *m_ui;
    ui.first_box->setVisible(page == 1);
    ui.second_box->setVisible(page == 2);
    ui.third_box->setVisible(page == 3);
    ui.fourth_box->setVisible(page == 4);
}

void Invitation_Wizard::Show_Hide_Card_Start_Screen(int show) {
    Ui::Invitation_Wizard& ui = *m_ui;
    const bool start = show == 1;
    if (start) {
        m_nextCounter = 0;
        auto_background_selection = false;
    }
    ui.Start_card_box->setVisible(start);
    showPage(start ? 0 : 1);
    ui.button_box->setVisible(!start);
    ui.Exit_btn->setVisible(start);
    ui.Help_btn_1->setVisible(start);
    ui.Contact_us_btn->setVisible(start);
    if (start) {
        Reset_All();
        ui.msg_title->setText(Get_Title());
        ui.msg_value->setText(Get_Message());
    }
}

void Invitation_Wizard::Select_card_option(int option) {
    static const QStringList codes = {QStringLiteral("T"), QStringLiteral("W"),
                                      QStringLiteral("L")};
    if (option >= 0 && option < codes.size()) {
        Start_Card_Option = codes[option];
    }
    OK_Click();
}

void Invitation_Wizard::OK_Click() {
    Ui::Invitation_Wizard& ui = *m_ui;
    if (Start_Card_Option == QStringLiteral("L")) {
        // A design read inside the wizard ends it; otherwise it stays at the
        // start box.
        if (auto open = window_entries::openLogFile.get()) {
            if (open() == 1) {
                done(1);
            }
        }
        return;
    }
    switch (m_nextCounter) {
    case 0:
        m_nextCounter = 1;
        Show_Hide_Card_Start_Screen(0);
        break;
    case 1:
        if (!takeSize(*ui.width_Text, *ui.width_Stepper,
                      QStringLiteral("Please enter a card width from 1 to %1 mm.")) ||
            !takeSize(*ui.height_Text, *ui.height_Stepper,
                      QStringLiteral("Please enter a card height from 1 to %1 mm."))) {
            break;
        }
        m_nextCounter = 2;
        showPage(2);
        if (!m_images.isEmpty()) {
            auto_background_selection = true;
            ui.imageBrowser->selectionModel()->select(ui.imageBrowser->browserModel()->index(0, 0),
                                                      QItemSelectionModel::ClearAndSelect);
            // The selection handler runs even when the first picture was
            // already selected.
            m_selectedImage = m_images.first()._path;
            auto_background_selection = false;
        }
        break;
    case 2:
        if (!m_selectedImage.isEmpty() && QFileInfo::exists(m_selectedImage)) {
            m_nextCounter = 3;
            showPage(3);
        } else {
            Show_MessageBox(QStringLiteral("Please select background."));
        }
        break;
    case 3:
        m_selectedTitle = ui.msg_title->text();
        m_selectedMsg = ui.msg_value->text();
        if (m_selectedTitle.isEmpty()) {
            Show_MessageBox(QStringLiteral("Please select title."));
            ui.msg_title->setFocus();
        } else if (m_selectedMsg.isEmpty()) {
            Show_MessageBox(QStringLiteral("Please select message."));
            ui.msg_value->setFocus();
        } else {
            m_nextCounter = 4;
            showPage(4);
            ui.from_value->setFocus();
        }
        break;
    case 4: {
        Card_Shape = 0;
        const auto width = static_cast<float>(ui.width_Stepper->doubleValue());
        const auto height = static_cast<float>(ui.height_Stepper->doubleValue());
        if (SKTWindowController* controller = SKTWindowController::defaultInstance()) {
            controller->Set_Card_Size_In_Control(QSizeF(width, height));
            const QSizeF points(SKTWindowController::MM_to_Points_Convert(width),
                                SKTWindowController::MM_to_Points_Convert(height));
            controller->Set_Document_Size(points);
            controller->SetDocumentCanvasSize(points);
        }
        Invite_Title = Trim_Str(m_selectedTitle);
        Invite_Message = Trim_Str(m_selectedMsg);
        Invite_From = Trim_Str(ui.from_value->text());
        Invite_To = Trim_Str(ui.to_value->text());
        Invite_Venue = Trim_Str(ui.venue_value->text());
        Invite_Date = Trim_Str(m_selectedDate);
        Invite_Time = Trim_Str(m_selectedTime);
        Invite_BG_IMG = Trim_Str(m_selectedImage);
        done(1);
        break;
    }
    default:
        break;
    }
}

bool Invitation_Wizard::takeSize(QLineEdit& field, CardStepper& stepper, const QString& message) {
    bool ok = false;
    const double value = field.text().trimmed().toDouble(&ok);
    // Written so that a NaN fails too.
    if (!ok || !(value >= kMinSizeMM && value <= kMaxSizeMM)) {
        Show_MessageBox(message.arg(kMaxSizeMM));
        field.setFocus();
        field.selectAll();
        return false;
    }
    stepper.setDoubleValue(value);
    return true;
}

void Invitation_Wizard::Back_Click() {
    switch (m_nextCounter) {
    case 1:
        // Back to the start box, which resets everything and is step 0.
        Show_Hide_Card_Start_Screen(1);
        return;
    case 2:
    case 3:
    case 4:
        --m_nextCounter;
        showPage(m_nextCounter);
        return;
    default:
        return;
    }
}

void Invitation_Wizard::CancelClick() {
    Show_Hide_Card_Start_Screen(1);
}

void Invitation_Wizard::ExitClick() {
    Start_Card_Option.clear();
    done(0);
    hooks::terminate(0);
}

void Invitation_Wizard::HelpClick() {
    Open_Help_File();
}

void Invitation_Wizard::Title_Back_Click() {
    title_index = wrapped(title_index - 1, static_cast<int>(Title_Array.size()));
    m_ui->msg_title->setText(Get_Title());
}

void Invitation_Wizard::Title_Next_Click() {
    title_index = wrapped(title_index + 1, static_cast<int>(Title_Array.size()));
    m_ui->msg_title->setText(Get_Title());
}

void Invitation_Wizard::Msg_Back_Click() {
    message_index = wrapped(message_index - 1, static_cast<int>(Message_Array.size()));
    m_ui->msg_value->setText(Get_Message());
}

void Invitation_Wizard::Msg_Next_Click() {
    message_index = wrapped(message_index + 1, static_cast<int>(Message_Array.size()));
    m_ui->msg_value->setText(Get_Message());
}

void Invitation_Wizard::showDetail(const QString& text, bool date) {
    if (date) {
        m_selectedDate = text;
        m_ui->Date_ctrl_value->setText(text);
    } else {
        m_selectedTime = text;
        m_ui->Time_ctrl_value->setText(text);
    }
    m_ui->clear_details_btn->setEnabled(true);
}

void Invitation_Wizard::datePickerAction() {
    showDetail(QLocale().toString(m_ui->Date_picker->selectedDate(), QLocale::LongFormat), true);
}

void Invitation_Wizard::timePickerAction() {
    showDetail(QLocale().toString(m_ui->Time_picker->time(), QStringLiteral("h:mm AP")), false);
}

void Invitation_Wizard::Clear_Details_Click() {
    if (Show_YES_NO_MessageBox(QStringLiteral("Are you sure you want to clear details?")) == 1) {
        Clear_Details();
    }
}

namespace {

Invitation_Wizard::Clock& wizardClock() {
    static Invitation_Wizard::Clock clock;
    return clock;
}

} // namespace

void Invitation_Wizard::setClock(Clock clock) {
    wizardClock() = std::move(clock);
}

void Invitation_Wizard::setPickersToNow() {
    m_settingPickers = true;
    const Clock& clock = wizardClock();
    const QDateTime now = clock ? clock() : QDateTime::currentDateTime();
    m_ui->Date_picker->setSelectedDate(now.date());
    m_ui->Time_picker->setTime(now.time());
    m_settingPickers = false;
}

void Invitation_Wizard::Clear_Details() {
    Ui::Invitation_Wizard& ui = *m_ui;
    ui.from_value->clear();
    ui.to_value->clear();
    ui.venue_value->clear();
    m_selectedDate.clear();
    m_selectedTime.clear();
    ui.Date_ctrl_value->clear();
    ui.Time_ctrl_value->clear();
    setPickersToNow();
}

void Invitation_Wizard::Reset_All() {
    m_selectedImage.clear();
    m_selectedTitle.clear();
    m_selectedMsg.clear();
    m_selectedDate.clear();
    m_selectedTime.clear();
    m_ui->msg_title->clear();
    m_ui->msg_value->clear();
    m_nextCounter = 0;
    title_index = 0;
    message_index = 0;
    m_ui->clear_details_btn->setEnabled(false);
    Clear_Details();
}

QString Invitation_Wizard::limitedText(const QString& text, int limit) {
    if (text.size() <= limit) {
        return text;
    }
    int end = limit;
    // A pair cut in two would leave half a character.
    if (end > 0 && text.at(end - 1).isHighSurrogate()) {
        --end;
    }
    return text.left(end);
}

void Invitation_Wizard::controlTextDidChange(QLineEdit* field) {
    Ui::Invitation_Wizard& ui = *m_ui;
    int limit = 0;
    if (field == ui.from_value) {
        limit = kSenderLimit;
    } else if (field == ui.to_value) {
        limit = kAddresseeLimit;
    } else if (field == ui.venue_value) {
        limit = kVenueLimit;
    } else if (field == ui.msg_title) {
        limit = kTitleLimit;
    } else if (field == ui.msg_value) {
        limit = kMessageLimit;
    } else {
        return;
    }
    const QString text = field->text();
    const QString cut = limitedText(text, limit);
    if (cut != text) {
        field->setText(cut);
    }
    if ((field == ui.from_value || field == ui.to_value || field == ui.venue_value) &&
        !field->text().isEmpty()) {
        ui.clear_details_btn->setEnabled(true);
    }
}

void Invitation_Wizard::imageBrowserSelectionDidChange() {
    const QList<int> rows = m_ui->imageBrowser->selectionIndexes();
    const QList<MyImageObject>& items = m_ui->imageBrowser->browserModel()->items();
    if (rows.isEmpty() || rows.first() >= items.size()) {
        return;
    }
    m_selectedImage = items[rows.first()]._path;
    if (!auto_background_selection && m_nextCounter == 2) {
        OK_Click();
    }
}
