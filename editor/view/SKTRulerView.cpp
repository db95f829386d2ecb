#include "editor/view/SKTRulerView.h"

#include <QPaintEvent>
#include <QPainter>
#include <cmath>

namespace {

// The smallest step of these (in points) that is at least `pixels` wide.
double stepFor(double scale, double pixels) {
    static constexpr double kSteps[] = {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000};
    for (double step : kSteps) {
        if (step * scale >= pixels) {
            return step;
        }
    }
    return 10000;
}

} // namespace

SKTRulerView::SKTRulerView(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), m_orientation(orientation) {
    if (orientation == Qt::Horizontal) {
        setFixedHeight(kThickness);
    } else {
        setFixedWidth(kThickness);
    }
}

void SKTRulerView::setOrigin(int pixels) {
    if (pixels != m_origin) {
        m_origin = pixels;
        update();
    }
}

void SKTRulerView::setScale(double pixelsPerPoint) {
    if (pixelsPerPoint > 0 && std::isfinite(pixelsPerPoint) && pixelsPerPoint != m_scale) {
        m_scale = pixelsPerPoint;
        update();
    }
}

void SKTRulerView::setMarkerLocation(int index, double location) {
    if (index < 0 || index >= kMarkerCount || m_markers[index] == location) {
        return;
    }
    m_markers[index] = location;
    update();
}

double SKTRulerView::markerLocation(int index) const {
    return index >= 0 && index < kMarkerCount ? m_markers[index] : kHiddenLocation;
}

double SKTRulerView::pixelOf(double location) const {
    return m_origin + location * m_scale;
}

void SKTRulerView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool horizontal = m_orientation == Qt::Horizontal;
    const int length = horizontal ? width() : height();
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::Mid));
    if (horizontal) {
        painter.drawLine(0, height() - 1, width(), height() - 1);
    } else {
        painter.drawLine(width() - 1, 0, width() - 1, height());
    }

    // Minor ticks at least 6 pixels apart, labels at least 50.
    const double minor = stepFor(m_scale, 6);
    const double major = stepFor(m_scale, 50);
    const double first = std::floor(-m_origin / m_scale / minor) * minor;
    const double last = (length - m_origin) / m_scale;
    QFont font = painter.font();
    font.setPixelSize(9);
    painter.setFont(font);
    painter.setPen(palette().color(QPalette::WindowText));
    for (double location = first; location <= last; location += minor) {
        const double p = std::round(pixelOf(location)) + 0.5;
        const bool labelled = std::fmod(std::abs(location), major) < 1e-9;
        const double tick = labelled ? kThickness * 0.6 : kThickness * 0.25;
        if (horizontal) {
            painter.drawLine(QPointF(p, kThickness - tick), QPointF(p, kThickness));
            if (labelled) {
                painter.drawText(QPointF(p + 2, 9), QString::number(location));
            }
        } else {
            painter.drawLine(QPointF(kThickness - tick, p), QPointF(kThickness, p));
            if (labelled) {
                painter.drawText(QPointF(1, p + 10), QString::number(location));
            }
        }
    }

    painter.setPen(QPen(palette().color(QPalette::Highlight), 1));
    for (double location : m_markers) {
        if (location == kHiddenLocation) {
            continue;
        }
        const double p = std::round(pixelOf(location)) + 0.5;
        if (horizontal) {
            painter.drawLine(QPointF(p, 0), QPointF(p, kThickness));
        } else {
            painter.drawLine(QPointF(0, p), QPointF(kThickness, p));
        }
    }
}
