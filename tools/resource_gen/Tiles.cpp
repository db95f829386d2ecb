#include "Tiles.h"

#include "Canvas.h"

#include <algorithm>
#include <cmath>

namespace resgen {

namespace {

// Soft band profile: 1 on the line, falling to 0 at `halfWidth` + 1.
double band(double distance, double halfWidth) {
    return std::clamp(halfWidth + 1.0 - distance, 0.0, 1.0);
}

// Blue with lighter diagonal stripes.
QImage banner() {
    constexpr int kSize = 32;
    QImage image = newImage(kSize, kSize, false);
    const QColor base(74, 111, 165);
    const QColor stripe(88, 126, 180);
    for (int y = 0; y < kSize; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kSize; ++x) {
            const double d = periodicDistance(x + y + 1.0, 16.0);
            line[x] = mix(base, stripe, band(d, 3.0)).rgb();
        }
    }
    return image;
}

// Cream ground with a fine diamond lattice and a dot in every diamond.
QImage promotionPattern() {
    constexpr int kSize = 96;
    constexpr double kPeriod = 48.0;
    QImage image = newImage(kSize, kSize, false);
    const QColor ground(250, 246, 238);
    const QColor lattice(232, 220, 196);
    const QColor dot(222, 205, 168);
    for (int y = 0; y < kSize; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kSize; ++x) {
            const double px = x + 0.5;
            const double py = y + 0.5;
            const double d1 = periodicDistance(px + py, kPeriod) / std::sqrt(2.0);
            const double d2 = periodicDistance(px - py, kPeriod) / std::sqrt(2.0);
            QColor colour = mix(ground, lattice, band(std::min(d1, d2), 0.5));
            // Diamond centres lie half a period along both axes from the
            // lattice crossings.
            const double cx = periodicDistance(px - kPeriod / 2, kPeriod);
            const double cy = periodicDistance(py, kPeriod);
            const double ex = periodicDistance(px, kPeriod);
            const double ey = periodicDistance(py - kPeriod / 2, kPeriod);
            const double toCentre =
                std::min(std::sqrt(cx * cx + cy * cy), std::sqrt(ex * ex + ey * ey));
            colour = mix(colour, dot, band(toCentre, 2.5));
            line[x] = colour.rgb();
        }
    }
    return image;
}

} // namespace

PictureList tilePictures() {
    return {
        {QStringLiteral("banner.png"), banner},
        {QStringLiteral("pattern_1.jpg"), promotionPattern},
    };
}

} // namespace resgen
