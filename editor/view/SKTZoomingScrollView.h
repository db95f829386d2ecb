#pragma once
// The canvas's scroll view: a zoom pop-up of eleven factors at the left end
// of its horizontal scroll bar (always present), a viewport that centres a
// card smaller than itself and paints the backdrop, and two rulers that can
// be shown in its margins.

#include <QComboBox>
#include <QMargins>
#include <QRectF>
#include <QScrollArea>
#include <QString>
#include <array>

class SKTRulerView;
class SWCenteringClipView;

inline const QString SKTZoomingScrollViewFactor = QStringLiteral("factor");

inline constexpr int SKTZoomingScrollViewFactorCount = 11;
// The zoom choices in pop-up order; 10% is held in single precision.
inline constexpr std::array<const char*, SKTZoomingScrollViewFactorCount>
    SKTZoomingScrollViewLabels = {"10%",  "25%",  "50%",  "75%",  "100%", "125%",
                                  "150%", "200%", "400%", "800%", "1600%"};
inline constexpr std::array<double, SKTZoomingScrollViewFactorCount> SKTZoomingScrollViewFactors = {
    static_cast<double>(0.1f), 0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 4.0, 8.0, 16.0};

class SKTZoomingScrollView : public QScrollArea {
    Q_OBJECT
public:
    explicit SKTZoomingScrollView(QWidget* parent = nullptr);

    // The canvas; an SKTZoomableCanvas follows the zoom factor.
    void setDocumentView(QWidget* view);
    QWidget* documentView() const { return widget(); }
    SWCenteringClipView* clipView() const { return m_clipView; }

    double factor() const { return _factor; }
    // Stores the factor, sizes the canvas to card size x factor and selects
    // the matching pop-up item. Factors of 0 or less are ignored.
    void setFactor(double factor);

    // The visible part of the card in card points: the viewport's size
    // divided by the factor, its origin negative while the card is centred.
    QRectF clipBounds() const;

    // Keeps a canvas smaller than the viewport centred on that axis; a
    // larger one stays where scrolling put it. What of a card canvas lies
    // past the card (its reach) stays within reach: the scroll bars reach
    // past the card's edge as far as it does, and a card that fits with it
    // moves off centre only as far as needed to show it.
    void centerDocument();

    // Scrolls by as little as brings the canvas pixel into view, past the
    // card's edge too as far as the reach goes (for dragging).
    void scrollToShow(const QPoint& canvasPixel);

    // The zoom pop-up, made on first need.
    QComboBox* factorPopUpButton();
    void validateFactorPopUpButton();

    bool rulersVisible() const { return m_rulersVisible; }
    void setRulersVisible(bool visible);
    SKTRulerView* horizontalRuler() const { return m_horizontalRuler; }
    SKTRulerView* verticalRuler() const { return m_verticalRuler; }

signals:
    // The user chose a zoom item (the factor is already set).
    void factorChosen(double factor);

protected:
    bool event(QEvent* event) override;
    // Left-button presses on the backdrop, and the moves and release after
    // them, go to the canvas.
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    // The canvas decides whether its pixels may move with it.
    void prepareDocumentMove();

private:
    void layoutRulers();
    void syncRulers();
    void chooseFactorItem(int index);
    bool handOverBackdropMouse(QMouseEvent* event);
    // The pixels of the canvas's reach past each of its edges (none when
    // nothing reaches past the card).
    QMargins reachPastCanvas() const;
    // The canvas's position on one axis; sets that scroll bar's range when
    // the reach goes past the card.
    int placeOnAxis(Qt::Orientation axis, int before, int after);

    QComboBox* _factorPopUpButton = nullptr;
    double _factor = 1.0;
    SWCenteringClipView* m_clipView = nullptr;
    SKTRulerView* m_horizontalRuler = nullptr;
    SKTRulerView* m_verticalRuler = nullptr;
    bool m_rulersVisible = false;
    // A left-button press on the backdrop was handed to the canvas and its
    // release has not come yet.
    bool m_backdropPressed = false;
    // centerDocument is placing the canvas (a range it sets scrolls, and
    // scrolling places again).
    bool m_placing = false;
    // A new measure of the reach is due once the events at hand are done.
    bool m_reachDue = false;
};
