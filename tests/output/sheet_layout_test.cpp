// The sheet layout rules, the page count and the slot geometry, checked
// against values worked out by hand for each case.
#include "output/core/SheetLayout.h"

#include <QPageSize>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr float kA4W = 595.0f;
constexpr float kA4H = 842.0f;
constexpr float kTol = 0.002f;

// A layout whose paper and margins are given in points.
SheetLayout paper(float w, float h, float left = 0, float right = 0, float top = 0,
                  float bottom = 0) {
    SheetLayout l;
    l.paperWidth = w;
    l.paperHeight = h;
    l.Left_Mar = left;
    l.Rite_Mar = right;
    l.Top_Mar = top;
    l.Bot_Mar = bottom;
    return l;
}

float ptToMm(float pt) {
    return pt * 25.4f / 72.0f;
}

struct RuleCase {
    const char* name;
    SheetLayout layout;
    LayoutRequest request;
    // Expected results.
    int columns;
    int rows;
    float horzGap;
    float vertGap;
    bool columnsRewritten;
    bool rowsRewritten;
    int total;
};

SheetLayout autoCentre(SheetLayout l) {
    l.auto_center_flag = true;
    return l;
}

std::vector<RuleCase> ruleCases() {
    return {
        // 3 columns of 100 pt on 500 pt: three equal gaps of 50.
        {"auto_three_columns",
         autoCentre(paper(520, 200, 10, 10)),
         {ptToMm(100), ptToMm(100), 0, 0, 3, 1, false},
         3,
         1,
         50.0f,
         50.0f,
         false,
         false,
         3},
        // 4 columns of 150 on 500: no room for gaps, 500/150 truncated = 3.
        {"auto_too_many_columns",
         autoCentre(paper(500, 200)),
         {ptToMm(150), ptToMm(100), 0, 0, 4, 1, false},
         3,
         1,
         0.0f,
         50.0f,
         true,
         false,
         3},
        // Manual: 6 of 100 with gaps of 20 on 500: floor(520 / 120) = 4.
        {"manual_lowered_to_four",
         paper(500, 200),
         {ptToMm(100), ptToMm(100), ptToMm(20), 0, 6, 1, false},
         4,
         1,
         20.0f,
         0.0f,
         true,
         false,
         4},
        // A card wider than the paper: one column, the field rewritten.
        {"manual_card_too_wide",
         paper(500, 200),
         {ptToMm(600), ptToMm(100), 0, 0, 3, 1, false},
         1,
         1,
         0.0f,
         0.0f,
         true,
         false,
         1},
        {"auto_card_too_wide",
         autoCentre(paper(500, 200)),
         {ptToMm(600), ptToMm(100), 0, 0, 2, 1, false},
         1,
         1,
         0.0f,
         50.0f,
         true,
         false,
         1},
        // A4, 85.6 x 54 mm, auto-centre 2 x 4.
        {"a4_auto_2x4",
         autoCentre(paper(kA4W, kA4H)),
         {85.6f, 54.0f, 0, 0, 2, 4, false},
         2,
         4,
         36.570f,
         45.943f,
         false,
         false,
         8},
        // A4 manual 3 x 6 of the same card: 2 x 5 fit.
        {"a4_manual_3x6",
         paper(kA4W, kA4H),
         {85.6f, 54.0f, 0, 0, 3, 6, false},
         2,
         5,
         0.0f,
         0.0f,
         true,
         true,
         10},
        // A batch keeps its total.
        {"batch_total_kept",
         paper(kA4W, kA4H),
         {85.6f, 54.0f, 0, 0, 2, 2, true},
         2,
         2,
         0.0f,
         0.0f,
         false,
         false,
         37},
        // A zero card size on a paper narrower than its margins: the fit
        // quotient is minus infinity and is clamped, giving one column.
        {"zero_card_negative_width",
         paper(100, kA4H, 60, 60),
         {0, 0, 0, 0, 3, 2, false},
         1,
         2,
         0.0f,
         0.0f,
         true,
         false,
         2},
        // A fit of about 210,000 columns is clamped to 999.
        {"huge_fit_clamped",
         autoCentre(paper(kA4W, kA4H)),
         {0.001f, 0.001f, 0, 0, 2000000, 1, false},
         999,
         1,
         0.0f,
         420.99857f,
         true,
         false,
         999},
        // Counts below 1 count as 1 and are shown again.
        {"counts_below_one",
         paper(kA4W, kA4H),
         {10, 10, 0, 0, 0, -4, false},
         1,
         1,
         0.0f,
         0.0f,
         true,
         true,
         1},
    };
}

