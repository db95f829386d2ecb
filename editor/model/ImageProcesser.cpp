#include "editor/model/ImageProcesser.h"

#include "editor/model/ImageFilters.h"
#include "editor/model/SKTLog.h"

#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Vector pictures are rasterised at this many pixels per point when a step
// has to change pixels.
constexpr double kVectorRasterScale = 2.0;
// Largest side of a turned canvas in pixels; finer pictures are turned at a
// lower resolution rather than not at all.
constexpr double kMaxRotatedPixels = 8192.0;

const QString kNoMemory = QStringLiteral("There is not enough memory for the adjusted picture.");

QImage rasterOf(const CardPicture& picture) {
    if (picture.isRaster()) {
        return picture.image();
    }
    return picture.toImage(kVectorRasterScale);
}

// One filter step: the filtered picture at the same size in points, or the
// input itself when the filter changed nothing or failed (logged).
CardPicture applyStep(const CardPicture& picture, const QString& name,
                      const std::function<QImage(const QImage&)>& filter, bool logReason = false) {
    if (picture.isNull()) {
        return picture;
    }
    const QImage in = rasterOf(picture);
    QImage out;
    if (!in.isNull() && filter) {
        out = filter(in);
    }
    if (out.isNull()) {
        if (logReason) {
            SKTLogMessage(kNoMemory);
        }
        SKTLogMessage(name);
        return picture;
    }
    if (out.cacheKey() == in.cacheKey() && picture.isRaster()) {
        return picture;
    }
    CardPicture result = CardPicture::fromImage(out, picture.size());
    return result.isNull() ? picture : result;
}

// A raster finer than kMaxPixelsPerPoint scaled down to it, so the steps do
// not work on more pixels than a card print can show.
CardPicture workingRaster(const CardPicture& picture) {
    const QImage image = picture.image();
    const QSizeF size = picture.size();
    const int maxW =
        std::max(1, static_cast<int>(std::ceil(size.width() * ImageProcesser::kMaxPixelsPerPoint)));
    const int maxH = std::max(
        1, static_cast<int>(std::ceil(size.height() * ImageProcesser::kMaxPixelsPerPoint)));
    if (image.width() <= maxW && image.height() <= maxH) {
        return picture;
    }
    const QImage smaller =
        image.scaled(std::min(image.width(), maxW), std::min(image.height(), maxH),
                     Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const CardPicture result = CardPicture::fromImage(smaller, size);
    return result.isNull() ? picture : result;
}

bool allNeutral(bool grayscale, bool sepia, bool invrtclr, float hue, float sat, float brt,
                float con, int rotate, float r, float g, float b) {
    auto neutral = [](float value, float n) { return !std::isfinite(value) || value == n; };
    return !grayscale && !sepia && !invrtclr && neutral(hue, 0) && neutral(sat, 1) &&
           neutral(brt, 0) && neutral(con, 1) && rotate % 360 == 0 && neutral(r, 0) &&
           neutral(g, 0) && (neutral(b, 0) || b < 0.5f);
}

} // namespace

const ImageProcesser::Filters& ImageProcesser::Filters::standard() {
    static const Filters filters{
        ImageFilters::grayScale, ImageFilters::sepia,         ImageFilters::invertColor,
        ImageFilters::adjustHue, ImageFilters::colorControls, ImageFilters::sharpenLuminance,
        ImageFilters::boxBlur,   ImageFilters::exposure,
    };
    return filters;
}

CardPicture ImageProcesser::Get_Processed_Image(const CardPicture& picture, bool grayscale,
                                                bool sepia, bool invrtclr, float hue, float sat,
                                                float brt, float con, int rotate, float r, float g,
                                                float b, float tranprency) {
    return Get_Processed_Image(picture, grayscale, sepia, invrtclr, hue, sat, brt, con, rotate, r,
                               g, b, tranprency, Filters::standard());
}

