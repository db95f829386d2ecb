// Workbook reading and writing speed. The workbook is the one users bring:
// 100,000 x 10 values under a title row, written by openpyxl's write-only
// mode. Measured: the first-row read alone, the read the import dialogs do
// (unpack and shared strings, first row, all rows) in this process, that
// read as a whole process side by side with openpyxl's read-only mode
// iterating every row (time and peak memory of each process, and their
// ratios), and writing 10,000 values.
//
//   build/bench/xlsx_bench                       all of it
//   build/bench/xlsx_bench --benchmark_filter=SideBySide
//   XLSX_BENCH_READ=book.xlsx build/bench/xlsx_bench --benchmark_filter=^ChildRead
//                                                the child run alone, to profile

#include "common/BenchRun.h"
#include "core/globals.h"
#include "dataseries/SpreadsheetWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <clocale>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int benchRows = 100000;
constexpr int benchColumns = 10;
const char* const readEnv = "XLSX_BENCH_READ"; // set in the child run of this program

// Reads the workbook as the import dialogs do; answers the rows read.
qsizetype readAsTheDialogsDo(const QString& path) {
    SpreadsheetWriter::ReadWorkbook(path, 1);
    Excel_Sheet_Number = 1;
    SpreadsheetWriter::ReadData_only_column();
    return SpreadsheetWriter::ReadWorkbook(path, 0).size();
}

// In a child run of this program (the workbook named in its environment)
// the only benchmark reads the workbook once and ends the process.
void childRead(benchmark::State& state) {
    for (auto _ : state) {
        const qsizetype rows = readAsTheDialogsDo(QString::fromLocal8Bit(std::getenv(readEnv)));
        QFile status(QStringLiteral("/proc/self/status"));
        status.open(QIODevice::ReadOnly);
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmHWM:")) {
                std::printf("%s\n", line.mid(6).trimmed().split(' ').first().constData());
            }
        }
        std::fflush(stdout);
        std::_Exit(rows == benchRows + 1 ? 0 : 1);
    }
}
const bool childRegistered =
    std::getenv(readEnv) && benchmark::RegisterBenchmark("ChildRead", childRead)->Iterations(1);

struct ProcessRun {
    bool ok = false;
    double seconds = 0;
    double peakMegabytes = 0;
};

// Runs a program to its end: its wall time, and the peak resident memory it
// prints as its last line (VmHWM in kB, read from its own /proc status, so
// the starting process's memory is not counted).
ProcessRun runProcess(const QString& program, const QStringList& args,
                      const QByteArray& extraEnv = {}) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!extraEnv.isEmpty()) {
        const qsizetype eq = extraEnv.indexOf('=');
        env.insert(QString::fromLocal8Bit(extraEnv.left(eq)),
                   QString::fromLocal8Bit(extraEnv.mid(eq + 1)));
    }
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    ProcessRun run;
    QElapsedTimer timer;
    timer.start();
    process.start(program, args);
    if (!process.waitForFinished(600000)) {
        return run;
    }
    run.seconds = double(timer.nsecsElapsed()) / 1e9;
    const QList<QByteArray> lines = process.readAllStandardOutput().trimmed().split('\n');
    bool number = false;
    run.peakMegabytes = lines.last().trimmed().toDouble(&number) / 1024.0;
    run.ok = number && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return run;
}

const QString python = QStringLiteral("/usr/bin/python3");

// A private temporary folder, the project's resources, and the workbook.
struct BenchFiles {
    QTemporaryDir dir;
    QString workbook;
    bool made = false;

    BenchFiles() {
        qputenv("TMPDIR", QFile::encodeName(dir.path()));
        Resource_Path = QDir(QStringLiteral(CARD_SOURCE_DIR)).filePath(QStringLiteral("resources"));
        spreadsheet.reset();
        workbook = dir.filePath(QStringLiteral("big.xlsx"));
        const QString script = QStringLiteral(
            "import sys, openpyxl\n"
            "wb = openpyxl.Workbook(write_only=True)\n"
            "ws = wb.create_sheet()\n"
            "ws.append(['Title %d' % c for c in range(1, 11)])\n"
            "for r in range(1, 100001):\n"
            "    ws.append(['Guest %d field %d' % (r, c) if c % 2 == 0 else r * 37 + c\n"
            "               for c in range(10)])\n"
            "wb.save(sys.argv[1])\n");
        made = runProcess(python,
                          {QStringLiteral("-c"), script + QStringLiteral("print(0)\n"), workbook})
                   .ok;
    }
};

BenchFiles& files() {
    static BenchFiles instance;
    return instance;
}

bool haveWorkbook(benchmark::State& state) {
    if (!files().made) {
        state.SkipWithError("python3-openpyxl could not write the workbook");
        return false;
    }
    return true;
}

// The first-row read alone, after the unpack the dialogs do first.
void BM_FirstRowRead(benchmark::State& state) {
    if (!haveWorkbook(state)) {
        return;
    }
    SpreadsheetWriter::ReadWorkbook(files().workbook, 1);
    Excel_Sheet_Number = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SpreadsheetWriter::ReadData_only_column());
    }
    state.counters["columns"] = Excel_Sheet_Columns;
}
BENCHMARK(BM_FirstRowRead)->Unit(benchmark::kMillisecond);

// Unpack and shared strings, first row, all rows, in this process.
void BM_FullRead(benchmark::State& state) {
    if (!haveWorkbook(state)) {
        return;
    }
    qsizetype rows = 0;
    for (auto _ : state) {
        rows = readAsTheDialogsDo(files().workbook);
    }
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_FullRead)->Unit(benchmark::kMillisecond)->Iterations(3);

// Whole processes, one after the other: this program reading as the
// dialogs do, and openpyxl's read-only mode iterating every row.
void BM_SideBySide(benchmark::State& state) {
    if (!haveWorkbook(state)) {
        return;
    }
    const QString script =
        QStringLiteral("import sys, openpyxl\n"
                       "wb = openpyxl.load_workbook(sys.argv[1], read_only=True)\n"
                       "n = sum(1 for _ in wb.worksheets[0].iter_rows(values_only=True))\n"
                       "for line in open('/proc/self/status'):\n"
                       "    if line.startswith('VmHWM:'):\n"
                       "        print(line.split()[1])\n"
                       "sys.exit(0 if n == 100001 else 1)\n");
    const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    ProcessRun ours, theirs;
    for (auto _ : state) {
        ours = runProcess(self, {QStringLiteral("--benchmark_filter=^ChildRead")},
                          QByteArray(readEnv) + '=' + QFile::encodeName(files().workbook));
        theirs = runProcess(python, {QStringLiteral("-c"), script, files().workbook});
        if (!ours.ok || !theirs.ok) {
            state.SkipWithError("a reading process failed");
            return;
        }
        state.SetIterationTime(ours.seconds);
    }
    state.counters["ours_s"] = ours.seconds;
    state.counters["openpyxl_s"] = theirs.seconds;
    state.counters["times_faster"] = theirs.seconds / ours.seconds;
    state.counters["ours_MB"] = ours.peakMegabytes;
    state.counters["openpyxl_MB"] = theirs.peakMegabytes;
    state.counters["memory_ratio"] = ours.peakMegabytes / theirs.peakMegabytes;
}
BENCHMARK(BM_SideBySide)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

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

// Workbooks are read and written with QtCore alone: this program starts a
// core application, not the windowed one of the other benchmark programs,
// so the child run's process costs what a reading process needs.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
