#pragma once
// Reads a PNG file row by row through libpng at fewer pixels, averaging
// every source pixel into the one it falls on, 8 bits a sample. Used for
// 16-bit PNGs, which Qt decodes whole at 8 bytes a pixel before it scales
// them: here only one row of the file is held (the whole picture at 4 bytes
// a pixel for an interlaced file).

#include <QImage>
#include <QSize>
#include <QString>

namespace PngReducedReader {

// The picture at `target` pixels (as stored; the whole picture for an
// invalid or larger target), or a null image when the file does not decode
// (no PNG, corrupt or cut short).
QImage read(const QString& path, const QSize& target);

} // namespace PngReducedReader
