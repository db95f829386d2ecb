// The canvas's use of the shared grid: snapping, alignment, drawing and its
// change notice. Without a grid points and rectangles stay as they are and
// nothing is drawn.

#include "editor/canvas/SKTGraphicView.h"

#include "editor/view/SKTGrid.h"

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
    setGrid(qobject_cast<SKTGrid*>(container));
}

void SKTGraphicView::connectGrid() {
    if (_grid) {
        m_gridConnection = connect(_grid, &SKTGrid::changed, this, &SKTGraphicView::gridChanged);
    }
}

QPointF SKTGraphicView::constrainedPoint(const QPointF& point) const {
    if (_grid) {
        return _grid->constrainedPoint(point);
    }
    return point;
}

bool SKTGraphicView::gridCanAlign() const {
    return _grid && _grid->canAlign();
}

QRectF SKTGraphicView::gridAlignedRect(const QRectF& rect) const {
    if (_grid && _grid->canAlign()) {
        return _grid->alignedRect(rect);
    }
    return rect;
}

void SKTGraphicView::drawGrid(QPainter& painter, const QRectF& dirty) const {
    if (_grid) {
        _grid->drawRect(painter, dirty);
    }
}
