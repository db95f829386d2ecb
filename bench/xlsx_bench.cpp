// Workbook reading and writing speed. The workbook is the one users bring:
// 100,000 x 10 values under a title row, written by openpyxl's write-only
// mode. Measured: the first-row read alone, the read the import dialogs do
// (unpack and shared strings, first row, all rows) in this process, that
// read as a whole process side by side with openpyxl's read-only mode
// iterating every row (time and peak memory of each process, and their
// ratios), and writing 10,000 values. Then two workbooks made here: one
// whose shared strings are 100 MB of XML (plain, rich, escaped, non-ASCII and
// empty strings), read whole by a child process, and a small one whose parts
// unpack to about 900 MB, which the reader refuses (time and peak memory of
// each child process).
//
//   build/bench/xlsx_bench                       all of it
//   build/bench/xlsx_bench --benchmark_filter=SideBySide
//   XLSX_BENCH_READ=book.xlsx build/bench/xlsx_bench --benchmark_filter=^ChildRead
//                                                the child run alone, to profile

#include "common/BenchRun.h"
#include "core/globals.h"
#include "dataseries/SSZipArchive.h"
#include "dataseries/SpreadsheetWriter.h"
#include "dataseries/ZipHandles.h"

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
#include <functional>
#include <optional>

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
        std::printf("%s\n", peakResidentKiB().constData());
        std::fflush(stdout);
        std::_Exit(rows == benchRows + 1 ? 0 : 1);
    }
}
const bool childRegistered =
    std::getenv(readEnv) && benchmark::RegisterBenchmark("ChildRead", childRead)->Iterations(1);

// The child run for the workbooks made below: reads as the dialogs do and
// prints the rows read, whether the workbook was refused as too large and
// whether the temporary folder is empty, then its peak memory.
const char* const madeEnv = "XLSX_BENCH_MADE";
void childReadMade(benchmark::State& state) {
    for (auto _ : state) {
        const qsizetype rows = readAsTheDialogsDo(QString::fromLocal8Bit(std::getenv(madeEnv)));
        const bool empty = QDir(SpreadsheetWriter::shared().tmpDir())
                               .isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        std::printf("%lld %d %d\n", static_cast<long long>(rows),
                    SpreadsheetWriter::WorkbookTooLarge() ? 1 : 0, empty ? 1 : 0);
        std::printf("%s\n", peakResidentKiB().constData());
        std::fflush(stdout);
        std::_Exit(0);
    }
}
const bool madeRegistered =
    std::getenv(madeEnv) && benchmark::RegisterBenchmark("ChildMade", childReadMade)->Iterations(1);

struct ProcessRun {
    bool ok = false;
    double seconds = 0;
    double peakMegabytes = 0;
    QByteArray before; // the line before the peak memory
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
    run.before = lines.size() > 1 ? lines.at(lines.size() - 2).trimmed() : QByteArray();
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

// A part written piece by piece: `write` is called with a sink until it
// answers false.
using PartWriter = std::function<bool(const std::function<void(const QByteArray&)>&)>;

// A workbook of the template's parts, with the sheet and the shared strings
// written by the given writers and deflated at `level` as they are made.
bool makeWorkbook(const QString& path, const PartWriter& sheet, const PartWriter& strings,
                  int level) {
    const QString parts = files().dir.filePath(QStringLiteral("template-parts"));
    if (!SSZipArchive::unzipFileAtPath(
            QDir(Resource_Path).filePath(QStringLiteral("Template.xlsx")), parts)) {
        return false;
    }
    ZipHandle zip(zipOpen64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE));
    if (!zip) {
        return false;
    }
    bool ok = true;
    const auto entry = [&](const QString& name, const PartWriter& write) {
        zip_fileinfo info{};
        ok = ok && zipOpenNewFileInZip64(zip.get(), name.toUtf8().constData(), &info, nullptr, 0,
                                         nullptr, 0, nullptr, Z_DEFLATED, level, 1) == ZIP_OK;
        const auto sink = [&](const QByteArray& bytes) {
            ok = ok && zipWriteInFileInZip(zip.get(), bytes.constData(), unsigned(bytes.size())) ==
                           ZIP_OK;
        };
        while (ok && write(sink)) {
        }
        ok = zipCloseFileInZip(zip.get()) == ZIP_OK && ok;
    };
    const QStringList names = {
        QStringLiteral("[Content_Types].xml"), QStringLiteral("_rels/.rels"),
        QStringLiteral("docProps/app.xml"),    QStringLiteral("docProps/core.xml"),
        QStringLiteral("xl/workbook.xml"),     QStringLiteral("xl/_rels/workbook.xml.rels"),
        QStringLiteral("xl/styles.xml")};
    for (const QString& name : names) {
        QFile file(QDir(parts).filePath(name));
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        ok = ok && !bytes.isEmpty();
        bool written = false;
        entry(name, [&](const auto& sink) {
            if (!written) {
                sink(bytes);
            }
            return !std::exchange(written, true);
        });
    }
    entry(QStringLiteral("xl/worksheets/sheet1.xml"), sheet);
    entry(QStringLiteral("xl/sharedStrings.xml"), strings);
    return zipClose(zip.release(), nullptr) == ZIP_OK && ok;
}

