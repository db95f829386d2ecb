#pragma once
// The printed sheet of ten invitations read back with the outside tools:
// pdfinfo for the pages and their size, a pdftoppm raster for the barcodes
// of every slot (zbarimg and ZXingReader, in record order) and pdftotext for
// each record's texts in its slot.

#include <QRectF>
#include <QSizeF>
#include <QString>

namespace printedsheet {

// A2 in landscape, in points.
inline const QSizeF kSheet(1683.78, 1190.55);
inline constexpr int kColumns = 5;
inline constexpr int kRows = 2;

// Slot k (row by row) of the auto-centred grid: the sheet's spare room is
// shared equally between the gaps before, between and after the cards.
QRectF slot(int k, const QSizeF& card);

// Checks the PDF file of the ten records (gtest expectations). The tools
// must be present (the caller skips otherwise). Without `textsReadable`
// (a PDF whose fonts were turned into drawings) the texts are not looked
// for, and the output says so.
void checkSheet(const QString& pdf, const QString& workFolder, bool textsReadable = true);

} // namespace printedsheet
