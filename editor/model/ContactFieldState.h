#pragma once
// Process-wide state of the contact fields, shared by the dialogs, the
// placement, the design files and the spreadsheet import. GUI thread only.

#include <QRectF>
#include <QString>

// 1 once a contact-field dialog has closed with OK; 0 again at every new
// design. The front and back placements place nothing while it is 0.
inline char Fill_User_Profile = 0;
// 1 while imported spreadsheet rows are used for binding, and the path of
// the imported workbook; left by the contact-field dialogs.
inline char Excel_Binding_Use = 0;
inline QString Excel_Source_Path;

// The placeholder frames a new contact-field object is placed in, offered
// by the card-side contact-field dialog.
class ContactFieldTemplates {
public:
    virtual ~ContactFieldTemplates() = default;
    // The frame of the field's placeholder (by control identifier, such as
    // "Fup_Name") in card points, for a landscape or a portrait card; the
    // zero rectangle for an unknown identifier.
    virtual QRectF templateFrame(const QString& controlID, bool portrait) const = 0;
};

// The card-side contact-field dialog once made, as the source of the
// placeholder frames.
inline ContactFieldTemplates* Show_User_Profile_Window = nullptr;
