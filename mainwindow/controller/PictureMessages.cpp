#include "mainwindow/controller/PictureMessages.h"

#include "core/MessageFunctions.h"
#include "core/globals.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace picture_messages {
namespace {

// Longest list one message holds; the rest are counted.
constexpr int kListedAtMost = 10;

QString tr(const char* text) {
    return QCoreApplication::translate("Pictures", text);
}

QString line(const QString& shown, SKTPictureProblem problem) {
    return QStringLiteral("\"%1\" %2.").arg(shown, SKTPictureProblemText(problem));
}

void tellChosen(const QString& path, SKTPictureProblem problem) {
    Show_MessageBox(chosenPictureText(
        path, problem == SKTPictureProblem::None ? SKTPictureProblem::NotPicture : problem));
}

} // namespace

QString chosenPictureText(const QString& path, SKTPictureProblem problem) {
    return SKTPictureProblemLine(path, problem);
}

CardPicture readChosenPicture(const QString& path) {
    SKTPictureProblem problem = SKTPictureProblem::None;
    CardPicture picture = SKTLoadPictureFile(path, &problem);
    if (problem != SKTPictureProblem::None || picture.isNull()) {
        tellChosen(path, problem);
        return CardPicture();
    }
    return picture;
}

bool checkChosenPicture(const QString& path) {
    const SKTPictureProbe probe = SKTProbePictureFile(path);
    if (probe.problem != SKTPictureProblem::None) {
        tellChosen(path, probe.problem);
        return false;
    }
    return true;
}

bool isPlaceholderPath(const QString& path) {
    if (path.trimmed().isEmpty()) {
        return true;
    }
    static const QStringList names = {QStringLiteral("no.png"), QStringLiteral("sign_sample.png"),
                                      QStringLiteral("fingerprints.png"),
                                      QStringLiteral("barcode_sample.png")};
    const QFileInfo file(path);
    if (!names.contains(file.fileName())) {
        return false;
    }
    // A bare name, or a file directly in a folder named as ours is.
    const QString folder = QDir::cleanPath(file.path());
    return !path.contains(QLatin1Char('/')) ||
           QFileInfo(folder).fileName() == QFileInfo(QDir::cleanPath(Resource_Path)).fileName();
}

QString unshownPicturesText(const Unshown& pictures) {
    QStringList lines;
    int more = 0;
    for (const auto& [path, problem] : pictures) {
        if (problem == SKTPictureProblem::None || isPlaceholderPath(path)) {
            continue;
        }
        if (lines.size() < kListedAtMost) {
            lines << line(QDir::toNativeSeparators(path), problem);
        } else {
            ++more;
        }
    }
    if (lines.isEmpty()) {
        return QString();
    }
    if (more > 0) {
        lines << tr("And %1 more.").arg(more);
    }
    const QString head = lines.size() == 1 ? tr("This picture of the design could not be shown:")
                                           : tr("These pictures of the design could not be shown:");
    return head + QLatin1Char('\n') + lines.join(QLatin1Char('\n'));
}

} // namespace picture_messages
