#include "Backgrounds.h"

#include "Canvas.h"
#include "Shapes.h"

#include <QPainterPath>
#include <array>
#include <cmath>
#include <functional>
#include <numbers>

namespace resgen {

namespace {

constexpr int kWidth = 724;
constexpr int kHeight = 468;

void frame(QPainter& painter, double inset, const QColor& colour, double width,
           Qt::PenStyle style = Qt::SolidLine) {
    QPen pen(colour, width, style);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(inset, inset, kWidth - 2 * inset, kHeight - 2 * inset));
}

// Runs `draw` once per corner, with the painter mirrored so that the drawing
// made for the top-left corner lands in each corner in turn.
void inEveryCorner(QPainter& painter, const std::function<void()>& draw) {
    for (int corner = 0; corner < 4; ++corner) {
        const bool right = corner % 2 == 1;
        const bool bottom = corner >= 2;
        painter.save();
        painter.translate(right ? kWidth : 0, bottom ? kHeight : 0);
        painter.scale(right ? -1 : 1, bottom ? -1 : 1);
        draw();
        painter.restore();
    }
}

QImage roseBlush() {
    QImage image = newImage(kWidth, kHeight, false);
    fillLinear(image, QColor(253, 240, 242), QColor(246, 213, 220), 0, 1);
    QPainter painter(&image);
    prepare(painter);
    frame(painter, 18, QColor(197, 139, 126), 2);
    frame(painter, 24, QColor(197, 139, 126), 1);
    const QColor leaf(127, 170, 120);
    inEveryCorner(painter, [&] {
        drawLeaf(painter, QPointF(40, 40), 46, 10, 8, leaf);
        drawLeaf(painter, QPointF(40, 40), 46, 10, 82, leaf);
        drawLeaf(painter, QPointF(40, 40), 30, 7, 45, leaf.lighter(115));
        drawFlower(painter, QPointF(40, 40), 20, 5, QColor(231, 154, 168), QColor(246, 211, 107));
        drawFlower(painter, QPointF(84, 36), 9, 5, QColor(240, 184, 194), QColor(246, 211, 107),
                   20);
        drawFlower(painter, QPointF(36, 84), 9, 5, QColor(240, 184, 194), QColor(246, 211, 107),
                   50);
    });
    return image;
}

QImage oceanBreeze() {
    QImage image = newImage(kWidth, kHeight, false);
    fillLinear(image, QColor(238, 248, 252), QColor(185, 223, 240), 0, 1);
    QPainter painter(&image);
    prepare(painter);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i) {
        const double base = kHeight - 78 + i * 24;
        const double wavelength = 190.0 + 45.0 * i;
        QPainterPath wave;
        wave.moveTo(0, kHeight);
        for (int x = 0; x <= kWidth; x += 4) {
            const double phase = 2.0 * std::numbers::pi * x / wavelength + i * 1.3;
            wave.lineTo(x, base + 9.0 * std::sin(phase));
        }
        wave.lineTo(kWidth, kHeight);
        wave.closeSubpath();
        painter.setBrush(QColor(60 + 15 * i, 140 + 10 * i, 195, 80 + 40 * i));
        painter.drawPath(wave);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 255, 255, 190), 1.5));
    const std::array<QPointF, 7> bubbles = {
        {{640, 70}, {662, 104}, {618, 118}, {676, 150}, {600, 60}, {648, 190}, {690, 92}}};
    for (size_t i = 0; i < bubbles.size(); ++i) {
        const double r = 4.0 + static_cast<double>((i * 5) % 9);
        painter.drawEllipse(bubbles[i], r, r);
    }
    frame(painter, 14, QColor(255, 255, 255), 2);
    return image;
}

