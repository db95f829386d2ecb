// QR Code encoding of short links, the designer's common case: 10,000
// 27-character URLs at level M with the automatic version, each into a
// module grid; the time reported is that of one symbol.
#include "barcodes/QREncoder.h"

#include <QString>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

constexpr int kSymbols = 10000;

// "https://example.com/card/00" to ".../card/99", repeated.
std::vector<QString> urls() {
    std::vector<QString> values;
    values.reserve(kSymbols);
    for (int i = 0; i < kSymbols; ++i) {
        values.push_back(
            QStringLiteral("https://example.com/card/%1").arg(i % 100, 2, 10, QChar('0')));
    }
    return values;
}

void BM_QrUrlsToGrids(benchmark::State& state) {
    const std::vector<QString> values = urls();
    if (values.front().size() != 27) {
        state.SkipWithError("the URLs must have 27 characters");
        return;
    }
    std::size_t next = 0;
    int darkCorners = 0;
    for (auto _ : state) {
        auto grid = QREncoder::encodeWithECLevel(1, 0, values[next]);
        if (grid == nullptr) {
            state.SkipWithError("no grid");
            return;
        }
        darkCorners += grid->valueAt(0, 0);
        next = (next + 1) % values.size();
    }
    benchmark::DoNotOptimize(darkCorners);
}
// One iteration is one symbol, so the time shown is the time per symbol.
BENCHMARK(BM_QrUrlsToGrids)->Iterations(kSymbols)->Unit(benchmark::kMicrosecond);

} // namespace
