#include "platform/CardPicture.h"

#include "platform/CardUnits.h"

#include <QPainter>
#include <cmath>

CardPicture CardPicture::fromImage(const QImage& image) {
    if (image.isNull()) {
        return {};
    }
    return fromImage(image, CardUnits::imageSizeInPoints(image));
}

CardPicture CardPicture::fromImage(const QImage& image, const QSizeF& points) {
    if (image.isNull() || !(points.width() > 0) || !(points.height() > 0) ||
        !std::isfinite(points.width()) || !std::isfinite(points.height())) {
        return {};
    }
    CardPicture picture;
    picture.d = std::make_shared<const Data>(Data{points, image, {}});
    return picture;
}

CardPicture CardPicture::fromDrawer(const QSizeF& points, Drawer drawer) {
    if (!drawer || !(points.width() > 0) || !(points.height() > 0) ||
        !std::isfinite(points.width()) || !std::isfinite(points.height())) {
        return {};
    }
    CardPicture picture;
    picture.d = std::make_shared<const Data>(Data{points, QImage(), std::move(drawer)});
    return picture;
}

void CardPicture::draw(QPainter& painter, const QRectF& target) const {
    if (!d || target.isEmpty()) {
        return;
    }
    if (d->drawer) {
        painter.save();
        painter.translate(target.topLeft());
        painter.scale(target.width() / d->size.width(), target.height() / d->size.height());
        d->drawer(painter);
        painter.restore();
    } else {
        painter.drawImage(target, d->image);
    }
}

void CardPicture::draw(QPainter& painter, const QPointF& origin) const {
    draw(painter, QRectF(origin, size()));
}

QImage CardPicture::toImage(double scale) const {
    if (!d || !(scale > 0)) {
        return {};
    }
    QImage image =
        CardUnits::makeRaster(d->size, scale, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        return image;
    }
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.scale(scale, scale);
        draw(painter, QRectF(QPointF(0, 0), d->size));
    }
    CardUnits::markResolution(image, CardUnits::kPointsPerInch * scale);
    return image;
}