const QByteArray sstStart = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                            "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/"
                            "main\">";

// Shared strings of `bytes` bytes of XML in every form a workbook holds, or
// only short numbers (the most strings a part of that size holds).
PartWriter manyStrings(qint64 bytes, bool shortOnly, qint64& count) {
    auto written = std::make_shared<qint64>(0);
    count = 0;
    return [=, &count](const auto& sink) {
        if (*written == 0) {
            sink(sstStart);
            *written = sstStart.size();
        }
        if (*written >= bytes) {
            sink("</sst>");
            return false;
        }
        QByteArray block;
        block.reserve(1 << 20);
        while (block.size() < (1 << 20) - 200) {
            const QByteArray n = QByteArray::number(count);
            if (shortOnly) {
                block += "<si><t>" + n + "</t></si>";
                ++count;
                continue;
            }
            switch (count % 8) {
            case 0:
                block += "<si><t>Guest " + n + " of the garden party</t></si>";
                break;
            case 1:
                block += "<si><t xml:space=\"preserve\"> Smith &amp; Sons " + n + " </t></si>";
                break;
            case 2:
                block += "<si><r><rPr><b/><sz val=\"11\"/></rPr><t>Table </t></r><r><t>" + n +
                         "</t></r><rPh sb=\"0\" eb=\"1\"><t>x</t></rPh></si>";
                break;
            case 3:
                block +=
                    "<si><t>Caf\xc3\xa9 Zo\xc3\xab \xe4\xb8\xad\xe6\x96\x87 " + n + "</t></si>";
                break;
            case 4:
                block += "<si><t/></si>";
                break;
            case 5:
                block += "<si><t>line_x000D_break " + n + "</t></si>";
                break;
            default:
                block += "<si><t>Ada Lovelace, 12 Analytical Street, London " + n + "</t></si>";
            }
            ++count;
        }
        sink(block);
        *written += block.size();
        return true;
    };
}

// A sheet of `rows` rows, each naming shared strings spread over `strings`.
PartWriter sheetNaming(int rows, qint64 strings) {
    return [=, done = false](const auto& sink) mutable {
        if (done) {
            return false;
        }
        QByteArray xml = "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/"
                         "2006/main\"><sheetData>";
        for (int r = 1; r <= rows; ++r) {
            const QByteArray n = QByteArray::number(r);
            xml += "<row r=\"" + n + "\">";
            for (int c = 0; c < 3; ++c) {
                const qint64 index = (qint64(r) * 7919 + c * 104729) % std::max<qint64>(strings, 1);
                xml += "<c r=\"" + QByteArray(1, char('A' + c)) + n + "\" t=\"s\"><v>" +
                       QByteArray::number(index) + "</v></c>";
            }
            xml += "</row>";
        }
        sink(xml + "</sheetData></worksheet>");
        done = true;
        return true;
    };
}

// What the child read of a made workbook gave: its time and peak memory,
// the rows read, and whether it was refused and left the temporary folder
// empty.
struct MadeRead {
    ProcessRun run;
    long long rows = 0;
    bool refused = false;
    bool emptyAfter = false;
};

