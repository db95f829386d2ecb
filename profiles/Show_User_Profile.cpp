#include "profiles/Show_User_Profile.h"

#include "editor/model/User_Profile_Class.h"
#include "profiles/ContactFieldRows.h"
#include "ui_Show_User_Profile.h"
#include "widgets/AppOwned.h"

#include <QLineEdit>
#include <QPointer>

namespace {
QPointer<Show_User_Profile> Show_User_profile_def_inst;
}

Show_User_Profile* Show_User_Profile::defaultInstance() {
    return appOwnedInstance(Show_User_profile_def_inst);
}

Show_User_Profile::Show_User_Profile(QWidget* parent)
    : ContactFieldDialog(parent), m_ui(std::make_unique<Ui::Show_User_Profile>()) {
    m_ui->setupUi(this);
    bindControls();
    load_side.clear();
    Show_User_Profile_Window = this;
}

Show_User_Profile::~Show_User_Profile() {
    if (Show_User_Profile_Window == this) {
        Show_User_Profile_Window = nullptr;
    }
}

QRectF Show_User_Profile::templateFrame(const QString& controlID, bool portrait) const {
    const int index = int(User_Profile_Class::valueIdentifiers().indexOf(controlID));
    if (index < 0) {
        return {};
    }
    const QString name =
        QString::fromLatin1(contactFieldRows()[static_cast<std::size_t>(index)].placeholder) +
        (portrait ? QStringLiteral("_default_V") : QStringLiteral("_default"));
    const QWidget* placeholder = findChild<QWidget*>(name);
    return placeholder ? QRectF(placeholder->geometry()) : QRectF();
}

void Show_User_Profile::prepareOpening(bool load) {
    if (load) {
        Reset_all_Ctrl();
        m_excelPath->setText(Excel_Source_Path);
        takeCurrentSide();
        loadSideObjects(true);
    } else {
        setWindowTitle(QStringLiteral("User Profile Information"));
        Reset_all_Ctrl();
    }
}
