#pragma once
// The picture object: a picture file drawn through the picture adjustments,
// optionally mirrored, at its opacity. The adjusted picture is kept per
// object and made again only when the picture or an adjustment changes.
//
// A picture read from a file keeps the pixels the part of its frame on the
// card shows at 600 dpi (SKTPicturePixelsOnCard), or at 72 dpi once the
// design's pictures pass their budget, shared with every object showing the
// same file; when the frame grows or moves beyond them they are read again:
// on the GUI thread once the frame has rested (PictureRefitQueue), elsewhere
// when the object is drawn; a grown frame whose 600 dpi would take the
// pictures past the budget is read at 72 dpi from then on, as a design past
// the budget opens. A copy made for an output reads 600 dpi again.
// A file that no longer reads keeps the pixels already kept; the user is
// told once and it is not tried again until the file changes. Its size in
// points stays the file's own.

#include "editor/model/PictureFileCache.h"
#include "editor/model/SKTGraphic.h"
#include "editor/model/SKTPictureLoading.h"

#include <mutex>

inline const QString SKTImageContentsKey = QStringLiteral("contents");
inline const QString SKTImageIsFlippedHorizontallyKey = QStringLiteral("flippedHorizontally");
inline const QString SKTImageIsFlippedVerticallyKey = QStringLiteral("flippedVertically");

class SKTImage : public SKTGraphic {
public:
    SKTImage() = default;

    // A picture read from a file, centred on the point at its own size. The
    // header gives the size first, so the file is decoded once, for that
    // frame, or for `frame` (top left at the point) when the caller gives
    // the object that size next; past the budget (SKTPictureBudgetBytes())
    // at 72 dpi. A file whose header reads but whose pixels do not is told
    // (the chooser let it through) and leaves no picture.
    void initWithPath(const QPointF& point, const QString& path, const QSizeF& frame = {});
    // A given picture centred on the point; the record's path becomes the
    // picture chosen last (Library_Selected_Image).
    void initWithPosition(const QPointF& point, const CardPicture& contents);

    QString className() const override { return QStringLiteral("SKTImage"); }
    std::shared_ptr<SKTGraphic> newOfSameClass() const override;
    // The record's copy plus the picture.
    std::shared_ptr<SKTGraphic> clone() const override;

    // Stores the path and reads the picture from it for the current frame
    // (none when the file cannot be read; the answer says why). The bounds
    // and visibility stay.
    SKTPictureProblem setFilePath(const QString& path);
    // The same on a card of this size (a design being opened, whose card
    // is not yet the canvas's).
    SKTPictureProblem setFilePathOnCard(const QString& path, const QRectF& card);
    const CardPicture& contents() const { return _contents; }
    // The pixels of its file the part of the current frame on the card shows
    // (SKTPicturePixelsOnCard, at keptPixelsPerPoint).
    QSize wantedPixels() const;
    QSize wantedPixelsOnCard(const QRectF& card) const;
    // Pixels kept per point: SKTPicturePixelsPerPoint, or SKTScreenPixelsPerPoint
    // for a design whose pictures pass the budget (outputs then read their
    // own from the file).
    double keptPixelsPerPoint() const { return m_pixelsPerPoint; }
    void setKeptPixelsPerPoint(double pixelsPerPoint) { m_pixelsPerPoint = pixelsPerPoint; }
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

    // The record's behaviour; a frame that the kept pixels no longer fit
    // has its picture read again once it rests.
    void setBounds(const QRectF& bounds) override;

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
    // _contents is what was read from the file (not a picture given).
    bool contentsFromFile() const;
    // Reads the file again for the current frame when the kept pixels do
    // not serve it (or, with `shrink`, are far more than it wants); at
    // SKTScreenPixelsPerPoint from then on when reading `want` at 600 dpi
    // would take the design's pictures past the budget.
    void refitPicture(bool shrink);
    // Reading `want` instead of the kept pixels takes the pictures kept by
    // the whole process past SKTPictureBudgetBytes() (never for a copy made
    // for an output, nor once at SKTScreenPixelsPerPoint).
    bool passesBudget(const QSize& want) const;

    // What was read from the file for _contents.
    SKTPictureRead m_read;
    double m_pixelsPerPoint = SKTPicturePixelsPerPoint;
    // A copy made for an output (see the copy constructor).
    bool m_forOutput = false;
    // Reading the file again failed in this state of the file (none: it was
    // missing); not tried again until the file changes.
    bool m_refitFailed = false;
    std::optional<PictureFileCache::FileKey> m_failedFile;

    mutable std::mutex m_adjustedMutex;
    mutable bool m_adjustedValid = false;
    mutable CardPicture m_adjustedSource;
    mutable Adjustments m_adjustedFor;
    mutable CardPicture m_adjusted;
};