// Makes the workbook, then reads it in a child process at each iteration,
// timed by it; nothing (and the benchmark skipped) when a step fails.
std::optional<MadeRead> makeAndRead(benchmark::State& state, const QString& workbook,
                                    const PartWriter& sheet, const PartWriter& strings, int level) {
    if (!makeWorkbook(workbook, sheet, strings, level)) {
        state.SkipWithError("the workbook could not be made");
        return std::nullopt;
    }
    const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    MadeRead read;
    for (auto _ : state) {
        read.run = runProcess(self, {QStringLiteral("--benchmark_filter=^ChildMade")},
                              QByteArray(madeEnv) + '=' + QFile::encodeName(workbook));
        const QList<QByteArray> fields = read.run.before.split(' ');
        if (!read.run.ok || fields.size() != 3) {
            state.SkipWithError("the reading process failed");
            return std::nullopt;
        }
        read.rows = fields[0].toLongLong();
        read.refused = fields[1] == "1";
        read.emptyAfter = fields[2] == "1";
        state.SetIterationTime(read.run.seconds);
    }
    return read;
}

// 100 MB of shared-string XML under a 1,000-row sheet, read whole: strings
// of every form (argument 0), or short ones only (1).
void BM_SharedStrings100MB(benchmark::State& state) {
    const bool shortOnly = state.range(0) == 1;
    files();
    const QString workbook = files().dir.filePath(QStringLiteral("strings.xlsx"));
    constexpr qint64 partBytes = 100 * 1000 * 1000;
    qint64 strings = 0;
    const PartWriter stringsPart = manyStrings(partBytes, shortOnly, strings);
    // The sheet names strings by index: the count is known once written.
    qint64 expected = 0;
    {
        // One dry pass counts them.
        const PartWriter counting = manyStrings(partBytes, shortOnly, expected);
        while (counting([](const QByteArray&) {})) {
        }
    }
    const auto read = makeAndRead(state, workbook, sheetNaming(1000, expected), stringsPart, 1);
    if (!read) {
        return;
    }
    const ProcessRun& run = read->run;
    if (read->rows != 1000 || read->refused) {
        state.SkipWithError("the rows were not read");
        return;
    }
    state.counters["part_MB"] = double(partBytes) / 1e6;
    state.counters["strings"] = double(expected);
    state.counters["peak_MB"] = run.peakMegabytes;
    state.counters["peak_per_part_byte"] = run.peakMegabytes * 1024 * 1024 / double(partBytes);
    state.counters["seconds"] = run.seconds;
}
BENCHMARK(BM_SharedStrings100MB)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1);

// A small zip whose shared strings unpack to about 900 MB: refused.
void BM_OversizedWorkbookRefused(benchmark::State& state) {
    files();
    const QString workbook = files().dir.filePath(QStringLiteral("oversized.xlsx"));
    const QByteArray item = "<si><t>Guest of the garden party</t></si>";
    QByteArray block;
    while (block.size() < (1 << 20)) {
        block += item;
    }
    constexpr qint64 partBytes = 900 * 1000 * 1000;
    qint64 written = 0;
    const PartWriter strings = [&](const auto& sink) {
        if (written == 0) {
            sink(sstStart);
        }
        if (written >= partBytes) {
            sink("</sst>");
            return false;
        }
        sink(block);
        written += block.size();
        return true;
    };
    const auto read = makeAndRead(state, workbook, sheetNaming(10, 1), strings, Z_BEST_COMPRESSION);
    if (!read) {
        return;
    }
    const ProcessRun& run = read->run;
    state.counters["zip_MB"] = double(QFileInfo(workbook).size()) / 1e6;
    state.counters["unpacked_MB"] = double(written) / 1e6;
    state.counters["refused"] = read->refused ? 1 : 0;
    state.counters["tmp_empty"] = read->emptyAfter ? 1 : 0;
    state.counters["peak_MB"] = run.peakMegabytes;
    state.counters["seconds"] = run.seconds;
}
BENCHMARK(BM_OversizedWorkbookRefused)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1);

} // namespace

// Workbooks are read and written with QtCore alone: this program starts a
// core application, not the windowed one of the other benchmark programs,
// so the child run's process costs what a reading process needs.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
