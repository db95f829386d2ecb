#pragma once
// The values every card rendering reads besides its object list, stored
// where any thread may read them: the size of the front canvas (all canvases
// share it) and the page records of the two sides. The main window publishes
// them whenever they change; renderers on worker threads read copies, never
// a widget.

#include "editor/model/Card_Property.h"

#include <QRectF>
#include <QSizeF>
#include <QString>

namespace CardRenderInputs {

// Size of the front canvas in points; an empty size until one is stored.
void setFrontCanvasSize(const QSizeF& size);
QSizeF frontCanvasSize();
// (0, 0, front canvas size).
QRectF frontCanvasBounds();

// The page record of a side (0 front, any other value back). Until one is
// stored a side has a record at its defaults.
void setPageRecord(int side, const Card_Property& record);
Card_Property pageRecord(int side);

} // namespace CardRenderInputs

// Everything the card background of one side is painted from, as values.
struct CardBackgroundInputs {
    Card_Property page;
    int cardShape = 0;
    QSizeF cardSize;
    QString resourcePath;

    // The side named by Card_Front_Or_Back, the current Card_Shape, the
    // stored canvas size and Resource_Path.
    static CardBackgroundInputs current();
};
