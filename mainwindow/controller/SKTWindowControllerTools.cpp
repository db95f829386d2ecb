// The drawing tools: choosing a tool adds an object of its kind to the
// current side at once (the two picture tools after a picture was chosen).

#include "mainwindow/controller/SKTWindowController.h"

#include "core/MessageFunctions.h"
#include "core/globals.h"
#include "editor/canvas/SKTGraphicView.h"

SKTGraphicView* SKTWindowController::currentCanvas() const {
    return qobject_cast<SKTGraphicView*>(canvasOfSide(Current_Card_Side()));
}

void SKTWindowController::selectArrowTool() {
    setSelected_Control_Tool(0);
    emit selectedToolDidChange();
}

void SKTWindowController::Tool_Button_Clicked(int tool) {
    setSelected_Control_Tool(tool);
    Select_tool_action();
}

void SKTWindowController::Select_tool_action() {
    // Delivered at once: the object exists before the refresh and the
    // inspector below.
    emit selectedToolDidChange();
    Refresh_Canvas();
    SKTGraphicView* canvas = currentCanvas();
    Show_RHS_Properties(canvas ? canvas->selectedGraphic() : nullptr);
}

void SKTWindowController::selectedToolDidChangeHandler() {
    const QString cls = currentGraphicClass();
    if (cls.isEmpty()) {
        return;
    }
    const int tool = m_selectedTool;
    QRectF rect(0, 0, 50, 50);
    if (cls == QLatin1String("SKTImage")) {
        if (tool == 8) {
            if (!Browse_User_Image_Manually()) {
                return;
            }
        } else if (tool == 9) {
            if (Open_Image_Library(false) != 1) {
                return;
            }
            Library_Selected_Image = lib_window_sel_file;
            Show_NSLog_Message(Library_Selected_Image);
        }
    } else if (cls == QLatin1String("SKTBarcode") && tool == 10) {
        rect.setSize(QSizeF(120, 60));
    } else if (cls == QLatin1String("SKTSignature") && tool == 11) {
        rect.setSize(QSizeF(100, 50));
    }
    SKTGraphicView* canvas = currentCanvas();
    if (!canvas) {
        return;
    }
    // A panel may have run meanwhile: the object is still the chosen tool's.
    setSelected_Control_Tool(tool);
    canvas->createGraphicOfClass(cls, nullptr, true, rect,
                                 Current_Card_Side_Is_Back() ? QStringLiteral("B")
                                                             : QStringLiteral("F"),
                                 QString(), QString());
}
