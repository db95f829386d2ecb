#include "barcodes/pdf417View.h"

#include "barcodes/BarcodeGlobals.h"
#include "barcodes/ModulePicture.h"

#include <QPainter>
#include <QtDebug>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// One pixel per module and one pixel row per codeword row; a set bit in the
// matrix is white.
QImage matrixImage(const _pdf417param& p) {
    QImage image(p.bitColumns, p.codeRows, QImage::Format_Mono);
    if (image.isNull())
        return {};
    image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    const int bytesPerRow = p.lenBits / p.codeRows;
    const int copied = std::min(bytesPerRow, static_cast<int>(image.bytesPerLine()));
    for (int row = 0; row < p.codeRows; ++row) {
        std::memcpy(image.scanLine(row), p.outBits.get() + row * bytesPerRow,
                    static_cast<std::size_t>(copied));
    }
    return image;
}

// A frame a picture can be made for: positive and finite on both sides.
bool isUsableFrame(const QSizeF& frame) {
    return frame.width() > 0 && frame.height() > 0 && std::isfinite(frame.width()) &&
           std::isfinite(frame.height());
}

} // namespace

pdf417View::pdf417View(const QSizeF& frame) : m_frame(frame) {
    pdf417init(&p);
}

void pdf417View::setErrorLevel(int level) {
    errorLevel = level;
    qWarning().noquote() << QString::asprintf("ErrorLevel set to %d", level);
}

int pdf417View::drawWithText(const QString& text) {
    pdf417Image = CardPicture();
    if (text.isEmpty()) {
        imageState = kImageEmpty;
        return imageState;
    }
    // Without a frame there is nothing to stretch the symbol to: an error,
    // never a ready state without a picture.
    if (!isUsableFrame(m_frame)) {
        qWarning().noquote() << QStringLiteral(
            "Error encountered while drawing barcode: the barcode has no size.");
        imageState = kImageError;
        return imageState;
    }
    const QByteArray bytes = text.toUtf8();
    pdf417init(&p);
    p.text = bytes.constData();
    p.lenText = static_cast<int>(bytes.size());
    p.options = PDF417_USE_ERROR_LEVEL | PDF417_INVERT_BITMAP;
    p.errorLevel = errorLevel;
    p.aspectRatio = 1.0f;
    paintCode(&p);
    p.text = "";
    if (p.error != PDF417_ERROR_SUCCESS) {
        qWarning().noquote() << QString::asprintf(
            "Error encountered while drawing barcode, error %d.", p.error);
        pdf417free(&p);
        imageState = kImageError;
        return imageState;
    }
    // Each codeword row becomes one row of module rectangles, stretched to
    // the frame: vector modules stay sharp in print and PDF.
    const QImage matrix = matrixImage(p);
    if (!matrix.isNull() && USED_DPI_VALUE.load() > 0) {
        pdf417Image = modulePicture(matrix, m_frame);
    }
    // A raster that could not be made (no memory, no resolution) is an error
    // as well: "ready" always comes with a picture.
    imageState = pdf417Image.isNull() ? kImageError : kImageReady;
    return imageState;
}

void pdf417View::drawRect(QPainter& painter) const {
    const QRectF bounds(QPointF(0, 0), m_frame);
    switch (imageState) {
    case kImageEmpty:
        painter.fillRect(bounds, Qt::lightGray);
        break;
    case kImageError:
        painter.fillRect(bounds, Qt::white);
        painter.setPen(Qt::black);
        painter.drawText(bounds, Qt::AlignCenter, "There was a problem drawing the barcode.");
        break;
    default:
        if (!pdf417Image.isNull())
            pdf417Image.draw(painter, bounds);
        break;
    }
}
