#pragma once
// The viewport of the zooming scroll view: paints the grey backdrop and the
// card's silhouette with a soft shadow under the canvas. (The scroll view
// places the canvas in it: centred on each axis where the card is smaller.)

#include <QImage>
#include <QPainterPath>
#include <QPointer>
#include <QRect>
#include <QWidget>

class SWCenteringClipView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShadowOffset = 3; // pixels right and down
    static constexpr int kShadowBlurRadius = 15;

    explicit SWCenteringClipView(QWidget* parent = nullptr);
    ~SWCenteringClipView() override;

    // The canvas whose frame the silhouette follows (not owned). A card
    // canvas is given the backdrop to paint beneath itself.
    void setDocumentView(QWidget* view);
    QWidget* documentView() const { return m_document; }

    // White, the vertical grey gradient, the shadow and the card silhouette
    // in the shape of Card_Shape over the document view's frame, then what
    // a card canvas draws past the card's edge.
    void drawBackdrop(QPainter& painter);

    // The silhouette of a card filling `frame` (viewport pixels).
    static QPainterPath silhouette(const QRectF& frame, int cardShape, double zoomFactor);

private:
    // The blurred shadow of the silhouette, made again only when the size,
    // shape or zoom changes. Its top-left goes at the frame's top-left minus
    // shadowMargin().
    const QImage& shadowFor(const QSize& size, int cardShape, double zoomFactor);
    static int shadowMargin() { return kShadowBlurRadius * 2; }

    QPointer<QWidget> m_document;
    QImage m_shadow;
    QSize m_shadowSize;
    int m_shadowShape = -1;
    double m_shadowZoom = 0;
};
