#include "barcodes/BarcodeDrawing.h"

#include "barcodes/BarcodeText.h"
#include "platform/CardUnits.h"

#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

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
    step.font = font;
    step.kerning = kerning;
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
    step.font = font;
    step.kerning = kerning;
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

void BarcodeDrawing::drawText(QPainter& painter, const Step& step) {
    // Laid out without a device, one card point per layout unit: Qt keeps
    // the letter spacing there, while fonts bound to 72-dpi devices drop it.
    QFont font = CardUnits::fontForLayout(step.font);
    if (std::isfinite(step.kerning) && step.kerning != 0.0) {
        font.setLetterSpacing(QFont::AbsoluteSpacing, step.kerning);
    }
    QString text = step.text;
    text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    text.replace(QLatin1Char('\r'), QChar::LineSeparator);
    QTextLayout layout(text, font);
    QTextOption option(Qt::Alignment(step.flags) & Qt::AlignHorizontal_Mask);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    double y = 0.0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(std::max(0.0, step.rect.width()));
        line.setPosition(QPointF(0.0, y));
        y += line.height();
    }
    layout.endLayout();
    // The spacing after the last character is not part of the line's
    // look: centred and right-aligned lines are placed without it.
    QPointF origin = step.rect.topLeft();
    if (std::isfinite(step.kerning)) {
        if (step.flags & Qt::AlignHCenter) {
            origin.rx() += step.kerning / 2.0;
        } else if (step.flags & Qt::AlignRight) {
            origin.rx() += step.kerning;
        }
    }
    painter.setPen(step.color);
    layout.draw(&painter, origin);
}

void BarcodeDrawing::draw(QPainter& painter) const {
    // Bars are crisp blocks, never grey-edged, wherever the narrowest bar
    // spans two device pixels or more. Below that, whole-pixel bars would
    // distort the width ratios beyond reading, so the edges stay smooth.
    const QRectF background(QPointF(0, 0), m_size);
    double narrowest = 0.0;
    for (const Step& step : m_steps) {
        if (step.kind == Kind::Rect && step.rect != background && step.rect.width() > 0) {
            narrowest = narrowest > 0 ? std::min(narrowest, step.rect.width()) : step.rect.width();
        }
    }
    const QTransform device = painter.deviceTransform();
    const bool crisp = narrowest * std::hypot(device.m11(), device.m12()) >= 2.0;
    painter.save();
    // Runs of rectangles of one colour and edge go out as one drawRects
    // call: a PDF then holds one path for them instead of a fill with its
    // own state per bar.
    std::vector<QRectF> run;
    for (std::size_t i = 0; i < m_steps.size(); ++i) {
        const Step& step = m_steps[i];
        switch (step.kind) {
        case Kind::Rect: {
            // The background keeps the picture's exact edge.
            const bool smooth = !crisp || step.rect == background;
            run.clear();
            run.push_back(step.rect);
            while (i + 1 < m_steps.size() && m_steps[i + 1].kind == Kind::Rect &&
                   m_steps[i + 1].color == step.color &&
                   (!crisp || m_steps[i + 1].rect == background) == smooth) {
                run.push_back(m_steps[++i].rect);
            }
            painter.setRenderHint(QPainter::Antialiasing, smooth);
            painter.setPen(Qt::NoPen);
            painter.setBrush(step.color);
            painter.drawRects(run.data(), static_cast<int>(run.size()));
            break;
        }
        case Kind::Text:
            drawText(painter, step);
            break;
        case Kind::Picture:
            // Source-over, so transparent margins of a 2D symbol show the
            // background; modules stay sharp.
            painter.save();
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            painter.setOpacity(1.0);
            painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
            painter.setRenderHint(QPainter::LosslessImageRendering);
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
