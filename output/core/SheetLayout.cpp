#include "output/core/SheetLayout.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace sheet {

namespace {

// A fit quotient as a count. Quotients that are not finite (a zero or
// negative card size) or absurdly large are clamped before the conversion,
// which would otherwise be undefined; the callers turn anything below 1
// into 1.
std::int32_t fitCount(float rounded) {
    constexpr float kMaxFit = 999.0f;
    if (std::isnan(rounded)) {
        return 0;
    }
    if (rounded > kMaxFit) {
        return static_cast<std::int32_t>(kMaxFit);
    }
    if (rounded < 0.0f) {
        return 0;
    }
    return static_cast<std::int32_t>(rounded);
}

struct AxisResult {
    std::int32_t count;
    float gap;
    bool rewritten;
};

// One direction of the rules: `space` the printable length, `paper` the
// paper's length, `lowMar` + `highMar` its two margins, `size` one slot,
// `gap` the typed gap, `count` the requested count.
AxisResult fitAxis(bool autoCentre, float space, float paper, float lowMar, float highMar,
                   float size, float gap, std::int32_t count) {
    const auto fcount = static_cast<float>(count);
    if (autoCentre) {
        const float equalGap = (space - fcount * size) / (fcount + 1.0f);
        if (equalGap > 0.0f) {
            return {count, equalGap, false};
        }
        std::int32_t fit = fitCount(std::trunc(space / size));
        if (fit < 1) {
            fit = 1;
            count = 1;
        }
        count = std::min(count, fit);
        return {count, 0.0f, true};
    }
    const float spare = (space - fcount * size - (fcount - 1.0f) * gap) / (fcount + 1.0f);
    if (!(spare <= 0.0f)) {
        return {count, gap, false};
    }
    const std::int32_t requested = count;
    std::int32_t fit = fitCount(std::floor((paper + gap - lowMar - highMar) / (size + gap)));
    if (fit < 1) {
        fit = 1;
        count = 1;
    }
    count = std::min(count, fit);
    return {count, gap, requested > count};
}

} // namespace

float Points_to_MM_Convert(float points) {
    return static_cast<float>(static_cast<double>(points) * 0.3527777777778);
}

float MM_to_Points_Convert(float millimetres) {
    return static_cast<float>(static_cast<double>(millimetres) * 2.834645669291);
}

LayoutOutcome Check_Max_Cell_Value(SheetLayout& layout, const LayoutRequest& request) {
    LayoutOutcome outcome;
    layout.label_width = MM_to_Points_Convert(request.cardWidthMm);
    layout.label_hight = MM_to_Points_Convert(request.cardHeightMm);
    if (layout.bothSides()) {
        if (layout.frontAboveBack()) {
            layout.label_hight *= 2.0f;
        } else {
            layout.label_width *= 2.0f;
        }
    }
    layout.horz_mar = MM_to_Points_Convert(request.horzGapMm);
    layout.vert_mar = MM_to_Points_Convert(request.vertGapMm);
    // Counts below 1 never reach the grid: the fields refuse them, and a
    // stray one counts as 1 here.
    const std::int32_t columns = std::max<std::int32_t>(1, request.columns);
    const std::int32_t rows = std::max<std::int32_t>(1, request.rows);

    const AxisResult across =
        fitAxis(layout.auto_center_flag, layout.printableWidth(), layout.paperWidth,
                layout.Left_Mar, layout.Rite_Mar, layout.label_width, layout.horz_mar, columns);
    const AxisResult down =
        fitAxis(layout.auto_center_flag, layout.printableHeight(), layout.paperHeight,
                layout.Top_Mar, layout.Bot_Mar, layout.label_hight, layout.vert_mar, rows);
    layout.horz_mar = across.gap;
    layout.vert_mar = down.gap;
    layout.Print_Col = across.count;
    layout.Print_Row = down.count;
    outcome.columnsRewritten = across.rewritten || columns != request.columns;
    outcome.rowsRewritten = down.rewritten || rows != request.rows;

    if (!request.batch) {
        // One full sheet; the product in 64 bits, kept within the total's range.
        const std::int64_t product = static_cast<std::int64_t>(layout.Print_Row) *
                                     static_cast<std::int64_t>(layout.Print_Col);
        layout.Total_Label = static_cast<std::int32_t>(
            std::min<std::int64_t>(product, std::numeric_limits<std::int32_t>::max()));
        outcome.totalRewritten = true;
    }
    return outcome;
}

std::int64_t numberOfPages(std::int64_t total, std::int32_t rows, std::int32_t columns) {
    if (total <= 0) {
        return 0;
    }
    const std::int64_t perSheet =
        static_cast<std::int64_t>(std::max(1, rows)) * std::max(1, columns);
    return total / perSheet + (total % perSheet != 0 ? 1 : 0);
}

