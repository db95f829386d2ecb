#include "output/core/BatchExport.h"

#include "core/MessageFunctions.h"

#include <QDir>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>
#include <algorithm>
#include <exception>

namespace cardexport {

QString batchFilePath(const QString& folder, int number, const QString& extension) {
    return QDir(folder).filePath(QStringLiteral("Card_%1.%2").arg(number).arg(extension));
}

namespace {

// Files written and failed by the pool jobs.
struct Tally {
    std::atomic<int> written{0};
    std::atomic<int> failed{0};

    void count(bool ok) { ++(ok ? written : failed); }
};

// Writes one record's files as the request says: "BOTH" the back (unless
// combined) under the back name and the front (or the combined picture)
// under the record's name; "F" the front; anything else the back under the
// back name.
void writeRecord(const ExportRequest& request, const QString& path, const BatchPictures& pictures,
                 Tally& tally) {
    const double dpi = request.dotsPerInch;
    if (request.side == QLatin1String("BOTH")) {
        if (request.combined) {
            tally.count(Export_Combined_Image(pictures.front, pictures.back, path, dpi));
            return;
        }
        tally.count(writeSide(pictures.back, Create_Back_Card_Path(path), dpi));
        tally.count(writeSide(pictures.front, Create_Front_Card_Path(path), dpi));
        return;
    }
    if (request.side == QLatin1String("F")) {
        tally.count(writeSide(pictures.front, path, dpi));
        return;
    }
    tally.count(writeSide(pictures.back, Create_Back_Card_Path(path), dpi));
}

} // namespace

BatchExportResult runBatchExport(const BatchExportJob& job,
                                 const std::function<BatchPictures(int record)>& fill,
                                 const std::atomic<int>& stop) {
    BatchExportResult result;
    const int jobs = job.maxJobs > 0 ? job.maxJobs : std::max(1, QThread::idealThreadCount());
    QThreadPool pool;
    pool.setMaxThreadCount(jobs);
    // Records waiting for a pool job at most: enough to keep every job busy
    // while the next record is filled, without holding the whole batch.
    QSemaphore room(2 * jobs);
    Tally tally;
    list_count = job.recordCount;
    curr_barcode_count = 0.0;
    try {
        for (int i = 0; i < job.recordCount; ++i) {
            if (stop.load() != 0) {
                result.stopped = true;
                break;
            }
            curr_barcode_count = i + 1;
            BatchPictures pictures = fill(i);
            if (!pictures.filled) {
                result.stopped = true;
                break;
            }
            ++result.filled;
            room.acquire();
            const QString path = batchFilePath(job.folder, i + 1, job.request.extension);
            pool.start([&job, &tally, &room, path, pictures = std::move(pictures)] {
                try {
                    writeRecord(job.request, path, pictures, tally);
                } catch (const std::exception& e) {
                    Show_NSLog_Message(QString::fromUtf8(e.what()));
                    tally.count(false);
                } catch (...) {
                    tally.count(false);
                }
                room.release();
            });
        }
    } catch (const std::exception& e) {
        result.aborted = true;
        result.abortReason = QString::fromUtf8(e.what());
    } catch (...) {
        result.aborted = true;
    }
    pool.waitForDone();
    result.filesWritten = tally.written.load();
    result.filesFailed = tally.failed.load();
    return result;
}

} // namespace cardexport
