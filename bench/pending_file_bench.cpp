// The whole-file writer in a folder that already holds N other files, as a
// batch export of N cards fills its folder: each save looks through the
// folder for the leftovers of its own target before it writes.

#include "platform/PendingFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_WriteWholeInAFullFolder(benchmark::State& state) {
    QTemporaryDir folder;
    const QDir dir(folder.path());
    const QByteArray card(20 * 1024, 'x');
    for (int i = 0; i < state.range(0); ++i) {
        QFile file(dir.filePath(QStringLiteral("card-%1.png").arg(i)));
        if (!file.open(QIODevice::WriteOnly)) {
            state.SkipWithError("cannot fill the folder");
            return;
        }
    }
    const QString target = dir.filePath(QStringLiteral("card-new.png"));
    for (auto _ : state) {
        if (!Write_File_Whole(target, card)) {
            state.SkipWithError("the write failed");
            return;
        }
    }
}
BENCHMARK(BM_WriteWholeInAFullFolder)->Arg(0)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace
