#pragma once
// The base of a card canvas inside the zooming scroll view. Card
// coordinates stay points: the widget is the card size times the zoom
// factor, painting is scaled by the factor and event positions are divided
// by it, so subclasses draw and hit-test in points only.

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QRegion>
#include <QSizeF>
#include <QWidget>
#include <functional>

class QMouseEvent;
class QPainter;

class SKTZoomableCanvas : public QWidget {
    Q_OBJECT
public:
    explicit SKTZoomableCanvas(QWidget* parent = nullptr);

    // The card size in points (the canvas's bounds).
    QSizeF cardSize() const { return m_cardSize; }
    void setCardSize(const QSizeF& size);
    QRectF cardBounds() const { return {QPointF(0, 0), m_cardSize}; }

    double zoomFactor() const { return m_factor; }
    // Factors of 0 or less, or not finite, are ignored.
    void setZoomFactor(double factor);

    // Widget pixels to card points and back.
    QPointF cardPoint(const QPointF& widgetPoint) const;
    QRectF cardRect(const QRectF& widgetRect) const;
    QRectF widgetRect(const QRectF& cardRect) const;

    // What shows beneath the canvas where the card does not cover it (the
    // host's backdrop), painted in the coordinates of the canvas's parent.
    // With one set the canvas paints every pixel itself (it is opaque), so a
    // scroll moves the pixels already shown and repaints only the strip
    // uncovered. None: the parent shows through as usual.
    using BackdropPainter = std::function<void(QPainter&)>;
    void setBackdropPainter(BackdropPainter painter);
    // Before the canvas moves in its parent: the pixels shown may move with
    // it only when none of them is backdrop (the backdrop stays with the
    // parent, its gradient does not scroll).
    void prepareMove();

    // Redraw requests. Besides asking Qt for a paint (now for repaint) they drop the kept
    // picture of the area (these hide QWidget's own; every change to what
    // drawCard draws must come through one of them). The part of an area
    // past the canvas's edge is redrawn in the parent, where drawBeyondCard
    // shows.
    void update();
    void update(const QRect& rect);
    void update(const QRegion& region);
    void repaint();
    void repaint(const QRect& rect);
    void repaint(const QRegion& region);

    // Draws, over the backdrop around the card, what of the canvas reaches
    // past the card's edge (the painter in card points). Nothing by default.
    virtual void drawBeyondCard(QPainter& painter) const;
    // The card points the scroll view keeps within reach: the card and what
    // drawBeyondCard shows past it. The card by default.
    virtual QRectF reachBounds() const;

    // Left-button presses on the backdrop around the card (the scroll view
    // hands them over), and the moves and the release that follow them,
    // with their position in card points (outside the card). Nothing by
    // default.
    virtual void backdropMousePress(const QPointF& point, QMouseEvent* event);
    virtual void backdropMouseMove(const QPointF& point, QMouseEvent* event);
    virtual void backdropMouseRelease(const QPointF& point, QMouseEvent* event);

signals:
    // A redraw request reached past the card's edge: what shows there, and
    // so the reach, may have changed.
    void beyondCardChanged();

protected:
    // The widget pixels that drawCard always covers fully opaque; the
    // backdrop is painted only outside them. None by default.
    virtual QRegion opaqueCardRegion() const;
    // Draws the card part inside `dirty` (points); the painter is scaled to
    // points and clipped to the dirty region, so the card background is
    // drawn from cardBounds() (its outline stays the card's), not `dirty`.
    virtual void drawCard(QPainter& painter, const QRectF& dirty);
    // Mouse events with their position in card points.
    virtual void cardMousePress(const QPointF& point, QMouseEvent* event);
    virtual void cardMouseMove(const QPointF& point, QMouseEvent* event);
    virtual void cardMouseRelease(const QPointF& point, QMouseEvent* event);

    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void updateWidgetSize();
    void updateBeyondCard(const QRegion& region);
    void dropKeptPicture();
    // Places the kept picture over the visible part of the canvas (keeping
    // what it holds there); false when no picture can be kept.
    bool placeKeptPicture();
    void paintCard(QPainter& painter, const QRegion& region);

    QSizeF m_cardSize;
    double m_factor = 1.0;
    BackdropPainter m_backdrop;

    // The kept picture: what drawCard drew over m_keptRect (widget pixels,
    // transparent where it drew nothing); m_keptValid is the part of it
    // still current. Exposures and scrolls back are served from it, so only
    // what a redraw request marked is drawn again.
    QImage m_kept;
    QRect m_keptRect;
    QRegion m_keptValid;
};
