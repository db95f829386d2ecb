#pragma once
// The look of every barcode picture: fonts, margins, colours, alignment of
// header and footer, and where the value text goes. A plain copyable record:
// the designer keeps one and edits it, so rendering on a worker thread never
// reads a widget. A linear model holds the one copy its picture is measured
// and drawn with (NKDBarcode::setStyle); a framed 2D picture is given one.

#include <QColor>
#include <QFont>
#include <QString>

struct BarcodeStyle {
    // "Times New Roman" 10 pt, the font every text starts with.
    static QFont defaultFont();

    // Fonts of the value text (under or over the bars), header and footer.
    QFont value_font = defaultFont();
    QFont header_font = defaultFont();
    QFont footer_font = defaultFont();

    // Margins in points: around the value text, header and footer, left and
    // right, top and bottom.
    float value_margin = 0.1f;
    float header_margin = 0.1f;
    float footer_margin = 0.1f;
    float LR_margin = 0.1f;
    float TB_margin = 0.1f;

    QColor barcode_clr = Qt::black;  // bars
    QColor bar_back_clr = Qt::white; // background
    QColor bar_val_clr = Qt::black;  // value text
    QColor bar_hdr_clr = Qt::black;  // header text
    QColor bar_ftr_clr = Qt::black;  // footer text

    // Titles of the chosen header and footer alignment: "Center", "Left" or
    // "Right"; any other title keeps the default (natural, left) alignment.
    QString align_hdr = QStringLiteral("Center");
    QString align_ftr = QStringLiteral("Center");

    // The value text goes above the bars instead of below them.
    bool showInTop = false;
    // A single value text is spread over the width of the symbol.
    bool kerningValue = false;
};
