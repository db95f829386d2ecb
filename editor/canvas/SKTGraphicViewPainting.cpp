// Painting of the canvas: the card background, the grid, the objects from
// the back-most to the front-most with their handles, and the rubber band.

#include "editor/canvas/SKTCanvasHost.h"
#include "editor/canvas/SKTGraphicView.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <algorithm>

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
