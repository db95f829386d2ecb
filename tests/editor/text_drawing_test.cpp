// Text object: case, alignment, blank texts, fills, measuring and height
// fitting.

#include "common/TestSupport.h"
#include "drawing_test_support.h"
#include "editor/model/SKTDocument.h"
#include "editor/model/SKTText.h"
#include "editor/model/TextDrawing.h"
#include "editor_test_support.h"
#include "objects_test_support.h"

#include "editor/render/SKTRenderingView.h"
#include <QCoreApplication>

namespace {

std::shared_ptr<SKTText> textObject(const QString& text, const QRectF& bounds = {10, 10, 200, 60}) {
    auto t = makeGraphic<SKTText>(bounds);
    t->Text_contents().setString(text);
    t->text_ctrl_font = QFont(QStringLiteral("Liberation Sans"));
    t->text_ctrl_font.setPointSizeF(14);
    t->txt_clr = Qt::black;
    t->_isDrawingFill = false;
    t->_isDrawingStroke = false;
    return t;
}

} // namespace

TEST(TextCase, ChangesByCaseValue) {
    const QString mixed = QStringLiteral("hELLO wORLD\tnEW\nlINE  éCOLE");
    EXPECT_EQ(TextDrawing::caseChanged(mixed, 3), QStringLiteral("Hello World\tNew\nLine  École"));
    EXPECT_EQ(TextDrawing::caseChanged(mixed, 1), mixed.toUpper());
    EXPECT_EQ(TextDrawing::caseChanged(mixed, 2), mixed.toLower());
    EXPECT_EQ(TextDrawing::caseChanged(mixed, 0), mixed);
    EXPECT_EQ(TextDrawing::caseChanged(mixed, 9), mixed);
}

TEST(TextRendering, AlignmentsPlaceTheInk) {
    struct Case {
        int alignment;
        const char* where;
    };
    const Case cases[] = {{0, "left"}, {1, "right"}, {2, "centre"}, {3, "left"}, {4, "left"}};
    for (const Case& c : cases) {
        auto t = textObject(QStringLiteral("Hi"));
        t->text_alignmnet = c.alignment;
        const QRect ink = objtest::inkBounds(objtest::render(*t, {220, 80}));
        ASSERT_FALSE(ink.isEmpty()) << c.alignment;
        const QString where = QString::fromLatin1(c.where);
        if (where == "left") {
            EXPECT_LT(ink.left(), 14) << c.alignment;
        } else if (where == "right") {
            EXPECT_GT(ink.right(), 204) << c.alignment;
        } else {
            EXPECT_NEAR((ink.left() + ink.right()) / 2.0, 110, 3) << c.alignment;
        }
    }
}

TEST(TextRendering, JustifiedLinesReachTheRightEdgeExceptTheLast) {
    const QString words = QStringLiteral("one two three four five six seven eight nine ten");
    auto justified = textObject(words, {0, 0, 120, 200});
    justified->text_alignmnet = 3;
    auto left = textObject(words, {0, 0, 120, 200});
    const QImage j = objtest::render(*justified, {130, 200});
    const QImage l = objtest::render(*left, {130, 200});
    // The first line's ink: right edge within the last character of 120.
    const QRect firstJ = objtest::inkBounds(j.copy(0, 0, 130, 14));
    const QRect firstL = objtest::inkBounds(l.copy(0, 0, 130, 14));
    EXPECT_GT(firstJ.right(), 114);
    EXPECT_LT(firstL.right(), firstJ.right());
}

TEST(TextRendering, BlankOrHiddenTextDrawsNothing) {
    auto blank = textObject(QStringLiteral("  \n\t \r\n "));
    blank->_isDrawingFill = true;
    blank->_fillColor = Qt::red;
    blank->_isDrawingStroke = true;
    EXPECT_TRUE(objtest::isWhite(objtest::render(*blank, {220, 80})));
    auto hidden = textObject(QStringLiteral("Visible?"));
    hidden->ctrl_is_visible = false;
    EXPECT_TRUE(objtest::isWhite(objtest::render(*hidden, {220, 80}, 1.0, true)));
    // Being edited: only the frame, around the bounds grown by 1.
    auto edited = textObject(QStringLiteral("Edited"));
    edited->_isDrawingFill = true;
    edited->_fillColor = Qt::red;
    const QImage frame = objtest::render(*edited, {220, 80}, 1.0, true);
    EXPECT_EQ(objtest::inkBounds(frame), QRect(9, 9, 203, 63));
    EXPECT_EQ(frame.pixel(100, 40), qRgb(255, 255, 255));
}

TEST(TextRendering, HatchFillIsDrawnPlain) {
    objtest::ResourceFolder resources;
    auto t = textObject(QStringLiteral("x"));
    t->_isDrawingFill = true;
    t->_fill_type = "H";
    t->_fill_hatch_type = "Hatch1";
    t->_fill_htch_clr = Qt::yellow;
    t->_fillColor = Qt::cyan;
    const QImage image = objtest::render(*t, {220, 80});
    for (int y = 11; y < 18; ++y) {
        EXPECT_EQ(image.pixel(150, y), qRgb(0, 255, 255)) << y;
    }
}

