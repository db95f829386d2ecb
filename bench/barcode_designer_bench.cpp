// The barcode designer: the preview rebuild each keystroke in the 2D value
// costs with a 500-character value (target under 50 ms), and 1,000 batch
// pictures of one object (load its settings, then one picture per record).

#include "barcodes/designer/Barcode_Gen.h"
#include "barcodes/designer/core/BarcodeDesigner.h"
#include "barcodes/designer/core/DesignerLists.h"
#include "editor/model/SKTBarcode.h"
#include "ui_Barcode_Gen.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

QString longValue() {
    QString value;
    for (int i = 0; value.size() < 500; ++i) {
        value += QStringLiteral("Guest %1; ").arg(i);
    }
    return value.left(500);
}

void previewKeystroke(benchmark::State& state, const char* title) {
    Barcode_Gen designer;
    Ui::Barcode_Gen& ui = designer.ui();
    ui.dataText_2D->setPlainText(QStringLiteral("0123"));
    const int index = ui.barcodeTypePopup->findText(QString::fromLatin1(title));
    ui.barcodeTypePopup->setCurrentIndex(index);
    emit ui.barcodeTypePopup->activated(index);
    const QString base = longValue();
    ui.dataText_2D->setPlainText(base);
    bool ok = !designer.previewPicture().isNull();
    int n = 0;
    for (auto _ : state) {
        // One keystroke: the last character changes, the preview rebuilds.
        QString value = base;
        value[value.size() - 1] = QChar(u'A' + (n++ % 26));
        ui.dataText_2D->setPlainText(value);
        ok = ok && !designer.previewPicture().isNull();
    }
    if (!ok) {
        state.SkipWithError("no preview");
    }
}
BENCHMARK_CAPTURE(previewKeystroke, QRCode, "QR Code")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(previewKeystroke, PDF417, "PDF417")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(previewKeystroke, DataMatrix, "DataMatrix")->Unit(benchmark::kMillisecond);

void batchPictures(benchmark::State& state, const char* title) {
    auto object = std::make_shared<SKTBarcode>();
    object->barcode_font_index = int(DesignerLists::symbologies().indexOf(title));
    object->linear_or_2d = DesignerLists::isTwoDimensional(title) ? 1 : 0;
    BarcodeDesigner designer;
    bool ok = true;
    for (auto _ : state) {
        for (int record = 0; record < 1000; ++record) {
            designer.Set_Barcode_Prop_To_Control(object);
            const CardPicture picture = designer.Get_Image_From_Val(
                QStringLiteral("INV-%1").arg(record, 6, 10, QLatin1Char('0')), object->header_val,
                object->footer_val);
            ok = ok && !picture.isNull();
            benchmark::DoNotOptimize(picture);
        }
    }
    if (!ok) {
        state.SkipWithError("a record gave no picture");
    }
}
BENCHMARK_CAPTURE(batchPictures, Code128, "Code 128")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(batchPictures, QRCode, "QR Code")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(batchPictures, DataMatrix, "DataMatrix")->Unit(benchmark::kMillisecond);

} // namespace