QImage goldenFrame() {
    QImage image = newImage(kWidth, kHeight, false);
    fillRadial(image, QPointF(kWidth / 2.0, kHeight / 2.0), 430, QColor(255, 251, 242),
               QColor(241, 226, 192));
    QPainter painter(&image);
    prepare(painter);
    const QColor gold(181, 141, 61);
    frame(painter, 16, gold, 3);
    frame(painter, 26, gold, 1);
    frame(painter, 34, gold.lighter(120), 1.5, Qt::DotLine);
    const auto diamond = [&](const QPointF& c, double r) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(gold);
        painter.drawPolygon(QPolygonF(
            {c + QPointF(0, -r), c + QPointF(r, 0), c + QPointF(0, r), c + QPointF(-r, 0)}));
    };
    inEveryCorner(painter, [&] {
        diamond(QPointF(26, 26), 9);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(gold, 1.5));
        QPainterPath curl;
        curl.moveTo(40, 48);
        curl.cubicTo(60, 40, 70, 60, 90, 48);
        curl.moveTo(48, 40);
        curl.cubicTo(40, 60, 60, 70, 48, 90);
        painter.drawPath(curl);
    });
    // Small flourishes in the middle of the top and bottom edges.
    for (const double y : {26.0, kHeight - 26.0}) {
        const double dir = y < kHeight / 2.0 ? 1.0 : -1.0;
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(gold, 1.5));
        QPainterPath swirl;
        const double cx = kWidth / 2.0;
        swirl.moveTo(cx - 12, y + dir * 2);
        swirl.cubicTo(cx - 40, y + dir * 20, cx - 70, y - dir * 6, cx - 90, y + dir * 10);
        swirl.moveTo(cx + 12, y + dir * 2);
        swirl.cubicTo(cx + 40, y + dir * 20, cx + 70, y - dir * 6, cx + 90, y + dir * 10);
        painter.drawPath(swirl);
        diamond(QPointF(cx, y), 7);
    }
    return image;
}

QImage confetti() {
    QImage image = newImage(kWidth, kHeight, false);
    fillLinear(image, QColor(255, 255, 255), QColor(243, 238, 251), 1, 1);
    QPainter painter(&image);
    prepare(painter);
    const std::array<QColor, 6> palette = {QColor(242, 107, 107), QColor(247, 181, 56),
                                           QColor(79, 179, 191),  QColor(125, 107, 216),
                                           QColor(108, 192, 112), QColor(242, 138, 192)};
    Rng rng(20240101);
    painter.setPen(Qt::NoPen);
    int placed = 0;
    while (placed < 150) {
        const double x = rng.range(6, kWidth - 6);
        const double y = rng.range(6, kHeight - 6);
        const double kind = rng.next();
        const QColor colour = palette[static_cast<size_t>(rng.next() * palette.size())];
        const double turn = rng.range(0, 180);
        // Keep the middle clear for the text.
        const double ex = (x - kWidth / 2.0) / 270.0;
        const double ey = (y - kHeight / 2.0) / 165.0;
        if (ex * ex + ey * ey < 1.0) {
            continue;
        }
        painter.setBrush(colour);
        if (kind < 0.6) {
            painter.save();
            painter.translate(x, y);
            painter.rotate(turn);
            painter.drawRect(QRectF(-5, -2, 10, 4));
            painter.restore();
        } else {
            const double r = 2.0 + 2.5 * kind;
            painter.drawEllipse(QPointF(x, y), r, r);
        }
        ++placed;
    }
    return image;
}

QImage starryNight() {
    QImage image = newImage(kWidth, kHeight, false);
    fillLinear(image, QColor(22, 34, 63), QColor(47, 75, 124), 0, 1);
    QPainter painter(&image);
    prepare(painter);
    painter.setPen(Qt::NoPen);
    Rng rng(7);
    for (int i = 0; i < 170; ++i) {
        const QPointF at(rng.range(0, kWidth), rng.range(0, kHeight));
        const double r = rng.range(0.5, 1.6);
        painter.setBrush(QColor(255, 255, 255, static_cast<int>(rng.range(110, 255))));
        painter.drawEllipse(at, r, r);
    }
    painter.setBrush(QColor(255, 241, 190));
    const std::array<QPointF, 9> sparkles = {{{90, 70},
                                              {210, 40},
                                              {520, 110},
                                              {60, 380},
                                              {660, 390},
                                              {380, 420},
                                              {150, 200},
                                              {590, 250},
                                              {300, 80}}};
    for (size_t i = 0; i < sparkles.size(); ++i) {
        const double size = 5.0 + static_cast<double>(i % 3) * 2.0;
        painter.drawPath(starPath(sparkles[i], size, size * 0.25, 4));
    }
    QPainterPath moon;
    moon.addEllipse(QPointF(640, 82), 34, 34);
    QPainterPath bite;
    bite.addEllipse(QPointF(656, 70), 30, 30);
    painter.setBrush(QColor(246, 231, 168));
    painter.drawPath(moon.subtracted(bite));
    frame(painter, 14, QColor(201, 168, 90), 1.5);
    return image;
}

