#pragma once
// The editing canvas of one card side. It is bound to one of the document's
// object lists ("graphics", "graphics_back", "graphics_temp"; index 0 is the
// front-most object), to the side's selection holder and to the one grid,
// and keeps no copy of the objects. It draws the card and the objects,
// shows handles, tracks the mouse for selecting, moving, resizing and
// creating, nudges with the arrow keys and runs the edit and arrange
// commands. Coordinates are card points (y down); the zoomable base shows
// them scaled by the zoom factor.

#include "editor/canvas/SKTMutableGraphics.h"
#include "editor/canvas/SKTSelectionHolder.h"
#include "editor/model/SKTDocument.h"
#include "editor/model/SKTGraphic.h"
#include "editor/view/SKTGrid.h"
#include "editor/view/SKTZoomableCanvas.h"

#include <QList>
#include <QPointer>
#include <QRectF>
#include <QString>
#include <QVariantMap>
#include <memory>
#include <optional>

class QMimeData;
class QTimer;
class SKTZoomingScrollView;

inline const QString SKTGraphicViewGraphicsBindingName = QStringLiteral("graphics");
inline const QString SKTGraphicViewGraphicsBindingName_back = QStringLiteral("graphics_back");
inline const QString SKTGraphicViewGraphicsBindingName_temp = QStringLiteral("graphics_temp");
inline const QString SKTGraphicViewSelectionIndexesBindingName = QStringLiteral("selectionIndexes");
inline const QString SKTGraphicViewGridBindingName = QStringLiteral("grid");

class SKTGraphicView : public SKTZoomableCanvas {
    Q_OBJECT

public:
    explicit SKTGraphicView(QWidget* parent = nullptr);
    ~SKTGraphicView() override;

    // ---- Bindings ----
    // The list names take the document and a key path "document.<list>"
    // (only those key paths are followed for redrawing); "selectionIndexes"
    // takes the side's selection holder; "grid" takes the grid. Options are
    // refused for the first two with std::logic_error.
    void bind(const QString& binding, QObject* container, const QString& keyPath,
              const QVariantMap& options = {});
    void unbind(const QString& binding);
    void setGrid(SKTGrid* grid);
    SKTGrid* grid() const { return _grid.data(); }
    SKTDocument* document() const { return m_document; }
    SKTSelectionHolder* selectionHolder() const { return m_selectionHolder; }

    // ---- List and selection ----
    SKTGraphicList graphics() const;
    // std::logic_error when the list is not bound.
    SKTMutableGraphics mutableGraphics() const;
    QList<int> selectionIndexes() const;
    // std::logic_error when the selection is not bound. Enables the three
    // same-size buttons exactly when two or more are selected.
    void changeSelectionIndexes(const QList<int>& indexes);
    SKTGraphicList selectedGraphics() const;

    // The current object of this canvas (none once it has left the list).
    std::shared_ptr<SKTGraphic> selectedGraphic() const;
    void setSelectedGraphic(const std::shared_ptr<SKTGraphic>& graphic);
    std::shared_ptr<SKTGraphic> creatingGraphic() const { return _creatingGraphic; }

    // ---- Geometry ----
    // The canvas bounds: the card size in points.
    QRectF bounds() const { return cardBounds(); }
    // Marks a rectangle in points for redrawing.
    void setNeedsDisplayInRect(const QRectF& rect);

    // ---- Redraw request (the main window's Refresh_Canvas lands here) ----
    // Never repaints at once: dropped while this canvas paints, queued from
    // other threads, ignored while a batch fills the card.
    void Refresh_Canvas();
    bool isPainting() const { return m_painting; }

    // ---- Hit testing ----
    std::shared_ptr<SKTGraphic> graphicUnderPoint(const QPointF& point, int* index = nullptr,
                                                  bool* isSelected = nullptr,
                                                  int* handle = nullptr) const;
    QList<int> indexesOfGraphicsIntersectingRect(const QRectF& rect) const;

    // ---- Handles ----
    bool isHidingHandles() const { return _isHidingHandles; }
    void hideHandlesMomentarily();
    void unhideHandlesForTimer();
    void invalidateHandlesOfGraphics(const SKTGraphicList& graphics);

    // ---- Moves ----
    void moveLeft() { moveSelectedGraphicsByX(-1.0, 0.0); }
    void moveRight() { moveSelectedGraphicsByX(1.0, 0.0); }
    void moveUp() { moveSelectedGraphicsByX(0.0, -1.0); }
    void moveDown() { moveSelectedGraphicsByX(0.0, 1.0); }
    void moveSelectedGraphicsByX(double x, double y);
    bool isTracking() const { return m_track.mode != TrackMode::None; }

