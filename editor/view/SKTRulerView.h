#pragma once
// A ruler beside the canvas: marks in card points that follow the zoom and
// the scrolling, and three marker lines (minimum, middle and maximum of the
// rectangle the canvas echoes while objects move or resize).

#include <QWidget>
#include <array>

class SKTRulerView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kThickness = 20;
    static constexpr int kMarkerCount = 3;
    // A marker at this location is not shown (markers enter from here).
    static constexpr double kHiddenLocation = -1.0;

    SKTRulerView(Qt::Orientation orientation, QWidget* parent = nullptr);

    Qt::Orientation orientation() const { return m_orientation; }

    // Where card point 0 lies along the ruler, in ruler pixels, and pixels
    // per point.
    void setOrigin(int pixels);
    int origin() const { return m_origin; }
    void setScale(double pixelsPerPoint);
    double scale() const { return m_scale; }

    // Marker lines at card locations in points.
    void setMarkerLocation(int index, double location);
    double markerLocation(int index) const;
    // The ruler pixel of a card location.
    double pixelOf(double location) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::Orientation m_orientation;
    int m_origin = 0;
    double m_scale = 1.0;
    std::array<double, kMarkerCount> m_markers{kHiddenLocation, kHiddenLocation, kHiddenLocation};
};
