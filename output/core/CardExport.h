#pragma once
// Writing card pictures as image files: file names of the sides, the
// picture at the chosen resolution, and the writer that picks the format
// from the file's extension and never leaves a half-written file.

#include "output/core/CardSource.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>

inline const QString kExportSuccessMessage = QStringLiteral("Card has been exported successfully.");
inline const QString unable_saving_Msg = QStringLiteral(
    "Unable to continue saving barcode image.\n\nEither Destination Drive is inaccessible or "
    "there is no free space available in drive to save barcode image.");

// The sides to export: "F", "B" or "BOTH".
inline QString export_card_side = QStringLiteral("F");

struct ExportRequest {
    QString side = QStringLiteral("F");        // "F", "B" or "BOTH"
    bool combined = false;                     // "BOTH": one picture, front above back
    double dotsPerInch = 72.0;                 // 72 keeps one pixel per point
    QString extension = QStringLiteral("png"); // batch files: the chosen format's title
};

// The image format an extension stands for, and whether the format keeps no
// transparency (the picture is laid on white first).
struct ImageFileFormat {
    QByteArray format;
    bool flattenOnWhite = false;
};

namespace cardexport {

// png; jpg and jpeg; bmp; tif and tiff (any letter case); anything else PNG.
ImageFileFormat formatForPath(const QString& path);

// The front's file is the chosen path; the back's replaces the name by
// "<name>_Back.<extension>" (Card_3.png gives Card_3_Back.png).
QString Create_Front_Card_Path(const QString& path);
QString Create_Back_Card_Path(const QString& path);

// A side's picture as a raster at the resolution (stored in the raster).
QImage rasterAt(const CardPicture& picture, double dotsPerInch);

// Writes the image through a temporary file renamed over the target, so a
// failed write leaves any old file whole. On failure shows the path and the
// error text and answers false.
bool Save_gen_image(const QImage& image, const QString& file_path_val);

// Writes a side's picture rasterised at the resolution. A missing picture
// is logged ("Invalid image") and writes nothing. Answers whether the file
// was written.
bool writeSide(const CardPicture& picture, const QString& path, double dotsPerInch);

// Writes the two sides as one picture, the front above the back, at the
// resolution (combinedFrontAboveBack). Either side missing: "Invalid image"
// is logged and nothing is written. Answers whether the file was written.
bool Export_Combined_Image(const CardPicture& front, const CardPicture& back,
                           const QString& file_path, double dotsPerInch);

// The message for files not written because their card side gave no
// picture (full paths).
QString nothingDrawnMessage(const QStringList& paths);

// The message at the end of a batch whose files were not all written:
// how many of how many, the folder, and the first names.
QString batchNotWrittenMessage(const QString& folder, const QStringList& names, int total);

// Makes "VOSK Festoria" inside `folder` (with missing parents, under the
// process umask). Answers its path, or empty after showing unable_saving_Msg.
QString makeBatchFolder(const QString& folder);

// Exports record 0 of the source as the request says (a single design).
// Card_Front_Or_Back is the same afterwards. Every file is written or the
// answer is false; only when all were written and `show_msg` is set,
// Export_File_Path and Export_File_Message are set and `openFileBox` runs.
// A side that gives no picture writes nothing and is told to the user
// (nothingDrawnMessage), as is a failed write (Save_gen_image).
bool Export_Single_File(const QString& path, const ExportRequest& request, CardSource& source,
                        bool show_msg, const std::function<void()>& openFileBox);

} // namespace cardexport
