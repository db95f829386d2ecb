// A design's pictures read while the window keeps drawing: a slow open
// shows the pictures read so far and takes no input meanwhile; and frames
// grown with the mouse keep the design's pictures within their budget.

#include "common/MessageBoxes.h"
#include "mainwindow_controller_fixture.h"

#include "editor/canvas/SKTGraphicView.h"
#include "editor/model/PictureDecodeBudget.h"
#include "editor/model/PictureProblemNotice.h"
#include "editor/model/PictureRefitQueue.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTPictureLoading.h"
#include "mainwindow/controller/DesignFile.h"
#include "mainwindow/controller/DesignOpenWait.h"
#include "mainwindow/controller/WindowEntries.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QProgressBar>
#include <QThread>
#include <QTimer>
#include <atomic>

namespace {

// A picture of one colour with a ring, 72 dpi (a pixel is a point).
QImage ringed(int side, const QColor& colour) {
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(colour);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, side / 20.0));
    painter.drawEllipse(QRectF(side / 4.0, side / 4.0, side / 2.0, side / 2.0));
    painter.end();
    image.setDotsPerMeterX(2835);
    image.setDotsPerMeterY(2835);
    return image;
}

// Counts the paints a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int paints() const { return m_paints; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++m_paints;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    int m_paints = 0;
};

class PictureOpenTest : public ControllerFixture {
protected:
    void SetUp() override {
        ControllerFixture::SetUp();
        Project_File_Name.clear();
        start();
        m_controller->Install_Design_File_Entries();
    }

    void TearDown() override {
        PictureDecodeBudget::setDecodeHook({});
        hooks::setAlertAnswerer({});
        SKTSetPictureBudgetBytes(0);
        hooks::setOpenPanel({});
        for (auto* slot :
             {&window_entries::newDesign, &window_entries::openDesign, &window_entries::saveDesign,
              &window_entries::saveDesignAs, &window_entries::saveAsTemplate}) {
            slot->set({});
        }
        ControllerFixture::TearDown();
    }

    QString path(const QString& name) const { return QDir(m_temp.path()).filePath(name); }

    // A design on a 360 x 252 point card of `count` picture objects, in
    // these frames, each naming its own file (or the file `fileOf` numbers).
    QString writeDesign(int count, int side, const std::function<QRectF(int)>& frameOf,
                        const std::function<int(int)>& fileOf = {}) const {
        design_file::DesignContent content;
        content.front.setCard_Size(QSizeF(360, 252));
        content.back.setCard_Size(QSizeF(360, 252));
        for (int i = 0; i < count; ++i) {
            const int number = fileOf ? fileOf(i) : i;
            const QString file = path(QStringLiteral("picture%1.png").arg(number));
            EXPECT_TRUE(ringed(side, QColor::fromHsv(number * 50, 200, 220)).save(file));
            auto image = std::make_shared<SKTImage>();
            image->Set_Control_File_path(file);
            image->_bounds = frameOf(i);
            content.frontObjects.append(image);
        }
        content.titles = {QStringLiteral("Row No.")};
        const QString design = path(QStringLiteral("pictures.dcard"));
        EXPECT_TRUE(design_file::Write_Design_Array(design_file::Design_Array(content), design));
        return design;
    }

