#pragma once
// The pictures read from the resource folder for drawing: the four
// placeholders ("no.png", "sign_sample.png", "fingerprints.png",
// "barcode_sample.png") and the hatch fill patterns
// ("Fill_Style_Image"/name.png). Each file is read once for the resource
// folder in use (a missing file is remembered as none) and shared after
// that; drawing never reads files. Safe to call from any thread.

#include "platform/CardPicture.h"

#include <QImage>
#include <QString>

namespace PicturePlaceholders {

// Reads the four placeholders now (the main window does this at start-up);
// later calls are answered from memory.
void load();

CardPicture no_image();
CardPicture sign_sample_img();
CardPicture fp_sample_img();
CardPicture barcode_sample_img();

// The resource folder joined with a file name.
QString resourceFile(const QString& name);

// The hatch pattern of a fill style name; null when it does not read.
QImage hatchPattern(const QString& name);

} // namespace PicturePlaceholders
