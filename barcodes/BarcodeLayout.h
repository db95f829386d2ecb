#pragma once
// The geometry of barcode pictures: a linear model, or a finished 2D picture
// framed with header and footer, turned into drawing steps with the style's
// colours, fonts, margins and alignments. A linear model brings its own
// style, so its bar heights (NKDBarcode::barTop) and the bands laid out here
// come from the same margins and fonts.

#include "barcodes/BarcodeDrawing.h"
#include "barcodes/BarcodeFrame.h"
#include "barcodes/BarcodeStyle.h"

#include <QSizeF>
#include <optional>

class NKDBarcode;

namespace BarcodeLayout {

// Picture size of a linear model: the widest of its width and its printed
// header and footer, by its height.
QSizeF linearFrame(const NKDBarcode& model);

// Drawing steps of a linear model with the model's style; none for an empty
// or zero frame.
std::optional<BarcodeDrawing> layoutBarcode(const NKDBarcode& model);

// Drawing steps of a 2D picture framed as `frame` says; none for a null
// picture or an empty or zero frame.
std::optional<BarcodeDrawing> layoutBarcodeImage(const CardPicture& picture2D,
                                                 const BarcodeFrame& frame,
                                                 const BarcodeStyle& style);

// Paragraph alignment of an alignment title: "Center", "Left", "Right";
// any other title keeps the default (left) alignment.
Qt::Alignment alignmentForTitle(const QString& title);

} // namespace BarcodeLayout
