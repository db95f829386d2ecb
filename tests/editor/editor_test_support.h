#pragma once
// Helpers of the card model tests: a scripted main window and graphic
// factories.

#include "editor/model/SKTGraphic.h"
#include "editor/model/SKTWindowControllerInterface.h"

#include <QList>
#include <QPointF>
#include <memory>

// Registers itself as the main window for its lifetime.
class FakeMainWindow : public SKTWindowControllerInterface {
public:
    FakeMainWindow() { setCurrent(this); }
    ~FakeMainWindow() override { setCurrent(nullptr); }

    QFont currentTextFont() const override { return font; }
    QColor currentTextColor() const override { return color; }
    QRectF frontCanvasBounds() const override { return canvasBounds; }
    QPointF Control_New_Point(const QString& side) override {
        sidesAsked.append(side);
        const QPointF next = nextPoints.isEmpty() ? QPointF() : nextPoints.takeFirst();
        return next;
    }
    QString applicationName() const override { return name; }

    QFont font{QStringLiteral("Liberation Sans"), 22};
    QColor color{Qt::darkGreen};
    QRectF canvasBounds{0, 0, 700, 450};
    QList<QPointF> nextPoints;
    QStringList sidesAsked;
    QString name{QStringLiteral("Card Studio")};
};

template <typename T> std::shared_ptr<T> makeGraphic(const QRectF& bounds) {
    auto graphic = std::make_shared<T>();
    graphic->_bounds = bounds;
    return graphic;
}
