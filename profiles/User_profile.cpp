#include "profiles/User_profile.h"

#include "core/globals.h"
#include "editor/model/ContactFieldState.h"
#include "ui_User_profile.h"
#include "widgets/AppOwned.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

namespace {
QPointer<User_profile> User_profile_def_inst;
}

User_profile* User_profile::defaultInstance() {
    return appOwnedInstance(User_profile_def_inst);
}

User_profile::User_profile(QWidget* parent)
    : ContactFieldDialog(parent), m_ui(std::make_unique<Ui::User_profile>()) {
    m_ui->setupUi(this);
    bindControls();
    load_side.clear();
}

User_profile::~User_profile() = default;

QLabel* User_profile::templatePicture() const {
    return m_ui->Template_picture;
}

void User_profile::Reset_all_Ctrl() {
    m_ui->Template_picture->clear();
    ContactFieldDialog::Reset_all_Ctrl();
    for (const Row& r : m_rows) {
        r.side->setCurrentIndex(2);
    }
}

void User_profile::Create_and_Set_template_picture() {
    showPicture(m_ui->Template_picture, Graphics_array);
    showPicture(m_preview, Graphics_array);
}

void User_profile::showSideChoices(bool shown) {
    m_ui->select_side_label->setVisible(shown);
    for (const Row& r : m_rows) {
        r.side->setVisible(shown);
    }
}

void User_profile::prepareOpening(bool load) {
    if (!load) {
        setWindowTitle(QStringLiteral("User Profile Information"));
        showSideChoices(true);
        Reset_all_Ctrl();
        return;
    }
    Reset_all_Ctrl();
    m_excelPath->setText(Excel_Source_Path);
    showSideChoices(false);
    takeCurrentSide();
    const int sideIndex = Current_Card_Side_Is_Back() ? 1 : 0;
    for (const Row& r : m_rows) {
        r.side->setCurrentIndex(sideIndex);
    }
    loadSideObjects(false);
}
