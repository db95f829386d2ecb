#include "editor/model/SKTPictureLoading.h"

#include <QCoreApplication>
#include <QDir>
#include <QImageReader>
#include <filesystem>

namespace {

void tell(SKTPictureProblem* problem, SKTPictureProblem value) {
    if (problem) {
        *problem = value;
    }
}

} // namespace

CardPicture SKTLoadPictureFile(const QString& path, SKTPictureProblem* problem) {
    tell(problem, SKTPictureProblem::None);
    if (path.isEmpty()) {
        tell(problem, SKTPictureProblem::Missing);
        return CardPicture();
    }
    // Only regular files are read: a FIFO or a device named by a design file
    // would otherwise hang the reader.
    const QString clean = QDir::cleanPath(path);
    const std::filesystem::path file(clean.toStdString());
    std::error_code error;
    if (!std::filesystem::exists(file, error)) {
        tell(problem, SKTPictureProblem::Missing);
        return CardPicture();
    }
    if (!std::filesystem::is_regular_file(file, error)) {
        tell(problem, SKTPictureProblem::NotPicture);
        return CardPicture();
    }
    QImageReader reader(clean);
    const QImage image = reader.read();
    if (image.isNull()) {
        // Qt refuses pictures whose pixels would pass its allocation limit
        // before it decodes them; the header still tells their size.
        const QSize size = QImageReader(clean).size();
        const qint64 bytes = qint64(size.width()) * size.height() * 4;
        const bool tooLarge =
            size.isValid() && bytes > qint64(QImageReader::allocationLimit()) * 1024 * 1024;
        tell(problem, tooLarge ? SKTPictureProblem::TooLarge : SKTPictureProblem::NotPicture);
        return CardPicture();
    }
    return CardPicture::fromImage(image);
}

QString SKTPictureProblemText(SKTPictureProblem problem) {
    switch (problem) {
    case SKTPictureProblem::None:
        return QString();
    case SKTPictureProblem::Missing:
        return QCoreApplication::translate("Pictures", "cannot be found");
    case SKTPictureProblem::NotPicture:
        return QCoreApplication::translate("Pictures", "is not a picture the program can read");
    case SKTPictureProblem::TooLarge:
        return QCoreApplication::translate("Pictures", "is too large");
    }
    return QString();
}
