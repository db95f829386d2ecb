#pragma once
// Process-wide state of the contact fields, shared by the dialogs, the
// placement, the design files and the spreadsheet import. GUI thread only.

#include "core/globals.h"

#include <QRectF>
#include <QString>

// 1 once a contact-field dialog has closed with OK; 0 again at every new
// design. The front and back placements place nothing while it is 0.
inline char Fill_User_Profile = 0;
// Excel_Binding_Use and Excel_Source_Path (core/globals.h) are left by the
// contact-field dialogs too.

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
