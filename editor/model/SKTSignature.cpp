#include "editor/model/SKTSignature.h"

#include "editor/model/SKTPictureLoading.h"
#include "mainwindow/core/globals.h"

#include <QDir>

std::shared_ptr<SKTGraphic> SKTSignature::newOfSameClass() const {
    return std::make_shared<SKTSignature>();
}

void SKTSignature::setFilePath(const QString& path) {
    QString effective = path;
    if (path == QLatin1String("Default")) {
        const QString sample = Sign_Or_FP_Val() == QLatin1String("S")
                                   ? QStringLiteral("sign_sample.png")
                                   : QStringLiteral("fingerprints.png");
        effective = Resource_Path.isEmpty() ? sample : QDir(Resource_Path).filePath(sample);
    }
    file_path = effective;
    Set_Control_File_path(effective);
    _contents_img = SKTLoadPictureFile(effective);
}
