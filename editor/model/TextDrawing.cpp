#include "editor/model/TextDrawing.h"

#include "platform/CardUnits.h"

#include <QPainter>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <cmath>

namespace TextDrawing {
namespace {

// Default tab stops of card text, in points.
constexpr double kTabInterval = 28.0;

bool isWordDelimiter(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
           c == QLatin1Char('\r') || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

// The card font sized so that one card point is one layout unit. (Fonts
// bound to a 72-dpi device would do the same, but Qt then drops their
// letter spacing.)
QFont layoutFont(const Style& style) {
    QFont font = CardUnits::fontForLayout(style.font);
    if (std::isfinite(style.kerning) && style.kerning != 0.0) {
        font.setLetterSpacing(QFont::AbsoluteSpacing, style.kerning);
    }
    return font;
}

// Line breaks of any kind become line separators: QTextLayout lays out one
// paragraph and breaks lines only at those.
QString prepared(const QString& text) {
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    for (QChar& c : result) {
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::ParagraphSeparator) {
            c = QChar::LineSeparator;
        }
    }
    return result;
}

// Lays the text out at the width; answers the used size.
QSizeF layOut(QTextLayout& layout, const QString& text, const Style& style, double width) {
    const QString shown = prepared(caseChanged(text, style.textCase));
    layout.setText(shown);
    layout.setFont(layoutFont(style));
    QTextOption option(alignmentFor(style.alignment));
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTextDirection(shown.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
    option.setTabStopDistance(kTabInterval);
    layout.setTextOption(option);
    const double lineWidth = width > 0 && std::isfinite(width) ? width : 0.0;
    double y = 0.0;
    double widest = 0.0;
    layout.beginLayout();
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) {
            break;
        }
        line.setLeadingIncluded(true);
        line.setLineWidth(lineWidth);
        line.setPosition(QPointF(0.0, y));
        y += line.height();
        widest = std::max(widest, static_cast<double>(line.naturalTextWidth()));
    }
    layout.endLayout();
    return QSizeF(widest, y);
}

} // namespace

QString caseChanged(const QString& text, int textCase) {
    switch (textCase) {
    case 1:
        return text.toUpper();
    case 2:
        return text.toLower();
    case 3: {
        QString result;
        result.reserve(text.size());
        bool wordStart = true;
        for (const QChar c : text) {
            if (isWordDelimiter(c)) {
                result.append(c);
                wordStart = true;
                continue;
            }
            result.append(wordStart ? c.toUpper() : c.toLower());
            wordStart = false;
        }
        return result;
    }
    default:
        return text;
    }
}

Qt::Alignment alignmentFor(int alignment) {
    switch (alignment) {
    case 1:
        return Qt::AlignRight | Qt::AlignAbsolute;
    case 2:
        return Qt::AlignHCenter;
    case 3:
        return Qt::AlignJustify;
    case 4:
        // Natural: by the writing direction of the text.
        return Qt::AlignLeading;
    default:
        return Qt::AlignLeft | Qt::AlignAbsolute;
    }
}

QSizeF measure(const QString& text, const Style& style, double width) {
    QTextLayout layout;
    return layOut(layout, text, style, width);
}

void draw(QPainter& painter, const QString& text, const Style& style, const QRectF& rect) {
    QTextLayout layout;
    layOut(layout, text, style, rect.width());
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.setPen(style.color.isValid() ? style.color : QColor(Qt::black));
    layout.draw(&painter, rect.topLeft());
    painter.restore();
}

} // namespace TextDrawing
