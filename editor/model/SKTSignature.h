#pragma once
// The signature or fingerprint picture object. Its picture is reread when
// the record's file path changes; the path "Default" stands for the sample
// picture of its kind. Drawing comes with the picture objects' own code.

#include "editor/model/SKTGraphic.h"

class SKTSignature : public SKTGraphic {
public:
    SKTSignature() = default;

    QString className() const override { return QStringLiteral("SKTSignature"); }
    std::shared_ptr<SKTGraphic> newOfSameClass() const override;

    // "Default" becomes the resource folder's "sign_sample.png" (kind "S")
    // or "fingerprints.png"; the effective path is stored in file_path and
    // the record, and the picture read from it (none when unreadable).
    void setFilePath(const QString& path);

    bool isDrawingFill() const override { return false; }

    CardPicture _contents_img;
    QString file_path; // the path _contents_img was last read from
};
