// The selection holder and the canvas's bindings.

#include "canvas_test_support.h"

#include <QSignalSpy>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

struct ListCase {
    const char* what;
    QList<int> selected;
    bool insert;
    QList<int> changed;
    QList<int> expected;
};

void expectLogicError(const std::function<void()>& call, const char* text) {
    try {
        call();
        ADD_FAILURE() << "no failure for " << text;
    } catch (const std::logic_error& error) {
        EXPECT_STREQ(error.what(), text);
    }
}

} // namespace

TEST(CanvasSelection, TheSameObjectsStaySelectedAcrossListChanges) {
    // A list of six objects; inserts name the new objects' indexes afterwards.
    for (const ListCase& c : {
             ListCase{"insert in front", {1, 3}, true, {0}, {2, 4}},
             ListCase{"insert two around", {1, 3}, true, {0, 3}, {2, 5}},
             ListCase{"insert behind", {1, 3}, true, {6, 7}, {1, 3}},
             ListCase{"remove a selected one", {1, 3}, false, {1}, {2}},
             ListCase{"remove before", {1, 3}, false, {0, 2}, {0, 1}},
             ListCase{"remove all selected", {1, 3}, false, {1, 3}, {}},
             ListCase{"remove behind", {1, 3}, false, {5}, {1, 3}},
         }) {
        CanvasFixture f;
        SKTGraphicList objects;
        for (int i = 0; i < 6; ++i) {
            objects.append(f.addRect(QRectF(i * 10, 0, 5, 5)));
        }
        f.selection->setSelectionIndexes(c.selected);
        QSignalSpy spy(f.selection.get(), &SKTSelectionHolder::selectionIndexesChanged);
        if (c.insert) {
            SKTGraphicList fresh;
            for (int i = 0; i < c.changed.size(); ++i) {
                fresh.append(makeGraphic<SKTGraphic>(QRectF(0, 0, 1, 1)));
            }
            f.document->insertGraphicsInList(f.key, fresh, c.changed);
        } else {
            f.document->removeGraphicsInList(f.key, c.changed);
        }
        EXPECT_EQ(f.selection->selectionIndexes(), c.expected) << c.what;
        for (int index : f.selection->selectionIndexes()) {
            const auto& graphic = f.list().at(index);
            EXPECT_TRUE(objects.indexOf(graphic) == 1 || objects.indexOf(graphic) == 3) << c.what;
        }
        if (!spy.isEmpty()) {
            EXPECT_TRUE(spy.last().at(2).toBool()) << c.what;
        }
    }
}

TEST(CanvasSelection, IndexesOutsideTheListAreNeverTaken) {
    CanvasFixture f;
    f.addRect(QRectF(0, 0, 5, 5));
    f.addRect(QRectF(10, 0, 5, 5));
    f.view->changeSelectionIndexes({3, 1, -1, 1, 2});
    EXPECT_EQ(f.view->selectionIndexes(), QList<int>({1}));
    EXPECT_EQ(f.view->selectedGraphics().size(), 1);
    // Changes of other lists leave the selection alone.
    f.document->insertGraphicsInList(QStringLiteral("graphics_back"),
                                     {makeGraphic<SKTGraphic>(QRectF(0, 0, 1, 1))}, {0});
    EXPECT_EQ(f.view->selectionIndexes(), QList<int>({1}));
}

TEST(CanvasSelection, TheCurrentObjectNeverOutlivesItsPlaceInTheList) {
    CanvasFixture f;
    auto a = f.addRect(QRectF(0, 0, 5, 5));
    auto b = f.addRect(QRectF(10, 0, 5, 5));
    f.view->changeSelectionIndexes({1, 0});
    EXPECT_EQ(f.view->selectedGraphic(), a);
    f.document->removeGraphicsInList(f.key, {0});
    EXPECT_EQ(f.view->selectedGraphic(), nullptr);
    EXPECT_EQ(f.view->selectionIndexes(), QList<int>({0}));
    EXPECT_EQ(f.view->selectedGraphics(), SKTGraphicList({b}));
}

TEST(CanvasSelection, BindingMistakesAreReportedWithTheirTexts) {
    SKTDocument document;
    SKTSelectionHolder holder;
    SKTGraphicView view;
    const QVariantMap options{{QStringLiteral("any"), 1}};
    expectLogicError(
        [&] {
            view.bind(QStringLiteral("graphics_back"), &document, "document.graphics_back",
                      options);
        },
        "SKTGraphicView doesn't support any options for the 'graphics' binding.");
    expectLogicError(
        [&] {
            view.bind(QStringLiteral("selectionIndexes"), &holder, "selectionIndexes", options);
        },
        "SKTGraphicView doesn't support any options for the 'selectionIndexes' binding.");
    expectLogicError([&] { view.mutableGraphics(); },
                     "An SKTGraphicView's 'graphics' property is not bound to anything.");
    expectLogicError([&] { view.changeSelectionIndexes({0}); },
                     "An SKTGraphicView's 'selectionIndexes' property is not bound to anything.");
    EXPECT_TRUE(view.graphics().isEmpty());
    EXPECT_TRUE(view.selectionIndexes().isEmpty());
}
