// The edit and arrange commands of the canvas: deletion, the clipboard,
// order, alignment, sizes, the print flag, bulk removal and menu validation.

#include "canvas_test_support.h"
#include "core/globals.h"
#include "editor/canvas/SKTPasteboardChangeCount.h"
#include "editor/model/SKTBarcode.h"
#include "editor/model/SKTError.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTPasteboard.h"
#include "editor/model/SKTText.h"
#include "editor/render/CardRenderInputs.h"
#include "editor/view/SKTGrid.h"
#include "editor/view/SKTZoomingScrollView.h"

#include "common/TestSupport.h"
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

const QString kLocked = QStringLiteral("Selected control is locked.");

void putOnClipboard(QMimeData* data) {
    QGuiApplication::clipboard()->setMimeData(data);
}

// Three objects; the middle one locked when asked.
struct ThreeObjects : CanvasFixture {
    explicit ThreeObjects(bool lockMiddle = false) {
        a = addRect(QRectF(10, 20, 40, 30));
        b = addRect(QRectF(100, 60, 20, 10));
        c = addRect(QRectF(200, 100, 60, 50));
        b->ctrl_is_locked = lockMiddle;
    }
    std::shared_ptr<SKTGraphic> a, b, c;
};

} // namespace

TEST(CanvasCommands, LockedSelectionRefusesDeleteCutCopyAndOrder) {
    using Command = void (SKTGraphicView::*)();
    for (Command command :
         {&SKTGraphicView::deleteSelection, &SKTGraphicView::cut, &SKTGraphicView::copy,
          &SKTGraphicView::bringToFront, &SKTGraphicView::sendToBack}) {
        ThreeObjects f(true);
        testsupport::ScriptedAlerts alerts;
        auto* marker = new QMimeData;
        marker->setText(QStringLiteral("left alone"));
        putOnClipboard(marker);
        f.view->changeSelectionIndexes({0, 1, 2});
        ((*f.view).*command)();
        EXPECT_EQ(alerts.texts().size(), 1);
        EXPECT_TRUE(alerts.texts().first().contains(kLocked));
        EXPECT_EQ(f.list(), SKTGraphicList({f.a, f.b, f.c}));
        EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->text(), QStringLiteral("left alone"));
        EXPECT_FALSE(
            QGuiApplication::clipboard()->mimeData()->hasFormat(SKTGraphicViewPasteboardMimeType));
        EXPECT_TRUE(f.view->There_Is_Any_Lock_Contrl());
    }
}

TEST(CanvasCommands, DeleteRemovesTheSelectionAndShowsTheCardInspector) {
    ThreeObjects f;
    f.view->changeSelectionIndexes({0, 2});
    f.view->deleteSelection();
    EXPECT_EQ(f.list(), SKTGraphicList({f.b}));
    EXPECT_TRUE(f.view->selectionIndexes().isEmpty());
    EXPECT_EQ(f.host.inspected.last(), nullptr);
    EXPECT_GE(f.host.undoButtonUpdates, 1);
    EXPECT_FALSE(f.view->There_Is_Any_Lock_Contrl());
}

TEST(CanvasCommands, CopyPutsThreeFormatsOnTheClipboard) {
    ThreeObjects f;
    CardRenderInputs::setFrontCanvasSize(QSizeF(400, 300));
    f.view->changeSelectionIndexes({0, 2});
    f.view->copy();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->data(QStringLiteral("application/pdf")).startsWith("%PDF"));
    const QByteArray tiff = data->data(QStringLiteral("image/tiff"));
    EXPECT_TRUE(tiff.startsWith("II*") || tiff.startsWith("MM"));
    SKTError error;
    const auto read = SKTGraphic::graphicsWithPasteboardData(
        data->data(SKTGraphicViewPasteboardMimeType), &error);
    ASSERT_TRUE(read.has_value());
    ASSERT_EQ(read->size(), 2);
    EXPECT_EQ(read->at(0)->bounds(), f.a->bounds());
    EXPECT_EQ(read->at(1)->bounds(), f.c->bounds());
    EXPECT_EQ(f.view->pasteCascadeNumber(), 1);
    EXPECT_EQ(f.view->pasteboardChangeCount(), SKTPasteboardChangeCount());
    EXPECT_EQ(f.host.pasteButtonUpdates, 1);
    CardRenderInputs::setFrontCanvasSize(QSizeF());
}

