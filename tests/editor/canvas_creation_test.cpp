// Creation of objects on the canvas: by dragging with a drawing tool and at
// once, with placement, snapping, tool kinds, the party fields and undo.

#include "canvas_test_support.h"
#include "core/globals.h"
#include "editor/model/SKTBarcode.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTSignature.h"
#include "editor/model/SKTText.h"
#include "editor/model/Shape_Control.h"
#include "editor/view/SKTGrid.h"

#include <QFontInfo>
#include <gtest/gtest.h>
#include <typeinfo>

using namespace canvasmouse;

namespace {

void useTool(CanvasFixture& f, int tool, const QString& cls) {
    f.host.tool = tool;
    f.host.toolClass = cls;
}

} // namespace

TEST(CanvasCreation, AClickWithoutADragLeavesNothingOnAnySide) {
    for (const QString& key : {QStringLiteral("graphics"), QStringLiteral("graphics_back"),
                               QStringLiteral("graphics_temp")}) {
        SCOPED_TRACE(key.toStdString());
        CanvasFixture f(key);
        auto existing = f.addRect(QRectF(200, 200, 20, 20));
        f.view->changeSelectionIndexes({0});
        useTool(f, 3, QStringLiteral("Shape_Control"));
        press(*f.view, QPointF(30, 30));
        EXPECT_NE(f.view->creatingGraphic(), nullptr);
        release(*f.view, QPointF(30, 30));
        CanvasFixture::settle();
        EXPECT_EQ(f.list(), SKTGraphicList({existing}));
        EXPECT_FALSE(f.document->canUndo());
        EXPECT_FALSE(f.document->canRedo());
        EXPECT_EQ(f.view->selectedGraphic(), nullptr);
        EXPECT_EQ(f.view->creatingGraphic(), nullptr);
        EXPECT_TRUE(f.view->selectionIndexes().isEmpty());
    }
}

TEST(CanvasCreation, ADragMakesAShapeOfTheToolAndOneUndoRemovesIt) {
    CanvasFixture f;
    useTool(f, 4, QStringLiteral("Shape_Control"));
    dragPath(*f.view, {QPointF(30, 30), QPointF(45, 40), QPointF(60, 50)});
    CanvasFixture::settle();
    ASSERT_EQ(f.list().size(), 1);
    const auto shape = f.list().first();
    EXPECT_EQ(typeid(*shape), typeid(Shape_Control));
    EXPECT_EQ(shape->Get_shape_type(), QStringLiteral("C"));
    EXPECT_EQ(shape->bounds(), QRectF(30, 30, 30, 20));
    EXPECT_EQ(f.view->selectionIndexes(), QList<int>({0}));
    // Creation by mouse ends on the card inspector with no current object.
    EXPECT_EQ(f.view->selectedGraphic(), nullptr);
    EXPECT_EQ(f.host.inspected.last(), nullptr);
    EXPECT_EQ(f.document->undoManager()->count(), 1);
    f.view->undo();
    EXPECT_TRUE(f.list().isEmpty());
}

TEST(CanvasCreation, ADragFromRightToLeftAndBottomToTopHasAPositiveSize) {
    CanvasFixture f;
    useTool(f, 3, QStringLiteral("Shape_Control"));
    dragPath(*f.view, {QPointF(100, 100), QPointF(80, 90), QPointF(60, 80)});
    ASSERT_EQ(f.list().size(), 1);
    EXPECT_EQ(f.list().first()->bounds(), QRectF(60, 80, 40, 20));
}

TEST(CanvasCreation, ALineKeepsAZeroHeight) {
    CanvasFixture f;
    useTool(f, 1, QStringLiteral("SKTLine"));
    dragPath(*f.view, {QPointF(10, 40), QPointF(90, 40)});
    ASSERT_EQ(f.list().size(), 1);
    EXPECT_EQ(f.list().first()->bounds().width(), 80);
    EXPECT_EQ(f.list().first()->bounds().height(), 0);
}

