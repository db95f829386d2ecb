#include "barcodes/ModulePicture.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// A symbol has a dark and a light colour, sometimes a transparent margin.
constexpr std::size_t kMaxColours = 4;

struct ColourPath {
    QRgb colour = 0;
    QPainterPath path;
};

struct Run {
    int x0 = 0;
    int x1 = 0; // exclusive
    QRgb colour = 0;
};

// Runs of equal pixels in one row.
std::vector<Run> runsOf(const QRgb* line, int width) {
    std::vector<Run> runs;
    int x = 0;
    while (x < width) {
        int end = x + 1;
        while (end < width && line[end] == line[x]) {
            ++end;
        }
        runs.push_back({x, end, line[x]});
        x = end;
    }
    return runs;
}

} // namespace

CardPicture modulePicture(const QImage& modules, const QSizeF& points) {
    if (modules.isNull() || !(points.width() > 0) || !(points.height() > 0) ||
        !std::isfinite(points.width()) || !std::isfinite(points.height())) {
        return {};
    }
    const QImage argb = modules.convertToFormat(QImage::Format_ARGB32);
    const int width = argb.width();
    const int height = argb.height();
    auto paths = std::make_shared<std::vector<ColourPath>>();
    auto pathFor = [&](QRgb colour) -> QPainterPath* {
        for (ColourPath& entry : *paths) {
            if (entry.colour == colour) {
                return &entry.path;
            }
        }
        if (paths->size() == kMaxColours) {
            return nullptr;
        }
        paths->push_back({colour, QPainterPath()});
        paths->back().path.setFillRule(Qt::WindingFill);
        return &paths->back().path;
    };
    // Rows equal to the one above extend its rectangles downwards, so a
    // module of n x n pixels becomes one rectangle, not n.
    int bandStart = 0;
    for (int y = 0; y <= height; ++y) {
        const bool sameAsAbove = y > 0 && y < height &&
                                 std::memcmp(argb.constScanLine(y), argb.constScanLine(y - 1),
                                             static_cast<std::size_t>(width) * sizeof(QRgb)) == 0;
        if (y > 0 && !sameAsAbove) {
            const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(bandStart));
            for (const Run& run : runsOf(line, width)) {
                if (qAlpha(run.colour) == 0) {
                    continue;
                }
                QPainterPath* path = pathFor(run.colour);
                if (!path) {
                    return CardPicture::fromImage(modules, points);
                }
                path->addRect(run.x0, bandStart, run.x1 - run.x0, y - bandStart);
            }
            bandStart = y;
        }
    }
    const double sx = points.width() / width;
    const double sy = points.height() / height;
    return CardPicture::fromDrawer(points, [paths, sx, sy](QPainter& painter) {
        painter.save();
        // Whole pixels per module edge on rasters; PDF keeps the exact path.
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(Qt::NoPen);
        painter.scale(sx, sy);
        for (const ColourPath& entry : *paths) {
            painter.fillPath(entry.path, QColor::fromRgba(entry.colour));
        }
        painter.restore();
    });
}
