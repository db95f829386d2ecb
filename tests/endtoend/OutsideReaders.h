#pragma once
// The outside tools the end-to-end tests read the program's files with:
// barcode decoders (zbarimg, ZXingReader), the poppler tools (pdfinfo,
// pdftoppm, pdftotext) and the image format of a file by its content.

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <optional>

namespace outside {

// A decoded symbol: the decoder's format name and the data.
struct Symbol {
    QString format;
    QString data;
    bool operator==(const Symbol& other) const {
        return format == other.format && data == other.data;
    }
};

// Every symbol zbarimg reads in the picture file ("CODE-128", "QR-Code").
QList<Symbol> zbarSymbols(const QString& zbarimg, const QString& png);
// The data ZXingReader reads for one format ("Code128", "QRCode"); none
// when it reads nothing.
std::optional<QString> zxingSymbol(const QString& zxing, const QString& png, const QString& format);

// Pages and page size in points of a PDF file as pdfinfo reports them.
struct PdfInfo {
    int pages = 0;
    QSizeF pageSize;
};
std::optional<PdfInfo> pdfInfo(const QString& pdfinfo, const QString& pdf);

// Rasters page 1 of the PDF at `dpi` into `base` + ".png"; its path, or
// empty on failure.
QString rasterPage(const QString& pdftoppm, const QString& pdf, int dpi, const QString& base);

// The words pdftotext finds, each with its box in points.
struct Word {
    QString text;
    QRectF box;
};
QList<Word> pdfWords(const QString& pdftotext, const QString& pdf);

// The format of an image file read from its first bytes ("png", "jpeg",
// "tiff", "bmp", "gif"), or empty.
QString sniffImageFormat(const QString& path);

} // namespace outside
