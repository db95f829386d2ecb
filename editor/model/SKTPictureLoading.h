#pragma once
// Reads a picture file for a card object: the path is standardised first and
// an unreadable file gives no picture. The reason a file cannot be shown is
// told in words for the messages of the windows that chose it.

#include "platform/CardPicture.h"

#include <QString>

// Why a picture file gives no picture; None when it reads.
enum class SKTPictureProblem { None, Missing, NotPicture, TooLarge };

// The picture of a file, or a null picture; `problem`, when given, says why
// the picture is null (None when it is not).
CardPicture SKTLoadPictureFile(const QString& path, SKTPictureProblem* problem = nullptr);

// The end of a message naming the file: "is not a picture the program can
// read", "is too large", "cannot be found"; empty for None.
QString SKTPictureProblemText(SKTPictureProblem problem);