TEST(TextRendering, InkIsTheSameInPointsOnEveryDevice) {
    auto t = textObject(QStringLiteral("Hello World"), {0, 0, 200, 40});
    // 72 dpi raster at 1 and 3 pixels per point, and a default (96 dpi)
    // raster scaled by hand.
    const QRect at72 = objtest::inkBounds(objtest::render(*t, {200, 40}));
    const QRect at216 = objtest::inkBounds(objtest::render(*t, {200, 40}, 3.0));
    QImage plain(200, 40, QImage::Format_ARGB32);
    plain.fill(Qt::white);
    {
        QPainter painter(&plain);
        t->drawContentsInView(painter, false);
    }
    const QRect at96 = objtest::inkBounds(plain);
    EXPECT_NEAR(at216.width() / 3.0, at72.width(), 1.5);
    EXPECT_NEAR(at96.width(), at72.width(), 1.5);
}

TEST(TextRendering, InkInAPdfMatchesTheRaster) {
    CARD_REQUIRE_TOOL(pdftoppm, "pdftoppm");
    drawingtest::RenderInputsGuard guard(QSizeF(300, 100));
    auto t = textObject(QStringLiteral("Hello World"), {20, 20, 250, 40});
    t->text_kerning = 2;
    const QImage page =
        drawingtest::rasterisePdf(pdftoppm, SKTRenderingView::pdfDataWithGraphics_data({t}), 288);
    ASSERT_FALSE(page.isNull());
    const QRect pdfInk = drawingtest::inkBounds(page);
    const QRect rasterInk = drawingtest::inkBounds(objtest::render(*t, {300, 100}, 4.0));
    EXPECT_NEAR(pdfInk.width(), rasterInk.width(), rasterInk.width() * 0.01);
    EXPECT_NEAR(pdfInk.height(), rasterInk.height(), 3);
}

TEST(TextSize, NaturalSizeFollowsFontCaseAndKerning) {
    auto t = textObject(QStringLiteral("abc def"), {0, 0, 300, 10});
    const QSizeF plain = t->naturalSize();
    EXPECT_GT(plain.height(), 14);
    EXPECT_LT(plain.height(), 20);
    t->text_transfrom_case = 1;
    const QSizeF upper = t->naturalSize();
    EXPECT_GT(upper.width(), plain.width());
    t->text_kerning = 5;
    EXPECT_NEAR(t->naturalSize().width(), upper.width() + 5 * 7, 6);
    t->text_ctrl_font.setPointSizeF(28);
    EXPECT_NEAR(t->naturalSize().height(), 2 * plain.height(), 2);
    // Three lines.
    auto lines = textObject(QStringLiteral("a\nb\nc"), {0, 0, 300, 10});
    EXPECT_NEAR(lines->naturalSize().height(), 3 * plain.height(), 1);
}

TEST(TextSize, MakeNaturalSizeLeavesLockedObjectsAlone) {
    auto t = textObject(QStringLiteral("Natural"), {5, 5, 300, 100});
    t->ctrl_is_locked = true;
    t->makeNaturalSize();
    EXPECT_EQ(t->bounds(), QRectF(5, 5, 300, 100));
    t->ctrl_is_locked = false;
    t->makeNaturalSize();
    EXPECT_EQ(t->bounds().topLeft(), QPointF(5, 5));
    EXPECT_LT(t->bounds().width(), 100);
    EXPECT_LT(t->bounds().height(), 30);
}

TEST(TextSize, FittedHeightIsNotUndoableAndFitsTheDrawnText) {
    FakeMainWindow window;
    SKTDocument document;
    auto t = textObject(QStringLiteral("one two three four five six"), {0, 0, 60, 10});
    ASSERT_TRUE(document.insertGraphic(t, 0));
    document.undoManager()->clear();
    t->setHeightToMatchContents();
    QCoreApplication::processEvents();
    EXPECT_FALSE(document.canUndo());
    EXPECT_EQ(t->bounds().width(), 60);
    EXPECT_GT(t->bounds().height(), 30);
    // Everything drawn lies inside the fitted bounds.
    const QRect ink = objtest::inkBounds(objtest::render(*t, {80, 200}));
    EXPECT_LE(ink.bottom(), t->bounds().bottom() + 0.5);
    EXPECT_GT(ink.bottom(), t->bounds().bottom() - 8);
}

TEST(TextSize, EditsFitTheHeightLaterUnlessABatchRuns) {
    FakeMainWindow window;
    SKTDocument document;
    auto t = textObject(QStringLiteral("short"), {0, 0, 60, 10});
    ASSERT_TRUE(document.insertGraphic(t, 0));
    Card_Value_In_Process = 1;
    t->setScriptingContents(QStringLiteral("one two three four five six"));
    QCoreApplication::processEvents();
    Card_Value_In_Process = 0;
    EXPECT_EQ(t->bounds().height(), 10);
    t->setScriptingContents(QStringLiteral("one two three four five six seven"));
    EXPECT_EQ(t->bounds().height(), 10); // not yet: on the next pass
    QCoreApplication::processEvents();
    EXPECT_GT(t->bounds().height(), 30);
}

TEST(TextUndo, ScriptedTextChangesUndoAsText) {
    FakeMainWindow window;
    SKTDocument document;
    auto t = textObject(QStringLiteral("before"));
    ASSERT_TRUE(document.insertGraphic(t, 0));
    QCoreApplication::processEvents();
    document.undoManager()->clear();
    t->setScriptingContents(QStringLiteral("after"));
    EXPECT_EQ(t->Text_contents().string(), QStringLiteral("after"));
    ASSERT_TRUE(document.canUndo());
    EXPECT_EQ(t->presentablePropertyNameForKey("undoContents"), QStringLiteral("Text"));
    document.undo();
    EXPECT_EQ(t->Text_contents().string(), QStringLiteral("before"));
    document.redo();
    EXPECT_EQ(t->Text_contents().string(), QStringLiteral("after"));
    EXPECT_FALSE(t->keysForValuesToObserveForUndo().contains("undoContents"));
}
