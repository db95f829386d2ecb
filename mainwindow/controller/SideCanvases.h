#pragma once
// The three canvases of the main window (front, back, temporary), each in its
// zooming scroll view inside its enclosing view, bound to the document's
// three lists and to the one grid.

#include <QSizeF>
#include <memory>

class QWidget;
class SKTDocument;
class SKTGrid;

class SideCanvases {
public:
    // Builds the canvases into the three enclosing views and binds them.
    SideCanvases(SKTDocument& document, QWidget* firstView, QWidget* secondView, QWidget* tempView);
    ~SideCanvases();
    SideCanvases(const SideCanvases&) = delete;
    SideCanvases& operator=(const SideCanvases&) = delete;

    // The canvas widget of side 0 front, 1 back, 2 temporary (none for
    // another number).
    QWidget* canvas(int side) const;
    // The scroll view of a side.
    QWidget* scrollView(int side) const;
    void setCanvasSize(const QSizeF& points);
    void setZoomFactor(double factor);
    void setRulersShown(bool shown);
    bool rulersShown() const;
    void refresh(int side);
    void clearSelection(int side);
    // The one grid of the three canvases.
    SKTGrid* grid() const;

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};
