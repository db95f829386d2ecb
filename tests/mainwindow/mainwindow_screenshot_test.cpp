// The main window rendered to a picture under the offscreen platform. When
// CARD_SCREENSHOT_DIR names a folder the picture is kept there.

#include "mainwindow_controller_fixture.h"

#include "mainwindow/controller/MainWindowFrame.h"

#include <QCoreApplication>
#include <QStackedWidget>

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

} // namespace
