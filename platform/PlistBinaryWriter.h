#pragma once
// Writes the binary property-list format ("bplist00") ourselves. libplist
// 2.2's writer merges equal arrays, dictionaries and data depending on where
// they happen to lie in memory, so the same document gave different bytes
// from run to run. Here equal strings, numbers, UIDs and data are stored
// once and containers never shared: the same tree always gives the same
// bytes, and any binary property-list reader reads them.

#include <QByteArray>

namespace PlistBinaryWriter {

// The bytes of a libplist tree; empty for a null node or a tree nested
// deeper than 512 levels.
QByteArray write(void* root);

} // namespace PlistBinaryWriter
