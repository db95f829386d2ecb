#pragma once
// The items of a picture browser. Thumbnails are loaded lazily: the first
// time a view asks for an item's picture a worker reads a scaled-down copy of
// the file, and the item shows it once it is there. Nothing is read for
// items no view has asked to show.

#include "widgets/MyImageObject.h"

#include <QAbstractListModel>
#include <QHash>
#include <QImage>
#include <QList>
#include <QSet>
#include <QSize>
#include <QThreadPool>

class ImageBrowserModel : public QAbstractListModel {
    Q_OBJECT

public:
    explicit ImageBrowserModel(QObject* parent = nullptr);
    ~ImageBrowserModel() override;

    // The model is the browser's item list: these change it in place.
    void setItems(const QList<MyImageObject>& items);
    const QList<MyImageObject>& items() const { return m_items; }
    void appendItem(const MyImageObject& item);
    // Removes the items at those rows from the list (no file is touched).
    void removeItems(const QList<int>& rows);
    // Takes the items at `rows` out and inserts them, in their old order,
    // as one block at `destination` less the number of taken rows that
    // stood before it. False when a row is outside the list.
    bool moveItems(const QList<int>& rows, int destination);

    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    // Dragging items writes nothing: a drag carries an empty QMimeData (the
    // move within the browser works from the selection), so no other
    // window or program receives a path, picture or text from it.
    QStringList mimeTypes() const override { return {}; }
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    // The longest side of a thumbnail in pixels.
    void setThumbnailSize(int pixels);
    int thumbnailSize() const { return m_thumbnailSize; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Thumbnails read so far, and reads started (for the browser's owner
    // and tests).
    int loadedThumbnailCount() const { return static_cast<int>(m_thumbnails.size()); }
    int requestedThumbnailCount() const { return static_cast<int>(m_requested.size()); }
    // Waits until every started read has finished and been delivered.
    void waitForThumbnails();

    // A scaled copy of the picture file, longest side at most `pixels`;
    // a null image when the file does not read.
    static QImage readThumbnail(const QString& path, int pixels);

private:
    void requestThumbnail(const QString& path) const;
    void deliver(const QString& path, int pixels, const QImage& image);

    QList<MyImageObject> m_items;
    int m_thumbnailSize = 100;
    mutable QHash<QString, QImage> m_thumbnails;
    mutable QSet<QString> m_requested;
    mutable QThreadPool m_pool;
};
