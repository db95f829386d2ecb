#pragma once
// What the card model needs of the main window controller. The controller
// (a widget class the model does not link) implements this and registers
// itself; without one the model falls back to plain defaults, so the model
// works in tests and on worker threads. Objects are also made on worker
// threads (batch runs), so implementations answer from stored values and
// touch no widget.

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>

class SKTWindowControllerInterface {
public:
    virtual ~SKTWindowControllerInterface() = default;

    // The text font and colour new text objects take.
    virtual QFont currentTextFont() const = 0;
    virtual QColor currentTextColor() const = 0;
    // Bounds of the front canvas view.
    virtual QRectF frontCanvasBounds() const = 0;
    // The next free position for an object on side "F" or "B".
    virtual QPointF Control_New_Point(const QString& side) = 0;
    // The application's name (the document's display name).
    virtual QString applicationName() const = 0;
    // Puts the picture inspector's adjustment controls back to neutral
    // (every new picture or signature object asks for it). May be called
    // from any thread.
    virtual void Reset_Image_Editing_Controls() {}

    // The registered controller, or none.
    static SKTWindowControllerInterface* current();
    static void setCurrent(SKTWindowControllerInterface* controller);
};

// The model's way to the main window: the registered controller's answers,
// or the fallbacks "Times New Roman" 14, black, the zero rectangle, the last
// placed position and an empty name.
namespace SKTMainWindow {
QFont textFont();
QColor textColor();
QRectF frontCanvasBounds();
QPointF Control_New_Point(const QString& side);
QString applicationName();
// Nothing without a registered controller.
void Reset_Image_Editing_Controls();
} // namespace SKTMainWindow
