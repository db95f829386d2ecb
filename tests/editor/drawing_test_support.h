#pragma once
// Helpers of the card drawing tests: objects that draw a rectangle or a
// text (the real object kinds draw with their own code), a guard for the
// process-wide values a rendering reads, and pixel measurements.

#include "editor/model/SKTGraphic.h"
#include "editor/render/CardRenderInputs.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QTemporaryDir>

namespace drawingtest {

// Fills its bounds with its fill colour.
class RectGraphic : public SKTGraphic {
public:
    QString className() const override { return QStringLiteral("DrawingTestRect"); }
    std::shared_ptr<SKTGraphic> newOfSameClass() const override;
    void drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited) override;
};

// Draws Text_Value in text_ctrl_font (card points) in black at its origin.
class TextGraphic : public SKTGraphic {
public:
    QString className() const override { return QStringLiteral("DrawingTestText"); }
    std::shared_ptr<SKTGraphic> newOfSameClass() const override;
    void drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited) override;
};

// Throws from its drawing.
class ThrowingGraphic : public SKTGraphic {
public:
    QString className() const override { return QStringLiteral("DrawingTestThrowing"); }
    std::shared_ptr<SKTGraphic> newOfSameClass() const override;
    void drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited) override;
};

// Makes the test classes known to the object archive (for snapshots).
void registerTestGraphics();

std::shared_ptr<RectGraphic> makeRect(const QRectF& bounds, const QColor& color,
                                      int print_object = 0);
std::shared_ptr<TextGraphic> makeText(const QRectF& bounds, const QString& text, double pointSize);

// Saves and restores what renderings read: the stored canvas size and page
// records, Card_Shape, Card_Front_Or_Back and Resource_Path. Starts with
// default records, shape 0, the front side and the given canvas size.
class RenderInputsGuard {
public:
    explicit RenderInputsGuard(const QSizeF& canvas = QSizeF(300, 200));
    ~RenderInputsGuard();
    RenderInputsGuard(const RenderInputsGuard&) = delete;
    RenderInputsGuard& operator=(const RenderInputsGuard&) = delete;

private:
    QSizeF m_size;
    Card_Property m_front;
    Card_Property m_back;
    int m_shape;
    int m_side;
    QString m_resources;
};

// A white card-size raster at `scale` pixels per point, marked 72 dpi.
QImage whiteRaster(const QSizeF& points, double scale = 1.0);

// Bounding box of the pixels darker than `threshold` (grey level, 0-255).
QRect inkBounds(const QImage& image, int threshold = 128);

// Whether two colours differ by at most `tolerance` in every channel.
bool near(QColor a, QColor b, int tolerance = 3);

// Writes a pattern picture resources/Fill_Style_Image/<name>.png: a
// one-pixel black dot in the top-left corner of a size x size white square.
void writeHatchPattern(const QTemporaryDir& resources, const QString& name, int size);

} // namespace drawingtest
