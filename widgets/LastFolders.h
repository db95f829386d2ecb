#pragma once
// Where open and save panels start: the folder last used for that kind of
// file in this run, else the user's home (its Pictures folder for pictures,
// when there is one). Kept in memory for the run only.

#include <QString>

namespace hooks {

// The kinds of file a panel is for; each remembers its own folder.
enum class FileKind { Other, Picture, Design, Workbook, Export };

// The folder a panel for that kind starts in.
QString startFolder(FileKind kind);
// Records the folder of a chosen file (or a chosen folder itself) as the
// place the next panel of that kind starts.
void rememberFolder(FileKind kind, const QString& chosenPath, bool isFolder);

} // namespace hooks
