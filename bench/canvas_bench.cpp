// The editing canvas: a full paint of 200 mixed objects at 100% and 400%;
// at 400% in its scroll view, the repaint of a 1000 x 800 px viewport over
// the middle of the card as an exposure, drawn afresh, and after one object
// in it moved, and a scroll step of 100 px (scroll plus repaint);
// and one drag step (event handling plus the incremental repaint) among 200
// objects.

#include "editor/canvas/SKTGraphicView.h"
#include "editor/canvas/SKTSelectionHolder.h"
#include "editor/model/SKTDocument.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTLine.h"
#include "editor/model/SKTText.h"
#include "editor/model/Shape_Control.h"
#include "editor/view/SKTZoomingScrollView.h"

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
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

// The scene's canvas at 400% in a scroll view whose viewport is 1000 x 800
// px, scrolled to the middle of the card, four objects selected.
struct ZoomedScene {
    ZoomedScene() {
        scrollView.setDocumentView(&scene.view);
        scrollView.setFactor(4.0);
        scene.view.changeSelectionIndexes({0, 1, 2, 3});
        scrollView.resize(1000, 800);
        scrollView.show();
        // Twice: the scroll bars that appear take their room from the viewport.
        for (int i = 0; i < 2; ++i) {
            const QSize extra = QSize(1000, 800) - scrollView.viewport()->size();
            scrollView.resize(scrollView.size() + extra);
            QCoreApplication::processEvents();
        }
        horizontal()->setValue(horizontal()->maximum() / 2);
        vertical()->setValue(vertical()->maximum() / 2);
        QCoreApplication::processEvents();
    }
    ~ZoomedScene() { scrollView.takeWidget(); }
    QScrollBar* horizontal() const { return scrollView.horizontalScrollBar(); }
    QScrollBar* vertical() const { return scrollView.verticalScrollBar(); }
    QString label() const {
        return QStringLiteral("viewport %1 x %2 px of a %3 x %4 px canvas")
            .arg(scrollView.viewport()->width())
            .arg(scrollView.viewport()->height())
            .arg(scene.view.width())
            .arg(scene.view.height());
    }

    Scene scene;
    SKTZoomingScrollView scrollView;
};

// The canvas's visible part painted again, either as an exposure asks
// (Qt's own repaint: nothing in it changed, the kept picture serves it) or
// drawn afresh as the canvas's repaint asks, as after a change to the whole
// card (a new background, a refresh of the canvas).
void repaintVisiblePart(benchmark::State& state, bool afresh) {
    ZoomedScene zoomed;
    SKTGraphicView& canvas = zoomed.scene.view;
    const QRegion visible = canvas.visibleRegion();
    for (auto _ : state) {
        if (afresh) {
            canvas.repaint(visible);
        } else {
            static_cast<QWidget&>(canvas).repaint(visible);
        }
    }
    state.SetLabel(zoomed.label().toStdString());
}

void BM_ViewportRepaint400(benchmark::State& state) {
    repaintVisiblePart(state, false);
}

void BM_ViewportRedraw400(benchmark::State& state) {
    repaintVisiblePart(state, true);
}

// One object in view moved by a point and back in turn; each step is timed
// with the repaint its change report causes.
void BM_EditRepaint400(benchmark::State& state) {
    ZoomedScene zoomed;
    SKTGraphicView& canvas = zoomed.scene.view;
    const QRectF visible = canvas.cardRect(QRectF(canvas.visibleRegion().boundingRect()));
    std::shared_ptr<SKTGraphic> moved;
    for (const auto& graphic : zoomed.scene.document.graphics()) {
        if (visible.contains(graphic->bounds())) {
            moved = graphic;
            break;
        }
    }
    if (!moved) {
        state.SkipWithError("no object in view");
        return;
    }
    const QRectF start = moved->bounds();
    int step = 0;
    for (auto _ : state) {
        moved->setBounds(start.translated(step++ % 2 == 0 ? 1 : 0, 0));
        QCoreApplication::processEvents();
    }
    state.SetLabel(zoomed.label().toStdString());
}

// Scrolls down and back up by 100 px in turn; each step is timed with the
// repaint it causes.
void BM_ScrollStep400(benchmark::State& state) {
    ZoomedScene zoomed;
    QScrollBar* bar = zoomed.vertical();
    const int middle = bar->value();
    int step = 0;
    for (auto _ : state) {
        bar->setValue(step++ % 2 == 0 ? middle + 100 : middle);
        QCoreApplication::processEvents();
    }
    state.SetLabel(zoomed.label().toStdString());
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
BENCHMARK(BM_ViewportRepaint400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewportRedraw400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditRepaint400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollStep400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragStep)->Unit(benchmark::kMicrosecond);

} // namespace
