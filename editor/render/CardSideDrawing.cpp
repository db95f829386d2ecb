#include "editor/render/CardSideDrawing.h"

#include "editor/render/Card_Base_Drawing.h"

#include <QPainter>

PainterStateGuard::PainterStateGuard(QPainter& painter) : m_painter(painter) {
    m_painter.save();
}

PainterStateGuard::~PainterStateGuard() {
    m_painter.restore();
}

void setCardRenderHints(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

void drawCardSide(QPainter& painter, const QRectF& bounds, const QRectF& dirty,
                  const CardBackgroundInputs& background, const SKTGraphicList& graphics) {
    const PainterStateGuard side(painter);
    painter.setClipRect(dirty, Qt::IntersectClip);
    Card_Base_Drawing(painter, bounds, background);
    for (qsizetype i = graphics.size() - 1; i >= 0; --i) {
        const std::shared_ptr<SKTGraphic>& graphic = graphics.at(i);
        if (graphic && graphic->print_object == 0) {
            const PainterStateGuard object(painter);
            graphic->drawContentsInView(painter, false);
        }
    }
}
