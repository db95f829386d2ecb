#include "editor/model/ImageFilters.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
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

// An affine colour change: out_i = sum_j m[3i + j] c_j + offset_i, on
// values 0..1. Done with per-channel tables in 16.16 fixed point, so every
// pixel costs nine lookups.
QImage applyAffine(const QImage& image, const Matrix& m, const std::array<float, 3>& offset) {
    const QImage in = image.convertToFormat(QImage::Format_ARGB32);
    QImage out(in.size(), QImage::Format_ARGB32);
    if (in.isNull() || out.isNull()) {
        return {};
    }
    out.setDotsPerMeterX(image.dotsPerMeterX());
    out.setDotsPerMeterY(image.dotsPerMeterY());
    // Entries are kept within +-2^28 so three of them and an offset add up
    // without overflow.
    constexpr float kOne = 65536.0f;
    static constexpr float kLimit = 268435456.0f;
    auto fixed = [](float value) {
        return static_cast<std::int32_t>(std::lround(std::clamp(value, -kLimit, kLimit)));
    };
    std::vector<std::int32_t> tables(9 * 256);
    for (size_t k = 0; k < 9; ++k) {
        const float coefficient = std::isfinite(m[k]) ? m[k] : 0.0f;
        for (int v = 0; v < 256; ++v) {
            tables[k * 256 + static_cast<size_t>(v)] = fixed(coefficient * v * kOne);
        }
    }
    std::int32_t offsets[3];
    for (size_t i = 0; i < 3; ++i) {
        const float o = std::isfinite(offset[i]) ? offset[i] : 0.0f;
        offsets[i] = fixed(o * 255.0f * kOne) + 32768;
    }
    const std::int32_t* t = tables.data();
    auto channel = [](std::int32_t value) { return std::clamp(value >> 16, 0, 255); };
    for (int y = 0; y < in.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(in.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < in.width(); ++x) {
            const QRgb p = src[x];
            const unsigned r = qRed(p);
            const unsigned g = qGreen(p);
            const unsigned b = qBlue(p);
            const std::int32_t nr = t[r] + t[256 + g] + t[512 + b] + offsets[0];
            const std::int32_t ng = t[768 + r] + t[1024 + g] + t[1280 + b] + offsets[1];
            const std::int32_t nb = t[1536 + r] + t[1792 + g] + t[2048 + b] + offsets[2];
            dst[x] = (p & 0xff000000u) | (static_cast<QRgb>(channel(nr)) << 16) |
                     (static_cast<QRgb>(channel(ng)) << 8) | static_cast<QRgb>(channel(nb));
        }
    }
    return out;
}

QImage applyMatrix(const QImage& image, const Matrix& m) {
    return applyAffine(image, m, {0.0f, 0.0f, 0.0f});
}

bool isNeutral(float value, float neutral) {
    return !std::isfinite(value) || value == neutral;
}

bool isOpaque(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) != 255) {
                return false;
            }
        }
    }
    return true;
}

// Rounded division by the window through a 24-bit reciprocal.
struct Divider {
    explicit Divider(int window) : reciprocal((std::int64_t(1) << 24) / window) {}
    int operator()(std::int64_t sum) const {
        return static_cast<int>(std::min<std::int64_t>(255, (sum * reciprocal + (1 << 23)) >> 24));
    }
    std::int64_t reciprocal;
};

// Running-sum box average along each row, edges repeated.
void boxRows(const QImage& src, QImage& dst, int radius) {
    const int w = src.width();
    const Divider divide(2 * radius + 1);
    for (int y = 0; y < src.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(dst.scanLine(y));
        auto at = [in, w](int x) { return in[std::clamp(x, 0, w - 1)]; };
        std::int64_t sa = 0, sr = 0, sg = 0, sb = 0;
        for (int x = -radius; x <= radius; ++x) {
            const QRgb p = at(x);
            sa += qAlpha(p);
            sr += qRed(p);
            sg += qGreen(p);
            sb += qBlue(p);
        }
        for (int x = 0; x < w; ++x) {
            out[x] = qRgba(divide(sr), divide(sg), divide(sb), divide(sa));
            const QRgb leaving = at(x - radius);
            const QRgb entering = at(x + radius + 1);
            sa += qAlpha(entering) - qAlpha(leaving);
            sr += qRed(entering) - qRed(leaving);
            sg += qGreen(entering) - qGreen(leaving);
            sb += qBlue(entering) - qBlue(leaving);
        }
    }
}

