#pragma once
// What the main window tells about picture files that give no picture: a
// file the user chose is named with its reason and nothing is applied; the
// pictures of an opened design that could not be shown are listed once.

#include "editor/model/SKTPictureLoading.h"
#include "platform/CardPicture.h"

#include <QList>
#include <QPair>
#include <QString>

namespace picture_messages {

using Unshown = QList<QPair<QString, SKTPictureProblem>>;

// "\"name.png\" is not a picture the program can read." (the file's name).
QString chosenPictureText(const QString& path, SKTPictureProblem problem);

// The picture of a file the user chose; when the file gives none, the user
// is told why and the answer is a null picture.
CardPicture readChosenPicture(const QString& path);
// Whether the header of a file the user chose reads as a picture the
// program takes, without decoding its pixels (the object that takes it
// decodes them once, for its frame); when not, the user is told why.
bool checkChosenPicture(const QString& path);

// Whether a path only names one of the program's own placeholder pictures
// (empty, or "no.png" and its kind in a resource folder, perhaps of another
// installation): such a picture is no picture of the user's.
bool isPlaceholderPath(const QString& path);

// One message listing the pictures that could not be shown (each by its
// path, with its reason); placeholders are left out, and empty when nothing
// is left to tell.
QString unshownPicturesText(const Unshown& pictures);

} // namespace picture_messages
