// Sheets drawn on a raster of one pixel per point with solid-colour cards:
// every alignment, auto-centre, both sides, the missing front, and a batch
// run across sheets.
#include "FakeCards.h"
#include "core/globals.h"
#include "output/core/SheetDrawing.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <vector>

namespace {

using fakecards::solid;

const QColor kFront(200, 30, 30);
const QColor kBack(30, 30, 200);
const QSizeF kCard(50, 20);

// Paper 200 x 100 points without margins, one slot of 50 x 20.
SheetLayout smallPaper() {
    SheetLayout l;
    l.paperWidth = 200;
    l.paperHeight = 100;
    l.label_width = 50;
    l.label_hight = 20;
    return l;
}

QImage sheetImage(const SheetLayout& layout, CardSource& source, SheetRun& run,
                  SheetMode mode = SheetMode::Print) {
    QImage image(static_cast<int>(layout.paperWidth), static_cast<int>(layout.paperHeight),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(2835);
    image.setDotsPerMeterY(2835);
    image.fill(Qt::black);
    QPainter painter(&image);
    sheet::drawSheet(painter, layout, source, run, mode);
    return image;
}

QImage drawOnce(const SheetLayout& layout, CardSource& source) {
    SheetRun run;
    run.Total_Label_Real = layout.Total_Label;
    return sheetImage(layout, source, run);
}

QColor at(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

TEST(SheetDrawing, EveryAlignmentPlacesTheCard) {
    struct Case {
        int alignment;
        int left;
        int top;
    };
    const std::vector<Case> cases = {{1, 0, 0},  {2, 75, 0},  {3, 150, 0},
                                     {4, 0, 40}, {5, 75, 40}, {6, 150, 40},
                                     {7, 0, 80}, {8, 75, 80}, {9, 150, 80}};
    DesignCardSource source(solid(kCard, kFront), solid(kCard, kBack));
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "alignment " << c.alignment);
        SheetLayout layout = smallPaper();
        layout.label_align_val = c.alignment;
        const QImage image = drawOnce(layout, source);
        // Inside the card, near both corners.
        EXPECT_EQ(at(image, c.left + 1, c.top + 1), kFront);
        EXPECT_EQ(at(image, c.left + 48, c.top + 18), kFront);
        // Just outside it: white paper.
        if (c.left > 0) {
            EXPECT_EQ(at(image, c.left - 1, c.top + 10), QColor(Qt::white));
        }
        if (c.top + 20 < 100) {
            EXPECT_EQ(at(image, c.left + 25, c.top + 21), QColor(Qt::white));
        }
        if (c.left + 50 < 200) {
            EXPECT_EQ(at(image, c.left + 51, c.top + 10), QColor(Qt::white));
        }
    }
}

TEST(SheetDrawing, AutoCentreSpreadsTheColumns) {
    DesignCardSource source(solid(kCard, kFront), solid(kCard, kBack));
    SheetLayout layout = smallPaper();
    layout.auto_center_flag = true;
    layout.Print_Col = 2;
    layout.Total_Label = 2;
    // Gaps of (200 - 100) / 3 across and (100 - 20) / 2 down.
    layout.horz_mar = 100.0f / 3.0f;
    layout.vert_mar = 40;
    const QImage image = drawOnce(layout, source);
    EXPECT_EQ(at(image, 35, 41), kFront); // column 1 starts at 33.3
    EXPECT_EQ(at(image, 82, 59), kFront); // and ends at 83.3
    EXPECT_EQ(at(image, 32, 50), QColor(Qt::white));
    EXPECT_EQ(at(image, 118, 50), kFront); // column 2 starts at 116.7
    EXPECT_EQ(at(image, 115, 50), QColor(Qt::white));
    EXPECT_EQ(at(image, 60, 38), QColor(Qt::white));
}

TEST(SheetDrawing, BothSidesAboveAndBeside) {
    DesignCardSource source(solid(kCard, kFront), solid(kCard, kBack));
    {
        SCOPED_TRACE("front above back");
        SheetLayout layout = smallPaper();
        layout.Print_Card_Side = QStringLiteral("BOTH");
        layout.Print_Card_Algn = QStringLiteral("U");
        layout.label_hight = 40;
        const QImage image = drawOnce(layout, source);
        EXPECT_EQ(at(image, 25, 2), kFront);
        EXPECT_EQ(at(image, 25, 18), kFront);
        EXPECT_EQ(at(image, 25, 22), kBack);
        EXPECT_EQ(at(image, 25, 38), kBack);
        EXPECT_EQ(at(image, 25, 42), QColor(Qt::white));
    }
    {
        SCOPED_TRACE("front left of back, centred in a wide slot");
        SheetLayout layout = smallPaper();
        layout.Print_Card_Side = QStringLiteral("BOTH");
        layout.Print_Card_Algn = QStringLiteral("L");
        layout.label_width = 120;
        const QImage image = drawOnce(layout, source);
        EXPECT_EQ(at(image, 8, 10), QColor(Qt::white));
        EXPECT_EQ(at(image, 12, 10), kFront);
        EXPECT_EQ(at(image, 58, 10), kFront);
        EXPECT_EQ(at(image, 62, 10), kBack);
        EXPECT_EQ(at(image, 108, 10), kBack);
        EXPECT_EQ(at(image, 112, 10), QColor(Qt::white));
    }
    {
        SCOPED_TRACE("back alone");
        SheetLayout layout = smallPaper();
        layout.Print_Card_Side = QStringLiteral("B");
        const QImage image = drawOnce(layout, source);
        EXPECT_EQ(at(image, 25, 10), kBack);
    }
}

int redPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += (c.red() > 180 && c.green() < 90 && c.blue() < 90) ? 1 : 0;
        }
    }
    return count;
}

TEST(SheetDrawing, MissingFrontShowsInvalidData) {
    DesignCardSource source({}, solid(kCard, kBack));
    SheetLayout layout = smallPaper();
    layout.Print_Col = 2;
    layout.Total_Label = 2;
    const QImage image = drawOnce(layout, source);
    // Red text centred on the middle of each slot (a card of no size).
    EXPECT_GT(redPixels(image.copy(0, 0, 50, 20)), 10);
    EXPECT_GT(redPixels(image.copy(50, 0, 50, 20)), 10);
    EXPECT_EQ(redPixels(image.copy(130, 0, 70, 100)), 0);
    EXPECT_EQ(redPixels(image.copy(0, 30, 200, 70)), 0);
    EXPECT_EQ(at(image, 25, 1), QColor(Qt::white));
}

TEST(SheetDrawing, PlaceholdersNumberEverySlot) {
    // The preview draws all rows x columns whatever the total, with
    // outlines only while they are asked for.
    DesignCardSource source(solid(kCard, kFront), solid(kCard, kBack));
    SheetLayout layout = smallPaper();
    layout.Print_Col = 2;
    layout.Print_Row = 2;
    layout.Total_Label = 1;
    SheetRun run;
    QImage image = sheetImage(layout, source, run, SheetMode::Placeholders);
    // Outline of slot 4 (x 50..100, y 20..40) and no card colour anywhere.
    EXPECT_NE(at(image, 50, 30), QColor(Qt::white));
    EXPECT_NE(at(image, 75, 20), QColor(Qt::white));
    EXPECT_EQ(run.barcode_counter, 0);
    int cardPixels = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 200; ++x) {
            cardPixels += image.pixelColor(x, y) == kFront ? 1 : 0;
        }
    }
    EXPECT_EQ(cardPixels, 0);
    layout.Show_margin_rect = false;
    image = sheetImage(layout, source, run, SheetMode::Placeholders);
    EXPECT_EQ(at(image, 75, 20), QColor(Qt::white));
}

TEST(SheetDrawing, BatchRunContinuesOnTheNextSheet) {
    // 5 records, total 8, 2 x 2: sheet 1 shows records 0 to 3, sheet 2
    // record 4 in its first slot and nothing else.
    std::vector<CardPicture> fronts;
    for (int i = 0; i < 5; ++i) {
        fronts.push_back(solid(kCard, fakecards::recordColour(i)));
    }
    fakecards::BatchSource source(fronts, solid(kCard, Qt::gray));
    SheetLayout layout = smallPaper();
    layout.Print_Col = 2;
    layout.Print_Row = 2;
    layout.Total_Label = 8;
    SheetRun run;
    run.Total_Label_Real = 8;
    const QImage first = sheetImage(layout, source, run);
    EXPECT_EQ(at(first, 25, 10), fakecards::recordColour(0));
    EXPECT_EQ(at(first, 75, 10), fakecards::recordColour(1));
    EXPECT_EQ(at(first, 25, 30), fakecards::recordColour(2));
    EXPECT_EQ(at(first, 75, 30), fakecards::recordColour(3));
    const QImage second = sheetImage(layout, source, run);
    EXPECT_EQ(at(second, 25, 10), fakecards::recordColour(4));
    EXPECT_EQ(at(second, 75, 10), QColor(Qt::white));
    EXPECT_EQ(at(second, 25, 30), QColor(Qt::white));
    EXPECT_EQ(at(second, 75, 30), QColor(Qt::white));
    EXPECT_EQ(run.barcode_counter, 8);
    // Each sheet puts the design back to record 0.
    EXPECT_EQ(source.finishes, 2);
}

TEST(SheetDrawing, FailingRecordIsPassedOver) {
    std::vector<CardPicture> fronts;
    for (int i = 0; i < 5; ++i) {
        fronts.push_back(solid(kCard, fakecards::recordColour(i)));
    }
    fakecards::BatchSource source(fronts, solid(kCard, Qt::gray), {1});
    SheetLayout layout = smallPaper();
    layout.Print_Col = 2;
    layout.Print_Row = 2;
    layout.Total_Label = 5;
    const QImage image = drawOnce(layout, source);
    // Record 1 takes no slot, and no other card (the design's) stands in.
    EXPECT_EQ(at(image, 25, 10), fakecards::recordColour(0));
    EXPECT_EQ(at(image, 75, 10), fakecards::recordColour(2));
    EXPECT_EQ(at(image, 25, 30), fakecards::recordColour(3));
    EXPECT_EQ(at(image, 75, 30), fakecards::recordColour(4));
}

TEST(SheetDrawing, BothSidesOfARecordAskBackFirst) {
    std::vector<CardPicture> fronts = {solid(kCard, fakecards::recordColour(0))};
    fakecards::BatchSource source(fronts, solid(kCard, Qt::gray));
    SheetLayout layout = smallPaper();
    layout.Print_Card_Side = QStringLiteral("BOTH");
    layout.label_hight = 40;
    drawOnce(layout, source);
    ASSERT_EQ(source.asked.size(), 2u);
    EXPECT_EQ(source.asked[0].second, CardSide::Back);
    EXPECT_EQ(source.asked[1].second, CardSide::Front);
}

} // namespace
