// Operations on lists of card objects: their common bounds, moving and
// placing them.

#include "editor/model/SKTGraphic.h"
#include "editor/model/SKTWindowControllerInterface.h"

#include <QRandomGenerator>
#include <algorithm>

namespace {

bool isEmptyRect(const QRectF& r) {
    return !(r.width() > 0.0) || !(r.height() > 0.0);
}

// The union as card layouts have always computed it: an empty rectangle
// (zero or negative width or height) adds nothing.
QRectF unionRect(const QRectF& a, const QRectF& b) {
    if (isEmptyRect(b)) {
        return a;
    }
    if (isEmptyRect(a)) {
        return b;
    }
    const double left = std::min(a.left(), b.left());
    const double top = std::min(a.top(), b.top());
    const double right = std::max(a.left() + a.width(), b.left() + b.width());
    const double bottom = std::max(a.top() + a.height(), b.top() + b.height());
    return QRectF(left, top, right - left, bottom - top);
}

} // namespace

QRectF SKTGraphic::boundsOfGraphics(const SKTGraphicList& graphics) {
    QRectF result;
    for (const auto& graphic : graphics) {
        result = unionRect(result, graphic->bounds());
    }
    return result;
}

QRectF SKTGraphic::drawingBoundsOfGraphics(const SKTGraphicList& graphics) {
    if (graphics.isEmpty()) {
        return SKTMainWindow::frontCanvasBounds();
    }
    QRectF result;
    for (const auto& graphic : graphics) {
        result = unionRect(result, graphic->drawingBounds());
    }
    return result;
}

void SKTGraphic::translateGraphics(const SKTGraphicList& graphics, double x, double y) {
    for (const auto& graphic : graphics) {
        if (!graphic->Is_Control_Locked()) {
            graphic->setBounds(graphic->bounds().translated(x, y));
        }
    }
}

void SKTGraphic::Paste_Location_Of_Graphics(const SKTGraphicList& graphics, double x, double y,
                                            const QString& card_side) {
    QPointF position(x, y);
    bool first = true;
    for (const auto& graphic : graphics) {
        if (!first) {
            position = SKTMainWindow::Control_New_Point(card_side);
        }
        first = false;
        if (graphic->Is_Control_Locked()) {
            continue;
        }
        QRectF b = graphic->bounds();
        b.moveTopLeft(position);
        graphic->setBounds(b);
    }
}

QPointF SKTGraphic::randomPoint(const QRectF& rect) {
    auto below = [](double limit) -> double {
        if (!(limit >= 1.0)) {
            return 0.0;
        }
        const double capped = std::min(limit, 2147483647.0);
        return QRandomGenerator::global()->bounded(static_cast<int>(capped));
    };
    return QPointF(rect.x() + below(rect.width()), rect.y() + below(rect.height()));
}
