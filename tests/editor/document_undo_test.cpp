// Undo of the card document: groups per gesture, what is and is not
// recorded, and the change signals canvases rely on.

#include "editor/model/SKTDocument.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTLine.h"
#include "editor/model/SKTText.h"
#include "editor/model/SKTUndoRegistrationPause.h"
#include "editor/model/Shape_Control.h"
#include "editor_test_support.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

// A document whose front list holds `count` shapes, inserted without undo.
struct Fixture {
    explicit Fixture(int count) {
        SKTUndoRegistrationPause pause(document);
        for (int i = 0; i < count; ++i) {
            auto shape = makeGraphic<Shape_Control>(QRectF(i * 10, i * 10, 20, 20));
            shapes.append(shape);
            document.addInGraphics(shape);
        }
    }
    SKTDocument document;
    SKTGraphicList shapes;
};

void nextEventLoopPass() {
    QCoreApplication::processEvents();
}

} // namespace

TEST(DocumentUndo, TwoRemovalsUndoAndRedoAtTheirIndexes) {
    Fixture f(5);
    SKTDocument& doc = f.document;
    EXPECT_FALSE(doc.canUndo());
    doc.removeGraphicAtIndex(3);
    doc.removeGraphicAtIndex(1);
    EXPECT_TRUE(doc.canUndo());
    EXPECT_EQ(doc.graphics(), SKTGraphicList({f.shapes[0], f.shapes[2], f.shapes[4]}));
    doc.undo();
    EXPECT_EQ(doc.graphics(), f.shapes);
    EXPECT_EQ(doc.undoManager()->count(), 1);
    doc.redo();
    EXPECT_EQ(doc.graphics(), SKTGraphicList({f.shapes[0], f.shapes[2], f.shapes[4]}));
    doc.undo();
    EXPECT_EQ(doc.graphics(), f.shapes);
    for (const auto& shape : f.shapes) {
        EXPECT_EQ(shape->scriptingContainer(), &doc);
    }
}

TEST(DocumentUndo, RemovalsOfSeparateEventsAreSeparateSteps) {
    Fixture f(3);
    SKTDocument& doc = f.document;
    doc.removeGraphicsAtIndexes({0, 2});
    nextEventLoopPass();
    doc.removeGraphicAtIndex(0);
    nextEventLoopPass();
    EXPECT_TRUE(doc.graphics().isEmpty());
    EXPECT_EQ(doc.undoManager()->count(), 2);
    doc.undo();
    EXPECT_EQ(doc.graphics(), SKTGraphicList({f.shapes[1]}));
    doc.undo();
    EXPECT_EQ(doc.graphics(), f.shapes);
    EXPECT_FALSE(doc.canUndo());
    EXPECT_TRUE(doc.canRedo());
}

TEST(DocumentUndo, TwoMovesInOneGroupUndoToTheFirstPosition) {
    Fixture f(1);
    SKTDocument& doc = f.document;
    auto shape = f.shapes[0];
    doc.beginUndoGroup();
    shape->setBounds(QRectF(50, 50, 20, 20));
    shape->setXPosition(80);
    doc.endUndoGroup();
    EXPECT_EQ(doc.undoManager()->count(), 1);
    doc.undo();
    EXPECT_EQ(shape->bounds(), QRectF(0, 0, 20, 20));
    doc.redo();
    EXPECT_EQ(shape->bounds(), QRectF(80, 50, 20, 20));
}

TEST(DocumentUndo, ADragSpanningEventsIsOneStep) {
    Fixture f(1);
    SKTDocument& doc = f.document;
    auto shape = f.shapes[0];
    doc.beginUndoGroup(); // mouse down
    for (int step = 1; step <= 4; ++step) {
        shape->setBounds(shape->bounds().translated(5, 0)); // mouse dragged
        nextEventLoopPass();
    }
    doc.beginUndoGroup(); // nested groups join the outer one
    shape->resizeByMovingHandle(8, QPointF(60, 30));
    doc.endUndoGroup();
    nextEventLoopPass();
    doc.endUndoGroup(); // mouse up
    EXPECT_EQ(doc.undoManager()->count(), 1);
    doc.undo();
    EXPECT_EQ(shape->bounds(), QRectF(0, 0, 20, 20));
    EXPECT_FALSE(doc.canUndo());
}

