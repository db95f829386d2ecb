#include "output/core/CardExport.h"

#include "platform/PendingFile.h"

#include "core/MessageFunctions.h"
#include "core/globals.h"
#include "editor/render/CombinedCardImage.h"
#include "output/core/PngEncoding.h"
#include "platform/CardUnits.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <cmath>
#include <exception>

namespace cardexport {

ImageFileFormat formatForPath(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) {
        return {QByteArrayLiteral("jpg"), true};
    }
    if (suffix == QLatin1String("bmp")) {
        return {QByteArrayLiteral("bmp"), true};
    }
    if (suffix == QLatin1String("tif") || suffix == QLatin1String("tiff")) {
        return {QByteArrayLiteral("tiff"), false};
    }
    return {QByteArrayLiteral("png"), false};
}

QString Create_Front_Card_Path(const QString& path) {
    return path;
}

QString Create_Back_Card_Path(const QString& path) {
    const QFileInfo info(path);
    const QString suffix = info.suffix();
    const QString name = suffix.isEmpty()
                             ? QStringLiteral("%1_Back").arg(info.completeBaseName())
                             : QStringLiteral("%1_Back.%2").arg(info.completeBaseName(), suffix);
    const QString folder = info.path();
    return path.contains(QLatin1Char('/')) ? QDir(folder).filePath(name) : name;
}

QImage rasterAt(const CardPicture& picture, double dotsPerInch) {
    if (picture.isNull() || !(dotsPerInch > 0) || !std::isfinite(dotsPerInch)) {
        return {};
    }
    const double scale = dotsPerInch / CardUnits::kPointsPerInch;
    // Whole pixels covering the card; a product that lands a rounding error
    // above a whole number (72 pt at 300 dpi) keeps that number.
    constexpr double kSlack = 1e-6;
    const double w = std::ceil(picture.size().width() * scale - kSlack);
    const double h = std::ceil(picture.size().height() * scale - kSlack);
    if (w < 1 || h < 1 || w * h > 400.0 * 1000.0 * 1000.0) {
        return {};
    }
    QImage image(static_cast<int>(w), static_cast<int>(h), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        return image;
    }
    image.fill(Qt::transparent);
    // Painted in points so fonts resolve for 72 dpi; the painter scales.
    CardUnits::markResolution(image, CardUnits::kPointsPerInch);
    {
        QPainter painter(&image);
        painter.scale(scale, scale);
        picture.draw(painter, QPointF(0, 0));
    }
    CardUnits::markResolution(image, dotsPerInch);
    return image;
}

namespace {

// Names one per line, the first ten and how many more.
QString namesList(const QStringList& names) {
    constexpr int kShown = 10;
    QStringList shown = names.mid(0, kShown);
    if (names.size() > kShown) {
        shown << QStringLiteral("and %1 more.").arg(names.size() - kShown);
    }
    return shown.join(QLatin1Char('\n'));
}

// The picture on white, for formats without transparency.
QImage onWhite(const QImage& image) {
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.setDotsPerMeterX(image.dotsPerMeterX());
    flat.setDotsPerMeterY(image.dotsPerMeterY());
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    return flat;
}

bool writeImage(const QImage& image, const QString& path, QString* error) {
    if (image.isNull()) {
        *error = QStringLiteral("There is no picture to write.");
        return false;
    }
    const ImageFileFormat format = formatForPath(path);
    const QImage toWrite = format.flattenOnWhite ? onWhite(image) : image;
    QByteArray bytes;
    if (format.format == "png" && png::canEncode(toWrite)) {
        // Card pictures take the fast encoder; batch exports spend most of
        // their time here.
        bytes = png::encode(toWrite);
        if (bytes.isEmpty()) {
            *error = QStringLiteral("The picture could not be encoded.");
            return false;
        }
    } else {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, format.format);
        if (format.format == "jpg") {
            writer.setQuality(95);
        }
        if (!writer.write(toWrite)) {
            *error = writer.errorString();
            return false;
        }
    }
    QString reason;
    if (!Write_File_Whole(path, bytes, &reason)) {
        // The message names the file already: the system's reason alone.
        const QString named = QStringLiteral("cannot write %1: ").arg(path);
        *error = reason.startsWith(named) ? reason.mid(named.size()) : reason;
        return false;
    }
    return true;
}

} // namespace