PageCount pagesToDraw(const SheetLayout& layout, bool preview) {
    PageCount count;
    count.pages = numberOfPages(layout.Total_Label, layout.Print_Row, layout.Print_Col);
    if (preview && count.pages > kPreviewSheetLimit) {
        count.pages = kPreviewSheetLimit;
        count.capped = true;
    }
    return count;
}

namespace {

float gridWidth(const SheetLayout& l) {
    return static_cast<float>(l.Print_Col) * l.label_width +
           static_cast<float>(l.Print_Col - 1) * l.horz_mar;
}

float gridHeight(const SheetLayout& l) {
    return static_cast<float>(l.Print_Row) * l.label_hight +
           static_cast<float>(l.Print_Row - 1) * l.vert_mar;
}

} // namespace

float firstRowY(const SheetLayout& l) {
    const float h = l.label_hight;
    const float gridH = gridHeight(l);
    if (l.auto_center_flag) {
        return gridH - h + l.vert_mar + l.Bot_Mar;
    }
    switch (l.label_align_val) {
    case 4:
    case 5:
    case 6:
        return (l.printableHeight() - gridH) / 2.0f + l.Bot_Mar + gridH - h;
    case 7:
    case 8:
    case 9:
        return gridH - h + l.Bot_Mar;
    default:
        return l.paperHeight - h - l.Top_Mar;
    }
}

float rowY(const SheetLayout& l, std::int32_t row) {
    // Each following row steps down by one slot and one gap, as the sheet
    // is drawn: repeated float subtraction, not one product.
    float y = firstRowY(l);
    for (std::int32_t r = 1; r < row; ++r) {
        y = y - l.label_hight - l.vert_mar;
    }
    return y;
}

float columnX(const SheetLayout& l, std::int32_t column) {
    const float w = l.label_width;
    const float gx = l.horz_mar;
    const auto col = static_cast<float>(column);
    if (l.auto_center_flag) {
        return l.Left_Mar + col * gx + (col - 1.0f) * w;
    }
    float first = 0.0f;
    switch (l.label_align_val) {
    case 2:
    case 5:
    case 8:
        first = l.Left_Mar + (l.printableWidth() - gridWidth(l)) / 2.0f;
        break;
    case 3:
    case 6:
    case 9:
        first = l.paperWidth - gridWidth(l) - l.Rite_Mar;
        break;
    case 4:
    case 7:
        first = l.Left_Mar;
        break;
    default:
        return l.Left_Mar + (col - 1.0f) * (gx + w);
    }
    float x = first;
    for (std::int32_t c = 1; c < column; ++c) {
        x = x + w + gx;
    }
    return x;
}

QRectF slotBox(const SheetLayout& l, float x, float y) {
    const float w = l.label_width;
    const float h = l.label_hight;
    if (!l.bothSides()) {
        return {x, y, w, h};
    }
    if (l.frontAboveBack()) {
        return {x, y + h / 2.0f, w, h / 2.0f};
    }
    return {x, y, w / 2.0f, h};
}

QPointF imageCorner(const SheetLayout& l, float x, float y, float iw, float ih) {
    const QRectF box = slotBox(l, x, y);
    auto bx = static_cast<float>(box.x());
    auto by = static_cast<float>(box.y());
    const float w = l.label_width;
    const float h = l.label_hight;
    if (!l.bothSides()) {
        if (w > iw) {
            bx += (w - iw) / 2.0f;
        }
        if (h > ih) {
            by += (h - ih) / 2.0f;
        }
    } else if (l.frontAboveBack()) {
        // The front starts at the middle of the slot and the back lies
        // right below it, so the pair is centred vertically as it stands;
        // no further shift (one would push the pair to the slot's top).
        if (w > iw) {
            bx += (w - iw) / 2.0f;
        }
    } else {
        if (w > 2.0f * iw) {
            bx += (w - 2.0f * iw) / 2.0f;
        }
        if (h > ih) {
            by += (h - ih) / 2.0f;
        }
    }
    return {bx, by};
}

QPointF backCorner(const SheetLayout& l, const QPointF& frontCorner, float iw, float ih) {
    if (l.frontAboveBack()) {
        return {frontCorner.x(), static_cast<float>(frontCorner.y()) - ih};
    }
    return {static_cast<float>(frontCorner.x()) + iw, frontCorner.y()};
}

QRectF toPageRect(const QRectF& yUp, float paperHeight) {
    return {yUp.x(), paperHeight - yUp.y() - yUp.height(), yUp.width(), yUp.height()};
}

} // namespace sheet
