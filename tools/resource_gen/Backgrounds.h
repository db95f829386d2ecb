#pragma once
// Card background pictures for the invitation wizard and the card inspector:
// soft gradients with borders and ornaments kept to the edges, leaving the
// middle free for the invitation's text. All are 724 x 468 pixels.

#include "Picture.h"

namespace resgen {

PictureList backgroundPictures();

} // namespace resgen
