// What the barcode designer asks of the main window beyond the series and
// column lists: the canvas editing the object it bound.

#include "core/globals.h"
#include "editor/canvas/SKTGraphicView.h"
#include "mainwindow/controller/SKTWindowController.h"

void SKTWindowController::startEditingGraphic(const std::shared_ptr<SKTGraphic>& graphic) {
    if (!graphic) {
        return;
    }
    if (SKTGraphicView* canvas = graphicViewOfSide(Current_Card_Side())) {
        canvas->startEditingGraphic(graphic);
    }
}
