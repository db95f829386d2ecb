#pragma once
// The batch export loop, free of widgets: one picture file per data record
// in a folder, Card_1 ... Card_N. Records are filled and snapshot by a
// service (the caller runs it on the GUI thread); rasterising, encoding and
// writing run on a pool of at most QThread::idealThreadCount() jobs, as a
// snapshot no longer touches the design. The stop flag is read before every
// record, so a stopped run leaves the files Card_1 ... Card_k of the k
// records filled, and no record after the stop is filled.

#include "output/core/CardExport.h"

#include <QString>
#include <QStringList>
#include <atomic>
#include <cstdint>
#include <functional>

// Items of the running batch, and the number of the item being produced
// (from 1). Written by the run, read by the progress timer.
inline std::atomic<std::int32_t> list_count{0};
inline std::atomic<double> curr_barcode_count{0.0};

// A record's sides as the request asks for them ("B" first when both).
struct BatchPictures {
    CardPicture back;
    CardPicture front;
    // False when the stop flag was found set instead of filling.
    bool filled = true;
};

struct BatchExportJob {
    QString folder; // the run's folder ("VOSK Festoria", made already)
    ExportRequest request;
    int recordCount = 0;
    // Pool jobs at most (0: QThread::idealThreadCount()).
    int maxJobs = 0;
};

struct BatchExportResult {
    int filled = 0;          // records filled
    int filesWritten = 0;    // files written
    int filesFailed = 0;     // files not written (write or rendering failed)
    QStringList failedFiles; // their names, in record order
    bool stopped = false;    // left by the stop flag
    bool aborted = false;    // an exception ended the run
    QString abortReason;
    bool allWritten() const { return !aborted && filesFailed == 0; }
};

namespace cardexport {

// "Card_<number>.<extension>" inside the folder (number from 1).
QString batchFilePath(const QString& folder, int number, const QString& extension);

// Runs the loop on the calling thread (a worker) until every record is done
// or `stop` is set. `fill(record)` answers the record's pictures; an
// exception from it ends the run (aborted). Waits for every pool job before
// it answers. A failed write is reported by Save_gen_image and the run goes
// on.
BatchExportResult runBatchExport(const BatchExportJob& job,
                                 const std::function<BatchPictures(int record)>& fill,
                                 const std::atomic<int>& stop);

} // namespace cardexport
