#include "editor/view/SWCenteringClipView.h"

#include "core/globals.h"
#include "editor/view/SKTZoomableCanvas.h"
#include "platform/DrawingDefaults.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The longest side of the cached shadow; larger cards get a shadow made
// smaller and drawn stretched (it is a blur, nothing sharp is lost).
constexpr int kMaxShadowSide = 1024;

// One pass of a box blur of the alpha channel along rows (or columns).
void boxBlurAlpha(QImage& image, int radius, bool alongRows) {
    const int w = image.width();
    const int h = image.height();
    const int lines = alongRows ? h : w;
    const int length = alongRows ? w : h;
    std::vector<int> source(static_cast<size_t>(length));
    auto at = [&](int line, int i) -> QRgb& {
        const int x = alongRows ? i : line;
        const int y = alongRows ? line : i;
        return reinterpret_cast<QRgb*>(image.scanLine(y))[x];
    };
    const int window = 2 * radius + 1;
    for (int line = 0; line < lines; ++line) {
        for (int i = 0; i < length; ++i) {
            source[static_cast<size_t>(i)] = qAlpha(at(line, i));
        }
        int sum = 0;
        for (int i = -radius; i <= radius; ++i) {
            sum += (i >= 0 && i < length) ? source[static_cast<size_t>(i)] : 0;
        }
        for (int i = 0; i < length; ++i) {
            at(line, i) = qRgba(0, 0, 0, sum / window);
            const int out = i - radius;
            const int in = i + radius + 1;
            sum -= (out >= 0) ? source[static_cast<size_t>(out)] : 0;
            sum += (in < length) ? source[static_cast<size_t>(in)] : 0;
        }
    }
}

} // namespace

SWCenteringClipView::SWCenteringClipView(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(false);
}

SWCenteringClipView::~SWCenteringClipView() {
    setDocumentView(nullptr);
}

void SWCenteringClipView::setDocumentView(QWidget* view) {
    if (auto* old = qobject_cast<SKTZoomableCanvas*>(m_document.data())) {
        old->setBackdropPainter({});
    }
    m_document = view;
    if (auto* canvas = qobject_cast<SKTZoomableCanvas*>(view)) {
        canvas->setBackdropPainter([this](QPainter& painter) { drawBackdrop(painter); });
    }
    update();
}

QPainterPath SWCenteringClipView::silhouette(const QRectF& frame, int cardShape,
                                             double zoomFactor) {
    QPainterPath path;
    if (cardShape == 1) {
        path.addRoundedRect(frame, 10.0 * zoomFactor, 10.0 * zoomFactor);
    } else if (cardShape == 2) {
        path.addEllipse(frame);
    } else {
        path.addRect(frame);
    }
    return path;
}

const QImage& SWCenteringClipView::shadowFor(const QSize& size, int cardShape, double zoomFactor) {
    if (size == m_shadowSize && cardShape == m_shadowShape && zoomFactor == m_shadowZoom) {
        return m_shadow;
    }
    m_shadowSize = size;
    m_shadowShape = cardShape;
    m_shadowZoom = zoomFactor;
    const int margin = shadowMargin();
    const QSize full(size.width() + 2 * margin, size.height() + 2 * margin);
    const double reduce =
        std::max(1.0, std::max(full.width(), full.height()) / static_cast<double>(kMaxShadowSide));
    const QSize reduced(std::max(1, static_cast<int>(std::ceil(full.width() / reduce))),
                        std::max(1, static_cast<int>(std::ceil(full.height() / reduce))));
    m_shadow = QImage(reduced, QImage::Format_ARGB32);
    if (m_shadow.isNull()) {
        return m_shadow;
    }
    m_shadow.fill(Qt::transparent);
    {
        QPainter painter(&m_shadow);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(1.0 / reduce, 1.0 / reduce);
        painter.fillPath(
            silhouette(QRectF(margin, margin, size.width(), size.height()), cardShape, zoomFactor),
            Qt::black);
    }
    // Three box passes each way approximate a Gaussian of the blur radius.
    const int radius = std::max(1, static_cast<int>(std::lround(kShadowBlurRadius / 2.0 / reduce)));
    for (int pass = 0; pass < 3; ++pass) {
        boxBlurAlpha(m_shadow, radius, true);
        boxBlurAlpha(m_shadow, radius, false);
    }
    return m_shadow;
}

void SWCenteringClipView::drawBackdrop(QPainter& painter) {
    const QRectF bounds = rect();
    painter.fillRect(bounds, Qt::white);
    painter.fillRect(bounds, DrawingDefaults::gradientAtAngle(bounds, 90,
                                                              QColor::fromRgbF(0.88, 0.88, 0.88),
                                                              QColor::fromRgbF(0.78, 0.78, 0.78)));
    if (!m_document || m_document->size().isEmpty()) {
        return;
    }
    const QRect frame = m_document->geometry();
    const int shape = Card_Shape.load();
    const auto* canvas = qobject_cast<const SKTZoomableCanvas*>(m_document.data());
    const double zoom = canvas ? canvas->zoomFactor() : 1.0;
    const QImage& shadow = shadowFor(frame.size(), shape, zoom);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!shadow.isNull()) {
        const int margin = shadowMargin();
        painter.drawImage(QRectF(frame.x() - margin + kShadowOffset,
                                 frame.y() - margin + kShadowOffset, frame.width() + 2 * margin,
                                 frame.height() + 2 * margin),
                          shadow);
    }
    painter.fillPath(silhouette(QRectF(frame), shape, zoom), palette().color(QPalette::Button));
    if (canvas) {
        painter.translate(frame.topLeft());
        painter.scale(zoom, zoom);
        canvas->drawBeyondCard(painter);
    }
    painter.restore();
}
