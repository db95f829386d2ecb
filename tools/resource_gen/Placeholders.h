#pragma once
// The pictures new objects start with and the creation cursor:
// "no.png" (missing picture), "sign_sample.png", "fingerprints.png",
// "barcode_sample.png" and "Cross.png", all directly in the resource folder.

#include "Picture.h"

namespace resgen {

PictureList placeholderPictures();

} // namespace resgen
