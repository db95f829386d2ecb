#pragma once
// The picture object: a picture file drawn through the picture adjustments,
// optionally mirrored. Drawing comes with the picture objects' own code.

#include "editor/model/SKTGraphic.h"

inline const QString SKTImageContentsKey = QStringLiteral("contents");
inline const QString SKTImageIsFlippedHorizontallyKey = QStringLiteral("flippedHorizontally");
inline const QString SKTImageIsFlippedVerticallyKey = QStringLiteral("flippedVertically");

class SKTImage : public SKTGraphic {
public:
    SKTImage() = default;

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

    // Unlocked: the picture's own size at the same origin, mirroring cleared.
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

    CardPicture _contents;
};
