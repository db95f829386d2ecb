#include "editor/model/SKTPictureLoading.h"

#include <QDir>
#include <QImageReader>

CardPicture SKTLoadPictureFile(const QString& path) {
    if (path.isEmpty()) {
        return CardPicture();
    }
    QImageReader reader(QDir::cleanPath(path));
    const QImage image = reader.read();
    if (image.isNull()) {
        return CardPicture();
    }
    return CardPicture::fromImage(image);
}