TEST(CanvasCreation, TheBarcodeToolPlacesA120By60BarcodeAtTheNextFreePosition) {
    CanvasFixture f;
    useTool(f, 10, QStringLiteral("SKTBarcode"));
    f.mainWindow.nextPoints = {QPointF(15, 25)};
    f.addRect(QRectF(200, 200, 20, 20));
    f.view->createGraphicOfClass(QStringLiteral("SKTBarcode"), nullptr, true, QRectF(0, 0, 120, 60),
                                 QStringLiteral("B"), QString(), QString());
    ASSERT_EQ(f.list().size(), 2);
    const auto barcode = f.list().first();
    EXPECT_EQ(typeid(*barcode), typeid(SKTBarcode));
    EXPECT_EQ(barcode->bounds(), QRectF(15, 25, 120, 60));
    EXPECT_EQ(f.mainWindow.sidesAsked, QStringList({QStringLiteral("B")}));
    EXPECT_EQ(f.view->selectionIndexes(), QList<int>({0}));
    EXPECT_EQ(f.view->selectedGraphic(), barcode);
}

TEST(CanvasCreation, TheToolDecidesTheKindBeforeTheClass) {
    struct Case {
        int tool;
        const char* kind;
    };
    for (const Case c : {Case{8, "SKTImage"}, Case{10, "SKTBarcode"}, Case{11, "SKTSignature"},
                         Case{12, "SKTSignature"}, Case{2, "SKTText"}}) {
        CanvasFixture f;
        Library_Selected_Image = QStringLiteral("/nonexistent/picture.png");
        useTool(f, c.tool, QStringLiteral("SKTText"));
        f.view->createGraphicOfClass(QStringLiteral("SKTText"), nullptr, false, QRectF(),
                                     QStringLiteral("F"), QString(), QString());
        ASSERT_EQ(f.list().size(), 1) << c.tool;
        const auto graphic = f.list().first();
        EXPECT_EQ(graphic->className(), QString::fromLatin1(c.kind)) << c.tool;
        EXPECT_EQ(graphic->bounds().size(), QSizeF(50, 50)) << c.tool;
        if (c.tool == 8) {
            EXPECT_FALSE(static_cast<SKTImage&>(*graphic).contents().isNull());
        }
        if (c.tool == 11 || c.tool == 12) {
            EXPECT_EQ(graphic->Sign_Or_FP_Val(),
                      c.tool == 11 ? QStringLiteral("S") : QStringLiteral("F"));
        }
    }
    Library_Selected_Image.clear();
}

TEST(CanvasCreation, PartyFieldsAreCentredWithoutFillOrOutline) {
    struct Case {
        const char* id;
        int alignment;
    };
    for (const Case c : {Case{"PARTY_TITLE", 2}, Case{"PARTY_MARRINGE_INFO", 2},
                         Case{"PARTY_TO", 0}, Case{"GUEST_NAME", 0}}) {
        CanvasFixture f;
        f.view->createGraphicOfClass(QStringLiteral("SKTText"), nullptr, true,
                                     QRectF(40, 60, 100, 20), QStringLiteral("F"),
                                     QStringLiteral("Hello"), QString::fromLatin1(c.id));
        ASSERT_EQ(f.list().size(), 1);
        const auto text = f.list().first();
        EXPECT_EQ(text->text_alignmnet, c.alignment) << c.id;
        EXPECT_FALSE(text->_isDrawingFill) << c.id;
        EXPECT_FALSE(text->_isDrawingStroke) << c.id;
        EXPECT_EQ(text->Text_Value, QStringLiteral("Hello"));
        EXPECT_EQ(text->control_ID, QString::fromLatin1(c.id));
        // With an identifier the rectangle's own origin is kept.
        EXPECT_EQ(text->bounds(), QRectF(40, 60, 100, 20));
        EXPECT_TRUE(f.mainWindow.sidesAsked.isEmpty());
        const bool marriage = QString::fromLatin1(c.id) == QLatin1String("PARTY_MARRINGE_INFO");
        EXPECT_EQ(text->text_ctrl_font.pointSizeF() == 18.0, marriage) << c.id;
    }
}

