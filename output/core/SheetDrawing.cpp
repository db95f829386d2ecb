#include "output/core/SheetDrawing.h"

#include "core/MessageFunctions.h"
#include "core/globals.h"
#include "platform/CardUnits.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <algorithm>
#include <exception>

namespace sheet {

namespace {

const QColor kLabelGrey(128, 128, 128);
const QColor kOutline(64, 64, 64);

QString reasonOf(const std::exception& e) {
    return QString::fromUtf8(e.what());
}

// Draws a picture at its own size with its bottom-left corner at `corner`
// (y-up frame). Rasters replace what lies below them where the engine can
// compose that way (PDF cannot; there the card's opaque background covers
// the paper anyway).
void drawPicture(QPainter& painter, const SheetLayout& layout, const CardPicture& picture,
                 const QPointF& corner) {
    if (picture.isNull()) {
        return;
    }
    const QRectF target = toPageRect(QRectF(corner, picture.size()), layout.paperHeight);
    painter.save();
    painter.setOpacity(1.0);
    const QPaintEngine* engine = painter.paintEngine();
    if (picture.isRaster() && engine && engine->hasFeature(QPaintEngine::PorterDuff)) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
    }
    picture.draw(painter, target);
    painter.restore();
}

void outline(QPainter& painter, const SheetLayout& layout, const QRectF& yUpRect) {
    if (!layout.Show_margin_rect) {
        return;
    }
    painter.save();
    QPen pen(kOutline);
    pen.setWidthF(1.0);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(toPageRect(yUpRect, layout.paperHeight));
    painter.restore();
}

// The pictures in hand for the next slot of a batch; a failure leaves no
// front, so the slot is passed over.
struct InHand {
    CardPicture front;
    CardPicture back;
    float iw = 0.0f;
    float ih = 0.0f;
};

void fetchRecord(const SheetLayout& layout, CardSource& source, std::int32_t record, InHand& hand) {
    if (record >= source.recordCount()) {
        hand.front = {};
        return;
    }
    try {
        if (layout.bothSides()) {
            hand.back = source.picture(record, CardSide::Back);
            hand.front = source.picture(record, CardSide::Front);
        } else if (layout.Print_Card_Side == QLatin1String("F")) {
            hand.front = source.picture(record, CardSide::Front);
        } else {
            // The back alone: the front in hand only sizes the slot.
            hand.back = source.picture(record, CardSide::Back);
            if (hand.back.isNull()) {
                hand.front = {};
            }
        }
    } catch (const std::exception& e) {
        Show_NSLog_Message(
            QStringLiteral("Record %1 could not be drawn: %2").arg(record + 1).arg(reasonOf(e)));
        hand.front = {};
        return;
    } catch (...) {
        hand.front = {};
    }
    if (hand.front.isNull()) {
        Show_NSLog_Message(QStringLiteral("Record %1 could not be drawn.").arg(record + 1));
        return;
    }
    hand.iw = static_cast<float>(hand.front.size().width());
    hand.ih = static_cast<float>(hand.front.size().height());
}

// Fills and draws one side of a record in a slot; false when it fails
// (logged).
bool drawLiveSide(QPainter& painter, const SheetLayout& layout, CardSource& source,
                  std::int32_t record, CardSide side, const QPointF& yUpCorner,
                  const QSizeF& size) {
    try {
        const QRectF target = toPageRect(QRectF(yUpCorner, size), layout.paperHeight);
        if (source.drawRecordSide(record, side, painter, target.topLeft())) {
            return true;
        }
    } catch (const std::exception& e) {
        Show_NSLog_Message(
            QStringLiteral("Record %1 could not be drawn: %2").arg(record + 1).arg(reasonOf(e)));
        return false;
    } catch (...) {
    }
    Show_NSLog_Message(QStringLiteral("Record %1 could not be drawn.").arg(record + 1));
    return false;
}

// A batch whose source draws each record straight after filling it: the
// slot geometry comes from the design's front (every record has the
// design's size). A record that cannot be drawn takes no slot.
void drawLiveSlots(QPainter& painter, const SheetLayout& layout, CardSource& source,
                   SheetRun& run) {
    const QSizeF size = source.designFront().size();
    const auto iw = static_cast<float>(size.width());
    const auto ih = static_cast<float>(size.height());
    const bool backOnly = !layout.bothSides() && layout.Print_Card_Side != QLatin1String("F");
    for (std::int32_t row = 1; row <= layout.Print_Row; ++row) {
        const float y = rowY(layout, row);
        std::int32_t col = 1;
        while (col <= layout.Print_Col && run.barcode_counter < run.Total_Label_Real) {
            const std::int32_t record = run.count;
            ++run.count;
            ++run.barcode_counter;
            if (record >= source.recordCount()) {
                continue;
            }
            if (size.isEmpty()) {
                run.notDrawn << record;
                continue;
            }
            const QPointF corner = imageCorner(layout, columnX(layout, col), y, iw, ih);
            bool used = false;
            if (backOnly) {
                used = drawLiveSide(painter, layout, source, record, CardSide::Back, corner, size);
            } else {
                // Both sides: the back is filled first, as every batch walk
                // does; a missing back draws nothing.
                if (layout.bothSides()) {
                    drawLiveSide(painter, layout, source, record, CardSide::Back,
                                 backCorner(layout, corner, iw, ih), size);
                }
                used = drawLiveSide(painter, layout, source, record, CardSide::Front, corner, size);
            }
            if (used) {
                ++col;
            } else {
                run.notDrawn << record;
            }
        }
    }
    source.finish();
}

void drawPrintSlots(QPainter& painter, const SheetLayout& layout, CardSource& source,
                    SheetRun& run) {
    if (run.barcode_counter == 0) {
        run.count = 0;
    }
    const bool batch = source.isBatch();
    if (batch && source.drawsLive()) {
        drawLiveSlots(painter, layout, source, run);
        return;
    }
    InHand hand;
    hand.front = source.designFront();
    hand.back = source.designBack();
    hand.iw = static_cast<float>(hand.front.size().width());
    hand.ih = static_cast<float>(hand.front.size().height());
    const CardPicture designFront = hand.front;
    for (std::int32_t row = 1; row <= layout.Print_Row; ++row) {
        const float y = rowY(layout, row);
        std::int32_t col = 1;
        while (col <= layout.Print_Col && run.barcode_counter < run.Total_Label_Real) {
            if (batch) {
                if (!layout.bothSides() && layout.Print_Card_Side != QLatin1String("F")) {
                    hand.front = designFront;
                }
                fetchRecord(layout, source, run.count, hand);
                if (hand.front.isNull()) {
                    if (run.count < source.recordCount()) {
                        run.notDrawn << run.count;
                    }
                    ++run.count;
                    ++run.barcode_counter;
                    continue;
                }
            }
            const float x = columnX(layout, col);
            const QPointF corner = imageCorner(layout, x, y, hand.iw, hand.ih);
            if (layout.Print_Card_Side == QLatin1String("B")) {
                drawPicture(painter, layout, hand.back, corner);
            } else if (hand.front.isNull()) {
                Draw_Label_String(painter, layout, QStringLiteral("Invalid Data"),
                                  QRectF(corner, QSizeF(0, 0)), row, col);
            } else {
                drawPicture(painter, layout, hand.front, corner);
                if (layout.bothSides()) {
                    drawPicture(painter, layout, hand.back,
                                backCorner(layout, corner, hand.iw, hand.ih));
                }
            }
            ++run.count;
            ++run.barcode_counter;
            ++col;
        }
    }
    if (batch) {
        source.finish();
    }
}

void drawPlaceholderSlots(QPainter& painter, const SheetLayout& layout, CardSource& source) {
    const CardPicture front = source.designFront();
    const auto iw = static_cast<float>(front.size().width());
    const auto ih = static_cast<float>(front.size().height());
    for (std::int32_t row = 1; row <= layout.Print_Row; ++row) {
        const float y = rowY(layout, row);
        for (std::int32_t col = 1; col <= layout.Print_Col; ++col) {
            const float x = columnX(layout, col);
            const QRectF box = slotBox(layout, x, y);
            if (front.isNull()) {
                Draw_Label_String(painter, layout, QStringLiteral("Invalid Data"), box, row, col);
                outline(painter, layout, box);
                continue;
            }
            const QString word = layout.Print_Card_Side == QLatin1String("B")
                                     ? QStringLiteral("Back")
                                     : QStringLiteral("Card");
            Draw_Label_String(painter, layout, word, box, row, col);
            outline(painter, layout, box);
            if (layout.bothSides()) {
                const QPointF corner = imageCorner(layout, x, y, iw, ih);
                const QRectF backRect(backCorner(layout, corner, iw, ih), QSizeF(iw, ih));
                Draw_Label_String(painter, layout, QStringLiteral("Back"), backRect, row, col);
                outline(painter, layout, backRect);
            }
        }
    }
}

} // namespace

