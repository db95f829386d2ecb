#pragma once
// The contact-field record of one side: for each of the eleven fields its
// value (the photo's value is a file path), its binding to a data series or
// a spreadsheet column, and the identifiers of its value and caption
// objects. A plain record: the contact-field dialogs write it, the
// placement reads it; it is never stored.

#include <QString>
#include <QStringList>
#include <array>

class User_Profile_Class {
public:
    static constexpr int kFieldCount = 11;
    // Index of the photo field (the only picture field).
    static constexpr int kPhotoField = 10;

    struct Field {
        QString value;
        QString valueObjectID;
        QString captionObjectID;
        QString captionText;
        bool seriesBound = false;
        int seriesIndex = 0;
        QString seriesName;
        bool columnBound = false;
        int columnIndex = 0;
    };

    User_Profile_Class() { Reset_All_Values(); }

    // Clears values and bindings and sets the value identifiers "Fup_Name"
    // ... "Fup_Photo" and the caption identifiers "Fup_lbl_...".
    void Reset_All_Values();

    // The value identifiers in field order.
    static QStringList valueIdentifiers();

    std::array<Field, kFieldCount> fields;
    // Fill_User_Profile_Enable and Excel_Binding: written by the dialogs'
    // commit, read by nothing.
    bool enabled = false;
    bool excelBinding = false;
};
