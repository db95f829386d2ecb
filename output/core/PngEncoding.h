#pragma once
// A fast PNG encoder for card pictures: 8-bit RGBA (or RGB without an alpha
// channel), every row filtered by its upper neighbour, one zlib stream made
// by libdeflate, and the resolution in a pHYs chunk.

#include <QByteArray>
#include <QImage>

namespace png {

// True for the images encode() takes: 32-bit RGB and ARGB pictures without
// text entries or a colour space, which need chunks this encoder does not
// write. Other images go to Qt's writer.
bool canEncode(const QImage& image);

// The PNG file of `image`; empty when it cannot be encoded (see canEncode,
// or out of memory).
QByteArray encode(const QImage& image);

} // namespace png
