#pragma once
// The sheet layout: a grid of card slots inside the printer's unprintable
// margins, with gaps between the slots, placed on the paper by one of nine
// alignments or centred with equal gaps.
//
// Lengths are points in single precision. The geometry below works in a
// frame whose origin is the bottom-left corner of the paper with y growing
// upwards (the frame the layout rules are stated in); toPageRect turns a
// rectangle of that frame into Qt's top-left, y-down page coordinates.

#include <QRectF>
#include <QString>
#include <cstdint>

struct SheetLayout {
    // Paper size (Wp, Hp) and the printer's unprintable margins.
    float paperWidth = 0.0f;
    float paperHeight = 0.0f;
    float Left_Mar = 0.0f;
    float Rite_Mar = 0.0f;
    float Top_Mar = 0.0f;
    float Bot_Mar = 0.0f;
    // One slot: a card, or the pair of sides when both are printed.
    float label_width = 0.0f;
    float label_hight = 0.0f;
    // Gaps between columns and rows.
    float horz_mar = 0.0f;
    float vert_mar = 0.0f;
    std::int32_t Print_Row = 1;
    std::int32_t Print_Col = 1;
    // Cards to print.
    std::int32_t Total_Label = 1;
    // 1 top-left ... 9 bottom-right, row by row.
    std::int32_t label_align_val = 1;
    bool auto_center_flag = false;
    // Outline every slot in the on-screen preview.
    bool Show_margin_rect = true;
    // "F", "B" or "BOTH"; with "BOTH", "U" front above back or "L" front
    // left of back.
    QString Print_Card_Side = QStringLiteral("F");
    QString Print_Card_Algn = QStringLiteral("U");

    float printableWidth() const { return paperWidth - Left_Mar - Rite_Mar; }
    float printableHeight() const { return paperHeight - Top_Mar - Bot_Mar; }
    bool bothSides() const { return Print_Card_Side == QLatin1String("BOTH"); }
    bool frontAboveBack() const { return Print_Card_Algn == QLatin1String("U"); }
};

// What the print dialog's fields hold when the layout rules run.
struct LayoutRequest {
    float cardWidthMm = 0.0f;
    float cardHeightMm = 0.0f;
    float horzGapMm = 0.0f;
    float vertGapMm = 0.0f;
    std::int32_t columns = 1;
    std::int32_t rows = 1;
    // A batch print keeps its total (the number of records).
    bool batch = false;
};

// What the rules changed that the dialog shows again.
struct LayoutOutcome {
    bool columnsRewritten = false; // write Print_Col into the column field
    bool rowsRewritten = false;    // write Print_Row into the row field
    bool totalRewritten = false;   // write Total_Label into the total field
};

namespace sheet {

// Millimetres and points, multiplied in double precision, kept as float.
float Points_to_MM_Convert(float points);
float MM_to_Points_Convert(float millimetres);

// The layout rules: slot size from the card size and sides, gaps, and the
// counts lowered until the grid fits the printable area (auto-centre
// computes equal gaps instead). Writes the layout's slot size, gaps, counts
// and, outside a batch, the total.
LayoutOutcome Check_Max_Cell_Value(SheetLayout& layout, const LayoutRequest& request);

// Sheets needed for `total` cards on a rows x columns grid (0 for a total
// of 0 or less). Counts below 1 count as 1.
std::int64_t numberOfPages(std::int64_t total, std::int32_t rows, std::int32_t columns);

// Sheets a print or preview draws: a preview shows at most
// kPreviewSheetLimit sheets (capped is then set); a print has no limit.
inline constexpr std::int64_t kPreviewSheetLimit = 50;
struct PageCount {
    std::int64_t pages = 0;
    bool capped = false;
};
PageCount pagesToDraw(const SheetLayout& layout, bool preview);

// Bottom-left y of each row (1 = top row) and left x of each column
// (1 = left), y-up frame.
float firstRowY(const SheetLayout& layout);
float rowY(const SheetLayout& layout, std::int32_t row);
float columnX(const SheetLayout& layout, std::int32_t column);

// The box of the first image in the slot at (x, y) and the bottom-left
// corner of an image of size (iw, ih) placed in it (y-up frame).
QRectF slotBox(const SheetLayout& layout, float x, float y);
QPointF imageCorner(const SheetLayout& layout, float x, float y, float iw, float ih);
// Where the back image goes when both sides are printed.
QPointF backCorner(const SheetLayout& layout, const QPointF& frontCorner, float iw, float ih);

// A rectangle of the y-up frame in Qt page coordinates.
QRectF toPageRect(const QRectF& yUp, float paperHeight);

} // namespace sheet
