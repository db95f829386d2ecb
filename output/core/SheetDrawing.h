#pragma once
// Drawing sheets of cards on any painter: the print dialog's preview, the
// printer and PDF files share this one routine and its geometry.
//
// The painter's unit must be the point, origin at the paper's top-left
// corner (callers scale device pixels to points).

#include "output/core/CardSource.h"
#include "output/core/SheetLayout.h"

#include <QList>
#include <QString>
#include <cstdint>

class QPagedPaintDevice;
class QPainter;

// Position of a print run, carried from one sheet to the next: the next
// slot index and the next record.
struct SheetRun {
    std::int32_t barcode_counter = 0;
    std::int32_t count = 0;
    // Bound of the slot loop: the total when the run started.
    std::int32_t Total_Label_Real = 1;
    // Records (from 0) of a batch that could not be drawn and took no slot.
    QList<std::int32_t> notDrawn;
};

enum class SheetMode {
    Print,        // cards in the slots, as on paper
    Placeholders, // the dialog's preview: every slot numbered, outlines on request
};

namespace sheet {

inline const QString kPreviewLimitMessage = QStringLiteral(
    "For Qualitative and Performance reason, previewer shows print previews of only first 50 "
    "sheets. However, printing has no such restriction.");

// Draws one sheet: white paper, then the slots. In Print mode the run
// advances; records whose pictures cannot be made are passed over (logged)
// and take no slot. Placeholders mode draws every slot and leaves the run
// alone.
void drawSheet(QPainter& painter, const SheetLayout& layout, CardSource& source, SheetRun& run,
               SheetMode mode);

// A centred label in a rectangle of the y-up frame: "Label", "Card", "Front"
// and "Back" in grey followed by the slot number, any other text in red.
void Draw_Label_String(QPainter& painter, const SheetLayout& layout, const QString& str_val,
                       const QRectF& yUpRect, std::int32_t row, std::int32_t col);

// Prints `pages` sheets (the run starts at slot 0) onto a paged device set
// up for the whole paper (no margins; origin at the paper's corner).
// Card_Front_Or_Back is the same afterwards as before. Answers the sheets
// drawn; the records that could not be drawn go to `notDrawn` when given.
std::int64_t printSheets(QPagedPaintDevice& device, const SheetLayout& layout, CardSource& source,
                         std::int64_t pages, QList<std::int32_t>* notDrawn = nullptr);

// The message naming the records (from 0) that were not printed, counted
// from 1 as the user counts them.
QString notPrintedMessage(const QList<std::int32_t>& records);

} // namespace sheet
