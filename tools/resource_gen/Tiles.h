#pragma once
// Repeating window patterns: "banner.png" behind the template window's banner
// and "pattern_1.jpg" behind the promotion window. Both tile seamlessly.

#include "Picture.h"

namespace resgen {

PictureList tilePictures();

} // namespace resgen
