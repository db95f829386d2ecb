#pragma once
// Reads a picture file for a card object: the path is standardised first and
// an unreadable file gives no picture.

#include "platform/CardPicture.h"

#include <QString>

CardPicture SKTLoadPictureFile(const QString& path);
