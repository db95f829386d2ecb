// Card model timings: pasteboard data of 1,000 text objects built and read
// back, and 10,000 changes in one undo group undone and redone.

#include "editor/model/SKTDocument.h"
#include "editor/model/SKTText.h"
#include "editor/model/SKTUndoRegistrationPause.h"
#include "editor/model/Shape_Control.h"

#include <benchmark/benchmark.h>

namespace {

SKTGraphicList thousandTexts() {
    SKTGraphicList graphics;
    for (int i = 0; i < 1000; ++i) {
        auto text = std::make_shared<SKTText>();
        text->_bounds = QRectF(i % 200, i / 200 * 30, 120, 24);
        text->Text_Value = QStringLiteral("Guest number %1").arg(i);
        text->control_ID = QStringLiteral("PARTY_%1").arg(i);
        text->Text_contents();
        graphics.append(text);
    }
    return graphics;
}

void BM_PasteboardDataOf1000Texts(benchmark::State& state) {
    const SKTGraphicList graphics = thousandTexts();
    QByteArray data;
    for (auto _ : state) {
        data = SKTGraphic::pasteboardDataWithGraphics(graphics);
        benchmark::DoNotOptimize(data.data());
    }
    state.counters["bytes"] = static_cast<double>(data.size());
}
BENCHMARK(BM_PasteboardDataOf1000Texts)->Unit(benchmark::kMillisecond);

void BM_ReadPasteboardDataOf1000Texts(benchmark::State& state) {
    const QByteArray data = SKTGraphic::pasteboardDataWithGraphics(thousandTexts());
    for (auto _ : state) {
        auto graphics = SKTGraphic::graphicsWithPasteboardData(data, nullptr);
        if (!graphics || graphics->size() != 1000) {
            state.SkipWithError("pasteboard data did not read back");
            break;
        }
    }
}
BENCHMARK(BM_ReadPasteboardDataOf1000Texts)->Unit(benchmark::kMillisecond);

void BM_TenThousandChangesUndoRedo(benchmark::State& state) {
    for (auto _ : state) {
        SKTDocument document;
        auto shape = std::make_shared<Shape_Control>();
        {
            SKTUndoRegistrationPause pause(document);
            document.addInGraphics(shape);
        }
        document.beginUndoGroup();
        for (int i = 0; i < 10000; ++i) {
            shape->setBounds(QRectF(i, i, 50, 50));
        }
        document.endUndoGroup();
        document.undo();
        document.redo();
        if (shape->bounds() != QRectF(9999, 9999, 50, 50)) {
            state.SkipWithError("undo and redo did not restore the object");
            break;
        }
    }
}
BENCHMARK(BM_TenThousandChangesUndoRedo)->Unit(benchmark::kMillisecond);

} // namespace
