#pragma once
// Placement of a side's contact-field record on its canvas: every
// contact-field object of the side is hidden, then each field with a value
// is written into its object (found by identifier, or created in the
// field's template rectangle), shown and given the field's binding.

#include <QRectF>
#include <QString>

namespace contact_fields {

// Side 0 front, 1 back (both only while Fill_User_Profile is 1, after the
// inspector's "Excel" item is brought in line), 2 the preview record on the
// temporary side (always).
void Fill_User_profile_info(int side);
// The front placement, then the back placement.
void Fill_User_profile_Details();
// The rectangle of a new contact-field object: the placeholder frame of the
// field for the front card's orientation (a square card counts as
// landscape); the zero rectangle for an unknown identifier.
QRectF Get_Control_Rect_From_Template(const QString& controlID);

// Opens the card-side dialog (side "F" or "B") or, for an empty side, the
// dialog without a side, with the load flag; 1 on OK, which also sets
// Fill_User_Profile.
int Open_User_Profile_Window(int mode, const QString& side);

} // namespace contact_fields
