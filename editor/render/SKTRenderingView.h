#pragma once
// The off-screen renderer of one card side: an object list drawn over the
// card background. Not a widget, so worker threads (export, e-mail) make
// and use it. Its class functions are the program's only way of turning a
// card side into a picture, PDF data or TIFF data.

#include "editor/model/SKTGraphic.h"
#include "platform/CardPicture.h"

#include <QByteArray>
#include <QRectF>
#include <QString>
#include <optional>

struct SKTError;
class QPainter;

class SKTRenderingView {
public:
    // Keeps copies of the list (the same objects) and of the title.
    SKTRenderingView(const QRectF& frame, const SKTGraphicList& graphics,
                     std::optional<QString> printJobTitle = std::nullopt);

    std::optional<QString> printJobTitle() const { return _printJobTitle; }
    bool isFlipped() const { return true; }
    bool isOpaque() const { return true; }
    QRectF frame() const { return m_frame; }
    QRectF bounds() const { return {QPointF(0, 0), m_frame.size()}; }

    // The drawing pass: the background of the side named by
    // Card_Front_Or_Back over the whole bounds, then the objects whose
    // print_object is 0, last index first, all clipped to `rect`. An
    // exception ends the pass with an alert; what was drawn stays.
    void drawRect(QPainter& painter, const QRectF& rect);

    // One PDF page of rect's size (points, 72 dpi, no margins) showing that
    // part of the view. Empty for an empty rectangle.
    QByteArray dataWithPDFInsideRect(const QRectF& rect);

    // A vector picture of the list over the background of the side named by
    // Card_Front_Or_Back, of the front canvas's size. It is a snapshot: later
    // changes of the objects or records do not show in it. The print flag
    // changes nothing on this platform (its bitmap variant served framework
    // versions this program never runs on). None when the front canvas has
    // no size or the rendering fails (logged).
    static CardPicture image_From_Card_Graphics(const SKTGraphicList& graphics, bool print_box);

    // PDF data of the list over the card background, one page of the front
    // canvas's size.
    static QByteArray pdfDataWithGraphics_data(const SKTGraphicList& graphics);

    // TIFF data of the objects alone (every object, no background) over the
    // union of their drawing bounds, one pixel per point. Empty, with error
    // code 3 in `error` when given, when the area is empty, larger than 100
    // megapixels or cannot be allocated or encoded, or when an object's
    // drawing throws (its reason is logged).
    static QByteArray tiffDataWithGraphics(const SKTGraphicList& graphics,
                                           SKTError* error = nullptr);

private:
    QRectF m_frame;
    SKTGraphicList _graphics;
    std::optional<QString> _printJobTitle;
};
