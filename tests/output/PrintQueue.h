#pragma once
// The cups-pdf queue "PDF" that .ci/run sets up, for tests that spool a
// print through a real print system.

#include <QString>

namespace print_queue {

// The folder the queue writes into; empty, with the reason in `whyNot`,
// when no such queue is set up here.
QString folder(QString* whyNot);

// The PDF cups-pdf wrote for the job named `title` (it names its files
// after the job), once it has stopped growing; empty when none arrives
// within two minutes.
QString waitForPdf(const QString& folder, const QString& title);

} // namespace print_queue
