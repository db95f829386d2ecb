#pragma once
// Colours as scripts pass them: a 'cRGB' descriptor of three unsigned 16-bit
// components (red, green, blue) in native byte order.

#include <QByteArray>
#include <QColor>

// The colour of exactly six bytes (alpha 1); an invalid colour otherwise.
QColor SKTScriptingRGBColorWithDescriptor(const QByteArray& descriptor);
// The colour as RGB, each component times 65535 and truncated.
QByteArray SKTScriptingRGBColorDescriptor(const QColor& color);