    // ---- The backdrop around the card ----
    // A press there on a handle of a selected object (one reaching past the
    // card's edge) resizes the object, as on the card. Any other press
    // there, as one on an empty spot of the card, deselects (unless shift
    // extends the selection) and starts a rubber band; on release the card
    // inspector shows unless the band selected objects. A drawing tool
    // creates nothing there.
    void backdropMousePress(const QPointF& point, QMouseEvent* event) override;
    void backdropMouseMove(const QPointF& point, QMouseEvent* event) override;
    void backdropMouseRelease(const QPointF& point, QMouseEvent* event) override;
    // The handles of selected objects reaching past the card, where the
    // presses above take them.
    void drawBeyondCard(QPainter& painter) const override;
    // The card and the selected objects' drawing bounds.
    QRectF reachBounds() const override;

    // ---- Rulers ----
    void beginEchoingMoveToRulers(const QRectF& rect);
    void continueEchoingMoveToRulers(const QRectF& rect);
    void stopEchoingMoveToRulers();
    QRectF rulerEchoedBounds() const { return _rulerEchoedBounds; }
    QRectF marqueeSelectionBounds() const { return _marqueeSelectionBounds; }

    // ---- Editing in place (no object kind answers an editing view) ----
    void startEditingGraphic(const std::shared_ptr<SKTGraphic>& graphic);
    void stopEditing();

    // ---- Undo ----
    void undo();
    void redo();

    // ---- Creation ----
    // With a mouse-press event the object is sized by dragging until the
    // button is released; otherwise it is placed at once.
    void createGraphicOfClass(const QString& cls, const QMouseEvent* event, bool use_rect,
                              const QRectF& rect, const QString& card_side,
                              const QString& ctrl_value, const QString& ctrl_ID);

    // ---- Contact fields ----
    // Writes the value into this canvas's object carrying the identifier
    // (the text for cls "SKTText", the picture file for "SKTImage") and shows
    // it, or creates the object when there is none; either way the object is
    // left as the current object.
    void ReplaceGraphicText(const QString& cls, const QMouseEvent* event, bool use_rect,
                            const QRectF& rect, const QString& card_side, const QString& ctrl_value,
                            const QString& ctrl_ID);
    // The first object, front-most first, of exactly class SKTText or
    // SKTImage whose identifier is ctrl_ID; none when there is none.
    std::shared_ptr<SKTGraphic> Selcect_Ctrl_With_ID(const QString& ctrl_ID) const;
    // Hides every text or picture object carrying a contact-field identifier.
    void Hide_all_Text_control_FUP_Control();

    // ---- Commands ----
    void deleteSelection(); // delete:, deleteBackward:, deleteForward:
    void copy();
    void cut();
    void paste();
    void bringToFront();
    void sendToBack();
    void alignLeftEdges();
    void alignRightEdges();
    void alignTopEdges();
    void alignBottomEdges();
    void alignHorizontalCenters();
    void alignVerticalCenters();
    void alignformCenter();
    void alignWithGrid();
    void makeSameWidth();
    void makeSameHeight();
    void makeNaturalSize();
    void print_contol_or_not(int flag);
    void selectAll();
    void deselectAll();
    void Clear_Control_Selection() { deselectAll(); }
    void delete_all_control();
    void delete_all_Text_control();
    void Refresh_ScrollView();
    void showOrHideRulers();
    bool There_Is_Any_Lock_Contrl() const;
    bool makeNewImageFromPasteboard(const QMimeData* pasteboard, const QPointF& point);
    bool makeNewImageFromContentsOfFile(const QString& path, const QPointF& point);
    // Menu validation by action name ("delete:", "showOrHideRulers:", ...);
    // the ruler item's title is given back in `title`.
    bool validateMenuItem(const QString& action, QString* title = nullptr) const;
    bool Get_Menu_Status(const QString& action) const { return validateMenuItem(action); }

