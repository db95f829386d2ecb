#pragma once
// Outside decoders for linear symbols: a module string is drawn into a PNG
// and read back by zbarimg and ZXingReader.

#include <QByteArray>
#include <QString>
#include <optional>

namespace lineardecode {

// Draws the modules ("1" black, "0" white) at 3 pixels per module with 25
// white modules on each side into a PNG file; false when it cannot be
// written.
bool writeSymbolPng(const QString& modules, const QString& path);

// The data zbarimg reads from the picture; none when it reads nothing.
std::optional<QByteArray> zbarRead(const QString& zbarimg, const QString& png);

// The data ZXingReader reads from the picture with the format given (a
// ZXing format name); none when it reads nothing.
std::optional<QByteArray> zxingRead(const QString& zxing, const QString& png,
                                    const QString& format);

} // namespace lineardecode
