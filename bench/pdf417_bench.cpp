// PDF417 encoding of a value of about 900 codewords, alone and with the
// picture the designer makes (100 x 20 points at 600 dpi).

#include "barcodes/BarcodeGlobals.h"
#include "barcodes/Pdf417Encoder.h"
#include "barcodes/pdf417View.h"

#include <QByteArray>
#include <QString>
#include <benchmark/benchmark.h>

namespace {

// Mixed text, digits and bytes: 1,420 bytes give about 900 codewords.
QByteArray largeValue() {
    QByteArray value;
    int i = 0;
    while (value.size() < 1420) {
        value += "Invitation card No. ";
        value += QByteArray::number(100000000000000LL + i * 7919LL);
        value += ", guest: Mr & Mrs Smith; table ";
        value += QByteArray::number(i % 40);
        value += '\n';
        ++i;
    }
    value.truncate(1420);
    return value;
}

void BM_Pdf417Encode(benchmark::State& state) {
    const QByteArray value = largeValue();
    int codewords = 0;
    for (auto _ : state) {
        _pdf417param p;
        pdf417init(&p);
        p.text = value.constData();
        p.lenText = static_cast<int>(value.size());
        p.options = PDF417_USE_ERROR_LEVEL | PDF417_INVERT_BITMAP;
        p.errorLevel = 2;
        p.aspectRatio = 1.0f;
        paintCode(&p);
        codewords = p.codeRows * p.codeColumns;
        benchmark::DoNotOptimize(p.outBits.get());
    }
    state.counters["codewords"] = codewords;
}
BENCHMARK(BM_Pdf417Encode)->Unit(benchmark::kMillisecond);

void BM_Pdf417Picture600Dpi(benchmark::State& state) {
    USED_DPI_VALUE = 600;
    const QString value = QString::fromLatin1(largeValue());
    pdf417View view(QSizeF(100, 20));
    for (auto _ : state) {
        view.drawWithText(value);
        benchmark::DoNotOptimize(view.getImage());
    }
}
BENCHMARK(BM_Pdf417Picture600Dpi)->Unit(benchmark::kMillisecond);

} // namespace
