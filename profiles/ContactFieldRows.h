#pragma once
// The eleven rows of the contact-field dialogs in their fixed order (the
// order of the record's fields): control prefix, card object identifier and
// the caption used in validation messages.

#include <QString>
#include <array>

// Captions of the rows, as the validation message names them.
inline const QString Title_Name = QStringLiteral("Name :");
inline const QString Title_Title = QStringLiteral("Position / Title :");
inline const QString Title_Company_name = QStringLiteral("Company Name :");
inline const QString Title_slogan = QStringLiteral("Company Slogan :");
inline const QString Title_address = QStringLiteral("Address :");
inline const QString Title_phone = QStringLiteral("Phone No. :");
inline const QString Title_fax = QStringLiteral("Fax No. :");
inline const QString Title_email = QStringLiteral("Email Id :");
inline const QString Title_website = QStringLiteral("Website :");
inline const QString Title_unique = QStringLiteral("Unique No. :");
inline const QString Title_image = QStringLiteral("Photo :");

struct ContactFieldRowInfo {
    const char* prefix;      // control names: <prefix>_value, <prefix>_ds_combo, ...
    const char* placeholder; // placeholder outlet: <placeholder>_default[_V]
    const QString* caption;
};

inline constexpr int kContactFieldRowCount = 11;
inline constexpr int kContactFieldPhotoRow = 10;

inline const std::array<ContactFieldRowInfo, kContactFieldRowCount>& contactFieldRows() {
    static const std::array<ContactFieldRowInfo, kContactFieldRowCount> rows = {{
        {"name", "name", &Title_Name},
        {"title", "title", &Title_Title},
        {"comp_name", "comp_name", &Title_Company_name},
        {"slogan", "slogan", &Title_slogan},
        {"address", "address", &Title_address},
        {"phone", "phone", &Title_phone},
        {"fax", "fax", &Title_fax},
        {"email", "email", &Title_email},
        {"website", "website", &Title_website},
        {"unique", "unique", &Title_unique},
        {"image", "photo", &Title_image},
    }};
    return rows;
}
