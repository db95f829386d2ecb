#pragma once
// Helpers of the card drawing tests: objects that draw a rectangle, a text
// or throw (the real object kinds draw with their own code), a guard for
// the process-wide values a rendering reads, and ink measurement.

#include "editor/model/SKTGraphic.h"
#include "editor/render/CardRenderInputs.h"

#include <QImage>
#include <QRect>

namespace drawingtest {

enum class Kind { Rect, Text, Throwing };

// Rect fills its bounds with its fill colour; Text draws Text_Value in
// text_ctrl_font in black; Throwing throws from its drawing.
class TestGraphic : public SKTGraphic {
public:
    explicit TestGraphic(Kind kind = Kind::Rect) : kind(kind) {}
    QString className() const override;
    void drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited) override;
    Kind kind;
};

std::shared_ptr<TestGraphic> makeRect(const QRectF& bounds, const QColor& color,
                                      int print_object = 0);
std::shared_ptr<TestGraphic> makeText(const QRectF& bounds, const QString& text, double points);
std::shared_ptr<TestGraphic> makeThrowing(const QRectF& bounds);

// Saves and restores the stored canvas size and page records, Card_Shape
// and Card_Front_Or_Back; starts from default records, shape 0, the front.
class RenderInputsGuard {
public:
    explicit RenderInputsGuard(const QSizeF& canvas = QSizeF(300, 200));
    ~RenderInputsGuard();
    RenderInputsGuard(const RenderInputsGuard&) = delete;
    RenderInputsGuard& operator=(const RenderInputsGuard&) = delete;

private:
    QSizeF m_size;
    Card_Property m_front, m_back;
    int m_shape, m_side;
};

Card_Property filledWith(const QColor& color, const QString& style = QStringLiteral("S"));
// Bounding box of the opaque pixels darker than `threshold` (grey level).
QRect inkBounds(const QImage& image, int threshold = 128);
// PDF data rasterised by pdftoppm at `dpi`; null when that fails.
QImage rasterisePdf(const QString& pdftoppm, const QByteArray& pdf, int dpi);

} // namespace drawingtest
