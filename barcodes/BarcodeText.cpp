#include "barcodes/BarcodeText.h"

#include "platform/CardUnits.h"

#include <QImage>
#include <QStringList>
#include <algorithm>
#include <cmath>

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
    QSizeF size = metrics(font).size(0, text);
    if (kerning != 0.0 && std::isfinite(kerning)) {
        // The extra advance after each character of the longest line.
        qsizetype longest = 0;
        for (const QString& line : text.split(QLatin1Char('\n'))) {
            longest = std::max(longest, line.size());
        }
        size.rwidth() += kerning * static_cast<double>(longest);
    }
    return size;
}

} // namespace BarcodeText