// A wavy stem along the left edge with leaves and small flowers.
void vine(QPainter& painter) {
    const QColor stem(105, 150, 90);
    const QColor leaf(132, 185, 110);
    QPainterPath path;
    const auto xAt = [](double y) { return 34.0 + 10.0 * std::sin(y / 38.0); };
    path.moveTo(xAt(24), 24);
    for (int y = 28; y <= kHeight - 24; y += 4) {
        path.lineTo(xAt(y), y);
    }
    painter.setPen(QPen(stem, 2.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    int index = 0;
    for (int y = 44; y < kHeight - 30; y += 34, ++index) {
        const bool outward = index % 2 == 0;
        drawLeaf(painter, QPointF(xAt(y), y), 28, 7, outward ? 200 : -20, leaf);
        if (index % 4 == 1) {
            drawFlower(painter, QPointF(xAt(y) + 18, y + 10), 12, 5, QColor(250, 200, 214),
                       QColor(245, 200, 80), index * 13.0);
        }
    }
}

QImage springLeaves() {
    QImage image = newImage(kWidth, kHeight, false);
    fillLinear(image, QColor(251, 253, 246), QColor(229, 242, 216), 0, 1);
    QPainter painter(&image);
    prepare(painter);
    vine(painter);
    painter.save();
    painter.translate(kWidth, 0);
    painter.scale(-1, 1);
    vine(painter);
    painter.restore();
    return image;
}

QImage balloons() {
    QImage image = newImage(kWidth, kHeight, false);
    fillLinear(image, QColor(255, 246, 236), QColor(253, 227, 207), 0, 1);
    QPainter painter(&image);
    prepare(painter);
    const auto cluster = [&](double x, const std::array<QColor, 3>& colours) {
        drawBalloon(painter, QRectF(x, 30, 46, 58), colours[0], 120);
        drawBalloon(painter, QRectF(x + 40, 52, 42, 54), colours[1], 100);
        drawBalloon(painter, QRectF(x + 16, 86, 40, 50), colours[2], 90);
    };
    cluster(24, {QColor(239, 83, 80), QColor(66, 165, 245), QColor(255, 202, 40)});
    cluster(kWidth - 24 - 82, {QColor(171, 71, 188), QColor(102, 187, 106), QColor(255, 138, 101)});
    // A row of small dots along the bottom edge.
    painter.setPen(Qt::NoPen);
    for (int x = 30, i = 0; x < kWidth - 20; x += 22, ++i) {
        painter.setBrush(i % 2 == 0 ? QColor(239, 154, 154) : QColor(144, 202, 249));
        painter.drawEllipse(QPointF(x, kHeight - 24), 3.5, 3.5);
    }
    return image;
}

QImage sweetHearts() {
    QImage image = newImage(kWidth, kHeight, false);
    fillLinear(image, QColor(255, 240, 244), QColor(251, 217, 227), 1, 1);
    QPainter painter(&image);
    prepare(painter);
    painter.setPen(Qt::NoPen);
    const QColor deep(232, 87, 122);
    const QColor soft(245, 154, 176);
    constexpr double kSize = 16;
    constexpr double kEdge = 28;
    constexpr int kAcross = 16;
    constexpr int kDown = 10;
    int i = 0;
    const auto heartAt = [&](double x, double y) {
        painter.setBrush(i++ % 2 == 0 ? deep : soft);
        painter.drawPath(heartPath(QRectF(x - kSize / 2, y - kSize / 2, kSize, kSize)));
    };
    // Evenly spaced along each edge, one heart in every corner.
    const double stepX = (kWidth - 2 * kEdge) / kAcross;
    const double stepY = (kHeight - 2 * kEdge) / kDown;
    for (int n = 0; n <= kAcross; ++n) {
        heartAt(kEdge + n * stepX, kEdge);
        heartAt(kEdge + n * stepX, kHeight - kEdge);
    }
    for (int n = 1; n < kDown; ++n) {
        heartAt(kEdge, kEdge + n * stepY);
        heartAt(kWidth - kEdge, kEdge + n * stepY);
    }
    return image;
}

} // namespace

PictureList backgroundPictures() {
    return {
        {QStringLiteral("Background/Rose Blush.jpg"), roseBlush},
        {QStringLiteral("Background/Ocean Breeze.jpg"), oceanBreeze},
        {QStringLiteral("Background/Golden Frame.jpg"), goldenFrame},
        {QStringLiteral("Background/Confetti.jpg"), confetti},
        {QStringLiteral("Background/Starry Night.jpg"), starryNight},
        {QStringLiteral("Background/Spring Leaves.jpg"), springLeaves},
        {QStringLiteral("Background/Balloons.jpg"), balloons},
        {QStringLiteral("Background/Sweet Hearts.png"), sweetHearts},
    };
}

} // namespace resgen
