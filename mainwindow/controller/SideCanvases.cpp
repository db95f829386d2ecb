#include "mainwindow/controller/SideCanvases.h"

#include "editor/canvas/SKTGraphicView.h"
#include "editor/canvas/SKTSelectionHolder.h"
#include "editor/model/SKTDocument.h"
#include "editor/view/SKTGrid.h"
#include "editor/view/SKTZoomingScrollView.h"

#include <QVBoxLayout>
#include <QWidget>
#include <array>

namespace {

QVBoxLayout* viewLayout(QWidget* view) {
    if (auto* layout = qobject_cast<QVBoxLayout*>(view->layout())) {
        return layout;
    }
    auto* layout = new QVBoxLayout(view);
    layout->setContentsMargins(0, 0, 0, 0);
    return layout;
}

} // namespace

struct SideCanvases::Parts {
    SKTGrid grid;
    std::array<SKTZoomingScrollView*, 3> scrolls{};
    std::array<SKTGraphicView*, 3> canvases{};
    bool rulers = false;
};

SideCanvases::SideCanvases(SKTDocument& document, QWidget* firstView, QWidget* secondView,
                           QWidget* tempView)
    : m_parts(std::make_unique<Parts>()) {
    const std::array<QWidget*, 3> views{firstView, secondView, tempView};
    const std::array<QString, 3> bindings{SKTGraphicViewGraphicsBindingName,
                                          SKTGraphicViewGraphicsBindingName_back,
                                          SKTGraphicViewGraphicsBindingName_temp};
    const std::array<QString, 3> lists{SKTDocumentGraphicsKey, SKTDocumentGraphicsKey_back,
                                       SKTDocumentGraphicsKey_temp};
    for (std::size_t i = 0; i < 3; ++i) {
        // Owned by the enclosing view from here on.
        auto* scroll = new SKTZoomingScrollView(views[i]);
        auto* canvas = new SKTGraphicView;
        auto* selection = new SKTSelectionHolder(canvas);
        selection->setContent(&document, lists[i]);
        canvas->bind(SKTGraphicViewSelectionIndexesBindingName, selection,
                     SKTGraphicViewSelectionIndexesBindingName);
        canvas->bind(bindings[i], &document,
                     QStringLiteral("%1.%2").arg(QStringLiteral("document"), lists[i]));
        canvas->bind(SKTGraphicViewGridBindingName, &m_parts->grid, SKTGraphicViewGridBindingName);
        scroll->setDocumentView(canvas);
        // One zoom factor for the three sides: a choice in any pop-up
        // reaches all of them.
        QObject::connect(scroll, &SKTZoomingScrollView::factorChosen, scroll,
                         [parts = m_parts.get()](double factor) {
                             for (SKTZoomingScrollView* each : parts->scrolls) {
                                 each->setFactor(factor);
                             }
                         });
        viewLayout(views[i])->addWidget(scroll);
        m_parts->scrolls[i] = scroll;
        m_parts->canvases[i] = canvas;
    }
}

SideCanvases::~SideCanvases() = default;

QWidget* SideCanvases::canvas(int side) const {
    return side >= 0 && side < 3 ? m_parts->canvases[static_cast<std::size_t>(side)] : nullptr;
}

QWidget* SideCanvases::scrollView(int side) const {
    return side >= 0 && side < 3 ? m_parts->scrolls[static_cast<std::size_t>(side)] : nullptr;
}

void SideCanvases::setCanvasSize(const QSizeF& points) {
    for (SKTGraphicView* canvas : m_parts->canvases) {
        canvas->setCardSize(points);
    }
}

void SideCanvases::setZoomFactor(double factor) {
    for (SKTZoomingScrollView* scroll : m_parts->scrolls) {
        scroll->setFactor(factor);
    }
}

void SideCanvases::setRulersShown(bool shown) {
    m_parts->rulers = shown;
    for (SKTZoomingScrollView* scroll : m_parts->scrolls) {
        scroll->setRulersVisible(shown);
    }
}

bool SideCanvases::rulersShown() const {
    return m_parts->rulers;
}

void SideCanvases::refresh(int side) {
    if (auto* view = qobject_cast<SKTGraphicView*>(canvas(side))) {
        view->Refresh_Canvas();
    }
}

void SideCanvases::clearSelection(int side) {
    if (auto* view = qobject_cast<SKTGraphicView*>(canvas(side))) {
        view->Clear_Control_Selection();
    }
}

SKTGrid* SideCanvases::grid() const {
    return &m_parts->grid;
}
