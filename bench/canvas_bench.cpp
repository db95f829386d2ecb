// The editing canvas: a full paint of 200 mixed objects at 100% and 400%,
// and one drag step (event handling plus the incremental repaint) among 200
// objects.

#include "editor/canvas/SKTGraphicView.h"
#include "editor/canvas/SKTSelectionHolder.h"
#include "editor/model/SKTDocument.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTLine.h"
#include "editor/model/SKTText.h"
#include "editor/model/Shape_Control.h"

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

const QSizeF kCardSize(500, 320);

// A canvas of 200 objects of every common kind spread over the card.
struct Scene {
    Scene() {
        selection.setContent(&document, QStringLiteral("graphics"));
        view.setCardSize(kCardSize);
        view.bind(SKTGraphicViewGraphicsBindingName, &document,
                  QStringLiteral("document.graphics"));
        view.bind(SKTGraphicViewSelectionIndexesBindingName, &selection,
                  QStringLiteral("selectionIndexes"));
        QImage raster(64, 48, QImage::Format_ARGB32);
        raster.fill(Qt::darkCyan);
        const CardPicture picture = CardPicture::fromImage(raster);
        SKTGraphicList objects;
        QList<int> indexes;
        for (int i = 0; i < 200; ++i) {
            const QRectF bounds((i * 37) % 440, (i * 23) % 280, 40 + i % 20, 25 + i % 15);
            std::shared_ptr<SKTGraphic> graphic;
            switch (i % 4) {
            case 0: {
                auto shape = std::make_shared<Shape_Control>();
                static const char* letters[] = {"R", "C", "RR", "T", "D", "S"};
                shape->Set_Shape_Type(QString::fromLatin1(letters[(i / 4) % 6]));
                graphic = shape;
                break;
            }
            case 1: {
                auto text = std::make_shared<SKTText>();
                text->Text_Value = QStringLiteral("Guest %1").arg(i);
                graphic = text;
                break;
            }
            case 2: {
                auto image = std::make_shared<SKTImage>();
                image->setContents(picture);
                graphic = image;
                break;
            }
            default:
                graphic = std::make_shared<SKTLine>();
                break;
            }
            graphic->_bounds = bounds;
            objects.append(graphic);
            indexes.append(i);
        }
        document.Enable_Disable_Undo_Registraion(0);
        document.insertGraphics(objects, indexes);
        document.Enable_Disable_Undo_Registraion(1);
    }

    SKTDocument document;
    SKTSelectionHolder selection;
    SKTGraphicView view;
};

void BM_FullPaint(benchmark::State& state) {
    Scene scene;
    const double zoom = static_cast<double>(state.range(0)) / 100.0;
    scene.view.setZoomFactor(zoom);
    scene.view.changeSelectionIndexes({0, 1, 2, 3});
    QImage target(scene.view.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        scene.view.render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
    state.SetLabel(
        QStringLiteral("%1 x %2 px").arg(target.width()).arg(target.height()).toStdString());
}

void sendMouse(QWidget& view, QEvent::Type type, const QPointF& point, Qt::MouseButtons buttons) {
    QMouseEvent event(type, point, view.mapToGlobal(point), Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &event);
}

void BM_DragStep(benchmark::State& state) {
    Scene scene;
    scene.view.show();
    QCoreApplication::processEvents();
    // Drag the object at index 0 (front-most) with two others selected.
    const QRectF bounds = scene.document.graphics().first()->bounds();
    scene.view.changeSelectionIndexes({0, 50, 120});
    QPointF point = bounds.center();
    sendMouse(scene.view, QEvent::MouseButtonPress, point, Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        point += (step++ % 2 == 0) ? QPointF(3, 2) : QPointF(-3, -2);
        sendMouse(scene.view, QEvent::MouseMove, point, Qt::LeftButton);
        // The incremental repaint of what the step marked dirty.
        QCoreApplication::processEvents();
    }
    sendMouse(scene.view, QEvent::MouseButtonRelease, point, Qt::NoButton);
}

BENCHMARK(BM_FullPaint)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragStep)->Unit(benchmark::kMicrosecond);

} // namespace
