#include "output/core/BatchExport.h"

#include "core/MessageFunctions.h"

#include <QDir>
#include <QFileInfo>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>
#include <algorithm>
#include <exception>
#include <mutex>
#include <utility>
#include <vector>

namespace cardexport {

QString batchFilePath(const QString& folder, int number, const QString& extension) {
    return QDir(folder).filePath(QStringLiteral("Card_%1.%2").arg(number).arg(extension));
}

namespace {

// Files written and failed by the pool jobs, and the names of the failed
// ones with their record.
struct Tally {
    std::atomic<int> written{0};
    std::atomic<int> failed{0};
    std::mutex mutex;
    std::vector<std::pair<int, QString>> failedFiles;

    void count(bool ok, int record, const QString& path) {
        ++(ok ? written : failed);
        if (!ok) {
            std::lock_guard lock(mutex);
            failedFiles.emplace_back(record, QFileInfo(path).fileName());
        }
    }
};

// Writes one record's files as the request says: "BOTH" the back (unless
// combined) under the back name and the front (or the combined picture)
// under the record's name; "F" the front; anything else the back under the
// back name.
void writeRecord(const ExportRequest& request, int record, const QString& path,
                 const BatchPictures& pictures, Tally& tally) {
    const double dpi = request.dotsPerInch;
    if (request.side == QLatin1String("BOTH")) {
        if (request.combined) {
            tally.count(Export_Combined_Image(pictures.front, pictures.back, path, dpi), record,
                        path);
            return;
        }
        const QString back = Create_Back_Card_Path(path);
        tally.count(writeSide(pictures.back, back, dpi), record, back);
        const QString front = Create_Front_Card_Path(path);
        tally.count(writeSide(pictures.front, front, dpi), record, front);
        return;
    }
    if (request.side == QLatin1String("F")) {
        tally.count(writeSide(pictures.front, path, dpi), record, path);
        return;
    }
    const QString back = Create_Back_Card_Path(path);
    tally.count(writeSide(pictures.back, back, dpi), record, back);
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
            pool.start([&job, &tally, &room, i, path, pictures = std::move(pictures)] {
                try {
                    writeRecord(job.request, i, path, pictures, tally);
                } catch (const std::exception& e) {
                    Show_NSLog_Message(QString::fromUtf8(e.what()));
                    tally.count(false, i, path);
                } catch (...) {
                    tally.count(false, i, path);
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
    // In record order, whatever order the pool jobs ended in.
    std::sort(tally.failedFiles.begin(), tally.failedFiles.end());
    for (const auto& file : tally.failedFiles) {
        result.failedFiles << file.second;
    }
    return result;
}

} // namespace cardexport
