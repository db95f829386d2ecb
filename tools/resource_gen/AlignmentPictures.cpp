#include "AlignmentPictures.h"

#include "Canvas.h"

#include <array>

namespace resgen {

namespace {

constexpr int kSize = 32;

// A sheet of paper with a small grid of cards placed at (column, row) of a
// 3 x 3 choice: left/centre/right, top/middle/bottom. Drawn with whole-pixel
// fills only, so the bytes are the same on every machine.
QImage alignmentPicture(int column, int row, bool selected) {
    QImage image = newImage(kSize, kSize, true);
    QPainter painter(&image);
    const QColor frame = selected ? QColor(38, 110, 220) : QColor(120, 124, 132);
    const QColor paper = selected ? QColor(226, 237, 252) : QColor(255, 255, 255);
    const QColor block = selected ? QColor(38, 110, 220) : QColor(88, 92, 100);
    const QColor faint = selected ? QColor(180, 204, 240) : QColor(222, 224, 228);
    // Paper 22 x 28 centred, with a one-pixel frame.
    const QRect sheet(5, 2, 22, 28);
    painter.fillRect(sheet, frame);
    painter.fillRect(sheet.adjusted(1, 1, -1, -1), paper);
    // The nine places a grid of 2 x 2 cards can take, faint; the chosen one
    // solid.
    const std::array<int, 3> xs = {7, 12, 17};
    const std::array<int, 3> ys = {4, 11, 18};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            const bool chosen = r == row && c == column;
            if (chosen) {
                continue;
            }
            painter.fillRect(
                QRect(xs[static_cast<size_t>(c)] + 3, ys[static_cast<size_t>(r)] + 3, 2, 2), faint);
        }
    }
    const int x = xs[static_cast<size_t>(column)];
    const int y = ys[static_cast<size_t>(row)];
    // Four small cards with a one-pixel gap.
    painter.fillRect(QRect(x, y, 3, 3), block);
    painter.fillRect(QRect(x + 5, y, 3, 3), block);
    painter.fillRect(QRect(x, y + 5, 3, 3), block);
    painter.fillRect(QRect(x + 5, y + 5, 3, 3), block);
    return image;
}

} // namespace

PictureList alignmentPictures() {
    struct Names {
        const char* normal;
        const char* selected;
    };
    // Row by row: top, middle, bottom; left, centre, right.
    const std::array<Names, 9> names = {{
        {"top_left", "top_left - sel"},
        {"top_center", "top_center - sel"},
        {"top_right", "top_right - sel"},
        {"middle_left", "middle_left - sel"},
        {"middle_center", "middle_center_sel"},
        {"middle_right", "middle_right - sel"},
        {"bootom_left", "bootom_left - sel"},
        {"bootom_center", "bootom_center - sel"},
        {"boottom_right", "boottom_right - sel"},
    }};
    PictureList pictures;
    for (int i = 0; i < 9; ++i) {
        const int column = i % 3;
        const int row = i / 3;
        const Names& n = names[static_cast<size_t>(i)];
        pictures.push_back({QString::fromLatin1(n.normal) + QStringLiteral(".png"),
                            [column, row] { return alignmentPicture(column, row, false); }});
        pictures.push_back({QString::fromLatin1(n.selected) + QStringLiteral(".png"),
                            [column, row] { return alignmentPicture(column, row, true); }});
    }
    return pictures;
}

} // namespace resgen
