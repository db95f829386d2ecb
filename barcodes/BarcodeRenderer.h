#pragma once
// Pictures of barcodes: a linear model drawn with its own style, or a
// finished 2D picture framed with a style's header and footer. Answers are vector
// pictures in points (they stay sharp in print and PDF). Widget-free and
// synchronous: safe to call on any thread, also while a print job paints.

#include "barcodes/BarcodeFrame.h"
#include "barcodes/BarcodeStyle.h"
#include "platform/CardPicture.h"

#include <QByteArray>

class NKDBarcode;

// The picture of a linear model drawn with the style the model holds (the
// one its bar heights and text bands were measured with); none (and a log
// line) for an empty or zero frame.
CardPicture imageFromBarcode(const NKDBarcode& model);

// A 2D picture centred in a frame with header and footer; none (and a log
// line) for a null picture or an empty or zero frame.
CardPicture imageFromBarcodeImage(const CardPicture& picture2D, const BarcodeFrame& frame,
                                  const BarcodeStyle& style);

// The linear picture as a one-page PDF whose page is the picture's size at
// 72 dpi without margins; empty (and a log line) when there is no picture.
QByteArray pdfFromBarcode(const NKDBarcode& model);

// Any picture as such a PDF; empty for none.
QByteArray pdfFromPicture(const CardPicture& picture);
