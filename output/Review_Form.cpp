#include "output/Review_Form.h"

#include "core/MessageFunctions.h"
#include "output/LinkCommands.h"
#include "output/LinkStyle.h"
#include "output/core/MakerLinks.h"
#include "ui_Review_Form.h"
#include "widgets/AppOwned.h"
#include "widgets/GuiHooks.h"

#include <exception>

QPointer<Review_Form> Review_Form::DefaultInstance;

Review_Form* Review_Form::defaultInstance() {
    return appOwnedInstance(DefaultInstance);
}

Review_Form::Review_Form(QWidget* parent) : QDialog(parent), m_ui(new Ui::Review_Form) {
    m_ui->setupUi(this);
    linkstyle::styleWindow(*this);
    linkstyle::styleLink(m_ui->website_1);
    linkstyle::styleLink(m_ui->support_id);
    connect(m_ui->okButton, &QPushButton::clicked, this, &Review_Form::OK_Clicked);
    connect(m_ui->reviewButton, &QPushButton::clicked, this, &Review_Form::Review_Clicked);
    connect(m_ui->website_1, &QPushButton::clicked, this,
            [] { LinkCommands::run(&LinkCommands::Open_Website_1); });
    connect(m_ui->support_id, &QPushButton::clicked, this,
            [] { LinkCommands::run(&LinkCommands::Open_Support_Mail); });
}

Review_Form::~Review_Form() = default;

int Review_Form::Open_Review_Form_Window() {
    try {
        const int answer = hooks::runModal(*this);
        hide();
        return answer;
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
        hide();
        return 0;
    }
}

void Review_Form::OK_Clicked() {
    makerlinks::Open_Review_Page();
    done(1);
}

void Review_Form::Review_Clicked() {
    makerlinks::Open_Review_Page();
    done(1);
}

void Review_Form::Open_Link(const QString& address) {
    try {
        makerlinks::openLink(address);
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
}
