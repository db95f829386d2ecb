#pragma once
// Helpers of the canvas tests: a recording main window for the canvas, a
// bound canvas on its own document, and synthetic mouse events in card
// points.

#include "editor/canvas/SKTCanvasHost.h"
#include "editor/canvas/SKTGraphicView.h"
#include "editor/canvas/SKTSelectionHolder.h"
#include "editor/model/SKTDocument.h"
#include "editor_test_support.h"

#include <QApplication>
#include <QMouseEvent>
#include <memory>

class RecordingCanvasHost : public SKTCanvasHost {
public:
    RecordingCanvasHost() { setCurrent(this); }
    ~RecordingCanvasHost() override { setCurrent(nullptr); }

    int Selected_Control_Tool() const override { return tool; }
    QString currentGraphicClass() const override { return toolClass; }
    void Card_Base_Drawing(QPainter& painter, const QRectF& card) override;
    void Show_RHS_Properties(const std::shared_ptr<SKTGraphic>& graphic) override {
        inspected.append(graphic);
    }
    void Refresh_Canvas() override { ++refreshes; }
    void Open_Barcode_Window() override { ++barcodeWindows; }
    void Undo_Redo_Button_state() override { ++undoButtonUpdates; }
    void Set_Paste_Button_Status() override { ++pasteButtonUpdates; }
    void setSameSizeButtonsEnabled(bool enabled) override { sameSizeEnabled = enabled; }
    CardPicture no_image() const override { return picture(Qt::gray); }
    CardPicture barcode_sample_img() const override { return picture(Qt::black); }
    CardPicture sign_sample_img() const override { return picture(Qt::blue); }
    CardPicture fp_sample_img() const override { return picture(Qt::darkRed); }

    static CardPicture picture(Qt::GlobalColor color) {
        QImage image(20, 10, QImage::Format_ARGB32);
        image.fill(color);
        return CardPicture::fromImage(image);
    }

    int tool = 0;
    QString toolClass;
    QList<std::shared_ptr<SKTGraphic>> inspected;
    int refreshes = 0;
    int barcodeWindows = 0;
    int undoButtonUpdates = 0;
    int pasteButtonUpdates = 0;
    bool sameSizeEnabled = false;
    QList<QRectF> backgroundRects;
};

// A canvas of 400 x 300 points bound to one list of its own document.
struct CanvasFixture {
    explicit CanvasFixture(const QString& key = QStringLiteral("graphics"));
    ~CanvasFixture();

    std::shared_ptr<SKTGraphic> add(const std::shared_ptr<SKTGraphic>& graphic);
    template <typename T = SKTGraphic> std::shared_ptr<T> addRect(const QRectF& bounds) {
        auto graphic = makeGraphic<T>(bounds);
        add(graphic);
        return graphic;
    }
    const SKTGraphicList& list() const { return document->graphicsForKey(key); }
    // Lets the document close its automatic undo groups.
    static void settle();

    FakeMainWindow mainWindow;
    RecordingCanvasHost host;
    QString key;
    std::unique_ptr<SKTDocument> document;
    std::unique_ptr<SKTSelectionHolder> selection;
    std::unique_ptr<SKTGraphicView> view;
};

// Mouse events at card points (the canvas's zoom applied).
namespace canvasmouse {
void press(SKTGraphicView& view, const QPointF& point,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void drag(SKTGraphicView& view, const QPointF& point);
void release(SKTGraphicView& view, const QPointF& point);
void moveWithoutButton(SKTGraphicView& view, const QPointF& point);
void doubleClick(SKTGraphicView& view, const QPointF& point);
// Press, one drag step per point, release at the last point.
void dragPath(SKTGraphicView& view, const QList<QPointF>& points,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier);
} // namespace canvasmouse
