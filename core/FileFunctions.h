#pragma once
// The writable folders of the resource folder, and deleting files.

#include <QString>

// Creates, with their parents, each of these folders that does not exist:
// Data_Folder_Path; Resource_Path/Background, /Fill_Style_Image,
// /LibraryImage, /Templates, /Templates/User. Folders get the permissions the
// process umask allows. Failures are not reported; exceptions are logged.
void Check_Path_And_Create_Files();

// Removes the file or folder (with its content) at path when it exists and its
// folder lets it be removed. Failures are ignored; exceptions are logged.
void Delete_File(const QString& path);
