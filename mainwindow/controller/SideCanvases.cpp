#include "mainwindow/controller/SideCanvases.h"

#include "editor/model/SKTDocument.h"

#include <QPainter>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWidget>
#include <array>

#if __has_include("editor/canvas/SKTGraphicView.h") &&                                             \
                  __has_include("editor/view/SKTZoomingScrollView.h")
#define CARD_HAVE_CANVAS 1
#include "editor/canvas/SKTGraphicView.h"
#include "editor/canvas/SKTSelectionHolder.h"
#include "editor/view/SKTGrid.h"
#include "editor/view/SKTZoomingScrollView.h"
#else
#define CARD_HAVE_CANVAS 0
#endif

namespace {

QVBoxLayout* viewLayout(QWidget* view) {
    if (auto* layout = qobject_cast<QVBoxLayout*>(view->layout())) {
        return layout;
    }
    auto* layout = new QVBoxLayout(view);
    layout->setContentsMargins(0, 0, 0, 0);
    return layout;
}

#if !CARD_HAVE_CANVAS
// Until the editing canvas is built in: a white card of the canvas size.
class PlainCard : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.setPen(QColor(200, 200, 200));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};
#endif

} // namespace

#if CARD_HAVE_CANVAS

struct SideCanvases::Parts {
    SKTGrid grid;
    std::array<SKTZoomingScrollView*, 3> scrolls{};
    std::array<SKTGraphicView*, 3> canvases{};
    std::array<SKTSelectionHolder*, 3> selections{};
    bool rulers = false;
};

SideCanvases::SideCanvases(SKTDocument& document, QWidget* firstView, QWidget* secondView,
                           QWidget* tempView)
    : m_parts(std::make_unique<Parts>()) {
    const std::array<QWidget*, 3> views{firstView, secondView, tempView};
    const std::array<QString, 3> names{SKTGraphicViewGraphicsBindingName,
                                       SKTGraphicViewGraphicsBindingName_back,
                                       SKTGraphicViewGraphicsBindingName_temp};
    const std::array<QString, 3> lists{SKTDocumentGraphicsKey, SKTDocumentGraphicsKey_back,
                                       SKTDocumentGraphicsKey_temp};
    for (std::size_t i = 0; i < 3; ++i) {
        auto* scroll = new SKTZoomingScrollView(views[i]);
        auto* canvas = new SKTGraphicView;
        auto* selection = new SKTSelectionHolder(canvas);
        canvas->bind(SKTGraphicViewSelectionIndexesBindingName, selection, QString());
        canvas->bind(names[i], &document,
                     QStringLiteral("%1.%2").arg(QStringLiteral("document"), lists[i]));
        canvas->setGrid(&m_parts->grid);
        scroll->setDocumentView(canvas);
        viewLayout(views[i])->addWidget(scroll);
        m_parts->scrolls[i] = scroll;
        m_parts->canvases[i] = canvas;
        m_parts->selections[i] = selection;
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
        canvas->setBoundsSize(points);
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

#else

struct SideCanvases::Parts {
    std::array<QScrollArea*, 3> scrolls{};
    std::array<QWidget*, 3> canvases{};
    QSizeF size;
    double zoom = 1.0;
    bool rulers = false;
};

SideCanvases::SideCanvases(SKTDocument&, QWidget* firstView, QWidget* secondView, QWidget* tempView)
    : m_parts(std::make_unique<Parts>()) {
    const std::array<QWidget*, 3> views{firstView, secondView, tempView};
    for (std::size_t i = 0; i < 3; ++i) {
        auto* scroll = new QScrollArea(views[i]);
        scroll->setAlignment(Qt::AlignCenter);
        scroll->setBackgroundRole(QPalette::Dark);
        auto* card = new PlainCard;
        scroll->setWidget(card);
        viewLayout(views[i])->addWidget(scroll);
        m_parts->scrolls[i] = scroll;
        m_parts->canvases[i] = card;
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
    m_parts->size = points;
    for (QWidget* canvas : m_parts->canvases) {
        canvas->resize((points * m_parts->zoom).toSize());
    }
}

void SideCanvases::setZoomFactor(double factor) {
    if (factor > 0) {
        m_parts->zoom = factor;
        setCanvasSize(m_parts->size);
    }
}

void SideCanvases::setRulersShown(bool shown) {
    m_parts->rulers = shown;
}

bool SideCanvases::rulersShown() const {
    return m_parts->rulers;
}

void SideCanvases::refresh(int side) {
    if (QWidget* view = canvas(side)) {
        view->update();
    }
}

void SideCanvases::clearSelection(int) {}

#endif
