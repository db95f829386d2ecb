// Milliseconds per picture object drawing: the adjustment chain plus the
// painting into a card-sized raster, neutral and with every step on, made
// anew each time (nothing kept); and a card of ten picture objects painted
// again with the adjusted pictures kept.

#include "editor/model/ImageFilters.h"
#include "editor/model/ImageProcesser.h"
#include "editor/model/SKTImage.h"
#include "platform/CardUnits.h"

#include <QPainter>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>

namespace {

QImage photo(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32);
    QRandomGenerator random(11);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            line[x] = random.generate() | 0xff000000u;
        }
    }
    CardUnits::markResolution(image, 72);
    return image;
}

void allStepsOn(SKTImage& object) {
    object.gray_Scale = true;
    object.Sepia = true;
    object.invert_clr = true;
    object.hue_val = 0.8f;
    object.sat_val = 1.3f;
    object.brt_val = 0.1f;
    object.con_val = 1.2f;
    object.srp_val = 0.6f;
    object.blr_val = 2.0f;
    object.ev_val = 0.5f;
    object.rotate_image = 30.0f;
    object.img_trnsp_val = 80.0f;
}

QImage cardRaster() {
    QImage card = CardUnits::makeRaster({724, 468}, 1.0, QImage::Format_ARGB32_Premultiplied);
    card.fill(Qt::white);
    return card;
}

// args: picture width, height in pixels; 1 = every step on.
void BM_PictureDrawUncached(benchmark::State& state) {
    const QImage image = photo(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    SKTImage object;
    object._bounds = QRectF(0, 0, 724, 468);
    object._isDrawingStroke = false;
    if (state.range(2)) {
        allStepsOn(object);
    }
    QImage card = cardRaster();
    for (auto _ : state) {
        // A new picture value each time: nothing kept from the last drawing.
        object._contents = CardPicture::fromImage(image);
        QPainter painter(&card);
        object.drawContentsInView(painter, false);
    }
}
BENCHMARK(BM_PictureDrawUncached)
    ->Args({724, 468, 0})
    ->Args({724, 468, 1})
    ->Args({4000, 3000, 0})
    ->Args({4000, 3000, 1})
    ->Unit(benchmark::kMillisecond);

void BM_CardOfTenPicturesRepainted(benchmark::State& state) {
    std::vector<std::unique_ptr<SKTImage>> objects;
    for (int i = 0; i < 10; ++i) {
        auto object = std::make_unique<SKTImage>();
        object->_contents = CardPicture::fromImage(photo(724, 468));
        object->_bounds = QRectF(20 * i, 15 * i, 362, 234);
        allStepsOn(*object);
        objects.push_back(std::move(object));
    }
    QImage card = cardRaster();
    for (auto& object : objects) {
        QPainter painter(&card);
        object->drawContentsInView(painter, false); // warms the kept pictures
    }
    for (auto _ : state) {
        QPainter painter(&card);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        for (auto& object : objects) {
            object->drawContentsInView(painter, false);
        }
    }
}
BENCHMARK(BM_CardOfTenPicturesRepainted)->Unit(benchmark::kMillisecond);

// Each step alone at 724 x 468 pixels (arg: step number).
void BM_ChainStep(benchmark::State& state) {
    const QImage image = photo(724, 468);
    const CardPicture picture = CardPicture::fromImage(image);
    for (auto _ : state) {
        QImage out;
        switch (state.range(0)) {
        case 0:
            out = ImageFilters::grayScale(image);
            break;
        case 1:
            out = ImageFilters::sepia(image);
            break;
        case 2:
            out = ImageFilters::invertColor(image);
            break;
        case 3:
            out = ImageFilters::adjustHue(image, 0.8f);
            break;
        case 4:
            out = ImageFilters::colorControls(image, 1.3f, 0.1f, 1.2f);
            break;
        case 5:
            out = ImageFilters::sharpenLuminance(image, 0.6f);
            break;
        case 6:
            out = ImageFilters::boxBlur(image, 2.0f);
            break;
        case 7:
            out = ImageFilters::exposure(image, 0.5f);
            break;
        default:
            out = ImageProcesser::imageRotated(picture, 30).image();
            break;
        }
        benchmark::DoNotOptimize(out.constBits());
    }
}
BENCHMARK(BM_ChainStep)->DenseRange(0, 8)->Unit(benchmark::kMillisecond);

} // namespace
