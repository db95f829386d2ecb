#include "PrintQueue.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QThread>

namespace print_queue {

QString folder(QString* whyNot) {
    const QString out = qEnvironmentVariable("CARD_CUPS_PDF_OUT");
    if (out.isEmpty()) {
        *whyNot = QStringLiteral("no cups-pdf print queue set up (.ci/run sets one up and names "
                                 "its folder in CARD_CUPS_PDF_OUT)");
    } else if (QPrinterInfo::printerInfo(QStringLiteral("PDF")).isNull()) {
        *whyNot = QStringLiteral("the print system lists no queue named PDF");
        return {};
    }
    return out;
}

QString waitForPdf(const QString& folder, const QString& title) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 120000) {
        QDirIterator it(folder, {title + QStringLiteral("*.pdf")}, QDir::Files,
                        QDirIterator::Subdirectories);
        if (it.hasNext()) {
            const QString found = it.next();
            // Written by the backend: complete once it stops growing.
            for (qint64 size = -1; QFileInfo(found).size() != size;) {
                size = QFileInfo(found).size();
                QThread::msleep(500);
            }
            return found;
        }
        QThread::msleep(200);
    }
    return {};
}

} // namespace print_queue
