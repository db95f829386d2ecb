#include "barcodes/IncreaseDpi.h"

#include "platform/CardUnits.h"

#include <QPainter>
#include <QtDebug>
#include <cmath>

CardPicture Increase_DPI(const CardPicture& picture, int dpi) {
    if (picture.isNull() || dpi <= 0 || picture.size().isEmpty()) {
        qWarning("Invalid image");
        return {};
    }
    const QSizeF points = picture.size();
    const double pw = std::ceil(static_cast<float>(dpi * points.width() / 72.0));
    const double ph = std::ceil(static_cast<float>(dpi * points.height() / 72.0));
    if (!(pw >= 1 && ph >= 1) || pw * ph > 400e6) {
        qWarning("Invalid image");
        return {};
    }
    QImage image(static_cast<int>(pw), static_cast<int>(ph), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        qWarning("Invalid image");
        return {};
    }
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.setRenderHint(QPainter::Antialiasing, false);
        picture.draw(painter, QRectF(0, 0, pw, ph));
    }
    CardUnits::markResolution(image, dpi);
    return CardPicture::fromImage(image, points);
}
