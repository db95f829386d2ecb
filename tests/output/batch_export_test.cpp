// Batch export: the loop (files per record and side, order, the stop flag,
// failed writes and fills) and the run of the export command on its worker
// with the progress sheet, over fake records.
#include "FakeCards.h"
#include "OutputWindowsSupport.h"
#include "common/TestSupport.h"
#include "core/globals.h"
#include "output/BatchExporter.h"
#include "output/ExportWindow.h"
#include "output/OutputCommands.h"
#include "output/Send_Modeless.h"
#include "output/core/BatchExport.h"
#include "widgets/GuiHooks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>
#include <stdexcept>
#include <thread>

namespace {

const QSizeF kCard(60, 40);

std::vector<CardPicture> colouredRecords(int n) {
    std::vector<CardPicture> fronts;
    for (int i = 0; i < n; ++i) {
        fronts.push_back(fakecards::solid(kCard, fakecards::recordColour(i)));
    }
    return fronts;
}

QStringList filesIn(const QString& folder) {
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

QStringList cardNames(int from, int to, const QString& extension = QStringLiteral("png")) {
    QStringList names;
    for (int i = from; i <= to; ++i) {
        names << QStringLiteral("Card_%1.%2").arg(i).arg(extension);
    }
    names.sort();
    return names;
}

QRgb centreOf(const QString& path) {
    const QImage image(path);
    return image.isNull() ? 0u : image.pixel(image.width() / 2, image.height() / 2);
}

QRgb rgbOf(const QColor& colour) {
    return colour.rgb();
}

// Fills from a fake batch, as the GUI thread would, counting the calls.
struct Filler {
    fakecards::BatchSource& source;
    QString side;
    std::vector<int> records;

    BatchPictures operator()(int record) {
        records.push_back(record);
        BatchPictures pictures;
        if (side != QLatin1String("F")) {
            pictures.back = source.picture(record, CardSide::Back);
        }
        if (side != QLatin1String("B")) {
            pictures.front = source.picture(record, CardSide::Front);
        }
        return pictures;
    }
};

// Runs the loop on a worker, as the export does, while this (the GUI)
// thread serves the alerts the pool jobs ask for.
BatchExportResult runLoop(const BatchExportJob& job,
                          const std::function<BatchPictures(int record)>& fill,
                          const std::atomic<int>& stop) {
    BatchExportResult result;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        result = cardexport::runBatchExport(job, fill, stop);
        done = true;
    });
    while (!done) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    worker.join();
    return result;
}

BatchExportJob jobFor(const QString& folder, const QString& side, int count,
                      const QString& extension = QStringLiteral("png")) {
    BatchExportJob job;
    job.folder = folder;
    job.request.side = side;
    job.request.extension = extension;
    job.recordCount = count;
    job.maxJobs = 3;
    return job;
}

TEST(BatchExportLoop, OneFilePerRecordInRecordOrder) {
    QTemporaryDir dir;
    fakecards::BatchSource source(colouredRecords(10), {});
    Filler filler{source, QStringLiteral("F"), {}};
    std::atomic<int> stop{0};
    const BatchExportResult result =
        runLoop(jobFor(dir.path(), QStringLiteral("F"), 10), std::ref(filler), stop);
    EXPECT_EQ(result.filled, 10);
    EXPECT_EQ(result.filesWritten, 10);
    EXPECT_TRUE(result.allWritten());
    EXPECT_FALSE(result.stopped);
    EXPECT_EQ(filler.records, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(filesIn(dir.path()), cardNames(1, 10));
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(centreOf(cardexport::batchFilePath(dir.path(), i + 1, QStringLiteral("png"))),
                  rgbOf(fakecards::recordColour(i)));
    }
    EXPECT_EQ(list_count.load(), 10);
    EXPECT_EQ(curr_barcode_count.load(), 10.0);
}

