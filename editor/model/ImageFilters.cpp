#include "editor/model/ImageFilters.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace ImageFilters {
namespace {

constexpr float kLumaR = 0.2126f;
constexpr float kLumaG = 0.7152f;
constexpr float kLumaB = 0.0722f;

using Matrix = std::array<float, 9>;

// A writable straight-alpha copy of the picture (null when it cannot be
// made).
QImage writableCopy(const QImage& image) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    if (out.isNull() || out.bits() == nullptr) {
        return {};
    }
    return out;
}

inline int toByte(float value) {
    // NaN compares false both ways and ends up as 0.
    if (!(value > 0.0f)) {
        return 0;
    }
    if (value >= 1.0f) {
        return 255;
    }
    return static_cast<int>(value * 255.0f + 0.5f);
}

// Runs `change(r, g, b)` (values 0..1) over every pixel, keeping alpha.
template <typename Change> QImage perPixel(const QImage& image, Change change) {
    QImage out = writableCopy(image);
    if (out.isNull()) {
        return out;
    }
    constexpr float kInv = 1.0f / 255.0f;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb p = line[x];
            float r = qRed(p) * kInv;
            float g = qGreen(p) * kInv;
            float b = qBlue(p) * kInv;
            change(r, g, b);
            line[x] = qRgba(toByte(r), toByte(g), toByte(b), qAlpha(p));
        }
    }
    return out;
}

QImage applyMatrix(const QImage& image, const Matrix& m) {
    return perPixel(image, [&m](float& r, float& g, float& b) {
        const float nr = m[0] * r + m[1] * g + m[2] * b;
        const float ng = m[3] * r + m[4] * g + m[5] * b;
        const float nb = m[6] * r + m[7] * g + m[8] * b;
        r = nr;
        g = ng;
        b = nb;
    });
}

bool isNeutral(float value, float neutral) {
    return !std::isfinite(value) || value == neutral;
}

// One pass of a running-sum box average along rows (horizontal) or columns,
// over premultiplied ARGB values, edges repeated.
void boxPass(const QImage& src, QImage& dst, int radius, bool horizontal) {
    const int w = src.width();
    const int h = src.height();
    const int length = horizontal ? w : h;
    const int lines = horizontal ? h : w;
    const int window = 2 * radius + 1;
    std::vector<QRgb> buffer(static_cast<size_t>(length));
    auto at = [&](int line, int i) -> QRgb {
        return horizontal ? reinterpret_cast<const QRgb*>(src.constScanLine(line))[i]
                          : reinterpret_cast<const QRgb*>(src.constScanLine(i))[line];
    };
    for (int line = 0; line < lines; ++line) {
        for (int i = 0; i < length; ++i) {
            buffer[static_cast<size_t>(i)] = at(line, i);
        }
        auto sample = [&](int i) {
            return buffer[static_cast<size_t>(std::clamp(i, 0, length - 1))];
        };
        long sa = 0, sr = 0, sg = 0, sb = 0;
        for (int i = -radius; i <= radius; ++i) {
            const QRgb p = sample(i);
            sa += qAlpha(p);
            sr += qRed(p);
            sg += qGreen(p);
            sb += qBlue(p);
        }
        for (int i = 0; i < length; ++i) {
            const QRgb out = qRgba(static_cast<int>((sr + window / 2) / window),
                                   static_cast<int>((sg + window / 2) / window),
                                   static_cast<int>((sb + window / 2) / window),
                                   static_cast<int>((sa + window / 2) / window));
            if (horizontal) {
                reinterpret_cast<QRgb*>(dst.scanLine(line))[i] = out;
            } else {
                reinterpret_cast<QRgb*>(dst.scanLine(i))[line] = out;
            }
            const QRgb leaving = sample(i - radius);
            const QRgb entering = sample(i + radius + 1);
            sa += qAlpha(entering) - qAlpha(leaving);
            sr += qRed(entering) - qRed(leaving);
            sg += qGreen(entering) - qGreen(leaving);
            sb += qBlue(entering) - qBlue(leaving);
        }
    }
}

} // namespace

QImage grayScale(const QImage& image) {
    return perPixel(image, [](float& r, float& g, float& b) {
        const float luma = kLumaR * r + kLumaG * g + kLumaB * b;
        r = g = b = luma;
    });
}

QImage sepia(const QImage& image) {
    return applyMatrix(image,
                       {0.393f, 0.769f, 0.189f, 0.349f, 0.686f, 0.168f, 0.272f, 0.534f, 0.131f});
}