TEST(CanvasCommands, PastesFromTheCopyingCanvasGoToFreshPositions) {
    ThreeObjects f;
    f.view->changeSelectionIndexes({0});
    f.view->copy();
    f.mainWindow.nextPoints = {QPointF(70, 80), QPointF(90, 100)};
    f.view->paste();
    ASSERT_EQ(f.list().size(), 4);
    EXPECT_EQ(f.list().first()->bounds(), QRectF(70, 80, 40, 30));
    EXPECT_EQ(f.view->selectionIndexes(), QList<int>({0}));
    f.view->paste();
    ASSERT_EQ(f.list().size(), 5);
    EXPECT_EQ(f.list().first()->bounds(), QRectF(90, 100, 40, 30));
    EXPECT_EQ(f.mainWindow.sidesAsked, QStringList({QStringLiteral("F"), QStringLiteral("F")}));
    EXPECT_EQ(f.view->pasteCascadeNumber(), 3);
}

TEST(CanvasCommands, AFirstPasteOfForeignContentsKeepsTheArchivedPositions) {
    ThreeObjects front;
    front.view->changeSelectionIndexes({1});
    front.view->copy();
    CanvasFixture back(QStringLiteral("graphics_back"));
    Card_Front_Or_Back = 1;
    back.mainWindow.nextPoints = {QPointF(5, 6)};
    back.view->paste();
    ASSERT_EQ(back.list().size(), 1);
    EXPECT_EQ(back.list().first()->bounds(), QRectF(100, 60, 20, 10));
    EXPECT_TRUE(back.mainWindow.sidesAsked.isEmpty());
    back.view->paste();
    ASSERT_EQ(back.list().size(), 2);
    EXPECT_EQ(back.list().first()->bounds(), QRectF(5, 6, 20, 10));
    EXPECT_EQ(back.mainWindow.sidesAsked, QStringList({QStringLiteral("B")}));
    Card_Front_Or_Back = 0;
}

TEST(CanvasCommands, APastedPictureLiesWithItsTopLeftCornerAt50AndFileNamesAreNotPasted) {
    CanvasFixture f;
    auto* names = new QMimeData;
    names->setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/picture.png"))});
    names->setImageData(RecordingCanvasHost::picture(Qt::red).image());
    putOnClipboard(names);
    f.view->paste();
    EXPECT_TRUE(f.list().isEmpty());
    auto* data = new QMimeData;
    data->setImageData(RecordingCanvasHost::picture(Qt::red).image());
    putOnClipboard(data);
    f.view->paste();
    ASSERT_EQ(f.list().size(), 1);
    const auto& picture = f.list().first();
    EXPECT_EQ(typeid(*picture), typeid(SKTImage));
    EXPECT_EQ(picture->bounds(), QRectF(50, 50, 20, 10));
    EXPECT_EQ(f.view->selectionIndexes(), QList<int>({0}));
}

TEST(CanvasCommands, CorruptedPrivateDataGivesTheReadingErrorAndPastesNothing) {
    for (const QByteArray& bytes : {QByteArray("not a property list"),
                                    QByteArray("bplist00\xff\xff\xff", 11), QByteArray()}) {
        CanvasFixture f;
        testsupport::ScriptedAlerts alerts;
        auto* data = new QMimeData;
        data->setData(SKTGraphicViewPasteboardMimeType, bytes);
        data->setImageData(RecordingCanvasHost::picture(Qt::red).image());
        putOnClipboard(data);
        f.view->paste();
        EXPECT_TRUE(f.list().isEmpty());
        ASSERT_EQ(alerts.texts().size(), 1);
        EXPECT_TRUE(alerts.texts().first().contains(SKTErrorWithCode(2).localizedDescription));
    }
}

