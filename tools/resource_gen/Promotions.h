#pragma once
// The three pictures of the promotion window: a stamp, a receipt and a name
// badge, each 160 x 160 pixels on a transparent ground.

#include "Picture.h"

namespace resgen {

PictureList promotionPictures();

} // namespace resgen
