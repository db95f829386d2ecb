#pragma once
// The design file: an XML property list whose root array holds the file
// identifier, the page records of both sides, the spreadsheet binding with
// the imported table, and the keyed archive of every object of both sides.
// Widget-free: building and writing the array, and reading a whole file
// into a staging value that is checked before anything is applied.

#include "editor/model/Card_Property.h"
#include "editor/model/SKTGraphic.h"
#include "editor/model/SKTPictureLoading.h"
#include "platform/Plist.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

namespace design_file {

// Element 0 of every design file.
inline const QString fileIdentifier = QStringLiteral("VOSKORELIANTHUSPAGEFX");
// Elements of one page record.
inline constexpr int recordElementCount = 28;
// Elements of a design without objects.
inline constexpr int emptyDesignElementCount = 63;
// Largest number of table titles a file may hold.
inline constexpr int maxTitleCount = 16385;
// Largest design file read (the property-list reader's own limit).
inline constexpr qint64 maxFileBytes = qint64(64) * 1024 * 1024;
// Largest card side, in points, a file may give.
inline constexpr double maxSidePoints = 14400.0;

using TableRow = QMap<QString, QString>;

// Everything a design file holds, as values.
struct DesignContent {
    Card_Property front;
    Card_Property back;
    bool excelBindingUse = false;
    QString excelSourcePath;
    // Every title of the imported table, the row-number column first.
    QStringList titles;
    QList<TableRow> rows;
    SKTGraphicList frontObjects;
    SKTGraphicList backObjects;
    // Picture files of picture objects that gave no picture when the design
    // was read, each once, with the reason.
    QList<QPair<QString, SKTPictureProblem>> unshownPictures;
};

// Text without the characters XML 1.0 cannot hold (U+0000-U+0008, U+000B,
// U+000C, U+000E-U+001F, U+FFFE, U+FFFF).
QString xmlSafe(const QString& text);

// The root array in file order. A record whose fill style is not "I" is
// written with an empty picture path. `collected`, when given, follows the
// number of elements added so far, so a failure part way can say how far
// the save came.
Plist Design_Array(const DesignContent& content, int* collected = nullptr);

// The array as XML bytes, checked first with the reader's own checks (and
// its size limit): a design that would not open again answers empty bytes
// and a reason.
QByteArray Design_Bytes(const Plist& array, QString* reason = nullptr);

// Writes the array as XML, atomically, only when it passes Design_Bytes: on
// failure the old file stays whole and the answer is false with a reason.
bool Write_Design_Array(const Plist& array, const QString& path, QString* reason = nullptr);

// Reads and checks a whole design file: page records decoded, table read,
// objects unarchived and their pictures read again from their own paths
// (regular files only). None and a reason for any defect; nothing outside
// the answer is changed. `wait`, when given, is called on the calling thread
// while the pictures are read (see SKTReadPictureFiles), which then happens
// on other threads only.
std::optional<DesignContent> Read_Design_File(const QString& path, QString* reason = nullptr,
                                              const SKTPictureReadWait& wait = {});
std::optional<DesignContent> Read_Design_Bytes(const QByteArray& bytes, QString* reason = nullptr,
                                               const SKTPictureReadWait& wait = {});

} // namespace design_file