TEST(CanvasCommands, BringToFrontAndSendToBackKeepTheOrderOfTheMovedObjects) {
    for (bool toFront : {true, false}) {
        CanvasFixture f;
        SKTGraphicList objects;
        for (int i = 0; i < 7; ++i) {
            objects.append(f.addRect(QRectF(10 * i, 10, 5, 5)));
        }
        f.view->changeSelectionIndexes({2, 5});
        if (toFront) {
            f.view->bringToFront();
            EXPECT_EQ(f.list().at(0), objects.at(2));
            EXPECT_EQ(f.list().at(1), objects.at(5));
            EXPECT_EQ(f.view->selectionIndexes(), QList<int>({0, 1}));
        } else {
            f.view->sendToBack();
            EXPECT_EQ(f.list().at(5), objects.at(2));
            EXPECT_EQ(f.list().at(6), objects.at(5));
            EXPECT_EQ(f.view->selectionIndexes(), QList<int>({5, 6}));
        }
        EXPECT_EQ(f.list().size(), 7);
    }
}

TEST(CanvasCommands, AlignmentsOfOneObjectUseTheCardBounds) {
    using Command = void (SKTGraphicView::*)();
    struct Case {
        Command command;
        QPointF origin;
    };
    // Card 400 x 300, object 40 x 30 at (10, 20).
    for (const Case& c : {Case{&SKTGraphicView::alignLeftEdges, QPointF(0, 20)},
                          Case{&SKTGraphicView::alignRightEdges, QPointF(360, 20)},
                          Case{&SKTGraphicView::alignTopEdges, QPointF(10, 0)},
                          Case{&SKTGraphicView::alignBottomEdges, QPointF(10, 270)},
                          Case{&SKTGraphicView::alignHorizontalCenters, QPointF(180, 20)},
                          Case{&SKTGraphicView::alignVerticalCenters, QPointF(10, 135)},
                          Case{&SKTGraphicView::alignformCenter, QPointF(180, 135)}}) {
        ThreeObjects f;
        f.view->changeSelectionIndexes({0});
        ((*f.view).*c.command)();
        EXPECT_EQ(f.a->bounds(), QRectF(c.origin, QSizeF(40, 30)));
        EXPECT_EQ(f.host.undoButtonUpdates, 1);
        // A locked single object stays, without an undo-button update.
        f.a->ctrl_is_locked = true;
        f.a->_bounds = QRectF(10, 20, 40, 30);
        ((*f.view).*c.command)();
        EXPECT_EQ(f.a->bounds(), QRectF(10, 20, 40, 30));
        EXPECT_EQ(f.host.undoButtonUpdates, 1);
    }
}

TEST(CanvasCommands, AlignmentsOfSeveralObjectsFollowTheFirstAndSkipLockedOnes) {
    using Command = void (SKTGraphicView::*)();
    struct Case {
        Command command;
        QPointF cOrigin;
    };
    // First a = (10, 20, 40, 30); c = 60 x 50 at (200, 100); b locked.
    for (const Case& c : {Case{&SKTGraphicView::alignLeftEdges, QPointF(10, 100)},
                          Case{&SKTGraphicView::alignRightEdges, QPointF(-10, 100)},
                          Case{&SKTGraphicView::alignTopEdges, QPointF(200, 20)},
                          Case{&SKTGraphicView::alignBottomEdges, QPointF(200, 0)},
                          Case{&SKTGraphicView::alignHorizontalCenters, QPointF(0, 100)},
                          Case{&SKTGraphicView::alignVerticalCenters, QPointF(200, 10)}}) {
        ThreeObjects f(true);
        f.view->changeSelectionIndexes({0, 1, 2});
        ((*f.view).*c.command)();
        EXPECT_EQ(f.a->bounds(), QRectF(10, 20, 40, 30));
        EXPECT_EQ(f.b->bounds(), QRectF(100, 60, 20, 10));
        EXPECT_EQ(f.c->bounds(), QRectF(c.cOrigin, QSizeF(60, 50)));
    }
}