TEST(DocumentUndo, ChangesToAnObjectInsertedInTheSameGroupAreNotRecorded) {
    SKTDocument doc;
    auto shape = makeGraphic<Shape_Control>(QRectF(0, 0, 10, 10));
    doc.beginUndoGroup();
    doc.insertGraphic(shape, 0);
    shape->setFillColor(QColor(Qt::red));
    shape->setBounds(QRectF(5, 5, 30, 30));
    doc.endUndoGroup();
    ASSERT_EQ(doc.undoManager()->count(), 1);
    doc.undo();
    EXPECT_TRUE(doc.graphics().isEmpty());
    EXPECT_EQ(shape->_fillColor.rgb(), QColor(Qt::red).rgb()); // not set back
    doc.redo();
    EXPECT_EQ(doc.graphics(), SKTGraphicList({shape}));
    EXPECT_EQ(shape->bounds(), QRectF(5, 5, 30, 30));
}

TEST(DocumentUndo, BackAndTemporarySidesAreNotRecorded) {
    SKTDocument doc;
    auto back = makeGraphic<Shape_Control>(QRectF(0, 0, 10, 10));
    auto temp = makeGraphic<SKTText>(QRectF(0, 0, 10, 10));
    doc.insertGraphicsInList("graphics_back", {back}, {0});
    doc.insertGraphicsInList("graphics_temp", {temp}, {0});
    back->setBounds(QRectF(9, 9, 9, 9));
    temp->setStrokeWidth(4);
    doc.removeGraphicsInList("graphics_back", {0});
    EXPECT_FALSE(doc.canUndo());
    EXPECT_EQ(doc.undoManager()->count(), 0);
    EXPECT_TRUE(doc.graphics_back().isEmpty());
    EXPECT_EQ(doc.graphics_temp(), SKTGraphicList({temp}));
    EXPECT_EQ(back->scriptingContainer(), nullptr);
}

TEST(DocumentUndo, DirectFieldWritesAndEqualValuesAreNotRecorded) {
    Fixture f(1);
    SKTDocument& doc = f.document;
    f.shapes[0]->_bounds = QRectF(1, 1, 1, 1);
    f.shapes[0]->setBounds(f.shapes[0]->bounds());
    f.shapes[0]->setStrokeWidth(1.0);
    EXPECT_FALSE(doc.canUndo());
}

TEST(DocumentUndo, CanUndoIsRightAtOnceAndAutomaticGroupsCloseOnTheNextPass) {
    Fixture f(1);
    SKTDocument& doc = f.document;
    QSignalSpy canUndo(doc.undoManager(), &QUndoStack::canUndoChanged);
    f.shapes[0]->setStrokeColor(QColor(Qt::blue));
    EXPECT_TRUE(doc.canUndo());
    EXPECT_EQ(canUndo.count(), 1);
    f.shapes[0]->setStrokeWidth(3.0); // same pass: same group
    EXPECT_EQ(doc.undoManager()->count(), 1);
    nextEventLoopPass();
    f.shapes[0]->setStrokeWidth(5.0);
    EXPECT_EQ(doc.undoManager()->count(), 2);
    doc.undo();
    EXPECT_EQ(f.shapes[0]->strokeWidth(), 3.0);
    doc.undo();
    EXPECT_EQ(f.shapes[0]->strokeWidth(), 1.0);
    EXPECT_EQ(f.shapes[0]->_strokeColor.rgb(), QColor(Qt::black).rgb());
}

