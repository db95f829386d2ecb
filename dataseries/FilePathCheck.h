#pragma once
// The path check every import source runs before it reads: a trimmed path
// that is not empty and names an existing file or folder.

#include <QString>

// True for a usable path; otherwise shows "Please select valid file path."
// and answers false.
bool Check_And_Validate_File_Path(const QString& path);
