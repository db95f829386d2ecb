#pragma once
// The drawing pass of a rendered card side: the background, then every
// object meant for output from the back-most (last index) to the front-most
// (index 0). Shared by the rendering view and the vector pictures it makes.

#include "editor/model/SKTGraphic.h"
#include "editor/render/CardRenderInputs.h"

#include <QRectF>

class QPainter;

// Saves the painter's state and restores it when it goes, also when an
// object's drawing throws.
class PainterStateGuard {
public:
    explicit PainterStateGuard(QPainter& painter);
    ~PainterStateGuard();
    PainterStateGuard(const PainterStateGuard&) = delete;
    PainterStateGuard& operator=(const PainterStateGuard&) = delete;

private:
    QPainter& m_painter;
};

// Antialiasing for shapes, text and scaled pictures, as every card output
// draws.
void setCardRenderHints(QPainter& painter);

// Paints the background over `bounds` (the whole card, not the dirty area)
// and the objects whose print_object is 0, clipped to `dirty`.
void drawCardSide(QPainter& painter, const QRectF& bounds, const QRectF& dirty,
                  const CardBackgroundInputs& background, const SKTGraphicList& graphics);
