#include "widgets/ImageBrowser.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <algorithm>
#include <cmath>

ImageBrowser::ImageBrowser(QWidget* parent)
    : QListView(parent), m_model(new ImageBrowserModel(this)) {
    setViewMode(QListView::IconMode);
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    setUniformItemSizes(true);
    setWrapping(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setModel(m_model);
    setZoomValue(1.0);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { emit selectionDidChange(); });
}

void ImageBrowser::setZoomValue(double zoom) {
    m_zoom = std::clamp(zoom, 0.1, 1.0);
    const int pixels = static_cast<int>(std::lround(kFullThumbnailSize * m_zoom));
    m_model->setThumbnailSize(pixels);
    setIconSize(QSize(pixels, pixels));
    setGridSize(QSize(pixels + 16, pixels + 24));
}

QList<int> ImageBrowser::selectionIndexes() const {
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
        rows.append(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void ImageBrowser::deleteSelection() {
    const QList<int> rows = selectionIndexes();
    if (rows.isEmpty()) {
        return;
    }
    m_model->removeItems(rows);
    emit itemsChanged();
}

bool ImageBrowser::dropSelectionAt(const QPoint& point) {
    // Dropped on an item: the block goes before it; elsewhere: to the end.
    const QModelIndex target = indexAt(point);
    const int destination = target.isValid() ? target.row() : m_model->rowCount();
    const QList<int> rows = selectionIndexes();
    if (rows.isEmpty() || !m_model->moveItems(rows, destination)) {
        return false;
    }
    emit itemsChanged();
    return true;
}

void ImageBrowser::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) {
        deleteSelection();
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

void ImageBrowser::dragEnterEvent(QDragEnterEvent* event) {
    if (event->source() == this) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
        return;
    }
    event->ignore();
}

void ImageBrowser::dragMoveEvent(QDragMoveEvent* event) {
    if (event->source() == this) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
        return;
    }
    event->ignore();
}

void ImageBrowser::dropEvent(QDropEvent* event) {
    if (event->source() != this) {
        event->ignore();
        return;
    }
    dropSelectionAt(event->position().toPoint());
    // The move is done here; the drag must not remove the rows again.
    event->setDropAction(Qt::CopyAction);
    event->accept();
}
