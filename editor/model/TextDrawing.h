#pragma once
// Lays out and draws the text of a text object: one font, one colour, one
// alignment and a letter spacing in points, wrapped at a width. Measuring
// and drawing share the layout, so a height fitted to the text fits the
// text as drawn. Fonts are resolved at 72 dots per inch: one card point is
// one layout unit on every device. Safe off the GUI thread.

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QSizeF>
#include <QString>

class QPainter;

namespace TextDrawing {

struct Style {
    QFont font;
    QColor color;
    int alignment = 0;    // 0 left, 1 right, 2 centred, 3 justified, 4 natural
    int textCase = 0;     // 0 as typed, 1 upper, 2 lower, 3 each word capitalised
    double kerning = 0.0; // points added after every character
};

// The text in the case asked for. Words are delimited by spaces, tabs and
// line breaks; case 3 makes each word's first letter upper case and the
// rest lower case. Other values leave the text as it is.
QString caseChanged(const QString& text, int textCase);

// The Qt alignment of a stored alignment value (unknown values: left).
Qt::Alignment alignmentFor(int alignment);

// The size the text takes laid out at the width: the widest line and the
// height of all lines (one line's height for an empty text).
QSizeF measure(const QString& text, const Style& style, double width);

// Draws the text into the rectangle, wrapping at its width, clipped to it.
void draw(QPainter& painter, const QString& text, const Style& style, const QRectF& rect);

} // namespace TextDrawing
