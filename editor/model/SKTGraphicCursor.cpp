// The cursor of object creation.

#include "core/globals.h"
#include "editor/model/PicturePlaceholders.h"
#include "editor/model/SKTGraphic.h"

#include <QCursor>
#include <QImage>
#include <QPixmap>

QCursor SKTGraphic::creationCursor() {
    // The picture, for the resource folder it was read from. A pixmap must
    // not outlive the application, so only the picture is kept.
    static QString folder;
    static QImage cross;
    if (cross.isNull() || folder != Resource_Path) {
        folder = Resource_Path;
        cross = QImage(PicturePlaceholders::resourceFile(QStringLiteral("Cross.png")));
    }
    if (cross.isNull()) {
        return QCursor(Qt::CrossCursor);
    }
    return QCursor(QPixmap::fromImage(cross), cross.width() / 2, cross.height() / 2);
}