TEST(DocumentUndo, CreationRollbackLeavesNoRedo) {
    Fixture f(1);
    SKTDocument& doc = f.document;
    f.shapes[0]->setStrokeWidth(2.0); // an earlier step stays
    nextEventLoopPass();
    auto created = std::make_shared<SKTText>();
    doc.beginUndoGroup();
    doc.insertGraphic(created, 0);
    created->setBounds(QRectF(5, 5, 0, 0));
    doc.discardUndoGroup();
    doc.endUndoGroup();
    EXPECT_EQ(doc.graphics(), SKTGraphicList({f.shapes[0]}));
    EXPECT_FALSE(doc.canRedo());
    EXPECT_EQ(doc.undoManager()->count(), 1);
    doc.undo();
    EXPECT_EQ(f.shapes[0]->strokeWidth(), 1.0);

    SKTDocument empty;
    empty.beginUndoGroup();
    empty.insertGraphic(std::make_shared<SKTText>(), 0);
    empty.discardUndoGroup();
    empty.endUndoGroup();
    EXPECT_FALSE(empty.canUndo());
    EXPECT_FALSE(empty.canRedo());
    EXPECT_EQ(empty.undoManager()->count(), 0);
}

TEST(DocumentUndo, RegistrationSwitchIsCountedAndRestoredByClearing) {
    Fixture f(2);
    SKTDocument& doc = f.document;
    doc.Enable_Disable_Undo_Registraion(0);
    doc.Enable_Disable_Undo_Registraion(0);
    f.shapes[0]->setStrokeWidth(9);
    doc.Enable_Disable_Undo_Registraion(1);
    f.shapes[0]->setStrokeWidth(8);
    EXPECT_FALSE(doc.canUndo());
    doc.Enable_Disable_Undo_Registraion(1);
    f.shapes[0]->setStrokeWidth(7);
    EXPECT_TRUE(doc.canUndo());

    // A failure that leaves registration off is healed by clearing.
    doc.Enable_Disable_Undo_Registraion(0);
    doc.Clear_All_Undo_Redo();
    EXPECT_TRUE(doc.graphics().isEmpty());
    EXPECT_FALSE(doc.canUndo());
    EXPECT_FALSE(doc.canRedo());
    EXPECT_TRUE(doc.isUndoRegistrationEnabled());
    EXPECT_EQ(f.shapes[0]->scriptingContainer(), nullptr);
    doc.addInGraphics(f.shapes[1]);
    EXPECT_TRUE(doc.canUndo());
}

