#include "widgets/ImageBrowserModel.h"

#include "platform/PictureDecoder.h"

#include <QCoreApplication>
#include <QMimeData>
#include <QPixmap>
#include <QThread>
#include <algorithm>

ImageBrowserModel::ImageBrowserModel(QObject* parent) : QAbstractListModel(parent) {
    // Reading thumbnails is decoding work: one reader per core.
    m_pool.setMaxThreadCount(std::max(2, QThread::idealThreadCount()));
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

void ImageBrowserModel::appendItem(const MyImageObject& item) {
    const int row = static_cast<int>(m_items.size());
    beginInsertRows(QModelIndex(), row, row);
    m_items.append(item);
    endInsertRows();
}

namespace {
// Distinct rows inside [0, count), ascending.
QList<int> validRows(QList<int> rows, qsizetype count, bool* allValid) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    *allValid = rows.isEmpty() || (rows.first() >= 0 && rows.last() < count);
    return rows;
}
} // namespace

void ImageBrowserModel::removeItems(const QList<int>& rows) {
    bool allValid = false;
    const QList<int> sorted = validRows(rows, m_items.size(), &allValid);
    for (auto it = sorted.crbegin(); it != sorted.crend(); ++it) {
        const int row = *it;
        if (row < 0 || row >= m_items.size()) {
            continue;
        }
        beginRemoveRows(QModelIndex(), row, row);
        m_items.removeAt(row);
        endRemoveRows();
    }
}

bool ImageBrowserModel::moveItems(const QList<int>& rows, int destination) {
    bool allValid = false;
    const QList<int> sorted = validRows(rows, m_items.size(), &allValid);
    if (!allValid || sorted.isEmpty()) {
        return false;
    }
    QList<MyImageObject> moved;
    int before = 0;
    for (int row : sorted) {
        moved.append(m_items[row]);
        if (row < destination) {
            ++before;
        }
    }
    QList<MyImageObject> rest;
    for (int row = 0; row < m_items.size(); ++row) {
        if (!std::binary_search(sorted.cbegin(), sorted.cend(), row)) {
            rest.append(m_items[row]);
        }
    }
    const int at = std::clamp(destination - before, 0, static_cast<int>(rest.size()));
    for (int i = 0; i < moved.size(); ++i) {
        rest.insert(at + i, moved[i]);
    }
    beginResetModel();
    m_items = rest;
    endResetModel();
    return true;
}

Qt::ItemFlags ImageBrowserModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractListModel::flags(index);
    if (index.isValid()) {
        flags |= Qt::ItemIsDragEnabled;
    } else {
        flags |= Qt::ItemIsDropEnabled;
    }
    return flags;
}

QMimeData* ImageBrowserModel::mimeData(const QModelIndexList& indexes) const {
    Q_UNUSED(indexes);
    // The drag that asked for it takes ownership.
    return new QMimeData;
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
    // Upright as the file's orientation says, read at a smaller size where
    // the format can (JPEG, PNG); a file too costly to decode shows none.
    const PictureDecoder::Header header = PictureDecoder::readHeader(path);
    QSize target;
    if (header.pixels.isValid() && pixels > 0 &&
        (header.pixels.width() > pixels || header.pixels.height() > pixels)) {
        target = header.pixels.scaled(pixels, pixels, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    }
    QImage image = PictureDecoder::decode(path, target, nullptr, &header);
    if (image.isNull()) {
        return {};
    }
    if (image.width() > pixels || image.height() > pixels) {
        image = image.scaled(pixels, pixels, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    return image;
}