void Draw_Label_String(QPainter& painter, const SheetLayout& layout, const QString& str_val,
                       const QRectF& yUpRect, std::int32_t row, std::int32_t col) {
    static const QStringList kNumbered = {QStringLiteral("Label"), QStringLiteral("Card"),
                                          QStringLiteral("Front"), QStringLiteral("Back")};
    QString text = str_val;
    QColor colour = Qt::red;
    if (kNumbered.contains(str_val)) {
        const std::int64_t number = static_cast<std::int64_t>(row - 1) * layout.Print_Col + col;
        text = QStringLiteral("%1 %2").arg(str_val).arg(number);
        colour = kLabelGrey;
    }
    QFont font = QGuiApplication::font();
    font.setBold(true);
    font.setPointSizeF(11.0);
    painter.save();
    painter.setFont(CardUnits::fontForPainter(font, painter));
    painter.setPen(colour);
    const QRectF page = toPageRect(yUpRect, layout.paperHeight);
    painter.drawText(page, Qt::AlignCenter | Qt::TextDontClip, text);
    painter.restore();
}

void drawSheet(QPainter& painter, const SheetLayout& layout, CardSource& source, SheetRun& run,
               SheetMode mode) {
    painter.fillRect(QRectF(0, 0, layout.paperWidth, layout.paperHeight), Qt::white);
    try {
        if (mode == SheetMode::Placeholders) {
            drawPlaceholderSlots(painter, layout, source);
        } else {
            drawPrintSlots(painter, layout, source, run);
        }
    } catch (const std::exception& e) {
        Show_MessageBox(reasonOf(e));
    }
}

