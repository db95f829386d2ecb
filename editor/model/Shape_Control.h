#pragma once
// The basic shape: rectangle "R", circle "C", rounded rectangle "RR",
// triangle "T", diamond "D", star "S", many-pointed star "DS" and polygon
// "P". Its outline is one path built from the shape letter, filled and
// stroked by the shared object drawing.

#include "editor/model/SKTGraphic.h"

class Shape_Control : public SKTGraphic {
public:
    Shape_Control() = default;

    QString className() const override { return QStringLiteral("Shape_Control"); }
    std::shared_ptr<SKTGraphic> newOfSameClass() const override;

    // The path of the shape letter; empty for an unknown letter.
    QPainterPath bezierPathForDrawing() const override;
    // Whether the path (non-zero winding) holds the point.
    bool isContentsUnderPoint(const QPointF& point) const override;
    // Fill, then outline; a hidden shape draws nothing.
    void drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited) override;

    // More vertices than this give an empty path: a design file can not make
    // every drawing of the card hang.
    static constexpr int kMaxVertices = 1000;

    QPainterPath Rectangle_path() const;
    QPainterPath Circle_path() const;
    QPainterPath Rounded_Rectangle_path() const;
    QPainterPath Triangle_path() const;
    QPainterPath Diamond_path() const;
    // Vertices stepping 4*pi/N around the ellipse of the bounds, from the top
    // centre: odd N gives a star joining every second point. Empty for N
    // below 1 or above kMaxVertices.
    QPainterPath Polygon_With_Diffrent_Sides(int sides) const;
    // Four points at the corners, pinched halfway to the centre on each edge.
    QPainterPath Custom_Polygon() const;

protected:
    Shape_Control(const Shape_Control& other) = default;
    std::shared_ptr<SKTGraphic> copyOfObject() const override;
};
