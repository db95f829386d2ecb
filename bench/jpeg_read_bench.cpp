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

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <benchmark/benchmark.h>
#include <chrono>

namespace {

QImage photo(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(5);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int g = int(random.bounded(64u));
            line[x] = qRgb((x * 255 / width + g) & 255, (y * 255 / height + g) & 255, g * 3);
        }
    }
    return image;
}

QByteArray jpegBytes(const QImage& image, bool progressive, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A small JPEG with `inserted` put in after its first segment.
QByteArray withAfterFirstSegment(const QByteArray& inserted) {
    const QByteArray plain = jpegBytes(photo(300, 200), false, 90);
    const auto* p = reinterpret_cast<const uchar*>(plain.constData());
    const qsizetype first = 4 + ((p[4] << 8) | p[5]);
    return plain.left(first) + inserted + plain.mid(first);
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
    // A 16 x 16 progressive JPEG whose frame claims 9000 x 9000 pixels.
    QByteArray bytes = jpegBytes(photo(16, 16), true, 50);
    const qsizetype frame = bytes.indexOf(QByteArray("\xff\xc2", 2));
    qToBigEndian(quint16(9000), bytes.data() + frame + 5);
    qToBigEndian(quint16(9000), bytes.data() + frame + 7);
    timeReading(state, bytes, [](const QString& path) {
        PictureFileProblem problem = PictureFileProblem::None;
        PictureDecoder::decode(path, QSize(900, 900), &problem);
        return problem == PictureFileProblem::NotPicture;
    });
}

// args: 1 = whole, 0 = at 1/8 (750 x 500).
void BM_Photo(benchmark::State& state) {
    const QSize target = state.range(0) ? QSize() : QSize(750, 500);
    timeReading(state, jpegBytes(photo(6000, 4000), false, 90), [target](const QString& path) {
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
