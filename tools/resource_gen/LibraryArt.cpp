#include "LibraryArt.h"

#include "Canvas.h"
#include "Shapes.h"

#include <QPainterPath>
#include <array>
#include <cmath>
#include <numbers>

namespace resgen {

namespace {

constexpr int kSize = 200;

QImage canvas() {
    return newImage(kSize, kSize, true);
}

void stem(QPainter& painter, const QPointF& from, const QPointF& to) {
    QPen pen(QColor(92, 140, 70), 5);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    QPainterPath path(from);
    path.quadTo(QPointF(from.x() + 12, (from.y() + to.y()) / 2), to);
    painter.drawPath(path);
}

QImage daisy() {
    QImage image = canvas();
    QPainter painter(&image);
    prepare(painter);
    stem(painter, QPointF(100, 190), QPointF(100, 90));
    drawLeaf(painter, QPointF(104, 160), 46, 12, -35, QColor(112, 168, 84));
    drawLeaf(painter, QPointF(100, 140), 40, 10, 210, QColor(112, 168, 84));
    drawFlower(painter, QPointF(100, 76), 62, 16, QColor(255, 255, 255), QColor(250, 196, 40));
    return image;
}

QImage tulip() {
    QImage image = canvas();
    QPainter painter(&image);
    prepare(painter);
    stem(painter, QPointF(98, 192), QPointF(100, 104));
    drawLeaf(painter, QPointF(100, 182), 70, 14, -70, QColor(104, 160, 80));
    drawLeaf(painter, QPointF(98, 176), 60, 12, 235, QColor(104, 160, 80));
    QPainterPath cup;
    cup.moveTo(100, 112);
    cup.cubicTo(62, 112, 56, 70, 62, 34);
    cup.lineTo(80, 56);
    cup.lineTo(100, 26);
    cup.lineTo(120, 56);
    cup.lineTo(138, 34);
    cup.cubicTo(144, 70, 138, 112, 100, 112);
    cup.closeSubpath();
    painter.setPen(QPen(QColor(176, 32, 52), 2));
    painter.setBrush(QColor(226, 58, 80));
    painter.drawPath(cup);
    painter.setPen(QPen(QColor(176, 32, 52), 1.5));
    painter.drawLine(QPointF(100, 30), QPointF(100, 108));
    return image;
}

QImage sunflower() {
    QImage image = canvas();
    QPainter painter(&image);
    prepare(painter);
    drawFlower(painter, QPointF(100, 100), 92, 24, QColor(252, 196, 25), QColor(120, 72, 30), 7);
    // Seeds in a spiral over the heart.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(80, 46, 18));
    const double golden = std::numbers::pi * (3.0 - std::sqrt(5.0));
    for (int i = 1; i < 90; ++i) {
        const double r = 2.7 * std::sqrt(static_cast<double>(i));
        const QPointF p(100 + r * std::cos(i * golden), 100 + r * std::sin(i * golden));
        painter.drawEllipse(p, 1.4, 1.4);
    }
    return image;
}

QImage redHeart() {
    QImage image = canvas();
    QPainter painter(&image);
    prepare(painter);
    painter.setPen(QPen(QColor(170, 20, 40), 3));
    painter.setBrush(QColor(220, 36, 60));
    painter.drawPath(heartPath(QRectF(14, 20, 172, 160)));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 90));
    painter.drawEllipse(QRectF(42, 46, 34, 22));
    return image;
}

QImage twoHearts() {
    QImage image = canvas();
    QPainter painter(&image);
    prepare(painter);
    painter.setPen(QPen(QColor(200, 90, 120), 3));
    painter.setBrush(QColor(245, 154, 176));
    painter.drawPath(heartPath(QRectF(12, 22, 112, 104)));
    painter.setPen(QPen(QColor(160, 20, 40), 3));
    painter.setBrush(QColor(220, 36, 60, 230));
    painter.drawPath(heartPath(QRectF(76, 74, 112, 104)));
    return image;
}

