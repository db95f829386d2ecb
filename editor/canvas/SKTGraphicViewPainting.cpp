// Painting of the canvas: the card background, the grid, the objects from
// the back-most to the front-most with their handles, and the rubber band.

#include "core/globals.h"
#include "editor/canvas/SKTCanvasHost.h"
#include "editor/canvas/SKTGraphicView.h"
#include "editor/render/Card_Base_Drawing.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cmath>

namespace {

// Clears the painting flag however painting ends.
class PaintingScope {
public:
    explicit PaintingScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~PaintingScope() { m_flag = false; }
    PaintingScope(const PaintingScope&) = delete;
    PaintingScope& operator=(const PaintingScope&) = delete;

private:
    bool& m_flag;
};

} // namespace

void SKTGraphicView::paintEvent(QPaintEvent* event) {
    PaintingScope scope(m_painting);
    SKTZoomableCanvas::paintEvent(event);
}

QRegion SKTGraphicView::opaqueCardRegion() const {
    const double factor = zoomFactor();
    const double w = cardSize().width() * factor;
    const double h = cardSize().height() * factor;
    if (!(w >= 1) || !(h >= 1) || !std::isfinite(w) || !std::isfinite(h)) {
        return {};
    }
    const int right = static_cast<int>(std::min(std::floor(w), double(width())));
    const int bottom = static_cast<int>(std::min(std::floor(h), double(height())));
    const int shape = Card_Shape.load();
    if (shape == 1) {
        // A cross clear of the four rounded corners.
        const int r = static_cast<int>(std::ceil(kCardCornerRadius * factor));
        return QRegion(r, 0, right - 2 * r, bottom) + QRegion(0, r, right, bottom - 2 * r);
    }
    if (shape == 2) {
        // Horizontal bands inside the ellipse, two pixels clear of it (the
        // outline is drawn with curves approximating it).
        constexpr int kBands = 32;
        constexpr double kClearance = 2.0;
        const double a = w / 2;
        const double b = h / 2;
        QRegion inside;
        for (int band = 0; band < kBands; ++band) {
            const int top = bottom * band / kBands;
            const int end = bottom * (band + 1) / kBands;
            // The band's row farthest from the centre bounds its width.
            const double dy = std::max(std::abs(top - b), std::abs(end - b)) / b;
            if (dy >= 1) {
                continue;
            }
            const double half = a * std::sqrt(1 - dy * dy) - kClearance;
            const int left = static_cast<int>(std::ceil(a - half));
            const int stop = static_cast<int>(std::floor(a + half));
            if (stop > left && end > top) {
                inside += QRect(left, top, stop - left, end - top);
            }
        }
        return inside;
    }
    return QRegion(0, 0, right, bottom);
}

void SKTGraphicView::drawCard(QPainter& painter, const QRectF& dirty) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);

    // The background is given the whole card; the clip keeps it to the
    // dirty area.
    SKTCanvasMain::Card_Base_Drawing(painter, bounds().isEmpty() ? dirty : bounds());
    drawGrid(painter, dirty);

    const SKTGraphicList list = graphics();
    const QList<int> selection = selectionIndexes();
    for (int index = static_cast<int>(list.size()) - 1; index >= 0; --index) {
        const std::shared_ptr<SKTGraphic>& graphic = list.at(index);
        const QRectF drawingBounds = graphic->drawingBounds();
        if (!drawingBounds.intersects(dirty)) {
            continue;
        }
        const bool beingCreatedOrEdited = graphic == _creatingGraphic || graphic == _editingGraphic;
        const bool handlesDue = !_isHidingHandles && !beingCreatedOrEdited &&
                                std::binary_search(selection.begin(), selection.end(), index);
        painter.save();
        painter.setClipRect(drawingBounds, Qt::IntersectClip);
        graphic->drawContentsInView(painter, beingCreatedOrEdited);
        if (handlesDue) {
            graphic->drawHandlesInView(painter, graphic->ctrl_is_locked);
        }
        painter.restore();
    }

    if (!_marqueeSelectionBounds.isNull()) {
        QPen pen(palette().color(QPalette::Highlight));
        pen.setWidthF(1.0);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.drawRect(_marqueeSelectionBounds.adjusted(0.5, 0.5, -0.5, -0.5));
    }
}
