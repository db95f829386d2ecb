#pragma once
// Text measurement for barcode pictures, in points: fonts are resolved at
// 72 dots per inch, so measurements agree with what the renderer draws on
// any device. Kerning is an absolute extra advance after each character.
// Safe on any thread.

#include <QFont>
#include <QFontMetricsF>
#include <QSizeF>
#include <QString>

namespace BarcodeText {

// The font with `kerning` points of extra advance after each character.
QFont kernedFont(const QFont& font, double kerning);

// Metrics of the font resolved at 72 dpi.
QFontMetricsF metrics(const QFont& font);

// Height of a text band in inches: the cap height c (points) plus 35 %,
// c / 72 + 0.35 x c / 72, in double precision and answered as a float.
float bandHeightInches(const QFont& font);

// Size of a (possibly multi-line) text laid out with the font and kerning.
QSizeF textSize(const QString& text, const QFont& font, double kerning = 0.0);

} // namespace BarcodeText