// The same down each column, a whole row of sums at a time.
void boxColumns(const QImage& src, QImage& dst, int radius) {
    const int w = src.width();
    const int h = src.height();
    const Divider divide(2 * radius + 1);
    auto row = [&src, h](int y) {
        return reinterpret_cast<const QRgb*>(src.constScanLine(std::clamp(y, 0, h - 1)));
    };
    std::vector<std::int64_t> sums(static_cast<size_t>(w) * 4, 0);
    for (int y = -radius; y <= radius; ++y) {
        const QRgb* line = row(y);
        for (int x = 0; x < w; ++x) {
            std::int64_t* s = &sums[static_cast<size_t>(x) * 4];
            s[0] += qAlpha(line[x]);
            s[1] += qRed(line[x]);
            s[2] += qGreen(line[x]);
            s[3] += qBlue(line[x]);
        }
    }
    for (int y = 0; y < h; ++y) {
        auto* out = reinterpret_cast<QRgb*>(dst.scanLine(y));
        const QRgb* leaving = row(y - radius);
        const QRgb* entering = row(y + radius + 1);
        for (int x = 0; x < w; ++x) {
            std::int64_t* s = &sums[static_cast<size_t>(x) * 4];
            out[x] = qRgba(divide(s[1]), divide(s[2]), divide(s[3]), divide(s[0]));
            s[0] += qAlpha(entering[x]) - qAlpha(leaving[x]);
            s[1] += qRed(entering[x]) - qRed(leaving[x]);
            s[2] += qGreen(entering[x]) - qGreen(leaving[x]);
            s[3] += qBlue(entering[x]) - qBlue(leaving[x]);
        }
    }
}

} // namespace

QImage grayScale(const QImage& image) {
    return applyMatrix(image,
                       {kLumaR, kLumaG, kLumaB, kLumaR, kLumaG, kLumaB, kLumaR, kLumaG, kLumaB});
}

QImage sepia(const QImage& image) {
    return applyMatrix(image,
                       {0.393f, 0.769f, 0.189f, 0.349f, 0.686f, 0.168f, 0.272f, 0.534f, 0.131f});
}

QImage invertColor(const QImage& image) {
    return applyAffine(image, {-1, 0, 0, 0, -1, 0, 0, 0, -1}, {1, 1, 1});
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
    // ((L + s (c - L)) + add - 0.5) k + 0.5, with L the luma: one affine map.
    const float luma[3] = {kLumaR, kLumaG, kLumaB};
    Matrix m{};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            m[static_cast<size_t>(3 * i + j)] = k * ((1.0f - s) * luma[j] + (i == j ? s : 0.0f));
        }
    }
    const float offset = k * (add - 0.5f) + 0.5f;
    return applyAffine(image, m, {offset, offset, offset});
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
    const size_t width = static_cast<size_t>(w);
    // Luma in 1/256 steps (weights 54, 183, 19 out of 256), then its sums
    // over three pixels of each row.
    std::vector<std::int32_t> luma(width * static_cast<size_t>(h));
    std::vector<std::int32_t> rowSums(luma.size());
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(out.constScanLine(y));
        std::int32_t* l = &luma[static_cast<size_t>(y) * width];
        for (int x = 0; x < w; ++x) {
            l[x] = 54 * qRed(line[x]) + 183 * qGreen(line[x]) + 19 * qBlue(line[x]);
        }
        std::int32_t* sums = &rowSums[static_cast<size_t>(y) * width];
        for (int x = 0; x < w; ++x) {
            sums[x] = l[std::max(x - 1, 0)] + l[x] + l[std::min(x + 1, w - 1)];
        }
    }
    // delta = amount (L - mean) with L and mean in 1/256 steps.
    const float scale = amount / (256.0f * 9.0f);
    for (int y = 0; y < h; ++y) {
        const std::int32_t* above = &rowSums[static_cast<size_t>(std::max(y - 1, 0)) * width];
        const std::int32_t* here = &rowSums[static_cast<size_t>(y) * width];
        const std::int32_t* below = &rowSums[static_cast<size_t>(std::min(y + 1, h - 1)) * width];
        const std::int32_t* l = &luma[static_cast<size_t>(y) * width];
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const float delta =
                scale * static_cast<float>(9 * l[x] - (above[x] + here[x] + below[x]));
            const int d =
                static_cast<int>(std::clamp(delta, -512.0f, 512.0f) + (delta < 0 ? -0.5f : 0.5f));
            const QRgb p = line[x];
            line[x] = qRgba(std::clamp(qRed(p) + d, 0, 255), std::clamp(qGreen(p) + d, 0, 255),
                            std::clamp(qBlue(p) + d, 0, 255), qAlpha(p));
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
    // Straight and premultiplied values agree on opaque pictures: no
    // conversion needed then.
    QImage src = image.convertToFormat(QImage::Format_ARGB32);
    const bool opaque = !src.isNull() && isOpaque(src);
    if (!opaque) {
        src = src.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    QImage tmp(src.size(), src.format());
    QImage dst(src.size(), src.format());
    if (src.isNull() || tmp.isNull() || dst.isNull()) {
        return {};
    }
    boxRows(src, tmp, r);
    boxColumns(tmp, dst, r);
    QImage out = opaque ? dst : dst.convertToFormat(QImage::Format_ARGB32);
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
    return applyMatrix(image, {factor, 0, 0, 0, factor, 0, 0, 0, factor});
}

} // namespace ImageFilters
