#pragma once
// The contact-field record of one side, as far as the main window needs it
// now: the eleven fields' values, series and column bindings and the
// identifiers of their value and caption objects, reset for a new design.
// The contact-field dialogs and the placement of the fields on a card come
// with their own subsystem.

#include <QString>
#include <QStringList>
#include <array>

class User_Profile_Class {
public:
    static constexpr int kFieldCount = 11;

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
    bool enabled = false;
    bool excelBinding = false;
};
