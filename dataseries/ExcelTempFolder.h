#pragma once
// Where workbooks are unpacked and assembled: the folder "ziptmp" inside a
// folder of this process's own. That folder is made (mkdtemp, mode 0700) in
// the user's private folder $TMPDIR/cardeditor-<uid>; when that name is taken
// by anything but the user's own private folder (a link, a folder of another
// user, one open to others), it is made directly in $TMPDIR instead, as
// cardeditor-<uid>-XXXXXX. Either way other users can neither read an
// unpacked workbook nor plant files in it, and two running copies of the
// program never share a folder.
//
// The process holds a lock (flock) on the file "lock" in its folder for its
// whole life. That lock, not a process id, tells a running copy's folder from
// a leftover: process ids say nothing across PID namespaces (a container or a
// sandbox sharing /tmp), and a process that has ended but was not reaped still
// has one. A normal end of the process (returning from main or std::exit)
// removes the folder.

#include <QString>

// The path of "ziptmp" (not created). Makes the process's folder and takes
// its lock on first use. Empty when no private folder can be made.
QString Excel_Temp_Folder_Path();

// Removes "ziptmp" and everything in it; true when it is gone afterwards. The
// process's folder and its lock stay.
bool Remove_Excel_Temp_Folder();

// Removes the folders that ended copies of the program left behind (a run
// that was killed leaves its unpacked workbook): only folders of the
// program's own naming whose lock can be taken at once, never one a running
// copy holds. Answers how many were removed. Run once at start-up.
int Remove_Ended_Process_Folders();
