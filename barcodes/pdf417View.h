#pragma once
// The PDF417 picture maker of the barcode designer: encodes a value and
// keeps the symbol as a picture of the view's frame size. Not a widget, so
// the batch fill can use it from a worker thread; a host widget may call
// drawRect to show it.

#include "barcodes/Pdf417Encoder.h"
#include "platform/CardPicture.h"

#include <QSizeF>
#include <QString>

class QPainter;

class pdf417View {
public:
    // imageState values.
    static constexpr int kImageReady = 0;
    static constexpr int kImageEmpty = 1;
    static constexpr int kImageError = 2;

    // initWithFrame: error level 2, empty state.
    explicit pdf417View(const QSizeF& frame = QSizeF());
    pdf417View(const pdf417View&) = delete;
    pdf417View& operator=(const pdf417View&) = delete;

    // Size in points of the pictures made from now on.
    void setFrameSize(const QSizeF& size) { m_frame = size; }
    QSizeF frameSize() const { return m_frame; }

    // Encodes the text into a new picture; answers the new imageState. An
    // empty text or an encoding error leaves no picture, so a caller never
    // receives the symbol of an earlier value. An unset, empty or invalid
    // frame (or no resolution set) is an error without a picture:
    // kImageReady always comes with one.
    int drawWithText(const QString& text);
    // The last picture (none unless the last run succeeded).
    CardPicture getImage() const { return pdf417Image; }

    void setErrorLevel(int level);
    int getErrorLevel() const { return errorLevel; }
    int getImageState() const { return imageState; }

    // Shows the state in the frame: light grey when empty, a message when
    // the encoding failed, else the picture scaled into the frame.
    void drawRect(QPainter& painter) const;

private:
    CardPicture pdf417Image;
    _pdf417param p;
    int errorLevel = 2;
    int imageState = kImageEmpty;
    QSizeF m_frame;
};