CardPicture ImageProcesser::Get_Processed_Image(const CardPicture& picture, bool grayscale,
                                                bool sepia, bool invrtclr, float hue, float sat,
                                                float brt, float con, int rotate, float r, float g,
                                                float b, float /*tranprency*/,
                                                const Filters& filters) {
    if (picture.isNull()) {
        return picture;
    }
    CardPicture p = Set_Dimaension(picture);
    if (p.isNull()) {
        SKTLogMessage(QStringLiteral("The picture's size can not be limited."));
        return p;
    }
    if (allNeutral(grayscale, sepia, invrtclr, hue, sat, brt, con, rotate, r, g, b)) {
        return p;
    }
    if (p.isVector()) {
        // Rasterised once here rather than at every step.
        const CardPicture raster = CardPicture::fromImage(rasterOf(p), p.size());
        if (raster.isNull()) {
            SKTLogMessage(kNoMemory);
            return {};
        }
        p = raster;
    }
    p = workingRaster(p);
    if (grayscale) {
        p = applyStep(p, QStringLiteral("GrayScale"), filters.grayScale, true);
    }
    if (sepia) {
        p = applyStep(p, QStringLiteral("Sepia"), filters.sepia);
    }
    if (invrtclr) {
        p = applyStep(p, QStringLiteral("Invert_Color"), filters.invertColor);
    }
    p = applyStep(p, QStringLiteral("adjust_Hue"),
                  [&](const QImage& in) { return filters.hue ? filters.hue(in, hue) : QImage(); });
    p = applyStep(p, QStringLiteral("adjust_Color_Control"), [&](const QImage& in) {
        return filters.colorControls ? filters.colorControls(in, sat, brt, con) : QImage();
    });
    p = applyStep(p, QStringLiteral("adjust_Sharpness"), [&](const QImage& in) {
        return filters.sharpness ? filters.sharpness(in, r) : QImage();
    });
    p = applyStep(p, QStringLiteral("adjust_boxBlur"), [&](const QImage& in) {
        return filters.boxBlur ? filters.boxBlur(in, b) : QImage();
    });
    p = applyStep(p, QStringLiteral("adjust_EV"), [&](const QImage& in) {
        return filters.exposure ? filters.exposure(in, g) : QImage();
    });
    return imageRotated(p, static_cast<float>(rotate));
}

QSizeF ImageProcesser::limitedSize(const QSizeF& size) {
    const double w = size.width();
    const double h = size.height();
    if (!(w > kMaxWidth) && !(h > kMaxHeight)) {
        return size;
    }
    // Scaled down by the side that is farther over its limit; that side
    // meets its limit exactly and the other keeps the picture's proportion.
    if (w * kMaxHeight >= h * kMaxWidth) {
        return QSizeF(kMaxWidth, h * kMaxWidth / w);
    }
    return QSizeF(w * kMaxHeight / h, kMaxHeight);
}

CardPicture ImageProcesser::Set_Dimaension(const CardPicture& picture) {
    if (picture.isNull()) {
        return picture;
    }
    const QSizeF size = picture.size();
    if (!std::isfinite(size.width()) || !std::isfinite(size.height())) {
        return {};
    }
    const QSizeF limited = limitedSize(size);
    if (limited == size) {
        return picture;
    }
    if (picture.isRaster()) {
        return CardPicture::fromImage(picture.image(), limited);
    }
    return CardPicture::fromDrawer(limited, [picture, limited](QPainter& painter) {
        picture.draw(painter, QRectF(QPointF(0, 0), limited));
    });
}

CardPicture ImageProcesser::GrayScale(const CardPicture& picture) {
    return applyStep(picture, QStringLiteral("GrayScale"), ImageFilters::grayScale, true);
}

CardPicture ImageProcesser::Sepia(const CardPicture& picture) {
    return applyStep(picture, QStringLiteral("Sepia"), ImageFilters::sepia);
}

CardPicture ImageProcesser::Invert_Color(const CardPicture& picture) {
    return applyStep(picture, QStringLiteral("Invert_Color"), ImageFilters::invertColor);
}

