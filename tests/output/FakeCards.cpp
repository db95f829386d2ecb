#include "FakeCards.h"

#include "core/globals.h"
#include "platform/CardUnits.h"

#include <QFont>
#include <QPainter>
#include <stdexcept>

namespace fakecards {

CardPicture solid(const QSizeF& points, const QColor& colour) {
    QImage image(static_cast<int>(points.width()), static_cast<int>(points.height()),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(colour);
    image.setDotsPerMeterX(2835);
    image.setDotsPerMeterY(2835);
    return CardPicture::fromImage(image, points);
}

CardPicture vectorCard(const QSizeF& points, const QColor& colour, const QString& text) {
    return CardPicture::fromDrawer(points, [points, colour, text](QPainter& painter) {
        painter.fillRect(QRectF(QPointF(0, 0), points), colour);
        if (!text.isEmpty()) {
            QFont font(QStringLiteral("Liberation Sans"));
            font.setPointSizeF(12);
            painter.setFont(CardUnits::fontForPainter(font, painter));
            painter.setPen(Qt::black);
            painter.drawText(QRectF(QPointF(0, 0), points), Qt::AlignCenter, text);
        }
    });
}

CardPicture BatchSource::picture(int record, CardSide side) {
    asked.emplace_back(record, side);
    Card_Front_Or_Back = side == CardSide::Back ? 1 : 0;
    if (m_failing.contains(record)) {
        throw std::runtime_error("record cannot be filled");
    }
    const CardPicture& front = m_fronts.at(static_cast<size_t>(record));
    if (side == CardSide::Front || front.isVector()) {
        return front;
    }
    return solid(front.size(), recordColour(record).darker(200));
}

QColor recordColour(int record) {
    static const QColor colours[] = {Qt::red,      Qt::green,   Qt::blue,    Qt::cyan,
                                     Qt::magenta,  Qt::yellow,  Qt::darkRed, Qt::darkGreen,
                                     Qt::darkBlue, Qt::darkCyan};
    return colours[record % 10];
}

} // namespace fakecards
