#pragma once
// A straight line from a begin point to an end point. Its geometry is the
// bounds plus two direction flags: the points are opposite corners of the
// bounds. Drawn by the shared object drawing: never filled, always stroked.

#include "editor/model/SKTGraphic.h"

inline const QString SKTLineBeginPointKey = QStringLiteral("beginPoint");
inline const QString SKTLineEndPointKey = QStringLiteral("endPoint");

class SKTLine : public SKTGraphic {
public:
    SKTLine() = default;

    QString className() const override { return QStringLiteral("SKTLine"); }
    std::shared_ptr<SKTGraphic> newOfSameClass() const override;
    // The record's copy plus both direction flags.
    std::shared_ptr<SKTGraphic> clone() const override;

    QPointF beginPoint() const;
    QPointF endPoint() const;
    // Keep the other point; bounds and flags follow (observed).
    void setBeginPoint(const QPointF& point);
    void setEndPoint(const QPointF& point);
    // The rectangle spanned by two points; the flags tell the direction
    // (equal coordinates give false).
    static QRectF boundsWithBeginPoint(const QPointF& begin, const QPointF& end,
                                       bool* pointsRight = nullptr, bool* pointsDown = nullptr);

    QPainterPath bezierPathForDrawing() const override;

    // Two handles: 1 at the begin point, 2 at the end point.
    void drawHandlesInView(QPainter& painter, bool lock_hai) const override;
    int handleUnderPoint(const QPointF& point) const override;
    int resizeByMovingHandle(int handle, const QPointF& point) override;
    int creationSizingHandle() const override { return 2; }
    // Within the drawing bounds and within half the stroke width plus 2 of
    // the line, measured at right angles to it (so steep lines can be hit as
    // well as flat ones).
    bool isContentsUnderPoint(const QPointF& point) const override;
    // The outline only, with the line's cap style; a hidden line draws
    // nothing.
    void drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited) override;

    bool isDrawingFill() const override { return false; }
    bool isDrawingStroke() const override { return true; }
    bool canSetDrawingFill() const override { return false; }
    bool canSetDrawingStroke() const override { return false; }
    bool canMakeNaturalSize() const override { return false; }
    void setColor(const QColor& color) override;

    QStringList keysForValuesToObserveForUndo() const override;
    QString presentablePropertyNameForKey(const QString& key) const override;
    QVariant valueForKey(const QString& key) override;
    bool setValueForKey(const QString& key, const QVariant& value) override;

    QVariantMap properties() override;
    void initWithProperties(const QVariantMap& properties) override;

    // The record's 93 keys plus the direction, so a line keeps its direction
    // through saving and pasting.
    void encodeWithCoder(KeyedArchiver& coder) const override;
    void initWithCoder(const KeyedUnarchiver& coder) override;

    bool _pointsRight = false;
    bool _pointsDown = false;

protected:
    SKTLine(const SKTLine& other) = default;
    std::shared_ptr<SKTGraphic> copyOfObject() const override;
};
