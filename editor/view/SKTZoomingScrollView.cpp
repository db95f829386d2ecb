#include "editor/view/SKTZoomingScrollView.h"

#include "editor/view/SKTRulerView.h"
#include "editor/view/SKTZoomableCanvas.h"
#include "editor/view/SWCenteringClipView.h"

#include <QEvent>
#include <QPainter>
#include <QScrollBar>
#include <cmath>

SKTZoomingScrollView::SKTZoomingScrollView(QWidget* parent) : QScrollArea(parent) {
    m_clipView = new SWCenteringClipView;
    setViewport(m_clipView);
    setWidgetResizable(false);
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
        }
    }
    syncRulers();
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
    syncRulers();
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

void SKTZoomingScrollView::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    layoutRulers();
    syncRulers();
}

bool SKTZoomingScrollView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == widget() && (event->type() == QEvent::Move || event->type() == QEvent::Resize)) {
        syncRulers();
        viewport()->update(); // the silhouette and its shadow follow the canvas
    }
    return QScrollArea::eventFilter(watched, event);
}

void SKTZoomingScrollView::scrollContentsBy(int dx, int dy) {
    QScrollArea::scrollContentsBy(dx, dy);
    syncRulers();
}
