#pragma once
// Where workbooks are unpacked and assembled: the folder "ziptmp" inside a
// per-process folder of a private per-user folder (both mode 0700) in the
// system's temporary directory, so other users can neither read an unpacked
// workbook nor plant files in it, and two running copies of the program do
// not share it.

#include <QString>

// The path of "ziptmp" (not created). Empty when the private folder cannot
// be made safe, for example when someone else owns it.
QString Excel_Temp_Folder_Path();

// Removes "ziptmp" and everything in it; true when it is gone afterwards.
bool Remove_Excel_Temp_Folder();

// Removes the folders that ended processes left in the per-user folder (a
// run that was killed leaves its unpacked workbook behind): only folders
// named "process-<digits>" whose process no longer runs, never this
// process's. Answers how many were removed. Run once at start-up.
int Remove_Ended_Process_Folders();
