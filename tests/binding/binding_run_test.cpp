// Batch runs through BatchRun: sides in order, the end state after a full or
// a stopped run, runs from a worker thread while the canvases repaint.

#include "../barcodes/LinearDecoders.h"
#include "BindingFixture.h"
#include "barcodes/designer/core/DesignerLists.h"
#include "editor/render/CardRenderInputs.h"
#include "mainwindow/controller/BatchRun.h"

#include <QPainter>
#include <QTimer>
#include <atomic>
#include <thread>

namespace {

class BindingRunTest : public BindingFixture {
protected:
    void SetUp() override {
        BindingFixture::SetUp();
        colorSide(m_controller->Front_card_Prop, QColor(250, 0, 0));
        colorSide(m_controller->Back_card_Prop, QColor(0, 0, 250));
        m_controller->Publish_Page_Records();
        series(QStringLiteral("names"), {"Ann", "Bob", "Cid"});
        front = boundText(0, 1, QStringLiteral("names"));
        back = boundText(1, 1, QStringLiteral("names"));
    }
    static void colorSide(Card_Property& page, const QColor& color) {
        page.setCard_fill_chk(true);
        page.setCard_fill_style(QStringLiteral("S"));
        page.setCard_fill_clr(color);
    }
    // The background colour of a rendered side, read away from the objects.
    static QColor backgroundOf(const CardPicture& picture) {
        const QImage image = picture.toImage();
        return QColor(image.pixel(image.width() - 8, image.height() - 8));
    }
    void expectEndState(int startSide) {
        EXPECT_EQ(textOf(front), QStringLiteral("Ann"));
        EXPECT_EQ(textOf(back), QStringLiteral("Ann"));
        EXPECT_EQ(Card_Front_Or_Back, startSide);
        EXPECT_EQ(Card_Value_In_Process, 0);
    }
    std::shared_ptr<SKTText> front;
    std::shared_ptr<SKTText> back;
};

TEST_F(BindingRunTest, BothSidesBackFirstThenRecordZeroOnBothAndTheSideRestored) {
    Card_Front_Or_Back = 1; // the run begins on the back
    m_controller->Check_Series_Or_Excel_Use_or_not();
    ASSERT_EQ(Total_Batch_Excel_Card, 3);
    {
        BatchRun run(*m_controller, false);
        EXPECT_EQ(Card_Value_In_Process, 1);
        for (int i = 0; i < run.count(); ++i) {
            const BatchRun::Pictures pictures = run.record(i, QStringLiteral("BOTH"));
            ASSERT_FALSE(pictures.back.isNull());
            ASSERT_FALSE(pictures.front.isNull());
            EXPECT_EQ(backgroundOf(pictures.back), QColor(0, 0, 250)) << i;
            EXPECT_EQ(backgroundOf(pictures.front), QColor(250, 0, 0)) << i;
            // The back is filled before the front: both show record i now.
            EXPECT_EQ(textOf(back), QStringList({"Ann", "Bob", "Cid"})[i]);
            EXPECT_EQ(textOf(front), QStringList({"Ann", "Bob", "Cid"})[i]);
        }
        const BatchRun::Pictures onlyFront = run.record(2, QStringLiteral("F"));
        EXPECT_TRUE(onlyFront.back.isNull());
        EXPECT_FALSE(onlyFront.front.isNull());
    }
    expectEndState(1);
}

TEST_F(BindingRunTest, AStoppedRunEndsTheSameWay) {
    m_controller->Check_Series_Or_Excel_Use_or_not();
    {
        BatchRun run(*m_controller, false);
        run.record(1, QStringLiteral("BOTH"));
        EXPECT_EQ(textOf(front), QStringLiteral("Bob"));
        run.end();
        expectEndState(0);
        run.end(); // a second end changes nothing
    }
    expectEndState(0);
}

TEST_F(BindingRunTest, FillLeavesTheLiveSideCurrentForDrawing) {
    m_controller->Check_Series_Or_Excel_Use_or_not();
    {
        BatchRun run(*m_controller, true);
        run.fill(2, QStringLiteral("B"));
        EXPECT_EQ(Card_Front_Or_Back, 1);
        EXPECT_EQ(textOf(back), QStringLiteral("Cid"));
    }
    expectEndState(0);
}

TEST_F(BindingRunTest, AWorkerRunWhileBothCanvasesRepaintGivesTheSamePictures) {
    m_controller->Check_Series_Or_Excel_Use_or_not();
    std::vector<QImage> onGui;
    {
        BatchRun run(*m_controller, false);
        for (int i = 0; i < 3; ++i) {
            const auto pictures = run.record(i, QStringLiteral("BOTH"));
            onGui.push_back(pictures.back.toImage());
            onGui.push_back(pictures.front.toImage());
        }
    }
    QTimer repaint;
    int repaints = 0;
    QObject::connect(&repaint, &QTimer::timeout, [&] {
        for (int side = 0; side < 2; ++side) {
            if (QWidget* canvas = m_controller->canvasOfSide(side)) {
                canvas->repaint();
            }
        }
        ++repaints;
    });
    repaint.start(1);
    std::vector<QImage> onWorker;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        {
            BatchRun run(*m_controller, false);
            for (int i = 0; i < 3; ++i) {
                const auto pictures = run.record(i, QStringLiteral("BOTH"));
                onWorker.push_back(pictures.back.toImage());
                onWorker.push_back(pictures.front.toImage());
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        }
        done = true;
    });
    const bool finished = waitFor([&] { return done.load(); });
    worker.join();
    repaint.stop();
    ASSERT_TRUE(finished);
    EXPECT_GT(repaints, 0);
    ASSERT_EQ(onWorker.size(), onGui.size());
    for (std::size_t i = 0; i < onGui.size(); ++i) {
        EXPECT_EQ(onWorker[i], onGui[i]) << "picture " << i;
    }
    expectEndState(0);
}

TEST_F(BindingRunTest, TwentyRasterisedRecordsDecodeInOrder) {
    CARD_REQUIRE_TOOL(zbarimg, "zbarimg");
    QStringList codes;
    for (int i = 1; i <= 20; ++i) {
        codes << QStringLiteral("REC%1").arg(i, 3, 10, QLatin1Char('0'));
    }
    series(QStringLiteral("codes"), codes);
    auto barcode = place<SKTBarcode>(0, QRectF(20, 20, 100, 60));
    barcode->barcode_font_index = int(DesignerLists::symbologies().indexOf("Code 128"));
    bind(*barcode, 1, QStringLiteral("codes"));
    front->data_source_type = 0;
    back->data_source_type = 0;
    colorSide(m_controller->Front_card_Prop, Qt::white);
    m_controller->Publish_Page_Records();
    m_controller->Check_Series_Or_Excel_Use_or_not();
    ASSERT_EQ(Total_Batch_Excel_Card, 20);
    std::vector<QString> files(20);
    std::atomic<bool> done{false};
    const QString folder = m_temp.path();
    std::thread worker([&] {
        BatchRun run(*m_controller, false);
        for (int i = 0; i < run.count(); ++i) {
            const QImage image = run.record(i, QStringLiteral("F")).front.toImage(300 / 72.0);
            files[std::size_t(i)] = folder + QStringLiteral("/card_%1.png").arg(i);
            image.save(files[std::size_t(i)]);
        }
        run.end();
        done = true;
    });
    const bool finished = waitFor([&] { return done.load(); });
    worker.join();
    ASSERT_TRUE(finished);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(lineardecode::zbarRead(zbarimg, files[std::size_t(i)]),
                  std::optional(codes[i].toLatin1()))
            << i;
    }
}

} // namespace
