#pragma once
// The one grid the three canvases share: spacing, colour, shown or not,
// snapping or not, its drawing, and a temporary showing of one second after
// a spacing change. Every change is announced through changed(), on which
// the canvases redraw.

#include <QColor>
#include <QObject>
#include <QPointF>
#include <QRectF>

class QPainter;
class QTimer;

inline constexpr double SKTGridTemporaryShowingTime = 1.0; // seconds

class SKTGrid : public QObject {
    Q_OBJECT
public:
    explicit SKTGrid(QObject* parent = nullptr);
    ~SKTGrid() override;

    QColor color() const { return _color; }
    double spacing() const { return _spacing; }
    bool isAlwaysShown() const { return _isAlwaysShown; }
    bool isConstraining() const { return _isConstraining; }
    // Spacing above 0.
    bool isUsable() const { return _spacing > 0; }
    bool canAlign() const { return isUsable(); }
    bool canSetColor() const { return _isAlwaysShown && isUsable(); }
    bool canSetSpacing() const { return _isAlwaysShown || _isConstraining; }
    // Usable and shown permanently or for the moment.
    bool isShowing() const;

    // An unchanged spacing does nothing. Otherwise the change is announced
    // and, for a spacing above 0 on a grid not shown permanently, the grid
    // shows for one second after the last change.
    void setSpacing(double spacing);
    // Always announced, so canvases redraw after a direct write of _color or
    // _spacing. A real change also enables the align-to-grid button exactly
    // when the grid is shown and ends a temporary showing.
    void setAlwaysShown(bool shown);
    // Always announced.
    void setConstraining(bool constraining);

    // Each coordinate to the nearest multiple of the spacing (halves up),
    // only while usable and constraining.
    QPointF constrainedPoint(const QPointF& point) const;
    // Origin and far corner each to the nearest multiple of the spacing.
    // A spacing of 0 or less answers the rectangle unchanged.
    QRectF alignedRect(const QRectF& rect) const;
    // Lines at every multiple of the spacing inside the dirty rectangle
    // (card points), one device pixel wide; nothing when not showing.
    void drawRect(QPainter& painter, const QRectF& dirtyRect) const;

    // The hiding timer's action: the temporary showing ends.
    void stopShowingGridForTimer();

    // Written directly by the main window, which then calls
    // setAlwaysShown(true) to announce the change.
    QColor _color;
    double _spacing = 9.0;

signals:
    // Any of colour, spacing, shown, snapping or the temporary showing
    // changed (or was announced).
    void changed();
    // The align-to-grid button should be enabled exactly when true.
    void alignWithGridEnabled(bool enabled);

private:
    bool _isAlwaysShown = false;
    bool _isConstraining = false;
    QTimer* _hidingTimer = nullptr; // child; set only while showing for the moment
};
