#include "editor/model/SKTPictureLoading.h"

#include <QDir>
#include <QImageReader>
#include <filesystem>

CardPicture SKTLoadPictureFile(const QString& path) {
    if (path.isEmpty()) {
        return CardPicture();
    }
    // Only regular files are read: a FIFO or a device named by a design file
    // would otherwise hang the reader.
    const QString clean = QDir::cleanPath(path);
    std::error_code error;
    if (!std::filesystem::is_regular_file(std::filesystem::path(clean.toStdString()), error)) {
        return CardPicture();
    }
    QImageReader reader(clean);
    const QImage image = reader.read();
    if (image.isNull()) {
        return CardPicture();
    }
    return CardPicture::fromImage(image);
}