TEST(CanvasCreation, TheMarriageLineDrawsInASerifBoldItalicFaceAtOnce) {
    CanvasFixture f;
    f.view->createGraphicOfClass(QStringLiteral("SKTText"), nullptr, true, QRectF(40, 60, 100, 20),
                                 QStringLiteral("F"), QStringLiteral("Hello"),
                                 QStringLiteral("PARTY_MARRINGE_INFO"));
    ASSERT_EQ(f.list().size(), 1);
    const QFont font = f.list().first()->text_ctrl_font;
    // The face the font machinery actually picks, not the request.
    const QFontInfo info(font);
    EXPECT_TRUE(info.bold()) << info.family().toStdString();
    EXPECT_TRUE(info.italic()) << info.family().toStdString();
    // "Times New Roman" is served by its metric twin where it is not installed.
    const QStringList serifFamilies{QStringLiteral("Times New Roman"),
                                    QStringLiteral("Liberation Serif")};
    EXPECT_TRUE(serifFamilies.contains(info.family())) << info.family().toStdString();
    EXPECT_EQ(font.pointSizeF(), 18.0);
}

TEST(CanvasCreation, WithoutAnIdentifierTheOriginComesFromTheSide) {
    CanvasFixture f;
    f.mainWindow.nextPoints = {QPointF(70, 80)};
    f.view->createGraphicOfClass(QStringLiteral("Shape_Control"), nullptr, true,
                                 QRectF(5, 5, 30, 40), QStringLiteral("F"), QString(), QString());
    ASSERT_EQ(f.list().size(), 1);
    EXPECT_EQ(f.list().first()->bounds(), QRectF(70, 80, 30, 40));
    EXPECT_EQ(f.mainWindow.sidesAsked, QStringList({QStringLiteral("F")}));
}

TEST(CanvasCreation, AnAtOnceCreationOfNoSizeIsRolledBack) {
    CanvasFixture f;
    f.view->createGraphicOfClass(QStringLiteral("Shape_Control"), nullptr, true, QRectF(5, 5, 0, 0),
                                 QStringLiteral("F"), QString(), QStringLiteral("X"));
    CanvasFixture::settle();
    EXPECT_TRUE(f.list().isEmpty());
    EXPECT_FALSE(f.document->canUndo());
    EXPECT_FALSE(f.document->canRedo());
    EXPECT_EQ(f.view->selectedGraphic(), nullptr);
}

TEST(CanvasCreation, OneUndoRemovesAnAtOnceCreation) {
    CanvasFixture f;
    f.view->createGraphicOfClass(QStringLiteral("Shape_Control"), nullptr, false, QRectF(),
                                 QStringLiteral("F"), QString(), QString());
    CanvasFixture::settle();
    ASSERT_EQ(f.list().size(), 1);
    EXPECT_EQ(f.document->undoManager()->count(), 1);
    f.view->undo();
    EXPECT_TRUE(f.list().isEmpty());
    EXPECT_EQ(f.view->selectedGraphic(), nullptr);
}

TEST(CanvasCreation, ADragOnAConstrainingGridHasItsCornersOnTheGrid) {
    CanvasFixture f;
    SKTGrid grid;
    grid.setConstraining(true);
    f.view->setGrid(&grid);
    useTool(f, 3, QStringLiteral("Shape_Control"));
    dragPath(*f.view, {QPointF(30, 30), QPointF(50, 40), QPointF(60, 50)});
    ASSERT_EQ(f.list().size(), 1);
    EXPECT_EQ(f.list().first()->bounds(), QRectF(27, 27, 36, 27));
}

TEST(CanvasCreation, AnAtOnceBarcodeOnAConstrainingGridLiesOnMultiplesOfTheSpacing) {
    CanvasFixture f;
    SKTGrid grid;
    grid.setConstraining(true);
    f.view->bind(SKTGraphicViewGridBindingName, &grid, QString());
    ASSERT_EQ(f.view->grid(), &grid);
    useTool(f, 10, QStringLiteral("SKTBarcode"));
    f.mainWindow.nextPoints = {QPointF(22, 31)};
    f.view->createGraphicOfClass(QStringLiteral("SKTBarcode"), nullptr, true, QRectF(0, 0, 120, 60),
                                 QStringLiteral("F"), QString(), QString());
    ASSERT_EQ(f.list().size(), 1);
    // Origin (18, 27); far corner (138, 87) snaps to (135, 90).
    EXPECT_EQ(f.list().first()->bounds(), QRectF(18, 27, 117, 63));
}
