#pragma once
// Enabling groups of controls, and opening the help document.

class QWidget;

// Enables or disables a control by the flag. A plain text field or label also
// gets the normal or the disabled text colour; a box passes the flag to every
// control inside it (boxes inside boxes too) and has no enable state itself.
void SetObjEnabled(QWidget* view, int flag);

// Opens Resource_Path/Help.pdf with the system's default application, or says
// "Help file does not exist!" when it is missing; when no application can be
// started for it, says where the file is.
void Open_Help_File();
