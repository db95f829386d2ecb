#pragma once
// Data series files: one UTF-8 text file per series in Data_Folder_Path,
// named after the series with the extension batch_file_EXT, holding one
// value per line, each followed by "\n".

#include <QString>
#include <QStringList>
#include <optional>

// The extension of series files.
inline const QString batch_file_EXT = QStringLiteral("txt");

// Error text of every failed series file access.
inline const QString Series_Access_Error_Text = QStringLiteral("Error in file accessing.");

// A name that stays a file inside the data folder: not empty, not "." or
// "..", without "/" or a NUL character.
bool Is_Valid_Series_Name(const QString& name);

// Data_Folder_Path/name.txt, or "" for a name that is not valid.
QString Series_File_Path(const QString& name);

// The whole file as text; nothing when the name is not valid, the file is
// missing, unreadable, very large or not valid UTF-8. A leading byte-order
// mark is dropped.
std::optional<QString> Read_Series_Text(const QString& name);

// The first line, untrimmed; "" when there is none.
QString Get_First_Value_Of_Dataset(const QString& name);

// The records of a batch: the text with white space and control characters
// trimmed from its end only, split at "\n". Empty records at the top stay,
// so series imported together stay aligned. Nothing when unreadable (the
// reason is logged).
std::optional<QStringList> Read_Batch_Values(const QString& name);

// Values for display and editing: every line trimmed, empty ones left out.
QStringList Read_Display_Values(const QString& name);

// Writes the values as they are, one per line (a line break inside a value
// becomes one space), replacing the file or appending to it. The file is
// replaced only after a complete write; false on any failure, with the old
// file intact. Shows nothing: callers decide about the message.
bool Write_Series_File(const QString& name, const QStringList& values, bool append = false);
