#include "barcodes/BarcodeText.h"

#include "platform/CardUnits.h"

#include <QImage>

namespace BarcodeText {
namespace {

// A tiny raster marked 72 dpi: metrics taken on it are in points.
const QPaintDevice* pointDevice() {
    thread_local QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        CardUnits::markResolution(image, CardUnits::kPointsPerInch);
        return image;
    }();
    return &device;
}

} // namespace

QFont kernedFont(const QFont& font, double kerning) {
    QFont kerned = font;
    kerned.setLetterSpacing(QFont::AbsoluteSpacing, kerning);
    return kerned;
}

QFontMetricsF metrics(const QFont& font) {
    return QFontMetricsF(font, pointDevice());
}

float bandHeightInches(const QFont& font) {
    const double cap = metrics(font).capHeight();
    return static_cast<float>(cap / 72.0 + 0.35 * (cap / 72.0));
}

QSizeF textSize(const QString& text, const QFont& font, double kerning) {
    if (text.isEmpty()) {
        return {0.0, metrics(font).height()};
    }
    return metrics(kernedFont(font, kerning)).size(0, text);
}

} // namespace BarcodeText
