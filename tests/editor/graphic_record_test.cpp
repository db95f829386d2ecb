// The card object record: defaults, copying, colours with opacity, geometry,
// handles and resizing, natural size and the scripting setters.

#include "core/globals.h"
#include "editor/model/SKTBarcode.h"
#include "editor/model/SKTGraphic.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTLine.h"
#include "editor/model/SKTSignature.h"
#include "editor/model/SKTText.h"
#include "editor/model/Shape_Control.h"
#include "editor_test_support.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>
#include <typeinfo>

namespace {

// Records the flips the base class sends while resizing.
class FlipCountingGraphic : public SKTGraphic {
public:
    void flipHorizontally() override { ++horizontal; }
    void flipVertically() override { ++vertical; }
    int horizontal = 0;
    int vertical = 0;
};

} // namespace

TEST(GraphicRecord, NewObjectDefaults) {
    SKTGraphic g;
    // What the inspectors show for a new object.
    EXPECT_EQ(g.alpha_val, 1.0f);
    EXPECT_EQ(g.alpha_val_stroke, 1.0f);
    EXPECT_EQ(g.img_trnsp_val, 100.0f);
    EXPECT_EQ(g.cor_rad_val_val, 10.0f);
    EXPECT_EQ(g.Text_Value, QStringLiteral("Text here"));
    // Visible, typed, unbound; the styled text is made on first use.
    EXPECT_TRUE(g.ctrl_is_visible);
    EXPECT_EQ(g.data_source_type, 0);
    EXPECT_FALSE(g.excel_binding);
    EXPECT_FALSE(g.control_ID.isNull());
    EXPECT_TRUE(g.control_ID.isEmpty());
    EXPECT_FALSE(g._Text_contents.has_value());
    // The barcode designer's starting settings.
    EXPECT_EQ(g.linear_font_val, QStringLiteral("0123"));
    EXPECT_EQ(g.header_val, QStringLiteral("HEADER"));
    EXPECT_EQ(g.align_hdr_index, 1);
    EXPECT_FLOAT_EQ(g.linear_height_val, 0.6f);
    EXPECT_EQ(g.qr_size_val, 60);
    EXPECT_EQ(g.dpi_custom_val, QStringLiteral("0"));
    EXPECT_EQ(g.header_font_val.family(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(g.header_font_val.pointSizeF(), 10.0);
    EXPECT_EQ(g.barcode_back_clr_val, QColor(Qt::white));
}

TEST(GraphicRecord, TextFontAndColourComeFromTheMainWindowOrFallBack) {
    {
        SKTGraphic withoutWindow;
        EXPECT_EQ(withoutWindow.text_ctrl_font.family(), QStringLiteral("Times New Roman"));
        EXPECT_EQ(withoutWindow.text_ctrl_font.pointSizeF(), 14.0);
        EXPECT_EQ(withoutWindow.txt_clr, QColor(Qt::black));
    }
    FakeMainWindow window;
    SKTGraphic g;
    EXPECT_EQ(g.Text_Font_value(), window.font);
    EXPECT_EQ(g.Text_Color_Value(), window.color);
}

TEST(GraphicRecord, FilePathDefaultsToNoPictureInTheResourceFolder) {
    const QString saved = Resource_Path;
    Resource_Path = QStringLiteral("/opt/card/resources");
    SKTGraphic g;
    Resource_Path = saved;
    EXPECT_EQ(g.FilePath(), QStringLiteral("/opt/card/resources/no.png"));
}

TEST(GraphicRecord, CopyOfTextObjectCarriesOnlyGeometryFillAndStroke) {
    SKTText original;
    original._bounds = QRectF(5, 6, 70, 20);
    original._isDrawingFill = false;
    original._fillColor = QColor(10, 20, 30);
    original._strokeColor = QColor(200, 100, 0);
    original._strokeWidth = 4.5;
    original._stroke_border_type = QStringLiteral("DO");
    original._fill_type = QStringLiteral("G");
    original._fill_Grad_clr1 = QColor(Qt::red);
    original._fill_Grad_clr2 = QColor(Qt::blue);
    original._fill_grad_angle = 45.0;
    original._fill_htch_clr = QColor(Qt::yellow);
    original._fill_hatch_type = QStringLiteral("Brick");
    original.Text_Value = QStringLiteral("Dear guests");
    original.text_ctrl_font = QFont(QStringLiteral("Liberation Serif"), 30);
    original.control_ID = QStringLiteral("PARTY_Title");
    original.ctrl_is_locked = true;
    original.alpha_val = 0.25f;
    original.Text_contents();

    auto copy = original.clone();
    ASSERT_TRUE(copy);
    const SKTGraphic& copyRef = *copy;
    EXPECT_EQ(typeid(copyRef), typeid(SKTText));
    EXPECT_EQ(copy->_bounds, original._bounds);
    EXPECT_FALSE(copy->_isDrawingFill);
    EXPECT_EQ(copy->_fillColor, original._fillColor);
    EXPECT_EQ(copy->_strokeColor, original._strokeColor);
    EXPECT_EQ(copy->_strokeWidth, 4.5);
    EXPECT_EQ(copy->_stroke_border_type, QStringLiteral("DO"));
    EXPECT_EQ(copy->_fill_type, QStringLiteral("G"));
    EXPECT_EQ(copy->_fill_Grad_clr1, QColor(Qt::red));
    EXPECT_EQ(copy->_fill_Grad_clr2, QColor(Qt::blue));
    EXPECT_EQ(copy->_fill_grad_angle, 45.0);
    EXPECT_EQ(copy->_fill_htch_clr, QColor(Qt::yellow));
    EXPECT_EQ(copy->_fill_hatch_type, QStringLiteral("Brick"));
    // Everything else is the default.
    EXPECT_EQ(copy->Text_Value, QStringLiteral("Text here"));
    EXPECT_EQ(copy->text_ctrl_font.family(), QStringLiteral("Times New Roman"));
    EXPECT_TRUE(copy->control_ID.isEmpty());
    EXPECT_FALSE(copy->ctrl_is_locked);
    EXPECT_EQ(copy->alpha_val, 1.0f);
    EXPECT_FALSE(copy->_Text_contents.has_value());
}

TEST(GraphicRecord, CopiesOfLinesAndPicturesKeepTheirOwnFields) {
    SKTLine line;
    line.setBeginPoint(QPointF(0, 40));
    line.setEndPoint(QPointF(30, 0));
    auto lineCopy = std::static_pointer_cast<SKTLine>(line.clone());
    EXPECT_EQ(lineCopy->beginPoint(), QPointF(0, 40));
    EXPECT_EQ(lineCopy->endPoint(), QPointF(30, 0));

    SKTImage image;
    QImage pixels(8, 4, QImage::Format_ARGB32);
    pixels.fill(Qt::red);
    image._contents = CardPicture::fromImage(pixels);
    auto imageCopy = std::static_pointer_cast<SKTImage>(image.clone());
    EXPECT_EQ(imageCopy->_contents.size(), image._contents.size());
}

TEST(GraphicRecord, ColourGettersApplyAndStoreTheOpacity) {
    struct Case {
        float opacity;
        double expectedAlpha;
    };
    const Case cases[] = {
        {0.5f, 0.5}, {1.7f, 1.0}, {-0.3f, 0.0}, {std::numeric_limits<float>::quiet_NaN(), 0.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.opacity);
        SKTGraphic g;
        g.alpha_val = c.opacity;
        g.alpha_val_stroke = c.opacity;
        EXPECT_NEAR(g.fillColor().alphaF(), c.expectedAlpha, 1e-3);
        EXPECT_NEAR(g._fillColor.alphaF(), c.expectedAlpha, 1e-3); // stored back
        EXPECT_NEAR(g.strokeColor().alphaF(), c.expectedAlpha, 1e-3);
        EXPECT_NEAR(g._strokeColor.alphaF(), c.expectedAlpha, 1e-3);
        EXPECT_NEAR(g.fill_Grad_clr1().alphaF(), c.expectedAlpha, 1e-3);
        EXPECT_NEAR(g.fill_Grad_clr2().alphaF(), c.expectedAlpha, 1e-3);
        EXPECT_NEAR(g.fill_hatch_bk_clr().alphaF(), c.expectedAlpha, 1e-3);
        EXPECT_EQ(g._fillColor.red(), 255); // the colour itself stays white
    }
    SKTGraphic none;
    none._fillColor = QColor();
    EXPECT_FALSE(none.fillColor().isValid());
}

TEST(GraphicRecord, StyledTextIsMadeFromTheTextValueOnFirstUse) {
    SKTGraphic g;
    g.Text_Value = QStringLiteral("Welcome");
    SKTStyledText& text = g.Text_contents();
    EXPECT_EQ(text.string(), QStringLiteral("Welcome"));
    EXPECT_EQ(text.fontAt(0).family(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(text.fontAt(0).pointSizeF(), 14.0);
    EXPECT_EQ(text.colorAt(0), QColor(Qt::black));
    g.Text_Value = QStringLiteral("Changed later");
    EXPECT_EQ(g.Text_contents().string(), QStringLiteral("Welcome"));
}

TEST(GraphicGeometry, DrawingBoundsUseTheLargerOfHandleAndStrokeOutset) {
    struct Case {
        double strokeWidth;
        bool stroked;
        double outset;
    };
    const Case cases[] = {{10.0, true, 5.0}, {2.0, true, 3.0}, {10.0, false, 3.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.strokeWidth);
        SKTGraphic g;
        g._bounds = QRectF(20, 30, 100, 50);
        g._strokeWidth = c.strokeWidth;
        g._isDrawingStroke = c.stroked;
        const QRectF expected(20 - c.outset, 30 - c.outset, 100 + 2 * c.outset + 1,
                              50 + 2 * c.outset + 1);
        EXPECT_EQ(g.drawingBounds(), expected);
    }
}

TEST(GraphicGeometry, PositionAndSizeSettersGoThroughBounds) {
    SKTGraphic g;
    g._bounds = QRectF(1, 2, 3, 4);
    g.setXPosition(10);
    g.setYPosition(20);
    g.setWidth(30);
    g.setHeight(40);
    EXPECT_EQ(g.bounds(), QRectF(10, 20, 30, 40));
    EXPECT_TRUE(g.setValueForKey(QStringLiteral("width"), 12.5));
    EXPECT_EQ(g.valueForKey(QStringLiteral("width")).toDouble(), 12.5);
    EXPECT_FALSE(g.setValueForKey(QStringLiteral("width"), QStringLiteral("wide")));
    EXPECT_FALSE(g.setValueForKey(QStringLiteral("nonsense"), 1));
}

TEST(GraphicGeometry, ListsOfObjects) {
    FakeMainWindow window;
    EXPECT_EQ(SKTGraphic::boundsOfGraphics({}), QRectF());
    EXPECT_EQ(SKTGraphic::drawingBoundsOfGraphics({}), window.canvasBounds);

    auto a = makeGraphic<SKTGraphic>(QRectF(10, 10, 20, 20));
    auto b = makeGraphic<SKTGraphic>(QRectF(50, 5, 10, 100));
    auto empty = makeGraphic<SKTGraphic>(QRectF(500, 500, 0, 0));
    EXPECT_EQ(SKTGraphic::boundsOfGraphics({a, b, empty}), QRectF(10, 5, 50, 100));
    EXPECT_EQ(SKTGraphic::drawingBoundsOfGraphics({a, b}), QRectF(7, 2, 57, 107));
}

TEST(GraphicGeometry, TranslatingSkipsLockedObjects) {
    auto free1 = makeGraphic<SKTGraphic>(QRectF(0, 0, 10, 10));
    auto locked = makeGraphic<SKTGraphic>(QRectF(5, 5, 10, 10));
    locked->ctrl_is_locked = true;
    auto free2 = makeGraphic<SKTLine>(QRectF(20, 20, 10, 10));
    SKTGraphic::translateGraphics({free1, locked, free2}, 3, -2);
    EXPECT_EQ(free1->bounds(), QRectF(3, -2, 10, 10));
    EXPECT_EQ(locked->bounds(), QRectF(5, 5, 10, 10));
    EXPECT_EQ(free2->bounds(), QRectF(23, 18, 10, 10));
}

TEST(GraphicGeometry, PastedObjectsTakeTheNextPositionsOfTheirSide) {
    FakeMainWindow window;
    window.nextPoints = {QPointF(30, 30), QPointF(40, 40)};
    auto first = makeGraphic<SKTGraphic>(QRectF(100, 100, 20, 10));
    auto locked = makeGraphic<SKTGraphic>(QRectF(200, 200, 5, 5));
    locked->ctrl_is_locked = true;
    auto third = makeGraphic<SKTGraphic>(QRectF(300, 300, 7, 8));
    SKTGraphic::Paste_Location_Of_Graphics({first, locked, third}, 12, 14, QStringLiteral("B"));
    EXPECT_EQ(first->bounds(), QRectF(12, 14, 20, 10));
    EXPECT_EQ(locked->bounds(), QRectF(200, 200, 5, 5));
    EXPECT_EQ(third->bounds(), QRectF(40, 40, 7, 8)); // the locked one used up (30, 30)
    EXPECT_EQ(window.sidesAsked, QStringList({"B", "B"}));
}

TEST(GraphicGeometry, RandomPointLiesInsideTheRectangle) {
    for (int i = 0; i < 50; ++i) {
        const QPointF p = SKTGraphic::randomPoint(QRectF(10, 20, 5, 3));
        EXPECT_GE(p.x(), 10);
        EXPECT_LT(p.x(), 15);
        EXPECT_EQ(p.x(), std::floor(p.x()));
        EXPECT_GE(p.y(), 20);
        EXPECT_LT(p.y(), 23);
    }
    EXPECT_EQ(SKTGraphic::randomPoint(QRectF(4, 4, 0, 0)), QPointF(4, 4));
}

TEST(GraphicHandles, HandlesAreFoundInTheirSquares) {
    SKTGraphic g;
    g._bounds = QRectF(100, 50, 40, 20);
    const QPointF points[] = {{100, 50}, {120, 50}, {140, 50}, {100, 60},
                              {140, 60}, {100, 70}, {120, 70}, {140, 70}};
    for (int handle = 1; handle <= 8; ++handle) {
        SCOPED_TRACE(handle);
        const QPointF p = points[handle - 1];
        EXPECT_EQ(g.handleUnderPoint(p), handle);
        EXPECT_EQ(g.handleUnderPoint(p + QPointF(-3, -3)), handle); // minimum edges count
        EXPECT_NE(g.handleUnderPoint(p + QPointF(3, 0)), handle);   // maximum edges do not
        EXPECT_NE(g.handleUnderPoint(p + QPointF(0, 3)), handle);
    }
    EXPECT_EQ(g.handleUnderPoint(QPointF(120, 60)), 0);
    EXPECT_EQ(g.creationSizingHandle(), 8);
}

TEST(GraphicHandles, ResizingTurnsHandlesOverWithFlips) {
    struct Case {
        int handle;
        QPointF to;
        int expectedHandle;
        QRectF expectedBounds;
        int horizontalFlips;
        int verticalFlips;
    };
    const QRectF start(100, 100, 50, 40);
    const Case cases[] = {
        {8, {160, 150}, 8, {100, 100, 60, 50}, 0, 0},
        {8, {80, 150}, 6, {80, 100, 20, 50}, 1, 0},   // left of the left edge
        {1, {110, 160}, 6, {110, 140, 40, 20}, 0, 1}, // below the bottom edge
        {1, {170, 170}, 8, {150, 140, 20, 30}, 1, 1},
        {2, {0, 90}, 2, {100, 90, 50, 50}, 0, 0}, // middle handles keep the other axis
        {5, {90, 0}, 4, {90, 100, 10, 40}, 1, 0},
        {7, {0, 80}, 2, {100, 80, 50, 20}, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.handle);
        FlipCountingGraphic g;
        g._bounds = start;
        EXPECT_EQ(g.resizeByMovingHandle(c.handle, c.to), c.expectedHandle);
        EXPECT_EQ(g.bounds(), c.expectedBounds);
        EXPECT_EQ(g.horizontal, c.horizontalFlips);
        EXPECT_EQ(g.vertical, c.verticalFlips);
    }
}

TEST(GraphicHandles, PicturesMirrorWhenTurnedOver) {
    SKTImage image;
    image._bounds = QRectF(0, 0, 10, 10);
    image.resizeByMovingHandle(8, QPointF(-5, -5));
    EXPECT_TRUE(image._isFlippedHorizontally);
    EXPECT_TRUE(image._isFlippedVertically);
}

TEST(GraphicNaturalSize, BaseObjectsBecomeSquare) {
    SKTGraphic g;
    g._bounds = QRectF(5, 5, 30, 12);
    EXPECT_TRUE(g.canMakeNaturalSize());
    g.makeNaturalSize();
    EXPECT_EQ(g.bounds(), QRectF(5, 5, 12, 12));
    EXPECT_FALSE(g.canMakeNaturalSize());
}

TEST(GraphicNaturalSize, PicturesTakeTheirPictureSizeUnlessLocked) {
    QImage pixels(64, 32, QImage::Format_ARGB32);
    pixels.fill(Qt::blue);
    SKTImage image;
    image._contents = CardPicture::fromImage(pixels);
    image._bounds = QRectF(7, 8, 10, 10);
    image._isFlippedHorizontally = true;
    image.ctrl_is_locked = true;
    image.makeNaturalSize();
    EXPECT_EQ(image.bounds(), QRectF(7, 8, 10, 10));
    image.ctrl_is_locked = false;
    image.makeNaturalSize();
    EXPECT_EQ(image.bounds(), QRectF(QPointF(7, 8), image._contents.size()));
    EXPECT_FALSE(image._isFlippedHorizontally);
}

TEST(GraphicDrawingContract, BaseClassHasNoPathAndSetColorTurnsFillOn) {
    SKTGraphic g;
    EXPECT_TRUE(g.bezierPathForDrawing().isEmpty());
    g._isDrawingFill = false;
    g.setColor(QColor(Qt::magenta));
    EXPECT_TRUE(g.isDrawingFill());
    EXPECT_EQ(g._fillColor.rgb(), QColor(Qt::magenta).rgb());

    SKTImage image; // cannot fill: nothing changes
    image.setColor(QColor(Qt::magenta));
    EXPECT_EQ(image._fillColor, QColor(Qt::white));

    SKTLine line; // a line takes the colour as its stroke
    line.setColor(QColor(Qt::magenta));
    EXPECT_EQ(line._strokeColor.rgb(), QColor(Qt::magenta).rgb());
    EXPECT_EQ(line._fillColor, QColor(Qt::white));
}

TEST(GraphicDrawingContract, FillAndStrokeAnswersPerClass) {
    struct Case {
        std::shared_ptr<SKTGraphic> graphic;
        bool fill, stroke, canFill, canStroke;
    };
    const Case cases[] = {
        {std::make_shared<SKTGraphic>(), true, true, true, true},
        {std::make_shared<Shape_Control>(), true, true, true, true},
        {std::make_shared<SKTText>(), true, true, true, false},
        {std::make_shared<SKTImage>(), false, true, false, false},
        {std::make_shared<SKTSignature>(), false, true, true, true},
        {std::make_shared<SKTBarcode>(), false, false, true, true},
        {std::make_shared<SKTLine>(), false, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.graphic->className().toStdString());
        EXPECT_EQ(c.graphic->isDrawingFill(), c.fill);
        EXPECT_EQ(c.graphic->isDrawingStroke(), c.stroke);
        EXPECT_EQ(c.graphic->canSetDrawingFill(), c.canFill);
        EXPECT_EQ(c.graphic->canSetDrawingStroke(), c.canStroke);
    }
    // A line is stroked whatever its record says.
    SKTLine line;
    line._isDrawingStroke = false;
    line._isDrawingFill = true;
    EXPECT_TRUE(line.isDrawingStroke());
    EXPECT_FALSE(line.isDrawingFill());
}

TEST(GraphicDrawingContract, UndoKeysPerClass) {
    const QStringList base = SKTGraphic().keysForValuesToObserveForUndo();
    EXPECT_EQ(base.size(), 6);
    EXPECT_TRUE(base.contains("bounds"));
    const QStringList image = SKTImage().keysForValuesToObserveForUndo();
    EXPECT_TRUE(image.contains("flippedHorizontally"));
    EXPECT_TRUE(image.contains("flippedVertically"));
    const QStringList line = SKTLine().keysForValuesToObserveForUndo();
    EXPECT_FALSE(line.contains("bounds"));
    EXPECT_TRUE(line.contains("beginPoint"));
    EXPECT_TRUE(line.contains("endPoint"));
    SKTText text;
    text._boundsBeingChangedToMatchContents = true;
    EXPECT_FALSE(text.keysForValuesToObserveForUndo().contains("bounds"));
}

TEST(GraphicScripting, SettersAndTheirRefusals) {
    // A shape: fill turned on and set; removal turns it off.
    Shape_Control shape;
    shape._isDrawingFill = false;
    SKTScriptError error;
    EXPECT_TRUE(shape.setScriptingFillColor(QColor(Qt::green), &error));
    EXPECT_TRUE(shape.isDrawingFill());
    EXPECT_EQ(shape.scriptingFillColor().rgb(), QColor(Qt::green).rgb());
    EXPECT_TRUE(shape.setScriptingFillColor(QColor(), &error));
    EXPECT_FALSE(shape.isDrawingFill());
    EXPECT_FALSE(shape.scriptingFillColor().isValid());
    EXPECT_TRUE(shape.setScriptingStrokeWidth(std::nullopt, &error));
    EXPECT_FALSE(shape.scriptingStrokeWidth().has_value());
    EXPECT_TRUE(shape.setScriptingStrokeWidth(3.0, &error));
    EXPECT_EQ(shape.scriptingStrokeWidth(), 3.0);
    EXPECT_EQ(error.number, 0);

    struct Refusal {
        std::function<bool(SKTScriptError*)> call;
        const char* text;
    };
    SKTImage image;
    SKTText text;
    const Refusal refusals[] = {
        {[&](SKTScriptError* e) { return image.setScriptingFillColor(Qt::red, e); },
         "You can't set the fill color of this kind of graphic."},
        {[&](SKTScriptError* e) { return image.setScriptingFillColor(QColor(), e); },
         "You can't remove the fill from this kind of graphic."},
        {[&](SKTScriptError* e) { return text.setScriptingStrokeColor(Qt::red, e); },
         "You can't set the stroke color of this kind of graphic."},
        {[&](SKTScriptError* e) { return text.setScriptingStrokeColor(QColor(), e); },
         "You can't remove the stroke from this kind of graphic."},
        {[&](SKTScriptError* e) { return text.setScriptingStrokeWidth(2.0, e); },
         "You can't set the stroke thickness of this kind of graphic."},
        {[&](SKTScriptError* e) { return text.setScriptingStrokeWidth(std::nullopt, e); },
         "You can't remove the stroke from this kind of graphic."},
    };
    for (const Refusal& r : refusals) {
        SKTScriptError e;
        EXPECT_FALSE(r.call(&e));
        EXPECT_EQ(e.number, -10000);
        EXPECT_EQ(e.text, QString::fromUtf8(r.text));
    }
    EXPECT_EQ(image._fillColor, QColor(Qt::white));
    EXPECT_EQ(text.strokeWidth(), 1.0);
    EXPECT_FALSE(image.objectSpecifier().has_value()); // no container
}

TEST(GraphicProperties, DictionaryRoundTrip) {
    Shape_Control shape;
    shape._bounds = QRectF(1.5, 2, 30, 40);
    shape._isDrawingStroke = false;
    shape._strokeWidth = 2.25;
    const QVariantMap properties = shape.properties();
    EXPECT_EQ(properties.value("bounds").toString(), QStringLiteral("{{1.5, 2}, {30, 40}}"));
    Shape_Control back;
    back.initWithProperties(properties);
    EXPECT_EQ(back.bounds(), shape.bounds());
    EXPECT_FALSE(back.isDrawingStroke());
    EXPECT_EQ(back.strokeWidth(), 2.25);
    EXPECT_TRUE(shape.description().contains(QStringLiteral("strokeWidth = 2.25;")));

    SKTLine line;
    line.setBeginPoint(QPointF(10, 60));
    line.setEndPoint(QPointF(110, 10));
    const QVariantMap lineProperties = line.properties();
    EXPECT_FALSE(lineProperties.contains("bounds"));
    EXPECT_EQ(lineProperties.value("beginPoint").toString(), QStringLiteral("{10, 60}"));
    SKTLine lineBack;
    lineBack.initWithProperties(lineProperties);
    EXPECT_EQ(lineBack.beginPoint(), QPointF(10, 60));
    EXPECT_EQ(lineBack.endPoint(), QPointF(110, 10));
}

TEST(LineGeometry, PointsBoundsAndFlags) {
    SKTLine line;
    line.setBeginPoint(QPointF(10, 10));
    line.setEndPoint(QPointF(110, 60));
    EXPECT_EQ(line.bounds(), QRectF(10, 10, 100, 50));
    EXPECT_TRUE(line._pointsRight);
    EXPECT_TRUE(line._pointsDown);
    line.setEndPoint(QPointF(0, 0));
    EXPECT_EQ(line.bounds(), QRectF(0, 0, 10, 10));
    EXPECT_FALSE(line._pointsRight);
    EXPECT_FALSE(line._pointsDown);
    EXPECT_EQ(line.beginPoint(), QPointF(10, 10));
    // Moving keeps the direction.
    line.setBounds(QRectF(50, 50, 10, 10));
    EXPECT_EQ(line.beginPoint(), QPointF(60, 60));
    EXPECT_EQ(line.endPoint(), QPointF(50, 50));
    EXPECT_EQ(line.creationSizingHandle(), 2);
    EXPECT_EQ(line.resizeByMovingHandle(1, QPointF(70, 40)), 1);
    EXPECT_EQ(line.beginPoint(), QPointF(70, 40));
}

TEST(LineGeometry, HitTestToleranceAndHandles) {
    SKTLine line;
    line.setBeginPoint(QPointF(0, 0));
    line.setEndPoint(QPointF(100, 50)); // slope 0.5, stroke 1: tolerance 2.5
    EXPECT_TRUE(line.isContentsUnderPoint(QPointF(40, 20)));
    // Measured at right angles: 2.5 across is 2.5 * sqrt(1.25) = 2.795 up.
    EXPECT_TRUE(line.isContentsUnderPoint(QPointF(40, 17.21)));
    EXPECT_FALSE(line.isContentsUnderPoint(QPointF(40, 17.19)));
    EXPECT_FALSE(line.isContentsUnderPoint(QPointF(200, 100))); // outside the drawing bounds

    SKTLine vertical;
    vertical.setBeginPoint(QPointF(30, 0));
    vertical.setEndPoint(QPointF(30, 80));
    EXPECT_TRUE(vertical.isContentsUnderPoint(QPointF(32.5, 40)));
    EXPECT_FALSE(vertical.isContentsUnderPoint(QPointF(32.6, 40)));

    EXPECT_EQ(line.handleUnderPoint(QPointF(0, 0)), 1);
    EXPECT_EQ(line.handleUnderPoint(QPointF(100, 50)), 2);
    EXPECT_EQ(line.handleUnderPoint(QPointF(50, 25)), 0);
    SKTLine tiny;
    tiny.setBeginPoint(QPointF(0, 0));
    tiny.setEndPoint(QPointF(1, 1));
    EXPECT_EQ(tiny.handleUnderPoint(QPointF(0.5, 0.5)), 2);
}

TEST(ShapePaths, StarAndPolygonVertices) {
    Shape_Control star;
    star._bounds = QRectF(0, 0, 100, 100);
    star._shape_type = QStringLiteral("S");
    const QPainterPath path = star.bezierPathForDrawing();
    ASSERT_GE(path.elementCount(), 5);
    const double degrees[] = {-90, 54, 198, 342, 126};
    for (int i = 0; i < 5; ++i) {
        const double a = degrees[i] * std::numbers::pi / 180.0;
        EXPECT_NEAR(path.elementAt(i).x, 50 + 50 * std::cos(a), 1e-9);
        EXPECT_NEAR(path.elementAt(i).y, 50 + 50 * std::sin(a), 1e-9);
    }
    EXPECT_TRUE(star.isContentsUnderPoint(QPointF(50, 50))); // the centre is filled

    Shape_Control zeroStar;
    zeroStar._bounds = QRectF(0, 0, 100, 100);
    zeroStar._shape_type = QStringLiteral("DS");
    zeroStar.double_star_type = 0;
    EXPECT_EQ(zeroStar.bezierPathForDrawing().elementCount(), 0);

    Shape_Control fourPoints;
    fourPoints._bounds = QRectF(0, 0, 80, 80);
    fourPoints._shape_type = QStringLiteral("P");
    fourPoints.polygon_type = 1;
    EXPECT_EQ(fourPoints.bezierPathForDrawing().elementAt(0), QPointF(0, 0));
    EXPECT_TRUE(fourPoints.isContentsUnderPoint(QPointF(40, 40)));
    EXPECT_FALSE(fourPoints.isContentsUnderPoint(QPointF(40, 5)));

    Shape_Control unknown;
    unknown._bounds = QRectF(0, 0, 80, 80);
    unknown._shape_type = QStringLiteral("Q");
    EXPECT_TRUE(unknown.bezierPathForDrawing().isEmpty());
    EXPECT_FALSE(unknown.isContentsUnderPoint(QPointF(40, 40)));
}

TEST(PictureObjects, SetFilePathLoadsOrLeavesNoPicture) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage pixels(30, 20, QImage::Format_RGB32);
    pixels.fill(Qt::green);
    const QString file = dir.filePath("photo.png");
    ASSERT_TRUE(pixels.save(file));

    SKTImage image;
    image._bounds = QRectF(1, 2, 3, 4);
    image.ctrl_is_visible = false;
    image.setFilePath(dir.path() + "/./photo.png");
    EXPECT_FALSE(image._contents.isNull());
    EXPECT_EQ(image._contents.image().size(), QSize(30, 20));
    EXPECT_EQ(image.bounds(), QRectF(1, 2, 3, 4));
    EXPECT_FALSE(image.ctrl_is_visible);
    image.setFilePath(dir.filePath("missing.png"));
    EXPECT_TRUE(image._contents.isNull());
    EXPECT_EQ(image.FilePath(), dir.filePath("missing.png"));
}

TEST(PictureObjects, SignatureDefaultPathResolvesByKind) {
    const QString saved = Resource_Path;
    Resource_Path = QStringLiteral("/res");
    SKTSignature signature;
    signature.setFilePath(QStringLiteral("Default"));
    EXPECT_EQ(signature.FilePath(), QStringLiteral("/res/sign_sample.png"));
    EXPECT_EQ(signature.file_path, signature.FilePath());
    signature.Set_Sign_Or_FP(QStringLiteral("F"));
    signature.setFilePath(QStringLiteral("Default"));
    EXPECT_EQ(signature.FilePath(), QStringLiteral("/res/fingerprints.png"));
    Resource_Path = saved;

    SKTBarcode barcode;
    QImage bars(12, 6, QImage::Format_RGB32);
    bars.fill(Qt::black);
    barcode.Set_Barcode_image(CardPicture::fromImage(bars));
    barcode.barcode_image_var_assign();
    EXPECT_TRUE(barcode._contents.sharesDataWith(barcode._barcode_image));
}

TEST(GraphicHandles, HandlesAreDrawnRedWhenLocked) {
    QImage canvas(60, 60, QImage::Format_ARGB32);
    for (bool locked : {false, true}) {
        canvas.fill(Qt::white);
        SKTGraphic g;
        g._bounds = QRectF(10, 10, 40, 30);
        QPainter painter(&canvas);
        g.drawHandlesInView(painter, locked);
        painter.end();
        const QColor knob = canvas.pixelColor(10, 40);   // handle 6
        const QColor shadow = canvas.pixelColor(53, 43); // right of handle 8, shadow only
        EXPECT_EQ(knob == QColor(Qt::red), locked);
        EXPECT_NE(knob, QColor(Qt::white));
        EXPECT_NE(shadow, QColor(Qt::white));
        EXPECT_EQ(canvas.pixelColor(30, 25), QColor(Qt::white)); // no handle in the middle
    }
}