    MainWindowFrame* shownWindow() const {
        MainWindowFrame* window = m_controller->window();
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        QApplication::setActiveWindow(window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        return window;
    }

    std::shared_ptr<SKTImage> picture(int index) const {
        return std::dynamic_pointer_cast<SKTImage>(m_document->graphics().at(index));
    }
};

TEST_F(PictureOpenTest, ASlowOpenKeepsTheWindowDrawingShowsProgressAndTakesNoInput) {
    constexpr int files = 6;
    const QString design =
        writeDesign(files, 60, [](int i) { return QRectF(10 + i * 50, 20, 40, 40); });
    MainWindowFrame* window = shownWindow();
    QWidget* canvas = m_controller->canvasOfSide(0);
    ASSERT_NE(canvas, nullptr);
    int panels = 0;
    hooks::setOpenPanel([&](const hooks::OpenPanelRequest&) {
        ++panels;
        return QStringList{design};
    });

    // Every decode waits until the test lets that many through.
    std::atomic<int> entered = 0;
    std::atomic<int> allowed = 0;
    PictureDecodeBudget::setDecodeHook([&](const QString&) {
        const int turn = entered++;
        const QDeadlineTimer patience(20000);
        while (turn >= allowed && !patience.hasExpired()) {
            QThread::msleep(1);
        }
    });

    // What the user sees while the pictures load: the canvas asked to
    // paint every 16 ms, and the sheet over the window.
    PaintCounter counter(*canvas);
    int paintsBefore = -1;
    bool attempted = false;
    int stage = 0;
    QStringList shown;
    QList<int> bars;
    QTimer ticker;
    ticker.setInterval(16);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        canvas->update();
        if (paintsBefore < 0) {
            return;
        }
        if (!attempted) {
            // At once, the user asks to open another design, to quit and to
            // close the window.
            attempted = true;
            QTest::keyClick(window, Qt::Key_O, Qt::ControlModifier);
            QTest::keyClick(window, Qt::Key_Q, Qt::ControlModifier);
            window->close();
        }
        auto* sheet = window->findChild<QDialog*>(QString::fromLatin1(DesignOpenWait::kSheetName));
        if (!sheet || !sheet->isVisible()) {
            return;
        }
        const QString text = sheet->findChild<QLabel*>("modeless_msg_lbl")->text();
        const auto* bar = sheet->findChild<QProgressBar*>("wait_progress");
        if (stage == 0 && counter.paints() - paintsBefore >= 10) {
            shown << text;
            bars << bar->value() << bar->maximum();
            stage = 1;
            allowed = 3;
        } else if (stage == 1 && text.endsWith(QStringLiteral("3 of 6"))) {
            shown << text;
            bars << bar->value() << bar->maximum();
            stage = 2;
            allowed = files;
        }
    });
    ticker.start();

    QMenu* menu = openMenu("menuFile");
    paintsBefore = counter.paints();
    clickMenuItem(menu, "Open_action");
    ticker.stop();

    EXPECT_EQ(stage, 2);
    EXPECT_EQ(shown, QStringList({QStringLiteral("Reading pictures: 0 of 6"),
                                  QStringLiteral("Reading pictures: 3 of 6")}));
    EXPECT_EQ(bars, QList<int>({0, 6, 3, 6}));
    // Nothing ran in the middle of the open, and the design opened whole.
    EXPECT_EQ(panels, 1);
    EXPECT_FALSE(m_exitCode.has_value());
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(m_document->graphics().size(), files);
    for (int i = 0; i < files; ++i) {
        EXPECT_FALSE(picture(i)->contents().isNull()) << i;
    }
    const auto* sheet =
        window->findChild<QDialog*>(QString::fromLatin1(DesignOpenWait::kSheetName));
    EXPECT_TRUE(!sheet || !sheet->isVisible());
}

// The progress of an open counts the files read, however many objects
// share them, from the first word to the last.
TEST_F(PictureOpenTest, AnOpensProgressCountsTheFilesRead) {
    const struct {
        int objects;
        int files;
    } rows[] = {{3, 3}, {5, 2}, {4, 1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.objects);
        const QString design = writeDesign(
            row.objects, 60, [](int i) { return QRectF(10 + i * 50, 20, 40, 40); },
            [&row](int i) { return i % row.files; });
        std::vector<std::pair<int, int>> told;
        QString reason;
        const auto content = design_file::Read_Design_File(
            design, &reason, [&told](int read, int files) { told.emplace_back(read, files); });
        ASSERT_TRUE(content.has_value()) << reason.toStdString();
        ASSERT_EQ(content->frontObjects.size(), row.objects);
        ASSERT_FALSE(told.empty());
        for (const auto& [read, files] : told) {
            EXPECT_EQ(files, row.files);
            EXPECT_LE(read, files);
        }
        EXPECT_EQ(told.back(), std::make_pair(row.files, row.files));
    }
}

