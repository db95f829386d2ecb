#pragma once
// What the canvas needs of the main window controller. The controller (a
// later widget class) implements this and registers itself; without one the
// canvas falls back to plain behaviour, so it works alone and in tests.

#include "editor/model/SKTGraphic.h"
#include "platform/CardPicture.h"

#include <QRectF>
#include <QString>
#include <memory>

class QPainter;
class SKTGraphicView;

class SKTCanvasHost {
public:
    virtual ~SKTCanvasHost() = default;

    // The drawing tool (Selected_Control_Tool) and the class it draws
    // ("SKTText", "Shape_Control", ...; empty for the arrow tool).
    virtual int Selected_Control_Tool() const = 0;
    virtual QString currentGraphicClass() const = 0;

    // The card background of the current side, its outline built from
    // `card` (the whole card; the painter is clipped to the dirty area, so a
    // partial redraw keeps the card's own rounded or oval outline).
    virtual void Card_Base_Drawing(QPainter& painter, const QRectF& card) = 0;

    // The inspector for an object, or the card inspector for none.
    virtual void Show_RHS_Properties(const std::shared_ptr<SKTGraphic>& graphic) = 0;
    // Marks the canvas of the current side for redrawing; implementations
    // call that canvas's SKTGraphicView::Refresh_Canvas, which drops requests
    // made while it paints and queues those from other threads.
    virtual void Refresh_Canvas() = 0;
    virtual void Open_Barcode_Window() = 0;
    virtual void Undo_Redo_Button_state() = 0;
    virtual void Set_Paste_Button_Status() = 0;
    // Make_same_width_btn, Make_same_height_btn and Make_natural_size_btn.
    virtual void setSameSizeButtonsEnabled(bool enabled) = 0;

    // Sample pictures of the picture tools.
    virtual CardPicture no_image() const = 0;
    virtual CardPicture barcode_sample_img() const = 0;
    virtual CardPicture sign_sample_img() const = 0;
    virtual CardPicture fp_sample_img() const = 0;

    // The registered controller, or none.
    static SKTCanvasHost* current();
    static void setCurrent(SKTCanvasHost* host);
};

// The canvas's way to the main window: the registered controller, or the
// fallbacks (arrow tool, the background from the stored card
// records, no inspector, the canvas redrawing
// itself, sample pictures from the resource folder).
namespace SKTCanvasMain {
int Selected_Control_Tool();
QString currentGraphicClass();
void Card_Base_Drawing(QPainter& painter, const QRectF& card);
void Show_RHS_Properties(const std::shared_ptr<SKTGraphic>& graphic);
void Refresh_Canvas(SKTGraphicView& requester);
void Open_Barcode_Window();
void Undo_Redo_Button_state();
void Set_Paste_Button_Status();
void setSameSizeButtonsEnabled(bool enabled);
CardPicture no_image();
CardPicture barcode_sample_img();
CardPicture sign_sample_img();
CardPicture fp_sample_img();
} // namespace SKTCanvasMain