TEST(CanvasCommands, AlignToCentreCentresEveryUnlockedObjectOnTheCard) {
    ThreeObjects f;
    f.view->changeSelectionIndexes({0, 2});
    f.view->alignformCenter();
    EXPECT_EQ(f.a->bounds(), QRectF(180, 135, 40, 30));
    EXPECT_EQ(f.c->bounds(), QRectF(170, 125, 60, 50));
    // Nothing selected: nothing moves.
    f.view->changeSelectionIndexes({});
    f.b->_bounds = QRectF(1, 1, 2, 2);
    f.view->alignformCenter();
    f.view->alignLeftEdges();
    EXPECT_EQ(f.b->bounds(), QRectF(1, 1, 2, 2));
}

TEST(CanvasCommands, AlignWithGridNeedsAUsableGrid) {
    ThreeObjects f(true);
    f.view->changeSelectionIndexes({0, 1, 2});
    f.view->alignWithGrid(); // no grid
    EXPECT_EQ(f.a->bounds(), QRectF(10, 20, 40, 30));
    SKTGrid grid;
    f.view->setGrid(&grid);
    grid._spacing = 0.0;
    f.view->alignWithGrid();
    EXPECT_EQ(f.a->bounds(), QRectF(10, 20, 40, 30));
    EXPECT_FALSE(f.view->validateMenuItem(QStringLiteral("alignWithGrid:")));
    grid._spacing = 9.0;
    EXPECT_TRUE(f.view->validateMenuItem(QStringLiteral("alignWithGrid:")));
    f.view->alignWithGrid();
    EXPECT_EQ(f.a->bounds(), QRectF(9, 18, 45, 36));
    EXPECT_EQ(f.b->bounds(), QRectF(100, 60, 20, 10));
    EXPECT_EQ(f.c->bounds(), QRectF(198, 99, 63, 54));
}

TEST(CanvasCommands, SizesAndThePrintFlagSkipLockedObjectsButNaturalSizeDoesNot) {
    ThreeObjects f(true);
    f.view->changeSelectionIndexes({0});
    f.view->makeSameWidth();
    f.view->makeSameHeight();
    EXPECT_EQ(f.a->bounds(), QRectF(10, 20, 40, 30));
    f.view->changeSelectionIndexes({0, 1, 2});
    f.view->makeSameWidth();
    EXPECT_EQ(f.b->bounds(), QRectF(100, 60, 20, 10));
    EXPECT_EQ(f.c->bounds(), QRectF(200, 100, 40, 50));
    f.view->makeSameHeight();
    EXPECT_EQ(f.c->bounds(), QRectF(200, 100, 40, 30));
    // The print flag skips locked objects; natural size does not.
    f.view->print_contol_or_not(1);
    EXPECT_EQ(f.a->print_object, 1);
    EXPECT_EQ(f.b->print_object, 0);
    f.view->makeNaturalSize();
    EXPECT_EQ(f.b->bounds(), QRectF(100, 60, 10, 10));
    EXPECT_EQ(f.c->bounds(), QRectF(200, 100, 30, 30));
}

TEST(CanvasCommands, BulkRemovalTakesEverythingOrOnlyTextsAndPictures) {
    CanvasFixture f;
    auto text = f.addRect<SKTText>(QRectF(0, 0, 10, 10));
    auto shape = f.addRect(QRectF(0, 0, 10, 10));
    auto picture = f.addRect<SKTImage>(QRectF(0, 0, 10, 10));
    auto barcode = f.addRect<SKTBarcode>(QRectF(0, 0, 10, 10));
    auto text2 = f.addRect<SKTText>(QRectF(0, 0, 10, 10));
    f.view->delete_all_Text_control();
    EXPECT_EQ(f.list(), SKTGraphicList({shape, barcode}));
    f.view->delete_all_control();
    EXPECT_TRUE(f.list().isEmpty());
}

