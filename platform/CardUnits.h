#pragma once
// Card coordinates are points (1/72 inch), origin top left, y down, on every
// device. These helpers make text and rasters agree with that: a 14-point
// text has the same size on the canvas, in an image, in a PDF and on paper.

#include <QFont>
#include <QImage>
#include <QSizeF>

class QPaintDevice;
class QPainter;

namespace CardUnits {

inline constexpr double kPointsPerInch = 72.0;

// Millimetres and points (1 mm = 2.834645669291 pt), products in double
// precision, results as single-precision floats.
float mmToPoints(double mm);
float pointsToMm(double points);

// A card font resolved for the device so that one card point is one device
// unit before the painter's own transform (devices of any logical dpi).
QFont fontForDevice(const QFont& cardFont, const QPaintDevice* device);
// The same for the device the painter is drawing on.
QFont fontForPainter(const QFont& cardFont, const QPainter& painter);
// The same for text laid out without a device (QTextLayout, QFontMetricsF of
// a bare font), which Qt resolves at its default resolution for fonts.
QFont fontForLayout(const QFont& cardFont);

// A raster for drawing card content in points at `scale` pixels per point:
// ceil(size * scale) pixels, marked 72 dots per inch while painting so fonts
// resolve in points. Call markResolution afterwards so the picture's size in
// points reads back right.
QImage makeRaster(const QSizeF& points, double scale, QImage::Format format);
void markResolution(QImage& image, double dotsPerInch);

// Dots per inch stored in the image. An image whose resolution is the one Qt
// gives every new image (no resolution in the file) counts as 72 dpi, as the
// card pictures of design files expect.
double imageDpiX(const QImage& image);
double imageDpiY(const QImage& image);
// Size in points: pixels x 72 / resolution.
QSizeF imageSizeInPoints(const QImage& image);

} // namespace CardUnits
