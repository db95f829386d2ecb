#include "Canvas.h"

#include <QImageWriter>
#include <algorithm>
#include <cmath>

namespace resgen {

namespace {
// 72 dots per inch in dots per metre, as PNG and QImage store it.
constexpr int kDotsPerMetre72 = 2835;
constexpr int kJpegQuality = 90;

QRgb rgbAt(const QColor& a, const QColor& b, double t) {
    return mix(a, b, t).rgba();
}
} // namespace

QImage newImage(int width, int height, bool transparent) {
    QImage image(width, height,
                 transparent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    image.fill(transparent ? Qt::transparent : Qt::white);
    image.setDotsPerMeterX(kDotsPerMetre72);
    image.setDotsPerMeterY(kDotsPerMetre72);
    return image;
}

void prepare(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing, true);
}

QColor mix(const QColor& a, const QColor& b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    const auto channel = [t](int x, int y) {
        return static_cast<int>(std::lround(x + (y - x) * t));
    };
    return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()),
                  channel(a.blue(), b.blue()), channel(a.alpha(), b.alpha()));
}

void fillLinear(QImage& image, const QColor& from, const QColor& to, double dx, double dy) {
    // Project every pixel centre on the direction; the extreme corners map to
    // 0 and 1.
    const double w = image.width();
    const double h = image.height();
    const double corners[4] = {0.0, w * dx, h * dy, w * dx + h * dy};
    const double low = *std::min_element(std::begin(corners), std::end(corners));
    const double high = *std::max_element(std::begin(corners), std::end(corners));
    const double span = high > low ? high - low : 1.0;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const double along = (x + 0.5) * dx + (y + 0.5) * dy;
            line[x] = qPremultiply(rgbAt(from, to, (along - low) / span));
        }
    }
}

void fillRadial(QImage& image, const QPointF& centre, double radius, const QColor& inner,
                const QColor& outer) {
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const double ddx = x + 0.5 - centre.x();
            const double ddy = y + 0.5 - centre.y();
            line[x] = qPremultiply(rgbAt(inner, outer, std::sqrt(ddx * ddx + ddy * ddy) / radius));
        }
    }
}

double periodicDistance(double v, double period) {
    double rest = std::fmod(v, period);
    if (rest < 0) {
        rest += period;
    }
    return std::min(rest, period - rest);
}

bool writePicture(const QImage& image, const QString& path, QString* error) {
    QImageWriter writer(path);
    const bool jpeg = path.endsWith(QStringLiteral(".jpg"), Qt::CaseInsensitive);
    writer.setFormat(jpeg ? "jpeg" : "png");
    if (jpeg) {
        writer.setQuality(kJpegQuality);
    }
    // Opaque pictures are written without an alpha channel (smaller files).
    const QImage out = image.hasAlphaChannel() && !jpeg
                           ? image.convertToFormat(QImage::Format_ARGB32)
                           : image.convertToFormat(QImage::Format_RGB32);
    if (!writer.write(out)) {
        if (error != nullptr) {
            *error = writer.errorString();
        }
        return false;
    }
    return true;
}

double Rng::next() {
    m_state += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = m_state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) * 0x1.0p-53;
}

} // namespace resgen
