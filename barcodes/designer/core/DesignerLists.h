#pragma once
// The item lists of the barcode designer whose indexes barcode objects store.
// The designer's interface file holds the same titles in the same order (a
// test keeps them equal); the widget-free code needs them to turn a stored
// index into the title it renders with.

#include <QString>
#include <QStringList>

namespace DesignerLists {

// "Code 39" ... "Japan Post Barcode", then "QR Code", "PDF417", "DataMatrix".
const QStringList& symbologies();
// "Left", "Center", "Right".
const QStringList& alignments();
// "Manual", "Series", "Excel".
const QStringList& dataSources();
// "Auto", "Custom", "72", "150", "300", "600", "1200".
const QStringList& resolutions();
// "L", "M", "Q", "H".
const QStringList& qrLevels();
// "Auto", then "V1" ... "V40".
const QStringList& qrVersions();
// "Auto" and the 30 sizes "C<rows>X<columns>".
const QStringList& dataMatrixFormats();
// "Auto", "Ascii", "C40", "Text", "Base256".
const QStringList& dataMatrixEncodings();

// The title at index, or "" outside the list.
QString titleAt(const QStringList& list, int index);

// True for the three 2D titles.
bool isTwoDimensional(const QString& title);
// True for the retail titles whose value text is not spread (kerning off).
bool isRetail(const QString& title);

} // namespace DesignerLists
