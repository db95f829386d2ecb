#pragma once
// A picture browser: an icon-mode list over MyImageObject items, with
// thumbnails that load as the items come into view. Its zoom value scales
// the thumbnails (1.0 is 250 pixels). The delete key removes the selected
// items from the list (never a file); dragging items moves them within it.

#include "widgets/ImageBrowserModel.h"

#include <QListView>

class ImageBrowser : public QListView {
    Q_OBJECT

public:
    static constexpr int kFullThumbnailSize = 250;

    explicit ImageBrowser(QWidget* parent = nullptr);

    ImageBrowserModel* browserModel() const { return m_model; }
    void setItems(const QList<MyImageObject>& items) { m_model->setItems(items); }
    void reloadData() { viewport()->update(); }

    double zoomValue() const { return m_zoom; }
    void setZoomValue(double zoom);

    // Rows chosen by the user, in ascending order.
    QList<int> selectionIndexes() const;

    // Removes the selected items from the list (the delete command).
    void deleteSelection();

    // The drop of the browser's own drag at a viewport point: the selected
    // items go as one block before the item there, or to the end when no
    // item is there. False when nothing moved.
    bool dropSelectionAt(const QPoint& point);

signals:
    // The user changed the selection.
    void selectionDidChange();
    // Items were removed or moved by the user.
    void itemsChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    ImageBrowserModel* m_model;
    double m_zoom = 1.0;
};
