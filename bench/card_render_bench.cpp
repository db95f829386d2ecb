// Rendering card sides, single-threaded: a 20-object card to its picture,
// then to a 300-dpi image and PNG bytes (cards per second), and the card
// background with a hatch fill (time per call).

#include "editor/render/CardRenderInputs.h"
#include "editor/render/Card_Base_Drawing.h"
#include "editor/render/SKTRenderingView.h"
#include "platform/CardUnits.h"
#include "platform/KeyedUnarchiver.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const QSizeF kCard(252, 144); // a credit-card-sized side in points

// A sample object: a filled and outlined rectangle with a caption, about
// what a shape or text object costs to draw.
class BenchGraphic : public SKTGraphic {
public:
    QString className() const override { return QStringLiteral("CardRenderBenchGraphic"); }
    std::shared_ptr<SKTGraphic> newOfSameClass() const override {
        return std::make_shared<BenchGraphic>();
    }
    void drawContentsInView(QPainter& painter, bool) override {
        painter.setPen(QPen(_strokeColor, _strokeWidth));
        painter.setBrush(_fillColor);
        painter.drawRect(bounds());
        painter.setFont(CardUnits::fontForPainter(text_ctrl_font, painter));
        painter.setPen(Qt::black);
        painter.drawText(bounds(), Qt::AlignCenter, Text_Value);
    }
};

void registerBenchGraphic() {
    KeyedClassRegistry::registerClass(
        BenchGraphic().className(),
        [](const KeyedUnarchiver& coder) -> std::shared_ptr<KeyedArchivable> {
            auto graphic = std::make_shared<BenchGraphic>();
            graphic->initWithCoder(coder);
            return graphic;
        });
}

SKTGraphicList twentyObjects() {
    SKTGraphic::registerArchiveClasses();
    registerBenchGraphic();
    SKTGraphicList list;
    for (int i = 0; i < 20; ++i) {
        auto graphic = std::make_shared<BenchGraphic>();
        graphic->_bounds = QRectF(10 + (i % 5) * 46, 10 + (i / 5) * 32, 40, 26);
        graphic->_fillColor = QColor::fromHsv(i * 18, 120, 230);
        graphic->_strokeColor = Qt::darkBlue;
        graphic->Text_Value = QStringLiteral("Guest %1").arg(i + 1);
        graphic->text_ctrl_font = QFont(QStringLiteral("Liberation Serif"), 7);
        list.append(graphic);
    }
    return list;
}

void BM_CardToPng300Dpi(benchmark::State& state) {
    CardRenderInputs::setFrontCanvasSize(kCard);
    Card_Property page;
    page.setCard_fill_chk(true);
    page.setCard_fill_style(QStringLiteral("G"));
    page.setCard_fill_Grd_1_clr(QColor(250, 240, 220));
    page.setCard_fill_Grd_2_clr(QColor(200, 220, 250));
    page.setCard_border_chk(true);
    page.setCard_bor_Stepper(2);
    CardRenderInputs::setPageRecord(0, page);
    const SKTGraphicList list = twentyObjects();
    for (auto _ : state) {
        const CardPicture picture = SKTRenderingView::image_From_Card_Graphics(list, false);
        const QImage image = picture.toImage(300.0 / 72.0);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        benchmark::DoNotOptimize(png.data());
    }
    state.SetItemsProcessed(state.iterations()); // cards
}
BENCHMARK(BM_CardToPng300Dpi)->Unit(benchmark::kMillisecond);

void BM_CardBaseDrawingHatch(benchmark::State& state) {
    QTemporaryDir resources;
    QDir(resources.path()).mkpath(QStringLiteral("Fill_Style_Image"));
    QImage pattern(16, 16, QImage::Format_ARGB32);
    pattern.fill(Qt::transparent);
    QPainter(&pattern).drawLine(0, 16, 16, 0);
    pattern.save(resources.filePath(QStringLiteral("Fill_Style_Image/Diagonal.png")));

    Card_Property page;
    page.setCard_fill_chk(true);
    page.setCard_fill_style(QStringLiteral("H"));
    page.setCard_hatch_style(QStringLiteral("Diagonal"));
    page.setCard_hatch_bk_clr(QColor(240, 240, 255));
    page.setCard_border_chk(true);
    page.setCard_border_style(QStringLiteral("DA"));
    QImage target = CardUnits::makeRaster(kCard, 1.0, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&target);
    painter.setRenderHint(QPainter::Antialiasing);
    for (auto _ : state) {
        Card_Base_Drawing(painter, QRectF(QPointF(0, 0), kCard), page, 1, kCard, resources.path());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CardBaseDrawingHatch)->Unit(benchmark::kMicrosecond);

} // namespace
