#pragma once
// One item of a picture browser: the picture file's path (the browser loads
// the thumbnail from it), a title (shown also as the subtitle) and a unique
// id.

#include <QString>

struct MyImageObject {
    QString _path;
    QString _title;
    QString _uid;

    QString imageRepresentation() const { return _path; }
    QString imageTitle() const { return _title; }
    QString imageSubtitle() const { return _title; }
    QString imageUID() const { return _uid; }
};