    qint64 pasteboardChangeCount() const { return _pasteboardChangeCount; }
    qint64 pasteCascadeNumber() const { return _pasteCascadeNumber; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void drawCard(QPainter& painter, const QRectF& dirty) override;
    // The pixels wholly inside the card's outline: the card background
    // fills them opaque.
    QRegion opaqueCardRegion() const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void matchSizeOfFirstSelected(Qt::Orientation dimension);
    void moveSelectionToEnd(bool front);
    enum class TrackMode { None, Move, Resize, Marquee, WaitRelease };
    struct Tracking {
        TrackMode mode = TrackMode::None;
        QPointF downPoint;
        QPointF lastPoint;
        bool rulers = false;
        // Move
        SKTGraphicList graphics;
        QRectF selBounds;
        QPointF offset;
        bool isMoving = false;
        // Resize
        std::shared_ptr<SKTGraphic> graphic;
        int handle = 0;
        // Rubber band
        QList<int> startSelection;
        // After the release: show the current object's inspector, finish a
        // creation, close an undo group.
        bool showCurrent = false;
        bool creating = false;
        bool undoGroupOpen = false;
    };

    // Binding and change notification.
    void bindGraphics(const QString& name, QObject* container, const QString& keyPath,
                      const QVariantMap& options);
    void unbindGraphics();
    void graphicsInserted(const QString& key, const QList<int>& indexes,
                          const SKTGraphicList& graphics);
    void graphicsRemoved(const QString& key, const QList<int>& indexes,
                         const SKTGraphicList& graphics);
    void graphicChanged(SKTGraphic* graphic, const QRectF& oldBounds, const QRectF& newBounds);
    void selectionChanged(const QList<int>& oldIndexes, const QList<int>& newIndexes,
                          bool byListChange);
    void gridChanged();
    int indexOfGraphic(const SKTGraphic* graphic) const;
    void showCardInspectorIfEmpty();

    // Grid access (nothing happens without a usable grid).
    QPointF constrainedPoint(const QPointF& point) const;
    bool gridCanAlign() const;
    QRectF gridAlignedRect(const QRectF& rect) const;
    void drawGrid(QPainter& painter, const QRectF& dirty) const;
    void connectGrid();
    void bindGrid(QObject* container);

    // Mouse.
    void mouseDown(QMouseEvent* event, int clickCount);
    void selectAndTrackMouseWithEvent(const QPointF& point, bool extending);
    void moveSelectedGraphicsWithEvent(const QPointF& point);
    void resizeGraphic(const std::shared_ptr<SKTGraphic>& graphic, int handle,
                       const QPointF& point);
    void marqueeSelectWithEvent(const QPointF& point);
    void trackTo(QPointF point, const QPointF& widgetPosition);
    void finishTracking();
    void endMove();
    void endMarquee();
    void autoscroll(const QPointF& widgetPosition);
    void mouseDownEnd();
    // Empties the selection and shows the card inspector.
    void deselectAllAndShowCard();
    SKTZoomingScrollView* enclosingScrollView() const;
    bool rulersShown() const;
    void select(const QList<int>& indexes);
    void invalidateOutline(const QRectF& rect);

    // Creation. `size` is the frame the object will get (empty when the
    // mouse draws it): a picture is read once, for that frame.
    std::shared_ptr<SKTGraphic> makeGraphicForTool(const QString& cls, const QPointF& origin,
                                                   const QSizeF& size, const QString& value,
                                                   const QString& ctrl_ID) const;
    void finishCreation();

    // Commands.
    bool refuseWhenLocked() const;
    void alignSelection(int kind);
    void insertAndSelect(const SKTGraphicList& graphics, const QList<int>& indexes);
    void beginGroup();
    void endGroup();

    QPointer<SKTDocument> m_document;
    QString _graphicsKeyPath;
    QString m_listKey;
    bool m_listObserved = false;
    QList<QMetaObject::Connection> m_listConnections;
    QPointer<SKTSelectionHolder> m_selectionHolder;
    QString _selectionIndexesKeyPath;
    QMetaObject::Connection m_selectionConnection;
    QPointer<SKTGrid> _grid;
    QMetaObject::Connection m_gridConnection;

    QRectF _rulerEchoedBounds;
    std::shared_ptr<SKTGraphic> _creatingGraphic;
    std::shared_ptr<SKTGraphic> _editingGraphic;
    std::weak_ptr<SKTGraphic> _Selected_Graphic;
    QRectF _marqueeSelectionBounds;
    bool _isHidingHandles = false;
    QTimer* _handleShowingTimer = nullptr;
    qint64 _pasteboardChangeCount = -1;
    qint64 _pasteCascadeNumber = 0;
    std::optional<QList<int>> _undoSelectionIndexes;

    bool m_painting = false;
    // Set while the mouse or a creation decides the current object itself.
    bool m_mouseSetsCurrent = false;
    Tracking m_track;
};