TEST(CanvasCommands, MenuValidationFollowsTheSelection) {
    struct Case {
        const char* action;
        bool none, one, two;
    };
    ThreeObjects f;
    SKTGrid grid;
    f.view->setGrid(&grid);
    for (const Case& c :
         {Case{"delete:", false, true, true}, Case{"cut:", false, true, true},
          Case{"copy:", false, true, true}, Case{"bringToFront:", false, true, true},
          Case{"sendToBack:", false, true, true}, Case{"alignWithGrid:", false, true, true},
          Case{"alignLeftEdges:", false, false, true},
          Case{"alignVerticalCenters:", false, false, true},
          Case{"makeSameWidth:", false, false, true}, Case{"makeSameHeight:", false, false, true},
          Case{"makeNaturalSize:", false, true, true}, Case{"paste:", true, true, true},
          Case{"selectAll:", true, true, true}, Case{"alignformCenter:", true, true, true}}) {
        const QString action = QString::fromLatin1(c.action);
        f.view->changeSelectionIndexes({});
        EXPECT_EQ(f.view->validateMenuItem(action), c.none) << c.action;
        f.view->changeSelectionIndexes({0});
        EXPECT_EQ(f.view->validateMenuItem(action), c.one) << c.action;
        f.view->changeSelectionIndexes({0, 1});
        EXPECT_EQ(f.view->Get_Menu_Status(action), c.two) << c.action;
    }
    // Natural size needs one object that can take it (a square cannot).
    f.addRect(QRectF(0, 0, 10, 10));
    f.addRect(QRectF(50, 0, 10, 10));
    f.view->changeSelectionIndexes({3, 4});
    EXPECT_FALSE(f.view->validateMenuItem(QStringLiteral("makeNaturalSize:")));
    f.addRect<SKTImage>(QRectF(0, 0, 10, 10));
    f.view->changeSelectionIndexes({3, 5});
    EXPECT_TRUE(f.view->validateMenuItem(QStringLiteral("makeNaturalSize:")));
}

TEST(CanvasCommands, TheRulerItemTogglesAndNamesWhatItWillDo) {
    CanvasFixture f;
    SKTZoomingScrollView scrollView;
    scrollView.setDocumentView(f.view.get());
    QString title;
    EXPECT_TRUE(f.view->validateMenuItem(QStringLiteral("showOrHideRulers:"), &title));
    EXPECT_EQ(title, QStringLiteral("Show Ruler"));
    f.view->showOrHideRulers();
    EXPECT_TRUE(scrollView.rulersVisible());
    f.view->validateMenuItem(QStringLiteral("showOrHideRulers:"), &title);
    EXPECT_EQ(title, QStringLiteral("Hide Ruler"));
    f.view->showOrHideRulers();
    EXPECT_FALSE(scrollView.rulersVisible());
    scrollView.takeWidget();
}

TEST(CanvasCommands, PicturesFromFilesNeedAPictureExtensionAndAReadableFile) {
    CanvasFixture f;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString png = dir.filePath(QStringLiteral("flower.png"));
    ASSERT_TRUE(RecordingCanvasHost::picture(Qt::magenta).image().save(png));
    const QString text = dir.filePath(QStringLiteral("notes.txt"));
    QFile::copy(png, text);
    const QString broken = dir.filePath(QStringLiteral("broken.png"));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();
    EXPECT_FALSE(f.view->makeNewImageFromContentsOfFile(text, QPointF(100, 100)));
    EXPECT_FALSE(f.view->makeNewImageFromContentsOfFile(broken, QPointF(100, 100)));
    EXPECT_FALSE(f.view->makeNewImageFromContentsOfFile(dir.filePath("missing.png"), {}));
    EXPECT_TRUE(f.list().isEmpty());
    ASSERT_TRUE(f.view->makeNewImageFromContentsOfFile(png, QPointF(100, 100)));
    ASSERT_EQ(f.list().size(), 1);
    EXPECT_EQ(f.list().first()->bounds().size(), QSizeF(20, 10));
    EXPECT_TRUE(f.list().first()->bounds().contains(QPointF(100, 100)));
    EXPECT_EQ(f.view->selectionIndexes(), QList<int>({0}));
}

TEST(CanvasCommands, APasteIsOneUndoStep) {
    ThreeObjects f;
    f.view->changeSelectionIndexes({0, 2});
    f.view->copy();
    CanvasFixture::settle();
    const int steps = f.document->undoManager()->count();
    f.view->paste();
    CanvasFixture::settle();
    EXPECT_EQ(f.list().size(), 5);
    EXPECT_EQ(f.document->undoManager()->count(), steps + 1);
    f.view->undo();
    EXPECT_EQ(f.list(), SKTGraphicList({f.a, f.b, f.c}));
}
