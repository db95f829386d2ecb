#include "editor/model/User_Profile_Class.h"

QStringList User_Profile_Class::valueIdentifiers() {
    return {QStringLiteral("Fup_Name"),    QStringLiteral("Fup_Title"),
            QStringLiteral("Fup_Company"), QStringLiteral("Fup_CompanySlogan"),
            QStringLiteral("Fup_Address"), QStringLiteral("Fup_PhoneNO"),
            QStringLiteral("Fup_FaxNo"),   QStringLiteral("Fup_EmailID"),
            QStringLiteral("Fup_Website"), QStringLiteral("Fup_UniqueNo"),
            QStringLiteral("Fup_Photo")};
}

void User_Profile_Class::Reset_All_Values() {
    const QStringList ids = valueIdentifiers();
    for (int i = 0; i < kFieldCount; ++i) {
        Field& field = fields[static_cast<std::size_t>(i)];
        field = Field{};
        field.valueObjectID = ids[i];
        field.captionObjectID = QString(ids[i]).replace(0, 4, QStringLiteral("Fup_lbl_"));
    }
    enabled = false;
    excelBinding = false;
}
