#include "platform/CardUnits.h"

#include <QFontInfo>
#include <QPaintDevice>
#include <QPainter>
#include <cmath>

namespace CardUnits {
namespace {

constexpr double kMetresPerInch = 0.0254;

int defaultDotsPerMeterX() {
    static const int value = QImage(1, 1, QImage::Format_ARGB32).dotsPerMeterX();
    return value;
}
int defaultDotsPerMeterY() {
    static const int value = QImage(1, 1, QImage::Format_ARGB32).dotsPerMeterY();
    return value;
}

double dpiFromDotsPerMeter(int dpm, int defaultDpm) {
    if (dpm <= 0 || dpm == defaultDpm) {
        return kPointsPerInch;
    }
    // Dots per metre are whole numbers; snap to the whole dpi they stand for
    // (72 dpi is stored as 2835, which reads back as 72.009).
    const double dpi = dpm * kMetresPerInch;
    const double whole = std::round(dpi);
    return std::abs(dpi - whole) < 0.05 ? whole : dpi;
}

// A card font resized so that one card point is one unit at `dpi`.
QFont scaledForDpi(const QFont& cardFont, int dpi) {
    QFont font = cardFont;
    if (dpi <= 0 || dpi == static_cast<int>(kPointsPerInch)) {
        return font;
    }
    const double factor = kPointsPerInch / dpi;
    const double size = cardFont.pointSizeF() > 0 ? cardFont.pointSizeF() : cardFont.pixelSize();
    if (size > 0) {
        font.setPointSizeF(size * factor);
    }
    // Absolute letter and word spacing count in the font's pixels: they
    // shrink with the size, or a high-resolution device spreads the letters.
    if (cardFont.letterSpacingType() == QFont::AbsoluteSpacing && cardFont.letterSpacing() != 0) {
        font.setLetterSpacing(QFont::AbsoluteSpacing, cardFont.letterSpacing() * factor);
    }
    if (cardFont.wordSpacing() != 0) {
        font.setWordSpacing(cardFont.wordSpacing() * factor);
    }
    return font;
}

// The resolution Qt gives a font that belongs to no device (the primary
// screen's, or a fallback without one), measured rather than assumed: a
// 72-point font resolves to that many pixels.
int layoutDpi() {
    QFont probe;
    probe.setPointSizeF(kPointsPerInch);
    const int dpi = QFontInfo(probe).pixelSize();
    return dpi > 0 ? dpi : static_cast<int>(kPointsPerInch);
}

} // namespace

float mmToPoints(double mm) {
    return static_cast<float>(mm * 2.834645669291);
}
float pointsToMm(double points) {
    return static_cast<float>(points * 0.3527777777778);
}

QFont fontForDevice(const QFont& cardFont, const QPaintDevice* device) {
    if (!device) {
        return cardFont;
    }
    return scaledForDpi(cardFont, device->logicalDpiY());
}

QFont fontForPainter(const QFont& cardFont, const QPainter& painter) {
    return fontForDevice(cardFont, painter.device());
}

QFont fontForLayout(const QFont& cardFont) {
    return scaledForDpi(cardFont, layoutDpi());
}

QImage makeRaster(const QSizeF& points, double scale, QImage::Format format) {
    const double w = std::ceil(points.width() * scale);
    const double h = std::ceil(points.height() * scale);
    if (!(w >= 1 && h >= 1) || w > 1e6 || h > 1e6) {
        return {};
    }
    QImage image(static_cast<int>(w), static_cast<int>(h), format);
    if (image.isNull()) {
        return image;
    }
    markResolution(image, kPointsPerInch);
    return image;
}

void markResolution(QImage& image, double dotsPerInch) {
    const int dpm = static_cast<int>(std::lround(dotsPerInch / kMetresPerInch));
    image.setDotsPerMeterX(dpm);
    image.setDotsPerMeterY(dpm);
}

double imageDpiX(const QImage& image) {
    return dpiFromDotsPerMeter(image.dotsPerMeterX(), defaultDotsPerMeterX());
}
double imageDpiY(const QImage& image) {
    return dpiFromDotsPerMeter(image.dotsPerMeterY(), defaultDotsPerMeterY());
}

QSizeF imageSizeInPoints(const QImage& image) {
    if (image.isNull()) {
        return {};
    }
    return {image.width() * kPointsPerInch / imageDpiX(image),
            image.height() * kPointsPerInch / imageDpiY(image)};
}

} // namespace CardUnits
