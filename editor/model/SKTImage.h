#pragma once
// The picture object: a picture file drawn through the picture adjustments,
// optionally mirrored, at its opacity. The adjusted picture is kept per
// object and made again only when the picture or an adjustment changes.

#include "editor/model/SKTGraphic.h"

#include <mutex>

inline const QString SKTImageContentsKey = QStringLiteral("contents");
inline const QString SKTImageIsFlippedHorizontallyKey = QStringLiteral("flippedHorizontally");
inline const QString SKTImageIsFlippedVerticallyKey = QStringLiteral("flippedVertically");

class SKTImage : public SKTGraphic {
public:
    SKTImage() = default;

    // A picture read from a file, centred on the point at its own size.
    void initWithPath(const QPointF& point, const QString& path);
    // A given picture centred on the point; the record's path becomes the
    // picture chosen last (Library_Selected_Image).
    void initWithPosition(const QPointF& point, const CardPicture& contents);

    QString className() const override { return QStringLiteral("SKTImage"); }
    std::shared_ptr<SKTGraphic> newOfSameClass() const override;
    // The record's copy plus the picture.
    std::shared_ptr<SKTGraphic> clone() const override;

    // Stores the path and reads the picture from it (none when the file
    // cannot be read). The bounds and visibility stay.
    void setFilePath(const QString& path);
    const CardPicture& contents() const { return _contents; }
    void setContents(const CardPicture& picture) { _contents = picture; }

    // Observed mirror flags; the flips toggle them.
    void setFlippedHorizontally(bool flag) override;
    void setFlippedVertically(bool flag) override;
    void flipHorizontally() override;
    void flipVertically() override;

    // Unlocked: the picture's own size (within the size limit of the
    // adjustments) at the same origin, mirroring cleared.
    bool canMakeNaturalSize() const override { return true; }
    void makeNaturalSize() override;

    bool isDrawingFill() const override { return false; }
    bool canSetDrawingFill() const override { return false; }
    bool canSetDrawingStroke() const override { return false; }

    QStringList keysForValuesToObserveForUndo() const override;
    QString presentablePropertyNameForKey(const QString& key) const override;
    QVariant valueForKey(const QString& key) override;
    bool setValueForKey(const QString& key, const QVariant& value) override;

    QVariantMap properties() override;
    void initWithProperties(const QVariantMap& properties) override;

    // Hidden or with the path "": nothing. Otherwise the outline (when
    // stroked), then the adjusted picture drawn whole into the bounds,
    // mirrored as flagged, at img_trnsp_val percent opacity.
    void drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited) override;
    // The picture after the adjustment chain (none when there is no picture
    // or the chain failed). Made at most once per picture and set of
    // adjustments; any thread may ask.
    CardPicture adjustedPicture() const;

    CardPicture _contents;

protected:
    // Copies the picture and the adjusted picture made from it.
    SKTImage(const SKTImage& other);
    std::shared_ptr<SKTGraphic> copyOfObject() const override;

private:
    struct Adjustments {
        bool grayScale = false;
        bool sepia = false;
        bool invert = false;
        float hue = 0, sat = 1, brt = 0, con = 1, sharpness = 0, ev = 0, blur = 0;
        int rotation = 0;
        bool operator==(const Adjustments&) const = default;
    };
    Adjustments currentAdjustments() const;

    mutable std::mutex m_adjustedMutex;
    mutable bool m_adjustedValid = false;
    mutable CardPicture m_adjustedSource;
    mutable Adjustments m_adjustedFor;
    mutable CardPicture m_adjusted;
};
