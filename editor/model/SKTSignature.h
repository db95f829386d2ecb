#pragma once
// The signature or fingerprint picture object. The path "Default" stands
// for the sample picture of its kind. The picture follows the record's file
// path: when the path was changed directly (inspector, record filling, a
// design file), the next drawing shows the picture of the new path.

#include "editor/model/SKTGraphic.h"
#include "editor/model/SKTPictureLoading.h"

#include <mutex>

class SKTSignature : public SKTGraphic {
public:
    SKTSignature() = default;

    QString className() const override { return QStringLiteral("SKTSignature"); }
    std::shared_ptr<SKTGraphic> newOfSameClass() const override;

    // A given picture (the sample of the kind) centred on the point; both
    // paths name the resource folder's sample of the kind ("S" signature,
    // anything else fingerprint).
    void initWithPosition(const QPointF& point, const CardPicture& contents, const QString& kind);
    // The kind, then the picture read through setFilePath, centred on the
    // point.
    void initWithPath(const QPointF& point, const QString& path, const QString& kind);

    // "Default" becomes the resource folder's "sign_sample.png" (kind "S")
    // or "fingerprints.png"; the effective path is stored in file_path and
    // the record, and the picture read from it (none when unreadable).
    void setFilePath(const QString& path);
    // The path "Default" stands for with the current kind; other paths as
    // they are.
    QString effectivePath(const QString& path) const;

    bool isDrawingFill() const override { return false; }

    // The record's behaviour; a frame grown beyond the pixels read has its
    // picture read again once it rests.
    void setBounds(const QRectF& bounds) override;

    // Hidden: nothing. Otherwise the outline (when stroked), then the
    // picture of the record's path stretched into the bounds, plainly.
    void drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited) override;
    // The picture drawing shows: the loaded one while the record's path is
    // the one it was loaded from, else the picture of the record's path
    // (read once and kept for that path). The record is not changed.
    // Pictures are read for the pixels the frame shows at 600 dpi, and read
    // again (kept beside) when the frame has grown beyond them, unless a
    // resize of the frame is still under way.
    CardPicture pictureForDrawing() const;

    CardPicture _contents_img;
    QString file_path; // the path _contents_img was last read from

protected:
    // Copies the pictures, the one read for the record's path too.
    SKTSignature(const SKTSignature& other);
    std::shared_ptr<SKTGraphic> copyOfObject() const override;

private:
    // What setFilePath read for _contents_img.
    SKTPictureRead m_read;
    mutable std::mutex m_reloadMutex;
    mutable QString m_reloadedPath;
    mutable SKTPictureRead m_reloadedRead;
    mutable CardPicture m_reloaded;
    mutable bool m_hasReloaded = false;
};
