#pragma once
// Data Matrix (ECC200) pictures: the size and encodation chosen by title, the
// symbol made by the iec16022 library, its EPS program and its picture.
// Widget-free; usable from worker threads.

#include "platform/CardPicture.h"

#include <QByteArray>
#include <QString>

struct DataMatrixSize {
    int height = 0; // 0 and 0: the library chooses
    int width = 0;
};

// "Auto" gives 0 x 0; another title loses its first character and reads
// "<height> X <width>"; a title without "X" gives 0 x 0.
DataMatrixSize dataMatrixSizeFromTitle(const QString& title);

// One encodation letter per value byte for "Ascii" (A), "C40" (C), "Text" (T)
// and "Base256" (B); empty (the library chooses) for "Auto" and any other
// title. For C40 and Text the bytes after the last whole triple of values are
// encoded in ASCII when one value would be left over, which the library
// cannot finish cleanly.
QByteArray dataMatrixEncodingFromTitle(const QString& title, const QByteArray& value);

// The EPS program of a symbol of W x H modules whose grid holds W x H bytes,
// row 0 (the bottom row) first, non-zero = dark.
QByteArray makeEPS_Data_Matrix(const QByteArray& value, int W, int H, const unsigned char* grid);

// The symbol with one light module around it as vector module rectangles,
// sized W x moduleSize by H x moduleSize points; none for bad input or
// dpi <= 0.
CardPicture dataMatrixPicture(int W, int H, const unsigned char* grid, int moduleSize, int dpi);

struct DataMatrixDrawing {
    CardPicture picture; // none when the value could not be encoded
    QByteArray eps;
    int width = 0;
    int height = 0;
};

// Encodes the value's UTF-8 bytes with the chosen size and encodation and
// draws it. The library refuses every forced Base256 encodation: "Base256"
// then takes the library's own choice, which holds the same bytes. When the
// library's own choice of encodation fails, plain ASCII encodation is tried. When no symbol results, the diagnostic lines go to the
// standard streams and the picture is none.
DataMatrixDrawing Draw_DataMatrix_Barcode(const QString& value, const QString& formatTitle,
                                          const QString& encodingTitle, int moduleSize, int dpi);