TEST(BatchExportLoop, SidesAndFormatsNameTheFiles) {
    struct Case {
        const char* side;
        bool combined;
        const char* extension;
        QStringList files;
    };
    const Case cases[] = {
        {"F", false, "png", {"Card_1.png", "Card_2.png"}},
        {"B", false, "png", {"Card_1_Back.png", "Card_2_Back.png"}},
        {"BOTH", false, "png", {"Card_1.png", "Card_1_Back.png", "Card_2.png", "Card_2_Back.png"}},
        {"BOTH", true, "png", {"Card_1.png", "Card_2.png"}},
        {"F", false, "TIFF", {"Card_1.TIFF", "Card_2.TIFF"}},
        {"F", false, "jpg", {"Card_1.jpg", "Card_2.jpg"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.side) + (c.combined ? " combined " : " ") + c.extension);
        QTemporaryDir dir;
        fakecards::BatchSource source(colouredRecords(2), {});
        Filler filler{source, QString::fromLatin1(c.side), {}};
        std::atomic<int> stop{0};
        BatchExportJob job = jobFor(dir.path(), filler.side, 2, QString::fromLatin1(c.extension));
        job.request.combined = c.combined;
        const BatchExportResult result = runLoop(job, std::ref(filler), stop);
        EXPECT_TRUE(result.allWritten());
        QStringList expected = c.files;
        expected.sort();
        EXPECT_EQ(filesIn(dir.path()), expected);
    }
}

TEST(BatchExportLoop, FileContentsFollowTheSide) {
    QTemporaryDir dir;
    fakecards::BatchSource source(colouredRecords(2), {});
    Filler filler{source, QStringLiteral("BOTH"), {}};
    std::atomic<int> stop{0};
    BatchExportJob job = jobFor(dir.path(), QStringLiteral("BOTH"), 2);
    job.request.combined = true;
    job.request.dotsPerInch = 300;
    ASSERT_TRUE(runLoop(job, std::ref(filler), stop).allWritten());
    // Record 2: its front above its back, at 300 dpi (60 x 80 pt).
    const QImage both(dir.filePath(QStringLiteral("Card_2.png")));
    ASSERT_FALSE(both.isNull());
    EXPECT_EQ(both.size(), QSize(250, 333));
    EXPECT_NEAR(both.dotsPerMeterX() * 0.0254, 300, 0.5);
    EXPECT_EQ(both.pixel(125, 40), rgbOf(fakecards::recordColour(1)));
    EXPECT_EQ(both.pixel(125, 290), rgbOf(fakecards::recordColour(1).darker(200)));

    // The back alone is the record's back picture; TIFF and JPEG bytes.
    QTemporaryDir other;
    Filler backs{source, QStringLiteral("B"), {}};
    ASSERT_TRUE(
        runLoop(jobFor(other.path(), QStringLiteral("B"), 1), std::ref(backs), stop).allWritten());
    EXPECT_EQ(centreOf(other.filePath(QStringLiteral("Card_1_Back.png"))),
              rgbOf(fakecards::recordColour(0).darker(200)));
    for (const auto& [extension, magic] :
         {std::pair{QStringLiteral("TIFF"), QByteArrayLiteral("II*")},
          std::pair{QStringLiteral("jpg"), QByteArrayLiteral("\xFF\xD8\xFF")}}) {
        QTemporaryDir typed;
        Filler fronts{source, QStringLiteral("F"), {}};
        ASSERT_TRUE(
            runLoop(jobFor(typed.path(), QStringLiteral("F"), 1, extension), std::ref(fronts), stop)
                .allWritten());
        QFile file(typed.filePath(QStringLiteral("Card_1.") + extension));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.read(3).startsWith(magic)) << extension.toStdString();
    }
}

