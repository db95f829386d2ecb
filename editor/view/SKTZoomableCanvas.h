#pragma once
// The base of a card canvas inside the zooming scroll view. Card
// coordinates stay points: the widget is the card size times the zoom
// factor, painting is scaled by the factor and event positions are divided
// by it, so subclasses draw and hit-test in points only.

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QWidget>

class QMouseEvent;

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

protected:
    // Draws the card part inside `dirty` (points); the painter is scaled to
    // points and clipped to the dirty region, so the card background is
    // drawn from cardBounds() (its outline stays the card's), not `dirty`.
    virtual void drawCard(QPainter& painter, const QRectF& dirty);
    // Mouse events with their position in card points.
    virtual void cardMousePress(const QPointF& point, QMouseEvent* event);
    virtual void cardMouseMove(const QPointF& point, QMouseEvent* event);
    virtual void cardMouseRelease(const QPointF& point, QMouseEvent* event);

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void updateWidgetSize();

    QSizeF m_cardSize;
    double m_factor = 1.0;
};
