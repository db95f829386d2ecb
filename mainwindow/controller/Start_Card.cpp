#include "mainwindow/controller/Start_Card.h"

#include "mainwindow/controller/WizardGlobals.h"
#include "platform/Hooks.h"
#include "ui_Start_Card.h"
#include "widgets/AppOwned.h"
#include "widgets/ControlFunctions.h"
#include "widgets/GuiHooks.h"

#include <QPalette>

namespace {
QPointer<Start_Card> g_startCard;
}

Start_Card* Start_Card::defaultInstance() {
    return appOwnedInstance(g_startCard);
}

Start_Card::Start_Card(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::Start_Card>()) {
    m_ui->setupUi(this);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(241, 244, 250));
    setPalette(colours);
    connect(m_ui->Using_Template_rd, &QRadioButton::clicked, this,
            [this] { Using_Template_Click(); });
    connect(m_ui->Using_Wizard_rd, &QRadioButton::clicked, this, [this] { Using_Wizard_Click(); });
    connect(m_ui->Open_Log_rd, &QRadioButton::clicked, this, [this] { Open_Log_Click(); });
    connect(m_ui->OK_btn, &QPushButton::clicked, this, [this] { OK_Click(); });
    connect(m_ui->Cancel_btn, &QPushButton::clicked, this, [this] { CancelClick(); });
    connect(m_ui->Help_btn, &QPushButton::clicked, this, [this] { HelpClick(); });
}

Start_Card::~Start_Card() = default;

int Start_Card::Open_Wnd() {
    return hooks::runModal(*this);
}

void Start_Card::Select_card_option(int option) {
    static const QStringList codes = {QStringLiteral("T"), QStringLiteral("W"),
                                      QStringLiteral("L")};
    if (option >= 0 && option < codes.size()) {
        Start_Card_Option = codes[option];
    }
}

void Start_Card::OK_Click() {
    done(1);
}

void Start_Card::CancelClick() {
    Start_Card_Option.clear();
    done(0);
    hooks::terminate(0);
}

void Start_Card::HelpClick() {
    Open_Help_File();
}