TEST(BatchExportLoop, StopLeavesAGaplessPrefixAndFillsNothingMore) {
    QTemporaryDir dir;
    fakecards::BatchSource source(colouredRecords(10), {});
    std::atomic<int> stop{0};
    std::vector<int> filled;
    // The stop arrives while record 3 is being filled.
    const auto fill = [&](int record) {
        filled.push_back(record);
        if (record == 2) {
            stop = 1;
        }
        BatchPictures pictures;
        pictures.front = source.picture(record, CardSide::Front);
        return pictures;
    };
    const BatchExportResult result =
        runLoop(jobFor(dir.path(), QStringLiteral("F"), 10), fill, stop);
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(result.filled, 3);
    EXPECT_EQ(filled, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(filesIn(dir.path()), cardNames(1, 3));
    EXPECT_TRUE(result.allWritten());

    // A fill that finds the flag set instead of filling ends the run too.
    QTemporaryDir second;
    std::atomic<int> never{0};
    const auto refusing = [&](int record) {
        BatchPictures pictures;
        pictures.filled = record < 2;
        pictures.front = pictures.filled ? source.picture(record, CardSide::Front) : CardPicture();
        return pictures;
    };
    const BatchExportResult refused =
        runLoop(jobFor(second.path(), QStringLiteral("F"), 10), refusing, never);
    EXPECT_TRUE(refused.stopped);
    EXPECT_EQ(filesIn(second.path()), cardNames(1, 2));
}

TEST(BatchExportLoop, FailuresAreCountedAndTheRunGoesOn) {
    testsupport::ScriptedAlerts alerts;
    QTemporaryDir dir;
    // Card_2.png cannot be written: a folder holds its name.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Card_2.png")));
    std::vector<CardPicture> fronts = colouredRecords(4);
    fronts[3] = CardPicture(); // record 4 does not render
    fakecards::BatchSource source(std::move(fronts), {});
    Filler filler{source, QStringLiteral("F"), {}};
    std::atomic<int> stop{0};
    const BatchExportResult result =
        runLoop(jobFor(dir.path(), QStringLiteral("F"), 4), std::ref(filler), stop);
    EXPECT_EQ(result.filled, 4);
    EXPECT_EQ(result.filesWritten, 2);
    EXPECT_EQ(result.filesFailed, 2);
    EXPECT_FALSE(result.allWritten());
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("Card_1.png"))));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("Card_3.png"))));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("Card_4.png"))));
    EXPECT_EQ(result.failedFiles,
              QStringList({QStringLiteral("Card_2.png"), QStringLiteral("Card_4.png")}));
    ASSERT_EQ(alerts.texts().size(), 1);
    EXPECT_TRUE(alerts.texts().first().contains(dir.filePath(QStringLiteral("Card_2.png"))));
}

TEST(BatchExportLoop, AFillThatThrowsEndsTheRun) {
    QTemporaryDir dir;
    fakecards::BatchSource source(colouredRecords(5), {}, {2});
    Filler filler{source, QStringLiteral("F"), {}};
    std::atomic<int> stop{0};
    const BatchExportResult result =
        runLoop(jobFor(dir.path(), QStringLiteral("F"), 5), std::ref(filler), stop);
    EXPECT_TRUE(result.aborted);
    EXPECT_FALSE(result.allWritten());
    EXPECT_EQ(result.filled, 2);
    EXPECT_EQ(filesIn(dir.path()), cardNames(1, 2));
}

// ---- The run of the export command ----

// A host whose batch is a fake source of coloured records.
// Records in `blank` draw nothing, records in `failing` throw.
class BatchHost : public FakeOutputHost {
public:
    std::unique_ptr<CardSource> batchSource(const BatchState&, bool printing) override {
        EXPECT_FALSE(printing);
        std::vector<CardPicture> fronts = colouredRecords(state.Total_Batch_Excel_Card);
        for (int record : blank) {
            fronts.at(size_t(record)) = CardPicture();
        }
        auto source = std::make_unique<fakecards::BatchSource>(
            std::move(fronts), fakecards::solid(kCard, Qt::gray), failing);
        last = source.get();
        return source;
    }
    fakecards::BatchSource* last = nullptr;
    QSet<int> blank;
    QSet<int> failing;
};

template <typename Done> bool spinUntil(Done done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 60000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return done();
}

class BatchExportRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.state.Use_Data_Sheet_Values = true;
        host.state.Total_Batch_Excel_Card = 10;
        OutputHost::setCurrent(&host);
        ExportWindow::defaultInstance();
        QCoreApplication::processEvents();
        env.setRunner(
            [](QDialog& running) { return dynamic_cast<ExportWindow*>(&running) ? 1 : 0; });
        hooks::setOpenPanel([this](const hooks::OpenPanelRequest& request) {
            EXPECT_TRUE(request.chooseFolders);
            return QStringList{chosen};
        });
        Card_Front_Or_Back = 1;
        Export_File_Path.clear();
        Export_File_Message.clear();
    }
    void TearDown() override {
        Card_Front_Or_Back = 0;
        Stop_SMS_Sending_Now = 0;
    }
    QString runFolder() const { return QDir(chosen).filePath(QStringLiteral("VOSK Festoria")); }
    // Starts the command and serves the worker until the run has ended.
    bool exportAndWait() {
        BatchExporter* exporter = BatchExporter::defaultInstance();
        bool finished = false;
        const auto connection =
            QObject::connect(exporter, &BatchExporter::runFinished, [&] { finished = true; });
        output::Export_Button();
        const bool ended = spinUntil([&] { return finished || !exporter->isRunning(); });
        QObject::disconnect(connection);
        return ended;
    }

    OutputWindowsEnvironment env;
    BatchHost host;
    QTemporaryDir dir;
    QString chosen = dir.path();
};

TEST_F(BatchExportRunTest, EveryRecordWrittenThenThePrompt) {
    Send_Modeless* sheet = Send_Modeless::defaultInstance();
    bool sheetShown = false;
    const auto watch =
        QObject::connect(BatchExporter::defaultInstance(), &BatchExporter::recordFilled,
                         [&] { sheetShown = sheetShown || sheet->isVisible(); });
    ASSERT_TRUE(exportAndWait());
    QObject::disconnect(watch);
    EXPECT_TRUE(sheetShown);
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(sheet->_tot_msg_cnt->text(), QStringLiteral("10"));
    EXPECT_EQ(sheet->_curr_msg_cnt->text(), QStringLiteral("10 / 10 "));
    EXPECT_EQ(filesIn(runFolder()), cardNames(1, 10));
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(centreOf(QDir(runFolder()).filePath(QStringLiteral("Card_%1.png").arg(i + 1))),
                  rgbOf(fakecards::recordColour(i)))
            << i;
    }
    EXPECT_EQ(host.fileBoxes, 1);
    EXPECT_EQ(Export_File_Path, runFolder());
    EXPECT_EQ(Export_File_Message, QStringLiteral("Card has been exported successfully."));
    EXPECT_EQ(Card_Front_Or_Back.load(), 1);
}

TEST_F(BatchExportRunTest, StopAfterThreeLeavesThreeFiles) {
    testsupport::ScriptedAlerts alerts({1});
    Send_Modeless* sheet = Send_Modeless::defaultInstance();
    int lastFilled = 0;
    const auto stopper = QObject::connect(
        BatchExporter::defaultInstance(), &BatchExporter::recordFilled, [&](int number) {
            lastFilled = number;
            if (number == 3) {
                QTest::mouseClick(sheet->_stop_btn, Qt::LeftButton);
            }
        });
    ASSERT_TRUE(exportAndWait());
    QObject::disconnect(stopper);
    EXPECT_EQ(lastFilled, 3);
    EXPECT_EQ(filesIn(runFolder()), cardNames(1, 3));
    EXPECT_FALSE(sheet->isVisible());
    ASSERT_NE(host.last, nullptr);
    EXPECT_EQ(BatchExporter::defaultInstance()->lastResult().filled, 3);
    EXPECT_TRUE(BatchExporter::defaultInstance()->lastResult().stopped);
    EXPECT_EQ(Card_Front_Or_Back.load(), 1);
    // The files written are all there: the run still reports success.
    EXPECT_EQ(host.fileBoxes, 1);
    EXPECT_EQ(alerts.texts().size(), 1);
}

