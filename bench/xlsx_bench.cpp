// Workbook reading and writing speed: first-row and full read of a
// 100,000 x 10 sheet, the same read by openpyxl's read-only mode for
// comparison, and writing 10,000 values. Peak memory is reported as
// "peak_MB" (run one benchmark per process with --benchmark_filter to see
// each one's own peak).

#include "core/globals.h"
#include "dataseries/SpreadsheetWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int benchRows = 100000;
constexpr int benchColumns = 10;

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// A private temporary folder, the project's resources, and the workbook.
struct BenchFiles {
    QTemporaryDir dir;
    QString workbook;

    BenchFiles() {
        qputenv("TMPDIR", QFile::encodeName(dir.path()));
        Resource_Path = QDir(QStringLiteral(CARD_SOURCE_DIR)).filePath(QStringLiteral("resources"));
        spreadsheet.reset();
        workbook = dir.filePath(QStringLiteral("big.xlsx"));
        // Made in a child process, so the peaks reported are the reader's.
        const pid_t child = fork();
        if (child == 0) {
            _exit(makeWorkbook(workbook) ? 0 : 1);
        }
        int status = 0;
        waitpid(child, &status, 0);
    }

    static bool makeWorkbook(const QString& workbook) {
        SpreadsheetWriter::Rows rows;
        rows.reserve(benchRows + 1);
        QStringList titles;
        for (int c = 1; c <= benchColumns; ++c) {
            titles << QStringLiteral("Title %1").arg(c);
        }
        rows.append(titles);
        for (int r = 1; r <= benchRows; ++r) {
            QStringList row;
            for (int c = 0; c < benchColumns; ++c) {
                row << (c % 2 == 0 ? QStringLiteral("Guest %1 field %2").arg(r).arg(c)
                                   : QString::number(r * 37 + c));
            }
            rows.append(row);
        }
        return SpreadsheetWriter::WriteWorkbook(workbook, rows, true);
    }
};

BenchFiles& files() {
    static BenchFiles instance;
    return instance;
}

void BM_FirstRowRead(benchmark::State& state) {
    const QString path = files().workbook;
    for (auto _ : state) {
        SpreadsheetWriter::ReadWorkbook(path, 1);
        Excel_Sheet_Number = 1;
        benchmark::DoNotOptimize(SpreadsheetWriter::ReadData_only_column());
    }
    state.counters["columns"] = Excel_Sheet_Columns;
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_FirstRowRead)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_FullRead(benchmark::State& state) {
    const QString path = files().workbook;
    qsizetype rows = 0;
    for (auto _ : state) {
        SpreadsheetWriter::ReadWorkbook(path, 1);
        Excel_Sheet_Number = 1;
        SpreadsheetWriter::ReadData_only_column();
        rows = SpreadsheetWriter::ReadWorkbook(path, 0).size();
    }
    state.counters["rows"] = double(rows);
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_FullRead)->Unit(benchmark::kMillisecond)->Iterations(3);

// openpyxl's read-only mode over the same file; its own timing of loading
// and iterating every row (interpreter start-up left out).
void BM_OpenpyxlReadOnly(benchmark::State& state) {
    const QString python = QStringLiteral("/usr/bin/python3");
    if (!QFileInfo(python).isExecutable()) {
        state.SkipWithError("/usr/bin/python3 not installed");
        return;
    }
    const QString script =
        QStringLiteral("import sys, time, openpyxl\n"
                       "t = time.perf_counter()\n"
                       "wb = openpyxl.load_workbook(sys.argv[1], read_only=True)\n"
                       "n = sum(1 for _ in wb.worksheets[0].iter_rows(values_only=True))\n"
                       "print(time.perf_counter() - t, n)\n");
    const QString path = files().workbook;
    for (auto _ : state) {
        QProcess process;
        process.start(python, {QStringLiteral("-c"), script, path});
        if (!process.waitForFinished(600000) || process.exitCode() != 0) {
            state.SkipWithError("openpyxl did not run");
            return;
        }
        const QList<QByteArray> out = process.readAllStandardOutput().trimmed().split(' ');
        state.SetIterationTime(out.value(0).toDouble());
        state.counters["rows"] = out.value(1).toDouble();
    }
}
BENCHMARK(BM_OpenpyxlReadOnly)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

void BM_Write10000Values(benchmark::State& state) {
    files();
    SpreadsheetWriter::Rows rows;
    rows.append({QStringLiteral("Batch Value")});
    for (int i = 0; i < 10000; ++i) {
        rows.append({i % 2 == 0 ? QStringLiteral("Value %1").arg(i) : QString::number(i)});
    }
    const QString target = files().dir.filePath(QStringLiteral("written.xlsx"));
    for (auto _ : state) {
        if (!SpreadsheetWriter::WriteWorkbook(target, rows, true)) {
            state.SkipWithError("write failed");
            return;
        }
    }
}
BENCHMARK(BM_Write10000Values)->Unit(benchmark::kMillisecond);

} // namespace