TEST(SheetLayoutRules, LowerCountsAndComputeGaps) {
    for (const RuleCase& c : ruleCases()) {
        SCOPED_TRACE(c.name);
        SheetLayout layout = c.layout;
        layout.Total_Label = 37;
        const LayoutOutcome out = sheet::Check_Max_Cell_Value(layout, c.request);
        EXPECT_EQ(layout.Print_Col, c.columns);
        EXPECT_EQ(layout.Print_Row, c.rows);
        EXPECT_NEAR(layout.horz_mar, c.horzGap, kTol);
        EXPECT_NEAR(layout.vert_mar, c.vertGap, kTol);
        EXPECT_EQ(out.columnsRewritten, c.columnsRewritten);
        EXPECT_EQ(out.rowsRewritten, c.rowsRewritten);
        EXPECT_EQ(layout.Total_Label, c.total);
    }
}

TEST(SheetLayoutRules, BothSidesDoubleTheSlot) {
    struct Case {
        const char* arrangement;
        float width;
        float height;
    };
    for (const Case& c : {Case{"U", 200.0f, 240.0f}, Case{"L", 400.0f, 120.0f}}) {
        SCOPED_TRACE(c.arrangement);
        SheetLayout layout = paper(kA4W, kA4H);
        layout.Print_Card_Side = QStringLiteral("BOTH");
        layout.Print_Card_Algn = QString::fromLatin1(c.arrangement);
        sheet::Check_Max_Cell_Value(layout, {ptToMm(200), ptToMm(120), 0, 0, 1, 1, false});
        EXPECT_NEAR(layout.label_width, c.width, kTol);
        EXPECT_NEAR(layout.label_hight, c.height, kTol);
    }
}

// Paper sizes as Qt's own page-size table gives them in millimetres and in
// points: the sheet's conversions take one to the other both ways.
TEST(SheetLayoutRules, UnitConversionsAgreeWithStandardPaperSizes) {
    for (const QPageSize::PageSizeId id :
         {QPageSize::A4, QPageSize::A5, QPageSize::Letter, QPageSize::Legal, QPageSize::B5}) {
        SCOPED_TRACE(QPageSize::name(id).toStdString());
        const QSizeF mm = QPageSize::size(id, QPageSize::Millimeter);
        const QSizeF points = QPageSize::size(id, QPageSize::Point); // whole points
        EXPECT_NEAR(sheet::MM_to_Points_Convert(float(mm.width())), points.width(), 0.5);
        EXPECT_NEAR(sheet::MM_to_Points_Convert(float(mm.height())), points.height(), 0.5);
        EXPECT_NEAR(sheet::Points_to_MM_Convert(float(points.width())), mm.width(), 0.2);
        EXPECT_NEAR(sheet::Points_to_MM_Convert(float(points.height())), mm.height(), 0.2);
    }
}

TEST(SheetPageCount, WholeSheetsPlusRemainder) {
    struct Case {
        long long total;
        int rows;
        int columns;
        long long pages;
    };
    const std::vector<Case> cases = {
        {0, 2, 2, 0},
        {7, 2, 2, 2},
        {8, 2, 2, 2},
        {1, 1, 1, 1},
        {51, 1, 1, 51},
        {-3, 1, 1, 0},
        {5, 0, 0, 5}, // counts below 1 count as 1
        {2147483647LL, 999, 999, 2152},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.total << " on " << c.rows << "x" << c.columns);
        EXPECT_EQ(sheet::numberOfPages(c.total, c.rows, c.columns), c.pages);
    }
}

TEST(SheetPageCount, PreviewShowsAtMostFiftySheets) {
    struct Case {
        int total;
        bool preview;
        long long pages;
        bool capped;
    };
    for (const Case& c : {Case{51, true, 50, true}, Case{51, false, 51, false},
                          Case{50, true, 50, false}, Case{0, true, 0, false}}) {
        SCOPED_TRACE(testing::Message() << c.total << (c.preview ? " preview" : " print"));
        SheetLayout layout = paper(kA4W, kA4H);
        layout.Total_Label = c.total;
        const sheet::PageCount count = sheet::pagesToDraw(layout, c.preview);
        EXPECT_EQ(count.pages, c.pages);
        EXPECT_EQ(count.capped, c.capped);
    }
}

// Qt top edge of a row and left edge of a column on A4 without margins.
struct GeometryCase {
    const char* name;
    bool autoCentre;
    int alignment;
    int columns;
    int rows;
    float gapMm;
    std::vector<float> xs;   // left edges of the columns
    std::vector<float> tops; // Qt top edges of the rows
};

