// QR Code encoding plus picture at 600 dpi, and a Data Matrix of 1,500
// characters.
#include "barcodes/BarcodeGlobals.h"
#include "barcodes/DataMatrixBarcode.h"
#include "barcodes/QREncoder.h"
#include "barcodes/QrTables.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

// A value that fills the version at level M with 8-bit data.
std::string valueForVersion(int version) {
    const auto n = qr::QR_8_BIT_size_array[static_cast<std::size_t>((version - 1) * 4 + 1)];
    std::string value;
    for (std::int64_t i = 0; i < n; ++i) {
        value += "invitation card 2026 "[i % 21];
    }
    return value;
}

void BM_QrEncodeAndPicture(benchmark::State& state) {
    const int version = static_cast<int>(state.range(0));
    const std::string value = valueForVersion(version);
    USED_DPI_VALUE = 600;
    for (auto _ : state) {
        auto grid = QREncoder::encodeCStringWithECLevel(1, version, value.c_str());
        CardPicture picture = QREncoder::renderDataMatrix(grid.get(), 200);
        if (picture.isNull()) {
            state.SkipWithError("no picture");
            break;
        }
        benchmark::DoNotOptimize(picture);
    }
}
BENCHMARK(BM_QrEncodeAndPicture)->Arg(1)->Arg(10)->Arg(40)->Unit(benchmark::kMillisecond);

void BM_DataMatrix1500(benchmark::State& state) {
    QString value;
    for (int i = 0; i < 1500; ++i) {
        value += QLatin1Char("Dinner at eight, 2026 "[i % 22]);
    }
    for (auto _ : state) {
        DataMatrixDrawing drawing = Draw_DataMatrix_Barcode(value, "Auto", "Auto", 1, 600);
        if (drawing.picture.isNull()) {
            state.SkipWithError("no picture");
            break;
        }
        benchmark::DoNotOptimize(drawing);
        state.counters["modules"] = drawing.width;
    }
}
BENCHMARK(BM_DataMatrix1500)->Unit(benchmark::kMillisecond);

} // namespace
