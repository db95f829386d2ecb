#include "Promotions.h"

#include "Canvas.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace resgen {

namespace {

constexpr int kSize = 160;

// A round rubber stamp: handle, base and a ring with a star print below.
QImage stamp() {
    QImage image = newImage(kSize, kSize, true);
    QPainter p(&image);
    prepare(p);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 72, 40));
    p.drawRoundedRect(QRectF(66, 14, 28, 46), 12, 12);
    p.setBrush(QColor(90, 54, 30));
    p.drawRoundedRect(QRectF(40, 58, 80, 18), 6, 6);
    p.setBrush(QColor(200, 40, 48));
    p.drawRect(QRectF(44, 76, 72, 8));
    p.setPen(QPen(QColor(200, 40, 48), 4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(80, 120), 30, 30);
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 == 0 ? 18.0 : 7.5;
        const double angle = -90.0 + i * 36.0;
        const QPointF point = QPointF(80, 120) + QPointF(radius * qCos(qDegreesToRadians(angle)),
                                                         radius * qSin(qDegreesToRadians(angle)));
        if (i == 0) {
            star.moveTo(point);
        } else {
            star.lineTo(point);
        }
    }
    star.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 40, 48));
    p.drawPath(star);
    return image;
}

// A paper receipt with a zig-zag lower edge and lines of print.
QImage receipt() {
    QImage image = newImage(kSize, kSize, true);
    QPainter p(&image);
    prepare(p);
    QPainterPath paper;
    paper.moveTo(36, 12);
    paper.lineTo(124, 12);
    paper.lineTo(124, 140);
    for (int i = 0; i < 8; ++i) {
        paper.lineTo(124 - i * 11 - 5.5, 148);
        paper.lineTo(124 - (i + 1) * 11, 140);
    }
    paper.closeSubpath();
    p.setPen(QPen(QColor(150, 150, 150), 1.5));
    p.setBrush(QColor(252, 252, 246));
    p.drawPath(paper);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 90, 120));
    p.drawRect(QRectF(52, 24, 56, 8));
    for (int row = 0; row < 6; ++row) {
        const double y = 44 + row * 13;
        p.setBrush(QColor(120, 130, 140));
        p.drawRect(QRectF(48, y, 40 - (row % 3) * 6, 4));
        p.drawRect(QRectF(96, y, 16, 4));
    }
    p.setBrush(QColor(70, 90, 120));
    p.drawRect(QRectF(48, 124, 64, 5));
    return image;
}

// A name badge on a lanyard clip: a card with a photo square and name lines.
QImage badge() {
    QImage image = newImage(kSize, kSize, true);
    QPainter p(&image);
    prepare(p);
    p.setPen(QPen(QColor(40, 110, 180), 5));
    p.drawLine(QPointF(60, 0), QPointF(80, 30));
    p.drawLine(QPointF(100, 0), QPointF(80, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(160, 160, 170));
    p.drawRoundedRect(QRectF(70, 26, 20, 14), 3, 3);
    p.setPen(QPen(QColor(40, 110, 180), 2));
    p.setBrush(QColor(255, 255, 255));
    p.drawRoundedRect(QRectF(24, 40, 112, 100), 10, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 110, 180));
    p.drawRect(QRectF(25, 41, 110, 18));
    p.setBrush(QColor(200, 210, 225));
    p.drawRect(QRectF(36, 70, 36, 44));
    p.setBrush(QColor(150, 165, 190));
    p.drawEllipse(QPointF(54, 86), 9, 9);
    p.drawRoundedRect(QRectF(40, 98, 28, 16), 8, 8);
    p.setBrush(QColor(60, 60, 70));
    p.drawRect(QRectF(80, 76, 44, 6));
    p.setBrush(QColor(130, 130, 140));
    p.drawRect(QRectF(80, 90, 36, 4));
    p.drawRect(QRectF(80, 100, 40, 4));
    return image;
}

} // namespace

PictureList promotionPictures() {
    return {
        {QStringLiteral("promotion_stamp.png"), stamp},
        {QStringLiteral("promotion_receipt.png"), receipt},
        {QStringLiteral("promotion_badge.png"), badge},
    };
}

} // namespace resgen
