// The main window rendered to a picture under the offscreen platform. When
// CARD_SCREENSHOT_DIR names a folder the picture is kept there.

#include "mainwindow_controller_fixture.h"

#include "editor/model/Shape_Control.h"
#include "mainwindow/controller/MainWindowFrame.h"

#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QToolBar>

namespace {

class ScreenshotTest : public ControllerFixture {};

TEST_F(ScreenshotTest, MainWindowRendersWithCanvasAndInspector) {
    start();
    QCoreApplication::processEvents();
    MainWindowFrame* window = m_controller->window();
    const QImage shot = window->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.size() / shot.devicePixelRatio(), QSize(1000, 800));

    // The window background shows near the bottom-left corner.
    EXPECT_EQ(QColor(shot.pixel(3, shot.height() - 3)), QColor(241, 244, 250));
    // The card is white where the canvas sits.
    QWidget* canvas = m_controller->canvasOfSide(0);
    ASSERT_NE(canvas, nullptr);
    ASSERT_TRUE(canvas->isVisible());
    const QPoint centre = canvas->mapTo(window, canvas->rect().center());
    EXPECT_EQ(QColor(shot.pixel(centre * shot.devicePixelRatio())), QColor(Qt::white));
    // The inspector is on screen right of the canvas.
    const QPoint inspector = m_controller->sett_tab()->mapTo(window, QPoint(0, 0));
    EXPECT_GT(inspector.x(), centre.x());

    const QString folder = qEnvironmentVariable("CARD_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        QDir().mkpath(folder);
        EXPECT_TRUE(shot.save(QDir(folder).filePath(QStringLiteral("main_window.png"))));
    }
}

TEST_F(ScreenshotTest, SelectedShapeShowsOnTheCardWithItsInspector) {
    start();
    auto shape = std::make_shared<Shape_Control>();
    shape->_shape_type = QStringLiteral("RR");
    shape->setBounds(QRectF(40, 40, 120, 80));
    shape->_fillColor = QColor(30, 120, 220);
    ASSERT_TRUE(m_document->insertGraphic(shape, 0));
    m_controller->Show_RHS_Properties(shape);
    QCoreApplication::processEvents();
    MainWindowFrame* window = m_controller->window();
    const QImage shot = window->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(tabLabels().first(), QStringLiteral("Rounded Rectangle Properties"));
    // The shape's fill shows inside its bounds on the front canvas.
    QWidget* canvas = m_controller->canvasOfSide(0);
    const QPoint inside = canvas->mapTo(window, QPoint(100, 80));
    const QColor seen(shot.pixel(inside * shot.devicePixelRatio()));
    EXPECT_GT(seen.blue(), seen.red() + 60) << seen.name().toStdString();

    const QString folder = qEnvironmentVariable("CARD_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        QDir().mkpath(folder);
        EXPECT_TRUE(shot.save(QDir(folder).filePath(QStringLiteral("main_window_shape.png"))));
    }
}

} // namespace

namespace {

class MenuScreenshotTest : public ControllerFixture {};

TEST_F(MenuScreenshotTest, MainWindowShowsItsMenusAndToolBar) {
    start();
    QCoreApplication::processEvents();
    MainWindowFrame* window = m_controller->window();
    auto* menuBar = window->findChild<QMenuBar*>(QStringLiteral("menubar"));
    ASSERT_NE(menuBar, nullptr);
    ASSERT_TRUE(menuBar->isVisible());
    QStringList titles;
    for (QAction* menu : menuBar->actions()) {
        titles << menu->text();
    }
    EXPECT_EQ(titles, (QStringList{"File", "Edit", "Arrange", "Card", "Grid", "Series", "Help"}));

    auto* toolBar = window->findChild<QToolBar*>(QStringLiteral("standardToolBar"));
    ASSERT_NE(toolBar, nullptr);
    ASSERT_TRUE(toolBar->isVisible());
    QStringList buttons;
    for (QAction* action : toolBar->actions()) {
        if (!action->isSeparator()) {
            buttons << toolBar->widgetForAction(action)->objectName();
        }
    }
    EXPECT_EQ(buttons,
              (QStringList{"Undo_btn", "Redo_btn", "Cut_btn", "Copy_btn", "Paste_btn", "Delete_btn",
                           "Begin_Front_btn", "Send_Back_btn", "Lock_btn", "Unlock_btn"}));

    const QImage shot = window->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    // The menu bar and the tool bar sit above the canvas.
    QWidget* canvas = m_controller->canvasOfSide(0);
    const int canvasTop = canvas->mapTo(window, QPoint(0, 0)).y();
    EXPECT_LT(menuBar->geometry().bottom(), canvasTop);
    EXPECT_LT(toolBar->mapTo(window, QPoint(0, toolBar->height())).y(), canvasTop + 1);

    auto* editMenu = window->findChild<QMenu*>(QStringLiteral("menuEdit"));
    ASSERT_NE(editMenu, nullptr);
    editMenu->popup(window->mapToGlobal(QPoint(60, 30)));
    QCoreApplication::processEvents();
    const QImage menuShot = editMenu->grab().toImage();
    EXPECT_FALSE(menuShot.isNull());
    editMenu->hide();

    const QString folder = qEnvironmentVariable("CARD_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        QDir().mkpath(folder);
        EXPECT_TRUE(shot.save(QDir(folder).filePath(QStringLiteral("main_window_menus.png"))));
        EXPECT_TRUE(
            menuShot.save(QDir(folder).filePath(QStringLiteral("main_window_edit_menu.png"))));
    }
}

} // namespace