CardPicture ImageProcesser::adjust_Hue(const CardPicture& picture, float hue) {
    return applyStep(picture, QStringLiteral("adjust_Hue"),
                     [hue](const QImage& in) { return ImageFilters::adjustHue(in, hue); });
}

CardPicture ImageProcesser::adjust_Color_Control(const CardPicture& picture, float sat, float brt,
                                                 float con) {
    return applyStep(picture, QStringLiteral("adjust_Color_Control"), [=](const QImage& in) {
        return ImageFilters::colorControls(in, sat, brt, con);
    });
}

CardPicture ImageProcesser::adjust_Sharpness(const CardPicture& picture, float value) {
    return applyStep(picture, QStringLiteral("adjust_Sharpness"), [value](const QImage& in) {
        return ImageFilters::sharpenLuminance(in, value);
    });
}

CardPicture ImageProcesser::adjust_boxBlur(const CardPicture& picture, float value) {
    return applyStep(picture, QStringLiteral("adjust_boxBlur"),
                     [value](const QImage& in) { return ImageFilters::boxBlur(in, value); });
}

CardPicture ImageProcesser::adjust_EV(const CardPicture& picture, float value) {
    return applyStep(picture, QStringLiteral("adjust_EV"),
                     [value](const QImage& in) { return ImageFilters::exposure(in, value); });
}

int ImageProcesser::wholeDegrees(double rotation) {
    if (!std::isfinite(rotation)) {
        return 0;
    }
    return static_cast<int>(std::trunc(std::fmod(rotation, 360.0)));
}

CardPicture ImageProcesser::imageRotated(const CardPicture& picture, float degrees) {
    if (picture.isNull() || !std::isfinite(degrees)) {
        return picture;
    }
    const float a = std::fmod(degrees, 360.0f);
    if (a == 0.0f) {
        return picture;
    }
    const double w = picture.size().width();
    const double h = picture.size().height();
    const QImage source = rasterOf(picture);
    if (source.isNull()) {
        SKTLogMessage(QStringLiteral("imageRotated: ") + kNoMemory);
        return {};
    }
    // Positive angles turn counter-clockwise on screen; Qt's rotate turns
    // clockwise in y-down coordinates.
    const bool quarter = a == 90.0f || a == 270.0f || a == -90.0f || a == -270.0f;
    if (quarter || a == 180.0f || a == -180.0f) {
        const QImage turned = source.transformed(QTransform().rotate(-a));
        if (turned.isNull()) {
            SKTLogMessage(QStringLiteral("imageRotated: ") + kNoMemory);
            return {};
        }
        return CardPicture::fromImage(turned, quarter ? QSizeF(h, w) : QSizeF(w, h));
    }
    const double radians = a * std::numbers::pi / 180.0;
    const double boxW = w * std::abs(std::cos(radians)) + h * std::abs(std::sin(radians));
    const double boxH = w * std::abs(std::sin(radians)) + h * std::abs(std::cos(radians));
    const double side = std::max({std::max(w, h) + kRotationMargin, boxW, boxH});
    double scale = std::max(source.width() / w, source.height() / h);
    if (!(scale > 0) || !std::isfinite(scale)) {
        scale = 1.0;
    }
    scale = std::min(scale, kMaxRotatedPixels / side);
    const int pixels = std::max(1, static_cast<int>(std::ceil(side * scale)));
    QImage canvas(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    if (canvas.isNull()) {
        SKTLogMessage(QStringLiteral("imageRotated: ") + kNoMemory);
        return {};
    }
    canvas.fill(Qt::transparent);
    canvas.setDotsPerMeterX(source.dotsPerMeterX());
    canvas.setDotsPerMeterY(source.dotsPerMeterY());
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale, scale);
        painter.translate(side / 2.0, side / 2.0);
        painter.rotate(-a);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.drawImage(QRectF(-w / 2.0, -h / 2.0, w, h), source);
    }
    return CardPicture::fromImage(canvas, QSizeF(side, side));
}
