#pragma once
// A barcode picture as a list of drawing steps, computed once and replayed
// on any device: filled rectangles, texts and pictures, in points with the
// origin top left. Positions are given in the y-up coordinates of the
// barcode geometry (origin at the bottom left) and turned into Qt's y-down
// ones when added. A plain value: copies are safe to draw on any thread.

#include "platform/CardPicture.h"

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <vector>

class QPainter;

class BarcodeDrawing {
public:
    explicit BarcodeDrawing(const QSizeF& size) : m_size(size) {}

    QSizeF size() const { return m_size; }

    // A rectangle (x, y, w, h) with y its bottom edge.
    void fillRect(double x, double y, double w, double h, const QColor& color);
    // A text whose line box has its bottom left corner at (x, y).
    void textAt(const QString& text, double x, double y, const QFont& font, double kerning,
                const QColor& color);
    // A text in the rectangle (x, y, w, h), y its bottom edge: the text's top
    // is at the rectangle's top, horizontally aligned by `alignment`.
    void textInRect(const QString& text, double x, double y, double w, double h,
                    Qt::Alignment alignment, const QFont& font, double kerning,
                    const QColor& color);
    // A picture in the rectangle (x, y, w, h), y its bottom edge, drawn over
    // what is there without smoothing.
    void picture(const CardPicture& picture, double x, double y, double w, double h);

    // Replays the steps with the picture's top left at (0, 0).
    void draw(QPainter& painter) const;

    // The drawing as a vector picture of its size; none for an empty size.
    CardPicture toPicture() const;

    // Number of filled rectangles and texts (for checks and statistics).
    std::size_t rectCount() const;
    std::size_t textCount() const;

private:
    enum class Kind { Rect, Text, Picture };
    struct Step {
        Kind kind = Kind::Rect;
        QRectF rect; // y-down
        QColor color;
        QString text;
        QFont font; // without the kerning
        double kerning = 0.0;
        int flags = 0;
        CardPicture picture;
    };

    // A text step with its kerning as an extra advance after each
    // character, the same on every device.
    static void drawText(QPainter& painter, const Step& step);

    // y-down rectangle of a y-up one.
    QRectF flipped(double x, double y, double w, double h) const;

    QSizeF m_size;
    std::vector<Step> m_steps;
};
