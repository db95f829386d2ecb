// resource_gen OUTPUT_DIR
// Draws every resource picture of the program into OUTPUT_DIR, creating the
// sub-folders it needs. The output is the same on every run.
#include "AlignmentPictures.h"
#include "Backgrounds.h"
#include "Canvas.h"
#include "Hatches.h"
#include "LibraryArt.h"
#include "Placeholders.h"
#include "Promotions.h"
#include "Tiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char** argv) {
    // The application object lets Qt find its image format plugins (JPEG).
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: resource_gen OUTPUT_DIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    PictureList all;
    for (PictureList part :
         {resgen::placeholderPictures(), resgen::hatchPictures(), resgen::backgroundPictures(),
          resgen::libraryPictures(), resgen::tilePictures(), resgen::alignmentPictures(),
          resgen::promotionPictures()}) {
        for (Picture& picture : part) {
            all.push_back(std::move(picture));
        }
    }
    int failures = 0;
    for (const Picture& picture : all) {
        const QString path = out.filePath(picture.relativePath);
        QString error;
        if (!QDir().mkpath(QFileInfo(path).path())) {
            error = QStringLiteral("cannot create the folder");
        } else if (resgen::writePicture(picture.draw(), path, &error)) {
            continue;
        }
        std::fprintf(stderr, "resource_gen: %s: %s\n", qPrintable(path), qPrintable(error));
        ++failures;
    }
    return failures == 0 ? 0 : 1;
}
