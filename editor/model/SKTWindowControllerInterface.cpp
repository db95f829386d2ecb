#include "editor/model/SKTWindowControllerInterface.h"

#include "core/globals.h"

namespace {
// The one main window controller of the run (the program's Main_App_wnd as
// the model sees it).
SKTWindowControllerInterface* g_controller = nullptr;
} // namespace

SKTWindowControllerInterface* SKTWindowControllerInterface::current() {
    return g_controller;
}

void SKTWindowControllerInterface::setCurrent(SKTWindowControllerInterface* controller) {
    g_controller = controller;
}

namespace SKTMainWindow {

QFont textFont() {
    if (auto* c = SKTWindowControllerInterface::current()) {
        return c->currentTextFont();
    }
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSizeF(14.0);
    return font;
}

QColor textColor() {
    if (auto* c = SKTWindowControllerInterface::current()) {
        return c->currentTextColor();
    }
    return QColor(Qt::black);
}

QRectF frontCanvasBounds() {
    if (auto* c = SKTWindowControllerInterface::current()) {
        return c->frontCanvasBounds();
    }
    return QRectF();
}

QPointF Control_New_Point(const QString& side) {
    if (auto* c = SKTWindowControllerInterface::current()) {
        return c->Control_New_Point(side);
    }
    return QPointF(last_ctrl_X, last_ctrl_Y);
}

QString applicationName() {
    if (auto* c = SKTWindowControllerInterface::current()) {
        return c->applicationName();
    }
    return QString();
}

} // namespace SKTMainWindow

void SKTMainWindow::Reset_Image_Editing_Controls() {
    if (auto* c = SKTWindowControllerInterface::current()) {
        c->Reset_Image_Editing_Controls();
    }
}
