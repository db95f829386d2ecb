#include "widgets/ImageBrowserModel.h"

#include <QCoreApplication>
#include <QImageReader>
#include <QPixmap>

ImageBrowserModel::ImageBrowserModel(QObject* parent) : QAbstractListModel(parent) {
    m_pool.setMaxThreadCount(2);
}

ImageBrowserModel::~ImageBrowserModel() {
    // Reads still queued are dropped; running ones finish before the model
    // goes, and their deliveries die with it.
    m_pool.clear();
    m_pool.waitForDone();
}

void ImageBrowserModel::setItems(const QList<MyImageObject>& items) {
    beginResetModel();
    m_items = items;
    endResetModel();
}

void ImageBrowserModel::setThumbnailSize(int pixels) {
    if (pixels == m_thumbnailSize || pixels <= 0) {
        return;
    }
    beginResetModel();
    m_thumbnailSize = pixels;
    m_pool.clear();
    m_thumbnails.clear();
    m_requested.clear();
    endResetModel();
}

int ImageBrowserModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_items.size());
}

QVariant ImageBrowserModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_items.size()) {
        return {};
    }
    const MyImageObject& item = m_items[index.row()];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return item.imageTitle();
    case Qt::DecorationRole: {
        const auto found = m_thumbnails.constFind(item.imageRepresentation());
        if (found != m_thumbnails.constEnd()) {
            return QPixmap::fromImage(*found);
        }
        requestThumbnail(item.imageRepresentation());
        return {};
    }
    case Qt::SizeHintRole:
        return QSize(m_thumbnailSize + 16, m_thumbnailSize + 24);
    case Qt::UserRole:
        return item.imageUID();
    default:
        return {};
    }
}

void ImageBrowserModel::requestThumbnail(const QString& path) const {
    if (path.isEmpty() || m_requested.contains(path)) {
        return;
    }
    m_requested.insert(path);
    auto* self = const_cast<ImageBrowserModel*>(this);
    const int pixels = m_thumbnailSize;
    m_pool.start([self, path, pixels] {
        const QImage image = readThumbnail(path, pixels);
        // The pool is drained before the model goes, so self is alive here;
        // the queued call is dropped if the model is deleted before it runs.
        QMetaObject::invokeMethod(
            self, [self, path, pixels, image] { self->deliver(path, pixels, image); },
            Qt::QueuedConnection);
    });
}

void ImageBrowserModel::deliver(const QString& path, int pixels, const QImage& image) {
    if (pixels != m_thumbnailSize || !m_requested.contains(path)) {
        return; // a read for an older size
    }
    m_thumbnails.insert(path, image);
    for (int row = 0; row < m_items.size(); ++row) {
        if (m_items[row].imageRepresentation() == path) {
            const QModelIndex changed = index(row);
            emit dataChanged(changed, changed, {Qt::DecorationRole});
        }
    }
}

void ImageBrowserModel::waitForThumbnails() {
    m_pool.waitForDone();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

QImage ImageBrowserModel::readThumbnail(const QString& path, int pixels) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize full = reader.size();
    if (full.isValid() && pixels > 0 && (full.width() > pixels || full.height() > pixels)) {
        // Formats that can decode at a smaller size (JPEG) do so here.
        reader.setScaledSize(full.scaled(pixels, pixels, Qt::KeepAspectRatio));
    }
    QImage image = reader.read();
    if (image.isNull()) {
        return {};
    }
    if (image.width() > pixels || image.height() > pixels) {
        image = image.scaled(pixels, pixels, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    return image;
}
