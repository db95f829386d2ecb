// Batch sheets whose records are drawn straight after their fill (the
// print path of a real design): slots in order across sheets, a failing
// record passed over, both sides, the back alone; on a raster of one pixel
// per point.
#include "FakeCards.h"
#include "core/globals.h"
#include "output/core/SheetDrawing.h"

#include <QImage>
#include <QPainter>
#include <QSet>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

namespace {

const QSizeF kCard(50, 20);

QColor colourOf(int record, CardSide side) {
    const QColor front = fakecards::recordColour(record);
    return side == CardSide::Front ? front : front.darker(200);
}

// Records drawn as solid colours, each side its own colour; records in
// `failing` throw when drawn.
class LiveSource : public CardSource {
public:
    LiveSource(int records, QSet<int> failing = {})
        : m_records(records), m_failing(std::move(failing)) {}

    bool isBatch() const override { return true; }
    int recordCount() const override { return m_records; }
    CardPicture picture(int, CardSide) override {
        ADD_FAILURE() << "a live source is drawn, never asked for pictures";
        return {};
    }
    CardPicture designFront() const override { return fakecards::solid(kCard, Qt::gray); }
    CardPicture designBack() const override { return fakecards::solid(kCard, Qt::gray); }
    void finish() override { ++finishes; }
    bool drawsLive() const override { return true; }
    bool drawRecordSide(int record, CardSide side, QPainter& painter,
                        const QPointF& topLeft) override {
        drawn.emplace_back(record, side);
        Card_Front_Or_Back = side == CardSide::Back ? 1 : 0;
        if (m_failing.contains(record)) {
            throw std::runtime_error("record cannot be filled");
        }
        painter.fillRect(QRectF(topLeft, kCard), colourOf(record, side));
        return true;
    }

    int finishes = 0;
    std::vector<std::pair<int, CardSide>> drawn;

private:
    int m_records;
    QSet<int> m_failing;
};

// Paper 200 x 100 points without margins, 2 x 2 slots of 50 x 20 at the
// top-left: slot centres (25, 10), (75, 10), (25, 30), (75, 30).
SheetLayout grid(int total) {
    SheetLayout l;
    l.paperWidth = 200;
    l.paperHeight = 100;
    l.label_width = 50;
    l.label_hight = 20;
    l.Print_Col = 2;
    l.Print_Row = 2;
    l.Total_Label = total;
    return l;
}

QImage sheetImage(const SheetLayout& layout, CardSource& source, SheetRun& run) {
    QImage image(200, 100, QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(2835);
    image.setDotsPerMeterY(2835);
    image.fill(Qt::black);
    QPainter painter(&image);
    sheet::drawSheet(painter, layout, source, run, SheetMode::Print);
    return image;
}

QRgb rgb(const QColor& colour) {
    return colour.rgb();
}

TEST(SheetLive, RecordsFillTheSlotsAcrossSheets) {
    LiveSource source(5);
    const SheetLayout layout = grid(8);
    SheetRun run;
    run.Total_Label_Real = 8;
    const QImage first = sheetImage(layout, source, run);
    EXPECT_EQ(first.pixel(25, 10), rgb(colourOf(0, CardSide::Front)));
    EXPECT_EQ(first.pixel(75, 10), rgb(colourOf(1, CardSide::Front)));
    EXPECT_EQ(first.pixel(25, 30), rgb(colourOf(2, CardSide::Front)));
    EXPECT_EQ(first.pixel(75, 30), rgb(colourOf(3, CardSide::Front)));
    const QImage second = sheetImage(layout, source, run);
    EXPECT_EQ(second.pixel(25, 10), rgb(colourOf(4, CardSide::Front)));
    for (const QPoint& empty : {QPoint(75, 10), QPoint(25, 30), QPoint(75, 30)}) {
        EXPECT_EQ(second.pixel(empty), rgb(Qt::white));
    }
    EXPECT_EQ(run.barcode_counter, 8);
    EXPECT_EQ(source.drawn.size(), 5u);
    EXPECT_EQ(source.finishes, 2);
}

TEST(SheetLive, AFailingRecordTakesNoSlot) {
    LiveSource source(5, {1});
    const SheetLayout layout = grid(5);
    SheetRun run;
    run.Total_Label_Real = 5;
    const QImage image = sheetImage(layout, source, run);
    EXPECT_EQ(image.pixel(25, 10), rgb(colourOf(0, CardSide::Front)));
    EXPECT_EQ(image.pixel(75, 10), rgb(colourOf(2, CardSide::Front)));
    EXPECT_EQ(image.pixel(25, 30), rgb(colourOf(3, CardSide::Front)));
    EXPECT_EQ(image.pixel(75, 30), rgb(colourOf(4, CardSide::Front)));
}

TEST(SheetLive, BothSidesBackFirstAndTheBackAlone) {
    LiveSource source(2);
    SheetLayout layout = grid(2);
    layout.Print_Card_Side = QStringLiteral("BOTH");
    layout.Print_Row = 1;
    layout.label_hight = 40; // front above back
    SheetRun run;
    run.Total_Label_Real = 2;
    const QImage both = sheetImage(layout, source, run);
    EXPECT_EQ(both.pixel(25, 10), rgb(colourOf(0, CardSide::Front)));
    EXPECT_EQ(both.pixel(25, 30), rgb(colourOf(0, CardSide::Back)));
    EXPECT_EQ(both.pixel(75, 10), rgb(colourOf(1, CardSide::Front)));
    EXPECT_EQ(both.pixel(75, 30), rgb(colourOf(1, CardSide::Back)));
    ASSERT_EQ(source.drawn.size(), 4u);
    EXPECT_EQ(source.drawn[0], std::make_pair(0, CardSide::Back));
    EXPECT_EQ(source.drawn[1], std::make_pair(0, CardSide::Front));

    LiveSource backs(2);
    SheetLayout backOnly = grid(2);
    backOnly.Print_Card_Side = QStringLiteral("B");
    SheetRun second;
    second.Total_Label_Real = 2;
    const QImage image = sheetImage(backOnly, backs, second);
    EXPECT_EQ(image.pixel(25, 10), rgb(colourOf(0, CardSide::Back)));
    EXPECT_EQ(image.pixel(75, 10), rgb(colourOf(1, CardSide::Back)));
}

} // namespace
