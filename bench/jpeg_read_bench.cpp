// Milliseconds to read JPEG files that viewers read but that are slow or
// costly for a careless reader, on the thread that asks:
//   CutClaim       a few hundred bytes claiming 9000 x 9000 progressive
//                  pixels, refused as cut (run first: its peak memory)
//   FillHeader     the header of a 300 x 200 JPEG behind 50 MB of 0xff fill
//                  bytes before a marker (the Picture tool's check)
//   FillDecode     the same file decoded whole (an object's reading)
//   StrayHeader    the header behind 1 MB of stray bytes between segments
//   StrayDecode    the same file decoded
//   Photo          a 6000 x 4000 baseline photo read at 1/8 and whole

#include "common/BenchRun.h"
#include "platform/PictureDecoder.h"
#include "tests/common/PictureFileMaking.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>

namespace {

using namespace picturefiles;

// A small JPEG with `inserted` put in after its first segment.
QByteArray withAfterFirstSegment(const QByteArray& inserted) {
    const QByteArray plain = jpeg(grain(300, 200, 5), false, 90);
    return insertedAt(plain, afterFirstSegment(plain), inserted);
}

// Times `read` once per iteration on a file of `bytes`; the run fails when
// `read` answers false. The peak memory is the process's so far, so the
// case that reports it runs first.
template <typename Read>
void timeReading(benchmark::State& state, const QByteArray& bytes, Read read) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.jpg"));
    if (!writeFile(path, bytes)) {
        state.SkipWithError("cannot write the file");
        return;
    }
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const bool ok = read(path);
        const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(spent.count());
        if (!ok) {
            state.SkipWithError("the file did not read as it should");
            return;
        }
    }
    state.counters["file_KB"] = double(bytes.size()) / 1024;
    state.counters["peak_RSS_MB"] = peakResidentKiB().toDouble() / 1024;
}

bool headerReads(const QString& path) {
    return PictureDecoder::readHeader(path).problem == PictureFileProblem::None;
}

bool decodes(const QString& path) {
    PictureFileProblem problem = PictureFileProblem::NotPicture;
    const QImage image = PictureDecoder::decode(path, QSize(), &problem);
    return problem == PictureFileProblem::None && !image.isNull();
}

const QByteArray& fillFile() {
    static const QByteArray bytes = withAfterFirstSegment(QByteArray(50 * 1024 * 1024, '\xff'));
    return bytes;
}

const QByteArray& strayFile() {
    static const QByteArray bytes = withAfterFirstSegment(QByteArray(1024 * 1024, 'x'));
    return bytes;
}

void BM_FillHeader(benchmark::State& state) {
    timeReading(state, fillFile(), headerReads);
}

void BM_FillDecode(benchmark::State& state) {
    timeReading(state, fillFile(), decodes);
}

void BM_StrayHeader(benchmark::State& state) {
    timeReading(state, strayFile(), headerReads);
}

void BM_StrayDecode(benchmark::State& state) {
    timeReading(state, strayFile(), decodes);
}

void BM_CutClaim(benchmark::State& state) {
    timeReading(state, claimingProgressiveJpeg(9000, 9000), [](const QString& path) {
        PictureFileProblem problem = PictureFileProblem::None;
        PictureDecoder::decode(path, QSize(900, 900), &problem);
        return problem == PictureFileProblem::NotPicture;
    });
}

// args: 1 = whole, 0 = at 1/8 (750 x 500).
void BM_Photo(benchmark::State& state) {
    const QSize target = state.range(0) ? QSize() : QSize(750, 500);
    timeReading(state, jpeg(grain(6000, 4000, 5), false, 90), [target](const QString& path) {
        PictureFileProblem problem = PictureFileProblem::NotPicture;
        return !PictureDecoder::decode(path, target, &problem).isNull();
    });
}

} // namespace

BENCHMARK(BM_CutClaim)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillHeader)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillDecode)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StrayHeader)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StrayDecode)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Photo)->Arg(0)->Arg(1)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
