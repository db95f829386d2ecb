#pragma once
// The picture library: one folder per category inside "LibraryImage"
// ("Flowers", "Hearts", "Stars"), each with a few pictures on a transparent
// ground for picture objects.

#include "Picture.h"

namespace resgen {

PictureList libraryPictures();

} // namespace resgen
