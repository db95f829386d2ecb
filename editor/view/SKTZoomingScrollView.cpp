#include "editor/view/SKTZoomingScrollView.h"

#include "editor/view/SKTRulerView.h"
#include "editor/view/SKTZoomableCanvas.h"
#include "editor/view/SWCenteringClipView.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <cmath>

SKTZoomingScrollView::SKTZoomingScrollView(QWidget* parent) : QScrollArea(parent) {
    m_clipView = new SWCenteringClipView;
    setViewport(m_clipView);
    setWidgetResizable(false);
    // The scroll area's own placements (after layout, style and scroll-bar
    // changes) centre a smaller card too; centerDocument then gives the
    // exact centred origin.
    setAlignment(Qt::AlignCenter);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_horizontalRuler = new SKTRulerView(Qt::Horizontal, this);
    m_verticalRuler = new SKTRulerView(Qt::Vertical, this);
    m_horizontalRuler->hide();
    m_verticalRuler->hide();
    validateFactorPopUpButton();
}

QComboBox* SKTZoomingScrollView::factorPopUpButton() {
    validateFactorPopUpButton();
    return _factorPopUpButton;
}

void SKTZoomingScrollView::validateFactorPopUpButton() {
    if (_factorPopUpButton) {
        return;
    }
    _factorPopUpButton = new QComboBox(this);
    QFont font = _factorPopUpButton->font();
    font.setPointSizeF(std::max(6.0, font.pointSizeF() * 0.85));
    _factorPopUpButton->setFont(font);
    _factorPopUpButton->setFrame(false);
    for (int i = 0; i < SKTZoomingScrollViewFactorCount; ++i) {
        _factorPopUpButton->addItem(QString::fromLatin1(SKTZoomingScrollViewLabels[i]),
                                    SKTZoomingScrollViewFactors[i]);
    }
    _factorPopUpButton->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    _factorPopUpButton->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    _factorPopUpButton->setCurrentIndex(_factorPopUpButton->findData(_factor));
    connect(_factorPopUpButton, &QComboBox::activated, this,
            &SKTZoomingScrollView::chooseFactorItem);
    addScrollBarWidget(_factorPopUpButton, Qt::AlignLeft);
}

void SKTZoomingScrollView::chooseFactorItem(int index) {
    if (index < 0 || index >= SKTZoomingScrollViewFactorCount) {
        return;
    }
    const double chosen = SKTZoomingScrollViewFactors[static_cast<size_t>(index)];
    setFactor(chosen);
    emit factorChosen(chosen);
    // The keys go on to the card: the next Page Down scrolls instead of
    // choosing the next factor.
    if (QWidget* document = widget()) {
        document->setFocus(Qt::OtherFocusReason);
    }
}

void SKTZoomingScrollView::setDocumentView(QWidget* view) {
    setWidget(view);
    m_clipView->setDocumentView(view);
    if (view) {
        // The scroll area makes its widget fill its background; the canvas
        // must let the backdrop show outside rounded and oval cards.
        view->setAutoFillBackground(false);
        view->installEventFilter(this);
        if (auto* canvas = qobject_cast<SKTZoomableCanvas*>(view)) {
            canvas->setZoomFactor(_factor);
            connect(canvas, &SKTZoomableCanvas::beyondCardChanged, this, [this] {
                if (m_reachDue) {
                    return;
                }
                m_reachDue = true;
                QTimer::singleShot(0, this, [this] {
                    m_reachDue = false;
                    centerDocument();
                });
            });
        }
    }
    centerDocument();
}

void SKTZoomingScrollView::setFactor(double factor) {
    if (!(factor > 0) || !std::isfinite(factor)) {
        return;
    }
    _factor = factor;
    if (auto* canvas = qobject_cast<SKTZoomableCanvas*>(widget())) {
        canvas->setZoomFactor(factor);
    }
    if (_factorPopUpButton) {
        const QSignalBlocker blocker(_factorPopUpButton);
        _factorPopUpButton->setCurrentIndex(_factorPopUpButton->findData(factor));
    }
    syncRulers();
    viewport()->update();
}

