#pragma once
// Hatch fill patterns: small tiles of black lines on a transparent ground.
// The card and shape fills paint them as a repeating pattern over the hatch
// background colour, so every tile continues seamlessly across its edges.

#include "Picture.h"

namespace resgen {

// The pattern tiles, one per hatch name, in "Fill_Style_Image".
PictureList hatchPictures();

} // namespace resgen