QImage invertColor(const QImage& image) {
    return perPixel(image, [](float& r, float& g, float& b) {
        r = 1.0f - r;
        g = 1.0f - g;
        b = 1.0f - b;
    });
}

QImage adjustHue(const QImage& image, float radians) {
    if (isNeutral(radians, 0.0f)) {
        return image;
    }
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    return applyMatrix(image, {
                                  0.213f + c * 0.787f - s * 0.213f,
                                  0.715f - c * 0.715f - s * 0.715f,
                                  0.072f - c * 0.072f + s * 0.928f,
                                  0.213f - c * 0.213f + s * 0.143f,
                                  0.715f + c * 0.285f + s * 0.140f,
                                  0.072f - c * 0.072f - s * 0.283f,
                                  0.213f - c * 0.213f - s * 0.787f,
                                  0.715f - c * 0.715f + s * 0.715f,
                                  0.072f + c * 0.928f + s * 0.072f,
                              });
}

QImage colorControls(const QImage& image, float saturation, float brightness, float contrast) {
    const bool sat = !isNeutral(saturation, 1.0f);
    const bool brt = !isNeutral(brightness, 0.0f);
    const bool con = !isNeutral(contrast, 1.0f);
    if (!sat && !brt && !con) {
        return image;
    }
    const float s = sat ? saturation : 1.0f;
    const float add = brt ? brightness : 0.0f;
    const float k = con ? contrast : 1.0f;
    return perPixel(image, [s, add, k](float& r, float& g, float& b) {
        const float luma = kLumaR * r + kLumaG * g + kLumaB * b;
        r = ((luma + s * (r - luma)) + add - 0.5f) * k + 0.5f;
        g = ((luma + s * (g - luma)) + add - 0.5f) * k + 0.5f;
        b = ((luma + s * (b - luma)) + add - 0.5f) * k + 0.5f;
    });
}

QImage sharpenLuminance(const QImage& image, float amount) {
    if (isNeutral(amount, 0.0f)) {
        return image;
    }
    QImage out = writableCopy(image);
    if (out.isNull()) {
        return out;
    }
    const int w = out.width();
    const int h = out.height();
    std::vector<float> luma(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(out.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            luma[static_cast<size_t>(y) * w + x] =
                (kLumaR * qRed(line[x]) + kLumaG * qGreen(line[x]) + kLumaB * qBlue(line[x])) /
                255.0f;
        }
    }
    auto L = [&](int x, int y) {
        return luma[static_cast<size_t>(std::clamp(y, 0, h - 1)) * w + std::clamp(x, 0, w - 1)];
    };
    constexpr float kInv = 1.0f / 255.0f;
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            float mean = 0.0f;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    mean += L(x + dx, y + dy);
                }
            }
            mean /= 9.0f;
            const float delta = amount * (L(x, y) - mean);
            const QRgb p = line[x];
            line[x] = qRgba(toByte(qRed(p) * kInv + delta), toByte(qGreen(p) * kInv + delta),
                            toByte(qBlue(p) * kInv + delta), qAlpha(p));
        }
    }
    return out;
}

QImage boxBlur(const QImage& image, float radius) {
    if (!std::isfinite(radius) || radius < 0.5f || image.isNull()) {
        return image;
    }
    const int limit = std::max(image.width(), image.height());
    const int r = static_cast<int>(std::min(std::lround(radius), static_cast<long>(limit)));
    QImage src = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage tmp(src.size(), QImage::Format_ARGB32_Premultiplied);
    QImage dst(src.size(), QImage::Format_ARGB32_Premultiplied);
    if (src.isNull() || tmp.isNull() || dst.isNull()) {
        return {};
    }
    boxPass(src, tmp, r, true);
    boxPass(tmp, dst, r, false);
    QImage out = dst.convertToFormat(QImage::Format_ARGB32);
    if (out.isNull()) {
        return {};
    }
    out.setDotsPerMeterX(image.dotsPerMeterX());
    out.setDotsPerMeterY(image.dotsPerMeterY());
    return out;
}

QImage exposure(const QImage& image, float ev) {
    if (isNeutral(ev, 0.0f)) {
        return image;
    }
    const float factor = std::exp2(ev);
    return perPixel(image, [factor](float& r, float& g, float& b) {
        r *= factor;
        g *= factor;
        b *= factor;
    });
}

} // namespace ImageFilters