TEST(SheetGeometry, SlotsOnA4) {
    const std::vector<GeometryCase> cases = {
        {"auto_2x4",
         true,
         1,
         2,
         4,
         0,
         {36.570f, 315.785f},
         {45.943f, 244.957f, 443.972f, 642.986f}},
        {"middle_centre_2x2_gap5", false, 5, 2, 2, 5, {47.768f, 304.587f}, {260.843f, 428.087f}},
        {"top_left_2x2", false, 1, 2, 2, 0, {0.0f, 242.646f}, {0.0f, 153.071f}},
        {"bottom_right_2x2", false, 9, 2, 2, 0, {109.709f, 352.354f}, {535.858f, 688.929f}},
        {"middle_left_1x1", false, 4, 1, 1, 0, {0.0f}, {344.465f}},
        {"top_centre_1x1", false, 2, 1, 1, 0, {176.177f}, {0.0f}},
        {"bottom_left_1x2", false, 7, 1, 2, 0, {0.0f}, {535.858f, 688.929f}},
        {"out_of_range_alignment", false, 12, 1, 1, 0, {0.0f}, {0.0f}},
    };
    for (const GeometryCase& c : cases) {
        SCOPED_TRACE(c.name);
        SheetLayout layout = paper(kA4W, kA4H);
        layout.auto_center_flag = c.autoCentre;
        layout.label_align_val = c.alignment;
        sheet::Check_Max_Cell_Value(layout,
                                    {85.6f, 54.0f, c.gapMm, c.gapMm, c.columns, c.rows, false});
        ASSERT_EQ(layout.Print_Col, c.columns);
        ASSERT_EQ(layout.Print_Row, c.rows);
        for (int col = 1; col <= c.columns; ++col) {
            EXPECT_NEAR(sheet::columnX(layout, col), c.xs[static_cast<size_t>(col - 1)], kTol)
                << "column " << col;
        }
        for (int row = 1; row <= c.rows; ++row) {
            const QRectF slot = sheet::toPageRect(
                QRectF(0, sheet::rowY(layout, row), layout.label_width, layout.label_hight),
                layout.paperHeight);
            EXPECT_NEAR(slot.top(), c.tops[static_cast<size_t>(row - 1)], kTol) << "row " << row;
        }
    }
}

TEST(SheetGeometry, MarginsMoveTheGrid) {
    // Alignment 3 with margins: the grid's right edge on the right margin,
    // its top on the top margin.
    SheetLayout layout = paper(400, 300, 10, 20, 30, 40);
    layout.label_align_val = 3;
    sheet::Check_Max_Cell_Value(layout, {ptToMm(100), ptToMm(50), 0, 0, 2, 1, false});
    EXPECT_NEAR(sheet::columnX(layout, 1), 180.0f, kTol);
    EXPECT_NEAR(sheet::columnX(layout, 2), 280.0f, kTol);
    EXPECT_NEAR(sheet::rowY(layout, 1), 220.0f, kTol);
    // Auto-centre with margins: bottom row at Bot_Mar + gap.
    layout.auto_center_flag = true;
    sheet::Check_Max_Cell_Value(layout, {ptToMm(100), ptToMm(50), 0, 0, 2, 2, false});
    // Printable 370 x 230: gaps (370 - 200) / 3 and (230 - 100) / 3.
    EXPECT_NEAR(layout.horz_mar, 56.6667f, 1e-3f);
    EXPECT_NEAR(layout.vert_mar, 43.3333f, 1e-3f);
    EXPECT_NEAR(sheet::rowY(layout, 2), 83.3333f, 1e-3f);
    EXPECT_NEAR(sheet::columnX(layout, 1), 66.6667f, 1e-3f);
}

struct CornerCase {
    const char* name;
    const char* side;
    const char* arrangement;
    float slotW;
    float slotH;
    float iw;
    float ih;
    QPointF front;
    QPointF back;
};

TEST(SheetGeometry, ImageCornersInTheSlot) {
    // Slot at (10, 20) in the y-up frame.
    const std::vector<CornerCase> cases = {
        {"front_centred", "F", "U", 100, 60, 80, 40, {20, 30}, {}},
        {"front_bigger_than_slot", "F", "U", 100, 60, 120, 80, {10, 20}, {}},
        {"both_above", "BOTH", "U", 200, 240, 200, 120, {10, 140}, {10, 20}},
        {"both_above_small_cards", "BOTH", "U", 200, 240, 100, 50, {60, 140}, {60, 90}},
        {"both_left_wide_slot", "BOTH", "L", 500, 120, 200, 100, {60, 30}, {260, 30}},
    };
    for (const CornerCase& c : cases) {
        SCOPED_TRACE(c.name);
        SheetLayout layout = paper(kA4W, kA4H);
        layout.Print_Card_Side = QString::fromLatin1(c.side);
        layout.Print_Card_Algn = QString::fromLatin1(c.arrangement);
        layout.label_width = c.slotW;
        layout.label_hight = c.slotH;
        const QPointF corner = sheet::imageCorner(layout, 10, 20, c.iw, c.ih);
        EXPECT_NEAR(corner.x(), c.front.x(), kTol);
        EXPECT_NEAR(corner.y(), c.front.y(), kTol);
        if (layout.bothSides()) {
            const QPointF back = sheet::backCorner(layout, corner, c.iw, c.ih);
            EXPECT_NEAR(back.x(), c.back.x(), kTol);
            EXPECT_NEAR(back.y(), c.back.y(), kTol);
        }
    }
}

} // namespace