TEST(DocumentUndo, PauseObjectRestoresRegistrationHoweverLeft) {
    SKTDocument doc;
    try {
        SKTUndoRegistrationPause pause(doc);
        EXPECT_FALSE(doc.isUndoRegistrationEnabled());
        doc.addInGraphics(std::make_shared<SKTText>());
        throw std::runtime_error("reading failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_TRUE(doc.isUndoRegistrationEnabled());
    EXPECT_FALSE(doc.canUndo());
    EXPECT_EQ(doc.graphics().size(), 1);
}

TEST(DocumentUndo, SubclassKeysUndo) {
    SKTDocument doc;
    auto line = std::make_shared<SKTLine>();
    auto image = std::make_shared<SKTImage>();
    {
        SKTUndoRegistrationPause pause(doc);
        line->setBeginPoint(QPointF(10, 60));
        line->setEndPoint(QPointF(110, 10));
        doc.insertGraphics({line, image}, {0, 1});
    }
    line->setEndPoint(QPointF(0, 100));
    image->flipHorizontally();
    nextEventLoopPass();
    line->setBounds(line->bounds().translated(100, 0)); // moving changes both points
    doc.undo();
    EXPECT_EQ(line->beginPoint(), QPointF(10, 60));
    EXPECT_EQ(line->endPoint(), QPointF(0, 100));
    doc.undo();
    EXPECT_EQ(line->beginPoint(), QPointF(10, 60));
    EXPECT_EQ(line->endPoint(), QPointF(110, 10));
    EXPECT_FALSE(image->_isFlippedHorizontally);
    doc.redo();
    EXPECT_TRUE(image->_isFlippedHorizontally);
    EXPECT_EQ(line->endPoint(), QPointF(0, 100));
}

TEST(DocumentUndo, SetColorAndScriptingChangesAreOneStep) {
    Fixture f(1);
    SKTDocument& doc = f.document;
    auto shape = f.shapes[0];
    shape->_isDrawingFill = false;
    shape->setColor(QColor(Qt::green));
    EXPECT_EQ(doc.undoManager()->count(), 1);
    doc.undo();
    EXPECT_FALSE(shape->isDrawingFill());
    EXPECT_EQ(shape->_fillColor.rgb(), QColor(Qt::white).rgb());
}

TEST(DocumentSignals, ListChangesAndObjectChangesAreReported) {
    Fixture f(3);
    SKTDocument& doc = f.document;
    QSignalSpy inserted(&doc, &SKTDocument::graphicsInserted);
    QSignalSpy removed(&doc, &SKTDocument::graphicsRemoved);
    QSignalSpy changed(&doc, &SKTDocument::graphicChanged);

    f.shapes[1]->setStrokeWidth(10); // drawing outset grows from 3 to 5
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].value<SKTGraphic*>(), f.shapes[1].get());
    EXPECT_EQ(changed[0][1].toRectF(), QRectF(7, 7, 27, 27));
    EXPECT_EQ(changed[0][2].toRectF(), QRectF(5, 5, 31, 31));

    doc.removeGraphicsAtIndexes({0, 2});
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed[0][0].toString(), QStringLiteral("graphics"));
    EXPECT_EQ(removed[0][1].value<QList<int>>(), QList<int>({0, 2}));
    doc.undo();
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted[0][1].value<QList<int>>(), QList<int>({0, 2}));

    // Objects that left every list report nothing any more.
    doc.removeGraphicAtIndex(0);
    changed.clear();
    f.shapes[0]->setStrokeWidth(3);
    EXPECT_EQ(changed.count(), 0);
}

TEST(DocumentSignals, InvalidIndexSetsAreRefused) {
    Fixture f(2);
    SKTDocument& doc = f.document;
    auto extra = std::make_shared<SKTText>();
    EXPECT_FALSE(doc.insertGraphics({extra}, {5}));
    EXPECT_FALSE(doc.insertGraphics({extra, extra}, {1}));
    EXPECT_FALSE(doc.removeGraphicsAtIndexes({2}));
    EXPECT_FALSE(doc.removeGraphicsAtIndexes({1, 0}));
    EXPECT_FALSE(doc.insertGraphicsInList("graphics_front", {extra}, {0}));
    EXPECT_EQ(doc.graphics(), f.shapes);
    EXPECT_FALSE(doc.canUndo());
    EXPECT_TRUE(doc.insertGraphics({extra, extra}, {0, 3}));
    EXPECT_EQ(doc.graphics().indexOf(extra), 0);
    EXPECT_EQ(doc.graphics().lastIndexOf(extra), 3);
}

TEST(DocumentUndo, TheStackDrivenDirectlyEndsTheOpenGroup) {
    Fixture f(1);
    SKTDocument& doc = f.document;
    f.shapes[0]->setStrokeWidth(4); // automatic group still open
    doc.undoManager()->undo();      // as the stack's own undo action does
    EXPECT_EQ(f.shapes[0]->strokeWidth(), 1.0);
    EXPECT_TRUE(doc.canRedo());
    f.shapes[0]->setStrokeWidth(6); // a new step, not part of the undone one
    EXPECT_EQ(doc.undoManager()->count(), 1);
    EXPECT_FALSE(doc.canRedo());
    doc.undo();
    EXPECT_EQ(f.shapes[0]->strokeWidth(), 1.0);
}