// A message that comes up while the pictures load (a picture read again
// elsewhere that no longer reads, told on the window's thread) is answered
// as always, with the key the user presses in it; the open then ends.
TEST_F(PictureOpenTest, AMessageShownDuringASlowOpenTakesTheUsersAnswer) {
    constexpr int files = 2;
    const QString design =
        writeDesign(files, 60, [](int i) { return QRectF(10 + i * 50, 20, 40, 40); });
    MainWindowFrame* window = shownWindow();
    hooks::setOpenPanel([&](const hooks::OpenPanelRequest&) { return QStringList{design}; });

    // The decodes wait until the message has been answered.
    std::atomic<bool> entered = false;
    std::atomic<bool> allowed = false;
    PictureDecodeBudget::setDecodeHook([&](const QString&) {
        entered = true;
        const QDeadlineTimer patience(20000);
        while (!allowed && !patience.hasExpired()) {
            QThread::msleep(1);
        }
    });
    QString seen;
    bool answered = false;
    bool told = false;
    QTimer ticker;
    ticker.setInterval(16);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (entered && !told) {
            told = true;
            // From here on messages come up in the real message box.
            hooks::setAlertAnswerer(hooks::messageBoxAnswer);
            testsupport::whenMessageBoxShows([&](QMessageBox& box) {
                seen = box.text();
                testsupport::endMessageBox(box, QStringLiteral("Return"));
                answered = !box.isVisible();
                if (!answered) {
                    box.hide(); // the key did not reach it: ended here, so the test goes on
                }
                allowed = true;
            });
            PictureProblemNotice::tellOnce(path(QStringLiteral("gone-during-open.png")),
                                           std::nullopt, SKTPictureProblem::Missing);
        }
    });
    ticker.start();

    clickMenuItem(openMenu("menuFile"), "Open_action");
    ticker.stop();

    EXPECT_TRUE(told);
    EXPECT_TRUE(seen.contains(QStringLiteral("gone-during-open.png"))) << seen.toStdString();
    EXPECT_TRUE(answered);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(m_document->graphics().size(), files);
}

TEST_F(PictureOpenTest, FramesGrownWithTheMousePastTheBudgetKeepWhatTheCanvasShows) {
    // Three pictures in 30 x 30 point frames: 250 x 250 pixels each at
    // 600 dpi (0.25 MB); grown to 90 x 90 points, 750 x 750 (2.25 MB).
    const QString design =
        writeDesign(3, 1200, [](int i) { return QRectF(20 + i * 110, 20, 30, 30); });
    SKTSetPictureBudgetBytes(3 * 1024 * 1024);
    shownWindow();
    hooks::setOpenPanel([&](const hooks::OpenPanelRequest&) { return QStringList{design}; });
    clickMenuItem(openMenu("menuFile"), "Open_action");
    ASSERT_EQ(m_document->graphics().size(), 3);
    auto* canvas = qobject_cast<SKTGraphicView*>(m_controller->canvasOfSide(0));
    ASSERT_NE(canvas, nullptr);
    const double zoom = canvas->zoomFactor();
    const auto at = [zoom](double x, double y) {
        return QPoint(int(std::lround(x * zoom)), int(std::lround(y * zoom)));
    };

    // The first grown frame fits the budget beside the others; the next
    // two would pass it, so they keep what the canvas shows at 100 %.
    const struct {
        int index;
        int keptWidth;
    } rows[] = {{0, 750}, {1, 90}, {2, 90}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.index);
        const auto image = picture(row.index);
        const QRectF frame = image->bounds();
        ASSERT_EQ(frame.size(), QSizeF(30, 30));
        QTest::mouseClick(canvas, Qt::LeftButton, {}, at(frame.center().x(), frame.center().y()));
        ASSERT_EQ(canvas->selectedGraphic(), image);
        // The bottom right handle, dragged 60 points right and down.
        const QPoint from = at(frame.right(), frame.bottom());
        const QPoint to = at(frame.right() + 60, frame.bottom() + 60);
        QTest::mousePress(canvas, Qt::LeftButton, {}, from);
        QTest::mouseMove(canvas, (from + to) / 2);
        QTest::mouseMove(canvas, to);
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, to);
        ASSERT_EQ(image->bounds(), QRectF(frame.topLeft(), QSizeF(90, 90)));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !PictureRefitQueue::isWaiting(*image); }, 5000));
        canvas->grab();
        EXPECT_LE(std::abs(image->contents().image().width() - row.keptWidth), 2)
            << image->contents().image().width();
        EXPECT_LE(SKTKeptPictureBytes(), 3 * 1024 * 1024);
        // Its size on the card is the file's own, whatever it keeps.
        EXPECT_EQ(image->contents().size(), QSizeF(1200, 1200));
    }
}

} // namespace
