#pragma once
// Drawing surfaces and the few pixel-level fills the pictures share.
//
// Gradients are computed per pixel here rather than by QPainter so that the
// output does not depend on which SIMD path the raster engine picks: the same
// generator gives the same bytes on every machine.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QString>
#include <cstdint>

namespace resgen {

// A transparent (ARGB) or white opaque (RGB) picture whose resolution is
// 72 dots per inch, so its size in points equals its size in pixels.
QImage newImage(int width, int height, bool transparent);

// A painter with antialiasing on, for the vector ornaments.
void prepare(QPainter& painter);

// Colour between a and b at t in [0, 1], rounded per channel.
QColor mix(const QColor& a, const QColor& b, double t);

// Fills the whole picture with a linear gradient running from `from` to
// `to` along the direction (dx, dy) (need not be normalised).
void fillLinear(QImage& image, const QColor& from, const QColor& to, double dx, double dy);

// Fills the whole picture with a radial gradient: `inner` at the centre,
// `outer` at `radius` and beyond.
void fillRadial(QImage& image, const QPointF& centre, double radius, const QColor& inner,
                const QColor& outer);

// Distance from v to the nearest multiple of the period; the building block
// of the seamless tile patterns.
double periodicDistance(double v, double period);

// Writes the picture; the suffix of the path chooses PNG or JPEG. Answers
// false with `error` filled when the file cannot be written.
bool writePicture(const QImage& image, const QString& path, QString* error);

// A small deterministic pseudo-random sequence (splitmix64), the same on
// every platform and library, for scattered ornaments.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : m_state(seed) {}
    // Uniform in [0, 1).
    double next();
    // Uniform in [low, high).
    double range(double low, double high) { return low + (high - low) * next(); }

private:
    std::uint64_t m_state;
};

} // namespace resgen
