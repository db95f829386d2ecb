#include "Placeholders.h"

#include "Canvas.h"

#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <numbers>
#include <vector>

namespace resgen {

namespace {

// A grey frame with a small landscape, struck through: no picture here.
QImage missingPicture() {
    QImage image = newImage(100, 100, true);
    QPainter painter(&image);
    prepare(painter);
    painter.setPen(QPen(QColor(180, 180, 180), 2));
    painter.setBrush(QColor(242, 242, 242));
    painter.drawRoundedRect(QRectF(2, 2, 96, 96), 8, 8);

    painter.setPen(QPen(QColor(154, 154, 154), 2.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(22, 28, 56, 44));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(188, 188, 188));
    painter.drawPolygon(QPolygonF({{25, 70}, {42, 47}, {52, 59}, {60, 51}, {75, 70}}));
    painter.setBrush(QColor(200, 200, 200));
    painter.drawEllipse(QPointF(64, 39), 5, 5);

    QPen slash(QColor(208, 80, 80), 5);
    slash.setCapStyle(Qt::RoundCap);
    painter.setPen(slash);
    painter.drawLine(QPointF(18, 82), QPointF(82, 18));
    return image;
}

// A smooth curve through the points (Catmull-Rom turned into cubic pieces).
QPainterPath smoothThrough(const std::vector<QPointF>& points) {
    QPainterPath path(points.front());
    const auto at = [&points](long i) {
        const long last = static_cast<long>(points.size()) - 1;
        return points[static_cast<size_t>(std::clamp(i, 0L, last))];
    };
    for (long i = 0; i + 1 < static_cast<long>(points.size()); ++i) {
        const QPointF c1 = at(i) + (at(i + 1) - at(i - 1)) / 6.0;
        const QPointF c2 = at(i + 1) - (at(i + 2) - at(i)) / 6.0;
        path.cubicTo(c1, c2, at(i + 1));
    }
    return path;
}

// A handwritten-looking scribble in dark blue ink with a flourish under it.
QImage signatureSample() {
    QImage image = newImage(180, 70, true);
    QPainter painter(&image);
    prepare(painter);
    QPen ink(QColor(27, 47, 122), 2.2);
    ink.setCapStyle(Qt::RoundCap);
    ink.setJoinStyle(Qt::RoundJoin);
    painter.setPen(ink);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(smoothThrough({{12, 48},  {22, 20},  {30, 13},  {29, 38},  {24, 55}, {34, 44},
                                    {46, 30},  {50, 44},  {58, 33},  {64, 46},  {72, 30}, {70, 50},
                                    {80, 38},  {92, 24},  {97, 18},  {90, 44},  {99, 46}, {110, 32},
                                    {116, 44}, {124, 30}, {132, 44}, {143, 35}, {160, 27}}));
    ink.setWidthF(1.6);
    painter.setPen(ink);
    painter.drawPath(smoothThrough({{18, 60}, {70, 55}, {120, 54}, {166, 50}}));
    return image;
}

// Ridges of a fingertip: nested, slightly wavy loops with small breaks,
// inside an oval outline.
QImage fingerprintSample() {
    QImage image = newImage(80, 100, true);
    QPainter painter(&image);
    prepare(painter);
    QPainterPath outline;
    outline.addEllipse(QRectF(5, 5, 70, 90));
    painter.setClipPath(outline);
    QPen ridge(QColor(58, 58, 58), 1.7);
    ridge.setCapStyle(Qt::RoundCap);
    painter.setPen(ridge);
    painter.setBrush(Qt::NoBrush);
    const QPointF core(40, 50);
    for (int k = 0; k < 14; ++k) {
        const double rx = 3.0 + 3.1 * k;
        const double ry = 4.5 + 3.6 * k;
        // Each loop leaves out a short arc at a different place.
        const double gapStart = (k * 67) % 360;
        const double gapLength = k < 2 ? 0.0 : 28.0;
        QPainterPath loop;
        bool first = true;
        for (int step = 0; step <= 120; ++step) {
            const double degrees = gapStart + gapLength + (360.0 - gapLength) * step / 120.0;
            const double a = degrees * std::numbers::pi / 180.0;
            const double wobble = 1.0 + 0.05 * std::sin(3.0 * a + k);
            const QPointF p(core.x() + rx * wobble * std::cos(a),
                            core.y() + ry * wobble * std::sin(a));
            if (first) {
                loop.moveTo(p);
                first = false;
            } else {
                loop.lineTo(p);
            }
        }
        painter.drawPath(loop);
    }
    return image;
}

// Black bars of varied widths on white, framed by guard bars.
QImage barcodeSample() {
    constexpr int kWidth = 160;
    constexpr int kHeight = 70;
    constexpr int kQuiet = 10;
    constexpr int kModule = 2;
    QImage image = newImage(kWidth, kHeight, false);
    QPainter painter(&image);
    const auto bar = [&painter](int x, int modules, int bottom) {
        painter.fillRect(QRect(x, 8, modules * kModule, bottom - 8), Qt::black);
    };
    int x = kQuiet;
    const int right = kWidth - kQuiet;
    // Start guard.
    bar(x, 1, 64);
    bar(x + 2 * kModule, 1, 64);
    x += 4 * kModule;
    Rng rng(0xBA4C0DE);
    const int endGuard = 3 * kModule;
    bool dark = true;
    while (true) {
        const int modules = 1 + static_cast<int>(rng.next() * 3.0);
        if (x + modules * kModule > right - endGuard - kModule) {
            break;
        }
        if (dark) {
            bar(x, modules, 58);
        }
        x += modules * kModule;
        dark = !dark;
    }
    // End guard, right-aligned.
    bar(right - 3 * kModule, 1, 64);
    bar(right - kModule, 1, 64);
    return image;
}

// The creation cursor: a thin black cross with a white halo, its centre on
// the middle pixel (the hot spot).
QImage creationCross() {
    QImage image = newImage(25, 25, true);
    QPainter painter(&image);
    painter.fillRect(QRect(11, 1, 3, 23), Qt::white);
    painter.fillRect(QRect(1, 11, 23, 3), Qt::white);
    painter.fillRect(QRect(12, 2, 1, 21), Qt::black);
    painter.fillRect(QRect(2, 12, 21, 1), Qt::black);
    return image;
}

} // namespace

PictureList placeholderPictures() {
    return {
        {QStringLiteral("no.png"), missingPicture},
        {QStringLiteral("sign_sample.png"), signatureSample},
        {QStringLiteral("fingerprints.png"), fingerprintSample},
        {QStringLiteral("barcode_sample.png"), barcodeSample},
        {QStringLiteral("Cross.png"), creationCross},
    };
}

} // namespace resgen
