#pragma once
// The batch export run of the export command: makes the run's folder, shows
// the progress sheet, and runs the export loop on a worker thread. Every
// record is filled and snapshot on the GUI thread (the worker waits); the
// sheet's progress comes from a GUI timer over the loop's atomics. At the
// end the sheet closes, record 0 goes back into the design, the side is
// restored, and the open-the-file prompt follows only when every file was
// written. One run at a time.

#include "output/core/BatchExport.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <thread>

class CardSource;
class QWidget;
struct BatchState;

class BatchExporter : public QObject {
    Q_OBJECT

public:
    // The one instance (made on first use, on the GUI thread; deleted when
    // the application quits).
    static BatchExporter* defaultInstance();

    BatchExporter();
    ~BatchExporter() override;

    // Starts a run over `source` into a new "VOSK Festoria" folder inside
    // `folder`, with the sheet over `sheetParent`. Answers false (nothing
    // started) while a run is under way or when the folder cannot be made
    // (unable_saving_Msg shown).
    bool start(const QString& folder, const ExportRequest& request,
               std::unique_ptr<CardSource> source, QWidget* sheetParent);
    bool isRunning() const { return m_running; }
    // The folder of the last run.
    QString runFolder() const { return m_job.folder; }
    const BatchExportResult& lastResult() const { return m_result; }

signals:
    // On the GUI thread, right after record `number` (from 1) was filled.
    void recordFilled(int number);
    // On the GUI thread, after the run has ended and its prompt was shown.
    void runFinished(bool allWritten);

private:
    BatchPictures fillRecord(int record);
    void showProgress();
    void finishRun(BatchExportResult result);

    BatchExportJob m_job;
    BatchExportResult m_result;
    std::unique_ptr<CardSource> m_source;
    std::thread m_worker;
    QTimer msend_modTimer;
    int m_savedSide = 0;
    bool m_running = false;
    static QPointer<BatchExporter> DefaultInstance;
};

namespace output {

// Export_Batch_File: the batch run with the card source of the design's
// records (the state's flags and count as the export window left them).
void Export_Batch_File(const QString& folder, const ExportRequest& request,
                       const BatchState& state);

} // namespace output
