#pragma once
// The print dialog's nine alignment buttons, each in a normal and a
// selected picture, directly in the resource folder: "top_left.png",
// "top_left - sel.png", ... under the names the dialog loads.

#include "Picture.h"

namespace resgen {

PictureList alignmentPictures();

} // namespace resgen
