// Rendering linear barcodes: 1,000 models of Code 128 length (a 20-character
// value, 11 modules a character plus start, check and stop) to vector
// pictures and to PDF bytes, single-threaded.

#include "barcodes/BarcodeRenderer.h"
#include "barcodes/NKDBarcode.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <random>
#include <vector>

namespace {

// A model whose module string is given: 35 characters' worth of modules.
class FixedModules : public NKDBarcode {
public:
    explicit FixedModules(QString modules) : m_modules(std::move(modules)) {}
    QString barcode() const override { return m_modules; }

private:
    QString m_modules;
};

std::vector<std::unique_ptr<NKDBarcode>> makeModels(const BarcodeStyle& style) {
    std::mt19937 random(128);
    std::vector<std::unique_ptr<NKDBarcode>> models;
    for (int i = 0; i < 1000; ++i) {
        QString modules;
        for (int m = 0; m < 11 * 23 + 2; ++m) {
            modules += (m % 11 == 0 || random() % 2) ? QLatin1Char('1') : QLatin1Char('0');
        }
        auto model = std::make_unique<FixedModules>(modules);
        model->initWithContent(
            QStringLiteral("INV-%1-2026-GUESTPASS").arg(i, 4, 10, QLatin1Char('0')), true);
        model->setStyle(style);
        model->setHeader(QStringLiteral("Wedding reception"));
        model->setPrintsHeader(true);
        model->setBarWidth(1.44f);
        model->setCaptionFontSize(10.0f);
        model->setHeaderFontSize(10.0f);
        model->setHeight(72.0f);
        model->calculateWidth();
        models.push_back(std::move(model));
    }
    return models;
}

void BM_VectorPicture(benchmark::State& state) {
    const BarcodeStyle style;
    const auto models = makeModels(style);
    for (auto _ : state) {
        for (const auto& model : models) {
            benchmark::DoNotOptimize(imageFromBarcode(*model));
        }
    }
    state.counters["seconds_per_picture"] = benchmark::Counter(
        static_cast<double>(models.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_VectorPicture)->Unit(benchmark::kMillisecond);

// The vector picture made and drawn into a 72-dpi raster.
void BM_VectorPictureDrawn(benchmark::State& state) {
    const BarcodeStyle style;
    const auto models = makeModels(style);
    for (auto _ : state) {
        for (const auto& model : models) {
            benchmark::DoNotOptimize(imageFromBarcode(*model).toImage(1.0));
        }
    }
    state.counters["seconds_per_picture"] = benchmark::Counter(
        static_cast<double>(models.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_VectorPictureDrawn)->Unit(benchmark::kMillisecond);

void BM_PdfBytes(benchmark::State& state) {
    const BarcodeStyle style;
    const auto models = makeModels(style);
    for (auto _ : state) {
        for (const auto& model : models) {
            benchmark::DoNotOptimize(pdfFromBarcode(*model));
        }
    }
    state.counters["seconds_per_picture"] = benchmark::Counter(
        static_cast<double>(models.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PdfBytes)->Unit(benchmark::kMillisecond);

} // namespace