std::int64_t printSheets(QPagedPaintDevice& device, const SheetLayout& layout, CardSource& source,
                         std::int64_t pages, QList<std::int32_t>* notDrawn) {
    const int savedSide = Card_Front_Or_Back;
    QPainter painter(&device);
    if (!painter.isActive()) {
        return 0;
    }
    const double scale = device.logicalDpiX() / CardUnits::kPointsPerInch;
    painter.scale(scale, scale);
    SheetRun run;
    run.Total_Label_Real = layout.Total_Label;
    std::int64_t drawn = 0;
    for (std::int64_t page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage()) {
            break;
        }
        drawSheet(painter, layout, source, run, SheetMode::Print);
        ++drawn;
    }
    painter.end();
    Card_Front_Or_Back = savedSide;
    if (notDrawn) {
        *notDrawn = run.notDrawn;
    }
    return drawn;
}

QString notPrintedMessage(const QList<std::int32_t>& records) {
    if (records.size() == 1) {
        return QStringLiteral("Record %1 could not be drawn and was not printed.")
            .arg(records.first() + 1);
    }
    constexpr int kShown = 20;
    QStringList numbers;
    for (int i = 0; i < std::min(kShown, int(records.size())); ++i) {
        numbers << QString::number(std::int64_t(records.at(i)) + 1);
    }
    QString list = numbers.join(QStringLiteral(", "));
    if (records.size() > kShown) {
        list += QStringLiteral(" and %1 more").arg(records.size() - kShown);
    }
    return QStringLiteral("%1 records could not be drawn and were not printed: %2.")
        .arg(records.size())
        .arg(list);
}

} // namespace sheet
