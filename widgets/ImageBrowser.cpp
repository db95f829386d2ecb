#include "widgets/ImageBrowser.h"

#include <QItemSelectionModel>
#include <algorithm>
#include <cmath>

ImageBrowser::ImageBrowser(QWidget* parent)
    : QListView(parent), m_model(new ImageBrowserModel(this)) {
    setViewMode(QListView::IconMode);
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    setUniformItemSizes(true);
    setWrapping(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
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