TEST_F(BatchExportRunTest, AFailedWriteEndsWithoutTheSuccessPrompt) {
    testsupport::ScriptedAlerts alerts;
    ASSERT_TRUE(QDir(runFolder()).mkpath(QStringLiteral("Card_4.png")));
    ASSERT_TRUE(exportAndWait());
    EXPECT_EQ(host.fileBoxes, 0);
    EXPECT_TRUE(Export_File_Message.isEmpty());
    // The write's own message, then the end of the run names the file.
    ASSERT_EQ(alerts.texts().size(), 2);
    EXPECT_TRUE(alerts.texts().first().contains(QStringLiteral("Card_4.png")));
    EXPECT_EQ(alerts.texts().last().trimmed(),
              QStringLiteral("1 of 10 card pictures were not written in\n%1\n\nCard_4.png")
                  .arg(runFolder()));
    // The others were written.
    QStringList expected = cardNames(1, 10);
    EXPECT_EQ(filesIn(runFolder()), expected);
    EXPECT_TRUE(QFileInfo(QDir(runFolder()).filePath(QStringLiteral("Card_4.png"))).isDir());
    EXPECT_FALSE(Send_Modeless::defaultInstance()->isVisible());
}

// A record that draws nothing and a record that cannot be filled: the run
// ends with a message naming what was not written, and no success prompt.
TEST_F(BatchExportRunTest, WhatWasNotWrittenIsSaidAtTheEnd) {
    struct Case {
        QSet<int> blank;
        QSet<int> failing;
        QString message; // %1: the run's folder
        int files;
    };
    const Case cases[] = {
        {{3, 7},
         {},
         QStringLiteral("2 of 10 card pictures were not written in\n%1\n\nCard_4.png\nCard_8.png"),
         8},
        {{},
         {2},
         QStringLiteral("The export ended early after 2 of 10 records:\nrecord cannot be filled"),
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        QTemporaryDir folder;
        chosen = folder.path();
        host.blank = c.blank;
        host.failing = c.failing;
        host.fileBoxes = 0;
        testsupport::ScriptedAlerts alerts;
        ASSERT_TRUE(exportAndWait());
        EXPECT_EQ(host.fileBoxes, 0);
        ASSERT_EQ(alerts.texts().size(), 1);
        EXPECT_EQ(alerts.texts().first().trimmed(),
                  QString(c.message).replace(QStringLiteral("%1"), runFolder()));
        EXPECT_EQ(filesIn(runFolder()).size(), c.files);
    }
}

TEST_F(BatchExportRunTest, NoRecordsStillMakesTheFolderAndReports) {
    host.state.Total_Batch_Excel_Card = 0;
    ASSERT_TRUE(exportAndWait());
    EXPECT_TRUE(QFileInfo(runFolder()).isDir());
    EXPECT_TRUE(filesIn(runFolder()).isEmpty());
    EXPECT_EQ(host.fileBoxes, 1);
    EXPECT_EQ(Export_File_Path, runFolder());
}

TEST_F(BatchExportRunTest, AFolderThatCannotBeMadeStopsBeforeTheSheet) {
    testsupport::ScriptedAlerts alerts;
    QFile blocker(dir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    chosen = blocker.fileName();
    output::Export_Button();
    EXPECT_FALSE(BatchExporter::defaultInstance()->isRunning());
    EXPECT_FALSE(Send_Modeless::defaultInstance()->isVisible());
    ASSERT_EQ(alerts.texts().size(), 1);
    EXPECT_TRUE(alerts.texts().first().contains(QStringLiteral("Unable to continue saving")));
    EXPECT_EQ(host.fileBoxes, 0);
}

TEST_F(BatchExportRunTest, OneRunAtATime) {
    BatchExporter* exporter = BatchExporter::defaultInstance();
    int starts = 0;
    const auto again = QObject::connect(exporter, &BatchExporter::recordFilled, [&](int number) {
        if (number == 1) {
            // A second export command and a second start while the run goes on.
            output::Export_Button();
            starts += exporter->start(dir.path(), ExportRequest(), nullptr, nullptr) ? 1 : 0;
        }
    });
    ASSERT_TRUE(exportAndWait());
    QObject::disconnect(again);
    EXPECT_EQ(starts, 0);
    EXPECT_EQ(filesIn(runFolder()), cardNames(1, 10));
    EXPECT_EQ(host.fileBoxes, 1);
}

} // namespace
