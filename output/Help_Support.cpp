#include "output/Help_Support.h"

#include "output/LinkCommands.h"
#include "output/LinkStyle.h"
#include "ui_Help_Support.h"
#include "ui_Share_It_Dlg.h"
#include "widgets/AppOwned.h"
#include "widgets/ControlFunctions.h"
#include "widgets/GuiHooks.h"

QPointer<Help_Support> Help_Support::DefaultInstance;

Share_It_Dlg::Share_It_Dlg(QWidget* parent) : QDialog(parent), m_ui(new Ui::Share_It_Dlg) {
    m_ui->setupUi(this);
    linkstyle::styleWindow(*this);
    connect(m_ui->gplusButton, &QPushButton::clicked, this, &Share_It_Dlg::Gplus_Clicked);
    connect(m_ui->facebookButton, &QPushButton::clicked, this, &Share_It_Dlg::Facebook_Clicked);
    connect(m_ui->twitterButton, &QPushButton::clicked, this, &Share_It_Dlg::Twitter_Clicked);
    connect(m_ui->fbLikeButton, &QPushButton::clicked, this, &Share_It_Dlg::FB_Like_Clicked);
    connect(m_ui->okButton, &QPushButton::clicked, this, &Share_It_Dlg::OK_Pressed);
    connect(m_ui->goShareButton, &QPushButton::clicked, this, &Share_It_Dlg::Go_Share_It_Pressed);
}

Share_It_Dlg::~Share_It_Dlg() = default;

void Share_It_Dlg::Gplus_Clicked() {
    LinkCommands::run(&LinkCommands::Open_Google_Plus);
}
void Share_It_Dlg::Facebook_Clicked() {
    LinkCommands::run(&LinkCommands::Open_FaceBook);
}
void Share_It_Dlg::Twitter_Clicked() {
    LinkCommands::run(&LinkCommands::Open_Twitter);
}
void Share_It_Dlg::FB_Like_Clicked() {
    LinkCommands::run(&LinkCommands::Open_FB_Like);
}
void Share_It_Dlg::OK_Pressed() {
    done(1);
}

Help_Support* Help_Support::defaultInstance() {
    return appOwnedInstance(DefaultInstance);
}

Help_Support::Help_Support(QWidget* parent) : QDialog(parent), m_ui(new Ui::Help_Support) {
    m_ui->setupUi(this);
    linkstyle::styleWindow(*this);
    m_share = new Share_It_Dlg(this);
    Ui::Help_Support* ui = m_ui.get();
    for (QPushButton* link : {ui->website_1, ui->reseller_1, ui->reseller_2, ui->support_id,
                              ui->support_id_2, ui->_Help_File_Label}) {
        linkstyle::styleLink(link);
    }
    connect(ui->_Help_File_Label, &QPushButton::clicked, this, &Help_Support::HelpFilePressed);
    // The link buttons run the main window controller's link commands.
    const std::pair<QPushButton*, void (LinkCommands::*)()> links[] = {
        {ui->website_1, &LinkCommands::Open_Website_1},
        {ui->reseller_1, &LinkCommands::Open_Reseller_Mail},
        {ui->reseller_2, &LinkCommands::Open_Website_2},
        {ui->support_id, &LinkCommands::Open_Support_Mail},
        {ui->support_id_2, &LinkCommands::Open_Website_3}};
    for (const auto& [button, command] : links) {
        connect(button, &QPushButton::clicked, this, [command] { LinkCommands::run(command); });
    }
    connect(ui->gplusButton, &QPushButton::clicked, this, &Help_Support::Gplus_Clicked);
    connect(ui->facebookButton, &QPushButton::clicked, this, &Help_Support::Facebook_Clicked);
    connect(ui->twitterButton, &QPushButton::clicked, this, &Help_Support::Twitter_Clicked);
    connect(ui->fbLikeButton, &QPushButton::clicked, this, &Help_Support::FB_Like_Clicked);
    connect(ui->commentsButton, &QPushButton::clicked, this,
            &Help_Support::Social_Comments_Clicked);
    connect(ui->shareButton, &QPushButton::clicked, this, &Help_Support::Share_Clicked);
    connect(ui->closeButton, &QPushButton::clicked, this, [this] { done(1); });
}

Help_Support::~Help_Support() = default;

int Help_Support::Open_Wnd() {
    const int answer = hooks::runModal(*this);
    hide();
    return answer;
}

void Help_Support::HelpFilePressed() {
    Open_Help_File();
}
void Help_Support::Gplus_Clicked() {
    LinkCommands::run(&LinkCommands::Open_Google_Plus);
}
void Help_Support::Facebook_Clicked() {
    LinkCommands::run(&LinkCommands::Open_FaceBook);
}
void Help_Support::Twitter_Clicked() {
    LinkCommands::run(&LinkCommands::Open_Twitter);
}
void Help_Support::FB_Like_Clicked() {
    LinkCommands::run(&LinkCommands::Open_FB_Like);
}

void Help_Support::Share_Clicked() {
    hooks::runModal(*m_share);
    m_share->hide();
}
