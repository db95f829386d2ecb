#include "barcodes/BarcodeRenderer.h"

#include "barcodes/BarcodeLayout.h"
#include "barcodes/NKDBarcode.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QtDebug>
#include <cmath>
#include <exception>

namespace {

QByteArray pdfNumber(double value) {
    QByteArray text = QByteArray::number(value, 'f', 4);
    while (text.endsWith('0')) {
        text.chop(1);
    }
    if (text.endsWith('.')) {
        text.chop(1);
    }
    return text;
}

// Qt writes page boxes in whole points. The page is made whole points large
// (rounded up) with the picture at its top left; the media box is then set,
// in place and at the same length so the file's offsets stay valid, to the
// picture's exact area.
void setExactMediaBox(QByteArray& pdf, const QSizeF& size, double pageHeight) {
    const QByteArray key("/MediaBox [");
    const qsizetype start = pdf.indexOf(key);
    const qsizetype end = start < 0 ? -1 : pdf.indexOf(']', start);
    if (end < 0) {
        return;
    }
    const qsizetype from = start + key.size();
    QByteArray box = "0 " + pdfNumber(pageHeight - size.height()) + ' ' + pdfNumber(size.width()) +
                     ' ' + pdfNumber(pageHeight);
    if (box.size() > end - from) {
        return;
    }
    box.append(QByteArray(end - from - box.size(), ' '));
    pdf.replace(from, box.size(), box);
}

} // namespace

CardPicture imageFromBarcode(const NKDBarcode& model) {
    try {
        const auto drawing = BarcodeLayout::layoutBarcode(model);
        if (!drawing) {
            qWarning("Invalid barcode size");
            return {};
        }
        return drawing->toPicture();
    } catch (const std::exception& error) {
        qWarning("%s", error.what());
        return {};
    }
}

CardPicture imageFromBarcodeImage(const CardPicture& picture2D, const BarcodeFrame& frame,
                                  const BarcodeStyle& style) {
    if (picture2D.isNull()) {
        qWarning("No barcode picture to frame");
        return {};
    }
    try {
        const auto drawing = BarcodeLayout::layoutBarcodeImage(picture2D, frame, style);
        if (!drawing) {
            qWarning("Invalid barcode size");
            return {};
        }
        return drawing->toPicture();
    } catch (const std::exception& error) {
        qWarning("%s", error.what());
        return {};
    }
}

QByteArray pdfFromPicture(const CardPicture& picture) {
    if (picture.isNull()) {
        return {};
    }
    QByteArray bytes;
    double pageHeight = 0.0;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(72);
        const QSizeF page(std::ceil(picture.size().width()), std::ceil(picture.size().height()));
        pageHeight = page.height();
        writer.setPageLayout(
            QPageLayout(QPageSize(page, QPageSize::Point, QString(), QPageSize::ExactMatch),
                        QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Point));
        QPainter painter;
        if (!painter.begin(&writer)) {
            qWarning("Could not write the barcode PDF");
            return {};
        }
        picture.draw(painter, QPointF(0, 0));
        painter.end();
    }
    setExactMediaBox(bytes, picture.size(), pageHeight);
    return bytes;
}

QByteArray pdfFromBarcode(const NKDBarcode& model) {
    return pdfFromPicture(imageFromBarcode(model));
}
