#include "output/BatchExporter.h"

#include "core/MessageFunctions.h"
#include "core/globals.h"
#include "output/OutputHost.h"
#include "output/Send_Modeless.h"
#include "widgets/AppOwned.h"

#include <QCoreApplication>
#include <algorithm>
#include <exception>

QPointer<BatchExporter> BatchExporter::DefaultInstance;

BatchExporter* BatchExporter::defaultInstance() {
    return appOwnedInstance(DefaultInstance);
}

BatchExporter::BatchExporter() {
    msend_modTimer.setInterval(500);
    connect(&msend_modTimer, &QTimer::timeout, this, &BatchExporter::showProgress);
}

BatchExporter::~BatchExporter() {
    if (!m_running) {
        return;
    }
    // The worker may be waiting for a record filled on this thread: keep
    // serving it until the run has ended.
    Stop_SMS_Sending_Now = 1;
    while (m_running) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

bool BatchExporter::start(const QString& folder, const ExportRequest& request,
                          std::unique_ptr<CardSource> source, QWidget* sheetParent) {
    if (m_running) {
        return false;
    }
    Stop_SMS_Sending_Now = 0;
    const QString runFolder = cardexport::makeBatchFolder(folder);
    if (runFolder.isEmpty()) {
        return false;
    }
    m_job = BatchExportJob();
    m_job.folder = runFolder;
    m_job.request = request;
    m_job.recordCount = source ? std::max(0, source->recordCount()) : 0;
    m_source = std::move(source);
    m_savedSide = Card_Front_Or_Back.load();
    m_result = BatchExportResult();

    list_count = m_job.recordCount;
    curr_barcode_count = 0.0;
    Send_Modeless* sheet = Send_Modeless::defaultInstance();
    sheet->prepare(m_job.recordCount);
    sheet->Show_One_By_One_Modeless(sheetParent);
    msend_modTimer.start();

    m_running = true;
    m_worker = std::thread([this] {
        const BatchExportResult result = cardexport::runBatchExport(
            m_job, [this](int record) { return fillRecord(record); }, Stop_SMS_Sending_Now);
        QMetaObject::invokeMethod(
            this, [this, result] { finishRun(result); }, Qt::QueuedConnection);
    });
    return true;
}

BatchPictures BatchExporter::fillRecord(int record) {
    BatchPictures pictures;
    std::exception_ptr failure;
    // Filling and the snapshot rewrite and read the design: GUI thread only.
    QMetaObject::invokeMethod(
        this,
        [&] {
            // A Stop answered while this call waited fills nothing more.
            if (Stop_SMS_Sending_Now.load() != 0 || !m_source) {
                pictures.filled = false;
                return;
            }
            try {
                const QString& side = m_job.request.side;
                if (side == QLatin1String("BOTH")) {
                    pictures.back = m_source->picture(record, CardSide::Back);
                    pictures.front = m_source->picture(record, CardSide::Front);
                } else if (side == QLatin1String("F")) {
                    pictures.front = m_source->picture(record, CardSide::Front);
                } else {
                    pictures.back = m_source->picture(record, CardSide::Back);
                }
            } catch (...) {
                failure = std::current_exception();
                return;
            }
            emit recordFilled(record + 1);
        },
        Qt::BlockingQueuedConnection);
    if (failure) {
        std::rethrow_exception(failure);
    }
    return pictures;
}

void BatchExporter::showProgress() {
    Send_Modeless::defaultInstance()->update_sending_progress_bar(curr_barcode_count.load(),
                                                                  list_count.load());
}

void BatchExporter::finishRun(BatchExportResult result) {
    if (m_worker.joinable()) {
        m_worker.join();
    }
    msend_modTimer.stop();
    showProgress();
    Send_Modeless::defaultInstance()->Hide_One_By_One_Modeless();
    // Record 0 back into the design, then the side the run began on.
    if (m_source) {
        try {
            m_source->finish();
        } catch (const std::exception& e) {
            Show_NSLog_Message(QString::fromUtf8(e.what()));
        }
        m_source.reset();
    }
    Card_Front_Or_Back = m_savedSide;
    m_result = result;
    m_running = false;

    const bool allWritten = result.allWritten();
    if (!allWritten) {
        // What was not written is said, never only logged.
        QStringList parts;
        if (result.aborted) {
            Show_NSLog_Message(result.abortReason);
            parts << (result.abortReason.isEmpty()
                          ? QStringLiteral("The export ended early after %1 of %2 records.")
                                .arg(result.filled)
                                .arg(m_job.recordCount)
                          : QStringLiteral("The export ended early after %1 of %2 records:\n%3")
                                .arg(result.filled)
                                .arg(m_job.recordCount)
                                .arg(result.abortReason));
        }
        if (result.filesFailed > 0) {
            Show_NSLog_Message(
                QStringLiteral("%1 of the batch's card pictures could not be written.")
                    .arg(result.filesFailed));
            parts << cardexport::batchNotWrittenMessage(m_job.folder, result.failedFiles,
                                                        result.filesWritten + result.filesFailed);
        }
        Show_MessageBox(parts.join(QStringLiteral("\n\n")));
    } else {
        Export_File_Path = m_job.folder;
        Export_File_Message = kExportSuccessMessage;
        if (OutputHost* host = OutputHost::current()) {
            host->Open_Export_File_Box();
        }
    }
    emit runFinished(allWritten);
}

namespace output {

void Export_Batch_File(const QString& folder, const ExportRequest& request,
                       const BatchState& state) {
    BatchExporter* exporter = BatchExporter::defaultInstance();
    if (exporter->isRunning()) {
        return;
    }
    OutputHost* host = OutputHost::current();
    std::unique_ptr<CardSource> source = host ? host->batchSource(state, false) : nullptr;
    exporter->start(folder, request, std::move(source), host ? host->mainWindow() : nullptr);
}

} // namespace output