QRectF SKTZoomingScrollView::clipBounds() const {
    const QSizeF size = QSizeF(viewport()->size()) / _factor;
    const QPointF origin = widget() ? QPointF(-widget()->pos()) / _factor : QPointF();
    return {origin, size};
}

void SKTZoomingScrollView::setRulersVisible(bool visible) {
    m_rulersVisible = visible;
    const int thickness = visible ? SKTRulerView::kThickness : 0;
    setViewportMargins(thickness, thickness, 0, 0);
    m_horizontalRuler->setVisible(visible);
    m_verticalRuler->setVisible(visible);
    layoutRulers();
    centerDocument();
}

void SKTZoomingScrollView::layoutRulers() {
    const QRect area = viewport()->geometry();
    const int t = SKTRulerView::kThickness;
    m_horizontalRuler->setGeometry(area.x(), area.y() - t, area.width(), t);
    m_verticalRuler->setGeometry(area.x() - t, area.y(), t, area.height());
}

void SKTZoomingScrollView::syncRulers() {
    const QPoint at = widget() ? widget()->pos() : QPoint();
    m_horizontalRuler->setScale(_factor);
    m_verticalRuler->setScale(_factor);
    m_horizontalRuler->setOrigin(at.x());
    m_verticalRuler->setOrigin(at.y());
}

void SKTZoomingScrollView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    m_clipView->drawBackdrop(painter);
}

bool SKTZoomingScrollView::event(QEvent* event) {
    const bool result = QScrollArea::event(event);
    switch (event->type()) {
    case QEvent::LayoutRequest:
    case QEvent::StyleChange:
    case QEvent::Show:
        // The scroll area placed the canvas again.
        centerDocument();
        break;
    default:
        break;
    }
    return result;
}

bool SKTZoomingScrollView::viewportEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        if (handOverBackdropMouse(static_cast<QMouseEvent*>(event))) {
            return true;
        }
        break;
    default:
        break;
    }
    return QScrollArea::viewportEvent(event);
}

bool SKTZoomingScrollView::handOverBackdropMouse(QMouseEvent* event) {
    auto* canvas = qobject_cast<SKTZoomableCanvas*>(widget());
    if (!canvas) {
        return false;
    }
    // Viewport pixels to card points.
    const QPointF point = canvas->cardPoint(event->position() - QPointF(canvas->pos()));
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // Presses the canvas itself let through arrive here too: only
        // those outside it are the backdrop's. (A press after a release
        // that never came starts afresh.)
        if (event->button() != Qt::LeftButton ||
            canvas->geometry().contains(event->position().toPoint())) {
            return false;
        }
        m_backdropPressed = true;
        canvas->backdropMousePress(point, event);
        return true;
    case QEvent::MouseMove:
        if (!m_backdropPressed) {
            return false;
        }
        canvas->backdropMouseMove(point, event);
        return true;
    case QEvent::MouseButtonRelease:
        if (!m_backdropPressed || event->button() != Qt::LeftButton) {
            return false;
        }
        m_backdropPressed = false;
        canvas->backdropMouseRelease(point, event);
        return true;
    default:
        return false;
    }
}

// Called for resizes of the viewport (the scroll area's own size, its
// margins and its scroll bars showing or hiding all end here).
void SKTZoomingScrollView::resizeEvent(QResizeEvent* event) {
    prepareDocumentMove();
    QScrollArea::resizeEvent(event);
    layoutRulers();
    centerDocument();
}

bool SKTZoomingScrollView::eventFilter(QObject* watched, QEvent* event) {
    const bool result = QScrollArea::eventFilter(watched, event);
    if (watched == widget()) {
        if (event->type() == QEvent::Resize) {
            centerDocument();
        } else if (event->type() == QEvent::Move) {
            // A move to where the canvas already is sends no event, so
            // re-centring ends here.
            syncRulers();
            viewport()->update(); // the silhouette and its shadow follow
        }
    }
    return result;
}

