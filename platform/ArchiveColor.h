#pragma once
// The component text of archived colours: "r g b" (+ " a" when alpha is not
// 1) in shortest exact numbers with '.', NUL-terminated.

#include <QByteArray>
#include <QColor>
#include <optional>
#include <vector>

namespace ArchiveColor {

QByteArray rgbText(const QColor& color);

// The numbers of a component text (up to the first NUL), each clamped into
// [0, 1]; none when a token is not a finite number or there are more than 8.
std::optional<std::vector<double>> components(const QByteArray& text);

// From a colour space code (1-5) and its components; invalid when they do not
// fit the space.
QColor fromRgb(const std::vector<double>& c);
QColor fromWhite(const std::vector<double>& c);
QColor fromCmyk(const std::vector<double>& c);
// Components of a component-based colour: 1-2 grey, 3-4 RGB, 5 CMYK + alpha.
QColor fromComponents(const std::vector<double>& c);

} // namespace ArchiveColor