bool Save_gen_image(const QImage& image, const QString& file_path_val) {
    QString error;
    try {
        if (writeImage(image, file_path_val, &error)) {
            return true;
        }
    } catch (const std::exception& e) {
        error = QString::fromUtf8(e.what());
    }
    Show_MessageBox(QStringLiteral("%1\n\n%2").arg(file_path_val, error));
    return false;
}

QString nothingDrawnMessage(const QStringList& paths) {
    return (paths.size() == 1
                ? QStringLiteral("The card gave no picture, so this file was not written:\n%1")
                : QStringLiteral("The card gave no pictures, so these files were not written:\n%1"))
        .arg(namesList(paths));
}

QString batchNotWrittenMessage(const QString& folder, const QStringList& names, int total) {
    return QStringLiteral("%1 of %2 card pictures were not written in\n%3\n\n%4")
        .arg(names.size())
        .arg(total)
        .arg(folder, namesList(names));
}

QString makeBatchFolder(const QString& folder) {
    const QString path = QDir(folder).filePath(QStringLiteral("VOSK Festoria"));
    if (!QDir().mkpath(path)) {
        Show_MessageBox(unable_saving_Msg);
        return {};
    }
    return path;
}

bool writeSide(const CardPicture& picture, const QString& path, double dpi) {
    if (picture.isNull()) {
        Show_NSLog_Message(QStringLiteral("Invalid image"));
        return false;
    }
    return Save_gen_image(rasterAt(picture, dpi), path);
}

bool Export_Combined_Image(const CardPicture& front, const CardPicture& back,
                           const QString& file_path, double dotsPerInch) {
    const QImage both = combinedFrontAboveBack(front, back, dotsPerInch);
    if (both.isNull()) {
        Show_NSLog_Message(QStringLiteral("Invalid image"));
        return false;
    }
    return Save_gen_image(both, file_path);
}

namespace {

CardPicture sidePicture(CardSource& source, CardSide side) {
    try {
        return source.picture(0, side);
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    } catch (...) {
    }
    return {};
}

// Writes one side's file; a side without a picture adds the path to
// `undrawn`.
bool writeOrNote(const CardPicture& picture, const QString& path, double dpi,
                 QStringList* undrawn) {
    if (picture.isNull()) {
        *undrawn << path;
    }
    return writeSide(picture, path, dpi);
}

bool exportSides(const QString& path, const ExportRequest& request, CardSource& source,
                 QString* shownPath, QStringList* undrawn) {
    const double dpi = request.dotsPerInch;
    if (request.side == QLatin1String("BOTH")) {
        const CardPicture back = sidePicture(source, CardSide::Back);
        bool written = true;
        if (!request.combined) {
            written = writeOrNote(back, Create_Back_Card_Path(path), dpi, undrawn);
        }
        const CardPicture front = sidePicture(source, CardSide::Front);
        *shownPath = Create_Front_Card_Path(path);
        if (request.combined) {
            if (front.isNull() || back.isNull()) {
                *undrawn << *shownPath;
            }
            return Export_Combined_Image(front, back, *shownPath, dpi) && written;
        }
        return writeOrNote(front, *shownPath, dpi, undrawn) && written;
    }
    if (request.side == QLatin1String("F")) {
        *shownPath = path;
        return writeOrNote(sidePicture(source, CardSide::Front), path, dpi, undrawn);
    }
    *shownPath = Create_Back_Card_Path(path);
    return writeOrNote(sidePicture(source, CardSide::Back), *shownPath, dpi, undrawn);
}

} // namespace

bool Export_Single_File(const QString& path, const ExportRequest& request, CardSource& source,
                        bool show_msg, const std::function<void()>& openFileBox) {
    const int savedSide = Card_Front_Or_Back;
    QString shownPath;
    QStringList undrawn;
    bool written = false;
    try {
        written = exportSides(path, request, source, &shownPath, &undrawn);
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
        Show_MessageBox(QStringLiteral("%1\n\n%2").arg(path, QString::fromUtf8(e.what())));
        written = false;
    }
    Card_Front_Or_Back = savedSide;
    if (!undrawn.isEmpty()) {
        Show_MessageBox(nothingDrawnMessage(undrawn));
    }
    if (written && show_msg) {
        Export_File_Path = shownPath;
        Export_File_Message = kExportSuccessMessage;
        if (openFileBox) {
            openFileBox();
        }
    }
    return written;
}

} // namespace cardexport
