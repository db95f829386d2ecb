#include "editor/model/Shape_Control.h"

#include "editor/model/ObjectDrawing.h"

#include <cmath>
#include <numbers>

std::shared_ptr<SKTGraphic> Shape_Control::newOfSameClass() const {
    return std::make_shared<Shape_Control>();
}

std::shared_ptr<SKTGraphic> Shape_Control::copyOfObject() const {
    return std::shared_ptr<SKTGraphic>(new Shape_Control(*this));
}

QPainterPath Shape_Control::bezierPathForDrawing() const {
    const QString type = Get_shape_type();
    if (type == QLatin1String("R")) {
        return Rectangle_path();
    }
    if (type == QLatin1String("C")) {
        return Circle_path();
    }
    if (type == QLatin1String("RR")) {
        return Rounded_Rectangle_path();
    }
    if (type == QLatin1String("T")) {
        return Triangle_path();
    }
    if (type == QLatin1String("D")) {
        return Diamond_path();
    }
    if (type == QLatin1String("S")) {
        return Polygon_With_Diffrent_Sides(5);
    }
    if (type == QLatin1String("DS")) {
        static constexpr int kStarPoints[] = {0, 7, 9, 11, 13, 15};
        const int n = double_star_type >= 1 && double_star_type <= 5 ? kStarPoints[double_star_type]
                                                                     : double_star_type;
        return Polygon_With_Diffrent_Sides(n);
    }
    if (type == QLatin1String("P")) {
        static constexpr int kPolygonPoints[] = {0, 0, 10, 12, 14, 16};
        if (polygon_type == 1 || polygon_type == 8) {
            return Custom_Polygon();
        }
        const int n =
            polygon_type >= 2 && polygon_type <= 5 ? kPolygonPoints[polygon_type] : polygon_type;
        return Polygon_With_Diffrent_Sides(n);
    }
    return QPainterPath();
}

bool Shape_Control::isContentsUnderPoint(const QPointF& point) const {
    QPainterPath path = bezierPathForDrawing();
    path.setFillRule(Qt::WindingFill);
    return path.contains(point);
}

void Shape_Control::drawContentsInView(QPainter& painter, bool) {
    if (!ctrl_is_visible) {
        return;
    }
    const QPainterPath path = bezierPathForDrawing();
    if (path.isEmpty()) {
        return;
    }
    if (isDrawingFill()) {
        ObjectDrawing::fillPath(painter, *this, path,
                                ObjectDrawing::FillKinds::GradientHatchOrPlain);
    }
    if (isDrawingStroke()) {
        ObjectDrawing::strokePath(painter, *this, path);
    }
}

QPainterPath Shape_Control::Rectangle_path() const {
    QPainterPath path;
    path.addRect(bounds());
    return path;
}

QPainterPath Shape_Control::Circle_path() const {
    QPainterPath path;
    path.addEllipse(bounds());
    return path;
}

QPainterPath Shape_Control::Rounded_Rectangle_path() const {
    QPainterPath path;
    path.addRoundedRect(bounds(), cor_rad_val_val, cor_rad_val_val);
    return path;
}

QPainterPath Shape_Control::Triangle_path() const {
    // Computed in 32-bit floats as card designs always were.
    const float x = static_cast<float>(_bounds.x());
    const float y = static_cast<float>(_bounds.y());
    const float w = static_cast<float>(_bounds.width());
    const float h = static_cast<float>(_bounds.height());
    QPainterPath path;
    path.moveTo(x, y + h);
    path.lineTo(x + w / 2.0f, y);
    path.lineTo(x + w, y + h);
    path.closeSubpath();
    return path;
}

QPainterPath Shape_Control::Diamond_path() const {
    const float x = static_cast<float>(_bounds.x());
    const float y = static_cast<float>(_bounds.y());
    const float w = static_cast<float>(_bounds.width());
    const float h = static_cast<float>(_bounds.height());
    QPainterPath path;
    path.moveTo(x, y + h / 2.0f);
    path.lineTo(x + w / 2.0f, y);
    path.lineTo(x + w, y + h / 2.0f);
    path.lineTo(x + w / 2.0f, y + h);
    path.closeSubpath();
    return path;
}

QPainterPath Shape_Control::Polygon_With_Diffrent_Sides(int sides) const {
    QPainterPath path;
    if (sides <= 0 || sides > kMaxVertices) {
        return path;
    }
    const double rx = _bounds.width() / 2.0;
    const double ry = _bounds.height() / 2.0;
    const QPointF centre(_bounds.x() + rx, _bounds.y() + ry);
    double angle = -std::numbers::pi / 2.0;
    const double step = 4.0 * std::numbers::pi / sides;
    for (int i = 0; i < sides; ++i) {
        const QPointF p(centre.x() + rx * std::cos(angle), centre.y() + ry * std::sin(angle));
        if (i == 0) {
            path.moveTo(p);
        } else {
            path.lineTo(p);
        }
        angle += step;
    }
    path.closeSubpath();
    return path;
}

QPainterPath Shape_Control::Custom_Polygon() const {
    const double x = _bounds.x();
    const double y = _bounds.y();
    const double w = _bounds.width();
    const double h = _bounds.height();
    QPainterPath path;
    path.moveTo(x, y);
    path.lineTo(x + w / 2, y + h / 4);
    path.lineTo(x + w, y);
    path.lineTo(x + 3 * w / 4, y + h / 2);
    path.lineTo(x + w, y + h);
    path.lineTo(x + w / 2, y + 3 * h / 4);
    path.lineTo(x, y + h);
    path.lineTo(x + w / 4, y + h / 2);
    path.closeSubpath();
    return path;
}
