// The canvas's use of the shared grid: snapping, alignment, drawing and its
// change notice. Without a grid (or while the grid library is not part of
// the build) points and rectangles stay as they are and nothing is drawn.

#include "editor/canvas/SKTGraphicView.h"

#if __has_include("editor/view/SKTGrid.h")
#include "editor/view/SKTGrid.h"
#define CARD_CANVAS_HAS_GRID 1
#else
#define CARD_CANVAS_HAS_GRID 0
#endif

#include <QPainter>

void SKTGraphicView::setGrid(SKTGrid* grid) {
    if (grid == _grid) {
        return;
    }
    disconnect(m_gridConnection);
    _grid = grid;
    connectGrid();
    update();
}

void SKTGraphicView::bindGrid(QObject* container) {
#if CARD_CANVAS_HAS_GRID
    setGrid(qobject_cast<SKTGrid*>(container));
#else
    Q_UNUSED(container);
#endif
}

void SKTGraphicView::connectGrid() {
#if CARD_CANVAS_HAS_GRID
    if (_grid) {
        m_gridConnection =
            connect(_grid, &SKTGrid::gridChanged, this, &SKTGraphicView::gridChanged);
    }
#endif
}

QPointF SKTGraphicView::constrainedPoint(const QPointF& point) const {
#if CARD_CANVAS_HAS_GRID
    if (_grid) {
        return _grid->constrainedPoint(point);
    }
#endif
    return point;
}

bool SKTGraphicView::gridCanAlign() const {
#if CARD_CANVAS_HAS_GRID
    return _grid && _grid->canAlign();
#else
    return false;
#endif
}

QRectF SKTGraphicView::gridAlignedRect(const QRectF& rect) const {
#if CARD_CANVAS_HAS_GRID
    if (_grid && _grid->canAlign()) {
        return _grid->alignedRect(rect);
    }
#endif
    return rect;
}

void SKTGraphicView::drawGrid(QPainter& painter, const QRectF& dirty) const {
#if CARD_CANVAS_HAS_GRID
    if (_grid) {
        _grid->drawRect(painter, dirty);
    }
#else
    Q_UNUSED(painter);
    Q_UNUSED(dirty);
#endif
}
