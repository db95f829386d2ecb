#include "Hatches.h"

#include "Canvas.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

namespace resgen {

namespace {

constexpr int kTile = 16;
constexpr double kSpacing = 8.0;
constexpr double kHalfWidth = 0.5; // lines one pixel wide

// Share of a pixel covered by a line whose centre is `distance` away.
double lineCoverage(double distance) {
    return std::clamp(kHalfWidth + 0.5 - distance, 0.0, 1.0);
}

// Coverage of the pixel whose centre is (px, py); every function is periodic
// with a period dividing the tile, which is what makes the tiles seamless.
using Coverage = std::function<double(double px, double py)>;

double horizontal(double, double py) {
    return lineCoverage(periodicDistance(py - 3.5, kSpacing));
}
double vertical(double px, double) {
    return lineCoverage(periodicDistance(px - 3.5, kSpacing));
}
// Diagonal lines are drawn as crisp one-pixel staircases: smoothing them on
// a tile this small only blurs the pattern.
double diagonalCoverage(double distance) {
    return distance < 0.5 ? 1.0 : 0.0;
}
double rising(double px, double py) {
    return diagonalCoverage(periodicDistance(px + py, kSpacing) / std::numbers::sqrt2);
}
double falling(double px, double py) {
    return diagonalCoverage(periodicDistance(px - py, kSpacing) / std::numbers::sqrt2);
}
double dots(double px, double py) {
    const double dx = periodicDistance(px - 3.5, kSpacing);
    const double dy = periodicDistance(py - 3.5, kSpacing);
    constexpr double kDotRadius = 1.5;
    return std::clamp(kDotRadius + 0.5 - std::sqrt(dx * dx + dy * dy), 0.0, 1.0);
}
double bricks(double px, double py) {
    // Courses one spacing high; the joints of every other course are offset
    // by half a brick.
    const double course = std::floor(py / kSpacing);
    const double offset = std::fmod(course, 2.0) * kSpacing;
    const double joint = lineCoverage(periodicDistance(px - 0.5 - offset, 2 * kSpacing));
    const double bed = lineCoverage(periodicDistance(py - 7.5, kSpacing));
    return std::max(joint, bed);
}

QImage drawTile(const Coverage& coverage) {
    QImage image = newImage(kTile, kTile, true);
    for (int y = 0; y < kTile; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kTile; ++x) {
            const double c = coverage(x + 0.5, y + 0.5);
            line[x] = qRgba(0, 0, 0, static_cast<int>(std::lround(255.0 * c)));
        }
    }
    return image;
}

Picture hatch(const char* name, Coverage coverage) {
    return {QStringLiteral("Fill_Style_Image/%1.png").arg(QLatin1String(name)),
            [coverage] { return drawTile(coverage); }};
}

} // namespace

PictureList hatchPictures() {
    return {
        hatch("horizontal", horizontal),
        hatch("vertical", vertical),
        hatch("cross",
              [](double px, double py) { return std::max(horizontal(px, py), vertical(px, py)); }),
        hatch("diagonal", rising),
        hatch("back-diagonal", falling),
        hatch("diagonal-cross",
              [](double px, double py) { return std::max(rising(px, py), falling(px, py)); }),
        hatch("dots", dots),
        hatch("bricks", bricks),
    };
}

} // namespace resgen
