#include "barcodes/BarcodeDrawing.h"

#include "barcodes/BarcodeText.h"
#include "platform/CardUnits.h"

#include <QPainter>
#include <memory>

QRectF BarcodeDrawing::flipped(double x, double y, double w, double h) const {
    return {x, m_size.height() - y - h, w, h};
}

void BarcodeDrawing::fillRect(double x, double y, double w, double h, const QColor& color) {
    Step step;
    step.kind = Kind::Rect;
    step.rect = flipped(x, y, w, h);
    step.color = color;
    m_steps.push_back(std::move(step));
}

void BarcodeDrawing::textAt(const QString& text, double x, double y, const QFont& font,
                            double kerning, const QColor& color) {
    Step step;
    step.kind = Kind::Text;
    step.font = BarcodeText::kernedFont(font, kerning);
    const QSizeF size = BarcodeText::textSize(text, font, kerning);
    step.rect = flipped(x, y, size.width(), size.height());
    step.flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip;
    step.text = text;
    step.color = color;
    m_steps.push_back(std::move(step));
}

void BarcodeDrawing::textInRect(const QString& text, double x, double y, double w, double h,
                                Qt::Alignment alignment, const QFont& font, double kerning,
                                const QColor& color) {
    Step step;
    step.kind = Kind::Text;
    step.font = BarcodeText::kernedFont(font, kerning);
    step.rect = flipped(x, y, w, h);
    step.flags =
        static_cast<int>(alignment & Qt::AlignHorizontal_Mask) | Qt::AlignTop | Qt::TextDontClip;
    step.text = text;
    step.color = color;
    m_steps.push_back(std::move(step));
}

void BarcodeDrawing::picture(const CardPicture& picture, double x, double y, double w, double h) {
    Step step;
    step.kind = Kind::Picture;
    step.rect = flipped(x, y, w, h);
    step.picture = picture;
    m_steps.push_back(std::move(step));
}

void BarcodeDrawing::draw(QPainter& painter) const {
    painter.save();
    for (const Step& step : m_steps) {
        switch (step.kind) {
        case Kind::Rect:
            painter.fillRect(step.rect, step.color);
            break;
        case Kind::Text:
            painter.setFont(CardUnits::fontForPainter(step.font, painter));
            painter.setPen(step.color);
            painter.drawText(step.rect, step.flags, step.text);
            break;
        case Kind::Picture:
            // Source-over, so transparent margins of a 2D symbol show the
            // background; modules stay sharp.
            painter.save();
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            painter.setOpacity(1.0);
            painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
            step.picture.draw(painter, step.rect);
            painter.restore();
            break;
        }
    }
    painter.restore();
}

CardPicture BarcodeDrawing::toPicture() const {
    auto shared = std::make_shared<const BarcodeDrawing>(*this);
    return CardPicture::fromDrawer(m_size, [shared](QPainter& painter) { shared->draw(painter); });
}

std::size_t BarcodeDrawing::rectCount() const {
    std::size_t count = 0;
    for (const Step& step : m_steps) {
        count += step.kind == Kind::Rect ? 1 : 0;
    }
    return count;
}

std::size_t BarcodeDrawing::textCount() const {
    std::size_t count = 0;
    for (const Step& step : m_steps) {
        count += step.kind == Kind::Text ? 1 : 0;
    }
    return count;
}