QImage heartOutline() {
    QImage image = canvas();
    QPainter painter(&image);
    prepare(painter);
    QPen pen(QColor(214, 51, 108), 9);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(heartPath(QRectF(22, 28, 156, 146)));
    pen.setWidthF(3);
    painter.setPen(pen);
    painter.drawPath(heartPath(QRectF(48, 56, 104, 96)));
    return image;
}

QImage goldStar() {
    QImage image = canvas();
    QPainter painter(&image);
    prepare(painter);
    QPen pen(QColor(196, 140, 20), 4);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(QColor(252, 200, 40));
    painter.drawPath(starPath(QPointF(100, 106), 92, 38, 5));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 236, 150));
    painter.drawPath(starPath(QPointF(100, 106), 46, 19, 5));
    return image;
}

QImage starBurst() {
    QImage image = canvas();
    QPainter painter(&image);
    prepare(painter);
    painter.setPen(QPen(QColor(220, 110, 20), 2));
    painter.setBrush(QColor(255, 152, 40));
    painter.drawPath(starPath(QPointF(100, 100), 94, 66, 18));
    painter.setBrush(QColor(255, 214, 90));
    painter.drawPath(starPath(QPointF(100, 100), 58, 42, 18, 10));
    return image;
}

QImage shootingStar() {
    QImage image = canvas();
    QPainter painter(&image);
    prepare(painter);
    const std::array<QColor, 3> trail = {QColor(255, 183, 77), QColor(255, 213, 79),
                                         QColor(255, 241, 118)};
    for (int i = 0; i < 3; ++i) {
        QPen pen(trail[static_cast<size_t>(i)], 7 - 2 * i);
        pen.setCapStyle(Qt::RoundCap);
        painter.setPen(pen);
        const double offset = (i - 1) * 16.0;
        painter.drawLine(QPointF(20 + offset, 186 - offset), QPointF(104, 102));
    }
    QPen edge(QColor(196, 140, 20), 3);
    edge.setJoinStyle(Qt::RoundJoin);
    painter.setPen(edge);
    painter.setBrush(QColor(252, 200, 40));
    painter.drawPath(starPath(QPointF(128, 74), 60, 25, 5, 18));
    return image;
}

QImage sparkles() {
    QImage image = canvas();
    QPainter painter(&image);
    prepare(painter);
    painter.setPen(Qt::NoPen);
    const struct {
        QPointF at;
        double size;
        QColor colour;
    } marks[] = {
        {{84, 96}, 70, QColor(255, 202, 40)},
        {{156, 46}, 34, QColor(255, 167, 38)},
        {{150, 152}, 26, QColor(255, 213, 79)},
        {{36, 168}, 20, QColor(255, 183, 77)},
    };
    for (const auto& mark : marks) {
        painter.setBrush(mark.colour);
        painter.drawPath(starPath(mark.at, mark.size, mark.size * 0.22, 4));
    }
    return image;
}

} // namespace

PictureList libraryPictures() {
    return {
        {QStringLiteral("LibraryImage/Flowers/Daisy.png"), daisy},
        {QStringLiteral("LibraryImage/Flowers/Tulip.png"), tulip},
        {QStringLiteral("LibraryImage/Flowers/Sunflower.png"), sunflower},
        {QStringLiteral("LibraryImage/Hearts/Red Heart.png"), redHeart},
        {QStringLiteral("LibraryImage/Hearts/Two Hearts.png"), twoHearts},
        {QStringLiteral("LibraryImage/Hearts/Heart Outline.png"), heartOutline},
        {QStringLiteral("LibraryImage/Stars/Gold Star.png"), goldStar},
        {QStringLiteral("LibraryImage/Stars/Star Burst.png"), starBurst},
        {QStringLiteral("LibraryImage/Stars/Shooting Star.png"), shootingStar},
        {QStringLiteral("LibraryImage/Stars/Sparkles.png"), sparkles},
    };
}

} // namespace resgen