QMargins SKTZoomingScrollView::reachPastCanvas() const {
    const auto* canvas = qobject_cast<const SKTZoomableCanvas*>(widget());
    if (!canvas) {
        return {};
    }
    const QRectF reach = canvas->reachBounds();
    const QRectF card = canvas->cardBounds();
    if (!reach.isValid() || card.contains(reach)) {
        return {};
    }
    // A few pixels more than the reach, so a handle at its edge is whole.
    constexpr int kSpare = 8;
    const QRect pixels = canvas->widgetRect(reach).toAlignedRect();
    auto past = [](int beyond) { return beyond > 0 ? beyond + kSpare : 0; };
    return QMargins(past(-pixels.left()), past(-pixels.top()),
                    past(pixels.right() + 1 - canvas->width()),
                    past(pixels.bottom() + 1 - canvas->height()));
}

int SKTZoomingScrollView::placeOnAxis(Qt::Orientation axis, int before, int after) {
    QWidget* document = widget();
    const bool horizontal = axis == Qt::Horizontal;
    const int documentPixels = horizontal ? document->width() : document->height();
    const int viewportPixels = horizontal ? viewport()->width() : viewport()->height();
    int current = horizontal ? document->x() : document->y();
    // Per axis on which the card is smaller than the visible area: the
    // visible area's origin in points is (card - visible) / 2, rounded in
    // single precision with halves away from zero.
    auto centred = [this, documentPixels, viewportPixels] {
        const double card = documentPixels / _factor;
        const double visible = viewportPixels / _factor;
        const float origin = std::round(static_cast<float>((card - visible) / 2));
        return static_cast<int>(std::lround(-origin * _factor));
    };
    QScrollBar* bar = horizontal ? horizontalScrollBar() : verticalScrollBar();
    if (before == 0 && after == 0) {
        // The scroll area's own range (it may still be one reaching past
        // the card).
        const int range = std::max(0, documentPixels - viewportPixels);
        if (bar->minimum() != 0 || bar->maximum() != range) {
            bar->setRange(0, range);
            current = -bar->value();
        }
        return documentPixels >= viewportPixels ? current : centred();
    }
    if (before + documentPixels + after <= viewportPixels) {
        // All of it fits: centred, moved only as far as shows the reach.
        bar->setRange(0, 0);
        return std::clamp(centred(), before, viewportPixels - documentPixels - after);
    }
    bar->setRange(-before, documentPixels + after - viewportPixels);
    bar->setPageStep(viewportPixels);
    return -bar->value();
}

void SKTZoomingScrollView::centerDocument() {
    QWidget* document = widget();
    if (!document) {
        syncRulers();
        return;
    }
    if (m_placing) {
        return;
    }
    m_placing = true;
    const QMargins reach = reachPastCanvas();
    const QPoint at(placeOnAxis(Qt::Horizontal, reach.left(), reach.right()),
                    placeOnAxis(Qt::Vertical, reach.top(), reach.bottom()));
    prepareDocumentMove();
    document->move(at);
    m_placing = false;
    syncRulers();
}

void SKTZoomingScrollView::scrollToShow(const QPoint& canvasPixel) {
    QWidget* document = widget();
    if (!document) {
        return;
    }
    const QPoint at = canvasPixel + document->pos();
    auto follow = [](QScrollBar* bar, int position, int extent) {
        if (position < 0) {
            bar->setValue(bar->value() + position);
        } else if (position > extent) {
            bar->setValue(bar->value() + position - extent);
        }
    };
    follow(horizontalScrollBar(), at.x(), viewport()->width());
    follow(verticalScrollBar(), at.y(), viewport()->height());
}

void SKTZoomingScrollView::prepareDocumentMove() {
    if (auto* canvas = qobject_cast<SKTZoomableCanvas*>(widget())) {
        canvas->prepareMove();
    }
}

void SKTZoomingScrollView::scrollContentsBy(int dx, int dy) {
    prepareDocumentMove();
    QScrollArea::scrollContentsBy(dx, dy);
    centerDocument();
}
